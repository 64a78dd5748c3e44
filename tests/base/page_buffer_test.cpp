#include "base/page_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

std::string lineText(const PageBuffer& page, int i)
{
    return std::string(page.lines[i], lineTextLength(page, i));
}

TEST(PageBuffer, KeepsTheFirst110LinesAndDropsTheRest)
{
    PageBuffer page;
    for (int i = 0; i < 115; ++i)
        appendLine(page, std::to_string(i).c_str());
    EXPECT_EQ(page.lineCount, 110);
    EXPECT_EQ(lineText(page, 109), "109");
}

TEST(PageBuffer, CutsAPlainLineAt77Characters)
{
    PageBuffer page;
    const std::string ninety(90, 'x');
    appendLine(page, ninety.c_str());
    EXPECT_EQ(lineText(page, 0), std::string(77, 'x'));
    EXPECT_FALSE(isMarkedLine(page, 0));
}

TEST(PageBuffer, MarkerIsNotPartOfTheText)
{
    PageBuffer page;
    const std::string full(76, 'y');
    appendMarkedLine(page, full.c_str());
    appendMarkedLine(page, "short");
    EXPECT_TRUE(isMarkedLine(page, 0));
    EXPECT_EQ(page.lines[0][76], '~');
    EXPECT_EQ(lineText(page, 0), full);
    EXPECT_EQ(lineText(page, 1), "short");
}

TEST(PageBuffer, BlankLinesAreThreeBlanksAndNonPositiveCountsDoNothing)
{
    PageBuffer page;
    appendBlankLines(page, 0);
    appendBlankLines(page, -3);
    EXPECT_EQ(page.lineCount, 0);
    appendBlankLines(page, 2);
    EXPECT_EQ(page.lineCount, 2);
    EXPECT_EQ(lineText(page, 1), "   ");
}

}  // namespace
}  // namespace qv
