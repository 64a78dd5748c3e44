// The printed year's document: the parts and their order, the map pages with their legends,
// the header of every page, and the part keys of the command line.
#include "reports/print_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "config/settings_io.h"
#include "support/year_settings.h"

namespace qv {
namespace {

std::vector<MapLegendItem> legendItems(const PrintBlock& block)
{
    std::vector<MapLegendItem> items;
    for (const MapLegendEntry& entry : block.legend)
        items.push_back(entry.item);
    return items;
}

// 2024: phases, calendar, holidays, the list of four eclipses, their four details, then the
// maps of the two solar eclipses (2 total, 4 annular), each with the colours it draws.
TEST(PrintDocument, WholeYearInOrderWithTheMapsOfTheSolarEclipses)
{
    const SettingsRecord settings = test::settingsFor(2024, 1.0);
    const PrintDocument document = buildYearDocument(settings, kPrintWholeYear);
    ASSERT_EQ(document.blocks.size(), 10u);
    const char* const titles[] = {"Phases of the Moon for 2024",    "Calendar for 2024",
                                  "Holidays for 2024",              "Eclipses for 2024",
                                  "Penumbral Eclipse of the Moon",  "Total Eclipse of the Sun",
                                  "Partial eclipse of the Moon",    "Annular Eclipse of the Sun"};
    for (int i = 0; i < 8; ++i) {
        const std::vector<std::string>& lines = document.blocks[i].lines;
        EXPECT_FALSE(document.blocks[i].map) << i;
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const std::string& line) { return line.find(titles[i]) != std::string::npos; }))
            << titles[i];
    }
    for (const PrintBlock& block : document.blocks)
        for (const std::string& line : block.lines)
            EXPECT_EQ(line.find('\t'), std::string::npos) << line;

    const PrintBlock& total = document.blocks[8];
    const PrintBlock& annular = document.blocks[9];
    EXPECT_TRUE(total.map && annular.map);
    EXPECT_EQ(total.eclipseNumber, 2);
    EXPECT_EQ(annular.eclipseNumber, 4);
    EXPECT_EQ(total.lines, std::vector<std::string>{"  2024  APR  8    Total Eclipse of the Sun"});
    using Item = MapLegendItem;
    EXPECT_EQ(legendItems(total), (std::vector<Item>{Item::kCentralTotal, Item::kLimits, Item::kRiseSet, Item::kGreatest}));
    EXPECT_EQ(legendItems(annular).front(), Item::kCentralAnnular);
    EXPECT_EQ(total.legendNotes,
              (std::vector<std::string>{"Projection: simple world map, equirectangular", "Central meridian: 0\xC2\xB0"}));

    const PrintDocument maps = buildYearDocument(settings, kPrintMaps | kPrintCalendar);
    ASSERT_EQ(maps.blocks.size(), 3u);
    EXPECT_TRUE(!maps.blocks[0].map && maps.blocks[1].map && maps.blocks[2].map);
}

TEST(PrintDocument, HeaderNamesYearPlaceCoordinatesAndZone)
{
    SettingsRecord settings = test::yearSettings(2024, 10.0, 69.0, -33.8688, 151.2093);
    storeLocationName(settings, "Sydney");
    EXPECT_EQ(printHeader(settings), "Quorvel  2024  Sydney  33\xC2\xB0" "52'S 151\xC2\xB0" "13'E  Time zone UT+10");
    settings = test::yearSettings(-44, -5.5, 0.0, 0.0001, -0.5);
    std::memset(settings.locationName, ' ', kLocationNameMax);
    EXPECT_EQ(printHeader(settings), "Quorvel  -44  0\xC2\xB0" "00'N 0\xC2\xB0" "30'W  Time zone UT-5.5");
    EXPECT_EQ(printFooter(3, 12), "Page 3 of 12");
}

TEST(PrintDocument, TabsKeepTheColumnsOfScreenAndDialog)
{
    EXPECT_EQ(gridLine("APR  8\t19:20\t Total"), "APR  8 19:20  Total");
    EXPECT_EQ(expandTabs("Easter:\t\t\tMAR31"), "Easter:                 MAR31");
    // A UTF-8 character takes one column.
    EXPECT_EQ(expandTabs("Z\xC3\xBCrich\tx"), "Z\xC3\xBCrich  x");
}

TEST(PrintDocument, PartKeysOfTheCommandLine)
{
    unsigned parts = 0;
    std::string bad;
    EXPECT_TRUE(parsePrintParts("maps,phases,maps", parts, bad));
    EXPECT_EQ(parts, kPrintMaps | kPrintPhases);
    EXPECT_TRUE(parsePrintParts("phases,calendar,holidays,eclipses,maps", parts, bad));
    EXPECT_EQ(parts, kPrintWholeYear);
    for (const char* refused : {"", "phases,,maps", "Phases", "calendar,"}) {
        EXPECT_FALSE(parsePrintParts(refused, parts, bad)) << refused;
    }
    EXPECT_FALSE(parsePrintParts("phases,moons", parts, bad));
    EXPECT_EQ(bad, "moons");
}

}  // namespace
}  // namespace qv
