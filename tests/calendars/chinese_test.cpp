// The Chinese calendar: new years and every day of 1901-2099 against python3-lunardate, the
// intercalary months whose search crosses the wrap of the solar longitude, New Moon days before
// the MJD epoch, and the first year of Chinese dates.
#include "calendars/chinese.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/julian.h"
#include "support/reference_data.h"

namespace qv {
namespace {

using testing::readTable;
using testing::toInts;

constexpr int kFirstReferenceYear = 1900;
constexpr int kLastReferenceYear = 2099;

int mjdOf(int year, int month, int day) { return static_cast<int>(modifiedJulianDate(day, month, year, 0.0)); }

// The Chinese date of a civil day, as the day details compute it.
ChineseDate dateOfDay(int year, int month, int day)
{
    ChineseDate date{};
    EXPECT_TRUE(chineseDateOfDay(year, DeltaTRule{}, mjdOf(year, month, day), date));
    return date;
}

// One Chinese year of the reference: its first day and the first day and number of each month
// (negative for the intercalary one).
struct ReferenceYear {
    int year;
    int newYearMjd;
    int leapMonth;
    std::vector<int> monthStarts;
    std::vector<int> monthNumbers;
};

std::vector<ReferenceYear> readReference()
{
    std::vector<ReferenceYear> years;
    for (const auto& row : readTable("calendars/data/chinese_months.txt")) {
        const std::vector<int> values = toInts(row);
        ReferenceYear entry{values[0], values[1], values[2], {}, {}};
        int start = entry.newYearMjd;
        int month = 1;
        for (std::size_t i = 3; i < values.size(); ++i) {
            const bool repeated = !entry.monthNumbers.empty() && entry.monthNumbers.back() == month - 1 &&
                                  month - 1 == entry.leapMonth;
            const int number = repeated ? -(month - 1) : month++;
            entry.monthStarts.push_back(start);
            entry.monthNumbers.push_back(number);
            start += values[i];
        }
        years.push_back(entry);
    }
    return years;
}

// Reference Chinese date of a day, from the table.
ChineseDate referenceDate(const std::vector<ReferenceYear>& years, int mjd)
{
    for (auto year = years.rbegin(); year != years.rend(); ++year) {
        if (year->newYearMjd > mjd)
            continue;
        for (std::size_t m = year->monthStarts.size(); m-- > 0;)
            if (year->monthStarts[m] <= mjd)
                return {mjd - year->monthStarts[m] + 1, year->monthNumbers[m], year->year};
    }
    return {0, 0, 0};
}

// New year, New Moon days and leap month of one settings year, computed once.
struct ComputedYear {
    int newYear;
    ChineseNewMoons moons;
    int leapIndex;
};

ComputedYear computeYear(int year)
{
    ComputedYear computed{};
    computed.newYear = chineseNewYear(year, DeltaTRule{}, computed.moons);
    computed.leapIndex = chineseLeapMonthIndex(computed.moons, DeltaTRule{});
    return computed;
}

// The reference table follows the meridian of Beijing (UTC+7:46) before 1929, this calendar
// UTC+8 throughout. Measured: every new year of 1900-2099 agrees but 1916's (below), and 240
// of the 72683 civil days of 1901-2099 differ, one month in each of eight years, each a month
// that the reference begins one day earlier or later (New Moon times from PyEphem, UTC+8):
// - 1914-11-18 00:02, 1916-02-04 00:05, 1920-11-11 00:05: the reference's Beijing meridian;
// - 1933-07-23 00:03, 1978-09-03 00:09: the reference keeps the calendars published then,
//   which put these New Moons minutes after midnight on the previous day;
// - 1954-11-25 20:30, 1956-12-02 16:12: the reference gives the tenth month 30 days although
//   the New Moon opens the eleventh on that day;
// - 2097-08-07 23:59: 43 seconds before midnight; the lunation finder and the default
//   TT - UT of 2097 place it after midnight.
// Each day is taken from the New Moon days of its own year or of the next year as the day
// details take them.
TEST(ChineseCalendar, NewYearsAndEveryDayOf1901To2099AgreeWithTheReferenceButEightMonths)
{
    const std::vector<ReferenceYear> reference = readReference();
    ASSERT_EQ(reference.size(), 200u) << "tests/calendars/data/chinese_months.txt missing or short";
    ASSERT_EQ(reference.front().year, kFirstReferenceYear);
    ASSERT_EQ(reference.back().year, kLastReferenceYear);
    std::map<int, ComputedYear> computed;
    for (int year = kFirstReferenceYear; year <= kLastReferenceYear + 1; ++year)
        computed[year] = computeYear(year);

    for (const ReferenceYear& year : reference) {
        EXPECT_TRUE(isChineseYear(computed[year.year].moons)) << year.year;
        // The New Moon of 1916-02-04 00:05 (UTC+8) is 23:51 of the 3rd in Beijing.
        const int expected = year.year == 1916 ? year.newYearMjd + 1 : year.newYearMjd;
        EXPECT_EQ(computed[year.year].newYear, expected) << year.year;
    }

    std::map<int, int> differingDaysPerYear;
    for (int year = kFirstReferenceYear + 1; year <= kLastReferenceYear; ++year) {
        for (int mjd = mjdOf(year, 1, 1); mjd < mjdOf(year + 1, 1, 1); ++mjd) {
            const bool next = mjd >= computed[year].moons.days[computed[year].moons.count];
            const ComputedYear& used = computed[next ? year + 1 : year];
            const ChineseDate date =
                chineseDateInMonths(mjd, used.newYear, used.moons, used.leapIndex, next ? year + 1 : year);
            const ChineseDate expected = referenceDate(reference, mjd);
            if (date.day != expected.day || date.month != expected.month || date.year != expected.year)
                ++differingDaysPerYear[year];
        }
    }
    const std::map<int, int> expected = {{1914, 30}, {1916, 30}, {1920, 30}, {1933, 30},
                                         {1954, 30}, {1956, 30}, {1978, 30}, {2097, 30}};
    EXPECT_EQ(differingDaysPerYear, expected);
}

// Leap months late in the year, whose search runs past the September equinox where the solar
// longitude wraps from 540 back to 180 degrees.
TEST(ChineseCalendar, LeapMonthsAfterTheSeptemberEquinox)
{
    struct Case {
        int year, leapMonth;
    };
    const Case cases[] = {{1957, 8}, {1976, 8}, {1984, 10}, {1995, 8},
                          {2014, 9}, {2052, 8}, {2071, 8},  {2090, 8}};
    for (const Case& c : cases) {
        const ComputedYear computed = computeYear(c.year);
        ASSERT_GT(computed.leapIndex, 0) << c.year;
        const ChineseDate date = chineseDateInMonths(computed.moons.days[computed.leapIndex], computed.newYear,
                                                     computed.moons, computed.leapIndex, c.year);
        EXPECT_EQ(date.month, -c.leapMonth) << c.year;
        EXPECT_EQ(date.day, 1) << c.year;
    }
}

// A leap month right after the eleventh: the eleventh month of 2033 repeats from 2033-12-22,
// so the year 2034 starts at its fourth New Moon day.
TEST(ChineseCalendar, IntercalaryEleventhMonthMovesTheNewYear)
{
    const ComputedYear computed = computeYear(2034);
    ASSERT_EQ(computed.moons.count, 13);
    EXPECT_EQ(computed.moons.days[1], mjdOf(2033, 12, 22));
    EXPECT_EQ(computed.leapIndex, 1);
    EXPECT_EQ(computed.newYear, computed.moons.days[3]);
    EXPECT_EQ(computed.newYear, mjdOf(2034, 2, 19));

    const ChineseDate january = dateOfDay(2034, 1, 1);
    EXPECT_EQ(january.month, -11);
    EXPECT_EQ(january.day, 11);
    EXPECT_EQ(january.year, 2033);
    // Late December 2033, which already takes the New Moon days of 2034, is a golden day text.
}

TEST(ChineseCalendar, LateDecemberInTheEleventhMonthKeepsTheCivilYear)
{
    // The eleventh month of 2023 opens on 13 December, before the solstice.
    const ChineseDate date = dateOfDay(2023, 12, 25);
    EXPECT_EQ(date.day, 13);
    EXPECT_EQ(date.month, 11);
    EXPECT_EQ(date.year, 2023);
    const ChineseDate newYear = dateOfDay(2024, 2, 10);
    EXPECT_EQ(newYear.day, 1);
    EXPECT_EQ(newYear.month, 1);
    EXPECT_EQ(newYear.year, 2024);
}

// Before 1858-11-17 the MJDs are negative: a New Moon belongs to the day that contains it,
// not to the day its MJD rounds toward zero to. Days from PyEphem in UTC+8 (the New Moons of
// 1800-05-24 00:40 and 1801-01-15 00:34 are the closest to midnight).
TEST(ChineseCalendar, NewMoonDaysBeforeTheMjdEpoch)
{
    const int expected[] = {-21539, -21510, -21480, -21450, -21421, -21391, -21361,
                            -21332, -21302, -21273, -21243, -21214, -21184, -21155};
    const ComputedYear computed = computeYear(1800);
    ASSERT_EQ(computed.moons.count, 13);
    for (int i = 0; i <= computed.moons.count; ++i)
        EXPECT_EQ(computed.moons.days[i], expected[i]) << i;
}

TEST(ChineseCalendar, FirstYearOfChineseDates)
{
    ChineseDate date{};
    EXPECT_FALSE(chineseDateOfDay(-4713, DeltaTRule{}, mjdOf(-4713, 12, 31), date));

    // In -4712 only the days from the last eleventh month on take the New Moon days of -4711.
    const ComputedYear computed = computeYear(-4712);
    const int lastEleventh = computed.moons.days[computed.moons.count];
    EXPECT_FALSE(chineseDateOfDay(-4712, DeltaTRule{}, lastEleventh - 1, date));
    EXPECT_TRUE(chineseDateOfDay(-4712, DeltaTRule{}, lastEleventh, date));
    EXPECT_EQ(date.month, 11);
    EXPECT_EQ(date.day, 1);
    EXPECT_EQ(date.year, -4712);
}

}  // namespace
}  // namespace qv
