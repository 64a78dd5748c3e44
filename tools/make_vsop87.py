#!/usr/bin/python3
"""Writes resources/vsop87d.inc, the planetary series of astro/planets.cpp, from VSOP87D.

Usage: /usr/bin/python3 tools/make_vsop87.py [PACKAGE_FOLDER]
PACKAGE_FOLDER is the unpacked npm package astronomia 4.2.0 (MIT licence), whose files
data/vsop87D<body>.js hold the full VSOP87D series (Bretagnon & Francou, 1988): heliocentric
ecliptic longitude L and latitude B (radians) and radius vector R (AU) of Mercury ... Neptune
and the Earth, referred to the dynamical ecliptic and equinox of date, as sums over powers
T^k (k = 0 .. 5, T in Julian millennia of TT from J2000) of terms A cos(B + C T).
Without PACKAGE_FOLDER the package is fetched with `npm pack astronomia@4.2.0` into a
temporary folder. Needs Debian's python3-numpy.

Truncation: the terms of each body are ranked by what each can contribute over 1800-2200
(A |T|^k at |T| = 0.2, R terms divided by the body's mean distance so that all three read as
angles) and dropped from the smallest up, in steps, for as long as the truncated series stays
within the body's budget of the full series at SAMPLES instants spread over 1800-2200:
  - a planet: the angle between its geocentric direction from the truncated and from the full
    series (the Earth's full series in both);
  - the Earth: the largest angle, over the seven planets, by which its truncation moves their
    geocentric directions, divided by that planet's limit.
The error of the result (truncated planet seen from the truncated Earth against both full) is
measured at the same instants and printed to standard error; the script fails when a planet
exceeds its limit.
"""
import math
import pathlib
import re
import subprocess
import sys
import tempfile

import numpy as np

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUTPUT = ROOT / "resources" / "vsop87d.inc"
PACKAGE = "astronomia@4.2.0"
BODIES = ["mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune", "earth"]
PLANETS = BODIES[:7]
COORDINATES = "LBR"
MAX_POWER = 5
# Geocentric limits in arcseconds of the truncated against the full series, and the share of
# it a planet's own truncation may use (the rest is left to the Earth's).
LIMIT_ARCSEC = {"mercury": 0.5, "venus": 0.5, "mars": 0.5, "jupiter": 0.5, "saturn": 0.5,
                "uranus": 1.0, "neptune": 1.0}
OWN_SHARE = 0.7
# The heliocentric longitude and latitude stay within this share of the same limit.
HELIOCENTRIC_SHARE = 0.9
EARTH_SHARE = 0.25
# Mean distances from the Sun (AU): they turn R terms into angles for the ranking.
MEAN_DISTANCE_AU = {"mercury": 0.387, "venus": 0.723, "mars": 1.524, "jupiter": 5.203,
                    "saturn": 9.537, "uranus": 19.19, "neptune": 30.07, "earth": 1.0}
FIRST_MILLENNIA = (2378496.5 - 2451545.0) / 365250.0   # 1800-01-01 0h TT
LAST_MILLENNIA = (2524593.5 - 2451545.0) / 365250.0    # 2200-01-01 0h TT
SAMPLES = 24000
ARCSEC_PER_RAD = 180.0 * 3600.0 / math.pi
STEP_TERMS = 25
CHUNK = 400


def package_folder():
    if len(sys.argv) > 1:
        return pathlib.Path(sys.argv[1])
    folder = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-vsop87-"))
    subprocess.run(["npm", "pack", PACKAGE], cwd=folder, check=True, stdout=subprocess.DEVNULL)
    archive = next(folder.glob("astronomia-*.tgz"))
    subprocess.run(["tar", "xzf", archive.name], cwd=folder, check=True)
    return folder / "package"


def read_series(folder, body, skipped):
    """{(coordinate, power): [(A, B, C), ...]} in the order of the file; rows of NaN (four in
    the package, where its conversion lost tiny terms of Uranus and Neptune) are listed in
    skipped."""
    text = (folder / "data" / ("vsop87D%s.js" % body)).read_text()
    series = {}
    coordinate = None
    power = None
    for line in text.splitlines():
        line = line.strip()
        m = re.fullmatch(r"([LBR]): \{", line)
        if m:
            coordinate = m.group(1)
            continue
        m = re.fullmatch(r'"(\d)": \[', line)
        if m:
            power = int(m.group(1))
            series[(coordinate, power)] = []
            continue
        if line.startswith("[NaN"):
            skipped.append("%s %s%d" % (body, coordinate, power))
            continue
        m = re.fullmatch(r"\[([-0-9.eE+]+), ([-0-9.eE+]+), ([-0-9.eE+]+)\],?", line)
        if m:
            series[(coordinate, power)].append(tuple(m.groups()))
        elif line.startswith("["):
            sys.exit("unread row in %s: %s" % (body, line))
    return series


def sample_millennia():
    """SAMPLES instants over 1800-2200: even steps, each moved by a golden-ratio share of a step."""
    step = (LAST_MILLENNIA - FIRST_MILLENNIA) / SAMPLES
    k = np.arange(SAMPLES)
    return FIRST_MILLENNIA + step * (k + np.mod(k * 0.6180339887, 1.0))


def evaluate(terms, t):
    """Sum over (coordinate, power, A, B, C) of A cos(B + C t) t^power, per coordinate."""
    sums = {c: np.zeros_like(t) for c in COORDINATES}
    for c in COORDINATES:
        for k in range(MAX_POWER + 1):
            rows = [(a, b, cc) for (cd, p, a, b, cc) in terms if cd == c and p == k]
            for first in range(0, len(rows), CHUNK):
                block = np.array(rows[first:first + CHUNK])
                part = block[:, 0] @ np.cos(block[:, 1:2] + block[:, 2:3] * t[None, :])
                sums[c] += part * t ** k
    return sums


def cartesian(lbr):
    cos_b = np.cos(lbr["B"])
    return np.stack([lbr["R"] * cos_b * np.cos(lbr["L"]), lbr["R"] * cos_b * np.sin(lbr["L"]),
                     lbr["R"] * np.sin(lbr["B"])])


def angle_arcsec(u, v):
    """Angle between the columns of u and of v, arcseconds."""
    c = np.linalg.norm(np.cross(u, v, axis=0), axis=0)
    return np.arctan2(c, np.sum(u * v, axis=0)) * ARCSEC_PER_RAD


def flat_terms(series):
    return [(c, k, float(a), float(b), float(cc)) for (c, k), rows in series.items()
            for (a, b, cc) in rows]


def rank(body, term):
    c, k, a, _, _ = term
    size = abs(a) * max(abs(FIRST_MILLENNIA), LAST_MILLENNIA) ** k
    return size / MEAN_DISTANCE_AU[body] if c == "R" else size


def truncate(body, terms, t, error_of):
    """Terms kept: the smallest dropped, STEP_TERMS at a time, while error_of(dropped sums) <= 1."""
    order = sorted(range(len(terms)), key=lambda i: rank(body, terms[i]))
    dropped = {c: np.zeros_like(t) for c in COORDINATES}
    count = 0
    while count < len(order):
        step = [terms[i] for i in order[count:count + STEP_TERMS]]
        part = evaluate(step, t)
        trial = {c: dropped[c] + part[c] for c in COORDINATES}
        if error_of(trial) > 1.0:
            break
        dropped = trial
        count += len(step)
    removed = set(order[:count])
    return [term for i, term in enumerate(terms) if i not in removed]


def minus(full, dropped):
    return {c: full[c] - dropped[c] for c in COORDINATES}


def main():
    folder = package_folder()
    t = sample_millennia()
    skipped = []
    series = {body: read_series(folder, body, skipped) for body in BODIES}
    terms = {body: flat_terms(series[body]) for body in BODIES}
    full = {body: evaluate(terms[body], t) for body in BODIES}
    xyz = {body: cartesian(full[body]) for body in BODIES}
    earth = xyz["earth"]

    kept = {}
    for body in PLANETS:
        limit = LIMIT_ARCSEC[body]
        geocentric = xyz[body] - earth

        def planet_error(dropped, body=body, geocentric=geocentric, limit=limit):
            seen = np.max(angle_arcsec(cartesian(minus(full[body], dropped)) - earth, geocentric))
            heliocentric = max(np.max(np.abs(dropped["L"])), np.max(np.abs(dropped["B"]))) * ARCSEC_PER_RAD
            return max(seen / (OWN_SHARE * limit), heliocentric / (HELIOCENTRIC_SHARE * limit))
        kept[body] = truncate(body, terms[body], t, planet_error)

    def earth_error(dropped):
        moved = cartesian(minus(full["earth"], dropped))
        return max(np.max(angle_arcsec(xyz[p] - moved, xyz[p] - earth)) /
                   (EARTH_SHARE * LIMIT_ARCSEC[p]) for p in PLANETS)
    kept["earth"] = truncate("earth", terms["earth"], t, earth_error)

    truncated = {body: evaluate(kept[body], t) for body in BODIES}
    earth_truncated = cartesian(truncated["earth"])
    report = []
    failed = False
    for body in BODIES:
        heliocentric = [np.max(np.abs(truncated[body][c] - full[body][c])) for c in COORDINATES]
        line = "%-8s %5d of %5d terms; heliocentric L %.3f\" B %.3f\" R %.2e AU" % (
            body, len(kept[body]), len(terms[body]), heliocentric[0] * ARCSEC_PER_RAD,
            heliocentric[1] * ARCSEC_PER_RAD, heliocentric[2])
        if body in PLANETS:
            geocentric = np.max(angle_arcsec(cartesian(truncated[body]) - earth_truncated, xyz[body] - earth))
            line += "; geocentric %.3f\" (limit %.1f\")" % (geocentric, LIMIT_ARCSEC[body])
            failed |= geocentric > LIMIT_ARCSEC[body]
        report.append(line)

    rows = []
    index = []
    first = 0
    for b, body in enumerate(BODIES):
        chosen = set(kept[body])
        for c_index, c in enumerate(COORDINATES):
            for k in range(MAX_POWER + 1):
                group = [r for r in series[body].get((c, k), [])
                         if (c, k, float(r[0]), float(r[1]), float(r[2])) in chosen]
                if not group:
                    continue
                index.append("    {%d, %d, %d, %d, %d},  // %s %s%d" % (
                    b, c_index, k, first, len(group), body.capitalize(), c, k))
                rows.append("    // %s %s%d" % (body.capitalize(), c, k))
                rows.extend("    {%s, %s, %s}," % r for r in group)
                first += len(group)
    term_rows = first

    out = []
    out.append("// Generated by tools/make_vsop87.py from VSOP87D (Bretagnon & Francou, 1988) as the npm")
    out.append("// package astronomia 4.2.0 holds it (MIT licence); do not edit. Truncated:")
    for line in report:
        out.append("//   " + line)
    out.append("// measured at %d instants over 1800-2200 against the full series." % SAMPLES)
    out.append("// Rows of NaN in the package, skipped: %s." % ", ".join(skipped))
    out.append("// Terms A cos(B + C T): A in radians (L, B) or AU (R), B in radians, C in radians per")
    out.append("// Julian millennium of TT; grouped by body, coordinate and power of T as kVsop87Series says.")
    out.append("static constexpr Vsop87Term kVsop87Terms[] = {")
    out.extend(rows)
    out.append("};")
    out.append("// Body (Mercury ... Neptune, Earth), coordinate (0 L, 1 B, 2 R), power of T, first row, rows.")
    out.append("static constexpr Vsop87Series kVsop87Series[] = {")
    out.extend(index)
    out.append("};")
    OUTPUT.write_text("\n".join(out) + "\n")
    sys.stderr.write("skipped NaN rows: %s\n" % ", ".join(skipped))
    sys.stderr.write("\n".join(report) + "\n%d terms, %d bytes\n" % (term_rows, OUTPUT.stat().st_size))
    if failed:
        sys.exit("a planet exceeds its limit")


if __name__ == "__main__":
    main()
