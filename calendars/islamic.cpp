#include "calendars/islamic.h"

#include <algorithm>

namespace qv {

namespace {

// Day number (JD of noon) of the civil day that contains mjd.
long long dayNumber(double mjd) { return static_cast<long long>(2400001.0 + mjd); }

}  // namespace

DayMonthYear islamicDate(double mjd)
{
    const long long jd = dayNumber(mjd);
    const long long cycles = (jd - 1937809) / 10631;
    long long l = jd - 1937454 - 10631 * cycles;
    const long long j =
        ((10985 - l) / 5316) * ((50 * l) / 17719) + (l / 5670) * ((43 * l) / 15238);
    l = l - ((30 - j) / 15) * ((17719 * j) / 50) - (j / 16) * ((15238 * j) / 43) + 29;
    const long long month = (24 * l) / 709;
    const long long day = l - (709 * month) / 24;
    const long long year = 30 * cycles + j - 30;
    return {static_cast<int>(day), static_cast<int>(std::clamp(month, 1LL, 12LL)),
            static_cast<int>(year)};
}

double islamicToMjd(int day, int month, int year)
{
    const long long d = day, m = month, y = year;
    const long long jd = d + 30 * m + 354 * y + (11 * y + 3) / 30 - (m - 1) / 2 + 1948055;
    return static_cast<double>(jd) - 2400000.5;
}

}  // namespace qv
