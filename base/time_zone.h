#pragma once
// The time zone of the pages. Every instant is kept in UT; local time exists only where a
// page, dialog or export renders a time (localMjd) or reads one the user typed (utFromLocal).
// These two functions are the only places that turn UT into local time or back.

namespace qv {

struct TimeZone {
    double offsetHours = 0.0;  // hours east of Greenwich
};

// Offset from UT in hours in force at an instant of UT.
double zoneOffsetHoursAt(double mjdUT, const TimeZone& zone);

// Local civil time, as an MJD, of an instant of UT.
double localMjd(double mjdUT, const TimeZone& zone);

// The instant of UT of a local civil time (an MJD) read from the user.
double utFromLocal(double mjdLocal, const TimeZone& zone);

}  // namespace qv
