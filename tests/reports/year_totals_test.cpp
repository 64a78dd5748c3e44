// The yearly totals: the worked example of 48 N 11 E in 2000 (standard totals and panel) against
// the golden texts; the totals and the panel statistics of the fast minute loop against a
// literal one that takes every minute's month from the calendar and its altitudes and azimuths
// from horizonCoordinates; the lengths of the years; the modes and the panel's edge cases.
#include "reports/year_totals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "config/settings_io.h"
#include "support/golden_text.h"

namespace qv {
namespace {

using testing::matchesGolden;


SettingsRecord place(int year, double latitudeDeg, double longitudeDeg, const char* name = "Munich")
{
    SettingsRecord s;
    s.time.year = year;
    s.time.deltaTManualSeconds = 64.184;
    s.time.deltaTFollowsYear = false;
    s.observer.latitudeDeg = latitudeDeg;
    s.observer.longitudeDeg = longitudeDeg;
    storeLocationName(s, name);
    return s;
}

std::string report(const SettingsRecord& s, double cutoffDeg)
{
    std::string text;
    yearlyTotalsReport(s, YearTotalsMode::SkyTotals, cutoffDeg, text);
    return text;
}

std::string panelReport(const SettingsRecord& s)
{
    std::string text;
    yearlyTotalsReport(s, YearTotalsMode::SolarPanel, 0.0, text);
    return text;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

double hoursOf(long minutes) { return static_cast<double>(minutes) / 60.0; }

// The minute counts computed the plain way, for months first..last: the month of every minute
// from calendarDate, the series every 30 counted minutes, altitudes from horizonCoordinates.
struct LiteralCounts {
    long sun = 0, civil = 0, nautical = 0, astronomical = 0, moon = 0, dark = 0;
    long sunAboveCutoff = 0, moonAboveCutoff = 0;
    long panel = 0;
    double cosineSum = 0.0;
};

LiteralCounts literalCounts(const SettingsRecord& s, double cutoffDeg, int firstMonth, int lastMonth)
{
    const double start = modifiedJulianDate(1, 1, s.time.year, 0.0);
    const double lat = s.observer.latitudeDeg * kRadPerDeg;
    const double lon = s.observer.longitudeDeg * kRadPerDeg;
    LiteralCounts c;
    Vec3 sun;
    Vec3 moon;
    double eqeq = 0.0;
    double eclLongitude = 0.0;
    int counter = 0;
    for (long i = 0; i < minutesInYear(s.time.year); ++i) {
        const double t = start + static_cast<double>(i) / 1440.0;
        int day = 0, month = 0, year = 0;
        double hour = 0.0;
        calendarDate(t, day, month, year, hour);
        if (month < firstMonth || month > lastMonth)
            continue;
        if (counter == 0) {
            sun = EARTH_RADII_PER_AU * sunApparentEquatorial(qv::Instant{t, qv::deltaTSecondsOfYear(s.time)}, eqeq, eclLongitude);
            moon = moonApparentEquatorial(qv::Instant{t, qv::deltaTSecondsOfYear(s.time)}, eqeq, eclLongitude);
        }
        counter = (counter + 1) % 30;
        double azimuth = 0.0, altitude = 0.0, distance = 0.0;
        horizonCoordinates(t, eqeq, lat, lon, s.observer.heightM, true, sun, azimuth, altitude, distance);
        const double sunDeg = altitude * kDegPerRad;
        if (altitude > 0.0) {
            ++c.panel;
            const double incidence =
                std::sin(altitude) * std::sin(s.panel.elevationDeg * kRadPerDeg) +
                std::cos(azimuth - s.panel.azimuthDeg * kRadPerDeg) * std::cos(altitude) * std::cos(s.panel.elevationDeg * kRadPerDeg);
            if (incidence > 0.0)
                c.cosineSum += incidence;
        }
        horizonCoordinates(t, eqeq, lat, lon, s.observer.heightM, true, moon, azimuth, altitude, distance);
        const double moonDeg = altitude * kDegPerRad;
        c.sun += sunDeg >= -0.83;
        c.civil += sunDeg >= -6.0;
        c.nautical += sunDeg >= -12.0;
        c.astronomical += sunDeg >= -18.0;
        c.moon += moonDeg >= -0.83;
        c.dark += sunDeg <= -18.0 && moonDeg < 0.0;
        c.sunAboveCutoff += sunDeg >= cutoffDeg;
        c.moonAboveCutoff += moonDeg >= cutoffDeg;
    }
    return c;
}

// The panel's statistics against the literal counts. The estimated cosines, used where they
// print as the exact ones would, gave a share within 2.1e-10 of the literal one (relative).
constexpr double kShareRelativeTolerance = 1e-9;

void expectPanelMatches(const SettingsRecord& s, const LiteralCounts& c)
{
    const PanelStatistics statistics = solarPanelStatistics(s);
    const double share = c.panel > 0 ? c.cosineSum / static_cast<double>(c.panel) : 0.0;
    const double electricityKwh = share * 1.368 * hoursOf(c.sun) * s.panel.efficiencyPercent / 100.0;
    EXPECT_EQ(statistics.sunshineHours, hoursOf(c.sun));
    EXPECT_NEAR(statistics.receivedPercent, 100.0 * share, kShareRelativeTolerance * 100.0 * share);
    EXPECT_NEAR(statistics.maxElectricityKwhPerM2, electricityKwh, kShareRelativeTolerance * electricityKwh);
}

TEST(YearlyTotals, WorkedExampleMatchesTheGoldenTexts)
{
    // Sunshine 4478.32 h, twilights 4901.10, 5412.18 and 6004.28 h, moonshine 4294.00 h, dark
    // sky 1484.72 h; the panel facing south at 45 degrees receives 59.21 % and gives 544.134 kWh.
    const SettingsRecord munich = place(2000, 48.0, 11.0);
    EXPECT_TRUE(matchesGolden("totals_2000_munich.txt", report(munich, 100.0) + "\n"));
    EXPECT_TRUE(matchesGolden("panel_2000_munich.txt", panelReport(munich) + "\n"));
}

TEST(YearlyTotals, CountsEqualThoseOfTheLiteralMinuteLoop)
{
    struct Case {
        SettingsRecord settings;
        double cutoffDeg;
    };
    Case cases[] = {
        {place(2000, 48.0, 11.0), 12.5},
        {place(1582, -69.5, -140.25), 0.0},  // a short Julian year, polar nights and days
        {place(-9999, 48.0, 11.0), -0.5},      // the first year, where rounding is coarsest
    };
    cases[0].settings.panel = {.azimuthDeg = 200.0, .elevationDeg = 30.0, .efficiencyPercent = 17.0};
    cases[1].settings.panel = {.azimuthDeg = 15.0, .elevationDeg = 70.0, .efficiencyPercent = 100.0};
    cases[2].settings.panel = {.azimuthDeg = 135.0, .elevationDeg = 60.0, .efficiencyPercent = 20.0};
    for (const Case& c : cases) {
        const LiteralCounts literal = literalCounts(c.settings, c.cutoffDeg, 1, 12);
        const YearTotals totals = yearTotals(c.settings);
        SCOPED_TRACE(yearTotalsText(c.settings, totals));
        EXPECT_EQ(totals.sunshineHours, hoursOf(literal.sun));
        EXPECT_EQ(totals.civilTwilightHours, hoursOf(literal.civil));
        EXPECT_EQ(totals.nauticalTwilightHours, hoursOf(literal.nautical));
        EXPECT_EQ(totals.astronomicalTwilightHours, hoursOf(literal.astronomical));
        EXPECT_EQ(totals.moonshineHours, hoursOf(literal.moon));
        EXPECT_EQ(totals.darkSkyHours, hoursOf(literal.dark));
        const CutoffTotals cutoff = cutoffTotals(c.settings, c.cutoffDeg);
        EXPECT_EQ(cutoff.sunHours, hoursOf(literal.sunAboveCutoff));
        EXPECT_EQ(cutoff.moonHours, hoursOf(literal.moonAboveCutoff));
        expectPanelMatches(c.settings, literal);
    }
    // The panel's months: October 1582, which loses ten days to the calendar reform.
    SettingsRecord reform = place(1582, 48.0, 11.0);
    reform.panel.startMonth = 10;
    reform.panel.endMonth = 10;
    EXPECT_EQ(solarPanelStatistics(reform).sunshineHours, hoursOf(literalCounts(reform, 0.0, 10, 10).sun));
    // February to November of the first year: midnight and the minute after it lie in different
    // days of the sidereal time's formula, which once unsettled the Earth's turn per minute.
    SettingsRecord first = cases[2].settings;
    first.panel.startMonth = 2;
    first.panel.endMonth = 11;
    first.time.deltaTFollowsYear = true;
    expectPanelMatches(first, literalCounts(first, 0.0, 2, 11));
}

TEST(YearlyTotals, PanelMonthsEqualTheLiteralLoopFromPoleToEquator)
{
    struct Case {
        int year;
        double latitudeDeg, longitudeDeg, heightM;
        SolarPanel panel;
    };
    const Case cases[] = {
        {2024, 89.9, 0.0, 0.0, {0.0, 10.0, 15.0, 3, 3}},          // the Sun rising for months
        {1950, 0.5, -70.0, 0.0, {90.0, 0.0, 20.0, 6, 6}},          // a wall facing east
        {-3000, -66.6, 120.0, 3000.0, {300.0, -10.0, 15.0, 12, 12}},  // polar day, a tilted face
        {7000, 60.0, 25.0, 0.0, {180.0, 90.0, 100.0, 9, 10}},      // equinox, a flat panel
    };
    for (const Case& c : cases) {
        SettingsRecord s = place(c.year, c.latitudeDeg, c.longitudeDeg);
        s.observer.heightM = c.heightM;
        s.panel = c.panel;
        SCOPED_TRACE(c.year);
        expectPanelMatches(s, literalCounts(s, 0.0, c.panel.startMonth, c.panel.endMonth));
    }
}

TEST(YearlyTotals, YearLengths)
{
    EXPECT_EQ(minutesInYear(1582), 355 * 1440);
    for (int leap : {1500, 1600, 2000, 2024, 0, -4})
        EXPECT_EQ(minutesInYear(leap), 366 * 1440) << leap;
    for (int common : {1700, 1900, 2023, -1})
        EXPECT_EQ(minutesInYear(common), 365 * 1440) << common;
}

TEST(YearlyTotals, ModesAndPanelEdges)
{
    SettingsRecord polar = place(2000, 80.0, 11.0, "Polar");
    // 90 is still the cutoff mode; just above it the standard totals.
    const CutoffTotals zenith = cutoffTotals(polar, 90.0);
    EXPECT_EQ(zenith.sunHours, 0.0);
    EXPECT_EQ(report(polar, 90.0), cutoffTotalsText(polar, zenith));
    EXPECT_EQ(report(polar, 90.01), yearTotalsText(polar, yearTotals(polar)));
    // June alone at 80 N: the Sun never sets, every minute is sunshine; the page names the months.
    polar.panel.startMonth = 6;
    polar.panel.endMonth = 6;
    const PanelStatistics june = solarPanelStatistics(polar);
    EXPECT_EQ(june.sunshineHours, 720.0);
    EXPECT_TRUE(contains(panelStatisticsText(polar, june), "\n Months Interval from  6 to  6 \n"));
    // A panel facing the ground never receives the Sun.
    polar.panel.elevationDeg = -90.0;
    const PanelStatistics ground = solarPanelStatistics(polar);
    EXPECT_EQ(ground.receivedPercent, 0.0);
    EXPECT_EQ(ground.maxElectricityKwhPerM2, 0.0);
    EXPECT_TRUE(contains(panelStatisticsText(polar, ground), "per m^2: 0 kWh"));
    // Months that run backwards count nothing.
    polar.panel.startMonth = 7;
    EXPECT_EQ(solarPanelStatistics(polar).sunshineHours, 0.0);
}

}  // namespace
}  // namespace qv
