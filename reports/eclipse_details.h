#pragma once
// The eclipse list page and the eclipse details text: title and greatest eclipse, the phases,
// the central-line table (one row per step along the central line), and the local
// circumstances at the settings' location. Times are shown in the settings' zone.
#include <string>
#include <vector>

#include "base/page_buffer.h"
#include "base/settings.h"
#include "base/time_zone.h"
#include "eclipse/circumstances.h"

namespace qv {

// The circumstances of an eclipse at the settings' observer with the settings' TT - UT.
EclipseCircumstances circumstancesAtObserver(const SettingsRecord& settings, const EclipseEvent& eclipse);

// The eclipse numbered number (from 1) among the year's eclipses; nullptr when there is no such
// eclipse.
const EclipseEvent* selectedEclipse(int number, const std::vector<EclipseEvent>& eclipses);

// The eclipse list page of the year: title, one numbered fixed-pitch line "NN : MMM DD label"
// per eclipse and, on the screen, the hint to click a line (not in print). Returns the page line
// of each eclipse's line, in their order.
enum class ListMedium { Screen, Print };
std::vector<int> buildEclipseListPage(int year, const TimeZone& zone, const std::vector<EclipseEvent>& eclipses,
                                      PageBuffer& page, ListMedium medium = ListMedium::Screen);

// The whole details text of an eclipse as the details dialog shows it: header, title and
// greatest eclipse, phases, the central-line table at the settings' map step for a central
// eclipse, the local circumstances at the settings' location, and the TT - UT footer.
std::string eclipseDetailsText(const SettingsRecord& settings, const EclipseEvent& eclipse);

// The same from the eclipse's circumstances at the settings' place, already computed for the
// map of the same click.
std::string eclipseDetailsText(const SettingsRecord& settings, const EclipseEvent& eclipse,
                               const EclipseCircumstances& circumstances);

// The closing part of the details for an eclipse of that kind: the place, the visibility there
// and, for a solar eclipse seen there, the local maximum and central phase.
std::string localCircumstancesText(const SettingsRecord& settings, EclipseKind kind, const LocalCircumstances& local);

// The first instant of the central-line table: the earliest begin of a central phase, its
// local minutes brought down to a multiple of the step; and its last instant, the latest end
// of a central phase. Both UT.
double centralTableStartUT(const EclipseCircumstances& circumstances, int stepMinutes, const TimeZone& zone);
double centralTableEndUT(const EclipseCircumstances& circumstances);

// Index (0-based) of the list line clicked at y: the last of lineTops[1 .. numberedLineCount]
// above y; -1 when y is above them all.
int eclipseIndexAt(const int lineTops[13], int numberedLineCount, int y);

}  // namespace qv
