#include "astro/moon_disk.h"

#include <cmath>

#include "base/constants.h"

namespace qv {

namespace {

// Mean elements referred to 1900 January 0.5: degrees for Julian centuries since MJD 15019.5,
// coefficients of t^0 .. t^3.
constexpr double kMjd1900 = 15019.5;
using Cubic = double[4];
constexpr Cubic kMoonMeanLongitude = {270.4341639, 481267.8831417, -0.0011333, 1.888889e-6};
constexpr Cubic kPerigeeLongitude = {334.3295556, 4069.0340333, -0.010325, -1.25e-5};
constexpr Cubic kNodeLongitude = {259.183275, -1934.1420083, 0.0020777778, 2.2222222e-6};
constexpr Cubic kObliquity = {23.45229444, -0.0130125, -1.6388889e-6, 5.0277778e-7};
constexpr Cubic kSunMeanLongitude = {279.6966778, 36000.768925, 0.0003025, 0.0};
constexpr Cubic kSunPerigeeLongitude = {281.2208333, 1.719175, 0.00045277778, 3.3333333e-6};

// Mean inclination of the lunar equator to the ecliptic (radians), and the factor that turns
// the libration terms in arcseconds into a shift of its node.
constexpr double kLunarEquatorInclinationRad = 0.026790804018112957;
constexpr double kNodeTermScale = 0.026787599295785433;
constexpr double kDegPerArcsec = 0.000277778;

// Apparent magnitude: the Moon at 1 AU and full phase, and the phase term of the phase angle
// in degrees, piece by piece.
constexpr double kMagnitudeAtUnitDistance = 0.23;
constexpr double kLinearPhaseLimitDeg = 61.0;
constexpr double kMiddlePhaseLimitDeg = 115.0;
constexpr double kLatePhaseLimitDeg = 155.0;
constexpr double kLinearPhaseSlope = 0.0275256769;
constexpr double kLinearPhaseOffset = 0.03475256769;
constexpr double kMiddlePhaseFactor = 0.6962632;
constexpr double kMiddlePhaseRate = 0.0148709985;
constexpr double kLatePhaseFactor = 0.6531068;
constexpr double kLatePhaseRate = 0.0149213;
constexpr double kNewMoonFactor = 1.00779e-9;
constexpr double kNewMoonExponent = 4.486359;
constexpr double kFullCircleDeg = 360.0;
constexpr double kHalfCircleDeg = 180.0;
constexpr double kQuarterCircleDeg = 90.0;

double cubic(const Cubic& c, double t) { return c[0] + t * (c[1] + t * (c[2] + t * c[3])); }

// Degrees folded from [0, 360) into (-180, 180].
double signedDegrees(double radians)
{
    const double degrees = radians * kDegPerRad;
    return degrees > kHalfCircleDeg ? degrees - kFullCircleDeg : degrees;
}

double phaseTerm(double phaseAngleDeg)
{
    if (phaseAngleDeg <= kLinearPhaseLimitDeg)
        return kLinearPhaseSlope * phaseAngleDeg - kLinearPhaseOffset;
    if (phaseAngleDeg < kMiddlePhaseLimitDeg)
        return kMiddlePhaseFactor * std::exp(kMiddlePhaseRate * phaseAngleDeg);
    if (phaseAngleDeg < kLatePhaseLimitDeg)
        return kLatePhaseFactor * std::exp(kLatePhaseRate * phaseAngleDeg);
    return kNewMoonFactor * std::pow(phaseAngleDeg, kNewMoonExponent);
}

}  // namespace

MoonDisk moonPhysicalData(double mjdUT, const Vec3& moonTopocentric, const Vec3& moonToSun)
{
    const double t = (mjdUT - kMjd1900) / kDaysPerJulianCentury;
    const double meanLongitudeDeg = cubic(kMoonMeanLongitude, t);
    const double perigeeDeg = cubic(kPerigeeLongitude, t);
    const double nodeDeg = cubic(kNodeLongitude, t);
    const double obliquity = cubic(kObliquity, t) * kRadPerDeg;
    const double sunAnomaly = (cubic(kSunMeanLongitude, t) - cubic(kSunPerigeeLongitude, t)) * kRadPerDeg;
    const double moonAnomaly = (meanLongitudeDeg - perigeeDeg) * kRadPerDeg;
    const double w = (perigeeDeg - nodeDeg) * kRadPerDeg;

    // The lunar equator: its inclination and node with the physical libration terms.
    const double inclination =
        kLunarEquatorInclinationRad + (-107.0 * std::cos(moonAnomaly) + 37.0 * std::cos(moonAnomaly + 2.0 * w) -
                                       11.0 * std::cos(2.0 * w + 2.0 * moonAnomaly)) *
                                          kDegPerArcsec * kRadPerDeg;
    const double node = (nodeDeg + (-109.0 * std::sin(moonAnomaly) + 37.0 * std::sin(moonAnomaly + 2.0 * w) -
                                    11.0 * std::sin(2.0 * w + 2.0 * moonAnomaly)) /
                                       kNodeTermScale * kDegPerArcsec) *
                        kRadPerDeg;
    const double tauDeg =
        (-12.0 * std::sin(moonAnomaly) + 59.0 * std::sin(sunAnomaly) + 18.0 * std::sin(2.0 * w)) * kDegPerArcsec;

    // The lunar equator against the Earth's: its tilt J and the arcs A1 (on the Earth's
    // equator) and A2 (on the lunar equator) from their crossing.
    const double sinI = std::sin(inclination);
    const double cosI = std::cos(inclination);
    const double sinE = std::sin(obliquity);
    const double cosE = std::cos(obliquity);
    const double sinV = std::sin(node);
    const double cosV = std::cos(node);
    const double cosJ = cosI * cosE + sinI * sinE * cosV;
    const double sinJSquared = 1.0 - cosJ * cosJ;
    const double tilt = safeAtan2(sinJSquared < 0.0 ? 0.0 : std::sqrt(sinJSquared), cosJ);
    const double a1 = safeAtan2(-sinI * sinV, cosI * sinE - sinI * sinE * cosV);
    const double a2 = safeAtan2(-sinE * sinV, cosE * sinI - cosV * cosI * sinE);
    const double rotation = (meanLongitudeDeg + tauDeg) * kRadPerDeg + a2 - node;
    const Mat3 selenographic = rotationZ(rotation) * rotationX(tilt) * rotationZ(a1);

    MoonDisk disk;
    const PolarCoord observer = toPolar(selenographic * (-1.0 * moonTopocentric));
    disk.librationLatitudeDeg = observer.latitude() * kDegPerRad;
    disk.librationLongitudeDeg = signedDegrees(observer.longitude());
    const double subsolarDeg = signedDegrees(longitudeOf(selenographic * moonToSun));
    disk.terminatorDeg = subsolarDeg - kQuarterCircleDeg;
    if (disk.terminatorDeg > kQuarterCircleDeg + disk.librationLongitudeDeg)
        disk.terminatorDeg -= kHalfCircleDeg;
    else if (disk.terminatorDeg < disk.librationLongitudeDeg - kQuarterCircleDeg)
        disk.terminatorDeg += kHalfCircleDeg;
    return disk;
}

double moonApparentMagnitude(const Vec3& moonTopocentric, const Vec3& moonToSun)
{
    double distanceAu = norm(moonTopocentric) / EARTH_RADII_PER_AU;
    const double cosPhase = dot(-1.0 * unitVector(moonToSun), unitVector(moonTopocentric));
    const double phase = std::fabs(cosPhase) <= 1.0
                             ? phaseTerm(std::acos(cosPhase) * kDegPerRad)
                             : kNewMoonFactor * std::pow(kHalfCircleDeg, kNewMoonExponent);
    if (distanceAu <= 0.0)
        distanceAu = 1e-30;
    return 5.0 * std::log10(distanceAu) + kMagnitudeAtUnitDistance + phase;
}

double moonIlluminatedFraction(const Vec3& sunGeocentric, const Vec3& moonGeocentric)
{
    return (1.0 - dot(unitVector(sunGeocentric - moonGeocentric), unitVector(moonGeocentric))) * 0.5;
}

double moonPhase(double moonLongitudeRad, double sunLongitudeRad)
{
    double elongation = moonLongitudeRad - sunLongitudeRad;
    if (elongation < 0.0)
        elongation += kTwoPi;
    return elongation / kTwoPi;
}

}  // namespace qv
