#pragma once
// Holidays of a civil year as text blocks for the holiday page and the save file: Ash
// Wednesday and Easter, the Jewish New Year and Yom Kippur, the Islamic New Year and the first
// day of Ramadan, the Indian New Year, the Chinese New Year. Dates print as month abbreviation
// and day ("MAR08").
// Each block is written NUL-terminated into a caller buffer (at least kHolidayBlockSize
// characters); a block that does not apply to the year is a single blank.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "core/page_buffer.h"
#include "core/settings.h"
#include "time/day_month_year.h"

namespace qv {

constexpr std::size_t kHolidayBlockSize = 256;

// Easter Sunday of a year: Julian calendar up to 1582, Gregorian from 1583.
DayMonthYear easterSunday(int year);

// Islamic New Years (1 Muharram) and first days of Ramadan that fall in a civil year; each
// happens once or twice. Meaningful from kIslamicFirstCivilYear on.
struct IslamicHolidays {
    int newYearCount;
    double newYearMjd[2];    // noon of the day
    int islamicYear[2];      // the year that begins
    int ramadanCount;
    double ramadanMjd[2];    // noon of the day
};
IslamicHolidays islamicHolidays(int year);

// "Ash Wednesday:\t\tFEB14\nEaster:\t\t\tMAR31" for the year.
void easterBlock(int year, char* buffer, std::size_t size);
// Jewish New Year with the Hebrew year that begins, and Yom Kippur, of the settings year.
void jewishNewYearBlock(const SettingsRecord& settings, char* buffer, std::size_t size);
// Islamic New Year(s) with the Islamic year, and first day(s) of Ramadan.
void islamicHolidaysBlock(int year, char* buffer, std::size_t size);
// Indian New Year (1 Caitra) with the Indian year that begins.
void indianNewYearBlock(int year, char* buffer, std::size_t size);
// Chinese New Year of the settings year with the year's name, from kChineseFirstYear on. Runs
// the year driver on settings and page as scratch; afterwards the page and the eclipse table
// hold the year tables of the settings (cleared page first), and no save file is written.
void chineseNewYearBlock(SettingsRecord& settings, PageBuffer& page, char* buffer, std::size_t size);

// The holiday page of the Holidays command: the pieces the holiday dialog receives in order,
// the header, the five blocks, the two footer texts and "$$$" (back to the first line).
// Leaves settings and page as chineseNewYearBlock does.
std::vector<std::string> holidayDialogPieces(SettingsRecord& settings, PageBuffer& page);

// Writes the holiday page of the save file to file; false when the stream reports an error.
// Leaves settings and page as chineseNewYearBlock does.
bool writeHolidaySavePage(SettingsRecord& settings, PageBuffer& page, std::FILE* file);

}  // namespace qv
