#include "eclipse/special_eclipse.h"

#include <algorithm>
#include <cmath>
#include <atomic>
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
// The track: steps of about a minute over two days either side of the chosen instant. The step
// is a minute cut to six significant digits, 0.000694444 day, as the track has always stepped:
// over the 5,760 steps of the track it falls 0.2 s behind whole minutes, and the points the
// track prints are those of its own steps.
constexpr double kTrackHalfWidthDays = 2.0;
constexpr double kTrackStepDays = 0.000694444;
// Most threads the track's minutes are shared out to, and the minutes they take at a time.
constexpr long kMaxTrackParts = 4;
constexpr long kTrackBlockMinutes = 32;
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

ElevatedShadow elevatedShadow(const Instant& instant, double heightKm, bool ellipsoid)
{
    const SunMoon bodies = sunMoonAt(instant);
    // Lengths in radii of the elevated surface: it becomes the unit sphere, the Earth has radius scale.
    const double scale = surfaceScale(heightKm);
    Vec3 sun = scale * bodies.sun;
    Vec3 moon = scale * bodies.moon;
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
        return surfacePoint(instant.mjdUT, bodies.eqeqSeconds, moon + alongAxis * axis, ellipsoid, kind);
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
    return stepsShortOf(axisDistance - 1.0,
                        kMaxAxisDriftPerDay * kTrackStepDays * surfaceScale(heightKm) / kPolarAxisRatio);
}

// The track's scan: one-minute steps from start up to end, all with the TT - UT of start.
struct TrackScan {
    Instant start;
    double end = 0.0;
    double heightKm = 0.0;
    bool ellipsoid = false;
    Skipping skipping = Skipping::ByBounds;

    StepScan steps() const { return {start.mjdUT, kTrackStepDays}; }
    long minutes() const { return steps().stepsBefore(end); }

    // The points of the minutes first to before last, in order. Minutes up to clearThrough are
    // known to have none; each minute whose axis passes off the surface moves clearThrough
    // past the minutes the axis needs to come near it.
    std::vector<TrackPoint> block(long first, long last, long& clearThrough) const
    {
        std::vector<TrackPoint> points;
        for (long i = std::max(first, clearThrough + 1); i < last; ++i) {
            const ElevatedShadow shadow = elevatedShadow(start.at(steps().at(i)), heightKm, ellipsoid);
            if (shadow.axisDistance >= 1.0) {
                if (skipping == Skipping::ByBounds) {
                    clearThrough = i + stepsOffTheSurface(shadow.axisDistance, heightKm);
                    i = clearThrough;
                }
                continue;
            }
            for (const ElevatedCentralPoint& point : {shadow.points.entry, shadow.points.exit})
                if (point.kind != kNoElevatedPoint)
                    points.push_back({point.kind, point.latitudeDeg, point.longitudeDeg});
        }
        return points;
    }
};

}  // namespace

ElevatedCentralPoints elevatedCentralPoints(const Instant& instant, double heightKm, bool ellipsoid)
{
    return elevatedShadow(instant, heightKm, ellipsoid).points;
}

int specialTrackParts()
{
    return static_cast<int>(std::clamp(static_cast<long>(std::thread::hardware_concurrency()), 1L, kMaxTrackParts));
}

std::vector<TrackPoint> specialEclipseTrack(const Instant& centre, double heightKm, bool ellipsoid, int threads,
                                            Skipping skipping)
{
    const TrackScan scan{centre.later(-kTrackHalfWidthDays), centre.mjdUT + kTrackHalfWidthDays, heightKm, ellipsoid,
                         skipping};
    // The minutes go in blocks to whichever thread asks next, the calling one included, so a
    // thread that starts late or runs slowly takes fewer. Each thread keeps what it learnt of
    // the minutes without a point and passes over its later blocks that lie among them.
    const long minutes = scan.minutes();
    const long blocks = (minutes + kTrackBlockMinutes - 1) / kTrackBlockMinutes;
    std::vector<std::vector<TrackPoint>> found(static_cast<std::size_t>(blocks));
    std::atomic<long> nextBlock{0};
    const auto work = [&] {
        long clearThrough = -1;
        for (long b = nextBlock++; b < blocks; b = nextBlock++)
            found[static_cast<std::size_t>(b)] = scan.block(b * kTrackBlockMinutes,
                                                            std::min((b + 1) * kTrackBlockMinutes, minutes), clearThrough);
    };
    std::vector<std::future<void>> helpers;
    for (int helper = 1; helper < threads; ++helper) {
        try {
            helpers.push_back(std::async(std::launch::async, work));
        } catch (const std::system_error&) {
            break;
        }
    }
    work();
    for (std::future<void>& helper : helpers)
        helper.get();
    std::vector<TrackPoint> track;
    for (const std::vector<TrackPoint>& points : found)
        track.insert(track.end(), points.begin(), points.end());
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
