#include "eclipse/central_line.h"

#include "astro/frames.h"
#include "base/constants.h"

namespace qv {

namespace {

bool isCentralClass(SolarEclipseClass eclipseClass)
{
    return eclipseClass == kSolarCentralAnnular || eclipseClass == kSolarCentralTotal;
}

// The central point of the engine's last solarEclipseAt at the instant, which gave a central class.
CentralLinePoint centralPoint(EclipseGeometry& engine, const Instant& instant, SolarEclipseClass eclipseClass,
                              double latitudeRad, double longitudeRad)
{
    CentralLinePoint point;
    const double mjdUT = instant.mjdUT;
    point.mjdUT = mjdUT;
    point.kind = eclipseKindOf(eclipseClass);
    // Duration and width first: the Sun's elevation is taken from the engine's state after them.
    point.durationSeconds = engine.centralDurationAndWidth(instant, point.widthKm);
    double azimuthRad = 0.0, elevationRad = 0.0, distance = 0.0;
    horizonCoordinates(mjdUT, 0.0, latitudeRad, longitudeRad, 0.0, true, engine.sunVector(), azimuthRad,
                       elevationRad, distance);
    point.latitudeDeg = latitudeRad * kDegPerRad;
    point.longitudeDeg = longitudeRad * kDegPerRad;
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
        EclipseGeometry engine;
        double latitudeRad = 0.0, longitudeRad = 0.0;
        SolarEclipseClass eclipseClass = engine.solarEclipseAt(start.at(t), latitudeRad, longitudeRad);
        while (first && !isCentralClass(eclipseClass) && t < endUT) {
            t += stepDays;
            eclipseClass = engine.solarEclipseAt(start.at(t), latitudeRad, longitudeRad);
        }
        if (isCentralClass(eclipseClass))
            line.push_back(centralPoint(engine, start.at(t), eclipseClass, latitudeRad, longitudeRad));
        t += stepDays;
        if (!first && t > endUT)
            break;
    }
    return line;
}

const CentralLinePoint* highestSunPoint(const std::vector<CentralLinePoint>& line)
{
    const CentralLinePoint* highest = nullptr;
    for (const CentralLinePoint& point : line)
        if (!highest || point.sunElevationDeg > highest->sunElevationDeg)
            highest = &point;
    return highest;
}

}  // namespace qv
