#include "reports/holidays_page.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <utility>

#include "base/julian.h"
#include "calendars/calendar_names.h"
#include "calendars/holidays.h"

namespace qv {

namespace {

constexpr std::size_t kYearNameSize = 32;

constexpr const char* kDialogHeaderFormat = "\t\tHolidays for %4i\n\t\t==============\n\n";
constexpr const char* kSaveHeaderFormat = "\n\n\n\t\tHolidays for %4i\n\t\t=================\n\n";
constexpr const char* kDialogFooters[] = {"\n\n\nJewish and Islamic dates are tabular dates",
                                          "\nand begin at sunset on the previous evening"};
constexpr const char* kSaveFooters[] = {"\n\nJewish and Islamic dates are tabular dates",
                                        "\nand begin at sunset on the previous evening\n"};

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

    // Month abbreviation of the day's civil date directly followed by its two-digit day, e.g. "MAR08".
    void appendMonthDay(double mjd)
    {
        const DayMonthYear date = civilDate(mjd);
        char name[4];
        monthAbbreviation(date.month, name);
        append("%s%02i", name, date.day);
    }

private:
    char* buffer_;
    std::size_t size_;
    std::size_t used_ = 0;
};

// The page's texts of each holiday kind (index HolidayKind): the label before its date and the
// format of the year of its own calendar after it, if the page shows one.
struct HolidayText {
    const char* label;
    const char* yearFormat;
};

constexpr HolidayText kHolidayTexts[] = {
    {"Ash Wednesday:\t\t", nullptr},
    {"\nEaster:\t\t\t", nullptr},
    {"\n\nJewish New Year:\t", "    (Jewish Year:%4i)"},
    {"\nYom Kippur:\t\t", nullptr},
    {"\n\nIslamic New Year:\t", "    (Islamic Year:%4i)"},
    {"\nFirst Day Ramadan:\t", nullptr},
    {"\n\nIndian New Year:\t", "    (Indian Year:%4i)"},
    {"\n\nChinese New Year:\t", nullptr},
};
// The label of a holiday's second date in the year.
constexpr const char* kSecondDateLabel = "\n\t     and:\t";

// The block of one group: each holiday's label, date and year; the Chinese New Year with the
// sexagenary name of the civil year. A group without holidays in the year is a single blank.
void writeGroupBlock(HolidayGroup group, int year, const DeltaTRule& rule, char* buffer, std::size_t size)
{
    BlockWriter block(buffer, size);
    const std::vector<HolidayDate> holidays = groupHolidays(group, year, rule);
    if (holidays.empty())
        block.append(" ");
    for (std::size_t i = 0; i < holidays.size(); ++i) {
        const HolidayDate& holiday = holidays[i];
        const HolidayText& text = kHolidayTexts[holiday.kind];
        const bool secondDate = i > 0 && holidays[i - 1].kind == holiday.kind;
        block.append("%s", secondDate ? kSecondDateLabel : text.label);
        block.appendMonthDay(holiday.mjd);
        if (text.yearFormat)
            block.append(text.yearFormat, holiday.calendarYear);
        if (holiday.kind == kChineseNewYear) {
            char yearName[kYearNameSize];
            chineseYearName(year, yearName, sizeof yearName);
            block.append("\t%s", yearName);
        }
    }
}

std::string formatHeader(const char* format, int year)
{
    char header[kHolidayBlockSize];
    std::snprintf(header, sizeof header, format, year);
    return header;
}

// The five blocks of the settings year in page order.
std::vector<std::string> holidayBlocks(const SettingsRecord& settings)
{
    std::vector<std::string> blocks;
    for (int group = 0; group < kHolidayGroups; ++group) {
        char block[kHolidayBlockSize];
        writeGroupBlock(static_cast<HolidayGroup>(group), settings.time.year, deltaTRule(settings.time), block, sizeof block);
        blocks.emplace_back(block);
    }
    return blocks;
}
}  // namespace

void easterBlock(int year, char* buffer, std::size_t size)
{
    writeGroupBlock(kEasterGroup, year, DeltaTRule{}, buffer, size);
}

void jewishNewYearBlock(const SettingsRecord& settings, char* buffer, std::size_t size)
{
    writeGroupBlock(kJewishGroup, settings.time.year, deltaTRule(settings.time), buffer, size);
}

void islamicHolidaysBlock(int year, char* buffer, std::size_t size)
{
    writeGroupBlock(kIslamicGroup, year, DeltaTRule{}, buffer, size);
}

void indianNewYearBlock(int year, char* buffer, std::size_t size)
{
    writeGroupBlock(kIndianGroup, year, DeltaTRule{}, buffer, size);
}

void chineseNewYearBlock(const SettingsRecord& settings, char* buffer, std::size_t size)
{
    writeGroupBlock(kChineseGroup, settings.time.year, deltaTRule(settings.time), buffer, size);
}

std::vector<std::string> holidayDialogPieces(const SettingsRecord& settings)
{
    std::vector<std::string> pieces{formatHeader(kDialogHeaderFormat, settings.time.year)};
    for (std::string& block : holidayBlocks(settings))
        pieces.push_back(std::move(block));
    pieces.insert(pieces.end(), std::begin(kDialogFooters), std::end(kDialogFooters));
    return pieces;
}

bool writeHolidaySavePage(const SettingsRecord& settings, std::FILE* file)
{
    std::fputs(formatHeader(kSaveHeaderFormat, settings.time.year).c_str(), file);
    for (const std::string& block : holidayBlocks(settings))
        std::fputs(block.c_str(), file);
    for (const char* footer : kSaveFooters)
        std::fputs(footer, file);
    return std::ferror(file) == 0;
}

}  // namespace qv
