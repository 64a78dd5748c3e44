#include "cli/page_print.h"

namespace qv {

void printPage(const PageBuffer& page, std::FILE* out)
{
    for (const PageLine& line : page.lines) {
        std::fwrite(line.text.data(), 1, line.text.size(), out);
        std::fputc('\n', out);
    }
}

}  // namespace qv
