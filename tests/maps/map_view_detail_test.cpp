// The zoomed map view's detail: the 1:10m coastline where the 1:50m one runs elsewhere, the
// names of places (no overlaps, most populous first), and the penumbral limits and rise/set
// curves drawn as unbroken lines.
#include "maps/map_detail.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "base/places.h"
#include "eclipse/eclipse_kind.h"
#include "maps/map_view.h"
#include "reports/eclipse_map.h"
#include "reports/year_tables.h"
#include "support/offscreen_gui.h"

namespace qv {
namespace {

// The view painted on white without borders or grid, in device pixels; the observer's mark
// lies wherever settings put it.
QImage paintedView(const MapView& view, const SettingsRecord& settings, const EclipseMapPoints& points)
{
    test::startOffscreenGui();
    const QSize size = viewPictureSize(view) * view.deviceScale;
    QImage image(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(view.deviceScale);
    QPainter painter(&image);
    paintEclipseMapView(painter, view, settings, points, nullptr, "");
    painter.end();
    return image;
}

SettingsRecord plainSettings()
{
    SettingsRecord settings;
    settings.display.mapGrey = false;
    settings.display.mapBorders = false;
    settings.display.mapGrid = MapGrid::None;
    settings.observer = {-60.0, 0.0, 0.0, ""};  // off every view below
    return settings;
}

MapView zoomedView(double latitudeDeg, double longitudeDeg, double spanDeg, double scale = 1.0,
                   MapProjection projection = MapProjection::SimpleWorld)
{
    MapView view = wholeWorldView(projection, 0.0, QSize(1000, 700), scale);
    view.centreLatitudeDeg = latitudeDeg;
    view.centreLongitudeDeg = longitudeDeg;
    view.spanDeg = spanDeg;
    return view;
}

// Whether a device pixel within a view pixel of the point passes the colour test.
template <typename ColourTest>
bool inkNear(const QImage& picture, QPointF pixel, double scale, ColourTest isInk)
{
    for (int y = static_cast<int>(std::floor((pixel.y() - 1.0) * scale));
         y <= static_cast<int>(std::floor((pixel.y() + 1.0) * scale)); ++y)
        for (int x = static_cast<int>(std::floor((pixel.x() - 1.0) * scale));
             x <= static_cast<int>(std::floor((pixel.x() + 1.0) * scale)); ++x)
            if (picture.valid(x, y) && isInk(picture.pixel(x, y)))
                return true;
    return false;
}

// Distance in pixels from a point to the nearest segment of the 1:50m coastline in the view.
double distanceToCoarseCoastPx(const MapView& view, QPointF pixel)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (const OutlinePiece& piece : outlinePieces(false))
        for (qsizetype i = 1; i < piece.lonLat.size(); ++i) {
            const QPointF a = projectToView(view, piece.lonLat[i - 1].y(), piece.lonLat[i - 1].x());
            const QPointF b = projectToView(view, piece.lonLat[i].y(), piece.lonLat[i].x());
            const QPointF ab = b - a;
            const double length2 = QPointF::dotProduct(ab, ab);
            const double t = length2 > 0.0 ? std::clamp(QPointF::dotProduct(pixel - a, ab) / length2, 0.0, 1.0) : 0.0;
            nearest = std::min(nearest, QLineF(pixel, a + t * ab).length());
        }
    return nearest;
}

// In views 4 to 8 degrees across (fjords of Norway on the world and the northern map, the
// Aegean, the Strait of Magellan) at scale 1 and 2, the coastline is drawn through the 1:10m points that lie more than 4 pixels
// from the 1:50m coastline: detail the coarse outline would not show. Points under the names of
// places are not looked at.
TEST(MapViewDetail, ZoomedViewsDrawTheDetailedCoastline)
{
    const SettingsRecord settings = plainSettings();
    const auto isCoast = [](QRgb colour) { return qRed(colour) - qBlue(colour) > 60; };
    for (const MapView& base : {zoomedView(61.0, 6.0, 6.0), zoomedView(38.0, 25.0, 8.0), zoomedView(-53.5, -71.0, 4.0),
                                zoomedView(61.0, 6.0, 6.0, 1.0, MapProjection::Northern)})
        for (const double scale : {1.0, 2.0}) {
            MapView view = base;
            view.deviceScale = scale;
            const QImage picture = paintedView(view, settings, {});
            const QRectF inside = QRectF(QPointF(), QSizeF(view.size)).adjusted(2, 2, -2, -2);
            const std::vector<PlaceLabel> labels = placeLabels(view, QRectF());
            const auto underName = [&labels](QPointF pixel) {
                return std::any_of(labels.begin(), labels.end(),
                                   [pixel](const PlaceLabel& label) { return label.box.contains(pixel); });
            };
            int looked = 0, missed = 0;
            for (const OutlinePiece& piece : detailedOutlinePieces(false))
                for (const QPointF& point : piece.lonLat) {
                    const QPointF pixel = projectToView(view, point.y(), point.x());
                    if (!inside.contains(pixel) || looked >= 60 || underName(pixel) ||
                        distanceToCoarseCoastPx(view, pixel) < 4.0)
                        continue;
                    ++looked;
                    if (!inkNear(picture, pixel, scale, isCoast))
                        ++missed;
                }
            EXPECT_GE(looked, 20) << view.centreLatitudeDeg << " scale " << scale;
            EXPECT_EQ(missed, 0) << view.centreLatitudeDeg << " scale " << scale;
        }
}

// Over zoomed views of crowded and sparse regions, on world and hemisphere maps: no name
// overlaps another or the observer's mark, names come most populous first, the most populous
// place the view shows is named.
TEST(MapViewDetail, PlaceNamesDoNotOverlapAndComeMostPopulousFirst)
{
    test::startOffscreenGui();
    const std::span<const Place> places = allPlaces();
    const MapView views[] = {zoomedView(48.0, 8.0, 20.0),  zoomedView(32.78, -96.80, 3.0),
                             zoomedView(35.5, 139.5, 10.0), zoomedView(-23.5, 133.0, 25.0),
                             zoomedView(52.5, 13.4, 0.5),  zoomedView(60.0, 10.0, 20.0, 2.0, MapProjection::Northern)};
    for (const MapView& view : views) {
        const QRectF observer(QPointF(view.size.width() * 0.3, view.size.height() * 0.3), QSizeF(70.0, 12.0));
        const std::vector<PlaceLabel> labels = placeLabels(view, observer);
        const std::string label = std::to_string(view.centreLatitudeDeg) + " span " + std::to_string(view.spanDeg);
        ASSERT_GE(labels.size(), 3u) << label;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_FALSE(labels[i].box.intersects(observer)) << label << " " << labels[i].name.toStdString();
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_LT(labels[j].placeIndex, labels[i].placeIndex) << label;
                EXPECT_FALSE(labels[j].box.intersects(labels[i].box))
                    << label << " " << labels[j].name.toStdString() << " / " << labels[i].name.toStdString();
            }
        }
        const QRectF area(QPointF(), QSizeF(view.size));
        const auto shown = std::find_if(places.begin(), places.end(), [&](const Place& place) {
            QPointF pixel;
            return projectToView(view, place.latitudeDeg, place.longitudeDeg, pixel) && area.contains(pixel);
        });
        ASSERT_NE(shown, places.end()) << label;
        EXPECT_EQ(labels.front().placeIndex, static_cast<std::size_t>(shown - places.begin())) << label;
    }
}

// The penumbral limits and the rise/set curves of 2024-04-08 and 2026-08-12 are unbroken
// lines: the middle of every segment between two of their consecutive points at least 4
// pixels apart has the curve's colour near it, on the whole world and a zoomed view, at scale
// 1 and 2. Where other layers cross the curve a few middles are covered.
TEST(MapViewDetail, PenumbralLimitsAndRiseSetCurvesAreLines)
{
    const auto isLimit = [](QRgb colour) { return qRed(colour) < 110 && qGreen(colour) < 110 && qBlue(colour) < 110; };
    const auto isRiseSet = [](QRgb colour) { return qRed(colour) > 120 && qGreen(colour) < 90 && qBlue(colour) > 70; };
    for (const int year : {2024, 2026}) {
        SettingsRecord yearSettings = plainSettings();
        yearSettings.time.year = year;
        const std::vector<EclipseEvent> eclipses = eclipsesOfYear(yearSettings);
        const auto solar = std::find_if(eclipses.begin(), eclipses.end(),
                                        [](const EclipseEvent& e) { return isSolar(e.kind) && isTotal(e.kind); });
        ASSERT_NE(solar, eclipses.end()) << year;
        const EclipseMapPoints points = eclipseMapPoints(yearSettings, *solar);
        for (const MapView& base : {zoomedView(0.0, 0.0, 360.0), zoomedView(40.0, -20.0, 60.0)})
            for (const double scale : {1.0, 2.0}) {
                MapView view = base;
                view.deviceScale = scale;
                const QImage picture = paintedView(view, yearSettings, points);
                const QRectF inside = QRectF(QPointF(), QSizeF(view.size)).adjusted(2, 2, -2, -2);
                const QPointF greatest = projectToView(view, points.greatest.latitudeDeg, points.greatest.longitudeDeg);
                int looked = 0, missed = 0;
                const auto check = [&](const TimedCurve& curve, auto isInk) {
                    for (const TimedLine& line : curve)
                        for (std::size_t i = 1; i < line.size(); ++i) {
                            const QPointF a = projectToView(view, line[i - 1].latitudeDeg, line[i - 1].longitudeDeg);
                            const QPointF b = projectToView(view, line[i].latitudeDeg, line[i].longitudeDeg);
                            const QPointF middle = (a + b) / 2.0;
                            const double length = QLineF(a, b).length();
                            if (length < 4.0 || length > 100.0 || !inside.contains(middle) ||
                                QLineF(middle, greatest).length() < 8.0)
                                continue;
                            ++looked;
                            if (!inkNear(picture, middle, scale, isInk))
                                ++missed;
                        }
                };
                check(points.curveLines.northernLimit, isLimit);
                check(points.curveLines.southernLimit, isLimit);
                check(points.curveLines.riseSet, isRiseSet);
                const std::string label = std::to_string(year) + " span " + std::to_string(view.spanDeg) +
                                          " scale " + std::to_string(scale);
                EXPECT_GE(looked, 40) << label;
                EXPECT_LE(missed, looked / 50) << label;
            }
    }
}

}  // namespace
}  // namespace qv
