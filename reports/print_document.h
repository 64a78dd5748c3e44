#pragma once
// The printed year: which pages a print or PDF holds, in what order and with what text, and
// the header and footer of every page. The text of each part comes from the page and dialog
// builders the window uses; laying it out and painting it on paper is maps/print_painting.
#include <string>
#include <string_view>
#include <vector>

#include "base/page_buffer.h"
#include "base/settings.h"
#include "reports/chart_options.h"
#include "reports/eclipse_map.h"

namespace qv {

// The parts of the year a print can hold, as bits.
enum PrintPart : unsigned {
    kPrintPhases = 1u << 0,    // phases of the Moon, the Sun and the eclipses of the year
    kPrintCalendar = 1u << 1,  // the calendar
    kPrintHolidays = 1u << 2,  // the holidays
    kPrintEclipses = 1u << 3,  // the eclipse list and each eclipse's details
    kPrintMaps = 1u << 4,      // the map of each solar eclipse with its legend
    kPrintPlanets = 1u << 5,   // the planetary phenomena of the year
    kPrintDaylight = 1u << 6,  // the daylight chart of the year
    kPrintMoon = 1u << 7,      // the Moon calendar: the year on one page, then each month
    kPrintSeen = 1u << 8,      // each eclipse of the year as seen from the place
};
// The parts printed unless others are chosen: every part but the planets and the daylight
// chart, which are asked for by name.
constexpr unsigned kPrintWholeYear = kPrintPhases | kPrintCalendar | kPrintHolidays | kPrintEclipses | kPrintMaps;

// The key of each part on the command line, in the order of the document.
struct PrintPartKey {
    PrintPart part;
    const char* key;
};
extern const PrintPartKey kPrintPartKeys[9];

// "phases,calendar" -> the parts' bits. False, with the first unknown key in badKey, for a
// key that names no part or an empty list.
bool parsePrintParts(std::string_view list, unsigned& parts, std::string& badKey);

enum class PrintPaper { kA4, kLetter };

// What a map page's legend shows, each drawn in its colour on the map.
enum class MapLegendItem { kCentralTotal, kCentralAnnular, kLimits, kRiseSet, kGreatest };
struct MapLegendEntry {
    MapLegendItem item;
    std::string text;
};

// One part of the document; every block starts on a new page. Text lines are fixed-pitch and
// carry no tabs (they are expanded as the screen lays them out).
struct PrintBlock {
    std::vector<std::string> lines;  // the text; for a map, its title
    bool map = false;
    int eclipseNumber = 0;  // map: the eclipse's number in the year's list, from 1
    EclipseMapPoints mapPoints;
    std::vector<MapLegendEntry> legend;     // map: the coloured items
    std::vector<std::string> legendNotes;  // map: projection and central meridian
    std::string chart;          // a picture page: the name of its picture ("daylight"), else empty
    ChartOptions chartOptions;  // picture page: what it is drawn for
};

struct PrintDocument {
    SettingsRecord settings;  // those it was built from; the maps are drawn in their style
    std::string header;       // the line at the top of every page
    std::vector<PrintBlock> blocks;
};

// The chosen parts of the settings' year, in the order phases, calendar, holidays, eclipses
// (the list, then each eclipse's details), maps (each solar eclipse's), planets, daylight.
PrintDocument buildYearDocument(const SettingsRecord& settings, unsigned parts);

// A document of one text page as the view shows it (the start page, the phases, the calendar,
// the planets or the eclipse list).
PrintDocument buildPageDocument(const SettingsRecord& settings, const PageBuffer& page);

// A document of the map of eclipse number eclipseNumber (1-based) of the year; no block when
// it is no solar eclipse.
PrintDocument buildMapDocument(const SettingsRecord& settings, int eclipseNumber);

// A document of the picture page of that name (maps/chart_frame.h) as the view shows it.
PrintDocument buildChartDocument(const SettingsRecord& settings, const std::string& chart, const ChartOptions& options);

// "Quorvel  2024  Vienna  48°12'N 16°22'E  Time zone UT+1": the year, the place with its
// coordinates and the time zone.
std::string printHeader(const SettingsRecord& settings);

// "Vienna  48°12'N 16°22'E  Time zone Europe/Vienna": the header without program and year.
std::string placeAndZoneText(const SettingsRecord& settings);

// "Page 3 of 12".
std::string printFooter(int page, int pageCount);

// A page line on the character grid of the screen's tables: a tab takes one column, so the
// columns that tabs separate stay apart in a fixed-pitch font.
std::string gridLine(std::string_view line);

// A dialog text line with its tabs expanded to the next multiple of eight columns.
std::string expandTabs(std::string_view line);

}  // namespace qv
