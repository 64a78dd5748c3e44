#include "cli/commands.h"
#include "cli/page_print.h"
#include "reports/calendar_report.h"
#include "reports/save_file.h"
#include "reports/year_tables.h"

namespace qv {

int runPhasesCommand(CliContext& context)
{
    PageBuffer page;
    buildYearTables(context.settings, page);
    printPage(page, context.out);
    return kCliExitOk;
}

int runCalendarCommand(CliContext& context)
{
    PageBuffer page;
    buildCalendarReport(context.settings, page);
    printPage(page, context.out);
    return kCliExitOk;
}

int runSaveCommand(CliContext& context)
{
    PageBuffer page;
    writeSaveText(context.settings, page, context.out);
    return kCliExitOk;
}

}  // namespace qv
