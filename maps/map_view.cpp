#include "maps/map_view.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/constants.h"
#include "eclipse/eclipse_kind.h"
#include "maps/map_detail.h"
#include "maps/map_drawing.h"

namespace qv {

namespace {

// Pixels per unit of the stereographic radius for each pixel of width per degree of span: the
// fixed hemisphere map's scale (107.27 pixels per unit on 721 pixels showing 360 degrees).
constexpr double kDiscUnitsPerDegreeWidth = 107.27056019070322 * 360.0 / kMapWidthPx;
// Radius of the equator on the stereographic disc, in units of the Earth's radius.
constexpr double kDiscEquatorRadius = 2.0;
// Lines whose ends both lie this far past one edge of the view are not drawn.
constexpr double kCullMarginPx = 8.0;
// The central line breaks where two of its points lie more than this apart in time (minutes).
constexpr double kCentralGapMinutes = 1.5;
constexpr double kMinutesPerDay = 1440.0;
// The title's baseline below the top of the caption strip, as on the fixed map.
constexpr int kTitleBaselinePx = 18;
// Points along each edge of a hemisphere view for its geographic box, and the box's least margin.
constexpr int kEdgeSamples = 32;
constexpr double kBoxMarginDeg = 0.5;
// Outlines keep no point closer than this to the last one kept (device pixels).
constexpr double kOutlineStepDevicePx = 0.5;
// The observer's mark: the ring's radius and where the name starts from the place (pixels).
constexpr double kObserverRingPx = 5.0;
constexpr QPointF kObserverNameOffsetPx(9.0, 4.0);

double wrapLongitudeDeg(double degrees)
{
    degrees = std::fmod(degrees + 180.0, 360.0);
    if (degrees < 0.0)
        degrees += 360.0;
    return degrees - 180.0;
}

bool isHemisphere(MapProjection projection)
{
    return projection == MapProjection::Northern || projection == MapProjection::Southern;
}

// The point on the stereographic disc of a hemisphere map, in units of the Earth's radius, with
// the fixed map's orientation; false for the other hemisphere.
bool discPoint(const MapView& view, double latitudeDeg, double longitudeDeg, QPointF& point)
{
    const bool southern = view.projection == MapProjection::Southern;
    const double latitude = southern ? -latitudeDeg : latitudeDeg;
    if (latitude < 0.0 || latitude > 90.0)
        return false;
    const double latitudeRad = latitude * kRadPerDeg;
    const double radius = 2.0 * std::cos(latitudeRad) / (std::sin(latitudeRad) + 1.0);
    const double lambda = wrapLongitudeDeg(longitudeDeg - view.centralMeridianDeg);
    const double azimuthRad = (southern ? -lambda : lambda) * kRadPerDeg;
    point = QPointF(-radius * std::sin(azimuthRad), -radius * std::cos(azimuthRad));
    return true;
}

// Pixels per unit of the disc on a hemisphere map.
double discScale(const MapView& view) { return pixelsPerDegree(view) * kDiscUnitsPerDegreeWidth; }

QPointF areaCentre(const MapView& view) { return QPointF(view.size.width() / 2.0, view.size.height() / 2.0); }

// The disc point of the view's centre (the pole when the centre is not on the disc).
QPointF discCentre(const MapView& view)
{
    QPointF centre;
    return discPoint(view, view.centreLatitudeDeg, view.centreLongitudeDeg, centre) ? centre : QPointF();
}

// Builds polylines in view pixels from geographic points: a point the map does not show, a jump
// across the world map's wrap and a segment wholly beside the view break them; segments beside
// the view are left out, so a zoomed view strokes only what it shows. A point less than
// minStepPx across and down from the last one kept is left out too.
class PolylineBuilder {
public:
    PolylineBuilder(const MapView& view, QPainterPath& path, double minStepPx = 0.0)
        : view_(view),
          path_(path),
          visible_(QRectF(QPointF(), QSizeF(view.size)).adjusted(-kCullMarginPx, -kCullMarginPx, kCullMarginPx,
                                                                  kCullMarginPx)),
          jumpPx_(isHemisphere(view.projection) ? std::numeric_limits<double>::infinity()
                                                : 180.0 * pixelsPerDegree(view)),
          minStepPx_(minStepPx)
    {
    }

    void add(double latitudeDeg, double longitudeDeg)
    {
        QPointF pixel;
        if (!projectToView(view_, latitudeDeg, longitudeDeg, pixel)) {
            breakLine();
            return;
        }
        const int code = outcode(pixel);
        if (hasPrevious_ && std::abs(pixel.x() - previous_.x()) < minStepPx_ &&
            std::abs(pixel.y() - previous_.y()) < minStepPx_)
            return;
        if (hasPrevious_ && std::abs(pixel.x() - previous_.x()) <= jumpPx_ && (code & previousCode_) == 0) {
            if (!drawing_)
                path_.moveTo(previous_);
            path_.lineTo(pixel);
            drawing_ = true;
        } else {
            drawing_ = false;
        }
        previous_ = pixel;
        previousCode_ = code;
        hasPrevious_ = true;
    }

    void breakLine()
    {
        hasPrevious_ = false;
        drawing_ = false;
    }

private:
    int outcode(QPointF p) const
    {
        return (p.x() < visible_.left() ? 1 : 0) | (p.x() > visible_.right() ? 2 : 0) |
               (p.y() < visible_.top() ? 4 : 0) | (p.y() > visible_.bottom() ? 8 : 0);
    }

    const MapView& view_;
    QPainterPath& path_;
    QRectF visible_;
    double jumpPx_;
    double minStepPx_;
    QPointF previous_;
    int previousCode_ = 0;
    bool hasPrevious_ = false;
    bool drawing_ = false;
};

// The geographic box a zoomed hemisphere view shows, from points along the area's edges: inside
// the area latitude and longitude have no extremes but at the pole. False when the pole or the
// other hemisphere is in view. Samples may miss an extreme between them by a part of the range
// they span, which the margin covers.
bool hemisphereBox(const MapView& view, QRectF& box)
{
    const QRectF area(QPointF(), QSizeF(view.size));
    const double poleLatitudeDeg = view.projection == MapProjection::Southern ? -90.0 : 90.0;
    const GeoPoint middle = viewToGeographic(view, area.center());
    if (!middle.exists() || area.contains(projectToView(view, poleLatitudeDeg, 0.0)))
        return false;
    double south = 90.0, north = -90.0, west = 1e9, east = -1e9;
    for (int i = 0; i <= kEdgeSamples; ++i) {
        const double share = static_cast<double>(i) / kEdgeSamples;
        for (const QPointF edge : {QPointF(share * area.width(), 0.0), QPointF(share * area.width(), area.height()),
                                   QPointF(0.0, share * area.height()), QPointF(area.width(), share * area.height())}) {
            const GeoPoint point = viewToGeographic(view, edge);
            if (!point.exists())
                return false;
            const double longitude = middle.longitudeDeg + wrapLongitudeDeg(point.longitudeDeg - middle.longitudeDeg);
            south = std::min(south, point.latitudeDeg);
            north = std::max(north, point.latitudeDeg);
            west = std::min(west, longitude);
            east = std::max(east, longitude);
        }
    }
    const double latitudeMargin = (north - south) / kEdgeSamples + kBoxMarginDeg;
    const double longitudeMargin = (east - west) / kEdgeSamples + kBoxMarginDeg;
    box = QRectF(QPointF(west - longitudeMargin, south - latitudeMargin),
                 QPointF(east + longitudeMargin, north + latitudeMargin));
    return true;
}

// The geographic box a view shows, for leaving out outline pieces beside it: false when
// everything may be seen (half the world or more, or see hemisphereBox).
bool visibleBox(const MapView& view, QRectF& box)
{
    if (view.spanDeg >= 180.0)
        return false;
    if (isHemisphere(view.projection))
        return hemisphereBox(view, box);
    const double perDegree = pixelsPerDegree(view);
    const double halfWidth = view.size.width() / 2.0 / perDegree + 1.0;
    const double halfHeight = view.size.height() / 2.0 / perDegree + 1.0;
    box = QRectF(view.centreLongitudeDeg - halfWidth, view.centreLatitudeDeg - halfHeight, 2.0 * halfWidth,
                 2.0 * halfHeight);
    return true;
}

bool pieceMayBeSeen(const QRectF& bounds, bool boxed, const QRectF& box)
{
    if (!boxed)
        return true;
    for (double shift : {-360.0, 0.0, 360.0})
        if (bounds.translated(shift, 0.0).intersects(box))
            return true;
    return false;
}

QPen linePen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The coastline or the borders: at 1:50m, or at 1:10m on a view narrow enough for detail.
void drawOutlines(QPainter& painter, const MapView& view, bool borders, const QColor& colour)
{
    QRectF box;
    const bool boxed = visibleBox(view, box);
    QPainterPath path;
    PolylineBuilder builder(view, path, kOutlineStepDevicePx / view.deviceScale);
    const std::vector<OutlinePiece>& pieces =
        showsDetail(view) ? detailedOutlinePieces(borders) : outlinePieces(borders);
    for (const OutlinePiece& piece : pieces) {
        if (!pieceMayBeSeen(piece.bounds, boxed, box))
            continue;
        builder.breakLine();
        for (const QPointF& point : piece.lonLat)
            builder.add(point.y(), point.x());
    }
    painter.strokePath(path, linePen(colour, 1.0));
}

// The physical Earth image (2 pixels per degree, longitude -180 at its left edge, latitude 90 at
// its top) stretched under the view, each copy around the wrap only where it is seen.
void drawEarthImage(QPainter& painter, const MapView& view, const QPixmap& earth)
{
    const double perDegree = pixelsPerDegree(view);
    const double imagePerDegree = earth.width() / 360.0;
    const QRectF area(QPointF(), QSizeF(view.size));
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (double shift : {-360.0, 0.0, 360.0}) {
        const QPointF topLeft = projectToView(view, 90.0, view.centreLongitudeDeg) +
                                QPointF((-180.0 - view.centreLongitudeDeg + shift) * perDegree, 0.0);
        const double toView = perDegree / imagePerDegree;
        const QRectF copy(topLeft, QSizeF(earth.width() * toView, earth.height() * toView));
        const QRectF shown = copy.intersected(area);
        if (shown.isEmpty())
            continue;
        const QRectF source((shown.left() - copy.left()) / toView, (shown.top() - copy.top()) / toView,
                            shown.width() / toView, shown.height() / toView);
        painter.drawPixmap(shown, earth, source);
    }
    painter.restore();
}

// The grid of the world maps: meridians and parallels every stepDeg.
void addWorldGrid(QPainterPath& path, const MapView& view, int stepDeg)
{
    const double top = projectToView(view, 90.0, view.centreLongitudeDeg).y();
    const double bottom = projectToView(view, -90.0, view.centreLongitudeDeg).y();
    for (int meridian = -180 + stepDeg; meridian <= 180; meridian += stepDeg) {
        const double x = projectToView(view, 0.0, meridian).x();
        path.moveTo(x, top);
        path.lineTo(x, bottom);
    }
    const double left = view.size.width() / 2.0 - 180.0 * pixelsPerDegree(view);
    const double right = view.size.width() / 2.0 + 180.0 * pixelsPerDegree(view);
    for (int parallel = -90 + stepDeg; parallel < 90; parallel += stepDeg) {
        const double y = projectToView(view, parallel, view.centreLongitudeDeg).y();
        path.moveTo(std::max(left, -kCullMarginPx), y);
        path.lineTo(std::min(right, view.size.width() + kCullMarginPx), y);
    }
}

// The grid of the hemisphere maps as the fixed map has it: meridians every 30 degrees from the
// pole to the equator, the parallels 30 and 60 and the equator, as circles around the pole.
void drawHemisphereGrid(QPainter& painter, const MapView& view, const QColor& colour)
{
    const double hemisphere = view.projection == MapProjection::Southern ? -1.0 : 1.0;
    QPainterPath path;
    const QPointF pole = projectToView(view, hemisphere * 90.0, 0.0);
    for (int meridian = -180; meridian < 180; meridian += 30) {
        path.moveTo(pole);
        path.lineTo(projectToView(view, 0.0, meridian));
    }
    const double scale = discScale(view);
    for (double parallel : {0.0, 30.0, 60.0}) {
        const double latitudeRad = parallel * kRadPerDeg;
        const double radius = kDiscEquatorRadius * std::cos(latitudeRad) / (std::sin(latitudeRad) + 1.0) * scale;
        path.addEllipse(pole, radius, radius);
    }
    painter.strokePath(path, linePen(colour, 1.0));
}

void drawGrid(QPainter& painter, const MapView& view, MapGrid grid, const MapColours& colours)
{
    if (isHemisphere(view.projection)) {
        drawHemisphereGrid(painter, view, colours.grid);
        return;
    }
    if (grid == MapGrid::None)
        return;
    QColor thirty = colours.grid;
    if (grid == MapGrid::Every10Degrees) {
        QPainterPath ten;
        addWorldGrid(ten, view, 10);
        painter.strokePath(ten, linePen(colours.grid, 1.0));
        thirty = colours.grid30AfterGrid10;
    }
    QPainterPath path;
    addWorldGrid(path, view, 30);
    painter.strokePath(path, linePen(thirty, 1.0));
}

// Pieces of timed lines (the penumbral limits, the rise/set curves) as lines.
void drawTimedCurves(QPainter& painter, const MapView& view, std::initializer_list<const TimedCurve*> curves,
                     const QColor& colour, double width)
{
    QPainterPath path;
    PolylineBuilder builder(view, path);
    for (const TimedCurve* curve : curves)
        for (const TimedLine& line : *curve) {
            builder.breakLine();
            for (const TimedPoint& point : line)
                builder.add(point.latitudeDeg, point.longitudeDeg);
        }
    painter.strokePath(path, linePen(colour, width));
}

void drawUmbralLimits(QPainter& painter, const MapView& view, const UmbralLimits& limits, const QColor& colour)
{
    QPainterPath path;
    PolylineBuilder builder(view, path);
    for (const std::vector<UmbralLimitPoint>* side : {&limits.northern, &limits.southern}) {
        builder.breakLine();
        for (const UmbralLimitPoint& point : *side) {
            if (point.startsPiece)
                builder.breakLine();
            builder.add(point.latitudeDeg, point.longitudeDeg);
        }
    }
    painter.strokePath(path, linePen(colour, 1.5));
}

// The central line, each stretch in the colour of its kind (total or annular); a stretch
// starts at the last point of the one before, so the line runs on unbroken.
void drawCentralLine(QPainter& painter, const MapView& view, const std::vector<CentralLinePoint>& line,
                     const MapColours& colours)
{
    QPainterPath total, annular;
    PolylineBuilder totalBuilder(view, total), annularBuilder(view, annular);
    const CentralLinePoint* previous = nullptr;
    for (const CentralLinePoint& point : line) {
        PolylineBuilder& builder = isTotal(point.kind) ? totalBuilder : annularBuilder;
        PolylineBuilder& other = isTotal(point.kind) ? annularBuilder : totalBuilder;
        const bool gap = previous != nullptr && (point.mjdUT - previous->mjdUT) * kMinutesPerDay > kCentralGapMinutes;
        if (gap) {
            builder.breakLine();
            other.breakLine();
        } else if (previous != nullptr && isTotal(previous->kind) != isTotal(point.kind)) {
            builder.breakLine();
            other.breakLine();
            builder.add(previous->latitudeDeg, previous->longitudeDeg);
        }
        builder.add(point.latitudeDeg, point.longitudeDeg);
        previous = &point;
    }
    painter.strokePath(annular, linePen(colours.annular, 2.0));
    painter.strokePath(total, linePen(colours.total, 2.0));
}

void drawGreatest(QPainter& painter, const MapView& view, const GeoPoint& greatest, const QColor& colour)
{
    QPointF pixel;
    if (!greatest.exists() || !projectToView(view, greatest.latitudeDeg, greatest.longitudeDeg, pixel))
        return;
    painter.setPen(linePen(colour, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(pixel, 4.0, 4.0);
}

QFont observerFont() { return QFont("helvetica", 10); }

// Text dark on a light halo, so that it reads on any background.
void fillWithHalo(QPainter& painter, const QPainterPath& text)
{
    painter.strokePath(text, linePen(QColor(255, 255, 255), 3.0));
    painter.fillPath(text, QColor(0, 0, 0));
}

// The observer's place: a ring with a dot and the place's name beside it.
void drawObserver(QPainter& painter, const MapView& view, const Observer& observer)
{
    QPointF pixel;
    if (!projectToView(view, observer.latitudeDeg, observer.longitudeDeg, pixel))
        return;
    const QColor ink(0, 0, 0);
    const QColor halo(255, 255, 255);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(linePen(halo, 3.5));
    painter.drawEllipse(pixel, kObserverRingPx, kObserverRingPx);
    painter.setPen(linePen(ink, 1.5));
    painter.drawEllipse(pixel, kObserverRingPx, kObserverRingPx);
    painter.setPen(linePen(ink, 3.0));
    painter.drawPoint(pixel);
    if (observer.name.empty())
        return;
    QPainterPath text;
    text.addText(pixel + kObserverNameOffsetPx, observerFont(), QString::fromStdString(observer.name));
    fillWithHalo(painter, text);
}

// The observer's mark and name in view pixels; empty when the view does not show the place.
QRectF observerBox(const MapView& view, const Observer& observer)
{
    QPointF pixel;
    if (!projectToView(view, observer.latitudeDeg, observer.longitudeDeg, pixel))
        return {};
    const QPointF ring(kObserverRingPx + 1.0, kObserverRingPx + 1.0);
    QRectF box(pixel - ring, pixel + ring);
    if (!observer.name.empty())
        box |= QFontMetricsF(observerFont())
                   .boundingRect(QString::fromStdString(observer.name))
                   .translated(pixel + kObserverNameOffsetPx);
    return box;
}

constexpr QPointF kHaloOffsetsPx[] = {{-1.0, -1.0}, {0.0, -1.0}, {1.0, -1.0}, {-1.0, 0.0},
                                     {1.0, 0.0},   {-1.0, 1.0}, {0.0, 1.0},  {1.0, 1.0}};

// The names of places on a zoomed view, each with a dot, none over the observer's mark and name.
void drawPlaceNames(QPainter& painter, const MapView& view, const Observer& observer)
{
    const std::vector<PlaceLabel> labels = placeLabels(view, observerBox(view, observer));
    if (labels.empty())
        return;
    QPainterPath dots;
    for (const PlaceLabel& label : labels)
        dots.addEllipse(label.dot, kPlaceDotRadiusPx, kPlaceDotRadiusPx);
    fillWithHalo(painter, dots);
    painter.setFont(placeLabelFont());
    painter.setPen(QColor(255, 255, 255));
    for (const QPointF offset : kHaloOffsetsPx)
        for (const PlaceLabel& label : labels)
            painter.drawText(label.baseline + offset, label.name);
    painter.setPen(QColor(0, 0, 0));
    for (const PlaceLabel& label : labels)
        painter.drawText(label.baseline, label.name);
}

}  // namespace

MapView wholeWorldView(MapProjection projection, double centralMeridianDeg, QSize size, double deviceScale)
{
    MapView view;
    view.projection = projection;
    view.centralMeridianDeg = centralMeridianDeg;
    view.size = size;
    view.deviceScale = deviceScale;
    view.spanDeg = kViewMaxSpanDeg;
    if (isHemisphere(projection)) {
        view.centreLatitudeDeg = projection == MapProjection::Southern ? -90.0 : 90.0;
        view.centreLongitudeDeg = 0.0;
    } else {
        view.centreLatitudeDeg = 0.0;
        view.centreLongitudeDeg = wrapLongitudeDeg(centralMeridianDeg);
    }
    return view;
}

MapView clampedView(MapView view)
{
    view.spanDeg = std::clamp(view.spanDeg, kViewMinSpanDeg, kViewMaxSpanDeg);
    view.centreLatitudeDeg = std::clamp(view.centreLatitudeDeg, -90.0, 90.0);
    view.centreLongitudeDeg = wrapLongitudeDeg(view.centreLongitudeDeg);
    return view;
}

double pixelsPerDegree(const MapView& view) { return view.size.width() / view.spanDeg; }

bool projectToView(const MapView& view, double latitudeDeg, double longitudeDeg, QPointF& pixel)
{
    if (isHemisphere(view.projection)) {
        QPointF disc;
        if (!discPoint(view, latitudeDeg, longitudeDeg, disc))
            return false;
        pixel = areaCentre(view) + (disc - discCentre(view)) * discScale(view);
        return true;
    }
    const double perDegree = pixelsPerDegree(view);
    pixel = areaCentre(view) + QPointF(wrapLongitudeDeg(longitudeDeg - view.centreLongitudeDeg) * perDegree,
                                       -(latitudeDeg - view.centreLatitudeDeg) * perDegree);
    return true;
}

QPointF projectToView(const MapView& view, double latitudeDeg, double longitudeDeg)
{
    QPointF pixel(-1e9, -1e9);
    projectToView(view, latitudeDeg, longitudeDeg, pixel);
    return pixel;
}

GeoPoint viewToGeographic(const MapView& view, QPointF pixel)
{
    GeoPoint point;
    if (isHemisphere(view.projection)) {
        const QPointF disc = (pixel - areaCentre(view)) / discScale(view) + discCentre(view);
        const double radius = std::hypot(disc.x(), disc.y());
        if (radius > kDiscEquatorRadius)
            return point;
        const double q = (radius * 0.5) * (radius * 0.5);
        double latitude = std::asin((1.0 - q) / (1.0 + q)) * kDegPerRad;
        double lambda = radius == 0.0 ? 0.0 : std::atan2(-disc.x(), -disc.y()) * kDegPerRad;
        if (view.projection == MapProjection::Southern) {
            latitude = -latitude;
            lambda = -lambda;
        }
        point.latitudeDeg = latitude;
        point.longitudeDeg = wrapLongitudeDeg(lambda + view.centralMeridianDeg);
        return point;
    }
    const double perDegree = pixelsPerDegree(view);
    const QPointF offset = pixel - areaCentre(view);
    const double latitude = view.centreLatitudeDeg - offset.y() / perDegree;
    if (latitude < -90.0 || latitude > 90.0)
        return point;
    point.latitudeDeg = latitude;
    point.longitudeDeg = wrapLongitudeDeg(view.centreLongitudeDeg + offset.x() / perDegree);
    return point;
}

MapView frameOfPath(const EclipseMapPoints& points, const MapView& base)
{
    if (points.centralLine.empty())
        return wholeWorldView(base.projection, base.centralMeridianDeg, base.size, base.deviceScale);
    // The band's points with longitudes unwrapped around its first point, so that a band across
    // the date line has one middle.
    std::vector<GeoPoint> band;
    const double reference = points.centralLine.front().longitudeDeg;
    const auto keep = [&band, reference](double latitude, double longitude) {
        band.push_back({latitude, reference + wrapLongitudeDeg(longitude - reference)});
    };
    for (const CentralLinePoint& point : points.centralLine)
        keep(point.latitudeDeg, point.longitudeDeg);
    for (const auto* side : {&points.umbralLimits.northern, &points.umbralLimits.southern})
        for (const UmbralLimitPoint& point : *side)
            keep(point.latitudeDeg, point.longitudeDeg);
    double south = 90.0, north = -90.0, west = 1e9, east = -1e9;
    for (const GeoPoint& point : band) {
        south = std::min(south, point.latitudeDeg);
        north = std::max(north, point.latitudeDeg);
        west = std::min(west, point.longitudeDeg);
        east = std::max(east, point.longitudeDeg);
    }
    // Centred on the middle of the band at the whole world's span, then its pixel box there (on
    // a hemisphere map the middle moves to the box's middle); the span follows from how much of
    // the area that box takes.
    MapView view = base;
    view.spanDeg = kViewMaxSpanDeg;
    view.centreLatitudeDeg = (south + north) / 2.0;
    view.centreLongitudeDeg = wrapLongitudeDeg((west + east) / 2.0);
    double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
    for (const GeoPoint& point : band) {
        QPointF pixel;
        if (!projectToView(view, point.latitudeDeg, point.longitudeDeg, pixel))
            continue;
        left = std::min(left, pixel.x());
        right = std::max(right, pixel.x());
        top = std::min(top, pixel.y());
        bottom = std::max(bottom, pixel.y());
    }
    // A band wholly in the hemisphere the map does not show.
    if (left > right)
        return wholeWorldView(base.projection, base.centralMeridianDeg, base.size, base.deviceScale);
    const QRectF box(QPointF(left, top), QPointF(right, bottom));
    const GeoPoint middle = viewToGeographic(view, box.center());
    if (middle.exists()) {
        view.centreLatitudeDeg = middle.latitudeDeg;
        view.centreLongitudeDeg = middle.longitudeDeg;
    }
    const double share = std::max(box.width() / (view.size.width() * kPathFrameShare),
                                   box.height() / (view.size.height() * kPathFrameShare));
    view.spanDeg = kViewMaxSpanDeg * share;
    return clampedView(view);
}

QSize viewPictureSize(const MapView& view) { return view.size + QSize(0, kCaptionHeightPx); }

QSize viewAreaOfPicture(QSize picture)
{
    return QSize(picture.width(), std::max(1, picture.height() - kCaptionHeightPx));
}

void paintMapViewBase(QPainter& painter, const MapView& view, const DisplaySettings& display, const QPixmap* earth)
{
    const MapColours& colours = mapColours();
    const QRect area(QPoint(0, 0), view.size);
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, display.mapGrey ? colours.greyBackground : colours.whiteBackground);
    const bool image = view.projection == MapProjection::PhysicalWorld && earth != nullptr && !earth->isNull();
    if (image)
        drawEarthImage(painter, view, *earth);
    // The coastline is drawn over the borders, which end on it.
    if (display.mapBorders)
        drawOutlines(painter, view, true, colours.borders);
    if (!image)
        drawOutlines(painter, view, false, colours.coastline);
    drawGrid(painter, view, display.mapGrid, colours);
}

void paintViewCaption(QPainter& painter, const MapView& view, const std::string& text)
{
    const MapColours& colours = mapColours();
    const int top = view.size.height();
    painter.fillRect(QRect(0, top, view.size.width(), kCaptionHeightPx), colours.caption);
    painter.setPen(colours.title);
    painter.setFont(QFont("helvetica", 10));
    painter.drawText(QPoint(0, top + kTitleBaselinePx), QString::fromStdString(text));
}

void paintEclipseMapView(QPainter& painter, const MapView& view, const SettingsRecord& settings,
                         const EclipseMapPoints& points, const QPixmap* earth, const std::string& title)
{
    const MapColours& colours = mapColours();
    painter.save();
    paintMapViewBase(painter, view, settings.display, earth);
    drawPlaceNames(painter, view, settings.observer);
    drawTimedCurves(painter, view, {&points.curveLines.northernLimit, &points.curveLines.southernLimit},
                    colours.limits, 1.0);
    drawTimedCurves(painter, view, {&points.curveLines.riseSet}, colours.riseSet, 1.5);
    // The umbral limits lie a pixel or two from the central line at world scale: drawn first,
    // so that the central line's colour stays on top.
    drawUmbralLimits(painter, view, points.umbralLimits, colours.limits);
    drawCentralLine(painter, view, points.centralLine, colours);
    drawGreatest(painter, view, points.greatest, colours.greatest);
    drawObserver(painter, view, settings.observer);
    painter.restore();
    paintViewCaption(painter, view, title);
}

}  // namespace qv
