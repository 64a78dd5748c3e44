// The Planets dialog's text and its CSV twin: the golden text of one evening, and the CSV's
// events at the minutes the text shows.
#include "reports/planets_details.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/julian.h"
#include "support/golden_text.h"
#include "support/year_settings.h"

namespace qv {
namespace {

TEST(PlanetsDetails, GoldenTextAndTheSameEventsAsTheCsv)
{
    SettingsRecord settings = test::yearSettings(2026, 1.0, deltaTDefault(2026), 48.2085, 16.3721, 171.0);
    settings.observer.name = "Vienna";
    settings.time.month = 12, settings.time.day = 7, settings.time.hour = 20;
    const std::vector<PlanetDetails> planets = planetsDetails(settings);
    const std::string text = planetsDetailsText(settings, planets);
    EXPECT_TRUE(testing::matchesGolden("planets_2026-12-07_vienna.txt", text));

    const std::string csv = planetsCsv(planets);
    std::size_t line = csv.find('\n') + 1;
    for (const PlanetDetails& details : planets) {
        SCOPED_TRACE(planetName(details.planet));
        EXPECT_EQ(csv.compare(line, std::string(planetName(details.planet)).size(), planetName(details.planet)), 0);
        // The three events: the CSV's UT, shown in the zone to the minute, is what the text says.
        std::size_t field = line;
        for (int skip = 0; skip < 9; ++skip)
            field = csv.find(',', field) + 1;
        for (const char* label : {"rise ", "transit ", "set "}) {
            int year, month, day, hour, minute, second;
            ASSERT_EQ(std::sscanf(csv.c_str() + field, "%d-%d-%dT%d:%d:%dZ", &year, &month, &day, &hour, &minute,
                                  &second),
                      6);
            char shown[kDateTimeLength + 1] = {};
            formatDateTime(modifiedJulianDate(day, month, year, hour + 1.0 + minute / 60.0 + second / 3600.0), shown);
            EXPECT_NE(text.find(label + std::string(shown, kDateTimeShown)), std::string::npos) << shown;
            field = csv.find(',', field) + 1;
        }
        line = csv.find('\n', line) + 1;
    }
}

}  // namespace
}  // namespace qv
