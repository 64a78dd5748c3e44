#include "base/places.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "base/time_zone.h"

namespace qv {
namespace {

std::vector<std::string> displayNames(std::string_view text, size_t maxCount)
{
    std::vector<std::string> names;
    for (const Place* place : findPlaces(text, maxCount))
        names.push_back(placeDisplayName(*place));
    return names;
}

TEST(PlacesTest, AccentsAndCaseAreIgnoredOnBothSpellings)
{
    for (const char* text : {"zurich", "ZÜRICH", "Zürich", "  zür "})
        EXPECT_EQ(displayNames(text, 1), std::vector<std::string>{"Zürich, Zurich, Switzerland"}) << text;
    EXPECT_EQ(displayNames("sao paulo", 1), std::vector<std::string>{"São Paulo, São Paulo, Brazil"});
    EXPECT_EQ(displayNames("Sankt Pö", 1), std::vector<std::string>{"Sankt Pölten, Lower Austria, Austria"});
    EXPECT_EQ(displayNames("reykjavík", 1), std::vector<std::string>{"Reykjavík, Capital Region, Iceland"});
    EXPECT_EQ(foldedForSearch("Łódź ÆRØ Straße Ǆ"), "lodz aero strasse dz");
}

// A shared name lists every place that bears it, the most populous first and each told apart
// by its region; whole-name matches come before matches of a later word.
TEST(PlacesTest, SharedNamesAreOrderedByPopulationAndToldApart)
{
    std::vector<const Place*> springfields = findPlaces("Springfield", 20);
    const auto later = std::find_if(springfields.begin(), springfields.end(),
                                    [](const Place* p) { return !p->name.starts_with("Springfield"); });
    ASSERT_NE(later, springfields.end());
    EXPECT_EQ((*later)->name, "West Springfield");
    springfields.erase(later, springfields.end());
    ASSERT_GE(springfields.size(), 5u);
    std::set<std::string> shown;
    for (size_t i = 0; i < springfields.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(springfields[i - 1], springfields[i]) << "not most populous first";
        }
        shown.insert(placeDisplayName(*springfields[i]));
    }
    EXPECT_EQ(shown.size(), springfields.size());
    EXPECT_EQ(displayNames("paris", 1), std::vector<std::string>{"Paris, Île-de-France, France"});
    const std::vector<std::string> york = displayNames("york", 20);
    ASSERT_FALSE(york.empty());
    EXPECT_EQ(york.front(), "York, England, United Kingdom");
    EXPECT_NE(std::find(york.begin(), york.end(), "New York City, New York, United States"), york.end());
    EXPECT_TRUE(findPlaces("   ", 20).empty());
    EXPECT_TRUE(findPlaces("Xqzzy", 20).empty());
    EXPECT_EQ(findPlaces("a", 20).size(), 20u);
}

// Every place has a position on the Earth and a zone the system's time-zone database knows.
TEST(PlacesTest, EveryPlaceHasAPositionAndAKnownZone)
{
    std::set<std::string_view> zones;
    for (const Place& place : allPlaces()) {
        EXPECT_LE(std::abs(place.latitudeDeg), 90.0) << place.name;
        EXPECT_LE(std::abs(place.longitudeDeg), 180.0) << place.name;
        EXPECT_FALSE(place.country.empty()) << place.name;
        zones.insert(place.zone);
    }
    EXPECT_GT(allPlaces().size(), 20000u);
    for (std::string_view name : zones) {
        TimeZone zone;
        EXPECT_TRUE(findTimeZone(std::string(name).c_str(), zone)) << name;
    }
}

}  // namespace
}  // namespace qv
