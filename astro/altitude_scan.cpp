#include "astro/altitude_scan.h"

#include <algorithm>
#include <cmath>

#include "base/constants.h"
#include "base/julian.h"

namespace qv {

namespace {

constexpr long kMinutesPerDayWhole = 1440;
// An estimated crossing is confirmed by a crossing of the scan within 1.5 minutes of it (the
// Moon's minute searches report the first minute above the horizon); it is looked for within
// three minutes.
constexpr double kToleranceDays = 1.5 / kMinutesPerDay;
constexpr long kSearchMinutes = 3;
// How far a set is sought after its rise (and a rise before its set): the Sun stays up or
// down for months near the poles, the Moon for about two weeks.
constexpr long kSunLongestSearch = 366 * kMinutesPerDayWhole;
constexpr long kMoonLongestSearch = 30 * kMinutesPerDayWhole;
// Bound of the altitude's rate: the Earth's turn moves it by at most cos(latitude) times the
// hour angle's 0.2507 degrees a minute, the declination by at most its own rate (degrees per
// minute); the margin covers the Moon's parallax and the rates' rounding.
constexpr double kHourAngleDegPerMinute = 0.2507;
constexpr double kSunDeclinationDegPerMinute = 0.0003;
constexpr double kMoonDeclinationDegPerMinute = 0.0047;
constexpr double kRateMargin = 1.25;
constexpr double kRateFloorDegPerMinute = 1e-4;

}  // namespace

AltitudeScan::AltitudeScan(ScannedBody body, const EventSite& site, double originUT)
    : body_(body), site_(site), originUT_(originUT)
{
    const double declinationRate =
        body == ScannedBody::Sun ? kSunDeclinationDegPerMinute : kMoonDeclinationDegPerMinute;
    degreesPerMinute_ =
        kRateMargin * (kHourAngleDegPerMinute * std::fabs(std::cos(site.latitudeRad)) + declinationRate) +
        kRateFloorDegPerMinute;
    longestSearch_ = body == ScannedBody::Sun ? kSunLongestSearch : kMoonLongestSearch;
}

double AltitudeScan::timeOf(long minute) const { return originUT_ + minute / kMinutesPerDay; }

long AltitudeScan::minuteNear(double timeUT) const
{
    return std::lround((timeUT - originUT_) * kMinutesPerDay);
}

double AltitudeScan::altitudeDeg(long minute)
{
    const auto known = altitudesDeg_.find(minute);
    if (known != altitudesDeg_.end())
        return known->second;
    const double altitude = computedAltitudeDeg(minute);
    altitudesDeg_.emplace(minute, altitude);
    return altitude;
}

double AltitudeScan::computedAltitudeDeg(long minute)
{
    const double t = timeOf(minute);
    double eqeqSeconds = 0.0;
    const Vec3 v = body_ == ScannedBody::Sun ? sunVectorAt(site_, t, eqeqSeconds) : moonVectorAt(site_, t, eqeqSeconds);
    return topocentricAltitudeDeg(site_, t, eqeqSeconds, v);
}

double AltitudeScan::crossingTime(long minute, double h0Deg)
{
    const double before = altitudeDeg(minute);
    const double after = altitudeDeg(minute + 1);
    return timeOf(minute) + (h0Deg - before) / (after - before) / kMinutesPerDay;
}

bool AltitudeScan::isAbove(long minute, double h0Deg) { return altitudeDeg(minute) > h0Deg; }

long AltitudeScan::find(CrossingKind kind, double h0Deg, long from, long to, bool last)
{
    // Walks the pairs of neighbouring minutes from one end of [from - 1, to + 1] to the other,
    // stepping over minutes the altitude cannot cross the threshold in; a change of side after
    // a longer step (which the rate bound rules out) is walked again minute by minute.
    const int direction = last ? -1 : 1;
    const long end = last ? from - 1 : to + 1;
    long minute = last ? to + 1 : from - 1;
    double altitude = altitudeDeg(minute);
    bool singleSteps = false;
    while (minute != end) {
        const long reach = singleSteps ? 1 : static_cast<long>(std::fabs(altitude - h0Deg) / degreesPerMinute_);
        const long step = std::clamp(reach, 1L, std::labs(end - minute));
        const long next = minute + direction * step;
        const double nextAltitude = altitudeDeg(next);
        if ((nextAltitude > h0Deg) != (altitude > h0Deg)) {
            if (step > 1) {
                singleSteps = true;
                continue;
            }
            singleSteps = false;
            const long early = std::min(minute, next);
            const bool rise = (early == minute ? nextAltitude : altitude) > h0Deg;
            const long reported = rise ? early + 1 : early;
            const bool wanted = kind == CrossingKind::Any || rise == (kind == CrossingKind::Rise);
            if (wanted && reported >= from && reported <= to)
                return reported;
        }
        minute = next;
        altitude = nextAltitude;
    }
    return kNoMinute;
}

RiseSet AltitudeScan::select(double h0Deg, long anchor)
{
    long rise = find(CrossingKind::Rise, h0Deg, anchor - kMinutesPerDayWhole, anchor, true);
    long set = kNoMinute;
    if (rise == kNoMinute) {
        set = find(CrossingKind::Set, h0Deg, anchor - kMinutesPerDayWhole, anchor + kMinutesPerDayWhole, false);
        if (set != kNoMinute)
            rise = find(CrossingKind::Rise, h0Deg, set - longestSearch_, set, true);
        else
            rise = find(CrossingKind::Rise, h0Deg, anchor + 1, anchor + kMinutesPerDayWhole, false);
    }
    if (rise != kNoMinute && set == kNoMinute)
        set = find(CrossingKind::Set, h0Deg, rise, rise + longestSearch_, false);
    RiseSet events;
    if (rise != kNoMinute && set != kNoMinute) {
        events.status = RiseSetStatus::Found;
        events.riseUT = crossingTime(rise - 1, h0Deg);
        events.setUT = crossingTime(set, h0Deg);
    } else {
        events.status = isAbove(anchor, h0Deg) ? RiseSetStatus::StaysAbove : RiseSetStatus::StaysBelow;
    }
    return events;
}

long AltitudeScan::crossingNear(CrossingKind kind, double h0Deg, double timeUT)
{
    const long near = minuteNear(timeUT);
    const long minute = find(kind, h0Deg, near - kSearchMinutes, near + kSearchMinutes, false);
    if (minute == kNoMinute)
        return kNoMinute;
    const double crossing = crossingTime(kind == CrossingKind::Rise ? minute - 1 : minute, h0Deg);
    return std::fabs(crossing - timeUT) <= kToleranceDays ? minute : kNoMinute;
}

bool AltitudeScan::confirms(const RiseSet& estimate, double h0Deg, long anchor)
{
    const long rise = crossingNear(CrossingKind::Rise, h0Deg, estimate.riseUT);
    const long set = crossingNear(CrossingKind::Set, h0Deg, estimate.setUT);
    if (rise == kNoMinute || set == kNoMinute || set < rise)
        return false;
    if (set - rise > 1 && find(CrossingKind::Any, h0Deg, rise + 1, set - 1, false) != kNoMinute)
        return false;
    // The rise is the last one up to the anchor, or comes after it when the day before has none.
    if (rise > anchor + kSearchMinutes)
        return find(CrossingKind::Rise, h0Deg, anchor - kMinutesPerDayWhole, anchor, true) == kNoMinute;
    return rise >= anchor || find(CrossingKind::Rise, h0Deg, rise + 1, anchor, false) == kNoMinute;
}

bool AltitudeScan::crossesNear(double h0Deg, long anchor)
{
    return find(CrossingKind::Any, h0Deg, anchor - kMinutesPerDayWhole, anchor + kMinutesPerDayWhole, false) !=
           kNoMinute;
}

}  // namespace qv
