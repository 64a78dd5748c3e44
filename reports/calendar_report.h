#pragma once
// The calendar of a year as one page: four blocks of three months, each month with the
// weekdays as rows and up to six weeks as columns. Julian up to 1582-10-04, Gregorian after,
// so October 1582 goes from the 4th straight to the 15th.
#include "base/page_buffer.h"
#include "base/settings.h"

namespace qv {

// Appends the 38 fixed-pitch lines of the calendar of settings.time.year to the page.
void buildCalendarReport(const SettingsRecord& settings, PageBuffer& page);

}  // namespace qv
