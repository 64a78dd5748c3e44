#include <string>

#include "cli/commands.h"
#include "cli/page_print.h"
#include "reports/eclipse_details.h"
#include "reports/year_tables.h"

namespace qv {

int runEclipsesCommand(CliContext& context)
{
    const SettingsRecord& settings = context.settings;
    PageBuffer page;
    buildEclipseListPage(settings.time.year, settings.time.zone, eclipsesOfYear(settings), page);
    printPage(page, context.out);
    return kCliExitOk;
}

int runEclipseCommand(CliContext& context)
{
    const SettingsRecord& settings = context.settings;
    const std::vector<EclipseEvent> eclipses = eclipsesOfYear(settings);
    const int count = static_cast<int>(eclipses.size());
    if (!context.options.eclipseNumber) {
        std::fprintf(context.err, "quorvel-cli: eclipse needs --eclipse N; %i has %i eclipses\n", settings.time.year,
                     count);
        return kCliExitUsage;
    }
    const EclipseEvent* eclipse = selectedEclipse(*context.options.eclipseNumber, eclipses);
    if (!eclipse) {
        std::fprintf(context.err, "quorvel-cli: --eclipse %i is beyond the %i eclipses of %i\n",
                     *context.options.eclipseNumber, count, settings.time.year);
        return kCliExitUsage;
    }
    const std::string text = eclipseDetailsText(settings, *eclipse);
    std::fputs(text.c_str(), context.out);
    std::fputc('\n', context.out);
    return kCliExitOk;
}

}  // namespace qv
