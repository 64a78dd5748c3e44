#include "reports/holidays_page.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <utility>

#include "base/julian.h"
#include "calendars/calendar_names.h"
#include "calendars/chinese.h"
#include "calendars/hebrew.h"
#include "calendars/holidays.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"

namespace qv {

namespace {

constexpr int kAshWednesdayDaysBeforeEaster = 46;
constexpr int kYomKippurDaysAfterNewYear = 9;
constexpr std::size_t kYearNameSize = 32;

constexpr const char* kDialogHeaderFormat = "\t\tHolidays for %4i\n\t\t==============\n\n";
constexpr const char* kSaveHeaderFormat = "\n\n\n\t\tHolidays for %4i\n\t\t=================\n\n";
constexpr const char* kDialogFooters[] = {"\n\n\nJewish and Islamic dates are tabular dates",
                                          "\nand begin at sunset on the previous evening"};
constexpr const char* kSaveFooters[] = {"\n\nJewish and Islamic dates are tabular dates",
                                        "\nand begin at sunset on the previous evening\n"};
constexpr const char* kScrollToStart = "$$$";
constexpr int kHolidayBlocks = 5;

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

std::string formatHeader(const char* format, int year)
{
    char header[kHolidayBlockSize];
    std::snprintf(header, sizeof header, format, year);
    return header;
}

// The five blocks of the settings year in page order.
std::vector<std::string> holidayBlocks(const SettingsRecord& settings)
{
    char blocks[kHolidayBlocks][kHolidayBlockSize];
    easterBlock(settings.year, blocks[0], kHolidayBlockSize);
    jewishNewYearBlock(settings, blocks[1], kHolidayBlockSize);
    islamicHolidaysBlock(settings.year, blocks[2], kHolidayBlockSize);
    indianNewYearBlock(settings.year, blocks[3], kHolidayBlockSize);
    chineseNewYearBlock(settings, blocks[4], kHolidayBlockSize);
    return {std::begin(blocks), std::end(blocks)};
}
}  // namespace

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

void chineseNewYearBlock(const SettingsRecord& settings, char* buffer, std::size_t size)
{
    if (settings.year < kChineseFirstYear) {
        writeNotApplicable(buffer, size);
        return;
    }
    ChineseNewMoons moons;
    const int newYear = chineseNewYear(settings.year, settings.deltaT, moons);
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

std::vector<std::string> holidayDialogPieces(const SettingsRecord& settings)
{
    std::vector<std::string> pieces{formatHeader(kDialogHeaderFormat, settings.year)};
    for (std::string& block : holidayBlocks(settings))
        pieces.push_back(std::move(block));
    pieces.insert(pieces.end(), std::begin(kDialogFooters), std::end(kDialogFooters));
    pieces.emplace_back(kScrollToStart);
    return pieces;
}

bool writeHolidaySavePage(const SettingsRecord& settings, std::FILE* file)
{
    std::fputs(formatHeader(kSaveHeaderFormat, settings.year).c_str(), file);
    for (const std::string& block : holidayBlocks(settings))
        std::fputs(block.c_str(), file);
    for (const char* footer : kSaveFooters)
        std::fputs(footer, file);
    return std::ferror(file) == 0;
}

}  // namespace qv
