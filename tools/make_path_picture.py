#!/usr/bin/env python3
"""Draws an eclipse path exported as GeoJSON on a regional map, as a map program shows it.

The land, coastline and country borders come from the program's own map tables
(resources/world_coastline.inc and resources/world_borders.inc, Natural Earth 1:50m); on them
go the path of totality or annularity filled translucent, the umbral and penumbral limits,
the sunrise/sunset curves, the central line with its UT every half hour, and the point of
greatest eclipse, in the colours of the eclipse map.

Needs matplotlib (Debian: apt-get install python3-matplotlib, for the system /usr/bin/python3);
nothing in the build or the tests runs this script. The README picture was made with:
    build/quorvel-cli path --year 2024 --eclipse 2 --format geojson --out /tmp/eclipse-2024.geojson
    tools/make_path_picture.py /tmp/eclipse-2024.geojson docs/eclipse-path-2024.png
Options: --west --east --south --north (degrees) choose the region, North America by default.
"""
import argparse
import json
import math
import os
import re

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (the backend must be chosen first)

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
MARKER = 1111
RECORD = re.compile(r"\{(-?\d+), (-?\d+)\}")

# The eclipse map's colours.
TOTAL_COLOUR = "#0000ff"
ANNULAR_COLOUR = "#ff0000"
LIMIT_COLOUR = "#000000"
RISE_SET_COLOUR = "#c80096"
GREATEST_COLOUR = "#00c000"
SEA_COLOUR = "#dce9f5"
LAND_COLOUR = "#f4f1e8"
COAST_COLOUR = "#7a8a99"
BORDER_COLOUR = "#857866"

LABEL_EVERY_MINUTES = 30
WIDTH = 900
DPI = 100
# Margins around the map in pixels: left, right, top (title), bottom (ticks and legend).
MARGINS = (50, 22, 34, 64)


def read_polylines(name):
    """The (longitude, latitude) polylines of a map table: records of (lat * 10, lon * 10)."""
    with open(os.path.join(RESOURCES, name), encoding="utf-8") as table:
        records = RECORD.findall(table.read())
    polylines, current = [], []
    for lat, lon in ((int(a), int(b)) for a, b in records):
        if lat == MARKER:
            if current:
                polylines.append(current)
            current = []
        else:
            current.append((lon / 10.0, lat / 10.0))
    if current:
        polylines.append(current)
    return polylines


def line_pieces(geometry):
    """The coordinate lists of a LineString or MultiLineString."""
    if geometry["type"] == "LineString":
        return [geometry["coordinates"]]
    return geometry["coordinates"]


def time_pieces(properties):
    """The UT arrays of a line's pieces, matching line_pieces."""
    times = properties.get("ut", [])
    return times if times and isinstance(times[0], list) else [times]


def draw_base_map(axes):
    """Sea, land (closed outlines filled), coastline and country borders."""
    axes.set_facecolor(SEA_COLOUR)
    for outline in read_polylines("world_coastline.inc"):
        xs, ys = zip(*outline)
        if outline[0] == outline[-1]:
            axes.fill(xs, ys, color=LAND_COLOUR, zorder=1, linewidth=0)
        axes.plot(xs, ys, color=COAST_COLOUR, linewidth=0.6, zorder=2)
    for border in read_polylines("world_borders.inc"):
        xs, ys = zip(*border)
        axes.plot(xs, ys, color=BORDER_COLOUR, linewidth=0.6, linestyle=(0, (4, 2)), zorder=2)


def draw_time_labels(axes, coordinates, times, region):
    """A dot and 'HH:MM UT' at every central-line vertex on a whole half hour inside the view."""
    for (lon, lat), ut in zip(coordinates, times):
        hours, minutes, seconds = (int(part) for part in ut[11:19].split(":"))
        if seconds or minutes % LABEL_EVERY_MINUTES or not inside((lon, lat), region):
            continue
        axes.plot(lon, lat, "o", color="white", markeredgecolor="black", markersize=4, zorder=6)
        axes.annotate(f"{hours:02d}:{minutes:02d} UT", (lon, lat), xytext=(-6, 7),
                      textcoords="offset points", ha="right", fontsize=8.5, zorder=7,
                      bbox=dict(boxstyle="round,pad=0.15", facecolor="white", edgecolor="none", alpha=0.8))


# How each exported line is drawn, and its legend text (shared by the two lines of a pair).
LINE_STYLES = {
    "central line": (dict(linewidth=1.8, zorder=5), "central line"),
    "northern limit": (dict(color=LIMIT_COLOUR, linewidth=0.9, zorder=4), "limits of the central phase"),
    "southern limit": (dict(color=LIMIT_COLOUR, linewidth=0.9, zorder=4), "limits of the central phase"),
    "northern penumbral limit": (dict(color=LIMIT_COLOUR, linewidth=0.9, linestyle="--", zorder=4),
                                 "penumbral limits"),
    "southern penumbral limit": (dict(color=LIMIT_COLOUR, linewidth=0.9, linestyle="--", zorder=4),
                                 "penumbral limits"),
    "sunrise/sunset curves": (dict(color=RISE_SET_COLOUR, linewidth=1.2, zorder=4), "sunrise/sunset curves"),
}


def inside(point, region):
    west, east, south, north = region
    return west < point[0] < east and south < point[1] < north


def draw_path(axes, collection, region):
    """Every feature of the exported path, limits under the central line; legend entries only
    for what the view shows."""
    eclipse = collection["features"][0]["properties"]["eclipse"]
    # Annular eclipses in red; total and annular/total (hybrid) ones in blue, as on the map.
    central_colour = ANNULAR_COLOUR if "Annular Eclipse" in eclipse else TOTAL_COLOUR
    labelled = set()
    for feature in collection["features"]:
        properties, geometry = feature["properties"], feature["geometry"]
        kind = properties["feature"]
        if kind == "path":
            xs, ys = zip(*geometry["coordinates"][0])
            axes.fill(xs, ys, color=central_colour, alpha=0.25, linewidth=0, zorder=3,
                      label="path of the central phase")
        elif kind == "greatest eclipse":
            axes.plot(*geometry["coordinates"], "*", color=GREATEST_COLOUR, markeredgecolor="black",
                      markersize=14, zorder=8, label=f"greatest eclipse, {properties['ut'][11:16]} UT")
        else:
            style, label = LINE_STYLES[kind]
            pieces = line_pieces(geometry)
            if label in labelled or not any(inside(point, region) for piece in pieces for point in piece):
                label = None
            labelled.add(label)
            for piece in pieces:
                axes.plot(*zip(*piece), **{"color": central_colour, **style}, label=label)
                label = None
            if kind == "central line":
                for piece, times in zip(pieces, time_pieces(properties)):
                    draw_time_labels(axes, piece, times, region)
    return eclipse


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("geojson", help="path file written by quorvel-cli path --format geojson")
    parser.add_argument("png", help="picture to write")
    parser.add_argument("--west", type=float, default=-130.0)
    parser.add_argument("--east", type=float, default=-50.0)
    parser.add_argument("--south", type=float, default=10.0)
    parser.add_argument("--north", type=float, default=55.0)
    arguments = parser.parse_args()
    region = (arguments.west, arguments.east, arguments.south, arguments.north)
    with open(arguments.geojson, encoding="utf-8") as source:
        collection = json.load(source)

    # Degrees of longitude shortened by the cosine of the middle latitude, as on a chart; the
    # picture's height follows from its width.
    stretch = 1 / math.cos(math.radians((arguments.south + arguments.north) / 2))
    left, right, top, bottom = MARGINS
    map_width = WIDTH - left - right
    map_height = round(map_width * stretch * (arguments.north - arguments.south) / (arguments.east - arguments.west))
    height = map_height + top + bottom
    figure = plt.figure(figsize=(WIDTH / DPI, height / DPI), dpi=DPI)
    axes = figure.add_axes((left / WIDTH, bottom / height, map_width / WIDTH, map_height / height))
    draw_base_map(axes)
    eclipse = draw_path(axes, collection, region)
    axes.set_xlim(arguments.west, arguments.east)
    axes.set_ylim(arguments.south, arguments.north)
    axes.set_aspect(stretch, adjustable="box")
    axes.grid(color="white", linewidth=0.6, zorder=0)
    axes.set_axisbelow(True)
    axes.xaxis.set_major_formatter(lambda value, _: f"{abs(value):g}°{'W' if value < 0 else 'E'}")
    axes.yaxis.set_major_formatter(lambda value, _: f"{abs(value):g}°{'S' if value < 0 else 'N'}")
    axes.tick_params(labelsize=8)
    axes.set_title(eclipse, fontsize=11)
    entries = len(axes.get_legend_handles_labels()[1])
    figure.legend(loc="lower center", ncol=min(entries, 3), fontsize=8, frameon=False)
    figure.savefig(arguments.png, dpi=DPI)


if __name__ == "__main__":
    main()
