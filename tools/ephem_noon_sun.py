#!/usr/bin/python3
"""Reference rise and set of the Sun on every day of 2026 at six places, from PyEphem (Debian
python3-ephem), for a query at local noon in each place's fixed zone.

At noon the sky details show the rise of the same local day and the set after it. For each
place and day it writes the instant of local noon, PyEphem's own TT - UT, and the first
crossing upwards of the Sun's centre across -0.83 degrees after local midnight with the first
crossing downwards after that, as MJDs of UT. No refraction (pressure 0): the altitudes that
decide Quorvel's events carry none. The places have the Sun transit close to noon at some
season (where a query can fall just after the transit) and reach from 34 S to 64 N.

Usage: /usr/bin/python3 tools/ephem_noon_sun.py > tests/astro/data/ephem_noon_sun.txt
"""
import math
import sys

import ephem

MJD_OF_DUBLIN_JD_ZERO = 15019.5   # PyEphem dates count days from 1899-12-31 12h UT
FIRST_MJD = 61041                 # 2026-01-01
DAYS = 365
HORIZON_DEG = -0.83
# Latitude and east longitude in degrees, zone in hours east of Greenwich.
PLACES = ((48.2, 16.37, 1.0),      # Vienna: transits at noon in late March and mid-August
          (-33.87, 151.21, 10.0),  # Sydney
          (-0.22, -78.51, -5.0),   # Quito: near noon at the start of November
          (38.72, -9.14, 0.0),     # Lisbon: near noon in February
          (64.15, -21.94, 0.0),    # Reykjavik: far from noon, short winter days
          (28.61, 77.21, 5.5))     # New Delhi: a half-hour zone


def mjd_of(date):
    return float(date) + MJD_OF_DUBLIN_JD_ZERO


def main():
    out = sys.stdout
    out.write("# PyEphem %s: the Sun's rise and set of the local day, no refraction\n" % ephem.__version__)
    out.write("# lat_deg lon_deg zone_h noon_mjd_ut delta_t_s rise_mjd_ut set_mjd_ut\n")
    for lat, lon, zone in PLACES:
        obs = ephem.Observer()
        obs.lat = math.radians(lat)
        obs.lon = math.radians(lon)
        obs.pressure = 0.0
        obs.horizon = math.radians(HORIZON_DEG)
        for day in range(DAYS):
            midnight = FIRST_MJD + day - zone / 24.0
            noon = midnight + 0.5
            obs.date = ephem.Date(midnight - MJD_OF_DUBLIN_JD_ZERO)
            rise = obs.next_rising(ephem.Sun(), use_center=True)
            obs.date = rise
            set_ = obs.next_setting(ephem.Sun(), use_center=True)
            out.write("%.2f %.2f %.1f %.6f %.4f %.6f %.6f\n" % (
                lat, lon, zone, noon, ephem.delta_t(ephem.Date(noon - MJD_OF_DUBLIN_JD_ZERO)),
                mjd_of(rise), mjd_of(set_)))


if __name__ == "__main__":
    main()
