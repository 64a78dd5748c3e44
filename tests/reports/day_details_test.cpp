// The day details: week numbers, the Hebrew month lines, the calendars left out before their
// first years, a day typed beyond its month, the two halves, and whole texts against the golden
// files of tests/golden/.
#include "reports/day_details.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/julian.h"
#include "support/golden_text.h"

namespace qv {
namespace {

using testing::matchesGolden;

SettingsRecord recordFor(int year, int month, int day)
{
    SettingsRecord record;
    record.time.year = year;
    record.time.month = month;
    record.time.day = day;
    return record;
}

std::string half(int year, int month, int day, int which)
{
    char buffer[kDayDetailsSize];
    buildDayDetails(recordFor(year, month, day), buffer, sizeof buffer, which);
    return buffer;
}

std::string firstHalf(int year, int month, int day)
{
    return half(year, month, day, kDayDetailsFirstHalf);
}

std::string secondHalf(int year, int month, int day)
{
    return half(year, month, day, kDayDetailsSecondHalf);
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(DayDetails, WeekNumbers)
{
    struct Case {
        int year, month, day;
        const char* week;  // nullptr: no week is shown
    };
    const Case cases[] = {
        {2010, 1, 3, nullptr},   // the year began on a Friday: no week before the first Monday
        {2010, 1, 4, "Week:  1"},
        {2012, 12, 31, "Week: 53"},  // a Monday in a year that began on a Sunday
        {2024, 1, 1, "Week:  1"},    // a Monday
        {2026, 1, 1, "Week:  1"},    // a Thursday belongs to week 1
        {2026, 12, 31, "Week: 53"},
    };
    for (const Case& c : cases) {
        const std::string text = firstHalf(c.year, c.month, c.day);
        if (c.week)
            EXPECT_TRUE(contains(text, c.week)) << text;
        else
            EXPECT_FALSE(contains(text, "Week")) << text;
    }
}

TEST(DayDetails, HeaderAndDayOfYear)
{
    // Days at the end of December are numbered on; no week of the next year is given.
    EXPECT_TRUE(firstHalf(2024, 12, 31)
                    .starts_with("Tuesday   31-DEC-2024\n\nDay of Year: 366     Week: 53\n===="));
    // Julian calendar, astronomical year -44: a Tuesday (as python3-convertdate reckons it).
    EXPECT_TRUE(firstHalf(-44, 3, 15)
                    .starts_with("Tuesday   15-MAR- -44\n\nDay of Year:  75     Week: 11\n===="));
}

// Tishri and Adar II are in the golden texts of 2000-09-30 and 2024-03-20.
TEST(DayDetails, HebrewMonthLines)
{
    struct Case {
        int year, month, day;
        const char* line;
    };
    const Case cases[] = {
        {2024, 3, 1, "\n\nHebrew Day: 21     Month  6 (Adar I)    Year: 5784"},
        {2023, 3, 1, "\n\nHebrew Day:  8     Month  6 (Adar)    Year: 5783"},
        {2024, 4, 23, "\n\nHebrew Day: 15     Month  7 (Nisan)    Year: 5784"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(contains(firstHalf(c.year, c.month, c.day), c.line)) << c.line;
}

// The year 81 (no Islamic and no Indian line) is a golden text.
TEST(DayDetails, CalendarsAreLeftOutBeforeTheirFirstYears)
{
    EXPECT_FALSE(contains(firstHalf(621, 12, 31), "Islamic"));
    EXPECT_TRUE(contains(firstHalf(622, 12, 31), "\n\nIslamic Day:"));
    EXPECT_TRUE(contains(firstHalf(621, 12, 31), "Hebrew Day:"));

    EXPECT_EQ(secondHalf(82, 6, 1).substr(0, 14), "\n\nIndian Day: ");

    const std::string year3763 = firstHalf(-3763, 6, 1);
    EXPECT_TRUE(year3763.ends_with("======================================\n")) << year3763;
    EXPECT_TRUE(contains(firstHalf(-3762, 12, 31), "Hebrew Day:"));
}

// Chinese dates from -4711 on, and only where the New Moons still make Chinese years.
TEST(DayDetails, ChineseLineWithinItsRange)
{
    EXPECT_FALSE(contains(secondHalf(-4713, 6, 1), "Chinese"));
    EXPECT_TRUE(contains(secondHalf(-4711, 6, 1), "\n\nChinese Day: "));
    EXPECT_FALSE(contains(secondHalf(99999, 6, 1), "Chinese"));
    EXPECT_TRUE(secondHalf(99999, 6, 1)
                    .ends_with("\n\n\nJewish and Islamic days begin at sunset on the previous evening"));
}

TEST(DayDetails, DayBeyondTheMonthRunsOnAndShowsTheDayItReaches)
{
    EXPECT_EQ(firstHalf(2024, 4, 31), firstHalf(2024, 5, 1));
    EXPECT_EQ(firstHalf(2024, 5, 1).substr(0, 23), "Wednesday    1-MAY-2024");
    EXPECT_EQ(secondHalf(2023, 2, 31), secondHalf(2023, 3, 3));
}

TEST(DayDetails, UnknownHalfIsEmpty)
{
    char buffer[kDayDetailsSize] = "x";
    buildDayDetails(recordFor(2024, 6, 1), buffer, sizeof buffer, 3);
    EXPECT_STREQ(buffer, "");
}

TEST(DayDetails, SmallBufferIsCutAndTerminated)
{
    SettingsRecord record = recordFor(2024, 3, 20);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    buildDayDetails(record, buffer, sizeof buffer, kDayDetailsFirstHalf);
    EXPECT_STREQ(buffer, "Wednesday   20-");
    buildDayDetails(record, buffer, 1, kDayDetailsSecondHalf);
    EXPECT_EQ(buffer[0], '\0');
}

// The batch companion prints the text and a newline; it is the library's text.
TEST(DayDetails, WholeTextsMatchTheGoldenFiles)
{
    struct Case {
        int year, month, day;
        const char* golden;
    };
    const Case cases[] = {
        {2000, 9, 30, "day_2000-09-30.txt"},  // 1 Tishri 5761
        {2024, 3, 20, "day_2024-03-20.txt"},  // Adar II, Ramadan
        {2033, 12, 25, "day_2033-12-25.txt"}, // intercalary eleventh month, from 2034's New Moons
        {2010, 1, 1, "day_2010-01-01.txt"},   // no week
        {81, 6, 1, "day_0081-06-01.txt"},     // no Islamic and no Indian line
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(matchesGolden(c.golden, dayDetailsText(recordFor(c.year, c.month, c.day)) + "\n"));
    }
    int status = 0;
    const std::string printed = testing::runCli("day --date 2033-12-25", status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(matchesGolden("day_2033-12-25.txt", printed));
}

}  // namespace
}  // namespace qv
