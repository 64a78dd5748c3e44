#include "calendars/holidays.h"
#include "reports/holidays_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/julian.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "support/golden_text.h"
#include "support/reference_data.h"

namespace qv {
namespace {

using testing::readTable;

// The text of a block built from the year alone.
template <void (*build)(int, char*, std::size_t)>
std::string yearBlockText(int year)
{
    char buffer[kHolidayBlockSize];
    build(year, buffer, sizeof buffer);
    return buffer;
}

constexpr auto easterText = yearBlockText<easterBlock>;
constexpr auto islamicText = yearBlockText<islamicHolidaysBlock>;
constexpr auto indianText = yearBlockText<indianNewYearBlock>;

std::string jewishText(int year)
{
    SettingsRecord settings;
    settings.time.year = year;
    char buffer[kHolidayBlockSize];
    jewishNewYearBlock(settings, buffer, sizeof buffer);
    return buffer;
}

TEST(Easter, CheckValuesInBothCalendars)
{
    struct Case {
        int year, month, day;
    };
    const Case cases[] = {
        {1500, 4, 19}, {1582, 4, 15}, {1583, 4, 10}, {1818, 3, 22},
        {1943, 4, 25}, {2000, 4, 23}, {2024, 3, 31},
    };
    for (const Case& c : cases) {
        const DayMonthYear easter = easterSunday(c.year);
        EXPECT_EQ(easter.month, c.month) << c.year;
        EXPECT_EQ(easter.day, c.day) << c.year;
    }
}

TEST(Easter, YearsBeforeYearZeroFollowThe532YearCycle)
{
    for (int year = -5000; year < 1000; ++year) {
        const DayMonthYear easter = easterSunday(year);
        const DayMonthYear cycleLater = easterSunday(year + 532);
        ASSERT_EQ(easter.month, cycleLater.month) << year;
        ASSERT_EQ(easter.day, cycleLater.day) << year;
        // Easter Sunday is a Sunday: MJD 0h + 2, modulo 7, is 6 for Sundays (0 = Monday).
        const double mjd = modifiedJulianDate(easter.day, easter.month, year, 0.0);
        ASSERT_EQ(((static_cast<long long>(mjd) + 2) % 7 + 7) % 7, 6) << year;
    }
}

TEST(HolidayBlocks, YomKippurAcrossAMonthEndAndAshWednesdayAcrossTheReform)
{
    EXPECT_EQ(jewishText(2000), "\n\nJewish New Year:\tSEP30    (Jewish Year:5761)\nYom Kippur:\t\tOCT09");
    EXPECT_EQ(easterText(1582), "Ash Wednesday:\t\tFEB28\nEaster:\t\t\tAPR15");
    EXPECT_EQ(easterText(1583), "Ash Wednesday:\t\tFEB23\nEaster:\t\t\tAPR10");
}

TEST(HolidayBlocks, TwoIslamicNewYearsOrTwoRamadansInOneCivilYear)
{
    // 1 January 1454 is itself 1 Muharram.
    EXPECT_EQ(islamicText(1454),
              "\n\nIslamic New Year:\tJAN01    (Islamic Year: 858)"
              "\n\t     and:\tDEC22    (Islamic Year: 859)\nFirst Day Ramadan:\tAUG25");
    EXPECT_EQ(islamicText(2008),
              "\n\nIslamic New Year:\tJAN10    (Islamic Year:1429)"
              "\n\t     and:\tDEC29    (Islamic Year:1430)\nFirst Day Ramadan:\tSEP02");
    EXPECT_EQ(islamicText(1997),
              "\n\nIslamic New Year:\tMAY09    (Islamic Year:1418)"
              "\nFirst Day Ramadan:\tJAN10\n\t     and:\tDEC31");
    // 1 January 2063 is itself 1 Ramadan: both it and the December one are listed.
    EXPECT_EQ(islamicText(2063),
              "\n\nIslamic New Year:\tAPR29    (Islamic Year:1486)"
              "\nFirst Day Ramadan:\tJAN01\n\t     and:\tDEC21");
}

TEST(HolidayBlocks, YearsOutsideACalendarGiveOneBlank)
{
    EXPECT_EQ(islamicText(621), " ");
    EXPECT_EQ(islamicText(622),
              "\n\nIslamic New Year:\tJUL16    (Islamic Year:   1)\nFirst Day Ramadan:\tMAR20");
    EXPECT_EQ(indianText(81), " ");
    EXPECT_EQ(indianText(82), "\n\nIndian New Year:\tMAR24    (Indian Year:   4)");
    EXPECT_EQ(jewishText(-3763), " ");
    EXPECT_EQ(jewishText(-3762), "\n\nJewish New Year:\tOCT01    (Jewish Year:  -1)\nYom Kippur:\t\tOCT10");
}

TEST(HolidayBlocks, SmallBufferIsCutAndTerminated)
{
    char buffer[12];
    std::memset(buffer, 'x', sizeof buffer);
    islamicHolidaysBlock(2008, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer), "\n\nIslamic N");
    indianNewYearBlock(2024, buffer, 1);
    EXPECT_EQ(buffer[0], '\0');
}

std::string chineseText(int year)
{
    SettingsRecord settings;
    settings.time.year = year;
    char buffer[kHolidayBlockSize];
    chineseNewYearBlock(settings, buffer, sizeof buffer);
    return buffer;
}

std::string joined(const std::vector<std::string>& pieces, std::size_t first, std::size_t end)
{
    std::string text;
    for (std::size_t i = first; i < end; ++i)
        text += pieces[i];
    return text;
}

TEST(ChineseNewYearBlock, DateAndYearName)
{
    EXPECT_EQ(chineseText(2024), "\n\nChinese New Year:\tFEB10\tjia-chen (dragon)");
    // After the intercalary eleventh month of 2033 the year begins at the fourth New Moon day.
    EXPECT_EQ(chineseText(2034), "\n\nChinese New Year:\tFEB19\tjia-yin (tiger)");
    // The Julian calendar has run some 50 days ahead of the seasons by then.
    EXPECT_EQ(chineseText(-4711), "\n\nChinese New Year:\tMAR27\tji-chou (ox)");
    EXPECT_EQ(chineseText(-4712), " ");
    // So far from the present the solstices and New Moons make no Chinese year.
    EXPECT_EQ(chineseText(99999), " ");
}

// The golden text holds every block of 2024 in the dialog's order.
TEST(HolidayPages, DialogPiecesMatchTheGoldenText)
{
    SettingsRecord settings;
    settings.time.year = 2024;
    const std::vector<std::string> pieces = holidayDialogPieces(settings);
    ASSERT_EQ(pieces.size(), 8u);
    EXPECT_TRUE(testing::matchesGolden("holidays_2024.txt", joined(pieces, 0, 8) + "\n"));

    int status = 0;
    EXPECT_TRUE(testing::matchesGolden("holidays_2024.txt", testing::runCli("holidays --year 2024", status)));
    EXPECT_EQ(status, 0);
}

// The save file holds the dialog's blocks between its own header and footer.
TEST(HolidayPages, SavePageWrittenToTheFile)
{
    SettingsRecord settings;
    settings.time.year = 2024;
    settings.time.zone.offsetHours = 1.0;
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(writeHolidaySavePage(settings, file));
    std::rewind(file);
    std::string written;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        written.append(buffer, n);
    std::fclose(file);

    const std::vector<std::string> pieces = holidayDialogPieces(settings);
    EXPECT_EQ(written, "\n\n\n\t\tHolidays for 2024\n\t\t=================\n\n" + joined(pieces, 1, 6) +
                           "\n\nJewish and Islamic dates are tabular dates"
                           "\nand begin at sunset on the previous evening\n");
}

std::string monthDay(double mjd)
{
    int day, month, year;
    double hour;
    calendarDate(mjd, day, month, year, hour);
    char text[8];
    std::snprintf(text, sizeof text, "%02d%02d", month, day);
    return text;
}

std::string monthDays(const double* mjds, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += ',';
        text += monthDay(mjds[i]);
    }
    return text;
}

// Every civil year 622-3000 against python3-dateutil (Easter; Julian-calendar dates before
// 1583) and python3-convertdate (Jewish, Indian and Islamic dates), as civil month and day.
// Measured: no disagreement in any column. The years whose 1 January is itself 1 Ramadan
// (792, 857, 1085, 1378, 1672, 1835, 2063, 2226, 2454, 2845) list it beside the December one.
TEST(Holidays, AgreeWithDateutilAndConvertdateFrom622To3000)
{
    const auto rows = readTable("calendars/data/holidays.txt");
    ASSERT_EQ(rows.size(), 3000u - 622u + 1u);
    int wrongEaster = 0, wrongJewish = 0, wrongIndian = 0, wrongIslamic = 0;
    for (const auto& row : rows) {
        const int year = std::stoi(row[0]);
        const DayMonthYear easter = easterSunday(year);
        char easterDay[8];
        std::snprintf(easterDay, sizeof easterDay, "%02d%02d", easter.month, easter.day);
        wrongEaster += row[1] != easterDay;

        int ending;
        wrongJewish += row[2] != monthDay(hebrewNewYear(year, ending));
        wrongIndian += row[3] != monthDay(indianToMjd(1, 1, year - 78));

        const IslamicHolidays islamic = islamicHolidays(year);
        const bool islamicSame = row[4] == monthDays(islamic.newYearMjd, islamic.newYearCount) &&
                                 row[5] == monthDays(islamic.ramadanMjd, islamic.ramadanCount);
        if (!islamicSame && ++wrongIslamic <= 5)
            ADD_FAILURE() << year << ": Islamic New Year "
                          << monthDays(islamic.newYearMjd, islamic.newYearCount) << " Ramadan "
                          << monthDays(islamic.ramadanMjd, islamic.ramadanCount);
    }
    EXPECT_EQ(wrongEaster, 0);
    EXPECT_EQ(wrongJewish, 0);
    EXPECT_EQ(wrongIndian, 0);
    EXPECT_EQ(wrongIslamic, 0);
}

}  // namespace
}  // namespace qv
