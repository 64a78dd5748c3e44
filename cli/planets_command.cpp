// The planets at --date and --time for the place: the dialog's text, or CSV.
#include "cli/commands.h"
#include "reports/planets_details.h"

namespace qv {

int runPlanetsCommand(CliContext& context)
{
    const std::string format = context.options.format.value_or("text");
    if (format != "text" && format != "csv") {
        std::fprintf(context.err, "quorvel-cli: planets takes --format text or csv\n");
        return kCliExitUsage;
    }
    const std::vector<PlanetDetails> planets = planetsDetails(context.settings);
    const std::string text = format == "csv" ? planetsCsv(planets) : planetsDetailsText(context.settings, planets);
    std::fputs(text.c_str(), context.out);
    return kCliExitOk;
}

}  // namespace qv
