#!/usr/bin/python3
"""Measures the central line and the world-map curves of the total solar eclipses of 2017-08-21
and 2024-04-08 that quorvel-cli writes against PyEphem (Debian python3-ephem), with the geometry
of tools/ephem_umbral_limits.py: PyEphem's geocentric apparent Sun and Moon and sidereal time,
an observer at sea level on the WGS 84 ellipsoid, no refraction.

quorvel-cli is run with PyEphem's own TT - UT of each eclipse, so that only the geometry is
compared. For every point of a curve the distance to PyEphem's curve is measured across it:
along the ground normal to the program's curve, the offset where PyEphem's condition holds.
  central line      (every 5th minute) midway between the umbral limits on either side along
                    the normal, where the least separation of the centres over the eclipse
                    equals the difference of the semi-diameters; their distance apart against
                    the width in the program's table, and the duration of totality at the
                    program's point (second to third contact) against the table's
  penumbral limits  the least separation over the eclipse equals the sum of the semi-diameters
  sunrise/sunset    the separation equals the sum of the semi-diameters at the instant the Sun's
                    centre is on the horizon (geometric, ellipsoid normal)
Limit points with the Sun below 1 degree and points beyond 85 degrees of latitude are left out,
and so are rise/set points where no crossing is found within 50 km (counted as "not found"),
where the condition no longer fixes a point across the curve.

Usage: /usr/bin/python3 tools/ephem_eclipse_curves.py build/quorvel-cli   (a few seconds)
"""
import json
import math
import subprocess
import sys

import ephem

from ephem_central_line import golden_minimum
from ephem_umbral_limits import MOON_RADIUS, SUN_RADIUS, observer, sky

EARTH_MEAN_RADIUS_KM = 6371.0
# Days around a limit point's instant searched for its least separation: at the penumbral
# limits the discs come nearest long before or after the edge passes the point's meridian.
PENUMBRA_WINDOW = 1.5 / 24.0
# (year, number in the year's eclipse list)
ECLIPSES = ((2017, 4), (2024, 2))


def when(t):
    """An ephem date rounded to 0.01 s, so that the sky cache is reused."""
    return ephem.Date(round(t * 1e7) / 1e7)


def geometry(lat, lon, t):
    """Separation of the centres, semi-diameters of Sun and Moon (radians) and the Sun's
    geometric altitude (radians) at a sea-level place at ephem date t."""
    sun, moon, sidereal = sky(when(t))
    place = observer(lat, lon, sidereal)
    to_sun = [s - p for s, p in zip(sun, place)]
    to_moon = [m - p for m, p in zip(moon, place)]
    ds, dm = math.dist(sun, place), math.dist(moon, place)
    cosine = sum(a * b for a, b in zip(to_sun, to_moon)) / (ds * dm)
    separation = math.acos(max(-1.0, min(1.0, cosine)))
    la, angle = math.radians(lat), sidereal + math.radians(lon)
    normal = (math.cos(la) * math.cos(angle), math.cos(la) * math.sin(angle), math.sin(la))
    altitude = math.asin(sum(a * b for a, b in zip(to_sun, normal)) / ds)
    return separation, math.asin(SUN_RADIUS / ds), math.asin(MOON_RADIUS / dm), altitude


def outside(lat, lon, t):
    separation, sun, moon, _ = geometry(lat, lon, t)
    return separation - (sun + moon)


def inside(lat, lon, t):
    separation, sun, moon, _ = geometry(lat, lon, t)
    return separation - abs(sun - moon)


def least(f, lat, lon, around, half_width=10.0 / 1440.0):
    best = golden_minimum(lambda t: f(lat, lon, t), around - half_width, around + half_width, 0.1 / 86400.0)
    return f(lat, lon, best), best


def root(f, a, b, tolerance):
    """Secant steps from a and b to a zero of f."""
    fa, fb = f(a), f(b)
    for _ in range(40):
        if fb == fa:
            break
        a, fa, b = b, fb, b - fb * (b - a) / (fb - fa)
        fb = f(b)
        if abs(b - a) < tolerance:
            break
    return b


def moved(lat, lon, north_km, east_km):
    return (lat + math.degrees(north_km / EARTH_MEAN_RADIUS_KM),
            lon + math.degrees(east_km / (EARTH_MEAN_RADIUS_KM * math.cos(math.radians(lat)))))


def normal_at(points, i):
    """Unit ground normal (north, east) to the polyline at its point i, to the left of its
    direction (north for a line running east)."""
    a, b = points[max(i - 1, 0)], points[min(i + 1, len(points) - 1)]
    lat = math.radians(points[i][1])
    dn = math.radians(b[1] - a[1])
    de = math.radians((b[0] - a[0] + 540.0) % 360.0 - 180.0) * math.cos(lat)
    length = math.hypot(dn, de)
    return de / length, -dn / length


def across(points, i, condition, tolerance_km=0.01):
    """Offset (km) along the normal at point i of the polyline where condition is zero."""
    lon, lat = points[i]
    north, east = normal_at(points, i)
    return root(lambda s: condition(*moved(lat, lon, s * north, s * east)), 0.0, 2.0, tolerance_km)


def ephem_date(iso):
    date, time = iso.rstrip("Z").split("T")
    return ephem.Date(date.replace("-", "/") + " " + time)


def cli(program, year, number, delta_t, *extra):
    return subprocess.run([program, *extra, "--year", str(year), "--eclipse", str(number),
                           "--delta-t", "%.3f" % delta_t], check=True, capture_output=True, text=True).stdout


def table_rows(text):
    """The central-line table of the details: (hh:mm, seconds, km) per line."""
    rows = []
    for line in text.splitlines():
        fields = line.split()
        if len(fields) == 6 and ":" in fields[0] and fields[0][0].isdigit():
            rows.append((fields[0], float(fields[3]), float(fields[4])))
    return rows


def summary(name, values, unit):
    if not values:
        print("  %-18s no points" % name)
        return
    sizes = sorted(abs(v) for v in values)
    rms = math.sqrt(sum(v * v for v in values) / len(values))
    print("  %-18s %4d points  %+7.2f .. %+7.2f %s  (largest %.2f, 95%% within %.2f, rms %.2f)"
          % (name, len(values), min(values), max(values), unit, sizes[-1],
             sizes[int(0.95 * (len(sizes) - 1))], rms), flush=True)


def features(text):
    found = {}
    for feature in json.loads(text)["features"]:
        geometry = feature["geometry"]
        coordinates = geometry["coordinates"]
        parts = coordinates if geometry["type"] == "MultiLineString" else [coordinates]
        found[feature["properties"]["feature"]] = (parts, feature["properties"].get("ut"))
    return found


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/quorvel-cli"
    print("# quorvel-cli against PyEphem %s, program minus PyEphem: central line positive to the"
          " left of the track, limits positive outwards, sunrise/sunset curves unsigned" % ephem.__version__)
    for year, number in ECLIPSES:
        path = features(cli(program, year, number, 0.0, "path", "--format", "geojson"))
        greatest = ephem_date(path["greatest eclipse"][1])
        delta_t = ephem.delta_t(greatest)
        path = features(cli(program, year, number, delta_t, "path", "--format", "geojson"))
        print("%d eclipse %d, TT - UT %.2f s" % (year, number, delta_t))

        # Central line: offset, duration and width every 5th minute.
        [line], times = path["central line"]
        rows = table_rows(cli(program, year, number, delta_t, "eclipse", "--step", "1"))
        assert [row[0] for row in rows] == [u[11:16] for u in times], "table and path differ"
        offsets, durations, widths = [], [], []
        for i in range(2, len(line) - 2, 5):
            lon, lat = line[i]
            t = ephem_date(times[i])
            if geometry(lat, lon, t)[3] < math.radians(5.0):
                continue
            umbra = lambda la, lo: least(inside, la, lo, t)[0]
            north, east = normal_at(line, i)
            # Secants from 20 and 30 km out on either side, where the least separation rises
            # steadily towards the limit.
            side = lambda s: umbra(*moved(lat, lon, s * north, s * east))
            one_side = root(side, 20.0, 30.0, 0.01)
            other_side = root(side, -20.0, -30.0, 0.01)
            # The least separation grows alike on both sides: the central line lies midway.
            offsets.append(-(one_side + other_side) / 2.0)
            widths.append(rows[i][2] - abs(one_side - other_side))
            tmax = least(inside, lat, lon, t)[1]
            half = rows[i][1] / 2.0 / 86400.0
            second = root(lambda u: inside(lat, lon, u), tmax - half, tmax - half + 2.0 / 86400.0, 1e-8)
            third = root(lambda u: inside(lat, lon, u), tmax + half, tmax + half - 2.0 / 86400.0, 1e-8)
            durations.append(rows[i][1] - (third - second) * 86400.0)
        summary("central line", offsets, "km")
        summary("central duration", durations, "s")
        summary("central width", widths, "km")

        # Penumbral limits.
        for name in ("northern penumbral limit", "southern penumbral limit"):
            parts, part_times = path[name]
            flat_times = part_times if isinstance(part_times[0], str) else [u for p in part_times for u in p]
            values, k = [], 0
            for part in parts:
                for i in range(len(part)):
                    lon, lat = part[i]
                    t = ephem_date(flat_times[k])
                    k += 1
                    if abs(lat) > 85.0 or geometry(lat, lon, t)[3] < math.radians(1.0):
                        continue
                    penumbra = lambda la, lo: least(outside, la, lo, t, PENUMBRA_WINDOW)[0]
                    # Positive where the program's limit lies outside PyEphem's.
                    values.append(math.copysign(across(part, i, penumbra), penumbra(lat, lon)))
            summary(name.replace("penumbral limit", "penumbral"), values, "km")

        # Sunrise/sunset curves.
        parts, part_times = path["sunrise/sunset curves"]
        values, missed = [], 0
        for part, part_times_of in zip(parts, part_times):
            for i in range(len(part)):
                lon, lat = part[i]
                if abs(lat) > 85.0:
                    continue
                t = ephem_date(part_times_of[i])

                def on_horizon(la, lo, t=t):
                    edge = root(lambda u: geometry(la, lo, u)[3], t, t + 1.0 / 1440.0, 1e-7)
                    return outside(la, lo, edge)

                offset = across(part, i, on_horizon)
                if abs(offset) < 50.0:
                    values.append(abs(offset))
                else:
                    missed += 1
        summary("sunrise/sunset", values, "km")
        print("  %-18s %4d points" % ("  not found", missed))


if __name__ == "__main__":
    main()
