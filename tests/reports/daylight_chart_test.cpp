// The daylight chart's year of events against the Sun and Moon Details text of every day at the
// time it is shown for, at a place with daylight saving, a polar one and a southern one.
#include "reports/daylight_chart.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "base/julian.h"
#include "reports/sky_details.h"

namespace qv {
namespace {

struct Place {
    const char* name;
    double latitudeDeg;
    double longitudeDeg;
    const char* zone;
};

// "HH:MM" of a "MMM DD HH:MM" the details print.
std::string clockOf(const std::string& printed)
{
    std::string clock = printed.substr(7, 5);
    if (clock[0] == ' ')
        clock[0] = '0';
    return clock;
}

// The CSV line of one day read off the Sun's part of the details text: its rise and set, then
// each twilight line; "-" for "always above/below", for the twilight lines not shown, and for
// a pair of which neither time is on the day ("MMM DD" as the details print it).
std::string csvLineFromDetails(const std::string& date, const std::string& printedDay, const std::string& details)
{
    const std::string sun = details.substr(0, details.find("MOON:"));
    std::string line = date;
    const auto appendPair = [&](const std::regex& pattern, const std::string& text) {
        std::smatch match;
        const bool found = std::regex_search(text, match, pattern) &&
                           (match.str(1).substr(0, 6) == printedDay || match.str(2).substr(0, 6) == printedDay);
        for (int i = 1; i <= 2; ++i) {
            line += ',';
            line += found ? clockOf(match[i]) : std::string("-");
        }
    };
    appendPair(std::regex("Rise: (.{12})     Set: (.{12})"), sun);
    for (const char* twilight : {"Civil", "Nautical", "Astronomical"})
        appendPair(std::regex(std::string(twilight) + " Twilight *: (.{12})  -  (.{12})"), sun);
    line += '\n';
    return line;
}

TEST(DaylightChart, CsvEqualsTheDetailsOfEveryDay)
{
    const Place places[] = {{"Vienna", 48.2082, 16.3738, "Europe/Vienna"},
                            {"Longyearbyen", 78.2232, 15.6267, "Arctic/Longyearbyen"},
                            {"Sydney", -33.8688, 151.2093, "Australia/Sydney"}};
    for (const Place& place : places) {
        SettingsRecord settings;
        settings.time.year = 2026;
        ASSERT_TRUE(findTimeZone(place.zone, settings.time.zone));
        settings.observer = Observer{place.latitudeDeg, place.longitudeDeg, 0.0, place.name};
        const DaylightYear year = daylightYear(settings);
        ASSERT_EQ(year.days.size(), 365u);
        std::string expected = "date,sunrise,sunset,civil_begin,civil_end,nautical_begin,nautical_end,"
                               "astronomical_begin,astronomical_end\n";
        SettingsRecord atShown = settings;
        for (const DaylightDay& day : year.days) {
            atShown.time.day = day.date.day;
            atShown.time.month = day.date.month;
            atShown.time.hour = day.shownSecondOfDay / 3600;
            atShown.time.minute = day.shownSecondOfDay / 60 % 60;
            atShown.time.second = day.shownSecondOfDay % 60;
            char date[16];
            std::snprintf(date, sizeof date, "2026-%02d-%02d", day.date.month, day.date.day);
            char month[4];
            monthAbbreviation(day.date.month, month);
            char printedDay[8];
            std::snprintf(printedDay, sizeof printedDay, "%s %2d", month, day.date.day);
            expected += csvLineFromDetails(date, printedDay, skyDetailsText(atShown));
        }
        EXPECT_EQ(daylightCsv(year), expected) << place.name;
    }
}

}  // namespace
}  // namespace qv
