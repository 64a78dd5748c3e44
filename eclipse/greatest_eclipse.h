#pragma once
// The greatest eclipse of a central solar eclipse: the instant when the shadow axis passes
// nearest the Earth's centre, the point where it meets the Earth then and the duration of the
// central phase there. Found by golden-section search on the shadow engine to a second; the
// point and duration are as exact as the engine (eclipse_geometry.h).
#include "eclipse/lunation.h"

namespace qv {

constexpr double kGreatestEclipseSearchHalfDays = 3.0 / 24.0;

// The greatest eclipse: its instant, and for a solar eclipse the magnitude then (solarMagnitude:
// for a central eclipse the ratio of the Moon's apparent diameter to the Sun's) and the point of
// greatest eclipse, where the shadow axis meets the Earth then (a central eclipse, with the
// duration of the central phase and the width of the path there) or the ground point below the
// axis's nearest approach to the Earth's centre.
struct GreatestEclipse {
    Instant instant;
    double magnitude = 0.0;  // solar only
    bool central = false;
    double latitudeDeg = 0.0;   // geodetic; 0 for a lunar eclipse
    double longitudeDeg = 0.0;  // east, (-180, 180]
    double durationSeconds = 0.0;  // central only: as centralMotion gives it
    double widthKm = 0.0;
};

// The instant, within halfWidthDays of an estimate, when the shadow axis passes nearest the
// Earth's centre (solar eclipses) or the Moon nearest the axis of the Earth's shadow (lunar
// eclipses), to toleranceDays. The window must hold one syzygy only (a day or so).
// The instant keeps the estimate's TT - UT.
Instant solarGreatestEclipse(const Instant& estimate, double halfWidthDays, double toleranceDays);
Instant lunarGreatestEclipse(const Instant& estimate, double halfWidthDays, double toleranceDays);

// The greatest eclipse of an eclipse of the year's table, searched within
// kGreatestEclipseSearchHalfDays of the lunation finder's time, to about a second. Every page, map and file that names the greatest
// eclipse takes it from here.
GreatestEclipse greatestEclipse(const EclipseEvent& eclipse);

}  // namespace qv
