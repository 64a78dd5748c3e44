#!/usr/bin/python3
"""The eclipse path files read back: GeoJSON by Python's json and GDAL's ogrinfo, KML by
Python's XML parser and ogrinfo. Paths near the poles and across the 180th meridian are whole,
cut where they cross it, and the central line passes every central point the map draws.

Usage: eclipse_path_check.py QUORVEL_CLI OGRINFO
"""
import json
import math
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

# (year, eclipse number, cut at the 180th meridian, around a pole)
ECLIPSES = [(2024, 2, False, False), (2017, 4, False, False), (2021, 2, True, True), (2021, 4, False, False),
            (2012, 3, True, False), (2016, 1, True, False)]
PATH_LINES = ["central line", "northern limit", "southern limit"]
KML = "{http://www.opengis.net/kml/2.2}"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*arguments):
    return subprocess.run(arguments, check=True, capture_output=True, text=True).stdout


def pieces(geometry):
    """The lines (or rings) of a geometry, each a list of [lon, lat]."""
    kind, coordinates = geometry["type"], geometry["coordinates"]
    if kind == "Point":
        return []
    if kind == "LineString":
        return [coordinates]
    if kind == "MultiPolygon":
        return [ring for polygon in coordinates for ring in polygon]
    return coordinates


def distance_km(a, b):
    la, lb = math.radians(a[1]), math.radians(b[1])
    cosine = math.sin(la) * math.sin(lb) + math.cos(la) * math.cos(lb) * math.cos(math.radians(a[0] - b[0]))
    return 6371.0 * math.acos(max(-1.0, min(1.0, cosine)))


def check_geojson(cli, ogrinfo, folder, year, number, crosses, polar):
    name = "%d #%d" % (year, number)
    path = os.path.join(folder, "path.geojson")
    run(cli, "path", "--year", str(year), "--eclipse", str(number), "--format", "geojson", "--out", path)
    text = open(path).read()
    check(not re.search(r"\d\.\d{7}", text), name + ": more than six decimals")
    features = {f["properties"]["feature"]: f for f in json.loads(text)["features"]}
    for wanted in ["greatest eclipse", "path", "sunrise/sunset curves"] + PATH_LINES:
        check(wanted in features, name + ": no " + wanted)
    check("northern penumbral limit" in features or "southern penumbral limit" in features, name + ": penumbral")
    cut = False
    for feature in features.values():
        what = name + " " + feature["properties"]["feature"]
        check(feature["properties"]["eclipse"].startswith("%d-" % year), what + ": eclipse property")
        lines = pieces(feature["geometry"])
        for line in lines:
            # Only a ring around a pole runs along the pole from one side of the map to the other.
            check(all(abs(a[0] - b[0]) <= 180.0 or abs(a[1]) == abs(b[1]) == 90.0 for a, b in zip(line, line[1:])),
                  what + ": jumps")
            check(all(-180.0 <= p[0] <= 180.0 and -90.0 <= p[1] <= 90.0 for p in line), what + ": out of range")
        # One time per vertex, and on the central line one width and one duration.
        per_vertex = ["ut"] + (["width_km", "duration_s"] if feature["properties"]["feature"] == "central line" else [])
        if feature["geometry"]["type"] == "MultiLineString":
            for key in per_vertex:
                values = feature["properties"][key]
                check([len(v) for v in values] == [len(line) for line in lines], what + ": one %s per vertex" % key)
            for a, b in zip(lines, lines[1:]):
                if abs(a[-1][0]) == 180.0:
                    cut = cut or feature["properties"]["feature"] in PATH_LINES
                    check(b[0][0] == -a[-1][0] and b[0][1] == a[-1][1], what + ": both sides of the cut")
        if feature["geometry"]["type"] == "LineString":
            for key in per_vertex:
                check(len(feature["properties"][key]) == len(lines[0]), what + ": one %s per vertex" % key)
        if "Polygon" in feature["geometry"]["type"]:
            check(all(ring[0] == ring[-1] for ring in lines), what + ": open ring")
            pole = any(abs(p[1]) == 90.0 for ring in lines for p in ring)
            check(pole == polar, what + ": pole")
    check(cut == crosses, name + ": path cut at the 180th meridian")
    central = [p for line in pieces(features["central line"]["geometry"]) for p in line]
    for row in run(cli, "map", "--year", str(year), "--eclipse", str(number), "--points").splitlines():
        fields = row.split()
        if fields[0] == "central":
            drawn = [float(fields[3]), float(fields[2])]
            check(min(distance_km(drawn, p) for p in central) < 1.0, name + ": central point %s" % drawn)
    summary = run(ogrinfo, "-ro", "-al", "-so", path)
    check("Feature Count: %d" % len(features) in summary, name + ": ogrinfo GeoJSON\n" + summary)


def check_kml(cli, ogrinfo, folder, year, number):
    name = "%d #%d KML" % (year, number)
    path = os.path.join(folder, "path.kml")
    run(cli, "path", "--year", str(year), "--eclipse", str(number), "--format", "kml", "--out", path)
    document = ElementTree.parse(path).getroot().find(KML + "Document")
    check("Eclipse of the Sun" in document.find(KML + "description").text, name + ": details")
    placemarks = {p.find(KML + "name").text: p for p in document.iter(KML + "Placemark")}
    for line in ["central line", "northern limit", "southern limit"]:
        check(placemarks[line].find(KML + "TimeSpan/" + KML + "begin") is not None, name + ": TimeSpan " + line)
    vertices = sum(len(c.text.split()) for c in placemarks["central line"].iter(KML + "coordinates"))
    data = {d.get("name"): d.find(KML + "value").text.split() for d in placemarks["central line"].iter(KML + "Data")}
    check(sorted(data) == ["duration_s", "ut", "width_km"] and all(len(v) == vertices for v in data.values()),
          name + ": central line's data per vertex")
    for coordinates in document.iter(KML + "coordinates"):
        check(all(len(t.split(",")) == 2 for t in coordinates.text.split()), name + ": coordinate tuples")
    check(not any(e.tag.endswith("altitudeMode") for e in document.iter()), name + ": altitude mode")
    colours = {s.get("id"): s.find(".//" + KML + "color").text for s in document.iter(KML + "Style")}
    check(colours["limit"] == "ff000000" and colours["riseSet"] == "ff9600c8" and colours["greatest"] == "ff00ff00",
          name + ": colours %s" % colours)
    listing = run(ogrinfo, "-ro", "-al", path)
    check(listing.count("OGRFeature") == len(placemarks), name + ": ogrinfo KML")
    check("Warning" not in listing, name + ": ogrinfo warns")


def main():
    cli, ogrinfo = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        for year, number, crosses, polar in ECLIPSES:
            check_geojson(cli, ogrinfo, folder, year, number, crosses, polar)
            check_kml(cli, ogrinfo, folder, year, number)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
