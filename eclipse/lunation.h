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

#include "base/instant.h"
#include "eclipse/eclipse_kind.h"

namespace qv {

// At most this many eclipses are kept for one year (a year has at most seven).
constexpr int kMaxEclipses = 12;
// At most this many phases of one kind are kept for one year (a year has 12 or 13).
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
    // The lunation finder's time of greatest eclipse, within a few minutes of the greatest
    // eclipse itself (greatestEclipse, greatest_eclipse.h). The scans of the eclipse are laid
    // out from it, and every computation of the eclipse takes its TT - UT.
    Instant greatest;
    double magnitude = 0.0;
    double umbralMagnitude = 0.0;  // lunar eclipses: negative for a penumbral one
};

// Time of one principal Moon phase near a decimal year, as an MJD in Terrestrial Time.
// phase: 0 New, 0.25 First Quarter, 0.5 Full, 0.75 Last Quarter.
// eclipse.kind is always written (None unless an eclipse is found); its time and magnitude only
// on the eclipse paths. Beyond the years 0 to 4000 the time of greatest eclipse is the shadow
// engine's, and an eclipse the engine does not see then is none.
double lunarPhase(double decimalYear, double phase, const DeltaTRule& rule, SyzygyEclipse& eclipse);

// Finds the phase nearest decimalYear, appends its instant (MJD of UT) to phasesUT when it
// lies in [windowStartUT, windowEndUT], is later than the last one kept and the list holds
// fewer than kMaxPhasesPerList, and appends an eclipse of that lunation whose greatest
// eclipse falls in the window to eclipses (duplicates within 0.01 day dropped, at most
// kMaxEclipses).
void collectLunation(double windowStartUT, double windowEndUT, double decimalYear, const DeltaTRule& rule,
                     double phase, std::vector<double>& phasesUT, std::vector<EclipseEvent>& eclipses);

}  // namespace qv
