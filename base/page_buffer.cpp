#include "base/page_buffer.h"

#include <cstring>

namespace qv {

void appendLine(PageBuffer& page, const char* text)
{
    if (page.lineCount < 0 || page.lineCount >= kPageLines)
        return;
    char* line = page.lines[page.lineCount];
    std::memset(line, 0, kPageColumns);
    std::strncpy(line, text, kPageColumns);
    ++page.lineCount;
}

void appendMarkedLine(PageBuffer& page, const char* text)
{
    if (page.lineCount < 0 || page.lineCount >= kPageLines)
        return;
    appendLine(page, text);
    page.lines[page.lineCount - 1][kMarkerColumn] = kFixedPitchMarker;
}

void appendBlankLines(PageBuffer& page, int n)
{
    for (int i = 0; i < n; ++i)
        appendLine(page, "   ");
}

bool isMarkedLine(const PageBuffer& page, int i)
{
    return page.lines[i][kMarkerColumn] == kFixedPitchMarker;
}

int lineTextLength(const PageBuffer& page, int i)
{
    const int limit = isMarkedLine(page, i) ? kMarkerColumn : kPageColumns;
    int length = 0;
    while (length < limit && page.lines[i][length] != '\0')
        ++length;
    return length;
}

}  // namespace qv
