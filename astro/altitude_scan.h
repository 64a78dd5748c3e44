#pragma once
// Crossings of an altitude found by stepping the Sun's or the Moon's topocentric altitude (no
// refraction) minute by minute from an instant, for the places and days where the one-shot
// estimate and its refinement do not find the true crossing: near the poles the declination
// moves during the day and the body may rise or set far from the estimate, twice a day, or
// on a day the estimate calls without events. Minutes at which the altitude cannot reach the
// threshold, given how fast it can change, are stepped over without evaluating the series.
// Checked against PyEphem's positions at 66.56 to 89 degrees north and south over 2024, with
// the accuracy rise_set.h states (tools/ephem_polar_rise_set.py,
// tests/astro/polar_rise_set_crosscheck_test.cpp).
#include <unordered_map>

#include "astro/rise_set.h"

namespace qv {

enum class ScannedBody { Sun, Moon };

// Minute indices count from the scan's origin instant; a rise is reported at the first minute
// above the threshold, a set at the last minute above it.
constexpr long kNoMinute = -(1L << 40);

enum class CrossingKind { Rise, Set, Any };

class AltitudeScan {
public:
    AltitudeScan(ScannedBody body, const EventSite& site, double originUT);

    double timeOf(long minute) const;
    // The minute of the grid nearest to an instant.
    long minuteNear(double timeUT) const;
    bool isAbove(long minute, double h0Deg);

    // The first (or, with last set, the last) crossing of h0Deg of the kind whose reported
    // minute lies in [from, to]; kNoMinute if there is none.
    long find(CrossingKind kind, double h0Deg, long from, long to, bool last);

    // The rise and set the sky details show for an anchor minute: the last rise in the day
    // before the anchor with the first set after it; else the first set in the day before or
    // after the anchor with the last rise before it (the body's time above the horizon that
    // ends then); else the first rise in the day after the anchor with the set after it. Their times are interpolated within the minute, so that they do not depend on
    // the seconds of the origin. No pair: StaysAbove or StaysBelow as the body stands at the
    // anchor.
    RiseSet select(double h0Deg, long anchor);

    // Whether the estimate's rise and set are crossings of h0Deg (within 1.5 minutes) with no
    // other crossing between them, and the rise is the last one up to minute anchor, or one
    // after it when the day before the anchor has none.
    bool confirms(const RiseSet& estimate, double h0Deg, long anchor);

    // Whether h0Deg is crossed in the day before or after the anchor.
    bool crossesNear(double h0Deg, long anchor);

private:
    double altitudeDeg(long minute);
    double computedAltitudeDeg(long minute);
    // The instant h0Deg is crossed between a minute and the next, interpolated linearly.
    double crossingTime(long minute, double h0Deg);
    // The reported minute of a crossing of the kind within 1.5 minutes of timeUT, or kNoMinute.
    long crossingNear(CrossingKind kind, double h0Deg, double timeUT);

    ScannedBody body_;
    EventSite site_;
    double originUT_;
    double degreesPerMinute_;  // the fastest the altitude can change
    // The altitudes computed so far, by minute: the searches of one scan go over the same
    // minutes again (a rise, its set, each twilight), and the series are its costly part.
    std::unordered_map<long, double> altitudesDeg_;
    long longestSearch_;       // how far a set is sought after its rise, and a rise before its set
};

}  // namespace qv
