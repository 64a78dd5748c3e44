#include "astro/refraction.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/constants.h"

namespace {

constexpr double kArcminRad = qv::kRadPerDeg / 60.0;

double standardRefraction(double altitudeDeg) {
    return qv::refraction(altitudeDeg * qv::kRadPerDeg, qv::kStandardPressureMbar, qv::kStandardTemperatureC);
}

// The cotangent rule at 1015 mbar and 15 degrees Celsius: about 34' at the horizon, 5.3' at 10
// degrees, nothing at the zenith; none at or below -2 degrees, where the rule would run into
// its pole at -4.4 degrees.
TEST(Refraction, StandardAtmosphere) {
    EXPECT_NEAR(standardRefraction(0.0), 34.09 * kArcminRad, 0.01 * kArcminRad);
    EXPECT_NEAR(standardRefraction(10.0), 5.33 * kArcminRad, 0.01 * kArcminRad);
    EXPECT_NEAR(standardRefraction(90.0), 0.0, 0.01 * kArcminRad);
    EXPECT_GT(standardRefraction(-1.9), standardRefraction(0.0));
    EXPECT_EQ(qv::refraction(qv::kRefractionFloorRad, 1015.0, 15.0), 0.0);
    EXPECT_EQ(standardRefraction(-4.4), 0.0);
    // Proportional to the pressure, inversely to the absolute temperature.
    EXPECT_NEAR(qv::refraction(0.1, 507.5, 15.0), 0.5 * qv::refraction(0.1, 1015.0, 15.0), 1e-12);
    EXPECT_NEAR(qv::refraction(0.1, 1015.0, 303.0), 0.5 * qv::refraction(0.1, 1015.0, 15.0), 1e-12);
}

// The slope bound holds everywhere above its altitude (measured on a 0.001-degree grid by
// differences over 0.0002 degrees), from just above the floor to the zenith, and is close to
// the slope there: the eclipse scans size their steps by it.
TEST(Refraction, SlopeBoundAboveAnAltitude) {
    for (double fromDeg = -2.0; fromDeg < 89.0; fromDeg += fromDeg < 5.0 ? 0.05 : 1.0) {
        const double bound = qv::standardRefractionSlopeAbove(fromDeg * qv::kRadPerDeg);
        double steepest = 0.0;
        for (double altitudeDeg = std::fmax(fromDeg, -2.0 + 2e-4); altitudeDeg < 90.0;
             altitudeDeg += altitudeDeg < 10.0 ? 1e-3 : 0.05) {
            const double slope = std::fabs(standardRefraction(altitudeDeg + 1e-4) - standardRefraction(altitudeDeg - 1e-4)) /
                                 (2e-4 * qv::kRadPerDeg);
            steepest = std::fmax(steepest, slope);
        }
        EXPECT_LE(steepest, bound * (1.0 + 1e-6)) << fromDeg;
        EXPECT_GE(steepest, bound * 0.95) << fromDeg;
    }
}

}  // namespace
