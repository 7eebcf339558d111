// The record files' decoding fed with any bytes: it never crashes, always
// gives well-formed text, keeps valid UTF-8 exactly, and reads anything else
// byte for byte as the Windows code page 1252.
#include "records/recordfiles.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &bytes, const QString &text)
{
    std::fprintf(stderr, "record decoding: %s\n  bytes: %s\n  text (UTF-16 units):", what,
                 bytes.toHex(' ').constData());
    for (QChar c : text)
        std::fprintf(stderr, " %04x", c.unicode());
    std::fprintf(stderr, "\n");
    std::abort();
}

// Well-formed UTF-8 as the Unicode standard defines it (table 3-7): no
// overlong forms, no surrogates, nothing above U+10FFFF.
bool isWellFormedUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    auto in = [&](qsizetype at, std::uint8_t lo, std::uint8_t hi) {
        return at < n && p[at] >= lo && p[at] <= hi;
    };
    while (i < n) {
        const std::uint8_t b = p[i];
        if (b <= 0x7F) {
            i += 1;
        } else if (b >= 0xC2 && b <= 0xDF) {
            if (!in(i + 1, 0x80, 0xBF))
                return false;
            i += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            const std::uint8_t lo = b == 0xE0 ? 0xA0 : 0x80;
            const std::uint8_t hi = b == 0xED ? 0x9F : 0xBF;
            if (!in(i + 1, lo, hi) || !in(i + 2, 0x80, 0xBF))
                return false;
            i += 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            const std::uint8_t lo = b == 0xF0 ? 0x90 : 0x80;
            const std::uint8_t hi = b == 0xF4 ? 0x8F : 0xBF;
            if (!in(i + 1, lo, hi) || !in(i + 2, 0x80, 0xBF) || !in(i + 3, 0x80, 0xBF))
                return false;
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

// Code page 1252: Latin-1 but for 0x80..0x9F. The five bytes it leaves
// undefined come through as the C1 controls of the same number.
char16_t windows1252(std::uint8_t b)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
    };
    return (b >= 0x80 && b <= 0x9F) ? high[b - 0x80] : char16_t{b};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = decodeRecordBytes(bytes);

    if (!text.isValidUtf16())
        fail("text with a lone surrogate", bytes, text);
    // Back and forth through UTF-8, keeping a byte-order mark at the start
    // as the character it is.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString again = utf8.decode(text.toUtf8());
    if (utf8.hasError() || again != text)
        fail("text does not survive a trip through UTF-8", bytes, text);

    if (isWellFormedUtf8(bytes)) {
        // Kept exactly, but for the byte-order mark Windows editors put first.
        QByteArray kept = bytes;
        if (kept.startsWith("\xEF\xBB\xBF"))
            kept.remove(0, 3);
        if (text.toUtf8() != kept)
            fail("valid UTF-8 not kept exactly", bytes, text);
    } else {
        if (text.size() != bytes.size())
            fail("code page 1252 text is not one character a byte", bytes, text);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (text[i].unicode() != windows1252(static_cast<std::uint8_t>(bytes[i])))
                fail("byte not read as code page 1252", bytes, text);
        }
    }
    return 0;
}
