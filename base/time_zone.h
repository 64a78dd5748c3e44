#pragma once
// The time zone of the pages. Every instant is kept in UT; local time exists only where a
// page, dialog or export renders a time (localMjd) or reads one the user typed (utFromLocal).
// These two functions are the only places that turn UT into local time or back.
//
// A zone is either a fixed offset from UT or a named zone of the system's time-zone database
// (IANA names such as "Europe/Vienna"), whose offset follows daylight saving and the
// historical changes the database records. Before a zone's first rule the database's local
// mean time applies; after its last recorded change its last rule continues. Instants are
// clamped to the years about -10700 .. 11400, far beyond the program's years -9999 .. 9999.
// The database is read through the date/tz library, the rule after the last recorded change by
// base/zone_rule.h. Every change of offset of ten zones in years 1890-2400, and of Nuuk in every
// year to 2100, agrees exactly with Python's zoneinfo over the same tzdata
// (tools/zoneinfo_cases.py, tests/base/time_zone_test.cpp; the printed pages:
// tests/cli/named_zone_check.py).
#include <string>
#include <vector>

namespace qv {

struct ZoneRules;  // the offsets of one named zone, loaded once per run and never freed

struct TimeZone {
    double offsetHours = 0.0;          // hours east of Greenwich: the zone when name is empty
    std::string name{};                // IANA zone name; empty: the fixed offsetHours
    // The loaded rules of name (set by findTimeZone): not owned, they live as long as the process.
    const ZoneRules* rules = nullptr;
};

// Looks a zone name up in the system's time-zone database, in any case ("europe/vienna").
// Known: sets zone.name (the database's spelling) and zone.rules and returns true (offsetHours
// stays as the fallback). Unknown: returns false and leaves zone unchanged.
bool findTimeZone(const char* name, TimeZone& zone);

// The name of the system's time zone: the zone TZ names (as "Europe/Vienna", ":Europe/Vienna" or
// a path into the database), else the zone /etc/localtime links to, else the name in
// /etc/timezone; links of the database followed to the present name ("Europe/Kiev" gives
// "Europe/Kyiv"). A TZ that names no file of the database is returned as it is, for the caller
// to refuse; empty when none of them names a zone.
std::string systemTimeZoneName();

// Every zone name of the system's time-zone database, sorted; empty when the database cannot
// be read.
std::vector<std::string> timeZoneNames();

// Offset from UT in hours in force at an instant of UT.
double zoneOffsetHoursAt(double mjdUT, const TimeZone& zone);

// Local civil time, as an MJD, of an instant of UT.
double localMjd(double mjdUT, const TimeZone& zone);

// The instant of UT of a local civil time (an MJD) read from the user. In the hour repeated
// when the clocks go back the first occurrence is taken; a time skipped when they go forward
// is moved forward by the gap (02:30 in a 02:00 -> 03:00 change reads as 03:30).
double utFromLocal(double mjdLocal, const TimeZone& zone);

// The instant of UT of a local date and hour of day typed by the user, read as utFromLocal
// reads it (a fixed offset subtracted from the hour, as the pages always have).
double utFromLocalDate(int day, int month, int year, double hours, const TimeZone& zone);

// The seconds by which utFromLocalDate moves a typed local date and hour forward because the
// clocks skipped it (3600 for 02:30 in a 02:00 -> 03:00 change, 86400 for a date the zone left
// out); 0 for every other time, and for a fixed offset.
long long skippedSeconds(int day, int month, int year, double hours, const TimeZone& zone);

// The instant of UT of a local time given in the offset in force at the instant mjdUTNear:
// for a local time read off a nearby instant (its printed minute, say), which keeps the
// occurrence of a repeated hour that instant had.
double utFromLocalNear(double mjdLocal, double mjdUTNear, const TimeZone& zone);

// True for a named zone the database knows, false for a fixed offset (which a name the
// database does not know also leaves).
bool isNamedZone(const TimeZone& zone);

// The zone as a page names it at an instant: "Europe/Vienna +2", "Asia/Kathmandu +5:45",
// "America/St_Johns -2:30"; a fixed offset as the number alone ("1", "5.5").
std::string zoneLabelAt(double mjdUT, const TimeZone& zone);

}  // namespace qv
