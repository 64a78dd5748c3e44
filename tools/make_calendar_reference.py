#!/usr/bin/python3
"""Writes the calendar reference tables of tests/calendars/data/ from independent Debian packages:
python3-dateutil (Easter) and python3-convertdate (Hebrew, tabular Islamic, Indian civil).

Run with the system interpreter from the source tree:
    /usr/bin/python3 tools/make_calendar_reference.py tests/calendars/data
"""
import os
import sys

from convertdate import gregorian, hebrew, indian_civil, islamic, julian
from dateutil import easter

FIRST_GREGORIAN_JD = 2299160.5  # 1582-10-15 0h
HOLIDAY_YEARS = range(622, 3001)
HEBREW_YEARS = list(range(-1, 151)) + list(range(5700, 5901)) + list(range(88360, 88381))
ISLAMIC_YEARS = list(range(1, 151)) + list(range(1350, 1551))
INDIAN_YEARS = list(range(1, 151)) + list(range(1450, 1951))


def civil_from_jd(jd):
    """Civil (year, month, day) of a JD: Julian calendar before 1582-10-15, Gregorian after."""
    if jd >= FIRST_GREGORIAN_JD:
        return gregorian.from_jd(jd)
    return julian.from_jd(jd)


def civil_jd(year, month, day):
    if (year, month, day) >= (1582, 10, 15):
        return gregorian.to_jd(year, month, day)
    return julian.to_jd(year, month, day)


def mmdd(jd):
    _, month, day = civil_from_jd(jd)
    return "%02d%02d" % (month, day)


def starts_in_year(year, to_jd, month, first_calendar_year):
    """Civil dates (MMDD) of day 1 of a month that fall in a civil year, in order."""
    dates = []
    for y in range(first_calendar_year - 2, first_calendar_year + 3):
        jd = to_jd(y, month, 1)
        if civil_from_jd(jd)[0] == year:
            dates.append(jd)
    return ",".join(mmdd(jd) for jd in sorted(dates))


def holiday_line(year):
    if year < 1583:
        e = easter.easter(year, easter.EASTER_JULIAN)  # a Julian-calendar date
    else:
        e = easter.easter(year, easter.EASTER_WESTERN)
    jewish = hebrew.to_jd(year + 3761, hebrew.TISHRI, 1)
    indian = indian_civil.to_jd(year - 78, 1, 1)
    islamic_guess = islamic.from_jd(civil_jd(year, 1, 1))[0]
    muharram = starts_in_year(year, islamic.to_jd, 1, islamic_guess)
    ramadan = starts_in_year(year, islamic.to_jd, 9, islamic_guess)
    return "%d %02d%02d %s %s %s %s" % (year, e.month, e.day, mmdd(jewish), mmdd(indian),
                                        muharram, ramadan)


def day_number(jd):
    return int(jd + 0.5)


def month_line(year, month_starts, next_year_start):
    """Hebrew/Islamic/Indian year, day number (JD of noon) of its first day, month lengths."""
    starts = [day_number(jd) for jd in month_starts] + [day_number(next_year_start)]
    lengths = [b - a for a, b in zip(starts, starts[1:])]
    return "%d %d %s" % (year, starts[0], " ".join(str(n) for n in lengths))


def hebrew_line(year):
    order = [7, 8, 9, 10, 11, 12] + ([13] if hebrew.leap(year) else []) + [1, 2, 3, 4, 5, 6]
    starts = [hebrew.to_jd(year, m, 1) for m in order]
    return month_line(year, starts, hebrew.to_jd(year + 1, hebrew.TISHRI, 1))


def islamic_line(year):
    starts = [islamic.to_jd(year, m, 1) for m in range(1, 13)]
    return month_line(year, starts, islamic.to_jd(year + 1, 1, 1))


def indian_line(year):
    starts = [indian_civil.to_jd(year, m, 1) for m in range(1, 13)]
    return month_line(year, starts, indian_civil.to_jd(year + 1, 1, 1))


def write(path, header, lines):
    with open(path, "w") as f:
        f.write(header)
        for line in lines:
            f.write(line + "\n")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "tests/calendars/data"
    write(os.path.join(out, "holidays.txt"),
          "# civil year, Easter (dateutil: Julian calendar before 1583), Jewish New Year, Indian New\n"
          "# Year, Islamic New Years, first days of Ramadan (convertdate), as civil MMDD (Julian\n"
          "# calendar before 1582-10-15); several dates of one kind are joined by commas\n",
          (holiday_line(y) for y in HOLIDAY_YEARS))
    write(os.path.join(out, "hebrew_months.txt"),
          "# Hebrew year, day number (JD of noon) of 1 Tishri, month lengths from Tishri (convertdate)\n",
          (hebrew_line(y) for y in HEBREW_YEARS))
    write(os.path.join(out, "islamic_months.txt"),
          "# Islamic year, day number (JD of noon) of 1 Muharram, month lengths (convertdate)\n",
          (islamic_line(y) for y in ISLAMIC_YEARS))
    write(os.path.join(out, "indian_months.txt"),
          "# Saka year, day number (JD of noon) of 1 Caitra, month lengths (convertdate)\n",
          (indian_line(y) for y in INDIAN_YEARS))


if __name__ == "__main__":
    main()
