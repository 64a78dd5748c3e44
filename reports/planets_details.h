#pragma once
// The planets at one instant for the observer, as the Planets dialog shows them and as CSV for
// scripts: each planet's apparent place, altitude and azimuth, magnitude, elongation,
// illuminated fraction and constellation, and its first rise, transit and set within a day.
#include <string>
#include <vector>

#include "astro/constellation.h"
#include "astro/planet_sky.h"
#include "base/settings.h"

namespace qv {

struct PlanetDetails {
    Planet planet = Planet::Mercury;
    PlanetPlace place;
    Horizontal horizontal;
    Constellation constellation;
    PlanetDayEvents events;  // from the instant on
};

// Every planet, Mercury to Neptune, at the local date, time and zone of settings for its observer.
std::vector<PlanetDetails> planetsDetails(const SettingsRecord& settings);

// The dialog's text: a heading with the place and the instant, then a block a planet; times in
// the zone's local time.
std::string planetsDetailsText(const SettingsRecord& settings, const std::vector<PlanetDetails>& planets);
std::string planetsDetailsText(const SettingsRecord& settings);

// "body,ra_hours,dec_deg,alt_deg,az_deg,mag,elongation_deg,illuminated_fraction,constellation,
// rise_ut,transit_ut,set_ut", then one line a planet: apparent geocentric right ascension and
// declination of date, altitude without refraction, the constellation's abbreviation, the
// events as YYYY-MM-DDTHH:MM:SSZ or "-" when there is none.
std::string planetsCsv(const std::vector<PlanetDetails>& planets);

}  // namespace qv
