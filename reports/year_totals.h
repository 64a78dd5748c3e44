#pragma once
// Yearly totals at the chosen place, sampled minute by minute through the year (UT): hours of
// sunshine, twilight, moonshine and dark sky, or hours above a cutoff angle, or the statistics
// of a fixed solar panel.
#include <string>

#include "base/settings.h"

namespace qv {

// Cutoffs above kPanelModeAbove select the solar panel statistics (the Solar Panel command
// passes kSolarPanelCutoff); up to kCutoffModeUpTo the hours above the cutoff; in between the
// standard totals.
constexpr double kPanelModeAbove = 1000.0;
constexpr double kSolarPanelCutoff = 12345.6;
constexpr double kCutoffModeUpTo = 90.0;

// Minutes sampled in a year: 365 or 366 days (Julian leap years up to 1582, Gregorian after),
// 355 days in 1582.
int minutesInYear(int year);

// Replaces text by the report of settings.time.year at settings' place. The panel statistics use
// the panel fields of settings and count only the months panelStartMonth to panelEndMonth.
void yearlyTotalsReport(const SettingsRecord& settings, double cutoffDeg, std::string& text);

}  // namespace qv
