#pragma once
// The lunation finder: the time of a principal Moon phase near a decimal year, with eclipse
// detection at New and Full Moon, and the collector that fills the year's phase lists and
// the eclipse table of the settings record.
// Phase times within 2.8 min of PyEphem over 1900-2100 (1800 phases of 1800-2200 within 3 min);
// the kinds of every eclipse of 1995-2030 agree with the published catalogues.
#include "base/settings.h"

namespace qv {

// Lunation-level eclipse codes stored in the eclipse table.
enum EclipseKind : int {
    kTotalLunar = -4,
    kPartialLunar = -3,
    kTotalPenumbralLunar = -2,
    kPenumbralLunar = -1,
    kNoEclipse = 0,
    kPartialSolar = 1,
    kNonCentralAnnularSolar = 2,
    kNonCentralTotalSolar = 3,
    kAnnularSolar = 4,
    kTotalSolar = 5,
    kHybridSolar = 6,
};

constexpr int kMaxPhasesPerList = 15;

// Time of one principal Moon phase near a decimal year, as an MJD in Terrestrial Time.
// phase: 0 New, 0.25 First Quarter, 0.5 Full, 0.75 Last Quarter.
// eclipseKind is always written (kNoEclipse unless an eclipse is found); eclipseTimeTT (MJD, TT)
// and magnitude only on the eclipse paths.
double lunarPhase(double decimalYear, double phase, double deltaTSeconds, int& eclipseKind,
                  double& eclipseTimeTT, double& magnitude);

// Finds the phase nearest decimalYear, appends its local time to the list when it lies in
// [windowStartLocal, windowEndLocal] and is new, and enters an eclipse of that lunation into
// the settings' eclipse table (duplicates within 0.01 day dropped, at most 12).
void collectLunation(double windowStartLocal, double windowEndLocal, double decimalYear,
                     double zoneHours, double deltaTSeconds, int& count, double* list, double phase,
                     SettingsRecord& settings);

}  // namespace qv
