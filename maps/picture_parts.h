#pragma once
// Parts shared by the Moon calendar and the eclipse pictures: fonts sized to the picture, the
// two-line title and a legend row of samples with their words.
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace qv {

// A sans-serif font of a pixel height (at least 1).
QFont pictureFont(double pixelHeight, bool bold = false);

// The same, smaller where needed for text to fit in width.
QFont fittedFont(double pixelHeight, bool bold, const QString& text, double width);

// The title (bold) and a smaller line below it, centred in the band.
void paintPictureTitle(QPainter& painter, const QRectF& band, const QString& title, const QString& subtitle);

// One legend entry: a sample painted into its square, and its words.
struct LegendEntry {
    std::function<void(QPainter&, const QRectF&)> paintSample;
    QString words;
};

// The entries in one row, centred in the band, each sample as high as the band's text.
void paintLegend(QPainter& painter, const QRectF& band, const std::vector<LegendEntry>& entries);

}  // namespace qv
