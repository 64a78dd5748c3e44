#pragma once
// The path of a solar eclipse as timed lines, for export to map programs: the central line, the
// umbral limits, the penumbral limits and the sunrise/sunset curves, each vertex with its UT,
// and the point of greatest eclipse. The points are those of the world map.
#include <vector>

#include "base/settings.h"
#include "eclipse/lunation.h"
#include "eclipse/map_curves.h"
#include "eclipse/path_outline.h"

namespace qv {

struct EclipsePath {
    EclipseEvent eclipse;
    GeoPoint greatest;          // as the map marks it
    double greatestUT = 0.0;
    TimedCurve centralLine;     // empty for a non-central eclipse
    TimedCurve northernLimit;   // umbral or antumbral
    TimedCurve southernLimit;
    TimedLine outline;          // of the path between the limits (pathOutline); empty when a limit is missing
    TimedCurve northernPenumbralLimit;
    TimedCurve southernPenumbralLimit;
    TimedCurve riseSetCurves;   // where the eclipse begins or ends at sunrise or sunset
};

// The path of a solar eclipse of the settings' year (TT - UT and zone from the settings).
EclipsePath eclipsePath(const SettingsRecord& settings, const EclipseEvent& eclipse);

}  // namespace qv
