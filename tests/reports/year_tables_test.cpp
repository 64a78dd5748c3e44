// The year tables: the phases table built from hand-made lists, the Sun and eclipse sections,
// each for the page and the save file, and whole pages and save texts against the golden files
// of tests/golden/.
#include "reports/year_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "base/julian.h"
#include "reports/eclipse_reports.h"
#include "support/golden_text.h"
#include "support/year_settings.h"

namespace qv {
namespace {

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kSecond = 1.0 / 86400.0;

using testing::matchesGolden;
using testing::pageText;
using testing::sameText;
using test::settingsFor;

// A 60-character phases row with the given texts at their columns.
std::string rowWith(std::initializer_list<std::pair<int, const char*>> cells)
{
    std::string row(kPhaseRowLength, ' ');
    for (const auto& [column, text] : cells)
        row.replace(static_cast<std::size_t>(column), std::string(text).size(), text);
    return row;
}

// Hand-made phases every 7.5 days from a first instant and kind, up to the window end.
PhaseLists evenPhases(double firstUT, int firstKind, double windowEndUT)
{
    PhaseLists lists;
    int kind = firstKind;
    for (double t = firstUT; t <= windowEndUT; t += 7.5) {
        lists.times[kind].push_back(t);
        kind = (kind + 1) % kPhaseKinds;
    }
    return lists;
}

const double kStart2024 = modifiedJulianDate(1, 1, 2024, 0.0);
const double kEnd2024 = modifiedJulianDate(31, 12, 2024, 24.0);

TEST(PhaseTableRow, FirstRowBeginsInTheColumnOfTheYearsFirstPhase)
{
    // Full Moon on 3 January 6h, then every 7.5 days.
    const PhaseLists lists = evenPhases(kStart2024 + 2.25, kFullMoon, kEnd2024);
    int cursors[kPhaseKinds] = {};
    char row[kPhaseRowLength + 1];

    EXPECT_EQ(phaseTableRow(kEnd2024, TimeZone{}, lists, cursors, row), 2);
    EXPECT_EQ(std::string(row), rowWith({{31, "JAN  3  6:00 "}, {47, "JAN 10 18:00 "}}));
    EXPECT_EQ(phaseTableRow(kEnd2024, TimeZone{}, lists, cursors, row), 4);
    EXPECT_EQ(std::string(row),
              rowWith({{0, "JAN 18  6:00 "}, {15, "JAN 25 18:00 "}, {31, "FEB  2  6:00 "}, {47, "FEB  9 18:00 "}}));
    EXPECT_EQ(cursors[kNewMoon], 1);
    EXPECT_EQ(cursors[kLastQuarter], 2);
}

TEST(PhaseTableRow, LastSecondsOfTheYearPrintAs2400AndTheYearEndStillCounts)
{
    PhaseLists lists;
    lists.times[kNewMoon].push_back(kEnd2024 - 20.0 * kSecond);  // 23:59:40
    lists.times[kFirstQuarter].push_back(kEnd2024);        // 1 Jan 0h
    int cursors[kPhaseKinds] = {};
    char row[kPhaseRowLength + 1];
    EXPECT_EQ(phaseTableRow(kEnd2024, TimeZone{}, lists, cursors, row), 2);
    EXPECT_EQ(std::string(row), rowWith({{0, "DEC 31 24:00 "}, {15, "JAN  1  0:00 "}}));

    // A phase one second later lies outside the year and is never printed.
    lists.times[kFirstQuarter][0] = kEnd2024 + kSecond;
    int fresh[kPhaseKinds] = {};
    EXPECT_EQ(phaseTableRow(kEnd2024, TimeZone{}, lists, fresh, row), 1);
    EXPECT_EQ(fresh[kFirstQuarter], 0);
}

TEST(PhasesReport, HeaderRowsAndSaveFileText)
{
    // New Moon on 31 December 2024 at 23:59:40 local time closes the last row alone. The
    // lists hold UT: six hours (a quarter day, exact in binary) before the local times.
    const TimeZone zone{6.0};
    PhaseLists lists = evenPhases(kEnd2024 - 30.25, kNewMoon, kEnd2024 - 2.25);
    lists.times[kNewMoon].push_back(kEnd2024 - 0.25 - 20.0 * kSecond);
    PageBuffer page;
    appendPhasesTable(2024, zone, lists, page);
    std::string saveText;
    appendPhasesSaveText(2024, zone, lists, saveText);

    const std::string rowOne = rowWith({{0, "DEC  2  0:00 "}, {15, "DEC  9 12:00 "}, {31, "DEC 17  0:00 "},
                                        {47, "DEC 24 12:00 "}});
    const std::string rowTwo = rowWith({{0, "DEC 31 24:00 "}});
    const std::string expectedPage = "> Timezone  6.00 <\n"
                                     "          Phases of the Moon for 2024\n"
                                     "          ===========================\n"
                                     "   \n"
                                     "  New Moon    First Quarter     Full Moon      Last Quarter\n"
                                     "   \n" +
                                     rowOne + "\n" + rowTwo + "\n";
    EXPECT_TRUE(sameText(expectedPage, pageText(page)));
    for (std::size_t i = 1; i < page.lines.size(); ++i)
        EXPECT_EQ(page.lines[i].fixedPitch, i != 3 && i != 5) << "line " << i;
    EXPECT_FALSE(page.lines[0].fixedPitch);

    const std::string expectedSave = "\n+++> Timezone  6.00 <+++"
                                     "\n\n\n\t\tPhases of the Moon for 2024"
                                     "\n\t\t===========================\n"
                                     "\n  New Moon    First Quarter     Full Moon      Last Quarter\n\n" +
                                     rowOne.substr(0, 59) + "\n" + rowTwo.substr(0, 59) + "\n";
    EXPECT_TRUE(sameText(expectedSave, saveText));
}

TEST(PhasesReport, ZoneLineKeepsFiveColumnsWithAPointAndEmptyListsGiveNoRows)
{
    const struct {
        double zone;
        const char* line;
    } cases[] = {{0.0, "> Timezone  0.00 <"}, {5.5, "> Timezone  5.50 <"}, {-4.0, "> Timezone -4.00 <"},
                 {12.75, "> Timezone 12.75 <"}, {-9.5, "> Timezone -9.50 <"}};
    for (const auto& c : cases) {
        PageBuffer page;
        appendPhasesTable(2024, TimeZone{c.zone}, PhaseLists{}, page);
        EXPECT_EQ(page.lines[0].text, c.line);
        EXPECT_EQ(page.lines.size(), 6u);  // empty lists: the header only
    }
}

TEST(PhasesReport, APhaseBeyondTheWindowEndsTheTableInsteadOfLooping)
{
    PhaseLists lists = evenPhases(kEnd2024 - 10.0, kNewMoon, kEnd2024);
    lists.times[kFullMoon].push_back(kEnd2024 + 3.0);
    PageBuffer page;
    appendPhasesTable(2024, TimeZone{}, lists, page);
    EXPECT_EQ(page.lines.size(), 7u);
    EXPECT_EQ(page.lines[6].text.substr(0, kPhaseRowLength), rowWith({{0, "DEC 22  0:00 "}, {15, "DEC 29 12:00 "}}));
}

TEST(EclipsesOfYear, EveryKindWithItsTextAndMagnitude)
{
    const struct {
        EclipseKind kind;
        double magnitude;
    } table[] = {{EclipseKind::TotalLunar, 1.3456},          {EclipseKind::PartialLunar, 0.5},
                 {EclipseKind::TotalPenumbralLunar, 1.02},   {EclipseKind::PenumbralLunar, 0.9},
                 {EclipseKind::PartialSolar, 0.0149},        {EclipseKind::NonCentralAnnularSolar, 1.0},
                 {EclipseKind::NonCentralTotalSolar, 1.0},   {EclipseKind::AnnularSolar, 1.0},
                 {EclipseKind::TotalSolar, 1.0},             {EclipseKind::HybridSolar, 1.0}};
    std::vector<TabledEclipse> eclipses;
    for (const auto& entry : table) {
        const double greatestUT = kStart2024 + 30.0 * static_cast<double>(eclipses.size()) + 0.5;
        eclipses.push_back({{entry.kind, {greatestUT, 69.184}, entry.magnitude}, greatestUT});
    }
    PageBuffer page;
    appendEclipsesTable(2024, TimeZone{}, eclipses, page);
    std::string saveText;
    appendEclipsesSaveText(2024, TimeZone{}, eclipses, saveText);

    const char* lines[] = {
        "JAN  1\t12:00\t Total eclipse of the Moon  (magnitude: 1.35)",
        "JAN 31\t12:00\t Partial eclipse of the Moon  (magnitude: 0.50)",
        "MAR  1\t12:00\t Penumbral eclipse of the Moon  (magnitude: 1.02)",
        "MAR 31\t12:00\t Penumbral eclipse of the Moon  (magnitude: 0.90)",
        "APR 30\t12:00\t Partial eclipse of the Sun  (magnitude: 0.01)",
        "MAY 30\t12:00\t Annular eclipse of the Sun",
        "JUN 29\t12:00\t Total eclipse of the Sun",
        "JUL 29\t12:00\t Annular eclipse of the Sun",
        "AUG 28\t12:00\t Total eclipse of the Sun",
        "SEP 27\t12:00\t Annular/Total Solar Eclipse",
    };
    std::string expectedPage = "   \n   \n          ECLIPSES for 2024\n          =================\n   \n";
    std::string expectedSave = "\n\n\n\t\tEclipses for 2024\n\t\t=================\n";
    for (const char* line : lines) {
        expectedPage.append(line).append("\n");
        expectedSave.append("\n").append(line);
    }
    EXPECT_TRUE(sameText(expectedPage, pageText(page)));
    EXPECT_TRUE(page.lines[2].fixedPitch && page.lines[3].fixedPitch);
    EXPECT_FALSE(page.lines[5].fixedPitch);
    EXPECT_TRUE(sameText(expectedSave, saveText));
}

TEST(SunReport, DecemberSolsticeInLocalTime)
{
    // 2024 December solstice: 21 December 9:20:21 UT by PyEphem, with its TT - UT of 72.94 s.
    const double solsticeUT = 60665.38913;
    const DeltaTRule rule{false, 72.94};
    EXPECT_NEAR(seasonInstant(2024, kDecemberSolstice, rule).mjdUT, solsticeUT, 1.5 * kMinute);
    // Shown in zone 8, rounded to the minute: the June solstice of 20 June 20:51 UT falls on
    // 21 June there; the December solstice, a little over 9:20:30 UT here, prints as 17:21.
    SettingsRecord settings = settingsFor(2024, 8.0);
    settings.time.deltaTFollowsYear = false;
    settings.time.deltaTManualSeconds = 72.94;
    const YearTables tables = computeYearTables(settings);
    EXPECT_EQ(tables.seasonsUT[kDecemberSolstice], seasonInstant(2024, kDecemberSolstice, rule).mjdUT);
    PageBuffer page;
    appendSunTable(2024, tables.zone, tables.seasonsUT, page);
    ASSERT_EQ(page.lines.size(), 7u);
    EXPECT_EQ(page.lines[6].text, "  Solstices \tJUN 21  4:51  \tDEC 21 17:21");
}

TEST(YearTables, GoldenPages)
{
    const struct {
        int year;
        double zone;
        const char* golden;
    } cases[] = {
        {2024, 0.0, "phases_2024_zone0.txt"},
        {2024, 5.5, "phases_2024_zone5.5.txt"},
        {2024, -4.0, "phases_2024_zone-4.txt"},
        {2024, 1.0, "phases_2024_zone1.txt"},
        {2023, 8.0, "phases_2023_zone8.txt"},
    };
    for (const auto& c : cases) {
        const SettingsRecord settings = settingsFor(c.year, c.zone);
        PageBuffer page;
        buildYearTables(settings, page);
        EXPECT_TRUE(matchesGolden(c.golden, pageText(page)));
    }
}

TEST(YearTables, BatchCompanionPrintsTheGoldenPage)
{
    int status = -1;
    const std::string printed = testing::runCli("phases --year 2024 --zone 5.5", status);
    EXPECT_TRUE(matchesGolden("phases_2024_zone5.5.txt", printed));
    EXPECT_EQ(status, 0);
}

TEST(YearTables, PageAndSaveTextFromTheSameTables)
{
    const YearTables tables = computeYearTables(settingsFor(2024, 0.0));
    PageBuffer page;
    appendYearTables(tables, page);
    EXPECT_TRUE(matchesGolden("phases_2024_zone0.txt", pageText(page)));
    EXPECT_TRUE(matchesGolden("phases_2024_zone0.save.txt", yearTablesSaveText(tables)));
}

TEST(YearTables, EclipsesOfTheYearInTheirOrder)
{
    const std::vector<EclipseEvent> eclipses = eclipsesOfYear(settingsFor(2024, 0.0));
    // 2024: penumbral lunar 25 March, total solar 8 April, partial lunar 18 September,
    // annular solar 2 October.
    ASSERT_EQ(eclipses.size(), 4u);
    const EclipseKind kinds[] = {EclipseKind::PenumbralLunar, EclipseKind::TotalSolar, EclipseKind::PartialLunar,
                                 EclipseKind::AnnularSolar};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(eclipses[i].kind, kinds[i]) << i;
}

}  // namespace
}  // namespace qv
