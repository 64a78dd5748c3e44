#include "base/page_buffer.h"

namespace qv {

void appendLine(PageBuffer& page, std::string_view text) { page.lines.push_back({std::string(text), false}); }

void appendFixedPitchLine(PageBuffer& page, std::string_view text)
{
    page.lines.push_back({std::string(text), true});
}

void appendBlankLines(PageBuffer& page, int n)
{
    for (int i = 0; i < n; ++i)
        appendLine(page, "   ");
}

}  // namespace qv
