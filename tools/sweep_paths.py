#!/usr/bin/python3
"""Sweeps the paths of central solar eclipses as quorvel-cli exports them, for the faults a map
program would show: a limit that begins or ends far from where the central line does, a limit
in several pieces, and a path polygon that is missing or invalid (python3-shapely's is_valid).

Usage: /usr/bin/python3 tools/sweep_paths.py [--cli build/quorvel-cli] FROM TO [STEP]
Prints one line per eclipse with a finding, then the counts.
"""
import argparse
import datetime
import json
import re
import subprocess

from shapely.geometry import shape

# A limit's ends lie this close in time to the central line's where both reach the horizon.
END_SLACK_MINUTES = 10.0


def run(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True, check=True).stdout


def solar_numbers(cli, year):
    listing = run(cli, "eclipses", "--year", str(year))
    return [int(m.group(1)) for m in re.finditer(r"^\s*(\d+) : .*Sun", listing, re.M)]


def minutes(iso):
    return datetime.datetime.fromisoformat(iso.replace("Z", "+00:00")).timestamp() / 60.0


def features(path_text):
    return {f["properties"]["feature"]: f for f in json.loads(path_text)["features"]}


def pieces_of(feature):
    geometry, times = feature["geometry"], feature["properties"]["ut"]
    return times if geometry["type"] == "MultiLineString" else [times]


def findings(found):
    central = found.get("central line")
    if central is None:
        return None
    times = [t for piece in pieces_of(central) for t in piece]
    begin, end = minutes(times[0]), minutes(times[-1])
    problems = []
    for side in ("northern limit", "southern limit"):
        if side not in found:
            problems.append(side + " missing")
            continue
        limit = [t for piece in pieces_of(found[side]) for t in piece]
        late = minutes(limit[0]) - begin
        early = end - minutes(limit[-1])
        if late > END_SLACK_MINUTES or early > END_SLACK_MINUTES:
            problems.append("%s begins %+.0f min, ends %+.0f min from the central line" % (side, late, -early))
        # Pieces cut only at the 180th meridian join end to start.
        pieces = pieces_of(found[side])
        gaps = sum(1 for a, b in zip(pieces, pieces[1:]) if a[-1] != b[0])
        if gaps:
            problems.append("%s in %d pieces" % (side, gaps + 1))
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
