// Speed of the eclipse details: the whole text of one central solar eclipse as the details
// dialog shows it (target: under 30 ms).
#include <benchmark/benchmark.h>

#include <string>

#include "base/julian.h"
#include "reports/eclipse_details.h"
#include "reports/year_tables.h"

namespace {

// Times the details text of the year's second eclipse for the place in settings.
void timeDetailsOfSecondEclipse(benchmark::State& state, qv::SettingsRecord settings) {
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    for (auto _ : state) {
        const std::string text = qv::eclipseDetailsText(settings, eclipse);
        benchmark::DoNotOptimize(text.data());
    }
}

// Total eclipse of 2024-04-08 seen from Dallas, inside the path: the minute scan of the phases,
// the second-by-second search of totality and the central-line table at a 30-minute step.
void BM_EclipseDetailsText(benchmark::State& state) {
    qv::SettingsRecord settings;
    settings.time.year = 2024;
    settings.time.zone.offsetHours = -5.0;
    settings.time.deltaTManualSeconds = qv::deltaTDefault(settings.time.year);
    settings.time.deltaTFollowsYear = false;
    settings.observer.latitudeDeg = 32.78;
    settings.observer.longitudeDeg = -96.80;
    settings.observer.heightM = 140.0;
    settings.display.mapStepMinutes = 30;
    timeDetailsOfSecondEclipse(state, settings);
}
BENCHMARK(BM_EclipseDetailsText)->Unit(benchmark::kMillisecond);

// The same eclipse from London, where the local magnitude stays far below 0.8: the phase scan
// and the table without the second-by-second search.
void BM_EclipseDetailsTextPartialView(benchmark::State& state) {
    qv::SettingsRecord settings;
    settings.time.year = 2024;
    settings.time.deltaTManualSeconds = qv::deltaTDefault(settings.time.year);
    settings.time.deltaTFollowsYear = false;
    settings.observer.latitudeDeg = 51.5;
    settings.observer.longitudeDeg = -0.13;
    timeDetailsOfSecondEclipse(state, settings);
}
BENCHMARK(BM_EclipseDetailsTextPartialView)->Unit(benchmark::kMillisecond);

}  // namespace
