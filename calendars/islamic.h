#pragma once
// The tabular Islamic calendar: 30-year cycles of 11 leap years (2, 5, 7, 10, 13, 16, 18,
// 21, 24, 26, 29), epoch 1 Muharram 1 = 622-07-16 (Julian). A date here is the date of the
// daytime; the Islamic day itself begins at sunset on the previous evening.
// The leap years and epoch are those of the arithmetic Islamic calendar of Dershowitz &
// Reingold, Calendrical Calculations (3rd ed., 2008).
// Every day of Islamic years 1..150 and 1350-1550 agrees with python3-convertdate
// (tools/make_calendar_reference.py, tests/calendars/islamic_indian_test.cpp).
#include "base/day_month_year.h"

namespace qv {

// First civil year for which Islamic holidays are given.
constexpr int kIslamicFirstCivilYear = 622;

// Islamic date of the civil day that contains mjd; the month is clamped to 1..12.
DayMonthYear islamicDate(double mjd);

// MJD of noon of an Islamic date; inverts islamicDate for every day from the epoch on.
double islamicToMjd(int day, int month, int year);

}  // namespace qv
