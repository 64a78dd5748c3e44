#pragma once
// The ranges of inputs the computations accept safely. A value outside its range (or not
// finite) is refused by the dialogs and the batch companion with a message naming the range.
#include <string>

namespace qv {

// Years over which the series still describe the sky: far outside them the phase tables lose
// lunations and TT - UT is unknown by hours.
constexpr int kYearMin = -9999;
constexpr int kYearMax = 9999;
constexpr double kZoneMinHours = -24.0;
constexpr double kZoneMaxHours = 24.0;
constexpr double kLatitudeMinDeg = -90.0;
constexpr double kLatitudeMaxDeg = 90.0;
constexpr double kLongitudeMinDeg = -360.0;
constexpr double kLongitudeMaxDeg = 360.0;
constexpr double kDeltaTLimitSeconds = 1.0e7;
constexpr double kHeightMinM = -6378140.0;
constexpr double kHeightMaxM = 1.0e9;
constexpr double kPanelAzimuthMinDeg = -360.0;
constexpr double kPanelAzimuthMaxDeg = 360.0;
constexpr double kPanelElevationMinDeg = -90.0;
constexpr double kPanelElevationMaxDeg = 90.0;
constexpr double kPanelEfficiencyMaxPercent = 100.0;
constexpr int kFirstMonth = 1;
constexpr int kLastMonth = 12;
// The Year Totals cutoff angle: above 90 the standard totals; two decimals are kept.
constexpr double kCutoffMinDeg = -90.0;
constexpr double kCutoffMaxDeg = 100.0;
constexpr int kCutoffDecimals = 2;
// The special eclipse's surface above the Earth and its manual time step.
constexpr double kSpecialHeightMaxKm = 1.0e6;
constexpr double kSpecialStepMinSeconds = 1.0;
constexpr double kSpecialStepMaxSeconds = 86400.0;

// Each returns an empty text when the value is acceptable, else a one-line message that
// names the accepted range, e.g. "Year must be between -9999 and 9999."
std::string checkYear(long long year);
std::string checkTimeZone(double hours);
std::string checkLatitude(double degrees);
std::string checkLongitude(double degrees);
std::string checkHeight(double metres);
std::string checkDeltaT(double seconds);
std::string checkCentralMeridian(double degrees);

// Empty when the local-time MJD falls in a year from kYearMin to kYearMax, else "Year must be
// between ..." as checkYear says it.
std::string checkInstantYear(double mjd);

// Empty when the date exists in the calendar of its year (Julian up to 1582-10-04, Gregorian
// from 1582-10-15), else why not: "February 2023 has 28 days.", or for 1582-10-05..14 "the
// calendar reform left out 5 to 14 October 1582." Month 1..12 and day 1..31 are taken as already checked.
std::string checkDateExists(int year, int month, int day);

// Empty when the packed DD.MMSS angle has minutes and seconds below 60, else a message that
// names the angle (what) and the part at fault: "Latitude in DD.MMSS: the minutes (75) must
// be below 60."
std::string checkDdmmssParts(double packed, const char* what);

// "<what> must be a number." and "<what> must be a whole number." for typed text that reads
// as no number.
std::string notANumberMessage(const char* what);
std::string notAWholeNumberMessage(const char* what);

std::string checkPanelAzimuth(double degrees);
std::string checkPanelElevation(double degrees);
std::string checkPanelEfficiency(double percent);
// A month number 1..12 (what: "Start month", "End month").
std::string checkMonth(long long month, const char* what);
// The parts of a typed date and time: "Month must be between 1 and 12.", day 1..31 (whether
// the day exists in its month is checkDateExists), hour 0..23, minute and second 0..59.
std::string checkMonthNumber(long long month);
std::string checkDayNumber(long long day);
std::string checkHour(long long hour);
std::string checkMinute(long long minute);
std::string checkSecond(long long second);
// The special eclipse's surface height in km (0..1e6) and time step in seconds (1..86400).
std::string checkSpecialHeight(double km);
std::string checkSpecialStep(double seconds);
// The panel's months run forward within one year: start <= end.
std::string checkMonthInterval(int startMonth, int endMonth);

}  // namespace qv
