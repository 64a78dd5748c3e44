#include "base/zone_rule.h"

#include <gtest/gtest.h>

#include "base/julian.h"

namespace qv {
namespace {

constexpr int kHourS = 3600;

// Seconds since 1970 of a UT date and time.
double unixSeconds(int year, int month, int day, int hours, int minutes = 0, int seconds = 0)
{
    return (modifiedJulianDate(day, month, year, 0.0) - kMjdOfUnixEpoch) * kSecondsPerDay + hours * kHourS +
           minutes * 60 + seconds;
}

// The daylight span of 2024 in rules of every date form, with change times beyond 0..24 hours
// and in minutes and seconds. The rules of the named zones (Nuuk's -1:00, Jerusalem's 26:00,
// Dublin's daylight time in winter) are checked against zoneinfo in time_zone_test.
TEST(ZoneRuleTest, DaylightTimeBeginsAndEndsOnTheRulesDates)
{
    struct Case {
        const char* rule;
        double beginS, endS;  // the daylight span of 2024
        int daylightOffsetS;
    };
    const Case cases[] = {
        // 29 February not counted in Jn: J60 is 1 March, J300 27 October (0:00 at +1).
        {"AAA0BBB,J60/0,J300/0", unixSeconds(2024, 3, 1, 0), unixSeconds(2024, 10, 26, 23), kHourS},
        // Counted from 0 with 29 February: day 59 is 29 February, day 299 26 October.
        {"AAA0BBB,59/0,299/0", unixSeconds(2024, 2, 29, 0), unixSeconds(2024, 10, 25, 23), kHourS},
        // 50 hours after the fourth Thursday (28 March, 24 October), at +2 and +3.
        {"EET-2EEST,M3.4.4/50,M10.4.4/50", unixSeconds(2024, 3, 30, 0), unixSeconds(2024, 10, 25, 23), 3 * kHourS},
        // Minutes and seconds; the first Sunday (7 January) plus 167:30:15, the last Saturday of
        // December (28th) less 167 hours.
        {"<+0030>-0:30<+0130>-1:30,M1.1.0/167:30:15,M12.5.6/-167", unixSeconds(2024, 1, 13, 23, 0, 15),
         unixSeconds(2024, 12, 20, 23, 30), 5400},
    };
    for (const Case& c : cases) {
        const std::optional<ZoneRule> rule = ZoneRule::read(c.rule);
        ASSERT_TRUE(rule.has_value()) << c.rule;
        const ZoneRuleSpan span = rule->spanAt(0.5 * (c.beginS + c.endS));
        EXPECT_EQ(span.beginS, c.beginS) << c.rule;
        EXPECT_EQ(span.endS, c.endS) << c.rule;
        EXPECT_EQ(span.offsetS, c.daylightOffsetS) << c.rule;
    }
}

TEST(ZoneRuleTest, TextsNotOfTheFormAreNotRead)
{
    for (const char* text : {"", "AB0", "<AB>0", "<ABC0", "ABC", "ABC25", "ABC-1:60", "ABC0DEF", "ABC0DEF-1",
                             "ABC0DEF,M3.5.0", "ABC0DEF,M13.1.0,M10.5.0", "ABC0DEF,M3.6.0,M10.5.0",
                             "ABC0DEF,M3.5.7,M10.5.0", "ABC0DEF,J0,J365", "ABC0DEF,366,0",
                             "ABC0DEF,M3.5.0/168,M10.5.0", "ABC0DEF,M3.5.0/1:2:60,M10.5.0", "ABC0DEF,M3.5.0,M10.5.0 ",
                             "ABC0DEF,M3.5.0/,M10.5.0"})
        EXPECT_FALSE(ZoneRule::read(text).has_value()) << '"' << text << '"';
    const std::optional<ZoneRule> fixed = ZoneRule::read("<+0545>-5:45");
    ASSERT_TRUE(fixed.has_value());
    EXPECT_EQ(fixed->spanAt(0.0).offsetS, 5 * kHourS + 45 * 60);
}

}  // namespace
}  // namespace qv
