#pragma once
// The special-eclipse map in the zoomable view: the track of central points on the elevated
// surface and the markers of the chosen instant over the map's base layers, with the label of
// that instant in the caption strip. The window and `special --view` draw it alike.
#include <vector>

#include "base/settings.h"
#include "eclipse/special_eclipse.h"
#include "maps/map_view.h"

class QPainter;
class QPixmap;

namespace qv {

// Paints the view: base layers as display settings ask, the track as dots in the colour of
// each point's kind (total or annular), a ring on each central point of the instant
// settings.time.currentMjdUT (now), and the caption strip with its label. earth may be null.
void paintSpecialMapView(QPainter& painter, const MapView& view, const SettingsRecord& settings,
                         const std::vector<TrackPoint>& track, const ElevatedCentralPoints& now,
                         const QPixmap* earth);

}  // namespace qv
