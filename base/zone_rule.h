#pragma once
// The rule a named zone follows after the last change its file records: the TZ string on the
// file's last line, such as "CET-1CEST,M3.5.0,M10.5.0/3" or "<-02>2<-01>,M3.5.0/-1,M10.5.0/0".
// Read: a standard name (letters, or any text within <>) and its offset west of Greenwich,
// [+-]hh[:mm[:ss]] up to 24 hours; optionally a daylight name, its offset (one hour ahead of
// standard when left out) and the two changes ",start[/time],end[/time]", each date written
// Jn (1-365, 29 February not counted), n (0-365, counted) or Mm.w.d (weekday d, 0 Sunday, of
// week w of month m, 5 the last), each time of day [+-]h[:mm[:ss]] from -167 to 167 hours (2:00
// when left out), the start in standard time, the end in daylight time. Dates are Gregorian.
#include <optional>
#include <string>

namespace qv {

// A stretch of constant offset: from beginS up to endS, seconds since 1970 (UT); an infinite
// end when the rule has no change on that side.
struct ZoneRuleSpan {
    double beginS;
    double endS;
    int offsetS;  // east of Greenwich
};

// A change of offset in a year: a day of the year and a time of that day's local clock.
struct ZoneRuleChange {
    enum class Kind { JulianNoLeap, ZeroBased, MonthWeekDay } kind = Kind::MonthWeekDay;
    int day = 0;    // Jn: 1-365; n: 0-365; Mm.w.d: the weekday, 0 Sunday
    int month = 0;  // Mm.w.d only
    int week = 0;   // Mm.w.d only: 1-5, 5 the last
    int timeS = 0;  // seconds after local midnight, -167 to 167 hours
};

class ZoneRule {
public:
    // The rule of a TZ string; nothing when the text does not follow the form above.
    static std::optional<ZoneRule> read(const std::string& text);

    // The stretch of constant offset that holds an instant, seconds since 1970 (UT).
    ZoneRuleSpan spanAt(double seconds) const;

private:
    int standardOffsetS_ = 0;  // east of Greenwich
    int daylightOffsetS_ = 0;
    bool hasDaylight_ = false;
    ZoneRuleChange start_{};   // to daylight time, in standard time
    ZoneRuleChange end_{};     // back to standard time, in daylight time
};

}  // namespace qv
