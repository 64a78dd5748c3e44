#pragma once
// Precession of the mean equator and equinox from one epoch to another: the angles zeta, z and
// theta of IAU 1976 for any start and end epoch (Lieske, Lederle, Fricke & Morando, 1977,
// "Expressions for the precession quantities based upon the IAU (1976) system of astronomical
// constants", A&A 58, 1), as Meeus, Astronomical Algorithms (1991), ch. 20 writes them.
// Epochs are Julian centuries of TT since J2000.
// Accuracy (tools/precession_reference.py, tests/astro/precession_test.cpp), as the angle
// between this matrix and the long-term precession of Vondrak, Capitaine & Wallace (2011) for
// the span between the start epoch and J2000 or B1875: within 2" for years 0..2500, 5" for
// -500..3000, 20" for -1000..4000, 90" for -4000..5000; it then grows fast, to 3' in 6000,
// 8' in -6000, 1 degree in 9999 and 2.4 degrees in -9999, where the cubic polynomials no longer
// follow the slow turning of the ecliptic. Matches Meeus's example 21.b to 0.01".
#include "base/vector.h"

namespace qv {

// The three angles, in radians, that turn the mean equator and equinox of one epoch into
// those of another.
struct PrecessionAngles {
    double zetaRad = 0.0;
    double zRad = 0.0;
    double thetaRad = 0.0;
};
PrecessionAngles precessionAngles(double fromCenturiesTT, double toCenturiesTT);

// Rotation of mean-equatorial vectors of the epoch fromCenturiesTT to the mean equator and
// equinox of toCenturiesTT: rotationZ(-z) rotationY(theta) rotationZ(-zeta). The identity
// when both epochs are equal.
Mat3 precessionMatrix(double fromCenturiesTT, double toCenturiesTT);

}  // namespace qv
