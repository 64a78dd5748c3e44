#include "maps/print_painting.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QString>

#include <algorithm>
#include <vector>

#include "maps/chart_frame.h"
#include "maps/map_drawing.h"

namespace qv {

namespace {

constexpr double kMarginMm = 15.0;
constexpr double kPointsPerInch = 72.0;
// The bands of every page, in points: the header line with a rule below it, and the rule and
// page number at the bottom.
constexpr double kHeaderBaselinePt = 9.0;
constexpr double kHeaderRulePt = 13.0;
constexpr double kBodyTopPt = 22.0;
constexpr double kFooterRuleFromBottomPt = 16.0;
constexpr double kFooterBaselineFromBottomPt = 2.0;
constexpr double kBodyBottomFromBottomPt = 22.0;
constexpr double kRuleWidthPt = 0.5;
constexpr double kHeaderFontPt = 8.5;
// The fixed-pitch text: at most this size, smaller when the widest line would not fit.
constexpr double kBodyFontMaxPt = 10.0;
constexpr int kBodyMinColumns = 76;  // the widest table rows of the screen pages
// A map page: the title, the map, then the legend below it.
constexpr double kMapTitleFontPt = 11.0;
constexpr double kMapTitleBandPt = 22.0;
constexpr double kLegendFontPt = 9.0;
constexpr double kLegendLinePt = 13.0;
constexpr int kLegendReservedLines = 8;  // five colours, two notes and a gap
constexpr double kLegendGapPt = 10.0;
constexpr double kSwatchLengthPt = 18.0;
constexpr double kSwatchWidthPt = 2.0;
constexpr double kSwatchTextGapPt = 8.0;
constexpr double kMapFrameWidthPt = 0.5;
const QColor kRuleColour(120, 120, 120);

constexpr const char* kMonospaceFamily = "DejaVu Sans Mono";
constexpr const char* kSansFamily = "DejaVu Sans";

QFont documentFont(const char* family, double pointSize, QFont::StyleHint hint, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(hint);
    font.setFixedPitch(hint == QFont::Monospace);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Letters one by one, without ligatures: "fi" in "Pacific" stays two letters that a search
    // of the PDF's text finds.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The area inside the margins and the bands, in points, on a page whose area inside the
// margins is areaPt.
QRectF bodyRect(QSizeF areaPt)
{
    return QRectF(0.0, kBodyTopPt, areaPt.width(), areaPt.height() - kBodyTopPt - kBodyBottomFromBottomPt);
}

// The map's place inside the body: as wide as fits beside the title band and the legend,
// centred.
QRectF mapRectInArea(QSizeF areaPt)
{
    const QRectF body = bodyRect(areaPt);
    const double legendPt = kLegendGapPt + kLegendReservedLines * kLegendLinePt;
    const double heightFree = body.height() - kMapTitleBandPt - legendPt;
    const double width = std::min(body.width(), heightFree * kMapWidthPx / kMapHeightPx);
    const double height = width * kMapHeightPx / kMapWidthPx;
    return QRectF(body.left() + (body.width() - width) / 2.0, body.top() + kMapTitleBandPt, width, height);
}

// One printed page: a run of lines of a text block, or a map block.
struct PlannedPage {
    int block;
    int firstLine;
    int lineCount;
};

// The painter on one device, in points: every coordinate given here is in points from the
// top-left corner of the area inside the margins.
class PagePainter {
public:
    PagePainter(QPagedPaintDevice& device, const PrintDocument& document)
        : device_(device), document_(document), settings_(document.settings),
          pixelsPerPoint_(device.logicalDpiY() / kPointsPerInch),
          areaPt_(device.width() / pixelsPerPoint_, device.height() / pixelsPerPoint_)
    {
        fitBodyFont();
        planPages();
    }

    bool paint(std::string& error);

private:
    double px(double points) const { return points * pixelsPerPoint_; }
    void fitBodyFont();
    void planPages();
    void paintPage(const PlannedPage& page, int number);
    void paintBands(int number);
    void paintText(const PrintBlock& block, int firstLine, int lineCount);
    void paintMap(const PrintBlock& block);
    void paintChart(const PrintBlock& block);
    void paintLegend(const PrintBlock& block, double topPt);
    void drawRule(double yPt);

    QPagedPaintDevice& device_;
    const PrintDocument& document_;
    const SettingsRecord& settings_;
    double pixelsPerPoint_;
    QSizeF areaPt_;
    QFont bodyFont_;
    double lineSpacingPt_ = 0.0;
    double ascentPt_ = 0.0;
    std::vector<PlannedPage> pages_;
    QPainter painter_;
    QPixmap earth_;
    bool earthLoaded_ = false;
};

void PagePainter::fitBodyFont()
{
    int columns = kBodyMinColumns;
    for (const PrintBlock& block : document_.blocks)
        if (!block.map)
            for (const std::string& line : block.lines)
                columns = std::max(columns, static_cast<int>(QString::fromStdString(line).size()));
    bodyFont_ = documentFont(kMonospaceFamily, kBodyFontMaxPt, QFont::Monospace);
    const double columnPt = QFontMetricsF(bodyFont_, &device_).horizontalAdvance(QLatin1Char('M')) / pixelsPerPoint_;
    const double fitted = kBodyFontMaxPt * areaPt_.width() / (columns * columnPt);
    if (fitted < kBodyFontMaxPt)
        bodyFont_.setPointSizeF(fitted);
    const QFontMetricsF metrics(bodyFont_, &device_);
    lineSpacingPt_ = metrics.lineSpacing() / pixelsPerPoint_;
    ascentPt_ = metrics.ascent() / pixelsPerPoint_;
}

void PagePainter::planPages()
{
    const int linesPerPage = std::max(1, static_cast<int>(bodyRect(areaPt_).height() / lineSpacingPt_));
    for (int b = 0; b < static_cast<int>(document_.blocks.size()); ++b) {
        const PrintBlock& block = document_.blocks[b];
        if (block.map || !block.chart.empty()) {
            pages_.push_back({b, 0, 0});
            continue;
        }
        const int count = static_cast<int>(block.lines.size());
        for (int first = 0; first < count || first == 0; first += linesPerPage)
            pages_.push_back({b, first, std::min(linesPerPage, count - first)});
    }
}

bool PagePainter::paint(std::string& error)
{
    if (pages_.empty()) {
        error = "nothing to print";
        return false;
    }
    if (!painter_.begin(&device_)) {
        error = "the printer or file could not be opened for painting";
        return false;
    }
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
        if (i > 0 && !device_.newPage()) {
            painter_.end();
            error = "a new page could not be started";
            return false;
        }
        paintPage(pages_[i], i + 1);
    }
    if (!painter_.end()) {
        error = "the document could not be finished";
        return false;
    }
    return true;
}

void PagePainter::paintPage(const PlannedPage& page, int number)
{
    paintBands(number);
    const PrintBlock& block = document_.blocks[page.block];
    if (block.map)
        paintMap(block);
    else if (!block.chart.empty())
        paintChart(block);
    else
        paintText(block, page.firstLine, page.lineCount);
}

void PagePainter::drawRule(double yPt)
{
    painter_.setPen(QPen(kRuleColour, px(kRuleWidthPt)));
    painter_.drawLine(QPointF(0.0, px(yPt)), QPointF(px(areaPt_.width()), px(yPt)));
}

void PagePainter::paintBands(int number)
{
    painter_.setFont(documentFont(kSansFamily, kHeaderFontPt, QFont::SansSerif));
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(0.0, px(kHeaderBaselinePt)), QString::fromStdString(document_.header));
    drawRule(kHeaderRulePt);
    drawRule(areaPt_.height() - kFooterRuleFromBottomPt);
    painter_.setPen(Qt::black);
    const QString footer = QString::fromStdString(printFooter(number, static_cast<int>(pages_.size())));
    const double widthPt = QFontMetricsF(painter_.font(), &device_).horizontalAdvance(footer) / pixelsPerPoint_;
    painter_.drawText(QPointF(px((areaPt_.width() - widthPt) / 2.0), px(areaPt_.height() - kFooterBaselineFromBottomPt)),
                      footer);
}

void PagePainter::paintText(const PrintBlock& block, int firstLine, int lineCount)
{
    painter_.setFont(bodyFont_);
    painter_.setPen(Qt::black);
    double baselinePt = bodyRect(areaPt_).top() + ascentPt_;
    for (int i = firstLine; i < firstLine + lineCount; ++i) {
        painter_.drawText(QPointF(0.0, px(baselinePt)), QString::fromStdString(block.lines[i]));
        baselinePt += lineSpacingPt_;
    }
}

void PagePainter::paintMap(const PrintBlock& block)
{
    const QRectF mapPt = mapRectInArea(areaPt_);
    painter_.setFont(documentFont(kSansFamily, kMapTitleFontPt, QFont::SansSerif, true));
    painter_.setPen(Qt::black);
    const std::string title = block.lines.empty() ? std::string() : block.lines.front();
    painter_.drawText(QPointF(px(mapPt.left()), px(mapPt.top() - kMapTitleBandPt / 3.0)),
                      QString::fromStdString(title).trimmed());
    if (!earthLoaded_)
        earthLoaded_ = loadEarthImage(earth_);
    painter_.save();
    painter_.translate(px(mapPt.left()), px(mapPt.top()));
    painter_.scale(px(mapPt.width()) / kMapWidthPx, px(mapPt.height()) / kMapHeightPx);
    painter_.setClipRect(QRect(0, 0, kMapWidthPx, kMapHeightPx));
    paintEclipseMapContents(painter_, earthLoaded_ ? &earth_ : nullptr,
                            mapGeometry(settings_.display.mapProjection, settings_.display.centralMeridianDeg), settings_,
                            block.mapPoints);
    painter_.restore();
    painter_.setPen(QPen(kRuleColour, px(kMapFrameWidthPt)));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(px(mapPt.left()), px(mapPt.top()), px(mapPt.width()), px(mapPt.height())));
    paintLegend(block, mapPt.bottom() + kLegendGapPt);
}

// A picture page fills the body; its sizes in pixels are points on paper.
void PagePainter::paintChart(const PrintBlock& block)
{
    const ChartKind* chart = findChartKind(block.chart);
    if (chart == nullptr)
        return;
    const QRectF body = bodyRect(areaPt_);
    painter_.save();
    painter_.translate(px(body.left()), px(body.top()));
    painter_.scale(pixelsPerPoint_, pixelsPerPoint_);
    chart->paint(painter_, body.size(), settings_, block.chartOptions);
    painter_.restore();
}

void PagePainter::paintLegend(const PrintBlock& block, double topPt)
{
    const QFont font = documentFont(kSansFamily, kLegendFontPt, QFont::SansSerif);
    painter_.setFont(font);
    const double ascentPt = QFontMetricsF(font, &device_).ascent() / pixelsPerPoint_;
    const double left = mapRectInArea(areaPt_).left();
    double baselinePt = topPt + ascentPt;
    for (const MapLegendEntry& entry : block.legend) {
        const double middlePt = baselinePt - ascentPt / 3.0;
        painter_.setPen(QPen(mapLegendColour(entry.item), px(kSwatchWidthPt), Qt::SolidLine, Qt::FlatCap));
        if (entry.item == MapLegendItem::kGreatest)
            painter_.drawEllipse(QPointF(px(left + kSwatchLengthPt / 2.0), px(middlePt)), px(kSwatchWidthPt),
                                 px(kSwatchWidthPt));
        else
            painter_.drawLine(QPointF(px(left), px(middlePt)), QPointF(px(left + kSwatchLengthPt), px(middlePt)));
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(px(left + kSwatchLengthPt + kSwatchTextGapPt), px(baselinePt)),
                          QString::fromStdString(entry.text));
        baselinePt += kLegendLinePt;
    }
    for (const std::string& note : block.legendNotes) {
        painter_.drawText(QPointF(px(left), px(baselinePt)), QString::fromStdString(note));
        baselinePt += kLegendLinePt;
    }
}

}  // namespace

PrintPaper localePaper()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? PrintPaper::kLetter
                                                                               : PrintPaper::kA4;
}

QPageLayout printPageLayout(PrintPaper paper, bool landscape)
{
    return QPageLayout(QPageSize(paper == PrintPaper::kLetter ? QPageSize::Letter : QPageSize::A4),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

bool paintPrintDocument(QPagedPaintDevice& device, const PrintDocument& document, std::string& error)
{
    PagePainter painter(device, document);
    return painter.paint(error);
}

bool renderPdf(const PrintDocument& document, const QPageLayout& layout, QByteArray& pdf, std::string& error)
{
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly)) {
        error = buffer.errorString().toStdString();
        return false;
    }
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setTitle(QString::fromStdString(document.header));
    writer.setCreator(QStringLiteral("Quorvel " QUORVEL_VERSION));
    return paintPrintDocument(writer, document, error);
}

QRectF printMapRect(const QPageLayout& layout)
{
    const QRectF area = layout.paintRect(QPageLayout::Point);
    return mapRectInArea(area.size()).translated(area.topLeft());
}

}  // namespace qv
