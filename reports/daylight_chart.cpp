#include "reports/daylight_chart.h"

#include <cstdio>
#include <cstdlib>

#include "astro/sky_circumstances.h"
#include "base/julian.h"
#include "reports/print_document.h"
#include "reports/sky_details.h"

namespace qv {

namespace {

constexpr int kNoonHour = 12;
// Where formatDateTime ("MMM DD HH:MM") puts the hour and the minute.
constexpr int kPrintedHourAt = 7;
constexpr int kPrintedClockLength = 5;
// Every level the Sun stays above when the details stop listing twilights.
const RiseSet kStaysAbove{RiseSetStatus::StaysAbove, 0.0, 0.0};

// "HH:MM" of the minute the details print for an instant, or "-".
std::string clockText(const RiseSet& level, bool rise, const TimeZone& zone)
{
    if (!level.found())
        return "-";
    char printed[kDateTimeLength + 1] = {};
    formatDateTime(localMjd(rise ? level.riseUT : level.setUT, zone), printed);
    std::string clock(printed + kPrintedHourAt, kPrintedClockLength);
    if (clock[0] == ' ')
        clock[0] = '0';
    return clock;
}

std::string isoDate(const DayMonthYear& date)
{
    char text[24];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d", date.year < 0 ? "-" : "", std::abs(date.year), date.month,
                  date.day);
    return text;
}

}  // namespace

const RiseSet& daylightLevel(const DaylightDay& day, int level)
{
    if (level == 0)
        return day.sun.horizon;
    return level <= day.sun.twilightLines ? day.sun.twilights[level - 1] : kStaysAbove;
}

DaylightYear daylightYear(const SettingsRecord& settings)
{
    DaylightYear result;
    result.year = settings.time.year;
    result.zone = settings.time.zone;
    for (int s = 0; s < kSeasons; ++s)
        result.seasonsUT[s] = seasonInstant(result.year, static_cast<Season>(s), deltaTRule(settings.time)).mjdUT;
    // Each day at noon as the details dialog reads a typed date and time.
    SettingsRecord atNoon = settings;
    atNoon.time.hour = kNoonHour;
    atNoon.time.minute = 0;
    atNoon.time.second = 0;
    const double first = modifiedJulianDate(1, 1, result.year, 0.0);
    const double end = modifiedJulianDate(1, 1, result.year + 1, 0.0);
    for (double midnight = first; midnight < end; midnight += 1.0) {
        DaylightDay day;
        day.date = civilDate(midnight);
        day.midnightLocalMjd = midnight;
        atNoon.time.day = day.date.day;
        atNoon.time.month = day.date.month;
        atNoon.time.year = day.date.year;
        const Instant noon = skyMoment(atNoon);
        day.noonUT = noon.mjdUT;
        day.zoneOffsetHours = zoneOffsetHoursAt(noon.mjdUT, result.zone);
        day.sun = sunEventsAt(noon, settings.observer);
        result.days.push_back(day);
    }
    return result;
}

double localHoursOfDay(const DaylightDay& day, double mjdUT, const TimeZone& zone)
{
    return (localMjd(mjdUT, zone) - day.midnightLocalMjd) * kHoursPerDay;
}

std::string daylightCsv(const DaylightYear& year)
{
    std::string csv = "date,sunrise,sunset,civil_begin,civil_end,nautical_begin,nautical_end,astronomical_begin,"
                      "astronomical_end\n";
    for (const DaylightDay& day : year.days) {
        csv += isoDate(day.date);
        for (int level = 0; level < kDaylightLevels; ++level) {
            const RiseSet& crossing = daylightLevel(day, level);
            csv += ',' + clockText(crossing, true, year.zone) + ',' + clockText(crossing, false, year.zone);
        }
        csv += '\n';
    }
    return csv;
}

std::string daylightChartTitle(const SettingsRecord& settings)
{
    char year[16];
    std::snprintf(year, sizeof year, "%i", settings.time.year);
    return std::string("Daylight and twilight ") + year + "  " + placeAndZoneText(settings);
}

}  // namespace qv
