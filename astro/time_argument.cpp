#include "astro/time_argument.h"

#include "base/constants.h"
#include "base/julian.h"

namespace qv {

double settingsDeltaTSeconds(const SettingsRecord& settings) {
    return settings.deltaTAuto ? deltaTDefault(settings.year) : settings.deltaT;
}

double centuriesTTFromUT(double mjdUT, double deltaTSeconds) {
    return julianCenturies(mjdUT + deltaTSeconds / kSecondsPerDay);
}

}  // namespace qv
