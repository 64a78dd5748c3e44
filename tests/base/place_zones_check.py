#!/usr/bin/env python3
"""Every place of the compiled-in place table has the present name of a zone that tzdata gives
its country (zone.tab and zone1970.tab, Kosovo under Serbia), and every Chinese place outside
Xinjiang keeps China's one time, Asia/Shanghai.

usage: place_zones_check.py PLACES_INC
"""
import collections
import pathlib
import re
import sys

ZONEINFO = pathlib.Path("/usr/share/zoneinfo")
ZONES_OF_COUNTRY = {"XK": "RS", "AN": "CW", "CS": "RS"}


def tables(path):
    text = pathlib.Path(path).read_text(encoding="utf-8")
    literals = dict(re.findall(r'static constexpr char (\w+)\[\] = R"places\(\n(.*?)\n\)places"', text, re.S))
    return {name: [line.split("\t") for line in body.split("\n")] for name, body in literals.items()}


def tzdata():
    canonical, links = set(), {}
    for line in (ZONEINFO / "tzdata.zi").read_text(encoding="utf-8").splitlines():
        parts = line.split()
        if parts[:1] == ["Z"]:
            canonical.add(parts[1])
        elif parts[:1] == ["L"]:
            links[parts[2]] = parts[1]
    of_country = collections.defaultdict(set)
    for table in ("zone.tab", "zone1970.tab"):
        for line in (ZONEINFO / table).read_text(encoding="utf-8").splitlines():
            if not line.startswith("#"):
                codes, _, zone = line.split("\t")[:3]
                for code in codes.split(","):
                    of_country[code].add(links.get(zone, zone))
    return canonical, of_country


def main():
    places = tables(sys.argv[1])
    canonical, of_country = tzdata()
    countries = [code for code, _ in places["kPlaceCountries"]]
    regions = [(countries[int(country)], name) for country, name in places["kPlaceRegions"]]
    zones = [fields[0] for fields in places["kPlaceZones"]]
    failures = []
    for name, _, region, _, _, _, zone in places["kPlaceRows"]:
        country, region_name = regions[int(region)]
        zone = zones[int(zone)]
        if zone not in canonical:
            failures.append(f"{name} ({country}): {zone} is no present zone name of tzdata")
        elif zone not in of_country[ZONES_OF_COUNTRY.get(country, country)]:
            failures.append(f"{name} ({country}): {zone} is no zone of its country")
        elif country == "CN" and "Xinjiang" not in region_name and zone != "Asia/Shanghai":
            failures.append(f"{name} ({region_name}, CN): {zone} instead of Asia/Shanghai")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(places['kPlaceRows'])} places, {len(failures)} with a zone that does not fit")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
