// Speed of the solar, lunar and planetary series and of the horizon transform, per evaluation.
#include <benchmark/benchmark.h>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "base/julian.h"

namespace {

// Centuries stepping by about half an hour, so that no call repeats the previous one.
constexpr double kStepCenturies = 0.5 / 24.0 / 36525.0;

void BM_SunPosition(benchmark::State& state) {
    double t = 0.1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::sunPosition(t));
        t += kStepCenturies;
    }
}
BENCHMARK(BM_SunPosition);

void BM_MoonPosition(benchmark::State& state) {
    double t = 0.1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::moonPosition(t));
        t += kStepCenturies;
    }
}
BENCHMARK(BM_MoonPosition);

// Apparent places every half hour from MJD 55000: the Sun, the Moon, or both per step.
template <bool withSun, bool withMoon>
void BM_ApparentEquatorial(benchmark::State& state) {
    qv::Instant instant = qv::instantAtUT(55000.0, qv::DeltaTRule{});
    double eqeq = 0.0;
    double eclLongitudeRad = 0.0;
    for (auto _ : state) {
        if (withSun)
            benchmark::DoNotOptimize(qv::sunApparentEquatorial(instant, eqeq, eclLongitudeRad));
        if (withMoon)
            benchmark::DoNotOptimize(qv::moonApparentEquatorial(instant, eqeq, eclLongitudeRad));
        instant = instant.later(0.5 / 24.0);
    }
}
BENCHMARK(BM_ApparentEquatorial<true, false>)->Name("BM_SunApparentEquatorial");
BENCHMARK(BM_ApparentEquatorial<false, true>)->Name("BM_MoonApparentEquatorial");
// One apparent Sun and one apparent Moon, as the sky report and the yearly totals use them.
BENCHMARK(BM_ApparentEquatorial<true, true>)->Name("BM_SunAndMoonApparent");

void BM_HorizonCoordinates(benchmark::State& state) {
    const qv::Vec3 moon(30.0, -45.0, 12.0);
    double mjdUT = 55000.0;
    double azimuth = 0.0;
    double altitude = 0.0;
    double distance = 0.0;
    for (auto _ : state) {
        qv::horizonCoordinates(mjdUT, -0.8, 0.83, -0.12, 250.0, true, moon, azimuth, altitude, distance);
        benchmark::DoNotOptimize(azimuth);
        benchmark::DoNotOptimize(altitude);
        benchmark::DoNotOptimize(distance);
        mjdUT += 1.0 / 1440.0;
    }
}
BENCHMARK(BM_HorizonCoordinates);

}  // namespace

// The apparent places of all seven planets at one instant, stepping by half an hour.
void BM_PlanetPlace(benchmark::State& state) {
    qv::Instant instant = qv::instantAtUT(55000.0, qv::DeltaTRule{});
    for (auto _ : state) {
        for (int k = 0; k < qv::kPlanets; ++k)
            benchmark::DoNotOptimize(qv::planetPlace(static_cast<qv::Planet>(k), instant));
        instant = instant.later(0.5 / 24.0);
    }
}
BENCHMARK(BM_PlanetPlace);
