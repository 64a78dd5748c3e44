#include "maps/map_drawing.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "base/constants.h"
#include "eclipse/eclipse_geometry.h"

// Registers the compiled-in map resources of this library (outside any namespace).
static void initMapResources() { Q_INIT_RESOURCE(maps); }

namespace qv {

namespace {

// Scale of the hemisphere maps: pixels per unit of the stereographic radius (2 at the equator).
constexpr double kHemisphereScale = 107.27056019070322;
constexpr double kWorldScale = 2.0;
// Hemisphere maps still show points this far past the pole (rounding of polar points).
constexpr double kHemisphereLatitudeLimit = 90.1;
// Smallest sine of the azimuth for inverting the stereographic radius along x.
constexpr double kSmallAzimuthSine = 1e-05;
// An outline segment jumping farther than this across the map crosses its edge: not drawn.
constexpr int kOutlineJumpPx = 199;
// Latitude given to a pixel outside the disc of a hemisphere map.
constexpr double kOutsideDisc = -100.0;
constexpr const char* kEarthImage = ":/earth.png";

// Records of (latitude * 10, longitude * 10); a record with kPolylineStart starts a new polyline.
constexpr int kPolylineStart = 1111;
constexpr double kRecordsPerDegree = 10.0;
constexpr OutlineRecord kCoastline[] = {
#include "world_coastline.inc"
};
// The land borders between countries, in the same records.
constexpr OutlineRecord kBorders[] = {
#include "world_borders.inc"
};

namespace colour {
const QColor greyBackground(200, 200, 200);
const QColor whiteBackground(255, 255, 255);
const QColor caption(0, 0, 255);
const QColor coastline(200, 100, 50);
const QColor borders(150, 150, 150);
const QColor grid(130, 160, 180);
const QColor grid30AfterGrid10(30, 240, 120);
const QColor total(0, 0, 255);
const QColor annular(255, 0, 0);
const QColor limits(0, 0, 0);
const QColor riseSet(200, 0, 150);
const QColor greatest(0, 255, 0);
const QColor title(255, 255, 0);
}  // namespace colour

// Where the title and label texts start, below the map on the caption strip.
constexpr QPoint kTitleAt(0, 380);

// Rounds half away from zero.
int nearest(double value) { return static_cast<int>(value >= 0.0 ? value + 0.5 : value - 0.5); }

double wrapDegrees(double degrees)
{
    if (degrees > 180.0)
        degrees -= 360.0;
    if (degrees < -180.0)
        degrees += 360.0;
    return degrees;
}

// Longitude relative to the central meridian, in [-180, 180].
double shiftedLongitude(const MapGeometry& geometry, double longitudeDeg)
{
    double lambda = longitudeDeg;
    if (geometry.centralMeridian != 0.0)
        lambda = wrapDegrees(longitudeDeg - geometry.centralMeridian);
    return wrapDegrees(lambda);
}

QFont mapTextFont() { return QFont("helvetica", 10); }

const QColor& backgroundColour(const SettingsRecord& settings)
{
    return settings.display.mapGrey ? colour::greyBackground : colour::whiteBackground;
}

// A polyline through geographic points at one latitude, every stepDeg of longitude from
// firstDeg to lastDeg; points beyond the reference size break it.
void drawParallel(QPainter& painter, const MapGeometry& geometry, double latitudeDeg, double firstDeg,
                  double lastDeg, double stepDeg)
{
    bool open = false;
    QPoint previous;
    for (double longitude = firstDeg; longitude <= lastDeg; longitude += stepDeg) {
        const QPoint point = projectToMap(geometry, latitudeDeg, longitude);
        const bool shown = point.x() <= geometry.referenceWidth && point.y() <= geometry.referenceHeight;
        if (shown && open)
            painter.drawLine(previous, point);
        open = shown;
        previous = point;
    }
}

// Draws the polylines of an outline table. A point that cannot be shown and a segment that
// jumps across the map's edge break a polyline; the pieces between are drawn whole, which is
// much quicker than segment by segment.
template <std::size_t N>
void drawOutline(QPainter& painter, const MapGeometry& geometry, const OutlineRecord (&records)[N])
{
    const int offX = offMapMarker(geometry).x();
    QPolygon piece;
    const auto drawPiece = [&painter, &piece] {
        if (piece.size() > 1)
            painter.drawPolyline(piece);
        piece.clear();
    };
    for (const OutlineRecord& record : records) {
        if (record.latitude == kPolylineStart) {
            drawPiece();
            continue;
        }
        const QPoint point =
            projectToMap(geometry, record.latitude / kRecordsPerDegree, record.longitude / kRecordsPerDegree);
        if (point.x() == offX || (!piece.isEmpty() && std::abs(point.x() - piece.last().x()) > kOutlineJumpPx))
            drawPiece();
        if (point.x() != offX)
            piece.append(point);
    }
    drawPiece();
}

// Left edge of the Earth image for the central meridian, within one image width left of 0.
int earthImageLeft(const MapGeometry& geometry)
{
    const int widthPx = nearest(360.0 * geometry.sx);
    int left = geometry.x0 + nearest(shiftedLongitude(geometry, -180.0) * geometry.sx);
    left %= widthPx;
    return left > 0 ? left - widthPx : left;
}

void drawHemisphereGrid(QPainter& painter, const MapGeometry& geometry)
{
    const double hemisphere = geometry.projection == MapProjection::Southern ? -1.0 : 1.0;
    for (int meridian = -180; meridian <= 150; meridian += 30) {
        QPoint previous = projectToMap(geometry, hemisphere * 90.0, meridian);
        for (int latitude = 10; latitude >= 0; --latitude) {
            const QPoint point = projectToMap(geometry, hemisphere * latitude, meridian);
            if (point.y() < geometry.referenceWidth)  // not the marker below the map
                painter.drawLine(previous, point);
            previous = point;
        }
    }
    for (double parallel : {60.0, 30.0})
        drawParallel(painter, geometry, hemisphere * parallel, -180.0, 180.0, 5.0);
}

void drawWorldLines(QPainter& painter, const MapGeometry& geometry, int firstMeridian, int firstParallel,
                    int stepDeg)
{
    for (int meridian = firstMeridian; meridian <= 180; meridian += stepDeg) {
        const int x = projectToMap(geometry, 0.0, meridian).x();
        painter.drawLine(x, 0, x, kMapHeightPx);
    }
    for (int parallel = firstParallel; parallel <= -firstParallel; parallel += stepDeg) {
        const int y = projectToMap(geometry, parallel, 0.0).y();
        painter.drawLine(0, y, kMapWidthPx, y);
    }
}

// A marker ellipse between two corners and the point itself.
void drawMarker(QPainter& painter, QPoint at, int before, int after)
{
    painter.drawEllipse(QRect(at - QPoint(before, before), at + QPoint(after, after)));
    painter.drawPoint(at);
}

void drawCaptionText(QPainter& painter, const std::string& text)
{
    painter.setPen(colour::title);
    painter.setFont(mapTextFont());
    painter.drawText(kTitleAt, QString::fromStdString(text));
}

// One pixel for each point (anything with latitudeDeg and longitudeDeg).
template <typename Point>
void drawPoints(QPainter& painter, const MapGeometry& geometry, const std::vector<Point>& points)
{
    for (const Point& point : points)
        painter.drawPoint(projectToMap(geometry, point.latitudeDeg, point.longitudeDeg));
}

// Fills the page with the background and draws the map's background and grid on it.
void startMapPage(QPixmap& page, QPainter& painter, const QPixmap* earth, const MapGeometry& geometry,
                  const SettingsRecord& settings)
{
    page.fill(backgroundColour(settings));
    painter.begin(&page);
    drawMapGrid(geometry, painter, earth, settings.display);
}

}  // namespace

MapGeometry mapGeometry(MapProjection projection, double centralMeridianDeg)
{
    MapGeometry geometry;
    geometry.projection = projection;
    geometry.centralMeridian = centralMeridianDeg;
    const bool hemisphere = projection == MapProjection::Northern || projection == MapProjection::Southern;
    geometry.sx = geometry.sy = hemisphere ? kHemisphereScale : kWorldScale;
    return geometry;
}

bool isHemisphereMap(const MapGeometry& geometry)
{
    return geometry.projection == MapProjection::Northern || geometry.projection == MapProjection::Southern;
}

QPixmap scaledPixmap(int width, int height, double scale)
{
    QPixmap pixmap(QSize(width, height) * scale);
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QPoint offMapMarker(const MapGeometry& geometry)
{
    return {geometry.referenceWidth + 3, geometry.referenceHeight + 3};
}

QPoint projectToMap(const MapGeometry& geometry, double latitudeDeg, double longitudeDeg)
{
    const double lambda = shiftedLongitude(geometry, longitudeDeg);
    if (!isHemisphereMap(geometry))
        return {geometry.x0 + nearest(lambda * geometry.sx), geometry.y0 + nearest(-latitudeDeg * geometry.sy)};
    const bool southern = geometry.projection == MapProjection::Southern;
    const double latitude = southern ? -latitudeDeg : latitudeDeg;
    if (latitude < 0.0 || latitude > kHemisphereLatitudeLimit)
        return offMapMarker(geometry);
    const double latitudeRad = latitude * kRadPerDeg;
    const double radius = 2.0 * std::cos(latitudeRad) / (std::sin(latitudeRad) + 1.0);
    const double azimuthRad = (southern ? -lambda : lambda) * kRadPerDeg;
    QPoint pixel(geometry.x0 + nearest(-radius * std::sin(azimuthRad) * geometry.sx),
                 geometry.y0 + nearest(-radius * std::cos(azimuthRad) * geometry.sy));
    const int off = geometry.referenceWidth + 3;
    if (pixel.x() > kMapWidthPx)
        pixel.setX(off);
    if (pixel.y() > kMapHeightPx)
        pixel = QPoint(off, off);
    return pixel;
}

GeoPoint mapToGeographic(const MapGeometry& geometry, QPoint pixel)
{
    const double north = -(pixel.y() - geometry.y0) / geometry.sy;
    const double east = (pixel.x() - geometry.x0) / geometry.sx;
    GeoPoint point{north, east};
    if (isHemisphereMap(geometry)) {
        point = {90.0, 0.0};
        if (north != 0.0 || east != 0.0) {
            const double azimuthRad = std::atan2(-east, north);
            const bool alongX = std::fabs(std::sin(azimuthRad)) > kSmallAzimuthSine;
            const double radius = alongX ? -east / std::sin(azimuthRad) : north / std::cos(azimuthRad);
            // sin(latitude) from the stereographic radius r: q = (r / 2)^2, sin = (1 - q) / (1 + q).
            const double q = (radius * 0.5) * (radius * 0.5);
            const double sineLatitude = (1.0 - q) / (1.0 + q);
            point.latitudeDeg = sineLatitude < 0.0 ? kOutsideDisc : std::asin(sineLatitude) * kDegPerRad;
            point.longitudeDeg = azimuthRad * kDegPerRad;
        }
        if (geometry.projection == MapProjection::Southern && point.latitudeDeg != kOutsideDisc) {
            point.latitudeDeg = -point.latitudeDeg;
            point.longitudeDeg = -point.longitudeDeg;
        }
        point.longitudeDeg = wrapDegrees(point.longitudeDeg);
    }
    if (geometry.centralMeridian != 0.0)
        point.longitudeDeg = wrapDegrees(point.longitudeDeg + geometry.centralMeridian);
    return point;
}

bool isOnMap(const MapGeometry& geometry, QPoint pixel)
{
    if (pixel.x() < 0 || pixel.x() >= kMapWidthPx || pixel.y() < 0 || pixel.y() >= kMapHeightPx)
        return false;
    const double latitude = mapToGeographic(geometry, pixel).latitudeDeg;
    return latitude >= -90.0 && latitude <= 90.0;
}

bool loadEarthImage(QPixmap& earth)
{
    initMapResources();
    return earth.load(kEarthImage);
}

void drawMapBackground(const MapGeometry& geometry, QPainter& painter, const QPixmap* earth, bool borders)
{
    const bool image = geometry.projection == MapProjection::PhysicalWorld && earth != nullptr && !earth->isNull();
    if (image) {
        const int left = geometry.centralMeridian != 0.0 ? earthImageLeft(geometry) : 0;
        // The second copy would run on beside the map, where no curve is drawn.
        painter.save();
        painter.setClipRect(0, 0, kMapWidthPx, kMapHeightPx);
        painter.drawPixmap(left, 0, *earth);
        if (left != 0)
            painter.drawPixmap(left + nearest(360.0 * geometry.sx), 0, *earth);
        painter.restore();
    }
    // The coastline is drawn over the borders, which end on it.
    if (borders) {
        painter.setPen(colour::borders);
        drawOutline(painter, geometry, kBorders);
    }
    if (!image) {
        painter.setPen(colour::coastline);
        drawOutline(painter, geometry, kCoastline);
    }
    if (isHemisphereMap(geometry)) {
        painter.setPen(colour::grid);
        drawParallel(painter, geometry, 0.0, 0.0, 359.0, 1.0);  // the equator
    }
}

void drawMapGrid(const MapGeometry& geometry, QPainter& painter, const QPixmap* earth, const DisplaySettings& display)
{
    const MapGrid mapGrid = display.mapGrid;
    drawMapBackground(geometry, painter, earth, display.mapBorders);
    painter.setPen(colour::grid);
    if (isHemisphereMap(geometry)) {
        drawHemisphereGrid(painter, geometry);
    } else if (mapGrid != MapGrid::None) {
        if (mapGrid == MapGrid::Every10Degrees) {
            drawWorldLines(painter, geometry, -170, -80, 10);
            painter.setPen(colour::grid30AfterGrid10);
        }
        drawWorldLines(painter, geometry, -150, -60, 30);
    }
    if (mapGrid == MapGrid::None)
        painter.drawLine(kMapWidthPx - 1, 0, kMapWidthPx - 1, kMapHeightPx);
}

void paintEclipseMap(QPixmap& page, QPixmap& caption, const QPixmap* earth, const MapGeometry& geometry,
                     const SettingsRecord& settings, const EclipseMapPoints& points, const std::string& title)
{
    caption.fill(colour::caption);
    page.fill(backgroundColour(settings));
    QPainter painter(&page);
    paintEclipseMapContents(painter, earth, geometry, settings, points);
    painter.drawPixmap(0, kCaptionTopPx, caption);
    drawCaptionText(painter, title);
}

void paintEclipseMapContents(QPainter& painter, const QPixmap* earth, const MapGeometry& geometry,
                             const SettingsRecord& settings, const EclipseMapPoints& points)
{
    painter.fillRect(0, 0, kMapWidthPx, kMapHeightPx, backgroundColour(settings));
    drawMapGrid(geometry, painter, earth, settings.display);
    // The limits of the path lie a pixel or two from the central line at world scale: drawn
    // first, so that the central line's colour stays on top.
    painter.setPen(colour::limits);
    drawPoints(painter, geometry, points.umbralLimits.northern);
    drawPoints(painter, geometry, points.umbralLimits.southern);
    for (const CentralLinePoint& central : points.centralLine) {
        painter.setPen(isTotal(central.kind) ? colour::total : colour::annular);
        painter.drawPoint(projectToMap(geometry, central.latitudeDeg, central.longitudeDeg));
    }
    painter.setPen(colour::limits);
    drawPoints(painter, geometry, points.curves.limits);
    painter.setPen(colour::riseSet);
    drawPoints(painter, geometry, points.curves.riseSet);
    painter.setPen(colour::greatest);
    drawMarker(painter, projectToMap(geometry, points.greatest.latitudeDeg, points.greatest.longitudeDeg), 2, 2);
}

std::vector<OutlinePiece> outlinePiecesOf(const OutlineTable& table, qsizetype maxPiecePoints)
{
    std::vector<OutlinePiece> pieces;
    QPolygonF piece;
    const auto finish = [&pieces, &piece] {
        if (piece.size() > 1)
            pieces.push_back({piece, piece.boundingRect()});
        piece.clear();
    };
    for (const OutlineRecord& record : table.records) {
        if (record.latitude == table.polylineStart) {
            finish();
            continue;
        }
        piece.append(QPointF(record.longitude / table.recordsPerDegree, record.latitude / table.recordsPerDegree));
        if (piece.size() == maxPiecePoints) {
            const QPointF last = piece.back();
            finish();
            piece.append(last);
        }
    }
    finish();
    return pieces;
}

const std::vector<OutlinePiece>& outlinePieces(bool borders)
{
    constexpr qsizetype kWholePolylines = std::numeric_limits<qsizetype>::max();
    if (borders) {
        static const std::vector<OutlinePiece> borderLines =
            outlinePiecesOf({kBorders, kPolylineStart, kRecordsPerDegree}, kWholePolylines);
        return borderLines;
    }
    static const std::vector<OutlinePiece> coastline =
        outlinePiecesOf({kCoastline, kPolylineStart, kRecordsPerDegree}, kWholePolylines);
    return coastline;
}

const MapColours& mapColours()
{
    static const MapColours colours{colour::greyBackground, colour::whiteBackground, colour::caption,
                                    colour::coastline,      colour::borders,         colour::grid,
                                    colour::grid30AfterGrid10, colour::total,        colour::annular,
                                    colour::limits,         colour::riseSet,         colour::greatest,
                                    colour::title};
    return colours;
}

QColor mapLegendColour(MapLegendItem item)
{
    switch (item) {
    case MapLegendItem::kCentralTotal:
        return colour::total;
    case MapLegendItem::kCentralAnnular:
        return colour::annular;
    case MapLegendItem::kLimits:
        return colour::limits;
    case MapLegendItem::kRiseSet:
        return colour::riseSet;
    case MapLegendItem::kGreatest:
        return colour::greatest;
    }
    return colour::limits;
}

void paintSpecialEclipseTrack(QPixmap& page, const QPixmap* earth, const MapGeometry& geometry,
                              const SettingsRecord& settings, const std::vector<TrackPoint>& track)
{
    QPainter painter;
    startMapPage(page, painter, earth, geometry, settings);
    for (const TrackPoint& point : track) {
        painter.setPen(point.kind == kElevatedTotal ? colour::total : colour::annular);
        painter.drawPoint(projectToMap(geometry, point.latitudeDeg, point.longitudeDeg));
    }
}

void paintSpecialEclipseLabel(QPixmap& specialMap, const QPixmap& page, QPixmap& caption,
                              const MapGeometry& geometry, const SettingsRecord& settings,
                              const ElevatedCentralPoints& points)
{
    caption.fill(colour::caption);
    QPainter painter(&specialMap);
    painter.drawPixmap(0, 0, page);
    painter.drawPixmap(0, kCaptionTopPx, caption);
    for (const ElevatedCentralPoint& point : {points.entry, points.exit}) {
        if (point.kind == kNoElevatedPoint)
            continue;
        painter.setPen(point.kind == kElevatedTotal ? colour::total : colour::annular);
        drawMarker(painter, projectToMap(geometry, point.latitudeDeg, point.longitudeDeg), 2, 1);
    }
    drawCaptionText(painter, specialEclipseLabel(settings.time.currentMjdUT, settings.special.heightKm, points));
}

}  // namespace qv
