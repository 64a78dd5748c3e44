#pragma once
// Precession of the mean equator and equinox from one epoch to another: the angles zeta, z and
// theta of IAU 1976 for any start and end epoch (Lieske, Lederle, Fricke & Morando, 1977,
// "Expressions for the precession quantities based upon the IAU (1976) system of astronomical
// constants", A&A 58, 1), as Meeus, Astronomical Algorithms (1991), ch. 20 writes them.
// Epochs are Julian centuries of TT since J2000.
// Accuracy, as the angle between this matrix and the long-term precession of Vondrak,
// Capitaine & Wallace (2011, A&A 534, A22) from start epochs across -9999..9999 to J2000 and
// to B1875 (tools/precession_reference.py, tests/astro/precession_test.cpp): within 0.7" for
// start years 1800..2100, 2.1" for 0..2500, 7.3" for -500..3000, 16" for -1000..4000, 42" for
// -2000..4000, 85" for -4000..5000 and 10' for -6000..6000; beyond, the cubic polynomials no
// longer follow the slow turning of the ecliptic and the error grows to 1 degree in 9999 and
// 2.4 degrees in -9999; IAU 2006 differs from this matrix by about as much. Meeus's example 21.b is met
// to 0.01"; the way back undoes the way there to 1e-11".
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
