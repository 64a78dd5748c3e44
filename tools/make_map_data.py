#!/usr/bin/env python3
"""Derives the map resources once; the results are committed under resources/.

world_coastline.inc: the land outlines of Natural Earth at 1:50m (public domain), taken from
the TopoJSON file land-50m.json of the npm package world-atlas (version 2), as records of
(latitude * 10, longitude * 10); a record (1111, 0) starts a new polyline. Points are rounded
to 0.1 degree, repeated points dropped, and a polyline is broken where the outline runs along
the 180th meridian or below latitude -85 (the closing edges of Antarctica and of outlines cut at
the date line, which are not coast).

world_borders.inc: the land borders between the countries of Natural Earth at 1:50m, from
countries-50m.json of the same package: every arc that two different countries share, in the
same records.

Both are thinned (Douglas-Peucker) to within 0.1 degree of the rounded outline, the precision
of the records, so that the tables stay small and quick to draw; a segment stays at most 2
degrees long where the source has points between, as the hemisphere maps bend it.

earth.png: the physical world map, 721 x 361 pixels (2 pixels per degree, longitude -180 at the
left edge, latitude 90 at the top; column 720 repeats column 0), scaled with ImageMagick from
the NASA Visible Earth image earth.jpg (not copyrighted) of Debian's xplanet-images package.

Usage (nothing is fetched at build time; the Earth image is made only when its source is given):
    mkdir /tmp/atlas && (cd /tmp/atlas && npm install --no-save world-atlas@2)
    apt-get install xplanet-images imagemagick
    tools/make_map_data.py /tmp/atlas/node_modules/world-atlas [/usr/share/xplanet/images/earth.jpg]
"""
import json
import math
import os
import subprocess
import sys

RECORDS_PER_LINE = 8
# Largest distance of a dropped point from the thinned outline: one unit of the records.
THINNING_UNITS = 1.0
# Longest segment the thinning leaves where the source has points between, in degrees: a
# straight line of latitude and longitude is a curve on the hemisphere maps.
LONGEST_SEGMENT_DEG = 2.0


class Precision:
    """Records of one table: units per degree, the marker latitude starting a polyline, the scale."""
    def __init__(self, per_degree, marker, scale):
        self.per_degree, self.marker, self.scale = per_degree, marker, scale


COARSE = Precision(10, 1111, "1:50m")
FINE = Precision(100, 11111, "1:10m")


def decode_arcs(topology):
    """Absolute longitude/latitude points of every arc of a quantized TopoJSON topology."""
    (sx, sy), (tx, ty) = topology["transform"]["scale"], topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)
    return arcs


def ring_points(ring, arcs):
    """Points of one ring from its arc indices (~i is arc i reversed); shared ends once."""
    points = []
    for index in ring:
        arc = arcs[index] if index >= 0 else arcs[~index][::-1]
        points.extend(arc if not points else arc[1:])
    return points


def is_coast_edge(a, b, per_degree):
    """True for a segment that is no coast: along the date line or the bottom of Antarctica."""
    date_line, south = 180 * per_degree, -85 * per_degree
    on_date_line = abs(abs(a[1]) - date_line) <= 1 and abs(abs(b[1]) - date_line) <= 1
    return on_date_line or a[0] < south or b[0] < south


def rounded_records(points, per_degree):
    """(lat, lon) records in units of 1/per_degree of longitude/latitude points, repeated
    records dropped."""
    records = []
    for lon, lat in points:
        record = (round(lat * per_degree), round(lon * per_degree))
        if not records or records[-1] != record:
            records.append(record)
    return records


def thinned(line, per_degree, tolerance=THINNING_UNITS):
    """The records of a polyline that Douglas-Peucker keeps: its ends, every point farther than
    the tolerance from the line through the points kept around it, and enough points that no
    segment is longer than LONGEST_SEGMENT_DEG where the source has points between."""
    longest = LONGEST_SEGMENT_DEG * per_degree
    keep = [False] * len(line)
    keep[0] = keep[-1] = True
    spans = [(0, len(line) - 1)]
    while spans:
        first, last = spans.pop()
        (y0, x0), (y1, x1) = line[first], line[last]
        dy, dx = y1 - y0, x1 - x0
        length = math.hypot(dx, dy)
        farthest, distance = None, tolerance
        for i in range(first + 1, last):
            y, x = line[i]
            d = abs(dy * (x - x0) - dx * (y - y0)) / length if length else math.hypot(x - x0, y - y0)
            if d > distance:
                farthest, distance = i, d
        if farthest is None and length > longest and last - first > 1:
            farthest = (first + last) // 2
        if farthest is not None:
            keep[farthest] = True
            spans += [(first, farthest), (farthest, last)]
    return [record for record, kept in zip(line, keep) if kept]


def polylines(points, per_degree):
    """Rounded records of a ring, split where the outline is not coast."""
    records = rounded_records(points, per_degree)
    lines, current = [], []
    for record in records:
        if current and is_coast_edge(current[-1], record, per_degree):
            lines.append(current)
            current = []
        if record[0] >= -85 * per_degree:
            current.append(record)
    lines.append(current)
    return [line for line in lines if len(line) > 1]


def polygons_of(geometry):
    """The polygons (lists of rings of arc indices) of a TopoJSON geometry."""
    if geometry["type"] == "MultiPolygon":
        return geometry["arcs"]
    return [geometry["arcs"]] if geometry["type"] == "Polygon" else []


def coast_lines(topology, per_degree):
    arcs = decode_arcs(topology)
    return [line for geometry in topology["objects"]["land"]["geometries"]
            for polygon in polygons_of(geometry) for ring in polygon
            for line in polylines(ring_points(ring, arcs), per_degree)]


def border_lines(topology, per_degree):
    """The arcs that two different countries share, each a polyline."""
    arcs = decode_arcs(topology)
    countries = {}
    for number, geometry in enumerate(topology["objects"]["countries"]["geometries"]):
        for polygon in polygons_of(geometry):
            for ring in polygon:
                for index in ring:
                    countries.setdefault(index if index >= 0 else ~index, set()).add(number)
    lines = [rounded_records(arcs[index], per_degree) for index, sharing in sorted(countries.items()) if len(sharing) > 1]
    return [line for line in lines if len(line) > 1]


def write_table(lines, precision, description, out_path):
    records = []
    for line in lines:
        records.append((precision.marker, 0))
        records.extend(thinned(line, precision.per_degree))
    with open(out_path, "w") as out:
        out.write("// Generated by tools/make_map_data.py from Natural Earth %s %s (public domain).\n"
                  % (precision.scale, description))
        out.write("// Records of (latitude * %d, longitude * %d); (%d, 0) starts a new polyline.\n"
                  % (precision.per_degree, precision.per_degree, precision.marker))
        for i in range(0, len(records), RECORDS_PER_LINE):
            row = records[i:i + RECORDS_PER_LINE]
            out.write(" ".join("{%d, %d}," % r for r in row) + "\n")
    print("%s: %d records, %d polylines, %d bytes"
          % (out_path, len(records), len(lines), os.path.getsize(out_path)))


def write_earth(jpeg_path, out_path):
    subprocess.run(["convert", jpeg_path, "-resize", "720x361!", "(", "+clone", "-crop", "1x361+0+0",
                    "+repage", ")", "+append", "-strip", "-define", "png:compression-level=9",
                    out_path], check=True)
    print("%s: %d bytes" % (out_path, os.path.getsize(out_path)))


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    atlas = sys.argv[1]
    resources = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    for precision, source, suffix in ((COARSE, "50m", ""), (FINE, "10m", "_10m")):
        land = json.load(open(os.path.join(atlas, "land-%s.json" % source)))
        write_table(coast_lines(land, precision.per_degree), precision, "land",
                    os.path.join(resources, "world_coastline%s.inc" % suffix))
        countries = json.load(open(os.path.join(atlas, "countries-%s.json" % source)))
        write_table(border_lines(countries, precision.per_degree), precision, "country borders",
                    os.path.join(resources, "world_borders%s.inc" % suffix))
    if len(sys.argv) == 3:
        write_earth(sys.argv[2], os.path.join(resources, "earth.png"))


if __name__ == "__main__":
    main()
