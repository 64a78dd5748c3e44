// The Moon phases and the equinoxes and solstices of every year 1900-2100 against PyEphem
// (tests/reports/data/ephem_phases_seasons.txt, see its README). Both sides are compared in
// Terrestrial Time: the year's local times are taken back to TT with the TT - UT they were
// computed with, and the reference carries PyEphem's own TT - UT, so the two TT - UT rules
// do not enter the differences.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "base/julian.h"
#include "reports/year_tables.h"
#include "support/reference_data.h"

namespace qv {
namespace {

constexpr double kMinute = 1.0 / 1440.0;
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2100;
constexpr int kSeasonCodeOffset = 4;  // reference codes 4..7 are the seasons

// Measured over 1900-2100 (zone 0, default TT - UT): largest difference New Moon 2.73,
// First Quarter 2.26, Full Moon 2.32, Last Quarter 2.55 minutes; equinoxes and solstices
// 1.34 minutes.
constexpr double kPhaseBoundDays = 3.0 * kMinute;
constexpr double kSeasonBoundDays = 1.5 * kMinute;

// Reference instants, MJD of TT, sorted, per code.
using Reference = std::vector<double>[8];

// Empty lists when the table is missing.
void readReference(Reference& reference)
{
    for (const auto& row : testing::readTable("reports/data/ephem_phases_seasons.txt")) {
        const int code = std::stoi(row.at(0));
        if (code >= 0 && code < 8)
            reference[code].push_back(std::stod(row.at(1)));
    }
    for (std::vector<double>& times : reference)
        std::sort(times.begin(), times.end());
}

// Difference (days) from t to the nearest reference instant.
double nearestDifference(const std::vector<double>& times, double t)
{
    const auto after = std::lower_bound(times.begin(), times.end(), t);
    double best = 1e9;
    if (after != times.end())
        best = *after - t;
    if (after != times.begin())
        best = std::fmin(best, t - *(after - 1));
    return best;
}

int countBetween(const std::vector<double>& times, double from, double to)
{
    return static_cast<int>(std::upper_bound(times.begin(), times.end(), to) -
                            std::lower_bound(times.begin(), times.end(), from));
}

TEST(YearPhasesCrossCheck, PhasesAndSeasons1900To2100MatchPyEphem)
{
    Reference reference;
    readReference(reference);
    ASSERT_FALSE(reference[kNewMoon].empty()) << "tests/reports/data/ephem_phases_seasons.txt missing";
    double largest[kPhaseKinds] = {};
    double largestSeason = 0.0;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        SettingsRecord settings;
        settings.time.year = year;
        const PhaseLists lists = computeYearLunations(settings).phases;
        const double deltaTDays = qv::deltaTSecondsOfYear(settings.time) / 86400.0;
        // The window in TT; reference phases near its edges may fall on either side.
        const double startTT = yearWindowStartUT(year, TimeZone{}) + deltaTDays;
        const double endTT = yearWindowEndUT(year, TimeZone{}) + deltaTDays;

        for (int kind = 0; kind < kPhaseKinds; ++kind) {
            for (std::size_t i = 0; i < lists.times[kind].size(); ++i) {
                const double difference = nearestDifference(reference[kind], lists.times[kind][i] + deltaTDays);
                largest[kind] = std::fmax(largest[kind], difference);
                EXPECT_LT(difference, kPhaseBoundDays) << year << " kind " << kind << " entry " << i;
            }
            // Every matched entry is a distinct lunation (entries lie over 0.1 day apart),
            // so the counts show that none is missing or extra.
            EXPECT_GE(std::ssize(lists.times[kind]), countBetween(reference[kind], startTT + kPhaseBoundDays, endTT - kPhaseBoundDays))
                << year << " kind " << kind;
            EXPECT_LE(std::ssize(lists.times[kind]), countBetween(reference[kind], startTT - kPhaseBoundDays, endTT + kPhaseBoundDays))
                << year << " kind " << kind;
        }
        for (int season = 0; season < 4; ++season) {
            const double difference = nearestDifference(reference[kSeasonCodeOffset + season],
                                                        seasonInstantTT(year, static_cast<Season>(season)));
            largestSeason = std::fmax(largestSeason, difference);
            EXPECT_LT(difference, kSeasonBoundDays) << year << " season " << season;
        }
    }
    std::printf("largest differences (minutes): New %.2f, First Quarter %.2f, Full %.2f, Last Quarter %.2f, "
                "seasons %.2f\n",
                largest[kNewMoon] / kMinute, largest[kFirstQuarter] / kMinute, largest[kFullMoon] / kMinute,
                largest[kLastQuarter] / kMinute, largestSeason / kMinute);
}

}  // namespace
}  // namespace qv
