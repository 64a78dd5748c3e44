#!/usr/bin/python3
"""Reference table of apparent geocentric planet places from PyEphem (Debian python3-ephem).

For the 400 instants of tools/ephem_reference.py (1800-2200), one line per planet: MJD of UT,
PyEphem's own TT - UT for that instant in seconds, the planet (0 Mercury ... 6 Neptune), its
apparent geocentric right ascension (hours) and declination (degrees) on the true equator and
equinox of date (g_ra / g_dec), visual magnitude (mag), elongation from the Sun in degrees
(the separation of the apparent places of the planet and the Sun, g_ra / g_dec of both; PyEphem's
own elong is taken between places without aberration), positive east of the Sun (the sign of
elong), illuminated percentage (phase), distances from the Earth and the Sun in AU
(earth_distance, sun_distance: geometric, at the instant), and for Saturn the tilt of its rings
toward the Earth and toward the Sun in degrees (earth_tilt, sun_tilt; 0 for the other planets).

A test evaluates the program at MJD of UT plus PyEphem's TT - UT, the same Terrestrial Time.

Usage: /usr/bin/python3 tools/ephem_planets.py > tests/astro/data/ephem_planets.txt
"""
import math
import sys

import ephem

from ephem_reference import MJD_OF_DUBLIN_JD_ZERO, degrees, hours, instants

PLANETS = [ephem.Mercury, ephem.Venus, ephem.Mars, ephem.Jupiter, ephem.Saturn, ephem.Uranus,
           ephem.Neptune]


def main():
    out = sys.stdout
    out.write("# PyEphem %s: apparent geocentric planets of date (g_ra, g_dec, mag, elong, phase)\n"
              % ephem.__version__)
    out.write("# mjd_ut delta_t_s planet ra_h dec_deg mag elong_deg phase_percent earth_au sun_au"
              " earth_tilt_deg sun_tilt_deg\n")
    for mjd_ut in instants():
        date = ephem.Date(mjd_ut - MJD_OF_DUBLIN_JD_ZERO)
        delta_t = ephem.delta_t(date)
        sun = ephem.Sun(date)
        for index, kind in enumerate(PLANETS):
            body = kind(date)
            tilts = (0.0, 0.0)
            if kind is ephem.Saturn:
                tilts = (degrees(body.earth_tilt), degrees(body.sun_tilt))
            elongation = math.copysign(ephem.separation((body.g_ra, body.g_dec), (sun.g_ra, sun.g_dec)),
                                       body.elong)
            out.write("%.6f %.4f %d %.8f %.7f %.2f %.4f %.3f %.6f %.6f %.3f %.3f\n" % (
                mjd_ut, delta_t, index, hours(body.g_ra), degrees(body.g_dec), body.mag,
                degrees(elongation), body.phase, body.earth_distance, body.sun_distance, *tilts))


if __name__ == "__main__":
    main()
