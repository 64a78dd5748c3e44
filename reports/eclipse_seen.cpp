#include "reports/eclipse_seen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/frames.h"
#include "astro/refraction.h"
#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/eclipse_geometry.h"
#include "eclipse/greatest_eclipse.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_kind_texts.h"
#include "reports/year_tables.h"

namespace qv {

namespace {

// Steps of the obscuration course and of the Moon's path through the shadow, and how far the
// path reaches beyond the first and last contacts.
constexpr double kCourseStepDays = 2.0 * kMinuteDays;
constexpr double kPathStepDays = 4.0 * kMinuteDays;
constexpr double kPathMarginDays = 20.0 * kMinuteDays;
// How far beyond the visible part the course is looked at to tell a rising or setting eclipse.
constexpr double kHorizonProbeDays = kMinuteDays;

// A body in the observer's sky: azimuth and refracted altitude (radians), distance (Earth radii).
struct SkyPlace {
    double azimuthRad = 0.0;
    double altitudeRad = 0.0;
    double distance = 0.0;
};

SkyPlace skyPlace(const SunMoon& bodies, const Observer& place, const Vec3& body)
{
    SkyPlace seen;
    horizonCoordinates(bodies.instant.mjdUT, bodies.eqeqSeconds, place.latitudeDeg * kRadPerDeg,
                       place.longitudeDeg * kRadPerDeg, place.heightM, true, body, seen.azimuthRad,
                       seen.altitudeRad, seen.distance);
    if (seen.altitudeRad > kRefractionFloorRad)
        seen.altitudeRad += refraction(seen.altitudeRad, kStandardPressureMbar, kStandardTemperatureC);
    return seen;
}

// The local date and time of an instant as the details text writes it: "MMM DD HH:MM".
std::string detailsDateTime(double mjdUT, const TimeZone& zone)
{
    char dateTime[kDateTimeLength];
    formatDateTime(localMjd(mjdUT, zone), dateTime);
    return std::string(dateTime, kDateTimeShown);
}

// A start or end of the central phase, which the details write to the second as packed H.MMSS:
// the same digits as "HH:MM:SS" after the date.
std::string centralDateTime(double mjdUT, const TimeZone& zone)
{
    const double local = localMjd(mjdUT, zone);
    char packed[32];
    std::snprintf(packed, sizeof packed, "%.4f", decimalToDdmmss((local - std::floor(local)) * kHoursPerDay));
    int hours = 0, minutes = 0, seconds = 0;
    std::sscanf(packed, "%d.%2d%2d", &hours, &minutes, &seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%.6s %2d:%02d:%02d", detailsDateTime(mjdUT, zone).c_str(), hours, minutes,
                  seconds);
    return text;
}

SolarDiscs solarDiscsAt(const EclipseEvent& eclipse, const Observer& place, double mjdUT, const char* label,
                        std::string timeText)
{
    const SunMoon bodies = sunMoonAt(eclipse.greatest.at(mjdUT));
    const SkyPlace sun = skyPlace(bodies, place, bodies.sun);
    const SkyPlace moon = skyPlace(bodies, place, bodies.moon);
    const double azimuthDifference = moon.azimuthRad - sun.azimuthRad;
    SolarDiscs discs;
    discs.label = label;
    discs.mjdUT = mjdUT;
    discs.timeText = std::move(timeText);
    // The Moon's place on the plane of the sky at the Sun, zenith up.
    discs.moonXRad = std::cos(moon.altitudeRad) * std::sin(azimuthDifference);
    discs.moonYRad = std::sin(moon.altitudeRad) * std::cos(sun.altitudeRad) -
                     std::cos(moon.altitudeRad) * std::sin(sun.altitudeRad) * std::cos(azimuthDifference);
    discs.sunRadiusRad = std::atan(kSunRadius / sun.distance);
    discs.moonRadiusRad = std::atan(kMoonRadius / moon.distance);
    discs.sunAltitudeDeg = sun.altitudeRad * kDegPerRad;
    discs.obscuration = localObscuration(eclipse, place, mjdUT);
    return discs;
}

ObscurationSample courseSample(const EclipseEvent& eclipse, const Observer& place, double mjdUT)
{
    const SunMoon bodies = sunMoonAt(eclipse.greatest.at(mjdUT));
    return {mjdUT, localObscuration(eclipse, place, mjdUT), skyPlace(bodies, place, bodies.sun).altitudeRad * kDegPerRad};
}

// The obscuration over the whole eclipse at two-minute steps and at each contact, cut to the
// part in which the discs overlap at the place (with one sample either side).
std::vector<ObscurationSample> obscurationCourse(const EclipseEvent& eclipse, const Observer& place,
                                                 const EclipsePhase& whole, const std::vector<SolarDiscs>& discs)
{
    std::vector<ObscurationSample> course;
    const double endUT = std::max(whole.endUT, whole.beginUT + kCourseStepDays);
    for (double t = whole.beginUT; t < endUT + kCourseStepDays; t += kCourseStepDays)
        course.push_back(courseSample(eclipse, place, std::min(t, endUT)));
    for (const SolarDiscs& contact : discs)
        course.push_back({contact.mjdUT, contact.obscuration, contact.sunAltitudeDeg});
    std::sort(course.begin(), course.end(),
              [](const ObscurationSample& a, const ObscurationSample& b) { return a.mjdUT < b.mjdUT; });
    auto covered = [](const ObscurationSample& sample) { return sample.obscuration > 0.0; };
    const auto first = std::find_if(course.begin(), course.end(), covered);
    if (first == course.end())
        return {};
    const auto last = std::find_if(course.rbegin(), course.rend(), covered).base();
    return {first == course.begin() ? first : first - 1, last == course.end() ? last : last + 1};
}

void addSolarView(const SettingsRecord& settings, const EclipseEvent& eclipse, const EclipseCircumstances& circumstances,
                  EclipseSeen& seen)
{
    const LocalCircumstances& local = circumstances.local;
    const Observer& place = settings.observer;
    const TimeZone& zone = settings.time.zone;
    if (seen.visible) {
        const double fromUT = local.visibleFromUT[0];
        const double untilUT = local.visibleUntilUT[local.visibleTwice() ? 1 : 0];
        seen.risesEclipsed = localObscuration(eclipse, place, fromUT - kHorizonProbeDays) > 0.0;
        seen.setsEclipsed = localObscuration(eclipse, place, untilUT + kHorizonProbeDays) > 0.0;
        seen.discs.push_back(solarDiscsAt(eclipse, place, fromUT, seen.risesEclipsed ? "Sunrise" : "First contact",
                                          detailsDateTime(fromUT, zone)));
        const bool central = local.hasCentralPhase();
        if (central)
            seen.discs.push_back(solarDiscsAt(eclipse, place, local.centralStartUT, "Second contact",
                                              centralDateTime(local.centralStartUT, zone)));
        if (local.maxMagnitude >= 0.0)
            seen.discs.push_back(
                solarDiscsAt(eclipse, place, local.maxUT, "Maximum", detailsDateTime(local.maxUT, zone)));
        if (central)
            seen.discs.push_back(solarDiscsAt(eclipse, place, local.centralEndUT, "Third contact",
                                              centralDateTime(local.centralEndUT, zone)));
        seen.discs.push_back(solarDiscsAt(eclipse, place, untilUT, seen.setsEclipsed ? "Sunset" : "Last contact",
                                          detailsDateTime(untilUT, zone)));
        std::stable_sort(seen.discs.begin(), seen.discs.end(),
                         [](const SolarDiscs& a, const SolarDiscs& b) { return a.mjdUT < b.mjdUT; });
    }
    if (circumstances.phaseCount > 0)
        seen.course = obscurationCourse(eclipse, place, circumstances.phases[0], seen.discs);
}

// The Moon's centre from the anti-solar point, in the sky seen from the Earth's centre.
ShadowOffset shadowOffset(const SunMoon& bodies)
{
    const PolarCoord axis = toPolar(-1.0 * bodies.sun);
    const PolarCoord moon = toPolar(bodies.moon);
    const double raDifference = moon.longitude() - axis.longitude();
    return {std::cos(moon.latitude()) * std::sin(raDifference),
            std::sin(moon.latitude()) * std::cos(axis.latitude()) -
                std::cos(moon.latitude()) * std::sin(axis.latitude()) * std::cos(raDifference)};
}

// The contacts' labels by the kind of phase they begin and end.
struct ContactLabels {
    EclipseKind kind;
    const char* begin;
    const char* end;
};
constexpr ContactLabels kLunarContactLabels[] = {
    {EclipseKind::PenumbralLunar, "P1", "P4"},
    {EclipseKind::TotalPenumbralLunar, "P2", "P3"},
    {EclipseKind::PartialLunar, "U1", "U4"},
    {EclipseKind::TotalLunar, "U2", "U3"},
};

LunarContact lunarContactAt(const EclipseEvent& eclipse, const Observer& place, const TimeZone& zone, double mjdUT,
                            const char* label)
{
    const SunMoon bodies = sunMoonAt(eclipse.greatest.at(mjdUT));
    const SkyPlace moon = skyPlace(bodies, place, bodies.moon);
    const bool upperLimbUp = moon.altitudeRad + std::atan(kMoonRadius / moon.distance) >= 0.0;
    return {label, mjdUT, detailsDateTime(mjdUT, zone), shadowOffset(bodies), upperLimbUp};
}

void addLunarView(const SettingsRecord& settings, const EclipseEvent& eclipse, const EclipseCircumstances& circumstances,
                  EclipseSeen& seen)
{
    const Observer& place = settings.observer;
    const TimeZone& zone = settings.time.zone;
    const double greatestUT = greatestEclipse(eclipse).instant.mjdUT;
    const SunMoon atGreatest = sunMoonAt(eclipse.greatest.at(greatestUT));
    const LunarShadow shadow = lunarShadow(atGreatest.sun, atGreatest.moon);
    const double moonDistance = norm(atGreatest.moon);
    seen.moonRadiusRad = std::atan(kMoonRadius / moonDistance);
    seen.umbraRadiusRad = std::atan(shadow.umbraRadius / moonDistance);
    seen.penumbraRadiusRad = std::atan(shadow.penumbraRadius / moonDistance);

    for (int i = 0; i < circumstances.phaseCount; ++i) {
        const EclipsePhase& phase = circumstances.phases[i];
        for (const ContactLabels& labels : kLunarContactLabels)
            if (labels.kind == phase.kind) {
                seen.contacts.push_back(lunarContactAt(eclipse, place, zone, phase.beginUT, labels.begin));
                seen.contacts.push_back(lunarContactAt(eclipse, place, zone, phase.endUT, labels.end));
            }
    }
    seen.contacts.push_back(lunarContactAt(eclipse, place, zone, greatestUT, "Max"));
    std::stable_sort(seen.contacts.begin(), seen.contacts.end(),
                     [](const LunarContact& a, const LunarContact& b) { return a.mjdUT < b.mjdUT; });
    if (circumstances.phaseCount == 0)
        return;
    const EclipsePhase& whole = circumstances.phases[0];
    const double endUT = std::max(whole.endUT, whole.beginUT) + kPathMarginDays;
    for (double t = whole.beginUT - kPathMarginDays; t < endUT + kPathStepDays; t += kPathStepDays)
        seen.path.push_back(shadowOffset(sunMoonAt(eclipse.greatest.at(std::min(t, endUT)))));
}

// A kind's title without the tabs before it.
std::string titleOf(EclipseKind kind)
{
    const EclipseKindTexts* texts = eclipseKindTexts(kind);
    std::string title = texts ? texts->title : "";
    title.erase(0, title.find_first_not_of('\t'));
    return title;
}

}  // namespace

EclipseSeen eclipseSeen(const SettingsRecord& settings, int eclipseNumber)
{
    const std::vector<EclipseEvent> eclipses = eclipsesOfYear(settings);
    const EclipseEvent* eclipse = selectedEclipse(eclipseNumber, eclipses);
    if (!eclipse)
        return {};
    return eclipseSeen(settings, *eclipse, circumstancesAtObserver(settings, *eclipse));
}

EclipseSeen eclipseSeen(const SettingsRecord& settings, const EclipseEvent& eclipse,
                        const EclipseCircumstances& circumstances)
{
    EclipseSeen seen;
    seen.found = true;
    seen.kind = eclipse.kind;
    seen.title = titleOf(eclipse.kind);
    seen.place = trimmedLocationName(settings.observer.name);
    seen.zoneLabel = zoneLabelAt(eclipse.greatest.mjdUT, settings.time.zone);
    seen.zone = settings.time.zone;
    seen.southernView = settings.observer.latitudeDeg < 0.0;
    seen.visible = circumstances.local.visible();
    if (isSolar(eclipse.kind))
        addSolarView(settings, eclipse, circumstances, seen);
    else
        addLunarView(settings, eclipse, circumstances, seen);
    return seen;
}

}  // namespace qv
