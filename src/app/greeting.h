// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QScreen;

// A player's name set apart from the Italian text around it: a name written
// right to left (Hebrew, Arabic) keeps its own direction without turning the
// sentence around. Other names come back as they are.
QString isolated(const QString &name);

// The greeting after the name prompt. A name too long for the box is cut
// short with an ellipsis, so that the box always fits on the screen.
QString greeting(const QString &name, const QScreen *screen);
