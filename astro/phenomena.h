#pragma once
// The planetary phenomena of a span of time: conjunctions and oppositions of the planets with
// the Sun, the greatest elongations of Mercury and Venus, the stations of every planet, the
// Moon's perigees and apogees, the Earth's perihelion and aphelion, and the conjunctions in
// ecliptic longitude of the Moon with each planet and of two planets Mercury to Saturn closer
// than 5 degrees. Every event is bracketed by a scan at a step shorter than the quickest
// change it can follow and refined to the second (base/search.h). Longitudes are apparent
// geocentric ecliptic longitudes of date; planets from astro/planets.h, the Moon and the
// Earth's distance from astro/moon.h and astro/sun.h.
// Against the same events from PyEphem's places (tools/ephem_phenomena.py) in 1900, 2000,
// 2024-2026 and 2100: the same 1,016 events; conjunctions, oppositions and greatest elongations
// within 92 s, stations within 39 min, perigees and apogees within 19 min and 14 km
// (tests/astro/phenomena_test.cpp). The Earth's perihelion and aphelion lie within 15 min of
// the published times of 2024 and 2026.
#include <string>
#include <vector>

#include "base/instant.h"

namespace qv {

enum class PhenomenonKind : int {
    Conjunction,             // of a planet Mars to Neptune with the Sun
    Opposition,
    InferiorConjunction,     // Mercury, Venus
    SuperiorConjunction,
    GreatestElongationEast,  // value: the elongation, degrees
    GreatestElongationWest,
    Station,                 // other: "retrograde" or "direct"
    Perigee,                 // of the Moon; value: distance, km
    Apogee,
    Perihelion,              // of the Earth; value: distance, AU
    Aphelion,
    MoonConjunction,         // other: the planet; value: the Moon's latitude minus the planet's, degrees
    PlanetConjunction,       // body and other: the two planets; value: their separation, degrees
};

struct Phenomenon {
    Instant instant;
    PhenomenonKind kind = PhenomenonKind::Conjunction;
    std::string body;   // "Mercury" ... "Neptune", "Moon", "Earth"
    std::string other;  // "Sun", a planet, "retrograde" / "direct", or empty
    bool hasValue = false;
    double value = 0.0;
};

// The event name of a kind as the CSV writes it: "conjunction", "greatest elongation east", ...
const char* phenomenonName(PhenomenonKind kind);

// Every phenomenon from start to endUT (UT MJDs; every instant takes the TT - UT of start), in
// the order of time.
std::vector<Phenomenon> phenomenaBetween(const Instant& start, double endUT);

}  // namespace qv
