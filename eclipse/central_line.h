#pragma once
// The central line of a solar eclipse: where the shadow axis meets the Earth at regular steps,
// with the duration of the central phase and the width of the path there and the Sun's
// elevation. The details' table and the world map both take their points from here.
// Against PyEphem every 5 minutes of 2017-08-21 and 2024-04-08 at PyEphem's TT - UT
// (tools/ephem_eclipse_curves.py, PyEphem's line midway between its umbral limits): the line
// within 0.6 km in 2024 and 2.0 to 2.5 km north in 2017, as by meridian against
// tools/ephem_central_line.py; the duration within 0.8 s (printed in whole seconds); the width
// within 2.1 km with the Sun above 60 degrees, but up to 18 km too narrow towards sunrise and
// sunset (Sun at 11 degrees).
#include <vector>

#include "base/instant.h"
#include "eclipse/eclipse_kind.h"

namespace qv {

struct CentralLinePoint {
    double mjdUT = 0.0;
    double latitudeDeg = 0.0;   // geodetic
    double longitudeDeg = 0.0;  // east, (-180, 180]
    double durationSeconds = 0.0;  // of the central phase there, as centralMotion gives it
    double widthKm = 0.0;
    double sunElevationDeg = 0.0;  // topocentric, without refraction
    EclipseKind kind = EclipseKind::None;  // AnnularSolar or TotalSolar at this instant
};

// The central points from start on at steps of stepDays: first the time advances by steps
// until the eclipse is central (or reaches endUT); from there one point per step at which it
// is central, up to and including the last step not after endUT, and at least the step after
// the first one. The steps are accumulated one by one, as a clock would advance; every step
// keeps the TT - UT of start.
std::vector<CentralLinePoint> centralLine(const Instant& start, double endUT, double stepDays);

// The same, begun and ended where the axis touches the Earth (at the horizon), timed to about
// 0.1 ms and placed to about 1 km (those two points carry no duration or width), and with points
// between neighbours more than about 100 km apart, where the line races over the ground.
std::vector<CentralLinePoint> centralLineWithEnds(const Instant& start, double endUT, double stepDays);


}  // namespace qv
