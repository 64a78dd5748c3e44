#!/usr/bin/python3
"""Reference local circumstances of solar eclipses from PyEphem (Debian python3-ephem).

For each place and eclipse below, PyEphem's topocentric apparent Sun and Moon, both lifted by
refraction (1015 mbar, 15 degrees Celsius) as the program lifts them, give the separation of
their centres in the sky and their semi-diameters. From them: the time of the
least separation (greatest local eclipse), the magnitude there (fraction of the Sun's diameter
covered), the Sun's altitude there, and the contacts: first and last (discs touch outside),
second and third (one disc wholly inside the other; -1 when that never happens).

Writes one line per case: name, latitude and east longitude (degrees), height (m), PyEphem's
TT - UT (s), MJD of UT of the greatest eclipse, magnitude, Sun altitude without refraction
(degrees), then the
four contacts as MJDs of UT, and the two intervals in which the eclipse is in progress with
the Sun's upper limb above the horizon (true altitude of the centre at least -0.0145 rad),
from and until, -1 for an interval that does not occur.

Usage: /usr/bin/python3 tools/ephem_local_eclipses.py > tests/eclipse/data/ephem_local_eclipses.txt
"""
import ephem

MJD_OF_DUBLIN_JD_ZERO = 15019.5  # PyEphem dates count days from 1899-12-31 12h UT
SECOND = 1.0 / 86400.0
SEARCH_HALF_WIDTH = 0.15         # days around the given time searched for the maximum
SUN_HORIZON_RAD = -0.0145         # true altitude of the centre at sunrise and sunset
PRESSURE_MBAR = 1015.0
TEMPERATURE_C = 15.0

# name, latitude, east longitude (degrees), height (m), UT near the greatest local eclipse
CASES = [
    ("Dallas", 32.78, -96.80, 140.0, "2024/4/8 18:42"),
    ("Nashville", 36.16, -86.78, 180.0, "2017/8/21 18:28"),
    ("Exmouth", -21.93, 114.13, 10.0, "2023/4/20 3:30"),
    ("HangaRoa", -27.15, -109.43, 50.0, "2024/10/2 20:10"),
    ("LaSerena", -29.90, -71.25, 30.0, "2019/7/2 20:39"),
    ("Reykjavik", 64.15, -21.94, 20.0, "2026/8/12 17:48"),
    ("UnionGlacier", -79.77, -82.84, 700.0, "2021/12/4 7:45"),
    ("Moscow", 55.75, 37.62, 150.0, "2022/10/25 10:00"),
    ("London", 51.51, -0.13, 20.0, "2021/6/10 10:10"),
    ("KotzebueSound", 66.0, -160.0, 0.0, "2021/6/10 11:00"),
]


def discs(observer, when):
    """Separation of the refracted centres, Sun and Moon semi-diameters (radians), and the Sun's
    altitude without refraction."""
    observer.date = when
    observer.pressure = PRESSURE_MBAR
    sun, moon = ephem.Sun(observer), ephem.Moon(observer)
    separation = float(ephem.separation((sun.az, sun.alt), (moon.az, moon.alt)))
    radii = float(sun.radius), float(moon.radius)
    observer.pressure = 0.0
    true_altitude = float(ephem.Sun(observer).alt)
    return separation, radii[0], radii[1], true_altitude


def outside_gap(observer, when):
    d, rs, rm, _ = discs(observer, when)
    return d - (rs + rm)


def inside_gap(observer, when):
    d, rs, rm, _ = discs(observer, when)
    return d - abs(rs - rm)


def least_separation(observer, start, end):
    """Golden-section search for the least separation, to well below a second."""
    ratio = 0.6180339887498949
    a, b = start, end
    while b - a > 0.01 * SECOND:
        c, d = b - ratio * (b - a), a + ratio * (b - a)
        if discs(observer, c)[0] < discs(observer, d)[0]:
            b = d
        else:
            a = c
    return 0.5 * (a + b)


def crossing(gap, observer, before, after):
    """Bisection for the zero of gap between two times of opposite sign."""
    negative_first = gap(observer, before) < 0.0
    while after - before > 0.01 * SECOND:
        middle = 0.5 * (before + after)
        if (gap(observer, middle) < 0.0) == negative_first:
            before = middle
        else:
            after = middle
    return 0.5 * (before + after)


def contacts(gap, observer, maximum):
    """Times before and after the maximum where gap changes sign; -1 when it stays positive."""
    if gap(observer, maximum) >= 0.0:
        return None, None
    step = 60.0 * SECOND
    early = maximum
    while gap(observer, early) < 0.0:
        early -= step
    late = maximum
    while gap(observer, late) < 0.0:
        late += step
    return crossing(gap, observer, early, early + step), crossing(gap, observer, late - step, late)


def sun_above_horizon(observer, when):
    """Negative while the Sun's centre is above the sunrise altitude."""
    return SUN_HORIZON_RAD - discs(observer, when)[3]


def visible_intervals(observer, first, last):
    """The parts of [first, last] with the Sun up, found by stepping a minute at a time."""
    step = 60.0 * SECOND
    edges = []
    up = sun_above_horizon(observer, first) < 0.0
    if up:
        edges.append(first)
    t = first
    while t < last:
        after = min(t + step, last)
        if (sun_above_horizon(observer, after) < 0.0) != up:
            edges.append(crossing(sun_above_horizon, observer, t, after))
            up = not up
        t = after
    if up:
        edges.append(last)
    edges += [None] * (4 - len(edges))
    return edges[:4]


def mjd(when):
    return -1.0 if when is None else float(when) + MJD_OF_DUBLIN_JD_ZERO


def main():
    for name, latitude, longitude, height, near in CASES:
        observer = ephem.Observer()
        observer.lat, observer.lon = str(latitude), str(longitude)
        observer.elevation = height
        observer.temp = TEMPERATURE_C
        guess = float(ephem.Date(near))
        maximum = least_separation(observer, guess - SEARCH_HALF_WIDTH, guess + SEARCH_HALF_WIDTH)
        d, rs, rm, altitude = discs(observer, maximum)
        magnitude = (rs + rm - d) / (2.0 * rs)
        first, last = contacts(outside_gap, observer, maximum)
        second, third = contacts(inside_gap, observer, maximum)
        visible = " ".join(f"{mjd(edge):.7f}" for edge in visible_intervals(observer, first, last))
        delta_t = ephem.delta_t(ephem.Date(maximum))
        print(f"{name} {latitude:.2f} {longitude:.2f} {height:.0f} {delta_t:.3f} {mjd(maximum):.7f} "
              f"{magnitude:.5f} {altitude * 57.29577951308232:.3f} {mjd(first):.7f} {mjd(second):.7f} "
              f"{mjd(third):.7f} {mjd(last):.7f} {visible}")


if __name__ == "__main__":
    main()
