// Speed of the lunation finder and the shadow engine.
#include <benchmark/benchmark.h>

#include "base/julian.h"
#include "eclipse/eclipse_geometry.h"
#include "eclipse/lunation.h"

namespace {

// One phase of the lunation finder at a decimal year.
void runLunarPhase(benchmark::State& state, double decimalYear, double phase) {
    qv::SyzygyEclipse eclipse;
    const double deltaTSeconds = qv::deltaTDefault(static_cast<int>(decimalYear));
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::lunarPhase(decimalYear, phase, deltaTSeconds, eclipse));
        benchmark::DoNotOptimize(eclipse.kind);
    }
}

// New Moon of a central eclipse (8 April 2024): the formulas decide alone.
void BM_LunarPhaseNewMoonCentralEclipse(benchmark::State& state) { runLunarPhase(state, 2024.28, 0.0); }
BENCHMARK(BM_LunarPhaseNewMoonCentralEclipse);

// New Moon of a non-central annular eclipse (29 April 2014): one call of the shadow engine.
void BM_LunarPhaseNewMoonEngineDecides(benchmark::State& state) { runLunarPhase(state, 2014.33, 0.0); }
BENCHMARK(BM_LunarPhaseNewMoonEngineDecides);

// New Moon of a tiny partial eclipse (24 December 1916): the 288-sample contact scan.
void BM_LunarPhaseNewMoonContactScan(benchmark::State& state) { runLunarPhase(state, 1916.98, 0.0); }
BENCHMARK(BM_LunarPhaseNewMoonContactScan);

void BM_LunarPhaseFirstQuarter(benchmark::State& state) { runLunarPhase(state, 2024.28, 0.25); }
BENCHMARK(BM_LunarPhaseFirstQuarter);

void BM_SolarEclipseAt(benchmark::State& state) {
    const double mjd = qv::modifiedJulianDate(8, 4, 2024, 18.29);
    qv::EclipseGeometry engine;
    double latitudeRad = 0.0;
    double longitudeRad = 0.0;
    const double deltaTSeconds = qv::deltaTDefault(2024);
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.solarEclipseAt(mjd, deltaTSeconds, latitudeRad, longitudeRad));
}
BENCHMARK(BM_SolarEclipseAt);

}  // namespace
