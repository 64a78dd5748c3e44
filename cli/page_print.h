#pragma once
// Printing a page as the batch companion shows it.
#include <cstdio>

#include "base/page_buffer.h"

namespace qv {

// Writes the text of each line of the page followed by a newline.
void printPage(const PageBuffer& page, std::FILE* out);

}  // namespace qv
