#!/usr/bin/python3
"""Reference planetary phenomena from PyEphem, for the phenomena cross-check.

    /usr/bin/python3 tools/ephem_phenomena.py 1900 2000 2024 2025 2026 2100 > tests/astro/data/ephem_phenomena.txt

For each year (UT, 1 January 0h to 1 January 0h) it prints the program's CSV columns
ut,event,body,other,value for the conjunctions and oppositions of the planets with the Sun,
the greatest elongations of Mercury and Venus, the stations, the Moon's perigees and apogees,
the Earth's perihelion and aphelion and the conjunctions in ecliptic longitude of the Moon
with each planet and of two planets Mercury to Saturn closer than 5 degrees. Longitudes are
PyEphem's apparent geocentric places (g_ra, g_dec) turned to the ecliptic of date, elongations
the angle between the apparent places; every event is bracketed at the same steps as the
program's and bisected to a second. PyEphem's own TT - UT applies.
"""
import math
import sys

import ephem

PLANETS = [("Mercury", ephem.Mercury), ("Venus", ephem.Venus), ("Mars", ephem.Mars), ("Jupiter", ephem.Jupiter),
           ("Saturn", ephem.Saturn), ("Uranus", ephem.Uranus), ("Neptune", ephem.Neptune)]
SECOND = 1.0 / 86400.0


def wrapped(a):
    return a - 2 * math.pi * math.ceil((a - math.pi) / (2 * math.pi))


def ecliptic(body, when):
    body.compute(when)
    e = ephem.Ecliptic(ephem.Equatorial(body.g_ra, body.g_dec, epoch=when), epoch=when)
    return float(e.lon), float(e.lat)


def bisect(f, a, b):
    fa = f(a)
    while b - a > SECOND:
        m = 0.5 * (a + b)
        fm = f(m)
        if (fm < 0) == (fa < 0):
            a, fa = m, fm
        else:
            b = m
    return 0.5 * (a + b)


def least(f, a, b):
    g = 0.6180339887498949
    c, d = b - g * (b - a), a + g * (b - a)
    fc, fd = f(c), f(d)
    while b - a > SECOND:
        if fc < fd:
            b, d, fd = d, c, fc
            c = b - g * (b - a)
            fc = f(c)
        else:
            a, c, fc = c, d, fd
            d = a + g * (b - a)
            fd = f(d)
    return 0.5 * (a + b)


def iso(when):
    y, mo, d, h, mi, s = ephem.Date(when + 0.5 * SECOND).tuple()
    return "%04d-%02d-%02dT%02d:%02d:%02dZ" % (y, mo, d, h, mi, int(s))


def crossings(f, times, values, out):
    for t0, t1, a, b in zip(times, times[1:], values, values[1:]):
        if ((a < 0) != (b < 0) or b == 0) and abs(a) < math.pi / 2 and abs(b) < math.pi / 2:
            out.append(bisect(f, t0, t1))


def year_events(year):
    start, end = float(ephem.Date("%d/1/1" % year)), float(ephem.Date("%d/1/1" % (year + 1)))
    days = [start - 1 + i for i in range(int(end - start) + 3)]
    sun = ephem.Sun()
    events = []

    def add(t, event, body, other="", value=""):
        if start <= t <= end:
            events.append((t, event, body, other, value))

    def sun_lon(t):
        return ecliptic(sun, t)[0]

    def sun_distance(t):
        sun.compute(t)
        return sun.earth_distance

    longitudes = {}
    for name, make in PLANETS:
        body = make()
        lon = lambda t, body=body: ecliptic(body, t)[0]
        lons = [lon(t) for t in days]
        longitudes[name] = (body, lons)
        inner = name in ("Mercury", "Venus")
        for offset, kind in ((0.0, "conjunction"), (math.pi, "opposition")):
            if inner and offset:
                continue
            f = lambda t, o=offset: wrapped(lon(t) - sun_lon(t) - o)
            found = []
            crossings(f, days, [f(t) for t in days], found)
            for t in found:
                if inner:
                    body.compute(t)
                    kind = "inferior conjunction" if body.earth_distance < sun_distance(t) else "superior conjunction"
                add(t, kind, name, "Sun")
        rate = lambda t: wrapped(lon(t + 0.1) - lon(t - 0.1))
        for i in range(1, len(days) - 1):
            before, after = wrapped(lons[i] - lons[i - 1]), wrapped(lons[i + 1] - lons[i])
            if (before < 0) != (after < 0):
                add(bisect(rate, days[i - 1], days[i + 1]), "station", name, "retrograde" if before > 0 else "direct")
        if inner:
            # The angle between the apparent places (PyEphem's own elong is taken from other places).
            def elong(t):
                body.compute(t)
                sun.compute(t)
                return float(ephem.separation((body.g_ra, body.g_dec), (sun.g_ra, sun.g_dec)))
            e = [elong(t) for t in days]
            for i in range(1, len(days) - 1):
                if e[i] > e[i - 1] and e[i] >= e[i + 1]:
                    t = least(lambda x: -elong(x), days[i] - 1, days[i] + 1)
                    east = wrapped(lon(t) - sun_lon(t)) > 0
                    add(t, "greatest elongation east" if east else "greatest elongation west", name, "",
                        "%.2f" % math.degrees(elong(t)))

    def add_extremes(times, step, distance, nearest, farthest, body, form):
        values = [distance(t) for t in times]
        for i in range(1, len(times) - 1):
            if values[i] < values[i - 1] and values[i] <= values[i + 1]:
                t = least(distance, times[i] - step, times[i] + step)
                add(t, nearest, body, "", form % distance(t))
            elif values[i] > values[i - 1] and values[i] >= values[i + 1]:
                t = least(lambda x: -distance(x), times[i] - step, times[i] + step)
                add(t, farthest, body, "", form % distance(t))

    add_extremes(days, 1, sun_distance, "perihelion", "aphelion", "Earth", "%.6f")

    moon = ephem.Moon()
    quarters = [start - 0.25 + 0.25 * k for k in range(int(4 * (end - start)) + 3)]

    def moon_km(t):
        moon.compute(t)
        return moon.earth_distance * ephem.meters_per_au / 1000.0

    add_extremes(quarters, 0.25, moon_km, "perigee", "apogee", "Moon", "%.0f")
    for name, (body, _) in longitudes.items():
        f = lambda t, body=body: wrapped(ecliptic(moon, t)[0] - ecliptic(body, t)[0])
        found = []
        crossings(f, quarters, [f(t) for t in quarters], found)
        for t in found:
            add(t, "moon conjunction", "Moon", name, "%.2f" % math.degrees(ecliptic(moon, t)[1] - ecliptic(body, t)[1]))

    names = [name for name, _ in PLANETS][:5]
    for i, a in enumerate(names):
        for b in names[i + 1:]:
            ba, la = longitudes[a]
            bb, lb = longitudes[b]
            f = lambda t, ba=ba, bb=bb: wrapped(ecliptic(ba, t)[0] - ecliptic(bb, t)[0])
            found = []
            crossings(f, days, [wrapped(x - y) for x, y in zip(la, lb)], found)
            for t in found:
                ba.compute(t)
                bb.compute(t)
                separation = math.degrees(float(ephem.separation((ba.g_ra, ba.g_dec), (bb.g_ra, bb.g_dec))))
                if separation < 5.0:
                    add(t, "planet conjunction", a, b, "%.2f" % separation)
    return sorted(events)


def main():
    print("# ut,event,body,other,value from PyEphem %s; made by tools/ephem_phenomena.py %s"
          % (ephem.__version__, " ".join(sys.argv[1:])))
    for year in map(int, sys.argv[1:]):
        for t, event, body, other, value in year_events(year):
            print("%s,%s,%s,%s,%s" % (iso(t), event, body, other, value))


if __name__ == "__main__":
    main()
