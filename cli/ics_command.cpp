#include <ctime>
#include <string>

#include "cli/commands.h"
#include "reports/calendar_export.h"

namespace qv {

int runIcsCommand(CliContext& context)
{
    std::string text;
    if (!calendarExportText(context.settings, static_cast<long long>(std::time(nullptr)), text,
                            !context.options.noPlanets)) {
        std::fprintf(context.err, "quorvel-cli: %s\n", kCalendarExportYearMessage);
        return kCliExitUsage;
    }
    std::fwrite(text.data(), 1, text.size(), context.out);
    return kCliExitOk;
}

}  // namespace qv
