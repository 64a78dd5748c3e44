#pragma once
// Number text helpers: locale-independent parsing and the "," to "." mending of formatted lines.
#include <string>

namespace qv {

// Decimal text to double: "." as decimal point, surrounding white space ignored, no group
// separators; anything that is not a number gives 0.0.
double parseNumber(const char* text);

// Replaces "," by "." up to the first "(" of the text (in place, NUL-terminated).
void commaToPointOutsideParens(char* text);
// Replaces every "," by "." (in place, NUL-terminated).
void commaToPoint(char* text);

}  // namespace qv
