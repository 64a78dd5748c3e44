#include "astro/ephemeris_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "astro/constants.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "cli/commands.h"
#include "time/julian.h"

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

struct BodyLine {
    char body[8] = {};
    double mjdUT = 0.0;
    double raHours = 0.0;
    double decDeg = 0.0;
    double distance = 0.0;
    double lonDeg = 0.0;
    double latDeg = 0.0;
};

bool parse(const std::string& line, BodyLine& out) {
    return std::sscanf(line.c_str(), "%7s %lf %lf %lf %lf %lf %lf", out.body, &out.mjdUT, &out.raHours, &out.decDeg,
                       &out.distance, &out.lonDeg, &out.latDeg) == 7;
}

TEST(EphemerisReport, HeaderAndOneSunAndMoonLinePerInstant) {
    std::string text;
    ASSERT_TRUE(qv::ephemerisReport(51544.5, 2.0, 64.184, 3, 1.5, text));
    const std::vector<std::string> lines = splitLines(text);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "body mjd_ut ra_hours dec_deg distance ecl_lon_deg ecl_lat_deg");
    for (int k = 0; k < 3; ++k) {
        BodyLine sun;
        BodyLine moon;
        ASSERT_TRUE(parse(lines[1 + 2 * k], sun)) << lines[1 + 2 * k];
        ASSERT_TRUE(parse(lines[2 + 2 * k], moon)) << lines[2 + 2 * k];
        EXPECT_STREQ(sun.body, "sun");
        EXPECT_STREQ(moon.body, "moon");
        // Local time minus the zone, then every 1.5 days.
        EXPECT_NEAR(sun.mjdUT, 51544.5 - 2.0 / 24.0 + 1.5 * k, 1e-6);
        EXPECT_EQ(moon.mjdUT, sun.mjdUT);
    }
}

TEST(EphemerisReport, ValuesMatchTheSeries) {
    // Local 2000-01-01 12:00:00 at zone 0 with TT - UT = 0: exactly J2000.0.
    std::string text;
    ASSERT_TRUE(qv::ephemerisReport(qv::modifiedJulianDate(1, 1, 2000, 12.0), 0.0, 0.0, 1, 1.0, text));
    const std::vector<std::string> lines = splitLines(text);
    ASSERT_EQ(lines.size(), 3u);
    BodyLine sun;
    BodyLine moon;
    ASSERT_TRUE(parse(lines[1], sun));
    ASSERT_TRUE(parse(lines[2], moon));
    EXPECT_NEAR(sun.lonDeg, 280.3775, 0.00005);
    EXPECT_NEAR(sun.latDeg * 3600.0, 0.77, 0.005);
    EXPECT_NEAR(sun.distance, 0.983327, 0.0000005);
    EXPECT_NEAR(moon.lonDeg, 223.3189, 0.00005);
    EXPECT_NEAR(moon.latDeg, 5.1709, 0.00005);
    EXPECT_NEAR(moon.distance, 63.0965, 0.00005);

    qv::SettingsRecord settings;
    settings.deltaTAuto = 0;
    settings.deltaT = 0.0;
    double eqeq = 0.0;
    double eclLongitudeRad = 0.0;
    const qv::PolarCoord sunPlace = qv::toPolar(qv::sunApparentEquatorial(settings, 51544.5, eqeq, eclLongitudeRad));
    const qv::PolarCoord moonPlace = qv::toPolar(qv::moonApparentEquatorial(settings, 51544.5, eqeq, eclLongitudeRad));
    EXPECT_NEAR(sun.raHours, sunPlace.longitude() * qv::kDegPerRad / 15.0, 1e-9);
    EXPECT_NEAR(sun.decDeg, sunPlace.latitude() * qv::kDegPerRad, 1e-8);
    EXPECT_NEAR(moon.raHours, moonPlace.longitude() * qv::kDegPerRad / 15.0, 1e-9);
    EXPECT_NEAR(moon.decDeg, moonPlace.latitude() * qv::kDegPerRad, 1e-8);
}

TEST(EphemerisReport, RefusesBadRequests) {
    std::string text = "left over";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(qv::ephemerisReport(51544.5, 0.0, 0.0, 0, 1.0, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(qv::ephemerisReport(51544.5, 0.0, 0.0, -5, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(51544.5, 0.0, 0.0, qv::kEphemerisMaxInstants + 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(nan, 0.0, 0.0, 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(51544.5, inf, 0.0, 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(51544.5, 0.0, nan, 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(51544.5, 0.0, 0.0, 2, nan, text));
    EXPECT_TRUE(text.empty());
}

// Runs the batch companion with the given arguments; returns its status, output in out.
int runCliCapturing(std::vector<const char*> args, std::string& out) {
    args.insert(args.begin(), "quorvel-cli");
    std::FILE* outFile = std::tmpfile();
    std::FILE* errFile = std::tmpfile();
    const int status = qv::runCli(static_cast<int>(args.size()), const_cast<char**>(args.data()), outFile, errFile);
    out.clear();
    std::rewind(outFile);
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, outFile)) out += buffer;
    std::fclose(outFile);
    std::fclose(errFile);
    return status;
}

TEST(EphemerisCommand, PrintsTheListingForTheGivenLocalTime) {
    std::string printed;
    ASSERT_EQ(runCliCapturing({"ephemeris", "--date", "2000-01-01", "--time", "14:00:00", "--zone", "2",
                               "--delta-t", "0", "--count", "4", "--every", "0.25"},
                              printed),
              qv::kCliExitOk);
    std::string expected;
    ASSERT_TRUE(qv::ephemerisReport(qv::modifiedJulianDate(1, 1, 2000, 14.0), 2.0, 0.0, 4, 0.25, expected));
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(splitLines(printed).size(), 9u);
}

TEST(EphemerisCommand, DefaultsAndRefusals) {
    std::string printed;
    // Without --delta-t the year's default TT - UT applies; one instant by default.
    ASSERT_EQ(runCliCapturing({"ephemeris", "--date", "1950-06-01", "--time", "00:00:00"}, printed), qv::kCliExitOk);
    std::string expected;
    ASSERT_TRUE(qv::ephemerisReport(qv::modifiedJulianDate(1, 6, 1950, 0.0), 0.0, qv::deltaTDefault(1950), 1, 1.0,
                                    expected));
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(runCliCapturing({"ephemeris", "--count", "0"}, printed), qv::kCliExitUsage);
    EXPECT_EQ(runCliCapturing({"ephemeris", "--count", "100001"}, printed), qv::kCliExitUsage);
    EXPECT_EQ(runCliCapturing({"ephemeris", "--every", "nan"}, printed), qv::kCliExitUsage);
}

}  // namespace
