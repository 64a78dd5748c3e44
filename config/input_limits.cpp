#include "config/input_limits.h"

#include <cmath>
#include <cstdio>

namespace qv {

namespace {

// "<what> must be between <low> and <high><unit>.", limits without needless decimals.
std::string rangeMessage(double low, double high, const char* what, const char* unit)
{
    char message[128];
    std::snprintf(message, sizeof message, "%s must be between %.15g and %.15g%s.", what, low, high,
                  unit);
    return message;
}

// Empty when value is finite and within [low, high], else the range message.
std::string checkRange(double value, double low, double high, const char* what, const char* unit)
{
    if (std::isfinite(value) && value >= low && value <= high)
        return {};
    return rangeMessage(low, high, what, unit);
}

}  // namespace

std::string checkYear(long long year)
{
    if (year >= kYearMin && year <= kYearMax)
        return {};
    return rangeMessage(kYearMin, kYearMax, "Year", "");
}

std::string checkTimeZone(double hours)
{
    return checkRange(hours, kZoneMinHours, kZoneMaxHours, "Time zone", " hours");
}

std::string checkLatitude(double degrees)
{
    return checkRange(degrees, kLatitudeMinDeg, kLatitudeMaxDeg, "Latitude", " degrees");
}

std::string checkLongitude(double degrees)
{
    return checkRange(degrees, kLongitudeMinDeg, kLongitudeMaxDeg, "Longitude", " degrees");
}

std::string checkHeight(double metres)
{
    return checkRange(metres, kHeightMinM, kHeightMaxM, "Height", " metres");
}

std::string checkDeltaT(double seconds)
{
    return checkRange(seconds, -kDeltaTLimitSeconds, kDeltaTLimitSeconds, "TT - UT", " seconds");
}

}  // namespace qv
