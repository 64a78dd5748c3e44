#pragma once
// The Indian national calendar: 1 Caitra on March 22 (March 21 in Gregorian leap years),
// Saka year = Gregorian year - 78, with the proleptic Gregorian leap rule throughout.
// These are the rules of the Calendar Reform Committee of India (1955), as in the Explanatory
// Supplement to the Astronomical Almanac (1992), ch. 12.
// Every day of Saka years 1..150 and 1450-1950 agrees with python3-convertdate
// (tools/make_calendar_reference.py, tests/calendars/islamic_indian_test.cpp).
#include "base/day_month_year.h"

namespace qv {

// First civil year for which the Indian new year is given.
constexpr int kIndianFirstCivilYear = 82;

// Indian date of the civil day that contains mjd; the month is clamped to 1..12.
DayMonthYear indianDate(double mjd);

// MJD of noon of an Indian date; inverts indianDate for every day from Saka year 1 on.
double indianToMjd(int day, int month, int year);

}  // namespace qv
