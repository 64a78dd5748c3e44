#include "calendars/indian.h"

#include <algorithm>

namespace qv {

DayMonthYear indianDate(double mjd)
{
    const long long jd = static_cast<long long>(2400001.0 + mjd);
    long long l = jd + 68518;
    const long long n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const long long i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4;
    const long long l1 = l + 1;
    const long long k =
        (1 - l1 / 185) * (l / 31) - l1 / 366 + ((l - 155) / 30 + 5) * (l1 / 185);
    const long long day = l1 - 31 * k + ((k + 2) / 8) * (k - 5);
    const long long month = k + 2 - 12 * (k / 11);
    const long long year = 100 * n + i + k / 11 - 4978;
    return {static_cast<int>(day), static_cast<int>(std::clamp(month, 1LL, 12LL)),
            static_cast<int>(year)};
}

double indianToMjd(int day, int month, int year)
{
    const long long d = day, m = month, y = year;
    const long long yearOfMarch = m == 1 ? y - 1 : y;
    const long long jd = d + 31 * m + 365 * y - (m + 9) / 11 + (7 - m) * (m / 7) +
                         (yearOfMarch + 78) / 4 - (3 * ((yearOfMarch + 78) / 100) + 3) / 4 +
                         1749579;
    return static_cast<double>(jd) - 2400000.5;
}

}  // namespace qv
