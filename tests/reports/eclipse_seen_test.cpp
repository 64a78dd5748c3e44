// The eclipse as seen from a place against the details text of the same eclipse: every time the
// picture shows is one the details show, the obscuration peaks at the details' maximum, and
// the views of a total, an annular, a partial and a lunar eclipse.
#include "reports/eclipse_seen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "base/time_zone.h"
#include "reports/eclipse_details.h"
#include "reports/year_tables.h"

namespace {

struct SeenCase {
    const char* name;
    int year;
    int eclipse;  // number in the year's list
    double latitudeDeg, longitudeDeg;
    const char* zone;
};

constexpr SeenCase kDallasTotal{"Dallas", 2024, 2, 32.78, -96.80, "America/Chicago"};
constexpr SeenCase kAlbuquerqueAnnular{"Albuquerque", 2023, 3, 35.08, -106.65, "America/Denver"};
constexpr SeenCase kViennaPartial{"Vienna", 2025, 2, 48.21, 16.37, "Europe/Vienna"};
constexpr SeenCase kBostonSunrise{"Boston", 2025, 2, 42.36, -71.06, "America/New_York"};
constexpr SeenCase kViennaLunar{"Vienna", 2025, 1, 48.21, 16.37, "Europe/Vienna"};
constexpr SeenCase kSantiagoLunar{"Santiago", 2025, 1, -33.45, -70.67, "America/Santiago"};

qv::SettingsRecord settingsOf(const SeenCase& c)
{
    qv::SettingsRecord settings;
    settings.time.year = c.year;
    qv::findTimeZone(c.zone, settings.time.zone);
    settings.observer = {c.latitudeDeg, c.longitudeDeg, 0.0, c.name};
    return settings;
}

std::string detailsOf(const SeenCase& c)
{
    const qv::SettingsRecord settings = settingsOf(c);
    return qv::eclipseDetailsText(settings, qv::eclipsesOfYear(settings).at(c.eclipse - 1));
}

// The time of a central contact ("APR  8 13:40:40") as the details write it ("13.4040").
std::string packedTime(const std::string& timeText)
{
    int hours = 0, minutes = 0, seconds = 0;
    std::sscanf(timeText.c_str() + 7, "%d:%d:%d", &hours, &minutes, &seconds);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d%02d", hours, minutes, seconds);
    return text;
}

// Every contact and maximum shown in every case is written in its details text.
TEST(EclipseSeen, EveryTimeShownIsOneOfTheDetails)
{
    for (const SeenCase& c : {kDallasTotal, kAlbuquerqueAnnular, kViennaPartial, kBostonSunrise, kViennaLunar, kSantiagoLunar}) {
        const qv::EclipseSeen seen = qv::eclipseSeen(settingsOf(c), c.eclipse);
        const std::string details = detailsOf(c);
        ASSERT_TRUE(seen.found) << c.name;
        for (const qv::SolarDiscs& discs : seen.discs) {
            const bool central = discs.label == "Second contact" || discs.label == "Third contact";
            const std::string shown = central ? packedTime(discs.timeText) : discs.timeText;
            EXPECT_NE(details.find(shown), std::string::npos) << c.name << " " << discs.label << " " << shown;
        }
        for (const qv::LunarContact& contact : seen.contacts)
            EXPECT_NE(details.find(contact.timeText), std::string::npos) << c.name << " " << contact.label;
        EXPECT_FALSE(seen.discs.empty() && seen.contacts.empty()) << c.name;
    }
    // Numbers the year does not have find nothing.
    for (int number : {0, 5, -1})
        EXPECT_FALSE(qv::eclipseSeen(settingsOf(kViennaPartial), number).found) << number;
}

// The obscuration, over the part of the course with the Sun up, is nowhere greater than at the
// instant the details give as the maximum (inside totality it stays there; inside annularity it
// changes by 0.00015 with the Moon's distance).
TEST(EclipseSeen, ObscurationPeaksAtTheDetailsMaximum)
{
    for (const SeenCase& c : {kDallasTotal, kAlbuquerqueAnnular, kViennaPartial}) {
        const qv::EclipseSeen seen = qv::eclipseSeen(settingsOf(c), c.eclipse);
        const auto maximum = std::find_if(seen.discs.begin(), seen.discs.end(),
                                          [](const qv::SolarDiscs& d) { return d.label == "Maximum"; });
        ASSERT_NE(maximum, seen.discs.end()) << c.name;
        double peak = 0.0;
        for (const qv::ObscurationSample& sample : seen.course)
            if (sample.sunAltitudeDeg > 0.0)
                peak = std::max(peak, sample.obscuration);
        EXPECT_NEAR(peak, maximum->obscuration, 3e-4) << c.name;
        EXPECT_NE(detailsOf(c).find("Maximum Eclipse at " + maximum->timeText + "   with magnitude"), std::string::npos)
            << c.name;
    }
}

// Dallas sees totality: the Moon covers the whole Sun at the maximum and between the second and
// third contacts, which sit on opposite sides; Albuquerque sees the ring, Vienna a partial phase.
TEST(EclipseSeen, DiscsShowTotalityAnnularityAndPartialPhase)
{
    auto covers = [](const qv::SolarDiscs& d) {
        return std::hypot(d.moonXRad, d.moonYRad) + d.sunRadiusRad <= d.moonRadiusRad;
    };
    const qv::EclipseSeen dallas = qv::eclipseSeen(settingsOf(kDallasTotal), kDallasTotal.eclipse);
    ASSERT_EQ(dallas.discs.size(), 5u);
    EXPECT_EQ(dallas.discs[1].label, "Second contact");
    EXPECT_TRUE(covers(dallas.discs[2]));
    EXPECT_DOUBLE_EQ(dallas.discs[2].obscuration, 1.0);
    EXPECT_LT(dallas.discs[1].moonXRad * dallas.discs[3].moonXRad, 0.0);
    // First contact on the Sun's right (west), last on its left, the Sun high in the south-west.
    EXPECT_GT(dallas.discs[0].moonXRad, 0.0);
    EXPECT_LT(dallas.discs[4].moonXRad, 0.0);
    // The details time the first contact to the minute after it: the Moon has moved in by up to 30".
    const qv::SolarDiscs& first = dallas.discs[0];
    EXPECT_NEAR(std::hypot(first.moonXRad, first.moonYRad), first.sunRadiusRad + first.moonRadiusRad, 1.5e-4);

    const qv::EclipseSeen ring = qv::eclipseSeen(settingsOf(kAlbuquerqueAnnular), kAlbuquerqueAnnular.eclipse);
    ASSERT_EQ(ring.discs.size(), 5u);
    const qv::SolarDiscs& annular = ring.discs[2];
    EXPECT_LT(std::hypot(annular.moonXRad, annular.moonYRad) + annular.moonRadiusRad, annular.sunRadiusRad);
    EXPECT_GT(annular.obscuration, 0.85);
    EXPECT_LT(annular.obscuration, 1.0);

    const qv::EclipseSeen partial = qv::eclipseSeen(settingsOf(kViennaPartial), kViennaPartial.eclipse);
    ASSERT_EQ(partial.discs.size(), 3u);
    EXPECT_GT(partial.discs[1].obscuration, 0.0);
    EXPECT_LT(partial.discs[1].obscuration, 0.3);
    EXPECT_FALSE(partial.risesEclipsed || partial.setsEclipsed);

    // Boston sees the Sun rise eclipsed: the course runs on below the horizon before it.
    const qv::EclipseSeen sunrise = qv::eclipseSeen(settingsOf(kBostonSunrise), kBostonSunrise.eclipse);
    ASSERT_FALSE(sunrise.discs.empty());
    EXPECT_TRUE(sunrise.risesEclipsed);
    EXPECT_EQ(sunrise.discs.front().label, "Sunrise");
    EXPECT_LT(sunrise.course.front().sunAltitudeDeg, 0.0);
    EXPECT_GT(sunrise.course.front().obscuration + sunrise.course[1].obscuration, 0.0);
}

// The Moon's path runs through the umbra; at each contact its distance from the shadow's axis
// is the sum or difference of the radii, and Vienna sees the Moon set during totality.
TEST(EclipseSeen, LunarContactsLieOnTheShadowEdges)
{
    const qv::EclipseSeen seen = qv::eclipseSeen(settingsOf(kViennaLunar), kViennaLunar.eclipse);
    ASSERT_EQ(seen.contacts.size(), 9u);
    constexpr double kArcsec = 1.0 / 206265.0;
    auto distance = [](const qv::LunarContact& contact) { return std::hypot(contact.moon.eastRad, contact.moon.northRad); };
    const double moon = seen.moonRadiusRad, umbra = seen.umbraRadiusRad, penumbra = seen.penumbraRadiusRad;
    const std::map<std::string, double> edges = {{"P1", penumbra + moon}, {"P2", penumbra - moon},
                                                 {"U1", umbra + moon},    {"U2", umbra - moon},
                                                 {"U3", umbra - moon},    {"U4", umbra + moon},
                                                 {"P3", penumbra - moon}, {"P4", penumbra + moon}};
    for (const qv::LunarContact& contact : seen.contacts)
        if (contact.label != "Max") {
            EXPECT_NEAR(distance(contact), edges.at(contact.label), 40 * kArcsec) << contact.label;
        }
    EXPECT_TRUE(seen.contacts.front().moonUp);
    EXPECT_FALSE(seen.contacts.back().moonUp);
    EXPECT_GT(seen.path.size(), 80u);
}

}  // namespace
