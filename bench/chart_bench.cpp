// Speed of the daylight chart: the year of events it draws (target: at most 20 ms) and the
// picture painted from them at 1400 x 900 (target: at most 50 ms).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bench_gui.h"
#include "maps/daylight_chart.h"

namespace {

qv::SettingsRecord vienna2026()
{
    qv::SettingsRecord settings;
    settings.time.year = 2026;
    qv::findTimeZone("Europe/Vienna", settings.time.zone);
    settings.observer = {48.2082, 16.3738, 0.0, "Vienna"};
    return settings;
}

void BM_DaylightYear(benchmark::State& state)
{
    const qv::SettingsRecord settings = vienna2026();
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::daylightYear(settings).days.data());
}
BENCHMARK(BM_DaylightYear)->Unit(benchmark::kMillisecond);

// The picture alone, from a year computed once (the window's page computes it again on resize).
void BM_DaylightChartPicture(benchmark::State& state)
{
    startOffscreenGui();
    const qv::SettingsRecord settings = vienna2026();
    const qv::DaylightYear year = qv::daylightYear(settings);
    QImage image(1400, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        qv::paintDaylightChart(painter, QSizeF(1400, 900), settings, year);
    }
}
BENCHMARK(BM_DaylightChartPicture)->Unit(benchmark::kMillisecond);

}  // namespace
