// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answer.h"

#include <QLocale>

#include <cmath>
#include <limits>

AnswerKey classifyAnswerKey(int code)
{
    const auto signedCode = static_cast<std::int16_t>(code);
    if (signedCode == 8 || (signedCode >= '0' && signedCode <= '9'))
        return AnswerKey::Accept;
    if (signedCode == 13)
        return AnswerKey::Check;
    return AnswerKey::Drop;
}

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The leading number of the text: blanks skipped, an optional sign, digits
// with an optional decimal part, and an exponent when digits follow its "e"
// ("12e" is just 12). Empty when the text starts with no number.
QStringView leadingNumber(QStringView text)
{
    const auto digitsFrom = [&](qsizetype i) {
        while (i < text.size() && isAsciiDigit(text[i]))
            ++i;
        return i;
    };
    qsizetype start = 0;
    while (start < text.size() && (text[start] == u' ' || text[start] == u'\t'))
        ++start;

    qsizetype i = start;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype wholeStart = i;
    i = digitsFrom(i);
    bool sawDigit = i > wholeStart;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype fractionEnd = digitsFrom(i + 1);
        sawDigit = sawDigit || fractionEnd > i + 1;
        i = fractionEnd;
    }
    if (!sawDigit)
        return {};

    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        if (const qsizetype end = digitsFrom(exponent); end > exponent)
            i = end;
    }
    return text.sliced(start, i - start);
}

} // namespace

std::optional<std::int16_t> readAnswer(QStringView text)
{
    const QStringView number = leadingNumber(text);
    if (number.isEmpty())
        return std::int16_t{0};

    // Beyond the range of a double the reading is infinite; below it, 0.
    const double value = QLocale::c().toDouble(number);
    if (std::isinf(value))
        return std::nullopt;

    const double rounded = std::nearbyint(value); // default rounding: halves to even
    if (rounded < std::numeric_limits<std::int16_t>::min()
        || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

bool isRightAnswer(QStringView typed, std::int16_t expected)
{
    const std::optional<std::int16_t> answer = readAnswer(typed);
    return answer && *answer == expected;
}

std::int16_t countedOnce(std::int16_t count)
{
    return count == std::numeric_limits<std::int16_t>::max() ? count
                                                             : static_cast<std::int16_t>(count + 1);
}

QString rightVerdict()
{
    return QStringLiteral("Esatto, è incredibile!!!");
}

QString wrongVerdict(std::int16_t expectedAnswer)
{
    return QStringLiteral("Sbagliato!! ") + QString::number(expectedAnswer);
}
