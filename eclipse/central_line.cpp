#include "eclipse/central_line.h"

#include "astro/frames.h"
#include "base/constants.h"
#include "base/search.h"

namespace qv {

namespace {

// The central point of a central shadow.
CentralLinePoint centralPoint(const MoonShadow& central)
{
    CentralLinePoint point;
    const double mjdUT = central.bodies.instant.mjdUT;
    point.mjdUT = mjdUT;
    point.kind = eclipseKindOf(central.shadow.eclipseClass);
    const CentralMotion motion = centralMotion(central);
    point.durationSeconds = motion.durationSeconds;
    point.widthKm = motion.widthKm;
    double azimuthRad = 0.0, elevationRad = 0.0, distance = 0.0;
    horizonCoordinates(mjdUT, 0.0, central.latitudeRad, central.longitudeRad, 0.0, true, central.bodies.sun,
                       azimuthRad, elevationRad, distance);
    point.latitudeDeg = central.latitudeRad * kDegPerRad;
    point.longitudeDeg = central.longitudeRad * kDegPerRad;
    if (point.longitudeDeg > 180.0)
        point.longitudeDeg -= 360.0;
    point.sunElevationDeg = elevationRad * kDegPerRad;
    return point;
}

// The ends are timed to this (days, about 0.1 ms): the axis's ground point races away from the
// horizon as the square root of the time, about 1 km in that time.
constexpr double kEndToleranceDays = 1e-9;

// How far inside the Earth the shadow axis reaches: 1 minus its squared distance from the
// centre of the squashed Earth; positive when the eclipse is central.
double axisReach(const Instant& instant)
{
    const SunMoon bodies = sunMoonAt(instant);
    const Vec3 moon = squashed(bodies.moon);
    const Vec3 axis = unitVector(moon - squashed(bodies.sun));
    const double alongAxis = dot(moon, axis);
    return 1.0 - (dot(moon, moon) - alongAxis * alongAxis);
}

// The end of the central line between an instant at which the eclipse is central and one at
// which it is not: where the axis touches the Earth, at the horizon. No duration or width.
CentralLinePoint centralEnd(const Instant& scale, const CentralLinePoint& central, double outsideUT)
{
    const double touchUT = crossingOf(std::min(central.mjdUT, outsideUT), std::max(central.mjdUT, outsideUT),
                                      kEndToleranceDays, [&](double t) { return axisReach(scale.at(t)); });
    const GroundAngles ground = subShadowPointAt(scale.at(touchUT));
    CentralLinePoint end;
    end.mjdUT = touchUT;
    end.latitudeDeg = ground.latitudeRad * kDegPerRad;
    end.longitudeDeg = wrapLongitude(ground.longitudeRad) * kDegPerRad;
    end.durationSeconds = 0.0;
    end.kind = central.kind;
    return end;
}

}  // namespace

std::vector<CentralLinePoint> centralLine(const Instant& start, double endUT, double stepDays)
{
    std::vector<CentralLinePoint> line;
    double t = start.mjdUT;
    for (bool first = true;; first = false) {
        MoonShadow shadow = moonShadowAt(start.at(t));
        while (first && !shadow.central() && t < endUT) {
            t += stepDays;
            shadow = moonShadowAt(start.at(t));
        }
        if (shadow.central())
            line.push_back(centralPoint(shadow));
        t += stepDays;
        if (!first && t > endUT)
            break;
    }
    return line;
}

std::vector<CentralLinePoint> centralLineWithEnds(const Instant& start, double endUT, double stepDays)
{
    std::vector<CentralLinePoint> line = centralLine(start, endUT, stepDays);
    if (line.empty())
        return line;
    // The nearest steps on either side at which the eclipse is not central.
    const auto outside = [&](double fromUT, double step) {
        while (moonShadowAt(start.at(fromUT)).central())
            fromUT += step;
        return fromUT;
    };
    line.insert(line.begin(), centralEnd(start, line.front(), outside(line.front().mjdUT - stepDays, -stepDays)));
    line.push_back(centralEnd(start, line.back(), outside(line.back().mjdUT + stepDays, stepDays)));
    return line;
}

}  // namespace qv
