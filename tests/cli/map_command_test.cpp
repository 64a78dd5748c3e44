// The map pictures of the batch companion against golden pictures, their points, and refusals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli_args.h"
#include "maps/map_view.h"
#include "reports/eclipse_map.h"
#include "reports/year_tables.h"
#include "support/golden_text.h"
#include "test_environment.h"

namespace qv {
namespace {

// A file in the temporary directory of this test process alone.
std::string temporaryPath(const std::string& name)
{
    return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
}

// Pixels of a rectangle where any colour channel differs by more than 2.
int differingPixels(const QImage& a, const QImage& b, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 ||
                std::abs(qBlue(p) - qBlue(q)) > 2)
                ++count;
        }
    return count;
}

QImage readPicture(const std::string& path)
{
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
}

// The picture the command writes to a temporary file NAME, read back (null when it failed).
QImage writtenPicture(const std::string& name, std::vector<std::string> words)
{
    const std::string path = temporaryPath(name);
    words.insert(words.end(), {"--out", path});
    const CliResult result = runInProcess(words);
    EXPECT_EQ(result.status, 0) << result.err;
    const QImage picture = readPicture(path);
    std::filesystem::remove(path);
    return picture;
}

// The picture the command writes against tests/golden/maps/NAME: the map itself pixel for
// pixel, the caption strip with room for another font's rendering of the text. On a
// difference the picture is kept as NAME.actual.png in the working directory.
void expectGoldenPicture(const std::string& name, const std::vector<std::string>& words)
{
    const QImage actual = writtenPicture(name, words);
    const QImage golden = readPicture(test::sourcePath("tests/golden/maps/" + name));
    actual.save(QString::fromStdString(name + ".actual.png"));
    ASSERT_FALSE(golden.isNull()) << name;
    ASSERT_EQ(actual.size(), golden.size()) << name;
    EXPECT_EQ(differingPixels(actual, golden, QRect(0, 0, 721, 361)), 0) << name;
    EXPECT_LT(differingPixels(actual, golden, QRect(0, 361, 721, 51)), 1500) << name;
    if (!::testing::Test::HasFailure())
        std::filesystem::remove(name + ".actual.png");
}

// Pixels of the 1x picture within the area whose colour none of the 2 x 2 pixels of the 2x
// picture at the same place has.
int pixelsMissingAtTwiceTheSize(const QImage& single, const QImage& twice, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb colour = single.pixel(x, y);
            if (twice.pixel(2 * x, 2 * y) != colour && twice.pixel(2 * x + 1, 2 * y) != colour &&
                twice.pixel(2 * x, 2 * y + 1) != colour && twice.pixel(2 * x + 1, 2 * y + 1) != colour)
                ++count;
        }
    return count;
}

TEST(MapCommand, PicturesMatchTheGoldenPictures)
{
    expectGoldenPicture("map_2024_2_world_grid30_meridian-90.png",
                        {"map", "--year", "2024", "--eclipse", "2", "--grid", "1", "--meridian", "-90"});
    expectGoldenPicture("map_2017_4_north_grid10.png",
                        {"map", "--year", "2017", "--eclipse", "4", "--projection", "1", "--grid", "2"});
    expectGoldenPicture("map_2023_1_physical_meridian120.png",
                        {"map", "--year", "2023", "--eclipse", "1", "--projection", "3", "--meridian", "120"});
    expectGoldenPicture("map_2021_4_south_white.png", {"map", "--year", "2021", "--eclipse", "4", "--projection",
                                                       "2", "--grey", "0", "--meridian", "30", "--borders", "0"});
    expectGoldenPicture("special_2024-04-08_geostationary.png",
                        {"special", "--date", "2024-04-08", "--time", "18:17:00", "--sat-height", "35786",
                         "--sat-step", "300"});
}

// A written map holds the map and its caption strip, nothing of the empty page beside and
// below them; --scale 2 draws the same picture at twice the size, its lines and points where
// the 1x picture has them.
TEST(MapCommand, PicturesHoldMapAndCaptionAtTheScaleAskedFor)
{
    const std::vector<std::string> commands[] = {
        {"map", "--year", "2024", "--eclipse", "2", "--grid", "2", "--projection", "1"},
        {"special", "--date", "2024-04-08", "--time", "18:17:00", "--sat-height", "35786"},
    };
    for (const auto& words : commands) {
        const QImage single = writtenPicture("single.png", words);
        std::vector<std::string> scaled = words;
        scaled.insert(scaled.end(), {"--scale", "2"});
        const QImage twice = writtenPicture("twice.png", scaled);
        ASSERT_EQ(single.size(), QSize(721, 412)) << words[0];
        ASSERT_EQ(twice.size(), QSize(1442, 824)) << words[0];
        // Aligned, about 1,200 pixels of lines drawn twice as wide differ at their steps; a
        // picture off by one map pixel misses over 6,000.
        EXPECT_LT(pixelsMissingAtTwiceTheSize(single, twice, QRect(0, 0, 721, 361)), 2000) << words[0];
        EXPECT_EQ(twice.pixel(1441, 823), qRgb(0, 0, 255)) << words[0];  // the caption strip's corner
    }
}

// The settings the command builds from its words.
SettingsRecord settingsOf(const std::vector<std::string>& words)
{
    CliArgs args(words);
    CliOptions options;
    std::string error;
    EXPECT_EQ(parseCliOptions(args.argc(), args.argv(), options, error), kCliExitOk) << error;
    SettingsRecord settings;
    applyCliOptions(options, 0, settings);
    return settings;
}

// Whether a device pixel within one view pixel of the point has the central line's colour
// (total: blue, the line's middle at full strength even when smoothed).
bool centralColourNear(const QImage& picture, QPointF pixel, double scale)
{
    for (int y = static_cast<int>(std::floor((pixel.y() - 1.0) * scale));
         y <= static_cast<int>(std::floor((pixel.y() + 1.0) * scale)); ++y)
        for (int x = static_cast<int>(std::floor((pixel.x() - 1.0) * scale));
             x <= static_cast<int>(std::floor((pixel.x() + 1.0) * scale)); ++x) {
            if (!picture.valid(x, y))
                continue;
            const QRgb colour = picture.pixel(x, y);
            if (qRed(colour) <= 80 && qGreen(colour) <= 80 && qBlue(colour) >= 200)
                return true;
        }
    return false;
}

// The written view of 2024's total eclipse draws its central line through every central-line
// point the view shows, within a pixel of where the point projects: for the whole world, the
// framed path and 3 degrees around Dallas (the observer's place), at two sizes, at scale 1 and
// 2. Points under the markers of greatest eclipse and of the observer, and under the
// observer's name beside its marker, are not looked at.
TEST(MapCommand, ViewDrawsTheCentralLineWhereItsPointsProject)
{
    const std::vector<std::string> base = {"map", "--year", "2024", "--eclipse", "2", "--lat", "32.78",
                                           "--lon", "-96.80", "--name", "Dallas", "--grid", "2"};
    const SettingsRecord settings = settingsOf(base);
    const EclipseMapPoints points = eclipseMapPoints(settings, eclipsesOfYear(settings).at(1));
    ASSERT_GT(points.centralLine.size(), 100u);
    const struct {
        const char* view;
        double latitude, longitude, span;
    } views[] = {{"0,0,360", 0.0, 0.0, 360.0}, {"path", 0.0, 0.0, 0.0}, {"32.78,-96.80,3", 32.78, -96.80, 3.0}};
    for (const auto& v : views)
        for (const QSize size : {QSize(1000, 560), QSize(640, 900)})
            for (const int scale : {1, 2}) {
                const std::string label = std::string(v.view) + " " + std::to_string(size.width()) + "x" +
                                          std::to_string(size.height()) + " scale " + std::to_string(scale);
                std::vector<std::string> words = base;
                words.insert(words.end(), {"--view", v.view, "--size",
                                           std::to_string(size.width()) + "x" + std::to_string(size.height()),
                                           "--scale", std::to_string(scale)});
                const QImage picture = writtenPicture("view.png", words);
                ASSERT_EQ(picture.size(), size * scale) << label;
                MapView view = wholeWorldView(MapProjection::SimpleWorld, 0.0, viewAreaOfPicture(size), scale);
                if (std::string(v.view) == "path") {
                    view = frameOfPath(points, view);
                } else {
                    view.centreLatitudeDeg = v.latitude;
                    view.centreLongitudeDeg = v.longitude;
                    view.spanDeg = v.span;
                }
                const QPointF greatest = projectToView(view, points.greatest.latitudeDeg, points.greatest.longitudeDeg);
                const QPointF observer = projectToView(view, 32.78, -96.80);
                const QRectF name(observer + QPointF(0.0, -12.0), QSizeF(60.0, 20.0));
                const QRectF inside = QRectF(QPointF(), QSizeF(view.size)).adjusted(2, 2, -2, -2);
                int looked = 0, missed = 0;
                for (const CentralLinePoint& central : points.centralLine) {
                    const QPointF pixel = projectToView(view, central.latitudeDeg, central.longitudeDeg);
                    if (!inside.contains(pixel) || QLineF(pixel, greatest).length() < 8.0 ||
                        QLineF(pixel, observer).length() < 8.0 || name.contains(pixel))
                        continue;
                    ++looked;
                    if (!centralColourNear(picture, pixel, scale)) {
                        ++missed;
                        ADD_FAILURE() << label << ": no central line at " << pixel.x() << "," << pixel.y();
                    }
                    if (missed > 3)
                        break;
                }
                EXPECT_GE(looked, 4) << label;
            }
}

// The points of the 2024 map: the central line from the Pacific over Mexico to the Atlantic,
// the limits and rise/set curves, greatest eclipse last; the special track beside its label.
TEST(MapCommand, PointsArePrintedOnePerLine)
{
    const CliResult map = runInProcess({"map", "--year", "2024", "--eclipse", "2", "--points"});
    ASSERT_EQ(map.status, 0) << map.err;
    EXPECT_EQ(map.out.rfind("central 5 -7.8228 -158.5323\ncentral 5 -7.7335 -157.8807\n", 0), 0u) << map.out.substr(0, 80);
    EXPECT_NE(map.out.find("\nlimit -37.4015 -144.5326\n"), std::string::npos);
    EXPECT_NE(map.out.find("\nriseset -15.1995 -143.0734\nriseset "), std::string::npos);
    EXPECT_EQ(map.out.substr(map.out.rfind("\ngreatest")), "\ngreatest 25.2595 -104.1677\n");
    const std::string pointsFile = temporaryPath("points.txt");
    const CliResult toFile = runInProcess({"map", "--year", "2024", "--eclipse", "2", "--points", "--out", pointsFile});
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(testing::readTextFile(pointsFile), map.out);
    std::filesystem::remove(pointsFile);

    const CliResult special = runInProcess({"special", "--date", "2024-04-08", "--time", "18:17:00", "--sat-height",
                                            "0", "--ellipsoid", "--points"});
    ASSERT_EQ(special.status, 0) << special.err;
    EXPECT_EQ(special.out.rfind("2024 APR  8  18:17:00 UT   h:     0.0 km    tot.  25.20  -104.22\ntrack 1 ", 0), 0u)
        << special.out.substr(0, 120);
}

// --steps moves the label as the window's arrow keys do, --sat-step at a time, and leaves the
// track where it was; steps past the last year are refused.
TEST(MapCommand, SpecialStepsMoveTheLabelOnly)
{
    const std::vector<std::string> common = {"special", "--sat-height", "0", "--ellipsoid", "--date", "2024-04-08"};
    const auto run = [&](std::vector<std::string> more) {
        std::vector<std::string> words = common;
        words.insert(words.end(), more.begin(), more.end());
        return runInProcess(words);
    };
    const CliResult at = run({"--time", "18:17:00", "--points"});
    const CliResult forward = run({"--time", "17:47:00", "--sat-step", "60", "--steps", "30", "--points"});
    const CliResult back = run({"--time", "18:18:05", "--sat-step", "13", "--steps", "-5"});
    ASSERT_EQ(forward.status, 0) << forward.err;
    const std::string atLabel = at.out.substr(0, at.out.find('\n') + 1);
    EXPECT_EQ(forward.out.substr(0, forward.out.find('\n') + 1), atLabel);
    EXPECT_EQ(back.out, atLabel);
    const CliResult centred = run({"--time", "17:47:00", "--points"});
    EXPECT_EQ(forward.out.substr(forward.out.find('\n')), centred.out.substr(centred.out.find('\n')));
    const CliResult beyond =
        runInProcess({"special", "--date", "9999-12-31", "--time", "23:00:00", "--sat-step", "3600", "--steps", "2"});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_EQ(beyond.err, "quorvel-cli: --steps: Year must be between -9999 and 9999.\n");
}

// A number that is no solar eclipse of the year and a missing output: one line on standard
// error, exit status 2; a PNG that cannot be written: one line with the reason, exit status 1;
// no file touched or left behind.
TEST(MapCommand, RefusalsLeaveNothingWritten)
{
    const std::string path = temporaryPath("kept.png");
    { std::ofstream(path) << "kept"; }
    const std::vector<std::string> cases[] = {
        {"map", "--year", "2024", "--eclipse", "1", "--out", path},  // the penumbral lunar eclipse
        {"map", "--year", "2024", "--eclipse", "5", "--out", path},  // 2024 has four eclipses
        {"map", "--year", "2024", "--out", path},
        {"map", "--year", "2024", "--eclipse", "2"},
        {"map", "--year", "2024", "--eclipse", "2", "--size", "800x600", "--out", path},
        {"special", "--date", "2024-04-08", "--view", "path", "--out", path},  // no band to frame
        {"special", "--date", "2024-04-08", "--size", "800x600", "--out", path},
        {"special", "--date", "2024-04-08", "--view", "20,-100,60"},
    };
    for (const auto& words : cases) {
        const CliResult result = runInProcess(words);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("quorvel-cli: "), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
    EXPECT_EQ(testing::readTextFile(path), "kept");
    std::filesystem::remove(path);
    const std::string missingFolder = temporaryPath("no-such-folder");
    for (const char* command : {"map", "special"}) {
        const CliResult result = runInProcess({command, "--year", "2024", "--eclipse", "2", "--date", "2024-04-08",
                                               "--out", missingFolder + "/map.png"});
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_EQ(result.out, "") << command;
        EXPECT_EQ(result.err, "quorvel-cli: cannot write '" + missingFolder + "/map.png': No such file or directory\n");
    }
    EXPECT_FALSE(std::filesystem::exists(missingFolder));
}

}  // namespace
}  // namespace qv
