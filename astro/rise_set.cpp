#include "astro/rise_set.h"

#include <cmath>

#include "astro/altitude_scan.h"
#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "base/constants.h"

namespace qv {

namespace {

// The Sun's second altitude for the linear crossing, and the largest correction kept.
constexpr double kCrossingStepDays = 0.008333333333333333;  // 12 minutes
constexpr double kCrossingLimitDays = 0.125;                // 3 hours
constexpr double kFlatSlope = 1e-180;
// The Moon's event altitude: its scaled horizontal parallax less this, degrees.
constexpr double kMoonParallaxScale = 0.7275;
constexpr double kMoonAltitudeOffsetDeg = 0.57;
// The Moon's minute searches: where they start before the estimate and how long they run.
constexpr double kMoonSearchLeadDays = 0.0625;          // 90 minutes
constexpr double kMoonRestartLeadDays = 0.010416666666666666;  // 15 minutes
constexpr int kMoonRiseSteps = 180;
constexpr int kMoonSetSteps = 240;
// Two estimated transits this far apart lie two days apart, not one.
constexpr double kTwoTransitsApartDays = 1.5;
constexpr double kHalfDayDays = 0.5;

// Both crossings of an estimate refined by sunCrossingTime.
void refineSunCrossings(const EventSite& site, RiseSet& events, double& eqeqSeconds, double h0Deg)
{
    if (!events.found())
        return;
    events.riseUT = sunCrossingTime(site, events.riseUT, eqeqSeconds, h0Deg);
    events.setUT = sunCrossingTime(site, events.setUT, eqeqSeconds, h0Deg);
}

// The transit of an estimate, which puts its rise and set symmetric about it.
double transitOf(const RiseSet& estimate) { return 0.5 * (estimate.riseUT + estimate.setUT); }

}  // namespace

double topocentricAltitudeDeg(const EventSite& site, double mjdUT, double eqeqSeconds, const Vec3& v)
{
    double azimuth = 0.0;
    double altitude = 0.0;
    double distance = 0.0;
    horizonCoordinates(mjdUT, eqeqSeconds, site.latitudeRad, site.longitudeRad, site.heightM, true, v,
                       azimuth, altitude, distance);
    return altitude * kDegPerRad;
}

Vec3 sunVectorAt(const EventSite& site, double mjdUT, double& eqeqSeconds)
{
    double eclLongitudeRad = 0.0;
    return EARTH_RADII_PER_AU * sunApparentEquatorial(Instant{mjdUT, site.deltaTSeconds}, eqeqSeconds, eclLongitudeRad);
}

Vec3 moonVectorAt(const EventSite& site, double mjdUT, double& eqeqSeconds)
{
    double eclLongitudeRad = 0.0;
    return moonApparentEquatorial(Instant{mjdUT, site.deltaTSeconds}, eqeqSeconds, eclLongitudeRad);
}

double sunTransitUT(const EventSite& site, double mjdUT)
{
    double eqeqSeconds = 0.0;
    const double rightAscension = longitudeOf(sunVectorAt(site, mjdUT, eqeqSeconds));
    const double transit = rightAscension / kTwoPi -
                           localSiderealTime(mjdUT, site.longitudeRad * kDegPerRad, eqeqSeconds) / kHoursPerDay;
    return mjdUT + (transit - std::floor(transit));
}

RiseSetStatus riseSetEstimate(double mjdUT, const Vec3& equatorialVector, double h0Deg, double currentAltDeg,
                              double eqeqSeconds, double latitudeRad, double longitudeDeg, double& riseUT,
                              double& setUT)
{
    const RiseSetStatus noEvent = currentAltDeg >= h0Deg ? RiseSetStatus::StaysAbove : RiseSetStatus::StaysBelow;
    const PolarCoord polar = toPolar(equatorialVector);
    const double declination = polar.latitude();
    const double denominator = std::cos(declination) * std::cos(latitudeRad);
    if (denominator == 0.0)
        return noEvent;
    const double cosH =
        (std::sin(h0Deg * kRadPerDeg) - std::sin(latitudeRad) * std::sin(declination)) / denominator;
    if (std::fabs(cosH) > 1.0)
        return noEvent;
    double transit = polar.longitude() / kTwoPi -
                     localSiderealTime(mjdUT, longitudeDeg, eqeqSeconds) / kHoursPerDay;
    if (transit < 0.0)
        transit += 1.0;
    if (transit > 1.0)
        transit -= 1.0;
    const double halfArc = std::acos(cosH) / kTwoPi;
    riseUT = mjdUT + transit - halfArc;
    setUT = mjdUT + transit + halfArc;
    return RiseSetStatus::Found;
}

double interpolateCrossing(double t1, double t2, double y1, double y2, double target)
{
    const double slope = (y2 - y1) / (t2 - t1);
    if (std::fabs(slope) > kFlatSlope)
        return t1 + (target - y1) / slope;
    return t1;
}

double sunCrossingTime(const EventSite& site, double estimateUT, double& eqeqSeconds, double h0Deg)
{
    const double t2 = estimateUT + kCrossingStepDays;
    double altitude[2];
    const double times[2] = {estimateUT, t2};
    for (int i = 0; i < 2; ++i) {
        const Vec3 sun = sunVectorAt(site, times[i], eqeqSeconds);
        altitude[i] = topocentricAltitudeDeg(site, times[i], eqeqSeconds, sun) * kRadPerDeg;
    }
    const double crossing =
        interpolateCrossing(estimateUT, t2, altitude[0], altitude[1], h0Deg * kRadPerDeg);
    if (std::fabs(estimateUT - crossing) > kCrossingLimitDays)
        return crossing > estimateUT ? estimateUT + kCrossingLimitDays : estimateUT - kCrossingLimitDays;
    return crossing;
}

namespace {

// The Sun's events as the estimates and their refinement give them, every twilight included.
SunEvents estimatedSunEvents(const EventSite& site, double mjdUT, Vec3 sunVector, double altNowDeg,
                             double eqeqSeconds)
{
    const double longitudeDeg = site.longitudeRad * kDegPerRad;
    auto estimate = [&](double h0Deg) {
        RiseSet events;
        events.status = riseSetEstimate(mjdUT, sunVector, h0Deg, altNowDeg, eqeqSeconds, site.latitudeRad,
                                        longitudeDeg, events.riseUT, events.setUT);
        return events;
    };
    auto startDayAt = [&](double dayStartUT) {
        mjdUT = dayStartUT;
        sunVector = sunVectorAt(site, mjdUT, eqeqSeconds);
    };
    SunEvents result;
    result.horizon = estimate(kSunHorizonAltitudeDeg);
    // A rise after the instant belongs to the coming day: take the day before instead, so
    // that the rise shown is the last one before the instant.
    if (result.horizon.found() && result.horizon.riseUT > mjdUT) {
        const double comingTransitUT = transitOf(result.horizon);
        startDayAt(mjdUT - 1.0);
        result.horizon = estimate(kSunHorizonAltitudeDeg);
        // While the Sun transits earlier from day to day (the solar day shorter than 24 hours),
        // an instant just after a transit leaves two transits in the day before it, and the
        // estimate takes the first, a day too early: start the day after that one instead.
        if (result.horizon.found() && comingTransitUT - transitOf(result.horizon) > kTwoTransitsApartDays) {
            startDayAt(transitOf(result.horizon) + kHalfDayDays);
            result.horizon = estimate(kSunHorizonAltitudeDeg);
        }
    }
    refineSunCrossings(site, result.horizon, eqeqSeconds, kSunHorizonAltitudeDeg);
    for (int i = 0; i < kTwilightCount; ++i) {
        result.twilights[i] = estimate(kTwilightAltitudesDeg[i]);
        refineSunCrossings(site, result.twilights[i], eqeqSeconds, kTwilightAltitudesDeg[i]);
    }
    return result;
}

// The Moon's rise and set as the estimate and the minute searches around it give them.
RiseSet searchedMoonRiseSet(const EventSite& site, double mjdUT, Vec3 moonVector, double topocentricDistance,
                            double altNowDeg, double eqeqSeconds)
{
    const double longitudeDeg = site.longitudeRad * kDegPerRad;
    const double h0Deg =
        kMoonParallaxScale * std::asin(1.0 / topocentricDistance) * kDegPerRad - kMoonAltitudeOffsetDeg;
    RiseSet result;
    auto estimate = [&](double timeUT, double& riseUT, double& setUT) {
        return riseSetEstimate(timeUT, moonVector, h0Deg, altNowDeg, eqeqSeconds, site.latitudeRad,
                               longitudeDeg, riseUT, setUT);
    };
    auto altitudeAt = [&](double timeUT) {
        moonVector = moonVectorAt(site, timeUT, eqeqSeconds);
        return topocentricAltitudeDeg(site, timeUT, eqeqSeconds, moonVector);
    };

    result.status = estimate(mjdUT, result.riseUT, result.setUT);
    if (!result.found())
        return result;
    if (result.riseUT > mjdUT) {
        const double dayBefore = mjdUT - 1.0;
        moonVector = moonVectorAt(site, dayBefore, eqeqSeconds);
        result.status = estimate(dayBefore, result.riseUT, result.setUT);
        if (!result.found())
            return result;
    }

    // Rise: the first minute above the horizon, starting 90 minutes early; a Moon already up
    // at the first minute restarts the search 15 minutes before the estimate.
    double step = result.riseUT - kMoonSearchLeadDays;
    for (int i = 0; i < kMoonRiseSteps; ++i) {
        step += kMinuteDays;
        if (altitudeAt(step) > kSunHorizonAltitudeDeg) {
            if (i > 0) {
                result.riseUT = step;
                break;
            }
            step = result.riseUT - kMoonRestartLeadDays;
        }
    }
    // Set: the last minute above the horizon, starting 90 minutes early but after the rise.
    step = result.setUT - kMoonSearchLeadDays;
    if (step <= result.riseUT)
        step = result.riseUT + 2.0 * kMinuteDays;
    for (int i = 0; i < kMoonSetSteps; ++i) {
        step += kMinuteDays;
        if (altitudeAt(step) < kSunHorizonAltitudeDeg) {
            result.setUT = step - kMinuteDays;
            break;
        }
    }
    // Confirmation with the last Moon position: estimates from the rise and from the set that
    // follows must both find events.
    double rise = 0.0;
    double set = 0.0;
    result.status = estimate(result.riseUT, rise, set);
    if (result.found())
        result.status = estimate(set, rise, set);
    return result;
}

// The estimated events where the scan confirms them (or, without events, finds no crossing
// in the days around the anchor), else the events the scan selects.
RiseSet checked(AltitudeScan& scan, const RiseSet& estimated, double h0Deg, long anchor)
{
    const bool confirmed =
        estimated.found() ? scan.confirms(estimated, h0Deg, anchor) : !scan.crossesNear(h0Deg, anchor);
    return confirmed ? estimated : scan.select(h0Deg, anchor);
}

// Both found and the same crossings to within two minutes.
bool sameEvents(const RiseSet& a, const RiseSet& b)
{
    constexpr double kToleranceDays = 2.0 * kMinuteDays;
    return a.found() && b.found() && std::fabs(a.riseUT - b.riseUT) <= kToleranceDays &&
           std::fabs(a.setUT - b.setUT) <= kToleranceDays;
}

}  // namespace

SunEvents sunEvents(const EventSite& site, double mjdUT, Vec3 sunVector, double altNowDeg, double eqeqSeconds)
{
    SunEvents events = estimatedSunEvents(site, mjdUT, sunVector, altNowDeg, eqeqSeconds);
    AltitudeScan scan(ScannedBody::Sun, site, mjdUT);
    events.horizon = checked(scan, events.horizon, kSunHorizonAltitudeDeg, 0);
    // The twilights belong to the day of the rise shown: the first transit after it, or
    // after the instant when the Sun neither rises nor sets.
    const bool rises = events.horizon.found();
    const long transit = scan.minuteNear(sunTransitUT(site, rises ? events.horizon.riseUT : mjdUT));
    RiseSetStatus previousStatus = events.horizon.status;
    for (int i = 0; i < kTwilightCount && previousStatus != RiseSetStatus::StaysAbove; ++i) {
        RiseSet& twilight = events.twilights[i];
        const RiseSet scanned = scan.select(kTwilightAltitudesDeg[i], transit);
        if (!sameEvents(twilight, scanned) && (twilight.found() || scanned.found()))
            twilight = scanned;
        previousStatus = twilight.status;
        events.twilightLines = i + 1;
    }
    return events;
}

RiseSet moonRiseSet(const EventSite& site, double mjdUT, Vec3 moonVector, double topocentricDistance,
                    double altNowDeg, double eqeqSeconds)
{
    const RiseSet searched =
        searchedMoonRiseSet(site, mjdUT, moonVector, topocentricDistance, altNowDeg, eqeqSeconds);
    AltitudeScan scan(ScannedBody::Moon, site, mjdUT);
    return checked(scan, searched, kSunHorizonAltitudeDeg, 0);
}

}  // namespace qv
