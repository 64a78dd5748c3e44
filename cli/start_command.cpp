#include "cli/commands.h"
#include "cli/page_print.h"
#include "config/settings_io.h"

namespace qv {

int runStartCommand(CliContext& context)
{
    PageBuffer page;
    writeWelcomeLines(page);
    writeInputValuesPage(context.settings, page);
    printPage(page, context.out);
    return kCliExitOk;
}

}  // namespace qv
