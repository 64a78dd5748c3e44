// The Sun's linear crossing and its clamp. The worked example of 48 N and the polar days and
// nights are checked in the sky details text, the events against PyEphem in the cross-check.
#include <gtest/gtest.h>

#include "astro/rise_set.h"
#include "base/constants.h"
#include "base/julian.h"

namespace {

TEST(SunCrossing, LinearCrossingFlatLineAndClampToThreeHours) {
    EXPECT_DOUBLE_EQ(qv::interpolateCrossing(0.0, 1.0, 0.0, 2.0, 1.0), 0.5);
    EXPECT_DOUBLE_EQ(qv::interpolateCrossing(3.0, 4.0, 5.0, 5.0, 1.0), 3.0);
    // Near local noon at 48 N 11 E the Sun barely moves in altitude: the crossing found lies far
    // away and is clamped to 3 hours from the estimate, toward the crossing.
    const qv::EventSite site{48.0 * qv::kRadPerDeg, 11.0 * qv::kRadPerDeg, 0.0, 64.184};
    const double noonUT = qv::modifiedJulianDate(21, 6, 2000, 12.0 - 11.0 / 15.0);
    double eqeq = 0.0;
    EXPECT_NEAR(qv::sunCrossingTime(site, noonUT - 0.01, eqeq, -0.83), noonUT - 0.135, 1e-12);
    EXPECT_NEAR(qv::sunCrossingTime(site, noonUT + 0.01, eqeq, -0.83), noonUT + 0.135, 1e-12);
}

}  // namespace
