#!/usr/bin/env python3
"""Reads the calendar file of `quorvel-cli ics` back with python3-icalendar and compares it with
the pages quorvel-cli prints for the same inputs: the phases and seasons of the phases page, the
eclipses of the eclipse details (span, summary, local circumstances), the dates of the
holidays page and the planetary phenomena of the planets page (category Planets, which
--no-planets leaves out and nothing else). The pages print local zone time to the minute (Julian dates before the 1582
reform), the file UTC and Gregorian dates; both must name the same minute and day.
Also checks the file's form (CRLF, lines of at most 75 octets, PRODID, DTSTAMP) and that a
second export gives the same UIDs.

usage: calendar_export_check.py QUORVEL_CLI
"""
import datetime as dt
import re
import subprocess
import sys

from convertdate import julian
from icalendar import Calendar

CLI = sys.argv[1]
MONTHS = ["JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"]
UTC = dt.timezone.utc

# year, zone (hours), further options. Chosen for: a total solar eclipse seen in its path
# (Dallas), a New Moon printed as 24:00 (2024, zone 1) with a name in UTF-8, a hybrid eclipse
# seen as total (Exmouth), the calendar reform (1582), an Islamic New Year on 1 January and
# again in December (1454), a zone of half an hour, and years past 3000, where the iCalendar
# library's own time values end.
CASES = [
    (2024, -5.0, ["--delta-t", "69.2", "--lat", "32.78", "--lon", "-96.80", "--height", "140", "--name", "Dallas"]),
    (2024, 1.0, ["--lat", "52.52", "--lon", "13.405", "--height", "34", "--name", "Ciudad de México Zócalo"]),
    (2023, 8.0, ["--lat", "-21.93", "--lon", "114.13", "--height", "10", "--name", "Exmouth"]),
    (1582, 0.0, ["--lat", "41.9", "--lon", "12.5", "--name", "Roma"]),
    (1454, 2.0, ["--lat", "30.04", "--lon", "31.24", "--name", "Cairo"]),
    (2024, 5.5, ["--lat", "28.61", "--lon", "77.21", "--name", "Delhi"]),
    (3001, 0.0, ["--lat", "48.2", "--lon", "16.37", "--name", "Wien"]),
    (9990, 0.0, ["--lat", "48.2", "--lon", "16.37", "--name", "Wien"]),
]

PHASE_COLUMNS = [(0, "New Moon"), (15, "First Quarter"), (31, "Full Moon"), (47, "Last Quarter")]
HOLIDAY_LABELS = {
    "Ash Wednesday": "Ash Wednesday", "Easter": "Easter", "Jewish New Year": "Jewish New Year",
    "Yom Kippur": "Yom Kippur", "Islamic New Year": "Islamic New Year",
    "First Day Ramadan": "First Day of Ramadan", "Indian New Year": "Indian New Year",
    "Chinese New Year": "Chinese New Year",
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*arguments):
    return subprocess.run([CLI, *arguments], capture_output=True, check=True).stdout


def gregorian_day(year, month, day):
    """The Gregorian date of a civil date as the pages print it (Julian up to 1582-10-04)."""
    if (year, month, day) <= (1582, 10, 4):
        return dt.date(*julian.to_gregorian(year, month, day))
    return dt.date(year, month, day)


def page_instant(year, text, zone):
    """UTC instant of a page's "MMM DD HH:MM" in local zone time; 24:00 is the next midnight."""
    month, day, clock = text[:3], int(text[4:6]), text[7:12]
    hours, minutes = (int(part) for part in clock.split(":"))
    local = dt.datetime.combine(gregorian_day(year, MONTHS.index(month) + 1, day), dt.time(), UTC)
    return local + dt.timedelta(hours=hours - zone, minutes=minutes)


def page_phases(page, year, zone):
    lines = page.split("\n")
    first = lines.index("  New Moon    First Quarter     Full Moon      Last Quarter") + 2
    phases = []
    for line in lines[first:]:
        if not line.strip():
            break
        for column, name in PHASE_COLUMNS:
            if line[column:column + 12].strip():
                phases.append((page_instant(year, line[column:column + 12], zone), name))
    return sorted(phases)


def page_seasons(page, year, zone):
    seasons = []
    for title, names in (("  Equinoxes ", ("March Equinox", "September Equinox")),
                         ("  Solstices ", ("June Solstice", "December Solstice"))):
        line = next(l for l in page.split("\n") if l.startswith(title))
        for text, name in zip(line.split("\t")[1:], names):
            seasons.append((page_instant(year, text.strip(), zone), name))
    return sorted(seasons)


def eclipse_expectation(details, year, zone):
    """Summary, span and local-circumstances lines from the text of the eclipse details."""
    lines = details.split("\n")
    title = next(l for l in lines[1:] if l.strip()).strip("\t")
    magnitude = re.search(r"Maximum Eclipse at .{12}   with magnitude:\s*([0-9.]+)", details)
    summary = title + (" (magnitude: %s)" % magnitude.group(1) if magnitude else "")
    phase = re.search(r"\tbegins (.{12})\tends (.{12})", details)
    begin, end = (page_instant(year, phase.group(i), zone) for i in (1, 2))
    if end < begin:  # the eclipse ends in the next year
        end = page_instant(year + 1, phase.group(2), zone)
    local = details[details.index("Local Circumstances for"):details.index("\n\n\n+++> tdt")]
    visible = "Eclipse visible" in local
    return summary, begin, end, [l.rstrip() for l in local.split("\n")] if visible else None


def page_holidays(page, year):
    holidays, label = [], None
    for line in page.split("\n"):
        match = re.match(r"([A-Za-z ]+|\t     and):\t+([A-Z]{3})(\d\d)(?:    \((\w+) Year:\s*(-?\d+)\))?", line)
        if not match:
            continue
        if not match.group(1).endswith("and"):
            label = HOLIDAY_LABELS[match.group(1)]
        date = gregorian_day(year, MONTHS.index(match.group(2)) + 1, int(match.group(3)))
        holidays.append((date, label, match.group(5)))
    return sorted(holidays)


def page_planets(page, year, zone):
    """(UTC instant, text) of each event line "  JAN 10  8:41  Jupiter at opposition"."""
    return sorted((page_instant(year, line[2:14], zone), line[16:])
                  for line in page.split("\n") if re.match(r"  [A-Z]{3} [ \d]\d [ \d]\d:\d\d  ", line))


def categories(event):
    value = event.get("CATEGORIES")
    return [str(c) for c in value.cats] if value is not None else []


def file_form(raw, label):
    check(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b""), label + ": CRLF line ends")
    longest = max(len(line) for line in raw.split(b"\r\n"))
    check(longest <= 75, "%s: a line of %d octets" % (label, longest))


def check_case(year, zone, options):
    arguments = ["--year", str(year), "--zone", str(zone), *options]
    label = " ".join(arguments)
    raw = run("ics", *arguments)
    file_form(raw, label)
    calendar = Calendar.from_ical(raw)
    check(re.fullmatch(r"-//Quorvel//Quorvel \d+\.\d+//EN", str(calendar["PRODID"])) is not None, label + ": PRODID")
    events = calendar.walk("VEVENT")
    check(all("DTSTAMP" in event for event in events), label + ": DTSTAMP on every event")
    uids = [str(event["UID"]) for event in events]
    check(len(set(uids)) == len(uids), label + ": UIDs repeat")
    again = [str(event["UID"]) for event in Calendar.from_ical(run("ics", *arguments)).walk("VEVENT")]
    check(again == uids, label + ": a second export gives other UIDs")

    def timed(names):
        return sorted((e.decoded("DTSTART"), str(e["SUMMARY"])) for e in events if str(e["SUMMARY"]) in names)

    page = run("phases", *arguments).decode()
    phases = page_phases(page, year, zone)
    check(timed({name for _, name in PHASE_COLUMNS}) == phases, label + ": phases differ from the page")
    seasons = page_seasons(page, year, zone)
    check(timed({name for _, name in seasons}) == seasons, label + ": seasons differ from the page")

    eclipses = [e for e in events if "-eclipse-" in str(e["UID"])]
    listed = len(re.findall(r"(?m)^ ?\d+ : ", run("eclipses", *arguments).decode()))
    check(len(eclipses) == listed, "%s: %d eclipse events, %d listed" % (label, len(eclipses), listed))
    for number, event in enumerate(eclipses, 1):
        details = run("eclipse", "--eclipse", str(number), *arguments).decode()
        summary, begin, end, local = eclipse_expectation(details, year, zone)
        what = "%s: eclipse %d" % (label, number)
        check(str(event["SUMMARY"]) == summary, "%s: summary %r, details %r" % (what, str(event["SUMMARY"]), summary))
        check((event.decoded("DTSTART"), event.decoded("DTEND")) == (begin, end), what + ": span differs from the details")
        description = str(event.get("DESCRIPTION", "")).split("\n")
        check((description[:-2] if local else None) == local, "%s: description %r" % (what, description))

    names = sorted(HOLIDAY_LABELS.values(), key=len, reverse=True)
    holidays = sorted((e.decoded("DTSTART"), next(n for n in names if str(e["SUMMARY"]).startswith(n)),
                       str(e["SUMMARY"])) for e in events if not isinstance(e.decoded("DTSTART"), dt.datetime))
    expected = page_holidays(run("holidays", *arguments).decode(), year)
    check([h[:2] for h in holidays] == [h[:2] for h in expected], "%s: holidays %s, page %s" % (label, holidays, expected))
    check(all(h[1] == "Chinese New Year" or not e[2] or h[2] == "%s %s" % (e[1], e[2])
              for h, e in zip(holidays, expected)), label + ": the years of the holidays differ")

    planets = [e for e in events if "Planets" in categories(e)]
    check(all(categories(e) == [] for e in events if e not in planets), label + ": a category on another event")
    shown = sorted((e.decoded("DTSTART"), str(e["SUMMARY"])) for e in planets)
    listed = page_planets(run("phenomena", *arguments).decode(), year, zone)
    check(shown == listed, "%s: planets differ from the page: %s" % (
        label, [p for p in shown if p not in listed][:3] + [p for p in listed if p not in shown][:3]))
    check(all("DTEND" not in e for e in planets), label + ": a planets' event with an end")
    without = Calendar.from_ical(run("ics", "--no-planets", *arguments)).walk("VEVENT")
    check([str(e["UID"]) for e in without] == [u for u, e in zip(uids, events) if e not in planets],
          label + ": --no-planets changes more than the planets")
    return len(phases), len(eclipses), len(holidays), len(planets)


# A planets' UID names the event, its bodies and its UT minute, whatever the zone: the events
# of February to November of three zones carry the same UIDs.
def planet_uids(zone):
    events = Calendar.from_ical(run("ics", "--year", "2026", "--zone", str(zone))).walk("VEVENT")
    return {(e.decoded("DTSTART"), str(e["SUMMARY"])): str(e["UID"]) for e in events
            if "Planets" in categories(e) and 2 <= e.decoded("DTSTART").month <= 11}


zone_uids = [planet_uids(zone) for zone in (0, -10, 12)]
check(len(zone_uids[0]) > 120 and zone_uids[0] == zone_uids[1] == zone_uids[2], "the planets' UIDs depend on the zone")
check(any(uid.startswith("greatest-elongation-west-mercury-20260403T2233Z-") for uid in zone_uids[0].values()),
      "no UID of Mercury's greatest western elongation of April 2026")


for case in CASES:
    print("%d zone %g: %d phases, %d eclipses, %d holidays, %d planets' events" % (
        (case[0], case[1]) + check_case(*case)))
for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
