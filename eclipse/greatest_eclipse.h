#pragma once
// The greatest eclipse of a central solar eclipse: the instant when the shadow axis passes
// nearest the Earth's centre, the point where it meets the Earth then and the duration of the
// central phase there. Found by golden-section search on the shadow engine to a second; the
// point and duration are as exact as the engine (eclipse_geometry.h).
#include "eclipse/lunation.h"

namespace qv {

struct GreatestCentralPoint {
    bool central = false;       // false when the axis misses the Earth at that instant
    double mjdUT = 0.0;
    double latitudeDeg = 0.0;   // geodetic
    double longitudeDeg = 0.0;  // east, (-180, 180]
    double durationSeconds = 0.0;
    double widthKm = 0.0;
};

// The instant, within halfWidthDays of an estimate, when the shadow axis passes nearest the
// Earth's centre (solar eclipses) or the Moon nearest the axis of the Earth's shadow (lunar
// eclipses), to about a second. The window must hold one syzygy only (a few hours).
// The instant keeps the estimate's TT - UT.
Instant solarGreatestEclipse(const Instant& estimate, double halfWidthDays);
Instant lunarGreatestEclipse(const Instant& estimate, double halfWidthDays);

// Searched within 3 hours of the eclipse's time of greatest eclipse, to about a second.
GreatestCentralPoint greatestCentralPoint(const EclipseEvent& eclipse);

}  // namespace qv
