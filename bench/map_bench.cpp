// Speed of the eclipse map (target: under 20 ms for a whole map), of a full redraw of the
// zoomable map view at 1400 x 900 (target: at most 16 ms, the whole world, 20 and 2 degrees across),
// of the pointer panel's answer for one point (target: at most 5 ms) and of the special-eclipse
// scan of four days at one-minute steps (target: under 20 ms).
#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPixmap>

#include "base/julian.h"
#include "bench_gui.h"
#include "eclipse/special_eclipse.h"
#include "maps/map_drawing.h"
#include "maps/map_view.h"
#include "reports/eclipse_map.h"
#include "reports/map_pointer.h"
#include "reports/year_tables.h"

namespace {

// Settings of 2024, and its total eclipse of 2024-04-08.
qv::SettingsRecord settings2024()
{
    qv::SettingsRecord settings;
    settings.time.year = 2024;
    return settings;
}

qv::EclipseEvent eclipse2024() { return qv::eclipsesOfYear(settings2024()).at(1); }

// The points the map plots: central line at one-minute steps, limits, rise/set curves.
void BM_EclipseMapPoints(benchmark::State& state)
{
    const qv::SettingsRecord settings = settings2024();
    const qv::EclipseEvent eclipse = eclipse2024();
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::eclipseMapPoints(settings, eclipse).centralLine.data());
}
BENCHMARK(BM_EclipseMapPoints)->Unit(benchmark::kMillisecond);

// The pointer panel's answer at a point: in the band of totality (Dallas), and outside it with
// only a partial eclipse (Vienna sees none: the scan still runs).
void BM_MapPointerAnswer(benchmark::State& state)
{
    const qv::SettingsRecord settings = settings2024();
    const qv::EclipseEvent eclipse = eclipse2024();
    const std::vector<qv::CentralLinePoint> line = qv::eclipseMapPoints(settings, eclipse).centralLine;
    const double latitudeDeg = state.range(0) == 0 ? 32.78 : 48.2;
    const double longitudeDeg = state.range(0) == 0 ? -96.80 : 16.37;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::mapPointAnswer(eclipse, line, latitudeDeg, longitudeDeg).obscuration);
}
BENCHMARK(BM_MapPointerAnswer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole map as the window draws it: the points, then the physical map painted offscreen.
void BM_EclipseMapDrawing(benchmark::State& state)
{
    startOffscreenGui();
    const qv::SettingsRecord settings = settings2024();
    const qv::EclipseEvent eclipse = eclipse2024();
    QPixmap page(qv::kMapPageWidthPx, qv::kMapPageHeightPx);
    QPixmap caption(qv::kCaptionWidthPx, qv::kCaptionHeightPx);
    QPixmap earth;
    qv::loadEarthImage(earth);
    const qv::MapGeometry geometry = qv::mapGeometry(qv::MapProjection::PhysicalWorld, -90.0);
    for (auto _ : state)
        qv::paintEclipseMap(page, caption, &earth, geometry, settings, qv::eclipseMapPoints(settings, eclipse),
                            qv::eclipseMapTitle(2024, qv::TimeZone{}, eclipse));
}
BENCHMARK(BM_EclipseMapDrawing)->Unit(benchmark::kMillisecond);

// A full redraw of the map view filling a 1400 x 900 window, the points already computed as the
// window keeps them, with borders, the 10-degree grid and the observer's place: argument 0 the
// whole physical world (the Earth image stretched), 1 the whole simple world (coastline and
// borders as lines), 2 the simple map zoomed to 2 degrees across over Dallas, 3 the simple map
// 20 degrees across over Europe (1:10m outlines and the names of places), 4 the same on the
// northern hemisphere map (no geographic box to leave outlines out by). The 1:10m outlines are
// decoded before the first timed redraw.
void BM_EclipseMapViewRedraw(benchmark::State& state)
{
    startOffscreenGui();
    qv::SettingsRecord settings = settings2024();
    settings.display.mapGrid = qv::MapGrid::Every10Degrees;
    settings.observer = {32.78, -96.80, 0.0, "Dallas"};
    const qv::EclipseEvent eclipse = eclipse2024();
    const qv::EclipseMapPoints points = qv::eclipseMapPoints(settings, eclipse);
    const std::string title = qv::eclipseMapTitle(2024, qv::TimeZone{}, eclipse);
    QPixmap earth;
    qv::loadEarthImage(earth);
    const QSize window(1400, 900);
    const qv::MapProjection projections[] = {qv::MapProjection::PhysicalWorld, qv::MapProjection::SimpleWorld,
                                             qv::MapProjection::SimpleWorld, qv::MapProjection::SimpleWorld,
                                             qv::MapProjection::Northern};
    qv::MapView view = qv::wholeWorldView(projections[state.range(0)], 0.0, qv::viewAreaOfPicture(window), 1.0);
    if (state.range(0) == 2) {
        view.centreLatitudeDeg = 32.78;
        view.centreLongitudeDeg = -96.80;
        view.spanDeg = 2.0;
    } else if (state.range(0) >= 3) {
        view.centreLatitudeDeg = 48.0;
        view.centreLongitudeDeg = 8.0;
        view.spanDeg = 20.0;
    }
    QPixmap picture(window);
    {
        QPainter painter(&picture);
        qv::paintEclipseMapView(painter, view, settings, points, &earth, title);
    }
    for (auto _ : state) {
        QPainter painter(&picture);
        qv::paintEclipseMapView(painter, view, settings, points, &earth, title);
    }
}
BENCHMARK(BM_EclipseMapViewRedraw)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The background and 30-degree grid of each map style (0 simple, 1 northern, 2 southern,
// 3 physical), where the outlines are drawn: the part of a map that grows with their detail.
void BM_MapBackground(benchmark::State& state)
{
    startOffscreenGui();
    QPixmap page(qv::kMapPageWidthPx, qv::kMapPageHeightPx);
    QPixmap earth;
    qv::loadEarthImage(earth);
    const qv::MapGeometry geometry = qv::mapGeometry(static_cast<qv::MapProjection>(state.range(0)), -90.0);
    qv::DisplaySettings display;
    display.mapGrid = qv::MapGrid::Every30Degrees;
    for (auto _ : state) {
        QPainter painter(&page);
        qv::drawMapGrid(geometry, painter, &earth, display);
    }
}
BENCHMARK(BM_MapBackground)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// 5,761 instants of the Sun, the Moon and the shadow axis against a geostationary shell, on one
// thread (argument 1) and on as many as the machine runs at once (argument 0). The time a user
// waits is the wall-clock time.
void BM_SpecialEclipseTrack(benchmark::State& state)
{
    const qv::Instant centre = qv::instantAtUT(qv::modifiedJulianDate(8, 4, 2024, 18.0), qv::DeltaTRule{});
    const int threads = state.range(0) == 0 ? qv::specialTrackParts() : static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::specialEclipseTrack(centre, 35786.0, false, threads).data());
}
BENCHMARK(BM_SpecialEclipseTrack)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
