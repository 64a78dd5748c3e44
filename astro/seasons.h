#pragma once
// Equinoxes and solstices: the instants at which the apparent solar longitude (light time and
// nutation included) reaches a multiple of 90 degrees, found by Newton steps on the solar series
// (sun.h) from a cubic first estimate in the year.
// Within 1.4 min of PyEphem for every equinox and solstice of 1900-2100
// (tools/make_phase_reference.py, tests/reports/year_phases_crosscheck_test.cpp).

#include "base/time_zone.h"

namespace qv {

// Seasons in the order of their solar longitude from the March equinox.
enum Season : int { kMarchEquinox = 0, kJuneSolstice = 1, kSeptemberEquinox = 2, kDecemberSolstice = 3 };
constexpr int kSeasons = 4;

// Instant of an equinox or solstice of a year, MJD in Terrestrial Time.
double seasonInstantTT(int year, Season season);

// The same instant as an MJD of UT, formed so that it prints in the zone exactly as the
// tables have always printed it (utFromTTZoneFirstForPages).
double seasonInstantUT(int year, Season season, double deltaTSeconds, const TimeZone& zone);

}  // namespace qv
