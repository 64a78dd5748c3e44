#include "config/input_limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qv {
namespace {

TEST(InputLimits, YearAcceptsItsBoundsAndRefusesOneBeyond)
{
    EXPECT_EQ(checkYear(-99999), "");
    EXPECT_EQ(checkYear(99999), "");
    EXPECT_EQ(checkYear(-100000), "Year must be between -99999 and 99999.");
    EXPECT_EQ(checkYear(100000), "Year must be between -99999 and 99999.");
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

}  // namespace
}  // namespace qv
