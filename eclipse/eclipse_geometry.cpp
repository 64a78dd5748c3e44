#include "eclipse/eclipse_geometry.h"

#include <cmath>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "base/constants.h"

namespace qv {

namespace {

// Turns the lunar series' equator of date onto the solar series' one.
const Mat3& moonFrameTurn() {
    static const Mat3 turn = rotationY(kMoonFrameTurnYRad) * rotationZ(kMoonFrameTurnZRad);
    return turn;
}

// Carries a point of the later duration step into the Earth-fixed frame of the first instant.
const Mat3& earthTurnInOneStep() {
    static const Mat3 turn = rotationZ(kEarthRotationPerStepRad);
    return turn;
}

}  // namespace

SolarEclipseClass nonCentralClass(double axisDistance, double umbraDiameter, double penumbraDiameter,
                                  double stretch) {
    if (axisDistance < 1.0 + 0.5 * std::fabs(umbraDiameter) * stretch)
        return umbraDiameter > 0.0 ? kSolarNonCentralAnnular : kSolarNonCentralTotal;
    return axisDistance < 1.0 + 0.5 * penumbraDiameter * stretch ? kSolarPartial : kSolarNone;
}

double squashedStretch(const Vec3& squashedDirection) {
    return 1.0 / norm(unsquashed(unitVector(squashedDirection)));
}

SolarEclipseClass centralClass(double umbraDiameterAtSurface) {
    return umbraDiameterAtSurface > 0.0 ? kSolarCentralAnnular : kSolarCentralTotal;
}

SolarShadow solarShadow(const Vec3& sunSquashed, const Vec3& moonSquashed) {
    SolarShadow shadow;
    shadow.axis = unitVector(moonSquashed - sunSquashed);
    const double moonToPlane = -dot(moonSquashed, shadow.axis);
    const double sunToMoon = norm(sunSquashed - moonSquashed);
    // Discriminant of the axis against the unit sphere; the axis passes sqrt(1 - q) from the centre.
    const double q = moonToPlane * moonToPlane + 1.0 - dot(moonSquashed, moonSquashed);
    shadow.umbraDiameter = moonToPlane * kMoonUmbraCone / sunToMoon - kMoonDiameter;
    shadow.centralPlaneUmbraDiameter = shadow.umbraDiameter;
    shadow.penumbraDiameter = kMoonDiameter + moonToPlane * kMoonPenumbraCone / sunToMoon;
    if (1.0 - q > 0.0) {
        shadow.axisDistance = std::sqrt(1.0 - q);
        if (shadow.axisDistance >= 1.0) {
            const Vec3 towardsAxis = moonSquashed + moonToPlane * shadow.axis;
            shadow.eclipseClass = nonCentralClass(shadow.axisDistance, shadow.umbraDiameter, shadow.penumbraDiameter,
                                                  squashedStretch(towardsAxis));
            return shadow;
        }
    }
    // Near intersection of the axis with the Earth, measured from the Moon along the axis.
    const double halfChord = q > 0.0 ? std::sqrt(q) : 0.0;
    const double moonToSurface = moonToPlane - halfChord;
    shadow.umbraDiameter = moonToSurface * kMoonUmbraCone / sunToMoon - kMoonDiameter;
    shadow.surfacePoint = unsquashed(moonSquashed + moonToSurface * shadow.axis);
    shadow.eclipseClass = centralClass(shadow.umbraDiameter);
    return shadow;
}

LunarShadow lunarShadow(const Vec3& sun, const Vec3& moon) {
    LunarShadow shadow;
    const double sunDistance = norm(sun);
    const double moonDistance = norm(moon);
    const double cosElongation = std::fmax(-1.0, std::fmin(1.0, dot(sun, moon) / (sunDistance * moonDistance)));
    // The distance below is symmetric about the Sun-Earth line: a Moon on the Sun's side would
    // otherwise count as eclipsed.
    shadow.sunSide = cosElongation > 0.0;
    shadow.axisDistance = std::fabs(moonDistance * std::tan(std::acos(cosElongation)));
    shadow.umbraRadius =
        std::fabs(moonDistance * kEarthUmbraCone / sunDistance - 2.0) * kEarthShadowEnlargement * 0.5;
    shadow.penumbraRadius =
        std::fabs(moonDistance * kEarthPenumbraCone / sunDistance + 2.0) * kEarthShadowEnlargement * 0.5;
    return shadow;
}

LunarMagnitudes lunarMagnitudes(const Vec3& sun, const Vec3& moon) {
    const LunarShadow shadow = lunarShadow(sun, moon);
    if (shadow.sunSide) return {-1.0, -1.0};
    const double moonDistance = norm(moon);
    const double sunDistance = norm(sun);
    const double earthRadius = kCanonEarthEnlargement;
    const double penumbraRadius = earthRadius + moonDistance * (kSunRadius + 1.0) / sunDistance;
    const double umbraRadius = earthRadius - moonDistance * (kSunRadius - 1.0) / sunDistance;
    return {(penumbraRadius + kMoonRadius - shadow.axisDistance) / kMoonDiameter,
            (umbraRadius + kMoonRadius - shadow.axisDistance) / kMoonDiameter};
}

LunarEclipseClass lunarShadowClass(const Vec3& sun, const Vec3& moon) {
    const LunarShadow shadow = lunarShadow(sun, moon);
    if (shadow.sunSide) return kLunarNone;
    if (shadow.umbraRadius - kMoonRadius > shadow.axisDistance) return kLunarTotalUmbral;
    if (shadow.axisDistance < shadow.umbraRadius + kMoonRadius) return kLunarPartialUmbral;
    if (shadow.axisDistance < shadow.penumbraRadius - kMoonRadius) return kLunarTotalPenumbral;
    if (shadow.axisDistance < shadow.penumbraRadius + kMoonRadius) return kLunarPenumbral;
    return kLunarNone;
}

double lunarShadowMargin(const Vec3& sun, const Vec3& moon) {
    static const double kNearOppositionCos = -std::cos(20.0 * kRadPerDeg);
    if (dot(sun, moon) / (norm(sun) * norm(moon)) > kNearOppositionCos)
        return 0.0;
    const LunarShadow shadow = lunarShadow(sun, moon);
    return std::fmax(shadow.axisDistance - shadow.penumbraRadius - kMoonRadius, 0.0);
}

double wrapLongitude(double longitudeRad) {
    // Right ascension minus a sidereal angle of either sign can lie anywhere in (-2 pi, 4 pi).
    if (longitudeRad > kPi) return longitudeRad - kTwoPi * std::ceil((longitudeRad - kPi) / kTwoPi);
    if (longitudeRad < -kPi) return longitudeRad + kTwoPi * std::ceil((-kPi - longitudeRad) / kTwoPi);
    return longitudeRad;
}

double pathWidthKm(const Vec3& surfacePoint, const Vec3& displacement, const Vec3& axis,
                   double umbraDiameter) {
    const Vec3 crossTrack = unitVector(cross(surfacePoint, displacement));
    const double cosAngle = dot(crossTrack, axis);
    double sine = kSmallestWidthSine;
    if (cosAngle >= -1.0 && cosAngle <= 1.0)
        sine = std::fmax(std::sqrt(1.0 - cosAngle * cosAngle), kSmallestWidthSine);
    return std::fabs(umbraDiameter / sine * kShadowEarthRadiusKm);
}

Vec3 horizonToEquatorial(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                         const Vec3& horizonVector) {
    const double siderealRad = kPi * localSiderealTime(mjdUT, longitudeRad * kDegPerRad, eqeqSeconds) / 12.0;
    return rotationZ(-siderealRad) * (rotationY(latitudeRad - kPi / 2.0) * horizonVector);
}

SunMoon sunMoonAt(const Instant& instant) {
    const double centuriesTT = instant.centuriesTT();
    const MeanObliquity obliquity = meanObliquityOfDate(centuriesTT);
    const Vec3 sunMeanEquator = eclipticToEquatorial(obliquity, sunPosition(centuriesTT));
    const Vec3 moonMeanEquator = moonFrameTurn() * eclipticToEquatorial(obliquity, moonPosition(centuriesTT));
    SunMoon bodies;
    bodies.instant = instant;
    const Mat3 nutation = nutationMatrix(centuriesTT, obliquity, bodies.eqeqSeconds);
    bodies.sun = EARTH_RADII_PER_AU * annualAberration(centuriesTT, nutation * sunMeanEquator);
    bodies.moon = nutation * moonMeanEquator;
    return bodies;
}

double solarMagnitude(const MoonShadow& moonShadow) {
    const SolarShadow& shadow = moonShadow.shadow;
    const Vec3& sun = moonShadow.bodies.sun;
    const Vec3& moon = moonShadow.bodies.moon;
    if (moonShadow.central()) {
        const Vec3& place = shadow.surfacePoint;
        return kMoonRadius / norm(moon - place) / (kSunRadius / norm(sun - place));
    }
    const Vec3 moonSquashed = squashed(moon);
    const Vec3 towardsAxis = moonSquashed - dot(moonSquashed, shadow.axis) * shadow.axis;
    const double gap = (shadow.axisDistance - 1.0) / squashedStretch(towardsAxis);
    return (0.5 * shadow.penumbraDiameter - gap) / (0.5 * (shadow.penumbraDiameter + shadow.umbraDiameter));
}

LunarEclipseClass lunarEclipseClassAt(const Instant& instant) {
    const SunMoon bodies = sunMoonAt(instant);
    return lunarShadowClass(bodies.sun, bodies.moon);
}

PenumbraCone penumbraConeAt(const Instant& instant) {
    const SunMoon bodies = sunMoonAt(instant);
    PenumbraCone cone;
    cone.moonSquashed = squashed(bodies.moon);
    const Vec3 sunToMoon = cone.moonSquashed - squashed(bodies.sun);
    const double sunToMoonDistance = norm(sunToMoon);
    cone.axis = unitVector(sunToMoon);
    const double moonAlongAxis = dot(cone.moonSquashed, cone.axis);
    cone.diameter = -moonAlongAxis * kMoonPenumbraCone / sunToMoonDistance + kMoonDiameter;
    cone.halfAngleRad = std::asin(kMoonPenumbraCone / (2.0 * sunToMoonDistance));
    return cone;
}

GroundAngles subShadowPointAt(const Instant& instant) {
    const SunMoon bodies = sunMoonAt(instant);
    const Vec3 moonSquashed = squashed(bodies.moon);
    const Vec3 axis = unitVector(moonSquashed - squashed(bodies.sun));
    // Direction from the Earth's centre to the foot of its perpendicular on the axis.
    const Vec3 foot = moonSquashed - dot(moonSquashed, axis) * axis;
    GroundAngles ground;
    groundCoordinates(instant.mjdUT, bodies.eqeqSeconds, unsquashed(unitVector(foot)), ground.latitudeRad,
                      ground.longitudeRad);
    return ground;
}

MoonShadow moonShadowAt(const Instant& instant) {
    MoonShadow result;
    result.bodies = sunMoonAt(instant);
    result.shadow = solarShadow(squashed(result.bodies.sun), squashed(result.bodies.moon));
    if (result.central())
        groundCoordinates(instant.mjdUT, result.bodies.eqeqSeconds, result.shadow.surfacePoint, result.latitudeRad,
                          result.longitudeRad);
    return result;
}

CentralMotion centralMotion(const MoonShadow& central) {
    const SolarShadow& first = central.shadow;
    const Instant& instant = central.bodies.instant;
    const MoonShadow later = moonShadowAt(instant.later(kDurationStepDays));
    // In the last seconds of the central phase the step before stands in for the step after.
    const MoonShadow earlier = later.central() ? later : moonShadowAt(instant.later(-kDurationStepDays));
    Vec3 displacement;
    CentralMotion motion;
    if (later.central() || earlier.central()) {
        displacement = later.central() ? earthTurnInOneStep() * later.shadow.surfacePoint - first.surfacePoint
                                       : first.surfacePoint - transpose(earthTurnInOneStep()) * earlier.shadow.surfacePoint;
        const double alongAxis = dot(displacement, first.axis);
        // Squared ground displacement across the axis in one step.
        const double acrossSquared = dot(displacement, displacement) - alongAxis * alongAxis;
        motion.durationSeconds =
            acrossSquared > 0.0 ? std::fabs(first.umbraDiameter) / std::sqrt(acrossSquared) * kDurationStepSeconds : 0.0;
    }
    motion.widthKm = pathWidthKm(first.surfacePoint, displacement, first.axis, first.umbraDiameter);
    return motion;
}

void groundCoordinates(double mjdUT, double eqeqSeconds, const Vec3& point, double& latitudeRad,
                       double& longitudeRad) {
    const double rightAscensionRad = longitudeOf(point);
    const double greenwichSiderealRad = kPi / 12.0 * localSiderealTime(mjdUT, 0.0, eqeqSeconds);
    longitudeRad = wrapLongitude(rightAscensionRad - greenwichSiderealRad);
    latitudeRad = std::atan2(point.z, kShadowGeodeticFactor * std::sqrt(point.x * point.x + point.y * point.y));
}

}  // namespace qv
