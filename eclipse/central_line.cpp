#include "eclipse/central_line.h"

#include "astro/frames.h"
#include "base/constants.h"

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

}  // namespace qv
