#pragma once
// Reports of the year's eclipse table: the eclipses section of the year tables.
#include <string>
#include <vector>

#include "base/page_buffer.h"
#include "base/time_zone.h"
#include "eclipse/lunation.h"

namespace qv {

// One line of the year's eclipse table: the eclipse and its greatest eclipse (MJD of UT).
struct TabledEclipse {
    EclipseEvent eclipse;
    double greatestUT = 0.0;
};

// The eclipses of the year with their greatest eclipse (greatestEclipse), in the order of time.
std::vector<TabledEclipse> tabledEclipses(const std::vector<EclipseEvent>& eclipses);

// The eclipses of the year, one line each (local time of the greatest eclipse in the zone,
// kind, and the magnitude for lunar and partial solar eclipses), appended to the page or to
// the save text.
void appendEclipsesTable(int year, const TimeZone& zone, const std::vector<TabledEclipse>& eclipses, PageBuffer& page);
void appendEclipsesSaveText(int year, const TimeZone& zone, const std::vector<TabledEclipse>& eclipses,
                            std::string& text);

}  // namespace qv
