#pragma once
// The year as an iCalendar file for other calendar programs: the principal phases of the Moon
// and the equinoxes and solstices as timed events in UTC, each eclipse from its begin to its end
// anywhere on the Earth (with the local circumstances of the details where it is visible at the
// settings' place), the holidays of the holidays page as all-day events, and the planetary
// phenomena of the planets page as timed events of the category "Planets".
// Times are those the pages print, to the minute; dates are Gregorian, also before 1582.
#include <string>
#include <vector>

#include "base/settings.h"

namespace qv {

// Years whose events all fall within the Gregorian years 1 to 9999 that the file can hold.
constexpr int kCalendarExportYearMin = 2;
constexpr int kCalendarExportYearMax = 9998;
constexpr const char* kCalendarExportYearMessage = "Calendar export covers the years 2 to 9998.";

// One event of the exported year.
struct CalendarEvent {
    std::string uid;          // the same for the same year, event and location
    std::string summary;
    std::string description;  // empty: none
    std::string category;     // empty: none
    bool allDay = false;
    double startUT = 0.0;     // MJD UT; for an all-day event any moment of its civil day
    double endUT = 0.0;       // MJD UT, not before startUT; unused for an all-day event
};

// The events of settings.time.year for its zone, TT - UT and location: phases in time order,
// the four seasons, the eclipses, the holidays in page order, then (withPlanets) the planetary
// phenomena in time order.
std::vector<CalendarEvent> yearCalendarEvents(const SettingsRecord& settings, bool withPlanets = true);

// The iCalendar text of the events (CRLF line ends, long lines folded), stamped with the
// UTC time unixSeconds.
std::string calendarFileText(const SettingsRecord& settings, const std::vector<CalendarEvent>& events,
                             long long stampUnixSeconds);

// The calendar of settings.time.year as calendarFileText; false (text empty) for a year outside
// kCalendarExportYearMin .. kCalendarExportYearMax.
bool calendarExportText(const SettingsRecord& settings, long long stampUnixSeconds, std::string& text,
                        bool withPlanets = true);

}  // namespace qv
