#pragma once
// The arithmetic Hebrew calendar: the new year (1 Tishri) from the mean conjunction and the
// postponement rules, and the Hebrew date of a civil day. A Hebrew date here is the date of
// the daytime; the Hebrew day itself begins at sunset on the previous evening.
// The rules (19-year cycle, molad in parts of 1080 to the hour, the four postponements) are
// those set out by Dershowitz & Reingold, Calendrical Calculations (3rd ed., 2008).
// Every day of Hebrew years -1..150, 5700-5900 and 88360-88380 agrees with python3-convertdate
// (tools/make_calendar_reference.py, tests/calendars/hebrew_test.cpp).

namespace qv {

// First civil year for which Hebrew dates are given.
constexpr int kHebrewFirstCivilYear = -3762;

// Month code 12 (Adar I) and 13 (Adar II) of a leap year; 0..11 are Tishri..Elul.
constexpr int kAdarICode = 12;
constexpr int kAdarIICode = 13;

// Day within a Hebrew year: day of month, month position (1 = Tishri, counted through the
// year, Adar I and Adar II both 6) and month code.
struct HebrewMonthDay {
    int day;
    int position;
    int code;
};

// Full Hebrew date of a civil day, with the length of its Hebrew year in days.
struct HebrewDate {
    int day;
    int position;
    int code;
    int yearLengthDays;
    int year;
};

// MJD (0h) of 1 Tishri in the autumn of a civil year. endingHebrewYear receives
// civilYear + 3760: the new year begins Hebrew year endingHebrewYear + 1.
double hebrewNewYear(int civilYear, int& endingHebrewYear);

// Day, month position and code of the day mjd in the Hebrew year that began on
// newYearMjd and lasts yearLengthDays (353-355 or 383-385).
HebrewMonthDay hebrewMonthDay(double mjd, double newYearMjd, int yearLengthDays);

// Hebrew date of a civil date (Julian calendar up to 1582-10-04, Gregorian after).
// Meaningful from civil year kHebrewFirstCivilYear on.
HebrewDate hebrewDate(int day, int month, int year);

}  // namespace qv
