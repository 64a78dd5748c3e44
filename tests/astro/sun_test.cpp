#include "astro/sun.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/constants.h"
#include "base/julian.h"
#include "base/settings.h"
#include "table_check.h"

namespace {

constexpr double kArcsec = 1.0 / 3600.0;  // degrees

double longitudeDeg(const qv::Vec3& v) { return qv::toPolar(v).longitude() * qv::kDegPerRad; }

TEST(SunSeries, PositionAtJ2000) {
    const qv::PolarCoord p = qv::toPolar(qv::sunPosition(0.0));
    EXPECT_NEAR(p.longitude() * qv::kDegPerRad, 280.3775, 0.00005);
    EXPECT_NEAR(p.latitude() * qv::kDegPerRad / kArcsec, 0.77, 0.005);
    EXPECT_NEAR(p.radius(), 0.983327, 0.0000005);
}

TEST(SunSeries, LongitudeNearTheEquinoxes) {
    const double t = qv::julianCenturies(51623.3 + 64.0 / 86400.0);
    EXPECT_NEAR(longitudeDeg(qv::sunPosition(t)), 359.9936, 0.00005);
    EXPECT_NEAR(qv::sunLongitudeDegrees(qv::Instant{51623.3, 64.0}), 359.9936, 0.00005);
    // Past the March equinox the value keeps counting from 360.
    EXPECT_NEAR(qv::sunLongitudeDegrees(qv::Instant{51626.0, 64.0}), 362.673, 0.0005);
    EXPECT_NEAR(qv::sunLongitudeDegrees(qv::Instant{51810.0, 64.0}), 180.277, 0.0005);
}

TEST(SunSeries, LongitudeDegreesStaysInRangeThroughAYear) {
    double previous = qv::sunLongitudeDegrees(qv::Instant{-40000.0, 0.0});
    int wraps = 0;
    for (int day = 1; day <= 366; ++day) {
        const double value = qv::sunLongitudeDegrees(qv::Instant{-40000.0 + day, 0.0});
        EXPECT_GE(value, 180.0);
        EXPECT_LT(value, 540.0);
        if (value < previous) ++wraps;  // only at the September equinox, 540 back to 180
        previous = value;
    }
    EXPECT_EQ(wraps, 1);
}

TEST(SunSeries, ApparentPlaceUsesSettingsTimeAndNutation) {
    qv::SettingsRecord automatic;
    automatic.time.year = 2000;
    automatic.time.deltaTFollowsYear = true;
    const double mjdUT = 51544.5 - qv::deltaTDefault(2000) / 86400.0;  // J2000.0 TT
    double eqeq = 0.0;
    double eclLongitudeRad = 0.0;
    const qv::Vec3 apparent = qv::sunApparentEquatorial(qv::Instant{mjdUT, qv::deltaTSecondsOfYear(automatic.time)}, eqeq, eclLongitudeRad);
    EXPECT_NEAR(eclLongitudeRad * qv::kDegPerRad, 280.3775, 0.00005);
    EXPECT_NEAR(eqeq, -0.858, 0.001);
    EXPECT_NEAR(qv::norm(apparent), 0.983327, 0.000001);

    // A stored TT - UT is used when the automatic flag is off.
    qv::SettingsRecord manual;
    manual.time.deltaTManualSeconds = qv::deltaTDefault(2000);
    manual.time.deltaTFollowsYear = false;
    double eclManual = 0.0;
    const qv::Vec3 same = qv::sunApparentEquatorial(qv::Instant{mjdUT, qv::deltaTSecondsOfYear(manual.time)}, eqeq, eclManual);
    EXPECT_EQ(eclManual, eclLongitudeRad);
    EXPECT_EQ(qv::norm(same - apparent), 0.0);
    // An hour more of TT - UT: the Sun is 152.9" per hour further on in early January.
    manual.time.deltaTManualSeconds = qv::deltaTDefault(2000) + 3600.0;
    qv::sunApparentEquatorial(qv::Instant{mjdUT, qv::deltaTSecondsOfYear(manual.time)}, eqeq, eclManual);
    EXPECT_NEAR((eclManual - eclLongitudeRad) * qv::kDegPerRad / kArcsec, 152.9, 0.1);
}

double sunColumn(const qv::SunTerm& t, int c) {
    const double values[] = {static_cast<double>(t.planet), static_cast<double>(t.i1), static_cast<double>(t.i),
                             static_cast<double>(t.it), t.dlc, t.dls, t.drc, t.drs, t.dbc, t.dbs};
    return values[c];
}

TEST(SunSeries, TermTableIsComplete) {
    const std::span<const qv::SunTerm> terms = qv::sunTerms();
    ASSERT_EQ(terms.size(), 52u);
    int perPlanet[4] = {};
    for (const qv::SunTerm& t : terms) ++perPlanet[t.planet];
    EXPECT_EQ(perPlanet[qv::kVenus], 23);
    EXPECT_EQ(perPlanet[qv::kMars], 13);
    EXPECT_EQ(perPlanet[qv::kJupiter], 12);
    EXPECT_EQ(perPlanet[qv::kSaturn], 4);
    // Columns in table order; the planet as 0 Venus, 1 Mars, 2 Jupiter, 3 Saturn.
    static constexpr ColumnCheck kExpected[] = {
        {49, 2016},           {138, 3530},         {-140, -4113},    {4, 13},        {-7.08, -289.16},
        {6942.27, 7018.72},   {-16789.53, -16503.11}, {-3.06, -439.20}, {0.32, 5.46}, {-0.53, -13.12},
    };
    expectColumnSums(terms, sunColumn, kExpected);
}

}  // namespace
