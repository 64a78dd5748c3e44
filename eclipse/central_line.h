#pragma once
// The central line of a solar eclipse: where the shadow axis meets the Earth at regular steps,
// with the duration of the central phase and the width of the path there and the Sun's
// elevation. The details' table and the world map both take their points from here.
#include <vector>

#include "base/instant.h"
#include "eclipse/eclipse_kind.h"

namespace qv {

struct CentralLinePoint {
    double mjdUT = 0.0;
    double latitudeDeg = 0.0;   // geodetic
    double longitudeDeg = 0.0;  // east, (-180, 180]
    double durationSeconds = 0.0;  // of the central phase there; 0 or -1 as centralMotion gives it
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

// The point of the line where the Sun stands highest (the first of equal ones); nullptr for
// an empty line.
const CentralLinePoint* highestSunPoint(const std::vector<CentralLinePoint>& line);

}  // namespace qv
