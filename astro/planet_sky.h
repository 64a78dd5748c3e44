#pragma once
// A planet in the observer's sky: altitude and azimuth at an instant, and its first rise,
// transit and set within a day. Rise and set are the crossings of the apparent horizon of a
// point source, -34' without refraction (kPlanetHorizonDeg); the transit is the upper
// culmination. A scan every 10 minutes over the day, on the planet's place interpolated
// between the day's ends, brackets each event; the event is then refined to the second on the
// exact place (base/search.h). Places are topocentric (the planets' parallax is at most 30"
// for Venus); the events are taken at sea level.
#include <optional>

#include "astro/planets.h"

namespace qv {

constexpr double kPlanetHorizonDeg = -0.5667;

// Topocentric altitude (without refraction) and azimuth (from north through east, [0, 360)),
// degrees, for an observer heightM above sea level.
struct Horizontal {
    double altitudeDeg = 0.0;
    double azimuthDeg = 0.0;
};
Horizontal planetHorizontal(const PlanetPlace& place, double latitudeRad, double longitudeRad, double heightM);

// The first rise, upper transit and set at or after from, within 24 hours (MJDs of UT); none
// when there is no such event in that day (a planet that stays up or down, near the poles).
struct PlanetDayEvents {
    std::optional<double> riseUT;
    std::optional<double> transitUT;
    std::optional<double> setUT;
};
PlanetDayEvents planetDayEvents(Planet planet, const Instant& from, double latitudeRad, double longitudeRad);

}  // namespace qv
