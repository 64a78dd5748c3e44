// The printed year of the batch companion read back with Debian's PDF tools: its text is the
// text of the pages the companion prints, its pages have the paper and orientation asked for,
// and its maps show the central line where the map's points put it.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli_args.h"
#include "maps/map_drawing.h"
#include "maps/print_painting.h"
#include "support/pdf_tools.h"
#include "support/temp_file.h"

namespace qv {
namespace {

using testing::pdfBodyLines;
using testing::pdfInfo;
using testing::pdfPages;
using testing::pdfText;
using testing::TempFile;
using testing::textLines;

std::vector<std::string> with(std::vector<std::string> words, const std::vector<std::string>& more)
{
    words.insert(words.end(), more.begin(), more.end());
    return words;
}

// The tables, calendar, holidays, eclipse list and every eclipse's details on A4 portrait and
// Letter landscape (whose pages split the longer pages): pages of that size holding the same
// lines as the companion's own pages, every page with the header and its number.
TEST(PdfCommand, TextIsThePagesOfTheYearOnThePaperAsked)
{
    struct Case {
        std::vector<std::string> place;
        std::vector<std::string> paper;
        const char* pageSize;
        int eclipses;
    };
    const Case cases[] = {
        {{"--year", "2024", "--zone", "1", "--lat", "48.2", "--lon", "16.37", "--name", "Vienna"},
         {"--paper", "a4"}, "595 x 842 pts (A4)", 4},
        {{"--year", "1582", "--zone", "-5", "--lat", "-33.87", "--lon", "151.21", "--step", "10"},
         {"--landscape", "--paper", "letter"}, "792 x 612 pts (letter)", 6},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<std::string>> commands = {{"phases"}, {"calendar"}, {"holidays"}, {"eclipses"}};
        for (int n = 1; n <= c.eclipses; ++n)
            commands.push_back({"eclipse", "--eclipse", std::to_string(n)});
        std::vector<std::string> expected;
        // Everything the commands print, but the screen's hint to click an eclipse's line.
        for (const std::vector<std::string>& command : commands)
            for (const std::string& line : textLines(runInProcess(with(command, c.place)).out))
                if (line.rfind("Clickat", 0) != 0)
                    expected.push_back(line);

        const TempFile file("year.pdf");
        const CliResult made = runInProcess(
            with(with({"pdf", "--pages", "phases,calendar,holidays,eclipses", "--out", file.path}, c.place), c.paper));
        ASSERT_EQ(made.status, kCliExitOk) << made.err;
        EXPECT_NE(pdfInfo(file.path).find(std::string("Page size:       ") + c.pageSize + "\n"), std::string::npos);
        const std::string text = pdfText(file.path);
        EXPECT_EQ(pdfBodyLines(text), expected) << c.place[1];

        const std::vector<std::vector<std::string>> pages = pdfPages(text);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(pages[i].front().substr(0, 11), "Quorvel" + c.place[1]);
            EXPECT_EQ(pages[i].back(), "Page" + std::to_string(i + 1) + "of" + std::to_string(pages.size()));
        }
    }
}

// The planets are printed only when named, and after the other parts whatever the order of
// the list: the companion's planets page follows its phases page.
TEST(PdfCommand, PlanetsAndDaylightPagesFollowTheOtherPartsWhenNamed)
{
    const std::vector<std::string> place = {"--year", "2026", "--tz", "Europe/Vienna", "--name", "Wien"};
    std::vector<std::string> expected = textLines(runInProcess(with({"phases"}, place)).out);
    const std::vector<std::string> planets = textLines(runInProcess(with({"phenomena"}, place)).out);
    ASSERT_GT(planets.size(), 150u);
    expected.insert(expected.end(), planets.begin(), planets.end());

    const TempFile file("planets.pdf");
    ASSERT_EQ(runInProcess(with({"pdf", "--pages", "planets,phases", "--paper", "a4", "--out", file.path}, place)).status,
              kCliExitOk);
    EXPECT_EQ(pdfBodyLines(pdfText(file.path)), expected);

    const TempFile whole("year.pdf");
    ASSERT_EQ(runInProcess(with({"pdf", "--paper", "a4", "--out", whole.path}, place)).status, kCliExitOk);
    const std::vector<std::string> lines = pdfBodyLines(pdfText(whole.path));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Planetsfor2026"), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Calendarfor2026"), 1);
    const auto daylightTitle = [](const std::string& line) { return line.find("Daylightandtwilight2026") == 0; };
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), daylightTitle), 0);

    // The daylight chart, named, is one page of its own after the others, titled as on screen.
    const TempFile chart("daylight.pdf");
    ASSERT_EQ(runInProcess(with({"pdf", "--pages", "daylight,phases", "--paper", "a4", "--out", chart.path}, place)).status,
              kCliExitOk);
    const std::vector<std::vector<std::string>> pages = pdfPages(pdfText(chart.path));
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(std::count_if(pages.back().begin(), pages.back().end(), daylightTitle), 1);
    EXPECT_EQ(std::count_if(pages.front().begin(), pages.front().end(), daylightTitle), 0);

    // The Moon calendar's year page and its twelve months, then each eclipse as seen, one page
    // each, titled with the place's name as typed.
    const TempFile pictures("pictures.pdf");
    ASSERT_EQ(runInProcess(with({"pdf", "--pages", "seen,moon", "--out", pictures.path}, place)).status, kCliExitOk);
    const std::vector<std::vector<std::string>> picturePages = pdfPages(pdfText(pictures.path));
    const std::vector<std::string> titles = {"MoonCalendar2026–Wien,zone", "MoonCalendarJanuary2026–Wien,zone",
                                             "MoonCalendarDecember2026–Wien,zone",
                                             "TotaleclipseoftheMoon–Wien,zone", "TotalEclipseoftheSun–Wien,zone"};
    const std::size_t titlePages[] = {0, 1, 12, 14, 15};
    ASSERT_EQ(picturePages.size(), 13u + 4u);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const std::vector<std::string>& lines = picturePages[titlePages[i]];
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const std::string& line) { return line.rfind(titles[i], 0) == 0; }))
            << titles[i];
    }
}

// A pixel of the rendered page in the map's colour: the central line's blue or red, far from
// the grey, white and the other curves' colours.
bool inColour(QRgb pixel, bool total)
{
    const int main = total ? qBlue(pixel) : qRed(pixel);
    const int other = std::max(qGreen(pixel), total ? qRed(pixel) : qBlue(pixel));
    return main > 180 && other < 90;
}

// Where the map point (x, y) of a page's map lies on the page rendered at dpi.
QPointF renderedAt(const QRectF& mapPt, QPointF mapPixel, int dpi)
{
    const double scale = dpi / 72.0;
    return QPointF((mapPt.left() + (mapPixel.x() + 0.5) * mapPt.width() / kMapWidthPx) * scale,
                   (mapPt.top() + (mapPixel.y() + 0.5) * mapPt.height() / kMapHeightPx) * scale);
}

// The central line of the map pages, rendered by pdftoppm: every point the map's points
// place on the map is drawn in the central line's colour, and nothing else on the map is.
TEST(PdfCommand, MapPagesShowTheCentralLineWhereItsPointsAre)
{
    struct Case {
        MapProjection projection;
        const char* meridian;
        int eclipse;
        int page;
        bool total;
    };
    const Case cases[] = {{MapProjection::SimpleWorld, "0", 2, 1, true}, {MapProjection::Southern, "-90", 4, 2, false}};
    constexpr int kDpi = 200;
    constexpr double kNearPx = 3.0;  // a point of the line is a 1.5 x 1.5 pixel square here
    const QRectF mapPt = printMapRect(printPageLayout(PrintPaper::kA4, false));
    for (const Case& c : cases) {
        const std::string projection = std::to_string(static_cast<int>(c.projection));
        const std::vector<std::string> style = {"--year", "2024", "--projection", projection,
                                                "--meridian", c.meridian};
        const TempFile file("maps.pdf");
        ASSERT_EQ(runInProcess(with(with({"pdf"}, style), {"--pages", "maps", "--paper", "a4", "--out", file.path})).status,
                  kCliExitOk);
        const QImage page(QString::fromStdString(testing::renderPdfPage(file.path, c.page, kDpi, file.dir + "/page")));
        ASSERT_FALSE(page.isNull());

        const MapGeometry geometry = mapGeometry(c.projection, std::atof(c.meridian));
        std::vector<QPointF> expected;
        std::istringstream points(
            runInProcess(with({"map", "--points", "--eclipse", std::to_string(c.eclipse)}, style)).out);
        std::string kind;
        for (int code; points >> kind && kind == "central";) {
            double latitude = 0.0, longitude = 0.0;
            points >> code >> latitude >> longitude;
            const QPoint pixel = projectToMap(geometry, latitude, longitude);
            if (pixel.x() >= 0 && pixel.x() < kMapWidthPx && pixel.y() >= 0 && pixel.y() < kMapHeightPx)
                expected.push_back(renderedAt(mapPt, pixel, kDpi));
        }
        ASSERT_GT(expected.size(), 50u) << c.eclipse;

        auto near = [](QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()) <= kNearPx; };
        std::vector<QPointF> coloured;
        const QRectF mapPx(mapPt.topLeft() * (kDpi / 72.0), mapPt.size() * (kDpi / 72.0));
        for (int y = static_cast<int>(mapPx.top()); y < mapPx.bottom(); ++y)
            for (int x = static_cast<int>(mapPx.left()); x < mapPx.right(); ++x)
                if (inColour(page.pixel(x, y), c.total))
                    coloured.emplace_back(x + 0.5, y + 0.5);
        int found = 0;
        for (const QPointF& point : expected)
            found += std::any_of(coloured.begin(), coloured.end(), [&](QPointF p) { return near(p, point); });
        // The limits and the point of greatest eclipse are drawn over a few of the line's points.
        EXPECT_GE(found, static_cast<int>(expected.size() * 0.95)) << c.eclipse;
        for (const QPointF& pixel : coloured)
            EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [&](QPointF p) { return near(p, pixel); }))
                << c.eclipse << " stray pixel at " << pixel.x() << " " << pixel.y();
    }
}

TEST(PdfCommand, RefusesAnUnknownPart)
{
    EXPECT_EQ(runInProcess({"pdf", "--pages", "phases,moons", "--out", "x.pdf"}).err,
              "quorvel-cli: --pages: 'moons' is no part of the year; the parts are "
              "phases,calendar,holidays,eclipses,maps,planets,daylight,moon,seen\n");
}

}  // namespace
}  // namespace qv
