#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli_args.h"
#include "support/file_size_limit.h"
#include "support/golden_text.h"
#include "support/temp_file.h"

namespace qv {
namespace {

using testing::matchesGolden;

const std::vector<std::string> kGoldenStartArgs = {
    "start", "--date", "2024-03-20", "--time",    "12:00:00", "--zone",
    "5.5",   "--lat",  "48.2083",    "--lon",     "-16.3731", "--height",
    "171",   "--name", "Vienna",     "--delta-t", "69.2"};

TEST(QuorvelCli, StartPrintsTheGoldenStartPage)
{
    const CliResult result = runInProcess(kGoldenStartArgs);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(matchesGolden("start.txt", result.out));
}

TEST(QuorvelCli, SkyTotalsAndPanelPrintTheGoldenTexts)
{
    const std::vector<std::string> munich = {"--lat", "48", "--lon", "11", "--delta-t", "64.184", "--name", "Munich"};
    const struct {
        std::vector<std::string> words;
        const char* golden;
    } cases[] = {
        {{"sky", "--date", "2000-06-21", "--time", "12:00:00"}, "sky_2000-06-21_munich.txt"},
        {{"totals", "--year", "2000", "--cutoff", "100"}, "totals_2000_munich.txt"},
        {{"panel", "--year", "2000", "--panel", "180,45,15,1,12"}, "panel_2000_munich.txt"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = c.words;
        words.insert(words.end(), munich.begin(), munich.end());
        const CliResult result = runInProcess(words);
        EXPECT_EQ(result.status, 0) << c.golden;
        EXPECT_TRUE(matchesGolden(c.golden, result.out));
    }
    // The cutoff is taken to two decimals, as the window's input takes it.
    const CliResult cutoff = runInProcess({"totals", "--year", "2000", "--cutoff", "12.345", "--lat", "48"});
    EXPECT_NE(cutoff.out.find("Sun higher than  12.3 deg"), std::string::npos) << cutoff.out;
}

TEST(QuorvelCli, OutWritesTheFileInsteadOfStandardOutput)
{
    // A file name in the temporary directory of this test process alone.
    const std::string path =
        std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-quorvel-cli-out.txt");
    std::vector<std::string> words = kGoldenStartArgs;
    words.insert(words.end(), {"--out", path});
    const CliResult result = runInProcess(words);
    const std::string written = testing::readTextFile(path);
    std::filesystem::remove(path);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(matchesGolden("start.txt", written));

    const CliResult unwritable = runInProcess({"start", "--out", "/nonexistent-dir/page.txt"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "quorvel-cli: cannot write '/nonexistent-dir/page.txt': No such file or directory\n");
}

TEST(QuorvelCli, BadInputPrintsOneLineOnStandardErrorAndExitsWith2)
{
    const std::vector<std::string> cases[] = {{"start", "--zone", "x"},
                                              {"start", "--lat"},
                                              {"nosuch"},
                                              {"start", "--date", "2024-13-01"}};
    for (const auto& words : cases) {
        const CliResult result = runInProcess(words);
        EXPECT_EQ(result.status, 2) << words.back();
        EXPECT_EQ(result.out, "") << words.back();
        EXPECT_EQ(result.err.rfind("quorvel-cli: ", 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
}

// Every refusal and failed write is one line on standard error; a failed write names the file
// and the system's reason and exits with 1.
TEST(QuorvelCli, MessagesAreOneLineWithTheFileAndTheReason)
{
    testing::TempFile readOnly("kept.txt");
    { std::ofstream(readOnly.path) << "kept"; }
    std::filesystem::permissions(readOnly.path, std::filesystem::perms::owner_read);
    testing::TempFile calendar("year.ics");
    const struct {
        std::vector<std::string> words;
        int status;
        std::string err;
        rlim_t fileSizeLimit = RLIM_INFINITY;
    } cases[] = {
        {{"start", "--year", "2024\n"}, 2, "quorvel-cli: --year: '2024\\n' is not a whole number\n"},
        {{"start", "--lat", "\x1b[2J\t"}, 2, "quorvel-cli: --lat: '\\x1B[2J\\t' is not a number\n"},
        {{"sky", "--lat", "48", "--out", "--dms"}, 2,
         "quorvel-cli: --out needs a value, not the option --dms: --out FILE\n"},
        {{"start", "--out", readOnly.path}, 1, "quorvel-cli: cannot write '" + readOnly.path + "': Permission denied\n"},
        {{"ics", "--year", "2024", "--out", calendar.path}, 1,
         "quorvel-cli: cannot write '" + calendar.path + "': File too large\n", 1000},
    };
    for (const auto& c : cases) {
        std::optional<testing::FileSizeLimit> limit;
        if (c.fileSizeLimit != RLIM_INFINITY)
            limit.emplace(c.fileSizeLimit);
        const CliResult result = runInProcess(c.words);
        EXPECT_EQ(result.status, c.status) << c.err;
        EXPECT_EQ(result.err, c.err);
    }
    EXPECT_EQ(testing::readTextFile(readOnly.path), "kept");
    EXPECT_FALSE(std::filesystem::exists(calendar.path));

    CliArgs args({"save", "--year", "2024"});
    std::FILE* full = std::fopen("/dev/full", "w");
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(runCli(args.argc(), args.argv(), full, err), 1);
    EXPECT_EQ(streamText(err), "quorvel-cli: cannot write 'standard output': No space left on device\n");
    std::fclose(full);
    std::fclose(err);
}

// Values print as given: packed DD.MMSS exactly, and no zero with a sign.
TEST(QuorvelCli, AnglesPrintExactlyAndZeroHasNoSign)
{
    const struct {
        std::vector<std::string> words;
        const char* line;
    } cases[] = {
        {{"start", "--dms", "--lat", "-0", "--lon", "111.5959", "--zone", "-0"}, "\nLatitude:  \t0\nLongitude: \t111.5959\n"},
        {{"start", "--zone", "-0"}, "\nTimezone: 0\n"},
        {{"sky", "--dms", "--lat", "-48.3", "--lon", "123.2724", "--date", "2024-01-01", "--time", "00:00:00"},
         "\nLat: -48.3   Long: 123.2724   height: 0 m\n"},
        {{"totals", "--dms", "--lon", "-0.0001", "--year", "2001"}, "\nLat: 0   Long: -0.0001   height: 0 m\n"},
        {{"panel", "--year", "2001", "--panel", "180,45,-0,1,12"}, " 0 kWh"},
    };
    for (const auto& c : cases) {
        const CliResult result = runInProcess(c.words);
        EXPECT_NE(result.out.find(c.line), std::string::npos) << c.line << "\n" << result.out;
    }
}

TEST(QuorvelCli, HelpListsCommandsAndOptionsAndNoArgumentsIsAUsageError)
{
    const CliResult help = runInProcess({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const CliCommand& command : cliCommands())
        EXPECT_NE(help.out.find(std::string("  ") + command.name + " "), std::string::npos);
    EXPECT_NE(help.out.find("--panel AZ,EL,EFF,M1,M2"), std::string::npos);
    EXPECT_EQ(runInProcess({"-h"}).out, help.out);

    const CliResult none = runInProcess({});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, help.out);
}

// The text without its DTSTAMP lines, the only ones that follow the clock.
std::string withoutStamps(const std::string& calendar)
{
    std::string kept;
    std::istringstream lines(calendar);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("DTSTAMP:", 0) != 0)
            kept += line + "\n";
    return kept;
}

TEST(QuorvelCli, IcsWritesTheSameCalendarToAFileAndRefusesAYearItCannotHold)
{
    const std::string path =
        std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-quorvel-year.ics");
    const std::vector<std::string> words = {"ics", "--year", "2024", "--zone", "1", "--lat", "52.52"};
    const CliResult printed = runInProcess(words);
    std::vector<std::string> toFile = words;
    toFile.insert(toFile.end(), {"--out", path});
    const CliResult written = runInProcess(toFile);
    const std::string file = testing::readTextFile(path);
    std::filesystem::remove(path);
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(printed.out.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_EQ(withoutStamps(file), withoutStamps(printed.out));

    // A refused command leaves no file behind.
    const CliResult refused = runInProcess({"ics", "--year", "1", "--out", path});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "quorvel-cli: Calendar export covers the years 2 to 9998.\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The program itself hands the page and the exit status through.
TEST(QuorvelCli, TheProgramPrintsTheSamePage)
{
    std::string arguments;
    for (const std::string& word : kGoldenStartArgs)
        arguments += " '" + word + "'";
    int status = -1;
    EXPECT_TRUE(matchesGolden("start.txt", testing::runCli(arguments, status)));
    EXPECT_EQ(status, 0);
    testing::runCli("start --zone 99 2>/dev/null", status);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace qv
