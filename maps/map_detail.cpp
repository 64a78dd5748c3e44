#include "maps/map_detail.h"

#include <QFontMetricsF>

#include <algorithm>
#include <span>

#include "base/places.h"

namespace qv {

namespace {

// Records of (latitude * 100, longitude * 100); a record with kDetailPolylineStart starts a new
// polyline.
constexpr int kDetailPolylineStart = 11111;
constexpr double kDetailRecordsPerDegree = 100.0;
constexpr OutlineRecord kDetailedCoastline[] = {
#include "world_coastline_10m.inc"
};
constexpr OutlineRecord kDetailedBorders[] = {
#include "world_borders_10m.inc"
};
// Most points of one piece of a detailed outline.
constexpr qsizetype kDetailPiecePoints = 100;

// Where the name of a place starts from its dot (pixels).
constexpr QPointF kPlaceNameOffsetPx(4.0, 3.5);
// Room kept free around each name.
constexpr double kLabelRoomPx = 2.0;

QString nameOf(const Place& place)
{
    return QString::fromUtf8(place.name.data(), static_cast<qsizetype>(place.name.size()));
}

}  // namespace

bool showsDetail(const MapView& view) { return view.spanDeg < kDetailSpanDeg; }

const std::vector<OutlinePiece>& detailedOutlinePieces(bool borders)
{
    if (borders) {
        static const std::vector<OutlinePiece> borderLines =
            outlinePiecesOf({kDetailedBorders, kDetailPolylineStart, kDetailRecordsPerDegree}, kDetailPiecePoints);
        return borderLines;
    }
    static const std::vector<OutlinePiece> coastline =
        outlinePiecesOf({kDetailedCoastline, kDetailPolylineStart, kDetailRecordsPerDegree}, kDetailPiecePoints);
    return coastline;
}

QFont placeLabelFont() { return QFont("helvetica", 9); }

std::vector<PlaceLabel> placeLabels(const MapView& view, const QRectF& avoid)
{
    std::vector<PlaceLabel> labels;
    if (!showsDetail(view))
        return labels;
    const QFontMetricsF metrics(placeLabelFont());
    const QRectF area(QPointF(), QSizeF(view.size));
    const std::span<const Place> places = allPlaces();
    int tries = 0;
    for (std::size_t index = 0; index < places.size() && tries < kPlaceLabelTries; ++index) {
        QPointF dot;
        if (!projectToView(view, places[index].latitudeDeg, places[index].longitudeDeg, dot) || !area.contains(dot))
            continue;
        ++tries;
        PlaceLabel label{index, dot, dot + kPlaceNameOffsetPx, {}, nameOf(places[index])};
        const QRectF dotBox(dot - QPointF(kPlaceDotRadiusPx, kPlaceDotRadiusPx),
                            QSizeF(2.0 * kPlaceDotRadiusPx, 2.0 * kPlaceDotRadiusPx));
        label.box = metrics.boundingRect(label.name)
                        .translated(label.baseline)
                        .united(dotBox)
                        .adjusted(-kLabelRoomPx, -kLabelRoomPx, kLabelRoomPx, kLabelRoomPx);
        const auto overlaps = [&label](const PlaceLabel& kept) { return kept.box.intersects(label.box); };
        if (label.box.intersects(avoid) || std::any_of(labels.begin(), labels.end(), overlaps))
            continue;
        labels.push_back(std::move(label));
    }
    return labels;
}

}  // namespace qv
