#!/usr/bin/env python3
"""Reference cases for the named time zones, from Python's zoneinfo over the system's tzdata.

Usage: python3 tools/zoneinfo_cases.py
Prints one case a line, seconds since 1970 (UT) as integers:
  U ZONE UT_SECONDS OFFSET_SECONDS          offset in force at an instant of UT
  L ZONE LOCAL_SECONDS UT_SECONDS           a local wall-clock time read in the zone
Local times are read as zoneinfo does with fold=0: the first occurrence in a repeated hour,
the offset before the change in a skipped one. The cases are every change of offset in the
years below (each side of it, and local times before, inside and after the skipped or
repeated stretch) and one instant every ten days. The years reach before 1970, before a
zone's first rule (local mean time) and beyond the last change the files record (2037), where
each zone's last rule continues: Nuuk's changes at -1:00 and 0:00 local time, Jerusalem's at
26:00, Cairo's at 24:00 and Dublin's winter as its daylight time; Nuuk every year to 2100.
"""
import datetime
from zoneinfo import ZoneInfo

ZONES = ["Europe/Vienna", "America/New_York", "Australia/Sydney", "Australia/Lord_Howe",
         "Asia/Kathmandu", "Pacific/Chatham", "America/Nuuk", "Asia/Jerusalem", "Africa/Cairo",
         "Europe/Dublin"]
YEARS = [1890, 1916, 1965, 1985, 2024, 2025, 2038, 2050, 2100, 2400]
# Zones checked in every year of a range besides YEARS.
EVERY_YEAR = {"America/Nuuk": range(2026, 2101)}
UTC = datetime.timezone.utc
EPOCH = datetime.datetime(1970, 1, 1, tzinfo=UTC)
STEP = 6 * 3600


def offset_at(zone, seconds):
    instant = EPOCH + datetime.timedelta(seconds=seconds)
    return int(instant.astimezone(zone).utcoffset().total_seconds())


def ut_of_local(zone, local_seconds):
    wall = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=local_seconds)
    instant = wall.replace(tzinfo=zone, fold=0).astimezone(UTC)
    return int((instant - EPOCH).total_seconds())


def changes(zone, start, end):
    """Instants (UT seconds) at which the offset changes, to the second."""
    found = []
    before = offset_at(zone, start)
    for t in range(start + STEP, end + STEP, STEP):
        after = offset_at(zone, t)
        if after != before:
            low, high = t - STEP, t
            while high - low > 1:
                middle = (low + high) // 2
                if offset_at(zone, middle) == before:
                    low = middle
                else:
                    high = middle
            found.append((high, before, after))
        before = after
    return found


def main():
    for name in ZONES:
        zone = ZoneInfo(name)
        for year in sorted(set(YEARS) | set(EVERY_YEAR.get(name, []))):
            start = int((datetime.datetime(year, 1, 1, tzinfo=UTC) - EPOCH).total_seconds())
            end = start + 365 * 86400
            instants = list(range(start, end, 10 * 86400))
            locals_ = [t + offset_at(zone, t) for t in instants]
            for change, before, after in changes(zone, start, end):
                instants += [change - 1, change, change + 1800]
                low, high = min(before, after), max(before, after)
                locals_ += [change + low - 1, change + low + 60, change + high - 1,
                            change + high, change + high + 600]
            for t in sorted(instants):
                print(f"U {name} {t} {offset_at(zone, t)}")
            for local in sorted(locals_):
                print(f"L {name} {local} {ut_of_local(zone, local)}")


if __name__ == "__main__":
    main()
