#!/usr/bin/python3
"""Reference times of the principal Moon phases from PyEphem (Debian python3-ephem).

Writes one line per phase: a decimal year that selects the lunation, the phase (0 New Moon,
0.25 First Quarter, 0.5 Full Moon, 0.75 Last Quarter) and PyEphem's time of that phase as an
MJD of Terrestrial Time (its UT time plus its own TT - UT). Every 11th lunation from 1800 to
2200 is taken, so that the phases fall at all seasons and anomalies.

Usage: /usr/bin/python3 tools/ephem_lunar_phases.py > tests/eclipse/data/ephem_lunar_phases.txt
"""
import sys

import ephem

MJD_OF_DUBLIN_JD_ZERO = 15019.5   # PyEphem dates count days from 1899-12-31 12h UT
LUNATIONS_PER_YEAR = 12.3685      # lunation k starts near decimal year 1900 + k / 12.3685
SYNODIC_MONTH_DAYS = 29.53058868
MJD_OF_LUNATION_ZERO = 15020.25933
FIRST_LUNATION = -1237            # 1800
LAST_LUNATION = 3710              # 2200
LUNATION_STEP = 11
SEARCH_LEAD_DAYS = 3.0            # the true phase lies within a day of the mean one

PHASES = (
    (0.0, ephem.next_new_moon),
    (0.25, ephem.next_first_quarter_moon),
    (0.5, ephem.next_full_moon),
    (0.75, ephem.next_last_quarter_moon),
)


def phase_time_tt(k, phase, next_phase):
    mean_mjd = SYNODIC_MONTH_DAYS * (k + phase) + MJD_OF_LUNATION_ZERO
    date = next_phase(ephem.Date(mean_mjd - SEARCH_LEAD_DAYS - MJD_OF_DUBLIN_JD_ZERO))
    return float(date) + MJD_OF_DUBLIN_JD_ZERO + ephem.delta_t(date) / 86400.0


def main():
    out = sys.stdout
    out.write("# PyEphem %s: times of the principal Moon phases\n" % ephem.__version__)
    out.write("# decimal_year phase mjd_tt\n")
    for k in range(FIRST_LUNATION, LAST_LUNATION + 1, LUNATION_STEP):
        decimal_year = 1900.0 + (k + 0.5) / LUNATIONS_PER_YEAR
        for phase, next_phase in PHASES:
            out.write("%.6f %.2f %.6f\n" % (decimal_year, phase, phase_time_tt(k, phase, next_phase)))


if __name__ == "__main__":
    main()
