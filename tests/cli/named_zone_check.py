#!/usr/bin/env python3
"""Every local time quorvel-cli prints with --tz is the UT page's time plus the offset the zone
had at that instant, by Python's zoneinfo over the system's tzdata: the phases, seasons and
eclipses of `phases`, the phases and contacts of `eclipse`, the rise, set and twilight of
`sky` and the times in the descriptions of `ics`. The year of the tables runs over the local
wall-clock year. A typed time the clocks skip heads the page of `sky` as the time it became,
zoneinfo's reading of it, around forward changes of many kinds. Also `--place`: a name with
accents, a name shared by several places, and --lat/--tz given after it; and `--tz local`.

usage: named_zone_check.py QUORVEL_CLI
"""
import datetime as dt
import os
import re
import subprocess
import sys
from functools import lru_cache
from zoneinfo import ZoneInfo

from icalendar import Calendar

CLI = sys.argv[1]
UTC = dt.timezone.utc
MONTHS = ["JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"]
TIME = re.compile(r"\b([A-Z]{3}) ([ 0-9]\d) ([ 0-9]\d:\d\d)\b")
MINUTE = dt.timedelta(minutes=1)

ZONES = ["Europe/Vienna", "America/New_York", "Australia/Sydney", "Australia/Lord_Howe",
         "Asia/Kathmandu", "Pacific/Chatham"]
YEARS = [1965, 2024, 2025]
# A place in each zone, for the local circumstances, rise and set.
PLACES = {"Europe/Vienna": ("48.21", "16.37"), "America/New_York": ("40.71", "-74.01"),
          "Australia/Sydney": ("-33.87", "151.21"), "Australia/Lord_Howe": ("-31.55", "159.08"),
          "Asia/Kathmandu": ("27.70", "85.32"), "Pacific/Chatham": ("-43.95", "-176.56")}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*arguments, tz=None):
    env = dict(os.environ, TZ=tz) if tz is not None else None
    result = subprocess.run([CLI, *arguments], capture_output=True, text=True, env=env)
    return result.returncode, result.stdout, result.stderr


def output(*arguments):
    status, out, err = run(*arguments)
    if status != 0:
        raise SystemExit("%s: exit %d: %s" % (" ".join(arguments), status, err))
    return out


def times_in(text, year):
    """The "MMM DD HH:MM" of a text as naive datetimes of the year; 24:00 is the next midnight.
    A month that goes back (a December time on a January page) belongs to the year before."""
    found = []
    for month, day, clock in TIME.findall(text):
        if month not in MONTHS:
            continue
        hours, minutes = (int(part) for part in clock.split(":"))
        date = dt.datetime(year, MONTHS.index(month) + 1, int(day))
        found.append(date + dt.timedelta(hours=hours, minutes=minutes))
    return found


def local_of(ut_minute, zone):
    """The wall-clock minute of a printed UT minute: UT plus the offset in force then."""
    instant = ut_minute.replace(tzinfo=UTC)
    return (instant + instant.astimezone(zone).utcoffset()).replace(tzinfo=None)


def table_block(page, first_line, last_line):
    lines = page.split("\n")
    start = next(i for i, line in enumerate(lines) if line.startswith(first_line))
    end = next(i for i in range(start, len(lines)) if lines[i].startswith(last_line))
    return "\n".join(lines[start:end])


@lru_cache(maxsize=None)
def year_instants(year, zone_args):
    """Phases and seasons (each a sorted list) of the phases page of a year."""
    page = output("phases", "--year", str(year), *zone_args)
    phases = times_in(table_block(page, "  New Moon", "          The Sun"), year)
    seasons = times_in(table_block(page, "  Equinoxes", "          ECLIPSES"), year)
    return sorted(phases), sorted(seasons)


def check_year_tables(zone_name, year):
    zone = ZoneInfo(zone_name)
    start, end = dt.datetime(year, 1, 1), dt.datetime(year + 1, 1, 1)
    expected_phases, expected_seasons = [], []
    for ut_year in (year - 1, year, year + 1):
        phases, seasons = year_instants(ut_year, ("--zone", "0"))
        expected_phases += [local_of(t, zone) for t in phases]
        expected_seasons += [local_of(t, zone) for t in seasons]
    # Instants within a minute of the year's ends may print on either side of them.
    inside = lambda t: start + MINUTE < t < end - MINUTE
    phases, seasons = year_instants(year, ("--tz", zone_name))
    label = "%s %d" % (zone_name, year)
    check(sorted(filter(inside, expected_phases)) == list(filter(inside, phases)), label + ": phases")
    check(sorted(filter(inside, expected_seasons)) == seasons, label + ": seasons")
    check(all(start <= t <= end for t in phases), label + ": a phase outside the local year")


def eclipse_times(year, number, zone_args, place):
    """Greatest eclipse, phase contacts and local circumstances of one eclipse's details."""
    page = output("eclipse", "--year", str(year), "--eclipse", str(number), "--lat", place[0],
                  "--lon", place[1], *zone_args)
    lines = [line for line in page.split("\n") if "Maximum Eclipse" in line or "begins" in line
             or "visible from" in line or "Central Eclipse" in line]
    return times_in("\n".join(lines), year)


def eclipse_count(year, zone_args):
    page = output("eclipses", "--year", str(year), *zone_args)
    return len(re.findall(r"^ ?\d+ :", page, re.M))


def check_eclipses(zone_name, year):
    zone, place = ZoneInfo(zone_name), PLACES[zone_name]
    count = eclipse_count(year, ["--zone", "0"])
    if count != eclipse_count(year, ["--tz", zone_name]):
        return  # an eclipse near the year's ends falls in one year only; the phases check that
    for number in range(1, count + 1):
        ut = eclipse_times(year, number, ["--zone", "0"], place)
        named = eclipse_times(year, number, ["--tz", zone_name], place)
        check([local_of(t, zone) for t in ut] == named, "%s %d eclipse %d: %s != %s"
              % (zone_name, year, number, [str(local_of(t, zone)) for t in ut], [str(t) for t in named]))


def sky_times(date, clock, zone_args, place):
    page = output("sky", "--date", date, "--time", clock, "--lat", place[0], "--lon", place[1],
                  *zone_args)
    lines = [line for line in page.split("\n") if "Rise:" in line or "Twilight" in line]
    return times_in("\n".join(lines), int(date[:4])), page


def check_sky(zone_name, year):
    zone, place = ZoneInfo(zone_name), PLACES[zone_name]
    for month in (1, 4, 7, 10):
        wall = dt.datetime(year, month, 15, 21, 30)
        ut = wall.replace(tzinfo=zone).astimezone(UTC)
        expected, _ = sky_times(ut.strftime("%Y-%m-%d"), ut.strftime("%H:%M:%S"), ["--zone", "0"], place)
        named, page = sky_times(wall.strftime("%Y-%m-%d"), "21:30:00", ["--tz", zone_name], place)
        label = "%s %s sky" % (zone_name, wall.date())
        check([local_of(t, zone) for t in expected] == named, label)
        offset = wall.replace(tzinfo=zone).utcoffset()
        check(("Timezone: %s " % zone_name) in page, label + ": zone line")
        hours, rest = divmod(abs(int(offset.total_seconds())) // 60, 60)
        check(re.search(r"Timezone: \S+ [-+]%d%s\n" % (hours, ":%02d" % rest if rest else ""), page),
              label + ": offset in the zone line")


# Forward changes of an hour (Vienna, New York; Chatham at 2:45), half an hour (Lord Howe), a
# quarter (Kathmandu 1986), a whole day (Apia 2011, Kwajalein 1993), before midnight (Nuuk 2038
# at -1:00 by its last rule), at midnight (Sao Paulo 2018) and at 26:00 (Jerusalem 2030).
SKIPS = [("Europe/Vienna", 2026), ("America/New_York", 2024), ("Pacific/Chatham", 2024),
         ("Australia/Lord_Howe", 2024), ("Asia/Kathmandu", 1986), ("Pacific/Apia", 2011),
         ("Pacific/Kwajalein", 1993), ("America/Nuuk", 2038), ("America/Sao_Paulo", 2018),
         ("Asia/Jerusalem", 2030)]
JD_OF_UNIX_EPOCH = 2440587.5


def offset_label(offset):
    hours, rest = divmod(abs(int(offset.total_seconds())) // 60, 60)
    return "%s%d%s" % ("-" if offset < dt.timedelta(0) else "+", hours, ":%02d" % rest if rest else "")


def forward_changes(zone, year):
    """The skipped wall-clock stretches [first, end) of a year's forward changes (the search
    starts a day early: a change at local New Year falls in the year before in UT)."""
    found = []
    step = dt.timedelta(hours=6)
    t = dt.datetime(year, 1, 1, tzinfo=UTC) - dt.timedelta(days=1)
    while t < dt.datetime(year + 1, 1, 1, tzinfo=UTC):
        low, high = t, t + step
        before, after = low.astimezone(zone).utcoffset(), high.astimezone(zone).utcoffset()
        if after > before:
            while high - low > dt.timedelta(seconds=1):
                middle = low + (high - low) / 2
                if middle.astimezone(zone).utcoffset() == before:
                    low = middle
                else:
                    high = middle
            change = high.replace(microsecond=0, tzinfo=None)
            found.append((change + before, change + after))
        t = high if after > before else t + step
    return found


def check_skipped_times():
    for zone_name, year in SKIPS:
        zone = ZoneInfo(zone_name)
        gaps = forward_changes(zone, year)
        check(gaps, "%s %d: no forward change" % (zone_name, year))
        for first, end in gaps:
            second = dt.timedelta(seconds=1)
            middle = first + (end - first) / 2
            for wall in (first - second, first, first + second, middle, end - second, end):
                ut = wall.replace(tzinfo=zone, fold=0).astimezone(UTC)
                shown = ut.astimezone(zone)
                label = "%s typed %s" % (zone_name, wall)
                typed = ("--tz", zone_name, "--date", wall.strftime("%Y-%m-%d"), "--time", wall.strftime("%H:%M:%S"))
                page = output("sky", *typed)
                heading = "%2d-%s-%4d   %2d:%2d:%2d    Timezone: %s %s" % (
                    shown.day, MONTHS[shown.month - 1], shown.year, shown.hour, shown.minute, shown.second,
                    zone_name, offset_label(shown.utcoffset()))
                check(heading in page.split("\n"), "%s: sky heading is not %r" % (label, heading))
                jd = float(re.search(r"Julian Date:\s*(\S+)", page).group(1))
                expected_jd = JD_OF_UNIX_EPOCH + ut.timestamp() / 86400.0
                check(abs(jd - expected_jd) < 1e-4, "%s: sky Julian Date %.4f, not %.4f" % (label, jd, expected_jd))


def ics_descriptions(year, zone_args, place):
    text = output("ics", "--year", str(year), "--lat", place[0], "--lon", place[1], *zone_args)
    found = {}
    for event in Calendar.from_ical(text).walk("VEVENT"):
        if event.get("DESCRIPTION"):
            found[str(event["UID"]).split("-")[0]] = times_in(str(event["DESCRIPTION"]), year)
    return found


def check_ics(zone_name, year):
    zone, place = ZoneInfo(zone_name), PLACES[zone_name]
    ut = ics_descriptions(year, ["--zone", "0"], place)
    named = ics_descriptions(year, ["--tz", zone_name], place)
    for key in set(ut) & set(named):
        check([local_of(t, zone) for t in ut[key]] == named[key], "%s %d ics %s" % (zone_name, year, key))


def check_places():
    # A name with accents, found with and without them, and decomposed; the coordinates and
    # zone come along.
    for text in ("Zürich", "zurich", "Zu\u0308rich"):
        page = output("start", "--place", text)
        check("Zurich" in page and "Timezone: Europe/Zurich" in page and "47.3" in page, "place " + text)
    # Shared names take the most populous place; later options override the place's values.
    check("Timezone: Europe/Paris" in output("start", "--place", "Paris"), "Paris is the French one")
    page = output("start", "--place", "Paris", "--lat", "10", "--tz", "America/Chicago")
    check("Latitude:  \t10" in page and "Timezone: America/Chicago" in page, "options after --place")
    # The system's zone: TZ, its old names followed to the present one, else /etc/localtime.
    for tz, zone in (("Europe/Vienna", "Europe/Vienna"), (":Asia/Calcutta", "Asia/Kolkata")):
        status, out, _ = run("start", "--tz", "local", tz=tz)
        check(status == 0 and "Timezone: " + zone in out, "--tz local with TZ=" + tz)
    if "TZ" not in os.environ and os.path.islink("/etc/localtime"):
        zone = os.path.realpath("/etc/localtime").split("/zoneinfo/", 1)[1]
        check("Timezone: " + zone in output("start", "--tz", "local"), "--tz local from /etc/localtime")
    for args, word in ((["--place", "Nowhereville Qqq"], "Nowhereville Qqq"),
                       (["--tz", "Europe/Atlantis"], "Europe/Atlantis")):
        status, out, err = run("start", *args)
        check(status == 2 and word in err and err.count("\n") == 1 and not out, "refused: " + word)


def main():
    for zone_name in ZONES:
        for year in YEARS:
            check_year_tables(zone_name, year)
            check_eclipses(zone_name, year)
            check_ics(zone_name, year)
        check_sky(zone_name, 2024)
        check_sky(zone_name, 1965)
    check_skipped_times()
    check_places()
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
