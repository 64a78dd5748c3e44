#pragma once
// The page text buffer: the lines a report appends and the view draws, each kept whole.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The width the reports lay their lines out for; a longer line is kept whole.
constexpr int kPageColumns = 77;

// One line of a page; a fixed-pitch line is a table row drawn on the character grid.
struct PageLine {
    std::string text;
    bool fixedPitch = false;
};

struct PageBuffer {
    std::vector<PageLine> lines;
};

void appendLine(PageBuffer& page, std::string_view text);
// Appends a table row, drawn fixed-pitch.
void appendFixedPitchLine(PageBuffer& page, std::string_view text);
// Appends n lines of three blanks; nothing for n <= 0.
void appendBlankLines(PageBuffer& page, int n);

}  // namespace qv
