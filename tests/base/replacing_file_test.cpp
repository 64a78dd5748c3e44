#include "base/replacing_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace qv {
namespace {

namespace fs = std::filesystem;

// A folder of this test process alone, removed afterwards.
class ReplacingFileTest : public ::testing::Test {
public:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const char* name) const { return (folder / name).string(); }
    static std::string read(const std::string& file)
    {
        std::ifstream in(file);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int fileCount() const { return static_cast<int>(std::distance(fs::directory_iterator(folder), {})); }

    fs::path folder = fs::temp_directory_path() / ("quorvel-replacing-" + std::to_string(getpid()));
    int fifoReader = -1;
    mode_t previousMask = 0;
};

TEST_F(ReplacingFileTest, CommitReplacesTheFileAndLeavesNothingElse)
{
    const std::string file = path("year.ics");
    ASSERT_TRUE(writeReplacingFile(file, "first"));
    ASSERT_TRUE(writeReplacingFile(file, "second"));
    EXPECT_EQ(read(file), "second");
    EXPECT_EQ(fileCount(), 1);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_read, fs::perms::owner_read);
}

TEST_F(ReplacingFileTest, UnfinishedOrFailedWritesLeaveTheOldFileAndNoPart)
{
    const std::string file = path("year.ics");
    ASSERT_TRUE(writeReplacingFile(file, "old"));
    {
        ReplacingFile unfinished(file);
        ASSERT_NE(unfinished.stream(), nullptr);
        std::fputs("half a calendar", unfinished.stream());
        EXPECT_EQ(fileCount(), 2);  // the temporary file beside it
    }
    EXPECT_EQ(read(file), "old");
    EXPECT_EQ(fileCount(), 1);

    // A folder of that name cannot be replaced by a file.
    fs::create_directory(path("folder.ics"));
    EXPECT_FALSE(writeReplacingFile(path("folder.ics"), "text"));
    EXPECT_FALSE(writeReplacingFile(path("missing/year.ics"), "text"));
    EXPECT_EQ(fileCount(), 2);
}

// What the destination of each kind holds after a write, and what the writer says.
struct OutCase {
    const char* what;
    // Makes the destination in the folder; returns the path to write to, "" to skip the case.
    std::function<std::string(ReplacingFileTest&)> prepare;
    const char* reason;  // "" when the write succeeds
    // Checks the folder afterwards (the new text is "new").
    std::function<void(ReplacingFileTest&)> check;
};

TEST_F(ReplacingFileTest, LinksPipesDevicesReadOnlyFilesAndLongNames)
{
    const std::string longName(255, 'n');
    const OutCase cases[] = {
        {"symbolic link: the target is replaced, the link stays",
         [](ReplacingFileTest& t) {
             writeReplacingFile(t.path("target"), "old");
             fs::create_symlink("target", t.path("link"));
             return t.path("link");
         },
         "",
         [](ReplacingFileTest& t) {
             EXPECT_TRUE(fs::is_symlink(t.path("link")));
             EXPECT_EQ(read(t.path("target")), "new");
         }},
        {"link to a missing file: the file is made",
         [](ReplacingFileTest& t) {
             fs::create_symlink(t.path("missing"), t.path("link"));
             return t.path("link");
         },
         "", [](ReplacingFileTest& t) { EXPECT_EQ(read(t.path("missing")), "new"); }},
        {"hard link: the name gets a new file, the other name keeps the old text",
         [](ReplacingFileTest& t) {
             writeReplacingFile(t.path("first"), "old");
             fs::create_hard_link(t.path("first"), t.path("second"));
             return t.path("second");
         },
         "",
         [](ReplacingFileTest& t) {
             EXPECT_EQ(read(t.path("second")), "new");
             EXPECT_EQ(read(t.path("first")), "old");
         }},
        {"FIFO: written directly, not replaced",
         [](ReplacingFileTest& t) {
             mkfifo(t.path("fifo").c_str(), 0600);
             // A reader that is there already and does not wait for the writer.
             t.fifoReader = open(t.path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
             return t.path("fifo");
         },
         "",
         [](ReplacingFileTest& t) {
             char text[8] = {};
             EXPECT_EQ(::read(t.fifoReader, text, sizeof text), 3);
             close(t.fifoReader);
             EXPECT_STREQ(text, "new");
             EXPECT_TRUE(fs::is_fifo(t.path("fifo")));
         }},
        {"device: written directly, not replaced",
         [](ReplacingFileTest& t) {
             const bool made = mknod(t.path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
             return made ? t.path("null") : std::string();
         },
         "", [](ReplacingFileTest& t) { EXPECT_TRUE(fs::is_character_file(t.path("null"))); }},
        {"file without write permission: refused, unchanged",
         [](ReplacingFileTest& t) {
             writeReplacingFile(t.path("kept"), "old");
             fs::permissions(t.path("kept"), fs::perms::owner_read | fs::perms::group_read);
             return t.path("kept");
         },
         "Permission denied", [](ReplacingFileTest& t) { EXPECT_EQ(read(t.path("kept")), "old"); }},
        {"folder: refused", [](ReplacingFileTest& t) { fs::create_directory(t.path("folder")); return t.path("folder"); },
         "Is a directory", [](ReplacingFileTest&) {}},
        {"name of 255 bytes", [&longName](ReplacingFileTest& t) { return t.path(longName.c_str()); }, "",
         [&longName](ReplacingFileTest& t) { EXPECT_EQ(read(t.path(longName.c_str())), "new"); }},
        {"replaced file keeps its mode",
         [](ReplacingFileTest& t) {
             writeReplacingFile(t.path("private"), "old");
             fs::permissions(t.path("private"), fs::perms::owner_read | fs::perms::owner_write);
             return t.path("private");
         },
         "",
         [](ReplacingFileTest& t) {
             EXPECT_EQ(fs::status(t.path("private")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
         }},
        {"new file is not writable by others, whatever the umask",
         [](ReplacingFileTest& t) {
             t.previousMask = umask(0);
             return t.path("fresh");
         },
         "",
         [](ReplacingFileTest& t) {
             umask(t.previousMask);
             EXPECT_EQ(fs::status(t.path("fresh")).permissions() & fs::perms::others_write, fs::perms::none);
         }},
    };
    for (const OutCase& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string destination = c.prepare(*this);
        if (destination.empty())
            continue;  // no device nodes can be made here
        std::string reason;
        EXPECT_EQ(writeReplacingFile(destination, "new", &reason), std::string(c.reason).empty());
        EXPECT_EQ(reason, c.reason);
        c.check(*this);
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_NE(entry.path().filename().string().rfind(".qv", 0), 0u) << "temporary file left";
    }
}

// A write ended by SIGTERM or SIGINT leaves no temporary file behind.
TEST_F(ReplacingFileTest, AnInterruptedWriteLeavesNoTemporaryFile)
{
    for (int signalNumber : {SIGTERM, SIGINT}) {
        const pid_t child = fork();
        if (child == 0) {
            ReplacingFile file(path("year.ics"));
            std::fputs("half a calendar", file.stream());
            raise(signalNumber);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
        EXPECT_EQ(fileCount(), 0) << signalNumber;
    }
}

}  // namespace
}  // namespace qv
