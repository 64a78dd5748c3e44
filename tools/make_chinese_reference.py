#!/usr/bin/python3
"""Writes tests/calendars/data/chinese_months.txt from Debian's python3-lunardate: for every Chinese
year of its table (1900-2099), the MJD of the new year day, the intercalary month (0: none) and
the lengths of the months in order, the intercalary month after the month it repeats.

Only the public conversion LunarDate.fromSolarDate is used, day by day.

Run with the system interpreter from the source tree:
    /usr/bin/python3 tools/make_chinese_reference.py > tests/calendars/data/chinese_months.txt
"""
import datetime

import lunardate
from lunardate import LunarDate

FIRST_DAY = datetime.date(1900, 1, 31)  # new year of the table's first Chinese year
LAST_DAY = datetime.date(2100, 2, 8)    # last day of its last Chinese year
MJD_ORDINAL = datetime.date(1858, 11, 17).toordinal()


def main():
    years = {}  # Chinese year -> [new year MJD, leap month, month lengths]
    day = FIRST_DAY
    previous = None
    while day <= LAST_DAY:
        lunar = LunarDate.fromSolarDate(day.year, day.month, day.day)
        mjd = day.toordinal() - MJD_ORDINAL
        if lunar.day == 1:
            entry = years.setdefault(lunar.year, [mjd, 0, []])
            if lunar.isLeapMonth:
                entry[1] = lunar.month
            entry[2].append(0)
        years[lunar.year][2][-1] += 1
        previous = lunar
        day += datetime.timedelta(days=1)
    assert previous.year == 2099 and previous.day >= 29

    print("# Chinese calendar of python3-lunardate %s (Chinese years 1900-2099)." %
          lunardate.__version__)
    print("# year  new-year-MJD  leap-month  month lengths in order")
    for year in sorted(years):
        new_year, leap, lengths = years[year]
        print("%d %d %d %s" % (year, new_year, leap, " ".join(str(n) for n in lengths)))


if __name__ == "__main__":
    main()
