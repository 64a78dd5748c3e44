// Speed of the Phases command's work: the whole year driver with its page, and one lunar phase.
#include <benchmark/benchmark.h>

#include "base/julian.h"
#include "eclipse/lunation.h"
#include "reports/phenomena_report.h"
#include "reports/year_tables.h"

namespace {

// The year driver for 2024 at zone 0 with the default TT - UT: 280 phase searches, the eclipse
// tests, four equinox/solstice iterations and the three tables on a cleared page.
void BM_BuildYearTables(benchmark::State& state) {
    qv::SettingsRecord settings;
    settings.time.year = 2024;
    qv::PageBuffer page;
    for (auto _ : state) {
        page.lines.clear();
        qv::buildYearTables(settings, page);
        benchmark::DoNotOptimize(page.lines.data());
    }
}
BENCHMARK(BM_BuildYearTables)->Unit(benchmark::kMillisecond);

// The planetary phenomena of 2026 at zone 0: daily places of the seven planets, the Moon every
// quarter day, every event refined to the second (about 170 events).
void BM_YearPhenomena(benchmark::State& state) {
    qv::SettingsRecord settings;
    settings.time.year = 2026;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::phenomenaOfYear(settings).data());
}
BENCHMARK(BM_YearPhenomena)->Unit(benchmark::kMillisecond);

// One New or Full Moon with its eclipse test, the decimal year stepping by 0.02.
void BM_LunarPhase(benchmark::State& state) {
    double decimalYear = 2000.0;
    double phase = 0.0;
    for (auto _ : state) {
        qv::SyzygyEclipse eclipse;
        benchmark::DoNotOptimize(qv::lunarPhase(decimalYear, phase, qv::DeltaTRule{}, eclipse));
        decimalYear += 0.02;
        phase = phase == 0.0 ? 0.5 : 0.0;
    }
}
BENCHMARK(BM_LunarPhase);

}  // namespace
