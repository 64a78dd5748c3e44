// Speed of the eclipse canon and of the path export of one eclipse.
#include <benchmark/benchmark.h>

#include "base/julian.h"
#include "reports/eclipse_canon.h"
#include "reports/eclipse_path_export.h"
#include "reports/year_tables.h"

namespace {

// Every eclipse of a century with its lines: the whole range -9999..9999 is 200 of these, the
// far centuries (before 0 and after 4000, where the shadow engine decides every syzygy) the
// dearer ones (target: the whole range under 8 s, so a far century under 40 ms).
void canonOfACentury(benchmark::State& state, int firstYear)
{
    for (auto _ : state) {
        std::size_t characters = 0;
        qv::forEachCanonEntry(
            firstYear, firstYear + 99, qv::DeltaTRule{},
            [&](const qv::CanonEntry& entry) { characters += qv::canonLine(entry, qv::CanonFormat::Text, false).size(); },
            [](int) {});
        benchmark::DoNotOptimize(characters);
    }
}

void BM_CanonOfACentury(benchmark::State& state) { canonOfACentury(state, 1901); }
BENCHMARK(BM_CanonOfACentury)->Unit(benchmark::kMillisecond);

void BM_CanonOfAFarCentury(benchmark::State& state) { canonOfACentury(state, -9999); }
BENCHMARK(BM_CanonOfAFarCentury)->Unit(benchmark::kMillisecond);

// The GeoJSON file of the total eclipse of 8 April 2024: map points, umbral limits and curves.
void BM_EclipsePathGeoJson2024(benchmark::State& state)
{
    qv::SettingsRecord settings;
    settings.time.year = 2024;
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::eclipsePathFile(settings, eclipse, qv::PathFormat::GeoJson));
}
BENCHMARK(BM_EclipsePathGeoJson2024)->Unit(benchmark::kMillisecond);

}  // namespace
