#pragma once
// The ranges of inputs the computations accept safely. A value outside its range (or not
// finite) is refused by the dialogs and the batch companion with a message naming the range.
#include <string>

namespace qv {

constexpr int kYearMin = -99999;
constexpr int kYearMax = 99999;
constexpr double kZoneMinHours = -24.0;
constexpr double kZoneMaxHours = 24.0;
constexpr double kLatitudeMinDeg = -90.0;
constexpr double kLatitudeMaxDeg = 90.0;
constexpr double kLongitudeMinDeg = -360.0;
constexpr double kLongitudeMaxDeg = 360.0;
constexpr double kDeltaTLimitSeconds = 1.0e7;
constexpr double kHeightMinM = -6378140.0;
constexpr double kHeightMaxM = 1.0e9;

// Each returns an empty text when the value is acceptable, else a one-line message that
// names the accepted range, e.g. "Year must be between -99999 and 99999."
std::string checkYear(long long year);
std::string checkTimeZone(double hours);
std::string checkLatitude(double degrees);
std::string checkLongitude(double degrees);
std::string checkHeight(double metres);
std::string checkDeltaT(double seconds);

}  // namespace qv
