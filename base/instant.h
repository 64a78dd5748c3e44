#pragma once
// An instant: UT with the TT - UT that belongs to it, so that no computation takes a separate
// TT - UT and none can be handed the value of another year.
// TT - UT comes from the built-in rule for the instant's own civil year (deltaTDefault), or
// is the value the user fixed. A scan or search around one event (an eclipse, a day's rise and
// set, a year of totals) steps from the event's instant with at(): its samples keep the
// event's TT - UT, so the rule's yearly steps never break a scan in two.
#include "base/julian.h"

namespace qv {

struct Instant {
    double mjdUT = 0.0;
    double deltaTSeconds = 0.0;  // TT - UT

    double mjdTT() const { return mjdUT + deltaTSeconds / kSecondsPerDay; }
    double centuriesTT() const { return julianCenturies(mjdTT()); }
    // Another UT of the same scan, with this instant's TT - UT.
    Instant at(double otherMjdUT) const { return {otherMjdUT, deltaTSeconds}; }
    Instant later(double days) const { return {mjdUT + days, deltaTSeconds}; }
};

// How TT - UT is found: by the rule for the instant's civil year, or a fixed value.
struct DeltaTRule {
    bool followsDate = true;
    double manualSeconds = 0.0;

    double secondsInYear(int year) const { return followsDate ? deltaTDefault(year) : manualSeconds; }
};

// The instant of an MJD of UT, with TT - UT of its own civil year.
Instant instantAtUT(double mjdUT, const DeltaTRule& rule);

// The instant of an MJD of TT: TT - UT of the civil year of its UT, found in one step from
// the year of the TT date (which differs from it only within TT - UT of New Year). Within the
// rule's step at New Year a TT can belong to both years (where TT - UT shrinks: the later
// year is taken) or to neither (where it grows: the earlier year's TT - UT is taken).
Instant instantAtTT(double mjdTT, const DeltaTRule& rule);

}  // namespace qv
