// Rise, set and twilight at the edges: polar days and nights, the poles themselves, the
// linear crossing and its clamp. The worked example of 48 N is checked in the sky details text.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/rise_set.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"

namespace {

struct Place {
    qv::SettingsRecord settings;
    double mjdUT;
    double latitudeRad;
    double longitudeRad;
};

Place placeAt(double latitudeDeg, int month, int day) {
    Place p;
    p.settings.deltaTAuto = 0;
    p.settings.deltaT = 64.184;
    p.settings.latitude = latitudeDeg;
    p.settings.longitude = 11.0;
    p.mjdUT = qv::modifiedJulianDate(day, month, 2000, 12.0);
    p.latitudeRad = latitudeDeg * qv::kRadPerDeg;
    p.longitudeRad = 11.0 * qv::kRadPerDeg;
    return p;
}

// Topocentric altitude in degrees of a geocentric vector at the place's instant.
double altitudeDeg(const Place& p, double eqeq, const qv::Vec3& v) {
    double azimuth = 0.0;
    double altitude = 0.0;
    double distance = 0.0;
    qv::horizonCoordinates(p.mjdUT, eqeq, p.latitudeRad, p.longitudeRad, 0.0, true, v, azimuth, altitude, distance);
    return altitude * qv::kDegPerRad;
}

qv::SunEvents sunEventsAt(const Place& p) {
    double eqeq = 0.0;
    double eclLongitude = 0.0;
    const qv::Vec3 sun = qv::EARTH_RADII_PER_AU * qv::sunApparentEquatorial(p.settings, p.mjdUT, eqeq, eclLongitude);
    return qv::sunEvents(p.settings, p.mjdUT, sun, altitudeDeg(p, eqeq, sun), eqeq, p.latitudeRad, p.longitudeRad);
}

TEST(SunEvents, PolarDaysAndNightsEndTheTwilightListAtTheFirstAltitudeNeverLeft) {
    struct Case {
        double latitudeDeg;
        int month;
        int horizonStatus;
        int twilightLines;
        int twilightStatus[3];
    };
    const Case cases[] = {
        {70.0, 6, qv::kStaysAbove, 0, {}},  // midnight Sun: no twilight lines
        {70.0, 12, qv::kStaysBelow, 3, {qv::kEventsFound, qv::kEventsFound, qv::kEventsFound}},
        {80.0, 12, qv::kStaysBelow, 3, {qv::kStaysBelow, qv::kStaysBelow, qv::kEventsFound}},
        {63.0, 6, qv::kEventsFound, 1, {qv::kStaysAbove}},  // white night: never down to -6
        {90.0, 6, qv::kStaysAbove, 0, {}},
        {-90.0, 6, qv::kStaysBelow, 3, {qv::kStaysBelow, qv::kStaysBelow, qv::kStaysBelow}},
    };
    for (const Case& c : cases) {
        const qv::SunEvents events = sunEventsAt(placeAt(c.latitudeDeg, c.month, 21));
        SCOPED_TRACE(c.latitudeDeg);
        EXPECT_EQ(events.horizon.status, c.horizonStatus);
        ASSERT_EQ(events.twilightLines, c.twilightLines);
        for (int i = 0; i < c.twilightLines; ++i)
            EXPECT_EQ(events.twilights[i].status, c.twilightStatus[i]) << "twilight " << i;
    }
}

TEST(MoonRiseSet, NoEventAtThePoles) {
    for (double latitudeDeg : {90.0, -90.0}) {
        const Place p = placeAt(latitudeDeg, 1, 21);
        double eqeq = 0.0;
        double eclLongitude = 0.0;
        const qv::Vec3 moon = qv::moonApparentEquatorial(p.settings, p.mjdUT, eqeq, eclLongitude);
        const double altitude = altitudeDeg(p, eqeq, moon);
        const qv::RiseSet events =
            qv::moonRiseSet(p.settings, p.mjdUT, moon, qv::norm(moon), altitude, eqeq, p.latitudeRad, p.longitudeRad);
        EXPECT_EQ(events.status, altitude >= 0.0 ? qv::kStaysAbove : qv::kStaysBelow) << latitudeDeg;
    }
}

TEST(SunCrossing, LinearCrossingFlatLineAndClampToThreeHours) {
    EXPECT_DOUBLE_EQ(qv::interpolateCrossing(0.0, 1.0, 0.0, 2.0, 1.0), 0.5);
    EXPECT_DOUBLE_EQ(qv::interpolateCrossing(3.0, 4.0, 5.0, 5.0, 1.0), 3.0);
    // From local noon the Sun barely moves in altitude: the crossing found lies far away and
    // is clamped to 3 hours from the estimate, toward the crossing.
    const Place p = placeAt(48.0, 6, 21);
    const double noonUT = qv::modifiedJulianDate(21, 6, 2000, 12.0 - 11.0 / 15.0);
    double eqeq = 0.0;
    const double morning = qv::sunCrossingTime(p.settings, noonUT - 0.01, eqeq, p.latitudeRad, p.longitudeRad, -0.83);
    const double evening = qv::sunCrossingTime(p.settings, noonUT + 0.01, eqeq, p.latitudeRad, p.longitudeRad, -0.83);
    EXPECT_NEAR(morning, noonUT - 0.01 - 0.125, 1e-12);
    EXPECT_NEAR(evening, noonUT + 0.01 + 0.125, 1e-12);
}

}  // namespace
