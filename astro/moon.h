#pragma once
// Geocentric Moon from an analytic lunar series: 104 solar terms, 10 latitude terms,
// 11 planetary terms and long-period corrections of the mean elements. Positions are referred
// to the mean ecliptic and equinox of date unless named otherwise.
// The series is the lunar one of Montenbruck & Pfleger, Astronomy on the Personal Computer
// (Springer, 1991), abridged from Brown's lunar theory as in the Improved Lunar Ephemeris (1954).
// Apparent place within 9.3" of PyEphem (rms 3.1") at 400 instants over 1800-2200
// (tools/ephem_reference.py, tests/astro/ephem_crosscheck_test.cpp).
#include <span>

#include "base/instant.h"
#include "base/vector.h"

namespace qv {

// One solar term with argument p l + q ls + r F + s D.
struct MoonSolarTerm {
    int p;        // multiple of the Moon's mean anomaly l
    int q;        // multiple of the Sun's mean anomaly ls
    int r;        // multiple of the argument of latitude F
    int s;        // multiple of the mean elongation D
    double dlam;  // longitude, arcseconds
    double ds;    // argument of latitude, arcseconds
    double gamc;  // latitude factor, arcseconds
    double sinpi; // sine of the horizontal parallax, arcseconds
};

// One latitude term with argument p l + q ls + r F + s D.
struct MoonLatitudeTerm {
    int p;
    int q;
    int r;
    int s;
    double n;  // latitude, arcseconds
};

// The 104 solar terms and the 10 latitude terms, in summation order.
std::span<const MoonSolarTerm> moonSolarTerms();
std::span<const MoonLatitudeTerm> moonLatitudeTerms();

// Working record of one evaluation of the lunar series; lives on the stack for one call.
class MoonTheory {
public:
    explicit MoonTheory(double centuriesTT);

    // Geocentric position in Earth radii, mean ecliptic and equinox of date.
    Vec3 position() const;

    // The multiple-angle tables hold k times l, ls, F and D (in that order) for k = -6 .. 6,
    // each argument's run of multiples after the one before.
    static constexpr int kMaxMultiple = 6;
    static constexpr int kTableSize = 2 * kMaxMultiple + 1;
    // Where one term's factors stand in those tables: its nonzero multiples, in argument order.
    struct TermFactors {
        int count = 0;
        int index[4] = {};
    };

private:
    // Index of the arguments l, ls, F, D in the multiple-angle tables.
    enum Argument : int { kAnomaly = 0, kSunAnomaly = 1, kLatitudeArg = 2, kElongation = 3 };

    void computeLongPeriodCorrections();
    void computeMeanArguments();
    void computeMultipleAngles();
    // Weighted cosine (x) and sine (y) of p l + q ls + r F + s D.
    void termArgument(const TermFactors& factors, double& x, double& y) const;
    void addTerms();

    double centuriesTT_;
    double correctionArcsec_[5] = {}; // DL0, DL, DLS, DF, DD: long-period corrections
    double gammaCorrection_ = 0.0;    // DGAM, dimensionless
    double meanLongitudeRad_ = 0.0;   // L0
    double argumentRad_[4] = {};      // l, ls, F, D
    double cos_[4 * kTableSize] = {};  // CO(k) of argument a at index a kTableSize + k + kMaxMultiple
    double sin_[4 * kTableSize] = {};  // SI(k)
    double longitudeArcsec_ = 0.0;    // DLAM
    double latitudeArgArcsec_ = 0.0;  // DS
    double latitudeFactorArcsec_ = 0.0;  // GAMC
    double sinParallaxArcsec_ = 0.0;  // SINPI
    double latitudeTermsArcsec_ = 0.0;   // N
};

// Geocentric Moon in Earth radii, mean ecliptic and equinox of date, for Julian centuries of TT.
Vec3 moonPosition(double centuriesTT);

// Geocentric Moon in Earth radii on the true equator and equinox of date (no aberration), at
// an instant. Stores the equation of the equinoxes (seconds of time) and the mean ecliptic
// longitude of date (radians, [0, 2 pi)).
Vec3 moonApparentEquatorial(const Instant& instant, double& eqeqSeconds, double& eclLongitudeRad);

}  // namespace qv
