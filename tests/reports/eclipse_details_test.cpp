// The eclipse list page and the eclipse details text: whole texts against golden files made by
// the batch companion, and the rules the goldens do not show on their own.
#include "reports/eclipse_details.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/julian.h"
#include "cli/cli_args.h"
#include "eclipse/central_line.h"
#include "reports/year_tables.h"
#include "support/golden_text.h"
#include "support/year_settings.h"

namespace {

int occurrences(const std::string& text, const std::string& piece)
{
    int count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

struct GoldenRun {
    const char* golden;
    std::vector<std::string> words;
};

// Each golden text was checked by hand once (see tests/golden/README.md for what each shows).
TEST(EclipseDetailsText, GoldenTexts)
{
    const GoldenRun runs[] = {
        {"eclipses_2024.txt", {"eclipses", "--year", "2024"}},
        {"eclipse_2024_2_dallas.txt",
         {"eclipse", "--year", "2024", "--eclipse", "2", "--zone", "-5", "--delta-t", "69.2", "--lat", "32.78",
          "--lon", "-96.80", "--height", "140", "--name", "Dallas"}},
        {"eclipse_2023_1_exmouth.txt",
         {"eclipse", "--year", "2023", "--eclipse", "1", "--zone", "8", "--lat", "-21.93", "--lon", "114.13",
          "--height", "10", "--name", "Exmouth", "--step", "4"}},
        {"eclipse_2025_1_kansas_city.txt",
         {"eclipse", "--year", "2025", "--eclipse", "1", "--zone", "-5", "--lat", "39.1", "--lon", "-94.58",
          "--height", "270", "--name", "Kansas City"}},
        {"eclipse_2017_4_nashville_dms.txt",
         {"eclipse", "--year", "2017", "--eclipse", "4", "--zone", "-5", "--dms", "--lat", "36.0936", "--lon",
          "-86.4648", "--height", "180", "--name", "Nashville"}},
        {"eclipse_2021_2_kotzebue.txt",
         {"eclipse", "--year", "2021", "--eclipse", "2", "--zone", "-8", "--lat", "66", "--lon", "-160", "--name",
          "Kotzebue Sound"}},
    };
    for (const GoldenRun& run : runs) {
        const qv::CliResult result = qv::runInProcess(run.words);
        EXPECT_EQ(result.status, qv::kCliExitOk) << run.golden;
        EXPECT_EQ(result.err, "") << run.golden;
        EXPECT_TRUE(qv::testing::matchesGolden(run.golden, result.out));
    }
}

TEST(EclipseDetailsText, EclipseNumberBeyondTheYearIsRefused)
{
    const std::vector<std::string> cases[] = {{"eclipse", "--year", "2025", "--eclipse", "5"},
                                              {"eclipse", "--year", "2025"}};
    for (const auto& words : cases) {
        const qv::CliResult result = qv::runInProcess(words);
        EXPECT_EQ(result.status, qv::kCliExitUsage);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("quorvel-cli: ", 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
    qv::SettingsRecord settings = qv::test::yearSettings(2025, 0.0, 69.0, 0.0, 0.0);
    const std::vector<qv::EclipseEvent> eclipses = qv::eclipsesOfYear(settings);
    EXPECT_EQ(qv::selectedEclipse(static_cast<int>(eclipses.size()) + 1, eclipses), nullptr);
    EXPECT_EQ(qv::selectedEclipse(0, eclipses), nullptr);
    EXPECT_EQ(qv::selectedEclipse(1, eclipses), &eclipses[0]);
}

TEST(EclipseListPage, EmptyTableHasOnlyTitleAndHint)
{
    qv::PageBuffer page;
    EXPECT_TRUE(qv::buildEclipseListPage(2031, qv::TimeZone{}, {}, page).empty());
    ASSERT_EQ(page.lines.size(), 10u);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        EXPECT_FALSE(page.lines[i].fixedPitch);
        const std::string& text = page.lines[i].text;
        EXPECT_EQ(text[1], ' ') << "line " << i << " would count as a numbered line";
        if (text != "   ")
            texts.push_back(text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"         Eclipses for 2031 ",
                                               "     Click at respective line or key number to get eclipse details."}));
}

TEST(EclipseListPage, NumberedLinesAreMarkedAndNumberedFromOne)
{
    const std::vector<qv::EclipseEvent> eclipses =
        qv::eclipsesOfYear(qv::test::yearSettings(2024, 0.0, 69.2, 0.0, 0.0));
    qv::PageBuffer page;
    const std::vector<int> lines = qv::buildEclipseListPage(2024, qv::TimeZone{}, eclipses, page);
    std::vector<int> numberedLines;
    for (int i = 0; i < static_cast<int>(page.lines.size()); ++i) {
        if (page.lines[i].text[1] == ' ')
            continue;
        numberedLines.push_back(i);
        EXPECT_TRUE(page.lines[i].fixedPitch);
        EXPECT_EQ(std::atoi(page.lines[i].text.substr(0, 2).c_str()), static_cast<int>(numberedLines.size()));
    }
    EXPECT_EQ(numberedLines.size(), eclipses.size());
    EXPECT_EQ(lines, numberedLines);
}

TEST(EclipseIndexAt, LastLineAboveTheClick)
{
    const int lineTops[13] = {0, 100, 140, 180, 220};
    struct Case {
        int numberedLineCount;
        int y;
        int index;
    };
    const Case cases[] = {
        {4, 50, -1},   // above the first line
        {4, 100, -1},  // on the top pixel row of the first line: not below it yet
        {4, 101, 0},   {4, 150, 1}, {4, 221, 3}, {4, 5000, 3},
        {2, 5000, 1},  // only the recorded lines count
        {0, 5000, -1}, {-3, 5000, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qv::eclipseIndexAt(lineTops, c.numberedLineCount, c.y), c.index)
            << c.numberedLineCount << " lines, y " << c.y;
    // A count beyond the table reads no further than its 12 recorded lines.
    int full[13];
    for (int i = 0; i < 13; ++i)
        full[i] = 40 * i;
    EXPECT_EQ(qv::eclipseIndexAt(full, 40, 100000), 11);
}

// The central line of 2024-04-08 runs 16:39-19:55 UT: at 5.5 hours east of Greenwich it
// crosses local midnight, so the table gets a second date line.
TEST(EclipseDetailsText, CentralLineTableGetsADateLineForEachDay)
{
    const qv::SettingsRecord settings = qv::test::yearSettings(2024, 5.5, 69.2, 0.0, 0.0);
    const std::string text = qv::eclipseDetailsText(settings, qv::eclipsesOfYear(settings).at(1));
    EXPECT_EQ(occurrences(text, "\nAPR  8\n"), 1);
    EXPECT_EQ(occurrences(text, "\nAPR  9\n"), 1);
    EXPECT_LT(text.find("\nAPR  8\n"), text.find("\nAPR  9\n  00:00\t"));
    EXPECT_EQ(occurrences(text, "hh:mm\t Lat."), 1);
}

// The central line of the Dallas details (golden text above) at their 30-minute step: the
// last row at 14:30 and the Sun highest at 13:30 local time.
TEST(CentralLine, TableRowsOfTheDetails)
{
    const qv::SettingsRecord settings = qv::test::yearSettings(2024, -5.0, 69.2, 32.78, -96.80);
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    const qv::EclipseCircumstances circumstances = qv::eclipseCircumstances(eclipse, settings.observer);
    const std::vector<qv::CentralLinePoint> line =
        qv::centralLine(eclipse.greatest.at(qv::centralTableStartUT(circumstances, 30, settings.time.zone)),
                        qv::centralTableEndUT(circumstances), 30.0 / 1440.0);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back().kind, qv::EclipseKind::TotalSolar);
    EXPECT_NEAR(line.back().latitudeDeg, 45.36, 0.005);
    EXPECT_NEAR(line.back().longitudeDeg, -71.41, 0.005);
    const auto highest = std::max_element(line.begin(), line.end(), [](const auto& a, const auto& b) {
        return a.sunElevationDeg < b.sunElevationDeg;
    });
    EXPECT_NEAR(highest->latitudeDeg, 28.88, 0.005);
    EXPECT_NEAR(highest->longitudeDeg, -100.55, 0.005);
}

// A map step of 0 minutes would never advance the central-line table: it is taken as 1.
TEST(EclipseDetailsText, ZeroMapStepActsAsOneMinute)
{
    qv::SettingsRecord settings = qv::test::yearSettings(2017, 0.0, 69.0, 36.16, -86.78);
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(3);
    settings.display.mapStepMinutes = 1;
    const std::string oneMinute = qv::eclipseDetailsText(settings, eclipse);
    settings.display.mapStepMinutes = 0;
    EXPECT_EQ(qv::eclipseDetailsText(settings, eclipse), oneMinute);
    EXPECT_GT(occurrences(oneMinute, "\n  "), 150);
}

// At a 60-minute step the table starts at the first whole hour of the central line (16:39-19:55
// UT) and has a row at 17:00, 18:00 and 19:00; the step after 19:00 lies past the end.
TEST(CentralLine, RowsAtTheStepsWithinTheCentralPhase)
{
    const qv::SettingsRecord settings = qv::test::yearSettings(2024, 0.0, 69.2, 32.78, -96.80);
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    const qv::EclipseCircumstances circumstances = qv::eclipseCircumstances(eclipse, settings.observer);
    const std::vector<qv::CentralLinePoint> line =
        qv::centralLine(eclipse.greatest.at(qv::centralTableStartUT(circumstances, 60, qv::TimeZone{})),
                        qv::centralTableEndUT(circumstances), 60.0 / 1440.0);
    ASSERT_EQ(line.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(line[i].mjdUT, qv::modifiedJulianDate(8, 4, 2024, 17.0 + i), 1e-9) << i;
}

}  // namespace
