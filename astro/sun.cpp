#include "astro/sun.h"

#include <cmath>

#include "astro/frames.h"
#include "base/constants.h"
#include "base/julian.h"

namespace qv {

namespace {

// Mean argument 2 pi frac(a0 + a1 T).
struct MeanArgument {
    double a0;  // revolutions at J2000
    double a1;  // revolutions per Julian century
};

static constexpr MeanArgument kPlanetAnomalies[] = {
    {0.1387306, 162.5485917},  // Venus M2
    {0.0543250, 53.1666028},   // Mars M4
    {0.0551750, 8.4293972},    // Jupiter M5
    {0.8816500, 3.3938722},    // Saturn M6
};
static constexpr MeanArgument kEarthAnomaly = {0.9931266, 99.9973604};    // M3
static constexpr MeanArgument kMoonElongation = {0.8274, 1236.8531};      // D
static constexpr MeanArgument kMoonAnomaly = {0.3749, 1325.5524};         // A
static constexpr MeanArgument kMoonLatitudeArg = {0.2591, 1342.2278};     // U

// Highest multiple of each planet's anomaly in the terms (Venus, Mars, Jupiter, Saturn).
static constexpr int kPlanetMaxMultiple[] = {6, 8, 4, 2};
constexpr int kMaxPlanetMultiple = 8;
constexpr int kMinEarthMultiple = -1;
constexpr int kMaxEarthMultiple = 7;

// Columns: planet, i1 (multiple of M3), i (multiple of the planet's anomaly), it (power of T),
// dlc, dls (arcseconds), drc, drs (1e-6 AU), dbc, dbs (arcseconds).
static constexpr SunTerm kSunTerms[] = {
    {  kVenus,  1,  0, 0, -0.22, 6892.76, -16707.37,  -0.54,     0,     0},
    {  kVenus,  1,  0, 1, -0.06,  -17.35,     42.04,  -0.15,     0,     0},
    {  kVenus,  1,  0, 2, -0.01,   -0.05,      0.13,  -0.02,     0,     0},
    {  kVenus,  2,  0, 0,     0,   71.98,   -139.57,      0,     0,     0},
    {  kVenus,  2,  0, 1,     0,   -0.36,       0.7,      0,     0,     0},
    {  kVenus,  3,  0, 0,     0,    1.04,     -1.75,      0,     0,     0},
    {  kVenus,  0, -1, 0,  0.03,   -0.07,     -0.16,  -0.07,  0.02, -0.02},
    {  kVenus,  1, -1, 0,  2.35,   -4.23,     -4.75,  -2.64,     0,     0},
    {  kVenus,  1, -2, 0,  -0.1,    0.06,      0.12,    0.2,  0.02,     0},
    {  kVenus,  2, -1, 0, -0.06,   -0.03,       0.2,  -0.01,  0.01, -0.09},
    {  kVenus,  2, -2, 0,  -4.7,     2.9,      8.28,  13.42,  0.01, -0.01},
    {  kVenus,  3, -2, 0,   1.8,   -1.74,     -1.44,  -1.57,  0.04, -0.06},
    {  kVenus,  3, -3, 0, -0.67,    0.03,      0.11,   2.43,  0.01,     0},
    {  kVenus,  4, -2, 0,  0.03,   -0.03,       0.1,   0.09,  0.01, -0.01},
    {  kVenus,  4, -3, 0,  1.51,    -0.4,     -0.88,  -3.36,  0.18,  -0.1},
    {  kVenus,  4, -4, 0, -0.19,   -0.09,     -0.38,   0.77,     0,     0},
    {  kVenus,  5, -3, 0,  0.76,   -0.68,       0.3,   0.37,  0.01,     0},
    {  kVenus,  5, -4, 0, -0.14,   -0.04,     -0.11,   0.43, -0.03,     0},
    {  kVenus,  5, -5, 0, -0.05,   -0.07,     -0.31,   0.21,     0,     0},
    {  kVenus,  6, -4, 0,  0.15,   -0.04,     -0.06,  -0.21,  0.01,     0},
    {  kVenus,  6, -5, 0, -0.03,   -0.03,     -0.09,   0.09, -0.01,     0},
    {  kVenus,  6, -6, 0,     0,   -0.04,     -0.18,   0.02,     0,     0},
    {  kVenus,  7, -5, 0, -0.12,   -0.03,     -0.08,   0.31, -0.02, -0.01},
    {   kMars,  1, -1, 0, -0.22,    0.17,     -0.21,  -0.27,     0,     0},
    {   kMars,  1, -2, 0, -1.66,    0.62,      0.16,   0.28,     0,     0},
    {   kMars,  2, -2, 0,  1.96,    0.57,     -1.32,   4.55,     0,  0.01},
    {   kMars,  2, -3, 0,   0.4,    0.15,     -0.17,   0.46,     0,     0},
    {   kMars,  2, -4, 0,  0.53,    0.26,      0.09,  -0.22,     0,     0},
    {   kMars,  3, -3, 0,  0.05,    0.12,     -0.35,   0.15,     0,     0},
    {   kMars,  3, -4, 0, -0.13,   -0.48,      1.06,  -0.29,  0.01,     0},
    {   kMars,  3, -5, 0, -0.04,    -0.2,       0.2,  -0.04,     0,     0},
    {   kMars,  4, -4, 0,     0,   -0.03,       0.1,   0.04,     0,     0},
    {   kMars,  4, -5, 0,  0.05,   -0.07,       0.2,   0.14,     0,     0},
    {   kMars,  4, -6, 0,  -0.1,    0.11,     -0.23,  -0.22,     0,     0},
    {   kMars,  5, -7, 0, -0.05,       0,      0.01,  -0.14,     0,     0},
    {   kMars,  5, -8, 0,  0.05,    0.01,     -0.02,    0.1,     0,     0},
    {kJupiter,  1, -1, 0,  0.01,    0.07,      0.18,  -0.02,     0, -0.02},
    {kJupiter,  0, -1, 0, -0.31,    2.58,      0.52,   0.34,  0.02,     0},
    {kJupiter,  1, -1, 0, -7.21,   -0.06,      0.13, -16.27,     0, -0.02},
    {kJupiter,  1, -2, 0, -0.54,   -1.52,      3.09,  -1.12,  0.01, -0.17},
    {kJupiter,  1, -3, 0, -0.03,   -0.21,      0.38,  -0.06,     0, -0.02},
    {kJupiter,  2, -1, 0, -0.16,    0.05,     -0.18,  -0.31,  0.01,     0},
    {kJupiter,  2, -2, 0,  0.14,   -2.73,      9.23,   0.48,     0,     0},
    {kJupiter,  2, -3, 0,  0.07,   -0.55,      1.83,   0.25,  0.01,     0},
    {kJupiter,  2, -4, 0,  0.02,   -0.08,      0.25,   0.06,     0,     0},
    {kJupiter,  3, -2, 0,  0.01,   -0.07,      0.16,   0.04,     0,     0},
    {kJupiter,  3, -3, 0, -0.16,   -0.03,      0.08,  -0.64,     0,     0},
    {kJupiter,  3, -4, 0, -0.04,   -0.01,      0.03,  -0.17,     0,     0},
    { kSaturn,  0, -1, 0,     0,    0.32,      0.01,      0,     0,     0},
    { kSaturn,  1, -1, 0, -0.08,   -0.41,      0.97,  -0.18,     0, -0.01},
    { kSaturn,  1, -2, 0,  0.04,     0.1,     -0.23,    0.1,     0,     0},
    { kSaturn,  2, -2, 0,  0.04,     0.1,     -0.35,   0.13,     0,     0},
};

static constexpr MeanArgument kLongPeriodArguments[] = {
    {0.6983, 0.0561},
    {0.5764, 0.4174},
    {0.4189, 0.3306},
    {0.3581, 2.4814},
};
// Longitude amplitudes of the long-period terms above, arcseconds.
static constexpr double kLongPeriodAmplitudes[] = {6.40, 1.87, 0.27, 0.20};

// Lunar perturbation with argument d D + a A + m M3: dl sin(argument) in longitude,
// dr cos(argument) in the radius vector.
struct MoonPerturbation {
    int d;      // multiple of the Moon's mean elongation D
    int a;      // multiple of the Moon's mean anomaly A
    int m;      // multiple of the Earth's mean anomaly M3
    double dl;  // arcseconds
    double dr;  // 1e-6 AU
};
static constexpr MoonPerturbation kMoonPerturbations[] = {
    {1, 0, 0, 6.45, 30.76},
    {1, -1, 0, -0.42, -3.06},
    {1, 1, 0, 0.18, 0.85},
    {1, 0, -1, 0.17, 0.57},
    {1, 0, 1, -0.06, -0.58},
};
// Latitude amplitude of sin U, arcseconds.
constexpr double kMoonLatitudeAmplitude = 0.576;

constexpr bool termsStayInTables() {
    for (const SunTerm& term : kSunTerms) {
        if (term.i1 < kMinEarthMultiple || term.i1 > kMaxEarthMultiple) return false;
        if (term.i > 0 || -term.i > kPlanetMaxMultiple[term.planet]) return false;
        if (term.it < 0 || term.it > 2) return false;
    }
    return kSunTerms[0].it == 0;
}
static_assert(termsStayInTables(), "a solar term reaches outside its multiple-angle table");

double meanArgumentRad(const MeanArgument& argument, double centuriesTT) {
    return kTwoPi * frac(argument.a0 + argument.a1 * centuriesTT);
}

}  // namespace

std::span<const SunTerm> sunTerms() { return kSunTerms; }

SunTheory::SunTheory(double centuriesTT)
    : centuriesTT_(centuriesTT),
      earthAnomalyRad_(meanArgumentRad(kEarthAnomaly, centuriesTT)),
      moonElongationRad_(meanArgumentRad(kMoonElongation, centuriesTT)),
      moonAnomalyRad_(meanArgumentRad(kMoonAnomaly, centuriesTT)),
      moonLatitudeArgRad_(meanArgumentRad(kMoonLatitudeArg, centuriesTT)) {
    for (int planet = kVenus; planet <= kSaturn; ++planet) {
        meanAnomalyRad_[planet] = meanArgumentRad(kPlanetAnomalies[planet], centuriesTT);
    }
    // Multiples of M3 by complex multiplication: one sine and one cosine for all of them.
    const int offset = -kMinEarthMultiple;
    cosM3_[offset] = 1.0;
    sinM3_[offset] = 0.0;
    cosM3_[offset + 1] = cosM3_[offset - 1] = std::cos(earthAnomalyRad_);
    sinM3_[offset + 1] = std::sin(earthAnomalyRad_);
    sinM3_[offset - 1] = -sinM3_[offset + 1];
    for (int k = 2; k <= kMaxEarthMultiple; ++k) {
        const int j = offset + k;
        cosM3_[j] = cosM3_[j - 1] * cosM3_[offset + 1] - sinM3_[j - 1] * sinM3_[offset + 1];
        sinM3_[j] = sinM3_[j - 1] * cosM3_[offset + 1] + cosM3_[j - 1] * sinM3_[offset + 1];
    }
    addPlanetTerms();
    addMoonTerms();
    addLongPeriodTerms();
}

void SunTheory::addPlanetTerms() {
    // cos and sin of -k times the current planet's anomaly, at index k.
    double cosP[kMaxPlanetMultiple + 1];
    double sinP[kMaxPlanetMultiple + 1];
    int tabulatedPlanet = -1;
    double u = 0.0;
    double v = 0.0;
    for (const SunTerm& term : kSunTerms) {
        if (term.planet != tabulatedPlanet) {
            tabulatedPlanet = term.planet;
            cosP[0] = 1.0;
            sinP[0] = 0.0;
            cosP[1] = std::cos(meanAnomalyRad_[tabulatedPlanet]);
            sinP[1] = -std::sin(meanAnomalyRad_[tabulatedPlanet]);
            for (int k = 2; k <= kPlanetMaxMultiple[tabulatedPlanet]; ++k) {
                cosP[k] = cosP[k - 1] * cosP[1] - sinP[k - 1] * sinP[1];
                sinP[k] = sinP[k - 1] * cosP[1] + cosP[k - 1] * sinP[1];
            }
        }
        if (term.it == 0) {
            // cos and sin of i1 M3 + i Mp.
            const double cm = cosM3_[term.i1 - kMinEarthMultiple];
            const double sm = sinM3_[term.i1 - kMinEarthMultiple];
            u = cm * cosP[-term.i] - sm * sinP[-term.i];
            v = sm * cosP[-term.i] + cm * sinP[-term.i];
        } else {
            // Secular rows carry the previous row's argument times T (T^2 after two of them).
            u *= centuriesTT_;
            v *= centuriesTT_;
        }
        longitudeArcsec_ += term.dlc * u + term.dls * v;
        radiusMicroAu_ += term.drc * u + term.drs * v;
        latitudeArcsec_ += term.dbc * u + term.dbs * v;
    }
}

void SunTheory::addMoonTerms() {
    for (const MoonPerturbation& term : kMoonPerturbations) {
        const double argument = term.d * moonElongationRad_ + term.a * moonAnomalyRad_ + term.m * earthAnomalyRad_;
        longitudeArcsec_ += term.dl * std::sin(argument);
        radiusMicroAu_ += term.dr * std::cos(argument);
    }
    latitudeArcsec_ += kMoonLatitudeAmplitude * std::sin(moonLatitudeArgRad_);
}

void SunTheory::addLongPeriodTerms() {
    for (int k = 0; k < 4; ++k) {
        const MeanArgument& argument = kLongPeriodArguments[k];
        longitudeArcsec_ += kLongPeriodAmplitudes[k] * sinRevolutions(argument.a0 + argument.a1 * centuriesTT_);
    }
}

Vec3 SunTheory::position() const {
    const double t = centuriesTT_;
    const double longitudeRad =
        kTwoPi * frac(0.7859453 + earthAnomalyRad_ / kTwoPi +
                      ((6191.2 + 1.1 * t) * t + longitudeArcsec_) / kArcsecPerRevolution);
    const double radiusAu = 1.0001398 - 0.0000007 * t + radiusMicroAu_ * 1e-6;
    const double latitudeRad = latitudeArcsec_ * kArcsecRad;
    return fromPolar(PolarCoord(radiusAu, longitudeRad, latitudeRad));
}

Vec3 sunPosition(double centuriesTT) { return SunTheory(centuriesTT).position(); }

Vec3 sunApparentEquatorial(const Instant& instant, double& eqeqSeconds, double& eclLongitudeRad) {
    const double t = instant.centuriesTT();
    const Vec3 ecliptic = sunPosition(t);
    eclLongitudeRad = longitudeOf(ecliptic);
    const MeanObliquity obliquity = meanObliquityOfDate(t);
    const Vec3 trueEquatorial = nutationMatrix(t, obliquity, eqeqSeconds) * eclipticToEquatorial(obliquity, ecliptic);
    return annualAberration(t, trueEquatorial);
}

double sunLongitudeDegrees(const Instant& instant) {
    const double t = instant.centuriesTT();
    const double degrees = longitudeOf(sunPosition(t)) * kDegPerRad;
    return degrees < 180.0 ? degrees + 360.0 : degrees;
}

}  // namespace qv
