#pragma once
// The ephemeris listing of the batch companion: apparent geocentric places of the Sun and the
// Moon at a series of instants, one space-separated line per body, for users and scripts.
#include <string>

#include "base/instant.h"

namespace qv {

// Most instants one listing may hold.
constexpr int kEphemerisMaxInstants = 100000;

// Header "body mjd_ut ra_hours dec_deg distance ecl_lon_deg ecl_lat_deg", then for each of
// count instants of UT starting at firstMjdUT and everyDays apart a "sun" and a "moon" line: right ascension and declination on the true equator and
// equinox of date (the Sun with aberration), distance (AU for the Sun, Earth radii for the
// Moon) and the mean ecliptic longitude and latitude of date; each instant takes the TT - UT
// of its own year by the rule.
// Returns false and leaves text empty when count is outside 1..kEphemerisMaxInstants or an
// argument is not finite.
bool ephemerisReport(double firstMjdUT, const DeltaTRule& rule, int count, double everyDays, std::string& text);

}  // namespace qv
