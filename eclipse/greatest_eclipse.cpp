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

// Cosine of the Moon's elongation from the Sun: least at the Moon's nearest approach to the
// anti-solar axis.
double cosElongation(double mjdUT, double deltaTSeconds)
{
    EclipseGeometry engine;
    engine.setTime(mjdUT, deltaTSeconds);
    return dot(unitVector(engine.sunVector()), unitVector(engine.moonVector()));
}

// The instant in [low, high] where f (one minimum there) is least, by golden-section search.
template <typename Function>
double leastInstant(double low, double high, double deltaTSeconds, Function f)
{
    double a = low, b = high;
    double c = b - kGoldenSection * (b - a), d = a + kGoldenSection * (b - a);
    double fc = f(c, deltaTSeconds), fd = f(d, deltaTSeconds);
    while (b - a > kToleranceDays) {
        if (fc < fd) {
            b = d, d = c, fd = fc;
            c = b - kGoldenSection * (b - a);
            fc = f(c, deltaTSeconds);
        } else {
            a = c, c = d, fc = fd;
            d = a + kGoldenSection * (b - a);
            fd = f(d, deltaTSeconds);
        }
    }
    return 0.5 * (a + b);
}

double nearestApproach(double low, double high, double deltaTSeconds)
{
    return leastInstant(low, high, deltaTSeconds, axisDistance);
}

}  // namespace

double solarGreatestEclipseUT(double estimateUT, double halfWidthDays, double deltaTSeconds)
{
    return nearestApproach(estimateUT - halfWidthDays, estimateUT + halfWidthDays, deltaTSeconds);
}

double lunarGreatestEclipseUT(double estimateUT, double halfWidthDays, double deltaTSeconds)
{
    return leastInstant(estimateUT - halfWidthDays, estimateUT + halfWidthDays, deltaTSeconds, cosElongation);
}

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
