// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;

// What every run of the game sets up before its first window: the program's
// name and icon, Italian texts for Qt's own buttons and menus, and the fonts.
void setUpApplication(QApplication &app);
