#include "cli/commands.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "base/replacing_file.h"
#include "base/utf8_text.h"

namespace qv {

namespace {

constexpr CliCommand kCommands[] = {
    {"start", "the start page: welcome line and the present input values", runStartCommand},
    {"ephemeris", "Sun and Moon places (--date, --time, --count, --every)", runEphemerisCommand},
    {"phases", "phases of the Moon, equinoxes, solstices and eclipses of the year", runPhasesCommand},
    {"calendar", "the calendar of the year", runCalendarCommand},
    {"eclipses", "the eclipse list of the year", runEclipsesCommand},
    {"eclipse", "details of eclipse --eclipse N for the location (--step: central line)", runEclipseCommand},
    {"holidays", "the holidays of the year", runHolidaysCommand},
    {"day", "the day details of --date: weekday, week and the other calendars", runDayCommand},
    {"map", "world map of solar eclipse --eclipse N (--out FILE.png, --view to zoom, --points or --at)",
     runMapCommand, [](const CliOptions& options) { return !options.points && !options.mapAt; }},
    {"special", "special eclipse at --date/--time UT on --sat-height (--out FILE.png, --view to zoom, --points)",
     runSpecialCommand, [](const CliOptions&) { return true; }, false, true},
    {"path", "path of solar eclipse --eclipse N as --format geojson or kml, for map programs", runPathCommand},
    {"canon", "every eclipse from --from to --to, one a line (--format text, csv or json)", runCanonCommand},
    {"phenomena", "the year's planetary phenomena, month by month (--format csv: UT, for scripts)",
     runPhenomenaCommand},
    {"planets", "the planets at --date and --time: place, rise, transit, set, magnitude (--format csv)",
     runPlanetsCommand},
    {"ics", "the year's phases, seasons, eclipses, holidays and planets as iCalendar (--no-planets)",
     runIcsCommand},
    {"chart", "chart daylight|moon|eclipse: the picture of the year's daylight (--format csv), the Moon calendar "
     "(--month M) or an eclipse as seen (--eclipse N), --out FILE.png|FILE.svg",
     runChartCommand, chartWritesPicture, true},
    {"pdf", "the year as a printed booklet: --out FILE.pdf (--pages, --paper, --landscape)", runPdfCommand,
     [](const CliOptions&) { return true; }},
    {"save", "the save file of the year: year tables, holidays and calendar", runSaveCommand},
    {"sky", "Sun and Moon details at --date and --time: places, rise, set, twilight", runSkyCommand},
    {"totals", "yearly hours of sunshine, twilight and moonshine, or above --cutoff", runTotalsCommand},
    {"panel", "solar panel statistics of the year for --panel", runPanelCommand},
    {"places", "places TEXT: up to 20 places TEXT names, best first (\"Paris, Texas\" narrows it)",
     runPlacesCommand, nullptr, true},
};

// Takes a command's text out of its words before the options are read: the first word after
// the command that is neither an option nor an option's value.
std::string takeCommandText(std::vector<char*>& args)
{
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i][0] != '-') {
            std::string text = args[i];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return text;
        }
        if (isCliOptionWithValue(args[i]))
            ++i;
    }
    return std::string();
}

}  // namespace

int reportWriteFailure(std::FILE* err, std::string_view name, const std::string& reason)
{
    std::fprintf(err, "quorvel-cli: cannot write %s: %s\n", quotedText(name).c_str(), reason.c_str());
    return kCliExitFailure;
}

std::span<const CliCommand> cliCommands() { return kCommands; }

const CliCommand* findCliCommand(std::string_view name)
{
    for (const CliCommand& command : kCommands)
        if (name == command.name)
            return &command;
    return nullptr;
}

void printUsage(std::FILE* out)
{
    std::fputs("usage: quorvel-cli COMMAND [options]\n"
               "Prints the text the window or dialog shows for the same inputs. Inputs start\n"
               "from the program's defaults and the clock; the configuration file is not read.\n"
               "special reads --date and --time (and the clock) as UT, the other commands as\n"
               "local time in --zone or --tz.\n"
               "With --tz (or --place) every time is the local time of its instant in that zone,\n"
               "daylight saving included, and the tables span the local year. In the hour the\n"
               "clocks repeat a typed time is its first occurrence; one they skip moves forward\n"
               "by the gap. Before the zone's first rule its local mean time applies, after its\n"
               "last recorded change its last rule continues. Places: GeoNames (CC BY).\n"
               "A file written by path opens in Google Earth with File - Open, and in QGIS with\n"
               "Layer - Add Layer - Add Vector Layer.\n"
               "\nCommands:\n",
               out);
    for (const CliCommand& command : kCommands)
        std::fprintf(out, "  %-12s %s\n", command.name, command.summary);
    std::fputs("\nOptions:\n", out);
    writeOptionsHelp(out);
}

int runCli(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    if (argc < 2) {
        printUsage(err);
        return kCliExitUsage;
    }
    CliContext context;
    std::vector<char*> args(argv, argv + argc);
    const CliCommand* named = findCliCommand(argv[1]);
    if (named != nullptr && named->takesText)
        context.text = takeCommandText(args);
    std::string error;
    if (parseCliOptions(static_cast<int>(args.size()), args.data(), context.options, error) != kCliExitOk) {
        std::fprintf(err, "quorvel-cli: %s\n", error.c_str());
        return kCliExitUsage;
    }
    if (!context.options.placeNote.empty())
        std::fprintf(err, "quorvel-cli: %s\n", context.options.placeNote.c_str());
    if (context.options.help) {
        printUsage(out);
        return kCliExitOk;
    }
    const CliCommand* command = findCliCommand(context.options.command);
    if (command == nullptr) {
        std::fprintf(err, "quorvel-cli: unknown command %s (see quorvel-cli --help)\n",
                     quotedValue(context.options.command).c_str());
        return kCliExitUsage;
    }
    applyCliOptions(context.options, static_cast<long long>(std::time(nullptr)), context.settings,
                    command->readsTimeAsUT);
    context.err = err;
    // A file named by --out appears only complete, and only when the command succeeds.
    const bool picture = command->writesPicture != nullptr && command->writesPicture(context.options);
    const std::string& outPath = context.options.outPath;
    std::unique_ptr<ReplacingFile> outFile;
    if (!picture && !outPath.empty()) {
        outFile = std::make_unique<ReplacingFile>(outPath);
        if (outFile->stream() == nullptr)
            return reportWriteFailure(err, outPath, outFile->error());
    }
    context.out = outFile ? outFile->stream() : out;
    const int status = command->run(context);
    if (status != kCliExitOk)
        return status;
    if (outFile)
        return outFile->commit() ? kCliExitOk : reportWriteFailure(err, outPath, outFile->error());
    errno = 0;
    if (std::fflush(out) != 0 || std::ferror(out) != 0)
        return reportWriteFailure(err, "standard output", std::strerror(errno != 0 ? errno : EIO));
    return kCliExitOk;
}

}  // namespace qv
