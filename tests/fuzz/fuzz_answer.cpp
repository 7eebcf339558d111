// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The answer box's reader fed with any text: it never crashes, typed digits read as their
// number, and blanks before the text or a letter after it never change what it reads.
#include "exercises/answer.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<std::int16_t> reading = readAnswer(text);
    const bool typed = !text.isEmpty() && text.size() <= 4
                       && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if ((typed && reading != text.toInt()) || readAnswer(QStringLiteral(" \t") + text) != reading
        || readAnswer(text + u'x') != reading) {
        std::fprintf(stderr, "answer reader: wrong reading of \"%s\"\n", text.toUtf8().constData());
        std::abort();
    }
    return 0;
}
