#include "calendars/hebrew.h"

#include "base/julian.h"

namespace qv {

namespace {

constexpr int kYearsPerCycle = 19;
constexpr int kPartsPerHour = 1080;
// Time of day of the mean conjunction, in parts, from which the new year is postponed: a
// common year on a Tuesday from 9h 204p, a year after a leap year on a Monday from 15h 589p.
// Compared in whole parts, so that a conjunction exactly at the limit is postponed too.
constexpr long long kTuesdayLimitParts = 9 * kPartsPerHour + 204;
constexpr long long kMondayAfterLeapLimitParts = 15 * kPartsPerHour + 589;
constexpr int kLatestUnpostponedHour = 17;
// Weekdays counted from 0 = Saturday.
constexpr int kSunday = 1;
constexpr int kMonday = 2;
constexpr int kTuesday = 3;
constexpr int kWednesday = 4;
constexpr int kFriday = 6;
constexpr long long kMjdOffset = 2052005;

// Positions in the 19-year cycle at which a leap year begins.
constexpr int kLeapPositions[] = {2, 5, 7, 10, 13, 16, 18};
// Leap years before a cycle position: positions below each bound have that many.
constexpr int kLeapCountBounds[] = {3, 6, 8, 11, 14, 17};

// Division and remainder rounded toward minus infinity; equal to the truncating ones for
// non-negative values, and they keep the cycle arithmetic right for the years before
// Hebrew year 1.
long long floorDiv(long long a, long long b)
{
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

long long floorMod(long long a, long long b) { return a - b * floorDiv(a, b); }

bool isLeapPosition(long long position)
{
    for (int p : kLeapPositions)
        if (p == position)
            return true;
    return false;
}

int leapYearsBefore(long long position)
{
    int count = 0;
    for (int bound : kLeapCountBounds)
        if (position >= bound)
            ++count;
    return count;
}

// Days of month i (1..12) of a year of n days; month 6 is Adar II in a leap year.
int ordinaryMonthLength(int i, int n)
{
    if (i == 2 && (n == 355 || n == 385))
        return 30;
    if (i == 3 && (n == 353 || n == 383))
        return 29;
    return i % 2 == 1 ? 30 : 29;
}

}  // namespace

double hebrewNewYear(int civilYear, int& endingHebrewYear)
{
    const long long a = static_cast<long long>(civilYear) + 3760;
    endingHebrewYear = static_cast<int>(a);
    const long long cycles = floorDiv(a, kYearsPerCycle);
    const long long position = floorMod(a, kYearsPerCycle);
    const long long leaps = leapYearsBefore(position);
    const long long commons = position - leaps;

    const long long parts = 595 * cycles + 589 * leaps + 876 * commons + 204;
    const long long hours =
        floorDiv(parts, kPartsPerHour) + 21 * leaps + 5 + 16 * cycles + 8 * commons;
    const long long days = floorDiv(hours, 24) + 5 * leaps + 2 + 2 * cycles + 4 * commons;
    long long weekday = floorMod(days, 7);
    const long long hourOfDay = floorMod(hours, 24);
    const long long partsOfDay = hourOfDay * kPartsPerHour + floorMod(parts, kPartsPerHour);

    const bool leapYear = isLeapPosition(position);
    const bool previousLeap = isLeapPosition(floorMod(a - 1, kYearsPerCycle));
    int postponement = 0;
    if (!leapYear && weekday == kTuesday && partsOfDay >= kTuesdayLimitParts) {
        postponement = 2;
    } else if (previousLeap && weekday == kMonday && partsOfDay >= kMondayAfterLeapLimitParts) {
        postponement = 1;
    } else {
        if (hourOfDay > kLatestUnpostponedHour) {
            postponement = 1;
            weekday = (weekday + 1) % 7;
        }
        if (weekday == kSunday || weekday == kWednesday || weekday == kFriday)
            ++postponement;
    }
    return static_cast<double>(days + 7 * (991 * cycles + 54 * leaps + 50 * commons) +
                               postponement - kMjdOffset);
}

HebrewMonthDay hebrewMonthDay(double mjd, double newYearMjd, int yearLengthDays)
{
    const int n = yearLengthDays;
    const bool leapYear = n > 360;
    int day = static_cast<int>(mjd - newYearMjd + 1.0);
    int code = 0;
    int position = 1;
    for (int i = 1; i <= 12; ++i) {
        if (i == 6 && leapYear) {
            if (day <= 30) {
                position = 6;
                code = kAdarICode;
                break;
            }
            day -= 30;
        }
        const int length = ordinaryMonthLength(i, n);
        if (day <= length) {
            position = i;
            break;
        }
        day -= length;
        ++code;
    }
    if (code > kAdarIICode)
        code = 0;
    if (position == 6 && leapYear && code != kAdarICode)
        code = kAdarIICode;
    return {day, position, code};
}

HebrewDate hebrewDate(int day, int month, int year)
{
    const double mjd = modifiedJulianDate(day, month, year, 0.0);
    // Bracket the day between two consecutive new years. Near the present the new year of
    // the civil year or of a neighbour does; the steps also cover the far future, where the
    // Hebrew year has drifted by more than a season against the civil year.
    int civilYear = year;
    int ending = 0;
    double begin = hebrewNewYear(civilYear, ending);
    while (mjd < begin)
        begin = hebrewNewYear(--civilYear, ending);
    int nextEnding = 0;
    double end = hebrewNewYear(civilYear + 1, nextEnding);
    while (mjd >= end) {
        ++civilYear;
        begin = end;
        ending = nextEnding;
        end = hebrewNewYear(civilYear + 1, nextEnding);
    }
    const int length = static_cast<int>(end - begin);
    const HebrewMonthDay md = hebrewMonthDay(mjd, begin, length);
    return {md.day, md.position, md.code, length, ending + 1};
}

}  // namespace qv
