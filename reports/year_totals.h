#pragma once
// Yearly totals at the chosen place, sampled minute by minute through the year (UT): hours of
// sunshine, twilight, moonshine and dark sky, or hours above a cutoff angle, or the statistics
// of a fixed solar panel.
#include <string>

#include "base/settings.h"

namespace qv {

// What the report holds: the totals of the Sun and Moon, or the solar panel statistics.
enum class YearTotalsMode { SkyTotals, SolarPanel };

// The sky totals for cutoffs up to this are the hours above the cutoff; above it the standard
// totals.
constexpr double kCutoffModeUpTo = 90.0;

// Minutes sampled in a year: 365 or 366 days (Julian leap years up to 1582, Gregorian after),
// 355 days in 1582.
int minutesInYear(int year);

// Hours of the year settings.time.year at settings' place, each minute counted when the body's
// topocentric altitude without refraction is at least the threshold named.
struct YearTotals {
    double sunshineHours = 0.0;              // the Sun at or above kSunHorizonAltitudeDeg
    double civilTwilightHours = 0.0;         // at or above -6 degrees
    double nauticalTwilightHours = 0.0;      // at or above -12 degrees
    double astronomicalTwilightHours = 0.0;  // at or above -18 degrees
    double moonshineHours = 0.0;             // the Moon at or above kSunHorizonAltitudeDeg
    double darkSkyHours = 0.0;               // the Sun at or below -18 degrees, the Moon below 0
};
YearTotals yearTotals(const SettingsRecord& settings);

// Hours of the year with the Sun and with the Moon at or above cutoffDeg.
struct CutoffTotals {
    double cutoffDeg = 0.0;
    double sunHours = 0.0;
    double moonHours = 0.0;
};
CutoffTotals cutoffTotals(const SettingsRecord& settings, double cutoffDeg);

// The panel of settings over its months (settings.panel.startMonth to endMonth, clamped to the
// year; none when the start follows the end).
struct PanelStatistics {
    double sunshineHours = 0.0;           // as YearTotals::sunshineHours, over the months
    // Mean cosine of the Sun's incidence on the panel (0 when it shines on its back) while the
    // Sun stands above the true horizon, in percent.
    double receivedPercent = 0.0;
    double maxElectricityKwhPerM2 = 0.0;  // the solar constant on the panel, at its efficiency
    int startMonth = 1;                   // the months as the settings give them
    int endMonth = 12;
};
PanelStatistics solarPanelStatistics(const SettingsRecord& settings);

// The pages: a heading with the place and year, then the totals.
std::string yearTotalsText(const SettingsRecord& settings, const YearTotals& totals);
std::string cutoffTotalsText(const SettingsRecord& settings, const CutoffTotals& totals);
std::string panelStatisticsText(const SettingsRecord& settings, const PanelStatistics& statistics);

// Replaces text by the page of settings.time.year at settings' place: the panel statistics, or
// the sky totals that the cutoff selects.
void yearlyTotalsReport(const SettingsRecord& settings, YearTotalsMode report, double cutoffDeg, std::string& text);

}  // namespace qv
