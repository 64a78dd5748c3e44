// The planets page and its CSV twin: the golden page of 2026, the same instants in both, and
// the events a user of 2026 looks for first.
#include "reports/phenomena_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/julian.h"
#include "support/golden_text.h"
#include "support/year_settings.h"

namespace qv {
namespace {

TEST(PhenomenaReport, GoldenPageAndTheSameInstantsAsTheCsv)
{
    const SettingsRecord settings = test::settingsFor(2026, 1.0);
    const std::vector<Phenomenon> phenomena = phenomenaOfYear(settings);
    PageBuffer page;
    appendPhenomenaPage(2026, settings.time.zone, phenomena, page);
    EXPECT_TRUE(testing::matchesGolden("phenomena_2026_zone1.txt", testing::pageText(page)));

    // Each CSV line's UT, shown in the zone, is the minute of the page's line of that event (a
    // CSV second of :30, rounded, may stand for either minute).
    const std::string csv = phenomenaCsv(phenomena);
    const std::string pageText = testing::pageText(page);
    std::size_t position = csv.find('\n') + 1;
    for (const Phenomenon& p : phenomena) {
        int year, month, day, hour, minute, second;
        ASSERT_EQ(std::sscanf(csv.c_str() + position, "%d-%d-%dT%d:%d:%dZ", &year, &month, &day, &hour, &minute,
                              &second),
                  6);
        const double shown = modifiedJulianDate(day, month, year, hour + minute / 60.0 + second / 3600.0) + 1.0 / 24.0;
        const auto onPage = [&](double mjd) {
            char dateTime[kDateTimeLength + 1] = {};
            formatDateTime(mjd, dateTime);
            return pageText.find("  " + std::string(dateTime, kDateTimeShown) + "  " + phenomenonText(p)) !=
                   std::string::npos;
        };
        const double halfSecond = 0.5 / 86400.0;
        EXPECT_TRUE(onPage(shown) || (second == 30 && (onPage(shown - halfSecond) || onPage(shown + halfSecond))))
            << csv.substr(position, 60);
        position = csv.find('\n', position) + 1;
    }

    // Jupiter at opposition on 10 January (08:41 UT) and the year's 13 or 14 perigees.
    EXPECT_NE(csv.find("\n2026-01-10T08:4"), std::string::npos);
    EXPECT_NE(csv.find(",opposition,Jupiter,Sun,\n"), std::string::npos);
    int perigees = 0;
    for (std::size_t at = csv.find(",perigee,"); at != std::string::npos; at = csv.find(",perigee,", at + 1))
        ++perigees;
    EXPECT_GE(perigees, 13);
    EXPECT_LE(perigees, 14);
}

}  // namespace
}  // namespace qv
