#pragma once
// The year of daylight at the observer's place: for each local day of the year the Sun's rise,
// set and twilights exactly as "Sun and Moon Details" shows them for noon (12:00 local) of
// that day, the zone's offset that noon, and the year's equinoxes and solstices. The chart
// (maps/daylight_chart.h) draws it and `chart daylight --format csv` writes it.
#include <array>
#include <string>
#include <vector>

#include "astro/rise_set.h"
#include "astro/seasons.h"
#include "base/day_month_year.h"
#include "base/settings.h"

namespace qv {

struct DaylightDay {
    DayMonthYear date;             // the local date
    double noonUT = 0.0;           // 12:00 local of that date, the instant the events belong to
    double midnightLocalMjd = 0.0;  // 0:00 local clock of that date, as an MJD of local time
    double zoneOffsetHours = 0.0;  // in force at noon
    SunEvents sun;                 // twilights past twilightLines: the Sun stays above them
};

struct DaylightYear {
    int year = 0;
    TimeZone zone;
    std::vector<DaylightDay> days;          // every local day of the year, in order
    std::array<double, kSeasons> seasonsUT{};  // March equinox .. December solstice
};

// The levels of the Sun a day is divided by, highest first: above the horizon, then above
// each twilight altitude (civil, nautical, astronomical).
constexpr int kDaylightLevels = 1 + kTwilightCount;

// The Sun above one level on one day: both crossings, all day above, or all day below.
const RiseSet& daylightLevel(const DaylightDay& day, int level);

// The year of the settings at their place and zone.
DaylightYear daylightYear(const SettingsRecord& settings);

// The local hours of the clock of day at an instant: 0 at its local midnight, below 0 the day
// before, 24 and more the day after.
double localHoursOfDay(const DaylightDay& day, double mjdUT, const TimeZone& zone);

// One line a day under the header
// date,sunrise,sunset,civil_begin,civil_end,nautical_begin,nautical_end,astronomical_begin,astronomical_end
// with dates YYYY-MM-DD and the local HH:MM the details print, "-" where the Sun does not cross.
std::string daylightCsv(const DaylightYear& year);

// "Daylight and twilight 2026  Vienna  48°12'N 16°22'E  Time zone Europe/Vienna".
std::string daylightChartTitle(const SettingsRecord& settings);

}  // namespace qv
