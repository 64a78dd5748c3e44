#include "time/holidays.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <utility>

#include "time/calendar_names.h"
#include "time/chinese.h"
#include "time/hebrew.h"
#include "time/indian.h"
#include "time/islamic.h"
#include "time/julian.h"

namespace qv {

namespace {

constexpr int kFirstGregorianEasterYear = 1583;
constexpr int kAshWednesdayDaysBeforeEaster = 46;
constexpr int kYomKippurDaysAfterNewYear = 9;
constexpr int kRamadan = 9;
constexpr int kMonthsBeforeRamadan = 8;
constexpr std::size_t kYearNameSize = 32;

constexpr const char* kDialogHeaderFormat = "\t\tHolidays for %4i\n\t\t==============\n\n";
constexpr const char* kSaveHeaderFormat = "\n\n\n\t\tHolidays for %4i\n\t\t=================\n\n";
constexpr const char* kDialogFooters[] = {"\n\n\nJewish and Islamic dates are tabular dates",
                                          "\nand begin at sunset on the previous evening"};
constexpr const char* kSaveFooters[] = {"\n\nJewish and Islamic dates are tabular dates",
                                        "\nand begin at sunset on the previous evening\n"};
constexpr const char* kScrollToStart = "$$$";
constexpr int kHolidayBlocks = 5;

DayMonthYear civilDate(double mjd)
{
    DayMonthYear date{};
    double hour;
    calendarDate(mjd, date.day, date.month, date.year, hour);
    return date;
}

// Bounded writer of one text block into a caller buffer.
class BlockWriter {
public:
    BlockWriter(char* buffer, std::size_t size) : buffer_(buffer), size_(size)
    {
        if (size_ > 0)
            buffer_[0] = '\0';
    }

    [[gnu::format(printf, 2, 3)]] void append(const char* format, ...)
    {
        if (used_ + 1 >= size_)
            return;
        va_list args;
        va_start(args, format);
        const int written = std::vsnprintf(buffer_ + used_, size_ - used_, format, args);
        va_end(args);
        if (written > 0)
            used_ = std::min(size_ - 1, used_ + static_cast<std::size_t>(written));
    }

    // Month abbreviation directly followed by the two-digit day, e.g. "MAR08".
    void appendMonthDay(int month, int day)
    {
        char name[4];
        monthAbbreviation(month, name);
        append("%s%02i", name, day);
    }

    void appendMonthDay(double mjd)
    {
        const DayMonthYear date = civilDate(mjd);
        appendMonthDay(date.month, date.day);
    }

private:
    char* buffer_;
    std::size_t size_;
    std::size_t used_ = 0;
};

void writeNotApplicable(char* buffer, std::size_t size) { BlockWriter(buffer, size).append(" "); }

int mathematicalRemainder(int value, int divisor)
{
    const int r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// Julian-calendar Easter. The cycle remainders are taken non-negative, so that years before
// year 0 repeat the 532-year cycle instead of giving dates outside March 22 to April 25.
DayMonthYear julianEaster(int year)
{
    const int a = mathematicalRemainder(year, 4);
    const int b = mathematicalRemainder(year, 7);
    const int n = mathematicalRemainder(year, 19);
    const int d = (19 * n + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    return {(d + e + 114) % 31 + 1, (d + e + 114) / 31, year};
}

DayMonthYear gregorianEaster(int year)
{
    const int h = year / 100;
    const int g = year % 19;
    const int k = (h - 17) / 25;
    int i = (h - h / 4 - (h - k) / 3 + 19 * g + 15) % 30;
    i = i - (i / 28) * (1 - (i / 28) * (29 / (i + 1)) * ((21 - g) / 11));
    const int j = year + year / 4 + h / 4 + i + 2 - h;
    const int l = i - j % 7;
    const int month = 3 + (l + 40) / 44;
    return {l + 28 - 31 * (month / 4), month, year};
}

int civilYearOf(double mjd) { return civilDate(mjd).year; }

std::string formatHeader(const char* format, int year)
{
    char header[kHolidayBlockSize];
    std::snprintf(header, sizeof header, format, year);
    return header;
}

// The five blocks of the settings year in page order.
std::vector<std::string> holidayBlocks(SettingsRecord& settings, PageBuffer& page)
{
    char blocks[kHolidayBlocks][kHolidayBlockSize];
    easterBlock(settings.year, blocks[0], kHolidayBlockSize);
    jewishNewYearBlock(settings, blocks[1], kHolidayBlockSize);
    islamicHolidaysBlock(settings.year, blocks[2], kHolidayBlockSize);
    indianNewYearBlock(settings.year, blocks[3], kHolidayBlockSize);
    chineseNewYearBlock(settings, page, blocks[4], kHolidayBlockSize);
    return {std::begin(blocks), std::end(blocks)};
}
int civilMonthOf(double mjd) { return civilDate(mjd).month; }

}  // namespace

DayMonthYear easterSunday(int year)
{
    return year < kFirstGregorianEasterYear ? julianEaster(year) : gregorianEaster(year);
}

IslamicHolidays islamicHolidays(int year)
{
    IslamicHolidays result{};
    const double januaryFirst = modifiedJulianDate(1, 1, year, 0.0);
    const DayMonthYear jan1 = islamicDate(januaryFirst);

    const int firstNewYear = (jan1.day == 1 && jan1.month == 1) ? jan1.year : jan1.year + 1;
    result.newYearMjd[0] = islamicToMjd(1, 1, firstNewYear);
    result.islamicYear[0] = firstNewYear;
    result.newYearCount = 1;
    if (civilMonthOf(result.newYearMjd[0]) == 1) {
        const double next = islamicToMjd(1, 1, firstNewYear + 1);
        if (civilYearOf(next) == year) {
            result.newYearMjd[1] = next;
            result.islamicYear[1] = firstNewYear + 1;
            result.newYearCount = 2;
        }
    }

    // A 1 January that is itself 1 Ramadan counts as this year's first day of Ramadan.
    const bool ramadanAhead = jan1.month <= kMonthsBeforeRamadan ||
                              (jan1.month == kRamadan && jan1.day == 1);
    int ramadanYear = ramadanAhead ? jan1.year : jan1.year + 1;
    double ramadan = islamicToMjd(1, kRamadan, ramadanYear);
    if (civilYearOf(ramadan) > year)
        ramadan = islamicToMjd(1, kRamadan, --ramadanYear);
    if (civilYearOf(ramadan) < year)
        ramadan = islamicToMjd(1, kRamadan, ++ramadanYear);
    result.ramadanMjd[0] = ramadan;
    result.ramadanCount = 1;
    if (civilMonthOf(ramadan) == 1) {
        const double next = islamicToMjd(1, kRamadan, ramadanYear + 1);
        if (civilYearOf(next) == year) {
            result.ramadanMjd[1] = next;
            result.ramadanCount = 2;
        }
    }
    return result;
}

void easterBlock(int year, char* buffer, std::size_t size)
{
    const DayMonthYear easter = easterSunday(year);
    const double ashWednesday =
        modifiedJulianDate(easter.day, easter.month, year, 0.0) - kAshWednesdayDaysBeforeEaster;
    BlockWriter block(buffer, size);
    block.append("Ash Wednesday:\t\t");
    block.appendMonthDay(ashWednesday);
    block.append("\nEaster:\t\t\t");
    block.appendMonthDay(easter.month, easter.day);
}

void jewishNewYearBlock(const SettingsRecord& settings, char* buffer, std::size_t size)
{
    if (settings.year < kHebrewFirstCivilYear) {
        writeNotApplicable(buffer, size);
        return;
    }
    int endingHebrewYear = 0;
    const double newYear = hebrewNewYear(settings.year, endingHebrewYear);
    BlockWriter block(buffer, size);
    block.append("\n\nJewish New Year:\t");
    block.appendMonthDay(newYear);
    block.append("    (Jewish Year:%4i)", endingHebrewYear + 1);
    block.append("\nYom Kippur:\t\t");
    block.appendMonthDay(newYear + kYomKippurDaysAfterNewYear);
}

void islamicHolidaysBlock(int year, char* buffer, std::size_t size)
{
    if (year < kIslamicFirstCivilYear) {
        writeNotApplicable(buffer, size);
        return;
    }
    const IslamicHolidays holidays = islamicHolidays(year);
    BlockWriter block(buffer, size);
    for (int i = 0; i < holidays.newYearCount; ++i) {
        block.append(i == 0 ? "\n\nIslamic New Year:\t" : "\n\t     and:\t");
        block.appendMonthDay(holidays.newYearMjd[i]);
        block.append("    (Islamic Year:%4i)", holidays.islamicYear[i]);
    }
    for (int i = 0; i < holidays.ramadanCount; ++i) {
        block.append(i == 0 ? "\nFirst Day Ramadan:\t" : "\n\t     and:\t");
        block.appendMonthDay(holidays.ramadanMjd[i]);
    }
}

void indianNewYearBlock(int year, char* buffer, std::size_t size)
{
    if (year < kIndianFirstCivilYear) {
        writeNotApplicable(buffer, size);
        return;
    }
    const int indianYear = indianDate(modifiedJulianDate(1, 1, year, 0.0)).year + 1;
    BlockWriter block(buffer, size);
    block.append("\n\nIndian New Year:\t");
    block.appendMonthDay(indianToMjd(1, 1, indianYear));
    block.append("    (Indian Year:%4i)", indianYear);
}

void chineseNewYearBlock(SettingsRecord& settings, PageBuffer& page, char* buffer, std::size_t size)
{
    if (settings.year < kChineseFirstYear) {
        writeNotApplicable(buffer, size);
        return;
    }
    ChineseNewMoons moons;
    const int newYear = chineseNewYear(settings, page, moons);
    rebuildYearTables(settings, page);
    if (!isChineseYear(moons)) {
        writeNotApplicable(buffer, size);
        return;
    }
    char yearName[kYearNameSize];
    chineseYearName(settings.year, yearName, sizeof yearName);
    BlockWriter block(buffer, size);
    block.append("\n\nChinese New Year:\t");
    block.appendMonthDay(newYear);
    block.append("\t%s", yearName);
}

std::vector<std::string> holidayDialogPieces(SettingsRecord& settings, PageBuffer& page)
{
    std::vector<std::string> pieces{formatHeader(kDialogHeaderFormat, settings.year)};
    for (std::string& block : holidayBlocks(settings, page))
        pieces.push_back(std::move(block));
    pieces.insert(pieces.end(), std::begin(kDialogFooters), std::end(kDialogFooters));
    pieces.emplace_back(kScrollToStart);
    return pieces;
}

bool writeHolidaySavePage(SettingsRecord& settings, PageBuffer& page, std::FILE* file)
{
    std::fputs(formatHeader(kSaveHeaderFormat, settings.year).c_str(), file);
    for (const std::string& block : holidayBlocks(settings, page))
        std::fputs(block.c_str(), file);
    for (const char* footer : kSaveFooters)
        std::fputs(footer, file);
    return std::ferror(file) == 0;
}

}  // namespace qv
