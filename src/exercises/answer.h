// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// What the answer box does with a typed character.
enum class AnswerKey
{
    Accept, // a digit or Backspace: the box takes it
    Check,  // Enter: check the answer, the box inserts nothing
    Drop,   // anything else: the box ignores it
};

// Classifies a character code, read as a signed 16-bit value.
AnswerKey classifyAnswerKey(int code);

// The number the answer box holds: its leading number (blanks skipped, an
// optional sign, digits, an optional decimal part and exponent), rounded to
// the nearest integer with halves to even. A text without a leading number is
// 0. Returns nothing when the value lies outside the 16-bit range, which can
// then never equal an expected answer.
std::optional<std::int16_t> readAnswer(QStringView text);

// Whether the text typed in the answer box is the expected answer: its
// number, read as readAnswer() does (the empty box is 0).
bool isRightAnswer(QStringView typed, std::int16_t expected);

// A count raised by one, held at the 16-bit maximum rather than wrapping.
std::int16_t countedOnce(std::int16_t count);

// The verdicts shown after a check.
QString rightVerdict();
QString wrongVerdict(std::int16_t expectedAnswer);
