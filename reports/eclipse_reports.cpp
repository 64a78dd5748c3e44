#include "reports/eclipse_reports.h"

#include <algorithm>

#include "base/number_text.h"
#include "eclipse/lunation.h"
#include "base/julian.h"

namespace qv {

namespace {

constexpr int kLineSize = 96;
// formatDateTimeTabbed writes 13 characters; the table shows the first 12.
constexpr int kDateTimeLength = 13;
constexpr int kDateTimeShown = 12;

// Description of an eclipse kind in the year tables, and whether its magnitude follows.
struct EclipseKindText {
    int kind;
    const char* text;
    bool withMagnitude;
};
constexpr EclipseKindText kEclipseKindTexts[] = {
    {kTotalLunar, "\t Total eclipse of the Moon", true},
    {kPartialLunar, "\t Partial eclipse of the Moon", true},
    {kTotalPenumbralLunar, "\t Penumbral eclipse of the Moon", true},
    {kPenumbralLunar, "\t Penumbral eclipse of the Moon", true},
    {kPartialSolar, "\t Partial eclipse of the Sun", true},
    {kNonCentralAnnularSolar, "\t Annular eclipse of the Sun", false},
    {kNonCentralTotalSolar, "\t Total eclipse of the Sun", false},
    {kAnnularSolar, "\t Annular eclipse of the Sun", false},
    {kTotalSolar, "\t Total eclipse of the Sun", false},
    {kHybridSolar, "\t Annular/Total Solar Eclipse", false},
};

const EclipseKindText* findKindText(int kind)
{
    for (const EclipseKindText& entry : kEclipseKindTexts)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

// One table line: local date and time (tabbed), the kind and perhaps the magnitude.
void formatEclipseLine(const SettingsRecord& settings, int index, char* line)
{
    char dateTime[kDateTimeLength];
    formatDateTimeTabbed(settings.eclipseTimes[index], dateTime);
    const EclipseKindText* kindText = findKindText(settings.eclipseTypes[index]);
    int length = std::snprintf(line, kLineSize, "%.*s%s", kDateTimeShown, dateTime, kindText ? kindText->text : "");
    if (kindText && kindText->withMagnitude && length >= 0 && length < kLineSize)
        std::snprintf(line + length, kLineSize - length, "  (magnitude:%5.2f)", settings.eclipseMagnitudes[index]);
    // The magnitude sits inside parentheses, so every comma of the line is mended.
    commaToPoint(line);
}

}  // namespace

void writeEclipsesOfYear(int year, const SettingsRecord& settings, PageBuffer& page, std::FILE* saveFile)
{
    char line[kLineSize];
    appendBlankLines(page, 2);
    std::snprintf(line, sizeof line, "          ECLIPSES for %4i", year);
    appendMarkedLine(page, line);
    appendMarkedLine(page, "          =================");
    appendBlankLines(page, 1);
    if (saveFile) {
        std::fprintf(saveFile, "\n\n\n\t\tEclipses for %4i", year);
        std::fputs("\n\t\t=================\n", saveFile);
    }

    const int count = std::clamp(settings.eclipseCount, 0, kMaxEclipses);
    for (int i = 0; i < count; ++i) {
        formatEclipseLine(settings, i, line);
        appendLine(page, line);
        if (saveFile) {
            std::fputc('\n', saveFile);
            std::fputs(line, saveFile);
        }
    }
}

}  // namespace qv
