#include "time/calendar_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "time/reference_data.h"

namespace qv {
namespace {

constexpr int kReportLines = 38;
constexpr int kMonthWidth = 24;  // weekday name, six week columns of three, four blanks

PageBuffer calendarPage(int year)
{
    SettingsRecord settings;
    settings.year = year;
    PageBuffer page;
    buildCalendarReport(settings, page);
    return page;
}

// The page as text: each line's 77 columns, NUL shown as a blank, trailing blanks dropped;
// marked lines keep their "~" in the last column.
std::vector<std::string> pageLines(const PageBuffer& page)
{
    std::vector<std::string> lines;
    for (int i = 0; i < page.lineCount; ++i) {
        std::string line(page.lines[i], kPageColumns);
        for (char& c : line)
            if (c == '\0')
                c = ' ';
        line.erase(line.find_last_not_of(' ') + 1);
        lines.push_back(line);
    }
    return lines;
}

// Compares a page with its golden file, printing the differing lines. With
// QUORVEL_UPDATE_GOLDEN=1 the golden file is written instead.
void expectGoldenPage(const PageBuffer& page, const std::string& name)
{
    const std::string path = testing::sourcePath("tests/golden/" + name);
    const std::vector<std::string> actual = pageLines(page);
    const char* update = std::getenv("QUORVEL_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream out(path);
        for (const std::string& line : actual)
            out << line << '\n';
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << "missing golden page " << path;
    std::vector<std::string> expected;
    for (std::string line; std::getline(in, line);)
        expected.push_back(line);
    std::ostringstream diff;
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string* e = i < expected.size() ? &expected[i] : nullptr;
        const std::string* a = i < actual.size() ? &actual[i] : nullptr;
        if (e && a && *e == *a)
            continue;
        diff << "line " << i + 1 << ":\n";
        if (e)
            diff << "  - |" << *e << "|\n";
        if (a)
            diff << "  + |" << *a << "|\n";
    }
    EXPECT_TRUE(diff.str().empty()) << name << " differs (- golden, + built):\n" << diff.str();
}

// The golden pages fix the whole layout: 38 lines, all marked but the blank ones, month
// names in columns 11, 33 and 55, weekday rows of 72 characters.
TEST(CalendarReport, GoldenPages)
{
    expectGoldenPage(calendarPage(2024), "calendar_2024.txt");
    expectGoldenPage(calendarPage(1582), "calendar_1582.txt");
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
            const std::string line = page.lines[4 + 9 * block + weekday];
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

TEST(CalendarReport, OctoberOf1582SkipsTheTenDaysOfTheReform)
{
    const std::vector<Cell> october = monthCells(calendarPage(1582), 10);
    ASSERT_EQ(october.size(), 21u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(october[i].day, i + 1);
        EXPECT_EQ(october[i].weekday, i);  // Monday to Thursday
    }
    EXPECT_EQ(october[4].day, 15);
    EXPECT_EQ(october[4].weekday, 4);  // Friday, in the same first week
    EXPECT_EQ(october[4].week, 0);
    EXPECT_EQ(october.back().day, 31);
}

TEST(CalendarReport, ThirtyOneDaysFromASundayUseTheSixthWeek)
{
    // December 2024 begins on a Sunday.
    const std::vector<Cell> december = monthCells(calendarPage(2024), 12);
    ASSERT_EQ(december.size(), 31u);
    EXPECT_EQ(december.front().weekday, 6);
    EXPECT_EQ(december.front().week, 0);
    EXPECT_EQ(december.back().day, 31);
    EXPECT_EQ(december.back().weekday, 1);
    EXPECT_EQ(december.back().week, 5);
}

// Every month of early, negative, reform and far years shows its days 1..n in consecutive
// cells; February has 29 days by the Julian rule up to 1582 and by the Gregorian one after.
TEST(CalendarReport, EveryMonthListsItsDaysInConsecutiveCells)
{
    const int years[] = {-99999, -4713, -4, -1, 0, 1500, 1700, 1900, 2000, 2023, 99999};
    for (int year : years) {
        const PageBuffer page = calendarPage(year);
        ASSERT_EQ(page.lineCount, kReportLines) << year;
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
