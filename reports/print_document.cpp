#include "reports/print_document.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/number_text.h"
#include "eclipse/eclipse_kind.h"
#include "reports/calendar_report.h"
#include "reports/eclipse_details.h"
#include "reports/holidays_page.h"
#include "reports/phenomena_report.h"
#include "reports/year_tables.h"

namespace qv {

const PrintPartKey kPrintPartKeys[9] = {
    {kPrintPhases, "phases"},     {kPrintCalendar, "calendar"}, {kPrintHolidays, "holidays"},
    {kPrintEclipses, "eclipses"}, {kPrintMaps, "maps"},         {kPrintPlanets, "planets"},
    {kPrintDaylight, "daylight"}, {kPrintMoon, "moon"},       {kPrintSeen, "seen"},
};

namespace {

constexpr int kTabStop = 8;

// Splits text at its newlines; a final newline ends the last line rather than starting one.
std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(expandTabs(text.substr(0, end)));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string> pageLines(const PageBuffer& page)
{
    std::vector<std::string> lines;
    for (const PageLine& line : page.lines)
        lines.push_back(gridLine(line.text));
    return lines;
}

PrintBlock textBlock(std::vector<std::string> lines)
{
    PrintBlock block;
    block.lines = std::move(lines);
    return block;
}

PrintBlock phasesBlock(const SettingsRecord& settings)
{
    PageBuffer page;
    buildYearTables(settings, page);
    return textBlock(pageLines(page));
}

PrintBlock calendarBlock(const SettingsRecord& settings)
{
    PageBuffer page;
    buildCalendarReport(settings, page);
    return textBlock(pageLines(page));
}

PrintBlock planetsBlock(const SettingsRecord& settings)
{
    PageBuffer page;
    appendPhenomenaPage(settings.time.year, settings.time.zone, phenomenaOfYear(settings), page);
    return textBlock(pageLines(page));
}

// The holiday dialog's text: its pieces joined, as the dialog shows them.
PrintBlock holidaysBlock(const SettingsRecord& settings)
{
    std::string text;
    for (const std::string& piece : holidayDialogPieces(settings))
        text += piece;
    return textBlock(splitLines(text));
}

void appendEclipseBlocks(const SettingsRecord& settings, const std::vector<EclipseEvent>& eclipses,
                         std::vector<PrintBlock>& blocks)
{
    PageBuffer page;
    buildEclipseListPage(settings.time.year, settings.time.zone, eclipses, page, ListMedium::Print);
    blocks.push_back(textBlock(pageLines(page)));
    for (const EclipseEvent& eclipse : eclipses)
        blocks.push_back(textBlock(splitLines(eclipseDetailsText(settings, eclipse))));
}

const char* projectionName(MapProjection projection)
{
    switch (projection) {
    case MapProjection::Northern:
        return "northern hemisphere, polar stereographic";
    case MapProjection::Southern:
        return "southern hemisphere, polar stereographic";
    case MapProjection::PhysicalWorld:
        return "physical world map, equirectangular";
    case MapProjection::SimpleWorld:
        break;
    }
    return "simple world map, equirectangular";
}

std::string degreesText(const char* format, double degrees)
{
    char text[64];
    std::snprintf(text, sizeof text, format, withoutNegativeZero(degrees));
    commaToPoint(text);
    return text;
}

std::vector<MapLegendEntry> mapLegend(const EclipseMapPoints& points)
{
    bool total = false;
    bool annular = false;
    for (const CentralLinePoint& point : points.centralLine)
        (isTotal(point.kind) ? total : annular) = true;
    std::vector<MapLegendEntry> legend;
    if (total)
        legend.push_back({MapLegendItem::kCentralTotal, "central line, total eclipse"});
    if (annular)
        legend.push_back({MapLegendItem::kCentralAnnular, "central line, annular eclipse"});
    legend.push_back({MapLegendItem::kLimits, "northern and southern limits of the partial eclipse"});
    legend.push_back({MapLegendItem::kRiseSet, "eclipse at sunrise or sunset"});
    legend.push_back({MapLegendItem::kGreatest, "point of greatest eclipse"});
    return legend;
}

PrintBlock mapBlock(const SettingsRecord& settings, const EclipseEvent& eclipse, int number)
{
    PrintBlock block;
    block.map = true;
    block.eclipseNumber = number;
    block.lines = {eclipseMapTitle(settings.time.year, settings.time.zone, eclipse)};
    block.mapPoints = eclipseMapPoints(settings, eclipse);
    block.legend = mapLegend(block.mapPoints);
    block.legendNotes = {std::string("Projection: ") + projectionName(settings.display.mapProjection),
                         degreesText("Central meridian: %g\xC2\xB0", settings.display.centralMeridianDeg)};
    return block;
}

void appendMapBlocks(const SettingsRecord& settings, const std::vector<EclipseEvent>& eclipses,
                     std::vector<PrintBlock>& blocks)
{
    for (std::size_t i = 0; i < eclipses.size(); ++i)
        if (isSolar(eclipses[i].kind))
            blocks.push_back(mapBlock(settings, eclipses[i], static_cast<int>(i) + 1));
}

// "48°12'N": whole degrees and minutes of an angle, with its hemisphere letter.
std::string coordinateText(double degrees, char positive, char negative)
{
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    char text[32];
    std::snprintf(text, sizeof text, "%li\xC2\xB0%02li'%c", minutes / 60, minutes % 60,
                  degrees < 0.0 && minutes != 0 ? negative : positive);
    return text;
}

PrintBlock chartBlock(const std::string& chart, const ChartOptions& options)
{
    PrintBlock block;
    block.chart = chart;
    block.chartOptions = options;
    return block;
}

}  // namespace

bool parsePrintParts(std::string_view list, unsigned& parts, std::string& badKey)
{
    parts = 0;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view key = list.substr(0, comma);
        unsigned part = 0;
        for (const PrintPartKey& entry : kPrintPartKeys)
            if (key == entry.key)
                part = entry.part;
        if (part == 0) {
            badKey = std::string(key);
            return false;
        }
        parts |= part;
        if (comma == std::string_view::npos)
            return true;
        list.remove_prefix(comma + 1);
    }
}

PrintDocument buildYearDocument(const SettingsRecord& settings, unsigned parts)
{
    PrintDocument document;
    document.settings = settings;
    document.header = printHeader(settings);
    if (parts & kPrintPhases)
        document.blocks.push_back(phasesBlock(settings));
    if (parts & kPrintCalendar)
        document.blocks.push_back(calendarBlock(settings));
    if (parts & kPrintHolidays)
        document.blocks.push_back(holidaysBlock(settings));
    const std::vector<EclipseEvent> eclipses =
        parts & (kPrintEclipses | kPrintMaps | kPrintSeen) ? eclipsesOfYear(settings) : std::vector<EclipseEvent>();
    if (parts & kPrintEclipses)
        appendEclipseBlocks(settings, eclipses, document.blocks);
    if (parts & kPrintMaps)
        appendMapBlocks(settings, eclipses, document.blocks);
    if (parts & kPrintPlanets)
        document.blocks.push_back(planetsBlock(settings));
    if (parts & kPrintDaylight)
        document.blocks.push_back(chartBlock("daylight", ChartOptions{}));
    if (parts & kPrintMoon)
        for (int month = 0; month <= 12; ++month)
            document.blocks.push_back(chartBlock("moon", ChartOptions{month, 0}));
    if (parts & kPrintSeen)
        for (std::size_t i = 0; i < eclipses.size(); ++i)
            document.blocks.push_back(chartBlock("eclipse", ChartOptions{0, static_cast<int>(i) + 1}));
    return document;
}

PrintDocument buildPageDocument(const SettingsRecord& settings, const PageBuffer& page)
{
    PrintDocument document;
    document.settings = settings;
    document.header = printHeader(settings);
    document.blocks.push_back(textBlock(pageLines(page)));
    return document;
}

PrintDocument buildChartDocument(const SettingsRecord& settings, const std::string& chart, const ChartOptions& options)
{
    PrintDocument document;
    document.settings = settings;
    document.header = printHeader(settings);
    document.blocks.push_back(chartBlock(chart, options));
    return document;
}

PrintDocument buildMapDocument(const SettingsRecord& settings, int eclipseNumber)
{
    PrintDocument document;
    document.settings = settings;
    document.header = printHeader(settings);
    const std::vector<EclipseEvent> eclipses = eclipsesOfYear(settings);
    const EclipseEvent* eclipse = selectedEclipse(eclipseNumber, eclipses);
    if (eclipse && isSolar(eclipse->kind))
        document.blocks.push_back(mapBlock(settings, *eclipse, eclipseNumber));
    return document;
}

std::string printHeader(const SettingsRecord& settings)
{
    char year[16];
    std::snprintf(year, sizeof year, "%i", settings.time.year);
    return std::string("Quorvel  ") + year + "  " + placeAndZoneText(settings);
}

std::string placeAndZoneText(const SettingsRecord& settings)
{
    std::string header;
    const std::string name = trimmedLocationName(settings.observer.name);
    if (!name.empty())
        header += name + "  ";
    header += coordinateText(settings.observer.latitudeDeg, 'N', 'S') + " " +
              coordinateText(settings.observer.longitudeDeg, 'E', 'W');
    if (isNamedZone(settings.time.zone))
        header += std::string("  Time zone ") + settings.time.zone.name;
    else
        header += degreesText("  Time zone UT%+g", settings.time.zone.offsetHours);
    return header;
}

std::string printFooter(int page, int pageCount)
{
    char text[48];
    std::snprintf(text, sizeof text, "Page %i of %i", page, pageCount);
    return text;
}

std::string gridLine(std::string_view line)
{
    std::string text(line);
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

std::string expandTabs(std::string_view line)
{
    std::string text;
    std::size_t column = 0;
    for (char c : line) {
        if (c == '\t') {
            const std::size_t blanks = kTabStop - column % kTabStop;
            text.append(blanks, ' ');
            column += blanks;
            continue;
        }
        text += c;
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)  // not inside a UTF-8 character
            ++column;
    }
    return text;
}

}  // namespace qv
