// Rise, set and twilights near the poles against the crossings of PyEphem's altitudes at 66.56,
// 70, 75, 80, 85 and 89 degrees north and south over 2024, the sky details asked twice a day at
// hours that turn through the day (tests/astro/data/ephem_polar_rise_set.txt, see its README).
// The reference follows the page's rule: the last rise in the day before the instant with the
// set after it; else the first set in the day before or after with the rise before it; else the
// first rise in the day after. Twilights the same way from the Sun's transit after the rise
// shown (after the instant without one); no twilight line after one the Sun stays above.
#include <gtest/gtest.h>

#include "test_environment.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/rise_set.h"
#include "astro/sun.h"
#include "base/constants.h"

namespace {

constexpr double kMjd2024 = 60310.0;
constexpr double kMinute = 1.0 / 1440.0;
constexpr const char* kSeriesNames = "hcnam";  // Sun horizon, civil, nautical, astronomical; Moon

struct Crossing {
    bool rise;
    double mjdUT;
};

struct Place {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double deltaTSeconds = 0.0;
    std::vector<Crossing> series[5];
};

std::vector<Place> readReference() {
    std::vector<Place> places;
    std::ifstream in(qv::test::sourcePath("tests/astro/data/ephem_polar_rise_set.txt"));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string tag;
        double minutes = 0.0;
        words >> tag;
        if (tag == "L")
            places.emplace_back();
        if (tag == "L")
            words >> places.back().latitudeDeg >> places.back().longitudeDeg >> places.back().deltaTSeconds;
        else if (tag.size() == 2 && !places.empty() && words >> minutes)
            places.back().series[std::string(kSeriesNames).find(tag[0])].push_back(
                {tag[1] == 'r', kMjd2024 + minutes * kMinute});
    }
    return places;
}

// The last (or first) crossing of a kind within [from, to].
const Crossing* find(const std::vector<Crossing>& events, bool rise, double from, double to, bool last) {
    const Crossing* found = nullptr;
    for (const Crossing& e : events)
        if (e.rise == rise && e.mjdUT >= from && e.mjdUT <= to && (last || !found))
            found = &e;
    return found;
}

qv::RiseSet select(const std::vector<Crossing>& events, double anchor) {
    const Crossing* rise = find(events, true, anchor - 1.0, anchor, true);
    const Crossing* set = rise ? nullptr : find(events, false, anchor - 1.0, anchor + 1.0, false);
    if (set)
        rise = find(events, true, -1e9, set->mjdUT, true);
    else if (!rise)
        rise = find(events, true, anchor, anchor + 1.0, false);
    if (rise && !set)
        set = find(events, false, rise->mjdUT, 1e9, false);
    if (rise && set)
        return {qv::RiseSetStatus::Found, rise->mjdUT, set->mjdUT};
    // No pair: the side of the last crossing before the anchor.
    const Crossing* up = find(events, true, -1e9, anchor, true);
    const Crossing* down = find(events, false, -1e9, anchor, true);
    const bool above = up && (!down || up->mjdUT > down->mjdUT);
    return {above ? qv::RiseSetStatus::StaysAbove : qv::RiseSetStatus::StaysBelow, 0.0, 0.0};
}

// Events the reference selects and how many the page shows within two minutes; events the
// page prints and how many lie more than five minutes from any crossing of their kind.
struct Agreement {
    int selected = 0;
    int agreed = 0;
    int printed = 0;
    int invented = 0;
    double percent() const { return selected ? 100.0 * agreed / selected : 100.0; }

    void add(const qv::RiseSet& reference, const qv::RiseSet& page, const std::vector<Crossing>& events) {
        const bool found = page.found();
        if (reference.found()) {
            selected += 2;
            agreed += found && std::fabs(page.riseUT - reference.riseUT) <= 2.0 * kMinute;
            agreed += found && std::fabs(page.setUT - reference.setUT) <= 2.0 * kMinute;
        }
        for (const auto& [rise, t] : {std::pair{true, page.riseUT}, std::pair{false, page.setUT}}) {
            if (!found || events.empty() || t < events.front().mjdUT || t > events.back().mjdUT)
                continue;  // nothing printed, or beyond the reference
            ++printed;
            invented += !find(events, rise, t - 5.0 * kMinute, t + 5.0 * kMinute, false);
        }
    }
};

void checkInstant(const Place& place, const qv::EventSite& site, double mjd, Agreement& sun, Agreement& moon) {
    double eqeq = 0.0;
    double eclLongitude = 0.0;
    double azimuth = 0.0;
    double altitude = 0.0;
    double distance = 0.0;
    const qv::Vec3 sunVector =
        qv::EARTH_RADII_PER_AU * qv::sunApparentEquatorial(qv::Instant{mjd, site.deltaTSeconds}, eqeq, eclLongitude);
    qv::horizonCoordinates(mjd, eqeq, site.latitudeRad, site.longitudeRad, 0.0, true, sunVector, azimuth, altitude,
                           distance);
    const qv::SunEvents page = qv::sunEvents(site, mjd, sunVector, altitude * qv::kDegPerRad, eqeq);
    const qv::RiseSet horizon = select(place.series[0], mjd);
    sun.add(horizon, page.horizon, place.series[0]);
    const double transit = qv::sunTransitUT(site, horizon.found() ? horizon.riseUT : mjd);
    bool shown = horizon.status != qv::RiseSetStatus::StaysAbove;
    for (int i = 0; i < qv::kTwilightCount && (shown || i < page.twilightLines); ++i) {
        const qv::RiseSet twilight = shown ? select(place.series[i + 1], transit) : qv::RiseSet{};
        sun.add(twilight, i < page.twilightLines ? page.twilights[i] : qv::RiseSet{}, place.series[i + 1]);
        shown = shown && twilight.status != qv::RiseSetStatus::StaysAbove;
    }

    const qv::Vec3 moonVector = qv::moonApparentEquatorial(qv::Instant{mjd, site.deltaTSeconds}, eqeq, eclLongitude);
    const qv::Vec3 topocentric = moonVector - qv::observerPosition(mjd, eqeq, site.latitudeRad, site.longitudeRad, 0.0);
    qv::horizonCoordinates(mjd, eqeq, site.latitudeRad, site.longitudeRad, 0.0, true, moonVector, azimuth, altitude,
                           distance);
    moon.add(select(place.series[4], mjd),
             qv::moonRiseSet(site, mjd, moonVector, qv::norm(topocentric), altitude * qv::kDegPerRad, eqeq),
             place.series[4]);
}

TEST(PolarRiseSetCrossCheck, EventsTheRuleSelectsAgreeAndNonePrintedIsInvented) {
    const std::vector<Place> places = readReference();
    ASSERT_EQ(places.size(), 12u) << "reference table missing or damaged";
    for (const Place& place : places) {
        const qv::EventSite site{place.latitudeDeg * qv::kRadPerDeg, place.longitudeDeg * qv::kRadPerDeg, 0.0,
                                 place.deltaTSeconds};
        Agreement sun;
        Agreement moon;
        for (int day = 0; day < 366; ++day)
            for (double hours : {std::fmod(day * 5.3, 12.0), std::fmod(day * 5.3, 12.0) + 12.0})
                checkInstant(place, site, kMjd2024 + day + hours / 24.0, sun, moon);
        std::printf("%+6.2f  Sun %4d/%4d %5.1f %%, %d of %d printed invented   Moon %4d/%4d %5.1f %%, %d of %d "
                    "printed invented\n",
                    place.latitudeDeg, sun.agreed, sun.selected, sun.percent(), sun.invented, sun.printed,
                    moon.agreed, moon.selected, moon.percent(), moon.invented, moon.printed);
        EXPECT_GE(sun.percent(), 95.0) << place.latitudeDeg;
        EXPECT_GE(moon.percent(), 95.0) << place.latitudeDeg;
        EXPECT_EQ(sun.invented + moon.invented, 0) << place.latitudeDeg;
    }
}

}  // namespace
