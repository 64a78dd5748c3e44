#include "base/page_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

// However many lines a page gets and however long they are, each is kept whole with its pitch.
TEST(PageBuffer, KeepsEveryLineWholeWithItsPitch)
{
    PageBuffer page;
    for (int i = 0; i < 115; ++i)
        appendLine(page, std::to_string(i));
    const std::string longPlain(200, 'x');
    const std::string longRow(90, 'y');
    appendLine(page, longPlain);
    appendFixedPitchLine(page, longRow);
    appendFixedPitchLine(page, "short");
    ASSERT_EQ(page.lines.size(), 118u);
    EXPECT_EQ(page.lines[110].text, "110");
    EXPECT_EQ(page.lines[114].text, "114");
    EXPECT_FALSE(page.lines[114].fixedPitch);
    EXPECT_EQ(page.lines[115].text, longPlain);
    EXPECT_FALSE(page.lines[115].fixedPitch);
    EXPECT_EQ(page.lines[116].text, longRow);
    EXPECT_TRUE(page.lines[116].fixedPitch);
    EXPECT_EQ(page.lines[117].text, "short");
    EXPECT_TRUE(page.lines[117].fixedPitch);
}

TEST(PageBuffer, BlankLinesAreThreeBlanksAndNonPositiveCountsDoNothing)
{
    PageBuffer page;
    appendBlankLines(page, 0);
    appendBlankLines(page, -3);
    EXPECT_TRUE(page.lines.empty());
    appendBlankLines(page, 2);
    ASSERT_EQ(page.lines.size(), 2u);
    EXPECT_EQ(page.lines[1].text, "   ");
}

}  // namespace
}  // namespace qv
