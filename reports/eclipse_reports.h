#pragma once
// Reports of the year's eclipse table: the eclipses section of the year tables.
#include <string>
#include <vector>

#include "base/page_buffer.h"
#include "base/time_zone.h"
#include "eclipse/lunation.h"

namespace qv {

// The eclipses of the year, one line each (local time of the zone, kind, and the magnitude for
// lunar and partial solar eclipses), appended to the page or to the save text.
void appendEclipsesTable(int year, const TimeZone& zone, const std::vector<EclipseEvent>& eclipses, PageBuffer& page);
void appendEclipsesSaveText(int year, const TimeZone& zone, const std::vector<EclipseEvent>& eclipses,
                            std::string& text);

}  // namespace qv
