// The canon of eclipses over a range of years.
#include <unistd.h>

#include "cli/commands.h"
#include "reports/eclipse_canon.h"

namespace qv {

namespace {

constexpr int kProgressEveryYears = 100;

CanonFormat canonFormat(const std::string& name)
{
    return name == "csv" ? CanonFormat::Csv : name == "json" ? CanonFormat::Json : CanonFormat::Text;
}

}  // namespace

int runCanonCommand(CliContext& context)
{
    const CliOptions& options = context.options;
    const std::string format = options.format.value_or("text");
    if (!options.fromYear || !options.toYear || *options.toYear < *options.fromYear) {
        std::fprintf(context.err, "quorvel-cli: canon needs --from Y1 --to Y2 with Y1 not after Y2\n");
        return kCliExitUsage;
    }
    if (format != "text" && format != "csv" && format != "json") {
        std::fprintf(context.err, "quorvel-cli: canon takes --format text, csv or json\n");
        return kCliExitUsage;
    }
    const CanonFormat canon = canonFormat(format);
    // Progress only on a terminal, and not on one that shows the canon itself.
    const bool showProgress = isatty(fileno(context.err)) != 0 && isatty(fileno(context.out)) == 0;
    std::fputs(canonHeader(canon).c_str(), context.out);
    bool first = true;
    forEachCanonEntry(
        *options.fromYear, *options.toYear, deltaTRule(context.settings.time),
        [&](const CanonEntry& entry) {
            std::fputs(canonLine(entry, canon, first).c_str(), context.out);
            first = false;
        },
        [&](int year) {
            if (showProgress && (year % kProgressEveryYears == 0 || year == *options.toYear))
                std::fprintf(context.err, "\rcanon: %d of %d to %d", year, *options.fromYear, *options.toYear);
        });
    if (showProgress)
        std::fputc('\n', context.err);
    std::fputs(canonFooter(canon).c_str(), context.out);
    return kCliExitOk;
}

}  // namespace qv
