#pragma once
// The save file of the Save commands: the year tables (phases of the Moon, the Sun, the
// eclipses), the holidays page and the 38 lines of the calendar of the settings year, in one
// plain text file.
#include <cstdio>
#include <string>

#include "base/page_buffer.h"
#include "base/settings.h"

namespace qv {

// Writes the save text to file, using page as scratch for the calendar (it ends holding it).
// The stream's error state tells whether everything was written.
void writeSaveText(SettingsRecord& settings, PageBuffer& page, std::FILE* file);

// Writes the save file to path whole or not at all: an earlier file there stays untouched
// unless the new one was written completely. False with the reason in error otherwise.
bool saveYearFile(SettingsRecord& settings, PageBuffer& page, const std::string& path, std::string& error);

}  // namespace qv
