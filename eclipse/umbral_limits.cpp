#include "eclipse/umbral_limits.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "astro/frames.h"
#include "base/constants.h"
#include "base/search.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

// Half the interval of the time derivative of the distance from the cone's edge (10 s).
constexpr double kDerivativeStepDays = 10.0 / 86400.0;
// Offset of the difference quotients in the place (radians of arc, about 6 m).
constexpr double kPlaceStepRad = 1e-6;
// Newton's method stops when a step is below this (radians of arc, about 6 mm) ...
constexpr double kConvergedStepRad = 1e-9;
constexpr int kMaxIterations = 60;
// The end of a limit: the time step of the difference quotients (days, 0.1 s), and the time
// (days) the edge's rate is multiplied by to weigh like the other two conditions.
constexpr double kEndTimeStepDays = 0.1 / 86400.0;
constexpr double kEndRateScaleDays = 1.0 / 1440.0;
// Where a limit races near its end, its points are kept about this far apart (radians of arc,
// about 20 km); neighbours further apart than kLongestGapRad (about 100 km) get points between
// them at halved times, up to kMostHalvings deep.
constexpr double kEndSpacingRad = 0.003;
constexpr double kLongestGapRad = 0.016;
constexpr int kMostHalvings = 12;
// Newton's steps are kept within half the cone's radius, but never below this (radians of arc,
// about 6 m) where the cone's vertex touches the ground.
constexpr double kShortestCapRad = 1e-6;
// ... and accepts the place when it lies this close to the edge (Earth radii, about 6 m).
constexpr double kOnEdgeTolerance = 1e-6;
// The ends of a limit are timed to this (days, about 0.1 ms): near the horizon the limit point
// races away as the square root of the time, about 1 km in that time.
constexpr double kEndToleranceDays = 1e-9;

// A place as the unit normal of the ellipsoid there (Earth-fixed), with its geodetic angles.
struct Place {
    Vec3 normal;
    double latitudeRad = 0.0;
    double longitudeRad = 0.0;
};

Place placeOfNormal(const Vec3& normal)
{
    const Vec3 n = unitVector(normal);
    return {n, std::asin(std::fmax(-1.0, std::fmin(1.0, n.z))), std::atan2(n.y, n.x)};
}

// Distance of a sea-level place from the edge of the umbral cone (Earth radii): negative inside,
// where the Moon covers the whole Sun or lies wholly inside its disc.
double distanceFromEdge(const SunMoon& sky, const Place& place)
{
    const Vec3 observer = observerPosition(sky.instant.mjdUT, sky.eqeqSeconds, place.latitudeRad, place.longitudeRad, 0.0);
    const Vec3 axis = unitVector(sky.moon - sky.sun);
    const Vec3 fromMoon = observer - sky.moon;
    const double beyondMoon = dot(fromMoon, axis);
    const double coneRadius = kMoonRadius - beyondMoon * (kSunRadius - kMoonRadius) / norm(sky.sun - sky.moon);
    return norm(fromMoon - beyondMoon * axis) - std::fabs(coneRadius);
}

// The instant and the two beside it for the edge's rate of change at a fixed place.
struct SkyAround {
    SunMoon before, now, after;
};

// The two conditions of a limit point: on the edge, and the edge neither coming nor going.
struct Conditions {
    double onEdge = 0.0;    // Earth radii
    double edgeRate = 0.0;  // Earth radii per day
};

Conditions conditionsAt(const SkyAround& sky, const Place& place)
{
    return {distanceFromEdge(sky.now, place),
            (distanceFromEdge(sky.after, place) - distanceFromEdge(sky.before, place)) / (2.0 * kDerivativeStepDays)};
}

// Two directions tangent to the Earth at a normal (east and north away from the poles).
void tangentBasis(const Vec3& normal, Vec3& east, Vec3& north)
{
    const Vec3 towardsEast = cross(Vec3(0.0, 0.0, 1.0), normal);
    east = norm(towardsEast) > 1e-9 ? unitVector(towardsEast) : Vec3(1.0, 0.0, 0.0);
    north = cross(normal, east);
}

// The Earth-fixed direction of a geocentric true-equatorial vector at an instant.
Vec3 earthFixed(const SunMoon& sky, const Vec3& equatorial)
{
    const double greenwichRad = kPi / 12.0 * localSiderealTime(sky.instant.mjdUT, 0.0, sky.eqeqSeconds);
    return rotationZ(greenwichRad) * equatorial;
}

// Where the shadow axis of an instant meets the unit sphere on the Moon's side, Earth-fixed; the
// axis point nearest the centre when it misses.
Vec3 axisGroundPoint(const SunMoon& sky)
{
    const Vec3 axis = unitVector(sky.moon - sky.sun);
    const Vec3 nearest = sky.moon - dot(sky.moon, axis) * axis;
    const double offAxisSquared = dot(nearest, nearest);
    return earthFixed(sky, offAxisSquared < 1.0 ? nearest - std::sqrt(1.0 - offAxisSquared) * axis : nearest);
}

// The direction across the shadow's motion over the turning Earth, on the left of the motion
// as seen along the axis from the Sun; true-equatorial, unit length. (The motion against the
// stars instead would point near the other limit where the Earth's turn dominates the shadow's
// motion.)
Vec3 leftOfMotion(const SkyAround& sky)
{
    const Vec3 axis = unitVector(sky.now.moon - sky.now.sun);
    const double greenwichRad = kPi / 12.0 * localSiderealTime(sky.now.instant.mjdUT, 0.0, sky.now.eqeqSeconds);
    const Vec3 groundMotion = rotationZ(-greenwichRad) * (axisGroundPoint(sky.after) - axisGroundPoint(sky.before));
    return unitVector(cross(axis, groundMotion));
}

// Whether the northern limit lies on the left of the motion: the left side leans towards the
// Earth's north pole as seen along the axis. Decided once for a whole limit, so that a path
// running north or south does not swap its limits from one instant to the next.
bool northernIsLeft(const SkyAround& sky) { return dot(leftOfMotion(sky), Vec3(0.0, 0.0, 1.0)) >= 0.0; }

// The cone's radius where the axis meets the Earth (on the plane through the centre when it
// misses), Earth radii: near the cone's vertex the two differ by far more than the radius.
double coneRadiusAtGround(const SunMoon& sky)
{
    const Vec3 axis = unitVector(sky.moon - sky.sun);
    const Vec3 nearest = sky.moon - dot(sky.moon, axis) * axis;
    const double depth = std::sqrt(std::fmax(0.0, 1.0 - dot(nearest, nearest)));
    return std::fabs(kMoonRadius - (dot(-1.0 * sky.moon, axis) - depth) * (kSunRadius - kMoonRadius) /
                                       norm(sky.sun - sky.moon));
}

// A first guess: the edge of the cone on the side across the motion (reach times its radius
// from the axis), projected along the axis onto the Earth's ellipsoid (in the frame where it is
// the unit sphere: with the Sun low a sphere would put the guess tens of km off, beyond a narrow
// path's other limit). False when that misses the Earth.
bool firstGuess(const SkyAround& sky, const Vec3& across, double reach, Place& guess)
{
    const Vec3 moon = squashed(sky.now.moon);
    const Vec3 axis = unitVector(moon - squashed(sky.now.sun));
    const Vec3 nearest = moon - dot(moon, axis) * axis;
    const Vec3 onPlane = nearest + reach * coneRadiusAtGround(sky.now) * unitVector(squashed(across));
    const double offAxisSquared = dot(onPlane, onPlane);
    if (offAxisSquared >= 1.0)
        return false;
    // The ellipsoid's normal at the point: the unit sphere's point squashed once more.
    guess = placeOfNormal(earthFixed(sky.now, squashed(onPlane - std::sqrt(1.0 - offAxisSquared) * axis)));
    return true;
}

// Newton's method on the two conditions over the two tangent directions of the place (east
// and north), renewed at each step.
bool solveLimit(const SkyAround& sky, Place& place)
{
    const auto conditions = [&](double east, double north) {
        Vec3 towardsEast, towardsNorth;
        tangentBasis(place.normal, towardsEast, towardsNorth);
        const Conditions c = east == 0.0 && north == 0.0
                                 ? conditionsAt(sky, place)
                                 : conditionsAt(sky, placeOfNormal(place.normal + east * towardsEast +
                                                                   north * towardsNorth));
        return std::array<double, 2>{c.onEdge, c.edgeRate};
    };
    // A step at most half the cone's radius, so that on a narrow path it does not leap across
    // to the other limit.
    const double longestStep = std::fmax(0.5 * coneRadiusAtGround(sky.now), kShortestCapRad);
    const auto move = [&](double east, double north) {
        const double shrink = std::fmin(1.0, longestStep / std::hypot(east, north));
        east *= shrink;
        north *= shrink;
        Vec3 towardsEast, towardsNorth;
        tangentBasis(place.normal, towardsEast, towardsNorth);
        place = placeOfNormal(place.normal + east * towardsEast + north * towardsNorth);
    };
    return solveTwoConditions(conditions, move, kPlaceStepRad, kConvergedStepRad, kMaxIterations) &&
           std::fabs(distanceFromEdge(sky.now, place)) < kOnEdgeTolerance;
}

// Sine of the Sun's geometric elevation at the place.
double sunElevationSine(const SunMoon& sky, const Place& place)
{
    const Vec3 observer = observerPosition(sky.instant.mjdUT, sky.eqeqSeconds, place.latitudeRad, place.longitudeRad, 0.0);
    return dot(unitVector(earthFixed(sky, sky.sun - observer)), place.normal);
}

// Whether the place lies on the side of the shadow axis the across direction points to.
bool onSide(const SunMoon& sky, const Place& place, const Vec3& across)
{
    const Vec3 axis = unitVector(sky.moon - sky.sun);
    const Vec3 observer = observerPosition(sky.instant.mjdUT, sky.eqeqSeconds, place.latitudeRad, place.longitudeRad, 0.0);
    const Vec3 offAxis = (observer - sky.moon) - dot(observer - sky.moon, axis) * axis;
    return dot(offAxis, across) > 0.0;
}

UmbralLimitPoint limitPointAt(const SunMoon& sky, const Place& place, LimitSide side)
{
    return {sky.instant.mjdUT, place.latitudeRad * kDegPerRad, wrapLongitude(place.longitudeRad) * kDegPerRad, side};
}

// The limit point of a side, on the left of the motion or on the right, whether or not the Sun
// is up there. Where the path runs obliquely over the turning Earth, Newton's method from the
// cone's edge may settle on the other limit; guesses further out on the side then find this one.
bool limitPlaceOf(const SkyAround& sky, bool left, Place& place)
{
    const Vec3 across = (left ? 1.0 : -1.0) * leftOfMotion(sky);
    const auto found = [&](double reach) {
        return firstGuess(sky, across, reach, place) && solveLimit(sky, place) && onSide(sky.now, place, across);
    };
    return found(1.0) || found(1.5) || found(2.0);
}

SkyAround skyAround(const Instant& instant)
{
    return {sunMoonAt(instant.at(instant.mjdUT - kDerivativeStepDays)), sunMoonAt(instant),
            sunMoonAt(instant.at(instant.mjdUT + kDerivativeStepDays))};
}

// The limit place at instant t of the scale's TT - UT, by Newton's method from a nearby place;
// its Sun's elevation sine, or -1 when there is none on that side.
double elevationOfLimitNear(const Instant& scale, double t, bool left, Place& place)
{
    const SkyAround sky = skyAround(scale.at(t));
    const Vec3 across = (left ? 1.0 : -1.0) * leftOfMotion(sky);
    if (!solveLimit(sky, place) || !onSide(sky.now, place, across))
        return -1.0;
    return sunElevationSine(sky.now, place);
}

// Where a piece of a limit ends between an instant with a point (found at place) and an
// instant without: where the limit meets the horizon, or where its edge leaves the Earth.
// The three conditions of a limit's end at an instant and a place moved by (east, north) in its
// tangent directions: on the edge, the edge neither coming nor going, the Sun on the horizon.
std::array<double, 3> endConditions(const Instant& scale, double t, const Place& place, double east, double north)
{
    Vec3 towardsEast, towardsNorth;
    tangentBasis(place.normal, towardsEast, towardsNorth);
    const Place moved = placeOfNormal(place.normal + east * towardsEast + north * towardsNorth);
    const SkyAround sky = skyAround(scale.at(t));
    const Conditions c = conditionsAt(sky, moved);
    return {c.onEdge, c.edgeRate * kEndRateScaleDays, sunElevationSine(sky.now, moved)};
}

// Newton's method on the three conditions in the instant and the place, from a point of the
// limit near its end. Where the limit turns back in time before it reaches the horizon (its
// instants fold), following it in time alone cannot get there; this does.
bool solveEnd(const Instant& scale, double& t, Place& place)
{
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const std::array<double, 3> f = endConditions(scale, t, place, 0.0, 0.0);
        const std::array<double, 3> ft = endConditions(scale, t + kEndTimeStepDays, place, 0.0, 0.0);
        const std::array<double, 3> fe = endConditions(scale, t, place, kPlaceStepRad, 0.0);
        const std::array<double, 3> fn = endConditions(scale, t, place, 0.0, kPlaceStepRad);
        double a[3][3];
        for (int row = 0; row < 3; ++row) {
            a[row][0] = (ft[row] - f[row]) / kEndTimeStepDays;
            a[row][1] = (fe[row] - f[row]) / kPlaceStepRad;
            a[row][2] = (fn[row] - f[row]) / kPlaceStepRad;
        }
        const auto determinant = [](const double m[3][3]) {
            return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                   m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        };
        const double d = determinant(a);
        if (d == 0.0 || !std::isfinite(d))
            return false;
        // Cramer's rule for the step.
        double step[3];
        for (int column = 0; column < 3; ++column) {
            double m[3][3];
            for (int row = 0; row < 3; ++row)
                for (int k = 0; k < 3; ++k)
                    m[row][k] = k == column ? -f[row] : a[row][k];
            step[column] = determinant(m) / d;
        }
        Vec3 towardsEast, towardsNorth;
        tangentBasis(place.normal, towardsEast, towardsNorth);
        place = placeOfNormal(place.normal + step[1] * towardsEast + step[2] * towardsNorth);
        t += step[0];
        if (std::fabs(step[0]) < kEndToleranceDays && std::hypot(step[1], step[2]) < kConvergedStepRad)
            return true;
    }
    return false;
}

Place placeOf(const UmbralLimitPoint& point)
{
    const double latitude = point.latitudeDeg * kRadPerDeg, longitude = point.longitudeDeg * kRadPerDeg;
    return placeOfNormal(
        Vec3(std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude), std::sin(latitude)));
}

// Angle between two places (radians).
double arcFrom(const Place& a, const Place& b)
{
    return std::acos(std::fmax(-1.0, std::fmin(1.0, dot(a.normal, b.normal))));
}

// The points of a limit from a step with a point (found at place) towards a step without, out
// to where the limit meets the horizon (or its edge leaves the Earth), in that order: the end,
// and before it places on the way at least kEndSpacingRad apart, where the limit races.
std::vector<UmbralLimitPoint> limitEnd(const Instant& scale, LimitSide side, bool left, const Place& found,
                                       double withUT, double withoutUT)
{
    std::vector<UmbralLimitPoint> points;
    Place kept = found;
    // On from the last place with the Sun up in steps that double while they succeed and halve
    // when they do not: near the horizon the limit races over the ground, and Newton's method
    // begun from a place too far behind would lose it.
    Place last = found;
    double endUT = withUT;
    double stepDays = 0.5 * (withoutUT - withUT);
    while (std::fabs(stepDays) > kEndToleranceDays) {
        Place place = last;
        if (elevationOfLimitNear(scale, endUT + stepDays, left, place) >= 0.0) {
            endUT += stepDays;
            last = place;
            stepDays = std::copysign(std::fmin(2.0 * std::fabs(stepDays), std::fabs(withoutUT - endUT)), stepDays);
            // Kept while they lead outwards: past a fold of the limit's instants Newton's method
            // may land on the far side of it.
            if (arcFrom(found, place) > arcFrom(found, kept) + kEndSpacingRad) {
                points.push_back(limitPointAt(sunMoonAt(scale.at(endUT)), place, side));
                kept = place;
            }
        } else {
            stepDays *= 0.5;
        }
    }
    // Closed in on the horizon itself, from there.
    double solvedUT = endUT;
    Place solved = last;
    if (solveEnd(scale, solvedUT, solved) && std::fabs(solvedUT - endUT) < std::fabs(withoutUT - withUT)) {
        endUT = solvedUT;
        last = solved;
    }
    while (!points.empty() && arcFrom(found, placeOf(points.back())) > arcFrom(found, last) - 0.5 * kEndSpacingRad)
        points.pop_back();
    points.push_back(limitPointAt(sunMoonAt(scale.at(endUT)), last, side));
    return points;
}

double arcBetween(const UmbralLimitPoint& a, const UmbralLimitPoint& b)
{
    return greatCircleRad(a.latitudeDeg * kRadPerDeg, a.longitudeDeg * kRadPerDeg, b.latitudeDeg * kRadPerDeg,
                          b.longitudeDeg * kRadPerDeg);
}


// Points of the limit between a and b, in order, at halved times, until no two neighbours lie
// kLongestGapRad apart (or the halvings run out): near its ends a limit races over the ground.
void appendBetween(const Instant& scale, LimitSide side, bool left, const UmbralLimitPoint& a,
                   const UmbralLimitPoint& b, int halvings, std::vector<UmbralLimitPoint>& out)
{
    const double gap = arcBetween(a, b);
    if (halvings == 0 || gap <= kLongestGapRad)
        return;
    const double t = 0.5 * (a.mjdUT + b.mjdUT);
    Place place = placeOf(a);
    if (elevationOfLimitNear(scale, t, left, place) < 0.0)
        return;
    const UmbralLimitPoint middle = limitPointAt(sunMoonAt(scale.at(t)), place, side);
    if (arcBetween(a, middle) >= gap || arcBetween(middle, b) >= gap)
        return;
    appendBetween(scale, side, left, a, middle, halvings - 1, out);
    out.push_back(middle);
    appendBetween(scale, side, left, middle, b, halvings - 1, out);
}

// One side's limit at each step of a scan: found from the cone's edge, or else on from the
// place of a neighbouring step (forwards, then backwards), where the Sun is up.
std::vector<std::optional<Place>> limitPlaces(const std::vector<SkyAround>& skies, const Instant& scale, bool left)
{
    std::vector<std::optional<Place>> places(skies.size());
    for (std::size_t i = 0; i < skies.size(); ++i) {
        Place place;
        if (limitPlaceOf(skies[i], left, place) && sunElevationSine(skies[i].now, place) > 0.0)
            places[i] = place;
    }
    const auto continueFrom = [&](std::size_t from, std::size_t to) {
        Place place = *places[from];
        if (!places[to] && elevationOfLimitNear(scale, skies[to].now.instant.mjdUT, left, place) > 0.0)
            places[to] = place;
    };
    for (std::size_t i = 1; i < skies.size(); ++i)
        if (places[i - 1])
            continueFrom(i - 1, i);
    for (std::size_t i = skies.size() - 1; i > 0; --i)
        if (places[i])
            continueFrom(i, i - 1);
    return places;
}

// The limit's points of the scan's steps in pieces, each begun and ended where it meets the
// horizon between its outer steps and the steps beyond.
std::vector<UmbralLimitPoint> limitOfSide(const std::vector<SkyAround>& skies, const Instant& scale, double stepDays,
                                          LimitSide side, bool left)
{
    const std::vector<std::optional<Place>> places = limitPlaces(skies, scale, left);
    std::vector<UmbralLimitPoint> limit;
    for (std::size_t i = 0; i < skies.size(); ++i) {
        if (!places[i])
            continue;
        const double t = skies[i].now.instant.mjdUT;
        if (i == 0 || !places[i - 1]) {
            const std::vector<UmbralLimitPoint> begin = limitEnd(scale, side, left, *places[i], t, t - stepDays);
            limit.insert(limit.end(), begin.rbegin(), begin.rend());
            limit[limit.size() - begin.size()].startsPiece = true;
        }
        limit.push_back(limitPointAt(skies[i].now, *places[i], side));
        if (i + 1 == skies.size() || !places[i + 1]) {
            const std::vector<UmbralLimitPoint> end = limitEnd(scale, side, left, *places[i], t, t + stepDays);
            limit.insert(limit.end(), end.begin(), end.end());
        }
    }
    std::vector<UmbralLimitPoint> filled;
    for (std::size_t i = 0; i < limit.size(); ++i) {
        if (i > 0 && !limit[i].startsPiece)
            appendBetween(scale, side, left, limit[i - 1], limit[i], kMostHalvings, filled);
        filled.push_back(limit[i]);
    }
    return filled;
}

}  // namespace

bool umbralLimitPoint(const Instant& instant, LimitSide side, UmbralLimitPoint& point)
{
    const SkyAround sky = skyAround(instant);
    Place place;
    if (!limitPlaceOf(sky, northernIsLeft(sky) == (side == LimitSide::Northern), place) ||
        sunElevationSine(sky.now, place) <= 0.0)
        return false;
    point = limitPointAt(sky.now, place, side);
    return true;
}

UmbralLimits umbralLimits(const Instant& begin, double endUT, double stepDays)
{
    std::vector<SkyAround> skies;
    for (int i = 0;; ++i) {
        const double t = begin.mjdUT + i * stepDays;
        if (t > endUT)
            break;
        skies.push_back(skyAround(begin.at(t)));
    }
    if (skies.empty())
        return {};
    // The sides are named at the middle of the span.
    const bool northernLeft = northernIsLeft(skyAround(begin.at(0.5 * (begin.mjdUT + endUT))));
    return {limitOfSide(skies, begin, stepDays, LimitSide::Northern, northernLeft),
            limitOfSide(skies, begin, stepDays, LimitSide::Southern, !northernLeft)};
}

}  // namespace qv
