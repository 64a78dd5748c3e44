#pragma once
// The figure of the Earth. Two sets of values are kept on purpose: the observer positions use
// the WGS 84 ellipsoid, the shadow engine the rounder figures its eclipse paths, widths and
// durations were checked with; changing either set would move published results.

namespace qv {

// WGS 84, for observer positions: equatorial radius in metres, squared eccentricity e^2, and
// 1 - e^2 = (1 - f)^2.
constexpr double kEarthEquatorialRadiusM = 6378137.0;
constexpr double kEarthEccentricitySquared = 0.00669438499959;
constexpr double kEarthOneMinusEccentricitySquared = 0.99330561500041;

// Shadow engine: equatorial radius in km (path widths, satellite shells), 3 m larger than WGS 84;
// the Earth radii per astronomical unit (base/constants.h) are counted in this radius.
constexpr double kShadowEarthRadiusKm = 6378.14;
// Shadow engine: (1 - f)^2, the same quantity as kEarthOneMinusEccentricitySquared rounded to
// nine digits; turns the geocentric latitude of a surface point into its geodetic latitude.
constexpr double kShadowGeodeticFactor = 0.993305615;
// Shadow engine: polar over equatorial axis, 1 - 1/297 (not the WGS 84 flattening): dividing z
// by it turns the ellipsoid into the unit sphere.
constexpr double kPolarAxisRatio = 0.996633;

}  // namespace qv
