#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace qv {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Count of leading digits of text from position i on.
std::size_t digitRun(std::string_view text, std::size_t i)
{
    std::size_t n = 0;
    while (i + n < text.size() && isDigit(text[i + n]))
        ++n;
    return n;
}

// Whether text (without sign) is digits with an optional "." and fraction (at least one digit
// in all) and an optional exponent with an optional sign and at least one digit.
bool isUnsignedDecimal(std::string_view text)
{
    std::size_t i = digitRun(text, 0);
    std::size_t mantissaDigits = i;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = digitRun(text, i + 1);
        mantissaDigits += fraction;
        i += 1 + fraction;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t exponent = digitRun(text, i);
        if (exponent == 0)
            return false;
        i += exponent;
    }
    return i == text.size();
}

}  // namespace

bool tryParseNumber(std::string_view text, double& value)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!isUnsignedDecimal(text))
        return false;
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(magnitude))
        return false;
    value = withoutNegativeZero(negative ? -magnitude : magnitude);
    return true;
}

double parseNumber(std::string_view text)
{
    double value = 0.0;
    return tryParseNumber(text, value) ? value : 0.0;
}

std::string angleText(double degrees, bool packed)
{
    char text[64];
    if (!packed) {
        std::snprintf(text, sizeof text, "%g", withoutNegativeZero(degrees));
        commaToPoint(text);
        return text;
    }
    constexpr long long kCentisecondsPerMinute = 6000;
    constexpr long long kCentisecondsPerDegree = 60 * kCentisecondsPerMinute;
    const long long total = std::llround(std::fabs(degrees) * kCentisecondsPerDegree);
    std::snprintf(text, sizeof text, "%s%lld.%02lld%04lld", degrees < 0.0 && total != 0 ? "-" : "",
                  total / kCentisecondsPerDegree, total / kCentisecondsPerMinute % 60,
                  total % kCentisecondsPerMinute);
    std::string shown(text);
    shown.erase(shown.find_last_not_of('0') + 1);
    if (shown.back() == '.')
        shown.pop_back();
    return shown;
}

void commaToPointOutsideParens(char* text)
{
    for (; *text != '\0' && *text != '('; ++text)
        if (*text == ',')
            *text = '.';
}

void commaToPoint(char* text)
{
    for (; *text != '\0'; ++text)
        if (*text == ',')
            *text = '.';
}

}  // namespace qv
