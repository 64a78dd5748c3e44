#!/usr/bin/python3
"""Reference instants of the principal Moon phases and of the equinoxes and solstices, 1900-2100,
from PyEphem (Debian python3-ephem).

Every instant is written in Terrestrial Time: PyEphem returns Universal Time, and its own
TT - UT at that instant (ephem.delta_t) is added, so the comparison does not depend on which
TT - UT rule either side uses.

Lines: "code mjd_tt", code 0 New Moon, 1 First Quarter, 2 Full Moon, 3 Last Quarter,
4 March equinox, 5 June solstice, 6 September equinox, 7 December solstice.

Usage: /usr/bin/python3 tools/make_phase_reference.py > tests/reports/data/ephem_phases_seasons.txt
"""
import sys

import ephem

MJD_OF_DUBLIN_JD_ZERO = 15019.5   # PyEphem dates count days from 1899-12-31 12h UT
FIRST_YEAR = 1900
LAST_YEAR = 2100
MARGIN_DAYS = 3.0                 # phases a little outside the years, for the window edges
SECONDS_PER_DAY = 86400.0

PHASE_FINDERS = (ephem.next_new_moon, ephem.next_first_quarter_moon,
                 ephem.next_full_moon, ephem.next_last_quarter_moon)
SEASON_FINDERS = (ephem.next_vernal_equinox, ephem.next_summer_solstice,
                  ephem.next_autumnal_equinox, ephem.next_winter_solstice)


def mjd_tt(date):
    return float(date) + MJD_OF_DUBLIN_JD_ZERO + ephem.delta_t(date) / SECONDS_PER_DAY


def main():
    out = sys.stdout
    out.write("# PyEphem %s: Moon phases and seasons %d-%d, MJD of TT\n"
              % (ephem.__version__, FIRST_YEAR, LAST_YEAR))
    out.write("# code (0 New, 1 First Quarter, 2 Full, 3 Last Quarter, "
              "4 Mar equinox, 5 Jun solstice, 6 Sep equinox, 7 Dec solstice) mjd_tt\n")
    first = ephem.Date("%d/1/1" % FIRST_YEAR) - MARGIN_DAYS
    last = ephem.Date("%d/1/1" % (LAST_YEAR + 1)) + MARGIN_DAYS
    events = []
    for code, finder in enumerate(PHASE_FINDERS):
        date = finder(first)
        while date < last:
            events.append((mjd_tt(date), code))
            date = finder(date + 1.0)
    for year in range(FIRST_YEAR, LAST_YEAR + 1):
        for season, finder in enumerate(SEASON_FINDERS):
            events.append((mjd_tt(finder("%d/1/1" % year)), 4 + season))
    for mjd, code in sorted(events):
        out.write("%d %.5f\n" % (code, mjd))


if __name__ == "__main__":
    main()
