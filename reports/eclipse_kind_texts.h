#pragma once
// The texts of each eclipse kind: its line in the year tables, its label on the eclipse list
// page and its title in the eclipse details.

namespace qv {

struct EclipseKindTexts {
    int kind;                 // EclipseKind
    const char* yearTable;    // after the date in the year tables
    bool yearTableMagnitude;  // whether the year tables add the magnitude
    const char* listLabel;    // on the eclipse list page
    const char* title;        // first line of the eclipse details
};

// The texts of a kind, or nullptr for kNoEclipse and unknown codes.
const EclipseKindTexts* eclipseKindTexts(int kind);

}  // namespace qv
