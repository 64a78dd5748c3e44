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

}  // namespace

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
