#pragma once
// The path of a solar eclipse as timed lines, for export to map programs: the central line, the
// umbral limits, the penumbral limits and the sunrise/sunset curves, each vertex with its UT,
// and the point of greatest eclipse. The points are those of the world map.
#include <vector>

#include "base/settings.h"
#include "eclipse/lunation.h"
#include "eclipse/map_curves.h"

namespace qv {

struct TimedPoint {
    double mjdUT = 0.0;
    double latitudeDeg = 0.0;   // geodetic
    double longitudeDeg = 0.0;  // east, (-180, 180]
};

// A curve in connected pieces, each in the order of time.
using TimedLine = std::vector<TimedPoint>;
using TimedCurve = std::vector<TimedLine>;

struct EclipsePath {
    EclipseEvent eclipse;
    GeoPoint greatest;          // as the map marks it
    double greatestUT = 0.0;
    TimedCurve centralLine;     // empty for a non-central eclipse
    TimedCurve northernLimit;   // umbral or antumbral
    TimedCurve southernLimit;
    TimedCurve northernPenumbralLimit;
    TimedCurve southernPenumbralLimit;
    TimedCurve riseSetCurves;   // where the eclipse begins or ends at sunrise or sunset
};

// The path of a solar eclipse of the settings' year (TT - UT and zone from the settings).
EclipsePath eclipsePath(const SettingsRecord& settings, const EclipseEvent& eclipse);

}  // namespace qv
