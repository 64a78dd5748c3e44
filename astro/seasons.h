#pragma once
// Equinoxes and solstices: the instants at which the apparent solar longitude (light time and
// nutation included) reaches a multiple of 90 degrees, found by Newton steps on the solar series
// (sun.h) from a cubic first estimate in the year.
// Within 1.4 min of PyEphem for every equinox and solstice of 1900-2100
// (tools/make_phase_reference.py, tests/reports/year_phases_crosscheck_test.cpp).

#include "base/instant.h"

namespace qv {

// Seasons in the order of their solar longitude from the March equinox.
enum Season : int { kMarchEquinox = 0, kJuneSolstice = 1, kSeptemberEquinox = 2, kDecemberSolstice = 3 };
constexpr int kSeasons = 4;

// Instant of an equinox or solstice of a year, MJD in Terrestrial Time.
double seasonInstantTT(int year, Season season);

// The same instant, with TT - UT of its own year.
Instant seasonInstant(int year, Season season, const DeltaTRule& rule);

}  // namespace qv
