// The save file: whole files of a year with a Chinese leap month and of a Julian-calendar year
// against golden files, saving twice, and failed saves that leave the earlier file as it was.
#include "reports/save_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/julian.h"
#include "support/file_size_limit.h"
#include "support/golden_text.h"
#include "support/temp_file.h"
#include "support/year_settings.h"

namespace qv {
namespace {

using testing::FileSizeLimit;
using testing::matchesGolden;
using testing::readTextFile;
using testing::TempFile;
using test::settingsFor;

// 2023 has a leap second month in the Chinese calendar; 1500 is a Julian-calendar year.
// Each is saved twice over the same name: the file holds the year once.
TEST(SaveFile, WholeFilesMatchTheGoldenFiles)
{
    const struct {
        int year;
        double zone;
        const char* golden;
        const char* cli;
    } cases[] = {
        {2023, 8.0, "save_2023_zone8.txt", "save --year 2023 --zone 8"},
        {1500, 0.0, "save_1500.txt", "save --year 1500 --zone 0"},
    };
    for (const auto& c : cases) {
        TempFile save;
        SettingsRecord settings = settingsFor(c.year, c.zone);
        PageBuffer page;
        std::string error;
        for (int run = 0; run < 2; ++run)
            EXPECT_TRUE(saveYearFile(settings, page, save.path, error)) << error;
        EXPECT_TRUE(matchesGolden(c.golden, readTextFile(save.path)));
        int status = -1;
        EXPECT_TRUE(matchesGolden(c.golden, testing::runCli(c.cli, status)));
        EXPECT_EQ(status, 0);
    }
}

TEST(SaveFile, FailedSaveLeavesTheEarlierFileAndSaysWhy)
{
    TempFile save;
    std::ofstream(save.path) << "earlier save\n";
    SettingsRecord settings = settingsFor(2024, 0.0);
    PageBuffer page;
    std::string error;
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(saveYearFile(settings, page, save.path, error));
    }
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readTextFile(save.path), "earlier save\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(save.dir), {}), 1) << "temporary file left";

    EXPECT_FALSE(saveYearFile(settings, page, save.dir + "/no/such/folder.txt", error));
    EXPECT_EQ(error, "No such file or directory");

    int status = -1;
    testing::runCli("save --year 2024 --out " + save.dir + "/no/such/folder.txt 2>/dev/null", status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
}  // namespace qv
