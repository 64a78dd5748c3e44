#include "reports/sky_details.h"

#include <cmath>
#include <cstdio>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/moon_disk.h"
#include "astro/refraction.h"
#include "astro/rise_set.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"

namespace qv {

namespace {

constexpr double kMjdToJd = 2400000.5;
constexpr double kDegreesPerHour = 15.0;
constexpr double kFullCircleDeg = 360.0;
constexpr int kEventTimeLength = 12;
constexpr const char* kTwilightLabels[kTwilightCount] = {
    "\nCivil Twilight            : ", "\nNautical Twilight      : ", "\nAstronomical Twilight: "};

// The instant and place of the settings: MJD of UT and the location in radians.
struct Moment {
    double mjdUT;
    double deltaTSeconds;  // TT - UT of the moment's own year
    double latitudeRad;
    double longitudeRad;
};

Moment momentOf(const SettingsRecord& s)
{
    const double hours = dmsToDecimal(s.time.hour, s.time.minute, s.time.second);
    const Instant instant =
        instantAtUT(utFromLocalDate(s.time.day, s.time.month, s.time.year, hours, s.time.zone), deltaTRule(s.time));
    return Moment{instant.mjdUT, instant.deltaTSeconds, s.observer.latitudeDeg * kRadPerDeg, s.observer.longitudeDeg * kRadPerDeg};
}

// "R.A. ..h ..m ..s   Dec. ..d ..m ..s   " of a topocentric vector, after heading.
void appendPlace(std::string& text, const char* heading, const Vec3& topocentric)
{
    const PolarCoord polar = toPolar(topocentric);
    const double raHours = polar.longitude() * kDegPerRad / kDegreesPerHour;
    int d = 0;
    int m = 0;
    double s = 0.0;
    splitDmsWholeSeconds(raHours, d, m, s);
    if (d == 24)  // the last half second of the day rounds to 0h
        d = 0;
    text += heading;
    appendNumberText(text, "R.A. %2ih %2im %2.0fs   ", d, m, s);
    splitDmsWholeSeconds(polar.latitude() * kDegPerRad, d, m, s);
    appendNumberText(text, "Dec. %2id %2im %2.0fs   ", d, m, s);
}

// Topocentric azimuth and unrefracted altitude (radians) of a geocentric vector.
struct HorizonPlace {
    double azimuthRad = 0.0;
    double altitudeRad = 0.0;
};

HorizonPlace horizonPlace(const SettingsRecord& settings, const Moment& moment, double eqeqSeconds,
                          const Vec3& geocentric)
{
    HorizonPlace place;
    double distance = 0.0;
    horizonCoordinates(moment.mjdUT, eqeqSeconds, moment.latitudeRad, moment.longitudeRad, settings.observer.heightM,
                       true, geocentric, place.azimuthRad, place.altitudeRad, distance);
    return place;
}

// "    Azimuth ...   Elev. ... ": azimuth from north in [0, 360), elevation with refraction
// above the refraction floor.
void appendHorizon(std::string& text, const HorizonPlace& place, const char* end)
{
    const double altitude = place.altitudeRad + refraction(place.altitudeRad, kStandardPressureMbar,
                                                           kStandardTemperatureC);
    double azimuthDeg = place.azimuthRad * kDegPerRad;
    if (azimuthDeg < 0.0)
        azimuthDeg += kFullCircleDeg;
    appendNumberText(text, "    Azimuth%6.1lf   Elev.%6.1lf ", azimuthDeg, altitude * kDegPerRad);
    text += end;
}

// The observer and TT - UT of the moment for the event searches.
EventSite eventSite(const SettingsRecord& settings, const Moment& moment)
{
    return EventSite{moment.latitudeRad, moment.longitudeRad, settings.observer.heightM, moment.deltaTSeconds};
}

// "MMM DD HH:MM" (12 characters) of an event at mjdUT in the zone's time.
std::string eventTimeText(double mjdUT, const TimeZone& zone)
{
    char text[16];
    formatDateTime(localMjd(mjdUT, zone), text);
    return std::string(text, kEventTimeLength);
}

// "begin  -  end" of a twilight, or "Sun always below (above) h0Deg deg".
void appendTwilight(std::string& text, const RiseSet& twilight, const TimeZone& zone, int h0Deg)
{
    if (twilight.found()) {
        text += eventTimeText(twilight.riseUT, zone) + "  -  " + eventTimeText(twilight.setUT, zone);
        return;
    }
    char line[48];
    const bool below = twilight.status == RiseSetStatus::StaysBelow;
    std::snprintf(line, sizeof line, below ? "Sun always below %i deg" : "Sun always above %i deg", h0Deg);
    text += line;
}

void appendRiseSet(std::string& text, const RiseSet& events, const TimeZone& zone, const char* body)
{
    if (events.found()) {
        text += "Rise: " + eventTimeText(events.riseUT, zone) + "     Set: " +
                eventTimeText(events.setUT, zone);
        return;
    }
    text += body;
    const bool below = events.status == RiseSetStatus::StaysBelow;
    text += below ? " always below the horizon" : " always above the horizon";
}

// The Sun at the instant: geocentric and topocentric vectors stored, horizon place returned.
HorizonPlace placeSun(const SettingsRecord& settings, const Moment& moment, SkyState& state, double& eqeqSeconds)
{
    state.sunGeocentric =
        EARTH_RADII_PER_AU *
        sunApparentEquatorial(Instant{moment.mjdUT, moment.deltaTSeconds}, eqeqSeconds, state.sunLongitudeRad);
    state.sunTopocentric = state.sunGeocentric - observerPosition(moment.mjdUT, eqeqSeconds, moment.latitudeRad,
                                                                  moment.longitudeRad, settings.observer.heightM);
    return horizonPlace(settings, moment, eqeqSeconds, state.sunGeocentric);
}

void writeHeading(const SettingsRecord& settings, const Moment& moment, std::string& text)
{
    text = "Sky Circumstances for ";
    text.append(settings.observer.name);
    const bool packed = settings.display.dmsAngles;
    const Observer& observer = settings.observer;
    appendNumberText(text, "\nLat: %s   Long: %s   height: %g m\n\n", angleText(observer.latitudeDeg, packed).c_str(),
                     angleText(observer.longitudeDeg, packed).c_str(), observer.heightM);
    char line[64];
    std::snprintf(line, sizeof line, "%2i-", settings.time.day);
    text += line;
    monthAbbreviation(settings.time.month, line);
    text += line;
    std::snprintf(line, sizeof line, "-%4i   %2i:%2i:%2i", settings.time.year, settings.time.hour, settings.time.minute,
                  settings.time.second);
    text += line;
    std::snprintf(line, sizeof line, "    Timezone: %s", zoneLabelAt(moment.mjdUT, settings.time.zone).c_str());
    commaToPointOutsideParens(line);
    text += line;
    appendNumberText(text, "\n\nJulian Date:%14.4lf", moment.mjdUT + kMjdToJd);
    double sidereal = localSiderealTime(moment.mjdUT, settings.observer.longitudeDeg, 0.0);
    if (sidereal < 0.0)
        sidereal += kHoursPerDay;
    appendNumberText(text, "\nLocal Mean Sidereal Time (H.MMSS):%9.4lf\n\n", decimalToDdmmss(sidereal));
}

void writeSunPlace(const SettingsRecord& settings, const Moment& moment, SkyState& state, std::string& text)
{
    double eqeqSeconds = 0.0;
    const HorizonPlace place = placeSun(settings, moment, state, eqeqSeconds);
    text.clear();
    appendPlace(text, "SUN:\n\n", state.sunTopocentric);
    appendHorizon(text, place, "");
}

void writeSunEvents(const SettingsRecord& settings, const Moment& moment, SkyState& state, std::string& text)
{
    double eqeqSeconds = 0.0;
    const HorizonPlace place = placeSun(settings, moment, state, eqeqSeconds);
    text.assign(1, '\n');
    const SunEvents events = sunEvents(eventSite(settings, moment), moment.mjdUT, state.sunGeocentric,
                                       place.altitudeRad * kDegPerRad, eqeqSeconds);
    appendRiseSet(text, events.horizon, settings.time.zone, "Sun");
    for (int i = 0; i < events.twilightLines; ++i) {
        text += kTwilightLabels[i];
        appendTwilight(text, events.twilights[i], settings.time.zone, kTwilightAltitudesDeg[i]);
    }
}

void writeMoon(const SettingsRecord& settings, const Moment& moment, SkyState& state, std::string& text)
{
    double eqeqSeconds = 0.0;
    state.moonGeocentric =
        moonApparentEquatorial(Instant{moment.mjdUT, moment.deltaTSeconds}, eqeqSeconds, state.moonLongitudeRad);
    state.moonTopocentric = state.moonGeocentric - observerPosition(moment.mjdUT, eqeqSeconds, moment.latitudeRad,
                                                                    moment.longitudeRad, settings.observer.heightM);
    const Vec3 moonToSun = state.sunGeocentric - state.moonGeocentric;
    const MoonDisk disk = moonPhysicalData(moment.mjdUT, state.moonTopocentric, moonToSun);
    const double magnitude = moonApparentMagnitude(state.moonTopocentric, moonToSun);

    text.clear();
    appendPlace(text, "\n\nMOON:\n\n", state.moonTopocentric);
    const HorizonPlace place = horizonPlace(settings, moment, eqeqSeconds, state.moonGeocentric);
    appendHorizon(text, place, "\r\n");
    const RiseSet events =
        moonRiseSet(eventSite(settings, moment), moment.mjdUT, state.moonGeocentric, norm(state.moonTopocentric),
                    place.altitudeRad * kDegPerRad, eqeqSeconds);
    appendRiseSet(text, events, settings.time.zone, "Moon");

    appendNumberText(text, "\n\nIlluminated disk:%5.2lf     Phase:%6.3lf",
                  moonIlluminatedFraction(state.sunGeocentric, state.moonGeocentric),
                  moonPhase(state.moonLongitudeRad, state.sunLongitudeRad));
    appendNumberText(text, "\nLibration Angles:  L:%7.2lf    B:%7.2lf", disk.librationLongitudeDeg,
                  disk.librationLatitudeDeg);
    appendNumberText(text, "\nTerminator:%7.1lf      App.Mag:%7.1lf", disk.terminatorDeg, magnitude);
    const double cosSeparation = dot(unitVector(state.sunTopocentric), unitVector(state.moonTopocentric));
    const double separationDeg = std::fabs(cosSeparation) > 1.0 ? 0.0 : std::acos(cosSeparation) * kDegPerRad;
    appendNumberText(text, "\nAngular Separation Sun - Moon:%7.2lf deg", separationDeg);
}

}  // namespace

void skyDetailsSection(const SettingsRecord& settings, SkyState& state, std::string& text, int section)
{
    const Moment moment = momentOf(settings);
    switch (section) {
    case kSkyHeading:
        writeHeading(settings, moment, text);
        break;
    case kSkySunPlace:
        writeSunPlace(settings, moment, state, text);
        break;
    case kSkySunEvents:
        writeSunEvents(settings, moment, state, text);
        break;
    case kSkyMoon:
        writeMoon(settings, moment, state, text);
        break;
    default:
        text.clear();
        break;
    }
}

std::string skyDetailsText(const SettingsRecord& settings)
{
    SkyState state;
    std::string text = " ";
    std::string section;
    for (int i = kSkyHeading; i <= kSkyMoon; ++i) {
        skyDetailsSection(settings, state, section, i);
        text += section;
    }
    return text;
}

}  // namespace qv
