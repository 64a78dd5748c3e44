#include "reports/eclipse_map.h"

#include <cstdio>
#include <string>

#include "eclipse/eclipse_geometry.h"
#include "eclipse/lunation.h"
#include "reports/eclipse_details.h"

namespace qv {

namespace {

constexpr int kMapStepMinutes = 1;
// The date of a list line "NN : MMM DD label" and the blank after it.
constexpr int kListDateOffset = 5;
constexpr int kListDateLength = 7;

// Runs the central-line table of the details at the map step and keeps each central row.
void collectCentralLine(SettingsRecord& work, std::vector<CentralMapPoint>& line)
{
    EclipseDetailsRun run;
    std::string text;
    work.centralClass = 0;
    for (work.detailsStage = kStagePhases;; ++work.detailsStage) {
        const int stage = work.detailsStage;
        eclipseDetailsStage(work, run, text);
        if ((stage == kStageTableStart || stage == kStageTableRows) && work.centralClass > kSolarNonCentralTotal)
            line.push_back({work.centralClass, {work.mapWorkPoint[0], work.mapWorkPoint[1]}});
        if (work.detailsStage <= kStageFinished || work.detailsStage >= kStageTableDone)
            break;
    }
}

}  // namespace

bool isSolarEclipseSelected(const SettingsRecord& settings)
{
    const int index = settings.selectedEclipse - 1;
    return index >= 0 && index < settings.eclipseCount && index < kMaxEclipses &&
           settings.eclipseTypes[index] >= kPartialSolar;
}

EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings)
{
    EclipseMapPoints points;
    if (!isSolarEclipseSelected(settings))
        return points;
    SettingsRecord work = settings;
    work.mapStep = kMapStepMinutes;
    work.dmsFlag = 0;
    collectCentralLine(work, points.centralLine);
    if (work.eclipseTypes[work.selectedEclipse - 1] <= kNonCentralTotalSolar)
        greatestEclipsePoint(work);
    points.greatest = {work.maxEclipsePoint[0], work.maxEclipsePoint[1]};
    points.curves = sampleMapCurves(work);
    return points;
}

std::string eclipseMapTitle(const SettingsRecord& settings)
{
    if (!isSolarEclipseSelected(settings))
        return {};
    const int index = settings.selectedEclipse - 1;
    char text[96];
    char listLine[64];
    formatEclipseListLine(settings, index, listLine, sizeof listLine);
    const int kind = settings.eclipseTypes[index];
    const char* kindWord = kind == kTotalSolar ? "  Total" : kind == kHybridSolar ? "  Annular/Total"
                           : kind == kAnnularSolar ? "  Annular" : "";
    std::snprintf(text, sizeof text, "  %4i  %.*s %s Eclipse of the Sun", settings.year, kListDateLength,
                  listLine + kListDateOffset, kindWord);
    return text;
}

}  // namespace qv
