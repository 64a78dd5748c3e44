#pragma once
// Frames of date: the mean ecliptic, the mean and true equator, and the local horizon of an
// observer on the Earth ellipsoid, plus nutation, annual aberration and sidereal time.
// centuriesTT: Julian centuries of TT since J2000. mjdUT: Modified Julian Date of UT.
// Distances keep the unit of the vector given; angles are radians unless named otherwise.
// Nutation: the five largest terms of the IAU 1980 series (Wahr, 1981); mean obliquity: IAU 1976
// (Lieske et al., 1977, A&A 58, 1); sidereal time: Aoki et al. (1982, A&A 105, 359); annual
// aberration to first order in the Earth's velocity; the observer on the WGS 84 ellipsoid.
// Nutation and sidereal time enter the Sun and Moon cross-checks (sun.h, moon.h:
// tools/ephem_reference.py); observer positions and horizon coordinates enter the rise/set and
// eclipse cross-checks (rise_set.h: tools/ephem_rise_set.py; circumstances.h).
#include "base/vector.h"

namespace qv {

// Nutation in longitude and obliquity and the obliquities of date, in radians.
struct NutationAngles {
    double longitudeRad = 0.0;     // dPsi
    double obliquityRad = 0.0;     // dEps
    double meanObliquityRad = 0.0; // eps0
    double trueObliquityRad = 0.0; // eps0 + dEps
    double equationOfEquinoxesSeconds = 0.0;
};

// Short nutation series (five terms in longitude, four in obliquity).
NutationAngles nutationAngles(double centuriesTT);

// The mean obliquity of date with its cosine and sine: worked out once, it turns every vector
// of one instant between the mean ecliptic and the mean equator.
struct MeanObliquity {
    double rad = 0.0;
    double cosine = 1.0;
    double sine = 0.0;
};
MeanObliquity meanObliquityOfDate(double centuriesTT);

// Ecliptic vector of date to the mean equator and equinox of date.
Vec3 eclipticToEquatorial(const MeanObliquity& obliquity, const Vec3& eclipticVector);

// Rotation from the mean to the true equator of date; stores the equation of the equinoxes
// in seconds of time.
Mat3 nutationMatrix(double centuriesTT, const MeanObliquity& obliquity, double& eqeqSeconds);

// Rotation applied to ecliptic vectors of date: adds dPsi to the longitude and dEps to the
// obliquity; stores the equation of the equinoxes in seconds of time.
Mat3 eclipticNutationMatrix(double centuriesTT, double& eqeqSeconds);

// Equatorial vector displaced by the annual aberration (first order, Earth's mean orbit).
Vec3 annualAberration(double centuriesTT, const Vec3& equatorialVector);

// Local sidereal time in hours for an east longitude in degrees: mean when eqeqSeconds is 0,
// apparent otherwise. Lies in (-24, 24) plus eqeq: callers that print it add 24 when negative.
double localSiderealTime(double mjdUT, double longitudeDeg, double eqeqSeconds);

// An observer on the ellipsoid, prepared once for many horizon transforms at one place:
// the latitude's sine and cosine and the observer's distances from the Earth's axis and from
// the equator plane (Earth equatorial radii).
struct ObserverSite {
    double sinLat = 0.0;
    double cosLat = 1.0;
    double longitudeRad = 0.0;
    double axisDistance = 1.0;
    double equatorDistance = 0.0;
};
ObserverSite observerSite(double latitudeRad, double longitudeRad, double heightM);

// The Earth's rotation at an instant: sine and cosine of the local sidereal angle.
struct SiderealRotation {
    double sinAngle = 0.0;
    double cosAngle = 1.0;
};
SiderealRotation siderealRotation(double mjdUT, double eqeqSeconds, double longitudeRad);

// Horizon vector (x to the south point, y to the east, z to the zenith) of a geocentric
// true-equatorial vector in Earth radii, seen from the site when topocentric is set, else from
// the Earth's centre. horizonCoordinates is toPolar of it.
Vec3 horizonVector(const ObserverSite& site, const SiderealRotation& rotation, bool topocentric,
                   const Vec3& equatorialVector);

// Geocentric true-equatorial position of an observer at geodetic latitude and east longitude
// (radians) and height in metres, in Earth equatorial radii.
Vec3 observerPosition(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                      double heightM);

// True-equatorial vector to the horizon frame: x to the south point, y to the east, z to the zenith.
Vec3 equatorialToHorizon(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                         const Vec3& equatorialVector);

// Azimuth (from north through east, in (-pi, pi]), altitude without refraction (radians) and
// distance (unit of the vector) of a geocentric true-equatorial vector in Earth radii; seen from
// the observer when topocentric is set, else from the Earth's centre.
void horizonCoordinates(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                        double heightM, bool topocentric, const Vec3& equatorialVector,
                        double& azimuthRad, double& altitudeRad, double& distance);

}  // namespace qv
