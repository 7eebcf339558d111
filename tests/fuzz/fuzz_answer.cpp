// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The answer box's reader fed with any text (as UTF-8): it never crashes,
// and what it reads agrees with a plain reference reading built on strtod.
#include "exercises/answer.h"

#include <QString>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using Reading = std::optional<std::int16_t>;

// The leading number as strtod reads it, once the text is cut at the first
// character that cannot belong to a plain decimal number (so that strtod never
// sees "inf", "nan", hexadecimal or a locale's separators).
Reading referenceReading(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string plain;
    for (; i < text.size() && QStringView(u"0123456789+-.eE").contains(text[i]); ++i)
        plain += char(text[i].unicode());
    char *end = nullptr;
    const double value = std::strtod(plain.c_str(), &end);
    if (end == plain.c_str())
        return std::int16_t{0};
    const double rounded = std::nearbyint(value); // halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const Reading got = readAnswer(text);
    // Leading blanks never change the reading either.
    if (got != referenceReading(text) || readAnswer(QStringLiteral(" \t") + text) != got) {
        std::fprintf(stderr, "answer reader: wrong reading of \"%s\"\n", text.toUtf8().constData());
        std::abort();
    }
    return 0;
}
