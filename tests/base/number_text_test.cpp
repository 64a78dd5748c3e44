#include "base/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(ParseNumber, AcceptsPlainDecimalTextWithSurroundingWhiteSpace)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {{"1", 1.0},     {"  -4.5\n", -4.5}, {"+2.5", 2.5},   {".5", 0.5},
                 {"5.", 5.0},    {"1e3", 1000.0},    {"\t1E-2 ", 0.01}, {"-0.000000 ", 0.0},
                 {"007", 7.0},   {"48.2845", 48.2845}};
    for (const auto& c : cases) {
        double value = -99.0;
        EXPECT_TRUE(tryParseNumber(c.text, value)) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        EXPECT_DOUBLE_EQ(parseNumber(c.text), c.value) << c.text;
    }
}

// Group separators, decimal commas, non-finite values and junk are not numbers: 0.0.
TEST(ParseNumber, GivesZeroForAnythingElse)
{
    const char* cases[] = {"5,5", "1,000", "", "   ", "abc", "1.2.3", "1e", "e5", ".", "-", "+-1",
                           "nan", "NaN", "inf", "-inf", "infinity", "1e999", "-1e999", "0x10",
                           "1 2", "1-", "--1"};
    for (const char* text : cases) {
        double value = -99.0;
        EXPECT_FALSE(tryParseNumber(text, value)) << text;
        EXPECT_EQ(value, -99.0) << text;
        EXPECT_EQ(parseNumber(text), 0.0) << text;
    }
}

TEST(CommaToPoint, OutsideParensStopsAtTheFirstParenthesis)
{
    char line[] = "1,5 2,5 (3,5) 4,5";
    commaToPointOutsideParens(line);
    EXPECT_STREQ(line, "1.5 2.5 (3,5) 4,5");
    char none[] = "";
    commaToPointOutsideParens(none);
    EXPECT_STREQ(none, "");
}

TEST(CommaToPoint, ReplacesEveryComma)
{
    char line[] = "(1,2),3,";
    commaToPoint(line);
    EXPECT_STREQ(line, "(1.2).3.");
}

}  // namespace
}  // namespace qv
