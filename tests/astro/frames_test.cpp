#include "astro/frames.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/constants.h"
#include "base/julian.h"

namespace {

using qv::Mat3;
using qv::Vec3;

constexpr double kArcsecDeg = 1.0 / 3600.0;
constexpr double kArcsecTol = 0.01 * qv::kArcsecRad;  // a hundredth of an arcsecond, radians

Vec3 unitAt(double longitudeDeg, double latitudeDeg) {
    return qv::fromPolar(qv::PolarCoord(1.0, longitudeDeg * qv::kRadPerDeg, latitudeDeg * qv::kRadPerDeg));
}

TEST(Nutation, ValuesAtJ2000) {
    const qv::NutationAngles n = qv::nutationAngles(0.0);
    EXPECT_NEAR(n.longitudeRad, -14.03 * qv::kArcsecRad, kArcsecTol);
    EXPECT_NEAR(n.obliquityRad, -5.77 * qv::kArcsecRad, kArcsecTol);
    EXPECT_NEAR(n.trueObliquityRad, (23.43929111 - 5.77 * kArcsecDeg) * qv::kRadPerDeg, kArcsecTol);
    // Equation of the equinoxes: dPsi cos(eps) in seconds of time, about -0.858 s.
    EXPECT_NEAR(n.equationOfEquinoxesSeconds, -0.858, 0.001);
}

TEST(Nutation, MatrixIsOrthonormalAndCloseToIdentity) {
    double eqeq = 0.0;
    const Mat3 m = qv::nutationMatrix(0.0, qv::meanObliquityOfDate(0.0), eqeq);
    EXPECT_NEAR(eqeq, -0.858, 0.001);
    const Mat3 product = qv::transpose(m) * m;
    double largestOffIdentity = 0.0;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_NEAR(product[i][j], i == j ? 1.0 : 0.0, 1e-15);
            largestOffIdentity = std::fmax(largestOffIdentity, std::fabs(m[i][j] - (i == j ? 1.0 : 0.0)));
        }
    }
    EXPECT_GT(largestOffIdentity, 1e-5);
    EXPECT_LT(largestOffIdentity, 1e-4);
}

TEST(Nutation, EquatorialAndEclipticFormsAgree) {
    // Nutating on the equator equals nutating on the ecliptic and then turning by the mean obliquity.
    for (double t : {-2.0, 0.0, 0.37, 1.9}) {
        double eqeqEquator = 0.0;
        double eqeqEcliptic = 0.0;
        const Vec3 v = unitAt(123.0, -4.0);
        const Vec3 viaEquator = qv::nutationMatrix(t, qv::meanObliquityOfDate(t), eqeqEquator) * qv::eclipticToEquatorial(qv::meanObliquityOfDate(t), v);
        const Vec3 viaEcliptic = qv::eclipticToEquatorial(qv::meanObliquityOfDate(t), qv::eclipticNutationMatrix(t, eqeqEcliptic) * v);
        EXPECT_NEAR(qv::norm(viaEquator - viaEcliptic), 0.0, 1e-15);
        EXPECT_EQ(eqeqEquator, eqeqEcliptic);
    }
    // On the ecliptic the nutation adds dPsi to the longitude of the equinox direction.
    double eqeq = 0.0;
    const Vec3 equinox = qv::eclipticNutationMatrix(0.0, eqeq) * Vec3(1.0, 0.0, 0.0);
    EXPECT_NEAR(std::atan2(equinox.y, equinox.x), -14.03 * qv::kArcsecRad, kArcsecTol);
}

TEST(Frames, EclipticToEquatorialTiltsByMeanObliquity) {
    const double t = 0.5;
    const double eps0Deg = qv::meanObliquity(t) * qv::kDegPerRad;
    const qv::PolarCoord solstice = qv::toPolar(qv::eclipticToEquatorial(qv::meanObliquityOfDate(t), unitAt(90.0, 0.0)));
    EXPECT_NEAR(solstice.longitude() * qv::kDegPerRad, 90.0, 1e-12);
    EXPECT_NEAR(solstice.latitude() * qv::kDegPerRad, eps0Deg, 1e-12);
    const qv::PolarCoord eclipticPole = qv::toPolar(qv::eclipticToEquatorial(qv::meanObliquityOfDate(t), Vec3(0.0, 0.0, 1.0)));
    EXPECT_NEAR(eclipticPole.longitude() * qv::kDegPerRad, 270.0, 1e-12);
    EXPECT_NEAR(eclipticPole.latitude() * qv::kDegPerRad, 90.0 - eps0Deg, 1e-12);
}

TEST(Frames, AnnualAberrationDisplacesSunwardVectorByAboutTwentyArcseconds) {
    // The Sun lies opposite the Earth's heliocentric mean longitude (0.27908 rev at J2000), at
    // right angles to the Earth's motion: the displacement is the full constant of aberration.
    const double sunLongitude = qv::kTwoPi * qv::frac(0.27908) + qv::kPi;
    const Vec3 towardSun = qv::eclipticToEquatorial(qv::meanObliquityOfDate(0.0), qv::fromPolar(qv::PolarCoord(0.98, sunLongitude, 0.0)));
    const Vec3 displaced = qv::annualAberration(0.0, towardSun);
    const double shiftArcsec =
        std::acos(qv::dot(qv::unitVector(displaced), qv::unitVector(towardSun))) * qv::kDegPerRad / kArcsecDeg;
    EXPECT_NEAR(shiftArcsec, 20.5, 0.3);
    // The displacement is toward the direction of motion, 90 degrees behind the Sun: the
    // Sun's apparent longitude is smaller.
    const double eclipticShift =
        qv::toPolar(qv::transpose(qv::rotationX(-qv::meanObliquity(0.0))) * displaced).longitude() - sunLongitude;
    EXPECT_LT(eclipticShift, -19.0 * qv::kArcsecRad);
}

TEST(SiderealTime, KnownValues) {
    EXPECT_NEAR(qv::localSiderealTime(51544.5, 0.0, 0.0), 18.697374557, 1e-9);
    // Before 2000 at a western longitude the value is negative; printing adds 24.
    EXPECT_NEAR(qv::localSiderealTime(40000.0, -120.0, 0.0), -15.8897, 1e-4);
    // East longitude adds longitude/15 hours; the equation of the equinoxes adds seconds.
    const double greenwich = qv::localSiderealTime(51544.75, 0.0, 0.0);
    EXPECT_NEAR(qv::localSiderealTime(51544.75, 30.0, 0.0), std::fmod(greenwich + 2.0, 24.0), 1e-9);
    EXPECT_NEAR(qv::localSiderealTime(51544.75, 0.0, 36.0), greenwich + 0.01, 1e-12);
    // One solar day advances the sidereal time by about 3 min 56.56 s.
    const double nextDay = qv::localSiderealTime(51545.75, 0.0, 0.0);
    EXPECT_NEAR((nextDay - greenwich) * 3600.0, 236.555, 0.01);
}

TEST(Observer, EquatorPoleAndHeight) {
    const double mjd = 51544.3;
    EXPECT_NEAR(qv::norm(qv::observerPosition(mjd, 0.0, 0.0, 0.4, 0.0)), 1.0, 1e-15);
    const Vec3 pole = qv::observerPosition(mjd, 0.0, qv::kPi / 2.0, 0.0, 0.0);
    EXPECT_NEAR(pole.z, 0.99330561500041 / std::sqrt(0.99330561500041), 1e-14);
    EXPECT_NEAR(pole.z, 0.996647, 1e-6);
    EXPECT_NEAR(std::hypot(pole.x, pole.y), 0.0, 1e-15);
    // One equatorial radius up doubles the distance on the equator.
    EXPECT_NEAR(qv::norm(qv::observerPosition(mjd, 0.0, 0.0, 0.0, 6378137.0)), 2.0, 1e-15);
    // The observer's right ascension is the local apparent sidereal time.
    const double lonRad = -1.2;
    const double lst = qv::localSiderealTime(mjd, lonRad * qv::kDegPerRad, 0.7);
    const double raHours = qv::toPolar(qv::observerPosition(mjd, 0.7, 0.6, lonRad, 1500.0)).longitude() * 12.0 / qv::kPi;
    EXPECT_NEAR(raHours, lst < 0.0 ? lst + 24.0 : lst, 1e-12);
}

TEST(Horizon, ZenithSouthAndEastPoints) {
    const double mjd = 48000.6;
    const double latDeg = 47.5;
    const double lonDeg = -70.25;
    const double lat = latDeg * qv::kRadPerDeg;
    const double lon = lonDeg * qv::kRadPerDeg;
    const double eqeq = -0.4;
    const double lstDeg = qv::localSiderealTime(mjd, lonDeg, eqeq) * 15.0;

    const Vec3 zenith = qv::equatorialToHorizon(mjd, eqeq, lat, lon, unitAt(lstDeg, latDeg));
    EXPECT_NEAR(zenith.x, 0.0, 1e-14);
    EXPECT_NEAR(zenith.y, 0.0, 1e-14);
    EXPECT_NEAR(zenith.z, 1.0, 1e-14);

    double azimuth = 0.0;
    double altitude = 0.0;
    double distance = 0.0;
    // The equator on the meridian stands due south at 90 degrees minus the latitude.
    qv::horizonCoordinates(mjd, eqeq, lat, lon, 0.0, false, 3.0 * unitAt(lstDeg, 0.0), azimuth, altitude, distance);
    EXPECT_NEAR(azimuth * qv::kDegPerRad, 180.0, 1e-10);
    EXPECT_NEAR(altitude * qv::kDegPerRad, 90.0 - latDeg, 1e-10);
    EXPECT_NEAR(distance, 3.0, 1e-14);
    // Six hours east of the meridian on the equator: rising due east.
    qv::horizonCoordinates(mjd, eqeq, lat, lon, 0.0, false, unitAt(lstDeg + 90.0, 0.0), azimuth, altitude, distance);
    EXPECT_NEAR(azimuth * qv::kDegPerRad, 90.0, 1e-10);
    EXPECT_NEAR(altitude, 0.0, 1e-14);
    // Six hours west: setting due west, reported as -90 degrees.
    qv::horizonCoordinates(mjd, eqeq, lat, lon, 0.0, false, unitAt(lstDeg - 90.0, 0.0), azimuth, altitude, distance);
    EXPECT_NEAR(azimuth * qv::kDegPerRad, -90.0, 1e-10);
}

TEST(Horizon, TopocentricParallaxOnTheHorizon) {
    // A body 60 Earth radii away on the geocentric horizon of an equatorial observer sinks by
    // atan(1/60) when seen from the surface.
    const double mjd = 52000.25;
    const double lstDeg = qv::localSiderealTime(mjd, 0.0, 0.0) * 15.0;
    const Vec3 body = 60.0 * unitAt(lstDeg + 90.0, 0.0);
    double azimuth = 0.0;
    double altitude = 0.0;
    double distance = 0.0;
    qv::horizonCoordinates(mjd, 0.0, 0.0, 0.0, 0.0, true, body, azimuth, altitude, distance);
    EXPECT_NEAR(altitude, -std::atan(1.0 / 60.0), 1e-12);
    EXPECT_NEAR(distance, std::sqrt(3601.0), 1e-12);
    EXPECT_NEAR(azimuth * qv::kDegPerRad, 90.0, 1e-10);
    // At the zenith the distance shrinks by the observer's distance from the centre.
    qv::horizonCoordinates(mjd, 0.0, 0.0, 0.0, 0.0, true, 60.0 * unitAt(lstDeg, 0.0), azimuth, altitude, distance);
    EXPECT_NEAR(distance, 59.0, 1e-12);
    EXPECT_NEAR(altitude * qv::kDegPerRad, 90.0, 1e-6);
}

}  // namespace
