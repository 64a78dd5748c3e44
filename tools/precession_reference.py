#!/usr/bin/env python3
"""Writes the precession matrices that tests/astro/precession_test.cpp measures its own against.

Usage: /usr/bin/python3 tools/precession_reference.py > tests/astro/data/precession.txt
Needs Debian's python3-erfa (it comes with python3-astropy).

For start epochs from -9999 to 9999 and the end epochs J2000.0 and B1875.0, two matrices
that carry mean-equatorial vectors of the start epoch to the mean equator and equinox of the
end epoch:
  L  the long-term precession of Vondrak, Capitaine & Wallace (2011, A&A 534, A22), valid
     over +-200,000 years: erfa.ltp(end) ltp(start)^T;
  I  IAU 2006 (Capitaine et al. 2003, Hilton et al. 2006), the model astropy precesses with
     (its frame bias cancels between two epochs): erfa.bp06(end) bp06(start)^T.
Epochs are Julian epochs of TT; B1875.0 is JD 2405889.258550475 (TT), as astropy takes it.
Each line: model, start and end epoch in Julian centuries of TT since J2000, then the nine
elements row by row.
"""
import erfa
import numpy as np

J2000_JD = 2451545.0
B1875_JD = 2405889.258550475
YEARS = [-9999, -8000, -7000, -6000, -5000, -4000, -3000, -2000, -1500, -1000, -500, 0, 500,
         1000, 1500, 1800, 1875, 1900, 1950, 2000, 2024, 2050, 2100, 2500, 3000, 3500, 4000,
         5000, 6000, 7000, 8000, 9999]


def centuries_of_jd(jd):
    return (jd - J2000_JD) / 36525.0


def ltp(centuries):
    return erfa.ltp(2000.0 + 100.0 * centuries)


def iau2006(centuries):
    return erfa.bp06(J2000_JD, 36525.0 * centuries)[1]


def main():
    print("# Precession matrices from erfa (tools/precession_reference.py):")
    print("# model (L long-term, I IAU 2006), from and to epoch (Julian centuries of TT since")
    print("# J2000), the nine elements row by row.")
    for end in (0.0, centuries_of_jd(B1875_JD)):
        for year in YEARS:
            start = (year - 2000) / 100.0
            for model, matrix in (("L", ltp), ("I", iau2006)):
                m = matrix(end) @ matrix(start).T
                elements = " ".join(f"{value:.15f}" for value in np.ravel(m))
                print(f"{model} {start:.2f} {end:.13f} {elements}")


if __name__ == "__main__":
    main()
