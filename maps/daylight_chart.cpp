#include "maps/daylight_chart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "base/julian.h"

namespace qv {

namespace {

// Margins around the plot, in pixels: the title and the season labels above, the hours on
// the left, the months and the legend below.
constexpr double kTitleBandPx = 30.0;
constexpr double kSeasonLabelBandPx = 18.0;
constexpr double kLeftMarginPx = 52.0;
constexpr double kRightMarginPx = 16.0;
constexpr double kMonthLabelBandPx = 20.0;
constexpr double kLegendRowPx = 20.0;
// A little more than the legend's items take in one row; it wraps to as many rows as needed.
constexpr double kLegendWidthPx = 1150.0;
constexpr int kLegendMaxRows = 4;
constexpr double kLegendGapPx = 8.0;
constexpr double kSwatchPx = 14.0;
constexpr double kSwatchLinePx = 22.0;
constexpr double kLegendItemGapPx = 18.0;
constexpr double kTitleFontPx = 15.0;
constexpr double kTextFontPx = 12.0;
constexpr double kSmallFontPx = 10.5;
constexpr int kHourStep = 3;
constexpr double kHoursPerDayChart = 24.0;
constexpr double kColumnOverlapPx = 0.75;
constexpr const char* kFontFamily = "DejaVu Sans";

// Band colours, brightest first: in grey their brightness falls about 230, 205, 140, 85, 35.
struct BandStyle {
    DaylightBand band;
    QRgb colour;
    const char* label;
};
constexpr BandStyle kBands[] = {
    {DaylightBand::Day, 0xFFE9A0, "Day"},
    {DaylightBand::Civil, 0xB9D3EE, "Civil twilight"},
    {DaylightBand::Nautical, 0x6F93C6, "Nautical twilight"},
    {DaylightBand::Astronomical, 0x3A5A92, "Astronomical twilight"},
    {DaylightBand::Night, 0x16233F, "Night"},
};

// The marks over the bands: colour, pen width (px) and dash of each, with its legend text.
struct MarkStyle {
    QRgb colour;
    double widthPx;
    Qt::PenStyle dash;
    const char* label;
};
const MarkStyle kSunLine{0xD2501E, 1.6, Qt::SolidLine, "Sunrise and sunset"};
const MarkStyle kClockChange{0xD02F9A, 1.4, Qt::DashLine, "Clock change"};
const MarkStyle kToday{0xE8201E, 2.0, Qt::SolidLine, "Today"};
const MarkStyle kSeason{0x8A8A8A, 1.2, Qt::DotLine, "Equinox, solstice"};
const QColor kGridColour(255, 255, 255, 60);
const QColor kFrameColour(90, 90, 90);

constexpr const char* kSeasonLabels[kSeasons] = {"Equinox", "Solstice", "Equinox", "Solstice"};
constexpr const char* kMonthLabels[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QFont chartFont(double pixelSize, bool bold = false)
{
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold(bold);
    return font;
}

QPen markPen(const MarkStyle& mark) { return QPen(QColor(mark.colour), mark.widthPx, mark.dash, Qt::FlatCap); }

// The day index of the local date of an instant, or -1 outside the year.
int dayIndexOf(const DaylightYear& year, double mjdUT)
{
    if (year.days.empty())
        return -1;
    const double local = localMjd(mjdUT, year.zone);
    const int index = static_cast<int>(std::floor(local - year.days.front().midnightLocalMjd));
    return index >= 0 && index < static_cast<int>(year.days.size()) ? index : -1;
}

// One band in one day's column: the Sun above the level, from the day before (its evening
// running past midnight), the day itself and the day after, clipped to the column's 24 hours.
void paintColumnBand(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year, int index,
                     int level)
{
    const DaylightDay& day = year.days[index];
    const int lastIndex = static_cast<int>(year.days.size()) - 1;
    const double left = layout.xOfDay(index);
    // Reaching into the next column, which covers it again with the same band, so that smoothed
    // vector output (SVG, PDF) shows no seam between the columns.
    const double right = layout.xOfDay(index + 1) + (index == lastIndex ? 0.0 : kColumnOverlapPx);
    const QColor colour(kBands[level].colour);
    for (int other = std::max(0, index - 1); other <= std::min(index + 1, lastIndex); ++other) {
        const RiseSet& above = daylightLevel(year.days[other], level);
        double from = 0.0;
        double to = 0.0;
        if (above.status == RiseSetStatus::StaysAbove && other == index) {
            to = kHoursPerDayChart;
        } else if (above.found()) {
            from = std::max(0.0, localHoursOfDay(day, above.riseUT, year.zone));
            to = std::min(kHoursPerDayChart, localHoursOfDay(day, above.setUT, year.zone));
        }
        if (to > from)
            painter.fillRect(QRectF(QPointF(left, layout.yOfHour(to)), QPointF(right, layout.yOfHour(from))), colour);
    }
}

// Night over the whole plot, then each band over the one below it, the darkest first.
void paintBands(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year)
{
    painter.fillRect(layout.plot, QColor(kBands[kDaylightLevels].colour));
    for (int level = kDaylightLevels - 1; level >= 0; --level)
        for (int i = 0; i < static_cast<int>(year.days.size()); ++i)
            paintColumnBand(painter, layout, year, i, level);
}

// The sunrise (rise true) or sunset line through the middle of each day's column, broken
// where the Sun does not cross the horizon that day.
void paintSunLine(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year, bool rise)
{
    QPainterPath path;
    bool drawing = false;
    for (int i = 0; i < static_cast<int>(year.days.size()); ++i) {
        const RiseSet& horizon = year.days[i].sun.horizon;
        if (!isDaysOwn(year.days[i], horizon, year.zone)) {
            drawing = false;
            continue;
        }
        const double hours = localHoursOfDay(year.days[i], rise ? horizon.riseUT : horizon.setUT, year.zone);
        const QPointF point(layout.xOfDay(i + 0.5), layout.yOfHour(hours));
        if (drawing)
            path.lineTo(point);
        else
            path.moveTo(point);
        drawing = true;
    }
    painter.strokePath(path, markPen(kSunLine));
}

void paintVerticalMark(QPainter& painter, const DaylightChartLayout& layout, double x, const MarkStyle& mark)
{
    painter.setPen(markPen(mark));
    painter.drawLine(QPointF(x, layout.plot.top()), QPointF(x, layout.plot.bottom()));
}

// Text centred on x, kept inside the plot's width.
void drawCentredText(QPainter& painter, const DaylightChartLayout& layout, double x, double baseline,
                     const QString& text)
{
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(text);
    const double left = std::clamp(x - width / 2.0, layout.plot.left(), layout.plot.right() - width);
    painter.drawText(QPointF(left, baseline), text);
}

// The clock changes of daylight saving: a line at the first day of each new offset, labelled
// with the step inside the top of the plot.
void paintClockChanges(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year)
{
    painter.setFont(chartFont(kSmallFontPx, true));
    for (int i = 1; i < static_cast<int>(year.days.size()); ++i) {
        const double stepHours = year.days[i].zoneOffsetHours - year.days[i - 1].zoneOffsetHours;
        if (stepHours == 0.0)
            continue;
        const double x = layout.xOfDay(i);
        paintVerticalMark(painter, layout, x, kClockChange);
        char text[32];
        std::snprintf(text, sizeof text, "%+g h", stepHours);
        const QString label = QString::fromLatin1(text);
        const QFontMetricsF metrics(painter.font());
        const QRectF box(x + 3.0, layout.plot.top() + 3.0, metrics.horizontalAdvance(label) + 6.0, kSmallFontPx + 5.0);
        painter.fillRect(box, Qt::white);
        painter.setPen(QColor(kClockChange.colour));
        painter.drawText(box, Qt::AlignCenter, label);
    }
}

// The equinoxes and solstices as day indices of the year (-1: not in it).
std::array<int, kSeasons> seasonDays(const DaylightYear& year)
{
    std::array<int, kSeasons> days{};
    for (int s = 0; s < kSeasons; ++s)
        days[s] = dayIndexOf(year, year.seasonsUT[s]);
    return days;
}

void paintSeasonLines(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year)
{
    for (int index : seasonDays(year))
        if (index >= 0)
            paintVerticalMark(painter, layout, layout.xOfDay(index + 0.5), kSeason);
}

// Their names and dates above the plot; the names alone where the labels would run into each
// other.
void paintSeasonLabels(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year)
{
    painter.setFont(chartFont(kSmallFontPx));
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font());
    const std::array<int, kSeasons> days = seasonDays(year);
    QString labels[kSeasons];
    bool crowded = false;
    double previousRight = -1e9;
    for (int s = 0; s < kSeasons; ++s) {
        if (days[s] < 0)
            continue;
        const DayMonthYear& date = year.days[days[s]].date;
        labels[s] = QString("%1 %2 %3").arg(kSeasonLabels[s]).arg(date.day).arg(kMonthLabels[date.month - 1]);
        const double width = metrics.horizontalAdvance(labels[s]);
        const double left = std::clamp(layout.xOfDay(days[s] + 0.5) - width / 2.0, layout.plot.left(),
                                       layout.plot.right() - width);
        crowded = crowded || left < previousRight + kSmallFontPx;
        previousRight = left + width;
    }
    for (int s = 0; s < kSeasons; ++s)
        if (days[s] >= 0)
            drawCentredText(painter, layout, layout.xOfDay(days[s] + 0.5), layout.plot.top() - 5.0,
                            crowded ? QString::fromLatin1(kSeasonLabels[s]) : labels[s]);
}

void paintToday(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year, double nowUT)
{
    const int index = dayIndexOf(year, nowUT);
    if (index < 0)
        return;
    const double x = layout.xOfDay(index + 0.5);
    paintVerticalMark(painter, layout, x, kToday);
    painter.setFont(chartFont(kSmallFontPx, true));
    const QString text = QStringLiteral("today");
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(text);
    const QRectF box(x - width / 2.0 - 3.0, layout.plot.bottom() - kSmallFontPx - 8.0, width + 6.0, kSmallFontPx + 5.0);
    painter.fillRect(box, Qt::white);
    painter.setPen(QColor(kToday.colour));
    painter.drawText(box, Qt::AlignCenter, text);
}

void paintAxes(QPainter& painter, const DaylightChartLayout& layout, const DaylightYear& year)
{
    const QRectF& plot = layout.plot;
    painter.setFont(chartFont(kTextFontPx));
    const QFontMetricsF metrics(painter.font());
    for (int hour = 0; hour <= 24; hour += kHourStep) {
        const double y = layout.yOfHour(hour);
        if (hour > 0 && hour < 24) {
            painter.setPen(QPen(kGridColour, 1.0));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
        const QString text = QString("%1:00").arg(hour, 2, 10, QLatin1Char('0'));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(plot.left() - 6.0 - metrics.horizontalAdvance(text), y + metrics.ascent() / 2.0 - 1.0),
                         text);
    }
    const int dayCount = static_cast<int>(year.days.size());
    for (int i = 0; i < dayCount; ++i) {
        const DayMonthYear& date = year.days[i].date;
        if (date.day != 1 && i != 0)
            continue;
        int next = i + 1;
        while (next < dayCount && year.days[next].date.day != 1)
            ++next;
        const double x = layout.xOfDay(i);
        painter.setPen(QPen(kGridColour, 1.0));
        if (i > 0)
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(kFrameColour);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4.0));
        painter.setPen(Qt::black);
        const QString month = QString::fromLatin1(kMonthLabels[date.month - 1]);
        const double middle = (x + layout.xOfDay(next)) / 2.0;
        painter.drawText(QPointF(middle - metrics.horizontalAdvance(month) / 2.0, plot.bottom() + 4.0 + metrics.ascent()),
                         month);
    }
    painter.setPen(QPen(kFrameColour, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

// The legend under the months: the bands' swatches, then the marks, wrapped to the width.
void paintLegend(QPainter& painter, QSizeF sizePx, const DaylightChartLayout& layout)
{
    painter.setFont(chartFont(kTextFontPx));
    const QFontMetricsF metrics(painter.font());
    double x = layout.plot.left();
    double y = layout.plot.bottom() + kMonthLabelBandPx + kLegendGapPx;
    const auto place = [&](double itemWidth) {
        if (x + itemWidth > sizePx.width() - kRightMarginPx && x > layout.plot.left()) {
            x = layout.plot.left();
            y += kLegendRowPx;
        }
        const QPointF at(x, y);
        x += itemWidth + kLegendItemGapPx;
        return at;
    };
    for (const BandStyle& band : kBands) {
        const QString text = QString::fromLatin1(band.label);
        const QPointF at = place(kSwatchPx + 5.0 + metrics.horizontalAdvance(text));
        painter.setPen(QPen(kFrameColour, 1.0));
        painter.setBrush(QColor(band.colour));
        painter.drawRect(QRectF(at.x(), at.y() + 2.0, kSwatchPx, kSwatchPx));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(at.x() + kSwatchPx + 5.0, at.y() + 2.0 + metrics.ascent()), text);
    }
    for (const MarkStyle* mark : {&kSunLine, &kClockChange, &kToday, &kSeason}) {
        const QString text = QString::fromLatin1(mark->label);
        const QPointF at = place(kSwatchLinePx + 5.0 + metrics.horizontalAdvance(text));
        painter.setPen(markPen(*mark));
        const double middle = at.y() + 2.0 + kSwatchPx / 2.0;
        painter.drawLine(QPointF(at.x(), middle), QPointF(at.x() + kSwatchLinePx, middle));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(at.x() + kSwatchLinePx + 5.0, at.y() + 2.0 + metrics.ascent()), text);
    }
}

}  // namespace

DaylightChartLayout daylightChartLayout(QSizeF sizePx, int dayCount)
{
    DaylightChartLayout layout;
    layout.dayCount = std::max(1, dayCount);
    const double top = kTitleBandPx + kSeasonLabelBandPx;
    const double plotWidth = std::max(1.0, sizePx.width() - kLeftMarginPx - kRightMarginPx);
    const int legendRows = std::clamp(static_cast<int>(std::ceil(kLegendWidthPx / plotWidth)), 1, kLegendMaxRows);
    const double bottom = kMonthLabelBandPx + kLegendGapPx + legendRows * kLegendRowPx;
    layout.plot = QRectF(kLeftMarginPx, top, plotWidth,
                         std::max(1.0, sizePx.height() - top - bottom));
    return layout;
}

QColor daylightBandColour(DaylightBand band) { return QColor(kBands[static_cast<int>(band)].colour); }

void paintDaylightChart(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, const DaylightYear& year)
{
    const DaylightChartLayout layout = daylightChartLayout(sizePx, static_cast<int>(year.days.size()));
    painter.save();
    painter.fillRect(QRectF(QPointF(0.0, 0.0), sizePx), Qt::white);
    // The title in one line, smaller where the picture is narrow.
    const QString title = QString::fromStdString(daylightChartTitle(settings));
    const double titleRoom = sizePx.width() - layout.plot.left() - kRightMarginPx;
    const double titleWidth = QFontMetricsF(chartFont(kTitleFontPx, true)).horizontalAdvance(title);
    painter.setFont(chartFont(std::min(kTitleFontPx, kTitleFontPx * titleRoom / titleWidth), true));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(layout.plot.left(), kTitleFontPx + 6.0), title);
    // The bands are whole pixel rows and columns, their edges unsmoothed; the marks are smooth.
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintBands(painter, layout, year);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintAxes(painter, layout, year);
    painter.save();
    painter.setClipRect(layout.plot);
    paintSeasonLines(painter, layout, year);
    paintSunLine(painter, layout, year, true);
    paintSunLine(painter, layout, year, false);
    paintClockChanges(painter, layout, year);
    paintToday(painter, layout, year, settings.time.currentMjdUT);
    painter.restore();
    paintSeasonLabels(painter, layout, year);
    paintLegend(painter, sizePx, layout);
    painter.restore();
}

void paintDaylightChart(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, const ChartOptions&)
{
    paintDaylightChart(painter, sizePx, settings, daylightYear(settings));
}

}  // namespace qv
