#include "reports/year_tables.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "astro/frames.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"
#include "base/vector.h"
#include "reports/eclipse_reports.h"

namespace qv {

namespace {

constexpr double kPhaseFractions[kPhaseKinds] = {0.0, 0.25, 0.5, 0.75};

constexpr int kPhaseColumns[kPhaseKinds] = {0, 15, 31, 47};
constexpr int kLineSize = 96;

// "  <title> \t" with the first 12 characters of two dates, "  \t" between them.
void formatSeasonLine(char* line, const char* title, double firstUT, double secondUT, const TimeZone& zone)
{
    char first[kDateTimeLength];
    char second[kDateTimeLength];
    formatDateTime(localMjd(firstUT, zone), first);
    formatDateTime(localMjd(secondUT, zone), second);
    std::snprintf(line, kLineSize, "  %s \t%.*s  \t%.*s", title, kDateTimeShown, first, kDateTimeShown,
                  second);
}

// The rows of the phases table, each kPhaseRowLength characters.
std::vector<std::string> phaseTableRows(int year, const TimeZone& zone, const PhaseLists& phases)
{
    const double windowEndUT = yearWindowEndUT(year, zone);
    int cursors[kPhaseKinds] = {};
    auto unprinted = [&] {
        for (int kind = 0; kind < kPhaseKinds; ++kind)
            if (cursors[kind] < std::ssize(phases.times[kind]))
                return true;
        return false;
    };
    std::vector<std::string> rows;
    // A row that prints nothing (a phase past the window end) would never advance: stop there.
    while (unprinted()) {
        char row[kPhaseRowLength + 1];
        if (phaseTableRow(windowEndUT, zone, phases, cursors, row) == 0)
            break;
        rows.emplace_back(row, kPhaseRowLength);
    }
    return rows;
}

}  // namespace

// The zone line of the phases table: a fixed offset as a number with "." as decimal
// separator, a named zone by its name alone (the table spans the year's offsets).
void formatZoneLine(char* line, const char* format, const char* namedFormat, const TimeZone& zone)
{
    if (isNamedZone(zone)) {
        std::snprintf(line, kLineSize, namedFormat, zone.name.c_str());
        return;
    }
    std::snprintf(line, kLineSize, format, zone.offsetHours);
    commaToPointOutsideParens(line);
}

double yearWindowStartUT(int year, const TimeZone& zone)
{
    return utFromLocal(modifiedJulianDate(1, 1, year, 0.0), zone);
}

double yearWindowEndUT(int year, const TimeZone& zone)
{
    return utFromLocal(modifiedJulianDate(31, 12, year, kHoursPerDay), zone);
}

YearLunations computeYearLunations(const SettingsRecord& settings)
{
    YearLunations year;
    PhaseLists& phases = year.phases;

    const TimeZone& zone = settings.time.zone;
    const double start = yearWindowStartUT(settings.time.year, zone);
    const double end = yearWindowEndUT(settings.time.year, zone);
    const DeltaTRule rule = deltaTRule(settings.time);
    const LunationSpan lunations = lunationsBetween(start, end);
    for (long lunation = lunations.first; lunation <= lunations.last; ++lunation) {
        for (int kind = 0; kind < kPhaseKinds; ++kind)
            collectLunation(start, end, lunation, kPhaseFractions[kind], rule, phases.times[kind], year.eclipses);
    }
    return year;
}

std::vector<EclipseEvent> eclipsesOfYear(const SettingsRecord& settings)
{
    return computeYearLunations(settings).eclipses;
}

int phaseTableRow(double windowEndUT, const TimeZone& zone, const PhaseLists& phases, int cursors[kPhaseKinds],
                  char* row)
{
    std::memset(row, ' ', kPhaseRowLength);
    row[kPhaseRowLength] = '\0';

    double next[kPhaseKinds];
    for (int kind = 0; kind < kPhaseKinds; ++kind)
        next[kind] = cursors[kind] < std::ssize(phases.times[kind]) ? phases.times[kind][cursors[kind]]
                                                                    : windowEndUT + 1.0;

    // A phase prints when it comes before every later kind of this row and within the year.
    int printed = 0;
    for (int kind = 0; kind < kPhaseKinds; ++kind) {
        bool first = next[kind] <= windowEndUT;
        for (int later = kind + 1; later < kPhaseKinds; ++later)
            first = first && next[kind] < next[later];
        if (!first)
            continue;
        formatDateTime(localMjd(next[kind], zone), row + kPhaseColumns[kind]);
        ++cursors[kind];
        ++printed;
    }
    return printed;
}

void appendYearPageHead(PageBuffer& page, const TimeZone& zone, const char* titleFormat, int year,
                        const char* underline)
{
    char line[kLineSize];
    formatZoneLine(line, "> Timezone %5.2lf <", "> Timezone %s <", zone);
    appendLine(page, line);
    std::snprintf(line, sizeof line, titleFormat, year);
    appendFixedPitchLine(page, line);
    appendFixedPitchLine(page, underline);
    appendBlankLines(page, 1);
}

void appendPhasesTable(int year, const TimeZone& zone, const PhaseLists& phases, PageBuffer& page)
{
    appendYearPageHead(page, zone, "          Phases of the Moon for %4i", year,
                       "          ===========================");
    appendFixedPitchLine(page, "  New Moon    First Quarter     Full Moon      Last Quarter");
    appendBlankLines(page, 1);
    for (const std::string& row : phaseTableRows(year, zone, phases))
        appendFixedPitchLine(page, row);
}

// The save file ends each row with a line break in place of its last column, a blank.
void appendPhasesSaveText(int year, const TimeZone& zone, const PhaseLists& phases, std::string& text)
{
    char line[kLineSize];
    formatZoneLine(line, "\n+++> Timezone %5.2lf <+++", "\n+++> Timezone %s <+++", zone);
    text += line;
    std::snprintf(line, sizeof line, "\n\n\n\t\tPhases of the Moon for %4i", year);
    text += line;
    text += "\n\t\t===========================\n";
    text += "\n  New Moon    First Quarter     Full Moon      Last Quarter\n\n";
    for (std::string& row : phaseTableRows(year, zone, phases)) {
        row.back() = '\n';
        text += row;
    }
}

void appendSunTable(int year, const TimeZone& zone, const std::array<double, kSeasons>& seasonsUT, PageBuffer& page)
{
    char line[kLineSize];
    appendBlankLines(page, 2);
    std::snprintf(line, sizeof line, "          The Sun for %4i", year);
    appendFixedPitchLine(page, line);
    appendFixedPitchLine(page, "          ================");
    appendBlankLines(page, 1);
    formatSeasonLine(line, "Equinoxes", seasonsUT[kMarchEquinox], seasonsUT[kSeptemberEquinox], zone);
    appendLine(page, line);
    formatSeasonLine(line, "Solstices", seasonsUT[kJuneSolstice], seasonsUT[kDecemberSolstice], zone);
    appendLine(page, line);
}

void appendSunSaveText(int year, const TimeZone& zone, const std::array<double, kSeasons>& seasonsUT,
                       std::string& text)
{
    char line[kLineSize];
    std::snprintf(line, sizeof line, "\n\n\t\tThe Sun for %4i", year);
    text += line;
    text += "\n\t\t================\n";
    formatSeasonLine(line, "Equinoxes", seasonsUT[kMarchEquinox], seasonsUT[kSeptemberEquinox], zone);
    text += line;
    text += '\n';
    formatSeasonLine(line, "Solstices", seasonsUT[kJuneSolstice], seasonsUT[kDecemberSolstice], zone);
    text += line;
}

YearTables computeYearTables(const SettingsRecord& settings)
{
    YearLunations lunations = computeYearLunations(settings);
    YearTables tables;
    tables.year = settings.time.year;
    tables.zone = settings.time.zone;
    tables.phases = std::move(lunations.phases);
    tables.eclipses = tabledEclipses(lunations.eclipses);
    const DeltaTRule rule = deltaTRule(settings.time);
    for (int season = 0; season < kSeasons; ++season)
        tables.seasonsUT[season] = seasonInstant(tables.year, static_cast<Season>(season), rule).mjdUT;
    return tables;
}

void appendYearTables(const YearTables& tables, PageBuffer& page)
{
    appendPhasesTable(tables.year, tables.zone, tables.phases, page);
    appendSunTable(tables.year, tables.zone, tables.seasonsUT, page);
    appendEclipsesTable(tables.year, tables.zone, tables.eclipses, page);
}

std::string yearTablesSaveText(const YearTables& tables)
{
    std::string text;
    appendPhasesSaveText(tables.year, tables.zone, tables.phases, text);
    appendSunSaveText(tables.year, tables.zone, tables.seasonsUT, text);
    appendEclipsesSaveText(tables.year, tables.zone, tables.eclipses, text);
    return text;
}

void buildYearTables(const SettingsRecord& settings, PageBuffer& page)
{
    appendYearTables(computeYearTables(settings), page);
}

}  // namespace qv
