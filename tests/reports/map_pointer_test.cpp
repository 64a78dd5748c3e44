// The map's answers under the pointer: the share of the Sun covered against a count of grid
// cells, the distance from the central line against points set off it by known distances, and
// the panel's text at Dallas, New York and Vienna for 8 April 2024.
#include "reports/map_pointer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/constants.h"
#include "base/earth_figure.h"
#include "reports/eclipse_map.h"
#include "reports/year_tables.h"
#include "support/year_settings.h"

namespace {

// The share of a unit disc at the origin covered by a disc of radius k at distance d, counted
// on a grid of cells.
double countedObscuration(double k, double d)
{
    constexpr int kCells = 800;
    long inside = 0, covered = 0;
    for (int i = 0; i < kCells; ++i)
        for (int j = 0; j < kCells; ++j) {
            const double x = -1.0 + (i + 0.5) * 2.0 / kCells, y = -1.0 + (j + 0.5) * 2.0 / kCells;
            if (x * x + y * y > 1.0)
                continue;
            ++inside;
            covered += (x - d) * (x - d) + y * y <= k * k ? 1 : 0;
        }
    return double(covered) / inside;
}

}  // namespace

TEST(MapPointer, ObscurationMatchesTheCoveredShareOfTheDisc)
{
    for (double k : {0.5, 0.95, 1.0, 1.06})
        for (double d = 0.0; d < 1.0 + k + 0.1; d += 0.125)
            EXPECT_NEAR(qv::discObscuration(1.0, k, d), countedObscuration(k, d), 0.004) << "k " << k << " d " << d;
    // The units do not matter: radii and separation in degrees as well as in Sun radii.
    EXPECT_NEAR(qv::discObscuration(0.267, 0.267 * 0.9, 0.267 * 0.5), qv::discObscuration(1.0, 0.9, 0.5), 1e-12);
}

TEST(MapPointer, DistanceFromTheCentralLineOfPointsSetOffIt)
{
    const qv::SettingsRecord settings = qv::test::settingsFor(2024, 0.0);
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    const std::vector<qv::CentralLinePoint> line = qv::eclipseMapPoints(settings, eclipse).centralLine;
    ASSERT_GT(line.size(), 100u);
    const double kmPerDegree = qv::kShadowEarthRadiusKm * qv::kRadPerDeg;
    for (std::size_t i = 10; i + 10 < line.size(); i += 7) {
        // Halfway between two points, set off across the line's direction there.
        const double latitude = (line[i].latitudeDeg + line[i + 1].latitudeDeg) / 2.0;
        const double longitude = (line[i].longitudeDeg + line[i + 1].longitudeDeg) / 2.0;
        const double cosLatitude = std::cos(latitude * qv::kRadPerDeg);
        const double east = (line[i + 1].longitudeDeg - line[i].longitudeDeg) * cosLatitude;
        const double north = line[i + 1].latitudeDeg - line[i].latitudeDeg;
        const double length = std::hypot(east, north);
        for (double offsetKm : {0.0, 25.0, -60.0}) {
            const double degrees = offsetKm / kmPerDegree;
            const double offLatitude = latitude + east / length * degrees;
            const double offLongitude = longitude - north / length * degrees / cosLatitude;
            EXPECT_NEAR(qv::distanceToCentralLineKm(line, offLatitude, offLongitude), std::fabs(offsetKm), 1.0)
                << "point " << i << " offset " << offsetKm;
        }
    }
    EXPECT_EQ(qv::distanceToCentralLineKm({}, 0.0, 0.0), -1.0);
}

TEST(MapPointer, PanelTextInTheBandBesideItAndWhereNothingIsSeen)
{
    const qv::SettingsRecord settings = qv::test::settingsFor(2024, -5.0);
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    const std::vector<qv::CentralLinePoint> line = qv::eclipseMapPoints(settings, eclipse).centralLine;
    const auto text = [&](double latitude, double longitude) {
        return qv::mapPointAnswerText(qv::mapPointAnswer(eclipse, line, latitude, longitude), eclipse.kind,
                                      settings.time.zone);
    };
    EXPECT_EQ(text(32.78, -96.80) + "\n" + text(40.71, -74.01) + "\n" + text(48.21, 16.37),
              "32.78 N  96.80 W\n"
              "Maximum APR  8 13:43, magnitude 1.015\n"
              "Obscuration 100.0 %\n"
              "Totality 3 min 54 s, 46 km from the central line\n"
              "40.71 N  74.01 W\n"
              "Maximum APR  8 14:26, magnitude 0.911\n"
              "Obscuration 90.0 %\n"
              "48.21 N  16.37 E\n"
              "No eclipse seen here");
}
