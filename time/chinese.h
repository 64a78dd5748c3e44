#pragma once
// The astronomical Chinese calendar, reckoned for the time zone UTC+8: months begin on the day
// of a New Moon, the eleventh month holds the December solstice, and a year of 13 months
// between two eleventh months makes its first month without a principal term (a multiple of
// 30 degrees of solar longitude) intercalary. The year driver of the year tables supplies the
// solstices, so these functions use a settings record and a page as scratch.
#include "core/page_buffer.h"
#include "core/settings.h"

namespace qv {

// First Chinese year for which Chinese dates are given.
constexpr int kChineseFirstYear = -4711;
// The calendar's own zone, hours east of Greenwich.
constexpr double kChineseZoneHours = 8.0;
constexpr int kMaxChineseNewMoons = 16;
constexpr int kMonthsInCommonChineseYear = 12;

// The New Moon days between two eleventh months, as MJDs of midnight in UTC+8: days[0] opens
// the eleventh month of the previous Chinese year, days[1] .. days[count] follow up to and
// including the day of the December solstice of the settings year; count is 12, or 13 when a
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
// in settings.year, and that year's New Moon days. Runs the year driver for UTC+8 on the
// settings and page: afterwards they hold the year tables of settings.year for UTC+8 (the
// caller rebuilds them); the settings' year, zone and save request are as before.
int chineseNewYear(SettingsRecord& settings, PageBuffer& page, ChineseNewMoons& moons);

// Whether the New Moon days make a Chinese year: 12 or 13 months of 29 or 30 days each. Far
// from the present (before about -15000 or after 13000 with the default TT - UT) the
// solstices and New Moons no longer give one, and no Chinese date is shown.
bool isChineseYear(const ChineseNewMoons& moons);

// Index i (1 .. count - 1) of the intercalary month that runs from days[i], or 0 when the year
// has 12 months. It is the first month that contains no principal term, found on the solar
// longitude at each New Moon day taken continuously (without its wrap at 540 degrees).
int chineseLeapMonthIndex(const ChineseNewMoons& moons, double deltaTSeconds);

// Chinese date of the day mjdLocal (midnight, days[0] <= mjdLocal < days[count]) from the
// New Moon days of settingsYear, its new year day and its leap month index.
ChineseDate chineseDateInMonths(int mjdLocal, int newYearDay, const ChineseNewMoons& moons,
                                int leapIndex, int settingsYear);

// Chinese date of the day mjdLocal (midnight) from the New Moon days of settings.year and its
// new year day; uses settings.year and settings.deltaT only, never the settings' zone.
ChineseDate chineseDate(const SettingsRecord& settings, double mjdLocal, int newYearDay,
                        const ChineseNewMoons& moons);

// Chinese date of a civil day of settings.year (mjdLocal at midnight): from the New Moon days
// of settings.year, or of the next year when the day lies in or after its last eleventh month.
// Returns false when the year of the New Moon days used lies before kChineseFirstYear or its
// New Moon days make no Chinese year around the day.
// Afterwards the settings keep their year and zone; when the year driver ran, the page and the
// eclipse table hold the year tables of settings.year in the settings' own zone again.
bool chineseDateOfDay(SettingsRecord& settings, PageBuffer& page, double mjdLocal, ChineseDate& date);

// Clears the page and runs the year driver on the settings without writing the save file:
// puts back the page and eclipse table after a Chinese computation used them as scratch.
void rebuildYearTables(SettingsRecord& settings, PageBuffer& page);

}  // namespace qv
