#pragma once
// The constellation that holds a direction: the IAU boundaries of Delporte (1930), drawn along
// right ascension and declination of the equinox B1875.0, in the table of Roman (1987,
// "Identification of a constellation from a position", PASP 99, 695), compiled in as
// resources/constellations.inc (tools/make_constellations.py).
// A direction of date is carried to B1875.0 by the IAU 1976 precession (precession.h).
// Agrees with astropy's get_constellation (its IAU 2006 precession and the same table) at all
// 3,510 reference places of years -2000..4000 taken at astropy's B1875 place, and through this
// precession at the 3,146 of them farther from a boundary than 1" and than the two precessions
// differ (tools/constellation_reference.py, tests/astro/constellation_test.cpp). Far from
// J2000 the precession error (up to 2.4 degrees in -9999) decides places near a boundary.
#include <string_view>

#include "base/vector.h"

namespace qv {

// The equinox of the boundaries, B1875.0, in Julian centuries of TT since J2000.
constexpr double kCenturiesTTB1875 = -1.2499860766468;

// One of the 88 constellations: its IAU abbreviation ("UMi") and name ("Ursa Minor", UTF-8).
// index is its place in the alphabetical list of abbreviations, -1 when none was found.
struct Constellation {
    int index = -1;
    const char* abbreviation = "";
    const char* name = "";

    bool found() const { return index >= 0; }
};

// Constellation of a direction on the mean equator and equinox of date (any length; the
// Earth's centre as origin). centuriesTT: the epoch of that equator. A vector on the true
// equator may be given too: nutation moves it by at most about 20", so only places that close
// to a boundary can be answered differently. The zero vector or one that is not finite has no
// constellation (found() is false).
Constellation constellationOf(const Vec3& equatorialOfDate, double centuriesTT);

// Constellation at a right ascension (hours) and declination (degrees) of B1875.0. A place on
// a boundary belongs to the constellation east of it in right ascension and north of it in
// declination; right ascension is taken modulo 24 h, declination must lie in [-90, 90].
Constellation constellationAtB1875(double raHours, double decDeg);

// The constellation with an IAU abbreviation (exact letters: "UMi"); not found() for any
// other text.
Constellation constellationNamed(std::string_view abbreviation);

// The name of the constellation with an IAU abbreviation, or "" for any other text.
const char* constellationName(std::string_view abbreviation);

}  // namespace qv
