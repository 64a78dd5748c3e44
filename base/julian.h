#pragma once
// Julian dates and civil calendar arithmetic. Every instant is a Modified Julian Date
// (days from 1858-11-17 0h, JD - 2400000.5). Dates up to 1582-10-04 are Julian, later ones
// Gregorian; years are astronomical (year 0 exists). All functions are pure.
// Day numbers by the MJD arithmetic of Montenbruck & Pfleger, Astronomy on the Personal Computer
// (1991); the mean obliquity is the IAU 1976 expression (Lieske et al., 1977); the default
// TT - UT rule, its sources and accuracy are described above it in julian.cpp.
// Every day of -6000..3000 round-trips through calendarDate, and the obliquity matches Meeus's
// worked example 22.a (tests/base/julian_test.cpp); the Hebrew, Islamic and Indian cross-checks
// with python3-convertdate (tools/make_calendar_reference.py) rest on these day numbers.

#include <string>

#include "base/day_month_year.h"

namespace qv {

// Units of time, and the Julian century with its origin J2000.0 (2000-01-01 12h TT) as an MJD.
constexpr double kHoursPerDay = 24.0;
constexpr double kMinutesPerDay = 1440.0;
constexpr double kSecondsPerDay = 86400.0;
// A minute and a second in days.
constexpr double kMinuteDays = 1.0 / kMinutesPerDay;
constexpr double kSecondDays = 1.0 / kSecondsPerDay;
constexpr double kDaysPerJulianCentury = 36525.0;
constexpr double kMjdJ2000 = 51544.5;
// MJD of 1970-01-01 0h UTC, the origin of the system clock's seconds.
constexpr double kMjdOfUnixEpoch = 40587.0;

// Signed sexagesimal to decimal: negative when any part is negative (0, -30, 0 gives -0.5).
double dmsToDecimal(int degrees, int minutes, double seconds);

// Decimal value to degrees, minutes and seconds; the sign sits on the first non-zero part.
// Used for hours as well.
void splitDms(double value, int& degrees, int& minutes, double& seconds);
// As splitDms with the value rounded to whole seconds first, so that 59.6 seconds carry into
// the next minute instead of printing as 60.
void splitDmsWholeSeconds(double value, int& degrees, int& minutes, double& seconds);

// Civil date and hour of day to MJD (Julian calendar up to 1582-10-04, Gregorian after).
double modifiedJulianDate(int day, int month, int year, double hour);

// MJD to civil date and hour of day; proleptic Julian before JD -0.5.
void calendarDate(double mjd, int& day, int& month, int& year, double& hour);

// Civil date of the day that contains mjd.
DayMonthYear civilDate(double mjd);

// Julian centuries since J2000 (MJD 51544.5).
double julianCenturies(double mjd);

// Mean obliquity of the ecliptic in radians for Julian centuries since J2000.
double meanObliquity(double centuries);

// Default TT - UT in seconds for a year; always ends in .184.
double deltaTDefault(int year);

// Three-letter month name ("JAN" .. "DEC", "ERR" otherwise) into a buffer of at least 4 chars.
void monthAbbreviation(int month, char* buffer);

// Decimal degrees to packed DD.MMSS, and back.
double decimalToDdmmss(double decimalDegrees);
double ddmmssToDecimal(double packedDdmmss);
// The parts of a packed DD.MMSS value as written, without carrying (45.6 gives 60 minutes);
// all three are of the value's magnitude.
void splitDdmmss(double packedDdmmss, int& degrees, int& minutes, double& seconds);

// Decimal hours to packed H.MM, minutes rounded.
double decimalToHhmm(double decimalHours);

// Characters that formatDateTime writes, and the date and time without the trailing blank
// that the tables show.
constexpr int kDateTimeLength = 13;
constexpr int kDateTimeShown = 12;

// The instant of the minute formatDateTime prints for mjd (seconds above 30 round up).
double printedMinute(double mjd);
// Date in the Gregorian calendar, also before October 1582 (proleptic), of the day that
// contains mjd; year 0 is 1 BC.
DayMonthYear gregorianDate(double mjd);
// "MMM DD HH:MM " (kDateTimeLength characters, no terminator) for a table line; 23:59:30 and
// later print as 24:00 of the same day.
void formatDateTime(double mjd, char* buffer);

// "YYYY-MM-DDTHH:MM:SSZ" of an instant of UT rounded to the second, for files read by scripts;
// a year before 0 as "-YYYY".
std::string isoSecondUT(double mjdUT);

// As formatDateTime, with tabs at positions 6 and 12 for the save file.
void formatDateTimeTabbed(double mjd, char* buffer);

}  // namespace qv
