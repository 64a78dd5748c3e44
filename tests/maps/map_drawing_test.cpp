// Map projections: pixels and geographic points both ways on every style, the poles, the
// off-map marker and the clicks that name no place; the borders, and what lies outside the
// written picture.
#include "maps/map_drawing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cmath>

#include "reports/year_tables.h"
#include "support/offscreen_gui.h"

namespace {

// Half a pixel on the world maps; on the hemisphere maps a pixel spans up to 1.07 degrees of
// longitude near the pole, so the round trip is checked in pixels there.
constexpr double kHalfPixelDeg = 0.25;

constexpr qv::MapProjection kStyles[] = {qv::MapProjection::SimpleWorld, qv::MapProjection::Northern,
                                         qv::MapProjection::Southern, qv::MapProjection::PhysicalWorld};

// Geographic point -> pixel -> geographic point on all four styles and several meridians.
TEST(MapDrawing, ProjectionRoundTripsOnEveryStyle)
{
    for (qv::MapProjection projection : kStyles) {
        for (double meridian : {0.0, 180.0, -75.5, 300.0}) {
            const qv::MapGeometry geometry = qv::mapGeometry(projection, meridian);
            for (double latitude = -80.0; latitude <= 85.0; latitude += 17.0) {
                for (double longitude = -175.0; longitude <= 175.0; longitude += 25.0) {
                    const QPoint pixel = qv::projectToMap(geometry, latitude, longitude);
                    if (pixel == qv::offMapMarker(geometry) || pixel.x() == geometry.referenceWidth + 3)
                        continue;  // not on this hemisphere, or beyond the map's edge
                    const qv::GeoPoint back = qv::mapToGeographic(geometry, pixel);
                    const QPoint again = qv::projectToMap(geometry, back.latitudeDeg, back.longitudeDeg);
                    EXPECT_LE((again - pixel).manhattanLength(), 1)
                        << static_cast<int>(projection) << " " << meridian << " " << latitude << " " << longitude;
                    if (!qv::isHemisphereMap(geometry)) {
                        EXPECT_NEAR(back.latitudeDeg, latitude, kHalfPixelDeg);
                        EXPECT_NEAR(std::remainder(back.longitudeDeg - longitude, 360.0), 0.0, kHalfPixelDeg);
                    }
                }
            }
        }
    }
}

TEST(MapDrawing, CentralMeridianShiftsTheWorldMap)
{
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::MapProjection::SimpleWorld, 0.0), 0.0, 0.0), QPoint(360, 180));
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::MapProjection::SimpleWorld, 0.0), 45.0, -90.25), QPoint(179, 90));
    // Meridian 180: longitude 0 goes to the left edge. Half pixels round away from zero.
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::MapProjection::PhysicalWorld, 180.0), -10.0, 0.0), QPoint(0, 200));
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::MapProjection::SimpleWorld, 180.0), 0.25, 0.25), QPoint(0, 179));
}

TEST(MapDrawing, HemisphereMapsShowTheirPoleAndNothingBeyond)
{
    const qv::MapGeometry north = qv::mapGeometry(qv::MapProjection::Northern, 0.0);
    const QPoint off = qv::offMapMarker(north);
    EXPECT_EQ(off, QPoint(863, 504));
    EXPECT_EQ(qv::projectToMap(north, 90.0, 0.0), QPoint(360, 180));
    EXPECT_EQ(qv::projectToMap(north, 90.05, 0.0), QPoint(360, 180));  // still drawn
    EXPECT_EQ(qv::projectToMap(north, 90.2, 0.0), off);
    EXPECT_EQ(qv::projectToMap(north, -1.0, 0.0), off);
    // The equator lies 2 radii out: its southern side falls below the map's bottom edge.
    EXPECT_EQ(qv::projectToMap(north, 0.0, 180.0), QPoint(863, 863));
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::MapProjection::Southern, 0.0), 10.0, 0.0), off);
}

// The pole click gives the pole and the central meridian; a click outside the disc latitude
// -100, and neither it nor a click beside the map names a place.
TEST(MapDrawing, ClicksOnThePoleOutsideTheDiscAndBesideTheMap)
{
    for (double meridian : {0.0, 37.5}) {
        const qv::GeoPoint north =
            qv::mapToGeographic(qv::mapGeometry(qv::MapProjection::Northern, meridian), QPoint(360, 180));
        EXPECT_EQ(north.latitudeDeg, 90.0);
        EXPECT_EQ(north.longitudeDeg, meridian);
        const qv::GeoPoint south =
            qv::mapToGeographic(qv::mapGeometry(qv::MapProjection::Southern, meridian), QPoint(360, 180));
        EXPECT_EQ(south.latitudeDeg, -90.0);
        EXPECT_EQ(south.longitudeDeg, meridian);
    }
    const qv::MapGeometry north = qv::mapGeometry(qv::MapProjection::Northern, 0.0);
    EXPECT_EQ(qv::mapToGeographic(north, QPoint(20, 20)).latitudeDeg, -100.0);
    EXPECT_FALSE(qv::isOnMap(north, QPoint(20, 20)));
    EXPECT_TRUE(qv::isOnMap(north, QPoint(360, 100)));
    const qv::MapGeometry world = qv::mapGeometry(qv::MapProjection::SimpleWorld, 0.0);
    EXPECT_TRUE(qv::isOnMap(world, QPoint(720, 360)));
    EXPECT_FALSE(qv::isOnMap(world, QPoint(721, 100)));
    EXPECT_FALSE(qv::isOnMap(world, QPoint(100, 380)));  // on the caption strip
}

// The background of a map style with or without the borders, on white.
QImage mapBackground(const qv::MapGeometry& geometry, bool borders)
{
    QPixmap earth;
    qv::loadEarthImage(earth);
    qv::DisplaySettings display;
    display.mapBorders = borders;
    QPixmap page(qv::kMapPageWidthPx, qv::kMapPageHeightPx);
    page.fill(Qt::white);
    QPainter painter(&page);
    qv::drawMapGrid(geometry, painter, &earth, display);
    painter.end();
    return page.toImage();
}

// Points on straight borders (49 N between the United States and Canada, 25 E between Egypt
// and Libya, 20 E between Namibia and Botswana) are drawn where they are, within a pixel, on
// every style that shows them, and only when the borders are asked for.
TEST(MapDrawing, BordersAreDrawnWhereTheyAreAndOnlyWhenAsked)
{
    test::startOffscreenGui();
    const qv::GeoPoint onBorders[] = {{49.0, -100.0}, {28.0, 25.0}, {-23.0, 20.0}};
    for (qv::MapProjection projection : kStyles) {
        const qv::MapGeometry geometry = qv::mapGeometry(projection, 10.0);
        const QImage with = mapBackground(geometry, true);
        const QImage without = mapBackground(geometry, false);
        for (const qv::GeoPoint& point : onBorders) {
            const QPoint pixel = qv::projectToMap(geometry, point.latitudeDeg, point.longitudeDeg);
            if (pixel == qv::offMapMarker(geometry))
                continue;  // on the other hemisphere
            int changed = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    changed += with.pixel(pixel + QPoint(dx, dy)) != without.pixel(pixel + QPoint(dx, dy));
            EXPECT_GT(changed, 0) << static_cast<int>(projection) << " " << point.latitudeDeg;
        }
    }
}

// The written picture holds the map and its caption strip: the window's whole page holds
// nothing but the background beside and below them on every style, except for the last
// pixel of each grid line of the world maps, which ends one pixel right of the map.
TEST(MapDrawing, NothingIsDrawnBesideOrBelowMapAndCaption)
{
    test::startOffscreenGui();
    qv::SettingsRecord settings;
    settings.time.year = 2024;
    settings.display.mapGrid = qv::MapGrid::Every10Degrees;
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    const qv::EclipseMapPoints points = qv::eclipseMapPoints(settings, eclipse);
    QPixmap earth;
    qv::loadEarthImage(earth);
    for (qv::MapProjection projection : kStyles) {
        QPixmap page(qv::kMapPageWidthPx, qv::kMapPageHeightPx);
        QPixmap caption(qv::kCaptionWidthPx, qv::kCaptionHeightPx);
        qv::paintEclipseMap(page, caption, &earth, qv::mapGeometry(projection, 180.0), settings, points, "title");
        const QImage image = page.toImage();
        const QRgb background = qRgb(200, 200, 200);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool outside = x >= qv::kMapWidthPx || y >= qv::kMapPictureHeightPx;
                const bool gridLineEnd = x == qv::kMapWidthPx && y < qv::kMapHeightPx && y % 10 == 0;
                if (outside && !gridLineEnd && image.pixel(x, y) != background)
                    ++drawn;
            }
        EXPECT_EQ(drawn, 0) << static_cast<int>(projection);
        EXPECT_EQ(image.pixel(qv::kMapWidthPx - 1, qv::kMapPictureHeightPx - 1), qRgb(0, 0, 255));  // caption
    }
}

}  // namespace
