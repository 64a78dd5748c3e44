// The printed year of the batch companion read back with Debian's PDF tools: its text is the
// text of the pages the companion prints, its pages have the paper and orientation asked for,
// and its maps show the central line where the map's points put it.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <filesystem>
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

// The non-blank lines, whitespace set aside, of what the companion prints for these words.
std::vector<std::string> printedLines(const std::vector<std::string>& words)
{
    const CliResult result = runInProcess(words);
    EXPECT_EQ(result.status, kCliExitOk) << result.err;
    return textLines(result.out);
}

// Writes the pdf of these words to the temporary file and returns pdftotext's text of it.
std::string pdfOf(const std::vector<std::string>& words, const TempFile& file)
{
    const CliResult result = runInProcess(with(words, {"--out", file.path}));
    EXPECT_EQ(result.status, kCliExitOk) << result.err;
    EXPECT_EQ(result.out, "");
    return pdfText(file.path);
}

// The tables, calendar, holidays, eclipse list and every eclipse's details, on both papers and
// orientations (landscape pages split the longer pages): the same lines as the companion's
// own pages, and on every page the header and the page number.
TEST(PdfCommand, TextIsThePagesOfTheYear)
{
    struct Case {
        std::vector<std::string> place;
        std::vector<std::string> page;
        int eclipses;
    };
    const Case cases[] = {
        {{"--year", "2024", "--zone", "1", "--lat", "48.2", "--lon", "16.37", "--name", "Vienna"}, {"--paper", "a4"}, 4},
        {{"--year", "1582", "--zone", "-5", "--lat", "-33.87", "--lon", "151.21", "--step", "10"},
         {"--paper", "letter", "--landscape"}, 6},
    };
    for (const Case& c : cases) {
        std::vector<std::string> expected;
        for (const char* command : {"phases", "calendar", "holidays", "eclipses"})
            for (const std::string& line : printedLines(with({command}, c.place)))
                expected.push_back(line);
        for (int n = 1; n <= c.eclipses; ++n)
            for (const std::string& line : printedLines(with({"eclipse", "--eclipse", std::to_string(n)}, c.place)))
                expected.push_back(line);

        const TempFile file("year.pdf");
        const std::string text =
            pdfOf(with(with({"pdf", "--pages", "phases,calendar,holidays,eclipses"}, c.place), c.page), file);
        EXPECT_EQ(pdfBodyLines(text), expected) << c.place[1];

        const std::vector<std::vector<std::string>> pages = pdfPages(text);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(pages[i].front().substr(0, 11), "Quorvel" + c.place[1]);
            EXPECT_EQ(pages[i].back(), "Page" + std::to_string(i + 1) + "of" + std::to_string(pages.size()));
        }
    }
}

TEST(PdfCommand, PagesHaveThePaperAndOrientationAsked)
{
    struct Case {
        std::vector<std::string> options;
        const char* pageSize;
    };
    const Case cases[] = {
        {{"--paper", "a4"}, "Page size:       595 x 842 pts (A4)"},
        {{"--paper", "a4", "--landscape"}, "Page size:       842 x 595 pts (A4)"},
        {{"--paper", "letter"}, "Page size:       612 x 792 pts (letter)"},
        {{"--landscape", "--paper", "letter"}, "Page size:       792 x 612 pts (letter)"},
    };
    for (const Case& c : cases) {
        const TempFile file("calendar.pdf");
        const CliResult result =
            runInProcess(with({"pdf", "--year", "2024", "--pages", "calendar", "--out", file.path}, c.options));
        ASSERT_EQ(result.status, kCliExitOk) << result.err;
        const std::string info = pdfInfo(file.path);
        EXPECT_NE(info.find(c.pageSize), std::string::npos) << info;
        EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
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
        int projection;
        const char* meridian;
        int eclipse;
        int page;
        bool total;
    };
    const Case cases[] = {{kSimpleWorldMap, "0", 2, 1, true}, {kSouthernMap, "-90", 4, 2, false}};
    constexpr int kDpi = 200;
    constexpr double kNearPx = 3.0;  // a point of the line is a 1.5 x 1.5 pixel square here
    const QRectF mapPt = printMapRect(printPageLayout(PrintPaper::kA4, false));
    for (const Case& c : cases) {
        const std::vector<std::string> style = {"--year", "2024", "--projection", std::to_string(c.projection),
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

TEST(PdfCommand, RefusesBadPartsAndWritesNothingWhenItCannot)
{
    const CliResult badPart = runInProcess({"pdf", "--pages", "phases,moons", "--out", "x.pdf"});
    EXPECT_EQ(badPart.status, kCliExitUsage);
    EXPECT_EQ(badPart.err, "quorvel-cli: --pages: 'moons' is no part of the year; the parts are "
                           "phases,calendar,holidays,eclipses,maps\n");
    EXPECT_EQ(runInProcess({"pdf", "--paper", "a3", "--out", "x.pdf"}).status, kCliExitUsage);
    EXPECT_EQ(runInProcess({"pdf", "--year", "2024"}).err, "quorvel-cli: pdf needs --out FILE.pdf\n");

    const TempFile file("missing/year.pdf");
    const CliResult missing = runInProcess({"pdf", "--pages", "calendar", "--out", file.path});
    EXPECT_EQ(missing.status, kCliExitFailure);
    EXPECT_EQ(missing.err, "quorvel-cli: cannot write '" + file.path + "': No such file or directory\n");
    EXPECT_TRUE(std::filesystem::is_empty(file.dir));
}

}  // namespace
}  // namespace qv
