// Speed of the place search: it answers as the user types, and its table is parsed once.
#include <benchmark/benchmark.h>

#include "base/places.h"

namespace {

// Parsing the compiled-in table of about 23,000 places with their search keys.
void BM_LoadPlaceTable(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::loadPlaceTable());
}
BENCHMARK(BM_LoadPlaceTable)->Unit(benchmark::kMillisecond);

// One keystroke: a two-letter prefix with many matches, an accented word found only as a word
// inside names, and a text that matches nothing (the whole table is scanned).
void BM_FindPlaces(benchmark::State& state, const char* text) {
    qv::findPlaces("warm up", 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::findPlaces(text, 20));
}
BENCHMARK_CAPTURE(BM_FindPlaces, prefix, "sa")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindPlaces, word, "Pölten")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindPlaces, nothing, "xqzzy")->Unit(benchmark::kMicrosecond);

}  // namespace
