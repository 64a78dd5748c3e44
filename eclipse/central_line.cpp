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
// Neighbouring points of the line further apart than this (radians of arc, about 100 km) get
// points between them, at halved times up to kMostHalvings deep: near its ends the line races
// over the ground, hundreds of km a minute.
constexpr double kLongestGapRad = 0.016;
constexpr int kMostHalvings = 12;

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

// Angle between two points of the line on the sphere (radians).
double arcBetween(const CentralLinePoint& a, const CentralLinePoint& b)
{
    return greatCircleRad(a.latitudeDeg * kRadPerDeg, a.longitudeDeg * kRadPerDeg, b.latitudeDeg * kRadPerDeg,
                        b.longitudeDeg * kRadPerDeg);
}

// Points of the line between a and b, in order, until no two neighbours lie kLongestGapRad apart.
void appendBetween(const Instant& scale, const CentralLinePoint& a, const CentralLinePoint& b, int halvings,
                   std::vector<CentralLinePoint>& out)
{
    if (halvings == 0 || arcBetween(a, b) <= kLongestGapRad)
        return;
    const MoonShadow shadow = moonShadowAt(scale.at(0.5 * (a.mjdUT + b.mjdUT)));
    if (!shadow.central())
        return;
    const CentralLinePoint middle = centralPoint(shadow);
    appendBetween(scale, a, middle, halvings - 1, out);
    out.push_back(middle);
    appendBetween(scale, middle, b, halvings - 1, out);
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
    std::vector<CentralLinePoint> filled{line.front()};
    for (std::size_t i = 1; i < line.size(); ++i) {
        appendBetween(start, line[i - 1], line[i], kMostHalvings, filled);
        filled.push_back(line[i]);
    }
    line = std::move(filled);
    return line;
}

}  // namespace qv
