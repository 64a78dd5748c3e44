#!/usr/bin/python3
"""Reference crossings of the horizon and twilight altitudes at high latitudes, from PyEphem
(Debian python3-ephem) positions.

For 12 places at 66.56, 70, 75, 80, 85 and 89 degrees north and south it samples the
topocentric altitude of the centre of the Sun and of the Moon (PyEphem's apparent `alt`,
observer pressure 0, so without refraction) every 6 minutes over 2024 and a margin around it,
and finds every crossing of -0.83 degrees (Sun: series h, Moon: series m) and of -6, -12 and
-18 degrees (Sun: c, n, a) by bisection to a second. A sample that is a local extremum close
to the altitude is refined, so that a crossing pair that lies between two samples (a graze)
is found too. PyEphem's own next_rising cannot be used here: it decides from one declination
whether the body is circumpolar, which near the poles misses or invents events.

Output: one L line per place (latitude, longitude in degrees, PyEphem's TT - UT in seconds
for mid-2024), then one line per crossing: series and r (rising) or s (setting), and the
minutes of UT since 2024-01-01 0h to a tenth of a minute.

Usage: /usr/bin/python3 tools/ephem_polar_rise_set.py > tests/astro/data/ephem_polar_rise_set.txt
"""
import math
import sys

import ephem

MJD_OF_DUBLIN_JD_ZERO = 15019.5  # PyEphem dates count days from 1899-12-31 12h UT
MJD_2024 = 60310.0               # 2024-01-01 0h UT
# Places: latitude and longitude (degrees, east positive).
PLACES = ((66.56, 25.7), (70.0, -148.5), (75.0, 140.0), (80.0, 15.0), (85.0, -62.3), (89.0, 101.0),
          (-66.56, 110.5), (-70.0, 11.8), (-75.0, -26.5), (-80.0, 160.0), (-85.0, -95.2),
          (-89.0, 45.0))
# Sampled spans (MJD UT): 2024 with a month or two around it; the Sun near the poles is above
# or below an altitude for months, so its crossings are sampled back to August 2023 and on to
# April 2025 from 80 degrees on.
SPAN = (60279.0, 60707.0)        # 2023-12-01 .. 2025-02-01
LONG_SPAN = (60171.0, 60780.0)   # 2023-08-15 .. 2025-04-15
STEP_DAYS = 6.0 / 1440.0
SECOND_DAYS = 1.0 / 86400.0
GRAZE_MARGIN_DEG = 0.01          # an extremum this close to the altitude is refined
SUN_SERIES = (("h", -0.83), ("c", -6.0), ("n", -12.0), ("a", -18.0))
MOON_SERIES = (("m", -0.83),)


class Altitude:
    """Topocentric altitude in degrees of one body at one place, as a function of MJD UT."""

    def __init__(self, body, lat, lon):
        self.body = body
        self.observer = ephem.Observer()
        self.observer.lat = math.radians(lat)
        self.observer.lon = math.radians(lon)
        self.observer.elevation = 0.0
        self.observer.pressure = 0.0

    def __call__(self, mjd):
        self.observer.date = ephem.Date(mjd - MJD_OF_DUBLIN_JD_ZERO)
        self.body.compute(self.observer)
        return math.degrees(float(self.body.alt))


def bisect(altitude, t0, t1, h):
    """Crossing of h between t0 and t1, where the altitude is on different sides of it."""
    above0 = altitude(t0) > h
    while t1 - t0 > SECOND_DAYS:
        mid = 0.5 * (t0 + t1)
        if (altitude(mid) > h) == above0:
            t0 = mid
        else:
            t1 = mid
    return 0.5 * (t0 + t1)


def extremum(altitude, t0, t2, is_max):
    """Time of the altitude's extremum between t0 and t2 (golden-section search)."""
    sign = 1.0 if is_max else -1.0
    g = (math.sqrt(5.0) - 1.0) / 2.0
    a, b = t0, t2
    c, d = b - g * (b - a), a + g * (b - a)
    fc, fd = sign * altitude(c), sign * altitude(d)
    while b - a > SECOND_DAYS:
        if fc > fd:
            b, d, fd = d, c, fc
            c = b - g * (b - a)
            fc = sign * altitude(c)
        else:
            a, c, fc = c, d, fd
            d = a + g * (b - a)
            fd = sign * altitude(d)
    return 0.5 * (a + b)


def crossings(altitude, samples, h):
    """(kind, mjd) of every crossing of h, from the samples [(mjd, altitude)]."""
    found = []
    for (t0, a0), (t1, a1) in zip(samples, samples[1:]):
        if (a0 > h) != (a1 > h):
            found.append(("r" if a1 > h else "s", bisect(altitude, t0, t1, h)))
    for (t0, a0), (t1, a1), (t2, a2) in zip(samples, samples[1:], samples[2:]):
        is_max = a1 >= a0 and a1 >= a2
        is_min = a1 <= a0 and a1 <= a2
        same_side = (a0 > h) == (a1 > h) == (a2 > h)
        if not same_side or not (is_max or is_min) or abs(a1 - h) > GRAZE_MARGIN_DEG:
            continue
        te = extremum(altitude, t0, t2, is_max)
        if (altitude(te) > h) != (a1 > h):
            first, second = ("r", "s") if is_max else ("s", "r")
            found.append((first, bisect(altitude, t0, te, h)))
            found.append((second, bisect(altitude, te, t2, h)))
    return sorted(found, key=lambda e: e[1])


def sampled(altitude, span):
    count = int(round((span[1] - span[0]) / STEP_DAYS))
    return [(span[0] + k * STEP_DAYS, altitude(span[0] + k * STEP_DAYS)) for k in range(count + 1)]


def main():
    out = sys.stdout
    out.write("# PyEphem %s: crossings of the Sun's and the Moon's centre, topocentric, "
              "no refraction\n" % ephem.__version__)
    out.write("# L lat_deg lon_deg delta_t_s; then series (h -0.83 Sun, c -6, n -12, a -18, "
              "m -0.83 Moon) r|s minutes_ut_since_2024-01-01\n")
    delta_t = ephem.delta_t(ephem.Date("2024/7/1"))
    for lat, lon in PLACES:
        out.write("L %.2f %.1f %.3f\n" % (lat, lon, delta_t))
        events = []
        for body, series in ((ephem.Sun(), SUN_SERIES), (ephem.Moon(), MOON_SERIES)):
            span = LONG_SPAN if abs(lat) >= 80.0 and series is SUN_SERIES else SPAN
            altitude = Altitude(body, lat, lon)
            samples = sampled(altitude, span)
            for name, h in series:
                events += [(t, name, kind) for kind, t in crossings(altitude, samples, h)]
        for t, name, kind in sorted(events):
            out.write("%s%s %.1f\n" % (name, kind, (t - MJD_2024) * 1440.0))


if __name__ == "__main__":
    main()
