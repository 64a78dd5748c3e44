#include "astro/moon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/constants.h"
#include "base/julian.h"
#include "base/settings.h"
#include "table_check.h"

namespace {

TEST(MoonSeries, PositionAtJ2000) {
    const qv::PolarCoord p = qv::toPolar(qv::moonPosition(0.0));
    EXPECT_NEAR(p.longitude() * qv::kDegPerRad, 223.3189, 0.00005);
    EXPECT_NEAR(p.latitude() * qv::kDegPerRad, 5.1709, 0.00005);
    EXPECT_NEAR(p.radius(), 63.0965, 0.00005);
}

TEST(MoonSeries, StaysOnItsOrbitForDatesBeforeAndAfter2000) {
    // Every few days over 1600-2400: distance between perigee and apogee, latitude within the
    // inclination, longitude in [0, 2 pi), and a daily motion of 11 to 16 degrees.
    qv::SettingsRecord settings;
    settings.time.deltaTFollowsYear = false;
    for (double mjd = -40000.0; mjd < 150000.0; mjd += 997.3) {
        const qv::PolarCoord p = qv::toPolar(qv::moonPosition(qv::julianCenturies(mjd)));
        EXPECT_GT(p.radius(), 55.5);
        EXPECT_LT(p.radius(), 64.0);
        EXPECT_LT(std::fabs(p.latitude() * qv::kDegPerRad), 5.35);
        const qv::PolarCoord next = qv::toPolar(qv::moonPosition(qv::julianCenturies(mjd + 1.0)));
        const double dailyDeg = std::remainder(next.longitude() - p.longitude(), qv::kTwoPi) * qv::kDegPerRad;
        EXPECT_GT(dailyDeg, 11.0);
        EXPECT_LT(dailyDeg, 16.0);
        double eqeq = 0.0;
        double eclLongitudeRad = -1.0;
        qv::moonApparentEquatorial(qv::Instant{mjd, qv::deltaTSecondsOfYear(settings.time)}, eqeq, eclLongitudeRad);
        EXPECT_GE(eclLongitudeRad, 0.0);
        EXPECT_LT(eclLongitudeRad, qv::kTwoPi);
    }
}

TEST(MoonSeries, ApparentPlaceKeepsTheDistanceAndUsesTheSettingsTime) {
    qv::SettingsRecord settings;
    settings.time.year = 2000;
    settings.time.deltaTFollowsYear = true;
    const double mjdUT = 51544.5 - qv::deltaTDefault(2000) / 86400.0;  // J2000.0 TT
    double eqeq = 0.0;
    double eclLongitudeRad = 0.0;
    const qv::Vec3 apparent = qv::moonApparentEquatorial(qv::Instant{mjdUT, qv::deltaTSecondsOfYear(settings.time)}, eqeq, eclLongitudeRad);
    EXPECT_NEAR(eclLongitudeRad * qv::kDegPerRad, 223.3189, 0.00005);
    EXPECT_NEAR(eqeq, -0.858, 0.001);
    // No aberration for the Moon: the frame rotations keep the distance exactly.
    EXPECT_NEAR(qv::norm(apparent), 63.0965, 0.00005);
    // The Moon moves about half an arcsecond per second of TT - UT.
    settings.time.deltaTManualSeconds = qv::deltaTDefault(2000) + 100.0;
    settings.time.deltaTFollowsYear = false;
    double laterLongitudeRad = 0.0;
    qv::moonApparentEquatorial(qv::Instant{mjdUT, qv::deltaTSecondsOfYear(settings.time)}, eqeq, laterLongitudeRad);
    EXPECT_NEAR((laterLongitudeRad - eclLongitudeRad) * qv::kDegPerRad * 3600.0 / 100.0, 0.5, 0.1);
}

double solarColumn(const qv::MoonSolarTerm& t, int c) {
    const double values[] = {static_cast<double>(t.p), static_cast<double>(t.q), static_cast<double>(t.r),
                             static_cast<double>(t.s), t.dlam, t.ds, t.gamc, t.sinpi};
    return values[c];
}

double latitudeColumn(const qv::MoonLatitudeTerm& t, int c) {
    const double values[] = {static_cast<double>(t.p), static_cast<double>(t.q), static_cast<double>(t.r),
                             static_cast<double>(t.s), t.n};
    return values[c];
}

TEST(MoonSeries, TermTablesAreComplete) {
    ASSERT_EQ(qv::moonSolarTerms().size(), 104u);
    ASSERT_EQ(qv::moonLatitudeTerms().size(), 10u);
    // Columns in table order: p, q, r, s, dlam, ds, gamc, sinpi.
    static constexpr ColumnCheck kSolar[] = {
        {126, 7603}, {22, 1118}, {18, 1058}, {-74, -4856},
        {19561.323, 113533.482}, {20653.09, 151516.00}, {3.891, 58.381}, {265.3152, 2249.7661},
    };
    expectColumnSums(qv::moonSolarTerms(), solarColumn, kSolar);
    // Columns: p, q, r, s, n.
    static constexpr ColumnCheck kLatitude[] = {
        {-4, -34}, {0, -1}, {10, 55}, {-20, -98}, {-539.358, -786.307},
    };
    expectColumnSums(qv::moonLatitudeTerms(), latitudeColumn, kLatitude);
}

}  // namespace
