#pragma once
// Settings holding the eclipse table of a year, as the year driver leaves them, for eclipse tests.
#include "base/settings.h"
#include "reports/year_tables.h"

namespace qv::test {

inline SettingsRecord yearSettings(int year, double zoneHours, double deltaTSeconds, double latitudeDeg,
                                   double longitudeDeg, double heightM = 0.0)
{
    SettingsRecord settings;
    settings.year = year;
    settings.timeZone = zoneHours;
    settings.deltaT = deltaTSeconds;
    settings.latitude = latitudeDeg;
    settings.longitude = longitudeDeg;
    settings.height = heightM;
    PhaseLists phases;
    computeYearPhases(settings, phases);
    return settings;
}

}  // namespace qv::test
