#include "reports/year_totals.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/rise_set.h"
#include "astro/sun.h"
#include "core/number_text.h"
#include "time/julian.h"

namespace qv {

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kDaysPerYear = 365;
constexpr int kDaysPerLeapYear = 366;
constexpr int kDaysIn1582 = 355;
constexpr int kFirstGregorianYear = 1583;
// The Sun and Moon series are evaluated every this many sampled minutes; between evaluations
// only the Earth's rotation is followed.
constexpr int kSeriesRefreshMinutes = 30;
// Solar constant, kW per square metre.
constexpr double kSolarConstantKw = 1.368;
constexpr double kMinutesPerHour = 60.0;

enum class Mode { Standard, Cutoff, Panel };

Mode modeOf(double cutoffDeg)
{
    if (cutoffDeg > kPanelModeAbove)
        return Mode::Panel;
    return cutoffDeg <= kCutoffModeUpTo ? Mode::Cutoff : Mode::Standard;
}

struct MinuteCounts {
    long sun = 0;
    long civil = 0;
    long nautical = 0;
    long astronomical = 0;
    long moon = 0;
    long dark = 0;
    long panel = 0;          // Sun above the true horizon
    double cosineSum = 0.0;  // positive incidence cosines on the panel
};

// Index of the first minute of a month (1..13, 13 being the next year's January).
long monthStartMinute(int year, int month, double yearStartMjd)
{
    const double mjd = month > 12 ? modifiedJulianDate(1, 1, year + 1, 0.0) : modifiedJulianDate(1, month, year, 0.0);
    return std::lround((mjd - yearStartMjd) * kMinutesPerDay);
}

// Counts the minutes of [first, last) after yearStartMjd. The series give the Sun and the
// Moon every kSeriesRefreshMinutes; each minute turns the stored vectors to the horizon with
// the site prepared once, the same arithmetic as horizonCoordinates.
MinuteCounts countMinutes(const SettingsRecord& settings, Mode mode, double cutoffDeg, double yearStartMjd,
                          long first, long last)
{
    const double latitudeRad = settings.latitude * kRadPerDeg;
    const double longitudeRad = settings.longitude * kRadPerDeg;
    const ObserverSite site = observerSite(latitudeRad, longitudeRad, settings.height);
    const double panelAzimuthRad = settings.panelAzimuth * kRadPerDeg;
    const double sinPanelElevation = std::sin(settings.panelElevation * kRadPerDeg);
    const double cosPanelElevation = std::cos(settings.panelElevation * kRadPerDeg);

    MinuteCounts counts;
    Vec3 sun;
    Vec3 moon;
    double eqeqSeconds = 0.0;
    double eclLongitudeRad = 0.0;
    int sinceRefresh = 0;
    for (long i = first; i < last; ++i) {
        const double t = yearStartMjd + static_cast<double>(i) / kMinutesPerDay;
        if (sinceRefresh == 0) {
            sun = EARTH_RADII_PER_AU * sunApparentEquatorial(settings, t, eqeqSeconds, eclLongitudeRad);
            if (mode != Mode::Panel)
                moon = moonApparentEquatorial(settings, t, eqeqSeconds, eclLongitudeRad);
        }
        sinceRefresh = (sinceRefresh + 1) % kSeriesRefreshMinutes;

        const SiderealRotation rotation = siderealRotation(t, eqeqSeconds, longitudeRad);
        const Vec3 sunHorizon = horizonVector(site, rotation, true, sun);
        const double sunAltitudeRad = latitudeOf(sunHorizon);
        if (mode == Mode::Panel) {
            if (sunAltitudeRad > 0.0) {
                ++counts.panel;
                const double azimuthRad = kPi - toPolar(sunHorizon).longitude();
                const double incidence = std::sin(sunAltitudeRad) * sinPanelElevation +
                                         std::cos(azimuthRad - panelAzimuthRad) * std::cos(sunAltitudeRad) *
                                             cosPanelElevation;
                if (incidence > 0.0)
                    counts.cosineSum += incidence;
            }
            counts.sun += sunAltitudeRad * kDegPerRad >= kHorizonAltitudeDeg;
            continue;
        }
        const double sunDeg = sunAltitudeRad * kDegPerRad;
        const double moonDeg = latitudeOf(horizonVector(site, rotation, true, moon)) * kDegPerRad;
        if (mode == Mode::Cutoff) {
            counts.sun += sunDeg >= cutoffDeg;
            counts.moon += moonDeg >= cutoffDeg;
            continue;
        }
        counts.sun += sunDeg >= kHorizonAltitudeDeg;
        counts.civil += sunDeg >= kTwilightAltitudesDeg[0];
        counts.nautical += sunDeg >= kTwilightAltitudesDeg[1];
        counts.astronomical += sunDeg >= kTwilightAltitudesDeg[2];
        counts.moon += moonDeg >= kHorizonAltitudeDeg;
        counts.dark += sunDeg <= kTwilightAltitudesDeg[2] && moonDeg < 0.0;
    }
    return counts;
}

template <typename... Values>
void appendLine(std::string& text, const char* format, Values... values)
{
    char line[128];
    std::snprintf(line, sizeof line, format, values...);
    commaToPoint(line);
    text += line;
}

double hours(long minutes) { return static_cast<double>(minutes) / kMinutesPerHour; }

void writeHeading(const SettingsRecord& settings, Mode mode, std::string& text)
{
    text = mode == Mode::Panel ? "Solar Panel Statistics for " : "Yearly Total for ";
    text.append(settings.locationName, strnlen(settings.locationName, kLocationNameMax));
    const bool dms = settings.dmsFlag != 0;
    appendLine(text, "\nLat: %g   Long: %g   height: %g m\n",
               dms ? decimalToDdmmss(settings.latitude) : settings.latitude,
               dms ? decimalToDdmmss(settings.longitude) : settings.longitude, settings.height);
    appendLine(text, " Year: %4i \n\n", settings.year);
    if (mode == Mode::Panel)
        appendLine(text, "\nAzimuth:%6.1lf  Elevation: %5.1lf  Efficiency: %6.2lf %% \n", settings.panelAzimuth,
                   settings.panelElevation, settings.panelEfficiency);
}

void writeCounts(const SettingsRecord& settings, Mode mode, double cutoffDeg, const MinuteCounts& counts,
                 std::string& text)
{
    switch (mode) {
    case Mode::Cutoff:
        appendLine(text, "\n  Sun higher than %5.1lf deg : %10.2lf hours \n", cutoffDeg, hours(counts.sun));
        appendLine(text, "\n  Moon higher than %5.1lf deg: %10.2lf hours \n", cutoffDeg, hours(counts.moon));
        return;
    case Mode::Standard:
        appendLine(text, "\n  Sunshine Hours:       %10.2lf h \n", hours(counts.sun));
        appendLine(text, "\n  Civil Twilight:       %10.2lf h ", hours(counts.civil));
        appendLine(text, "\n  Nautical Twilight:    %10.2lf h ", hours(counts.nautical));
        appendLine(text, "\n  Astronomical Twilight:%10.2lf h \n", hours(counts.astronomical));
        appendLine(text, "\n\n  Moonshine Hours:  %10.2lf h \n", hours(counts.moon));
        appendLine(text, "\n\n  Dark sky without Moon: %10.2lf h \n", hours(counts.dark));
        return;
    case Mode::Panel: {
        appendLine(text, "\n  Sunshine Hours:       %10.2lf h \n", hours(counts.sun));
        const double share = counts.panel > 0 ? counts.cosineSum / static_cast<double>(counts.panel) : 0.0;
        appendLine(text, "\n Sunshine Percentage received by solar panel: %8.2lf %% \n", 100.0 * share);
        appendLine(text, "\n Maximum Electricity produced per m^2: %g kWh \n",
                   share * kSolarConstantKw * hours(counts.sun) * settings.panelEfficiency / 100.0);
        if (!(settings.panelStartMonth <= 1 && settings.panelEndMonth > 11))
            appendLine(text, "\n Months Interval from %2i to %2i \n", settings.panelStartMonth,
                       settings.panelEndMonth);
        return;
    }
    }
}

}  // namespace

int minutesInYear(int year)
{
    if (year == 1582)
        return kDaysIn1582 * kMinutesPerDay;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0 || year < kFirstGregorianYear);
    return (leap ? kDaysPerLeapYear : kDaysPerYear) * kMinutesPerDay;
}

void yearlyTotalsReport(const SettingsRecord& settings, double cutoffDeg, std::string& text)
{
    const Mode mode = modeOf(cutoffDeg);
    writeHeading(settings, mode, text);
    const double yearStartMjd = modifiedJulianDate(1, 1, settings.year, 0.0);
    // The months considered are one run of whole months: all twelve, or the panel's interval.
    const int firstMonth = mode == Mode::Panel ? std::max(settings.panelStartMonth, 1) : 1;
    const int lastMonth = mode == Mode::Panel ? std::min(settings.panelEndMonth, 12) : 12;
    const long yearMinutes = minutesInYear(settings.year);
    const long first = firstMonth <= lastMonth ? monthStartMinute(settings.year, firstMonth, yearStartMjd) : 0;
    const long last =
        firstMonth <= lastMonth ? std::min(monthStartMinute(settings.year, lastMonth + 1, yearStartMjd), yearMinutes)
                                : 0;
    writeCounts(settings, mode, cutoffDeg,
                countMinutes(settings, mode, cutoffDeg, yearStartMjd, first, last), text);
}

}  // namespace qv
