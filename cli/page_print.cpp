#include "cli/page_print.h"

namespace qv {

void printPage(const PageBuffer& page, std::FILE* out)
{
    for (int i = 0; i < page.lineCount; ++i) {
        std::fwrite(page.lines[i], 1, static_cast<std::size_t>(lineTextLength(page, i)), out);
        std::fputc('\n', out);
    }
}

}  // namespace qv
