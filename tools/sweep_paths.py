#!/usr/bin/python3
"""Sweeps the paths of central solar eclipses as quorvel-cli exports them, for the faults a map
program would show: a line (central line or limit) that begins or ends with the Sun still above
the horizon there (cut short; by PyEphem's Sun, unrefracted, at sea level), a limit in several
pieces, and a path polygon that is missing or invalid (python3-shapely's is_valid).

Usage: /usr/bin/python3 tools/sweep_paths.py [--cli build/quorvel-cli] FROM TO [STEP]
Prints one line per eclipse with a finding, then the counts.
"""
import argparse
import json
import re
import math
import subprocess

import ephem
from shapely.geometry import shape

# A line ends at the horizon when the Sun's centre stands lower than this there (degrees): the
# program's and PyEphem's Sun differ by far less.
HORIZON_SLACK_DEG = 0.1


def run(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True, check=True).stdout


def solar_numbers(cli, year):
    listing = run(cli, "eclipses", "--year", str(year))
    return [int(m.group(1)) for m in re.finditer(r"^\s*(\d+) : .*Sun", listing, re.M)]


def features(path_text):
    return {f["properties"]["feature"]: f for f in json.loads(path_text)["features"]}


def pieces_of(feature):
    geometry, times = feature["geometry"], feature["properties"]["ut"]
    return times if geometry["type"] == "MultiLineString" else [times]


def sun_altitude_deg(iso, coordinates):
    observer = ephem.Observer()
    observer.lon, observer.lat = math.radians(coordinates[0]), math.radians(coordinates[1])
    observer.elevation, observer.pressure = 0.0, 0.0
    observer.date = iso.replace("T", " ").replace("Z", "").replace("-", "/")
    return math.degrees(float(ephem.Sun(observer).alt))


def ends_above_horizon(feature):
    """The line's ends (its first and last vertex, and those of pieces not cut at 180 degrees)
    at which the Sun stands above the horizon."""
    geometry = feature["geometry"]
    lines = geometry["coordinates"] if geometry["type"] == "MultiLineString" else [geometry["coordinates"]]
    times = pieces_of(feature)
    found = []
    for index, (line, when) in enumerate(zip(lines, times)):
        for end, point, iso in (("begins", line[0], when[0]), ("ends", line[-1], when[-1])):
            if abs(point[0]) == 180.0:
                continue
            altitude = sun_altitude_deg(iso, point)
            if altitude > HORIZON_SLACK_DEG:
                found.append("%s %s with the Sun at %.1f deg (%s)" % (feature["properties"]["feature"], end,
                                                                      altitude, iso))
    return found


def findings(found):
    if "central line" not in found:
        return None
    problems = ends_above_horizon(found["central line"])
    for side in ("northern limit", "southern limit"):
        if side not in found:
            problems.append(side + " missing")
            continue
        problems += ends_above_horizon(found[side])
    if "path" not in found:
        problems.append("no path polygon")
    elif not shape(found["path"]["geometry"]).is_valid:
        problems.append("invalid polygon")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/quorvel-cli")
    parser.add_argument("first", type=int)
    parser.add_argument("last", type=int)
    parser.add_argument("step", type=int, nargs="?", default=1)
    options = parser.parse_args()
    central = flagged = 0
    for year in range(options.first, options.last + 1, options.step):
        for number in solar_numbers(options.cli, year):
            text = run(options.cli, "path", "--year", str(year), "--eclipse", str(number), "--format", "geojson")
            problems = findings(features(text))
            if problems is None:
                continue
            central += 1
            if problems:
                flagged += 1
                print(year, number, "; ".join(problems))
    print("central eclipses: %d, with findings: %d" % (central, flagged))


if __name__ == "__main__":
    main()
