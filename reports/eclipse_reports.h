#pragma once
// Reports of the year's eclipse table: the eclipses section of the year tables.
#include <cstdio>

#include "base/page_buffer.h"
#include "base/settings.h"

namespace qv {

// The eclipses of the year from the settings' eclipse table, one line each (local time, kind,
// and the magnitude for lunar and partial solar eclipses), appended to the page and written
// to saveFile when it is not null.
void writeEclipsesOfYear(int year, const SettingsRecord& settings, PageBuffer& page, std::FILE* saveFile);

}  // namespace qv
