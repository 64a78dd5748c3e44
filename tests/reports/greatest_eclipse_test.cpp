// The greatest eclipse: its point against published ones, and one instant and point in every
// page, map and file that names it.
#include "eclipse/greatest_eclipse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "base/julian.h"
#include "reports/eclipse_canon.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_map.h"
#include "reports/eclipse_path.h"
#include "reports/eclipse_reports.h"
#include "reports/year_tables.h"
#include "support/year_settings.h"

namespace {

// Published greatest eclipse of partial eclipses (the ground point nearest the shadow axis):
// 15 February 2018 at 71.0 S, 0.6 E; 25 October 2022 at 61.6 N, 77.4 E; 29 March 2025 at
// 61.1 N, 77.1 W. Measured: within 0.051 degrees.
TEST(GreatestEclipse, PointOfPartialEclipsesMatchesThePublishedOne)
{
    struct Case {
        int year, month, day;
        double latitudeDeg, longitudeDeg;
    };
    constexpr double kToleranceDeg = 0.08;
    for (const Case& c : {Case{2018, 2, 15, -71.0, 0.6}, Case{2022, 10, 25, 61.6, 77.4}, Case{2025, 3, 29, 61.1, -77.1}}) {
        const qv::SettingsRecord settings = qv::test::settingsFor(c.year, 0.0);
        std::optional<qv::EclipseEvent> found;
        for (const qv::EclipseEvent& eclipse : qv::eclipsesOfYear(settings))
            if (std::fabs(eclipse.greatest.mjdUT - qv::modifiedJulianDate(c.day, c.month, c.year, 12.0)) < 1.0)
                found = eclipse;
        ASSERT_TRUE(found.has_value()) << c.year;
        const qv::GreatestEclipse greatest = qv::greatestEclipse(*found);
        EXPECT_FALSE(greatest.central);
        EXPECT_NEAR(greatest.latitudeDeg, c.latitudeDeg, kToleranceDeg) << c.year;
        EXPECT_NEAR(greatest.longitudeDeg, c.longitudeDeg, kToleranceDeg) << c.year;
    }
    // A lunar eclipse has an instant and no point.
    const qv::EclipseEvent lunar = qv::eclipsesOfYear(qv::test::settingsFor(2024, 0.0)).at(0);
    ASSERT_EQ(lunar.kind, qv::EclipseKind::PenumbralLunar);
    const qv::GreatestEclipse none = qv::greatestEclipse(lunar);
    EXPECT_EQ(none.latitudeDeg, 0.0);
    EXPECT_EQ(none.longitudeDeg, 0.0);
    EXPECT_NEAR(none.instant.mjdUT, lunar.greatest.mjdUT, 0.01);
}

// Every product that names the greatest eclipse names the one instant and point: the year's
// table, the eclipse list, the details, the canon, the map and the path file; over solar and
// lunar eclipses from -9999 to 9999 in two zones.
TEST(GreatestEclipse, OneInstantAndPointEverywhere)
{
    int checked = 0;
    for (int year = -9999; year <= 9999; year += 1111) {
        for (double zoneHours : {0.0, 5.5}) {
            const qv::SettingsRecord settings = qv::test::settingsFor(year, zoneHours);
            const qv::YearTables tables = qv::computeYearTables(settings);
            const std::string yearTable = qv::yearTablesSaveText(tables);
            const std::vector<qv::EclipseEvent> eclipses = qv::eclipsesOfYear(settings);
            qv::PageBuffer list;
            qv::buildEclipseListPage(year, settings.time.zone, eclipses, list);
            std::string listText;
            for (const qv::PageLine& line : list.lines)
                listText += line.text + "\n";
            for (const qv::EclipseEvent& eclipse : eclipses) {
                const qv::GreatestEclipse greatest = qv::greatestEclipse(eclipse);
                SCOPED_TRACE(testing::Message() << year << " zone " << zoneHours << " at " << greatest.instant.mjdUT);
                char local[qv::kDateTimeLength + 1] = {}, tabbed[qv::kDateTimeLength + 1] = {};
                qv::formatDateTime(qv::localMjd(greatest.instant.mjdUT, settings.time.zone), local);
                qv::formatDateTimeTabbed(qv::localMjd(greatest.instant.mjdUT, settings.time.zone), tabbed);
                EXPECT_NE(yearTable.find(std::string(tabbed, qv::kDateTimeShown)), std::string::npos);
                EXPECT_NE(listText.find(std::string(local, 6)), std::string::npos);
                EXPECT_NE(qv::eclipseDetailsText(settings, eclipse).find("Maximum Eclipse at " + std::string(local, 12)),
                          std::string::npos);
                if (zoneHours != 0.0)
                    continue;
                int hour = 0, minute = 0;
                ASSERT_EQ(std::sscanf(local + 7, "%d:%d", &hour, &minute), 2);
                char hourMinute[8];
                std::snprintf(hourMinute, sizeof hourMinute, "%02d:%02d", hour, minute);
                EXPECT_EQ(qv::canonLine({eclipse, greatest}, qv::CanonFormat::Text, true).substr(12, 5), hourMinute);
                if (!qv::isSolar(eclipse.kind))
                    continue;
                const qv::EclipsePath path = qv::eclipsePath(settings, eclipse);
                EXPECT_EQ(path.greatestUT, greatest.instant.mjdUT);
                for (const qv::GeoPoint& point : {qv::eclipseMapPoints(settings, eclipse).greatest, path.greatest}) {
                    EXPECT_EQ(point.latitudeDeg, greatest.latitudeDeg);
                    EXPECT_EQ(point.longitudeDeg, greatest.longitudeDeg);
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 30);
}

}  // namespace
