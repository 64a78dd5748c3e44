// The year's planetary phenomena, as the page or as CSV.
#include "cli/commands.h"
#include "cli/page_print.h"
#include "reports/phenomena_report.h"

namespace qv {

int runPhenomenaCommand(CliContext& context)
{
    const std::string format = context.options.format.value_or("text");
    if (format != "text" && format != "csv") {
        std::fprintf(context.err, "quorvel-cli: phenomena takes --format text or csv\n");
        return kCliExitUsage;
    }
    const SettingsRecord& settings = context.settings;
    const std::vector<Phenomenon> phenomena = phenomenaOfYear(settings);
    if (format == "csv") {
        std::fputs(phenomenaCsv(phenomena).c_str(), context.out);
        return kCliExitOk;
    }
    PageBuffer page;
    appendPhenomenaPage(settings.time.year, settings.time.zone, phenomena, page);
    printPage(page, context.out);
    return kCliExitOk;
}

}  // namespace qv
