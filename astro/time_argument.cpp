#include "astro/time_argument.h"

#include "base/constants.h"
#include "base/julian.h"

namespace qv {

double centuriesTTFromUT(double mjdUT, double deltaTSeconds) {
    return julianCenturies(mjdUT + deltaTSeconds / kSecondsPerDay);
}

}  // namespace qv
