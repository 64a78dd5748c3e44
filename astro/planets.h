#pragma once
// Positions, apparent places and magnitudes of the planets Mercury ... Neptune.
// Heliocentric positions: VSOP87D (Bretagnon & Francou, 1988, "Planetary theories in rectangular
// and spherical variables: VSOP87 solutions", A&A 202, 309), the dynamical ecliptic and equinox
// of date, truncated by tools/make_vsop87.py (resources/vsop87d.inc) to within 0.41" in
// heliocentric longitude and latitude of the full series over 1800-2200 (Uranus, Neptune 0.66"),
// and within 0.40" in geocentric direction (Uranus, Neptune 0.69"); radius vectors within 1.2e-5
// AU (Saturn; Uranus, Neptune 5.3e-5 AU). The apparent place turns the
// dynamical ecliptic to FK5 (the correction of Meeus, Astronomical Algorithms, 1998, eq. 32.3)
// and takes light time, annual aberration and nutation as the Sun's place does (astro/sun.h).
// Apparent right ascension and declination within 1.42" of PyEphem for Mercury ... Saturn (Mars;
// the others within 1.0") and 0.93" for Uranus and Neptune at 400 instants over 1800-2200, Venus
// within 0.2" of Meeus's worked example from the full theory (tools/ephem_planets.py,
// tests/astro/planets_test.cpp).
// Magnitudes: Mallama & Hilton (2018, "Computing apparent planetary magnitudes for The
// Astronomical Almanac", Astronomy and Computing 25, 10), see planetPlace.
#include "base/instant.h"
#include "base/vector.h"

namespace qv {

enum class Planet : int { Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune };
constexpr int kPlanets = 7;

// English name, "Mercury" ... "Neptune"; "" for a value outside the enumeration.
const char* planetName(Planet planet);

// Heliocentric position in AU of a planet, or (earthHeliocentric) of the Earth, on the
// dynamical ecliptic and equinox of date of VSOP87D, for Julian centuries of TT since J2000.
// The truncated series are measured over 1800-2200; they degrade slowly outside it.
Vec3 planetHeliocentric(Planet planet, double centuriesTT);
Vec3 earthHeliocentric(double centuriesTT);

// Where a planet is seen from the Earth's centre at one instant.
struct PlanetPlace {
    Instant instant;
    Vec3 equatorial;              // apparent geocentric, true equator and equinox of date, AU
    double longitudeRad = 0.0;    // apparent geocentric ecliptic longitude of date, [0, 2 pi)
    double latitudeRad = 0.0;     // apparent geocentric ecliptic latitude of date
    double distanceAu = 0.0;      // from the Earth, at the light-time-corrected position
    double sunDistanceAu = 0.0;   // from the Sun
    double elongationRad = 0.0;   // angle from the Sun seen from the Earth, [0, pi]
    bool eastOfSun = false;       // evening sky: ecliptic longitude east of the Sun's
    double sunLongitudeRad = 0.0; // the apparent Sun's ecliptic longitude of date, same series
    double phaseAngleRad = 0.0;   // Sun-planet-Earth angle
    double illuminatedFraction = 0.0;
    double magnitude = 0.0;       // visual
    // Saturn and Uranus, whose magnitudes depend on it: the planetocentric latitude of the
    // Earth above the planet's equator (for Saturn the tilt of the rings toward the Earth,
    // positive when their north face is seen); 0 for the other planets.
    double subEarthLatitudeRad = 0.0;
};

// The apparent place of a planet at an instant: the planet at the time its light left it,
// seen from the Earth at the instant, with annual aberration and nutation. Elongation and
// east of the Sun are taken against the apparent Sun of the same series (the Earth's VSOP87D
// position, reversed, with the same corrections); it lies within 4.4" of astro/sun.h's apparent
// Sun over 1800-2200, most of which is the shorter solar series' own error.
// Magnitude: Mallama & Hilton's laws in the phase angle, measured over the phase angles seen
// from the Earth. Beyond their ranges the phase angle is held at the range's end: Mercury
// above 169.5 deg (inferior conjunction; below 2.1 deg its law is used as it stands), Venus
// above 179 deg; Mars 50, Jupiter 12, Saturn 6.5, Uranus 3.1, Neptune 1.9 deg are never passed
// from the Earth. Saturn includes its rings, their tilt the geometric mean of the Earth's and
// the Sun's latitudes above the ring plane, and 0 (the globe's light alone) when the two are on
// opposite sides; Mars without its rotation and season terms; Neptune brightening by 0.11
// from 1980 to 2000 and constant outside.
PlanetPlace planetPlace(Planet planet, const Instant& instant);

}  // namespace qv
