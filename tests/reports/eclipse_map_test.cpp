// What the eclipse map plots: the central lines of 2017 and 2024 against PyEphem and against
// places on their published paths, the title, and the points whatever the angle display.
#include "reports/eclipse_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/constants.h"
#include "base/julian.h"
#include "base/vector.h"
#include "eclipse/eclipse_geometry.h"
#include "reports/year_tables.h"
#include "support/reference_data.h"
#include "support/year_settings.h"

namespace {

constexpr double kEarthRadiusKm = 6371.0;

qv::GeoPoint pointOf(const qv::CentralLinePoint& central) { return {central.latitudeDeg, central.longitudeDeg}; }

qv::Vec3 unitPoint(const qv::GeoPoint& point)
{
    const double lat = point.latitudeDeg * qv::kRadPerDeg, lon = point.longitudeDeg * qv::kRadPerDeg;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// Distance in km from a place to the central line, each one-minute segment taken as a great circle.
double distanceToLineKm(const qv::GeoPoint& place, const std::vector<qv::CentralLinePoint>& line)
{
    const qv::Vec3 p = unitPoint(place);
    double best = 1e9;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const qv::Vec3 a = unitPoint(pointOf(line[i])), b = unitPoint(pointOf(line[i + 1]));
        const qv::Vec3 normal = qv::unitVector(qv::cross(a, b));
        // The foot on the segment's great circle when it falls between its ends, else the nearer end.
        const qv::Vec3 foot = qv::unitVector(p - qv::dot(p, normal) * normal);
        const bool between = qv::dot(qv::cross(a, foot), normal) >= 0.0 && qv::dot(qv::cross(foot, b), normal) >= 0.0;
        for (const qv::Vec3& q : between ? std::vector<qv::Vec3>{foot} : std::vector<qv::Vec3>{a, b})
            best = std::min(best, std::acos(std::clamp(qv::dot(p, q), -1.0, 1.0)) * kEarthRadiusKm);
    }
    return best;
}

qv::SettingsRecord settingsOf(int year) { return qv::test::yearSettings(year, 0.0, qv::deltaTDefault(year), 0.0, 0.0); }

// The eclipse numbered number (from 1) of the year at zone 0.
qv::EclipseEvent eclipseOf(int year, int number) { return qv::eclipsesOfYear(settingsOf(year)).at(number - 1); }

qv::EclipseMapPoints mapOf(int year, int number) { return qv::eclipseMapPoints(settingsOf(year), eclipseOf(year, number)); }

std::string titleOf(int year, int number) { return qv::eclipseMapTitle(year, qv::TimeZone{}, eclipseOf(year, number)); }

struct PathPlace {
    const char* name;
    qv::GeoPoint place;
    double measuredKm;  // this program's distance, for the record
};

// Latitude of the central line where it crosses a meridian, interpolated between its minutes.
double latitudeAtLongitude(const std::vector<qv::CentralLinePoint>& line, double longitudeDeg)
{
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const qv::GeoPoint a = pointOf(line[i]);
        const qv::GeoPoint b = pointOf(line[i + 1]);
        if ((a.longitudeDeg - longitudeDeg) * (b.longitudeDeg - longitudeDeg) <= 0.0 && a.longitudeDeg != b.longitudeDeg)
            return a.latitudeDeg +
                   (b.latitudeDeg - a.latitudeDeg) * (longitudeDeg - a.longitudeDeg) / (b.longitudeDeg - a.longitudeDeg);
    }
    return qv::kNoMapPoint;
}

double kilometresBetween(const qv::TimedPoint& a, const qv::TimedPoint& b)
{
    return qv::greatCircleRad(a.latitudeDeg * qv::kRadPerDeg, a.longitudeDeg * qv::kRadPerDeg,
                              b.latitudeDeg * qv::kRadPerDeg, b.longitudeDeg * qv::kRadPerDeg) *
           kEarthRadiusKm;
}

// The nearest distance from a point to the ends of the lines (itself left out) or, with
// wholeLines, to any of their points.
double nearestKm(const qv::TimedPoint& point, const qv::TimedCurve& curve, bool wholeLines)
{
    double nearest = 1e9;
    for (const qv::TimedLine& line : curve)
        for (std::size_t i = 0; i < line.size(); ++i)
            if ((wholeLines || i == 0 || i + 1 == line.size()) && &line[i] != &point)
                nearest = std::min(nearest, kilometresBetween(point, line[i]));
    return nearest;
}

// The map's lines close where their curves meet, between the samples in time: the two
// branches of each sunrise/sunset curve end at one point, and each penumbral limit ends on a
// sunrise/sunset curve. Measured: branch ends within 1.3 km of each other, limit ends within
// 27 km of a curve's point (the limits and the curves come from two models of the penumbra).
TEST(EclipseMap, CurvesCloseWhereTheyMeet)
{
    constexpr double kBranchesMeetKm = 5.0;
    constexpr double kLimitOnCurveKm = 40.0;
    const std::pair<int, int> eclipses[] = {{2017, 4}, {2021, 2}, {2024, 2}, {2026, 3}, {2027, 1}, {2025, 2}};
    double branchesKm = 0.0, limitsKm = 0.0;
    for (const auto& [year, number] : eclipses) {
        const qv::PenumbralCurves curves = mapOf(year, number).curveLines;
        ASSERT_FALSE(curves.riseSet.empty()) << year;
        for (const qv::TimedLine& line : curves.riseSet)
            for (const qv::TimedPoint* end : {&line.front(), &line.back()})
                branchesKm = std::max(branchesKm, nearestKm(*end, curves.riseSet, false));
        for (const qv::TimedCurve* limit : {&curves.northernLimit, &curves.southernLimit})
            for (const qv::TimedLine& line : *limit)
                for (const qv::TimedPoint* end : {&line.front(), &line.back()})
                    limitsKm = std::max(limitsKm, nearestKm(*end, curves.riseSet, true));
    }
    EXPECT_LT(branchesKm, kBranchesMeetKm);
    EXPECT_LT(limitsKm, kLimitOnCurveKm);
}

// The central lines of 2017 (10 meridians) and 2024 (12 meridians) against PyEphem's. Measured:
// 2017 between 2.1 and 3.2 km north of PyEphem's line, 2024 within 0.9 km.
TEST(EclipseMap, CentralLinesMatchPyEphem)
{
    const auto rows = qv::testing::readTable("reports/data/ephem_central_lines.txt");
    ASSERT_EQ(rows.size(), 22u);
    const qv::EclipseMapPoints eclipse2017 = mapOf(2017, 4);
    const qv::EclipseMapPoints eclipse2024 = mapOf(2024, 2);
    for (const auto& row : rows) {
        const int year = std::stoi(row[0]);
        const qv::EclipseMapPoints& points = year == 2017 ? eclipse2017 : eclipse2024;
        const double longitude = std::stod(row[3]);
        const double offsetKm = (latitudeAtLongitude(points.centralLine, longitude) - std::stod(row[4])) * 111.2;
        EXPECT_NEAR(offsetKm, 0.0, 4.0) << year << " at " << longitude;
    }
}

// Measured distances (km): Mazatlan 22, Dallas 47, Cleveland 15, Montreal 81 (near the path's
// northern edge), Oregon coast 7, South Carolina coast 7. The bound is 15 km above each.
TEST(EclipseMap, CentralLinesFollowThePublishedPaths)
{
    struct Eclipse {
        int year, number;
        std::vector<PathPlace> places;
    };
    const Eclipse eclipses[] = {
        {2024, 2,
         {{"Mazatlan", {23.2, -106.4}, 22.1}, {"Dallas", {32.8, -96.8}, 47.3},
          {"Cleveland", {41.5, -81.7}, 14.5}, {"Montreal", {45.5, -73.6}, 81.1}}},
        {2017, 4, {{"Oregon coast", {44.8, -124.0}, 6.7}, {"South Carolina coast", {33.0, -79.5}, 6.5}}},
    };
    for (const Eclipse& eclipse : eclipses) {
        const qv::EclipseMapPoints points = mapOf(eclipse.year, eclipse.number);
        ASSERT_GT(points.centralLine.size(), 150u) << eclipse.year;
        EXPECT_TRUE(std::all_of(points.centralLine.begin(), points.centralLine.end(),
                                [](const qv::CentralLinePoint& p) { return p.kind == qv::EclipseKind::TotalSolar; }));
        for (const PathPlace& place : eclipse.places)
            EXPECT_LT(distanceToLineKm(place.place, points.centralLine), place.measuredKm + 15.0) << place.name;
        EXPECT_GT(points.curves.limits.size(), 100u);
        EXPECT_GT(points.curves.riseSet.size(), 300u);
    }
}

// The angle display does not move the points: they are plotted in decimal degrees.
TEST(EclipseMap, PointsAreDecimalDegreesWhateverTheDisplay)
{
    qv::SettingsRecord settings = settingsOf(2024);
    const qv::EclipseEvent eclipse = eclipseOf(2024, 2);
    const qv::EclipseMapPoints decimal = qv::eclipseMapPoints(settings, eclipse);
    settings.display.dmsAngles = 1;
    const qv::EclipseMapPoints packed = qv::eclipseMapPoints(settings, eclipse);
    ASSERT_EQ(decimal.centralLine.size(), packed.centralLine.size());
    EXPECT_EQ(decimal.centralLine[100].latitudeDeg, packed.centralLine[100].latitudeDeg);
    EXPECT_EQ(decimal.greatest.longitudeDeg, packed.greatest.longitudeDeg);
    EXPECT_NEAR(decimal.greatest.latitudeDeg, 25.2, 0.1);
}

TEST(EclipseMap, TitleNamesYearDateAndKind)
{
    EXPECT_EQ(titleOf(2024, 2), "  2024  APR  8    Total Eclipse of the Sun");
    EXPECT_EQ(titleOf(2024, 4), "  2024  OCT  2    Annular Eclipse of the Sun");
    EXPECT_EQ(titleOf(2023, 1), "  2023  APR 20    Annular/Total Eclipse of the Sun");
    EXPECT_EQ(titleOf(2025, 2), "  2025  MAR 29   Eclipse of the Sun");
    // A lunar eclipse has no map.
    EXPECT_EQ(titleOf(2024, 1), "");
    EXPECT_TRUE(mapOf(2024, 1).centralLine.empty());
}

}  // namespace
