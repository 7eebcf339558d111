// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clock/countdown.h"

#include <QString>

#include <cstdint>

// The state of one game, alive as long as its window.
struct GameState
{
    std::int16_t ExpectedAnswer = 0; // result of the exercise on screen
    std::int16_t RightCount = 0;
    std::int16_t WrongCount = 0;
    std::int16_t ExerciseKind = 0;   // 1..9
    std::int16_t Denominator = 0;    // 2..10
    Countdown clock;                 // ClockHours, ClockMinutes, ClockSeconds, SecondsLeft
    QString WindowsDir;              // the record folder, with a trailing separator; empty without one
};
