#pragma once
// Special eclipses: the central line of a solar eclipse on a surface at a height above the
// Earth (a sphere of the Earth's equatorial radius plus the height, or an ellipsoid with the
// Earth's flattening), such as the orbit shell of a satellite. At one instant the shadow axis
// can cross that surface at two places when it misses the Earth below.
// The same geometry as the shadow engine; at height 0 on the ellipsoid it gives the engine's
// central line (tests/eclipse/special_eclipse_test.cpp), whose accuracy central_line.h states.
// Not checked against an independent computation above the Earth.
#include <vector>

#include "base/instant.h"
#include "base/search.h"

namespace qv {

enum ElevatedPointKind : int { kNoElevatedPoint = 0, kElevatedTotal = 1, kElevatedAnnular = 2 };

struct ElevatedCentralPoint {
    int kind = kNoElevatedPoint;
    double latitudeDeg = 0.0;   // geodetic latitude of the ground point below
    double longitudeDeg = 0.0;  // east, (-180, 180]
};

// Where the shadow axis enters (and, when it misses the Earth, leaves) the elevated surface.
struct ElevatedCentralPoints {
    ElevatedCentralPoint entry;
    ElevatedCentralPoint exit;
};

// The central points at an instant on the surface heightKm above the equator (a negative height
// counts as 0): a sphere, or with ellipsoid set an ellipsoid of the Earth's flattening. Kind
// total where the umbra reaches the point (a zero umbral diameter included), else annular.
// On the sphere the latitude is that of the ground point straight below the surface point.
// Only crossings beyond the Moon as seen from the Sun count: a surface reaching past the Moon
// has none where the axis enters it, only where it leaves it away from the Sun.
ElevatedCentralPoints elevatedCentralPoints(const Instant& instant, double heightKm, bool ellipsoid);

struct TrackPoint {
    int kind = kNoElevatedPoint;
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
};

// As many threads as the machine runs at once, at most 4.
int specialTrackParts();

// Every central point on the surface (as for elevatedCentralPoints) at one-minute steps over
// the two days either side of centre (with its TT - UT), in the order of the minutes. The
// minutes are shared out to that many threads (the calling one included); the track is the
// same for any number. Minutes whose shadow axis cannot reach the surface are passed over
// (Skipping::None evaluates every one).
std::vector<TrackPoint> specialEclipseTrack(const Instant& centre, double heightKm, bool ellipsoid,
                                            int threads = specialTrackParts(),
                                            Skipping skipping = Skipping::ByBounds);

// Date and time of a UT instant in whole seconds; an instant a hair below a whole second (from
// stepping back and forth) counts as that second.
struct UtInstant {
    int year = 0, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
UtInstant splitUtInstant(double mjdUT);

}  // namespace qv
