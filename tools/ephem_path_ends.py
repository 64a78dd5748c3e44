#!/usr/bin/python3
"""Reference ends of the central lines and of the limits of central solar eclipses from PyEphem
(Debian python3-ephem), independent of Quorvel's shadow engine.

PyEphem gives the geocentric apparent places and distances of the Sun and the Moon and the
sidereal time (with its own TT - UT); observers stand at sea level on the WGS 84 ellipsoid and
see both bodies without refraction, as in ephem_umbral_limits.py.

Central line: it begins and ends where the shadow axis, the line through the centres of the Sun
and the Moon, touches the ellipsoid. There the observer sees both centres in one place, on the
horizon (geometric altitude 0, the tangent plane holds the axis). The instants are the roots of
the axis' least distance from the Earth's centre minus one, in coordinates that stretch the
ellipsoid into the unit sphere.

Limits: a place is on a limit of totality or annularity when the least value over time of the
margin g = separation of the centres - |difference of the semi-diameters| is exactly 0. A limit
begins or ends where that least value is reached with the Sun's centre on the horizon: g = 0,
dg/dt = 0 at the fixed place, and altitude 0. The places with the Sun on the horizon at an
instant form a circle in the stretched coordinates (the terminator), so at each instant the two
places where the shadow's edge crosses the terminator are one-dimensional roots of g along that
circle; the end is the instant at which dg/dt there (central difference over +-5 s) changes
sign. That instant is bracketed by looking at 100 instants while the shadow touches the
horizon near the central line's end, and found by bisection like the edges, so no starting
guess is needed. A limit end lies within about half an hour of the central line's end, or
nearer, and on the same side of the greatest eclipse.

Output: one line per end point: year, month, day (of greatest eclipse, UT), PyEphem's TT - UT
(s), line (central or limit), end (begin or end), MJD of UT, geodetic latitude and east
longitude (degrees). First for each eclipse a line "greatest axis": the instant the axis passes
nearest the Earth's centre and the place below that point, so that the ends can be timed from
it: PyEphem's Moon and the program's differ by a few seconds along the orbit. A limit that does not meet the horizon at an end has no line there.
Residuals of the printed values are reported on standard error.
Usage: /usr/bin/python3 tools/ephem_path_ends.py > tests/eclipse/data/ephem_path_ends.txt
"""
import math
import sys

import ephem

from ephem_central_line import golden_minimum
from ephem_umbral_limits import FLATTENING, MOON_RADIUS, SUN_RADIUS, bisect_root, least_margin, observer, sky

ECLIPSES = [  # UT dates of greatest eclipse
    (1900, 5, 28), (1919, 5, 29), (1973, 6, 30), (1999, 8, 11), (2002, 12, 4), (2003, 5, 31),
    (2005, 4, 8), (2006, 3, 29), (2009, 7, 22), (2010, 7, 11), (2012, 5, 20), (2013, 11, 3),
    (2016, 3, 9), (2017, 8, 21), (2020, 12, 14), (2021, 6, 10), (2023, 4, 20), (2024, 4, 8),
    (2026, 8, 12), (2030, 6, 1), (2032, 5, 9), (2041, 4, 30), (2045, 8, 12), (2086, 6, 11),
    (2094, 1, 16),
]
MJD_OF_DUBLIN_JD_ZERO = 15019.5  # PyEphem dates count days from 1899-12-31 12h UT
SECOND = 1.0 / 86400.0
SQUASH = 1.0 - FLATTENING         # polar over equatorial radius
RATE_STEP = 5.0 * SECOND          # half step of the central difference dg/dt
REACH = 60.0 / 1440.0             # how far beyond the central line's end a limit's end is sought
WINDOW_SAMPLES = 100              # instants at which the sign of dg/dt at the edges is looked at
TIME_TOLERANCE = 1e-10            # days
ANGLE_TOLERANCE = 1e-12           # radians along the terminator


def add(a, b, scale=1.0):
    return [x + scale * y for x, y in zip(a, b)]


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def cross(a, b):
    return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]


def unit(a):
    length = math.sqrt(dot(a, a))
    return [x / length for x in a]


def angle_between(a, b):
    """Angle between two vectors, accurate also when it is tiny."""
    return math.atan2(math.sqrt(dot(cross(a, b), cross(a, b))), dot(a, b))


def to_sphere(v):
    """Stretch along the Earth's axis that turns the ellipsoid into the unit sphere."""
    return [v[0], v[1], v[2] / SQUASH]


def from_sphere(v):
    return [v[0], v[1], v[2] * SQUASH]


def geodetic(point, sidereal):
    """Geodetic latitude and east longitude (degrees) of a point on the ellipsoid."""
    x, y, z = point
    latitude = math.degrees(math.atan2(z / SQUASH ** 2, math.hypot(x, y)))
    return latitude, math.degrees(math.remainder(math.atan2(y, x) - sidereal, 2.0 * math.pi))


def circumstances(latitude, longitude, when):
    """Separation of the centres, difference of the semi-diameters (Sun minus Moon) and the Sun's
    geometric altitude (radians) seen from a sea-level place."""
    sun, moon, sidereal = sky(when)
    place = observer(latitude, longitude, sidereal)
    to_sun, to_moon = add(sun, place, -1.0), add(moon, place, -1.0)
    sun_distance, moon_distance = math.sqrt(dot(to_sun, to_sun)), math.sqrt(dot(to_moon, to_moon))
    difference = math.asin(SUN_RADIUS / sun_distance) - math.asin(MOON_RADIUS / moon_distance)
    lat, angle = math.radians(latitude), sidereal + math.radians(longitude)
    zenith = [math.cos(lat) * math.cos(angle), math.cos(lat) * math.sin(angle), math.sin(lat)]
    altitude = math.asin(dot(to_sun, zenith) / sun_distance)
    return angle_between(to_sun, to_moon), difference, altitude


def margin(place, when):
    """g: separation of the centres minus the difference of the semi-diameters (radians)."""
    separation, difference, _ = circumstances(place[0], place[1], when)
    return separation - abs(difference)


def margin_rate(place, when):
    """dg/dt at a fixed place (radians per second)."""
    return (margin(place, when + RATE_STEP) - margin(place, when - RATE_STEP)) / (2.0 * RATE_STEP / SECOND)


# The shadow axis and the central line.

def axis_foot(when):
    """Point of the shadow axis nearest the Earth's centre, in stretched coordinates."""
    sun, moon, _ = sky(when)
    start, direction = to_sphere(moon), to_sphere(add(moon, sun, -1.0))
    return add(start, direction, -dot(start, direction) / dot(direction, direction))


def axis_miss(when):
    """Distance of the shadow axis from the ellipsoid's surface in stretched Earth radii; the
    axis meets the Earth while it is negative."""
    return math.sqrt(dot(axis_foot(when), axis_foot(when))) - 1.0


def greatest_eclipse(year, month, day):
    """Instant (ephem date) when the shadow axis passes nearest the Earth's centre."""
    new_moon = float(ephem.next_new_moon(ephem.Date((year, month, day)) - 0.5))
    return golden_minimum(axis_miss, new_moon - 0.15, new_moon + 0.15, TIME_TOLERANCE)


def central_end(greatest, direction):
    """Instant and place where the axis touches the ellipsoid before (direction -1) or after
    (+1) the greatest eclipse."""
    when = bisect_root(axis_miss, greatest, greatest + direction * 0.2, TIME_TOLERANCE)
    return when, geodetic(from_sphere(unit(axis_foot(when))), sky(when)[2])


# The terminator: the places with the Sun's centre on the horizon at an instant. In stretched
# coordinates a place p on the unit sphere has the Sun s in its tangent plane when p.s = 1, a
# circle around s; the angle along it counts from the northernmost place.

def terminator(when):
    """The circle's centre, radius and two unit vectors along it (stretched coordinates), and
    the sidereal angle."""
    sun, _, sidereal = sky(when)
    s = to_sphere(sun)
    toward_sun = unit(s)
    north = unit(add([0.0, 0.0, 1.0], toward_sun, -toward_sun[2]))
    offset = 1.0 / math.sqrt(dot(s, s))
    return (add([0.0, 0.0, 0.0], toward_sun, offset), math.sqrt(1.0 - offset ** 2), north,
            cross(toward_sun, north), sidereal)


def terminator_place(circle, angle):
    centre, radius, first, second, sidereal = circle
    point = add(add(centre, first, radius * math.cos(angle)), second, radius * math.sin(angle))
    return geodetic(from_sphere(point), sidereal)


def axis_on_terminator(when, circle):
    """Angle along the terminator nearest the shadow axis: where the axis crosses the
    terminator's plane."""
    sun, moon, _ = sky(when)
    centre, _, first, second, _ = circle
    start, direction = to_sphere(moon), to_sphere(add(moon, sun, -1.0))
    normal = unit(centre)
    crossing = add(start, direction, (dot(centre, normal) - dot(start, normal)) / dot(direction, normal))
    return math.atan2(dot(crossing, second), dot(crossing, first))


def deepest_on_horizon(when):
    """Angle along the terminator of least g, and that g (negative while the shadow reaches the
    horizon)."""
    circle = terminator(when)
    g = lambda angle: margin(terminator_place(circle, angle), when)
    guess = axis_on_terminator(when, circle)
    angle = golden_minimum(g, guess - 0.1, guess + 0.1, 1e-9)
    return angle, g(angle)


def shadow_edges_on_horizon(when):
    """The two places on the terminator where g = 0, on either side of the least g."""
    deepest, least = deepest_on_horizon(when)
    assert least < 0.0, "the shadow is off the horizon"
    circle = terminator(when)
    g = lambda angle: margin(terminator_place(circle, angle), when)
    edges = []
    for side in (-1.0, 1.0):
        width = 0.002
        while g(deepest + side * width) < 0.0:
            width *= 2.0
            assert width < math.pi, "the whole horizon in the shadow"
        edge = bisect_root(g, deepest, deepest + side * width, ANGLE_TOLERANCE)
        edges.append(terminator_place(circle, edge))
    return edges


def edge_rate(when, side):
    """dg/dt at one of the two shadow edges on the horizon."""
    return margin_rate(shadow_edges_on_horizon(when)[side], when)


def horizon_window_end(start, bound):
    """Last instant, going from start (shadow on the horizon) towards bound, with the shadow on
    the horizon; bound when it stays there. Steps double from a hundredth of a second, so that
    the fraction of a second a thin shadow spends on the horizon is found as well as the long
    stay of a grazing one."""
    on_horizon = lambda when: deepest_on_horizon(when)[1]
    inside, step = start, math.copysign(0.01 * SECOND, bound - start)
    while abs(step) < abs(bound - start) and on_horizon(start + step) < 0.0:
        inside, step = start + step, 2.0 * step
    if abs(step) >= abs(bound - start):
        if on_horizon(bound) < 0.0:
            return bound
        step = bound - start
    return bisect_root(on_horizon, inside, start + step, 1e-4 * SECOND)


def limit_ends(central_when, greatest):
    """The limit ends around one end of the central line (at central_when), on the same side of
    the greatest eclipse and at most an hour beyond it: the instants at which dg/dt at a shadow
    edge on the horizon changes sign, with the edge's place. Nothing for an edge whose dg/dt keeps
    its sign while the shadow is on the horizon (a limit that leaves the Earth elsewhere)."""
    beyond = central_when + math.copysign(REACH, central_when - greatest)
    first, last = sorted((horizon_window_end(central_when, beyond), horizon_window_end(central_when, greatest)))
    ends = []
    for side in (0, 1):
        times = [first + (i + 0.5) / WINDOW_SAMPLES * (last - first) for i in range(WINDOW_SAMPLES)]
        rates = [edge_rate(when, side) for when in times]
        for before, after, early, late in zip(times, times[1:], rates, rates[1:]):
            if (early < 0.0) != (late < 0.0):
                inside, outside = (before, after) if early < 0.0 else (after, before)
                when = bisect_root(lambda t: edge_rate(t, side), inside, outside, TIME_TOLERANCE)
                ends.append((when, shadow_edges_on_horizon(when)[side]))
    return ends


# Checks of the printed values.

def rounded(when, place):
    mjd = round(when + MJD_OF_DUBLIN_JD_ZERO, 8)
    longitude = round(place[1], 5)
    return mjd, round(place[0], 5), 180.0 if longitude == -180.0 else longitude


def central_residuals(mjd, latitude, longitude):
    """The Sun's altitude and the separation of the centres (radians) at a printed central line
    end, from the vectors above and from PyEphem's own topocentric Sun and Moon."""
    when = mjd - MJD_OF_DUBLIN_JD_ZERO
    separation, _, altitude = circumstances(latitude, longitude, when)
    place = ephem.Observer()
    place.lat, place.lon, place.elevation, place.pressure = math.radians(latitude), math.radians(longitude), 0.0, 0.0
    place.date = when
    sun, moon = ephem.Sun(place), ephem.Moon(place)
    return altitude, separation, float(sun.alt), float(ephem.separation(sun, moon))


def limit_residuals(mjd, latitude, longitude):
    """At a printed limit end: the Sun's altitude and g (radians), the least g over time found
    by ephem_umbral_limits.py's search, and how far (s) the instant of the least g is from the
    printed one. That instant is taken where the change of g over +-20 s vanishes: near its
    minimum g is too flat, and PyEphem's places too noisy (about 1e-10 rad), for a search of
    the least value to time it better than a tenth of a second."""
    when = mjd - MJD_OF_DUBLIN_JD_ZERO
    place = (latitude, longitude)
    separation, difference, altitude = circumstances(latitude, longitude, when)
    change = lambda t: margin(place, t + 20.0 * SECOND) - margin(place, t - 20.0 * SECOND)
    early, late = when - 10.0 * SECOND, when + 10.0 * SECOND
    deepest = bisect_root(change, early, late, TIME_TOLERANCE) if change(early) < 0.0 < change(late) else math.inf
    return altitude, separation - abs(difference), least_margin(latitude, longitude, when), (deepest - when) / SECOND


def largest(checks):
    return [max(abs(check[k]) for check in checks) for k in range(len(checks[0]))]


def eclipse_rows(year, month, day):
    greatest = greatest_eclipse(year, month, day)
    assert ephem.Date(greatest).tuple()[:3] == (year, month, day), (year, month, day)
    rows = [("greatest", "axis") + rounded(greatest, geodetic(from_sphere(unit(axis_foot(greatest))),
                                                                sky(greatest)[2]))]
    for end, direction in (("begin", -1.0), ("end", 1.0)):
        when, place = central_end(greatest, direction)
        rows.append(("central", end) + rounded(when, place))
        limits = [("limit", end) + rounded(t, p) for t, p in limit_ends(when, greatest)]
        rows.extend(sorted(limits, key=lambda row: -row[3]))
    return ephem.delta_t(ephem.Date(greatest)), rows


def report(year, month, day, rows):
    """Residuals, and the instants of the limit ends from those of the central line's, on
    standard error."""
    central = {row[1]: row[2] for row in rows if row[0] == "central"}
    limits = [row for row in rows if row[0] == "limit"]
    offsets = {end: " ".join("%+.1f" % ((row[2] - central[end]) * 86400.0) for row in limits if row[1] == end)
               for end in central}
    print("%d-%02d-%02d central line: |altitude| %.1e, |separation| %.1e rad (PyEphem's observer %.1e, %.1e)"
          % (year, month, day, *largest([central_residuals(*row[2:]) for row in rows if row[0] == "central"])),
          file=sys.stderr)
    if limits:
        print("           %d limit ends: |altitude| %.1e, |g| %.1e, |least g| %.1e rad, instant of least g %.3f s;"
              " from the central line's begin %s s, end %s s"
              % (len(limits), *largest([limit_residuals(*row[2:]) for row in limits]), offsets["begin"],
                 offsets["end"]), file=sys.stderr)


def main():
    print("# year month day delta_t line end mjd_ut latitude longitude  (path ends, PyEphem %s)" % ephem.__version__)
    for year, month, day in ECLIPSES:
        delta_t, rows = eclipse_rows(year, month, day)
        for line, end, mjd, latitude, longitude in rows:
            print("%d %d %d %.3f %s %s %.8f %.5f %.5f" % (year, month, day, delta_t, line, end, mjd, latitude,
                                                          longitude), flush=True)
        report(year, month, day, rows)


if __name__ == "__main__":
    main()
