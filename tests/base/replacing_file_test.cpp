#include "base/replacing_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

}  // namespace
}  // namespace qv
