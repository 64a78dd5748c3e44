#pragma once
// Number text helpers: locale-independent parsing and the "," to "." mending of formatted lines.
#include <cstdio>
#include <string>
#include <string_view>

namespace qv {

// Strict decimal text to double: optional sign, digits with an optional "." and fraction, an
// optional exponent; surrounding white space ignored, no group separators. Returns false (value
// untouched) for anything else, including "nan", "inf" and values too large for a double.
bool tryParseNumber(std::string_view text, double& value);

// As tryParseNumber, giving 0.0 for text that is not a finite number ("5,5" gives 0.0).
double parseNumber(std::string_view text);

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

}  // namespace qv
