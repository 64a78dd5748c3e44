#include "config/settings_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/file_size_limit.h"
#include "support/golden_text.h"

namespace qv {
namespace {

constexpr long long kMarch20Noon2024Utc = 1710936000;  // 2024-03-20 12:00:00 UTC
constexpr long long kMarch20Evening2024Utc = 1710964800;  // 2024-03-20 20:00:00 UTC
constexpr const char* kDefaultFile = "0.000000 \n0.000000 \n0.000000 \n0.000000 \nDefault\n0";

std::vector<std::string> pageLines(const PageBuffer& page)
{
    std::vector<std::string> lines;
    for (const PageLine& line : page.lines)
        lines.push_back(line.text);
    return lines;
}

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = std::filesystem::temp_directory_path() / "quorvel-cfg-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/quorvel.cfg";
    }
    void TearDown() override
    {
        chmod(dir_.c_str(), 0700);
        std::filesystem::remove_all(dir_);
    }
    void write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string content() const { return testing::readTextFile(path_); }
    // Reads the file into a record that starts from the defaults.
    ConfigRead read(SettingsRecord& settings, int& flag)
    {
        setDefaultSettings(settings, kMarch20Noon2024Utc);
        return readConfigFile(settings, &flag, path_.c_str());
    }

    std::string dir_;
    std::string path_;
};

TEST_F(ConfigFile, DefaultsAreWrittenExactlyAndReadBack)
{
    SettingsRecord settings;
    setDefaultSettings(settings, kMarch20Noon2024Utc);
    ASSERT_TRUE(writeConfigFile(settings, 0, path_.c_str()));
    EXPECT_EQ(content(), kDefaultFile);
    EXPECT_FALSE(std::filesystem::exists(path_ + ".tmp"));

    SettingsRecord read;
    read.time.zone.offsetHours = 3.0;
    read.observer.name = "Elsewhere";
    int flag = 7;
    EXPECT_EQ(readConfigFile(read, &flag, path_.c_str()), ConfigRead::Read);
    EXPECT_EQ(read.time.zone.offsetHours, 0.0);
    EXPECT_EQ(read.observer.name, "Default");
    EXPECT_EQ(flag, 0);
}

TEST_F(ConfigFile, ValuesRoundTripAndTheFlagIsOneOnlyForOne)
{
    SettingsRecord settings;
    setDefaultSettings(settings, kMarch20Noon2024Utc);
    settings.time.zone.offsetHours = -5.5;
    settings.observer.latitudeDeg = 48.2083;
    settings.observer.longitudeDeg = -16.3731;
    settings.observer.heightM = 171.25;
    storeLocationName(settings, "Vienna");
    ASSERT_TRUE(writeConfigFile(settings, 1, path_.c_str()));
    SettingsRecord read;
    int flag = 0;
    ASSERT_EQ(this->read(read, flag), ConfigRead::Read);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(read.time.zone.offsetHours, -5.5);
    EXPECT_EQ(read.observer.latitudeDeg, 48.2083);
    EXPECT_EQ(read.observer.longitudeDeg, -16.3731);
    EXPECT_EQ(read.observer.heightM, 171.25);
    EXPECT_EQ(read.observer.name, "Vienna" + std::string(24, ' '));  // all 30 read

    write("1 \n2 \n3 \n4 \nName\n2");
    EXPECT_EQ(this->read(read, flag), ConfigRead::Read);
    EXPECT_EQ(flag, 0);
}

TEST_F(ConfigFile, StartPageWithoutFileHasThirteenLines)
{
    SettingsRecord settings;
    PageBuffer page;
    initSettings(settings, page, path_.c_str(), kMarch20Noon2024Utc);
    const std::vector<std::string> expected = {
        "     *** Welcome to Quorvel Version 5.6 ***", "   ", "The present input values are:",
        "   ", "Year: \t2024", "Timezone: 0", "Delta-Time set to automatic", "   ",
        "Geographic Location:", "Default", "Latitude:  \t0", "Longitude: \t0", "Height:    \t0"};
    EXPECT_EQ(pageLines(page), expected);
    EXPECT_EQ(settings.time.currentMjdUT, 60389.5);
    EXPECT_EQ(qv::deltaTSecondsOfYear(settings.time), 73.184);
    int flag = 5;
    EXPECT_EQ(readConfigFile(settings, &flag, path_.c_str()), ConfigRead::Missing);
    EXPECT_EQ(flag, 0);
}

TEST_F(ConfigFile, ZoneFromTheFileGivesTheLocalDateAndTime)
{
    write("5.5 \n0 \n0 \n0 \nDefault\n0");
    SettingsRecord settings;
    PageBuffer page;
    initSettings(settings, page, path_.c_str(), kMarch20Evening2024Utc);
    EXPECT_EQ(pageLines(page)[5], "Timezone: 5.5");
    EXPECT_EQ(settings.time.day, 21);  // 20:00 UTC is 01:30 the next day
    EXPECT_EQ(settings.time.hour, 1);
    EXPECT_EQ(settings.time.minute, 30);
    EXPECT_EQ(settings.time.second, 0);
}

// A named zone: a seventh line after the flag, which earlier versions never read; a name the
// time-zone database does not know leaves the fixed offset of line 1 and says so on the page.
TEST_F(ConfigFile, NamedZoneOnASeventhLineAndUnknownNamesFallBackToTheOffset)
{
    SettingsRecord settings;
    setDefaultSettings(settings, kMarch20Noon2024Utc);
    settings.time.zone.offsetHours = 1.0;
    ASSERT_TRUE(findTimeZone("Europe/Vienna", settings.time.zone));
    ASSERT_TRUE(writeConfigFile(settings, 0, path_.c_str()));
    EXPECT_EQ(content(), "1.000000 \n0.000000 \n0.000000 \n0.000000 \nDefault\n0\nEurope/Vienna");

    for (const char* file : {"1.000000 \n0 \n0 \n0 \nDefault\n0\nEurope/Vienna",
                             "1.000000 \r\n0 \r\n0 \r\n0 \r\nDefault\r\n0\r\nEurope/Vienna\r\n"}) {
        write(file);
        SettingsRecord read;
        PageBuffer page;
        ASSERT_EQ(initSettings(read, page, path_.c_str(), kMarch20Evening2024Utc), ConfigRead::Read);
        EXPECT_TRUE(sameConfigValues(read, settings));
        EXPECT_EQ(pageLines(page)[5], "Timezone: Europe/Vienna");
        EXPECT_EQ(read.time.hour, 21);  // 20:00 UTC in March is 21:00 in Vienna
    }

    write("2.5 \n0 \n0 \n0 \nDefault\n0\nEurope/Atlantis");
    SettingsRecord read;
    PageBuffer page;
    ASSERT_EQ(initSettings(read, page, path_.c_str(), kMarch20Evening2024Utc), ConfigRead::Read);
    EXPECT_EQ(read.time.zone.name, "");
    EXPECT_EQ(read.time.zone.offsetHours, 2.5);
    const std::vector<std::string> lines = pageLines(page);
    EXPECT_EQ(lines[2], path_ + ": unknown time zone \"Europe/Atlantis\": the fixed offset is used");
    EXPECT_EQ(lines[6], "Timezone: 2.5");
}

// Incomplete, unreadable or out-of-range files: the message on the start page, defaults kept.
TEST_F(ConfigFile, BadFilesKeepTheDefaults)
{
    const std::string rest = "0 \n0 \n0 \nName\n0";
    const std::string cases[] = {"5.5 \n10 \n20 \n30 \n",       "5.5 \n10 \n20 \n30 \nName",
                                 "5.5 \n10 \n20 \n30",          "5.5 \n10 \n   ",
                                 "25 \n10 \n20 \n30 \nName\n0", "5 \n91 \n20 \n30 \nName\n0",
                                 "5 \n10 \n400 \n30 \nName\n0", "5 \n10 \n20 \n2e9 \nName\n0",
                                 "",
                                 // Lines that are no number, and a line longer than the reader
                                 // takes, whose rest would shift every later value.
                                 "5,5\n" + rest, "\n" + rest, "nan\n" + rest, "inf\n" + rest,
                                 "1e999\n" + rest, "abc\n" + rest, "\xEF\xBB\xBF" "0 \n" + rest,
                                 "5 \n" + std::string(78, ' ') + "48 \n16 \n0 \n0 \nName\n0"};
    for (const std::string& text : cases) {
        write(text);
        SettingsRecord settings;
        PageBuffer page;
        initSettings(settings, page, path_.c_str(), kMarch20Noon2024Utc);
        const std::vector<std::string> lines = pageLines(page);
        ASSERT_EQ(lines.size(), 16u) << text;
        EXPECT_EQ(lines[2], kConfigProblemLine) << text;
        EXPECT_EQ(lines[3].rfind(path_ + ": ", 0), 0u) << lines[3];
        EXPECT_EQ(lines[8], "Timezone: 0") << text;
        EXPECT_EQ(settings.observer.name, "Default") << text;
        EXPECT_EQ(settings.observer.latitudeDeg, 0.0) << text;
        EXPECT_EQ(content(), text) << "the bad file stays as it is";
    }
}

TEST_F(ConfigFile, NumberLinesFollowTheLineRules)
{
    const struct {
        const char* text;
        double zone;
    } cases[] = {{"  -4.5  \n", -4.5}, {"3 junk\n", 3.0}, {"+1e1\n", 10.0}};
    for (const auto& c : cases) {
        write(std::string(c.text) + "0 \n0 \n0 \nName\n0");
        SettingsRecord settings;
        int flag = 0;
        EXPECT_EQ(read(settings, flag), ConfigRead::Read) << c.text;
        EXPECT_EQ(settings.time.zone.offsetHours, c.zone) << c.text;
    }
}

TEST(ReadNumbersFromLine, CountsTokensAndRefusesBlankOrMissingLines)
{
    const struct {
        const char* text;
        std::size_t count;
        bool result;
        double first;
        double second;
    } cases[] = {{"1 2\n", 2, true, 1.0, 2.0},   {"  1   2", 2, true, 1.0, 2.0}, {"1\n", 2, false, 1.0, -1},
                 {"1 \n", 2, false, 1.0, -1},      {"   ", 1, false, -1, -1},      {"", 1, false, -1, -1},
                 {"1 x\n", 2, false, 1.0, -1},     {"\n", 1, false, -1, -1},
                 {"x\n", 0, true, -1, -1}};
    for (const auto& c : cases) {
        std::string text = c.text;
        std::FILE* file = text.empty() ? std::tmpfile() : fmemopen(text.data(), text.size(), "r");
        ASSERT_NE(file, nullptr);
        double values[2] = {-1, -1};
        EXPECT_EQ(readNumbersFromLine(file, std::span(values, c.count)), c.result) << c.text;
        EXPECT_EQ(values[0], c.first) << c.text;
        EXPECT_EQ(values[1], c.second) << c.text;
        std::fclose(file);
    }
    std::string blanks(100, ' ');  // only the first 79 are one line
    std::FILE* file = fmemopen(blanks.data(), blanks.size(), "r");
    double value = 0.0;
    EXPECT_FALSE(readNumbersFromLine(file, std::span(&value, 1)));
    std::fclose(file);
}

TEST_F(ConfigFile, NamesKeepThirtyBytesOnWholeCharactersAndOnlyValidUtf8)
{
    const std::string forty = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";
    const std::string euro = "\xE2\x82\xAC";
    const std::string replacement = "\xEF\xBF\xBD";
    const struct {
        std::string name;
        std::string read;
        int flag;  // 0 when the rest of the name line is met by the flag read
    } cases[] = {{forty, forty.substr(0, 30), 0},
                 {forty.substr(0, 30), forty.substr(0, 30), 1},
                 {std::string(28, 'a') + "\xC3\xA9z", std::string(28, 'a') + "\xC3\xA9", 0},
                 {std::string(29, 'a') + "\xC3\xA9", std::string(29, 'a'), 0},
                 {std::string(27, 'a') + euro, std::string(27, 'a') + euro, 1},
                 {std::string(28, 'a') + euro, std::string(28, 'a'), 0},
                 {"Z\xFCrich", "Z" + replacement + "rich", 1},
                 {"\xC0\xAF" + euro.substr(0, 2) + "x", replacement + replacement + replacement + replacement + "x", 1},
                 {std::string(28, 'a') + "\xFF\xFE", std::string(28, 'a'), 1}};
    for (const auto& c : cases) {
        write("1 \n2 \n3 \n4 \n" + c.name + "\n1");
        SettingsRecord settings;
        int flag = 1;
        EXPECT_EQ(read(settings, flag), ConfigRead::Read);
        EXPECT_EQ(settings.observer.name, c.read);
        EXPECT_EQ(flag, c.flag);
        EXPECT_EQ(settings.observer.heightM, 4.0);
    }
}

TEST(StoreLocationName, CutsAndPadsToThirtyBytesOnWholeCharacters)
{
    const struct {
        std::string name;
        std::string stored;
    } cases[] = {{"Basel", "Basel" + std::string(25, ' ')},
                 {std::string(40, 'x'), std::string(30, 'x')},
                 {std::string(29, 'a') + "\xC3\xA9", std::string(29, 'a') + " "},
                 {std::string(28, 'a') + "\xE2\x82\xAC", std::string(28, 'a') + "  "},
                 {"Z\xC3\xBCrich", "Z\xC3\xBCrich" + std::string(23, ' ')},
                 {"Two\nlines\t", "Two lines " + std::string(20, ' ')},
                 {"Z\xFCrich", "Z\xEF\xBF\xBDrich" + std::string(22, ' ')}};
    for (const auto& c : cases) {
        SettingsRecord settings;
        storeLocationName(settings, c.name.c_str());
        EXPECT_EQ(settings.observer.name, c.stored);
    }
    SettingsRecord settings;
    storeLocationName(settings, "");
    EXPECT_EQ(settings.observer.name, "Default");
}

TEST_F(ConfigFile, FailedWritesKeepTheOldFile)
{
    write(kDefaultFile);
    SettingsRecord settings;
    setDefaultSettings(settings, kMarch20Noon2024Utc);
    settings.time.zone.offsetHours = 2.0;

    {
        testing::FileSizeLimit limit(10);  // the new file cannot be written whole
        std::string reason;
        EXPECT_FALSE(writeConfigFile(settings, 0, path_.c_str(), &reason));
        EXPECT_EQ(reason, std::strerror(EFBIG));
    }
    EXPECT_EQ(content(), kDefaultFile);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1) << "temporary file left";

    const std::string directory = dir_ + "/sub";  // the file's place is taken by a directory
    std::filesystem::create_directory(directory);
    EXPECT_FALSE(writeConfigFile(settings, 0, directory.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2) << "temporary file left";

    if (geteuid() != 0) {  // root writes into read-only directories all the same
        chmod(dir_.c_str(), 0500);
        EXPECT_FALSE(writeConfigFile(settings, 0, path_.c_str()));
        chmod(dir_.c_str(), 0700);
        EXPECT_EQ(content(), kDefaultFile);
    }
    EXPECT_TRUE(writeConfigFile(settings, 0, path_.c_str()));
    EXPECT_EQ(content().substr(0, 10), "2.000000 \n");

    chmod(path_.c_str(), 0444);  // made read-only by the user: kept, and the reason told
    std::string reason;
    EXPECT_FALSE(writeConfigFile(SettingsRecord{}, 0, path_.c_str(), &reason));
    EXPECT_EQ(reason, std::strerror(EACCES));
    EXPECT_EQ(content().substr(0, 10), "2.000000 \n");
    chmod(path_.c_str(), 0644);
}

// Only a regular file is read (a FIFO would keep the window from appearing), the start page
// says which file and why; a link is written through; CR LF line ends are read as LF.
TEST_F(ConfigFile, OnlyARegularFileIsReadALinkIsWrittenThroughAndCrLfIsRead)
{
    const std::string fifo = dir_ + "/fifo.cfg";
    mkfifo(fifo.c_str(), 0600);
    const int keeper = open(fifo.c_str(), O_RDWR | O_NONBLOCK);  // a reader would find this text
    const std::string piped = "1 \n2 \n3 \n4 \nPipe\n0\n";
    ASSERT_EQ(::write(keeper, piped.data(), piped.size()), static_cast<ssize_t>(piped.size()));
    const std::string nullLink = dir_ + "/null.cfg";
    std::filesystem::create_symlink("/dev/null", nullLink);
    for (const std::string& path : {fifo, nullLink}) {
        SettingsRecord settings;
        PageBuffer page;
        EXPECT_EQ(initSettings(settings, page, path.c_str(), kMarch20Noon2024Utc), ConfigRead::Unreadable) << path;
        EXPECT_EQ(pageLines(page)[3], path + ": not a regular file");
        EXPECT_EQ(settings.observer.heightM, 0.0);
    }
    close(keeper);

    write("5.5\r\n48\r\n16\r\n0\r\nVienna\r\n0\r\n");
    const std::string link = dir_ + "/link.cfg";
    std::filesystem::create_symlink("quorvel.cfg", link);
    SettingsRecord settings;
    int flag = 0;
    setDefaultSettings(settings, kMarch20Noon2024Utc);
    EXPECT_EQ(readConfigFile(settings, &flag, link.c_str()), ConfigRead::Read);
    EXPECT_EQ(settings.observer.name, "Vienna");
    EXPECT_EQ(settings.observer.latitudeDeg, 48.0);
    EXPECT_TRUE(writeConfigFile(settings, 0, link.c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(content(), "5.500000 \n48.000000 \n16.000000 \n0.000000 \nVienna\n0");
}

TEST(SettingsClock, AutomaticDeltaTFollowsTheYear)
{
    SettingsRecord settings;
    setDefaultSettings(settings, kMarch20Noon2024Utc);
    EXPECT_EQ(qv::deltaTSecondsOfYear(settings.time), 73.184);
    setDateTimeFromUnixSeconds(settings, 0);  // 1970
    EXPECT_EQ(settings.time.year, 1970);
    EXPECT_EQ(qv::deltaTSecondsOfYear(settings.time), 40.184);
    settings.time.deltaTManualSeconds = 12.5;
    settings.time.deltaTFollowsYear = false;
    setDateTimeFromUnixSeconds(settings, kMarch20Noon2024Utc);
    EXPECT_EQ(settings.time.year, 2024);
    EXPECT_EQ(qv::deltaTSecondsOfYear(settings.time), 12.5);
}

// Every whole second of a day, in whole and half-hour zones, splits into exactly that second.
TEST(SettingsClock, WholeSecondsAreNeverTruncatedToTheSecondBefore)
{
    for (double zone : {0.0, 1.0, 5.5, -3.5}) {
        SettingsRecord settings;
        settings.time.zone.offsetHours = zone;
        for (long long t = kMarch20Noon2024Utc; t < kMarch20Noon2024Utc + 86400; ++t) {
            setDateTimeFromUnixSeconds(settings, t);
            const long long local = t + static_cast<long long>(zone * 3600.0);
            const long long secondOfDay = ((local % 86400) + 86400) % 86400;
            ASSERT_EQ(settings.time.hour * 3600 + settings.time.minute * 60 + settings.time.second, secondOfDay)
                << "zone " << zone << " t " << t;
        }
        setDateTimeFromUnixSeconds(settings, 1704067200 - static_cast<long long>(zone * 3600.0));
        EXPECT_EQ(settings.time.year * 10000 + settings.time.month * 100 + settings.time.day, 20240101);
    }
}

}  // namespace
}  // namespace qv
