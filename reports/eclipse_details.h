#pragma once
// The eclipse list page and the eclipse details text: title and greatest eclipse, the phases,
// the central-line table (one row per step along the central line), and the local
// circumstances at the settings' location.
#include <cstddef>
#include <string>

#include "base/page_buffer.h"
#include "base/settings.h"
#include "eclipse/circumstances.h"

namespace qv {

// Stages of the details generator, in the order they run; 0 when finished.
enum DetailsStage : int {
    kStageFinished = 0,
    kStageTitle = 1,
    kStagePhases = 2,
    kStageTableStart = 3,
    kStageTableRows = 4,
    kStageTableDone = 5,
    kStageLocal = 6,
    kStageLocalMaximum = 7,
};

// Working values of one run of the details generator, owned by its caller.
struct EclipseDetailsRun {
    double tableTimeUT = 0.0;            // running time of the central-line table, MJD
    double tableEndUT = 0.0;             // last time of the table, MJD
    char lastDate[7] = "******";         // "MMM DD" of the last date line
    int rowCounter = 0;                  // rows of the table so far
    double highestElevationDeg = -10.0;  // highest Sun elevation on the rows so far
    EclipsePhaseTable phases;            // filled in the phases stage, read by the table
};

// One list line "NN : MMM DD label" for the eclipse at index (0-based) into line (lineSize bytes).
void formatEclipseListLine(const SettingsRecord& settings, int index, char* line, std::size_t lineSize);

// The eclipse list page: title, one numbered fixed-pitch line per eclipse and the hint.
void buildEclipseListPage(const SettingsRecord& settings, PageBuffer& page);

// One central-line row for the run's time into out: on the first call the time first advances
// by the map step until the eclipse is central (or the table's end). Nothing when not central.
// Sets centralClass, mapWorkPoint and, for the highest Sun so far, maxEclipsePoint.
void centralLineRow(bool first, int eclipseKind, SettingsRecord& settings, EclipseDetailsRun& run,
                    std::string& out);

// The text of settings.detailsStage for the eclipse settings.selectedEclipse into out
// (replaced; empty for a stage without text), moving detailsStage to where the next stage
// follows after the caller's increment, or to 0 when the details are complete.
void eclipseDetailsStage(SettingsRecord& settings, EclipseDetailsRun& run, std::string& out);

// The whole details text of eclipse viewSettings.selectedEclipse (1-based) as the details
// dialog shows it: header, stages 1 to 7 without repeated pieces, and the TT - UT footer.
// Empty when the selection is not an eclipse of the table.
std::string eclipseDetailsText(SettingsRecord& viewSettings);

// The closing part of the details for an eclipse of that kind: the place, the visibility there
// and, for a solar eclipse seen there, the local maximum and central phase; from the settings'
// localCircumstances as eclipseCircumstances left them.
std::string localCircumstancesText(const SettingsRecord& settings, int eclipseKind);

// Index (0-based) of the list line clicked at y: the last of lineTops[1 .. numberedLineCount]
// above y; -1 when y is above them all.
int eclipseIndexAt(const int lineTops[13], int numberedLineCount, int y);

}  // namespace qv
