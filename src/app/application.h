// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;

// Chooses the window system before the application starts: on a Wayland
// desktop, X11 through the desktop's XWayland, where a program can beep, is
// told it is minimised and has its titles drawn whole by the desktop, none
// of which Qt 6.4 does on Wayland itself. QT_QPA_PLATFORM still decides.
void chooseWindowSystem();

// What every run of the game sets up before its first window: the program's
// name and icon, Italian texts for Qt's own buttons and menus, the fonts, the
// guard on held keys and what a screen reader is told.
void setUpApplication(QApplication &app);
