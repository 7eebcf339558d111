#include "answer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

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

// The leading number of the text, in the plain form std::from_chars reads.
// An empty result means the text has no leading number.
struct LeadingNumber
{
    std::string chars;
};

LeadingNumber scanLeadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    LeadingNumber number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number.chars += '-';
        ++i;
    }

    bool sawDigit = false;
    auto takeDigits = [&] {
        while (i < text.size() && isAsciiDigit(text[i])) {
            number.chars += static_cast<char>(text[i].unicode());
            sawDigit = true;
            ++i;
        }
    };
    takeDigits();
    if (i < text.size() && text[i] == u'.') {
        number.chars += '.';
        ++i;
        takeDigits();
    }
    if (!sawDigit)
        return {};

    // An exponent counts only when digits follow it: "12e" is just 12.
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
            negative = text[j] == u'-';
            ++j;
        }
        if (j < text.size() && isAsciiDigit(text[j])) {
            number.chars += negative ? "e-" : "e";
            i = j;
            while (i < text.size() && isAsciiDigit(text[i])) {
                number.chars += static_cast<char>(text[i].unicode());
                ++i;
            }
        }
    }
    return number;
}

// For a number std::from_chars found out of range, whether it is too large
// rather than too small: its first significant digit stands at 10^0 or
// above once the exponent is applied. The sign of the exponent alone does not
// tell: 1000…0e-2 is too large, 0.000…1e5 too small.
bool isTooLarge(std::string_view chars)
{
    if (!chars.empty() && chars.front() == '-')
        chars.remove_prefix(1);
    const std::size_t e = chars.find('e');
    const std::string_view mantissa = chars.substr(0, e);
    std::string_view exponent = e == std::string_view::npos ? std::string_view() : chars.substr(e + 1);
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);

    // The power of ten of the first significant digit, before the exponent.
    long long power = 0;
    if (const std::size_t k = whole.find_first_not_of('0'); k != std::string_view::npos)
        power = static_cast<long long>(whole.size() - 1 - k);
    else if (const std::size_t k = fraction.find_first_not_of('0'); k != std::string_view::npos)
        power = -static_cast<long long>(k + 1);
    else
        return false; // all zeros

    const bool negative = !exponent.empty() && exponent.front() == '-';
    if (negative)
        exponent.remove_prefix(1);
    exponent.remove_prefix(std::min(exponent.size(), exponent.find_first_not_of('0')));
    // Exponents beyond any text's length all count as the same large one.
    constexpr long long kLarge = 1'000'000'000'000'000LL;
    long long shift = kLarge;
    if (exponent.size() < 16) {
        shift = 0;
        for (char digit : exponent)
            shift = shift * 10 + (digit - '0');
    }
    return negative ? power - shift >= 0 : power + shift >= 0;
}

} // namespace

std::optional<std::int16_t> readAnswer(QStringView text)
{
    const LeadingNumber number = scanLeadingNumber(text);
    if (number.chars.empty())
        return std::int16_t{0};

    double value = 0;
    const char *first = number.chars.data();
    const char *last = first + number.chars.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Too small to represent rounds to 0; too large is out of range.
        if (isTooLarge(number.chars))
            return std::nullopt;
        value = 0;
    } else if (error != std::errc{} || end != last) {
        return std::int16_t{0};
    }

    const double rounded = std::nearbyint(value); // default rounding: halves to even
    if (rounded < std::numeric_limits<std::int16_t>::min()
        || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
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
