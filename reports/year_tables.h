#pragma once
// The year tables: the principal phases of the Moon, the equinoxes and solstices and the
// eclipses of one local civil year, computed once and rendered to the page or to the text of
// the save file. Every time shown is local zone time.
#include <array>
#include <string>
#include <vector>

#include "astro/seasons.h"
#include "base/page_buffer.h"
#include "base/settings.h"
#include "eclipse/lunation.h"
#include "reports/eclipse_reports.h"

namespace qv {

// Phase kinds, in the column order of the phases table.
enum PhaseKind : int { kNewMoon = 0, kFirstQuarter = 1, kFullMoon = 2, kLastQuarter = 3 };
constexpr int kPhaseKinds = 4;
// Characters of one phases-table row (without its terminator).
constexpr int kPhaseRowLength = 60;


// The principal phases of one year: instants (MJD of UT) in ascending order, per PhaseKind.
struct PhaseLists {
    std::array<std::vector<double>, kPhaseKinds> times;
};

// The zone line of the year's pages into line (at least 96 characters): format with the fixed
// offset (its "," made "."), or namedFormat with the name of a named zone.
void formatZoneLine(char* line, const char* format, const char* namedFormat, const TimeZone& zone);

// The head of a yearly page: "> Timezone ... <", the title of the year (indented like the
// tables below it), its underline and a blank line.
void appendYearPageHead(PageBuffer& page, const TimeZone& zone, const char* titleFormat, int year,
                        const char* underline);

// The instants (UT) of 1 January 0h and of 31 December 24h of a year in the zone's wall-clock
// time: the window of its tables.
double yearWindowStartUT(int year, const TimeZone& zone);
double yearWindowEndUT(int year, const TimeZone& zone);

// The phases of the Moon and the eclipses (greatest eclipse) that fall in the local civil
// year settings.time.year of the settings' zone, each with the TT - UT of its own instant.
struct YearLunations {
    PhaseLists phases;
    std::vector<EclipseEvent> eclipses;  // in the order of time
};
YearLunations computeYearLunations(const SettingsRecord& settings);

// The eclipses of the settings' year, as computeYearLunations finds them.
std::vector<EclipseEvent> eclipsesOfYear(const SettingsRecord& settings);

// The tables of the local civil year settings.time.year in the settings' zone.
struct YearTables {
    int year = 0;
    TimeZone zone;  // the zone of every time shown
    PhaseLists phases;
    std::array<double, kSeasons> seasonsUT{};  // equinoxes and solstices by Season, MJD of UT
    std::vector<TabledEclipse> eclipses;       // in the order of time
};
YearTables computeYearTables(const SettingsRecord& settings);

// The phases, Sun and eclipse tables appended to the page (the caller clears it).
void appendYearTables(const YearTables& tables, PageBuffer& page);

// The same tables as the save file holds them.
std::string yearTablesSaveText(const YearTables& tables);

// The tables of settings appended to the page.
void buildYearTables(const SettingsRecord& settings, PageBuffer& page);

// The phases table of the lists, appended to the page or to the save text. Rows are written
// while some phase is still unprinted and the last row printed one.
void appendPhasesTable(int year, const TimeZone& zone, const PhaseLists& phases, PageBuffer& page);
void appendPhasesSaveText(int year, const TimeZone& zone, const PhaseLists& phases, std::string& text);

// One table row of kPhaseRowLength characters, NUL-terminated (row holds at least 61), with
// the next phase of each kind at column 0, 15, 31 and 47 when it precedes the later kinds;
// advances the cursors of the phases printed and returns how many were printed.
int phaseTableRow(double windowEndUT, const TimeZone& zone, const PhaseLists& phases, int cursors[kPhaseKinds],
                  char* row);

// The Sun table (equinoxes and solstices, local time), appended to the page or to the save text.
void appendSunTable(int year, const TimeZone& zone, const std::array<double, kSeasons>& seasonsUT, PageBuffer& page);
void appendSunSaveText(int year, const TimeZone& zone, const std::array<double, kSeasons>& seasonsUT,
                       std::string& text);

}  // namespace qv
