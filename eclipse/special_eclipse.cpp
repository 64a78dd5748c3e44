#include "eclipse/special_eclipse.h"

#include <algorithm>
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

// Lengths in Earth radii times this are in radii of the surface heightKm up (a negative height
// counts as 0).
double surfaceScale(double heightKm) { return kShadowEarthRadiusKm / (std::fmax(heightKm, 0.0) + kShadowEarthRadiusKm); }

ElevatedCentralPoint surfacePoint(double mjdUT, double eqeqSeconds, Vec3 point, bool ellipsoid, int kind)
{
    if (ellipsoid)
        point.z *= kPolarAxisRatio;
    double latitudeRad = 0.0, longitudeRad = 0.0;
    groundCoordinates(mjdUT, eqeqSeconds, point, latitudeRad, longitudeRad);
    return {kind, latitudeRad * kDegPerRad, longitudeRad * kDegPerRad};
}

// The central points of one instant and the distance of the shadow axis from the centre of
// the surface, in the surface's radii (0 when the axis passes through the centre).
struct ElevatedShadow {
    ElevatedCentralPoints points;
    double axisDistance = 0.0;
};

ElevatedShadow elevatedShadow(double mjdUT, double deltaTSeconds, double heightKm, bool ellipsoid)
{
    EclipseGeometry engine;
    engine.setTime(mjdUT, deltaTSeconds);
    // Lengths in radii of the elevated surface: it becomes the unit sphere, the Earth has radius scale.
    const double scale = surfaceScale(heightKm);
    Vec3 sun = scale * engine.sunVector();
    Vec3 moon = scale * engine.moonVector();
    if (ellipsoid) {
        sun.z /= kPolarAxisRatio;
        moon.z /= kPolarAxisRatio;
    }
    ElevatedShadow shadow;
    const Vec3 axis = unitVector(moon - sun);
    const double moonToPlane = -dot(moon, axis);
    const double q = moonToPlane * moonToPlane + 1.0 - dot(moon, moon);
    const double sunToMoon = norm(sun - moon);
    if (1.0 - q > 0.0) {
        shadow.axisDistance = std::sqrt(1.0 - q);
        if (shadow.axisDistance >= 1.0)
            return shadow;
    }
    const double halfChord = q > 0.0 ? std::sqrt(q) : 0.0;
    const double moonDiameter = scale * kMoonDiameter;
    const double umbraCone = scale * kSunDiameter - moonDiameter;
    // alongAxis runs from the Moon away from the Sun: the Moon's shadow lies only on that side,
    // so a crossing between the Sun and the Moon (a surface beyond the Moon) is no central point.
    auto pointAt = [&](double alongAxis) -> ElevatedCentralPoint {
        if (alongAxis <= 0.0)
            return {};
        const int kind = umbraCone * alongAxis / sunToMoon - moonDiameter <= 0.0 ? kElevatedTotal : kElevatedAnnular;
        return surfacePoint(mjdUT, engine.equationOfEquinoxes(), moon + alongAxis * axis, ellipsoid, kind);
    };
    shadow.points.entry = pointAt(moonToPlane - halfChord);
    // The exit point is seen only when the axis passes outside the Earth (radius scale here).
    if (scale < shadow.axisDistance)
        shadow.points.exit = pointAt(moonToPlane + halfChord);
    return shadow;
}

// Track steps after one whose axis passed axisDistance (>= 1) from the centre of the surface
// over which the axis surely stays off the surface: in surface radii (squashed for the
// ellipsoid, which lengthens them by at most 1/kPolarAxisRatio) the distance shrinks by at most
// kMaxAxisDriftPerDay a day. A small allowance covers the rounding of the distance.
long stepsOffTheSurface(double axisDistance, double heightKm)
{
    constexpr double kRoundingAllowance = 1e-9;
    const double driftPerStep = kMaxAxisDriftPerDay * kTrackStepDays * surfaceScale(heightKm) / kPolarAxisRatio;
    return static_cast<long>(std::floor((axisDistance - 1.0 - kRoundingAllowance) / driftPerStep));
}

}  // namespace

ElevatedCentralPoints elevatedCentralPoints(double mjdUT, double deltaTSeconds, double heightKm, bool ellipsoid)
{
    return elevatedShadow(mjdUT, deltaTSeconds, heightKm, ellipsoid).points;
}

std::vector<TrackPoint> specialEclipseTrack(double centreUT, double deltaTSeconds, double heightKm, bool ellipsoid)
{
    std::vector<TrackPoint> track;
    const double start = centreUT - kTrackHalfWidthDays;
    const double end = centreUT + kTrackHalfWidthDays;
    for (long i = 0;; ++i) {
        const double t = start + static_cast<double>(i) * kTrackStepDays;
        if (t >= end)
            break;
        const ElevatedShadow shadow = elevatedShadow(t, deltaTSeconds, heightKm, ellipsoid);
        if (shadow.axisDistance >= 1.0) {
            // No point at this step, nor at the steps the axis needs to come near the surface.
            i += std::max(stepsOffTheSurface(shadow.axisDistance, heightKm), 0L);
            continue;
        }
        for (const ElevatedCentralPoint& point : {shadow.points.entry, shadow.points.exit})
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
