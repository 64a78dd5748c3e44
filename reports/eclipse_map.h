#pragma once
// What the world map of a solar eclipse plots: the central line at one-minute steps, the
// penumbral limits, the sunrise/sunset curves and the point of greatest eclipse, and the
// map's title. Plain geographic points; projecting and drawing them is the window's part.
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/time_zone.h"
#include "eclipse/central_line.h"
#include "eclipse/circumstances.h"
#include "eclipse/map_curves.h"
#include "eclipse/penumbral_curves.h"
#include "eclipse/umbral_limits.h"

namespace qv {

struct EclipseMapPoints {
    std::vector<CentralLinePoint> centralLine;
    MapCurves curves;              // the penumbral limits and rise/set curves as points (dots)
    PenumbralCurves curveLines;    // the same samples joined into lines
    GeoPoint greatest;
    UmbralLimits umbralLimits;  // at one-minute steps while the umbra or antumbra touches the Earth
};

// The points of the map of a solar eclipse in decimal degrees: the central line at one-minute
// steps from the local minute the details' table would start at, the limits and rise/set
// curves over the eclipse's first to last contact, the umbral limits, and the point of greatest
// eclipse (greatestEclipse). Nothing for a lunar eclipse.
EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings, const EclipseEvent& eclipse);

// The same from the eclipse's circumstances at the settings' place, already computed for the
// details of the same click.
EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings, const EclipseEvent& eclipse,
                                  const EclipseCircumstances& circumstances);

// The umbral limits at one-minute steps over the phases in which the umbra or antumbra touches
// the Earth; none when it does not.
UmbralLimits umbralLimitsOf(const EclipseEvent& eclipse, const EclipseCircumstances& circumstances);

// The map's title: year, local date and kind, e.g. "  2024  APR 08    Total Eclipse of the Sun".
std::string eclipseMapTitle(int year, const TimeZone& zone, const EclipseEvent& eclipse);

}  // namespace qv
