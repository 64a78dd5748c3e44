#include "cli/options.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "base/julian.h"
#include "base/places.h"
#include "base/number_text.h"
#include "base/utf8_text.h"
#include "config/input_limits.h"
#include "config/settings_io.h"
#include "eclipse/lunation.h"
#include "eclipse/special_eclipse.h"
#include "maps/map_view.h"
#include "reports/ephemeris_report.h"

namespace qv {

namespace {

constexpr long long kSatMaxSteps = 100000;
constexpr int kMaxPictureScale = 4;
// Sides of a map view's picture in pixels (times --scale in the file): the caption strip and
// some map at least, and no more than a large screen.
constexpr int kMinViewSidePx = 100;
constexpr int kMaxViewSidePx = 4000;

// One option word with its value (nullptr for a flag), the options being filled and the
// message of a refusal.
struct OptionArg {
    const char* option;
    const char* value;
    CliOptions& options;
    std::string& error;
};

struct OptionSpec {
    const char* name;
    const char* valueName;  // nullptr: a flag without value
    const char* help;
    bool (*apply)(const OptionArg& arg);
};

bool refuse(const OptionArg& arg, const std::string& message)
{
    arg.error = std::string(arg.option) + ": " + message;
    return false;
}

bool refuseValue(const OptionArg& arg, std::string_view text, const char* expected)
{
    return refuse(arg, quotedValue(text) + " is not " + expected);
}

// "<What> must be between <low> and <high>.", worded as the input checks word their ranges;
// without a name of its own the value is called after its option ("--sat-step": "Sat step").
std::string rangeText(const OptionArg& arg, const char* what, double low, double high)
{
    std::string name = what != nullptr ? what : std::string(arg.option).substr(2);
    for (char& c : name)
        c = c == '-' ? ' ' : c;
    if (!name.empty() && name.front() >= 'a' && name.front() <= 'z')
        name.front() = static_cast<char>(name.front() - 'a' + 'A');
    char text[128];
    std::snprintf(text, sizeof text, "%s must be between %.15g and %.15g.", name.c_str(), low, high);
    return text;
}

// Keywords are taken in any case.
std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

bool isDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Strict whole number: an optional sign and digits, nothing else.
bool wholeNumber(std::string_view text, long long& value)
{
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (!isDigits(digits))
        return false;
    long long magnitude = 0;
    const auto [end, status] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (status != std::errc() || end != digits.data() + digits.size())
        return false;
    value = text.front() == '-' ? -magnitude : magnitude;
    return true;
}

bool readWhole(const OptionArg& arg, std::string_view text, long long low, long long high,
               int& value, const char* what = nullptr)
{
    long long whole = 0;
    if (!wholeNumber(text, whole))
        return refuseValue(arg, text, "a whole number");
    if (whole < low || whole > high)
        return refuse(arg, rangeText(arg, what, static_cast<double>(low), static_cast<double>(high)));
    value = static_cast<int>(whole);
    return true;
}

bool readReal(const OptionArg& arg, std::string_view text, double low, double high,
              double& value, const char* what = nullptr)
{
    double real = 0.0;
    if (!tryParseNumber(text, real))
        return refuseValue(arg, text, "a number");
    if (real < low || real > high)
        return refuse(arg, rangeText(arg, what, low, high));
    value = real;
    return true;
}

// A real number accepted by one of the input range checks.
bool readChecked(const OptionArg& arg, std::string (*check)(double), std::optional<double>& target)
{
    double real = 0.0;
    if (!tryParseNumber(arg.value, real))
        return refuseValue(arg, arg.value, "a number");
    const std::string message = check(real);
    if (!message.empty())
        return refuse(arg, message);
    target = real;
    return true;
}

// A real number stored as given; its range is checked once all options are known.
bool readAnyReal(const OptionArg& arg, std::optional<double>& target)
{
    double real = 0.0;
    if (!tryParseNumber(arg.value, real))
        return refuseValue(arg, arg.value, "a number");
    target = real;
    return true;
}

template <typename Target>
bool setWhole(const OptionArg& arg, long long low, long long high, Target& target)
{
    int value = 0;
    if (!readWhole(arg, arg.value, low, high, value))
        return false;
    target = value;
    return true;
}

// A code numbered 0 to high (an enumeration, or a flag 0/1 into a bool).
template <typename Code>
bool setCode(const OptionArg& arg, int high, std::optional<Code>& target)
{
    int value = 0;
    if (!readWhole(arg, arg.value, 0, high, value))
        return false;
    target = static_cast<Code>(value);
    return true;
}

template <typename Target>
bool setReal(const OptionArg& arg, double low, double high, Target& target)
{
    double value = 0.0;
    if (!readReal(arg, arg.value, low, high, value))
        return false;
    target = value;
    return true;
}

bool readYear(const OptionArg& arg, std::optional<int>& target)
{
    long long year = 0;
    if (!wholeNumber(arg.value, year))
        return refuseValue(arg, arg.value, "a whole number");
    const std::string message = checkYear(year);
    if (!message.empty())
        return refuse(arg, message);
    target = static_cast<int>(year);
    return true;
}

bool setYear(const OptionArg& arg) { return readYear(arg, arg.options.year); }

// YYYY-MM-DD; the year may carry a sign ("-0044-03-15").
bool setDate(const OptionArg& arg)
{
    const std::string_view text(arg.value);
    const std::size_t dayDash = text.rfind('-');
    const bool noYear = dayDash == std::string_view::npos || dayDash == 0;
    const std::size_t monthDash = noYear ? dayDash : text.rfind('-', dayDash - 1);
    if (monthDash == std::string_view::npos || monthDash == 0)
        return refuseValue(arg, text, "a date YYYY-MM-DD");
    const std::string_view monthText = text.substr(monthDash + 1, dayDash - monthDash - 1);
    const std::string_view dayText = text.substr(dayDash + 1);
    long long year = 0;
    if (!wholeNumber(text.substr(0, monthDash), year) || !isDigits(monthText) ||
        !isDigits(dayText))
        return refuseValue(arg, text, "a date YYYY-MM-DD");
    const std::string message = checkYear(year);
    if (!message.empty())
        return refuse(arg, message);
    CliDate date{static_cast<int>(year), 0, 0};
    if (!readWhole(arg, monthText, 1, 12, date.month, "month") ||
        !readWhole(arg, dayText, 1, 31, date.day, "day"))
        return false;
    const std::string missing = checkDateExists(date.year, date.month, date.day);
    if (!missing.empty())
        return refuse(arg, std::string(text) + " does not exist: " + missing);
    arg.options.date = date;
    return true;
}

// HH:MM:SS, or HH:MM for the full minute.
bool setTime(const OptionArg& arg)
{
    const std::string_view text(arg.value);
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos)
        return refuseValue(arg, text, "a time HH:MM:SS or HH:MM");
    const std::size_t second = text.find(':', first + 1);
    const std::string_view parts[3] = {
        text.substr(0, first), text.substr(first + 1, second == std::string_view::npos ? second : second - first - 1),
        second == std::string_view::npos ? std::string_view("00") : text.substr(second + 1)};
    for (std::string_view part : parts)
        if (!isDigits(part))
            return refuseValue(arg, text, "a time HH:MM:SS or HH:MM");
    CliTime time{};
    if (!readWhole(arg, parts[0], 0, 23, time.hour, "hour") ||
        !readWhole(arg, parts[1], 0, 59, time.minute, "minute") ||
        !readWhole(arg, parts[2], 0, 59, time.second, "second"))
        return false;
    arg.options.time = time;
    return true;
}

bool setZoneHours(const OptionArg& arg)
{
    std::optional<double> hours;
    if (!readChecked(arg, checkTimeZone, hours))
        return false;
    arg.options.zone = TimeZone{*hours};
    return true;
}

// A zone name, or "local" for the system's zone.
bool setZoneName(const OptionArg& arg)
{
    const bool local = std::string_view(arg.value) == "local";
    const std::string name = local ? systemTimeZoneName() : arg.value;
    if (name.empty())
        return refuse(arg, "the system's time zone is unknown: neither TZ nor /etc/localtime names one");
    TimeZone zone;
    if (!findTimeZone(name.c_str(), zone))
        return refuse(arg, quotedValue(name) + " is no time zone of the time-zone database" +
                               (local ? " (the system's time zone)" : ""));
    arg.options.zone = zone;
    return true;
}

// The place the text names, as the place search ranks it; a note tells which place was taken
// when the text was only the start of its name.
bool setPlace(const OptionArg& arg)
{
    const std::string problem = placeQueryProblem(arg.value);
    if (!problem.empty())
        return refuse(arg, quotedValue(arg.value) + " " + problem);
    const PlaceChoice choice = bestPlace(arg.value);
    const Place* place = choice.place;
    if (place == nullptr)
        return refuse(arg, quotedValue(arg.value) + " is no place the place search knows");
    TimeZone zone;
    if (!findTimeZone(std::string(place->zone).c_str(), zone))
        return refuse(arg, "the time zone " + std::string(place->zone) + " of " + placeDisplayName(*place) +
                               " is missing from the time-zone database");
    CliOptions& options = arg.options;
    options.latitudeDeg = place->latitudeDeg;
    options.longitudeDeg = place->longitudeDeg;
    options.latitudeFromPlace = options.longitudeFromPlace = true;
    options.heightM = place->heightM;
    options.name = std::string(place->name);
    options.zone = zone;
    options.placeNote = choice.wholeName ? std::string()
                                         : std::string(arg.option) + ": " + quotedValue(arg.value) +
                                               " is taken as " + placeDisplayName(*place);
    return true;
}

// AZ,EL,EFF,M1,M2.
bool setPanel(const OptionArg& arg)
{
    std::string_view parts[5];
    std::string_view rest(arg.value);
    for (int i = 0; i < 5; ++i) {
        const std::size_t comma = rest.find(',');
        if ((comma == std::string_view::npos) != (i == 4))
            return refuseValue(arg, arg.value, "AZ,EL,EFF,M1,M2");
        parts[i] = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    CliPanel panel{};
    if (!readReal(arg, parts[0], kPanelAzimuthMinDeg, kPanelAzimuthMaxDeg, panel.azimuthDeg, "azimuth") ||
        !readReal(arg, parts[1], kPanelElevationMinDeg, kPanelElevationMaxDeg, panel.elevationDeg,
                  "elevation") ||
        !readReal(arg, parts[2], 0.0, kPanelEfficiencyMaxPercent, panel.efficiencyPercent, "efficiency") ||
        !readWhole(arg, parts[3], kFirstMonth, kLastMonth, panel.startMonth, "start month") ||
        !readWhole(arg, parts[4], kFirstMonth, kLastMonth, panel.endMonth, "end month"))
        return false;
    const std::string interval = checkMonthInterval(panel.startMonth, panel.endMonth);
    if (!interval.empty())
        return refuse(arg, interval);
    arg.options.panel = panel;
    return true;
}

// path, or LAT,LON,SPAN_DEG.
bool setMapView(const OptionArg& arg)
{
    CliMapView view;
    if (lowerAscii(arg.value) == "path") {
        view.path = true;
        arg.options.mapView = view;
        return true;
    }
    std::string_view parts[3];
    std::string_view rest(arg.value);
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = rest.find(',');
        if ((comma == std::string_view::npos) != (i == 2))
            return refuseValue(arg, arg.value, "path or LAT,LON,SPAN_DEG");
        parts[i] = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    if (!readReal(arg, parts[0], kLatitudeMinDeg, kLatitudeMaxDeg, view.latitudeDeg, "latitude") ||
        !readReal(arg, parts[1], kLongitudeMinDeg, kLongitudeMaxDeg, view.longitudeDeg, "longitude") ||
        !readReal(arg, parts[2], kViewMinSpanDeg, kViewMaxSpanDeg, view.spanDeg, "span"))
        return false;
    arg.options.mapView = view;
    return true;
}

// LAT,LON.
bool setMapAt(const OptionArg& arg)
{
    const std::string_view text(arg.value);
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return refuseValue(arg, arg.value, "LAT,LON");
    CliMapPoint point;
    if (!readReal(arg, text.substr(0, comma), kLatitudeMinDeg, kLatitudeMaxDeg, point.latitudeDeg, "latitude") ||
        !readReal(arg, text.substr(comma + 1), kLongitudeMinDeg, kLongitudeMaxDeg, point.longitudeDeg, "longitude"))
        return false;
    arg.options.mapAt = point;
    return true;
}

// WxH.
bool setMapViewSize(const OptionArg& arg)
{
    const std::string text = lowerAscii(arg.value);
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        return refuseValue(arg, arg.value, "a size WxH");
    CliSize size{};
    if (!readWhole(arg, std::string_view(text).substr(0, x), kMinViewSidePx, kMaxViewSidePx, size.width, "width") ||
        !readWhole(arg, std::string_view(text).substr(x + 1), kMinViewSidePx, kMaxViewSidePx, size.height,
                   "height"))
        return false;
    arg.options.mapViewSize = size;
    return true;
}

// The cutoff as the window's input takes it: -90 to 100, rounded to two decimals.
bool setCutoff(const OptionArg& arg)
{
    double cutoff = 0.0;
    if (!readReal(arg, arg.value, kCutoffMinDeg, kCutoffMaxDeg, cutoff))
        return false;
    const double scale = std::pow(10.0, kCutoffDecimals);
    arg.options.cutoffDeg = std::round(cutoff * scale) / scale;
    return true;
}

// A comma-separated list of the parts of the printed year.
bool setPrintParts(const OptionArg& arg)
{
    std::string badKey;
    if (parsePrintParts(lowerAscii(arg.value), arg.options.printParts, badKey))
        return true;
    std::string keys;
    for (const PrintPartKey& entry : kPrintPartKeys)
        keys += std::string(keys.empty() ? "" : ",") + entry.key;
    return refuse(arg, quotedValue(badKey) + " is no part of the year; the parts are " + keys);
}

bool setPaper(const OptionArg& arg)
{
    const std::string paper = lowerAscii(arg.value);
    if (paper != "a4" && paper != "letter")
        return refuseValue(arg, arg.value, "a4 or letter");
    arg.options.paper = paper == "a4" ? PrintPaper::kA4 : PrintPaper::kLetter;
    return true;
}

constexpr OptionSpec kOptions[] = {
    {"--year", "Y", "year, -9999 to 9999", setYear},
    {"--zone", "H", "time zone in hours, east positive, -24 to 24", setZoneHours},
    {"--tz", "NAME", "named time zone, e.g. Europe/Vienna, or local for the system's: daylight saving included",
     setZoneName},
    {"--place", "TEXT", "place by name (see places): sets --lat, --lon, --height, --name and --tz", setPlace},
    {"--delta-t", "SECONDS", "TT - UT in seconds (default: the year's default, automatic)",
     [](const OptionArg& a) { return readChecked(a, checkDeltaT, a.options.deltaTSeconds); }},
    {"--lat", "DEG", "latitude, north positive, -90 to 90",
     [](const OptionArg& a) { a.options.latitudeFromPlace = false; return readAnyReal(a, a.options.latitudeDeg); }},
    {"--lon", "DEG", "longitude, east positive, -360 to 360",
     [](const OptionArg& a) { a.options.longitudeFromPlace = false; return readAnyReal(a, a.options.longitudeDeg); }},
    {"--height", "M", "height above sea level in metres, -6378140 to 1e9",
     [](const OptionArg& a) { return readChecked(a, checkHeight, a.options.heightM); }},
    {"--name", "TEXT", "name of the location (cut to 30 characters)",
     [](const OptionArg& a) { a.options.name = a.value; return true; }},
    {"--dms", nullptr, "angles in the DD.MMSS form (--lat and --lon are read in it)",
     [](const OptionArg& a) { a.options.dms = true; return true; }},
    {"--date", "YYYY-MM-DD", "date; its year is used whatever the order of --year", setDate},
    {"--time", "HH:MM[:SS]", "time of day: UT for special, else local time in --zone", setTime},
    {"--eclipse", "N", "number of the eclipse in the year's list, 1 to 12",
     [](const OptionArg& a) { return setWhole(a, 1, kMaxEclipses, a.options.eclipseNumber); }},
    {"--month", "M", "chart: the month of a monthly picture, 1 to 12",
     [](const OptionArg& a) { return setWhole(a, kFirstMonth, kLastMonth, a.options.month); }},
    {"--step", "MIN", "step of the central-line listing in minutes, 1 to 60",
     [](const OptionArg& a) { return setWhole(a, 1, 60, a.options.mapStepMin); }},
    {"--projection", "0-3", "eclipse map: 0 world, 1 northern, 2 southern, 3 physical",
     [](const OptionArg& a) { return setCode(a, 3, a.options.mapProjection); }},
    {"--meridian", "DEG", "central meridian of the eclipse map, -360 to 360",
     [](const OptionArg& a) {
         return setReal(a, kLongitudeMinDeg, kLongitudeMaxDeg, a.options.centralMeridianDeg);
     }},
    {"--grid", "0-2", "eclipse map grid: 0 none, 1 30-degree, 2 10-degree",
     [](const OptionArg& a) { return setCode(a, 2, a.options.mapGrid); }},
    {"--grey", "0|1", "eclipse map background: 1 grey, 0 white",
     [](const OptionArg& a) { return setCode(a, 1, a.options.mapGrey); }},
    {"--borders", "0|1", "eclipse map borders between countries: 1 drawn (default), 0 not",
     [](const OptionArg& a) { return setCode(a, 1, a.options.mapBorders); }},
    {"--scale", "N", "map, special, chart: the picture N times as large, 1 to 4 (a screen at N x 100 %)",
     [](const OptionArg& a) { return setWhole(a, 1, kMaxPictureScale, a.options.pictureScale); }},
    {"--view", "LAT,LON,SPAN|path",
     "map, special: the zoomable view centred at LAT,LON, SPAN degrees across (0.18 to 360); map: or framing the path",
     setMapView},
    {"--size", "WxH",
     "map, special with --view, chart: picture size in pixels (maps: with its caption strip), 100 to 4000 (default 1400x900)",
     setMapViewSize},
    {"--cutoff", "DEG", "cutoff angle of the yearly totals, -90 to 100, two decimals (above 90: standard)",
     setCutoff},
    {"--count", "N", "instants of the ephemeris listing, 1 to 100000",
     [](const OptionArg& a) {
         return setWhole(a, 1, kEphemerisMaxInstants, a.options.ephemerisCount);
     }},
    {"--every", "DAYS", "days between the ephemeris instants, -36525 to 36525 (default 1)",
     [](const OptionArg& a) {
         return setReal(a, -36525.0, 36525.0, a.options.ephemerisEveryDays);
     }},
    {"--panel", "AZ,EL,EFF,M1,M2",
     "solar panel azimuth, elevation, efficiency in %, first and last month", setPanel},
    {"--sat-height", "KM", "height of the special-eclipse surface in km, 0 to 1e6",
     [](const OptionArg& a) { return setReal(a, 0.0, kSpecialHeightMaxKm, a.options.satHeightKm); }},
    {"--sat-step", "S", "special-eclipse arrow-key step in seconds, 1 to 86400 (see --steps)",
     [](const OptionArg& a) {
         return setReal(a, kSpecialStepMinSeconds, kSpecialStepMaxSeconds, a.options.satStepSeconds);
     }},
    {"--steps", "N", "special: the label after N Right-arrow steps (Left when negative), -1e5 to 1e5",
     [](const OptionArg& a) { return setWhole(a, -kSatMaxSteps, kSatMaxSteps, a.options.satSteps); }},
    {"--ellipsoid", nullptr, "special-eclipse surface is an ellipsoid (default: a sphere)",
     [](const OptionArg& a) { a.options.ellipsoid = true; return true; }},
    {"--from", "Y", "canon: first year, -9999 to 9999",
     [](const OptionArg& a) { return readYear(a, a.options.fromYear); }},
    {"--to", "Y", "canon: last year, -9999 to 9999",
     [](const OptionArg& a) { return readYear(a, a.options.toYear); }},
    {"--format", "NAME", "path: geojson or kml; canon: text (default), csv or json; phenomena, planets: text or csv; chart: csv",
     [](const OptionArg& a) {
         for (const char* name : {"text", "csv", "json", "geojson", "kml"})
             if (lowerAscii(a.value) == name) {
                 a.options.format = name;
                 return true;
             }
         return refuseValue(a, a.value, "text, csv, json, geojson or kml");
     }},
    {"--points", nullptr, "map: print the plotted points instead of the picture; special: add the track",
     [](const OptionArg& a) { a.options.points = true; return true; }},
    {"--at", "LAT,LON", "map: print the pointer panel's text for that point instead of the picture", setMapAt},
    {"--pages", "LIST", "pdf: parts of phases,calendar,holidays,eclipses,maps,planets,daylight,moon,seen (default the first five)",
     setPrintParts},
    {"--paper", "a4|letter", "pdf: paper size (default: the locale's)", setPaper},
    {"--landscape", nullptr, "pdf: landscape pages (default portrait)",
     [](const OptionArg& a) { a.options.landscape = true; return true; }},
    {"--no-planets", nullptr, "ics: leave out the planetary phenomena",
     [](const OptionArg& a) { a.options.noPlanets = true; return true; }},
    {"--out", "FILE", "write the output to FILE instead of standard output (map, special: the PNG; chart: PNG or SVG; pdf: the PDF)",
     [](const OptionArg& a) { a.options.outPath = a.value; return true; }},
    {"--help", nullptr, "this help (also -h)",
     [](const OptionArg& a) { a.options.help = true; return true; }},
};

const OptionSpec* findOption(std::string_view word)
{
    if (word == "-h")
        word = "--help";
    for (const OptionSpec& spec : kOptions)
        if (word == spec.name)
            return &spec;
    return nullptr;
}

}  // namespace

bool isCliOptionWithValue(std::string_view word)
{
    const OptionSpec* spec = findOption(word);
    return spec != nullptr && spec->valueName != nullptr;
}

namespace {

// Converts --lat and --lon from DD.MMSS when --dms was given, then checks their ranges.
bool finishCoordinates(CliOptions& options, std::string& error)
{
    struct Coordinate {
        const char* option;
        const char* what;
        std::optional<double>& degrees;
        bool fromPlace;
        std::string (*check)(double);
    };
    const Coordinate coordinates[] = {
        {"--lat", "Latitude", options.latitudeDeg, options.latitudeFromPlace, checkLatitude},
        {"--lon", "Longitude", options.longitudeDeg, options.longitudeFromPlace, checkLongitude}};
    for (const Coordinate& coordinate : coordinates) {
        if (!coordinate.degrees)
            continue;
        std::string message;
        if (options.dms && !coordinate.fromPlace) {
            message = checkDdmmssParts(*coordinate.degrees, coordinate.what);
            coordinate.degrees = ddmmssToDecimal(*coordinate.degrees);
        }
        if (message.empty())
            message = coordinate.check(*coordinate.degrees);
        if (!message.empty()) {
            error = std::string(coordinate.option) + ": " + message;
            return false;
        }
    }
    return true;
}

}  // namespace

int parseCliOptions(int argc, char** argv, CliOptions& options, std::string& error)
{
    int i = 1;
    if (i < argc && argv[i][0] != '-')
        options.command = argv[i++];
    for (; i < argc; ++i) {
        const char* word = argv[i];
        const OptionSpec* spec = findOption(word);
        if (spec == nullptr) {
            error = std::string(word[0] == '-' ? "unknown option " : "unexpected argument ") +
                    quotedValue(word);
            return kCliExitUsage;
        }
        const char* value = nullptr;
        if (spec->valueName != nullptr) {
            if (i + 1 >= argc) {
                error = std::string(spec->name) + " needs a value: " + spec->name + " " +
                        spec->valueName;
                return kCliExitUsage;
            }
            value = argv[++i];
            // "--out --lat 48" lost its value; it would otherwise write a file named --lat.
            if (findOption(value) != nullptr) {
                error = std::string(spec->name) + " needs a value, not the option " + value + ": " +
                        spec->name + " " + spec->valueName;
                return kCliExitUsage;
            }
        }
        if (!spec->apply(OptionArg{spec->name, value, options, error}))
            return kCliExitUsage;
    }
    if (options.help)
        return kCliExitOk;
    if (!finishCoordinates(options, error))
        return kCliExitUsage;
    if (options.command.empty()) {
        error = "no command given (see quorvel-cli --help)";
        return kCliExitUsage;
    }
    return kCliExitOk;
}

namespace {

// The instant of UT that --date and --time name, the parts not given taken from the clock:
// from its UT when timeIsUT, else from the local date and time fields of time.
double typedInstantUT(const CliOptions& options, const TimeSettings& time, bool timeIsUT)
{
    UtInstant at{time.year, time.month, time.day, time.hour, time.minute, time.second};
    if (timeIsUT)
        at = splitUtInstant(time.currentMjdUT);
    if (options.date) {
        at.year = options.date->year;
        at.month = options.date->month;
        at.day = options.date->day;
    }
    if (options.time) {
        at.hour = options.time->hour;
        at.minute = options.time->minute;
        at.second = options.time->second;
    }
    const double mjd = modifiedJulianDate(at.day, at.month, at.year, dmsToDecimal(at.hour, at.minute, at.second));
    return timeIsUT ? mjd : utFromLocal(mjd, time.zone);
}

}  // namespace

void applyCliOptions(const CliOptions& options, long long unixSeconds, SettingsRecord& settings, bool timeIsUT)
{
    setDefaultSettings(settings, unixSeconds);
    if (options.zone) {
        settings.time.zone = *options.zone;
        setDateTimeFromUnixSeconds(settings, unixSeconds);
    }
    if (options.year)
        settings.time.year = *options.year;
    if (options.date) {
        settings.time.year = options.date->year;
        settings.time.month = options.date->month;
        settings.time.day = options.date->day;
    }
    if (options.time) {
        settings.time.hour = options.time->hour;
        settings.time.minute = options.time->minute;
        settings.time.second = options.time->second;
    }
    if (options.date || options.time)
        settings.time.currentMjdUT = typedInstantUT(options, settings.time, timeIsUT);
    settings.time.deltaTFollowsYear = !options.deltaTSeconds;
    settings.time.deltaTManualSeconds = options.deltaTSeconds.value_or(0.0);

    settings.observer.latitudeDeg = options.latitudeDeg.value_or(settings.observer.latitudeDeg);
    settings.observer.longitudeDeg = options.longitudeDeg.value_or(settings.observer.longitudeDeg);
    settings.observer.heightM = options.heightM.value_or(settings.observer.heightM);
    if (options.name)
        storeLocationName(settings, options.name->c_str());
    settings.display.dmsAngles = options.dms;

    settings.display.mapStepMinutes = options.mapStepMin.value_or(settings.display.mapStepMinutes);
    settings.display.mapProjection = options.mapProjection.value_or(settings.display.mapProjection);
    settings.display.centralMeridianDeg = options.centralMeridianDeg.value_or(settings.display.centralMeridianDeg);
    settings.display.mapGrid = options.mapGrid.value_or(settings.display.mapGrid);
    settings.display.mapGrey = options.mapGrey.value_or(settings.display.mapGrey);
    settings.display.mapBorders = options.mapBorders.value_or(settings.display.mapBorders);
    if (options.panel) {
        settings.panel.azimuthDeg = options.panel->azimuthDeg;
        settings.panel.elevationDeg = options.panel->elevationDeg;
        settings.panel.efficiencyPercent = options.panel->efficiencyPercent;
        settings.panel.startMonth = options.panel->startMonth;
        settings.panel.endMonth = options.panel->endMonth;
    }
    settings.special.heightKm = options.satHeightKm.value_or(settings.special.heightKm);
    settings.special.stepSeconds = options.satStepSeconds.value_or(settings.special.stepSeconds);
    settings.special.ellipsoid = options.ellipsoid;
}

void writeOptionsHelp(std::FILE* out)
{
    for (const OptionSpec& spec : kOptions) {
        std::string usage = spec.name;
        if (spec.valueName != nullptr)
            usage = usage + " " + spec.valueName;
        std::fprintf(out, "  %-26s %s\n", usage.c_str(), spec.help);
    }
}

}  // namespace qv
