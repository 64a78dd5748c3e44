#include "astro/frames.h"

#include <cmath>

#include "base/constants.h"
#include "base/earth_figure.h"
#include "base/julian.h"

namespace qv {

namespace {

// Observer on the ellipsoid, in Earth equatorial radii.
Vec3 observerAt(const ObserverSite& site, const SiderealRotation& rotation) {
    return Vec3(site.axisDistance * rotation.cosAngle, site.axisDistance * rotation.sinAngle,
                site.equatorDistance);
}

// rotationY(pi/2 - latitude) rotationZ(sidereal angle), written out: the z rotation turns
// right ascension into minus the hour angle, the y rotation tilts the pole to the zenith.
Vec3 horizonAt(const ObserverSite& site, const SiderealRotation& rotation, const Vec3& v) {
    const double meridianX = rotation.cosAngle * v.x + rotation.sinAngle * v.y;
    const double eastY = -rotation.sinAngle * v.x + rotation.cosAngle * v.y;
    return Vec3(site.sinLat * meridianX - site.cosLat * v.z, eastY,
                site.cosLat * meridianX + site.sinLat * v.z);
}

// Nutation term: dPsi sin(argument) in longitude and dEps cos(argument) in obliquity, the
// argument being n N + a A + f (F + N) + l LS with A = F - D + N.
struct NutationTerm {
    int n;        // multiple of the longitude of the Moon's node N
    int a;        // multiple of A
    int f;        // multiple of F + N
    int l;        // multiple of the Sun's mean anomaly LS
    double dPsi;  // arcseconds
    double dEps;  // arcseconds
};
static constexpr NutationTerm kNutationTerms[] = {
    {1, 0, 0, 0, -17.200, 9.203},
    {0, 2, 0, 0, -1.319, 0.574},
    {0, 0, 2, 0, -0.227, 0.098},
    {2, 0, 0, 0, 0.206, -0.090},
    {0, 0, 0, 1, 0.143, 0.0},
};

}  // namespace

NutationAngles nutationAngles(double centuriesTT) {
    const double t = centuriesTT;
    const double sunAnomaly = kTwoPi * frac(0.993133 + 99.997306 * t);
    const double moonElongation = kTwoPi * frac(0.827362 + 1236.853087 * t);
    const double moonLatitudeArg = kTwoPi * frac(0.259089 + 1342.227826 * t);
    const double node = kTwoPi * frac(0.347346 - 5.372447 * t);
    const double a = moonLatitudeArg - moonElongation + node;

    double dPsiArcsec = 0.0;
    double dEpsArcsec = 0.0;
    for (const NutationTerm& term : kNutationTerms) {
        const double argument =
            term.n * node + term.a * a + term.f * (moonLatitudeArg + node) + term.l * sunAnomaly;
        dPsiArcsec += term.dPsi * std::sin(argument);
        dEpsArcsec += term.dEps * std::cos(argument);
    }
    NutationAngles angles;
    angles.longitudeRad = dPsiArcsec * kArcsecRad;
    angles.obliquityRad = dEpsArcsec * kArcsecRad;
    angles.meanObliquityRad = meanObliquity(t);
    angles.trueObliquityRad = angles.meanObliquityRad + angles.obliquityRad;
    angles.equationOfEquinoxesSeconds =
        std::cos(angles.trueObliquityRad) * angles.longitudeRad * kSecondsOfTimePerRad;
    return angles;
}

MeanObliquity meanObliquityOfDate(double centuriesTT) {
    const double rad = meanObliquity(centuriesTT);
    return MeanObliquity{rad, std::cos(rad), std::sin(rad)};
}

Vec3 eclipticToEquatorial(const MeanObliquity& obliquity, const Vec3& eclipticVector) {
    const double co = obliquity.cosine;
    const double si = obliquity.sine;
    return Vec3(eclipticVector.x, co * eclipticVector.y - si * eclipticVector.z,
                si * eclipticVector.y + co * eclipticVector.z);
}

Mat3 nutationMatrix(double centuriesTT, const MeanObliquity& obliquity, double& eqeqSeconds) {
    const NutationAngles angles = nutationAngles(centuriesTT);
    eqeqSeconds = angles.equationOfEquinoxesSeconds;
    // rotationX(obliquity.rad), from the cosine and sine at hand.
    const Mat3 fromMeanEquator(Vec3(1.0, 0.0, 0.0), Vec3(0.0, obliquity.cosine, obliquity.sine),
                               Vec3(0.0, -obliquity.sine, obliquity.cosine));
    return rotationX(-angles.trueObliquityRad) * rotationZ(-angles.longitudeRad) * fromMeanEquator;
}

Mat3 eclipticNutationMatrix(double centuriesTT, double& eqeqSeconds) {
    const NutationAngles angles = nutationAngles(centuriesTT);
    eqeqSeconds = angles.equationOfEquinoxesSeconds;
    return rotationX(-angles.obliquityRad) * rotationZ(-angles.longitudeRad);
}

Vec3 annualAberration(double centuriesTT, const Vec3& equatorialVector) {
    const double sunLongitude = kTwoPi * frac(0.27908 + 100.00214 * centuriesTT);
    const double cosL = std::cos(sunLongitude);
    // Earth's velocity in units of the speed of light, equatorial axes.
    const Vec3 velocity(-9.934e-5 * std::sin(sunLongitude), 9.125e-5 * cosL, 3.927e-5 * cosL);
    return equatorialVector + norm(equatorialVector) * velocity;
}

double localSiderealTime(double mjdUT, double longitudeDeg, double eqeqSeconds) {
    const double mjd0 = std::trunc(mjdUT);
    const double t0 = (mjd0 - kMjdJ2000) / kDaysPerJulianCentury;
    const double hours = 6.697374558 + 1.0027379093 * 24.0 * (mjdUT - mjd0) +
                         (8640184.812866 * t0 + 0.093104 * t0 * t0 - 6.2e-6 * t0 * t0 * t0) / 3600.0 +
                         longitudeDeg / 15.0;
    return 24.0 * frac(hours / 24.0) + eqeqSeconds / 3600.0;
}

ObserverSite observerSite(double latitudeRad, double longitudeRad, double heightM) {
    ObserverSite site;
    site.sinLat = std::sin(latitudeRad);
    site.cosLat = std::cos(latitudeRad);
    site.longitudeRad = longitudeRad;
    const double n = 1.0 / std::sqrt(1.0 - kEarthEccentricitySquared * site.sinLat * site.sinLat);
    const double u = heightM / kEarthEquatorialRadiusM;
    site.axisDistance = (n + u) * site.cosLat;
    site.equatorDistance = (kEarthOneMinusEccentricitySquared * n + u) * site.sinLat;
    return site;
}

SiderealRotation siderealRotation(double mjdUT, double eqeqSeconds, double longitudeRad) {
    const double theta = kPi * localSiderealTime(mjdUT, longitudeRad * kDegPerRad, eqeqSeconds) / 12.0;
    return SiderealRotation{std::sin(theta), std::cos(theta)};
}

Vec3 horizonVector(const ObserverSite& site, const SiderealRotation& rotation, bool topocentric,
                   const Vec3& equatorialVector) {
    Vec3 v = equatorialVector;
    if (topocentric) v -= observerAt(site, rotation);
    return horizonAt(site, rotation, v);
}

Vec3 observerPosition(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                      double heightM) {
    return observerAt(observerSite(latitudeRad, longitudeRad, heightM),
                      siderealRotation(mjdUT, eqeqSeconds, longitudeRad));
}

Vec3 equatorialToHorizon(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                         const Vec3& equatorialVector) {
    return horizonAt(observerSite(latitudeRad, longitudeRad, 0.0),
                     siderealRotation(mjdUT, eqeqSeconds, longitudeRad), equatorialVector);
}

void horizonCoordinates(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                        double heightM, bool topocentric, const Vec3& equatorialVector,
                        double& azimuthRad, double& altitudeRad, double& distance) {
    const PolarCoord horizon = toPolar(horizonVector(observerSite(latitudeRad, longitudeRad, heightM),
                                                     siderealRotation(mjdUT, eqeqSeconds, longitudeRad),
                                                     topocentric, equatorialVector));
    distance = horizon.radius();
    altitudeRad = horizon.latitude();
    azimuthRad = kPi - horizon.longitude();
}

}  // namespace qv
