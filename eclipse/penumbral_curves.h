#pragma once
// The penumbral limits and the sunrise/sunset curves as timed lines: the samples in time of
// map_curves.h joined into the pieces a map or an export draws. A piece ends where its curve
// has no point at an instant.
#include "eclipse/map_curves.h"
#include "eclipse/path_outline.h"

namespace qv {

struct PenumbralCurves {
    TimedCurve northernLimit;  // the limit whose points lie farther north on average
    TimedCurve southernLimit;
    TimedCurve riseSet;        // where the eclipse begins or ends at sunrise or sunset
};

// The curves of the samples. The two rise/set points of each instant continue the two pieces
// whose last points lie nearest to them, so the curves do not cross over between instants.
PenumbralCurves penumbralCurves(const PenumbralSamples& samples);

}  // namespace qv
