#pragma once
// Settings of a year for the tests: with its zone and the default TT - UT, or with a given
// TT - UT and place.
#include "base/julian.h"
#include "base/settings.h"
#include "reports/year_tables.h"

namespace qv::test {

// The year and zone with the default TT - UT of the year; everything else at its default.
inline SettingsRecord settingsFor(int year, double zoneHours)
{
    SettingsRecord settings;
    settings.time.year = year;
    settings.time.zone.offsetHours = zoneHours;
    return settings;
}

inline SettingsRecord yearSettings(int year, double zoneHours, double deltaTSeconds, double latitudeDeg,
                                   double longitudeDeg, double heightM = 0.0)
{
    SettingsRecord settings;
    settings.time.year = year;
    settings.time.zone.offsetHours = zoneHours;
    settings.time.deltaTManualSeconds = deltaTSeconds;
    settings.time.deltaTFollowsYear = false;
    settings.observer.latitudeDeg = latitudeDeg;
    settings.observer.longitudeDeg = longitudeDeg;
    settings.observer.heightM = heightM;
    return settings;
}

}  // namespace qv::test
