#pragma once
// Detail of the zoomed map view: the 1:10m coastline and borders, and the names of the most
// populous places the view shows, placed so that no two names overlap.
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <vector>

#include "maps/map_drawing.h"
#include "maps/map_view.h"

namespace qv {

// Views narrower than this (degrees across) draw the 1:10m outlines and the names of places.
constexpr double kDetailSpanDeg = 30.0;
// Most places a view tries to name: the most populous this many of those it shows.
constexpr int kPlaceLabelTries = 300;
// Radius of the dot marking a named place (pixels).
constexpr double kPlaceDotRadiusPx = 2.0;

bool showsDetail(const MapView& view);

// The 1:10m coastline, or borders between countries, decoded on first use. Long polylines are
// cut into short pieces (each piece sharing its first point with the end of the one before), so
// that a zoomed view leaves out by their bounds all but the pieces it shows.
const std::vector<OutlinePiece>& detailedOutlinePieces(bool borders);

// One place named on the view: a dot at the place and its name to the right.
struct PlaceLabel {
    std::size_t placeIndex = 0;  // in allPlaces()
    QPointF dot;                 // view pixels
    QPointF baseline;            // where the name's text starts
    QRectF box;                  // the dot and the name's text, with a little room around
    QString name;
};

// The font of the names of places.
QFont placeLabelFont();

// The places a view names, most populous first: of the first kPlaceLabelTries places whose dot
// lies in the view, each whose box overlaps neither a box kept before it nor avoid (the
// observer's mark and name). None when the view does not show detail.
std::vector<PlaceLabel> placeLabels(const MapView& view, const QRectF& avoid);

}  // namespace qv
