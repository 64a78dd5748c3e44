// The printed year's document beyond its text (which the batch companion's PDF test compares
// with the pages): the map pages with their legends, the page header, tabs of dialog text.
#include "reports/print_document.h"

#include <gtest/gtest.h>


#include "config/settings_io.h"
#include "support/year_settings.h"

namespace qv {
namespace {

// 2024 has a total (2) and an annular (4) solar eclipse: the maps come last, in their order,
// each legend naming the colours the map draws.
TEST(PrintDocument, MapPagesOfTheSolarEclipsesWithTheirLegends)
{
    const PrintDocument document = buildYearDocument(test::settingsFor(2024, 1.0), kPrintMaps | kPrintCalendar);
    ASSERT_EQ(document.blocks.size(), 3u);
    const PrintBlock& total = document.blocks[1];
    const PrintBlock& annular = document.blocks[2];
    EXPECT_FALSE(document.blocks[0].map);
    EXPECT_TRUE(total.map && annular.map);
    EXPECT_EQ(total.eclipseNumber * 10 + annular.eclipseNumber, 24);
    EXPECT_EQ(total.lines, std::vector<std::string>{"  2024  APR  8    Total Eclipse of the Sun"});
    std::vector<MapLegendItem> items;
    for (const MapLegendEntry& entry : total.legend)
        items.push_back(entry.item);
    using Item = MapLegendItem;
    EXPECT_EQ(items, (std::vector<Item>{Item::kCentralTotal, Item::kLimits, Item::kRiseSet, Item::kGreatest}));
    EXPECT_EQ(annular.legend.front().item, Item::kCentralAnnular);
    EXPECT_EQ(total.legendNotes,
              (std::vector<std::string>{"Projection: simple world map, equirectangular", "Central meridian: 0\xC2\xB0"}));
}

TEST(PrintDocument, HeaderNamesYearPlaceCoordinatesAndZone)
{
    SettingsRecord settings = test::yearSettings(2024, 10.0, 69.0, -33.8688, 151.2093);
    storeLocationName(settings, "Sydney");
    EXPECT_EQ(printHeader(settings), "Quorvel  2024  Sydney  33\xC2\xB0" "52'S 151\xC2\xB0" "13'E  Time zone UT+10");
    settings = test::yearSettings(-44, -5.5, 0.0, 0.0001, -0.5);
    settings.observer.name.assign(kLocationNameMax, ' ');
    EXPECT_EQ(printHeader(settings), "Quorvel  -44  0\xC2\xB0" "00'N 0\xC2\xB0" "30'W  Time zone UT-5.5");
    // A UTF-8 character of a dialog text takes one column before a tab.
    EXPECT_EQ(expandTabs("Z\xC3\xBCrich\tx"), "Z\xC3\xBCrich  x");
}

}  // namespace
}  // namespace qv
