#pragma once
// The time argument of the solar and lunar series: TT - UT as the settings choose it, and
// Julian centuries of TT from an instant in UT.
#include "base/settings.h"

namespace qv {

// deltaTDefault(settings.year) when settings.deltaTAuto is set, else settings.deltaT (seconds).
double settingsDeltaTSeconds(const SettingsRecord& settings);

// Julian centuries of TT since J2000 for an MJD of UT and TT - UT in seconds.
double centuriesTTFromUT(double mjdUT, double deltaTSeconds);

}  // namespace qv
