#pragma once
// What the world map of a solar eclipse plots: the central line at one-minute steps, the
// penumbral limits, the sunrise/sunset curves and the point of greatest eclipse, and the
// map's title. Plain geographic points; projecting and drawing them is the window's part.
#include <string>
#include <vector>

#include "base/settings.h"
#include "eclipse/map_curves.h"

namespace qv {

struct CentralMapPoint {
    int centralClass = 0;  // SolarEclipseClass: 4 annular, 5 total
    GeoPoint point;
};

struct EclipseMapPoints {
    std::vector<CentralMapPoint> centralLine;
    MapCurves curves;
    GeoPoint greatest;
};

// True when settings.selectedEclipse is a solar eclipse of the settings' eclipse table.
bool isSolarEclipseSelected(const SettingsRecord& settings);

// The points of the map of the selected solar eclipse, all in decimal degrees whatever the
// angle display: the central line of the details' central-line table run at one-minute steps,
// the limits and rise/set curves over the eclipse's first to last contact, and the point of
// greatest eclipse (the central point with the highest Sun for central eclipses). The
// settings are left as they were. Nothing for a selection that is no solar eclipse.
EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings);

// The map's title: year, date of the list line and kind, e.g. "  2024  APR 08    Total Eclipse
// of the Sun".
std::string eclipseMapTitle(const SettingsRecord& settings);

}  // namespace qv
