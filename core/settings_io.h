#pragma once
// Defaults, the clock, the start page's input-values block and the configuration file
// "./quorvel.cfg" (zone, latitude, longitude, height, location name, flag).
#include <cstdio>

#include "core/page_buffer.h"
#include "core/settings.h"

namespace qv {

constexpr const char* kConfigFileName = "./quorvel.cfg";

// Fills every default, writes the welcome line, reads the configuration file and appends the
// input-values block. Called once at start with an empty page.
void initSettings(SettingsRecord& settings, PageBuffer& page);
// Same as initSettings with an explicit configuration path (tests, batch companion).
void initSettings(SettingsRecord& settings, PageBuffer& page, const char* configPath);

// Date, time and currentMjd from the system clock in the record's zone; deltaT when automatic.
void setDateTimeFromClock(SettingsRecord& settings);
// Same from a given count of seconds since 1970-01-01 UTC.
void setDateTimeFromUnixSeconds(SettingsRecord& settings, long long unixSeconds);

// Appends "The present input values are:" and the values below it.
void writeInputValuesPage(const SettingsRecord& settings, PageBuffer& page);

// Writes the configuration file atomically (temporary file, then rename).
// Returns true when the file was written.
bool writeConfigFile(const SettingsRecord& settings, int flag, const char* path = kConfigFileName);

// Reads the configuration file: 2 cannot open, 0 incomplete or unreadable, 1 read.
// On failure the record is untouched. *flagOut is 1 only when the last number is 1.
int readConfigFile(SettingsRecord& settings, int* flagOut, const char* path = kConfigFileName);

// Reads one line and parses up to count blank-separated numbers into values.
int readNumbersFromLine(std::FILE* file, int count, double* values);

}  // namespace qv
