#pragma once
// Options of the batch companion: the command line parsed into CliOptions, and the settings
// record built from the program's defaults and those options.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/settings.h"
#include "reports/print_document.h"

namespace qv {

constexpr int kCliExitOk = 0;
constexpr int kCliExitFailure = 1;  // the output could not be written
constexpr int kCliExitUsage = 2;    // unknown command or option, missing or bad value

struct CliDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

struct CliTime {
    int hour;    // 0..23
    int minute;  // 0..59
    int second;  // 0..59
};

struct CliPanel {
    double azimuthDeg;
    double elevationDeg;
    double efficiencyPercent;
    int startMonth;  // 1..12
    int endMonth;    // 1..12
};

// The part of the world a map picture shows (--view): the band of the eclipse's path, or a
// centre and the degrees across the width.
struct CliMapView {
    bool path = false;
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double spanDeg = 360.0;
};

// A point of the map (--at), as the pointer rests on it.
struct CliMapPoint {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
};

// Pixels of a picture (--size), the caption strip included.
struct CliSize {
    int width;
    int height;
};
constexpr CliSize kDefaultMapViewSize{1400, 900};

// Everything given on the command line; an empty optional keeps the program's default.
struct CliOptions {
    std::string command;
    bool help = false;
    std::optional<int> year;
    std::optional<TimeZone> zone;  // --zone, --tz or --place, the last one given
    std::optional<double> deltaTSeconds;
    std::optional<double> latitudeDeg;   // decimal degrees (converted from DD.MMSS with --dms)
    std::optional<double> longitudeDeg;  // decimal degrees (converted from DD.MMSS with --dms)
    bool latitudeFromPlace = false;      // set by --place, so already decimal
    bool longitudeFromPlace = false;
    std::optional<double> heightM;
    std::optional<std::string> name;
    // Set by --place when its text was only the start of the place's name: which place it took.
    std::string placeNote;
    bool dms = false;
    std::optional<CliDate> date;
    std::optional<CliTime> time;
    std::optional<int> eclipseNumber;  // 1-based number in the eclipse list
    std::optional<int> month;          // chart: the month of a monthly picture, 1..12
    std::optional<int> mapStepMin;
    std::optional<MapProjection> mapProjection;
    std::optional<double> centralMeridianDeg;
    std::optional<MapGrid> mapGrid;
    std::optional<bool> mapGrey;
    std::optional<bool> mapBorders;
    double cutoffDeg = 100.0;  // the Year Totals cutoff angle; above 90 the standard totals
    int ephemerisCount = 1;           // instants of the ephemeris listing
    double ephemerisEveryDays = 1.0;  // days between those instants
    std::optional<CliPanel> panel;
    std::optional<double> satHeightKm;
    std::optional<double> satStepSeconds;
    int satSteps = 0;  // special: arrow-key steps of --sat-step before the label (negative: back)
    bool ellipsoid = false;
    std::optional<int> fromYear;  // canon
    std::optional<int> toYear;
    std::optional<std::string> format;  // path: geojson or kml; canon: text, csv or json
    bool points = false;  // map and special: print the plotted points
    int pictureScale = 1;  // map and special: device pixels per map pixel of the picture
    std::optional<CliMapView> mapView;  // map: the zoomable view instead of the fixed picture
    std::optional<CliSize> mapViewSize;  // map and special with --view, chart: the picture's size
    std::optional<CliMapPoint> mapAt;  // map: the pointer panel's text there instead of the picture
    unsigned printParts = kPrintWholeYear;  // pdf: the parts of the year (PrintPart bits)
    std::optional<PrintPaper> paper;        // pdf: empty for the locale's paper
    bool landscape = false;                 // pdf: landscape pages
    bool noPlanets = false;                 // ics: without the planetary phenomena
    std::string outPath;  // empty: standard output
};

// Parses argv[1] .. argv[argc - 1]: the command word, then options in any order (of an option
// given twice the later wins; --date sets the year over --year in either order). Returns kCliExitOk, or kCliExitUsage with a one-line message in error.
int parseCliOptions(int argc, char** argv, CliOptions& options, std::string& error);

// The program's defaults with the clock at unixSeconds (in the given zone, if any), then the
// options; without --delta-t TT - UT follows the year. --date and --time set the current
// instant: read as local time in the zone, or as UT when timeIsUT (the part of the date and
// time not given is then the clock's UT, else its local time).
void applyCliOptions(const CliOptions& options, long long unixSeconds, SettingsRecord& settings,
                     bool timeIsUT = false);

// Whether the word is an option followed by a value (--tz NAME), so that the next word is that
// value and not a command's text.
bool isCliOptionWithValue(std::string_view word);

// Writes the option list of the help text, one line per option.
void writeOptionsHelp(std::FILE* out);

}  // namespace qv
