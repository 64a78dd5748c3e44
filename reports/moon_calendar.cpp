#include "reports/moon_calendar.h"

#include <algorithm>
#include <cmath>

#include "astro/moon.h"
#include "astro/moon_disk.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/earth_figure.h"
#include "base/julian.h"
#include "calendars/holidays.h"
#include "eclipse/greatest_eclipse.h"
#include "reports/eclipse_kind_texts.h"

namespace qv {

namespace {

constexpr int kDaysPerWeek = 7;
// MJD 0 (1858-11-17) was a Wednesday: weekday 2 counting from Monday.
constexpr long kWeekdayOfMjdZero = 2;
// In formatDateTime's "MMM DD HH:MM " the time is the 5 characters from index 7.
constexpr int kTimeOffset = 7;
constexpr int kTimeLength = 5;

// The holidays' names on the calendar, indexed by HolidayKind.
constexpr const char* kHolidayNames[] = {
    "Ash Wednesday",    "Easter", "Jewish New Year", "Yom Kippur", "Islamic New Year", "Ramadan begins",
    "Indian New Year", "Chinese New Year",
};

bool inMonths(int month, int wantedMonth) { return wantedMonth == 0 || month == wantedMonth; }

int weekdayOf(double mjd)
{
    const long day = static_cast<long>(std::floor(mjd));
    return static_cast<int>(((day + kWeekdayOfMjdZero) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek);
}

// The days of the month 1..12 of the year, in the civil calendar (October 1582 has 21).
void appendMonthDays(const SettingsRecord& settings, int month, std::vector<MoonCalendarDay>& days)
{
    const int year = settings.time.year;
    const double first = modifiedJulianDate(1, month, year, 0.0);
    const double next = month == 12 ? modifiedJulianDate(1, 1, year + 1, 0.0) : modifiedJulianDate(1, month + 1, year, 0.0);
    const DeltaTRule rule = deltaTRule(settings.time);
    for (double mjd = first; mjd < next - 0.5; mjd += 1.0) {
        MoonCalendarDay day;
        day.month = month;
        day.day = civilDate(mjd).day;
        day.weekday = weekdayOf(mjd);
        day.eveningUT = utFromLocal(mjd + kMoonEveningHour / kHoursPerDay, settings.time.zone);
        const MoonLook look = moonLookAt(instantAtUT(day.eveningUT, rule));
        day.litFraction = look.litFraction;
        day.brightLimbAngleDeg = look.brightLimbAngleDeg;
        days.push_back(day);
    }
}

// The Moon's distance from the Earth's centre at an instant, km.
double moonDistanceKm(const Instant& instant)
{
    return norm(moonPosition(instant.centuriesTT())) * kShadowEarthRadiusKm;
}

void appendPhases(const SettingsRecord& settings, const PhaseLists& lists, int wantedMonth,
                  std::vector<MoonCalendarPhase>& phases)
{
    const DeltaTRule rule = deltaTRule(settings.time);
    for (int kind = 0; kind < kPhaseKinds; ++kind)
        for (double mjdUT : lists.times[kind]) {
            const double local = localMjd(mjdUT, settings.time.zone);
            const DayMonthYear date = civilDate(local);
            if (!inMonths(date.month, wantedMonth))
                continue;
            char dateTime[kDateTimeLength];
            formatDateTime(local, dateTime);
            MoonCalendarPhase phase;
            phase.kind = static_cast<PhaseKind>(kind);
            phase.mjdUT = mjdUT;
            phase.month = date.month;
            phase.day = date.day;
            phase.timeText.assign(dateTime + kTimeOffset, kTimeLength);
            phase.supermoon = (kind == kNewMoon || kind == kFullMoon) &&
                              moonDistanceKm(instantAtUT(mjdUT, rule)) < kSupermoonDistanceKm;
            phases.push_back(phase);
        }
    std::sort(phases.begin(), phases.end(),
              [](const MoonCalendarPhase& a, const MoonCalendarPhase& b) { return a.mjdUT < b.mjdUT; });
}

// A label without the blanks around it.
std::string trimmed(const char* text)
{
    std::string label = text ? text : "";
    const auto first = label.find_first_not_of(" \t");
    const auto last = label.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : label.substr(first, last - first + 1);
}

}  // namespace

MoonLook moonLookAt(const Instant& instant)
{
    double eqeqSeconds = 0.0, longitudeRad = 0.0;
    const Vec3 sun = EARTH_RADII_PER_AU * sunApparentEquatorial(instant, eqeqSeconds, longitudeRad);
    const Vec3 moon = moonApparentEquatorial(instant, eqeqSeconds, longitudeRad);
    const PolarCoord s = toPolar(sun), m = toPolar(moon);
    const double raDifference = s.longitude() - m.longitude();
    // The bright limb faces the Sun: the position angle of the Sun seen from the Moon's place.
    const double angleRad =
        std::atan2(std::cos(s.latitude()) * std::sin(raDifference),
                   std::sin(s.latitude()) * std::cos(m.latitude()) -
                       std::cos(s.latitude()) * std::sin(m.latitude()) * std::cos(raDifference));
    double angleDeg = angleRad * kDegPerRad;
    if (angleDeg < 0.0)
        angleDeg += 360.0;
    return {moonIlluminatedFraction(sun, moon), angleDeg};
}

MoonCalendar moonCalendar(const SettingsRecord& settings, int wantedMonth)
{
    const int month = wantedMonth >= 1 && wantedMonth <= 12 ? wantedMonth : 0;
    MoonCalendar calendar;
    const TimeZone& zone = settings.time.zone;
    const int year = settings.time.year;
    calendar.year = year;
    calendar.place = trimmedLocationName(settings.observer.name);
    // A named zone's offset changes over the year: a month names the offset of its middle, the
    // year the zone alone.
    calendar.zoneLabel = month == 0 && isNamedZone(zone)
                             ? zone.name
                             : zoneLabelAt(utFromLocal(modifiedJulianDate(15, month == 0 ? 1 : month, year, 12.0), zone), zone);
    calendar.southernView = settings.observer.latitudeDeg < 0.0;
    for (int m = 1; m <= 12; ++m)
        if (inMonths(m, month))
            appendMonthDays(settings, m, calendar.days);

    const YearLunations lunations = computeYearLunations(settings);
    appendPhases(settings, lunations.phases, month, calendar.phases);
    for (const EclipseEvent& eclipse : lunations.eclipses) {
        const DayMonthYear date = civilDate(localMjd(greatestEclipse(eclipse).instant.mjdUT, zone));
        const EclipseKindTexts* texts = eclipseKindTexts(eclipse.kind);
        if (inMonths(date.month, month) && date.year == year)
            calendar.eclipses.push_back({date.month, date.day, trimmed(texts ? texts->yearTable : "")});
    }
    for (const HolidayDate& holiday : yearHolidays(year, deltaTRule(settings.time))) {
        const DayMonthYear date = civilDate(holiday.mjd);
        if (inMonths(date.month, month))
            calendar.holidays.push_back({date.month, date.day, kHolidayNames[holiday.kind]});
    }
    return calendar;
}

}  // namespace qv
