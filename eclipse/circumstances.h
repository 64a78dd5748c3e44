#pragma once
// Circumstances of one eclipse of the year's table, found by stepping through time with the
// shadow geometry engine: when each phase begins and ends anywhere on the Earth, and at a
// place when the eclipse is in progress with the body above the horizon, the
// greatest local magnitude and the start and end of totality or annularity there.
// Against PyEphem at ten places: local magnitude within 0.0013, central phase within 12 s,
// greatest eclipse within 5 s in the path and 29 s for partial views
// (tools/ephem_local_eclipses.py, tests/eclipse/circumstances_test.cpp); lunar phases within
// 2 min of the published contacts of 2025-03-14.
#include "base/observer.h"
#include "base/search.h"
#include "base/vector.h"
#include "eclipse/lunation.h"

namespace qv {

constexpr int kMaxEclipsePhases = 4;

// One phase of an eclipse as a whole: the kind the engine's class of the phase maps to (the
// partial phase of a total solar eclipse is PartialSolar), and its first and last instant.
struct EclipsePhase {
    EclipseKind kind = EclipseKind::None;
    double beginUT = 0.0;  // MJD
    double endUT = 0.0;    // MJD; 0 for a phase still open when the scan ended
};

// How far the place's view of the eclipse has got: at most two intervals in which it is seen,
// each open (seen at the last instant looked at) or closed.
enum class Visibility { Never, FirstOpen, FirstClosed, SecondOpen, SecondClosed };

// The eclipse at one place.
struct LocalCircumstances {
    Visibility visibility = Visibility::Never;
    double visibleFromUT[2] = {0.0, 0.0};
    double visibleUntilUT[2] = {0.0, 0.0};
    double maxUT = 0.0;               // greatest local magnitude (solar eclipses)
    double maxMagnitude = -1.0;       // -1 until one is found
    double maxElevationRad = -1.0;    // the Sun's elevation then
    double centralStartUT = 0.0;      // totality or annularity at the place ...
    double centralEndUT = 0.0;        // ... ending before it starts when there is none

    bool visible() const { return visibility != Visibility::Never; }
    bool visibleTwice() const
    {
        return visibility == Visibility::SecondOpen || visibility == Visibility::SecondClosed;
    }
    bool hasCentralPhase() const { return centralEndUT >= centralStartUT; }
};

struct EclipseCircumstances {
    int phaseCount = 0;
    EclipsePhase phases[kMaxEclipsePhases];  // phases[0] runs from first to last contact
    LocalCircumstances local;
};

// Fraction of the Sun's diameter covered by the Moon for an observer at geodetic latitude and
// east longitude (radians) and height (m) at mjdUT, from geocentric true-equatorial Sun and
// Moon in Earth radii; both refracted when above -2 degrees. 0 when the discs do not overlap.
// central: whether one disc lies wholly inside the other (total or annular there).
double localEclipseMagnitude(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                             double heightM, const Vec3& sun, const Vec3& moon, bool& central);

// The share of the Sun's disc, by area, that the Moon's disc covers: radii and the separation
// of the centres in the same unit; 0 when the discs do not overlap, 1 when the Moon covers it.
double discObscuration(double sunRadius, double moonRadius, double separation);

// The obscuration at a place at mjdUT, the discs seen as localEclipseMagnitude sees them and the
// bodies taken with the TT - UT of the eclipse's greatest eclipse.
double localObscuration(const EclipseEvent& eclipse, const Observer& place, double mjdUT);

// Scans the eclipse minute by minute from 12 h before its greatest eclipse: the phases of the
// eclipse on the Earth, and at the place when it is in progress with the body above the
// horizon; for a local magnitude above 0.8 it times the central phase there to the second.
// The scans pass over instants whose outcome cannot change, judged from how fast the shadow and
// the bodies can move (Skipping::None evaluates every one). Every instant takes the TT - UT of
// the greatest eclipse.
EclipseCircumstances eclipseCircumstances(const EclipseEvent& eclipse, const Observer& place,
                                          Skipping skipping = Skipping::ByBounds);

// How long the central phase lasts at a place that sees it within 16 minutes of nearUT (a point
// of the central line and its instant), timed to the second as eclipseCircumstances times it;
// 0 when there is none.
double centralDurationSeconds(const EclipseEvent& eclipse, const Observer& place, double nearUT);

}  // namespace qv
