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
#include "reports/eclipse_details.h"
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
    if (!context.options.points && context.options.outPath.empty())
        return refuse(context, "map needs --out FILE.png or --points");
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
    const OffscreenGui gui;
    QPixmap earth;
    const std::string title = eclipseMapTitle(settings.time.year, settings.time.zone, *eclipse);
    if (context.options.mapView) {
        const MapView view = requestedView(context.options, settings, points);
        const QSize size = viewPictureSize(view);
        QPixmap picture = scaledPixmap(size.width(), size.height(), view.deviceScale);
        QPainter painter(&picture);
        paintEclipseMapView(painter, view, settings, points, earthImage(earth), title);
        painter.end();
        return writePicture(context, picture);
    }
    QPixmap picture = mapPicture(context);
    QPixmap caption = captionStrip(context);
    const MapGeometry geometry = mapGeometry(settings.display.mapProjection, settings.display.centralMeridianDeg);
    paintEclipseMap(picture, caption, earthImage(earth), geometry, settings, points, title);
    return writePicture(context, picture);
}

int runSpecialCommand(CliContext& context)
{
    SettingsRecord& settings = context.settings;
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
    if (picture) {
        const OffscreenGui gui;
        QPixmap page = mapPicture(context);
        QPixmap caption = captionStrip(context);
        QPixmap specialMap = mapPicture(context);
        QPixmap earth;
        const MapGeometry geometry = mapGeometry(settings.display.mapProjection, settings.display.centralMeridianDeg);
        paintSpecialEclipseTrack(page, earthImage(earth), geometry, settings, track);
        paintSpecialEclipseLabel(specialMap, page, caption, geometry, settings, now);
        if (const int status = writePicture(context, specialMap); status != kCliExitOk)
            return status;
    }
    const std::string label = specialEclipseLabel(settings.time.currentMjdUT, settings.special.heightKm, now);
    std::fprintf(context.out, "%s\n", label.c_str());
    if (context.options.points)
        for (const TrackPoint& point : track)
            std::fprintf(context.out, "track %i %.4f %.4f\n", point.kind, point.latitudeDeg, point.longitudeDeg);
    return kCliExitOk;
}

}  // namespace qv
