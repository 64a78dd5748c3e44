#!/usr/bin/python3
"""The Moon's lit fraction from PyEphem (Debian python3-ephem) at 21:00 local time in Vienna on
every day of 2026, the evening the Moon calendar draws.

Writes one line per day: the date (YYYY-MM-DD), the instant as an MJD of UT and PyEphem's
geocentric illuminated fraction (moon_phase) then.

Usage: /usr/bin/python3 tools/ephem_moon_evenings.py > tests/reports/data/ephem_moon_evenings.txt
"""
import datetime
import zoneinfo

import ephem

YEAR = 2026
ZONE = "Europe/Vienna"
EVENING_HOUR = 21
MJD_OF_DUBLIN_JD_ZERO = 15019.5   # PyEphem dates count days from 1899-12-31 12h UT


def main():
    zone = zoneinfo.ZoneInfo(ZONE)
    print(f"# The Moon at {EVENING_HOUR}:00 in {ZONE}, {YEAR}: date, MJD of UT, lit fraction (PyEphem {ephem.__version__})")
    day = datetime.date(YEAR, 1, 1)
    while day.year == YEAR:
        local = datetime.datetime(day.year, day.month, day.day, EVENING_HOUR, tzinfo=zone)
        ut = local.astimezone(datetime.timezone.utc)
        date = ephem.Date(ut.strftime("%Y/%m/%d %H:%M:%S"))
        moon = ephem.Moon(date)
        print(f"{day.isoformat()} {float(date) + MJD_OF_DUBLIN_JD_ZERO:.6f} {moon.moon_phase:.5f}")
        day += datetime.timedelta(days=1)


if __name__ == "__main__":
    main()
