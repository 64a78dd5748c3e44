#pragma once
// The astronomical Chinese calendar, reckoned for the time zone UTC+8: months begin on the day
// of a New Moon, the eleventh month holds the December solstice, and a year of 13 months
// between two eleventh months makes its first month without a principal term (a multiple of
// 30 degrees of solar longitude) intercalary.
// These are the rules of the 1645 reform as set out by Aslaksen, The Mathematics of the Chinese
// Calendar (2010); the New Moons and principal terms come from the lunation finder and the
// solar series (eclipse/lunation.h, astro/sun.h).
// Checked against python3-lunardate for every day of 1901-2099: all but eight years agree, and
// those differ by whole months from New Moons within minutes of midnight or the older Beijing
// meridian of the reference table (tools/make_chinese_reference.py, tests/calendars/chinese_test.cpp).

#include "base/instant.h"

namespace qv {

// First Chinese year for which Chinese dates are given.
constexpr int kChineseFirstYear = -4711;
// The calendar's own zone, hours east of Greenwich.
constexpr double kChineseZoneHours = 8.0;
constexpr int kMaxChineseNewMoons = 16;
constexpr int kMonthsInCommonChineseYear = 12;

// The New Moon days between two eleventh months, as MJDs of midnight in UTC+8: days[0] opens
// the eleventh month of the previous Chinese year, days[1] .. days[count] follow up to and
// including the day of the December solstice of the year; count is 12, or 13 when a
// leap month falls between the two eleventh months.
struct ChineseNewMoons {
    int days[kMaxChineseNewMoons] = {};
    int count = 0;
};

// A Chinese date; month is negative for an intercalary month.
struct ChineseDate {
    int day;
    int month;
    int year;
};

// MJD (midnight in UTC+8) of the first day of the first month of the Chinese year that begins
// in the civil year, and that year's New Moon days, from the December solstices of the year
// before and of the year itself and the New Moons between them.
int chineseNewYear(int year, const DeltaTRule& rule, ChineseNewMoons& moons);

// Whether the New Moon days make a Chinese year: 12 or 13 months of 29 or 30 days each. Far
// from the present (before about -15000 or after 13000 with the default TT - UT) the
// solstices and New Moons no longer give one, and no Chinese date is shown.
bool isChineseYear(const ChineseNewMoons& moons);

// Index i (1 .. count - 1) of the intercalary month that runs from days[i], or 0 when the year
// has 12 months. It is the first month that contains no principal term, found on the solar
// longitude at each New Moon day taken continuously (without its wrap at 540 degrees).
int chineseLeapMonthIndex(const ChineseNewMoons& moons, const DeltaTRule& rule);

// Chinese date of the day mjdLocal (midnight, days[0] <= mjdLocal < days[count]) from the
// New Moon days of year, its new year day and its leap month index.
ChineseDate chineseDateInMonths(int mjdLocal, int newYearDay, const ChineseNewMoons& moons,
                                int leapIndex, int year);

// Chinese date of a day of the civil year (mjdLocal at midnight): from the New Moon days of
// that year, or of the next year when the day lies in or after its last eleventh month.
// Returns false when the year of the New Moon days used lies before kChineseFirstYear or its
// New Moon days make no Chinese year around the day.
bool chineseDateOfDay(int civilYear, const DeltaTRule& rule, double mjdLocal, ChineseDate& date);

}  // namespace qv
