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
double axisDistance(const Instant& instant)
{
    const SunMoon bodies = sunMoonAt(instant);
    const Vec3 moon = squashed(bodies.moon);
    const Vec3 axis = unitVector(moon - squashed(bodies.sun));
    return norm(moon - dot(moon, axis) * axis);
}

// Cosine of the Moon's elongation from the Sun: least at the Moon's nearest approach to the
// anti-solar axis.
double cosElongation(const Instant& instant)
{
    const SunMoon bodies = sunMoonAt(instant);
    return dot(unitVector(bodies.sun), unitVector(bodies.moon));
}

// The instant in [low, high] (MJDs of UT, with the TT - UT of scale) where f (one minimum
// there) is least, by golden-section search.
template <typename Function>
Instant leastInstant(double low, double high, const Instant& scale, Function f)
{
    const auto fAt = [&](double mjdUT) { return f(scale.at(mjdUT)); };
    double a = low, b = high;
    double c = b - kGoldenSection * (b - a), d = a + kGoldenSection * (b - a);
    double fc = fAt(c), fd = fAt(d);
    while (b - a > kToleranceDays) {
        if (fc < fd) {
            b = d, d = c, fd = fc;
            c = b - kGoldenSection * (b - a);
            fc = fAt(c);
        } else {
            a = c, c = d, fc = fd;
            d = a + kGoldenSection * (b - a);
            fd = fAt(d);
        }
    }
    return scale.at(0.5 * (a + b));
}

Instant nearestApproach(const Instant& estimate, double halfWidthDays)
{
    return leastInstant(estimate.mjdUT - halfWidthDays, estimate.mjdUT + halfWidthDays, estimate, axisDistance);
}

}  // namespace

Instant solarGreatestEclipse(const Instant& estimate, double halfWidthDays)
{
    return nearestApproach(estimate, halfWidthDays);
}

Instant lunarGreatestEclipse(const Instant& estimate, double halfWidthDays)
{
    return leastInstant(estimate.mjdUT - halfWidthDays, estimate.mjdUT + halfWidthDays, estimate, cosElongation);
}

GreatestCentralPoint greatestCentralPoint(const EclipseEvent& eclipse)
{
    GreatestCentralPoint point;
    const Instant greatest = nearestApproach(eclipse.greatest, kSearchHalfWidthDays);
    point.mjdUT = greatest.mjdUT;
    const MoonShadow shadow = moonShadowAt(greatest);
    if (!shadow.central())
        return point;
    point.central = true;
    const CentralMotion motion = centralMotion(shadow);
    point.durationSeconds = motion.durationSeconds;
    point.widthKm = motion.widthKm;
    point.latitudeDeg = shadow.latitudeRad * kDegPerRad;
    point.longitudeDeg = shadow.longitudeRad * kDegPerRad;
    return point;
}

}  // namespace qv
