#include "reports/calendar_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/golden_text.h"

namespace qv {
namespace {

constexpr int kReportLines = 38;
constexpr int kMonthWidth = 24;  // weekday name, six week columns of three, four blanks

PageBuffer calendarPage(int year)
{
    SettingsRecord settings;
    settings.time.year = year;
    PageBuffer page;
    buildCalendarReport(settings, page);
    return page;
}

// The golden pages fix the whole text: 38 lines, month names in columns 11, 33 and 55,
// weekday rows of 72 characters; October 1582 skips from the 4th (Thursday) to the 15th
// (Friday) and December 2024, beginning on a Sunday, reaches the sixth week column.
// Every line is a fixed-pitch table line but the blank ones, which the printed text does not show.
TEST(CalendarReport, GoldenPagesWithEveryTextLineMarked)
{
    const struct {
        int year;
        const char* golden;
    } cases[] = {{2024, "calendar_2024.txt"}, {1582, "calendar_1582.txt"}};
    for (const auto& c : cases) {
        const PageBuffer page = calendarPage(c.year);
        EXPECT_TRUE(testing::matchesGolden(c.golden, testing::pageText(page)));
        for (std::size_t i = 0; i < page.lines.size(); ++i)
            EXPECT_EQ(page.lines[i].fixedPitch, page.lines[i].text != "   ")
                << c.year << " line " << i;
    }
}

// Days of a month read back from the page, in cell order (week-major); each with its weekday.
struct Cell {
    int day;
    int weekday;
    int week;
};

std::vector<Cell> monthCells(const PageBuffer& page, int month)
{
    const int block = (month - 1) / 3;
    const int column = ((month - 1) % 3) * kMonthWidth;
    std::vector<Cell> cells;
    for (int week = 0; week < 6; ++week) {
        for (int weekday = 0; weekday < 7; ++weekday) {
            const std::string& line = page.lines[4 + 9 * block + weekday].text;
            const std::string text = line.substr(column + 2 + 3 * week, 3);
            if (text != "   ")
                cells.push_back({std::stoi(text), weekday, week});
        }
    }
    return cells;
}

int floorMod(int a, int b) { return ((a % b) + b) % b; }

int expectedMonthLength(int month, int year)
{
    constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2)
        return lengths[month - 1];
    const bool leap = year <= 1582 ? floorMod(year, 4) == 0
                                   : (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0));
    return leap ? 29 : 28;
}

// Every month of early, negative and far years shows its days 1..n in consecutive cells;
// February has 29 days by the Julian rule up to 1582 (1500 too) and by the Gregorian one after
// (not 1700 nor 1900).
TEST(CalendarReport, EveryMonthListsItsDaysInConsecutiveCells)
{
    const int years[] = {-99999, -4713, -4, -1, 0, 1500, 1700, 1900, 2000, 2023, 99999};
    for (int year : years) {
        const PageBuffer page = calendarPage(year);
        ASSERT_EQ(page.lines.size(), std::size_t{kReportLines}) << year;
        int previousWeekday = -1;
        for (int month = 1; month <= 12; ++month) {
            const std::vector<Cell> cells = monthCells(page, month);
            ASSERT_EQ(static_cast<int>(cells.size()), expectedMonthLength(month, year))
                << year << "-" << month;
            if (previousWeekday >= 0) {
                EXPECT_EQ(cells.front().weekday, (previousWeekday + 1) % 7) << year << "-" << month;
            }
            for (std::size_t i = 0; i < cells.size(); ++i) {
                EXPECT_EQ(cells[i].day, static_cast<int>(i) + 1) << year << "-" << month;
                EXPECT_EQ(cells[i].week * 7 + cells[i].weekday,
                          cells[0].week * 7 + cells[0].weekday + static_cast<int>(i));
            }
            previousWeekday = cells.back().weekday;
        }
    }
}

}  // namespace
}  // namespace qv
