#include "reports/daylight_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "astro/sky_circumstances.h"
#include "base/julian.h"
#include "reports/print_document.h"
#include "reports/sky_details.h"

namespace qv {

namespace {

constexpr int kNoonHour = 12;
constexpr unsigned kMaxThreads = 8;
constexpr long kSecondsPerDayWhole = 86400;
constexpr int kSecondsPerHourWhole = 3600;
constexpr int kSecondsPerMinuteWhole = 60;
// Where formatDateTime ("MMM DD HH:MM") puts the hour and the minute.
constexpr int kPrintedHourAt = 7;
constexpr int kPrintedClockLength = 5;
// Every level the Sun stays above when the details stop listing twilights.
const RiseSet kStaysAbove{RiseSetStatus::StaysAbove, 0.0, 0.0};

// "HH:MM" of the minute the details print for a crossing of the day, or "-".
std::string clockText(const DaylightDay& day, const RiseSet& level, bool rise, const TimeZone& zone)
{
    if (!isDaysOwn(day, level, zone))
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

// The local second of the day of the Sun's transit on the date of settings, rounded; 12:00 when
// it would fall on another date.
int transitSecondOfDay(SettingsRecord settings, const DaylightDay& day)
{
    settings.time.hour = kNoonHour;
    settings.time.minute = 0;
    settings.time.second = 0;
    const Instant noon = skyMoment(settings);
    const double transitUT = sunTransitAfter(noon.later(-0.5), settings.observer);
    const long second = std::lround(localHoursOfDay(day, transitUT, settings.time.zone) * kSecondsPerHourWhole);
    return second >= 0 && second < kSecondsPerDayWhole ? static_cast<int>(second) : kNoonHour * kSecondsPerHourWhole;
}

// The Sun's events of the day as the details show them at a typed local second of its date.
void showAt(SettingsRecord& typed, int secondOfDay, DaylightDay& day)
{
    typed.time.hour = secondOfDay / kSecondsPerHourWhole;
    typed.time.minute = secondOfDay % kSecondsPerHourWhole / kSecondsPerMinuteWhole;
    typed.time.second = secondOfDay % kSecondsPerMinuteWhole;
    const Instant shown = skyMoment(typed);
    day.shownSecondOfDay = secondOfDay;
    day.shownUT = shown.mjdUT;
    day.sun = sunEventsAt(shown, typed.observer);
}

// The levels whose crossings the details found, and those of them that are the day's own.
int foundLevels(const DaylightDay& day)
{
    int count = 0;
    for (int level = 0; level < kDaylightLevels; ++level)
        count += daylightLevel(day, level).found() ? 1 : 0;
    return count;
}

int ownLevels(const DaylightDay& day, const TimeZone& zone)
{
    int count = 0;
    for (int level = 0; level < kDaylightLevels; ++level)
        count += isDaysOwn(day, daylightLevel(day, level), zone) ? 1 : 0;
    return count;
}

// One local day, its events as the details show them at the Sun's transit.
DaylightDay daylightDay(SettingsRecord typed, double midnightLocalMjd)
{
    DaylightDay day;
    day.date = civilDate(midnightLocalMjd);
    day.midnightLocalMjd = midnightLocalMjd;
    typed.time.day = day.date.day;
    typed.time.month = day.date.month;
    typed.time.year = day.date.year;
    showAt(typed, transitSecondOfDay(typed, day), day);
    // Near the poles the details at the transit may show the crossings of the day after the
    // transit, before the Sun first rises; at the start of the day they show its own twilights.
    const TimeZone& zone = typed.time.zone;
    if (ownLevels(day, zone) < foundLevels(day)) {
        DaylightDay atStart = day;
        showAt(typed, 0, atStart);
        if (ownLevels(atStart, zone) > ownLevels(day, zone))
            day = atStart;
    }
    day.zoneOffsetHours = zoneOffsetHoursAt(day.shownUT, zone);
    return day;
}

}  // namespace

const RiseSet& daylightLevel(const DaylightDay& day, int level)
{
    if (level == 0)
        return day.sun.horizon;
    return level <= day.sun.twilightLines ? day.sun.twilights[level - 1] : kStaysAbove;
}

bool isDaysOwn(const DaylightDay& day, const RiseSet& level, const TimeZone& zone)
{
    const auto onTheDay = [&](double mjdUT) {
        const double hours = localHoursOfDay(day, mjdUT, zone);
        return hours >= 0.0 && hours < kHoursPerDay;
    };
    return level.found() && (onTheDay(level.riseUT) || onTheDay(level.setUT));
}

DaylightYear daylightYear(const SettingsRecord& settings)
{
    DaylightYear result;
    result.year = settings.time.year;
    result.zone = settings.time.zone;
    for (int s = 0; s < kSeasons; ++s)
        result.seasonsUT[s] = seasonInstant(result.year, static_cast<Season>(s), deltaTRule(settings.time)).mjdUT;
    const double first = modifiedJulianDate(1, 1, result.year, 0.0);
    const int count = static_cast<int>(modifiedJulianDate(1, 1, result.year + 1, 0.0) - first);
    result.days.resize(count);
    // The days are independent: shared out in runs to the processor's threads.
    const auto fill = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            result.days[i] = daylightDay(settings, first + i);
    };
    const int parts = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads));
    std::vector<std::thread> helpers;
    for (int part = 1; part < parts; ++part)
        helpers.emplace_back(fill, count * part / parts, count * (part + 1) / parts);
    fill(0, count / parts);
    for (std::thread& helper : helpers)
        helper.join();
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
            csv += ',' + clockText(day, crossing, true, year.zone) + ',' + clockText(day, crossing, false, year.zone);
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
