#include "config/input_limits.h"

#include <gtest/gtest.h>

#include "base/julian.h"

#include <cmath>
#include <limits>

namespace qv {
namespace {

TEST(InputLimits, YearAcceptsItsBoundsAndRefusesOneBeyond)
{
    EXPECT_EQ(checkYear(-9999), "");
    EXPECT_EQ(checkYear(9999), "");
    EXPECT_EQ(checkYear(-10000), "Year must be between -9999 and 9999.");
    EXPECT_EQ(checkYear(10000), "Year must be between -9999 and 9999.");
    // An instant is judged by the year of its local date.
    EXPECT_EQ(checkInstantYear(modifiedJulianDate(31, 12, 9999, 23.9)), "");
    EXPECT_EQ(checkInstantYear(modifiedJulianDate(1, 1, -9999, 0.0)), "");
    EXPECT_EQ(checkInstantYear(modifiedJulianDate(1, 1, 10000, 0.0)), checkYear(10000));
    EXPECT_EQ(checkInstantYear(modifiedJulianDate(31, 12, -10000, 23.9)), checkYear(10000));
    EXPECT_EQ(checkInstantYear(std::numeric_limits<double>::quiet_NaN()), checkYear(10000));
}

// Every day of every month of the accepted years exists exactly when the calendar of its year
// has it: leap years Julian up to 1582 and Gregorian after, and no 5..14 October 1582.
TEST(InputLimits, DatesExistAsTheirCalendarHasThem)
{
    const auto leap = [](int y) {
        const bool fourth = ((y % 4) + 4) % 4 == 0;
        return y <= 1582 ? fourth : fourth && (y % 100 != 0 || y % 400 == 0);
    };
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int year = kYearMin; year <= kYearMax; year += 7) {
        for (int month = 1; month <= 12; ++month) {
            const int length = days[month - 1] + (month == 2 && leap(year) ? 1 : 0);
            for (int day = 28; day <= 31; ++day) {
                const bool skipped = year == 1582 && month == 10 && day >= 5 && day <= 14;
                ASSERT_EQ(checkDateExists(year, month, day).empty(), day <= length && !skipped)
                    << year << "-" << month << "-" << day;
            }
        }
    }
    EXPECT_EQ(checkDateExists(2024, 2, 30), "February 2024 has 29 days.");
    EXPECT_EQ(checkDateExists(2023, 2, 29), "February 2023 has 28 days.");
    EXPECT_EQ(checkDateExists(1500, 2, 29), "");  // a Julian leap year
    EXPECT_EQ(checkDateExists(2024, 4, 31), "April 2024 has 30 days.");
    EXPECT_EQ(checkDateExists(1582, 10, 4), "");
    EXPECT_EQ(checkDateExists(1582, 10, 15), "");
    for (int day = 5; day <= 14; ++day)
        EXPECT_EQ(checkDateExists(1582, 10, day),
                  "the calendar reform left out 5 to 14 October 1582.");
}

TEST(InputLimits, DdmmssMinutesAndSecondsMustStayBelowSixty)
{
    const struct {
        double packed;
        const char* message;
    } cases[] = {
        {48.2845, ""},
        {-48.5959, ""},
        {48.59599, ""},
        {0.0059, ""},
        {45.6, "Latitude in DD.MMSS: the minutes (60) must be below 60."},
        {48.7599, "Latitude in DD.MMSS: the minutes (75) must be below 60."},
        {-10.99, "Latitude in DD.MMSS: the minutes (99) must be below 60."},
        {48.296, "Latitude in DD.MMSS: the seconds (60) must be below 60."},
        {48.2999, "Latitude in DD.MMSS: the seconds (99) must be below 60."},
        {-120.0075, "Latitude in DD.MMSS: the seconds (75) must be below 60."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkDdmmssParts(c.packed, "Latitude"), c.message) << c.packed;
}

TEST(InputLimits, RealRangesAcceptTheirBoundsAndRefuseBeyondAndNonFinite)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::string (*check)(double);
        double low;
        double high;
        const char* message;
    } cases[] = {
        {checkTimeZone, -24.0, 24.0, "Time zone must be between -24 and 24 hours."},
        {checkLatitude, -90.0, 90.0, "Latitude must be between -90 and 90 degrees."},
        {checkLongitude, -360.0, 360.0, "Longitude must be between -360 and 360 degrees."},
        {checkHeight, -6378140.0, 1e9, "Height must be between -6378140 and 1000000000 metres."},
        {checkDeltaT, -1e7, 1e7, "TT - UT must be between -10000000 and 10000000 seconds."},
        {checkCentralMeridian, -360.0, 360.0,
         "Central meridian must be between -360 and 360 degrees."},
        {checkPanelAzimuth, -360.0, 360.0, "Azimuth must be between -360 and 360 degrees."},
        {checkPanelElevation, -90.0, 90.0, "Elevation must be between -90 and 90 degrees."},
        {checkPanelEfficiency, 0.0, 100.0, "Efficiency must be between 0 and 100 percent."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.check(c.low), "") << c.message;
        EXPECT_EQ(c.check(c.high), "") << c.message;
        EXPECT_EQ(c.check(0.0), "") << c.message;
        for (double bad : {std::nextafter(c.low, -kInf), std::nextafter(c.high, kInf), kNaN, kInf,
                           -kInf})
            EXPECT_EQ(c.check(bad), c.message) << bad;
    }
}

TEST(InputLimits, PanelMonthsLieInTheYearAndRunForward)
{
    EXPECT_EQ(checkMonth(1, "Start month"), "");
    EXPECT_EQ(checkMonth(12, "End month"), "");
    EXPECT_EQ(checkMonth(0, "Start month"), "Start month must be between 1 and 12.");
    EXPECT_EQ(checkMonth(13, "End month"), "End month must be between 1 and 12.");
    EXPECT_EQ(checkMonthInterval(3, 3), "");
    EXPECT_EQ(checkMonthInterval(4, 3), "The start month must not come after the end month.");
}

}  // namespace
}  // namespace qv
