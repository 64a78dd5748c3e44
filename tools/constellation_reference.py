#!/usr/bin/env python3
"""Writes the constellations that tests/astro/constellation_test.cpp checks its own against.

Usage: /usr/bin/python3 tools/constellation_reference.py > tests/astro/data/constellations.txt
Needs Debian's python3-astropy (apt-get install python3-astropy).

At each of 13 epochs from -2000 to 4000, 270 places on the mean equator and equinox of that
epoch (astropy's PrecessedGeocentric frame with that equinox; the observation time is left at
its default, the same as get_constellation's own frame, so only precession acts):
  r  150 at random over the sphere,
  b  100 near a boundary: a point on an edge of one of Roman's rows at B1875.0 (its southern
     edge, or its eastern or western edge within 2 degrees north of its southern one), moved
     off it by 0.2" to 100" (uniform in the logarithm), then carried to the epoch,
  p  20 within a degree of a pole.
For each: the epoch (Julian centuries of TT since J2000), right ascension (hours) and
declination (degrees) of the epoch, astropy's own position at B1875.0 for it, and
get_constellation(..., short_name=True).
"""
import math
import random
import warnings

import numpy as np
import astropy
import astropy.units as u
from astropy.coordinates import PrecessedGeocentric, get_constellation
from astropy.time import Time

YEARS = [-2000, -500, 0, 1000, 1500, 1875, 1950, 2000, 2024, 2100, 2500, 3000, 4000]
RANDOM, BOUNDARY, POLES = 150, 100, 20
ROWS_FILE = "/usr/lib/python3/dist-packages/astropy/coordinates/data/constellation_data_roman87.dat"
B1875 = Time("B1875")


def roman_rows():
    rows = []
    with open(ROWS_FILE, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            lo, hi, dec, _ = line.split()
            rows.append((float(lo), float(hi), float(dec)))
    return rows[:-1]  # the last row, the south polar cap, has no edge of its own


def random_direction(rng):
    ra = rng.uniform(0.0, 24.0)
    dec = math.degrees(math.asin(rng.uniform(-1.0, 1.0)))
    return ra, dec


def near_boundary(rng, rows):
    lo, hi, dec = rng.choice(rows)
    offset_deg = 10.0 ** rng.uniform(math.log10(0.2), 2.0) / 3600.0
    side = rng.choice((-1.0, 1.0))
    edge = rng.choice(("south", "east", "west"))
    if edge == "south":
        return rng.uniform(lo, hi), max(-90.0, min(90.0, dec + side * offset_deg))
    d = min(89.99, dec + rng.uniform(0.0, 2.0))
    ra = (hi if edge == "east" else lo) + side * offset_deg / 15.0 / math.cos(math.radians(d))
    return ra % 24.0, d


def polar(rng):
    ra = rng.uniform(0.0, 24.0)
    dec = rng.choice((-1.0, 1.0)) * (90.0 - rng.uniform(0.0, 1.0))
    return ra, dec


def main():
    rng = random.Random(1875)
    rows = roman_rows()
    print(f"# Constellations by astropy {astropy.__version__} (tools/constellation_reference.py):")
    print("# epoch (Julian centuries of TT), RA (h) and Dec (deg) of the mean equator of the epoch,")
    print("# astropy's RA (h) and Dec (deg) at B1875.0, get_constellation short name, kind.")
    for year in YEARS:
        epoch = Time(year, format="jyear", scale="tt")
        frame = PrecessedGeocentric(equinox=epoch)
        places = [(random_direction(rng), "r") for _ in range(RANDOM)]
        boundary = [near_boundary(rng, rows) for _ in range(BOUNDARY)]
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            at_b1875 = PrecessedGeocentric(ra=[p[0] for p in boundary] * u.hourangle,
                                           dec=[p[1] for p in boundary] * u.deg, equinox=B1875)
            of_date = at_b1875.transform_to(frame)
        places += [((r, d), "b") for r, d in zip(of_date.ra.hour, of_date.dec.deg)]
        places += [(polar(rng), "p") for _ in range(POLES)]
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            coords = PrecessedGeocentric(ra=[p[0][0] for p in places] * u.hourangle,
                                         dec=[p[0][1] for p in places] * u.deg, equinox=epoch)
            names = get_constellation(coords, short_name=True)
            back = coords.transform_to(PrecessedGeocentric(equinox=B1875))
        centuries = (year - 2000) / 100.0
        for ((ra, dec), kind), name, ra0, dec0 in zip(places, names, back.ra.hour, back.dec.deg):
            print(f"{centuries:.2f} {ra:.9f} {dec:.8f} {ra0:.9f} {dec0:.8f} {name} {kind}")


if __name__ == "__main__":
    main()
