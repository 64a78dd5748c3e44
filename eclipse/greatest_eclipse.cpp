#include "eclipse/greatest_eclipse.h"

#include <cmath>

#include "base/constants.h"
#include "base/search.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

constexpr double kToleranceDays = kSecondDays;  // of the greatest eclipse every page names

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

// The instant within halfWidthDays of an estimate (with its TT - UT) where f, which has one
// minimum there, is least, to toleranceDays.
template <typename Function>
Instant leastInstant(const Instant& estimate, double halfWidthDays, double toleranceDays, Function f)
{
    return estimate.at(leastOf(estimate.mjdUT - halfWidthDays, estimate.mjdUT + halfWidthDays, toleranceDays,
                               [&](double mjdUT) { return f(estimate.at(mjdUT)); }));
}

}  // namespace

Instant solarGreatestEclipse(const Instant& estimate, double halfWidthDays, double toleranceDays)
{
    return leastInstant(estimate, halfWidthDays, toleranceDays, axisDistance);
}

Instant lunarGreatestEclipse(const Instant& estimate, double halfWidthDays, double toleranceDays)
{
    return leastInstant(estimate, halfWidthDays, toleranceDays, cosElongation);
}

GreatestEclipse greatestEclipse(const EclipseEvent& eclipse)
{
    GreatestEclipse greatest;
    if (!isSolar(eclipse.kind)) {
        greatest.instant = lunarGreatestEclipse(eclipse.greatest, kGreatestEclipseSearchHalfDays, kToleranceDays);
        return greatest;
    }
    greatest.instant = solarGreatestEclipse(eclipse.greatest, kGreatestEclipseSearchHalfDays, kToleranceDays);
    const MoonShadow shadow = moonShadowAt(greatest.instant);
    GroundAngles ground{shadow.latitudeRad, shadow.longitudeRad};
    greatest.magnitude = solarMagnitude(shadow);
    greatest.central = shadow.central();
    if (greatest.central) {
        const CentralMotion motion = centralMotion(shadow);
        greatest.durationSeconds = motion.durationSeconds;
        greatest.widthKm = motion.widthKm;
    } else {
        ground = subShadowPointAt(greatest.instant);
    }
    greatest.latitudeDeg = ground.latitudeRad * kDegPerRad;
    greatest.longitudeDeg = ground.longitudeRad * kDegPerRad;
    return greatest;
}

}  // namespace qv
