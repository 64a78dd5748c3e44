#pragma once
// The settings record: every input of the program (date, time, zone, TT - UT, location,
// display, map, solar-panel and special-eclipse settings) and the window's selection.
#include "base/julian.h"

namespace qv {

constexpr int kLocationNameSize = 31;   // 30 characters and the NUL
constexpr int kLocationNameMax = 30;

struct SettingsRecord {
    int day = 1;
    int month = 1;
    int year = 2000;
    int hour = 0;
    int minute = 0;
    int second = 0;
    double currentMjd = 0.0;        // local civil time
    double satTimeStep = 300.0;     // seconds
    double timeZone = 0.0;          // hours east of Greenwich
    double deltaT = 0.0;            // TT - UT, seconds
    double panelAzimuth = 180.0;    // degrees
    double panelElevation = 45.0;   // degrees
    double panelEfficiency = 15.0;  // percent
    int panelStartMonth = 1;
    int panelEndMonth = 12;
    int deltaTAuto = 1;             // 1: deltaT follows deltaTDefault(year)
    double latitude = 0.0;          // degrees, north positive
    double longitude = 0.0;         // degrees, east positive
    double height = 0.0;            // metres above sea level
    double satHeight = 35788.1189;  // km above the Earth
    unsigned char satEllipsoid = 0; // 1: ellipsoid with the Earth's flattening, 0: sphere
    char locationName[kLocationNameSize] = "Default";
    int dmsFlag = 0;                // 1: angles in packed DD.MMSS
    int lastPage = 0;               // 0 start, 1 phases, 2 calendar, 3 eclipse list, 4 special map
    int mapProjection = 0;          // 0 simple, 1 north, 2 south, 3 physical
    double centralMeridian = 0.0;   // degrees
    int selectedEclipse = 0;        // 1-based number of the eclipse shown in the details
    int mapStep = 30;               // minutes
    int mapGrid = 0;                // 0 none, 1 30-degree grid, 2 10-degree grid
    int mapGrey = 1;                // 1 grey background
    int mapBorders = 1;             // 1 borders between countries on the eclipse maps
};

// TT - UT in seconds as the settings choose it: deltaTDefault(year) when deltaTAuto is set,
// else the stored deltaT.
inline double settingsDeltaTSeconds(const SettingsRecord& settings)
{
    return settings.deltaTAuto ? deltaTDefault(settings.year) : settings.deltaT;
}

}  // namespace qv
