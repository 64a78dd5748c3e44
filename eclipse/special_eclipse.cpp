#include "eclipse/special_eclipse.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <system_error>
#include <thread>

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
// Most parts the track's minutes are shared out to, one thread each.
constexpr long kMaxTrackParts = 4;
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

// One point of the track and the minute of the scan that found it.
struct MinutePoint {
    long minute = 0;
    TrackPoint point;
};

// The track's scan: one-minute steps from start up to end.
struct TrackScan {
    double start = 0.0;
    double end = 0.0;
    double deltaTSeconds = 0.0;
    double heightKm = 0.0;
    bool ellipsoid = false;

    // The points of the minutes first, first + stride, first + 2 stride, ... in order.
    std::vector<MinutePoint> part(long first, long stride) const
    {
        std::vector<MinutePoint> points;
        for (long i = first;; i += stride) {
            const double t = start + static_cast<double>(i) * kTrackStepDays;
            if (t >= end)
                break;
            const ElevatedShadow shadow = elevatedShadow(t, deltaTSeconds, heightKm, ellipsoid);
            if (shadow.axisDistance >= 1.0) {
                // No point at this minute, nor at the minutes the axis needs to come near the
                // surface: go on at this part's first minute after them.
                i += std::max(stepsOffTheSurface(shadow.axisDistance, heightKm), 0L) / stride * stride;
                continue;
            }
            for (const ElevatedCentralPoint& point : {shadow.points.entry, shadow.points.exit})
                if (point.kind != kNoElevatedPoint)
                    points.push_back({i, {point.kind, point.latitudeDeg, point.longitudeDeg}});
        }
        return points;
    }
};

}  // namespace

ElevatedCentralPoints elevatedCentralPoints(double mjdUT, double deltaTSeconds, double heightKm, bool ellipsoid)
{
    return elevatedShadow(mjdUT, deltaTSeconds, heightKm, ellipsoid).points;
}

int specialTrackParts()
{
    return static_cast<int>(std::clamp(static_cast<long>(std::thread::hardware_concurrency()), 1L, kMaxTrackParts));
}

std::vector<TrackPoint> specialEclipseTrack(double centreUT, double deltaTSeconds, double heightKm, bool ellipsoid,
                                            int threads)
{
    const TrackScan scan{centreUT - kTrackHalfWidthDays, centreUT + kTrackHalfWidthDays, deltaTSeconds, heightKm,
                         ellipsoid};
    // The minutes are dealt out in turn to the parts: the first part runs here, the others on
    // threads of their own (or here too when no thread can be started). Every minute gives the
    // same points whichever part computes it.
    const long parts = std::max(threads, 1);
    std::vector<std::future<std::vector<MinutePoint>>> helpers;
    for (long part = 1; part < parts; ++part) {
        try {
            helpers.push_back(std::async(std::launch::async, &TrackScan::part, &scan, part, parts));
        } catch (const std::system_error&) {
            break;
        }
    }
    std::vector<MinutePoint> found = scan.part(0, parts);
    const auto append = [&found](const std::vector<MinutePoint>& more) {
        found.insert(found.end(), more.begin(), more.end());
    };
    for (long part = 1 + static_cast<long>(helpers.size()); part < parts; ++part)
        append(scan.part(part, parts));
    for (std::future<std::vector<MinutePoint>>& helper : helpers)
        append(helper.get());
    // Back into the order of the minutes; the two points of one minute keep theirs.
    std::stable_sort(found.begin(), found.end(),
                     [](const MinutePoint& a, const MinutePoint& b) { return a.minute < b.minute; });
    std::vector<TrackPoint> track;
    track.reserve(found.size());
    for (const MinutePoint& minutePoint : found)
        track.push_back(minutePoint.point);
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
