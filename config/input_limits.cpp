#include "config/input_limits.h"

#include <cmath>
#include <cstdio>

#include "base/day_month_year.h"
#include "base/julian.h"

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

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};

// Seconds a packed DD.MMSS value may fall short of 60 and still be read as 60 (its text was
// 60; the binary fraction came out a hair below).
constexpr double kSecondsSlack = 1e-6;

// Whether the date names a day of the calendar: it comes back unchanged from its MJD.
bool dateRoundTrips(int year, int month, int day)
{
    const DayMonthYear back = civilDate(modifiedJulianDate(day, month, year, 0.0));
    return back.year == year && back.month == month && back.day == day;
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

std::string checkCentralMeridian(double degrees)
{
    return checkRange(degrees, kLongitudeMinDeg, kLongitudeMaxDeg, "Central meridian",
                      " degrees");
}

std::string checkInstantYear(double mjd)
{
    if (!std::isfinite(mjd))
        return checkYear(kYearMax + 1LL);
    return checkYear(civilDate(mjd).year);
}

std::string checkDateExists(int year, int month, int day)
{
    if (dateRoundTrips(year, month, day))
        return {};
    if (year == 1582 && month == 10)
        return "the calendar reform left out 5 to 14 October 1582.";
    char message[128];
    int days = 28;
    while (days < 31 && dateRoundTrips(year, month, days + 1))
        ++days;
    std::snprintf(message, sizeof message, "%s %i has %i days.", kMonthNames[month - 1], year,
                  days);
    return message;
}

std::string checkDdmmssParts(double packed, const char* what)
{
    int degrees = 0;
    int minutes = 0;
    double seconds = 0.0;
    splitDdmmss(packed, degrees, minutes, seconds);
    char message[128];
    if (minutes >= 60)
        std::snprintf(message, sizeof message,
                      "%s in DD.MMSS: the minutes (%i) must be below 60.", what, minutes);
    else if (seconds + kSecondsSlack >= 60.0)
        std::snprintf(message, sizeof message,
                      "%s in DD.MMSS: the seconds (%.6g) must be below 60.", what, seconds);
    else
        return {};
    return message;
}

std::string notANumberMessage(const char* what)
{
    return std::string(what) + " must be a number.";
}

std::string notAWholeNumberMessage(const char* what)
{
    return std::string(what) + " must be a whole number.";
}

std::string checkPanelAzimuth(double degrees)
{
    return checkRange(degrees, kPanelAzimuthMinDeg, kPanelAzimuthMaxDeg, "Azimuth", " degrees");
}

std::string checkPanelElevation(double degrees)
{
    return checkRange(degrees, kPanelElevationMinDeg, kPanelElevationMaxDeg, "Elevation", " degrees");
}

std::string checkPanelEfficiency(double percent)
{
    return checkRange(percent, 0.0, kPanelEfficiencyMaxPercent, "Efficiency", " percent");
}

std::string checkMonth(long long month, const char* what)
{
    if (month >= kFirstMonth && month <= kLastMonth)
        return {};
    return rangeMessage(kFirstMonth, kLastMonth, what, "");
}

namespace {

std::string checkWhole(long long value, long long low, long long high, const char* what)
{
    if (value >= low && value <= high)
        return {};
    return rangeMessage(static_cast<double>(low), static_cast<double>(high), what, "");
}

}  // namespace

std::string checkMonthNumber(long long month)
{
    return checkMonth(month, "Month");
}

std::string checkDayNumber(long long day)
{
    return checkWhole(day, 1, 31, "Day");
}

std::string checkHour(long long hour)
{
    return checkWhole(hour, 0, 23, "Hour");
}

std::string checkMinute(long long minute)
{
    return checkWhole(minute, 0, 59, "Minute");
}

std::string checkSecond(long long second)
{
    return checkWhole(second, 0, 59, "Second");
}

std::string checkSpecialHeight(double km)
{
    return checkRange(km, 0.0, kSpecialHeightMaxKm, "Height", " km");
}

std::string checkSpecialStep(double seconds)
{
    return checkRange(seconds, kSpecialStepMinSeconds, kSpecialStepMaxSeconds, "Time step", " seconds");
}

std::string checkMonthInterval(int startMonth, int endMonth)
{
    if (startMonth <= endMonth)
        return {};
    return "The start month must not come after the end month.";
}

}  // namespace qv
