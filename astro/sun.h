#pragma once
// Geocentric Sun from an analytic series: Keplerian motion of the Earth with perturbations by
// Venus, Mars, Jupiter, Saturn and the Moon and four long-period terms. Positions are referred
// to the mean ecliptic and equinox of date unless named otherwise.
// The series is the solar one of Montenbruck & Pfleger, Astronomy on the Personal Computer
// (Springer, 1991), after Newcomb's theory of the Sun.
// Apparent place within 4.1" of PyEphem (rms 1.6") at 400 instants over 1800-2200
// (tools/ephem_reference.py, tests/astro/ephem_crosscheck_test.cpp).
#include <span>

#include "base/instant.h"
#include "base/vector.h"

namespace qv {

// Planet whose mean anomaly a perturbation term carries.
enum SunPerturber : int { kVenus = 0, kMars = 1, kJupiter = 2, kSaturn = 3 };

// One periodic term: argument i1 M3 + i Mp, multiplied by T^it when it > 0.
struct SunTerm {
    SunPerturber planet;
    int i1;       // multiple of the Earth's mean anomaly M3
    int i;        // multiple of the planet's mean anomaly (0 or negative)
    int it;       // power of T
    double dlc;   // longitude, cosine and sine coefficients, arcseconds
    double dls;
    double drc;   // radius vector, cosine and sine coefficients, 1e-6 AU
    double drs;
    double dbc;   // latitude, cosine and sine coefficients, arcseconds
    double dbs;
};

// The 52 perturbation terms in summation order (Venus, Mars, Jupiter, Saturn).
std::span<const SunTerm> sunTerms();

// Working record of one evaluation of the solar series; lives on the stack for one call.
class SunTheory {
public:
    explicit SunTheory(double centuriesTT);

    // Geocentric position in AU, mean ecliptic and equinox of date.
    Vec3 position() const;

private:
    void addPlanetTerms();
    void addMoonTerms();
    void addLongPeriodTerms();

    double centuriesTT_;
    double meanAnomalyRad_[4];  // Venus, Mars, Jupiter, Saturn
    double earthAnomalyRad_;    // M3, the Sun's geocentric mean anomaly
    double moonElongationRad_;  // D
    double moonAnomalyRad_;     // A
    double moonLatitudeArgRad_; // U
    double cosM3_[9];           // cos(k M3) for k = -1 .. 7 at index k + 1
    double sinM3_[9];
    double longitudeArcsec_ = 0.0;  // DL
    double radiusMicroAu_ = 0.0;    // DR
    double latitudeArcsec_ = 0.0;   // DB
};

// Geocentric Sun in AU, mean ecliptic and equinox of date, for Julian centuries of TT.
Vec3 sunPosition(double centuriesTT);

// Apparent geocentric Sun in AU on the true equator and equinox of date, with annual
// aberration, at an instant. Stores the equation of the equinoxes (seconds of time) and the
// mean ecliptic longitude of date (radians, [0, 2 pi)).
Vec3 sunApparentEquatorial(const Instant& instant, double& eqeqSeconds, double& eclLongitudeRad);

// Mean ecliptic longitude of the Sun in degrees, in [180, 540) so that it runs continuously
// through the March equinox (360); no nutation or aberration.
double sunLongitudeDegrees(const Instant& instant);

}  // namespace qv
