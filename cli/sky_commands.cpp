#include <string>

#include "cli/commands.h"
#include "reports/sky_details.h"
#include "reports/year_totals.h"

namespace qv {

namespace {

int printText(CliContext& context, const std::string& text)
{
    std::fputs(text.c_str(), context.out);
    std::fputc('\n', context.out);
    return kCliExitOk;
}

int printTotals(CliContext& context, YearTotalsMode mode)
{
    std::string text;
    yearlyTotalsReport(context.settings, mode, context.options.cutoffDeg, text);
    return printText(context, text);
}

}  // namespace

int runSkyCommand(CliContext& context) { return printText(context, skyDetailsText(context.settings)); }

int runTotalsCommand(CliContext& context) { return printTotals(context, YearTotalsMode::SkyTotals); }

int runPanelCommand(CliContext& context) { return printTotals(context, YearTotalsMode::SolarPanel); }

}  // namespace qv
