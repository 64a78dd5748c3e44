// The ephemeris listing of the batch companion: its layout, its values at J2000.0, the refused
// requests and the ephemeris command that prints it.
#include "reports/ephemeris_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "base/julian.h"
#include "cli/cli_args.h"

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
    ASSERT_TRUE(qv::ephemerisReport(51544.5 - 2.0 / 24.0, qv::DeltaTRule{false, 64.184}, 3, 1.5, text));
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
        // The first instant, then every 1.5 days.
        EXPECT_NEAR(sun.mjdUT, 51544.5 - 2.0 / 24.0 + 1.5 * k, 1e-6);
        EXPECT_EQ(moon.mjdUT, sun.mjdUT);
    }
}

TEST(EphemerisReport, ValuesAtJ2000) {
    // Local 2000-01-01 12:00:00 at zone 0 with TT - UT = 0: exactly J2000.0.
    std::string text;
    ASSERT_TRUE(qv::ephemerisReport(qv::modifiedJulianDate(1, 1, 2000, 12.0), qv::DeltaTRule{false, 0.0}, 1, 1.0, text));
    const std::vector<std::string> lines = splitLines(text);
    ASSERT_EQ(lines.size(), 3u);
    BodyLine sun;
    BodyLine moon;
    ASSERT_TRUE(parse(lines[1], sun));
    ASSERT_TRUE(parse(lines[2], moon));
    // Mean ecliptic places of date from the series.
    EXPECT_NEAR(sun.lonDeg, 280.3775, 0.00005);
    EXPECT_NEAR(sun.latDeg * 3600.0, 0.77, 0.005);
    EXPECT_NEAR(sun.distance, 0.983327, 0.0000005);
    EXPECT_NEAR(moon.lonDeg, 223.3189, 0.00005);
    EXPECT_NEAR(moon.latDeg, 5.1709, 0.00005);
    EXPECT_NEAR(moon.distance, 63.0965, 0.00005);
    // Apparent places against PyEphem 4.1.4 (g_ra, g_dec at the same Terrestrial Time). Measured:
    // Sun 0.10 s in right ascension and 0.21" in declination, Moon 0.04 s and 0.07"; the Sun's
    // nutation and aberration together move it by more than 30".
    constexpr double kSecondOfTime = 1.0 / 3600.0;  // hours
    constexpr double kArcsecDeg = 1.0 / 3600.0;
    EXPECT_NEAR(sun.raHours, 18.751845320, 0.15 * kSecondOfTime);
    EXPECT_NEAR(sun.decDeg, -23.03247625, 0.3 * kArcsecDeg);
    EXPECT_NEAR(moon.raHours, 14.829573354, 0.06 * kSecondOfTime);
    EXPECT_NEAR(moon.decDeg, -10.89792954, 0.1 * kArcsecDeg);
}

TEST(EphemerisReport, RefusesBadRequests) {
    std::string text = "left over";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(qv::ephemerisReport(51544.5, qv::DeltaTRule{false, 0.0}, 0, 1.0, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(qv::ephemerisReport(51544.5, qv::DeltaTRule{false, 0.0}, -5, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(51544.5, qv::DeltaTRule{false, 0.0}, qv::kEphemerisMaxInstants + 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(nan, qv::DeltaTRule{false, 0.0}, 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(inf, qv::DeltaTRule{false, 0.0}, 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(51544.5, qv::DeltaTRule{false, nan}, 1, 1.0, text));
    EXPECT_FALSE(qv::ephemerisReport(51544.5, qv::DeltaTRule{false, 0.0}, 2, nan, text));
    EXPECT_TRUE(text.empty());
}

TEST(EphemerisCommand, PrintsTheListingForTheGivenLocalTime) {
    const qv::CliResult run = qv::runInProcess({"ephemeris", "--date", "2000-01-01", "--time", "14:00:00", "--zone",
                                                "2", "--delta-t", "0", "--count", "4", "--every", "0.25"});
    ASSERT_EQ(run.status, qv::kCliExitOk);
    std::string expected;
    ASSERT_TRUE(qv::ephemerisReport(qv::modifiedJulianDate(1, 1, 2000, 12.0), qv::DeltaTRule{false, 0.0}, 4, 0.25, expected));
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(splitLines(run.out).size(), 9u);
}

TEST(EphemerisCommand, DefaultsAndRefusals) {
    // Without --delta-t the year's default TT - UT applies; one instant by default.
    const qv::CliResult run = qv::runInProcess({"ephemeris", "--date", "1950-06-01", "--time", "00:00:00"});
    ASSERT_EQ(run.status, qv::kCliExitOk);
    std::string expected;
    ASSERT_TRUE(qv::ephemerisReport(qv::modifiedJulianDate(1, 6, 1950, 0.0), qv::DeltaTRule{}, 1, 1.0,
                                    expected));
    EXPECT_EQ(run.out, expected);
    const std::vector<std::string> refusals[] = {
        {"ephemeris", "--count", "0"}, {"ephemeris", "--count", "100001"}, {"ephemeris", "--every", "nan"}};
    for (const std::vector<std::string>& words : refusals) {
        const qv::CliResult refusal = qv::runInProcess(words);
        EXPECT_EQ(refusal.status, qv::kCliExitUsage) << words[1] << " " << words[2];
        EXPECT_EQ(refusal.out, "") << words[1] << " " << words[2];
    }
}

// Every instant of the listing lies in the accepted years, whichever way the steps go.
TEST(EphemerisCommand, InstantsBeyondTheAcceptedYearsAreRefused) {
    const struct {
        std::vector<std::string> words;
        const char* err;
    } cases[] = {
        {{"ephemeris", "--date", "9999-12-31", "--time", "12:00:00", "--count", "2"},
         "quorvel-cli: --count/--every: the listing would reach the year 10000; Year must be between -9999 and 9999.\n"},
        {{"ephemeris", "--date", "-9999-01-01", "--every", "-1", "--count", "2"},
         "quorvel-cli: --count/--every: the listing would reach the year -10000; Year must be between -9999 and 9999.\n"},
        {{"ephemeris", "--date", "2000-01-01", "--every", "36525", "--count", "100"},
         "quorvel-cli: --count/--every: the listing would reach the year 11900; Year must be between -9999 and 9999.\n"},
    };
    for (const auto& c : cases) {
        const qv::CliResult run = qv::runInProcess(c.words);
        EXPECT_EQ(run.status, qv::kCliExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err);
    }
    const qv::CliResult lastDay = qv::runInProcess({"ephemeris", "--date", "9999-12-30", "--count", "2"});
    EXPECT_EQ(lastDay.status, qv::kCliExitOk) << lastDay.err;
}

}  // namespace
