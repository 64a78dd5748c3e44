#include "base/replacing_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qv {
namespace {

namespace fs = std::filesystem;

// A folder of this test process alone, removed afterwards.
class ReplacingFileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    static std::string read(const std::string& file)
    {
        std::ifstream in(file);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int fileCount() const { return static_cast<int>(std::distance(fs::directory_iterator(folder), {})); }

    fs::path folder = fs::temp_directory_path() / ("quorvel-replacing-" + std::to_string(getpid()));
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

// Each kind of destination: what the writer says, and what the folder holds afterwards.
TEST_F(ReplacingFileTest, LinksPipesDevicesReadOnlyFilesAndLongNames)
{
    using fs::perms;
    writeReplacingFile(path("target"), "old");
    fs::create_symlink("target", path("link"));
    fs::create_symlink("missing", path("dangling"));
    writeReplacingFile(path("first"), "old");
    fs::create_hard_link(path("first"), path("second"));
    mkfifo(path("fifo").c_str(), 0600);
    // A reader that is there already and does not wait for the writer.
    const int fifoReader = open(path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    const bool device = mknod(path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    writeReplacingFile(path("kept"), "old");
    fs::permissions(path("kept"), perms::owner_read);
    writeReplacingFile(path("private"), "old");
    fs::permissions(path("private"), perms::owner_read | perms::owner_write);
    fs::create_directory(path("folder"));
    const std::string longName(255, 'n');
    const struct {
        std::string name;
        const char* reason;  // "" when written
    } writes[] = {{"link", ""}, {"dangling", ""}, {"second", ""}, {"fifo", ""}, {"null", ""},
                  {"kept", "Permission denied"}, {"folder", "Is a directory"}, {longName, ""},
                  {"private", ""}, {"fresh", ""}};
    const mode_t mask = umask(0);
    for (const auto& w : writes) {
        if (w.name == "null" && !device)
            continue;  // no device nodes can be made here
        std::string reason;
        EXPECT_EQ(writeReplacingFile(path(w.name), "new", &reason), *w.reason == '\0') << w.name;
        EXPECT_EQ(reason, w.reason) << w.name;
    }
    umask(mask);
    EXPECT_TRUE(fs::is_symlink(path("link")));
    EXPECT_EQ(read(path("target")), "new");
    EXPECT_EQ(read(path("missing")), "new");
    EXPECT_EQ(read(path("second")), "new");
    EXPECT_EQ(read(path("first")), "old");  // a hard link gets a new file
    char piped[8] = {};
    EXPECT_EQ(::read(fifoReader, piped, sizeof piped), 3);
    close(fifoReader);
    EXPECT_STREQ(piped, "new");
    EXPECT_TRUE(fs::is_fifo(path("fifo")));
    EXPECT_TRUE(!device || fs::is_character_file(path("null")));
    EXPECT_EQ(read(path("kept")), "old");
    EXPECT_EQ(read(path(longName)), "new");
    EXPECT_EQ(fs::status(path("private")).permissions(), perms::owner_read | perms::owner_write);
    EXPECT_EQ(fs::status(path("fresh")).permissions() & perms::others_write, perms::none);  // whatever the umask
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_NE(entry.path().filename().string().rfind(".qv", 0), 0u) << "temporary file left";
}

// A write ended by any terminating signal leaves no temporary file behind.
TEST_F(ReplacingFileTest, AnInterruptedWriteLeavesNoTemporaryFile)
{
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGALRM, SIGPIPE}) {
        const pid_t child = fork();
        if (child == 0) {
            const struct rlimit noCore {0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
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

// The superuser replacing another user's file leaves it that user's, with its group.
TEST_F(ReplacingFileTest, AReplacedFileKeepsItsOwner)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs the superuser";
    constexpr uid_t kOtherUser = 65534;
    constexpr gid_t kOtherGroup = 65534;
    const std::string target = path("theirs.txt");
    ASSERT_TRUE(writeReplacingFile(target, "old"));
    ASSERT_EQ(chown(target.c_str(), kOtherUser, kOtherGroup), 0);
    ASSERT_TRUE(writeReplacingFile(target, "new"));
    struct stat status {};
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, kOtherUser);
    EXPECT_EQ(status.st_gid, kOtherGroup);
    EXPECT_EQ(read(target), "new");
}

}  // namespace
}  // namespace qv
