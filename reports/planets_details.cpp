#include "reports/planets_details.h"

#include <cmath>

#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"
#include "reports/sky_details.h"

namespace qv {

namespace {

// "MMM DD HH:MM" of an event in the zone's time, or "  --  " when there is none.
std::string eventText(const std::optional<double>& mjdUT, const TimeZone& zone)
{
    if (!mjdUT)
        return "    --      ";
    char text[kDateTimeLength + 1] = {};
    formatDateTime(localMjd(*mjdUT, zone), text);
    return std::string(text, kDateTimeShown);
}

std::string csvEvent(const std::optional<double>& mjdUT) { return mjdUT ? isoSecondUT(*mjdUT) : "-"; }

// One number of a CSV line and its comma.
std::string csvNumber(const char* format, double value)
{
    std::string text;
    appendNumberText(text, format, value);
    return text + ",";
}

// Right ascension in hours and declination in degrees of a true-equatorial vector.
void raDec(const Vec3& equatorial, double& raHours, double& decDeg)
{
    const PolarCoord polar = toPolar(equatorial);
    raHours = polar.longitude() * kDegPerRad / kDegPerHour;
    if (raHours < 0.0)
        raHours += 24.0;
    decDeg = polar.latitude() * kDegPerRad;
}

}  // namespace

std::vector<PlanetDetails> planetsDetails(const SettingsRecord& settings)
{
    const Instant moment = skyMoment(settings);
    const double latitudeRad = settings.observer.latitudeDeg * kRadPerDeg;
    const double longitudeRad = settings.observer.longitudeDeg * kRadPerDeg;
    std::vector<PlanetDetails> planets;
    for (int p = 0; p < kPlanets; ++p) {
        PlanetDetails details;
        details.planet = static_cast<Planet>(p);
        details.place = planetPlace(details.planet, moment);
        details.horizontal = planetHorizontal(details.place, latitudeRad, longitudeRad, settings.observer.heightM);
        details.constellation = constellationOf(details.place.equatorial, moment.centuriesTT());
        details.events = planetDayEvents(details.planet, moment, latitudeRad, longitudeRad);
        planets.push_back(details);
    }
    return planets;
}

std::string planetsDetailsText(const SettingsRecord& settings, const std::vector<PlanetDetails>& planets)
{
    const TimeZone& zone = settings.time.zone;
    std::string text = "Planets for " + trimmedLocationName(settings.observer.name);
    const bool packed = settings.display.dmsAngles;
    appendNumberText(text, "\nLat: %s   Long: %s   height: %g m\n", angleText(settings.observer.latitudeDeg, packed).c_str(),
                     angleText(settings.observer.longitudeDeg, packed).c_str(), settings.observer.heightM);
    if (!planets.empty()) {
        const double momentUT = planets.front().place.instant.mjdUT;
        text += eventText(momentUT, zone) + "   Timezone " + zoneLabelAt(momentUT, zone) + "\n";
    }
    for (const PlanetDetails& d : planets) {
        double raHours = 0.0, decDeg = 0.0;
        raDec(d.place.equatorial, raHours, decDeg);
        int h = 0, m = 0;
        double s = 0.0;
        splitDmsWholeSeconds(raHours, h, m, s);
        appendNumberText(text, "\n%-8s  R.A. %2ih %2im %2.0fs", planetName(d.planet), h % 24, m, s);
        splitDmsWholeSeconds(decDeg, h, m, s);
        appendNumberText(text, "   Dec. %3id %2im %2.0fs", h, m, s);
        appendNumberText(text, "   Azimuth%6.1lf   Elev.%6.1lf", d.horizontal.azimuthDeg, d.horizontal.altitudeDeg);
        appendNumberText(text, "\n          magnitude %5.1lf   elongation %5.1lf deg %s   illuminated %4.2lf",
                         d.place.magnitude, d.place.elongationRad * kDegPerRad, d.place.eastOfSun ? "E" : "W",
                         d.place.illuminatedFraction);
        text += std::string("   in ") + (d.constellation.found() ? d.constellation.name : "?");
        text += "\n          rise " + eventText(d.events.riseUT, zone) + "   transit " +
                eventText(d.events.transitUT, zone) + "   set " + eventText(d.events.setUT, zone) + "\n";
    }
    return text;
}

std::string planetsDetailsText(const SettingsRecord& settings)
{
    return planetsDetailsText(settings, planetsDetails(settings));
}

std::string planetsCsv(const std::vector<PlanetDetails>& planets)
{
    std::string text =
        "body,ra_hours,dec_deg,alt_deg,az_deg,mag,elongation_deg,illuminated_fraction,constellation,rise_ut,transit_ut,"
        "set_ut\n";
    for (const PlanetDetails& d : planets) {
        double raHours = 0.0, decDeg = 0.0;
        raDec(d.place.equatorial, raHours, decDeg);
        text += std::string(planetName(d.planet)) + "," + csvNumber("%.6f", raHours) + csvNumber("%.5f", decDeg) +
                csvNumber("%.3f", d.horizontal.altitudeDeg) + csvNumber("%.3f", d.horizontal.azimuthDeg) +
                csvNumber("%.2f", d.place.magnitude) + csvNumber("%.3f", d.place.elongationRad * kDegPerRad) +
                csvNumber("%.4f", d.place.illuminatedFraction) + d.constellation.abbreviation + "," + csvEvent(d.events.riseUT) + "," +
                csvEvent(d.events.transitUT) + "," + csvEvent(d.events.setUT) + "\n";
    }
    return text;
}

}  // namespace qv
