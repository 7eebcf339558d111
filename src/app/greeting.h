// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QScreen;

// The greeting after the name prompt. A name too long for the box is cut
// short with an ellipsis, so that the box always fits on the screen.
QString greeting(const QString &name, const QScreen *screen);
