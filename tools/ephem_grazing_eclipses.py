#!/usr/bin/python3
"""The largest magnitude of a grazing solar eclipse anywhere on the Earth, from PyEphem.

For the New Moon after each date given, searches the places with the Sun above the geometric
horizon (no refraction) over the three hours around it for the largest fraction of the Sun's
diameter the Moon covers (negative: the discs stay apart by that fraction), first on a coarse
grid, then finer around the best place and time. Prints date, UT, latitude, longitude and the
magnitude.

Usage: /usr/bin/python3 tools/ephem_grazing_eclipses.py 1916/12/20 1935/1/1 1787/7/10
"""
import math
import sys

import ephem


def magnitude(when, latitude_deg, longitude_deg):
    """Fraction of the Sun's diameter the Moon covers at a place, or None with the Sun down."""
    place = ephem.Observer()
    place.date, place.pressure = when, 0
    place.lat, place.lon = str(latitude_deg), str(longitude_deg)
    sun, moon = ephem.Sun(place), ephem.Moon(place)
    if sun.alt < 0:
        return None
    return (sun.radius + moon.radius - ephem.separation(sun, moon)) / (2 * sun.radius)


def best_near(when, latitude_deg, longitude_deg, minutes, degrees, steps):
    """The best (magnitude, when, latitude, longitude) on a grid around a place and time."""
    best = (-1.0, when, latitude_deg, longitude_deg)
    for i in range(-steps, steps + 1):
        t = ephem.Date(when + i * minutes / steps * ephem.minute)
        for j in range(-steps, steps + 1):
            lat = max(-90.0, min(90.0, latitude_deg + j * degrees / steps))
            for k in range(-2 * steps, 2 * steps + 1):
                m = magnitude(t, lat, longitude_deg + k * degrees / steps)
                if m is not None and m > best[0]:
                    best = (m, t, lat, longitude_deg + k * degrees / steps)
    return best


def main():
    for start in sys.argv[1:]:
        new_moon = ephem.next_new_moon(start)
        best = (-1.0, new_moon, 0.0, 0.0)
        for i in range(-45, 46, 3):
            t = ephem.Date(new_moon + i * 2 * ephem.minute)
            for lat in range(-88, 89, 4):
                for lon in range(-180, 180, 6):
                    m = magnitude(t, lat, lon)
                    if m is not None and m > best[0]:
                        best = (m, t, lat, lon)
        for minutes, degrees in ((6.0, 4.0), (1.0, 0.5), (0.2, 0.1)):
            best = best_near(best[1], best[2], best[3], minutes, degrees, 4)
        m, t, lat, lon = best
        print("%s UT  %7.2f %8.2f  magnitude %.4f" % (ephem.Date(t), lat, lon, m))


if __name__ == "__main__":
    main()
