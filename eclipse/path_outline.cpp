#include "eclipse/path_outline.h"

#include <algorithm>
#include <cmath>

#include "astro/frames.h"
#include "base/constants.h"
#include "base/earth_figure.h"
#include "base/julian.h"
#include "base/search.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

// The edge crosses a place within this long of the ends it joins (days, 15 minutes).
constexpr double kEndWindowDays = 15.0 * kMinuteDays;
// Searches of the instant at which the edge crosses a place stop within these (days).
constexpr double kLeastToleranceDays = 1e-6;
constexpr double kCrossingToleranceDays = 1e-8;
// One place of a horizon end for about every 13 km of the horizon (radians of the limb).
constexpr double kHorizonStepRad = 0.002;
constexpr int kFewestHorizonSteps = 4;
constexpr int kMostHorizonSteps = 400;
// The central line's direction at a point is taken from its points this long either side.
constexpr double kDirectionSpanDays = 30.0 * kSecondDays;
// Crossings of the outline further than this from the central line are not looked at
// (cosine of the angle, about 78 degrees), where the projection used grows without bound.
constexpr double kSmallestCosine = 0.2;

// The umbra on the plane through the Earth's centre perpendicular to the shadow axis, in the
// frame where the Earth is the unit sphere: its centre and radius, and two unit vectors of
// the plane (east and north of the axis).
struct PlaneUmbra {
    Vec3 centre;
    double radius = 0.0;
    Vec3 east, north;
    Vec3 axis;  // from the Sun through the Moon
    double eqeqSeconds = 0.0;
};

PlaneUmbra planeUmbraAt(const Instant& instant)
{
    const SunMoon bodies = sunMoonAt(instant);
    const Vec3 moon = squashed(bodies.moon);
    const Vec3 sun = squashed(bodies.sun);
    const Vec3 axis = unitVector(moon - sun);
    const double moonToPlane = -dot(moon, axis);
    PlaneUmbra umbra;
    umbra.centre = moon + moonToPlane * axis;
    umbra.radius = 0.5 * std::fabs(moonToPlane * kMoonUmbraCone / norm(sun - moon) - kMoonDiameter);
    umbra.east = unitVector(cross(Vec3(0.0, 0.0, 1.0), axis));
    umbra.north = cross(axis, umbra.east);
    umbra.axis = axis;
    umbra.eqeqSeconds = bodies.eqeqSeconds;
    return umbra;
}

// The point of the Earth's limb at a position angle (from east through north) in the plane.
Vec3 limbPoint(const PlaneUmbra& umbra, double angleRad)
{
    return std::cos(angleRad) * umbra.east + std::sin(angleRad) * umbra.north;
}

// Position angle on the limb of a place (nearly) on the horizon at the instant of the umbra.
double limbAngle(const PlaneUmbra& umbra, const Instant& instant, const TimedPoint& place)
{
    const Vec3 position = squashed(observerPosition(instant.mjdUT, umbra.eqeqSeconds, place.latitudeDeg * kRadPerDeg,
                                                    place.longitudeDeg * kRadPerDeg, 0.0));
    return std::atan2(dot(position, umbra.north), dot(position, umbra.east));
}

// How far a limb point lies outside the umbra at an instant (Earth radii; negative inside).
double outsideUmbra(const Instant& instant, double angleRad)
{
    const PlaneUmbra umbra = planeUmbraAt(instant);
    return norm(limbPoint(umbra, angleRad) - umbra.centre) - umbra.radius;
}

// Whether the places at a point of the limb are turning towards the Sun (sunrise) there.
bool rising(const PlaneUmbra& umbra, double angleRad)
{
    return dot(cross(Vec3(0.0, 0.0, 1.0), unsquashed(limbPoint(umbra, angleRad))), umbra.axis) < 0.0;
}

// The instant in the window at which the umbra's edge crosses the limb point as it closes the
// path there (see HorizonEdge), and the place then. False when the umbra misses it.
bool edgeCrossing(const Instant& scale, double angleRad, double fromUT, double untilUT, HorizonEdge edge,
                  TimedPoint& place)
{
    const auto outside = [&](double t) { return outsideUmbra(scale.at(t), angleRad); };
    const double deepest = leastOf(fromUT, untilUT, kLeastToleranceDays, outside);
    const bool leaving =
        edge == HorizonEdge::AsPlacesTurn ? rising(planeUmbraAt(scale.at(deepest)), angleRad) : edge == HorizonEdge::Leaving;
    const double end = leaving ? untilUT : fromUT;
    if (outside(deepest) > 0.0 || outside(end) < 0.0)
        return false;
    const double crossingUT = crossingOf(std::min(deepest, end), std::max(deepest, end), kCrossingToleranceDays, outside);
    const Instant instant = scale.at(crossingUT);
    const PlaneUmbra umbra = planeUmbraAt(instant);
    double latitudeRad = 0.0, longitudeRad = 0.0;
    groundCoordinates(crossingUT, umbra.eqeqSeconds, unsquashed(limbPoint(umbra, angleRad)), latitudeRad, longitudeRad);
    place = {crossingUT, latitudeRad * kDegPerRad, wrapLongitude(longitudeRad) * kDegPerRad};
    return true;
}

// Gnomonic projection about a centre: great circles through it become straight lines.
struct Gnomonic {
    double sinLatitude = 0.0, cosLatitude = 1.0, longitudeDeg = 0.0;

    explicit Gnomonic(const GeoPoint& centre)
        : sinLatitude(std::sin(centre.latitudeDeg * kRadPerDeg)),
          cosLatitude(std::cos(centre.latitudeDeg * kRadPerDeg)), longitudeDeg(centre.longitudeDeg)
    {
    }

    // East and north on the tangent plane; false beyond the reach of the projection.
    bool project(double latitudeDeg, double longitudeDeg, double& east, double& north) const
    {
        const double latitude = latitudeDeg * kRadPerDeg;
        const double dLongitude = (longitudeDeg - this->longitudeDeg) * kRadPerDeg;
        const double cosine =
            sinLatitude * std::sin(latitude) + cosLatitude * std::cos(latitude) * std::cos(dLongitude);
        if (cosine < kSmallestCosine)
            return false;
        east = std::cos(latitude) * std::sin(dLongitude) / cosine;
        north = (cosLatitude * std::sin(latitude) - sinLatitude * std::cos(latitude) * std::cos(dLongitude)) / cosine;
        return true;
    }
};

// Radius of curvature (km) of the WGS 84 ellipsoid at a latitude in a direction (azimuth).
double curvatureRadiusKm(double latitudeDeg, double azimuthRad)
{
    const double sinLatitude = std::sin(latitudeDeg * kRadPerDeg);
    const double w = 1.0 - kEarthEccentricitySquared * sinLatitude * sinLatitude;
    const double equatorialKm = kEarthEquatorialRadiusM / 1000.0;
    const double meridianKm = equatorialKm * kEarthOneMinusEccentricitySquared / (w * std::sqrt(w));
    const double primeVerticalKm = equatorialKm / std::sqrt(w);
    const double cosAzimuth = std::cos(azimuthRad), sinAzimuth = std::sin(azimuthRad);
    return 1.0 / (cosAzimuth * cosAzimuth / meridianKm + sinAzimuth * sinAzimuth / primeVerticalKm);
}

// The width across the line from before to after at the point at.
double widthAcrossKm(const TimedLine& outline, const GeoPoint& at, const GeoPoint& before, const GeoPoint& after)
{
    const Gnomonic plane(at);
    double beforeEast = 0.0, beforeNorth = 0.0, afterEast = 0.0, afterNorth = 0.0;
    if (!plane.project(before.latitudeDeg, before.longitudeDeg, beforeEast, beforeNorth) ||
        !plane.project(after.latitudeDeg, after.longitudeDeg, afterEast, afterNorth))
        return 0.0;
    // The direction across the line.
    const double acrossEast = -(afterNorth - beforeNorth), acrossNorth = afterEast - beforeEast;
    if (acrossEast == 0.0 && acrossNorth == 0.0)
        return 0.0;
    // The nearest crossings on either side, in units of the across direction.
    double left = HUGE_VAL, right = HUGE_VAL;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const TimedPoint& a = outline[i];
        const TimedPoint& b = outline[(i + 1) % outline.size()];
        double aEast = 0.0, aNorth = 0.0, bEast = 0.0, bNorth = 0.0;
        if (!plane.project(a.latitudeDeg, a.longitudeDeg, aEast, aNorth) ||
            !plane.project(b.latitudeDeg, b.longitudeDeg, bEast, bNorth))
            continue;
        // a + u (b - a) = s across, solved for u and s.
        const double segmentEast = bEast - aEast, segmentNorth = bNorth - aNorth;
        const double determinant = segmentEast * acrossNorth - segmentNorth * acrossEast;
        if (determinant == 0.0)
            continue;
        const double u = (aNorth * acrossEast - aEast * acrossNorth) / determinant;
        const double s = (aNorth * segmentEast - aEast * segmentNorth) / determinant;
        if (u < 0.0 || u >= 1.0)
            continue;
        (s > 0.0 ? left : right) = std::min(s > 0.0 ? left : right, std::fabs(s));
    }
    if (left == HUGE_VAL || right == HUGE_VAL)
        return 0.0;
    const double length = std::hypot(acrossEast, acrossNorth);
    const double radiusKm = curvatureRadiusKm(at.latitudeDeg, std::atan2(acrossEast, acrossNorth));
    return radiusKm * (std::atan(left * length) + std::atan(right * length));
}

}  // namespace

TimedCurve limitCurve(const std::vector<UmbralLimitPoint>& limit)
{
    TimedCurve curve;
    for (const UmbralLimitPoint& point : limit) {
        if (point.startsPiece || curve.empty())
            curve.emplace_back();
        curve.back().push_back({point.mjdUT, point.latitudeDeg, point.longitudeDeg});
    }
    std::erase_if(curve, [](const TimedLine& piece) { return piece.size() < 2; });
    return curve;
}

TimedLine horizonEnd(const Instant& scale, const TimedPoint& from, const TimedPoint& to, HorizonEdge edge)
{
    const double fromUT = std::min(from.mjdUT, to.mjdUT) - kEndWindowDays;
    const double untilUT = std::max(from.mjdUT, to.mjdUT) + kEndWindowDays;
    const Instant middle = scale.at(0.5 * (from.mjdUT + to.mjdUT));
    const PlaneUmbra umbra = planeUmbraAt(middle);
    const double fromAngle = limbAngle(umbra, middle, from);
    const double turn = wrapLongitude(limbAngle(umbra, middle, to) - fromAngle);
    const int steps = std::clamp(static_cast<int>(std::ceil(std::fabs(turn) / kHorizonStepRad)), kFewestHorizonSteps,
                                 kMostHorizonSteps);
    TimedLine places;
    for (int i = 1; i < steps; ++i) {
        TimedPoint place;
        if (edgeCrossing(scale, fromAngle + turn * i / steps, fromUT, untilUT, edge, place))
            places.push_back(place);
    }
    return places;
}

TimedLine pathOutline(const Instant& scale, const TimedCurve& northern, const TimedCurve& southern)
{
    TimedLine ring;
    const auto along = [&ring](const TimedCurve& limit) {
        for (const TimedLine& piece : limit)
            ring.insert(ring.end(), piece.begin(), piece.end());
    };
    const auto over = [&](const TimedPoint& from, const TimedPoint& to, HorizonEdge edge) {
        const TimedLine places = horizonEnd(scale, from, to, edge);
        ring.insert(ring.end(), places.begin(), places.end());
    };
    if (northern.empty() != southern.empty()) {
        // One edge of the cone never touches the Earth: the path lies between the one limit and
        // the horizon.
        const TimedCurve& limit = northern.empty() ? southern : northern;
        along(limit);
        over(limit.back().back(), limit.front().front(), HorizonEdge::AsPlacesTurn);
        return ring;
    }
    if (northern.empty())
        return ring;
    along(northern);
    over(northern.back().back(), southern.back().back(), HorizonEdge::Reaching);
    TimedCurve backwards;
    for (auto piece = southern.rbegin(); piece != southern.rend(); ++piece)
        backwards.emplace_back(piece->rbegin(), piece->rend());
    along(backwards);
    over(southern.front().front(), northern.front().front(), HorizonEdge::Leaving);
    return ring;
}

double widthAcrossKmAt(const TimedLine& outline, const Instant& instant, const GeoPoint& at)
{
    const auto centralPoint = [&](double spanDays) {
        const MoonShadow shadow = moonShadowAt(instant.later(spanDays));
        return shadow.central() ? GeoPoint{shadow.latitudeRad * kDegPerRad, shadow.longitudeRad * kDegPerRad} : at;
    };
    return widthAcrossKm(outline, at, centralPoint(-kDirectionSpanDays), centralPoint(kDirectionSpanDays));
}

}  // namespace qv
