#pragma once
// The batch companion's commands. A command is one function that prints, on context.out,
// exactly the text the window or dialog shows for the settings built from the options, and
// returns an exit status. Adding one: declare its function here and add a row to the table
// in commands.cpp.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "base/settings.h"
#include "cli/options.h"

namespace qv {

struct CliContext {
    CliOptions options;
    SettingsRecord settings;  // defaults and clock, then the options applied
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;  // for a command's own refusals
    std::string text;          // of a command that takes one, its word that is no option (places TEXT)
};

struct CliCommand {
    const char* name;
    const char* summary;  // one line for the help text
    int (*run)(CliContext& context);
    // Whether --out names a PNG the command writes itself (nullptr: never); otherwise --out
    // takes the text the command prints.
    bool (*writesPicture)(const CliOptions& options) = nullptr;
    bool takesText = false;  // its one word that is no option or option value is its text
    // Whether --date and --time (and the clock without them) are UT rather than local time.
    bool readsTimeAsUT = false;
};

// Every command, in the order the help text lists them.
std::span<const CliCommand> cliCommands();
// The command of that name, or nullptr.
const CliCommand* findCliCommand(std::string_view name);

// Writes the usage, the commands with their summaries and the options.
void printUsage(std::FILE* out);

// Writes "quorvel-cli: cannot write 'NAME': REASON" on err and returns kCliExitFailure.
int reportWriteFailure(std::FILE* err, std::string_view name, const std::string& reason);

// Runs quorvel-cli with its arguments; standard output and error are out and err.
// Returns the exit status: 0 done, 1 output not written, 2 bad command, option or value.
int runCli(int argc, char** argv, std::FILE* out, std::FILE* err);

// The start page: welcome line, blank line and the present input values.
int runStartCommand(CliContext& context);

// Apparent places of the Sun and the Moon from the date and time on, one line per body.
int runEphemerisCommand(CliContext& context);

// The Phases command's page: phases of the Moon, equinoxes and solstices, eclipses of the year.
int runPhasesCommand(CliContext& context);

// The calendar of the year.
int runCalendarCommand(CliContext& context);

// The eclipse list page of the year.
int runEclipsesCommand(CliContext& context);

// The details text of eclipse --eclipse N of the year for the location, as the details dialog
// shows it; a number beyond the year's eclipses is refused.
int runEclipseCommand(CliContext& context);

// The holiday dialog's text of the year, its pieces joined.
int runHolidaysCommand(CliContext& context);

// The day details text of --date.
int runDayCommand(CliContext& context);

// The world map of solar eclipse --eclipse N of the year as a PNG (--out), or with --points the
// geographic points it plots, or with --at the pointer panel's text for a point (both to --out
// when given); an eclipse number that is no solar eclipse is refused.
int runMapCommand(CliContext& context);

// The special-eclipse label for --date and --time (UT); --points adds the track points and
// --out writes the special-eclipse map as a PNG, with --view the zoomable view of it.
int runSpecialCommand(CliContext& context);

// The path of solar eclipse --eclipse N of the year as a GeoJSON or KML file (--format); an
// eclipse number that is no solar eclipse is refused.
int runPathCommand(CliContext& context);

// Every eclipse from --from to --to, one a line (--format text, csv or json), TT - UT each
// year's default unless --delta-t is given; a progress line on standard error when it is a terminal.
int runCanonCommand(CliContext& context);

// The year's planetary phenomena: the page, or with --format csv one line an event in UT.
int runPhenomenaCommand(CliContext& context);

// The planets at --date and --time (local) for the place: the Planets dialog's text, or with
// --format csv one line a planet.
int runPlanetsCommand(CliContext& context);

// The year's phases of the Moon, seasons, eclipses and holidays as an iCalendar file; a year
// the file cannot hold is refused.
int runIcsCommand(CliContext& context);

// The chosen parts of the year (--pages) as a PDF file (--out) on --paper, portrait or
// --landscape, as File - Export PDF writes it.
int runPdfCommand(CliContext& context);

// The save file of the year, as File - Save writes it.
int runSaveCommand(CliContext& context);

// Up to 20 places the text names, best first as the place search ranks them, one a line,
// tab-separated: name, region, country, latitude and longitude (degrees, 4 decimals), height (m)
// and time zone. No text, a text the search refuses (shorter than 2 characters, not UTF-8), or
// no match, is refused.
int runPlacesCommand(CliContext& context);

// A picture page of the year (chart NAME: daylight) as a PNG or SVG file (--out, by its
// extension) at --size and --scale, or with --format csv the data it draws; a name that is no
// picture, or inputs the picture cannot be drawn for, are refused.
int runChartCommand(CliContext& context);
// Whether the chart command writes a picture for these options (not with --format).
bool chartWritesPicture(const CliOptions& options);

// The Sun and Moon details of --date and --time as the dialog first shows them.
int runSkyCommand(CliContext& context);

// The yearly totals of the year for the location and --cutoff.
int runTotalsCommand(CliContext& context);

// The solar panel statistics of the year for the location and --panel.
int runPanelCommand(CliContext& context);

}  // namespace qv
