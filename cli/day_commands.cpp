#include <string>

#include "cli/commands.h"
#include "time/day_details.h"
#include "time/holidays.h"

namespace qv {

namespace {

constexpr const char* kScrollToStart = "$$$";

}  // namespace

int runHolidaysCommand(CliContext& context)
{
    PageBuffer page;
    for (const std::string& piece : holidayDialogPieces(context.settings, page))
        if (piece != kScrollToStart)
            std::fputs(piece.c_str(), context.out);
    std::fputc('\n', context.out);
    return kCliExitOk;
}

int runDayCommand(CliContext& context)
{
    PageBuffer page;
    std::fputs(dayDetailsText(context.settings, page).c_str(), context.out);
    std::fputc('\n', context.out);
    return kCliExitOk;
}

}  // namespace qv
