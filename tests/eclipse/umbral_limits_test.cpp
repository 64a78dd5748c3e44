// The umbral limits of total and annular eclipses: against an independent PyEphem computation,
// and against the program's own local circumstances just inside and outside each limit.
#include "eclipse/umbral_limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/circumstances.h"
#include "reports/eclipse_map.h"
#include "reports/year_tables.h"
#include "support/reference_data.h"
#include "support/year_settings.h"

namespace {

constexpr double kKmPerDegree = 111.2;

struct MappedEclipse {
    qv::SettingsRecord settings;
    qv::EclipseEvent eclipse;
    qv::EclipseMapPoints points;
};

MappedEclipse mapped(int year, int number)
{
    MappedEclipse m{qv::test::settingsFor(year, 0.0), {}, {}};
    m.eclipse = qv::eclipsesOfYear(m.settings).at(number - 1);
    m.points = qv::eclipseMapPoints(m.settings, m.eclipse);
    return m;
}

// Latitude of a limit where it crosses a meridian, interpolated between its minutes.
double latitudeAt(const std::vector<qv::UmbralLimitPoint>& limit, double longitudeDeg)
{
    for (std::size_t i = 0; i + 1 < limit.size(); ++i) {
        const qv::UmbralLimitPoint& a = limit[i];
        const qv::UmbralLimitPoint& b = limit[i + 1];
        if ((a.longitudeDeg - longitudeDeg) * (b.longitudeDeg - longitudeDeg) <= 0.0 && a.longitudeDeg != b.longitudeDeg)
            return a.latitudeDeg +
                   (b.latitudeDeg - a.latitudeDeg) * (longitudeDeg - a.longitudeDeg) / (b.longitudeDeg - a.longitudeDeg);
    }
    return qv::kNoMapPoint;
}

// East and north components (km) from one point to another nearby.
void offsetKm(const qv::UmbralLimitPoint& from, const qv::UmbralLimitPoint& to, double& east, double& north)
{
    double dLon = to.longitudeDeg - from.longitudeDeg;
    dLon -= 360.0 * std::round(dLon / 360.0);
    east = dLon * kKmPerDegree * std::cos(from.latitudeDeg * qv::kRadPerDeg);
    north = (to.latitudeDeg - from.latitudeDeg) * kKmPerDegree;
}

qv::Observer placeBeside(const qv::UmbralLimitPoint& point, double east, double north)
{
    return {point.latitudeDeg + north / kKmPerDegree,
            point.longitudeDeg + east / (kKmPerDegree * std::cos(point.latitudeDeg * qv::kRadPerDeg)), 0.0};
}

// The limits of 2017 (10 meridians) and 2024 (12) against PyEphem's. Measured: 2024 within
// 1.0 km; 2017 2.0 to 3.2 km north on both sides, as its central line lies north of PyEphem's
// (the two lunar theories differ there); the path up to 0.3 km narrower (in latitude), as the
// Moon's radius here (0.272493) is below the reference's (0.2725076 Earth radii).
TEST(UmbralLimits, MatchPyEphem)
{
    const auto rows = qv::testing::readTable("eclipse/data/ephem_umbral_limits.txt");
    ASSERT_EQ(rows.size(), 22u);
    const MappedEclipse eclipse2017 = mapped(2017, 4);
    const MappedEclipse eclipse2024 = mapped(2024, 2);
    for (const auto& row : rows) {
        const bool is2017 = std::stoi(row[0]) == 2017;
        const qv::UmbralLimits& limits = (is2017 ? eclipse2017 : eclipse2024).points.umbralLimits;
        const double longitude = std::stod(row[3]);
        const double northKm = (latitudeAt(limits.northern, longitude) - std::stod(row[4])) * kKmPerDegree;
        const double southKm = (latitudeAt(limits.southern, longitude) - std::stod(row[5])) * kKmPerDegree;
        const double boundKm = is2017 ? 3.5 : 1.2;
        EXPECT_NEAR(northKm, 0.0, boundKm) << row[0] << " northern at " << longitude;
        EXPECT_NEAR(southKm, 0.0, boundKm) << row[0] << " southern at " << longitude;
        EXPECT_NEAR(northKm - southKm, 0.0, 0.35) << row[0] << " width at " << longitude;
    }
}

// At every tenth vertex of both limits a place 3 km inside the path sees the central phase and
// one 3 km outside does not, by the local circumstances the details show. Where the Sun stands
// below 5 degrees refraction, which the local circumstances include, moves the limit by more.
TEST(UmbralLimits, AgreeWithLocalCircumstances)
{
    constexpr double kBesideKm = 3.0;
    const std::pair<int, int> eclipses[] = {{2017, 4}, {2024, 2}, {2023, 3}};  // total, total, annular
    for (const auto& [year, number] : eclipses) {
        const MappedEclipse m = mapped(year, number);
        const qv::UmbralLimits& limits = m.points.umbralLimits;
        ASSERT_GT(limits.northern.size(), 100u) << year;
        ASSERT_GT(limits.southern.size(), 100u) << year;
        int checked = 0;
        for (const auto* limit : {&limits.northern, &limits.southern}) {
            const auto& other = limit == &limits.northern ? limits.southern : limits.northern;
            for (std::size_t i = 1; i + 1 < limit->size(); i += 10) {
                const qv::UmbralLimitPoint& point = (*limit)[i];
                double alongEast = 0.0, alongNorth = 0.0, acrossEast = 0.0, acrossNorth = 0.0;
                offsetKm((*limit)[i - 1], (*limit)[i + 1], alongEast, alongNorth);
                offsetKm(point, other[std::min(i, other.size() - 1)], acrossEast, acrossNorth);
                // The normal of the limit, turned towards the other limit.
                double east = -alongNorth, north = alongEast;
                const double length = std::hypot(east, north);
                const double sign = east * acrossEast + north * acrossNorth > 0.0 ? 1.0 : -1.0;
                east *= sign * kBesideKm / length;
                north *= sign * kBesideKm / length;
                const qv::EclipseCircumstances inside =
                    qv::eclipseCircumstances(m.eclipse, placeBeside(point, east, north));
                if (inside.local.maxElevationRad < 5.0 * qv::kRadPerDeg)
                    continue;
                const qv::EclipseCircumstances outside =
                    qv::eclipseCircumstances(m.eclipse, placeBeside(point, -east, -north));
                EXPECT_TRUE(inside.local.hasCentralPhase()) << year << " vertex " << i;
                EXPECT_FALSE(outside.local.hasCentralPhase()) << year << " vertex " << i;
                ++checked;
            }
        }
        EXPECT_GT(checked, 30) << year;
    }
}

// An instant when the umbra has not yet reached the Earth has no limit point.
TEST(UmbralLimits, NoPointBeforeTheUmbraTouches)
{
    const MappedEclipse m = mapped(2024, 2);
    qv::UmbralLimitPoint point;
    EXPECT_FALSE(qv::umbralLimitPoint(m.eclipse.greatest.later(-0.1), qv::LimitSide::Northern, point));
    ASSERT_TRUE(qv::umbralLimitPoint(m.eclipse.greatest, qv::LimitSide::Southern, point));
    EXPECT_EQ(point.side, qv::LimitSide::Southern);
}

}  // namespace
