#include "reports/calendar_export.h"

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "astro/seasons.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"
#include "base/time_zone.h"
#include "base/version.h"
#include "calendars/calendar_names.h"
#include "calendars/holidays.h"
#include "eclipse/circumstances.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_kind_texts.h"
#include "reports/phenomena_report.h"
#include "reports/year_tables.h"

namespace qv {

namespace {


constexpr const char* kPhaseSummaries[kPhaseKinds] = {"New Moon", "First Quarter", "Full Moon",
                                                      "Last Quarter"};
constexpr const char* kPhaseKeys[kPhaseKinds] = {"new-moon", "first-quarter", "full-moon",
                                                 "last-quarter"};
constexpr double kPhaseFractions[kPhaseKinds] = {0.0, 0.25, 0.5, 0.75};
constexpr const char* kSeasonSummaries[kSeasons] = {"March Equinox", "June Solstice", "September Equinox",
                                                    "December Solstice"};
constexpr const char* kSeasonKeys[kSeasons] = {"march-equinox", "june-solstice", "september-equinox",
                                               "december-solstice"};

// Summary and UID key of each holiday kind (indexed by HolidayKind), both formats of the year
// of the holiday's own calendar, and whether that calendar is a tabular one.
struct HolidayEntry {
    const char* summaryFormat;
    const char* keyFormat;
    bool tabular;
};
constexpr HolidayEntry kHolidayEntries[] = {
    {"Ash Wednesday", "%d-ash-wednesday", false},
    {"Easter", "%d-easter", false},
    {"Jewish New Year %d", "jewish%d-new-year", true},
    {"Yom Kippur", "jewish%d-yom-kippur", true},
    {"Islamic New Year %d", "islamic%d-new-year", true},
    {"First Day of Ramadan", "islamic%d-ramadan", true},
    {"Indian New Year %d", "indian%d-new-year", false},
    {"Chinese New Year", "%d-chinese-new-year", false},
};
constexpr const char* kTabularNote = "A tabular date: the day begins at sunset on the previous evening.";
constexpr std::size_t kYearNameSize = 32;

// printf into a std::string, with decimal commas turned into points.
// The text with every byte that is not part of a complete UTF-8 sequence replaced by
// "?": location names from older configuration files may be in an 8-bit encoding.
std::string validUtf8(const std::string& text)
{
    std::string valid;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                   : (lead >> 3) == 0x1E ? 4 : 0;
        bool whole = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (whole) {
            valid.append(text, i, length);
            i += length;
        } else {
            valid += '?';
            ++i;
        }
    }
    return valid;
}

std::string locationName(const SettingsRecord& settings)
{
    return validUtf8(trimmedLocationName(settings.observer.name));
}

// Ends every UID: a hash of the place (latitude, longitude, height) and the program's domain.
std::string uidSuffix(const SettingsRecord& settings)
{
    const Observer& observer = settings.observer;
    const std::string place =
        numberText("%.4f,%.4f,%.0f", observer.latitudeDeg, observer.longitudeDeg, observer.heightM);
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : place)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return numberText("-%08x@quorvel", static_cast<unsigned>(hash));
}

// Number of the lunation (counted from one in 1900) whose phase of that fraction is at mjd.
long lunationNumber(double mjd, double phaseFraction)
{
    return std::lround((mjd - kLunationZeroMjd) / kSynodicMonthDays - phaseFraction);
}

// The instant the pages print for an instant, in UT: its local time rounded to the minute.
double printedInstantUT(double mjdUT, const TimeZone& zone)
{
    return utFromLocalNear(printedMinute(localMjd(mjdUT, zone)), mjdUT, zone);
}

CalendarEvent timedEvent(std::string key, std::string summary, double startUT, double endUT)
{
    CalendarEvent event;
    event.uid = std::move(key);
    event.summary = std::move(summary);
    event.startUT = startUT;
    event.endUT = endUT;
    return event;
}

void addPhases(const SettingsRecord& settings, const PhaseLists& phases, std::vector<CalendarEvent>& events)
{
    std::vector<CalendarEvent> phaseEvents;
    for (int kind = 0; kind < kPhaseKinds; ++kind) {
        for (const double phaseUT : phases.times[kind]) {
            const double time = printedInstantUT(phaseUT, settings.time.zone);
            const long lunation = lunationNumber(time, kPhaseFractions[kind]);
            phaseEvents.push_back(timedEvent(numberText("lunation%ld-%s", lunation, kPhaseKeys[kind]),
                                             kPhaseSummaries[kind], time, time));
        }
    }
    std::stable_sort(phaseEvents.begin(), phaseEvents.end(),
                     [](const CalendarEvent& a, const CalendarEvent& b) { return a.startUT < b.startUT; });
    events.insert(events.end(), phaseEvents.begin(), phaseEvents.end());
}

void addSeasons(const SettingsRecord& settings, std::vector<CalendarEvent>& events)
{
    const TimeZone& zone = settings.time.zone;
    for (int season = 0; season < kSeasons; ++season) {
        const Instant instant = seasonInstant(settings.time.year, static_cast<Season>(season), deltaTRule(settings.time));
        const double time = printedInstantUT(instant.mjdUT, zone);
        events.push_back(timedEvent(numberText("%d-%s", settings.time.year, kSeasonKeys[season]),
                                    kSeasonSummaries[season], time, time));
    }
}

// "Partial Eclipse of the Sun (magnitude: 0.63)": the title of the details, with the magnitude
// where the details give one.
std::string eclipseSummary(const EclipseEvent& eclipse)
{
    const EclipseKindTexts* texts = eclipseKindTexts(eclipse.kind);
    std::string summary = texts ? texts->title : "Eclipse";
    summary.erase(0, summary.find_first_not_of('\t'));
    if (!isCentral(eclipse.kind))
        summary += numberText(" (magnitude: %.2f)", eclipse.magnitude);
    return summary;
}

// The local circumstances of the details without the blanks that pad the place name, and the
// zone their times are given in.
std::string eclipseDescription(const SettingsRecord& settings, EclipseKind kind, const LocalCircumstances& local)
{
    const std::string details = localCircumstancesText(settings, kind, local);
    std::string text;
    for (std::size_t start = details.find_first_not_of('\n'); start < details.size();) {
        const std::size_t end = std::min(details.find('\n', start), details.size());
        std::string line = details.substr(start, end - start);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + (end < details.size() ? "\n" : "");
        start = end + 1;
    }
    if (isNamedZone(settings.time.zone))
        return validUtf8(text) + "\n\nLocal times of the time zone " + settings.time.zone.name + ".";
    return validUtf8(text) + numberText("\n\nLocal times of the time zone UTC%+g h.", settings.time.zone.offsetHours);
}

// Every eclipse of the year from its first contact to its last anywhere on the Earth.
void addEclipses(const SettingsRecord& settings, const std::vector<EclipseEvent>& eclipses,
                 std::vector<CalendarEvent>& events)
{
    const TimeZone& zone = settings.time.zone;
    for (const EclipseEvent& eclipse : eclipses) {
        const EclipseCircumstances circumstances = circumstancesAtObserver(settings, eclipse);
        const bool found = circumstances.phaseCount > 0;
        const EclipsePhase& whole = circumstances.phases[0];
        const double greatest = printedInstantUT(eclipse.greatest.mjdUT, zone);
        const double begin = found ? printedInstantUT(whole.beginUT, zone) : greatest;
        const double end = found ? printedInstantUT(whole.endUT, zone) : greatest;
        const bool solar = isSolar(eclipse.kind);
        const long lunation = lunationNumber(greatest, solar ? 0.0 : 0.5);
        const std::string key = numberText("lunation%ld-%s-eclipse", lunation, solar ? "solar" : "lunar");
        CalendarEvent event = timedEvent(key, eclipseSummary(eclipse), begin, end);
        if (circumstances.local.visible())
            event.description = eclipseDescription(settings, eclipse.kind, circumstances.local);
        events.push_back(std::move(event));
    }
}

void addHolidays(const SettingsRecord& settings, std::vector<CalendarEvent>& events)
{
    for (const HolidayDate& holiday : yearHolidays(settings.time.year, deltaTRule(settings.time))) {
        const HolidayEntry& entry = kHolidayEntries[holiday.kind];
        CalendarEvent event;
        event.uid = numberText(entry.keyFormat, holiday.calendarYear);
        event.summary = numberText(entry.summaryFormat, holiday.calendarYear);
        if (holiday.kind == kChineseNewYear) {
            char yearName[kYearNameSize];
            chineseYearName(settings.time.year, yearName, sizeof yearName);
            event.summary = event.summary + " " + yearName;
        }
        if (entry.tabular)
            event.description = kTabularNote;
        event.allDay = true;
        event.startUT = holiday.mjd;
        event.endUT = holiday.mjd;
        events.push_back(std::move(event));
    }
}

// The Gregorian date of an MJD as iCalendar text, "YYYYMMDD".
std::string dateText(double mjd)
{
    const DayMonthYear date = gregorianDate(mjd);
    return numberText("%04d%02d%02d", date.year, date.month, date.day);
}

// The UTC date and time of an MJD, to the second, as iCalendar text "YYYYMMDDTHHMMSSZ".
std::string utcTimeText(double mjdUT)
{
    // Whole seconds are exact in a double, so the day and the second of the day split cleanly.
    const double seconds = std::round(mjdUT * kSecondsPerDay);
    const double day = std::floor(seconds / kSecondsPerDay);
    const long long secondOfDay = std::llround(seconds - day * kSecondsPerDay);
    return dateText(day) + numberText("T%02lld%02lld%02lldZ", secondOfDay / 3600, secondOfDay / 60 % 60,
                                     secondOfDay % 60);
}

// "moon-conjunction": lower case, every character but a letter or digit made a hyphen.
std::string uidWord(const std::string& text)
{
    std::string word;
    for (const char c : text) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        word += letterOrDigit ? static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) : '-';
    }
    return word;
}

// The year's planetary phenomena at the minute the planets page prints them. Each UID is made
// of the event, its bodies and its UT minute ("opposition-jupiter-sun-20260110T0741Z"), so it
// stays the same whatever the time zone. The longest UID line stays within the 75 octets of
// an unfolded line: the iCalendar library folds some lines just over that length wrongly,
// leaving a bare CR and a bare LF.
void addPlanets(const SettingsRecord& settings, std::vector<CalendarEvent>& events)
{
    for (const Phenomenon& phenomenon : phenomenaOfYear(settings)) {
        const double time = printedInstantUT(phenomenon.instant.mjdUT, settings.time.zone);
        std::string key = uidWord(phenomenonName(phenomenon.kind)) + "-" + uidWord(phenomenon.body);
        if (!phenomenon.other.empty())
            key += "-" + uidWord(phenomenon.other);
        std::string minute = utcTimeText(std::round(phenomenon.instant.mjdUT * kMinutesPerDay) / kMinutesPerDay);
        minute.erase(minute.size() - 3, 2);  // "YYYYMMDDTHHMMSSZ" without the seconds
        CalendarEvent event = timedEvent(key + "-" + minute, phenomenonText(phenomenon), time, time);
        event.category = "Planets";
        events.push_back(std::move(event));
    }
}

// A date or date-time property from its text. The library's own time values stop at the year
// 3000 (later ones come out as zeros), while the format holds years to 9999; so the value is
// given as text with its kind named, which the library writes as it writes its own values.
icalproperty* timeProperty(icalproperty_kind kind, const std::string& text, bool date)
{
    icalproperty* property = icalproperty_new(kind);
    icalproperty_set_value(property, icalvalue_new_x(text.c_str()));
    icalproperty_set_parameter(property, icalparameter_new_value(date ? ICAL_VALUE_DATE : ICAL_VALUE_DATETIME));
    return property;
}

icalcomponent* eventComponent(const CalendarEvent& event, const std::string& stamp)
{
    icalcomponent* component = icalcomponent_new_vevent();
    icalcomponent_add_property(component, icalproperty_new_uid(event.uid.c_str()));
    icalcomponent_add_property(component, timeProperty(ICAL_DTSTAMP_PROPERTY, stamp, false));
    if (event.allDay) {
        icalcomponent_add_property(component, timeProperty(ICAL_DTSTART_PROPERTY, dateText(event.startUT), true));
        icalcomponent_add_property(component, timeProperty(ICAL_DTEND_PROPERTY, dateText(event.startUT + 1.0), true));
    } else {
        icalcomponent_add_property(component, timeProperty(ICAL_DTSTART_PROPERTY, utcTimeText(event.startUT), false));
        if (event.endUT > event.startUT)
            icalcomponent_add_property(component, timeProperty(ICAL_DTEND_PROPERTY, utcTimeText(event.endUT), false));
    }
    icalcomponent_add_property(component, icalproperty_new_summary(event.summary.c_str()));
    if (!event.description.empty())
        icalcomponent_add_property(component, icalproperty_new_description(event.description.c_str()));
    if (!event.category.empty())
        icalcomponent_add_property(component, icalproperty_new_categories(event.category.c_str()));
    // Astronomical events and holidays do not make the user busy.
    icalcomponent_add_property(component, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return component;
}

}  // namespace

std::vector<CalendarEvent> yearCalendarEvents(const SettingsRecord& settings, bool withPlanets)
{
    const YearLunations lunations = computeYearLunations(settings);
    std::vector<CalendarEvent> events;
    addPhases(settings, lunations.phases, events);
    addSeasons(settings, events);
    addEclipses(settings, lunations.eclipses, events);
    addHolidays(settings, events);
    if (withPlanets)
        addPlanets(settings, events);
    const std::string uidEnd = uidSuffix(settings);
    for (CalendarEvent& event : events)
        event.uid += uidEnd;
    return events;
}

std::string calendarFileText(const SettingsRecord& settings, const std::vector<CalendarEvent>& events,
                             long long stampUnixSeconds)
{
    icalcomponent* calendar = icalcomponent_new_vcalendar();
    icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
    const std::string prodid = numberText("-//Quorvel//Quorvel %s//EN", kVersion);
    icalcomponent_add_property(calendar, icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(calendar, icalproperty_new_method(ICAL_METHOD_PUBLISH));
    // The name most calendar programs show for an imported calendar.
    const std::string title = numberText("Quorvel %d ", settings.time.year) + locationName(settings);
    icalproperty* name = icalproperty_new_x(title.c_str());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar, name);

    const double stampMjd = static_cast<double>(stampUnixSeconds) / kSecondsPerDay + kMjdOfUnixEpoch;
    const std::string stamp = utcTimeText(stampMjd);
    for (const CalendarEvent& event : events)
        icalcomponent_add_component(calendar, eventComponent(event, stamp));

    char* serialized = icalcomponent_as_ical_string_r(calendar);
    std::string text = serialized ? serialized : "";
    std::free(serialized);
    icalcomponent_free(calendar);
    return text;
}

bool calendarExportText(const SettingsRecord& settings, long long stampUnixSeconds, std::string& text,
                        bool withPlanets)
{
    text.clear();
    if (settings.time.year < kCalendarExportYearMin || settings.time.year > kCalendarExportYearMax)
        return false;
    text = calendarFileText(settings, yearCalendarEvents(settings, withPlanets), stampUnixSeconds);
    return true;
}

}  // namespace qv
