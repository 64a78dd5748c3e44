#include "reports/save_file.h"

#include "base/replacing_file.h"
#include "reports/calendar_report.h"
#include "reports/holidays_page.h"
#include "reports/year_tables.h"

namespace qv {

namespace {

constexpr std::size_t kCalendarLines = 38;

}  // namespace

void writeSaveText(SettingsRecord& settings, PageBuffer& page, std::FILE* file)
{
    const std::string tables = yearTablesSaveText(computeYearTables(settings));
    std::fwrite(tables.data(), 1, tables.size(), file);
    writeHolidaySavePage(settings, file);
    page.lines.clear();
    buildCalendarReport(settings, page);
    std::fputs("\n\n\n", file);
    for (std::size_t i = 0; i < kCalendarLines && i < page.lines.size(); ++i) {
        const std::string& text = page.lines[i].text;
        std::fwrite(text.data(), 1, text.size(), file);
        std::fputc('\n', file);
    }
}

bool saveYearFile(SettingsRecord& settings, PageBuffer& page, const std::string& path, std::string& error)
{
    ReplacingFile file(path);
    if (file.stream() != nullptr) {
        writeSaveText(settings, page, file.stream());
        if (file.commit())
            return true;
    }
    error = file.error();
    return false;
}

}  // namespace qv
