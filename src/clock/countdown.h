// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdint>

// The game's fifteen-minute countdown: the time shown (hours, minutes,
// seconds) and the whole seconds left, which fall together one second a tick.
struct Countdown
{
    std::int16_t ClockHours = 0;
    std::int16_t ClockMinutes = 0;
    float ClockSeconds = 0; // whole values only, 60 down to 0
    std::int16_t SecondsLeft = 0;

    // Sets the clock to 00:15:00 with 900 seconds left.
    void start();

    bool timeIsUp() const { return SecondsLeft < 1; }

    // One second passes: borrows a minute or an hour when the seconds are 0.
    void advance();

    // "hh:mm:ss", each part with at least two digits.
    QString text() const;
};

inline constexpr std::int16_t kGameSeconds = 900;
