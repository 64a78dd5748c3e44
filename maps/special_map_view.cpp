#include "maps/special_map_view.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRectF>

#include "maps/map_drawing.h"
#include "reports/special_eclipse_label.h"

namespace qv {

namespace {

// Track points are a minute apart: dots of this width, and rings of this radius on the
// instant's central points (view pixels).
constexpr double kTrackDotWidthPx = 2.0;
constexpr double kMarkerRadiusPx = 4.0;

QColor kindColour(int kind)
{
    return kind == kElevatedTotal ? mapColours().total : mapColours().annular;
}

void drawTrack(QPainter& painter, const MapView& view, const std::vector<TrackPoint>& track)
{
    const QRectF shown = QRectF(QPointF(), QSizeF(view.size)).adjusted(-2.0, -2.0, 2.0, 2.0);
    QPolygonF total, annular;
    for (const TrackPoint& point : track) {
        QPointF pixel;
        if (projectToView(view, point.latitudeDeg, point.longitudeDeg, pixel) && shown.contains(pixel))
            (point.kind == kElevatedTotal ? total : annular).append(pixel);
    }
    for (const auto& [dots, kind] : {std::pair{&annular, kElevatedAnnular}, std::pair{&total, kElevatedTotal}}) {
        painter.setPen(QPen(kindColour(kind), kTrackDotWidthPx, Qt::SolidLine, Qt::RoundCap));
        painter.drawPoints(*dots);
    }
}

void drawInstantMarkers(QPainter& painter, const MapView& view, const ElevatedCentralPoints& now)
{
    painter.setBrush(Qt::NoBrush);
    for (const ElevatedCentralPoint& point : {now.entry, now.exit}) {
        QPointF pixel;
        if (point.kind == kNoElevatedPoint || !projectToView(view, point.latitudeDeg, point.longitudeDeg, pixel))
            continue;
        painter.setPen(QPen(kindColour(point.kind), 2.0));
        painter.drawEllipse(pixel, kMarkerRadiusPx, kMarkerRadiusPx);
        painter.drawPoint(pixel);
    }
}

}  // namespace

void paintSpecialMapView(QPainter& painter, const MapView& view, const SettingsRecord& settings,
                         const std::vector<TrackPoint>& track, const ElevatedCentralPoints& now,
                         const QPixmap* earth)
{
    painter.save();
    paintMapViewBase(painter, view, settings.display, earth);
    drawTrack(painter, view, track);
    drawInstantMarkers(painter, view, now);
    painter.restore();
    paintViewCaption(painter, view,
                     specialEclipseLabel(settings.time.currentMjdUT, settings.special.heightKm, now));
}

}  // namespace qv
