#include "base/time_zone.h"

#include "base/julian.h"

namespace qv {

double zoneOffsetHoursAt(double /*mjdUT*/, const TimeZone& zone) {
    return zone.offsetHours;
}

double localMjd(double mjdUT, const TimeZone& zone) {
    return mjdUT + zoneOffsetHoursAt(mjdUT, zone) / kHoursPerDay;
}

double utFromLocal(double mjdLocal, const TimeZone& zone) {
    return mjdLocal - zone.offsetHours / kHoursPerDay;
}

}  // namespace qv
