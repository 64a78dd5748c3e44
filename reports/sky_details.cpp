#include "reports/sky_details.h"

#include <cstdio>

#include "base/julian.h"
#include "base/number_text.h"

namespace qv {

namespace {

constexpr int kEventTimeLength = 12;
constexpr const char* kTwilightLabels[kTwilightCount] = {
    "\nCivil Twilight            : ", "\nNautical Twilight      : ", "\nAstronomical Twilight: "};

// "R.A. ..h ..m ..s   Dec. ..d ..m ..s   " of a body's place, after heading.
void appendPlace(std::string& text, const char* heading, const BodyPlace& place)
{
    int d = 0;
    int m = 0;
    double s = 0.0;
    splitDmsWholeSeconds(place.rightAscensionHours, d, m, s);
    if (d == 24)  // the last half second of the day rounds to 0h
        d = 0;
    text += heading;
    appendNumberText(text, "R.A. %2ih %2im %2.0fs   ", d, m, s);
    splitDmsWholeSeconds(place.declinationDeg, d, m, s);
    appendNumberText(text, "Dec. %2id %2im %2.0fs   ", d, m, s);
}

// "    Azimuth ...   Elev. ... ": the elevation with refraction.
void appendHorizon(std::string& text, const BodyPlace& place, const char* end)
{
    appendNumberText(text, "    Azimuth%6.1lf   Elev.%6.1lf ", place.azimuthDeg, place.refractedAltitudeDeg);
    text += end;
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

void appendHeading(const SettingsRecord& settings, const SkyCircumstances& sky, std::string& text)
{
    text += "Sky Circumstances for ";
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
    std::snprintf(line, sizeof line, "    Timezone: %s", zoneLabelAt(sky.moment.mjdUT, settings.time.zone).c_str());
    commaToPointOutsideParens(line);
    text += line;
    appendNumberText(text, "\n\nJulian Date:%14.4lf", sky.julianDate);
    appendNumberText(text, "\nLocal Mean Sidereal Time (H.MMSS):%9.4lf\n\n", decimalToDdmmss(sky.meanSiderealTimeHours));
}

void appendSun(const SkyCircumstances& sky, const TimeZone& zone, std::string& text)
{
    appendPlace(text, "SUN:\n\n", sky.sun);
    appendHorizon(text, sky.sun, "\n");
    appendRiseSet(text, sky.sunEvents.horizon, zone, "Sun");
    for (int i = 0; i < sky.sunEvents.twilightLines; ++i) {
        text += kTwilightLabels[i];
        appendTwilight(text, sky.sunEvents.twilights[i], zone, kTwilightAltitudesDeg[i]);
    }
}

void appendMoon(const SkyCircumstances& sky, const TimeZone& zone, std::string& text)
{
    appendPlace(text, "\n\nMOON:\n\n", sky.moon);
    appendHorizon(text, sky.moon, "\r\n");
    appendRiseSet(text, sky.moonEvents, zone, "Moon");
    appendNumberText(text, "\n\nIlluminated disk:%5.2lf     Phase:%6.3lf", sky.moonIlluminatedFraction, sky.moonPhase);
    appendNumberText(text, "\nLibration Angles:  L:%7.2lf    B:%7.2lf", sky.moonDisk.librationLongitudeDeg,
                     sky.moonDisk.librationLatitudeDeg);
    appendNumberText(text, "\nTerminator:%7.1lf      App.Mag:%7.1lf", sky.moonDisk.terminatorDeg, sky.moonMagnitude);
    appendNumberText(text, "\nAngular Separation Sun - Moon:%7.2lf deg", sky.sunMoonSeparationDeg);
}

}  // namespace

Instant skyMoment(const SettingsRecord& settings)
{
    const TimeSettings& time = settings.time;
    const double hours = dmsToDecimal(time.hour, time.minute, time.second);
    return instantAtUT(utFromLocalDate(time.day, time.month, time.year, hours, time.zone), deltaTRule(time));
}

SkyCircumstances skyDetails(const SettingsRecord& settings)
{
    return skyCircumstances(skyMoment(settings), settings.observer);
}

std::string skyDetailsText(const SettingsRecord& settings, const SkyCircumstances& sky)
{
    std::string text = " ";
    appendHeading(settings, sky, text);
    appendSun(sky, settings.time.zone, text);
    appendMoon(sky, settings.time.zone, text);
    return text;
}

std::string skyDetailsText(const SettingsRecord& settings) { return skyDetailsText(settings, skyDetails(settings)); }

}  // namespace qv
