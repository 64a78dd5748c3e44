#pragma once
// The northern and southern limits of the path of totality or annularity: where the edge of
// the Moon's umbral (or antumbral) cone grazes the Earth's surface. At each instant the limit
// point is the place on the ellipsoid that lies on the cone's edge and, being fixed to the
// rotating Earth, touches the edge only then (the shadow's edge moves along the ground there).
// Geometric: no refraction, observer at sea level on the WGS 84 ellipsoid.
// Against an independent PyEphem computation (tools/ephem_umbral_limits.py: where the Moon's
// disc just covers or inscribes the Sun's) at 22 meridians: 2024-04-08 within 1.0 km, 2017-08-21
// 2.0 to 3.2 km north on both sides like its central line; the width within 0.3 km
// (tests/eclipse/umbral_limits_test.cpp). Places 3 km inside and outside every tenth vertex see
// and miss the central phase (Sun above 5 degrees).
// The northern limit is the side towards the Earth's north pole as seen along the shadow axis.
#include <vector>

#include "base/instant.h"

namespace qv {

enum class LimitSide : int { Northern, Southern };

struct UmbralLimitPoint {
    double mjdUT = 0.0;
    double latitudeDeg = 0.0;   // geodetic
    double longitudeDeg = 0.0;  // east, (-180, 180]
    LimitSide side = LimitSide::Northern;
    bool startsPiece = false;  // the first point of a piece of the limit
};

// The two limits, each in the order of time, in pieces. A side has no point at instants when
// that edge of the cone misses the Earth or grazes it where the Sun is below the horizon; each
// piece begins and ends where the limit meets the horizon (or its edge leaves the Earth), timed
// to a millisecond, between its points at whole steps.
struct UmbralLimits {
    std::vector<UmbralLimitPoint> northern;
    std::vector<UmbralLimitPoint> southern;
};

// The limit point of one side at an instant; false when there is none.
bool umbralLimitPoint(const Instant& instant, LimitSide side, UmbralLimitPoint& point);

// The limits at begin, begin + stepDays, ... up to endUT and the ends of their pieces, with the
// TT - UT of begin.
UmbralLimits umbralLimits(const Instant& begin, double endUT, double stepDays);

}  // namespace qv
