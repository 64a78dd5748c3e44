#pragma once
// Number text helpers: locale-independent parsing and the "," to "." mending of formatted lines.
#include <cstdio>
#include <string>
#include <string_view>

namespace qv {

// The value with a negative zero made zero, so that a printed zero carries no sign ("-0").
inline double withoutNegativeZero(double value) { return value == 0.0 ? 0.0 : value; }

// Strict decimal text to double: optional sign, digits with an optional "." and fraction, an
// optional exponent; surrounding white space ignored, no group separators; "-0" gives zero.
// Returns false (value untouched) for anything else, including "nan", "inf" and values too
// large for a double.
bool tryParseNumber(std::string_view text, double& value);

// As tryParseNumber, giving 0.0 for text that is not a finite number ("5,5" gives 0.0).
double parseNumber(std::string_view text);

// A latitude or longitude as the pages print it: "%g" of the decimal degrees, or with packed
// the DD.MMSS form written out exactly (seconds to 0.01", trailing zeros dropped: 111.5959,
// 48.3, -11.303); never "-0".
std::string angleText(double degrees, bool packed);

// Replaces "," by "." up to the first "(" of the text (in place, NUL-terminated).
void commaToPointOutsideParens(char* text);
// Replaces every "," by "." (in place, NUL-terminated).
void commaToPoint(char* text);

// Formats the values into a line of at most 127 characters, passes it through commaToPoint and
// appends it to text.
template <typename... Values>
void appendNumberText(std::string& text, const char* format, Values... values)
{
    char line[128];
    std::snprintf(line, sizeof line, format, values...);
    commaToPoint(line);
    text += line;
}

// The values formatted as appendNumberText formats them.
template <typename... Values>
std::string numberText(const char* format, Values... values)
{
    std::string text;
    appendNumberText(text, format, values...);
    return text;
}

}  // namespace qv
