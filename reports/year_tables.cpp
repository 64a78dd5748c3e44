#include "reports/year_tables.h"

#include <cmath>
#include <cstring>

#include "astro/frames.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"
#include "base/vector.h"
#include "reports/eclipse_reports.h"

namespace qv {

namespace {

// The year is scanned from 0.2 years before it to 1.2 years after its start, in steps of
// 0.02 year; each lunation is met several times and the collector keeps one entry.
constexpr double kScanLeadYears = 0.2;
constexpr double kScanStepYears = 0.02;
constexpr int kScanSteps = 70;
constexpr double kPhaseFractions[kPhaseKinds] = {0.0, 0.25, 0.5, 0.75};

constexpr int kPhaseColumns[kPhaseKinds] = {0, 15, 31, 47};
constexpr int kLineSize = 96;



void writeToSave(std::FILE* saveFile, const char* text)
{
    if (saveFile)
        std::fputs(text, saveFile);
}

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

}  // namespace

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
    for (int step = 0; step < kScanSteps; ++step) {
        const double decimalYear = settings.time.year - kScanLeadYears + step * kScanStepYears;
        for (int kind = 0; kind < kPhaseKinds; ++kind)
            collectLunation(start, end, decimalYear, rule, kPhaseFractions[kind], phases.times[kind], year.eclipses);
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

void buildPhasesReport(int year, const TimeZone& zone, const PhaseLists& phases, PageBuffer& page,
                       std::FILE* saveFile)
{
    const double windowEndUT = yearWindowEndUT(year, zone);
    char line[kLineSize];
    formatZoneLine(line, "> Timezone %5.2lf <", "> Timezone %s <", zone);
    appendLine(page, line);
    std::snprintf(line, sizeof line, "          Phases of the Moon for %4i", year);
    appendFixedPitchLine(page, line);
    appendFixedPitchLine(page, "          ===========================");
    appendBlankLines(page, 1);
    appendFixedPitchLine(page, "  New Moon    First Quarter     Full Moon      Last Quarter");
    appendBlankLines(page, 1);

    if (saveFile) {
        formatZoneLine(line, "\n+++> Timezone %5.2lf <+++", "\n+++> Timezone %s <+++", zone);
        std::fputs(line, saveFile);
        std::fprintf(saveFile, "\n\n\n\t\tPhases of the Moon for %4i", year);
        std::fputs("\n\t\t===========================\n", saveFile);
        std::fputs("\n  New Moon    First Quarter     Full Moon      Last Quarter\n\n", saveFile);
    }

    int cursors[kPhaseKinds] = {};
    auto unprinted = [&] {
        for (int kind = 0; kind < kPhaseKinds; ++kind)
            if (cursors[kind] < std::ssize(phases.times[kind]))
                return true;
        return false;
    };
    // A row that prints nothing (a phase past the window end) would never advance: stop there.
    while (unprinted()) {
        char row[kPhaseRowLength + 1];
        if (phaseTableRow(windowEndUT, zone, phases, cursors, row) == 0)
            break;
        appendFixedPitchLine(page, row);
        row[kPhaseRowLength - 1] = '\n';
        writeToSave(saveFile, row);
    }
}

void buildSunReport(int year, const TimeZone& zone, const DeltaTRule& rule, PageBuffer& page, std::FILE* saveFile)
{
    double instantUT[kSeasons];
    for (int season = 0; season < kSeasons; ++season)
        instantUT[season] = seasonInstant(year, static_cast<Season>(season), rule).mjdUT;

    char line[kLineSize];
    appendBlankLines(page, 2);
    std::snprintf(line, sizeof line, "          The Sun for %4i", year);
    appendFixedPitchLine(page, line);
    appendFixedPitchLine(page, "          ================");
    appendBlankLines(page, 1);
    if (saveFile) {
        std::fprintf(saveFile, "\n\n\t\tThe Sun for %4i", year);
        std::fputs("\n\t\t================\n", saveFile);
    }

    formatSeasonLine(line, "Equinoxes", instantUT[kMarchEquinox], instantUT[kSeptemberEquinox], zone);
    appendLine(page, line);
    writeToSave(saveFile, line);

    formatSeasonLine(line, "Solstices", instantUT[kJuneSolstice], instantUT[kDecemberSolstice], zone);
    appendLine(page, line);
    writeToSave(saveFile, "\n");
    writeToSave(saveFile, line);
}

void buildYearTables(const SettingsRecord& settings, PageBuffer& page, std::FILE* saveFile)
{
    const YearLunations lunations = computeYearLunations(settings);
    const int year = settings.time.year;
    const TimeZone& zone = settings.time.zone;
    buildPhasesReport(year, zone, lunations.phases, page, saveFile);
    buildSunReport(year, zone, deltaTRule(settings.time), page, saveFile);
    writeEclipsesOfYear(year, zone, lunations.eclipses, page, saveFile);
}

}  // namespace qv
