#pragma once
// The lunation finder: the time of a principal Moon phase of a lunation, with eclipse detection
// at New and Full Moon, and the collector that fills the year's phase lists and its table of
// eclipses. The mean phases, their periodic terms and the eclipse quantities (gamma, u and their
// limits) are those of Meeus, Astronomical Formulae for Calculators (1982). Near the limits of an
// eclipse, where the series cannot tell, and beyond the years 0-4000, where it drifts from the
// Sun and the Moon of the shadow engine, the engine decides the eclipse at its greatest eclipse.
// Phase times within 2.8 min of PyEphem over 1900-2100 (tools/make_phase_reference.py; 1800
// phases of 1800-2200 within 3 min, tools/ephem_lunar_phases.py, tests/eclipse/lunation_test.cpp);
// the kinds of every eclipse of 1995-2030 agree with the published catalogues; over -1999..3000
// 11893 solar and 12066 lunar eclipses, against 11898 and 12064 in the published canons.
#include <vector>

#include "base/instant.h"
#include "eclipse/eclipse_kind.h"

namespace qv {

// At most this many eclipses are kept for one year (a year has at most seven).
constexpr int kMaxEclipses = 12;
// At most this many phases of one kind are kept for one year (a year has 12 or 13).
constexpr int kMaxPhasesPerList = 15;

// The eclipse a New or Full Moon brings: kind (None when there is none), the time of greatest
// eclipse as an MJD in Terrestrial Time and the magnitude (1.0 for central solar eclipses; their
// diameter ratio is the greatest eclipse's, greatest_eclipse.h). The magnitude of a lunar eclipse
// is its umbral one, or its penumbral one when the Moon misses the umbra.
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

// Lunations are counted from the New Moon of 6 January 1900 (lunation 0); the phases of
// lunation n come in the order of their fractions, New Moon 0, First Quarter 0.25, Full Moon 0.5
// and Last Quarter 0.75. The lunation a decimal year falls in:
long lunationAt(double decimalYear);

// The lunations whose phases and eclipses can fall between two instants of UT (a margin covers
// TT - UT, which reaches 7 days within -9999..9999, and the phases' periodic terms).
struct LunationSpan {
    long first = 0;
    long last = 0;
};
LunationSpan lunationsBetween(double startUT, double endUT);

// Time of one principal Moon phase of a lunation, as an MJD in Terrestrial Time; phase is the
// fraction above. For New and Full Moon also reports an eclipse: eclipse.kind is always written
// (None unless an eclipse is found); its time and magnitude only on the eclipse paths.
double lunationPhase(long lunation, double phase, const DeltaTRule& rule, SyzygyEclipse& eclipse);

// The same for the lunation a decimal year falls in.
double lunarPhase(double decimalYear, double phase, const DeltaTRule& rule, SyzygyEclipse& eclipse);

// The eclipse of a lunation's New Moon (phase 0) or Full Moon (0.5) as the year's table holds
// it: its instant is the finder's time of greatest eclipse in UT with the TT - UT of that
// instant's year. Kind None when there is none.
EclipseEvent lunationEclipse(long lunation, double phase, const DeltaTRule& rule);

// Finds the phase of the lunation, appends its instant (MJD of UT) to phasesUT when it lies in
// [windowStartUT, windowEndUT], is later than the last one kept and the list holds fewer than
// kMaxPhasesPerList, and appends an eclipse of that lunation whose greatest eclipse (as
// greatestEclipse finds it, greatest_eclipse.h) falls in the window to eclipses (duplicates
// within 0.01 day dropped, at most kMaxEclipses).
void collectLunation(double windowStartUT, double windowEndUT, long lunation, double phase, const DeltaTRule& rule,
                     std::vector<double>& phasesUT, std::vector<EclipseEvent>& eclipses);

}  // namespace qv
