// Speed of the Moon calendar and the eclipse-as-seen pictures, each computed and painted whole
// into a 1200 x 900 image (target: at most 50 ms a picture): a month and the year of the
// calendar, the total solar eclipse of 2024-04-08 from Dallas and the lunar eclipse of
// 2025-03-14 from Vienna.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "base/time_zone.h"
#include "cli/offscreen_gui.h"
#include "maps/eclipse_seen.h"
#include "maps/moon_calendar.h"

namespace {

const QSize kPictureSize(1200, 900);

qv::SettingsRecord settingsAt(int year, double latitudeDeg, double longitudeDeg, const char* zone)
{
    qv::SettingsRecord settings;
    settings.time.year = year;
    qv::findTimeZone(zone, settings.time.zone);
    settings.observer.latitudeDeg = latitudeDeg;
    settings.observer.longitudeDeg = longitudeDeg;
    return settings;
}

template <typename Paint>
void paintRepeatedly(benchmark::State& state, Paint paint)
{
    qv::OffscreenGui gui;
    QImage image(kPictureSize, QImage::Format_ARGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        paint(painter, QSizeF(kPictureSize));
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_MoonCalendarMonth(benchmark::State& state)
{
    const qv::SettingsRecord vienna = settingsAt(2026, 48.21, 16.37, "Europe/Vienna");
    paintRepeatedly(state, [&](QPainter& p, QSizeF size) { qv::paintMoonCalendar(p, size, vienna, 8); });
}
BENCHMARK(BM_MoonCalendarMonth)->Unit(benchmark::kMillisecond);

void BM_MoonCalendarYear(benchmark::State& state)
{
    const qv::SettingsRecord vienna = settingsAt(2026, 48.21, 16.37, "Europe/Vienna");
    paintRepeatedly(state, [&](QPainter& p, QSizeF size) { qv::paintMoonCalendar(p, size, vienna, 0); });
}
BENCHMARK(BM_MoonCalendarYear)->Unit(benchmark::kMillisecond);

void BM_SolarEclipseSeen(benchmark::State& state)
{
    const qv::SettingsRecord dallas = settingsAt(2024, 32.78, -96.80, "America/Chicago");
    paintRepeatedly(state, [&](QPainter& p, QSizeF size) { qv::paintEclipseAsSeen(p, size, dallas, 2); });
}
BENCHMARK(BM_SolarEclipseSeen)->Unit(benchmark::kMillisecond);

void BM_LunarEclipseSeen(benchmark::State& state)
{
    const qv::SettingsRecord vienna = settingsAt(2025, 48.21, 16.37, "Europe/Vienna");
    paintRepeatedly(state, [&](QPainter& p, QSizeF size) { qv::paintEclipseAsSeen(p, size, vienna, 1); });
}
BENCHMARK(BM_LunarEclipseSeen)->Unit(benchmark::kMillisecond);

}  // namespace
