#include "astro/planets.h"

#include <algorithm>
#include <cmath>

#include "astro/frames.h"
#include "base/constants.h"
#include "base/julian.h"

namespace qv {

namespace {

// One VSOP87 term A cos(B + C T), T in Julian millennia of TT since J2000.
struct Vsop87Term {
    double a;  // radians (L, B) or AU (R)
    double b;  // radians
    double c;  // radians per Julian millennium
};

// The rows of kVsop87Terms that multiply T^power in one coordinate of one body.
struct Vsop87Series {
    int body;        // Planet order, then kEarthBody
    int coordinate;  // 0 longitude L, 1 latitude B, 2 radius R
    int power;       // of T, 0 .. 5
    int first;       // row in kVsop87Terms
    int count;
};

#include "vsop87d.inc"

constexpr int kEarthBody = kPlanets;
constexpr int kMaxPower = 5;
constexpr double kCenturiesPerMillennium = 0.1;

// Heliocentric L, B (radians) and R (AU) of a body as a vector, ecliptic and equinox of date.
Vec3 vsop87Position(int body, double centuriesTT) {
    const double millennia = centuriesTT * kCenturiesPerMillennium;
    double powers[kMaxPower + 1];
    powers[0] = 1.0;
    for (int k = 1; k <= kMaxPower; ++k) powers[k] = powers[k - 1] * millennia;
    double sums[3] = {0.0, 0.0, 0.0};
    for (const Vsop87Series& series : kVsop87Series) {
        if (series.body != body) continue;
        double sum = 0.0;
        for (int row = series.first; row < series.first + series.count; ++row) {
            const Vsop87Term& term = kVsop87Terms[row];
            sum += term.a * std::cos(term.b + term.c * millennia);
        }
        sums[series.coordinate] += sum * powers[series.power];
    }
    return fromPolar(PolarCoord(sums[2], sums[0], sums[1]));
}

// The turn from the dynamical ecliptic and equinox of VSOP87 to FK5: in the frame whose
// longitudes are lambda' = lambda - (1.397 T + 0.00031 T^2) deg, longitudes change by
// -0.09033" + 0.03916" (cos lambda' + sin lambda') tan beta and latitudes by
// 0.03916" (cos lambda' - sin lambda'): a small rotation, applied as v + omega x v.
constexpr double kFk5TurnZArcsec = -0.09033;
constexpr double kFk5TurnXYArcsec = -0.03916;
constexpr double kFk5FrameDegPerCentury = 1.397;
constexpr double kFk5FrameDegPerCentury2 = 0.00031;

Vec3 toFk5(double centuriesTT, const Vec3& ecliptic) {
    const double frameRad =
        (kFk5FrameDegPerCentury + kFk5FrameDegPerCentury2 * centuriesTT) * centuriesTT * kRadPerDeg;
    const Vec3 turnPrimed(kFk5TurnXYArcsec * kArcsecRad, kFk5TurnXYArcsec * kArcsecRad, kFk5TurnZArcsec * kArcsecRad);
    const Vec3 turn = rotationZ(-frameRad) * turnPrimed;
    return ecliptic + cross(turn, ecliptic);
}

// North pole of a planet's equator (Saturn's also of its rings): right ascension and
// declination on the ICRF equator, degrees and degrees per Julian century (Archinal et al.,
// 2018, "Report of the IAU Working Group on Cartographic Coordinates and Rotational Elements:
// 2015", Celest. Mech. Dyn. Astr. 130, 22).
struct PoleDirection {
    Planet planet;
    double raDeg;
    double raDegPerCentury;
    double decDeg;
    double decDegPerCentury;
};
static constexpr PoleDirection kPoles[] = {
    {Planet::Saturn, 40.589, -0.036, 83.537, -0.004},
    {Planet::Uranus, 257.311, 0.0, -15.175, 0.0},
};
// General precession in longitude, arcseconds per Julian century (IAU 1976, Lieske et al., 1977);
// it carries the J2000 ecliptic pole direction to the ecliptic of date to within the ecliptic's
// own motion (0.013 deg a century).
constexpr double kPrecessionArcsecPerCentury = 5029.0966;

// Unit vector of a planet's pole on the ecliptic of date; the zero vector when none is listed.
Vec3 poleOfDate(Planet planet, double centuriesTT) {
    for (const PoleDirection& pole : kPoles) {
        if (pole.planet != planet) continue;
        const Vec3 icrf = fromPolar(PolarCoord(1.0, (pole.raDeg + pole.raDegPerCentury * centuriesTT) * kRadPerDeg,
                                               (pole.decDeg + pole.decDegPerCentury * centuriesTT) * kRadPerDeg));
        const Vec3 eclipticJ2000 = rotationX(meanObliquity(0.0)) * icrf;
        return rotationZ(-kPrecessionArcsecPerCentury * centuriesTT * kArcsecRad) * eclipticJ2000;
    }
    return Vec3();
}

// Magnitude of a planet at 1 AU from the Sun and the Earth as a polynomial in the phase angle
// (degrees) up to upToPhaseDeg; a planet's laws follow in order of their ranges (Mallama &
// Hilton, 2018, Table 1, the ranges seen from the Earth).
// Saturn's law holds its rings up to this phase angle; the Earth sees at most 6.4 deg.
constexpr double kSaturnMaxPhaseDeg = 6.5;

struct PhaseLaw {
    Planet planet;
    double upToPhaseDeg;
    double coefficients[7];  // magnitudes per degree^k, k = 0 .. 6
};
static constexpr PhaseLaw kPhaseLaws[] = {
    {Planet::Mercury, 169.5, {-0.613, 6.328e-2, -1.6336e-3, 3.3644e-5, -3.4265e-7, 1.6893e-9, -3.0334e-12}},
    {Planet::Venus, 163.7, {-4.384, -1.044e-3, 3.687e-4, -2.814e-6, 8.938e-9, 0.0, 0.0}},
    {Planet::Venus, 179.0, {236.05828, -2.81914, 8.39034e-3, 0.0, 0.0, 0.0, 0.0}},
    {Planet::Mars, 50.0, {-1.601, 2.267e-2, -1.302e-4, 0.0, 0.0, 0.0, 0.0}},
    {Planet::Jupiter, 12.0, {-9.395, -3.7e-4, 6.16e-4, 0.0, 0.0, 0.0, 0.0}},
    {Planet::Saturn, kSaturnMaxPhaseDeg, {-8.914, 2.6e-2, 0.0, 0.0, 0.0, 0.0, 0.0}},
    {Planet::Uranus, 3.1, {-7.110, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}},
    {Planet::Neptune, 1.9, {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}},
};
// Saturn's rings: -1.825 sin(tilt) - 0.378 sin(tilt) exp(-2.25 phase angle in degrees), the
// tilt at most 27 deg.
constexpr double kSaturnRingSine = -1.825;
constexpr double kSaturnRingSurge = -0.378;
constexpr double kSaturnRingSurgePerDeg = -2.25;
constexpr double kSaturnMaxTiltDeg = 27.0;
// Uranus: magnitudes per degree of the mean of the absolute sub-Earth and sub-Sun latitudes.
constexpr double kUranusLatitudeMagPerDeg = -8.4e-4;
// Neptune at zero phase angle (its law above holds only the phase terms): -6.89 until 1980,
// -7.00 from 2000, linear between.
constexpr double kNeptuneBefore = -6.89;
constexpr double kNeptuneAfter = -7.00;
constexpr double kNeptuneChangeFromYear = 1980.0;
constexpr double kNeptuneChangeToYear = 2000.0;
constexpr double kDaysPerJulianYear = 365.25;

// The phase law of a planet at a phase angle: the first whose range holds it, else the last,
// held at its range's end. Returns its value.
double phaseLawMagnitude(Planet planet, double phaseDeg) {
    const PhaseLaw* chosen = nullptr;
    for (const PhaseLaw& law : kPhaseLaws) {
        if (law.planet != planet) continue;
        chosen = &law;
        if (phaseDeg <= law.upToPhaseDeg) break;
    }
    if (!chosen) return 0.0;
    const double alpha = std::min(phaseDeg, chosen->upToPhaseDeg);
    double value = 0.0;
    for (int k = 6; k >= 0; --k) value = value * alpha + chosen->coefficients[k];
    return value;
}

struct MagnitudeGeometry {
    double sunDistanceAu;
    double earthDistanceAu;
    double phaseDeg;
    double subEarthLatitudeRad;
    double subSunLatitudeRad;
    double mjdTT;
};

double visualMagnitude(Planet planet, const MagnitudeGeometry& g) {
    double magnitude = 5.0 * std::log10(g.sunDistanceAu * g.earthDistanceAu) + phaseLawMagnitude(planet, g.phaseDeg);
    if (planet == Planet::Saturn) {
        const double product = g.subEarthLatitudeRad * g.subSunLatitudeRad;
        const double tiltRad = product > 0.0 ? std::min(std::sqrt(product), kSaturnMaxTiltDeg * kRadPerDeg) : 0.0;
        const double alpha = std::min(g.phaseDeg, kSaturnMaxPhaseDeg);
        magnitude += std::sin(tiltRad) * (kSaturnRingSine + kSaturnRingSurge * std::exp(kSaturnRingSurgePerDeg * alpha));
    } else if (planet == Planet::Uranus) {
        const double latitudeDeg =
            0.5 * (std::fabs(g.subEarthLatitudeRad) + std::fabs(g.subSunLatitudeRad)) * kDegPerRad;
        magnitude += kUranusLatitudeMagPerDeg * latitudeDeg;
    } else if (planet == Planet::Neptune) {
        const double year = 2000.0 + (g.mjdTT - kMjdJ2000) / kDaysPerJulianYear;
        const double share = std::clamp((year - kNeptuneChangeFromYear) / (kNeptuneChangeToYear - kNeptuneChangeFromYear),
                                        0.0, 1.0);
        magnitude += kNeptuneBefore + share * (kNeptuneAfter - kNeptuneBefore);
    }
    return magnitude;
}

// Angle between two vectors, radians in [0, pi].
double angleBetween(const Vec3& a, const Vec3& b) { return std::atan2(norm(cross(a, b)), dot(a, b)); }

// Latitude of a direction above the plane whose pole is given (both need not be unit vectors).
double latitudeAbove(const Vec3& pole, const Vec3& direction) {
    return std::asin(std::clamp(dot(unitVector(pole), unitVector(direction)), -1.0, 1.0));
}

}  // namespace

const char* planetName(Planet planet) {
    static constexpr const char* kNames[kPlanets] = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
                                                     "Neptune"};
    const int index = static_cast<int>(planet);
    return index >= 0 && index < kPlanets ? kNames[index] : "";
}

Vec3 planetHeliocentric(Planet planet, double centuriesTT) {
    return vsop87Position(static_cast<int>(planet), centuriesTT);
}

Vec3 earthHeliocentric(double centuriesTT) { return vsop87Position(kEarthBody, centuriesTT); }

PlanetPlace planetPlace(Planet planet, const Instant& instant) {
    constexpr int kLightTimeSteps = 2;
    const double t = instant.centuriesTT();
    const Vec3 earth = earthHeliocentric(t);
    // The planet where the light left it: two steps bring the light time within a second.
    Vec3 heliocentric = planetHeliocentric(planet, t);
    Vec3 geocentric = heliocentric - earth;
    for (int step = 0; step < kLightTimeSteps; ++step) {
        const double lightDays = norm(geocentric) * kLightDaysPerAu;
        heliocentric = planetHeliocentric(planet, t - lightDays / kDaysPerJulianCentury);
        geocentric = heliocentric - earth;
    }

    const MeanObliquity obliquity = meanObliquityOfDate(t);
    double eqeqSeconds = 0.0;
    const Mat3 nutation = nutationMatrix(t, obliquity, eqeqSeconds);
    const auto apparent = [&](const Vec3& ecliptic) {
        return annualAberration(t, nutation * eclipticToEquatorial(obliquity, toFk5(t, ecliptic)));
    };
    const Mat3 toTrueEcliptic = rotationX(nutationAngles(t).trueObliquityRad);

    PlanetPlace place;
    place.instant = instant;
    place.equatorial = apparent(geocentric);
    const Vec3 ecliptic = toTrueEcliptic * place.equatorial;
    place.longitudeRad = longitudeOf(ecliptic);
    place.latitudeRad = latitudeOf(ecliptic);
    place.distanceAu = norm(geocentric);
    place.sunDistanceAu = norm(heliocentric);

    const Vec3 sun = apparent(-1.0 * earth);
    place.elongationRad = angleBetween(place.equatorial, sun);
    place.sunLongitudeRad = longitudeOf(toTrueEcliptic * sun);
    place.eastOfSun = std::remainder(place.longitudeRad - place.sunLongitudeRad, kTwoPi) > 0.0;
    // The Sun and the Earth seen from the planet lie along -heliocentric and -geocentric.
    place.phaseAngleRad = angleBetween(heliocentric, geocentric);
    place.illuminatedFraction = 0.5 * (1.0 + std::cos(place.phaseAngleRad));

    MagnitudeGeometry geometry{place.sunDistanceAu, place.distanceAu, place.phaseAngleRad * kDegPerRad, 0.0, 0.0,
                               instant.mjdTT()};
    const Vec3 pole = poleOfDate(planet, t);
    if (norm(pole) > 0.0) {
        geometry.subEarthLatitudeRad = latitudeAbove(pole, -1.0 * geocentric);
        geometry.subSunLatitudeRad = latitudeAbove(pole, -1.0 * heliocentric);
        place.subEarthLatitudeRad = geometry.subEarthLatitudeRad;
    }
    place.magnitude = visualMagnitude(planet, geometry);
    return place;
}

}  // namespace qv
