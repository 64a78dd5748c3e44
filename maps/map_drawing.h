#pragma once
// Drawing of the eclipse world map and the special-eclipse map, shared by the window and the
// batch companion: the four map styles (simple world map, northern and southern hemisphere,
// physical world map) shifted by a central meridian, their grids and
// backgrounds, and the conversion between geographic points and map pixels.
#include <QColor>
#include <QPoint>
#include <QPolygonF>
#include <QRectF>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/settings.h"
#include "eclipse/special_eclipse.h"
#include "reports/eclipse_map.h"
#include "reports/print_document.h"
#include "reports/special_eclipse_label.h"

class QPainter;
class QPixmap;

namespace qv {

// Sizes of the map pictures in pixels: the page holding the map (top-left 721 x 361) and the
// caption strip drawn below the map at y = 362; the picture of a map (the special-eclipse map,
// a written map) holds both and nothing else.
constexpr int kMapPageWidthPx = 860;
constexpr int kMapPageHeightPx = 771;
constexpr int kMapWidthPx = 721;
constexpr int kMapHeightPx = 361;
constexpr int kCaptionWidthPx = 721;
constexpr int kCaptionHeightPx = 50;
constexpr int kCaptionTopPx = 362;
constexpr int kMapPictureHeightPx = kCaptionTopPx + kCaptionHeightPx;

// Origin and scale of a map style and its central meridian (degrees).
struct MapGeometry {
    int x0 = 360;
    int y0 = 180;
    double sx = 2.0;  // pixels per degree, or per unit of the stereographic radius
    double sy = 2.0;
    MapProjection projection = MapProjection::SimpleWorld;
    double centralMeridian = 0.0;
    // The off-map marker lies just outside this reference size.
    int referenceWidth = kMapPageWidthPx;
    int referenceHeight = 501;
};
MapGeometry mapGeometry(MapProjection projection, double centralMeridianDeg);

bool isHemisphereMap(const MapGeometry& geometry);

// A pixmap of width x height map pixels with scale device pixels for each: painters keep map
// coordinates while lines and text are drawn at the finer resolution (a screen at 200 %, a
// picture asked for at twice the size).
QPixmap scaledPixmap(int width, int height, double scale);

// Where a point that cannot be shown is put: outside the visible map.
QPoint offMapMarker(const MapGeometry& geometry);

// Pixel of a geographic point (degrees); the off-map marker for a point the hemisphere map
// cannot show.
QPoint projectToMap(const MapGeometry& geometry, double latitudeDeg, double longitudeDeg);

// Geographic point (degrees) of a pixel; latitude -100 outside the disc of a hemisphere map.
GeoPoint mapToGeographic(const MapGeometry& geometry, QPoint pixel);

// True when a click at the pixel names a place: inside the map and, on a hemisphere map, its disc.
bool isOnMap(const MapGeometry& geometry, QPoint pixel);

// The physical Earth image (721 x 361, 2 pixels per degree, longitude -180 at the left edge)
// from the program's resources; false when it cannot be loaded.
bool loadEarthImage(QPixmap& earth);

// The Earth image (physical map, when loaded) or the coastline, the borders between countries
// when asked for, and the equator circle of the hemisphere maps. earth may be null.
void drawMapBackground(const MapGeometry& geometry, QPainter& painter, const QPixmap* earth, bool borders);

// The background (with borders by display.mapBorders), then the grid of display.mapGrid.
void drawMapGrid(const MapGeometry& geometry, QPainter& painter, const QPixmap* earth, const DisplaySettings& display);

// The map of a solar eclipse on any painter, in map pixels (the map is 721 x 361): the
// background colour (grey or white by settings.mapGrey), background, grid, central line,
// limits, rise/set curves and the point of greatest eclipse.
void paintEclipseMapContents(QPainter& painter, const QPixmap* earth, const MapGeometry& geometry,
                             const SettingsRecord& settings, const EclipseMapPoints& points);

// One polyline of the coastline or the borders in geographic degrees (x the longitude, y the
// latitude), with its bounds, for drawing at any scale.
struct OutlinePiece {
    QPolygonF lonLat;
    QRectF bounds;
};
// The coastline, or the borders between countries, decoded once from the tables the fixed map
// draws.
const std::vector<OutlinePiece>& outlinePieces(bool borders);

// A compiled-in outline table: records of latitude and longitude in units of 1 / recordsPerDegree
// degree, a record whose latitude is polylineStart starting a new polyline.
struct OutlineRecord {
    std::int16_t latitude;
    std::int16_t longitude;
};
struct OutlineTable {
    std::span<const OutlineRecord> records;
    int polylineStart = 0;
    double recordsPerDegree = 1.0;
};
// The polylines of a table, each cut into pieces of at most maxPiecePoints points (a piece
// starts at the last point of the one before).
std::vector<OutlinePiece> outlinePiecesOf(const OutlineTable& table, qsizetype maxPiecePoints);

// The colours of the map's layers, shared by the fixed map and the zoomable view.
struct MapColours {
    QColor greyBackground, whiteBackground, caption, coastline, borders, grid, grid30AfterGrid10;
    QColor total, annular, limits, riseSet, greatest, title;
};
const MapColours& mapColours();

// The colour the map draws a legend item in.
QColor mapLegendColour(MapLegendItem item);

// The whole map page of the selected solar eclipse: background (grey or white by
// settings.display.mapGrey), grid, central line, limits, rise/set curves, point of greatest eclipse,
// and the caption strip with the title.
void paintEclipseMap(QPixmap& page, QPixmap& caption, const QPixmap* earth, const MapGeometry& geometry,
                     const SettingsRecord& settings, const EclipseMapPoints& points, const std::string& title);

// The special-eclipse page: background, grid and the track of central points.
void paintSpecialEclipseTrack(QPixmap& page, const QPixmap* earth, const MapGeometry& geometry,
                              const SettingsRecord& settings, const std::vector<TrackPoint>& track);

// The special-eclipse map: the page with its track, the caption strip with the label, and a
// marker on each central point of settings.time.currentMjdUT.
void paintSpecialEclipseLabel(QPixmap& specialMap, const QPixmap& page, QPixmap& caption,
                              const MapGeometry& geometry, const SettingsRecord& settings,
                              const ElevatedCentralPoints& points);

}  // namespace qv
