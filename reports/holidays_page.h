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

#include "base/settings.h"

namespace qv {

constexpr std::size_t kHolidayBlockSize = 256;

// "Ash Wednesday:\t\tFEB14\nEaster:\t\t\tMAR31" for the year.
void easterBlock(int year, char* buffer, std::size_t size);
// Jewish New Year with the Hebrew year that begins, and Yom Kippur, of the settings year.
void jewishNewYearBlock(const SettingsRecord& settings, char* buffer, std::size_t size);
// Islamic New Year(s) with the Islamic year, and first day(s) of Ramadan.
void islamicHolidaysBlock(int year, char* buffer, std::size_t size);
// Indian New Year (1 Caitra) with the Indian year that begins.
void indianNewYearBlock(int year, char* buffer, std::size_t size);
// Chinese New Year of the settings year with the year's name, from kChineseFirstYear on.
void chineseNewYearBlock(const SettingsRecord& settings, char* buffer, std::size_t size);

// The holiday page of the Holidays command: the pieces the holiday dialog receives in order,
// the header, the five blocks and the two footer texts.
std::vector<std::string> holidayDialogPieces(const SettingsRecord& settings);

// Writes the holiday page of the save file to file; false when the stream reports an error.
bool writeHolidaySavePage(const SettingsRecord& settings, std::FILE* file);

}  // namespace qv
