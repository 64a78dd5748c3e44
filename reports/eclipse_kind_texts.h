#pragma once
// The texts of each eclipse kind: its line in the year tables, its label on the eclipse list
// page, its title in the eclipse details, its name as a phase of an eclipse and on the map.
#include "eclipse/eclipse_kind.h"

namespace qv {

struct EclipseKindTexts {
    EclipseKind kind;
    const char* yearTable;    // after the date in the year tables
    bool yearTableMagnitude;  // whether the year tables add the magnitude
    const char* listLabel;    // on the eclipse list page
    const char* title;        // first line of the eclipse details
    const char* phaseLabel;   // a phase of that kind in the details, 12 characters
    const char* mapTitle;     // before " Eclipse of the Sun" in the map's title
};

// The texts of a kind, or nullptr for EclipseKind::None.
const EclipseKindTexts* eclipseKindTexts(EclipseKind kind);

}  // namespace qv
