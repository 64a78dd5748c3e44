#include "reports/eclipse_reports.h"

#include <cstdio>

#include "base/julian.h"
#include "base/number_text.h"
#include "eclipse/greatest_eclipse.h"
#include "reports/eclipse_kind_texts.h"

namespace qv {

namespace {

constexpr int kLineSize = 96;

// One table line: local date and time (tabbed), the kind and perhaps the magnitude.
void formatEclipseLine(const TimeZone& zone, const TabledEclipse& tabled, char* line)
{
    const EclipseEvent& eclipse = tabled.eclipse;
    char dateTime[kDateTimeLength];
    formatDateTimeTabbed(localMjd(tabled.greatestUT, zone), dateTime);
    const EclipseKindTexts* kindText = eclipseKindTexts(eclipse.kind);
    int length = std::snprintf(line, kLineSize, "%.*s%s", kDateTimeShown, dateTime, kindText ? kindText->yearTable : "");
    if (kindText && kindText->yearTableMagnitude && length >= 0 && length < kLineSize)
        std::snprintf(line + length, kLineSize - length, "  (magnitude:%5.2f)", eclipse.magnitude);
    // The magnitude sits inside parentheses, so every comma of the line is mended.
    commaToPoint(line);
}

}  // namespace

std::vector<TabledEclipse> tabledEclipses(const std::vector<EclipseEvent>& eclipses)
{
    std::vector<TabledEclipse> tabled;
    for (const EclipseEvent& eclipse : eclipses)
        tabled.push_back({eclipse, greatestEclipse(eclipse).instant.mjdUT});
    return tabled;
}

void appendEclipsesTable(int year, const TimeZone& zone, const std::vector<TabledEclipse>& eclipses, PageBuffer& page)
{
    char line[kLineSize];
    appendBlankLines(page, 2);
    std::snprintf(line, sizeof line, "          ECLIPSES for %4i", year);
    appendFixedPitchLine(page, line);
    appendFixedPitchLine(page, "          =================");
    appendBlankLines(page, 1);
    for (const TabledEclipse& eclipse : eclipses) {
        formatEclipseLine(zone, eclipse, line);
        appendLine(page, line);
    }
}

void appendEclipsesSaveText(int year, const TimeZone& zone, const std::vector<TabledEclipse>& eclipses,
                            std::string& text)
{
    char line[kLineSize];
    std::snprintf(line, sizeof line, "\n\n\n\t\tEclipses for %4i", year);
    text += line;
    text += "\n\t\t=================\n";
    for (const TabledEclipse& eclipse : eclipses) {
        formatEclipseLine(zone, eclipse, line);
        text += '\n';
        text += line;
    }
}

}  // namespace qv
