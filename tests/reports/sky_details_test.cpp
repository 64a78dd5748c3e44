// The sky details text: the worked example of 48 N 11 E on 21 June 2000 and a west-longitude
// DD.MMSS case against the golden texts, the Moon's disk near the full and first-quarter Moon
// of January 2000, the polar texts, the signs and seconds of the places, and the observer at
// the Earth's centre.
#include "reports/sky_details.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

TEST(SkyDetails, MoonDiskNearFullAndFirstQuarter)
{
    const std::string full = skyDetailsText(munichAt(51564.2));
    EXPECT_TRUE(contains(full, "Illuminated disk: 1.00     Phase: 0.500")) << full;
    EXPECT_TRUE(contains(full, "Terminator:  -87.4      App.Mag:  -12.9")) << full;
    const std::string quarter = skyDetailsText(munichAt(51557.0));
    EXPECT_TRUE(contains(quarter, "Illuminated disk: 0.44     Phase: 0.230")) << quarter;
    EXPECT_TRUE(contains(quarter, "Libration Angles:  L:  -7.82    B:   6.91")) << quarter;
    EXPECT_TRUE(contains(quarter, "Terminator:    0.0      App.Mag:   -9.8")) << quarter;
    // New Moon of 6 January 2000: a thin or dark disk, phase near 0 or 1, a faint Moon.
    const std::string newMoon = skyDetailsText(munichAt(modifiedJulianDate(6, 1, 2000, 18.2)));
    EXPECT_TRUE(contains(newMoon, "Illuminated disk: 0.00")) << newMoon;
}

TEST(SkyDetails, PolarDaysAndNightsAndThePoles)
{
    struct Case {
        double latitudeDeg;
        int month;
        const char* sun;
        const char* twilights;  // nullptr: no twilight line at all
        const char* moon;       // nullptr: not checked
    };
    const Case cases[] = {
        {70.0, 6, "\nSun always above the horizon", nullptr, nullptr},
        {70.0, 12, "\nSun always below the horizon\nCivil Twilight            : DEC 2", nullptr, nullptr},
        {80.0, 12, "\nSun always below the horizon", "\nCivil Twilight            : Sun always below -6 deg"
                                                   "\nNautical Twilight      : Sun always below -12 deg"
                                                   "\nAstronomical Twilight: DEC 2", nullptr},
        {63.0, 6, "\nRise: JUN 21 ", "\nCivil Twilight            : Sun always above -6 deg\n\nMOON", nullptr},
        {90.0, 6, "\nSun always above the horizon", nullptr, "Moon always "},
        {-90.0, 6, "\nSun always below the horizon", "Astronomical Twilight: Sun always below -18 deg",
         "Moon always "},
    };
    for (const Case& c : cases) {
        SettingsRecord s = munich(2000, 6, 21, 12);
        s.time.month = c.month;
        s.observer.latitudeDeg = c.latitudeDeg;
        const std::string text = skyDetailsText(s);
        SCOPED_TRACE(text);
        EXPECT_TRUE(contains(text, c.sun));
        EXPECT_EQ(contains(text, "Twilight"), c.twilights != nullptr || contains(c.sun, "Twilight"));
        if (c.twilights != nullptr) {
            EXPECT_TRUE(contains(text, c.twilights));
        }
        if (c.moon != nullptr) {
            EXPECT_TRUE(contains(text, c.moon));
        }
    }
}

TEST(SkyDetails, PlacesCarryTheSignOnTheFirstNonZeroPartAndNeverSixtySeconds)
{
    // The day after the September equinox the Sun stands a fraction of a degree south.
    const std::string equinox = skyDetailsText(munich(2000, 9, 23, 12));
    EXPECT_TRUE(contains(equinox, "Dec.  0d -")) << equinox;
    // Seconds are rounded before they are printed: 59.6 s carry into the next minute.
    for (int i = 0; i < 300; ++i) {
        const std::string text = skyDetailsText(munichAt(51544.0 + i * 0.0137));
        ASSERT_FALSE(contains(text, "60s")) << text;
    }
}

TEST(SkyDetails, ObserverAtTheEarthsCentreSeesGeocentricPlaces)
{
    // On the equator, where the ellipsoid's radius is the equatorial radius.
    SettingsRecord s = munich(2000, 6, 21, 12);
    s.observer.latitudeDeg = 0.0;
    s.observer.heightM = -6378140.0;
    SkyState state;
    std::string text;
    for (int section = kSkyHeading; section <= kSkyMoon; ++section)
        skyDetailsSection(s, state, text, section);
    // Within 10 m of the centre, in Earth radii.
    EXPECT_LT(norm(state.sunTopocentric - state.sunGeocentric), 10.0 / 6378137.0);
    EXPECT_LT(norm(state.moonTopocentric - state.moonGeocentric), 10.0 / 6378137.0);
    skyDetailsSection(s, state, text, 5);
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace qv
