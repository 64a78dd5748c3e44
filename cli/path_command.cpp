// The path of a solar eclipse as a GeoJSON or KML file.
#include <string>

#include "cli/commands.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_path_export.h"
#include "reports/year_tables.h"

namespace qv {

int runPathCommand(CliContext& context)
{
    const SettingsRecord& settings = context.settings;
    const std::string& format = context.options.format.value_or("");
    const auto refuse = [&context](const std::string& message) {
        std::fprintf(context.err, "quorvel-cli: %s\n", message.c_str());
        return kCliExitUsage;
    };
    if (!context.options.eclipseNumber)
        return refuse("path needs --eclipse N");
    if (format != "kml" && format != "geojson")
        return refuse("path needs --format kml or --format geojson");
    const std::vector<EclipseEvent> eclipses = eclipsesOfYear(settings);
    const EclipseEvent* eclipse = selectedEclipse(*context.options.eclipseNumber, eclipses);
    if (!eclipse || !isSolar(eclipse->kind))
        return refuse("--eclipse " + std::to_string(*context.options.eclipseNumber) + " is not a solar eclipse of " +
                      std::to_string(settings.time.year));
    const std::string text =
        eclipsePathFile(settings, *eclipse, format == "kml" ? PathFormat::Kml : PathFormat::GeoJson);
    std::fwrite(text.data(), 1, text.size(), context.out);
    return kCliExitOk;
}

}  // namespace qv
