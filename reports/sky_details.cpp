#include "reports/sky_details.h"

#include <cstdio>

#include "base/julian.h"
#include "base/number_text.h"

namespace qv {

namespace {

constexpr int kEventTimeLength = 12;
constexpr long long kSecondsPerMinuteWhole = 60;
constexpr long long kSecondsPerHourWhole = 3600;
constexpr long long kSecondsPerDayWhole = 86400;
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

// The hour of day of the typed local time.
double typedHours(const TimeSettings& time) { return dmsToDecimal(time.hour, time.minute, time.second); }

// The typed local date and time as the heading shows them: moved forward by the gap when the
// clocks skipped them, to the time the page is computed for (02:30 in a 02:00 -> 03:00 change
// shows as 03:30).
TimeSettings shownTime(const TimeSettings& time)
{
    const long long skippedS = skippedSeconds(time.day, time.month, time.year, typedHours(time), time.zone);
    if (skippedS == 0)
        return time;
    const long long secondsOfDay =
        time.hour * kSecondsPerHourWhole + time.minute * kSecondsPerMinuteWhole + time.second + skippedS;
    const DayMonthYear date =
        civilDate(modifiedJulianDate(time.day, time.month, time.year, 0.0) + secondsOfDay / kSecondsPerDayWhole);
    TimeSettings shown = time;
    shown.day = date.day;
    shown.month = date.month;
    shown.year = date.year;
    shown.hour = static_cast<int>(secondsOfDay % kSecondsPerDayWhole / kSecondsPerHourWhole);
    shown.minute = static_cast<int>(secondsOfDay % kSecondsPerHourWhole / kSecondsPerMinuteWhole);
    shown.second = static_cast<int>(secondsOfDay % kSecondsPerMinuteWhole);
    return shown;
}

void appendHeading(const SettingsRecord& settings, const SkyCircumstances& sky, std::string& text)
{
    text += "Sky Circumstances for ";
    text.append(settings.observer.name);
    const bool packed = settings.display.dmsAngles;
    const Observer& observer = settings.observer;
    appendNumberText(text, "\nLat: %s   Long: %s   height: %g m\n\n", angleText(observer.latitudeDeg, packed).c_str(),
                     angleText(observer.longitudeDeg, packed).c_str(), observer.heightM);
    const TimeSettings shown = shownTime(settings.time);
    char line[64];
    std::snprintf(line, sizeof line, "%2i-", shown.day);
    text += line;
    monthAbbreviation(shown.month, line);
    text += line;
    std::snprintf(line, sizeof line, "-%4i   %2i:%2i:%2i", shown.year, shown.hour, shown.minute, shown.second);
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
    return instantAtUT(utFromLocalDate(time.day, time.month, time.year, typedHours(time), time.zone),
                       deltaTRule(time));
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
