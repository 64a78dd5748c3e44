#pragma once
// The sky details of one instant and place, as the Sun and Moon dialog shows them: heading
// with Julian Date and sidereal time, the Sun's topocentric place, rise, set and twilights, the
// Moon's place, rise and set, illuminated disk, phase, libration, terminator, magnitude and
// its distance from the Sun. Elevations are printed with refraction.
#include <string>

#include "astro/sky_circumstances.h"
#include "base/settings.h"

namespace qv {

// The instant of the local date, time and zone of settings, with its TT - UT.
Instant skyMoment(const SettingsRecord& settings);

// The sky at the local date, time and zone of settings for its observer.
SkyCircumstances skyDetails(const SettingsRecord& settings);

// The dialog's text of sky, computed for settings: a single blank, the heading, the Sun's
// place and events, the Moon.
std::string skyDetailsText(const SettingsRecord& settings, const SkyCircumstances& sky);

// The same text for the sky of settings.
std::string skyDetailsText(const SettingsRecord& settings);

}  // namespace qv
