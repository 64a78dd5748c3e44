#include <string>

#include "cli/commands.h"
#include "cli/page_print.h"
#include "reports/eclipse_details.h"
#include "reports/year_tables.h"

namespace qv {

int runEclipsesCommand(CliContext& context)
{
    PageBuffer page;
    buildYearTables(context.settings, page);
    page.lineCount = 0;
    buildEclipseListPage(context.settings, page);
    printPage(page, context.out);
    return kCliExitOk;
}

int runEclipseCommand(CliContext& context)
{
    SettingsRecord& settings = context.settings;
    PageBuffer page;
    buildYearTables(settings, page);
    if (!context.options.eclipseNumber) {
        std::fprintf(context.err, "quorvel-cli: eclipse needs --eclipse N; %i has %i eclipses\n", settings.year,
                     settings.eclipseCount);
        return kCliExitUsage;
    }
    if (settings.selectedEclipse > settings.eclipseCount) {
        std::fprintf(context.err, "quorvel-cli: --eclipse %i is beyond the %i eclipses of %i\n",
                     settings.selectedEclipse, settings.eclipseCount, settings.year);
        return kCliExitUsage;
    }
    const std::string text = eclipseDetailsText(settings);
    std::fputs(text.c_str(), context.out);
    std::fputc('\n', context.out);
    return kCliExitOk;
}

}  // namespace qv
