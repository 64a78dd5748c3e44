#include "base/julian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace qv {
namespace {

constexpr double kExact = 1e-9;
constexpr double kMicroDegree = 1e-6;

TEST(ModifiedJulianDate, CalendarReformCheckValues)
{
    EXPECT_EQ(modifiedJulianDate(1, 1, 2000, 0.0), 51544.0);
    EXPECT_EQ(modifiedJulianDate(1, 1, 2000, 12.0), 51544.5);
    EXPECT_EQ(modifiedJulianDate(4, 10, 1582, 0.0), -100841.0);
    EXPECT_EQ(modifiedJulianDate(15, 10, 1582, 0.0), -100840.0);
    // The ten dropped days are taken as Gregorian dates.
    EXPECT_EQ(modifiedJulianDate(5, 10, 1582, 0.0), -100850.0);
}

struct CivilDate {
    double mjd;
    int day, month, year;
};

TEST(CalendarDate, SwitchesCalendarsAndCountsBackBeforeTheEpoch)
{
    const CivilDate cases[] = {
        {-100841.0, 4, 10, 1582},  {-100840.0, 15, 10, 1582}, {-2400001.0, 1, 1, -4712},
        {-2400002.0, 31, 12, -4713}, {-2400366.0, 1, 1, -4713}, {51544.0, 1, 1, 2000},
    };
    for (const CivilDate& c : cases) {
        int day, month, year;
        double hour;
        calendarDate(c.mjd, day, month, year, hour);
        EXPECT_EQ(day, c.day) << c.mjd;
        EXPECT_EQ(month, c.month) << c.mjd;
        EXPECT_EQ(year, c.year) << c.mjd;
        EXPECT_EQ(hour, 0.0) << c.mjd;
    }
}

TEST(CalendarDate, RoundTripsEveryDayFromYearMinus6000To3000)
{
    const double first = modifiedJulianDate(1, 1, -6000, 6.0);
    const double last = modifiedJulianDate(31, 12, 3000, 6.0);
    int failures = 0;
    for (double mjd = first; mjd <= last && failures < 5; mjd += 1.0) {
        int day, month, year;
        double hour;
        calendarDate(mjd, day, month, year, hour);
        if (modifiedJulianDate(day, month, year, hour) != mjd || day < 1 || day > 31) {
            ++failures;
            ADD_FAILURE() << "MJD " << mjd << " gives " << year << "-" << month << "-" << day;
        }
    }
    int day, month, year;
    double hour;
    calendarDate(last, day, month, year, hour);
    EXPECT_EQ(year, 3000);
}

TEST(SplitDms, SignSitsOnTheFirstNonZeroPart)
{
    int d, m;
    double s;
    splitDms(-0.5, d, m, s);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(m, -30);
    EXPECT_NEAR(s, 0.0, kExact);
    splitDms(-0.001, d, m, s);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(m, 0);
    EXPECT_NEAR(s, -3.6, 1e-9);
    splitDms(-12.5, d, m, s);
    EXPECT_EQ(d, -12);
    EXPECT_EQ(m, 30);
    EXPECT_EQ(dmsToDecimal(0, -30, 0.0), -0.5);
    EXPECT_EQ(dmsToDecimal(12, 30, 0.0), 12.5);
}

TEST(DeltaTDefault, CheckValuesAndJoins)
{
    const std::pair<int, double> cases[] = {
        {0, 9953.184},   {1000, 1632.184}, {1700, 24.184},  {1864, 8.184},   {1865, 6.184},
        {1884, -4.816},  {1900, -4.816},   {1950, 28.184},  {1985, 55.184},  {1986, 55.184},
        {1990, 57.184},  {1994, 60.184},   {1995, 60.184},  {1999, 64.184},  {2005, 64.184},
        {2006, 65.184},  {2008, 65.184},   {2009, 66.184},  {2011, 66.184},  {2012, 67.184},
        {2013, 67.184},  {2014, 68.184},   {2020, 72.184},  {2024, 73.184},  {2025, 74.184},
        {2100, 146.184},
    };
    for (const auto& [year, seconds] : cases)
        EXPECT_NEAR(deltaTDefault(year), seconds, kExact) << year;
}

// Worked example 22.a of Meeus, Astronomical Algorithms: 1987-04-10 0h TT is
// T = -0.127296372348 and the mean obliquity 23 deg 26' 27.407".
TEST(Obliquity, MeanObliquityOfAPublishedExample)
{
    constexpr double kDegree = 0.017453292519943295;
    constexpr double kArcsecond = 1.0 / 3600.0;
    EXPECT_EQ(julianCenturies(51544.5), 0.0);
    EXPECT_NEAR(julianCenturies(46895.0), -0.127296372348, 1e-12);
    EXPECT_NEAR(meanObliquity(-0.127296372348) / kDegree, 23.0 + 26.0 / 60.0 + 27.407 * kArcsecond,
                0.001 * kArcsecond);
}

TEST(PackedAngles, DdmmssAndHhmmConversions)
{
    EXPECT_NEAR(decimalToDdmmss(48.4791666666667), 48.2845, kMicroDegree);
    EXPECT_NEAR(decimalToDdmmss(-48.4791666666667), -48.2845, kMicroDegree);
    EXPECT_NEAR(decimalToDdmmss(10.99999), 11.0, kExact);
    EXPECT_NEAR(ddmmssToDecimal(48.2845), 48.0 + 28.0 / 60 + 45.0 / 3600, 1e-9);
    EXPECT_NEAR(ddmmssToDecimal(-0.3), -0.5, 1e-9);
    EXPECT_NEAR(decimalToHhmm(13.5), 13.30, kExact);
    EXPECT_NEAR(decimalToHhmm(23.9999), 24.0, kExact);
    EXPECT_NEAR(decimalToHhmm(-1.25), -1.15, kExact);
}

std::string formatted(double mjd, bool tabbed = false)
{
    char buffer[14] = {};
    if (tabbed)
        formatDateTimeTabbed(mjd, buffer);
    else
        formatDateTime(mjd, buffer);
    return std::string(buffer, 13);
}

TEST(FormatDateTime, MonthDayAndRoundedTime)
{
    const double jan5 = modifiedJulianDate(5, 1, 2024, 0.0);
    EXPECT_EQ(formatted(jan5 + (14 * 60 + 3) / 1440.0), "JAN  5 14:03 ");
    EXPECT_EQ(formatted(jan5 + (23 * 3600 + 59 * 60 + 45) / 86400.0), "JAN  5 24:00 ");
    EXPECT_EQ(formatted(jan5 + (14 * 60 + 3) / 1440.0, true), "JAN  5\t14:03\t");
    char name[4];
    monthAbbreviation(13, name);
    EXPECT_STREQ(name, "ERR");
    monthAbbreviation(0, name);
    EXPECT_STREQ(name, "ERR");
    monthAbbreviation(12, name);
    EXPECT_STREQ(name, "DEC");
}

// The minute the tables print, as an instant: the same text, and a whole minute.
TEST(PrintedMinute, IsTheInstantOfThePrintedText)
{
    const double jan5 = modifiedJulianDate(5, 1, 2024, 0.0);
    EXPECT_DOUBLE_EQ(printedMinute(jan5 + (23 * 3600 + 59 * 60 + 45) / 86400.0), jan5 + 1.0);
    EXPECT_DOUBLE_EQ(printedMinute(jan5 + (14 * 3600 + 3 * 60 + 20) / 86400.0), jan5 + (14 * 60 + 3) / 1440.0);
    for (double mjd = -700000.123; mjd < 100000.0; mjd += 997.0131) {
        const double minute = printedMinute(mjd);
        ASSERT_NEAR(minute * 1440.0, std::round(minute * 1440.0), 1e-3) << mjd;
        ASSERT_EQ(formatted(minute + 1e-7), formatted(mjd)) << mjd;
    }
}

TEST(GregorianDate, ProlepticBeforeTheReform)
{
    const CivilDate cases[] = {
        {modifiedJulianDate(4, 10, 1582, 12.0), 14, 10, 1582},  // the last Julian day
        {modifiedJulianDate(15, 10, 1582, 0.0), 15, 10, 1582},
        {0.0, 17, 11, 1858},
        {modifiedJulianDate(1, 1, 1, 0.0), 30, 12, 0},           // 1 January of year 1, Julian
        {modifiedJulianDate(1, 3, 200, 0.0), 1, 3, 200},         // the calendars agree in 200-300
        {modifiedJulianDate(31, 12, 9999, 23.9), 31, 12, 9999},
    };
    for (const CivilDate& c : cases) {
        const DayMonthYear date = gregorianDate(c.mjd);
        EXPECT_EQ(date.day, c.day) << c.mjd;
        EXPECT_EQ(date.month, c.month) << c.mjd;
        EXPECT_EQ(date.year, c.year) << c.mjd;
    }
}

}  // namespace
}  // namespace qv
