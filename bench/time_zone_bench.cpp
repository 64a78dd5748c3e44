// Speed of the UT -> local conversion of a named zone: a page converts hundreds of instants.
#include <benchmark/benchmark.h>

#include "base/time_zone.h"

namespace {

// One conversion, within the recorded changes (2024) and after them (2100, the last rule).
void BM_LocalMjdNamedZone(benchmark::State& state, double mjdUT) {
    qv::TimeZone zone;
    qv::findTimeZone("Europe/Vienna", zone);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::localMjd(mjdUT, zone));
}
BENCHMARK_CAPTURE(BM_LocalMjdNamedZone, recorded, 60482.5);
BENCHMARK_CAPTURE(BM_LocalMjdNamedZone, lastRule, 88069.5);

}  // namespace
