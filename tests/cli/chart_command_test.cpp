// The daylight chart written by the batch companion: its bands where the day's events fall,
// the CSV of the data it draws, the SVG file, and refusals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <QXmlStreamReader>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_args.h"
#include "maps/daylight_chart.h"

namespace qv {
namespace {

const std::vector<std::string> kVienna = {"--date", "2026-01-01", "--lat", "48.2082", "--lon", "16.3738",
                                          "--tz", "Europe/Vienna", "--name", "Vienna"};
constexpr int kWidthPx = 1400;
constexpr int kHeightPx = 900;
constexpr double kOnePixel = 1.0;

std::string temporaryPath(const std::string& name)
{
    return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
}

std::vector<std::string> viennaChart(std::vector<std::string> words)
{
    words.insert(words.begin(), {"chart", "daylight"});
    words.insert(words.end(), kVienna.begin(), kVienna.end());
    return words;
}

SettingsRecord viennaSettings()
{
    SettingsRecord settings;
    settings.time.year = 2026;
    findTimeZone("Europe/Vienna", settings.time.zone);
    settings.observer = Observer{48.2082, 16.3738, 0.0, "Vienna"};
    return settings;
}

// The middle of the rows between the last pixel of the band above and the first of the band
// below around row y of column x (the sunrise and sunset lines lie between them); NaN when
// either band is missing there.
double edgeBetween(const QImage& chart, int x, double y, QColor above, QColor below)
{
    constexpr int kSearchPx = 5;
    int lastAbove = -1;
    int firstBelow = -1;
    for (int row = static_cast<int>(y) - kSearchPx; row <= static_cast<int>(y) + kSearchPx; ++row) {
        const QRgb pixel = chart.pixel(x, row) & RGB_MASK;
        if (pixel == (above.rgb() & RGB_MASK))
            lastAbove = row;
        if (pixel == (below.rgb() & RGB_MASK) && firstBelow < 0)
            firstBelow = row;
    }
    if (lastAbove < 0 || firstBelow < 0)
        return std::nan("");
    return (lastAbove + 1 + firstBelow) / 2.0;
}

// Whether row y is within two pixels of an hour line of the grid, which tints the bands there.
bool nearHourLine(const DaylightChartLayout& layout, double y)
{
    constexpr int kGridHours = 3;
    const double hours = (layout.plot.bottom() - y) * 24.0 / layout.plot.height();
    return std::abs(layout.yOfHour(std::round(hours / kGridHours) * kGridHours) - y) < 2.5;
}

// For three days of the year every band edge of the written chart lies within a pixel of the
// time of its event (the days keep off month lines, clock changes and seasons; edges on an
// hour line of the grid are left out).
TEST(ChartCommand, DaylightBandEdgesFallOnTheDaysEvents)
{
    const std::string path = temporaryPath("daylight.png");
    const CliResult result = runInProcess(viennaChart({"--size", "1400x900", "--out", path}));
    ASSERT_EQ(result.status, 0) << result.err;
    const QImage chart = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    std::filesystem::remove(path);
    ASSERT_EQ(chart.size(), QSize(kWidthPx, kHeightPx));

    const DaylightYear year = daylightYear(viennaSettings());
    const DaylightChartLayout layout = daylightChartLayout(QSizeF(kWidthPx, kHeightPx), 365);
    const DaylightBand bands[] = {DaylightBand::Day, DaylightBand::Civil, DaylightBand::Nautical,
                                  DaylightBand::Astronomical, DaylightBand::Night};
    int edges = 0;
    for (int index : {40, 125, 321}) {  // 10 February, 6 May, 18 November
        const DaylightDay& day = year.days[index];
        const int x = static_cast<int>(layout.xOfDay(index + 0.5));
        for (int level = 0; level < kDaylightLevels; ++level) {
            const RiseSet& crossing = daylightLevel(day, level);
            ASSERT_TRUE(crossing.found());
            const QColor brighter = daylightBandColour(bands[level]);
            const QColor darker = daylightBandColour(bands[level + 1]);
            // Morning: the brighter band above the edge; evening: below it.
            for (const bool morning : {true, false}) {
                const double y =
                    layout.yOfHour(localHoursOfDay(day, morning ? crossing.riseUT : crossing.setUT, year.zone));
                if (nearHourLine(layout, y))
                    continue;
                EXPECT_NEAR(edgeBetween(chart, x, y, morning ? brighter : darker, morning ? darker : brighter), y,
                            kOnePixel)
                    << index << " " << level << " " << morning;
                ++edges;
            }
        }
    }
    EXPECT_GE(edges, 20);  // of 24: four levels, morning and evening, three days
}

// Near the pole the bands fill the day: in June's midnight sun the whole column is day, in the
// polar night of December the Sun reaches nautical twilight at noon and stays in night at
// midnight; the CSV has no sunrise then.
TEST(ChartCommand, PolarDayAndNightFillTheColumn)
{
    const std::vector<std::string> longyearbyen = {"chart", "daylight", "--date", "2026-01-01", "--lat", "78.2232",
                                                   "--lon", "15.6267", "--tz", "Arctic/Longyearbyen"};
    const std::string path = temporaryPath("polar.png");
    std::vector<std::string> words = longyearbyen;
    words.insert(words.end(), {"--size", "1400x900", "--out", path});
    ASSERT_EQ(runInProcess(words).status, 0);
    const QImage chart = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    std::filesystem::remove(path);
    const DaylightChartLayout layout = daylightChartLayout(QSizeF(kWidthPx, kHeightPx), 365);
    const auto bandAt = [&](int dayIndex, double hours) {
        return QColor(chart.pixel(static_cast<int>(layout.xOfDay(dayIndex + 0.5)), static_cast<int>(layout.yOfHour(hours))));
    };
    for (double hours = 0.5; hours < 24.0; hours += 1.0)  // between the grid's hour lines
        EXPECT_EQ(bandAt(160, hours), daylightBandColour(DaylightBand::Day)) << hours;  // 10 June
    EXPECT_EQ(bandAt(343, 0.5), daylightBandColour(DaylightBand::Night));            // 10 December
    EXPECT_EQ(bandAt(343, 11.5), daylightBandColour(DaylightBand::Nautical));

    words = longyearbyen;
    words.insert(words.end(), {"--format", "csv"});
    const std::string csv = runInProcess(words).out;
    EXPECT_NE(csv.find("\n2026-06-10,-,-,-,-,-,-,-,-\n"), std::string::npos);
    EXPECT_NE(csv.find("\n2026-12-10,-,-,-,-,"), std::string::npos);
}

TEST(ChartCommand, CsvAndSvgAreTheChartsData)
{
    const CliResult csv = runInProcess(viennaChart({"--format", "csv"}));
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out, daylightCsv(daylightYear(viennaSettings())));

    const std::string path = temporaryPath("daylight.svg");
    const CliResult svg = runInProcess(viennaChart({"--size", "900x560", "--out", path}));
    ASSERT_EQ(svg.status, 0) << svg.err;
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    std::filesystem::remove(path);
    QXmlStreamReader xml(QString::fromStdString(text.str()));
    QString title;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("title"))
            title = xml.readElementText();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title.toStdString(), daylightChartTitle(viennaSettings()));
}

TEST(ChartCommand, RefusalsLeaveNothingWritten)
{
    const std::string path = temporaryPath("refused.png");
    const std::vector<std::vector<std::string>> refused = {
        {"chart", "--out", path},
        {"chart", "sundial", "--out", path},
        {"chart", "daylight", "--out", temporaryPath("refused.jpg")},
        {"chart", "daylight"},
        {"chart", "daylight", "--format", "json", "--out", path},
        {"chart", "moon", "--format", "csv"},
        {"chart", "eclipse", "--out", path},
        {"chart", "eclipse", "--eclipse", "5", "--year", "2024", "--out", path},
    };
    for (const std::vector<std::string>& words : refused) {
        const CliResult result = runInProcess(words);
        EXPECT_EQ(result.status, 2) << words[1];
        EXPECT_NE(result.err.find("quorvel-cli: "), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
}  // namespace qv
