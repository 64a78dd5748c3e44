#pragma once
// The details of one civil day: weekday, day of the year and week number, and the same day in
// the Hebrew, Islamic, Indian and Chinese calendars. The text is built in two halves so that
// the first can be had without the costly Chinese computation.
#include <cstddef>
#include <string>

#include "base/settings.h"

namespace qv {

// Size of the buffer each half is written into.
constexpr std::size_t kDayDetailsSize = 256;

// The halves of the text.
constexpr int kDayDetailsFirstHalf = 1;   // weekday, day of year, week, Hebrew and Islamic lines
constexpr int kDayDetailsSecondHalf = 2;  // Indian and Chinese lines and the footer

// Weekday names from 0 = Monday.
inline constexpr const char* weekdayNames[7] = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
};

// Writes one half of the details of the day dateRecord.time.day, .month, .year (a day beyond the
// month's length runs on into the next month) into buffer, NUL-terminated and cut to size.
// The Chinese New Moons take TT - UT by deltaTRule(dateRecord.time). Any other half writes an empty text.
void buildDayDetails(const SettingsRecord& dateRecord, char* buffer, std::size_t size, int half);

// Both halves joined: the text of the day dialog.
std::string dayDetailsText(const SettingsRecord& dateRecord);

}  // namespace qv
