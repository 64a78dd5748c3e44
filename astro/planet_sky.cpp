#include "astro/planet_sky.h"

#include <cmath>

#include "astro/frames.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/search.h"

namespace qv {

namespace {

constexpr double kDayDays = 1.0;
constexpr double kScanStepDays = 10.0 * kMinuteDays;

// Altitude above the planet's horizon and hour angle (radians) of a true-equatorial direction.
struct SkyAngles {
    double aboveHorizonRad = 0.0;
    double hourAngleRad = 0.0;
};
SkyAngles skyAngles(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad, const Vec3& direction)
{
    double azimuthRad = 0.0, altitudeRad = 0.0, distance = 0.0;
    horizonCoordinates(mjdUT, eqeqSeconds, latitudeRad, longitudeRad, 0.0, true, EARTH_RADII_PER_AU * direction,
                       azimuthRad, altitudeRad, distance);
    const double siderealRad = localSiderealTime(mjdUT, longitudeRad * kDegPerRad, eqeqSeconds) * kPi / 12.0;
    return {altitudeRad - kPlanetHorizonDeg * kRadPerDeg, wrappedAngle(siderealRad - longitudeOf(direction))};
}

double equationOfEquinoxesSeconds(const Instant& instant)
{
    return nutationAngles(instant.centuriesTT()).equationOfEquinoxesSeconds;
}

}  // namespace

Horizontal planetHorizontal(const PlanetPlace& place, double latitudeRad, double longitudeRad, double heightM)
{
    double azimuthRad = 0.0, altitudeRad = 0.0, distance = 0.0;
    horizonCoordinates(place.instant.mjdUT, equationOfEquinoxesSeconds(place.instant), latitudeRad, longitudeRad,
                       heightM, true, EARTH_RADII_PER_AU * place.equatorial, azimuthRad, altitudeRad, distance);
    const double azimuthDeg = azimuthRad * kDegPerRad;
    return {altitudeRad * kDegPerRad, azimuthDeg < 0.0 ? azimuthDeg + 360.0 : azimuthDeg};
}

PlanetDayEvents planetDayEvents(Planet planet, const Instant& from, double latitudeRad, double longitudeRad)
{
    const double eqeqSeconds = equationOfEquinoxesSeconds(from);
    const Vec3 first = unitVector(planetPlace(planet, from).equatorial);
    const Vec3 last = unitVector(planetPlace(planet, from.later(kDayDays)).equatorial);
    // The scan's direction: the day's two places interpolated; the refinement's: the exact one.
    const auto scanned = [&](double t) {
        const double fraction = (t - from.mjdUT) / kDayDays;
        return skyAngles(t, eqeqSeconds, latitudeRad, longitudeRad, (1.0 - fraction) * first + fraction * last);
    };
    const auto exact = [&](double t) {
        return skyAngles(t, eqeqSeconds, latitudeRad, longitudeRad, planetPlace(planet, from.at(t)).equatorial);
    };
    PlanetDayEvents events;
    const StepScan scan{from.mjdUT, kScanStepDays};
    const long lastStep = scan.lastStepNotAfter(from.mjdUT + kDayDays);
    SkyAngles before = scanned(scan.at(0));
    for (long step = 1; step <= lastStep; ++step) {
        const double t0 = scan.at(step - 1), t1 = scan.at(step);
        const SkyAngles now = scanned(t1);
        if (!events.riseUT && before.aboveHorizonRad < 0.0 && now.aboveHorizonRad >= 0.0)
            events.riseUT = crossingOf(t0, t1, kSecondDays, [&](double t) { return exact(t).aboveHorizonRad; });
        if (!events.setUT && before.aboveHorizonRad >= 0.0 && now.aboveHorizonRad < 0.0)
            events.setUT = crossingOf(t0, t1, kSecondDays, [&](double t) { return exact(t).aboveHorizonRad; });
        // Upper transit: the hour angle passes 0 upward (not its jump from pi to -pi).
        if (!events.transitUT && before.hourAngleRad < 0.0 && now.hourAngleRad >= 0.0 &&
            now.hourAngleRad - before.hourAngleRad < kPi)
            events.transitUT = crossingOf(t0, t1, kSecondDays, [&](double t) { return exact(t).hourAngleRad; });
        before = now;
    }
    return events;
}

}  // namespace qv
