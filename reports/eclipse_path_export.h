#pragma once
// The path of a solar eclipse as a file for map programs: GeoJSON (RFC 7946) or KML 2.2.
// Both hold the point of greatest eclipse, the central line, the northern and southern limits,
// the path between them as a polygon, the penumbral limits and the sunrise/sunset curves.
// Lines and polygons that cross the 180th meridian are cut there, the crossing point on both
// sides, so that no segment runs across the whole map; coordinates are longitude, latitude
// with at most six decimals.
#include <string>
#include <vector>

#include "base/settings.h"
#include "reports/eclipse_path.h"

namespace qv {

enum class PathFormat { GeoJson, Kml };

// The curve's pieces cut where they cross the 180th meridian.
TimedCurve splitAtAntimeridian(const TimedCurve& curve);

// The path's outline as polygons (closed rings, counterclockwise, longitudes in [-180, 180]):
// one, or one on each side of the 180th meridian; a path around a pole takes in the pole.
// Empty when a limit is missing.
std::vector<std::vector<GeoPoint>> pathPolygons(const EclipsePath& path);

// "2024-04-08 Total Eclipse of the Sun": the UT date of greatest eclipse and the kind.
std::string eclipsePathName(const EclipsePath& path);

std::string eclipsePathGeoJson(const EclipsePath& path);
// detailsText: the eclipse details as the details dialog shows them, for the description.
std::string eclipsePathKml(const EclipsePath& path, const std::string& detailsText);

// The file of solar eclipse eclipse of the settings' year in that format.
std::string eclipsePathFile(const SettingsRecord& settings, const EclipseEvent& eclipse, PathFormat format);

}  // namespace qv
