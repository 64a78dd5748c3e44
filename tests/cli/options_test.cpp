#include "cli/options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli_args.h"
#include "eclipse/special_eclipse.h"

namespace qv {
namespace {

constexpr long long kMarch20Evening2024Utc = 1710964800;  // 2024-03-20 20:00:00 UTC

int parse(std::vector<std::string> words, CliOptions& options, std::string& error)
{
    CliArgs args(std::move(words));
    return parseCliOptions(args.argc(), args.argv(), options, error);
}

TEST(CliOptions, AcceptsEveryOptionWithAGoodValue)
{
    const struct {
        std::vector<std::string> words;
        bool (*holds)(const CliOptions&);
    } cases[] = {
        {{"start"}, [](const CliOptions& o) { return o.command == "start" && !o.zone; }},
        {{"start", "--year", "-44"}, [](const CliOptions& o) { return *o.year == -44; }},
        {{"start", "--zone", "-5.5"}, [](const CliOptions& o) { return o.zone->offsetHours == -5.5; }},
        {{"start", "--delta-t", "1e7"},
         [](const CliOptions& o) { return *o.deltaTSeconds == 1e7; }},
        {{"start", "--lat", "-90", "--lon", "360"},
         [](const CliOptions& o) { return *o.latitudeDeg == -90 && *o.longitudeDeg == 360; }},
        {{"start", "--lat", "48.2845", "--dms"},  // 48 deg 28' 45", also when --dms comes last
         [](const CliOptions& o) { return o.dms && std::abs(*o.latitudeDeg - 48.4791666666667) < 1e-12; }},
        {{"start", "--height", "-6378140"},
         [](const CliOptions& o) { return *o.heightM == -6378140; }},
        {{"start", "--name", "Rome"}, [](const CliOptions& o) { return *o.name == "Rome"; }},
        {{"start", "--date", "-0044-03-15"},
         [](const CliOptions& o) {
             return o.date->year == -44 && o.date->month == 3 && o.date->day == 15;
         }},
        {{"start", "--time", "23:59:59"},
         [](const CliOptions& o) { return o.time->hour == 23 && o.time->second == 59; }},
        {{"start", "--eclipse", "12", "--step", "60", "--projection", "3", "--grid", "2", "--grey",
          "0"},
         [](const CliOptions& o) {
             return *o.eclipseNumber == 12 && *o.mapStepMin == 60 && *o.mapProjection == MapProjection::PhysicalWorld &&
                    *o.mapGrid == MapGrid::Every10Degrees && !*o.mapGrey;
         }},
        {{"start", "--meridian", "-360", "--cutoff", "-90"},
         [](const CliOptions& o) { return *o.centralMeridianDeg == -360 && o.cutoffDeg == -90; }},
        {{"start", "--panel", "180,45.5,15,3,9"},
         [](const CliOptions& o) {
             return o.panel->elevationDeg == 45.5 && o.panel->startMonth == 3 &&
                    o.panel->endMonth == 9;
         }},
        {{"start", "--sat-height", "400", "--sat-step", "60", "--ellipsoid", "--out", "x.txt"},
         [](const CliOptions& o) {
             return *o.satHeightKm == 400 && *o.satStepSeconds == 60 && o.ellipsoid &&
                    o.outPath == "x.txt";
         }},
        {{"start", "--zone", "1", "--zone", "2"},
         [](const CliOptions& o) { return o.zone->offsetHours == 2; }},
        // The place's coordinates are decimal whatever --dms says; --zone after it wins.
        {{"start", "--place", "vienna", "--dms", "--zone", "3"},
         [](const CliOptions& o) {
             return std::abs(*o.latitudeDeg - 48.2) < 0.05 && !isNamedZone(*o.zone) && *o.name == "Vienna";
         }},
        {{"start", "--zone", "3", "--tz", "Asia/Kathmandu"},
         [](const CliOptions& o) { return std::string(o.zone->name) == "Asia/Kathmandu"; }},
        // Keywords and zone names in any case, and times without seconds.
        {{"start", "--tz", "europe/VIENNA"}, [](const CliOptions& o) { return o.zone->name == "Europe/Vienna"; }},
        {{"start", "--format", "GeoJSON", "--pages", "Maps,PHASES", "--paper", "A4", "--time", "7:05"},
         [](const CliOptions& o) {
             return *o.format == "geojson" && o.printParts == (kPrintMaps | kPrintPhases) &&
                    o.paper == PrintPaper::kA4 && o.time->hour == 7 && o.time->minute == 5 && o.time->second == 0;
         }},
        {{"map", "--view", "32.78,-96.8,0.18", "--size", "100X4000"},
         [](const CliOptions& o) {
             return !o.mapView->path && o.mapView->longitudeDeg == -96.8 && o.mapView->spanDeg == 0.18 &&
                    o.mapViewSize->width == 100 && o.mapViewSize->height == 4000;
         }},
        {{"map", "--view", "PATH"}, [](const CliOptions& o) { return o.mapView->path && !o.mapViewSize; }},
        {{"-h"}, [](const CliOptions& o) { return o.help; }},
    };
    for (const auto& c : cases) {
        CliOptions options;
        std::string error;
        EXPECT_EQ(parse(c.words, options, error), kCliExitOk) << c.words.back() << ": " << error;
        EXPECT_TRUE(c.holds(options)) << c.words.back();
    }
}

TEST(CliOptions, RefusesBadOptionsAndValuesWithOneLine)
{
    const struct {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {{"start", "--bogus"}, "unknown option '--bogus'"},
        {{"start", "stray"}, "unexpected argument 'stray'"},
        {{"--zone", "1"}, "no command given (see quorvel-cli --help)"},
        {{"start", "--zone"}, "--zone needs a value: --zone H"},
        {{"start", "--zone", "5,5"}, "--zone: '5,5' is not a number"},
        {{"start", "--zone", "nan"}, "--zone: 'nan' is not a number"},
        {{"start", "--zone", "24.5"}, "--zone: Time zone must be between -24 and 24 hours."},
        {{"start", "--year", "10000"}, "--year: Year must be between -9999 and 9999."},
        {{"start", "--year", "-10000"}, "--year: Year must be between -9999 and 9999."},
        {{"start", "--date", "10000-01-01"}, "--date: Year must be between -9999 and 9999."},
        {{"start", "--date", "2024-02-30"},
         "--date: 2024-02-30 does not exist: February 2024 has 29 days."},
        {{"start", "--date", "2023-02-29"},
         "--date: 2023-02-29 does not exist: February 2023 has 28 days."},
        {{"start", "--date", "2024-04-31"},
         "--date: 2024-04-31 does not exist: April 2024 has 30 days."},
        {{"start", "--date", "1582-10-10"},
         "--date: 1582-10-10 does not exist: the calendar reform left out 5 to 14 October 1582."},
        {{"start", "--dms", "--lat", "45.6"},
         "--lat: Latitude in DD.MMSS: the minutes (60) must be below 60."},
        {{"start", "--dms", "--lon", "-48.2960"},
         "--lon: Longitude in DD.MMSS: the seconds (60) must be below 60."},
        {{"start", "--zone", std::string(50, '9') + "x"},
         "--zone: '" + std::string(40, '9') + "...' is not a number"},
        {{"start", "--zone", "\xC3\xA9\xFF"}, "--zone: '\xC3\xA9\xEF\xBF\xBD' is not a number"},
        {{"start", "--" + std::string(45, 'x')}, "unknown option '--" + std::string(38, 'x') + "...'"},
        {{"start", "--year", "2024.5"}, "--year: '2024.5' is not a whole number"},
        {{"start", "--delta-t", "-1.1e7"},
         "--delta-t: TT - UT must be between -10000000 and 10000000 seconds."},
        {{"start", "--lat", "90.0001"}, "--lat: Latitude must be between -90 and 90 degrees."},
        {{"start", "--dms", "--lon", "360.0001"},
         "--lon: Longitude must be between -360 and 360 degrees."},
        {{"start", "--height", "inf"}, "--height: 'inf' is not a number"},
        {{"start", "--date", "2024-02-32"}, "--date: Day must be between 1 and 31."},
        {{"start", "--date", "2024-0-1"}, "--date: Month must be between 1 and 12."},
        {{"start", "--date", "20240301"}, "--date: '20240301' is not a date YYYY-MM-DD"},
        {{"start", "--time", "12:60:00"}, "--time: Minute must be between 0 and 59."},
        {{"start", "--time", "12"}, "--time: '12' is not a time HH:MM:SS or HH:MM"},
        {{"start", "--eclipse", "13"}, "--eclipse: Eclipse must be between 1 and 12."},
        {{"start", "--step", "0"}, "--step: Step must be between 1 and 60."},
        {{"start", "--projection", "4"}, "--projection: Projection must be between 0 and 3."},
        {{"start", "--grid", "-1"}, "--grid: Grid must be between 0 and 2."},
        {{"start", "--grey", "2"}, "--grey: Grey must be between 0 and 1."},
        {{"start", "--cutoff", "100.5"}, "--cutoff: Cutoff must be between -90 and 100."},
        {{"start", "--panel", "180,45,15,1,13"}, "--panel: End month must be between 1 and 12."},
        {{"start", "--panel", "180,45,15,7,6"}, "--panel: The start month must not come after the end month."},
        {{"start", "--panel", "180,45,15,1"}, "--panel: '180,45,15,1' is not AZ,EL,EFF,M1,M2"},
        {{"start", "--panel", "180,45,15,1,2,3"},
         "--panel: '180,45,15,1,2,3' is not AZ,EL,EFF,M1,M2"},
        {{"start", "--sat-step", "0"}, "--sat-step: Sat step must be between 1 and 86400."},
        {{"map", "--view", "0,0,400"}, "--view: Span must be between 0.18 and 360."},
        {{"map", "--view", "0,0"}, "--view: '0,0' is not path or LAT,LON,SPAN_DEG"},
        {{"map", "--view", "91,0,10"}, "--view: Latitude must be between -90 and 90."},
        {{"map", "--size", "1400"}, "--size: '1400' is not a size WxH"},
        {{"map", "--size", "1400x99"}, "--size: Height must be between 100 and 4000."},
    };
    for (const auto& c : cases) {
        CliOptions options;
        std::string error;
        EXPECT_EQ(parse(c.words, options, error), kCliExitUsage) << c.message;
        EXPECT_EQ(error, c.message);
    }
}

SettingsRecord settingsFor(std::vector<std::string> words)
{
    CliOptions options;
    std::string error;
    EXPECT_EQ(parse(std::move(words), options, error), kCliExitOk) << error;
    SettingsRecord settings;
    applyCliOptions(options, kMarch20Evening2024Utc, settings, findCliCommand(options.command)->readsTimeAsUT);
    return settings;
}

// The special eclipse takes its instant as UT, the clock's included, whatever the zone; the
// other commands read --time as local time in the zone.
TEST(CliOptions, SpecialReadsTheClockAndTimeAsUTOtherCommandsAsLocalTime)
{
    const struct {
        std::vector<std::string> words;
        const char* instantUT;  // YYYY-MM-DD HH:MM:SS
    } cases[] = {
        {{"special", "--zone", "2"}, "2024-03-20 20:00:00"},
        {{"special", "--zone", "2", "--time", "18:17:00"}, "2024-03-20 18:17:00"},
        {{"special", "--zone", "5.5", "--date", "2024-04-08"}, "2024-04-08 20:00:00"},
        {{"sky", "--zone", "2", "--time", "18:17:00"}, "2024-03-20 16:17:00"},
        {{"ephemeris", "--zone", "5.5"}, "2024-03-20 20:00:00"},
        {{"ephemeris", "--zone", "5.5", "--date", "2024-04-08"}, "2024-04-07 20:00:00"},
    };
    for (const auto& c : cases) {
        const UtInstant at = splitUtInstant(settingsFor(c.words).time.currentMjdUT);
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day, at.hour,
                      at.minute, at.second);
        EXPECT_STREQ(text, c.instantUT) << c.words[0] << " " << c.words.back();
    }
}

TEST(CliOptions, DateOverridesYearAndTimeSetsTheCurrentInstant)
{
    const SettingsRecord s =
        settingsFor({"start", "--date", "1999-12-31", "--year", "1500", "--time", "18:30:00"});
    EXPECT_EQ(s.time.year, 1999);
    EXPECT_NEAR(s.time.currentMjdUT, 51543.0 + 18.5 / 24.0, 1e-9);  // 1999-12-31 18:30
    EXPECT_TRUE(s.time.deltaTFollowsYear);
    EXPECT_NEAR(qv::deltaTSecondsOfYear(s.time), 64.184, 1e-9);  // the default of 1999

    const SettingsRecord yearOnly = settingsFor({"start", "--year", "1500", "--delta-t", "50"});
    EXPECT_EQ(yearOnly.time.year, 1500);
    EXPECT_EQ(yearOnly.time.month, 3);  // the clock's date stays
    EXPECT_FALSE(yearOnly.time.deltaTFollowsYear);
    EXPECT_EQ(qv::deltaTSecondsOfYear(yearOnly.time), 50.0);
}

TEST(CliOptions, ZoneMovesTheClockDateAndOtherOptionsReachTheRecord)
{
    const SettingsRecord s = settingsFor({"start", "--zone", "5.5", "--name", "Pune", "--dms",
                                          "--lat", "18.3113", "--panel", "90,30,20,4,8",
                                          "--sat-height", "400", "--ellipsoid", "--grid", "1"});
    EXPECT_EQ(s.time.day, 21);
    EXPECT_EQ(s.time.hour, 1);
    EXPECT_EQ(s.time.minute, 30);
    EXPECT_EQ(s.observer.name, "Pune" + std::string(26, ' '));
    EXPECT_EQ(s.display.dmsAngles, 1);
    EXPECT_NEAR(s.observer.latitudeDeg, 18.0 + 31.0 / 60 + 13.0 / 3600, 1e-12);
    EXPECT_EQ(s.panel.azimuthDeg, 90.0);
    EXPECT_EQ(s.panel.endMonth, 8);
    EXPECT_EQ(s.special.heightKm, 400.0);
    EXPECT_EQ(s.special.ellipsoid, 1);
    EXPECT_EQ(s.display.mapGrid, MapGrid::Every30Degrees);
    EXPECT_EQ(s.display.mapStepMinutes, 30);  // defaults stay where no option was given
    EXPECT_EQ(s.special.stepSeconds, 300.0);
}

}  // namespace
}  // namespace qv
