// Map projections: pixels and geographic points both ways on every style, the poles, the
// off-map marker and the clicks that name no place.
#include "maps/map_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Half a pixel on the world maps; on the hemisphere maps a pixel spans up to 1.07 degrees of
// longitude near the pole, so the round trip is checked in pixels there.
constexpr double kHalfPixelDeg = 0.25;

// Geographic point -> pixel -> geographic point on all four styles and several meridians.
TEST(MapDrawing, ProjectionRoundTripsOnEveryStyle)
{
    for (int projection = qv::kSimpleWorldMap; projection <= qv::kPhysicalWorldMap; ++projection) {
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
                        << projection << " " << meridian << " " << latitude << " " << longitude;
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
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::kSimpleWorldMap, 0.0), 0.0, 0.0), QPoint(360, 180));
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::kSimpleWorldMap, 0.0), 45.0, -90.25), QPoint(179, 90));
    // Meridian 180: longitude 0 goes to the left edge. Half pixels round away from zero.
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::kPhysicalWorldMap, 180.0), -10.0, 0.0), QPoint(0, 200));
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::kSimpleWorldMap, 180.0), 0.25, 0.25), QPoint(0, 179));
}

TEST(MapDrawing, HemisphereMapsShowTheirPoleAndNothingBeyond)
{
    const qv::MapGeometry north = qv::mapGeometry(qv::kNorthernMap, 0.0);
    const QPoint off = qv::offMapMarker(north);
    EXPECT_EQ(off, QPoint(863, 504));
    EXPECT_EQ(qv::projectToMap(north, 90.0, 0.0), QPoint(360, 180));
    EXPECT_EQ(qv::projectToMap(north, 90.05, 0.0), QPoint(360, 180));  // still drawn
    EXPECT_EQ(qv::projectToMap(north, 90.2, 0.0), off);
    EXPECT_EQ(qv::projectToMap(north, -1.0, 0.0), off);
    // The equator lies 2 radii out: its southern side falls below the map's bottom edge.
    EXPECT_EQ(qv::projectToMap(north, 0.0, 180.0), QPoint(863, 863));
    EXPECT_EQ(qv::projectToMap(qv::mapGeometry(qv::kSouthernMap, 0.0), 10.0, 0.0), off);
}

// The pole click gives the pole and the central meridian; a click outside the disc latitude
// -100, and neither it nor a click beside the map names a place.
TEST(MapDrawing, ClicksOnThePoleOutsideTheDiscAndBesideTheMap)
{
    for (double meridian : {0.0, 37.5}) {
        const qv::GeoPoint north = qv::mapToGeographic(qv::mapGeometry(qv::kNorthernMap, meridian), QPoint(360, 180));
        EXPECT_EQ(north.latitudeDeg, 90.0);
        EXPECT_EQ(north.longitudeDeg, meridian);
        const qv::GeoPoint south = qv::mapToGeographic(qv::mapGeometry(qv::kSouthernMap, meridian), QPoint(360, 180));
        EXPECT_EQ(south.latitudeDeg, -90.0);
        EXPECT_EQ(south.longitudeDeg, meridian);
    }
    const qv::MapGeometry north = qv::mapGeometry(qv::kNorthernMap, 0.0);
    EXPECT_EQ(qv::mapToGeographic(north, QPoint(20, 20)).latitudeDeg, -100.0);
    EXPECT_FALSE(qv::isOnMap(north, QPoint(20, 20)));
    EXPECT_TRUE(qv::isOnMap(north, QPoint(360, 100)));
    const qv::MapGeometry world = qv::mapGeometry(qv::kSimpleWorldMap, 0.0);
    EXPECT_TRUE(qv::isOnMap(world, QPoint(720, 360)));
    EXPECT_FALSE(qv::isOnMap(world, QPoint(721, 100)));
    EXPECT_FALSE(qv::isOnMap(world, QPoint(100, 380)));  // on the caption strip
}

}  // namespace
