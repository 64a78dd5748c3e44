#pragma once
// The Moon's disk as an observer sees it: libration, terminator, illuminated fraction, phase
// and apparent magnitude. Vectors are true-equatorial in Earth radii.
// The libration uses the mean lunar elements of epoch 1900 tabulated by Meeus, Astronomical
// Formulae for Calculators (1982), and a lunar equator inclined 1.535 degrees to the ecliptic;
// the magnitude a piecewise law in the phase angle. Not yet cross-checked against an
// independent ephemeris; the sky-details golden pages fix its output.
#include "base/vector.h"

namespace qv {

struct MoonDisk {
    double librationLongitudeDeg = 0.0;  // L, in (-180, 180]
    double librationLatitudeDeg = 0.0;   // B
    double terminatorDeg = 0.0;          // selenographic longitude of the terminator
};

// Libration and terminator at mjdUT from mean lunar elements referred to 1900 and the Moon's
// physical libration. moonTopocentric: observer to Moon; moonToSun: Moon to Sun.
MoonDisk moonPhysicalData(double mjdUT, const Vec3& moonTopocentric, const Vec3& moonToSun);

// Apparent visual magnitude from the observer's distance and the phase angle at the Moon.
double moonApparentMagnitude(const Vec3& moonTopocentric, const Vec3& moonToSun);

// Illuminated fraction of the disk seen from the Earth's centre, 0 to 1.
double moonIlluminatedFraction(const Vec3& sunGeocentric, const Vec3& moonGeocentric);

// Phase from the ecliptic longitudes (radians): 0 New, 0.25 First Quarter, 0.5 Full,
// 0.75 Last Quarter.
double moonPhase(double moonLongitudeRad, double sunLongitudeRad);

}  // namespace qv
