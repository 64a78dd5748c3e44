#include "astro/refraction.h"

#include <cmath>

#include "base/constants.h"

namespace qv {

namespace {

// Degrees of refraction per unit of cotangent: one arcminute, as written in the rule.
constexpr double kRefractionScaleDeg = 0.0167;
// The rule's altitude terms in degrees: h + kAltitudeShiftDeg / (h + kAltitudeOffsetDeg).
constexpr double kAltitudeShiftDeg = 7.31;
constexpr double kAltitudeOffsetDeg = 4.4;
// Pressure and temperature factor 0.28 p / (T + 273).
constexpr double kAtmosphereFactor = 0.28;
constexpr double kCelsiusToKelvin = 273.0;

// Below this altitude (degrees) the rule's slope no longer falls with the altitude; the largest
// slope of the whole rule (standard atmosphere), rounded up.
constexpr double kFallingSlopeFromDeg = -0.7;
constexpr double kLargestStandardSlope = 0.273;

}  // namespace

double standardRefractionSlopeAbove(double altitudeRad)
{
    const double altitudeDeg = altitudeRad * kDegPerRad;
    if (altitudeDeg < kFallingSlopeFromDeg)
        return kLargestStandardSlope;
    // The derivative of the cotangent rule: d argument / d altitude over the squared sine.
    const double shifted = altitudeDeg + kAltitudeOffsetDeg;
    const double argumentRad = (altitudeDeg + kAltitudeShiftDeg / shifted) * kRadPerDeg;
    const double argumentSlope = 1.0 - kAltitudeShiftDeg / (shifted * shifted);
    const double sine = std::sin(argumentRad);
    return kRefractionScaleDeg * kAtmosphereFactor * kStandardPressureMbar /
           (kStandardTemperatureC + kCelsiusToKelvin) * kRadPerDeg * std::fabs(argumentSlope) / (sine * sine);
}

double refraction(double altitudeRad, double pressureMbar, double temperatureC)
{
    if (!(altitudeRad > kRefractionFloorRad))
        return 0.0;
    const double altitudeDeg = altitudeRad * kDegPerRad;
    const double argumentDeg = altitudeDeg + kAltitudeShiftDeg / (altitudeDeg + kAltitudeOffsetDeg);
    const double refractionDeg = kRefractionScaleDeg / std::tan(argumentDeg * kRadPerDeg);
    return refractionDeg * kAtmosphereFactor * pressureMbar / (temperatureC + kCelsiusToKelvin) * kRadPerDeg;
}

}  // namespace qv
