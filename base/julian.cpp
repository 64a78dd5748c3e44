#include "base/julian.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

// Degrees to radians to 12 digits, as the mean obliquity is evaluated (the exact factor is
// kRadPerDeg, base/constants.h): the positions and times were cross-checked with this one.
constexpr double kObliquityRadPerDeg = 0.0174532925199;
// Last Julian calendar date, as 10000 * year + 100 * month + day.
constexpr double kLastJulianDateKey = 15821004.1;
// Julian day number of 1582-10-15, the first Gregorian day.
constexpr long long kFirstGregorianJdn = 2299161;
constexpr int kMinutesPerHour = 60;

// The default TT - UT rule, by year: before 948 and before 1650 the parabolas of Stephenson &
// Morrison (1984, "Long-term changes in the rotation of the Earth: 700 B.C. to A.D. 1980", Phil.
// Trans. R. Soc. London A 313), 1360 + 320 t + 44.3 t^2 and 25.5 t^2 (t in centuries from 1800);
// to 1900 a parabola and two straight lines; to 1985 a quartic in centuries from 2000; 1986-1994
// yearly values; to 2024 the quartic less 6.28 s (held for years at a time from 2000, eleven
// years late from 2014); then the parabola 73 + 75 s + 27.5 s^2 (s in centuries from 2024).
// Whole seconds plus 0.184 s, the fraction of TT - TAI = 32.184 s.
// Against PyEphem's TT - UT on 1 July (tools/ephem_delta_t.py): within 2.6 s over 1900-2030
// (PyEphem extrapolates after about 2017 too: the rule gives 73.184 s for 2024, observed was
// about 69.2 s), within 21 s over 1620-1899; before 1600 the two historical fits differ by up
// to 1150 s (year 300).
// One span of the rule: raw value in seconds for a year.
struct DeltaTSpan {
    int lastYear;
    double (*raw)(int year);
};

double centuriesFrom1800(int year) { return (year - 1800) / 100.0; }

double polynomialP(double t)
{
    return 71.28 + t * (92.23 + t * (-160.22 + t * (-516.12 + t * -339.84)));
}

constexpr double kTable1986To1994[] = {55, 55, 56, 56, 57, 58, 58, 59, 60};
constexpr double kP1999Offset = -6.28;

double beforeYear948(int year)
{
    const double t = centuriesFrom1800(year);
    return 44.3 * t * t + 320.0 * t + 1360.0;
}
double beforeYear1650(int year)
{
    const double t = centuriesFrom1800(year);
    return 25.5 * t * t;
}
double beforeYear1865(int year)
{
    const double t = centuriesFrom1800(year) - 0.19;
    return 13.3066 * t * t + 5.156;
}
double beforeYear1885(int year) { return 6.0 - 0.6 * (year - 1865); }
double beforeYear1900(int year) { return -6.0 - 0.2 * (year - 1885); }
double beforeYear1986(int year) { return polynomialP((year - 2000) / 100.0); }
double beforeYear1995(int year) { return kTable1986To1994[year - 1986]; }
double beforeYear2000(int year) { return polynomialP((year - 2000) / 100.0) + kP1999Offset; }
double beforeYear2006(int) { return polynomialP(-0.01) + kP1999Offset; }
double beforeYear2009(int) { return polynomialP(0.0) + kP1999Offset; }
double beforeYear2012(int) { return polynomialP(0.01) + kP1999Offset; }
double beforeYear2014(int) { return polynomialP(0.02) + kP1999Offset; }
double beforeYear2025(int year) { return polynomialP((year - 2011) / 100.0) + kP1999Offset; }
double fromYear2025(int year)
{
    const double s = (year - 2024) / 100.0;
    return 73.0 + 75.0 * s + 27.5 * s * s;
}

constexpr DeltaTSpan kDeltaTSpans[] = {
    {947, beforeYear948},   {1649, beforeYear1650}, {1864, beforeYear1865},
    {1884, beforeYear1885}, {1899, beforeYear1900}, {1985, beforeYear1986},
    {1994, beforeYear1995}, {1999, beforeYear2000}, {2005, beforeYear2006},
    {2008, beforeYear2009}, {2011, beforeYear2012}, {2013, beforeYear2014},
    {2024, beforeYear2025},
};

long long floorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

constexpr const char* kMonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                       "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// Proleptic Julian date of an MJD before JD -0.5, counted backwards from year -4713.
void calendarDateBeforeEpoch(double mjd, int& day, int& month, int& year)
{
    const long long b = static_cast<long long>(std::floor(mjd)) + 2400002;
    const long long h = static_cast<long long>((-b - 0.1) / 365.25);
    year = static_cast<int>(-4713 - h);
    const long long n = b + 365 * (h + 1) + (h + 1) / 4;
    if (n == 0) {
        day = 31;
        month = 12;
        year = static_cast<int>(-4714 - h);
        return;
    }
    const long long marchFirst = ((h + 1) % 4 == 0) ? 61 : 60;
    if (n < marchFirst) {
        month = n <= 31 ? 1 : 2;
        day = static_cast<int>(n <= 31 ? n : n - 31);
        return;
    }
    const long long u = static_cast<long long>((123 + n - marchFirst) / 30.6001);
    month = static_cast<int>(u - 1);
    day = static_cast<int>(n - marchFirst + 123 - static_cast<long long>(30.6001 * u));
}

// Date of mjd and the minute of its day that the tables print: seconds above 30 round up, so
// 23:59:30 and later give minute 1440 of the same day.
int printedMinuteOfDay(double mjd, int& day, int& month, int& year)
{
    int hours, minutes;
    double hour, seconds;
    calendarDate(mjd, day, month, year, hour);
    splitDms(hour, hours, minutes, seconds);
    if (seconds > 30.0)
        ++minutes;
    return hours * kMinutesPerHour + minutes;
}

}  // namespace

double dmsToDecimal(int degrees, int minutes, double seconds)
{
    const bool negative = degrees < 0 || minutes < 0 || seconds < 0;
    const double value = std::abs(degrees) + std::abs(minutes) / 60.0 + std::fabs(seconds) / 3600.0;
    return negative ? -value : value;
}

namespace {

// Gives a negative value's sign to the first non-zero part of its split.
void signFirstNonZeroPart(double value, int& degrees, int& minutes, double& seconds)
{
    if (!(value < 0))
        return;
    if (degrees != 0)
        degrees = -degrees;
    else if (minutes != 0)
        minutes = -minutes;
    else
        seconds = -seconds;
}

}  // namespace

void splitDms(double value, int& degrees, int& minutes, double& seconds)
{
    double a = std::fabs(value);
    degrees = static_cast<int>(a);
    a = (a - degrees) * 60.0;
    minutes = static_cast<int>(a);
    seconds = (a - minutes) * 60.0;
    signFirstNonZeroPart(value, degrees, minutes, seconds);
}

void splitDmsWholeSeconds(double value, int& degrees, int& minutes, double& seconds)
{
    const long long total = std::llround(std::fabs(value) * 3600.0);
    degrees = static_cast<int>(total / 3600);
    minutes = static_cast<int>(total / 60 % 60);
    seconds = static_cast<double>(total % 60);
    signFirstNonZeroPart(value, degrees, minutes, seconds);
}

double modifiedJulianDate(int day, int month, int year, double hour)
{
    long long y = year;
    long long m = month;
    if (month <= 2) {
        y = static_cast<long long>(year) - 1;
        m = static_cast<long long>(month) + 12;
    }
    long long b;
    if (10000.0 * year + 100.0 * month + day <= kLastJulianDateKey)
        b = floorDiv(y + 4716, 4) - 1181;
    else
        b = y / 400 - y / 100 + y / 4;
    const double monthDays = std::trunc(30.6001 * static_cast<double>(m + 1));
    return 365.0 * static_cast<double>(y) - 679004.0 + static_cast<double>(b) + monthDays + day +
           hour / 24.0;
}

void calendarDate(double mjd, int& day, int& month, int& year, double& hour)
{
    hour = (mjd - std::floor(mjd)) * 24.0;
    if (mjd < -2400001.0) {
        calendarDateBeforeEpoch(mjd, day, month, year);
        return;
    }
    const long long z = static_cast<long long>(mjd + 2400001.0);
    long long bc;
    if (z >= kFirstGregorianJdn) {
        const long long alpha = static_cast<long long>((z - 1867216.25) / 36524.25);
        bc = z + 1525 + alpha - alpha / 4;
    } else {
        bc = z + 1524;
    }
    const long long k = static_cast<long long>((bc - 122.1) / 365.25);
    const long long d = 365 * k + k / 4;
    const long long e = static_cast<long long>((bc - d) / 30.6001);
    day = static_cast<int>(bc - d - static_cast<long long>(30.6001 * e));
    month = static_cast<int>(e - 1 - 12 * (e / 14));
    year = static_cast<int>(k - 4715 - (month + 7) / 10);
}

DayMonthYear civilDate(double mjd)
{
    DayMonthYear date{};
    double hour;
    calendarDate(mjd, date.day, date.month, date.year, hour);
    return date;
}

double julianCenturies(double mjd) { return (mjd - kMjdJ2000) / kDaysPerJulianCentury; }

double meanObliquity(double t)
{
    return (23.43929111 - (46.815 * t + 0.00059 * t * t - 0.001813 * t * t * t) / 3600.0) *
           kObliquityRadPerDeg;
}

double deltaTDefault(int year)
{
    double raw = fromYear2025(year);
    for (const DeltaTSpan& span : kDeltaTSpans) {
        if (year <= span.lastYear) {
            raw = span.raw(year);
            break;
        }
    }
    const double rounded = raw >= 0 ? std::floor(raw + 0.5) : -std::floor(0.5 - raw);
    return rounded + 0.184;
}

void monthAbbreviation(int month, char* buffer)
{
    const char* name = (month >= 1 && month <= 12) ? kMonthNames[month - 1] : "ERR";
    std::memcpy(buffer, name, 4);
}

double decimalToDdmmss(double x)
{
    int degrees, minutes;
    double seconds;
    splitDms(std::fabs(x), degrees, minutes, seconds);
    if (seconds >= 59.5) {
        ++minutes;
        seconds = 0.0;
    }
    if (minutes > 59) {
        minutes = 0;
        ++degrees;
    }
    const double packed = degrees + minutes / 100.0 + seconds / 10000.0;
    return x < 0 ? -packed : packed;
}

void splitDdmmss(double x, int& degrees, int& minutes, double& seconds)
{
    const double a = std::fabs(x) + std::fabs(x) * 3.33e-16;
    degrees = static_cast<int>(a);
    minutes = static_cast<int>(100.0 * std::fmod(a, 1.0) + 1e-13);
    seconds = 100.0 * std::fmod(100.0 * a, 1.0);
}

double ddmmssToDecimal(double x)
{
    int degrees, minutes;
    double seconds;
    splitDdmmss(x, degrees, minutes, seconds);
    const double value = dmsToDecimal(degrees, minutes, seconds);
    return x < 0 ? -value : value;
}

double decimalToHhmm(double x)
{
    int hours, minutes;
    double seconds;
    splitDms(std::fabs(x), hours, minutes, seconds);
    if (seconds > 30.0)
        ++minutes;
    if (minutes > 59) {
        minutes = 0;
        ++hours;
    }
    const double packed = hours + minutes / 100.0;
    return x < 0 ? -packed : packed;
}

double printedMinute(double mjd)
{
    int day, month, year;
    return std::floor(mjd) + printedMinuteOfDay(mjd, day, month, year) / kMinutesPerDay;
}

DayMonthYear gregorianDate(double mjd)
{
    using namespace std::chrono;
    const year_month_day date{sys_days{days{static_cast<long long>(std::floor(mjd - kMjdOfUnixEpoch))}}};
    return {static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(static_cast<unsigned>(date.month())), static_cast<int>(date.year())};
}

void formatDateTime(double mjd, char* buffer)
{
    int day, month, year;
    const int minuteOfDay = printedMinuteOfDay(mjd, day, month, year);
    const int hours = minuteOfDay / kMinutesPerHour;
    const int minutes = minuteOfDay % kMinutesPerHour;
    char text[32];
    std::snprintf(text, sizeof text, "%2i %2i:%02i", day, hours, minutes);
    monthAbbreviation(month, buffer);
    buffer[3] = ' ';
    std::memcpy(buffer + 4, text, 8);
    buffer[12] = ' ';
}

void formatDateTimeTabbed(double mjd, char* buffer)
{
    formatDateTime(mjd, buffer);
    buffer[6] = '\t';
    buffer[12] = '\t';
}

std::string isoSecondUT(double mjdUT)
{
    const double wholeSeconds = std::round(mjdUT * kSecondsPerDay) / kSecondsPerDay;
    int day = 0, month = 0, year = 0;
    double hour = 0.0;
    calendarDate(wholeSeconds, day, month, year, hour);
    const long seconds = std::lround(hour * 3600.0);
    char text[48];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02dT%02ld:%02ld:%02ldZ", year < 0 ? "-" : "", std::abs(year),
                  month, day, seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace qv
