#include "eclipse/special_eclipse.h"

#include <cmath>

#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

// Twice the Sun's radius in Earth radii.
constexpr double kSunDiameter = 2.0 * kSunRadius;
// The track: one-minute steps over two days either side of the chosen instant.
constexpr double kTrackHalfWidthDays = 2.0;
constexpr double kTrackStepDays = 0.000694444;
// Stepping back and forth may leave an instant this far (0.1 ms) below a whole second.
constexpr double kSecondNudgeDays = 1e-4 / kSecondsPerDay;

ElevatedCentralPoint surfacePoint(double mjdUT, double eqeqSeconds, Vec3 point, bool ellipsoid, int kind)
{
    if (ellipsoid)
        point.z *= kPolarAxisRatio;
    double latitudeRad = 0.0, longitudeRad = 0.0;
    groundCoordinates(mjdUT, eqeqSeconds, point, latitudeRad, longitudeRad);
    return {kind, latitudeRad * kDegPerRad, longitudeRad * kDegPerRad};
}

}  // namespace

ElevatedCentralPoints elevatedCentralPoints(double mjdUT, double deltaTSeconds, double heightKm, bool ellipsoid)
{
    EclipseGeometry engine;
    engine.setTime(mjdUT, deltaTSeconds);
    // Lengths in radii of the elevated surface: it becomes the unit sphere, the Earth has radius scale.
    const double scale = kShadowEarthRadiusKm / (std::fmax(heightKm, 0.0) + kShadowEarthRadiusKm);
    Vec3 sun = scale * engine.sunVector();
    Vec3 moon = scale * engine.moonVector();
    if (ellipsoid) {
        sun.z /= kPolarAxisRatio;
        moon.z /= kPolarAxisRatio;
    }
    ElevatedCentralPoints points;
    const Vec3 axis = unitVector(moon - sun);
    const double moonToPlane = -dot(moon, axis);
    const double q = moonToPlane * moonToPlane + 1.0 - dot(moon, moon);
    const double sunToMoon = norm(sun - moon);
    double axisDistance = 0.0;
    if (1.0 - q > 0.0) {
        axisDistance = std::sqrt(1.0 - q);
        if (axisDistance >= 1.0)
            return points;
    }
    const double halfChord = q > 0.0 ? std::sqrt(q) : 0.0;
    const double moonDiameter = scale * kMoonDiameter;
    const double umbraCone = scale * kSunDiameter - moonDiameter;
    auto pointAt = [&](double alongAxis) {
        const int kind = umbraCone * alongAxis / sunToMoon - moonDiameter <= 0.0 ? kElevatedTotal : kElevatedAnnular;
        return surfacePoint(mjdUT, engine.equationOfEquinoxes(), moon + alongAxis * axis, ellipsoid, kind);
    };
    points.entry = pointAt(moonToPlane - halfChord);
    // The exit point is seen only when the axis passes outside the Earth (radius scale here).
    if (scale < axisDistance)
        points.exit = pointAt(moonToPlane + halfChord);
    return points;
}

std::vector<TrackPoint> specialEclipseTrack(double centreUT, double deltaTSeconds, double heightKm, bool ellipsoid)
{
    std::vector<TrackPoint> track;
    const double start = centreUT - kTrackHalfWidthDays;
    const double end = centreUT + kTrackHalfWidthDays;
    for (int i = 0;; ++i) {
        const double t = start + i * kTrackStepDays;
        if (t >= end)
            break;
        const ElevatedCentralPoints points =
            elevatedCentralPoints(t, deltaTSeconds, heightKm, ellipsoid);
        for (const ElevatedCentralPoint& point : {points.entry, points.exit})
            if (point.kind != kNoElevatedPoint)
                track.push_back({point.kind, point.latitudeDeg, point.longitudeDeg});
    }
    return track;
}

UtInstant splitUtInstant(double mjdUT)
{
    UtInstant instant;
    double hours = 0.0;
    calendarDate(mjdUT + kSecondNudgeDays, instant.day, instant.month, instant.year, hours);
    double seconds = 0.0;
    splitDms(hours, instant.hour, instant.minute, seconds);
    instant.second = static_cast<int>(seconds);
    return instant;
}

}  // namespace qv
