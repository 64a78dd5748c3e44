#!/usr/bin/python3
"""Compares the program's default TT - UT of a year (as quorvel-cli prints it under the details
of the year's first eclipse) with PyEphem's (Debian python3-ephem, ephem.delta_t on 1 July):
one line per year, then the largest difference over each stretch of years.

Usage: /usr/bin/python3 tools/ephem_delta_t.py build/quorvel-cli
"""
import re
import subprocess
import sys

import ephem

YEARS = list(range(-500, 1601, 100)) + list(range(1620, 2000, 10)) + list(range(2000, 2031))
STRETCHES = ((-500, 1600), (1620, 1899), (1900, 1999), (2000, 2030))


def program_delta_t(program, year):
    text = subprocess.run([program, "eclipse", "--year", str(year), "--eclipse", "1"],
                          check=True, capture_output=True, text=True).stdout
    return float(re.search(r"tdt - ut \(in sec\):\s*(-?[0-9.]+)", text).group(1))


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/quorvel-cli"
    print("# year  program  PyEphem %s  difference (s)" % ephem.__version__)
    differences = {}
    for year in YEARS:
        ours = program_delta_t(program, year)
        theirs = ephem.delta_t(ephem.Date("%d/7/1" % year))
        differences[year] = ours - theirs
        print("%5d %9.1f %9.1f %+8.1f" % (year, ours, theirs, ours - theirs), flush=True)
    for first, last in STRETCHES:
        values = [d for y, d in differences.items() if first <= y <= last]
        print("# %d..%d: %+.1f .. %+.1f s" % (first, last, min(values), max(values)))


if __name__ == "__main__":
    main()
