#pragma once
// Dates of the holidays that follow a calendar rule: Easter Sunday, and the Islamic New Year
// and first day of Ramadan within a civil year.
// Checked against python3-dateutil (Easter) and python3-convertdate (Islamic) for every civil
// year 622-3000: no difference.
#include "base/day_month_year.h"

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
};
IslamicHolidays islamicHolidays(int year);

}  // namespace qv
