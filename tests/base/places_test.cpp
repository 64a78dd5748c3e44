#include "base/places.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
    for (const char* text : {"zurich", "ZÜRICH", "Zürich", "  zür ", "Zu\u0308rich"})
        EXPECT_EQ(displayNames(text, 1), std::vector<std::string>{"Zurich, Zurich, Switzerland"}) << text;
    EXPECT_EQ(displayNames("sao paulo", 1), std::vector<std::string>{"São Paulo, São Paulo, Brazil"});
    EXPECT_EQ(displayNames("Sankt Pö", 1), std::vector<std::string>{"Sankt Pölten, Lower Austria, Austria"});
    EXPECT_EQ(displayNames("reykjavík", 1), std::vector<std::string>{"Reykjavik, Capital Region, Iceland"});
    EXPECT_EQ(foldedForSearch("Łódź ÆRØ Straße Ǆ"), "lodz aero strasse dz");
    // Composed before folding; Greek and Cyrillic lowered; a stray byte kept as it is.
    EXPECT_EQ(foldedForSearch("Zu\u0308rich Й\u0308 КИЇВ Ґ ΑΘΉΝΑ \xff"), "zurich й\u0308 київ ґ αθήνα \xff");
    EXPECT_EQ(foldedForSearch("И\u0306"), "й");
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
    const std::vector<std::string> york = displayNames("york", 20);
    ASSERT_FALSE(york.empty());
    EXPECT_EQ(york.front(), "York, England, United Kingdom");
    EXPECT_NE(std::find(york.begin(), york.end(), "New York, New York, United States"), york.end());
    EXPECT_TRUE(findPlaces("Xqzzy", 20).empty());
    EXPECT_EQ(findPlaces("sa", 20).size(), 20u);
}

// The place a text names, and whether the text was one of its names: exonyms, former names,
// local names in any script, "Name, Region" and "Name, Country", and a longer name whose
// leading words the text is, which outranks a small place of that very name.
TEST(PlacesTest, BestPlaceOfEachTextAndWhetherItWasAWholeName)
{
    const struct {
        const char* text;
        const char* place;
        bool wholeName;
    } cases[] = {
        {"Washington", "Washington D.C., District of Columbia, United States", true},
        {"Washington, D.C.", "Washington D.C., District of Columbia, United States", true},
        {"Mexico", "Mexico City, Mexico City, Mexico", false},
        {"Wien", "Vienna, Vienna, Austria", true},
        {"Roma", "Rome, Lazio, Italy", true},
        {"Roman", "Roman, Neamț County, Romania", true},
        {"Kyiv", "Kyiv, Kyiv City, Ukraine", true},
        {"Kiev", "Kyiv, Kyiv City, Ukraine", true},
        {"Київ", "Kyiv, Kyiv City, Ukraine", true},
        {"Odesa", "Odessa, Odesa, Ukraine", true},
        {"Lviv", "Lviv, Lviv, Ukraine", true},
        {"Bengaluru", "Bengaluru, Karnataka, India", true},
        {"Bangalore", "Bengaluru, Karnataka, India", true},
        {"Yangon", "Yangon, Yangon, Myanmar", true},
        {"Munich", "Munich, Bavaria, Germany", true},
        {"München", "Munich, Bavaria, Germany", true},
        {"Cologne", "Cologne, North Rhine-Westphalia, Germany", true},
        {"Köln", "Cologne, North Rhine-Westphalia, Germany", true},
        {"東京", "Tokyo, Tokyo, Japan", false},
        {"東京都", "Tokyo, Tokyo, Japan", true},
        {"москва", "Moscow, Moscow, Russian Federation", true},
        {"Zu\u0308rich", "Zurich, Zurich, Switzerland", true},
        {"Paris", "Paris, Île-de-France, France", true},
        {"Paris, Texas", "Paris, Texas, United States", true},
        {"paris, tex", "Paris, Texas, United States", true},
        {"Springfield, Illinois", "Springfield, Illinois, United States", true},
        {"Vienna, Virginia", "Vienna, Virginia, United States", true},
        {"Vienna, Virginia, United States", "Vienna, Virginia, United States", true},
        {"Córdoba, Spain", "Córdoba, Andalusia, Spain", true},
    };
    for (const auto& c : cases) {
        const PlaceChoice choice = bestPlace(c.text);
        ASSERT_NE(choice.place, nullptr) << c.text;
        EXPECT_EQ(placeDisplayName(*choice.place), c.place) << c.text;
        EXPECT_EQ(choice.wholeName, c.wholeName) << c.text;
        EXPECT_EQ(findPlaces(c.text, 20).front(), choice.place) << c.text;
    }
    EXPECT_EQ(bestPlace("Paris, Narnia").place, nullptr);
}

TEST(PlacesTest, TooShortOrInvalidTextsAreRefusedAndFindNothing)
{
    const struct {
        const char* text;
        const char* problem;
    } cases[] = {
        {"", "is shorter than 2 characters"},
        {"   a ", "is shorter than 2 characters"},
        {"e\u0301", "is shorter than 2 characters"},
        {"ab\xff", "is not valid UTF-8"},
        {"\xc3", "is not valid UTF-8"},
        {"ab", ""},
        {"東京", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placeQueryProblem(c.text), c.problem) << c.text;
        if (*c.problem != '\0') {
            EXPECT_TRUE(findPlaces(c.text, 20).empty()) << c.text;
        }
    }
}

// Every place has a position on the Earth and a zone the system's time-zone database knows;
// Lhasa keeps China's one time (+8), as every Chinese place outside Xinjiang.
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
    const Place& lhasa = *bestPlace("Lhasa").place;
    TimeZone zone;
    ASSERT_TRUE(findTimeZone(std::string(lhasa.zone).c_str(), zone));
    constexpr double kMjd2026June21 = 61212.0;
    EXPECT_EQ(zoneOffsetHoursAt(kMjd2026June21, zone), 8.0);
}

// The principal city of a zone, and the system's zone it is looked up for: TZ in its forms,
// old names followed to the present one, a TZ rule that names no zone kept for a refusal.
TEST(PlacesTest, TheSystemZoneAndItsPrincipalCity)
{
    const struct {
        const char* zone;
        const char* city;
    } cities[] = {
        {"Europe/Vienna", "Vienna"},
        {"America/New_York", "New York"},
        {"Asia/Kolkata", "Kolkata"},
        {"Asia/Manila", "Manila"},
        {"America/Argentina/Buenos_Aires", "Buenos Aires"},
    };
    for (const auto& c : cities) {
        const Place* place = principalCityOfZone(c.zone);
        ASSERT_NE(place, nullptr) << c.zone;
        EXPECT_EQ(place->name, c.city);
    }
    EXPECT_EQ(principalCityOfZone("Etc/UTC"), nullptr);

    const char* saved = std::getenv("TZ");
    const std::string savedTz = saved != nullptr ? saved : "";
    const struct {
        const char* tz;
        const char* name;
    } systemZones[] = {
        {"Europe/Vienna", "Europe/Vienna"},
        {":Europe/Kiev", "Europe/Kyiv"},
        {"/usr/share/zoneinfo/Asia/Calcutta", "Asia/Kolkata"},
        {"CET-1CEST", "CET-1CEST"},
    };
    for (const auto& c : systemZones) {
        setenv("TZ", c.tz, 1);
        EXPECT_EQ(systemTimeZoneName(), c.name) << c.tz;
    }
    if (saved != nullptr)
        setenv("TZ", savedTz.c_str(), 1);
    else
        unsetenv("TZ");
}

}  // namespace
}  // namespace qv
