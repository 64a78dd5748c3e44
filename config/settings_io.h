#pragma once
// Defaults, the clock, the start page's input-values block and the configuration file
// "./quorvel.cfg" (zone, latitude, longitude, height, location name, flag).
#include <cstddef>
#include <cstdio>
#include <span>
#include <string>

#include "base/page_buffer.h"
#include "base/settings.h"

namespace qv {

constexpr const char* kConfigFileName = "./quorvel.cfg";
constexpr const char* kWelcomeLine = "     *** Welcome to Quorvel Version " QUORVEL_VERSION " ***";
constexpr const char* kConfigProblemLine =
    "Problems reading Configuration File. Using defaults instead.";

// What reading the configuration file found.
enum class ConfigRead {
    Unreadable,  // incomplete, unreadable, out of range or not a regular file
    Read,
    Missing,     // no such file
};

// Fills every default, writes the welcome line, reads the configuration file and appends the
// input-values block. Called once at start with an empty page; an unreadable file adds the
// problem line and a line naming the file and the reason. Returns what readConfigFile
// returned: Unreadable tells that the defaults are in use.
ConfigRead initSettings(SettingsRecord& settings, PageBuffer& page);
// Same as initSettings with an explicit configuration path and the clock fixed at unixSeconds
// (seconds since 1970-01-01 UTC).
ConfigRead initSettings(SettingsRecord& settings, PageBuffer& page, const char* configPath,
                        long long unixSeconds);

// The defaults of every input (zone 0, automatic TT - UT, location "Default" at 0, 0, 0, ...)
// with the current instant, date and time from unixSeconds. Reads no file and writes no page.
void setDefaultSettings(SettingsRecord& settings, long long unixSeconds);

// Appends the welcome line and one blank line.
void writeWelcomeLines(PageBuffer& page);

// The current instant (UT) and the local date and time in the record's zone from a count of
// seconds since 1970-01-01 UTC.
void setDateTimeFromUnixSeconds(SettingsRecord& settings, long long unixSeconds);

// Appends "The present input values are:" and the values below it (latitude and longitude in
// the packed DD.MMSS form when dmsFlag is set).
void writeInputValuesPage(const SettingsRecord& settings, PageBuffer& page);

// Stores a location name as the Location command does: a non-empty name is cut to 30 bytes
// (never inside a UTF-8 character) and padded with blanks to exactly 30; control characters
// become blanks so the name stays one line of the configuration file, and bytes that are no
// UTF-8 become U+FFFD before the cut. Empty keeps the old name.
void storeLocationName(SettingsRecord& settings, const char* utf8Name);

// Length of text[0, length) without a trailing UTF-8 character that is cut short.
std::size_t utf8WholeCharactersLength(const char* text, std::size_t length);

// Writes the configuration file through the replacing-file writer: whole or not at all, through
// a symbolic link to its target, an existing file without write permission left alone. True
// when it was written; else the system's text of the failure goes to *reason when given.
bool writeConfigFile(const SettingsRecord& settings, int flag, const char* path = kConfigFileName,
                     std::string* reason = nullptr);

// Whether the values the configuration file keeps (zone, location and its name) are the same.
bool sameConfigValues(const SettingsRecord& a, const SettingsRecord& b);

// Reads the configuration file; one that is not a regular file is never opened for reading (a
// FIFO would block). On failure the record is untouched and *reason (when given) says why.
// *flagOut is 1 only when the last number is 1. The name line keeps up to 30 bytes on whole
// characters, bytes that are no UTF-8 becoming U+FFFD; a CR before its line end is dropped. A
// seventh line names a named zone; a name the time-zone database does not know leaves the fixed
// offset of line 1, read as Read with *reason saying so.
ConfigRead readConfigFile(SettingsRecord& settings, int* flagOut, const char* path = kConfigFileName,
                   std::string* reason = nullptr);

// Reads one line (at most 79 characters) and parses blank-separated numbers into values: true
// when all of values were filled (or values is empty and the line is not), else false. A
// token that is no finite number (see tryParseNumber) or a longer line gives false.
bool readNumbersFromLine(std::FILE* file, std::span<double> values);

}  // namespace qv
