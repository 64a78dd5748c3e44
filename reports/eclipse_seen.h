#pragma once
// An eclipse as the observer sees it, from the circumstances the details text shows: for a
// solar eclipse the Sun's and the Moon's discs at each contact and at the maximum, zenith up,
// and the obscuration with the Sun's altitude over the eclipse; for a lunar eclipse the Moon's
// path through the Earth's shadow, north up, with its contacts. Times local, written as the
// details text writes them.
#include <string>
#include <vector>

#include "base/settings.h"
#include "eclipse/circumstances.h"

namespace qv {

// One moment drawn as a disc pair: the Moon's centre from the Sun's in the observer's sky,
// x towards increasing azimuth (right), y towards the zenith, radians; both refracted.
struct SolarDiscs {
    std::string label;     // "First contact", "Sunrise", "Second contact", "Maximum", ...
    double mjdUT = 0.0;
    std::string timeText;  // as the details text writes this instant
    double moonXRad = 0.0;
    double moonYRad = 0.0;
    double sunRadiusRad = 0.0;
    double moonRadiusRad = 0.0;
    double sunAltitudeDeg = 0.0;  // refracted
    double obscuration = 0.0;
};

// One sample of the course of a solar eclipse at the place.
struct ObscurationSample {
    double mjdUT = 0.0;
    double obscuration = 0.0;     // share of the Sun's disc covered, 0 to 1
    double sunAltitudeDeg = 0.0;  // refracted
};

// One point of the Moon's path: its centre from the shadow's axis in the sky, east and north,
// radians.
struct ShadowOffset {
    double eastRad = 0.0;
    double northRad = 0.0;
};

struct LunarContact {
    std::string label;     // "P1", "U1", "U2", "Max", "U3", "U4", "P4"
    double mjdUT = 0.0;
    std::string timeText;  // as the details text writes this instant
    ShadowOffset moon;
    bool moonUp = false;   // above the place's horizon
};

struct EclipseSeen {
    bool found = false;  // the settings' year has an eclipse of that number
    EclipseKind kind = EclipseKind::None;
    std::string title;     // "Total Eclipse of the Sun", ...
    std::string place;
    std::string zoneLabel;  // the zone as the details name it at the greatest eclipse
    TimeZone zone;          // of every time shown
    bool visible = false;   // seen from the place at all
    bool southernView = false;  // the place is south of the equator

    // Solar eclipses.
    std::vector<SolarDiscs> discs;             // in the order of time
    std::vector<ObscurationSample> course;     // from before the first to after the last contact
    bool risesEclipsed = false;
    bool setsEclipsed = false;

    // Lunar eclipses.
    double moonRadiusRad = 0.0;
    double umbraRadiusRad = 0.0;
    double penumbraRadiusRad = 0.0;
    std::vector<ShadowOffset> path;     // from before P1 to after P4
    std::vector<LunarContact> contacts; // in the order of time
};

// The eclipse numbered eclipseNumber (from 1) of the settings' year seen from the settings'
// place; found is false when there is no such eclipse.
EclipseSeen eclipseSeen(const SettingsRecord& settings, int eclipseNumber);

// The same for one eclipse with its circumstances at the settings' place.
EclipseSeen eclipseSeen(const SettingsRecord& settings, const EclipseEvent& eclipse,
                        const EclipseCircumstances& circumstances);

}  // namespace qv
