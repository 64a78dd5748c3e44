#pragma once
// The outline of the path of totality or annularity on the ground, and the path's width across
// it. The outline runs along the northern limit, over the sunset end to the southern limit,
// back along it and over the sunrise end. At the sunrise end it follows the places where the
// Sun rises just as the central phase ends there (the umbra's trailing edge on the horizon);
// at the sunset end the places where the Sun sets just as it begins (the leading edge). Both
// ends meet the limits where those reach the horizon.
#include <vector>

#include "base/instant.h"
#include "eclipse/map_curves.h"
#include "eclipse/umbral_limits.h"

namespace qv {

struct TimedPoint {
    double mjdUT = 0.0;
    double latitudeDeg = 0.0;   // geodetic
    double longitudeDeg = 0.0;  // east, (-180, 180]
    // On the central line: the path's width across it (0 where the outline is not crossed on
    // both sides) and how long the central phase lasts there.
    double widthKm = 0.0;
    double durationSeconds = 0.0;
};

// A curve in connected pieces, each in the order of time.
using TimedLine = std::vector<TimedPoint>;
using TimedCurve = std::vector<TimedLine>;

// The limit's points in pieces (where a piece begins, UmbralLimitPoint::startsPiece).
TimedCurve limitCurve(const std::vector<UmbralLimitPoint>& limit);

// Which crossing of the umbra's edge over a place on the horizon bounds the path there: the
// edge leaving it (at the sunrise end: the Sun rises just as the central phase ends), reaching
// it (at the sunset end), or either as the place turns towards or away from the Sun (a path
// with one limit, along the horizon from one end of it to the other).
enum class HorizonEdge { Leaving, Reaching, AsPlacesTurn };

// The places between two ends of limits on the horizon where the umbra's edge crosses the
// horizon. The instants are those at which the edge crosses each place; from and to themselves
// are not repeated. scale gives the TT - UT.
TimedLine horizonEnd(const Instant& scale, const TimedPoint& from, const TimedPoint& to, HorizonEdge edge);

// The outline as a closed ring (first point not repeated) in the order above. Where one edge of
// the cone never touches the Earth, along the one limit and back over the horizon; empty when
// there is no limit. A limit in several pieces is joined straight across the gap.
TimedLine pathOutline(const Instant& scale, const TimedCurve& northern, const TimedCurve& southern);

// Width of the path (km) at the central line's point of an instant, across the line's direction
// there (from its points 30 s before and after; the point itself where the eclipse is not
// central then): between the nearest crossings of the outline on either side, measured with
// the Earth's radius of curvature in that direction. 0 when the outline is not crossed on both
// sides within about 78 degrees.
double widthAcrossKmAt(const TimedLine& outline, const Instant& instant, const GeoPoint& at);

}  // namespace qv
