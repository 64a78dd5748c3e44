#pragma once
// Circumstances of one eclipse of the year's table, found by stepping through time with the
// shadow geometry engine: when each phase begins and ends anywhere on the Earth, and at the
// settings' location when the eclipse is in progress with the body above the horizon, the
// greatest local magnitude and the start and end of totality or annularity there.
// Against PyEphem at ten places: local magnitude within 0.0013, central phase within 12 s,
// greatest eclipse within 5 s in the path and 29 s for partial views; lunar phases within
// 2 min of the published contacts of 2025-03-14.
#include <string>

#include "base/settings.h"
#include "base/vector.h"

namespace qv {

constexpr int kMaxEclipsePhases = 4;

// The phases of an eclipse as a whole. Kinds are instantaneous classes (SolarEclipseClass or
// LunarEclipseClass); times are local-time MJDs.
struct EclipsePhaseTable {
    int phaseCount = 0;
    int phaseKinds[kMaxEclipsePhases] = {};
    double phaseBegin[kMaxEclipsePhases] = {};
    double phaseEnd[kMaxEclipsePhases] = {};
};

// Fraction of the Sun's diameter covered by the Moon for an observer at geodetic latitude and
// east longitude (radians) and height (m) at mjdUT, from geocentric true-equatorial Sun and
// Moon in Earth radii; both refracted when above -2 degrees. 0 when the discs do not overlap.
// centralFlag: 1 when one disc lies wholly inside the other (total or annular there), else 0.
double localEclipseMagnitude(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                             double heightM, const Vec3& sun, const Vec3& moon, int& centralFlag);

// Scans the eclipse at eclipseIndex of the settings' table (kind < 0: lunar) minute by minute
// from 12 h before its greatest eclipse: fills the phase table, appends one line per phase to
// text (while it is at most 200 characters long), and fills settings.localCircumstances,
// eclipseBegin and eclipseEnd; for a local magnitude above 0.8 it times the central phase at
// the location to the second. Returns the number of phases (0, with nothing filled, for an
// index outside the table).
int eclipseCircumstances(SettingsRecord& settings, int eclipseIndex, EclipsePhaseTable& phases,
                         int eclipseKind, std::string& text);

}  // namespace qv
