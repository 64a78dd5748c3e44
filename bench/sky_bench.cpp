// Speed of the sky commands: the Sun and Moon details text (target: under 2 ms, also near the
// poles where the events come from the minute scan) and a whole year of yearly totals,
// 527,040 minutes of 2000 (target: under 60 ms).
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

// Near the poles: 80 N 15 E on 2024-02-21 at 06:00 UT, the first sunrise after the polar night
// found by the scan; 89 S 45 E on 2024-09-23 at 12:00 UT, a sunrise whose sunset is sought
// six months on.
void BM_SkyDetailsTextPolar(benchmark::State& state) {
    qv::SettingsRecord settings = skySettings();
    const bool south = state.range(0) == 1;
    settings.time.year = 2024;
    settings.time.month = south ? 9 : 2;
    settings.time.day = south ? 23 : 21;
    settings.time.hour = south ? 12 : 6;
    settings.observer.latitudeDeg = south ? -89.0 : 80.0;
    settings.observer.longitudeDeg = south ? 45.0 : 15.0;
    for (auto _ : state) {
        const std::string text = qv::skyDetailsText(settings);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_SkyDetailsTextPolar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The standard totals (Sun and Moon every minute) and the panel statistics (Sun only).
void BM_YearlyTotals(benchmark::State& state) {
    const qv::SettingsRecord settings = skySettings();
    const qv::YearTotalsMode mode =
        state.range(0) == 0 ? qv::YearTotalsMode::SkyTotals : qv::YearTotalsMode::SolarPanel;
    std::string text;
    for (auto _ : state) {
        qv::yearlyTotalsReport(settings, mode, 100.0, text);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_YearlyTotals)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
