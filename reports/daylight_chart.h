#pragma once
// The year of daylight at the observer's place: for each local day of the year the Sun's rise,
// set and twilights exactly as "Sun and Moon Details" shows them at the Sun's transit that day
// (typed to the whole second), the zone's offset then, and the year's equinoxes and solstices.
// At the transit the details show the rise before it and the set after it even on the first
// and last days the Sun rises near the poles, where at 12:00 by the clock they could show the
// day before's. On the days before the Sun first rises they may show the crossings of the day
// after; those days are shown at 0:00, where the details find the day's own twilights. On the
// day after the Sun last sets the details show the day before's crossings at every time: that
// day has none of its own. The chart (maps/daylight_chart.h) draws the year and
// `chart daylight --format csv` writes it.
// The CSV equals, on every day of 2026, the times the details print at Vienna, Longyearbyen and
// Sydney (tests/reports/daylight_chart_test.cpp); the times themselves are as exact as
// astro/rise_set.h states.
#include <array>
#include <string>
#include <vector>

#include "astro/rise_set.h"
#include "astro/seasons.h"
#include "base/day_month_year.h"
#include "base/settings.h"

namespace qv {

struct DaylightDay {
    DayMonthYear date{};            // the local date
    int shownSecondOfDay = 0;       // local time typed for the events, 0..86399
    double shownUT = 0.0;           // that time, the instant the events are shown for
    double midnightLocalMjd = 0.0;  // 0:00 local clock of that date, as an MJD of local time
    double zoneOffsetHours = 0.0;   // in force at the transit
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

// Whether the crossings of a level are the day's own: found, and the rise or the set falls on
// its local date. Near the poles the details can show the crossings of the day before on a
// day the Sun no longer rises.
bool isDaysOwn(const DaylightDay& day, const RiseSet& level, const TimeZone& zone);

// The year of the settings at their place and zone.
DaylightYear daylightYear(const SettingsRecord& settings);

// The local hours of the clock of day at an instant: 0 at its local midnight, below 0 the day
// before, 24 and more the day after.
double localHoursOfDay(const DaylightDay& day, double mjdUT, const TimeZone& zone);

// One line a day under the header
// date,sunrise,sunset,civil_begin,civil_end,nautical_begin,nautical_end,astronomical_begin,astronomical_end
// with dates YYYY-MM-DD and the local HH:MM the details print, "-" where the Sun does not cross
// that day.
std::string daylightCsv(const DaylightYear& year);

// "Daylight and twilight 2026  Vienna  48°12'N 16°22'E  Time zone Europe/Vienna".
std::string daylightChartTitle(const SettingsRecord& settings);

}  // namespace qv
