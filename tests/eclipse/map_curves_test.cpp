// Curves of the eclipse map: limit and rise/set points are checked against the local sky seen
// from them (computed from the Sun and Moon directly, not from the cone), the point of greatest
// eclipse against the published ones, and the edge cases of the cone and edge models.
#include "eclipse/map_curves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "astro/frames.h"
#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/eclipse_geometry.h"
#include "eclipse/lunation.h"
#include "reports/year_tables.h"
#include "support/year_settings.h"

namespace {

constexpr double kMinute = 1.0 / 1440.0;  // days
constexpr double kDeltaT2024 = 69.184;     // seconds
// Greatest eclipse of 8 April 2024, 18:17 UT.
const double kGreatest2024 = qv::modifiedJulianDate(8, 4, 2024, 18.0 + 17.0 / 60.0);

struct LocalSky {
    double magnitude;
    double sunElevationDeg;
};

// Geometric local magnitude (no refraction, which the curves leave out too) and the Sun's
// elevation at a point of the map at tUt; a negative magnitude when the discs are apart.
LocalSky localSky(double tUt, const qv::GeoPoint& point)
{
    const qv::SunMoon bodies = qv::sunMoonAt(qv::Instant{tUt, kDeltaT2024});
    const double latitudeRad = point.latitudeDeg * qv::kRadPerDeg;
    const double longitudeRad = point.longitudeDeg * qv::kRadPerDeg;
    const qv::Vec3 observer =
        qv::observerPosition(tUt, bodies.eqeqSeconds, latitudeRad, longitudeRad, 0.0);
    const qv::Vec3 sun = bodies.sun - observer;
    const qv::Vec3 moon = bodies.moon - observer;
    const double sunRadius = std::atan(qv::kSunRadius / qv::norm(sun));
    const double moonRadius = std::atan(qv::kMoonRadius / qv::norm(moon));
    const double separation = std::acos(qv::dot(qv::unitVector(sun), qv::unitVector(moon)));
    const double magnitude = (sunRadius + moonRadius - separation) / (2.0 * sunRadius);
    double azimuthRad = 0.0, elevationRad = 0.0, distance = 0.0;
    qv::horizonCoordinates(tUt, bodies.eqeqSeconds, latitudeRad, longitudeRad, 0.0, true, bodies.sun, azimuthRad, elevationRad, distance);
    return {magnitude, elevationRad * qv::kDegPerRad};
}

// From 2 h 40 min before to 2 h 40 min after greatest eclipse, each point on the penumbra's
// edge at its instant: a limit point with the Sun up, a rise/set point on the horizon.
// Measured: magnitudes within 0.0034 of 0 (the models interpolate over 40 minutes), rise/set
// elevations within 0.0026 degrees.
TEST(MapCurves, PointsLieOnThePenumbralEdgeAtTheirInstant)
{
    int limitPoints = 0, riseSetPoints = 0;
    for (double offset = -160.0; offset <= 160.0; offset += 20.0) {
        const double t = kGreatest2024 + offset * kMinute;
        const qv::PenumbraLimitModel limits =
            qv::penumbraLimitModel(qv::Instant{t - 20.0 * kMinute, kDeltaT2024}, t + 20.0 * kMinute);
        for (bool plusSide : {true, false}) {
            const qv::GeoPoint point = qv::limitPoint(limits, t, plusSide);
            if (!point.exists())
                continue;
            ++limitPoints;
            const LocalSky sky = localSky(t, point);
            EXPECT_LT(std::fabs(sky.magnitude), 0.005) << offset << " min";
            EXPECT_GT(sky.sunElevationDeg, 0.0) << offset << " min";
        }
        const qv::PenumbraEdgeModel edge = qv::penumbraEdgeModel(qv::Instant{t - 20.0 * kMinute, kDeltaT2024}, t + 20.0 * kMinute);
        const qv::RiseSetPair pair = qv::riseSetPoints(edge, t);
        for (const qv::GeoPoint& point : {pair.first, pair.second}) {
            if (!point.exists())
                continue;
            ++riseSetPoints;
            const LocalSky sky = localSky(t, point);
            EXPECT_LT(std::fabs(sky.magnitude), 0.005) << offset << " min";
            EXPECT_NEAR(sky.sunElevationDeg, 0.0, 0.01) << offset << " min";
        }
    }
    EXPECT_GT(limitPoints, 10);
    EXPECT_GT(riseSetPoints, 10);
}

// An edge circle of radius L about a plane point at distance m from the centre meets the limb
// only when |1 - L| < m < L + 1; the two points then lie on the limb (latitude 0 for an axis
// along z) at distance L from the plane point.
TEST(MapCurves, RiseSetPointsOnlyWhereTheEdgeCircleCrossesTheLimb)
{
    qv::PenumbraEdgeModel model;
    model.axis0 = qv::Vec3(0.0, 0.0, 1.0);
    struct Case {
        double planeX, planeY, radius;
        bool crosses;
    };
    for (const Case& c : {Case{0.2, 0.0, 0.5, false}, Case{0.2, 0.0, 1.5, false}, Case{0.0, 2.6, 1.5, false},
                          Case{0.8, 0.0, 0.5, true}, Case{0.0, 0.8, 0.5, true}, Case{0.5, -0.6, 1.2, true}}) {
        model.moon0 = qv::Vec3(c.planeX, c.planeY, 60.0);
        model.diameter0 = 2.0 * c.radius;
        const qv::RiseSetPair pair = qv::riseSetPoints(model, model.t0);
        ASSERT_EQ(pair.first.exists(), c.crosses) << c.planeX << " " << c.planeY << " " << c.radius;
        ASSERT_EQ(pair.second.exists(), c.crosses);
        if (!c.crosses)
            continue;
        for (const qv::GeoPoint& point : {pair.first, pair.second}) {
            EXPECT_NEAR(point.latitudeDeg, 0.0, 1e-9);
            // Undo the sidereal turn: the right ascension of the point.
            const double raRad = point.longitudeDeg * qv::kRadPerDeg +
                                 qv::kPi / 12.0 * qv::localSiderealTime(model.t0, 0.0, 0.0);
            EXPECT_NEAR(std::hypot(std::cos(raRad) - c.planeX, std::sin(raRad) - c.planeY), c.radius, 1e-9);
        }
    }
}

// A generator line that passes the Earth gives no limit point; one through it gives the near side.
TEST(MapCurves, LimitPointOnlyWhereTheGeneratorMeetsTheEarth)
{
    qv::PenumbraLimitModel model;
    model.vertex0 = qv::Vec3(0.0, 0.0, -100.0);
    model.plusGenerator0 = qv::Vec3(0.0, 0.0, 1.0);
    model.minusGenerator0 = qv::Vec3(0.011, 0.0, 1.0);  // passes about 1.1 radii from the centre
    const qv::GeoPoint hit = qv::limitPoint(model, 0.0, true);
    ASSERT_TRUE(hit.exists());
    EXPECT_NEAR(hit.latitudeDeg, -90.0, 1e-9);
    EXPECT_FALSE(qv::limitPoint(model, 0.0, false).exists());
    EXPECT_EQ(qv::limitPoint(model, 0.0, false).latitudeDeg, qv::kNoMapPoint);
}

}  // namespace
