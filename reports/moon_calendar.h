#pragma once
// The Moon calendar of the settings' year: each day's Moon as it looks in the evening (its lit
// fraction and the position angle of its bright limb), the four principal phases with their
// local times, and the days of the eclipses, supermoons and holidays, in the settings' zone.
// The lit fractions agree with PyEphem's within 0.0021 on every evening of 2026
// (tools/ephem_moon_evenings.py, tests/reports/moon_calendar_test.cpp).
#include <string>
#include <vector>

#include "base/settings.h"
#include "reports/year_tables.h"

namespace qv {

// The local wall-clock hour at which each day's Moon is taken: an evening hour, after dusk for
// most of the year at middle latitudes, when the waxing Moon is still up.
constexpr double kMoonEveningHour = 21.0;
// A New or Full Moon closer to the Earth's centre than this is a supermoon; only a Moon within
// about a day of perigee comes this close.
constexpr double kSupermoonDistanceKm = 360000.0;

struct MoonCalendarDay {
    int month = 1;
    int day = 1;                      // as the civil calendar numbers it
    int weekday = 0;                  // 0 Monday .. 6 Sunday
    double eveningUT = 0.0;           // MJD of kMoonEveningHour local time
    double litFraction = 0.0;         // seen from the Earth's centre, 0 to 1
    double brightLimbAngleDeg = 0.0;  // position angle of the bright limb, from north through east
};

// A principal phase: its kind, instant and the local day and "HH:MM" it is printed at.
struct MoonCalendarPhase {
    PhaseKind kind = kNewMoon;
    double mjdUT = 0.0;
    int month = 1;
    int day = 1;
    std::string timeText;
    bool supermoon = false;  // New or Full Moon closer than kSupermoonDistanceKm
};

// An eclipse or a holiday on a local day.
struct MoonCalendarMark {
    int month = 1;
    int day = 1;
    std::string label;  // "Total eclipse of the Sun", "Easter", ...
};

struct MoonCalendar {
    int year = 0;
    std::string place;
    std::string zoneLabel;   // the zone as the pages name it in the middle of the month; the year: its name
    bool southernView = false;  // the observer south of the equator sees the Moon turned 180 degrees
    std::vector<MoonCalendarDay> days;        // in the order of time
    std::vector<MoonCalendarPhase> phases;    // in the order of time
    std::vector<MoonCalendarMark> eclipses;   // local day of greatest eclipse
    std::vector<MoonCalendarMark> holidays;
};

// The calendar of month 1..12 of the settings' year, or of the whole year for any other month
// (0): days of those months only, phases, eclipses and holidays of the year falling in them.
MoonCalendar moonCalendar(const SettingsRecord& settings, int month);

// The Moon's lit fraction and bright-limb position angle (degrees, from north through east) at
// an instant, from the geocentric Sun and Moon.
struct MoonLook {
    double litFraction = 0.0;
    double brightLimbAngleDeg = 0.0;
};
MoonLook moonLookAt(const Instant& instant);

}  // namespace qv
