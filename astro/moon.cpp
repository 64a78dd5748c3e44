#include "astro/moon.h"

#include <array>
#include <cmath>

#include "astro/frames.h"
#include "base/constants.h"

namespace qv {

namespace {

// Columns: p, q, r, s (multiples of l, ls, F, D), dlam, ds, gamc, sinpi (all arcseconds).
static constexpr MoonSolarTerm kSolarTerms[] = {
    { 0,  0,  0,  4,    13.902,    14.06, -0.001,   0.2607},
    { 0,  0,  0,  3,     0.403,    -4.01,  0.394,   0.0023},
    { 0,  0,  0,  2,  2369.912,  2373.36,  0.601,  28.2333},
    { 0,  0,  0,  1,  -125.154,  -112.79, -0.725,  -0.9781},
    { 1,  0,  0,  4,     1.979,     6.98, -0.445,   0.0433},
    { 1,  0,  0,  2,   191.953,   192.72,  0.029,   3.0861},
    { 1,  0,  0,  1,    -8.466,   -13.51,  0.455,  -0.1093},
    { 1,  0,  0,  0,   22639.5, 22609.07,  0.079, 186.5398},
    { 1,  0,  0, -1,    18.609,     3.59, -0.094,   0.0118},
    { 1,  0,  0, -2, -4586.465, -4578.13, -0.077,  34.3117},
    { 1,  0,  0, -3,     3.215,     5.44,  0.192,  -0.0386},
    { 1,  0,  0, -4,   -38.428,   -38.64,  0.001,   0.6008},
    { 1,  0,  0, -6,    -0.393,    -1.43, -0.092,   0.0086},
    { 0,  1,  0,  4,    -0.289,    -1.59,  0.123,  -0.0053},
    { 0,  1,  0,  2,    -24.42,    -25.1,   0.04,     -0.3},
    { 0,  1,  0,  1,    18.023,    17.93,  0.007,   0.1494},
    { 0,  1,  0,  0,  -668.146,  -126.98, -1.302,  -0.3997},
    { 0,  1,  0, -1,      0.56,     0.32, -0.001,  -0.0037},
    { 0,  1,  0, -2,  -165.145,  -165.06,  0.054,   1.9178},
    { 0,  1,  0, -4,    -1.877,    -6.46, -0.416,   0.0339},
    { 2,  0,  0,  4,     0.213,     1.02, -0.074,   0.0054},
    { 2,  0,  0,  2,    14.387,    14.78, -0.017,   0.2833},
    { 2,  0,  0,  1,    -0.586,     -1.2,  0.054,    -0.01},
    { 2,  0,  0,  0,   769.016,   767.96,  0.107,  10.1657},
    { 2,  0,  0, -1,      1.75,     2.01, -0.018,   0.0155},
    { 2,  0,  0, -2,  -211.656,  -152.53,  5.679,  -0.3039},
    { 2,  0,  0, -3,     1.225,     0.91,  -0.03,  -0.0088},
    { 2,  0,  0, -4,   -30.773,   -34.07, -0.308,   0.3722},
    { 2,  0,  0, -6,     -0.57,     -1.4, -0.074,   0.0109},
    { 1,  1,  0,  2,    -2.921,   -11.75,  0.787,  -0.0484},
    { 1,  1,  0,  1,     1.267,     1.52, -0.022,   0.0164},
    { 1,  1,  0,  0,  -109.673,  -115.18,  0.461,   -0.949},
    { 1,  1,  0, -2,  -205.962,  -182.36,  2.056,   1.4437},
    { 1,  1,  0, -3,     0.233,     0.36,  0.012,  -0.0025},
    { 1,  1,  0, -4,    -4.391,    -9.66, -0.471,   0.0673},
    { 1, -1,  0,  4,     0.283,     1.53, -0.111,    0.006},
    { 1, -1,  0,  2,    14.577,     31.7,  -1.54,   0.2302},
    { 1, -1,  0,  0,   147.687,   138.76,  0.679,   1.1528},
    { 1, -1,  0, -1,    -1.089,     0.55,  0.021,        0},
    { 1, -1,  0, -2,    28.475,    23.59, -0.443,  -0.2257},
    { 1, -1,  0, -3,    -0.276,    -0.38, -0.006,  -0.0036},
    { 1, -1,  0, -4,     0.636,     2.27,  0.146,  -0.0102},
    { 0,  2,  0,  2,    -0.189,    -1.68,  0.131,  -0.0028},
    { 0,  2,  0,  0,    -7.486,    -0.66, -0.037,  -0.0086},
    { 0,  2,  0, -2,    -8.096,   -16.35,  -0.74,   0.0918},
    { 0,  0,  2,  2,    -5.741,    -0.04,      0,  -0.0009},
    { 0,  0,  2,  1,     0.255,        0,      0,        0},
    { 0,  0,  2,  0,  -411.608,     -0.2,      0,  -0.0124},
    { 0,  0,  2, -1,     0.584,     0.84,      0,   0.0071},
    { 0,  0,  2, -2,   -55.173,   -52.14,      0,  -0.1052},
    { 0,  0,  2, -3,     0.254,     0.25,      0,  -0.0017},
    { 0,  0,  2, -4,     0.025,    -1.67,      0,   0.0031},
    { 3,  0,  0,  2,      1.06,     2.96, -0.166,   0.0243},
    { 3,  0,  0,  0,    36.124,    50.64,   -1.3,   0.6215},
    { 3,  0,  0, -2,   -13.193,    -16.4,  0.258,  -0.1187},
    { 3,  0,  0, -4,    -1.187,    -0.74,  0.042,   0.0074},
    { 3,  0,  0, -6,    -0.293,    -0.31, -0.002,   0.0046},
    { 2,  1,  0,  2,     -0.29,    -1.45,  0.116,  -0.0051},
    { 2,  1,  0,  0,    -7.649,   -10.56,  0.259,  -0.1038},
    { 2,  1,  0, -2,    -8.627,    -7.59,  0.078,  -0.0192},
    { 2,  1,  0, -4,     -2.74,    -2.54,  0.022,   0.0324},
    { 2, -1,  0,  2,     1.181,     3.32, -0.212,   0.0213},
    { 2, -1,  0,  0,     9.703,    11.67, -0.151,   0.1268},
    { 2, -1,  0, -1,    -0.352,    -0.37,  0.001,  -0.0028},
    { 2, -1,  0, -2,    -2.494,    -1.17, -0.003,  -0.0017},
    { 2, -1,  0, -4,      0.36,      0.2, -0.012,  -0.0043},
    { 1,  2,  0,  0,    -1.167,    -1.25,  0.008,  -0.0106},
    { 1,  2,  0, -2,    -7.412,    -6.12,  0.117,   0.0484},
    { 1,  2,  0, -4,    -0.311,    -0.65, -0.032,   0.0044},
    { 1, -2,  0,  2,     0.757,     1.82, -0.105,   0.0112},
    { 1, -2,  0,  0,      2.58,     2.32,  0.027,   0.0196},
    { 1, -2,  0, -2,     2.533,      2.4, -0.014,  -0.0212},
    { 0,  3,  0, -2,    -0.344,    -0.57, -0.025,   0.0036},
    { 1,  0,  2,  2,    -0.992,    -0.02,      0,        0},
    { 1,  0,  2,  0,   -45.099,    -0.02,      0,   -0.001},
    { 1,  0,  2, -2,    -0.179,    -9.52,      0,  -0.0833},
    { 1,  0,  2, -4,    -0.301,    -0.33,      0,   0.0014},
    { 1,  0, -2,  2,    -6.382,    -3.37,      0,  -0.0481},
    { 1,  0, -2,  0,    39.528,    85.13,      0,  -0.7136},
    { 1,  0, -2, -2,     9.366,     0.71,      0,  -0.0112},
    { 1,  0, -2, -4,     0.202,     0.02,      0,        0},
    { 0,  1,  2,  0,     0.415,      0.1,      0,   0.0013},
    { 0,  1,  2, -2,    -2.152,    -2.26,      0,  -0.0066},
    { 0,  1, -2,  2,     -1.44,     -1.3,      0,   0.0014},
    { 0,  1, -2, -2,     0.384,    -0.04,      0,        0},
    { 4,  0,  0,  0,     1.938,      3.6, -0.145,   0.0401},
    { 4,  0,  0, -2,    -0.952,    -1.58,  0.052,   -0.013},
    { 3,  1,  0,  0,    -0.551,    -0.94,  0.032,  -0.0097},
    { 3,  1,  0, -2,    -0.482,    -0.57,  0.005,  -0.0045},
    { 3, -1,  0,  0,     0.681,     0.96, -0.026,   0.0115},
    { 2,  2,  0, -2,    -0.297,    -0.27,  0.002,  -0.0009},
    { 2, -2,  0, -2,     0.254,     0.21, -0.003,        0},
    { 1,  3,  0, -2,     -0.25,    -0.22,  0.004,   0.0014},
    { 2,  0,  2,  0,    -3.996,        0,      0,   0.0004},
    { 2,  0,  2, -2,     0.557,    -0.75,      0,   -0.009},
    { 2,  0, -2,  2,    -0.459,    -0.38,      0,  -0.0053},
    { 2,  0, -2,  0,    -1.298,     0.74,      0,   0.0004},
    { 2,  0, -2, -2,     0.538,     1.14,      0,  -0.0141},
    { 1,  1,  2,  0,     0.263,     0.02,      0,        0},
    { 1,  1, -2, -2,     0.426,     0.07,      0,  -0.0006},
    { 1, -1,  2,  0,    -0.304,     0.03,      0,   0.0003},
    { 1, -1, -2,  2,    -0.372,    -0.19,      0,  -0.0027},
    { 0,  0,  4,  0,     0.418,        0,      0,        0},
    { 3,  0,  2,  0,     -0.33,    -0.04,      0,        0},
};

// Columns: p, q, r, s (multiples of l, ls, F, D), n (arcseconds).
static constexpr MoonLatitudeTerm kLatitudeTerms[] = {
    { 0,  0,  1, -2, -526.069},
    { 0,  0,  1, -4,   -3.352},
    { 1,  0,  1, -2,   44.297},
    { 1,  0,  1, -4,       -6},
    {-1,  0,  1,  0,   20.599},
    {-1,  0,  1, -2,  -30.598},
    {-2,  0,  1,  0,  -24.649},
    {-2,  0,  1, -2,       -2},
    { 0,  1,  1, -2,  -22.571},
    { 0, -1,  1, -2,   10.985},
};

// Long-period correction term sinRevolutions(a0 + a1 T) and its share in each mean element.
struct LongPeriodTerm {
    double a0;   // revolutions
    double a1;   // revolutions per Julian century
    double dl0;  // mean longitude, arcseconds
    double dl;   // Moon's mean anomaly, arcseconds
    double dls;  // Sun's mean anomaly, arcseconds
    double df;   // argument of latitude, arcseconds
};
static constexpr LongPeriodTerm kLongPeriodTerms[] = {
    {0.19833, 0.05611, 0.84, 2.94, -6.40, 0.21},
    {0.27869, 0.04508, 0.31, 0.31, 0.0, 0.31},
    {0.16827, -0.36903, 14.27, 14.27, 0.0, 14.27},
    {0.34734, -5.37261, 7.26, 9.34, 0.0, -88.70},
    {0.10498, -5.37899, 0.28, 1.12, 0.0, -15.30},
    {0.42681, -0.41855, 0.24, 0.83, -1.89, 0.24},
    {0.14943, -5.37511, 0.0, 0.0, 0.0, -1.86},
};

// A periodic term amplitude x sinRevolutions(a0 + a1 T).
struct SineTerm {
    double amplitude;  // arcseconds (dimensionless for the inclination terms)
    double a0;         // revolutions
    double a1;         // revolutions per Julian century
};
// Correction DGAM of the inclination factor.
static constexpr SineTerm kGammaTerms[] = {
    {-3.332e-6, 0.59734, -5.37261},
    {-5.39e-7, 0.35498, -5.37899},
    {-6.4e-8, 0.39943, -5.37511},
};
// Planetary terms in longitude.
static constexpr SineTerm kPlanetaryTerms[] = {
    {0.82, 0.7736, -62.5512},
    {0.31, 0.0466, -125.1025},
    {0.35, 0.5785, -25.1042},
    {0.66, 0.4591, 1335.8075},
    {0.64, 0.3130, -91.5680},
    {1.14, 0.1480, 1331.2898},
    {0.21, 0.5918, 1056.5859},
    {0.44, 0.5784, 1322.8595},
    {0.24, 0.2275, -5.7374},
    {0.28, 0.2965, 2.6929},
    {0.33, 0.3132, 6.3368},
};

// Mean element 2 pi frac(a0 + a1 T + a2 T^2), before its long-period correction.
struct MeanElement {
    double a0;  // revolutions
    double a1;  // revolutions per Julian century
    double a2;  // revolutions per Julian century squared
};
// L0, l, ls, F, D; the corrections DL0, DL, DLS, DF, DD apply in this order.
static constexpr MeanElement kMeanElements[] = {
    {0.60643382, 1336.85522467, -0.00000313},
    {0.37489701, 1325.55240982, 0.00002565},
    {0.99312619, 99.99735956, -0.00000044},
    {0.25909118, 1342.22782980, -0.00000892},
    {0.82736186, 1236.85308708, -0.00000397},
};

// Highest multiple of l, ls, F and D in the terms.
static constexpr int kArgumentMaxMultiple[] = {4, 3, 4, 6};

constexpr bool withinTables(int p, int q, int r, int s) {
    const int multiples[] = {p, q, r, s};
    for (int k = 0; k < 4; ++k) {
        if (multiples[k] > kArgumentMaxMultiple[k] || -multiples[k] > kArgumentMaxMultiple[k]) return false;
    }
    return true;
}
constexpr bool termsStayInTables() {
    for (const MoonSolarTerm& t : kSolarTerms) {
        if (!withinTables(t.p, t.q, t.r, t.s)) return false;
    }
    for (const MoonLatitudeTerm& t : kLatitudeTerms) {
        if (!withinTables(t.p, t.q, t.r, t.s)) return false;
    }
    return true;
}
static_assert(termsStayInTables(), "a lunar term reaches outside its multiple-angle table");

// The table places of each term's factors, worked out once at compile time.
template <class Term, std::size_t N>
constexpr std::array<MoonTheory::TermFactors, N> termFactors(const Term (&terms)[N]) {
    std::array<MoonTheory::TermFactors, N> factors{};
    for (std::size_t i = 0; i < N; ++i) {
        const int multiples[4] = {terms[i].p, terms[i].q, terms[i].r, terms[i].s};
        for (int a = 0; a < 4; ++a) {
            if (multiples[a] != 0)
                factors[i].index[factors[i].count++] = a * MoonTheory::kTableSize + multiples[a] + MoonTheory::kMaxMultiple;
        }
    }
    return factors;
}
static constexpr auto kSolarTermFactors = termFactors(kSolarTerms);
static constexpr auto kLatitudeTermFactors = termFactors(kLatitudeTerms);

template <std::size_t N>
constexpr bool everyTermHasAnArgument(const std::array<MoonTheory::TermFactors, N>& factors) {
    for (const MoonTheory::TermFactors& f : factors) {
        if (f.count == 0) return false;
    }
    return true;
}
static_assert(everyTermHasAnArgument(kSolarTermFactors) && everyTermHasAnArgument(kLatitudeTermFactors),
              "a lunar term without an argument");

// Sum of the terms' sines for Julian centuries T.
template <std::size_t N>
double sumSineTerms(const SineTerm (&terms)[N], double centuriesTT) {
    double sum = 0.0;
    for (const SineTerm& term : terms) sum += term.amplitude * sinRevolutions(term.a0 + term.a1 * centuriesTT);
    return sum;
}

// Inclination factor of the latitude, corrected by DGAM.
double inclinationFactor(double gammaCorrection) { return 1.000002708 + 139.978 * gammaCorrection; }

}  // namespace

std::span<const MoonSolarTerm> moonSolarTerms() { return kSolarTerms; }
std::span<const MoonLatitudeTerm> moonLatitudeTerms() { return kLatitudeTerms; }

MoonTheory::MoonTheory(double centuriesTT) : centuriesTT_(centuriesTT) {
    computeLongPeriodCorrections();
    computeMeanArguments();
    computeMultipleAngles();
    addTerms();
}

void MoonTheory::computeLongPeriodCorrections() {
    double dl0 = 0.0;
    double dl = 0.0;
    double dls = 0.0;
    double df = 0.0;
    for (const LongPeriodTerm& term : kLongPeriodTerms) {
        const double s = sinRevolutions(term.a0 + term.a1 * centuriesTT_);
        dl0 += term.dl0 * s;
        dl += term.dl * s;
        dls += term.dls * s;
        df += term.df * s;
    }
    const double corrections[5] = {dl0, dl, dls, df, dl0 - dls};
    for (int k = 0; k < 5; ++k) correctionArcsec_[k] = corrections[k];
    gammaCorrection_ = sumSineTerms(kGammaTerms, centuriesTT_);
}

void MoonTheory::computeMeanArguments() {
    const double t = centuriesTT_;
    double elementRad[5];
    for (int k = 0; k < 5; ++k) {
        const MeanElement& e = kMeanElements[k];
        elementRad[k] = kTwoPi * frac(e.a0 + e.a1 * t + e.a2 * t * t) + correctionArcsec_[k] / ARC;
    }
    meanLongitudeRad_ = elementRad[0];
    for (int k = 0; k < 4; ++k) argumentRad_[k] = elementRad[k + 1];
}

void MoonTheory::computeMultipleAngles() {
    // Each multiple k carries the factor to the power k.
    const double factors[4] = {1.000002208, 0.997504612 - 0.002495388 * centuriesTT_,
                               inclinationFactor(gammaCorrection_), 1.0};
    for (int a = 0; a < 4; ++a) {
        double* co = cos_ + a * kTableSize + kMaxMultiple;
        double* si = sin_ + a * kTableSize + kMaxMultiple;
        co[0] = 1.0;
        si[0] = 0.0;
        co[1] = factors[a] * std::cos(argumentRad_[a]);
        si[1] = factors[a] * std::sin(argumentRad_[a]);
        for (int k = 2; k <= kArgumentMaxMultiple[a]; ++k) {
            co[k] = co[k - 1] * co[1] - si[k - 1] * si[1];
            si[k] = si[k - 1] * co[1] + co[k - 1] * si[1];
        }
        for (int k = 1; k <= kArgumentMaxMultiple[a]; ++k) {
            co[-k] = co[k];
            si[-k] = -si[k];
        }
    }
}

void MoonTheory::termArgument(const TermFactors& factors, double& x, double& y) const {
    // The product starts at the first factor: multiplying 1 + 0i by it is exact.
    x = cos_[factors.index[0]];
    y = sin_[factors.index[0]];
    for (int k = 1; k < factors.count; ++k) {
        const double co = cos_[factors.index[k]];
        const double si = sin_[factors.index[k]];
        const double xNew = x * co - y * si;
        y = y * co + x * si;
        x = xNew;
    }
}

void MoonTheory::addTerms() {
    // Two sums side by side in one pair of lanes, each lane adding exactly what it would alone:
    // (DLAM, DS) from the sines, (GAMC, SINPI) from the cosines.
    using LanePair = double __attribute__((vector_size(16)));
    LanePair fromSines = {0.0, 0.0};
    LanePair fromCosines = {0.0, 3422.7};
    double x = 0.0;
    double y = 0.0;
    for (std::size_t i = 0; i < std::size(kSolarTerms); ++i) {
        const MoonSolarTerm& term = kSolarTerms[i];
        termArgument(kSolarTermFactors[i], x, y);
        fromSines += LanePair{term.dlam, term.ds} * y;
        fromCosines += LanePair{term.gamc, term.sinpi} * x;
    }
    longitudeArcsec_ = fromSines[0];
    latitudeArgArcsec_ = fromSines[1];
    latitudeFactorArcsec_ = fromCosines[0];
    sinParallaxArcsec_ = fromCosines[1];
    for (std::size_t i = 0; i < std::size(kLatitudeTerms); ++i) {
        termArgument(kLatitudeTermFactors[i], x, y);
        latitudeTermsArcsec_ += kLatitudeTerms[i].n * y;
    }
    longitudeArcsec_ += sumSineTerms(kPlanetaryTerms, centuriesTT_);
}

Vec3 MoonTheory::position() const {
    double longitudeRad = kTwoPi * frac((meanLongitudeRad_ + longitudeArcsec_ / ARC) / kTwoPi);
    if (longitudeRad < 0.0) longitudeRad += kTwoPi;
    const double s = argumentRad_[kLatitudeArg] + latitudeArgArcsec_ / ARC;
    const double latitudeRad = ((18519.7 + latitudeFactorArcsec_) * inclinationFactor(gammaCorrection_) * std::sin(s) -
                                6.24 * std::sin(3.0 * s) + latitudeTermsArcsec_) *
                               kArcsecRad;
    const double distanceEarthRadii = ARC / (0.999953253 * sinParallaxArcsec_);
    return fromPolar(PolarCoord(distanceEarthRadii, longitudeRad, latitudeRad));
}

Vec3 moonPosition(double centuriesTT) { return MoonTheory(centuriesTT).position(); }

Vec3 moonApparentEquatorial(const Instant& instant, double& eqeqSeconds, double& eclLongitudeRad) {
    const double t = instant.centuriesTT();
    const Vec3 ecliptic = moonPosition(t);
    eclLongitudeRad = longitudeOf(ecliptic);
    const MeanObliquity obliquity = meanObliquityOfDate(t);
    return nutationMatrix(t, obliquity, eqeqSeconds) * eclipticToEquatorial(obliquity, ecliptic);
}

}  // namespace qv
