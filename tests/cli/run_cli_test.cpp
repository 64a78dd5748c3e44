#include <gtest/gtest.h>

#include "test_environment.h"
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli_args.h"

namespace qv {
namespace {

const std::vector<std::string> kGoldenStartArgs = {
    "start", "--date", "2024-03-20", "--time",    "12:00:00", "--zone",
    "5.5",   "--lat",  "48.2083",    "--lon",     "-16.3731", "--height",
    "171",   "--name", "Vienna",     "--delta-t", "69.2"};

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path sourceDir() { return qv::test::sourceDir(); }

std::string cliProgram() { return qv::test::cliPath(); }

// A file name in the temporary directory of this test process alone.
std::string temporaryFile(const char* name)
{
    return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + name);
}

std::string goldenText(const char* name) { return fileText(sourceDir() / "tests/golden" / name); }

std::string streamText(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text.push_back(static_cast<char>(c));
    return text;
}

// Line by line, so that a failure shows which line changed.
void expectSameLines(const std::string& expected, const std::string& actual)
{
    std::istringstream want(expected), got(actual);
    for (int line = 1;; ++line) {
        std::string a, b;
        const bool more = static_cast<bool>(std::getline(want, a));
        if (!std::getline(got, b) && !more)
            return;
        EXPECT_EQ(a, b) << "line " << line;
    }
}

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run(std::vector<std::string> words)
{
    CliArgs args(std::move(words));
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    CliRun result{runCli(args.argc(), args.argv(), out, err), streamText(out), streamText(err)};
    std::fclose(out);
    std::fclose(err);
    return result;
}

TEST(QuorvelCli, StartPrintsTheGoldenStartPage)
{
    const std::string golden = goldenText("start.txt");
    ASSERT_FALSE(golden.empty());
    const CliRun result = run(kGoldenStartArgs);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    expectSameLines(golden, result.out);
    EXPECT_EQ(result.out, golden);
}

TEST(QuorvelCli, OutWritesTheFileInsteadOfStandardOutput)
{
    const std::string path = temporaryFile("-quorvel-cli-out.txt");
    std::vector<std::string> words = kGoldenStartArgs;
    words.insert(words.end(), {"--out", path});
    const CliRun result = run(words);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(fileText(path), goldenText("start.txt"));
    std::filesystem::remove(path);

    const CliRun unwritable = run({"start", "--out", "/nonexistent-dir/page.txt"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "quorvel-cli: cannot write '/nonexistent-dir/page.txt'\n");
}

TEST(QuorvelCli, BadInputPrintsOneLineOnStandardErrorAndExitsWith2)
{
    const std::vector<std::string> cases[] = {{"start", "--zone", "x"},
                                              {"start", "--lat"},
                                              {"nosuch"},
                                              {"start", "--date", "2024-13-01"}};
    for (const auto& words : cases) {
        const CliRun result = run(words);
        EXPECT_EQ(result.status, 2) << words.back();
        EXPECT_EQ(result.out, "") << words.back();
        EXPECT_EQ(result.err.rfind("quorvel-cli: ", 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
}

TEST(QuorvelCli, HelpListsCommandsAndOptionsAndNoArgumentsIsAUsageError)
{
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const CliCommand& command : cliCommands())
        EXPECT_NE(help.out.find(std::string("  ") + command.name + " "), std::string::npos);
    EXPECT_NE(help.out.find("--panel AZ,EL,EFF,M1,M2"), std::string::npos);
    EXPECT_EQ(run({"-h"}).out, help.out);

    const CliRun none = run({});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, help.out);
}

TEST(QuorvelCli, TheProgramPrintsTheSamePage)
{
    const std::string program = cliProgram();
    ASSERT_TRUE(std::filesystem::exists(program)) << program;
    const std::string path = temporaryFile("-quorvel-cli-program.txt");
    std::string command = program;
    for (const std::string& word : kGoldenStartArgs)
        command += " '" + word + "'";
    ASSERT_EQ(std::system((command + " > " + path).c_str()), 0);
    EXPECT_EQ(fileText(path), goldenText("start.txt"));
    const int status = std::system((program + " start --zone 99 2> " + path).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace qv
