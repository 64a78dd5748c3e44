#!/usr/bin/python3
"""The canon of 1701-2200 against the eclipse lists of each year: the same eclipses in the same
order, with the date and minute, kind and magnitude the year tables print (Phases page), the
labels of the eclipse list every tenth year, and the titles of the non-central eclipses' details.
The text, CSV and JSON forms hold the same eclipses.

Usage: eclipse_canon_check.py QUORVEL_CLI
"""
import csv
import datetime
import io
import json
import subprocess
import sys

FIRST, LAST = 1701, 2200
YEAR_TABLE_TEXTS = {-4: "Total eclipse of the Moon", -3: "Partial eclipse of the Moon",
                    -2: "Penumbral eclipse of the Moon", -1: "Penumbral eclipse of the Moon",
                    1: "Partial eclipse of the Sun", 2: "Annular eclipse of the Sun", 3: "Total eclipse of the Sun",
                    4: "Annular eclipse of the Sun", 5: "Total eclipse of the Sun", 6: "Annular/Total Solar Eclipse"}
LIST_LABELS = {-4: "Tot.Moon", -3: "Par.Moon", -2: "Pen.Moon", -1: "Pen.Moon", 1: "Par.Sun", 2: "Ann.Sun",
               3: "Tot.Sun", 4: "Ann.Sun", 5: "Tot.Sun", 6: "Ann/Tot."}
MONTHS = ["JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"]
failures = []


def run(cli, *arguments):
    return subprocess.run([cli] + list(arguments), check=True, capture_output=True, text=True).stdout


def year_table_eclipses(cli, year):
    """(instant, text, magnitude or None) of each line of the Phases page's eclipse section."""
    page = run(cli, "phases", "--year", str(year)).splitlines()
    start = next(i for i, line in enumerate(page) if "ECLIPSES for" in line) + 3
    eclipses = []
    for line in page[start:]:
        if "\t" not in line:
            break
        date, time, text = line.split("\t")
        hours, minutes = (int(part) for part in time.split(":"))
        day = datetime.datetime(year, MONTHS.index(date[:3]) + 1, int(date[4:]))
        magnitude = None
        if "(magnitude:" in text:
            text, magnitude = text.split("  (magnitude:")
            magnitude = float(magnitude.rstrip(")"))
        eclipses.append((day + datetime.timedelta(hours=hours, minutes=minutes), text.strip(), magnitude))
    return eclipses


def main():
    cli = sys.argv[1]
    rows = list(csv.DictReader(io.StringIO(run(cli, "canon", "--from", str(FIRST), "--to", str(LAST), "--format", "csv"))))
    by_year = {}
    for row in rows:
        by_year.setdefault(int(row["date"][:4]), []).append(row)
    for year in range(FIRST, LAST + 1):
        canon = by_year.get(year, [])
        listed = year_table_eclipses(cli, year)
        if len(canon) != len(listed):
            failures.append("%d: %d eclipses in the canon, %d in the year tables" % (year, len(canon), len(listed)))
            continue
        for number, (row, (instant, text, magnitude)) in enumerate(zip(canon, listed), 1):
            kind = int(row["kind_code"])
            when = datetime.datetime.fromisoformat(row["date"] + "T" + row["time_ut"])
            if when != instant or YEAR_TABLE_TEXTS[kind] != text:
                failures.append("%d #%d: canon %s %s, year tables %s %s" % (year, number, when, row["kind"], instant, text))
            if magnitude is not None and abs(float(row["magnitude"]) - magnitude) > 0.0051:
                failures.append("%d #%d: magnitude %s, year tables %s" % (year, number, row["magnitude"], magnitude))
            if kind in (2, 3):
                title = run(cli, "eclipse", "--year", str(year), "--eclipse", str(number)).splitlines()[2]
                if "Non-Central" not in title:
                    failures.append("%d #%d: details title %r" % (year, number, title))
        if year % 10 == 0:
            labels = [line.split()[-1] for line in run(cli, "eclipses", "--year", str(year)).splitlines() if " : " in line]
            if labels != [LIST_LABELS[int(row["kind_code"])] for row in canon]:
                failures.append("%d: list labels %s" % (year, labels))
    text = run(cli, "canon", "--from", str(FIRST), "--to", str(LAST)).splitlines()
    objects = json.loads(run(cli, "canon", "--from", str(FIRST), "--to", str(LAST), "--format", "json"))
    if len(text) != len(rows) + 1 or len(objects) != len(rows):
        failures.append("text %d lines, JSON %d objects, CSV %d rows" % (len(text), len(objects), len(rows)))
    for failure in failures[:40]:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
