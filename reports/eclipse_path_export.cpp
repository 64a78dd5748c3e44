#include "reports/eclipse_path_export.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/julian.h"
#include "base/number_text.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_kind_texts.h"

namespace qv {

namespace {

constexpr double kHalfTurnDeg = 180.0;
constexpr double kTurnDeg = 360.0;
constexpr double kSecondsPerDay = 86400.0;

// KML colours (alpha, blue, green, red) of the map's curves.
constexpr const char* kTotalColour = "ffff0000";
constexpr const char* kAnnularColour = "ff0000ff";
constexpr const char* kLimitColour = "ff000000";
constexpr const char* kRiseSetColour = "ff9600c8";
constexpr const char* kGreatestColour = "ff00ff00";
// The path's fill: the central line's colour, a quarter opaque.
constexpr const char* kTotalFill = "40ff0000";
constexpr const char* kAnnularFill = "400000ff";

// One exported line: what it is, its KML style and its pieces.
struct NamedCurve {
    const char* feature;
    const char* style;
    const TimedCurve* curve;
};

std::vector<NamedCurve> namedCurves(const EclipsePath& path)
{
    return {{"central line", "central", &path.centralLine},
            {"northern limit", "limit", &path.northernLimit},
            {"southern limit", "limit", &path.southernLimit},
            {"northern penumbral limit", "limit", &path.northernPenumbralLimit},
            {"southern penumbral limit", "limit", &path.southernPenumbralLimit},
            {"sunrise/sunset curves", "riseSet", &path.riseSetCurves}};
}

// Longitude with at most six decimals, trailing zeros dropped.
std::string coordinateText(double degrees)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", degrees);
    std::string result = text;
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}


std::string jsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string xmlText(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// The point where a segment crosses the meridian at longitude edge (the second end unwrapped).
TimedPoint crossing(const TimedPoint& a, const TimedPoint& b, double bLongitude, double edge)
{
    const double f = (edge - a.longitudeDeg) / (bLongitude - a.longitudeDeg);
    const auto between = [f](double x, double y) { return x + f * (y - x); };
    return {between(a.mjdUT, b.mjdUT), between(a.latitudeDeg, b.latitudeDeg), edge, between(a.widthKm, b.widthKm),
            between(a.durationSeconds, b.durationSeconds)};
}

// The parts of a simple ring (unwrapped longitudes, not closed) on one side of a meridian, each
// a ring of its own: the ring's stretches on that side, joined along the meridian between the
// crossings that bound the ring's inside there.
std::vector<std::vector<GeoPoint>> splitRing(const std::vector<GeoPoint>& ring, double edge, bool keepAbove)
{
    const auto kept = [&](const GeoPoint& p) { return keepAbove ? p.longitudeDeg >= edge : p.longitudeDeg <= edge; };
    // The ring with its crossings inserted; crossing[i]: the index among the crossings, or -1.
    std::vector<GeoPoint> points;
    std::vector<int> crossing;
    std::vector<std::size_t> crossings;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const GeoPoint& a = ring[i];
        const GeoPoint& b = ring[(i + 1) % ring.size()];
        points.push_back(a);
        crossing.push_back(-1);
        if (kept(a) != kept(b)) {
            const double f = (edge - a.longitudeDeg) / (b.longitudeDeg - a.longitudeDeg);
            points.push_back({a.latitudeDeg + f * (b.latitudeDeg - a.latitudeDeg), edge});
            crossing.push_back(static_cast<int>(crossings.size()));
            crossings.push_back(points.size() - 1);
        }
    }
    if (crossings.empty())
        return kept(ring.front()) ? std::vector<std::vector<GeoPoint>>{ring} : std::vector<std::vector<GeoPoint>>{};
    // Along the meridian the inside lies between the first and second crossing by latitude, the
    // third and fourth, and so on: each crossing's partner.
    std::vector<std::size_t> byLatitude(crossings.size());
    for (std::size_t k = 0; k < byLatitude.size(); ++k)
        byLatitude[k] = k;
    std::sort(byLatitude.begin(), byLatitude.end(), [&](std::size_t a, std::size_t b) {
        return points[crossings[a]].latitudeDeg < points[crossings[b]].latitudeDeg;
    });
    std::vector<std::size_t> partner(crossings.size());
    for (std::size_t k = 0; k + 1 < byLatitude.size(); k += 2) {
        partner[byLatitude[k]] = byLatitude[k + 1];
        partner[byLatitude[k + 1]] = byLatitude[k];
    }
    // From each crossing where the ring enters the kept side: along the ring to where it leaves,
    // over to that crossing's partner, on along the ring, until back at the start.
    std::vector<std::vector<GeoPoint>> parts;
    std::vector<bool> used(crossings.size(), false);
    for (std::size_t start = 0; start < crossings.size(); ++start) {
        const std::size_t startIndex = crossings[start];
        if (used[start] || !kept(points[(startIndex + 1) % points.size()]))
            continue;
        std::vector<GeoPoint> part;
        std::size_t index = startIndex;
        for (std::size_t guard = 0; guard <= points.size(); ++guard) {
            part.push_back(points[index]);
            if (crossing[index] >= 0) {
                used[crossing[index]] = true;
                if (index != startIndex || part.size() > 1) {
                    // Leaving: over along the meridian to the partner, which enters again.
                    const std::size_t next = partner[crossing[index]];
                    used[next] = true;
                    index = crossings[next];
                    if (index == startIndex)
                        break;
                    part.push_back(points[index]);
                }
            }
            index = (index + 1) % points.size();
            if (index == startIndex)
                break;
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

// Twice the signed area in the longitude-latitude plane: positive counterclockwise.
double signedArea(const std::vector<GeoPoint>& ring)
{
    double area = 0.0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const GeoPoint& a = ring[i];
        const GeoPoint& b = ring[(i + 1) % ring.size()];
        area += a.longitudeDeg * b.latitudeDeg - b.longitudeDeg * a.latitudeDeg;
    }
    return area;
}

// A ring's longitudes unwrapped so that no step exceeds half a turn.
std::vector<GeoPoint> unwrapped(const std::vector<GeoPoint>& points)
{
    std::vector<GeoPoint> ring;
    for (const GeoPoint& p : points) {
        double longitude = p.longitudeDeg;
        if (!ring.empty())
            longitude += kTurnDeg * std::round((ring.back().longitudeDeg - longitude) / kTurnDeg);
        ring.push_back({p.latitudeDeg, longitude});
    }
    return ring;
}

// The ring begun where it crosses the 180th meridian nearest the pole: from there the meridian
// to the pole crosses no other part of it. Its first point lies on the meridian, on the side
// of the point after it.
std::vector<GeoPoint> fromCrossingNearest(const TimedLine& outline, double pole)
{
    std::size_t best = outline.size();
    GeoPoint start;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const TimedPoint& a = outline[i];
        const TimedPoint& b = outline[(i + 1) % outline.size()];
        if (std::fabs(b.longitudeDeg - a.longitudeDeg) <= kHalfTurnDeg)
            continue;
        const double edge = a.longitudeDeg > 0.0 ? kHalfTurnDeg : -kHalfTurnDeg;
        const double latitude = crossing(a, b, b.longitudeDeg + 2.0 * edge, edge).latitudeDeg;
        if (best == outline.size() || latitude * pole > start.latitudeDeg * pole) {
            best = i;
            start = {latitude, -edge};
        }
    }
    std::vector<GeoPoint> ring{start};
    for (std::size_t k = 1; k <= outline.size(); ++k) {
        const TimedPoint& p = outline[(best + k) % outline.size()];
        ring.push_back({p.latitudeDeg, p.longitudeDeg});
    }
    return unwrapped(ring);
}

// The path's outline as a ring with longitudes unwrapped; a ring around a pole is closed over
// that pole along the 180th meridian.
std::vector<GeoPoint> unwrappedRing(const EclipsePath& path)
{
    std::vector<GeoPoint> points;
    for (const TimedPoint& p : path.outline)
        points.push_back({p.latitudeDeg, p.longitudeDeg});
    std::vector<GeoPoint> ring = unwrapped(points);
    const double turns = std::round((ring.back().longitudeDeg - ring.front().longitudeDeg) / kTurnDeg);
    if (turns == 0.0)
        return ring;
    double latitudeSum = 0.0;
    for (const GeoPoint& p : ring)
        latitudeSum += p.latitudeDeg;
    const double pole = latitudeSum > 0.0 ? 90.0 : -90.0;
    ring = fromCrossingNearest(path.outline, pole);
    const GeoPoint first = ring.front();
    const double around = first.longitudeDeg + turns * kTurnDeg;
    ring.push_back({first.latitudeDeg, around});
    ring.push_back({pole, around});
    ring.push_back({pole, first.longitudeDeg});
    return ring;
}

void appendJsonPosition(std::string& out, double longitudeDeg, double latitudeDeg)
{
    out += '[';
    out += coordinateText(longitudeDeg);
    out += ',';
    out += coordinateText(latitudeDeg);
    out += ']';
}

// Items joined by commas, each written by write(out, item).
template <typename Items, typename Write>
void appendJoined(std::string& out, const Items& items, Write write)
{
    bool first = true;
    for (const auto& item : items) {
        if (!first)
            out += ",";
        first = false;
        write(out, item);
    }
}

void appendJsonLine(std::string& out, const TimedLine& line)
{
    out += "[";
    appendJoined(out, line, [](std::string& o, const TimedPoint& p) { appendJsonPosition(o, p.longitudeDeg, p.latitudeDeg); });
    out += "]";
}

// One text per vertex: its time, or its width (km, one decimal; null where there is none) or
// the central phase's length (whole seconds) on the central line.
std::string utText(const TimedPoint& p) { return jsonString(isoSecondUT(p.mjdUT)); }
std::string widthText(const TimedPoint& p) { return p.widthKm > 0.0 ? numberText("%.1f", p.widthKm) : "null"; }
std::string durationText(const TimedPoint& p) { return numberText("%.0f", p.durationSeconds); }
using VertexText = std::string (*)(const TimedPoint&);

void appendJsonValues(std::string& out, const TimedLine& line, VertexText text)
{
    out += "[";
    appendJoined(out, line, [text](std::string& o, const TimedPoint& p) { o += text(p); });
    out += "]";
}

// A property with one value per vertex, nested as the line's coordinates are.
std::string jsonVertexProperty(const char* name, const TimedCurve& pieces, VertexText text)
{
    std::string values;
    if (pieces.size() == 1) {
        appendJsonValues(values, pieces.front(), text);
    } else {
        values = "[";
        appendJoined(values, pieces, [text](std::string& o, const TimedLine& line) { appendJsonValues(o, line, text); });
        values += "]";
    }
    return std::string(",\"") + name + "\":" + values;
}

void appendJsonRing(std::string& out, const std::vector<GeoPoint>& ring)
{
    out += "[[";
    appendJoined(out, ring, [](std::string& o, const GeoPoint& p) { appendJsonPosition(o, p.longitudeDeg, p.latitudeDeg); });
    out += "]]";
}

std::string jsonFeature(const std::string& name, const char* feature, const std::string& extraProperties,
                        const std::string& geometry)
{
    return "{\"type\":\"Feature\",\"properties\":{\"eclipse\":" + jsonString(name) +
           ",\"feature\":" + jsonString(feature) + extraProperties + "},\"geometry\":" + geometry + "}";
}

std::string jsonLineFeature(const std::string& name, const NamedCurve& named, const TimedCurve& pieces, bool central)
{
    std::string geometry;
    if (pieces.size() == 1) {
        geometry = "{\"type\":\"LineString\",\"coordinates\":";
        appendJsonLine(geometry, pieces.front());
    } else {
        geometry = "{\"type\":\"MultiLineString\",\"coordinates\":[";
        appendJoined(geometry, pieces, appendJsonLine);
        geometry += "]";
    }
    std::string properties = jsonVertexProperty("ut", pieces, utText);
    if (central)
        properties += jsonVertexProperty("width_km", pieces, widthText) +
                      jsonVertexProperty("duration_s", pieces, durationText);
    return jsonFeature(name, named.feature, properties, geometry + "}");
}

// Tuples "longitude,latitude" separated by blanks.
std::string kmlCoordinates(const std::vector<GeoPoint>& points)
{
    std::string text = "<coordinates>";
    for (const GeoPoint& p : points) {
        if (&p != &points.front())
            text += ' ';
        text += coordinateText(p.longitudeDeg);
        text += ',';
        text += coordinateText(p.latitudeDeg);
    }
    return text + "</coordinates>";
}

std::vector<GeoPoint> geoPoints(const TimedLine& line)
{
    std::vector<GeoPoint> points;
    for (const TimedPoint& p : line)
        points.push_back({p.latitudeDeg, p.longitudeDeg});
    return points;
}

std::string kmlStyle(const char* id, const char* lineColour, int width, const char* fillColour = nullptr)
{
    std::string style = std::string("<Style id=\"") + id + "\"><LineStyle><color>" + lineColour +
                        "</color><width>" + std::to_string(width) + "</width></LineStyle>";
    if (fillColour)
        style += std::string("<PolyStyle><color>") + fillColour + "</color><outline>0</outline></PolyStyle>";
    return style + "</Style>\n";
}

std::string kmlTimeSpan(const TimedCurve& pieces)
{
    return "<TimeSpan><begin>" + isoSecondUT(pieces.front().front().mjdUT) + "</begin><end>" +
           isoSecondUT(pieces.back().back().mjdUT) + "</end></TimeSpan>";
}

std::string isoVertexTime(const TimedPoint& p) { return isoSecondUT(p.mjdUT); }

// A Data element with one value per vertex, separated by blanks, in the order of the
// coordinates of the pieces.
std::string kmlVertexData(const char* name, const TimedCurve& pieces, VertexText text)
{
    std::string values;
    for (const TimedLine& line : pieces)
        for (const TimedPoint& p : line)
        {
            if (!values.empty())
                values += ' ';
            values += text(p);
        }
    return std::string("<Data name=\"") + name + "\"><value>" + values + "</value></Data>";
}

// A Placemark with one geometry, or a MultiGeometry of several.
std::string kmlPlacemark(const std::string& name, const std::string& timeSpan, const char* style,
                         const std::vector<std::string>& geometries, const std::string& extendedData = "")
{
    std::string placemark = "<Placemark><name>" + xmlText(name) + "</name>" + timeSpan + "<styleUrl>#" + style +
                            "</styleUrl>" + extendedData;
    if (geometries.size() == 1)
        placemark += geometries.front();
    else {
        placemark += "<MultiGeometry>";
        for (const std::string& geometry : geometries)
            placemark += geometry;
        placemark += "</MultiGeometry>";
    }
    return placemark + "</Placemark>\n";
}

bool annular(const EclipsePath& path)
{
    return path.eclipse.kind == EclipseKind::AnnularSolar || path.eclipse.kind == EclipseKind::NonCentralAnnularSolar;
}

}  // namespace

TimedCurve splitAtAntimeridian(const TimedCurve& curve)
{
    TimedCurve pieces;
    for (const TimedLine& line : curve) {
        TimedLine piece;
        for (const TimedPoint& point : line) {
            if (!piece.empty() && std::fabs(point.longitudeDeg - piece.back().longitudeDeg) > kHalfTurnDeg) {
                const TimedPoint& last = piece.back();
                const double edge = last.longitudeDeg > 0.0 ? kHalfTurnDeg : -kHalfTurnDeg;
                const double unwrapped = point.longitudeDeg + 2.0 * edge;
                TimedPoint across = crossing(last, point, unwrapped, edge);
                piece.push_back(across);
                pieces.push_back(std::move(piece));
                across.longitudeDeg = -edge;
                piece = {across};
            }
            piece.push_back(point);
        }
        if (piece.size() > 1)
            pieces.push_back(std::move(piece));
    }
    return pieces;
}

std::vector<std::vector<GeoPoint>> pathPolygons(const EclipsePath& path)
{
    std::vector<std::vector<GeoPoint>> polygons;
    if (path.outline.empty())
        return polygons;
    const std::vector<GeoPoint> ring = unwrappedRing(path);
    double lowest = ring.front().longitudeDeg, highest = lowest;
    for (const GeoPoint& p : ring) {
        lowest = std::min(lowest, p.longitudeDeg);
        highest = std::max(highest, p.longitudeDeg);
    }
    // Each turn of unwrapped longitude the ring reaches gives its pieces, moved back into range.
    for (double turn = std::floor((lowest + kHalfTurnDeg) / kTurnDeg); turn * kTurnDeg - kHalfTurnDeg < highest; ++turn) {
        const double shift = turn * kTurnDeg;
        for (const std::vector<GeoPoint>& above : splitRing(ring, shift - kHalfTurnDeg, true))
            for (std::vector<GeoPoint> piece : splitRing(above, shift + kHalfTurnDeg, false)) {
                if (piece.size() < 3 || std::fabs(signedArea(piece)) < 1e-9)
                    continue;
                for (GeoPoint& p : piece)
                    p.longitudeDeg -= shift;
                if (signedArea(piece) < 0.0)
                    std::reverse(piece.begin(), piece.end());
                piece.push_back(piece.front());
                polygons.push_back(std::move(piece));
            }
    }
    return polygons;
}

std::string eclipsePathName(const EclipsePath& path)
{
    const EclipseKindTexts* names = eclipseKindTexts(path.eclipse.kind);
    std::string kind = names ? names->title : "";
    kind.erase(0, kind.find_first_not_of('\t'));
    return isoSecondUT(path.eclipse.greatest.mjdUT).substr(0, isoSecondUT(path.eclipse.greatest.mjdUT).find('T')) + " " + kind;
}

std::string eclipsePathGeoJson(const EclipsePath& path)
{
    const std::string name = eclipsePathName(path);
    std::vector<std::string> features;
    std::string point = "{\"type\":\"Point\",\"coordinates\":";
    appendJsonPosition(point, path.greatest.longitudeDeg, path.greatest.latitudeDeg);
    features.push_back(jsonFeature(name, "greatest eclipse", ",\"ut\":" + jsonString(isoSecondUT(path.greatestUT)), point + "}"));
    for (const NamedCurve& named : namedCurves(path)) {
        const TimedCurve pieces = splitAtAntimeridian(*named.curve);
        if (!pieces.empty())
            features.push_back(jsonLineFeature(name, named, pieces, named.curve == &path.centralLine));
        if (named.curve != &path.southernLimit)
            continue;
        const std::vector<std::vector<GeoPoint>> polygons = pathPolygons(path);
        if (polygons.empty())
            continue;
        std::string geometry = polygons.size() == 1 ? "{\"type\":\"Polygon\",\"coordinates\":"
                                                    : "{\"type\":\"MultiPolygon\",\"coordinates\":[";
        appendJoined(geometry, polygons, appendJsonRing);
        features.push_back(jsonFeature(name, "path", "", geometry + (polygons.size() == 1 ? "}" : "]}")));
    }
    std::string text = "{\"type\":\"FeatureCollection\",\"features\":[\n";
    appendJoined(text, features, [](std::string& o, const std::string& f) { o += f + "\n"; });
    return text + "]}\n";
}

std::string eclipsePathKml(const EclipsePath& path, const std::string& detailsText)
{
    const std::string name = eclipsePathName(path);
    const bool isAnnular = annular(path);
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
                       "<Document><name>" + xmlText(name) + "</name>\n<description>" +
                       xmlText("<pre>" + xmlText(detailsText) + "</pre>") + "</description>\n";
    text += kmlStyle("central", isAnnular ? kAnnularColour : kTotalColour, 3);
    text += kmlStyle("limit", kLimitColour, 2);
    text += kmlStyle("riseSet", kRiseSetColour, 2);
    text += kmlStyle("path", isAnnular ? kAnnularColour : kTotalColour, 0, isAnnular ? kAnnularFill : kTotalFill);
    text += "<Style id=\"greatest\"><IconStyle><color>" + std::string(kGreatestColour) + "</color></IconStyle></Style>\n";
    text += kmlPlacemark("greatest eclipse " + isoSecondUT(path.greatestUT), "", "greatest",
                         {"<Point>" + kmlCoordinates({path.greatest}) + "</Point>"});
    for (const NamedCurve& named : namedCurves(path)) {
        const TimedCurve pieces = splitAtAntimeridian(*named.curve);
        if (!pieces.empty()) {
            std::vector<std::string> lines;
            for (const TimedLine& piece : pieces)
                lines.push_back("<LineString><tessellate>1</tessellate>" + kmlCoordinates(geoPoints(piece)) +
                                "</LineString>");
            const bool timed = named.curve == &path.centralLine || named.curve == &path.northernLimit ||
                               named.curve == &path.southernLimit;
            const std::string vertexData =
                named.curve != &path.centralLine
                    ? ""
                    : "<ExtendedData>" + kmlVertexData("ut", pieces, isoVertexTime) +
                          kmlVertexData("width_km", pieces, widthText) +
                          kmlVertexData("duration_s", pieces, durationText) + "</ExtendedData>";
            text += kmlPlacemark(named.feature, timed ? kmlTimeSpan(pieces) : "", named.style, lines, vertexData);
        }
        if (named.curve != &path.southernLimit)
            continue;
        std::vector<std::string> polygons;
        for (const std::vector<GeoPoint>& ring : pathPolygons(path))
            polygons.push_back("<Polygon><tessellate>1</tessellate><outerBoundaryIs><LinearRing>" + kmlCoordinates(ring) +
                               "</LinearRing></outerBoundaryIs></Polygon>");
        if (!polygons.empty())
            text += kmlPlacemark("path", "", "path", polygons);
    }
    return text + "</Document>\n</kml>\n";
}

std::string eclipsePathFile(const SettingsRecord& settings, const EclipseEvent& eclipse, PathFormat format)
{
    const EclipsePath path = eclipsePath(settings, eclipse);
    return format == PathFormat::GeoJson ? eclipsePathGeoJson(path)
                                         : eclipsePathKml(path, eclipseDetailsText(settings, eclipse));
}

}  // namespace qv
