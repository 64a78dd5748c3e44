#pragma once
// The lunation finder: the time of a principal Moon phase near a decimal year, with eclipse
// detection at New and Full Moon, and the collector that fills the year's phase lists and
// its table of eclipses. The mean phases, their periodic terms and the eclipse quantities
// (gamma, u and their limits) are those of Meeus, Astronomical Formulae for Calculators (1982);
// beyond the years 0-4000 the greatest eclipse is taken from the shadow engine.
// Phase times within 2.8 min of PyEphem over 1900-2100 (tools/make_phase_reference.py; 1800
// phases of 1800-2200 within 3 min, tools/ephem_lunar_phases.py, tests/eclipse/lunation_test.cpp);
// the kinds of every eclipse of 1995-2030 agree with the published catalogues.
#include <vector>

#include "base/time_zone.h"
#include "eclipse/eclipse_kind.h"

namespace qv {

// At most this many eclipses are kept for one year (a year has at most seven).
constexpr int kMaxEclipses = 12;
constexpr int kMaxPhasesPerList = 15;

// The eclipse a New or Full Moon brings: kind (None when there is none), the time of greatest
// eclipse as an MJD in Terrestrial Time and the magnitude (1.0 for central solar eclipses).
struct SyzygyEclipse {
    EclipseKind kind = EclipseKind::None;
    double greatestTT = 0.0;
    double magnitude = 0.0;
    double umbralMagnitude = 0.0;  // lunar eclipses: negative for a penumbral one
};

// One eclipse of the year's table.
struct EclipseEvent {
    EclipseKind kind = EclipseKind::None;
    double greatestUT = 0.0;  // MJD of greatest eclipse
    double magnitude = 0.0;
    double umbralMagnitude = 0.0;  // lunar eclipses: negative for a penumbral one
};

// Time of one principal Moon phase near a decimal year, as an MJD in Terrestrial Time.
// phase: 0 New, 0.25 First Quarter, 0.5 Full, 0.75 Last Quarter.
// eclipse.kind is always written (None unless an eclipse is found); its time and magnitude only
// on the eclipse paths. Beyond the years 0 to 4000 the time of greatest eclipse is the shadow
// engine's, and an eclipse the engine does not see then is none.
double lunarPhase(double decimalYear, double phase, double deltaTSeconds, SyzygyEclipse& eclipse);

// Finds the phase nearest decimalYear, appends its instant (UT) to the list when it lies in
// [windowStartUT, windowEndUT] and is new, and appends an eclipse of that lunation whose
// greatest eclipse falls in the window to eclipses (duplicates within 0.01 day dropped, at
// most kMaxEclipses). The instants are formed so that they print in the zone exactly as the
// tables have always printed them (utFromTTForPages).
void collectLunation(double windowStartUT, double windowEndUT, double decimalYear, const TimeZone& zone,
                     double deltaTSeconds, int& count, double* list, double phase,
                     std::vector<EclipseEvent>& eclipses);

}  // namespace qv
