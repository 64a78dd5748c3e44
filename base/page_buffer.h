#pragma once
// The page text buffer: 110 fixed-width lines that a report appends to and the view draws.
// A "~" in the last column (76) marks a fixed-pitch table row.

namespace qv {

constexpr int kPageLines = 110;
constexpr int kPageColumns = 77;
constexpr int kMarkerColumn = 76;
constexpr char kFixedPitchMarker = '~';

struct PageBuffer {
    int lineCount = 0;
    char lines[kPageLines][kPageColumns] = {};
};

// Appends a line (at most 77 characters kept); dropped silently when the page is full.
void appendLine(PageBuffer& page, const char* text);
// As appendLine, then marks the line as fixed-pitch (text at most 76 characters).
void appendMarkedLine(PageBuffer& page, const char* text);
// Appends n lines of three blanks; nothing for n <= 0.
void appendBlankLines(PageBuffer& page, int n);
// Whether line i carries the fixed-pitch marker.
bool isMarkedLine(const PageBuffer& page, int i);
// Length of line i's text (up to its first NUL, without the marker column).
int lineTextLength(const PageBuffer& page, int i);

}  // namespace qv
