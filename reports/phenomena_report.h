#pragma once
// The year's planetary phenomena as the page "Planets for YEAR" (local time of the zone, month
// by month) and as CSV for scripts (UT).
#include <string>
#include <vector>

#include "astro/phenomena.h"
#include "base/page_buffer.h"
#include "base/settings.h"

namespace qv {

// The phenomena of the local civil year settings.time.year of the settings' zone, every
// instant with the TT - UT of that year.
std::vector<Phenomenon> phenomenaOfYear(const SettingsRecord& settings);

// "ut,event,body,other,value", then one line an event: UT as YYYY-MM-DDTHH:MM:SSZ (rounded to
// the second), the event's name, the bodies, and the value (angles in degrees to 0.01, the
// Moon's distance in km to 1, the Earth's in AU to 1e-6) or nothing.
std::string phenomenaCsv(const std::vector<Phenomenon>& phenomena);

// The page: the zone line, the title, a line on how exact the planets are (and that the year
// lies outside the years checked, when it does), then each month's name and its events, one a
// line: "JAN 10  8:41  Jupiter at opposition".
void appendPhenomenaPage(int year, const TimeZone& zone, const std::vector<Phenomenon>& phenomena, PageBuffer& page);

// The line of one event on the page, after its date and time.
std::string phenomenonText(const Phenomenon& phenomenon);

}  // namespace qv
