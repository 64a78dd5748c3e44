// An instant's TT - UT is the rule's for its own civil year, from either time scale, or the
// value the user fixed.
#include "base/instant.h"

#include <gtest/gtest.h>

namespace {

constexpr double kSecond = 1.0 / 86400.0;  // days

TEST(Instant, TakesTheTTMinusUTOfItsOwnYearFromEitherScale)
{
    const qv::DeltaTRule rule;
    struct Case {
        int year;
        double hour;  // on 1 January, UT
    };
    // Each side of New Year, in the present and far back, where TT - UT changes by tens of
    // seconds a year and spans days; six minutes from New Year, beyond the rule's yearly step,
    // within which a TT may belong to either year.
    for (const Case c : {Case{2024, 0.0}, Case{2023, -0.1}, Case{-2000, 0.0}, Case{-2001, -0.1},
                         Case{-9999, 12.0}, Case{9999, 12.0}}) {
        const double mjdUT = qv::modifiedJulianDate(1, 1, c.hour < 0.0 ? c.year + 1 : c.year, c.hour);
        const qv::Instant fromUT = qv::instantAtUT(mjdUT, rule);
        EXPECT_EQ(fromUT.deltaTSeconds, qv::deltaTDefault(c.year)) << c.year;
        const qv::Instant fromTT = qv::instantAtTT(fromUT.mjdTT(), rule);
        EXPECT_EQ(fromTT.deltaTSeconds, fromUT.deltaTSeconds) << c.year;
        EXPECT_NEAR(fromTT.mjdUT, mjdUT, 1e-4 * kSecond) << c.year;
    }
    // A fixed value holds for every year, and a scan's samples keep their instant's value.
    const qv::Instant fixed = qv::instantAtUT(-1e6, qv::DeltaTRule{false, 42.5});
    EXPECT_EQ(fixed.deltaTSeconds, 42.5);
    EXPECT_EQ(fixed.later(400.0).deltaTSeconds, 42.5);
    EXPECT_EQ(fixed.at(0.0).mjdTT(), 42.5 * kSecond);
}

}  // namespace
