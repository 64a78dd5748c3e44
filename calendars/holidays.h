#pragma once
// Dates of the holidays of a civil year: Easter Sunday, the Islamic New Year and first day of
// Ramadan, and the list of every holiday of the holidays page with its date.
// Gregorian Easter by Oudin's algorithm (1940) as in the Explanatory Supplement to the
// Astronomical Almanac (1992), Julian Easter by the rule in Meeus, Astronomical Algorithms (1991).
// Checked against python3-dateutil (Easter) and python3-convertdate (Islamic) for every civil
// year 622-3000: no difference (tools/make_calendar_reference.py, tests/calendars/holidays_test.cpp).
#include <vector>

#include "base/day_month_year.h"
#include "base/instant.h"

namespace qv {

// Easter Sunday of a year: Julian calendar up to 1582, Gregorian from 1583.
DayMonthYear easterSunday(int year);

// Islamic New Years (1 Muharram) and first days of Ramadan that fall in a civil year; each
// happens once or twice. Meaningful from kIslamicFirstCivilYear on.
struct IslamicHolidays {
    int newYearCount;
    double newYearMjd[2];    // noon of the day
    int islamicYear[2];      // the year that begins
    int ramadanCount;
    double ramadanMjd[2];    // noon of the day
    int ramadanYear[2];      // the Islamic year of that Ramadan
};
IslamicHolidays islamicHolidays(int year);

// The holidays of the holidays page, in its order.
enum HolidayKind : int {
    kAshWednesday,
    kEaster,
    kJewishNewYear,
    kYomKippur,
    kIslamicNewYear,
    kFirstDayOfRamadan,
    kIndianNewYear,
    kChineseNewYear,
};

struct HolidayDate {
    HolidayKind kind;
    double mjd;        // a moment of the day (civil calendar: Julian up to 1582-10-04)
    int calendarYear;  // the Jewish, Islamic or Indian year it belongs to; else the civil year
};

// The groups of the holidays page, in its order: Ash Wednesday and Easter; Jewish New Year and
// Yom Kippur; Islamic New Year and first day of Ramadan; Indian New Year; Chinese New Year.
enum HolidayGroup : int { kEasterGroup, kJewishGroup, kIslamicGroup, kIndianGroup, kChineseGroup };
constexpr int kHolidayGroups = 5;

// The holidays of one group in the civil year in page order, one that falls twice in the year
// twice in a row; empty when the group's calendar does not reach back to the year. The TT - UT
// rule places the New Moons of the Chinese calendar.
std::vector<HolidayDate> groupHolidays(HolidayGroup group, int year, const DeltaTRule& rule);
// Every group's holidays of the civil year in page order.
std::vector<HolidayDate> yearHolidays(int year, const DeltaTRule& rule);

}  // namespace qv
