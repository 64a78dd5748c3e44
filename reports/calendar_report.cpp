#include "reports/calendar_report.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/julian.h"

namespace qv {

namespace {

constexpr int kMonthsPerBlock = 3;
constexpr int kBlocks = 4;
constexpr int kWeekdays = 7;
constexpr int kWeeks = 6;
constexpr int kCellsPerMonth = kWeekdays * kWeeks;
constexpr int kLineSize = 80;
constexpr const char* kWeekdayNames[kWeekdays] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

// Days of the month in the cells of a month: cell = week * 7 + weekday (0 = Monday); 0 empty.
using MonthGrid = int[kCellsPerMonth];

// Weekday of an MJD at 0h, 0 = Monday.
int weekdayOf(double mjd)
{
    const long long r = (static_cast<long long>(std::trunc(mjd)) + 2) % kWeekdays;
    return static_cast<int>(r < 0 ? r + kWeekdays : r);
}

// Fills the grid with the days of month m of the year, taking each day from the date
// conversion, so that days dropped by the calendar reform are absent. Returns the month of
// the first day after it.
int fillMonth(int month, int year, MonthGrid& grid)
{
    double mjd = modifiedJulianDate(1, month, year, 0.0);
    int cell = weekdayOf(mjd);
    grid[cell] = 1;
    while (true) {
        int day, nextMonth, nextYear;
        double hour;
        mjd += 1.0;
        calendarDate(mjd, day, nextMonth, nextYear, hour);
        if (nextMonth != month)
            return nextMonth;
        if (++cell < kCellsPerMonth)
            grid[cell] = day;
    }
}

// Appends text to the NUL-terminated line, cut at the end of the line buffer.
void appendText(char (&line)[kLineSize], const char* text)
{
    const std::size_t used = strnlen(line, kLineSize);
    std::snprintf(line + used, kLineSize - used, "%s", text);
}

// The three month names stand in columns 11, 33 and 55.
void appendHeader(PageBuffer& page, const int (&months)[kMonthsPerBlock])
{
    char line[kLineSize] = "";
    for (int i = 0; i < kMonthsPerBlock; ++i) {
        char name[4];
        monthAbbreviation(months[i], name);
        appendText(line, "           ");
        appendText(line, name);
        if (i + 1 < kMonthsPerBlock)
            appendText(line, "        ");
    }
    appendFixedPitchLine(page, line);
}

// One weekday row of the three months: name, six week columns of "%3i" or blanks, four blanks.
void appendWeekdayLine(PageBuffer& page, int weekday, const MonthGrid (&grids)[kMonthsPerBlock])
{
    char line[kLineSize] = "";
    for (const MonthGrid& grid : grids) {
        appendText(line, kWeekdayNames[weekday]);
        for (int week = 0; week < kWeeks; ++week) {
            char cell[12] = "   ";
            const int day = grid[week * kWeekdays + weekday];
            if (day != 0)
                std::snprintf(cell, sizeof cell, "%3i", day);
            appendText(line, cell);
        }
        appendText(line, "    ");
    }
    appendFixedPitchLine(page, line);
}

}  // namespace

void buildCalendarReport(const SettingsRecord& settings, PageBuffer& page)
{
    char title[kLineSize];
    std::snprintf(title, sizeof title, "                    Calendar for %4i", settings.time.year);
    appendFixedPitchLine(page, title);
    appendFixedPitchLine(page, "                    =================");

    int month = 1;
    for (int block = 0; block < kBlocks; ++block) {
        MonthGrid grids[kMonthsPerBlock] = {};
        int months[kMonthsPerBlock];
        for (int i = 0; i < kMonthsPerBlock; ++i) {
            months[i] = month;
            month = fillMonth(month, settings.time.year, grids[i]);
        }
        appendBlankLines(page, 1);
        appendHeader(page, months);
        for (int weekday = 0; weekday < kWeekdays; ++weekday)
            appendWeekdayLine(page, weekday, grids);
    }
}

}  // namespace qv
