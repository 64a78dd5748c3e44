// Speed of the Day Details and Holidays commands' work: both find the December solstices and
// New Moons of the Chinese calendar.
#include <benchmark/benchmark.h>

#include "base/julian.h"
#include "reports/day_details.h"
#include "reports/holidays_page.h"

namespace {

// The whole day details text of 2024-12-25, a day after the last eleventh month of the year:
// the New Moon days of 2024 and of 2025.
void BM_DayDetailsText(benchmark::State& state) {
    qv::SettingsRecord record;
    record.time.year = 2024;
    record.time.month = 12;
    record.time.day = 25;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::dayDetailsText(record));
}
BENCHMARK(BM_DayDetailsText)->Unit(benchmark::kMillisecond);

// The holiday dialog's pieces of 2024: five blocks.
void BM_HolidayDialogPieces(benchmark::State& state) {
    qv::SettingsRecord settings;
    settings.time.year = 2024;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::holidayDialogPieces(settings));
}
BENCHMARK(BM_HolidayDialogPieces)->Unit(benchmark::kMillisecond);

}  // namespace
