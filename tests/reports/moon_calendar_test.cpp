// The Moon calendar's data: every evening of a year against PyEphem, and the phases, eclipses
// and holidays it marks against the year's own tables.
#include "reports/moon_calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "base/time_zone.h"
#include "calendars/holidays.h"
#include "support/reference_data.h"

namespace {

constexpr double kSecond = 1.0 / 86400.0;

qv::SettingsRecord vienna2026()
{
    qv::SettingsRecord settings;
    settings.time.year = 2026;
    qv::findTimeZone("Europe/Vienna", settings.time.zone);
    settings.observer = {48.21, 16.37, 170.0, "Vienna"};
    return settings;
}

// Every evening of 2026 in Vienna, 21:00 through both clock changes, against PyEphem's
// geocentric lit fraction (tools/ephem_moon_evenings.py). Measured: at most 0.0021.
TEST(MoonCalendar, LitFractionOfEveryEveningAgreesWithPyEphem)
{
    const auto rows = qv::testing::readTable("reports/data/ephem_moon_evenings.txt");
    const qv::MoonCalendar calendar = qv::moonCalendar(vienna2026(), 0);
    ASSERT_EQ(rows.size(), 365u);
    ASSERT_EQ(calendar.days.size(), rows.size());
    double worst = 0.0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const qv::MoonCalendarDay& day = calendar.days[i];
        EXPECT_EQ(std::atoi(rows[i][0].c_str() + 5), day.month) << rows[i][0];
        EXPECT_EQ(std::atoi(rows[i][0].c_str() + 8), day.day) << rows[i][0];
        EXPECT_NEAR(day.eveningUT, std::stod(rows[i][1]), kSecond) << rows[i][0];
        worst = std::max(worst, std::fabs(day.litFraction - std::stod(rows[i][2])));
    }
    EXPECT_LT(worst, 0.003);
    // The bright limb faces west (position angle near 270) while the Moon waxes, east while it wanes.
    EXPECT_NEAR(calendar.days[20].brightLimbAngleDeg, 250.0, 30.0);  // Jan 21, a waxing crescent
    EXPECT_NEAR(calendar.days[9].brightLimbAngleDeg, 100.0, 30.0);   // Jan 10, waning
}

// One month holds that month's days from the right weekday, and exactly the phases, eclipses and
// holidays of the whole year that fall in it.
TEST(MoonCalendar, MonthHoldsTheYearsMarksOfThatMonth)
{
    const qv::SettingsRecord settings = vienna2026();
    const qv::MoonCalendar year = qv::moonCalendar(settings, 0);
    EXPECT_EQ(year.phases.size(), 50u);
    EXPECT_EQ(year.eclipses.size(), 4u);
    EXPECT_EQ(year.holidays.size(), qv::yearHolidays(2026, qv::deltaTRule(settings.time)).size());
    int supermoons = 0;
    for (const qv::MoonCalendarPhase& phase : year.phases)
        supermoons += phase.supermoon;
    EXPECT_GE(supermoons, 2);

    std::size_t phases = 0, eclipses = 0, holidays = 0, days = 0;
    for (int month = 1; month <= 12; ++month) {
        const qv::MoonCalendar one = qv::moonCalendar(settings, month);
        for (const qv::MoonCalendarDay& day : one.days)
            EXPECT_EQ(day.month, month);
        EXPECT_EQ(one.days.front().weekday, year.days[days].weekday);
        days += one.days.size();
        for (const qv::MoonCalendarPhase& phase : one.phases) {
            EXPECT_EQ(phase.month, month);
            EXPECT_EQ(phase.timeText, year.phases[phases++].timeText);
        }
        eclipses += one.eclipses.size();
        holidays += one.holidays.size();
    }
    EXPECT_EQ(days, year.days.size());
    EXPECT_EQ(phases, year.phases.size());
    EXPECT_EQ(eclipses, year.eclipses.size());
    EXPECT_EQ(holidays, year.holidays.size());
    EXPECT_EQ(year.days.front().weekday, 3);  // 1 January 2026 is a Thursday
    EXPECT_FALSE(year.southernView);
}

}  // namespace
