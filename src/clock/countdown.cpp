// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdown.h"

#include <cmath>

void Countdown::start()
{
    ClockHours = 0;
    ClockMinutes = 15;
    ClockSeconds = 0;
    SecondsLeft = kGameSeconds;
}

void Countdown::advance()
{
    if (ClockSeconds == 0) {
        if (ClockMinutes > 0) {
            --ClockMinutes;
            ClockSeconds = 60;
        } else if (ClockHours > 0) {
            --ClockHours;
            ClockMinutes = 59;
            ClockSeconds = 60;
        }
    }
    // With nothing left to borrow the clock stays at 00:00:00: no field of
    // the time shown ever goes below zero.
    if (ClockSeconds > 0)
        ClockSeconds -= 1;
    if (SecondsLeft > 0)
        --SecondsLeft;
}

namespace {

QString twoDigits(long value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString Countdown::text() const
{
    return twoDigits(ClockHours) + u':' + twoDigits(ClockMinutes) + u':'
           + twoDigits(std::lround(ClockSeconds));
}
