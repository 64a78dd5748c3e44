#pragma once
// The sky of one instant and place: the Sun's and the Moon's places seen by the observer, their
// rise and set and the Sun's twilights around the instant, and the Moon's disk (illumination,
// phase, libration, terminator, magnitude). Vectors are true-equatorial in Earth radii; event
// times are MJDs of UT (astro/rise_set.h says how they are chosen).
#include "astro/moon_disk.h"
#include "astro/rise_set.h"
#include "base/instant.h"
#include "base/observer.h"
#include "base/vector.h"

namespace qv {

// One body seen by the observer at the instant.
struct BodyPlace {
    Vec3 geocentric;                    // from the Earth's centre
    Vec3 topocentric;                   // from the observer
    double rightAscensionHours = 0.0;   // topocentric, [0, 24)
    double declinationDeg = 0.0;        // topocentric
    double azimuthDeg = 0.0;            // from north through east, [0, 360)
    double altitudeDeg = 0.0;           // topocentric, without refraction
    double refractedAltitudeDeg = 0.0;  // with the standard refraction, as the eye sees it
    double distanceEarthRadii = 0.0;    // from the observer
    double eclipticLongitudeRad = 0.0;  // geocentric, mean ecliptic of date
};

struct SkyCircumstances {
    Instant moment;
    double julianDate = 0.0;
    double meanSiderealTimeHours = 0.0;  // local mean sidereal time, [0, 24)
    BodyPlace sun;
    SunEvents sunEvents;                 // rise, set and twilights, each with its status
    BodyPlace moon;
    RiseSet moonEvents;
    double moonIlluminatedFraction = 0.0;  // seen from the Earth's centre, 0 to 1
    double moonPhase = 0.0;                // 0 New, 0.25 First Quarter, 0.5 Full, 0.75 Last Quarter
    MoonDisk moonDisk;                     // libration and terminator
    double moonMagnitude = 0.0;            // apparent visual magnitude
    double sunMoonSeparationDeg = 0.0;     // topocentric
};

// The sky at moment for the observer (latitude, longitude and height; the name is not used).
SkyCircumstances skyCircumstances(const Instant& moment, const Observer& observer);

// Only the Sun's rise, set and twilights of skyCircumstances, the same times without the rest.
SunEvents sunEventsAt(const Instant& moment, const Observer& observer);

// The Sun's upper transit for the observer first at or after moment, as an MJD of UT.
double sunTransitAfter(const Instant& moment, const Observer& observer);

}  // namespace qv
