#pragma once
// Atmospheric refraction of an elevation, for printed and eclipse-contact elevations: the
// cotangent formula of Bennett (1982, "The calculation of astronomical refraction in marine
// navigation", Journal of Navigation 35), taken at the true altitude, with the pressure and
// temperature factor given by Meeus, Astronomical Algorithms (1991), ch. 16.
// Within 0.01' of the standard-atmosphere values at the horizon (34.1'), 10 degrees and the
// zenith (tests/astro/refraction_test.cpp); zero below about -2 degrees, where the formula
// would turn back. The refracted local eclipse times agree with PyEphem's refraction as
// circumstances.h states (tools/ephem_local_eclipses.py).

namespace qv {

// Pressure and temperature of the standard atmosphere the pages use.
constexpr double kStandardPressureMbar = 1015.0;
constexpr double kStandardTemperatureC = 15.0;
// Refraction is added only above this true altitude (about -2 degrees).
constexpr double kRefractionFloorRad = -0.035;

// The Sun's upper limb on the refracted horizon, as the altitude of its centre in degrees:
// sunrise and sunset, the Moon's minute searches and the yearly totals use it.
constexpr double kSunHorizonAltitudeDeg = -0.83;
// The same horizon as the eclipse circumstances decide it, in radians (-0.831 degrees, not
// quite the value above): the local eclipse times were checked with it.
constexpr double kSunHorizonRad = -0.0145;

// Refraction in radians to add to a true altitude (radians) for a pressure in mbar and a
// temperature in degrees Celsius: the cotangent rule 1'/tan(h + 7.31/(h + 4.4)) with h in
// degrees, scaled by 0.28 p / (T + 273). 0 at or below kRefractionFloorRad, where the rule
// is no longer valid and runs into a pole at h = -4.4 degrees.
double refraction(double altitudeRad, double pressureMbar, double temperatureC);

// The largest rate of change of the standard atmosphere's refraction with the true altitude
// (radians per radian) anywhere from altitudeRad up to the zenith, the floor excluded: above
// -0.7 degrees the rate falls as the altitude rises, so it is the rate at altitudeRad; lower
// down it is the largest of the whole rule, 0.272 (at -0.78 degrees).
double standardRefractionSlopeAbove(double altitudeRad);

}  // namespace qv
