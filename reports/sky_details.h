#pragma once
// The sky details of one instant and place, as the Sun and Moon dialog shows them: heading
// with Julian Date and sidereal time, the Sun's topocentric place, rise, set and twilights, the
// Moon's place, rise and set, illuminated disk, phase, libration, terminator, magnitude and
// its distance from the Sun. Elevations are printed with refraction.
#include <string>

#include "base/settings.h"
#include "base/vector.h"

namespace qv {

// The sections of the text, in the order they are shown.
constexpr int kSkyHeading = 1;
constexpr int kSkySunPlace = 2;
constexpr int kSkySunEvents = 3;
constexpr int kSkyMoon = 4;

// Values of the instant handed from section to section: the Sun's by sections 2 and 3, the
// Moon's by section 4, which needs the Sun's of the same instant. Earth radii, true equator.
struct SkyState {
    Vec3 sunGeocentric;
    Vec3 sunTopocentric;
    double sunLongitudeRad = 0.0;  // mean ecliptic longitude of date
    Vec3 moonGeocentric;
    Vec3 moonTopocentric;
    double moonLongitudeRad = 0.0;
};

// Replaces text by the section's text for the date, time, zone and place of settings; any
// other section gives an empty text.
void skyDetailsSection(const SettingsRecord& settings, SkyState& state, std::string& text, int section);

// The dialog's text: a single blank, then sections 1 to 4.
std::string skyDetailsText(const SettingsRecord& settings);

}  // namespace qv
