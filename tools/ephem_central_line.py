#!/usr/bin/python3
"""Reference central lines of the total solar eclipses of 2017-08-21 and 2024-04-08 from PyEphem
(Debian python3-ephem), independent of Quorvel's shadow engine: for each longitude, the
latitude where the smallest topocentric separation of the Sun's and the Moon's centres during
the eclipse is least (both unrefracted, observer at sea level on PyEphem's ellipsoid).

Output: year, month, day, east longitude and geodetic latitude in degrees, one line each.
Usage: /usr/bin/python3 tools/ephem_central_line.py > tests/reports/data/ephem_central_lines.txt
"""
import math

import ephem

ECLIPSES = [
    # (year, month, day), UT window searched, longitudes (degrees east)
    ((2017, 8, 21), ("2017/8/21 16:00", "2017/8/21 19:30"), range(-125, -79, 5)),
    ((2024, 4, 8), ("2024/4/8 16:30", "2024/4/8 20:30"), range(-110, -54, 5)),
]
GOLDEN = (math.sqrt(5.0) - 1.0) / 2.0


def golden_minimum(f, low, high, tolerance):
    """Argument of the least value of a unimodal f on [low, high]."""
    a, b = low, high
    c, d = b - GOLDEN * (b - a), a + GOLDEN * (b - a)
    fc, fd = f(c), f(d)
    while b - a > tolerance:
        if fc < fd:
            b, d, fd = d, c, fc
            c = b - GOLDEN * (b - a)
            fc = f(c)
        else:
            a, c, fc = c, d, fd
            d = a + GOLDEN * (b - a)
            fd = f(d)
    return (a + b) / 2.0


def separation(observer, when):
    observer.date = when
    sun, moon = ephem.Sun(observer), ephem.Moon(observer)
    return float(ephem.separation(sun, moon))


def least_separation(latitude, longitude, window):
    """Smallest Sun-Moon separation (radians) seen from a place during the window."""
    observer = ephem.Observer()
    observer.lat, observer.lon = math.radians(latitude), math.radians(longitude)
    observer.elevation, observer.pressure = 0.0, 0.0
    start, end = ephem.Date(window[0]), ephem.Date(window[1])
    step = 2.0 / 1440.0
    times = [start + i * step for i in range(int((end - start) / step) + 1)]
    nearest = min(times, key=lambda t: separation(observer, t))
    best = golden_minimum(lambda t: separation(observer, t), nearest - step, nearest + step, 0.05 / 86400.0)
    return separation(observer, best)


def central_latitude(longitude, window):
    coarse = min((lat * 0.5 for lat in range(-120, 141)), key=lambda lat: least_separation(lat, longitude, window))
    return golden_minimum(lambda lat: least_separation(lat, longitude, window), coarse - 0.5, coarse + 0.5, 1e-4)


def main():
    print("# year month day longitude latitude  (central line, PyEphem %s)" % ephem.__version__)
    for (year, month, day), window, longitudes in ECLIPSES:
        for longitude in longitudes:
            print("%d %d %d %.1f %.4f" % (year, month, day, longitude, central_latitude(longitude, window)), flush=True)


if __name__ == "__main__":
    main()
