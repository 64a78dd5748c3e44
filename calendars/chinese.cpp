#include "calendars/chinese.h"

#include <cmath>

#include "astro/seasons.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/lunation.h"

namespace qv {

namespace {

// The New Moons are searched from a quarter year before the year to a quarter year
// after it, in 75 steps of 0.02 year; each is met several times and kept once.
constexpr double kNewMoonScanLeadYears = 0.25;
constexpr double kNewMoonScanStepYears = 0.02;
constexpr int kNewMoonScanSteps = 75;
constexpr double kNewMoonPhase = 0.0;

constexpr double kDegreesPerPrincipalTerm = 30.0;
constexpr double kDegreesPerTurn = 360.0;
// Solar longitudes (degrees, on the [180, 540) scale) of the principal terms of the twelfth
// and of the first month.
constexpr double kTwelfthMonthTermDeg = 300.0;
constexpr double kFirstMonthTermDeg = 330.0;
constexpr int kEleventhMonth = 11;
constexpr int kShortMonthDays = 29;
constexpr int kLongMonthDays = 30;

constexpr double kChineseZoneDays = kChineseZoneHours / kHoursPerDay;

// Index of the day (MJD of its midnight) that contains the instant mjd.
int dayNumber(double mjd) { return static_cast<int>(std::floor(mjd)); }

double longitudeAtDay(int dayMjdLocal, const DeltaTRule& rule)
{
    return sunLongitudeDegrees(instantAtUT(dayMjdLocal - kChineseZoneDays, rule));
}

// Day (midnight in UTC+8) of the December solstice of a year.
int decemberSolsticeDay(int year, const DeltaTRule& rule)
{
    return dayNumber(seasonInstant(year, kDecemberSolstice, rule).mjdUT + kChineseZoneDays);
}

// Days of the New Moons from the one that opens the eleventh month before previousSolsticeDay
// up to the last one on or before solsticeDay.
ChineseNewMoons newMoonDays(int year, const DeltaTRule& rule, int previousSolsticeDay, int solsticeDay)
{
    ChineseNewMoons moons;
    for (int step = 0; step < kNewMoonScanSteps; ++step) {
        const double decimalYear = year - kNewMoonScanLeadYears + step * kNewMoonScanStepYears;
        SyzygyEclipse eclipse;
        const double newMoonTT = lunarPhase(decimalYear, kNewMoonPhase, rule, eclipse);
        const int day = dayNumber(instantAtTT(newMoonTT, rule).mjdUT + kChineseZoneDays);
        const bool later = moons.count < kMaxChineseNewMoons - 1 && day > moons.days[moons.count];
        if (day <= previousSolsticeDay)
            moons.days[0] = day;
        else if (day <= solsticeDay && later)
            moons.days[++moons.count] = day;
    }
    return moons;
}

// The first month opens at days[2], or at days[3] when one of the two months after the
// eleventh is intercalary: the month from days[1] or from days[2] that holds no principal term.
int newYearDay(const ChineseNewMoons& moons, const DeltaTRule& rule)
{
    if (moons.count <= kMonthsInCommonChineseYear)
        return moons.days[2];
    const bool twelfthTermAhead = longitudeAtDay(moons.days[1], rule) <= kTwelfthMonthTermDeg;
    double term = twelfthTermAhead ? kTwelfthMonthTermDeg : kFirstMonthTermDeg;
    if (longitudeAtDay(moons.days[2], rule) < term)
        return moons.days[3];
    term += kDegreesPerPrincipalTerm;
    return longitudeAtDay(moons.days[3], rule) < term ? moons.days[3] : moons.days[2];
}

// Whether a month whose days start at solar longitudes fromDeg and then reach toDeg (on one
// continuous scale) holds a principal term: a multiple of 30 degrees in [fromDeg, toDeg).
bool holdsPrincipalTerm(double fromDeg, double toDeg)
{
    return kDegreesPerPrincipalTerm * std::ceil(fromDeg / kDegreesPerPrincipalTerm) < toDeg;
}

}  // namespace

int chineseNewYear(int year, const DeltaTRule& rule, ChineseNewMoons& moons)
{
    moons = newMoonDays(year, rule, decemberSolsticeDay(year - 1, rule),
                        decemberSolsticeDay(year, rule));
    return newYearDay(moons, rule);
}

bool isChineseYear(const ChineseNewMoons& moons)
{
    if (moons.count != kMonthsInCommonChineseYear && moons.count != kMonthsInCommonChineseYear + 1)
        return false;
    for (int i = 1; i <= moons.count; ++i) {
        const int monthDays = moons.days[i] - moons.days[i - 1];
        if (monthDays < kShortMonthDays || monthDays > kLongMonthDays)
            return false;
    }
    return true;
}

int chineseLeapMonthIndex(const ChineseNewMoons& moons, const DeltaTRule& rule)
{
    if (moons.count <= kMonthsInCommonChineseYear)
        return 0;
    double monthStartDeg = longitudeAtDay(moons.days[1], rule);
    for (int i = 1; i < moons.count; ++i) {
        double nextStartDeg = longitudeAtDay(moons.days[i + 1], rule);
        // The longitude wraps from 540 back to 180 at the September equinox.
        while (nextStartDeg < monthStartDeg)
            nextStartDeg += kDegreesPerTurn;
        if (!holdsPrincipalTerm(monthStartDeg, nextStartDeg))
            return i;
        monthStartDeg = nextStartDeg;
    }
    return 0;
}

ChineseDate chineseDateInMonths(int mjdLocal, int newYearDay, const ChineseNewMoons& moons, int leapIndex,
                                int year)
{
    const int firstMonthIndex = moons.days[2] == newYearDay ? 2 : 3;
    int k = 0;
    for (int i = 0; i < moons.count; ++i) {
        if (moons.days[i + 1] > mjdLocal) {
            k = i;
            break;
        }
    }
    ChineseDate date{};
    date.day = mjdLocal - moons.days[k] + 1;
    date.year = k < firstMonthIndex ? year - 1 : year;

    const bool intercalary = leapIndex > 0 && k == leapIndex;
    if (leapIndex > 0 && k >= leapIndex)
        --k;
    // Index 0 is the eleventh month, 1 the twelfth, 2 the first.
    const int month = k <= 1 ? k + kEleventhMonth : k - 1;
    date.month = intercalary ? -month : month;
    return date;
}

bool chineseDateOfDay(int civilYear, const DeltaTRule& rule, double mjdLocal, ChineseDate& date)
{
    // Only the next year's New Moon days can still reach the first Chinese year.
    if (civilYear + 1 < kChineseFirstYear)
        return false;
    const int day = dayNumber(mjdLocal);
    int year = civilYear;
    ChineseNewMoons moons;
    int newYear = chineseNewYear(year, rule, moons);
    if (day >= moons.days[moons.count])
        newYear = chineseNewYear(++year, rule, moons);
    const bool inRange = year >= kChineseFirstYear && isChineseYear(moons) && day >= moons.days[0] &&
                         day < moons.days[moons.count];
    if (inRange)
        date = chineseDateInMonths(day, newYear, moons, chineseLeapMonthIndex(moons, rule), year);
    return inRange;
}

}  // namespace qv
