// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

struct Countdown;

// The window's caption: the time left while the window is minimised, so that
// the task bar shows the clock; the game's name otherwise.
QString windowCaption(bool minimised, const Countdown &clock);

inline constexpr char16_t kPlayingCaption[] = u"Quotellare";
