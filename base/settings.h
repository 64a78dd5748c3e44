#pragma once
// The inputs of the program in the parts each computation takes: the observer, the time
// settings, the display and map settings, the solar panel and the special eclipse.
// SettingsRecord gathers them for the window and the batch companion.
#include "base/instant.h"
#include "base/observer.h"
#include "base/time_zone.h"

namespace qv {

// The year of the tables, the zone of the pages, TT - UT and the current instant.
struct TimeSettings {
    int year = 2000;
    // Local date and time the Day and Sky Details commands start from (the year is year).
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    TimeZone zone;
    double deltaTManualSeconds = 0.0;  // TT - UT when it does not follow the year
    bool deltaTFollowsYear = true;     // TT - UT follows the rule for each instant's year
    double currentMjdUT = 0.0;         // the clock at start; the special eclipse's instant
};

// How every instant finds its TT - UT: the rule for its own year, or the manual value.
inline DeltaTRule deltaTRule(const TimeSettings& time)
{
    return {time.deltaTFollowsYear, time.deltaTManualSeconds};
}

// TT - UT in seconds in the year of the tables, as the Delta-Time dialog shows it.
inline double deltaTSecondsOfYear(const TimeSettings& time)
{
    return deltaTRule(time).secondsInYear(time.year);
}

// The style of the eclipse maps; the numbers are those of the map option and dialog buttons.
enum class MapProjection { SimpleWorld = 0, Northern = 1, Southern = 2, PhysicalWorld = 3 };

// The parallels and meridians drawn on the world maps; numbered as MapProjection.
enum class MapGrid { None = 0, Every30Degrees = 1, Every10Degrees = 2 };

// How angles are written and how the eclipse maps are drawn.
struct DisplaySettings {
    bool dmsAngles = false;          // angles in the packed DD.MMSS form
    MapProjection mapProjection = MapProjection::SimpleWorld;
    double centralMeridianDeg = 0.0;
    int mapStepMinutes = 30;         // step of the central-line table
    MapGrid mapGrid = MapGrid::None;
    bool mapGrey = true;             // grey background, else white
    bool mapBorders = true;          // borders between countries drawn
};

// A fixed solar panel and the months of its statistics.
struct SolarPanel {
    double azimuthDeg = 180.0;
    double elevationDeg = 45.0;
    double efficiencyPercent = 15.0;
    int startMonth = 1;
    int endMonth = 12;
};

// The surface a special eclipse is computed on and its time step.
struct SpecialEclipseSettings {
    double heightKm = 35788.1189;  // above the Earth
    bool ellipsoid = false;        // an ellipsoid with the Earth's flattening, else a sphere
    double stepSeconds = 300.0;
};

struct SettingsRecord {
    TimeSettings time;
    Observer observer;
    DisplaySettings display;
    SolarPanel panel;
    SpecialEclipseSettings special;
};

}  // namespace qv
