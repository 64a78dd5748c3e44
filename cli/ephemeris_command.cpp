#include <string>

#include "cli/commands.h"
#include "reports/ephemeris_report.h"

namespace qv {

int runEphemerisCommand(CliContext& context)
{
    const SettingsRecord& settings = context.settings;
    std::string text;
    if (!ephemerisReport(settings.currentMjd, settings.timeZone, settings.deltaT,
                         context.options.ephemerisCount, context.options.ephemerisEveryDays, text))
        return kCliExitUsage;
    std::fputs(text.c_str(), context.out);
    return kCliExitOk;
}

}  // namespace qv
