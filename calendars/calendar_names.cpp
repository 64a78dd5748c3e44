#include "calendars/calendar_names.h"

#include <cstdio>

namespace qv {

namespace {

constexpr int kCycleStartYear = 1984;  // a jia-zi (rat) year

int mathematicalRemainder(int value, int divisor)
{
    const int r = value % divisor;
    return r < 0 ? r + divisor : r;
}

}  // namespace

void chineseYearName(int year, char* buffer, std::size_t size)
{
    const int offset = year - kCycleStartYear;
    std::snprintf(buffer, size, "%s-%s)", celestialStems[mathematicalRemainder(offset, 10)],
                  terrestrialBranches[mathematicalRemainder(offset, 12)]);
}

}  // namespace qv
