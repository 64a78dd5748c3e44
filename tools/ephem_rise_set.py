#!/usr/bin/python3
"""Reference topocentric places and rise, set and twilight times from PyEphem (Debian python3-ephem).

For 36 places and instants spread over latitudes 66 S to 69 N and the years 1950-2049 it
writes one P line with the instant, PyEphem's own TT - UT, the place, and the apparent
topocentric right ascension, declination, azimuth and unrefracted altitude of the Sun and the
Moon; then one E line per event within two days of the instant: the Sun's centre crossing
-0.83 degrees (sun), -6 (civil), -12 (nautical), -18 (astronomical), and the Moon's centre
crossing -0.83 degrees (moon), rising (r) or setting (s), as an MJD of UT. No refraction
(pressure 0): the altitudes that decide Quorvel's events carry none.

Usage: /usr/bin/python3 tools/ephem_rise_set.py > tests/astro/data/ephem_rise_set.txt
"""
import math
import sys

import ephem

MJD_OF_DUBLIN_JD_ZERO = 15019.5   # PyEphem dates count days from 1899-12-31 12h UT
FIRST_MJD = 33282.0               # 1950-01-01
LAST_MJD = 69807.0                # 2050-01-01
PLACES = 36
WINDOW_DAYS = 2.0
GOLDEN_RATIO_FRACTION = 0.6180339887
EVENTS = (("sun", "Sun", -0.83), ("civil", "Sun", -6.0), ("nautical", "Sun", -12.0),
          ("astronomical", "Sun", -18.0), ("moon", "Moon", -0.83))


def places():
    """Latitudes from 66 S to 69 N in a shuffled order, longitudes, heights and instants
    spread by golden-ratio steps so that seasons, lunar phases and times of day all vary."""
    for k in range(PLACES):
        f = math.fmod(k * GOLDEN_RATIO_FRACTION, 1.0)
        lat = round(-66.0 + 135.0 * math.fmod(0.5 + k * 0.4142135624, 1.0), 3)
        lon = round(-180.0 + 360.0 * f, 3)
        height = round(1500.0 * math.fmod(k * 0.5698402910, 1.0), 1)
        mjd = round(FIRST_MJD + (LAST_MJD - FIRST_MJD) * (k + f) / PLACES, 5)
        yield mjd, lat, lon, height


def hours(angle):
    return math.degrees(float(angle)) / 15.0


def degrees(angle):
    return math.degrees(float(angle))


def mjd_of(date):
    return float(date) + MJD_OF_DUBLIN_JD_ZERO


def observer(lat, lon, height, date):
    obs = ephem.Observer()
    obs.lat = math.radians(lat)
    obs.lon = math.radians(lon)
    obs.elevation = height
    obs.pressure = 0.0
    obs.date = date
    return obs


def events(obs, body, horizon, mjd):
    """All risings and settings of the body's centre across the horizon within the window."""
    obs.horizon = math.radians(horizon)
    found = []
    for kind, search in (("r", obs.next_rising), ("s", obs.next_setting)):
        start = ephem.Date(mjd - WINDOW_DAYS - MJD_OF_DUBLIN_JD_ZERO)
        while True:
            try:
                t = search(body, start=start, use_center=True)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                break
            if mjd_of(t) > mjd + WINDOW_DAYS:
                break
            found.append((kind, mjd_of(t)))
            start = ephem.Date(t + ephem.minute)
    return sorted(found, key=lambda e: e[1])


def main():
    out = sys.stdout
    out.write("# PyEphem %s: topocentric places and event times, no refraction\n" % ephem.__version__)
    out.write("# P mjd_ut delta_t_s lat_deg lon_deg height_m sun_ra_h sun_dec_deg sun_az_deg "
              "sun_alt_deg moon_ra_h moon_dec_deg moon_az_deg moon_alt_deg\n")
    out.write("# E event r|s mjd_ut\n")
    for mjd, lat, lon, height in places():
        date = ephem.Date(mjd - MJD_OF_DUBLIN_JD_ZERO)
        obs = observer(lat, lon, height, date)
        sun = ephem.Sun(obs)
        moon = ephem.Moon(obs)
        out.write("P %.5f %.4f %.3f %.3f %.1f %.9f %.8f %.8f %.8f %.9f %.8f %.8f %.8f\n" % (
            mjd, ephem.delta_t(date), lat, lon, height,
            hours(sun.ra), degrees(sun.dec), degrees(sun.az), degrees(sun.alt),
            hours(moon.ra), degrees(moon.dec), degrees(moon.az), degrees(moon.alt)))
        for name, body_name, horizon in EVENTS:
            body = getattr(ephem, body_name)()
            for kind, t in events(observer(lat, lon, height, date), body, horizon, mjd):
                out.write("E %s %s %.6f\n" % (name, kind, t))


if __name__ == "__main__":
    main()
