// The answer box's reader fed with any text: it never crashes, and what it
// reads agrees with a plain reference reading built on strtod.
//
// The first byte of an input chooses how the rest becomes the box's text:
// even, as UTF-8 (what typing and pasting give); odd, as raw UTF-16 code
// units, lone surrogates included.
#include "exercises/answer.h"

#include <QString>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using Reading = std::optional<std::int16_t>;

std::string describe(Reading r)
{
    return r ? std::to_string(*r) : std::string("nothing");
}

[[noreturn]] void fail(const char *what, const QString &text, Reading got, Reading want)
{
    std::fprintf(stderr, "answer reader: %s\n  text (UTF-16 units):", what);
    for (QChar c : text)
        std::fprintf(stderr, " %04x", c.unicode());
    std::fprintf(stderr, "\n  read %s, expected %s\n", describe(got).c_str(), describe(want).c_str());
    std::abort();
}

bool isNumberChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' || c == u'E';
}

// The leading number as strtod reads it, once the text is cut at the first
// character that cannot belong to a plain decimal number (so that strtod
// never sees "inf", "nan", hexadecimal or a locale's separators).
Reading referenceReading(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string plain;
    for (; i < text.size() && isNumberChar(text[i].unicode()); ++i)
        plain += static_cast<char>(text[i].unicode());

    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(plain.c_str(), &end);
    if (end == plain.c_str())
        return std::int16_t{0}; // no leading number
    const double rounded = std::nearbyint(value); // halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

// What a child types: up to four plain digits, read as the decimal number.
std::optional<int> typedDigits(QStringView text)
{
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QString textFrom(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return {};
    const auto *rest = reinterpret_cast<const char *>(data + 1);
    const auto restSize = static_cast<qsizetype>(size - 1);
    if ((data[0] & 1) == 0)
        return QString::fromUtf8(rest, restSize);
    QString units;
    for (qsizetype i = 0; i + 1 < restSize; i += 2)
        units += QChar(static_cast<char16_t>(static_cast<std::uint8_t>(rest[i])
                                             | (static_cast<std::uint8_t>(rest[i + 1]) << 8)));
    return units;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = textFrom(data, size);
    const Reading got = readAnswer(text);

    if (got && (*got < -32768 || *got > 32767))
        fail("value outside the 16-bit range", text, got, std::nullopt);

    const Reading want = referenceReading(text);
    if (got != want)
        fail("differs from the strtod reading", text, got, want);

    if (const std::optional<int> typed = typedDigits(text)) {
        if (got != Reading(static_cast<std::int16_t>(*typed)))
            fail("typed digits not read as their decimal value", text, got,
                 static_cast<std::int16_t>(*typed));
    }

    // Blanks in front never change the reading.
    const Reading padded = readAnswer(QStringLiteral(" \t") + text);
    if (padded != got)
        fail("leading blanks change the reading", text, padded, got);
    return 0;
}
