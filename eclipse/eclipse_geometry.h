#pragma once
// The shadow geometry engine: for one instant, the geocentric Sun and Moon on the true equator
// and equinox of date, and what the Moon's shadow (solar eclipses) or the Earth's shadow (lunar
// eclipses) does at that instant. Lengths are in Earth equatorial radii, angles in radians.
// The geometry is that of Bessel's fundamental plane (Explanatory Supplement to the Astronomical
// Almanac, 1992, ch. 8), taken at each instant from the series positions (astro/sun.h,
// astro/moon.h) instead of from Besselian elements; Moon radius 1738 km, Earth radius 6378.14 km,
// the Earth's shadow enlarged by 1/50 (Chauvenet, A Manual of Spherical and Practical
// Astronomy, 1863).
// 2024-04-08 greatest eclipse at 25.20 N 104.22 W, 272 s, 200 km wide (published 25.3 N
// 104.1 W, 268 s, 198 km); 2017-08-21 lasts 164 s (published 160 s). Its central line, limits
// and map curves against PyEphem: central_line.h, umbral_limits.h, map_curves.h.
#include "base/earth_figure.h"
#include "base/instant.h"
#include "base/vector.h"

namespace qv {

// Radius k of the Moon, and the Moon's diameter 2k.
constexpr double kMoonRadius = 0.272493;
constexpr double kMoonDiameter = 2.0 * kMoonRadius;  // 0.544986
// Radius of the Sun.
constexpr double kSunRadius = 109.1227225;
// Cone slopes of the Earth's shadow: twice the Sun's radius minus / plus the Earth's.
constexpr double kEarthUmbraCone = 2.0 * (kSunRadius - 1.0);     // 216.245445
constexpr double kEarthPenumbraCone = 2.0 * (kSunRadius + 1.0);  // 220.245445
// Cone slopes of the Moon's shadow: twice the Sun's radius plus / minus the Moon's.
constexpr double kMoonPenumbraCone = 2.0 * (kSunRadius + kMoonRadius);  // 218.790431
constexpr double kMoonUmbraCone = 2.0 * (kSunRadius - kMoonRadius);     // 217.700459
// The atmosphere enlarges the Earth's shadow on the Moon by this factor.
constexpr double kEarthShadowEnlargement = 1.02;
// Time step for the duration of totality (6 s, in days) and the Earth's rotation in that step.
constexpr double kDurationStepSeconds = 6.0;
constexpr double kDurationStepDays = kDurationStepSeconds * kSecondDays;
constexpr double kEarthRotationPerStepRad = 0.00043754978845906813;
// How fast, at most, the distance of the shadow axis from the Earth's centre changes, in Earth
// radii per day: the Moon moves at most about 1.1 km/s against the Earth and the axis turns
// with the Earth's orbit, about 15.6 radii a day together (the fastest seen from -9999 to 9999
// is 14.0). Scans use it to pass over instants at which the axis cannot reach a threshold.
constexpr double kMaxAxisDriftPerDay = 20.0;
// Smallest sine of the angle between the shadow axis and the cross-track direction.
constexpr double kSmallestWidthSine = 1e-05;
// Small fixed rotations of the lunar series' frame onto the solar series' frame.
constexpr double kMoonFrameTurnZRad = -2.4240684e-06;
constexpr double kMoonFrameTurnYRad = -1.2120342e-06;

// Solar eclipse at one instant.
enum SolarEclipseClass : int {
    kSolarNone = 0,
    kSolarPartial = 1,
    kSolarNonCentralAnnular = 2,
    kSolarNonCentralTotal = 3,
    kSolarCentralAnnular = 4,
    kSolarCentralTotal = 5,
};

// Lunar eclipse at one instant.
enum LunarEclipseClass : int {
    kLunarNone = 0,
    kLunarPenumbral = 1,
    kLunarTotalPenumbral = 2,  // Moon wholly inside the penumbra
    kLunarPartialUmbral = 3,
    kLunarTotalUmbral = 4,
};

// The Moon's shadow for a Sun and Moon given in the squashed frame (z divided by kPolarAxisRatio).
struct SolarShadow {
    SolarEclipseClass eclipseClass = kSolarNone;
    Vec3 axis;                     // unit vector from the Sun through the Moon, squashed frame
    Vec3 surfacePoint;             // where the axis meets the Earth, geocentric, unsquashed; zero if it misses
    double umbraDiameter = 0.0;    // signed umbral diameter: at surfacePoint if central, else on the plane through the centre
    double centralPlaneUmbraDiameter = 0.0;  // signed umbral diameter on the plane through the centre
    double penumbraDiameter = 0.0; // on the plane through the Earth's centre perpendicular to the axis
    double axisDistance = 0.0;     // of the axis from the Earth's centre, 0 when it passes through the centre
};
SolarShadow solarShadow(const Vec3& sunSquashed, const Vec3& moonSquashed);

// Class of an eclipse whose axis passes axisDistance (>= 1) from the centre of the squashed Earth.
// The shadow's radii reach stretch times as far in the squashed frame as they do on the Earth
// (squashedStretch of the direction from the centre towards the axis).
SolarEclipseClass nonCentralClass(double axisDistance, double umbraDiameter, double penumbraDiameter,
                                  double stretch = 1.0);

// How much longer a length along a direction of the squashed frame is there than on the Earth:
// 1 in the equator's plane, 1 / kPolarAxisRatio along the axis, so that a shadow reaching
// towards a pole is measured against the polar radius.
double squashedStretch(const Vec3& squashedDirection);

// Class of a central eclipse from the signed umbral diameter where the axis meets the Earth:
// annular when positive, total otherwise (zero included).
SolarEclipseClass centralClass(double umbraDiameterAtSurface);

// Class of a lunar eclipse for geocentric Sun and Moon vectors of the same frame and unit.
LunarEclipseClass lunarShadowClass(const Vec3& sun, const Vec3& moon);

// The Earth's shadow at the Moon's distance: the Moon's distance from the anti-solar axis and
// the radii of the umbra and the penumbra there, enlarged by the atmosphere; Earth radii, for
// geocentric Sun and Moon vectors in Earth radii.
struct LunarShadow {
    bool sunSide = false;  // the Moon on the Sun's side of the Earth
    double axisDistance = 0.0;
    double umbraRadius = 0.0;
    double penumbraRadius = 0.0;
};
LunarShadow lunarShadow(const Vec3& sun, const Vec3& moon);

// Penumbral and umbral magnitude of a lunar eclipse for geocentric Sun and Moon vectors in Earth
// radii: how far the Moon reaches into each shadow, in Moon diameters, with the Earth's radius
// enlarged by kCanonEarthEnlargement for its atmosphere, as eclipse canons count and measure
// lunar eclipses (the classes above enlarge the whole shadow by kEarthShadowEnlargement, a
// little more: every Moon these magnitudes put in a shadow is in it there too). Negative
// outside; both -1 for a Moon on the Sun's side.
constexpr double kCanonEarthEnlargement = 1.01;
struct LunarMagnitudes {
    double penumbral = 0.0;
    double umbral = 0.0;
};
LunarMagnitudes lunarMagnitudes(const Vec3& sun, const Vec3& moon);

// For the same vectors in Earth radii: how far the Moon's centre lies outside the reach of a
// lunar eclipse, its distance from the anti-solar axis minus the radii of the (enlarged)
// penumbra and of the Moon, in Earth radii measured across that axis at the Moon's distance;
// 0 when the Moon stands more than 20 degrees from opposition, where that distance grows
// faster than the Moon moves. Within kLunarMarginSpanDays the margin shrinks by at most
// kMaxLunarMarginDriftPerDay a day (the Moon stays within 22 degrees of opposition, where the
// distance changes at most 1.2 times as fast as the Moon moves).
double lunarShadowMargin(const Vec3& sun, const Vec3& moon);
constexpr double kLunarMarginSpanDays = 0.1;
constexpr double kMaxLunarMarginDriftPerDay = 1.2 * kMaxAxisDriftPerDay;

// Longitude brought into (-pi, pi]: just above pi becomes just above -pi, just below -pi just below pi.
double wrapLongitude(double longitudeRad);

// Geodetic latitude and east longitude in (-pi, pi] of the ground point of a geocentric
// true-equatorial point at mjdUT (Greenwich sidereal time with the given equation of the
// equinoxes, 0 for the mean time); the latitude uses the Earth's flattening.
void groundCoordinates(double mjdUT, double eqeqSeconds, const Vec3& point, double& latitudeRad,
                       double& longitudeRad);

// Width in km of the central path at surfacePoint, from the signed umbral diameter there, the
// shadow axis and the shadow's ground displacement in one step: the diameter divided by the sine
// of the angle between the axis and the cross-track direction, that sine at least
// kSmallestWidthSine. A zero displacement gives |umbraDiameter| Earth radii in km.
double pathWidthKm(const Vec3& surfacePoint, const Vec3& displacement, const Vec3& axis,
                   double umbraDiameter);

// True-equatorial vector from a horizon-frame vector (x south point, y east point, z zenith) at
// geodetic latitude and east longitude; the inverse of equatorialToHorizon.
Vec3 horizonToEquatorial(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                         const Vec3& horizonVector);

// Into the frame where the Earth ellipsoid is the unit sphere (z divided by kPolarAxisRatio),
// and back.
inline Vec3 squashed(const Vec3& v) { return Vec3(v.x, v.y, v.z / kPolarAxisRatio); }
inline Vec3 unsquashed(const Vec3& v) { return Vec3(v.x, v.y, v.z * kPolarAxisRatio); }

// The Sun (with annual aberration) and the Moon at one instant, geocentric on the true equator
// and equinox of date, in Earth radii, with the equation of the equinoxes (seconds of time).
struct SunMoon {
    Instant instant;
    Vec3 sun{1.0, 0.0, 0.0};
    Vec3 moon{1.0, 0.0, 0.0};
    double eqeqSeconds = 0.0;
};
SunMoon sunMoonAt(const Instant& instant);

// The Moon's shadow on the Earth at one instant: the bodies, the shadow (class, axis, where the
// axis meets the Earth, umbral and penumbral diameters, axis distance) and, for a central
// eclipse, the geodetic latitude and east longitude where the axis meets the Earth (0, 0
// otherwise).
struct MoonShadow {
    SunMoon bodies;
    SolarShadow shadow;
    double latitudeRad = 0.0;
    double longitudeRad = 0.0;

    bool central() const { return shadow.eclipseClass >= kSolarCentralAnnular; }
};
MoonShadow moonShadowAt(const Instant& instant);

// The magnitude of a solar eclipse at one instant, at the place nearest the shadow axis: for a
// central eclipse the ratio of the Moon's apparent diameter to the Sun's where the axis meets
// the Earth; otherwise the fraction of the Sun's diameter the Moon covers at the Earth's limb
// nearest the axis (the penumbral radius less the gap between the limb and the axis, over the
// sum of the penumbral and umbral radii). Above 1 only for a total eclipse, central or not; 0 or
// less when the penumbra misses the Earth.
double solarMagnitude(const MoonShadow& moonShadow);

// On the central line of a central eclipse: how long the central phase lasts there (seconds;
// 0 when the shadow does not move across the ground) and the width of the path (km), from the
// shadow kDurationStepSeconds later, or kDurationStepSeconds earlier when the eclipse is no
// longer central then (the last seconds of the central phase); -1, with the umbra's own width,
// when it is central at neither.
struct CentralMotion {
    double durationSeconds = -1.0;
    double widthKm = 0.0;
};
CentralMotion centralMotion(const MoonShadow& central);

// Class of a lunar eclipse at an instant.
LunarEclipseClass lunarEclipseClassAt(const Instant& instant);

// The Moon's penumbral cone at an instant: the Moon and the unit axis in the squashed frame,
// the penumbral diameter on the plane through the Earth's centre and the cone's half-angle.
struct PenumbraCone {
    Vec3 moonSquashed;
    Vec3 axis;
    double diameter = 0.0;
    double halfAngleRad = 0.0;
};
PenumbraCone penumbraConeAt(const Instant& instant);

// Geodetic latitude and east longitude (radians) below the point of the shadow axis nearest the
// Earth's centre at an instant (the point of greatest eclipse when the axis misses the Earth).
struct GroundAngles {
    double latitudeRad = 0.0;
    double longitudeRad = 0.0;
};
GroundAngles subShadowPointAt(const Instant& instant);

}  // namespace qv
