#include <gtest/gtest.h>

#include "base/julian.h"
#include "calendars/calendar_names.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"
#include "support/reference_data.h"

namespace qv {
namespace {

using testing::mjdOfDayNumber;
using testing::readTable;
using testing::toInts;


void expectDate(const DayMonthYear& date, int day, int month, int year)
{
    EXPECT_EQ(date.day, day);
    EXPECT_EQ(date.month, month);
    EXPECT_EQ(date.year, year);
}

TEST(IslamicCalendar, CheckValues)
{
    const DayMonthYear date = islamicDate(modifiedJulianDate(1, 1, 2000, 0.0));
    expectDate(date, 24, 9, 1420);
    EXPECT_STREQ(islamicMonthNames[date.month - 1], "Ramadan");

    EXPECT_EQ(islamicToMjd(1, 1, 1), -451560.5);
    int day, month, year;
    double hour;
    calendarDate(islamicToMjd(1, 1, 1), day, month, year, hour);
    EXPECT_EQ(day, 16);
    EXPECT_EQ(month, 7);
    EXPECT_EQ(year, 622);
    EXPECT_EQ(hour, 12.0);
}

TEST(IndianCalendar, CheckValues)
{
    const DayMonthYear newYear = indianDate(modifiedJulianDate(21, 3, 2000, 0.0));
    expectDate(newYear, 1, 1, 1922);
    EXPECT_STREQ(indianMonthNames[newYear.month - 1], "Caitra");
    const DayMonthYear january = indianDate(modifiedJulianDate(1, 1, 2000, 0.0));
    expectDate(january, 11, 10, 1921);
    EXPECT_STREQ(indianMonthNames[january.month - 1], "Pausa");
    EXPECT_EQ(indianToMjd(1, 1, 1922), modifiedJulianDate(21, 3, 2000, 12.0));
}

// Converting every day of a span there and back returns the same day; at most five reported.
template <typename ToDate, typename ToMjd>
int roundTripFailures(int firstYear, int lastYear, ToDate toDate, ToMjd toMjd)
{
    int failures = 0;
    const double last = modifiedJulianDate(31, 12, lastYear, 0.0);
    for (double mjd = modifiedJulianDate(1, 1, firstYear, 0.0); mjd <= last; mjd += 1.0) {
        const DayMonthYear date = toDate(mjd);
        if (toMjd(date.day, date.month, date.year) != mjd + 0.5 && ++failures <= 5)
            ADD_FAILURE() << "MJD " << mjd << " gives " << date.day << "/" << date.month << "/"
                          << date.year;
    }
    return failures;
}

TEST(IslamicCalendar, EveryDayFrom622To2400ConvertsBack)
{
    EXPECT_EQ(roundTripFailures(622, 2400, islamicDate, islamicToMjd), 0);
}

TEST(IndianCalendar, EveryDayFrom79To3000ConvertsBack)
{
    EXPECT_EQ(roundTripFailures(79, 3000, indianDate, indianToMjd), 0);
}

// Walks every day of the reference years of a table (year, day number of the first day,
// month lengths) and counts the days whose conversion differs, either way.
template <typename ToDate, typename ToMjd>
int referenceDisagreements(const char* table, ToDate toDate, ToMjd toMjd)
{
    const auto rows = readTable(table);
    EXPECT_GT(rows.size(), 300u) << table;
    int wrong = 0;
    for (const auto& row : rows) {
        const std::vector<int> values = toInts(row);
        double mjd = mjdOfDayNumber(values[1]);
        for (std::size_t m = 2; m < values.size(); ++m) {
            const int month = static_cast<int>(m) - 1;
            for (int day = 1; day <= values[m]; ++day, mjd += 1.0) {
                const DayMonthYear date = toDate(mjd);
                const bool same = date.day == day && date.month == month && date.year == values[0] &&
                                  toMjd(day, month, values[0]) == mjd + 0.5;
                if (!same && ++wrong <= 5)
                    ADD_FAILURE() << table << ": " << day << "/" << month << "/" << values[0]
                                  << " given as " << date.day << "/" << date.month << "/" << date.year;
            }
        }
    }
    return wrong;
}

// python3-convertdate uses the same epoch (622-07-16) and leap pattern (11 y + 14) mod 30 < 11.
// Islamic years 1-150 and 1350-1550, every day. Measured: no disagreement.
TEST(IslamicCalendar, AgreesWithConvertdateOnEveryDayOfTheReferenceYears)
{
    EXPECT_EQ(referenceDisagreements("calendars/data/islamic_months.txt", islamicDate, islamicToMjd), 0);
}

// Saka years 1-150 and 1450-1950 (proleptic Gregorian leap rule in both), every day.
// Measured: no disagreement.
TEST(IndianCalendar, AgreesWithConvertdateOnEveryDayOfTheReferenceYears)
{
    EXPECT_EQ(referenceDisagreements("calendars/data/indian_months.txt", indianDate, indianToMjd), 0);
}

TEST(ChineseYearName, CycleOfStemsAndBranches)
{
    const std::pair<int, const char*> cases[] = {
        {1984, "jia-zi (rat)"},   {1983, "gui-hai (pig)"}, {2000, "geng-chen (dragon)"},
        {1974, "jia-yin (tiger)"}, {2044, "jia-zi (rat)"},  {4, "jia-zi (rat)"}, {-1, "ji-wei (sheep)"},
    };
    for (const auto& [year, name] : cases) {
        char buffer[32];
        chineseYearName(year, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, name) << year;
    }
    char small[6];
    chineseYearName(2000, small, sizeof small);
    EXPECT_STREQ(small, "geng-");
}

}  // namespace
}  // namespace qv
