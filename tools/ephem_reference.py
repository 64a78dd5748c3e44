#!/usr/bin/python3
"""Reference table of apparent geocentric Sun and Moon places from PyEphem (Debian python3-ephem).

Writes one line per instant: MJD of UT, PyEphem's own TT - UT for that instant in seconds,
then right ascension (hours) and declination (degrees) of the Sun and of the Moon, apparent
geocentric, true equator and equinox of date (PyEphem's g_ra / g_dec).

Usage: /usr/bin/python3 tools/ephem_reference.py > tests/astro/data/ephem_sun_moon.txt
"""
import math
import sys

import ephem

MJD_OF_DUBLIN_JD_ZERO = 15019.5   # PyEphem dates count days from 1899-12-31 12h UT
FIRST_MJD = -21915.0              # 1800-01-01 0h UT
LAST_MJD = 124593.0               # 2200-01-01 0h UT
INSTANTS = 400
DAYS_PER_YEAR = 365.2422
GOLDEN_RATIO_FRACTION = 0.6180339887


def instants():
    """Spread over 1800-2200: one instant per step, shifted by a golden-ratio share of a year
    so that the seasons, the lunar phases and the times of day are all visited."""
    step = (LAST_MJD - FIRST_MJD - DAYS_PER_YEAR) / INSTANTS
    for k in range(INSTANTS):
        shift_days = math.fmod(k * GOLDEN_RATIO_FRACTION, 1.0) * DAYS_PER_YEAR
        yield round(FIRST_MJD + k * step + shift_days, 6)


def hours(angle):
    return math.degrees(float(angle)) / 15.0


def degrees(angle):
    return math.degrees(float(angle))


def main():
    out = sys.stdout
    out.write("# PyEphem %s: apparent geocentric places of date (g_ra, g_dec)\n" % ephem.__version__)
    out.write("# mjd_ut delta_t_s sun_ra_h sun_dec_deg moon_ra_h moon_dec_deg\n")
    for mjd_ut in instants():
        date = ephem.Date(mjd_ut - MJD_OF_DUBLIN_JD_ZERO)
        sun = ephem.Sun(date)
        moon = ephem.Moon(date)
        out.write("%.6f %.4f %.9f %.8f %.9f %.8f\n" % (
            mjd_ut, ephem.delta_t(date), hours(sun.g_ra), degrees(sun.g_dec),
            hours(moon.g_ra), degrees(moon.g_dec)))


if __name__ == "__main__":
    main()
