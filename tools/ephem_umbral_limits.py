#!/usr/bin/python3
"""Reference northern and southern limits of the total solar eclipses of 2017-08-21 and
2024-04-08 from PyEphem (Debian python3-ephem), independent of Quorvel's shadow engine.

PyEphem gives the geocentric apparent places and distances of the Sun and the Moon and the
sidereal time; from them an observer at sea level on the WGS 84 ellipsoid sees the Moon's disc
inside the Sun's, or the Sun's inside the Moon's, while the separation of the centres is below
the difference of the semi-diameters (no refraction). On each meridian, the limits are the
latitudes north and south of the central line where the least value of that separation minus
the difference, over the eclipse, is exactly zero.

Output: year, month, day, east longitude, northern and southern limit (geodetic latitude), in
degrees, one line per meridian.
Usage: /usr/bin/python3 tools/ephem_umbral_limits.py > tests/eclipse/data/ephem_umbral_limits.txt
"""
import math

import ephem

from ephem_central_line import ECLIPSES, golden_minimum

EARTH_RADIUS_KM = 6378.137
AU_KM = 149597870.7
SUN_RADIUS = 696000.0 / EARTH_RADIUS_KM  # Earth radii
MOON_RADIUS = 0.2725076                   # Earth radii
FLATTENING = 1.0 / 298.257223563


def bisect_root(f, inside, outside, tolerance):
    """The point between inside (f < 0) and outside (f > 0) where f changes sign."""
    while abs(outside - inside) > tolerance:
        middle = (inside + outside) / 2.0
        if f(middle) < 0.0:
            inside = middle
        else:
            outside = middle
    return (inside + outside) / 2.0


def vector(ra, dec, distance):
    return (distance * math.cos(dec) * math.cos(ra), distance * math.cos(dec) * math.sin(ra),
            distance * math.sin(dec))


def sky(when, cache={}):
    """Geocentric apparent Sun and Moon (equator of date, Earth radii) and the Greenwich
    sidereal angle at an ephem date."""
    if when not in cache:
        sun, moon = ephem.Sun(), ephem.Moon()
        sun.compute(when)
        moon.compute(when)
        greenwich = ephem.Observer()
        greenwich.lon, greenwich.lat, greenwich.date = 0.0, 0.0, when
        scale = AU_KM / EARTH_RADIUS_KM
        cache[when] = (vector(sun.g_ra, sun.g_dec, sun.earth_distance * scale),
                       vector(moon.g_ra, moon.g_dec, moon.earth_distance * scale), float(greenwich.sidereal_time()))
    return cache[when]


def observer(latitude, longitude, sidereal):
    """Geocentric position of a sea-level place (degrees) in Earth equatorial radii."""
    lat, angle = math.radians(latitude), sidereal + math.radians(longitude)
    e2 = FLATTENING * (2.0 - FLATTENING)
    n = 1.0 / math.sqrt(1.0 - e2 * math.sin(lat) ** 2)
    return (n * math.cos(lat) * math.cos(angle), n * math.cos(lat) * math.sin(angle), n * (1.0 - e2) * math.sin(lat))


def inside_margin(latitude, longitude, when):
    """Separation of the centres minus the difference of the semi-diameters (radians)."""
    sun, moon, sidereal = sky(when)
    place = observer(latitude, longitude, sidereal)
    to_sun = [s - p for s, p in zip(sun, place)]
    to_moon = [m - p for m, p in zip(moon, place)]
    sun_distance, moon_distance = math.dist(sun, place), math.dist(moon, place)
    cosine = sum(a * b for a, b in zip(to_sun, to_moon)) / (sun_distance * moon_distance)
    separation = math.acos(min(1.0, cosine))
    return separation - abs(math.asin(SUN_RADIUS / sun_distance) - math.asin(MOON_RADIUS / moon_distance))


def least_margin(latitude, longitude, around):
    """Least margin at a place within ten minutes of the instant around (ephem date)."""
    best = golden_minimum(lambda t: inside_margin(latitude, longitude, ephem.Date(round(t * 1e7) / 1e7)),
                          around - 10.0 / 1440.0, around + 10.0 / 1440.0, 0.2 / 86400.0)
    return inside_margin(latitude, longitude, ephem.Date(round(best * 1e7) / 1e7))


def limits(longitude, window):
    start, end = ephem.Date(window[0]), ephem.Date(window[1])
    step = 1.0 / 1440.0
    times = [start + i * step for i in range(int((end - start) / step) + 1)]

    def margin_and_time(latitude):
        nearest = min(times, key=lambda t: inside_margin(latitude, longitude, t))
        return least_margin(latitude, longitude, nearest), nearest

    central = min((lat * 0.5 for lat in range(-120, 141)), key=lambda lat: margin_and_time(lat)[0])
    around = margin_and_time(central)[1]
    margin = lambda lat: least_margin(lat, longitude, around)
    return (bisect_root(margin, central, central + 3.0, 1e-5), bisect_root(margin, central, central - 3.0, 1e-5))


def main():
    print("# year month day longitude northern southern  (umbral limits, PyEphem %s)" % ephem.__version__)
    for (year, month, day), window, longitudes in ECLIPSES:
        for longitude in longitudes:
            northern, southern = limits(longitude, window)
            print("%d %d %d %.1f %.4f %.4f" % (year, month, day, longitude, northern, southern), flush=True)


if __name__ == "__main__":
    main()
