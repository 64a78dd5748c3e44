// The sky details: the worked example of 48 N 11 E on 21 June 2000 and a west-longitude DD.MMSS
// case against the golden texts, the Moon's disk near the full, first-quarter and new Moon of
// January 2000, the polar days and nights, the Sun's rise and set around 300 instants with the
// signs and seconds of the printed places, and the observer at the Earth's centre.
#include "reports/sky_details.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astro/rise_set.h"
#include "base/constants.h"
#include "base/julian.h"
#include "config/settings_io.h"
#include "support/golden_text.h"

namespace qv {
namespace {

using testing::matchesGolden;

// 48 N 11 E at sea level, zone 0, TT - UT 64.184 s: the place of the worked examples.
SettingsRecord munich(int year, int month, int day, int hour, int minute = 0, int second = 0)
{
    SettingsRecord s;
    s.time.year = year;
    s.time.month = month;
    s.time.day = day;
    s.time.hour = hour;
    s.time.minute = minute;
    s.time.second = second;
    s.time.deltaTManualSeconds = 64.184;
    s.time.deltaTFollowsYear = false;
    s.observer.latitudeDeg = 48.0;
    s.observer.longitudeDeg = 11.0;
    storeLocationName(s, "Munich");
    return s;
}

// The settings at an instant given as an MJD of UT (zone 0).
SettingsRecord munichAt(double mjdUT)
{
    int day = 0;
    int month = 0;
    int year = 0;
    double hour = 0.0;
    calendarDate(mjdUT + 0.5 / 86400.0, day, month, year, hour);
    const int seconds = static_cast<int>(hour * 3600.0);
    return munich(year, month, day, seconds / 3600, seconds / 60 % 60, seconds % 60);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

constexpr double kUnchecked = 1e9;

TEST(SkyDetails, WholeTextsMatchTheGoldenTexts)
{
    // Worked example: JD 2451717.0, sidereal time 6.4358, the Sun at 6h 1m 46s, 23d 26m 10s,
    // azimuth 202.6, elevation 64.1; rise 3:16 and set 19:19 of the same day, the twilights
    // down to 23:58 of 20 June, the Moon from 21:50 of 20 June to 7:17 (the estimates from the
    // day before, 21:36 and 6:31, moved by the minute searches).
    EXPECT_TRUE(matchesGolden("sky_2000-06-21_munich.txt", skyDetailsText(munich(2000, 6, 21, 12)) + "\n"));
    // 9:05:03 in zone 1 at 48 30' N 11 30' 30" W, 520 m, shown in DD.MMSS: before sunrise, so the
    // rise and set of the day before.
    SettingsRecord west = munich(2000, 1, 21, 9, 5, 3);
    west.time.zone.offsetHours = 1.0;
    west.observer.latitudeDeg = ddmmssToDecimal(48.3);
    west.observer.longitudeDeg = ddmmssToDecimal(-11.303);
    west.observer.heightM = 520.0;
    west.display.dmsAngles = 1;
    storeLocationName(west, "Dms west");
    EXPECT_TRUE(matchesGolden("sky_2000-01-21_dms.txt", skyDetailsText(west) + "\n"));
}

TEST(SkyDetails, MoonDiskNearFullAndFirstQuarterAndNew)
{
    // Tolerances: half a unit of the last printed digit.
    struct Case {
        double mjdUT;
        double illuminated, phase, librationLongitudeDeg, librationLatitudeDeg, terminatorDeg, magnitude;
    };
    const Case cases[] = {
        {51564.2, 1.00, 0.500, kUnchecked, kUnchecked, -87.4, -12.9},  // Full Moon of 21 January 2000
        {51557.0, 0.44, 0.230, -7.82, 6.91, 0.0, -9.8},                 // near the First Quarter
    };
    for (const Case& c : cases) {
        const SkyCircumstances sky = skyDetails(munichAt(c.mjdUT));
        SCOPED_TRACE(c.mjdUT);
        EXPECT_NEAR(sky.moonIlluminatedFraction, c.illuminated, 0.005);
        EXPECT_NEAR(sky.moonPhase, c.phase, 0.0005);
        if (c.librationLongitudeDeg != kUnchecked) {
            EXPECT_NEAR(sky.moonDisk.librationLongitudeDeg, c.librationLongitudeDeg, 0.005);
            EXPECT_NEAR(sky.moonDisk.librationLatitudeDeg, c.librationLatitudeDeg, 0.005);
        }
        EXPECT_NEAR(sky.moonDisk.terminatorDeg, c.terminatorDeg, 0.05);
        EXPECT_NEAR(sky.moonMagnitude, c.magnitude, 0.05);
    }
    // New Moon of 6 January 2000: a dark disk, phase near 0 or 1, the Moon close to the Sun.
    const SkyCircumstances newMoon = skyDetails(munichAt(modifiedJulianDate(6, 1, 2000, 18.2)));
    EXPECT_LT(newMoon.moonIlluminatedFraction, 0.005);
    EXPECT_LT(std::fmin(newMoon.moonPhase, 1.0 - newMoon.moonPhase), 0.01);
    EXPECT_LT(newMoon.sunMoonSeparationDeg, 6.0);
}

TEST(SkyDetails, PolarDaysAndNightsAndThePoles)
{
    // twilights: the status of each twilight line shown; the lines stop after the first
    // twilight the Sun stays above, and there are none when it stays above the horizon.
    struct Case {
        double latitudeDeg;
        int month;
        RiseSetStatus sun;
        std::vector<RiseSetStatus> twilights;
        RiseSetStatus moon;
    };
    // The Moon stands at declination -18 degrees in June and -12 in December.
    const Case cases[] = {
        {70.0, 6, RiseSetStatus::StaysAbove, {}, RiseSetStatus::Found},
        {70.0, 12, RiseSetStatus::StaysBelow, {RiseSetStatus::Found, RiseSetStatus::Found, RiseSetStatus::Found}, RiseSetStatus::Found},
        {80.0, 12, RiseSetStatus::StaysBelow, {RiseSetStatus::StaysBelow, RiseSetStatus::StaysBelow, RiseSetStatus::Found}, RiseSetStatus::StaysBelow},
        {63.0, 6, RiseSetStatus::Found, {RiseSetStatus::StaysAbove}, RiseSetStatus::Found},
        {90.0, 6, RiseSetStatus::StaysAbove, {}, RiseSetStatus::StaysBelow},
        {-90.0, 6, RiseSetStatus::StaysBelow, {RiseSetStatus::StaysBelow, RiseSetStatus::StaysBelow, RiseSetStatus::StaysBelow}, RiseSetStatus::StaysAbove},
    };
    for (const Case& c : cases) {
        SettingsRecord s = munich(2000, 6, 21, 12);
        s.time.month = c.month;
        s.observer.latitudeDeg = c.latitudeDeg;
        const SkyCircumstances sky = skyDetails(s);
        SCOPED_TRACE(skyDetailsText(s, sky));
        EXPECT_EQ(sky.sunEvents.horizon.status, c.sun);
        ASSERT_EQ(sky.sunEvents.twilightLines, std::ssize(c.twilights));
        for (int i = 0; i < sky.sunEvents.twilightLines; ++i)
            EXPECT_EQ(sky.sunEvents.twilights[i].status, c.twilights[i]) << "twilight " << i;
        EXPECT_EQ(sky.moonEvents.status, c.moon);
    }
}

TEST(SkyDetails, SunIsUpBetweenItsRiseAndSetAndPlacesPrintWithoutSixtySeconds)
{
    // The day after the September equinox the Sun stands a fraction of a degree south: the
    // sign goes on the first non-zero part.
    const SettingsRecord equinox = munich(2000, 9, 23, 12);
    const SkyCircumstances equinoxSky = skyDetails(equinox);
    EXPECT_LT(equinoxSky.sun.declinationDeg, 0.0);
    EXPECT_GT(equinoxSky.sun.declinationDeg, -1.0);
    EXPECT_TRUE(contains(skyDetailsText(equinox, equinoxSky), "Dec.  0d -"));
    // 300 instants over four days: the Sun's rise comes before the instant and it stands above
    // the horizon exactly until its set (away from the minutes of the crossing); seconds are
    // rounded before they are printed, so 59.6 s carry into the next minute.
    for (int i = 0; i < 300; ++i) {
        const SettingsRecord s = munichAt(51544.0 + i * 0.0137);
        const SkyCircumstances sky = skyDetails(s);
        SCOPED_TRACE(sky.moment.mjdUT);
        const RiseSet& sun = sky.sunEvents.horizon;
        ASSERT_EQ(sun.status, RiseSetStatus::Found);
        EXPECT_LE(sun.riseUT, sky.moment.mjdUT);
        if (std::fabs(sky.sun.altitudeDeg - kSunHorizonAltitudeDeg) > 0.3) {
            EXPECT_EQ(sky.sun.altitudeDeg > kSunHorizonAltitudeDeg, sky.moment.mjdUT < sun.setUT);
        }
        ASSERT_FALSE(contains(skyDetailsText(s, sky), "60s"));
    }
}

TEST(SkyDetails, ObserverAtTheEarthsCentreSeesGeocentricPlaces)
{
    // On the equator, where the ellipsoid's radius is the equatorial radius.
    SettingsRecord s = munich(2000, 6, 21, 12);
    s.observer.latitudeDeg = 0.0;
    s.observer.heightM = -6378140.0;
    const SkyCircumstances sky = skyDetails(s);
    // Within 10 m of the centre, in Earth radii.
    EXPECT_LT(norm(sky.sun.topocentric - sky.sun.geocentric), 10.0 / 6378137.0);
    EXPECT_LT(norm(sky.moon.topocentric - sky.moon.geocentric), 10.0 / 6378137.0);
    EXPECT_NEAR(sky.moon.distanceEarthRadii, norm(sky.moon.geocentric), 10.0 / 6378137.0);
}

}  // namespace
}  // namespace qv
