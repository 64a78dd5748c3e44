// Speed of the Day Details and Holidays commands' work: both run the year driver for UTC+8
// (twice per Chinese New Year) and once more to put back the page.
#include <benchmark/benchmark.h>

#include "time/day_details.h"
#include "time/holidays.h"
#include "time/julian.h"

namespace {

// The whole day details text of 2024-12-25, a day after the last eleventh month of the year:
// the New Moon days of 2024 and of 2025, four runs of the year driver and one to restore.
void BM_DayDetailsText(benchmark::State& state) {
    qv::SettingsRecord record;
    record.year = 2024;
    record.month = 12;
    record.day = 25;
    record.deltaT = qv::deltaTDefault(2024);
    qv::PageBuffer page;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::dayDetailsText(record, page));
}
BENCHMARK(BM_DayDetailsText)->Unit(benchmark::kMillisecond);

// The holiday dialog's pieces of 2024: five blocks, three runs of the year driver.
void BM_HolidayDialogPieces(benchmark::State& state) {
    qv::SettingsRecord settings;
    settings.year = 2024;
    settings.deltaT = qv::deltaTDefault(2024);
    qv::PageBuffer page;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::holidayDialogPieces(settings, page));
}
BENCHMARK(BM_HolidayDialogPieces)->Unit(benchmark::kMillisecond);

}  // namespace
