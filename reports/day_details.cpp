#include "reports/day_details.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/day_month_year.h"
#include "base/julian.h"
#include "calendars/calendar_names.h"
#include "calendars/chinese.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"

namespace qv {

namespace {

constexpr int kDaysPerWeek = 7;
// Weekday index of Thursday: a year whose 1 January falls on a later day starts its week 1 on
// the first Monday.
constexpr int kThursday = 3;
constexpr std::size_t kYearNameSize = 32;

// Appends formatted text after the NUL-terminated text in buffer, cut to size.
[[gnu::format(printf, 3, 4)]] void appendText(char* buffer, std::size_t size, const char* format, ...)
{
    const std::size_t used = strnlen(buffer, size);
    if (used + 1 >= size)
        return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer + used, size - used, format, args);
    va_end(args);
}

// Weekday of the day that begins at mjd, 0 = Monday.
int weekdayOf(double mjd)
{
    const long long shifted = static_cast<long long>(mjd) + 2;
    return static_cast<int>((shifted % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek);
}

void writeCalendarHalf(const DayMonthYear& date, double mjd, char* buffer, std::size_t size)
{
    char month[4];
    monthAbbreviation(date.month, month);
    appendText(buffer, size, "%s   %2i-%s-%4i", weekdayNames[weekdayOf(mjd)], date.day, month, date.year);

    const double januaryFirst = modifiedJulianDate(1, 1, date.year, 0.0);
    const int dayOfYear = static_cast<int>(mjd - januaryFirst + 1.0);
    appendText(buffer, size, "\n\nDay of Year: %3i", dayOfYear);
    const int firstWeekday = weekdayOf(januaryFirst);
    const int daysIntoWeekOne =
        firstWeekday > kThursday ? firstWeekday + dayOfYear - 8 : firstWeekday + dayOfYear - 1;
    if (daysIntoWeekOne >= 0)
        appendText(buffer, size, "     Week: %2i", daysIntoWeekOne / kDaysPerWeek + 1);
    appendText(buffer, size, "\n======================================\n");

    if (date.year < kHebrewFirstCivilYear)
        return;
    const HebrewDate hebrew = hebrewDate(date.day, date.month, date.year);
    appendText(buffer, size, "\n\nHebrew Day: %2i     Month %2i", hebrew.day, hebrew.position);
    const bool adarII = hebrew.yearLengthDays > 360 && hebrew.code == kAdarIICode;
    appendText(buffer, size, "%s%s)    Year: %4i", adarII ? "+ (" : " (", hebrewMonthNames[hebrew.code],
               hebrew.year);

    if (date.year < kIslamicFirstCivilYear)
        return;
    const DayMonthYear islamic = islamicDate(mjd);
    appendText(buffer, size, "\n\nIslamic Day: %2i    Month %2i (%s)    Year: %4i", islamic.day,
               islamic.month, islamicMonthNames[islamic.month - 1], islamic.year);
}

void writeIndianAndChineseHalf(const SettingsRecord& dateRecord, const DayMonthYear& date, double mjd,
                               char* buffer, std::size_t size)
{
    if (date.year >= kIndianFirstCivilYear) {
        const DayMonthYear indian = indianDate(mjd);
        appendText(buffer, size, "\n\nIndian Day: %2i    Month %2i (%s)    Year: %4i", indian.day,
                   indian.month, indianMonthNames[indian.month - 1], indian.year);
    } else {
        appendText(buffer, size, " ");
    }

    ChineseDate chinese{};
    if (chineseDateOfDay(date.year, deltaTRule(dateRecord.time), mjd, chinese)) {
        char yearName[kYearNameSize];
        chineseYearName(chinese.year, yearName, sizeof yearName);
        appendText(buffer, size, "\n\nChinese Day: %2i    Month %2i %s   Year: %s", chinese.day,
                   std::abs(chinese.month), chinese.month < 0 ? "(intercalary) " : "", yearName);
    }
    appendText(buffer, size, "\n\n\nJewish and Islamic days begin at sunset on the previous evening");
}

}  // namespace

void buildDayDetails(const SettingsRecord& dateRecord, char* buffer, std::size_t size, int half)
{
    if (size == 0)
        return;
    buffer[0] = '\0';
    const double mjd = modifiedJulianDate(dateRecord.time.day, dateRecord.time.month, dateRecord.time.year, 0.0);
    const DayMonthYear date = civilDate(mjd);
    if (half == kDayDetailsFirstHalf)
        writeCalendarHalf(date, mjd, buffer, size);
    else if (half == kDayDetailsSecondHalf)
        writeIndianAndChineseHalf(dateRecord, date, mjd, buffer, size);
}

std::string dayDetailsText(const SettingsRecord& dateRecord)
{
    char half[kDayDetailsSize];
    buildDayDetails(dateRecord, half, sizeof half, kDayDetailsFirstHalf);
    std::string text = half;
    buildDayDetails(dateRecord, half, sizeof half, kDayDetailsSecondHalf);
    return text + half;
}

}  // namespace qv
