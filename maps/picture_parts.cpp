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

void paintPictureTitle(QPainter& painter, const QRectF& band, const QString& title, const QString& subtitle)
{
    painter.save();
    painter.setPen(Qt::black);
    const QRectF upper(band.left(), band.top(), band.width(), band.height() * 0.55);
    const QRectF lower(band.left(), upper.bottom(), band.width(), band.height() * 0.45);
    painter.setFont(pictureFont(upper.height() * 0.7, true));
    painter.drawText(upper, Qt::AlignCenter, title);
    painter.setFont(pictureFont(lower.height() * 0.7));
    painter.drawText(lower, Qt::AlignCenter, subtitle);
    painter.restore();
}

void paintLegend(QPainter& painter, const QRectF& band, const std::vector<LegendEntry>& entries)
{
    painter.save();
    const double em = band.height() * kLegendTextShare;
    const QFont font = pictureFont(em);
    const QFontMetricsF metrics(font);
    double width = 0.0;
    for (const LegendEntry& entry : entries)
        width += em * (1.0 + kSampleGapEms + kEntryGapEms) + metrics.horizontalAdvance(entry.words);
    width -= em * kEntryGapEms;
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
