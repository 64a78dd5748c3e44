// Special eclipses: the central points on a surface above the Earth, the track and the label.
#include "eclipse/special_eclipse.h"

#include <gtest/gtest.h>

#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/eclipse_geometry.h"
#include "reports/special_eclipse_label.h"
#include "reports/year_tables.h"
#include "support/year_settings.h"

namespace {

constexpr double kMinute = 1.0 / 1440.0;  // days
constexpr double kDeltaT2024 = 69.184;     // seconds
const double kGreatest2024 = qv::modifiedJulianDate(8, 4, 2024, 18.0 + 17.0 / 60.0);

// On the ellipsoid at height 0 the surface is the Earth itself: the same point and kind as the
// shadow engine's central line, and no second point.
TEST(SpecialEclipse, HeightZeroEllipsoidIsTheOrdinaryCentralLine)
{
    int central = 0;
    for (double offset = -90.0; offset <= 90.0; offset += 5.0) {
        const double t = kGreatest2024 + offset * kMinute;
        const qv::MoonShadow shadow = qv::moonShadowAt(qv::Instant{t, kDeltaT2024});
        const int eclipseClass = shadow.shadow.eclipseClass;
        const qv::ElevatedCentralPoints points = qv::elevatedCentralPoints(qv::Instant{t, kDeltaT2024}, 0.0, true);
        EXPECT_EQ(points.exit.kind, qv::kNoElevatedPoint);
        if (eclipseClass < qv::kSolarCentralAnnular) {
            EXPECT_EQ(points.entry.kind, qv::kNoElevatedPoint) << offset;
            continue;
        }
        ++central;
        EXPECT_EQ(points.entry.kind, eclipseClass == qv::kSolarCentralTotal ? qv::kElevatedTotal : qv::kElevatedAnnular);
        EXPECT_NEAR(points.entry.latitudeDeg, shadow.latitudeRad * qv::kDegPerRad, 1e-9) << offset;
        EXPECT_NEAR(points.entry.longitudeDeg, shadow.longitudeRad * qv::kDegPerRad, 1e-9) << offset;
    }
    EXPECT_GT(central, 20);
    // A negative height counts as the Earth's surface.
    const qv::ElevatedCentralPoints below = qv::elevatedCentralPoints(qv::Instant{kGreatest2024, kDeltaT2024}, -50.0, true);
    const qv::ElevatedCentralPoints surface = qv::elevatedCentralPoints(qv::Instant{kGreatest2024, kDeltaT2024}, 0.0, true);
    EXPECT_EQ(below.entry.latitudeDeg, surface.entry.latitudeDeg);
    EXPECT_EQ(below.entry.longitudeDeg, surface.entry.longitudeDeg);
}

// At geostationary height the shell is hit before and after the shadow axis meets the Earth;
// while the axis misses the Earth it crosses the shell twice, entering and leaving it.
TEST(SpecialEclipse, LargeHeightGivesTwoPointsWhileTheAxisMissesTheEarth)
{
    constexpr double kHeightKm = 35786.0;
    const std::vector<qv::TrackPoint> track = qv::specialEclipseTrack(qv::Instant{kGreatest2024, kDeltaT2024}, kHeightKm, false);
    int instantsWithTwo = 0;
    for (double t = kGreatest2024 - 0.2; t < kGreatest2024 + 0.2; t += kMinute) {
        const qv::ElevatedCentralPoints points = qv::elevatedCentralPoints(qv::Instant{t, kDeltaT2024}, kHeightKm, false);
        if (points.exit.kind == qv::kNoElevatedPoint)
            continue;
        ++instantsWithTwo;
        ASSERT_NE(points.entry.kind, qv::kNoElevatedPoint);
        EXPECT_FALSE(qv::moonShadowAt(qv::Instant{t, kDeltaT2024}).central());
        EXPECT_FALSE(points.entry.latitudeDeg == points.exit.latitudeDeg &&
                     points.entry.longitudeDeg == points.exit.longitudeDeg);
    }
    EXPECT_GT(instantsWithTwo, 10);
    EXPECT_GT(track.size(), static_cast<std::size_t>(instantsWithTwo));
}

// The Moon's shadow lies only beyond the Moon as seen from the Sun. A surface reaching past the
// Moon has no central point where the axis enters it between the Sun and the Moon: none at the
// greatest eclipse, where the Earth hides the exit, and elsewhere only the exit far beyond the
// Moon, where the umbra has long ended (annular).
TEST(SpecialEclipse, SurfaceBeyondTheMoonHasPointsOnlyBehindIt)
{
    for (double heightKm : {384400.0, 1e6}) {
        const qv::ElevatedCentralPoints points = qv::elevatedCentralPoints(qv::Instant{kGreatest2024, kDeltaT2024}, heightKm, false);
        EXPECT_EQ(points.entry.kind, qv::kNoElevatedPoint) << heightKm;
        EXPECT_EQ(points.exit.kind, qv::kNoElevatedPoint) << heightKm;
    }
    const std::vector<qv::TrackPoint> track = qv::specialEclipseTrack(qv::Instant{kGreatest2024, kDeltaT2024}, 1e6, true);
    EXPECT_GT(track.size(), 1000u);
    for (const qv::TrackPoint& point : track)
        ASSERT_EQ(point.kind, qv::kElevatedAnnular) << point.latitudeDeg << " " << point.longitudeDeg;
}

// Every minute of the four days evaluated: the track as it would be without passing over the
// instants whose shadow axis stays far from the surface.
std::vector<qv::TrackPoint> everyMinuteTrack(double centreUT, double deltaTSeconds, double heightKm, bool ellipsoid)
{
    std::vector<qv::TrackPoint> track;
    for (int i = 0;; ++i) {
        const double t = centreUT - 2.0 + i * 0.000694444;
        if (t >= centreUT + 2.0)
            break;
        const qv::ElevatedCentralPoints points = qv::elevatedCentralPoints(qv::Instant{t, deltaTSeconds}, heightKm, ellipsoid);
        for (const qv::ElevatedCentralPoint& point : {points.entry, points.exit})
            if (point.kind != qv::kNoElevatedPoint)
                track.push_back({point.kind, point.latitudeDeg, point.longitudeDeg});
    }
    return track;
}

// The track equals the every-minute scan point for point, around solar eclipses from -9999 to
// 9999 (centred on greatest eclipse, up to a day off it, and a week off it where there is no
// central point), from the Earth's surface to beyond the Moon, on the sphere and the ellipsoid,
// with its minutes shared out to one to four threads.
TEST(SpecialEclipse, TrackEqualsTheEveryMinuteScan)
{
    constexpr double kCentreOffsetsDays[] = {0.0, 0.4, -0.9, 7.0};
    int tracks = 0;
    for (int year = -9999; year <= 9999; year += 1111) {
        const qv::SettingsRecord settings = qv::test::settingsFor(year, 0.0);
        for (const qv::EclipseEvent& eclipse : qv::eclipsesOfYear(settings)) {
            if (!qv::isSolar(eclipse.kind))
                continue;
            for (double heightKm : {0.0, 400.0, 35786.0, 500000.0}) {
                // Offsets, heights and surfaces in changing combinations.
                const double centreUT = eclipse.greatest.mjdUT + kCentreOffsetsDays[tracks % 5 % 4];
                const bool ellipsoid = tracks++ % 3 == 0;
                const int threads = tracks % 4 + 1;
                const std::vector<qv::TrackPoint> fast =
                    qv::specialEclipseTrack(eclipse.greatest.at(centreUT), heightKm, ellipsoid, threads);
                const std::vector<qv::TrackPoint> literal =
                    everyMinuteTrack(centreUT, eclipse.greatest.deltaTSeconds, heightKm, ellipsoid);
                ASSERT_EQ(fast.size(), literal.size()) << year << " " << heightKm << " " << threads;
                for (std::size_t i = 0; i < fast.size(); ++i) {
                    ASSERT_EQ(fast[i].kind, literal[i].kind);
                    ASSERT_EQ(fast[i].latitudeDeg, literal[i].latitudeDeg);
                    ASSERT_EQ(fast[i].longitudeDeg, literal[i].longitudeDeg);
                }
            }
        }
    }
    EXPECT_GT(tracks, 100);
}

// The label of one instant, and the same label after stepping forward and back again by any step.
TEST(SpecialEclipse, LabelAndSteppingBackAndForth)
{
    double heightKm = 0.0;
    double mjdUT = qv::modifiedJulianDate(8, 4, 2024, qv::dmsToDecimal(18, 17, 0));
    const auto label = [&] {
        return qv::specialEclipseLabel(mjdUT, heightKm, qv::elevatedCentralPoints(qv::Instant{mjdUT, kDeltaT2024}, heightKm, true));
    };
    const std::string first = label();
    EXPECT_EQ(first, "2024 APR  8  18:17:00 UT   h:     0.0 km    tot.  25.18  -104.26");
    for (double step : {1.0, 7.0, 300.0, 3600.0}) {
        for (int i = 0; i < 500; ++i)
            mjdUT += step / qv::kSecondsPerDay;
        for (int i = 0; i < 500; ++i)
            mjdUT -= step / qv::kSecondsPerDay;
        EXPECT_EQ(label(), first) << step;
    }
    heightKm = 400.5;  // away from New Moon: no central point
    mjdUT = qv::modifiedJulianDate(1, 1, 2024, 0.0);
    EXPECT_EQ(label(), "2024 JAN  1   0:00:00 UT   h:   400.5 km ");
}

}  // namespace
