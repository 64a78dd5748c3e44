// Speed of the sky commands: the Sun and Moon details text (target: under 2 ms) and a whole
// year of yearly totals, 527,040 minutes of 2000 (target: under 60 ms).
#include <benchmark/benchmark.h>

#include <string>

#include "reports/sky_details.h"
#include "reports/year_totals.h"

namespace {

// 48 N 11 E at sea level, 2000-06-21 12:00 UT: every rise, set and twilight is found.
qv::SettingsRecord skySettings() {
    qv::SettingsRecord settings;
    settings.time.year = 2000;
    settings.time.month = 6;
    settings.time.day = 21;
    settings.time.hour = 12;
    settings.time.deltaTManualSeconds = 64.184;
    settings.time.deltaTFollowsYear = false;
    settings.observer.latitudeDeg = 48.0;
    settings.observer.longitudeDeg = 11.0;
    return settings;
}

void BM_SkyDetailsText(benchmark::State& state) {
    const qv::SettingsRecord settings = skySettings();
    for (auto _ : state) {
        const std::string text = qv::skyDetailsText(settings);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_SkyDetailsText)->Unit(benchmark::kMillisecond);

// The standard totals (Sun and Moon every minute) and the panel statistics (Sun only).
void BM_YearlyTotals(benchmark::State& state) {
    const qv::SettingsRecord settings = skySettings();
    const double cutoff = state.range(0) == 0 ? 100.0 : qv::kSolarPanelCutoff;
    std::string text;
    for (auto _ : state) {
        qv::yearlyTotalsReport(settings, cutoff, text);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_YearlyTotals)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
