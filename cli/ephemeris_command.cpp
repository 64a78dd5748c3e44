#include <string>

#include "base/julian.h"
#include "cli/commands.h"
#include "config/input_limits.h"
#include "reports/ephemeris_report.h"

namespace qv {

int runEphemerisCommand(CliContext& context)
{
    const SettingsRecord& settings = context.settings;
    const CliOptions& options = context.options;
    // Every instant must lie in the accepted years; the first and the last bound them all.
    const double firstMjd = localMjd(settings.time.currentMjdUT, settings.time.zone);
    const double lastMjd = firstMjd + (options.ephemerisCount - 1) * options.ephemerisEveryDays;
    for (double mjd : {firstMjd, lastMjd}) {
        const std::string message = checkInstantYear(mjd);
        if (!message.empty()) {
            std::fprintf(context.err,
                         "quorvel-cli: --count/--every: the listing would reach the year %i; %s\n",
                         civilDate(mjd).year, message.c_str());
            return kCliExitUsage;
        }
    }
    std::string text;
    if (!ephemerisReport(settings.time.currentMjdUT, deltaTRule(settings.time),
                         options.ephemerisCount, options.ephemerisEveryDays, text))
        return kCliExitUsage;
    std::fputs(text.c_str(), context.out);
    return kCliExitOk;
}

}  // namespace qv
