#include "maps/picture_parts.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace qv {

namespace {

// The legend's text height as a share of its band, and the gaps between its entries and
// between a sample and its words, in text heights.
constexpr double kLegendTextShare = 0.45;
constexpr double kEntryGapEms = 1.5;
constexpr double kSampleGapEms = 0.4;

}  // namespace

QFont pictureFont(double pixelHeight, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(pixelHeight)));
    font.setBold(bold);
    return font;
}

QFont fittedFont(double pixelHeight, bool bold, const QString& text, double width)
{
    // A little room to spare for the rounding of glyph positions.
    constexpr double kFill = 0.97;
    const QFont font = pictureFont(pixelHeight, bold);
    const double textWidth = QFontMetricsF(font).horizontalAdvance(text);
    return textWidth > kFill * width ? pictureFont(pixelHeight * kFill * width / textWidth, bold) : font;
}

void paintPictureTitle(QPainter& painter, const QRectF& band, const QString& title, const QString& subtitle)
{
    painter.save();
    painter.setPen(Qt::black);
    const QRectF upper(band.left(), band.top(), band.width(), band.height() * 0.55);
    const QRectF lower(band.left(), upper.bottom(), band.width(), band.height() * 0.45);
    painter.setFont(fittedFont(upper.height() * 0.7, true, title, band.width()));
    painter.drawText(upper, Qt::AlignCenter, title);
    painter.setFont(fittedFont(lower.height() * 0.7, false, subtitle, band.width()));
    painter.drawText(lower, Qt::AlignCenter, subtitle);
    painter.restore();
}

void paintLegend(QPainter& painter, const QRectF& band, const std::vector<LegendEntry>& entries)
{
    painter.save();
    // The text height of the band, made smaller when the row would not fit across it.
    auto rowWidth = [&](double em) {
        const QFontMetricsF metrics(pictureFont(em));
        double width = -em * kEntryGapEms;
        for (const LegendEntry& entry : entries)
            width += em * (1.0 + kSampleGapEms + kEntryGapEms) + metrics.horizontalAdvance(entry.words);
        return width;
    };
    double em = band.height() * kLegendTextShare;
    if (rowWidth(em) > band.width())
        em *= band.width() / rowWidth(em) * 0.98;
    const double width = rowWidth(em);
    const QFont font = pictureFont(em);
    const QFontMetricsF metrics(font);
    double x = band.center().x() - width / 2.0;
    const double top = band.center().y() - em / 2.0;
    painter.setFont(font);
    for (const LegendEntry& entry : entries) {
        painter.save();
        entry.paintSample(painter, QRectF(x, top, em, em));
        painter.restore();
        x += em * (1.0 + kSampleGapEms);
        painter.setPen(Qt::black);
        const double words = metrics.horizontalAdvance(entry.words);
        painter.drawText(QRectF(x, top - em, words + em, 3.0 * em), Qt::AlignLeft | Qt::AlignVCenter, entry.words);
        x += words + em * kEntryGapEms;
    }
    painter.restore();
}

}  // namespace qv
