#include "reports/eclipse_path.h"

#include <cmath>
#include <utility>

#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/circumstances.h"
#include "eclipse/greatest_eclipse.h"
#include "eclipse/penumbral_curves.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_map.h"

namespace qv {

namespace {

constexpr double kStepDays = kMinuteDays;

// Each point of the central line with the path's width across it and the central phase's
// length there by the local circumstances.
TimedLine withWidthAndDuration(const EclipseEvent& eclipse, const TimedLine& outline, TimedLine line)
{
    for (TimedPoint& point : line) {
        point.widthKm =
            widthAcrossKmAt(outline, eclipse.greatest.at(point.mjdUT), {point.latitudeDeg, point.longitudeDeg});
        point.durationSeconds =
            centralDurationSeconds(eclipse, {point.latitudeDeg, point.longitudeDeg, 0.0}, point.mjdUT);
    }
    return line;
}

}  // namespace

EclipsePath eclipsePath(const SettingsRecord& settings, const EclipseEvent& eclipse)
{
    EclipsePath path;
    path.eclipse = eclipse;
    if (!isSolar(eclipse.kind))
        return path;
    const EclipseCircumstances circumstances = circumstancesAtObserver(settings, eclipse);
    const EclipseMapPoints points = eclipseMapPoints(settings, eclipse, circumstances);
    path.greatest = points.greatest;
    path.greatestUT = greatestEclipse(eclipse).instant.mjdUT;
    path.northernLimit = limitCurve(points.umbralLimits.northern);
    path.southernLimit = limitCurve(points.umbralLimits.southern);
    path.outline = pathOutline(eclipse.greatest, path.northernLimit, path.southernLimit);
    TimedLine central;
    for (const CentralLinePoint& point : points.centralLine)
        central.push_back({point.mjdUT, point.latitudeDeg, point.longitudeDeg});
    if (central.size() > 1)
        path.centralLine.push_back(withWidthAndDuration(eclipse, path.outline, std::move(central)));
    const EclipsePhase& whole = circumstances.phases[0];
    // Every minute, the middle parts' limits included.
    PenumbralCurves curves =
        penumbralCurves(penumbralSamples(eclipse.greatest.at(whole.beginUT), whole.endUT, kStepDays));
    path.northernPenumbralLimit = std::move(curves.northernLimit);
    path.southernPenumbralLimit = std::move(curves.southernLimit);
    path.riseSetCurves = std::move(curves.riseSet);
    return path;
}

}  // namespace qv
