#include "base/instant.h"

namespace qv {

Instant instantAtUT(double mjdUT, const DeltaTRule& rule)
{
    return {mjdUT, rule.secondsInYear(civilDate(mjdUT).year)};
}

Instant instantAtTT(double mjdTT, const DeltaTRule& rule)
{
    const double firstGuessUT = mjdTT - rule.secondsInYear(civilDate(mjdTT).year) / kSecondsPerDay;
    const double deltaTSeconds = rule.secondsInYear(civilDate(firstGuessUT).year);
    return {mjdTT - deltaTSeconds / kSecondsPerDay, deltaTSeconds};
}

}  // namespace qv
