#pragma once
// The zoomable view of the eclipse map: a part of the world at any size and device scale, drawn
// as smoothed vector lines. The fixed 721 x 361 picture (map_drawing.h) stays as it is; the
// view reuses its outlines, colours and map styles.
//
// How each map style zooms:
//  - simple and physical world map: equirectangular around the view's centre, the same pixels
//    per degree of latitude and of longitude; the span is the degrees of longitude across the
//    width. Longitudes wrap around the centre, so any meridian can lie in the middle.
//  - northern and southern hemisphere: the stereographic disc of the fixed map, zoomed around
//    the centre's point on it; at a span of 360 degrees the disc has the fixed map's size per
//    pixel of width (721 pixels showing the whole disc), and a span of S degrees magnifies that
//    360 / S times. Points of the other hemisphere are not shown.
#include <QPointF>
#include <QSize>
#include <QSizeF>

#include <string>

#include "base/settings.h"
#include "reports/eclipse_map.h"

class QPainter;
class QPixmap;

namespace qv {

// The spans a view can have: the whole world, and about 20 km across.
constexpr double kViewMaxSpanDeg = 360.0;
constexpr double kViewMinSpanDeg = 0.18;
// The band of totality or annularity takes this share of the view's width or height at most.
constexpr double kPathFrameShare = 0.8;

struct MapView {
    double centreLatitudeDeg = 0.0;
    double centreLongitudeDeg = 0.0;
    double spanDeg = kViewMaxSpanDeg;  // degrees of longitude across the width (see above)
    QSize size{721, 361};  // the map's area in pixels, the caption strip below it not counted
    double deviceScale = 1.0;  // device pixels per pixel (a screen at 200 %: 2)
    MapProjection projection = MapProjection::SimpleWorld;
    // Hemisphere maps: the meridian the disc is turned by, as the fixed map's central meridian;
    // world maps: the centre longitude of their whole world (key 0 in the window).
    double centralMeridianDeg = 0.0;
};

// The view of the whole world of a map style at the given size, centred on the central meridian
// (on the pole for a hemisphere map).
MapView wholeWorldView(MapProjection projection, double centralMeridianDeg, QSize size, double deviceScale);

// The view with its span clamped to [kViewMinSpanDeg, kViewMaxSpanDeg], its centre latitude to
// [-90, 90] and its centre longitude wrapped to [-180, 180).
MapView clampedView(MapView view);

// Pixels per degree of longitude (of latitude, on the world maps).
double pixelsPerDegree(const MapView& view);

// Where a geographic point lies in the view, in pixels from its top left; may lie outside the
// area. False (and the point unchanged) for a point the hemisphere map does not show.
bool projectToView(const MapView& view, double latitudeDeg, double longitudeDeg, QPointF& pixel);
QPointF projectToView(const MapView& view, double latitudeDeg, double longitudeDeg);

// The geographic point of a pixel; latitude outside [-90, 90] (kNoMapPoint) off the map.
GeoPoint viewToGeographic(const MapView& view, QPointF pixel);

// The view framing the band of totality or annularity (central line and umbral limits) with a
// margin, in the map style and size of base; the whole world of base when the eclipse has no
// central line.
MapView frameOfPath(const EclipseMapPoints& points, const MapView& base);

// The picture of a view: the map's area with the caption strip below it.
QSize viewPictureSize(const MapView& view);
// The map's area for a picture (window) of the given size: all but the caption strip.
QSize viewAreaOfPicture(QSize picture);

// The map's base layers of the view in view pixels, clipped to the map's area and smoothed:
// background (grey or white, or the physical Earth image when earth is given on the physical
// map), borders and coastline, and the grid, as display asks for them.
void paintMapViewBase(QPainter& painter, const MapView& view, const DisplaySettings& display, const QPixmap* earth);

// The caption strip below the view's area with its line of text.
void paintViewCaption(QPainter& painter, const MapView& view, const std::string& text);

// Paints the view on a painter in view pixels: background (grey or white, or the physical
// Earth image when earth is given on the physical map), borders and coastline (at 1:10m on a
// view narrower than kDetailSpanDeg, with the names of places), grid, penumbral limits and
// rise/set curves as lines, umbral limits, central line coloured total or annular, the point of
// greatest eclipse, the observer's place marked and named, and the caption strip with the
// title below the area.
void paintEclipseMapView(QPainter& painter, const MapView& view, const SettingsRecord& settings,
                         const EclipseMapPoints& points, const QPixmap* earth, const std::string& title);

}  // namespace qv
