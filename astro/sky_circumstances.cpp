#include "astro/sky_circumstances.h"

#include <cmath>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/refraction.h"
#include "astro/sun.h"
#include "base/constants.h"

namespace qv {

namespace {

constexpr double kJulianDateOfMjdZero = 2400000.5;
constexpr double kDegreesPerHour = 15.0;
constexpr double kFullCircleDeg = 360.0;

// The observer in radians, with the TT - UT of the moment for the event searches.
EventSite eventSite(const Instant& moment, const Observer& observer)
{
    return EventSite{observer.latitudeDeg * kRadPerDeg, observer.longitudeDeg * kRadPerDeg, observer.heightM,
                     moment.deltaTSeconds};
}

// The place of a body from its geocentric vector at the moment; eqeqSeconds is that of the
// body's own series evaluation.
BodyPlace bodyPlace(const Instant& moment, const EventSite& site, double eqeqSeconds, const Vec3& geocentric,
                    double eclipticLongitudeRad)
{
    BodyPlace place;
    place.geocentric = geocentric;
    place.topocentric = geocentric - observerPosition(moment.mjdUT, eqeqSeconds, site.latitudeRad,
                                                      site.longitudeRad, site.heightM);
    place.eclipticLongitudeRad = eclipticLongitudeRad;
    place.distanceEarthRadii = norm(place.topocentric);

    const PolarCoord polar = toPolar(place.topocentric);
    place.rightAscensionHours = polar.longitude() * kDegPerRad / kDegreesPerHour;
    place.declinationDeg = polar.latitude() * kDegPerRad;

    double azimuthRad = 0.0;
    double altitudeRad = 0.0;
    double distance = 0.0;
    horizonCoordinates(moment.mjdUT, eqeqSeconds, site.latitudeRad, site.longitudeRad, site.heightM, true, geocentric,
                       azimuthRad, altitudeRad, distance);
    place.azimuthDeg = azimuthRad * kDegPerRad;
    if (place.azimuthDeg < 0.0)
        place.azimuthDeg += kFullCircleDeg;
    place.altitudeDeg = altitudeRad * kDegPerRad;
    place.refractedAltitudeDeg =
        (altitudeRad + refraction(altitudeRad, kStandardPressureMbar, kStandardTemperatureC)) * kDegPerRad;
    return place;
}

double meanSiderealTimeHours(const Instant& moment, const Observer& observer)
{
    const double hours = localSiderealTime(moment.mjdUT, observer.longitudeDeg, 0.0);
    return hours < 0.0 ? hours + kHoursPerDay : hours;
}

void addMoonDisk(SkyCircumstances& sky)
{
    const Vec3 moonToSun = sky.sun.geocentric - sky.moon.geocentric;
    sky.moonIlluminatedFraction = moonIlluminatedFraction(sky.sun.geocentric, sky.moon.geocentric);
    sky.moonPhase = moonPhase(sky.moon.eclipticLongitudeRad, sky.sun.eclipticLongitudeRad);
    sky.moonDisk = moonPhysicalData(sky.moment.mjdUT, sky.moon.topocentric, moonToSun);
    sky.moonMagnitude = moonApparentMagnitude(sky.moon.topocentric, moonToSun);
    const double cosSeparation = dot(unitVector(sky.sun.topocentric), unitVector(sky.moon.topocentric));
    sky.sunMoonSeparationDeg = std::fabs(cosSeparation) > 1.0 ? 0.0 : std::acos(cosSeparation) * kDegPerRad;
}

// The Sun's place at the moment; eqeqSeconds is that of its series evaluation.
BodyPlace sunPlace(const Instant& moment, const EventSite& site, double& eqeqSeconds)
{
    double longitudeRad = 0.0;
    const Vec3 sunVector = EARTH_RADII_PER_AU * sunApparentEquatorial(moment, eqeqSeconds, longitudeRad);
    return bodyPlace(moment, site, eqeqSeconds, sunVector, longitudeRad);
}

}  // namespace

SunEvents sunEventsAt(const Instant& moment, const Observer& observer)
{
    const EventSite site = eventSite(moment, observer);
    double eqeqSeconds = 0.0;
    const BodyPlace sun = sunPlace(moment, site, eqeqSeconds);
    return sunEvents(site, moment.mjdUT, sun.geocentric, sun.altitudeDeg, eqeqSeconds);
}

double sunTransitAfter(const Instant& moment, const Observer& observer)
{
    return sunTransitUT(eventSite(moment, observer), moment.mjdUT);
}

SkyCircumstances skyCircumstances(const Instant& moment, const Observer& observer)
{
    SkyCircumstances sky;
    sky.moment = moment;
    sky.julianDate = moment.mjdUT + kJulianDateOfMjdZero;
    sky.meanSiderealTimeHours = meanSiderealTimeHours(moment, observer);
    const EventSite site = eventSite(moment, observer);

    double eqeqSeconds = 0.0;
    sky.sun = sunPlace(moment, site, eqeqSeconds);
    sky.sunEvents = sunEvents(site, moment.mjdUT, sky.sun.geocentric, sky.sun.altitudeDeg, eqeqSeconds);

    double longitudeRad = 0.0;
    const Vec3 moonVector = moonApparentEquatorial(moment, eqeqSeconds, longitudeRad);
    sky.moon = bodyPlace(moment, site, eqeqSeconds, moonVector, longitudeRad);
    sky.moonEvents = moonRiseSet(site, moment.mjdUT, sky.moon.geocentric, sky.moon.distanceEarthRadii,
                                 sky.moon.altitudeDeg, eqeqSeconds);
    addMoonDisk(sky);
    return sky;
}

}  // namespace qv
