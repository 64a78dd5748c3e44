#include <string>

#include "cli/commands.h"
#include "reports/day_details.h"
#include "reports/holidays_page.h"

namespace qv {

int runHolidaysCommand(CliContext& context)
{
    for (const std::string& piece : holidayDialogPieces(context.settings))
        std::fputs(piece.c_str(), context.out);
    std::fputc('\n', context.out);
    return kCliExitOk;
}

int runDayCommand(CliContext& context)
{
    std::fputs(dayDetailsText(context.settings).c_str(), context.out);
    std::fputc('\n', context.out);
    return kCliExitOk;
}

}  // namespace qv
