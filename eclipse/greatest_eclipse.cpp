#include "eclipse/greatest_eclipse.h"

#include <cmath>

#include "base/constants.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

constexpr double kSearchHalfWidthDays = 3.0 / 24.0;
constexpr double kToleranceDays = 1.0 / 86400.0;
constexpr double kGoldenSection = 0.6180339887498949;

// Distance of the shadow axis from the Earth's centre in the frame where the Earth is the unit sphere.
double axisDistance(double mjdUT, double deltaTSeconds)
{
    EclipseGeometry engine;
    engine.setTime(mjdUT, deltaTSeconds);
    const auto squashed = [](const Vec3& v) { return Vec3(v.x, v.y, v.z / kPolarAxisRatio); };
    const Vec3 moon = squashed(engine.moonVector());
    const Vec3 axis = unitVector(moon - squashed(engine.sunVector()));
    return norm(moon - dot(moon, axis) * axis);
}

// The instant of the least axis distance in [low, high], by golden-section search.
double nearestApproach(double low, double high, double deltaTSeconds)
{
    double a = low, b = high;
    double c = b - kGoldenSection * (b - a), d = a + kGoldenSection * (b - a);
    double fc = axisDistance(c, deltaTSeconds), fd = axisDistance(d, deltaTSeconds);
    while (b - a > kToleranceDays) {
        if (fc < fd) {
            b = d, d = c, fd = fc;
            c = b - kGoldenSection * (b - a);
            fc = axisDistance(c, deltaTSeconds);
        } else {
            a = c, c = d, fc = fd;
            d = a + kGoldenSection * (b - a);
            fd = axisDistance(d, deltaTSeconds);
        }
    }
    return 0.5 * (a + b);
}

}  // namespace

GreatestCentralPoint greatestCentralPoint(const EclipseEvent& eclipse, double deltaTSeconds)
{
    GreatestCentralPoint point;
    point.mjdUT = nearestApproach(eclipse.greatestUT - kSearchHalfWidthDays, eclipse.greatestUT + kSearchHalfWidthDays,
                                  deltaTSeconds);
    EclipseGeometry engine;
    double latitudeRad = 0.0, longitudeRad = 0.0;
    if (engine.solarEclipseAt(point.mjdUT, deltaTSeconds, latitudeRad, longitudeRad) < kSolarCentralAnnular)
        return point;
    point.central = true;
    point.durationSeconds = engine.centralDurationAndWidth(point.mjdUT, deltaTSeconds, point.widthKm);
    point.latitudeDeg = latitudeRad * kDegPerRad;
    point.longitudeDeg = longitudeRad * kDegPerRad;
    return point;
}

}  // namespace qv
