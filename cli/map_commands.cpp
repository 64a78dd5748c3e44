// The map pictures of the batch companion, painted offscreen exactly as the window paints them.
#include <QPainter>
#include <QPixmap>

#include <cstdlib>
#include <string>

#include "base/constants.h"
#include "cli/commands.h"
#include "cli/offscreen_gui.h"
#include "cli/picture_file.h"
#include "config/input_limits.h"
#include "eclipse/special_eclipse.h"
#include "maps/map_drawing.h"
#include "maps/map_view.h"
#include "maps/special_map_view.h"
#include "reports/eclipse_details.h"
#include "reports/map_pointer.h"
#include "reports/year_tables.h"

namespace qv {

namespace {

int refuse(const CliContext& context, const std::string& message)
{
    std::fprintf(context.err, "quorvel-cli: %s\n", message.c_str());
    return kCliExitUsage;
}

int writePicture(const CliContext& context, const QPixmap& picture)
{
    return writePngFile(context, picture.toImage());
}

// Paints a view and its caption strip at the view's device scale and writes the picture.
template <typename Paint>
int writeViewPicture(const CliContext& context, const MapView& view, Paint paint)
{
    const QSize size = viewPictureSize(view);
    QPixmap picture = scaledPixmap(size.width(), size.height(), view.deviceScale);
    QPainter painter(&picture);
    paint(painter);
    painter.end();
    return writePicture(context, picture);
}

void printPoint(std::FILE* out, const char* name, const GeoPoint& point)
{
    std::fprintf(out, "%s %.4f %.4f\n", name, point.latitudeDeg, point.longitudeDeg);
}

void printMapPoints(std::FILE* out, const EclipseMapPoints& points)
{
    for (const CentralLinePoint& central : points.centralLine)
        std::fprintf(out, "central %i %.4f %.4f\n", static_cast<int>(central.kind), central.latitudeDeg,
                     central.longitudeDeg);
    for (const GeoPoint& point : points.curves.limits)
        printPoint(out, "limit", point);
    for (const GeoPoint& point : points.curves.riseSet)
        printPoint(out, "riseset", point);
    printPoint(out, "greatest", points.greatest);
}

// A written map holds the map and its caption strip, at the scale asked for.
QPixmap mapPicture(const CliContext& context)
{
    return scaledPixmap(kMapWidthPx, kMapPictureHeightPx, context.options.pictureScale);
}

QPixmap captionStrip(const CliContext& context)
{
    return scaledPixmap(kCaptionWidthPx, kCaptionHeightPx, context.options.pictureScale);
}

// The Earth image for the physical map; null when it cannot be loaded (coastline instead).
const QPixmap* earthImage(QPixmap& earth) { return loadEarthImage(earth) ? &earth : nullptr; }

// The view --view asks for, at --size (the caption strip included) and --scale.
MapView requestedView(const CliOptions& options, const SettingsRecord& settings, const EclipseMapPoints& points)
{
    const CliSize size = options.mapViewSize.value_or(kDefaultMapViewSize);
    MapView view = wholeWorldView(settings.display.mapProjection, settings.display.centralMeridianDeg,
                                  viewAreaOfPicture(QSize(size.width, size.height)), options.pictureScale);
    if (options.mapView->path)
        return frameOfPath(points, view);
    view.centreLatitudeDeg = options.mapView->latitudeDeg;
    view.centreLongitudeDeg = options.mapView->longitudeDeg;
    view.spanDeg = options.mapView->spanDeg;
    return clampedView(view);
}

}  // namespace

int runMapCommand(CliContext& context)
{
    const SettingsRecord& settings = context.settings;
    if (!context.options.eclipseNumber)
        return refuse(context, "map needs --eclipse N");
    if (!context.options.points && !context.options.mapAt && context.options.outPath.empty())
        return refuse(context, "map needs --out FILE.png, --points or --at");
    if (context.options.mapViewSize && !context.options.mapView)
        return refuse(context, "--size needs --view");
    const std::vector<EclipseEvent> eclipses = eclipsesOfYear(settings);
    const EclipseEvent* eclipse = selectedEclipse(*context.options.eclipseNumber, eclipses);
    if (!eclipse || !isSolar(eclipse->kind))
        return refuse(context, "--eclipse " + std::to_string(*context.options.eclipseNumber) +
                                   " is not a solar eclipse of " + std::to_string(settings.time.year));
    const EclipseMapPoints points = eclipseMapPoints(settings, *eclipse);
    if (context.options.points) {
        printMapPoints(context.out, points);
        return kCliExitOk;
    }
    if (const std::optional<CliMapPoint>& at = context.options.mapAt) {
        const MapPointAnswer answer = mapPointAnswer(*eclipse, points.centralLine, at->latitudeDeg, at->longitudeDeg);
        std::fprintf(context.out, "%s\n", mapPointAnswerText(answer, eclipse->kind, settings.time.zone).c_str());
        return kCliExitOk;
    }
    const OffscreenGui gui;
    QPixmap earth;
    const std::string title = eclipseMapTitle(settings.time.year, settings.time.zone, *eclipse);
    if (context.options.mapView) {
        const MapView view = requestedView(context.options, settings, points);
        return writeViewPicture(context, view, [&](QPainter& painter) {
            paintEclipseMapView(painter, view, settings, points, earthImage(earth), title);
        });
    }
    QPixmap picture = mapPicture(context);
    QPixmap caption = captionStrip(context);
    const MapGeometry geometry = mapGeometry(settings.display.mapProjection, settings.display.centralMeridianDeg);
    paintEclipseMap(picture, caption, earthImage(earth), geometry, settings, points, title);
    return writePicture(context, picture);
}

namespace {

// The special map --out asks for: with --view the zoomable view, else the fixed picture.
int writeSpecialPicture(const CliContext& context, const std::vector<TrackPoint>& track,
                        const ElevatedCentralPoints& now)
{
    const SettingsRecord& settings = context.settings;
    const OffscreenGui gui;
    QPixmap earth;
    if (context.options.mapView) {
        const MapView view = requestedView(context.options, settings, EclipseMapPoints{});
        return writeViewPicture(context, view, [&](QPainter& painter) {
            paintSpecialMapView(painter, view, settings, track, now, earthImage(earth));
        });
    }
    QPixmap page = mapPicture(context);
    QPixmap caption = captionStrip(context);
    QPixmap specialMap = mapPicture(context);
    const MapGeometry geometry = mapGeometry(settings.display.mapProjection, settings.display.centralMeridianDeg);
    paintSpecialEclipseTrack(page, earthImage(earth), geometry, settings, track);
    paintSpecialEclipseLabel(specialMap, page, caption, geometry, settings, now);
    return writePicture(context, specialMap);
}

}  // namespace

int runSpecialCommand(CliContext& context)
{
    SettingsRecord& settings = context.settings;
    if (context.options.mapViewSize && !context.options.mapView)
        return refuse(context, "--size needs --view");
    if (context.options.mapView && context.options.mapView->path)
        return refuse(context, "special --view takes LAT,LON,SPAN: a special eclipse has no band to frame");
    if (context.options.mapView && context.options.outPath.empty())
        return refuse(context, "--view needs --out FILE.png");
    // The track stays centred on the chosen instant; the arrow-key steps move only the label,
    // one step after the other as in the window.
    const double trackCentreUT = settings.time.currentMjdUT;
    const int steps = context.options.satSteps;
    for (int i = 0; i < std::abs(steps); ++i)
        settings.time.currentMjdUT += (steps > 0 ? 1.0 : -1.0) * settings.special.stepSeconds / kSecondsPerDay;
    if (const std::string message = checkYear(splitUtInstant(settings.time.currentMjdUT).year); !message.empty())
        return refuse(context, "--steps: " + message);
    const ElevatedCentralPoints now = elevatedCentralPoints(instantAtUT(settings.time.currentMjdUT, deltaTRule(settings.time)),
                                                            settings.special.heightKm, settings.special.ellipsoid);
    const bool picture = !context.options.outPath.empty();
    std::vector<TrackPoint> track;
    if (picture || context.options.points)
        track = specialEclipseTrack(instantAtUT(trackCentreUT, deltaTRule(settings.time)), settings.special.heightKm,
                                    settings.special.ellipsoid);
    if (picture)
        if (const int status = writeSpecialPicture(context, track, now); status != kCliExitOk)
            return status;
    const std::string label = specialEclipseLabel(settings.time.currentMjdUT, settings.special.heightKm, now);
    std::fprintf(context.out, "%s\n", label.c_str());
    if (context.options.points)
        for (const TrackPoint& point : track)
            std::fprintf(context.out, "track %i %.4f %.4f\n", point.kind, point.latitudeDeg, point.longitudeDeg);
    return kCliExitOk;
}

}  // namespace qv
