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

// Replaces text by the report of settings.time.year at settings' place. The sky totals depend on
// cutoffDeg; the panel statistics use the panel fields of settings instead and count only the
// months panelStartMonth to panelEndMonth.
void yearlyTotalsReport(const SettingsRecord& settings, YearTotalsMode mode, double cutoffDeg, std::string& text);

}  // namespace qv
