#include "base/zone_rule.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace qv {

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;
constexpr long long kSecondsPerDayWhole = 86400;
constexpr int kLongestOffsetHours = 24;
constexpr int kLongestChangeHours = 167;
constexpr int kDefaultChangeS = 2 * kSecondsPerHour;
constexpr int kShortestName = 3;
constexpr int kDaysPerWeek = 7;
constexpr int kMonthsPerYear = 12;
constexpr int kLastMinute = 59;         // of an hour, and the last second of a minute
constexpr int kLastWeek = 5;
constexpr int kLeapDayOfJn = 60;       // J60 is 1 March: in a leap year one day later
constexpr int kLastDayOfYear = 365;
constexpr int kThursday = 4;           // the weekday of 1970-01-01
constexpr double kSecondsPerYear = 365.2425 * 86400.0;
constexpr double kFarthestYears = 1.0e6;  // from 1970
constexpr int kYearsAround = 2;        // the years of changes looked at on each side of an instant
constexpr double kNoChange = std::numeric_limits<double>::infinity();

// Reads a TZ string from left to right; every read reports whether the text had the part.
class RuleText {
public:
    explicit RuleText(const std::string& text) : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }
    bool next(char c) const { return !atEnd() && text_[at_] == c; }

    bool skip(char c)
    {
        if (!next(c))
            return false;
        ++at_;
        return true;
    }

    // A zone name: at least three letters, or any text within <>.
    bool name()
    {
        size_t length = 0;
        if (skip('<')) {
            for (; !atEnd() && !next('>'); ++at_)
                ++length;
            return skip('>') && length >= kShortestName;
        }
        for (; !atEnd() && std::isalpha(static_cast<unsigned char>(text_[at_])); ++at_)
            ++length;
        return length >= kShortestName;
    }

    // An unsigned number of at most maxDigits digits.
    bool number(int maxDigits, int& value)
    {
        value = 0;
        int digits = 0;
        for (; digits < maxDigits && !atEnd() && std::isdigit(static_cast<unsigned char>(text_[at_])); ++at_, ++digits)
            value = value * 10 + (text_[at_] - '0');
        return digits > 0;
    }

    bool number(int maxDigits, int low, int high, int& value)
    {
        return number(maxDigits, value) && value >= low && value <= high;
    }

    // [+-]h[:mm[:ss]] with at most maxHours hours, in seconds.
    bool signedTime(int maxHours, int& seconds)
    {
        const bool negative = skip('-');
        if (!negative)
            skip('+');
        int hours = 0;
        int minutes = 0;
        int secs = 0;
        if (!number(3, 0, maxHours, hours))
            return false;
        if (skip(':') && (!number(2, 0, kLastMinute, minutes) || (skip(':') && !number(2, 0, kLastMinute, secs))))
            return false;
        seconds = hours * kSecondsPerHour + minutes * kSecondsPerMinute + secs;
        if (negative)
            seconds = -seconds;
        return true;
    }

    // Jn, n or Mm.w.d, then /time.
    bool change(ZoneRuleChange& change)
    {
        using Kind = ZoneRuleChange::Kind;
        bool read = false;
        if (skip('J')) {
            change.kind = Kind::JulianNoLeap;
            read = number(3, 1, kLastDayOfYear, change.day);
        } else if (skip('M')) {
            change.kind = Kind::MonthWeekDay;
            read = number(2, 1, kMonthsPerYear, change.month) && skip('.') && number(1, 1, kLastWeek, change.week) &&
                   skip('.') && number(1, 0, kDaysPerWeek - 1, change.day);
        } else {
            change.kind = Kind::ZeroBased;
            read = number(3, 0, kLastDayOfYear, change.day);
        }
        change.timeS = kDefaultChangeS;
        return read && (!skip('/') || signedTime(kLongestChangeHours, change.timeS));
    }

private:
    const std::string& text_;
    size_t at_ = 0;
};

long long floorDivide(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Days from 1970-01-01 to a date of the Gregorian calendar (month 1-12, or 13 for January of
// the year after).
long long daysSinceEpoch(long long year, int month, int day)
{
    if (month > kMonthsPerYear) {
        month -= kMonthsPerYear;
        ++year;
    }
    // Years counted from March, so that the leap day ends a year; 400 years make 146097 days.
    const long long marchYear = month <= 2 ? year - 1 : year;
    const long long era = floorDivide(marchYear, 400);
    const long long yearOfEra = marchYear - era * 400;
    const int monthFromMarch = month > 2 ? month - 3 : month + 9;
    const long long dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr long long kDaysFromMarch0To1970 = 719468;
    return era * 146097 + dayOfEra - kDaysFromMarch0To1970;
}

bool isLeapYear(long long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int weekdayOf(long long days)
{
    return static_cast<int>(kThursday + days - floorDivide(kThursday + days, kDaysPerWeek) * kDaysPerWeek);
}

// The local midnight of a change's date in a year, in days since 1970.
long long changeDay(const ZoneRuleChange& change, long long year)
{
    using Kind = ZoneRuleChange::Kind;
    const long long newYear = daysSinceEpoch(year, 1, 1);
    if (change.kind == Kind::JulianNoLeap)
        return newYear + change.day - 1 + (isLeapYear(year) && change.day >= kLeapDayOfJn ? 1 : 0);
    if (change.kind == Kind::ZeroBased)
        return newYear + change.day;
    const long long first = daysSinceEpoch(year, change.month, 1);
    long long day = first + (change.day - weekdayOf(first) + kDaysPerWeek) % kDaysPerWeek +
                    kDaysPerWeek * (change.week - 1);
    const long long nextMonth = daysSinceEpoch(year, change.month + 1, 1);
    while (day >= nextMonth)
        day -= kDaysPerWeek;
    return day;
}

// The instant of a change in a year, seconds since 1970 (UT), for the offset its time is in.
double changeSeconds(const ZoneRuleChange& change, long long year, int offsetS)
{
    return static_cast<double>(changeDay(change, year) * kSecondsPerDayWhole + change.timeS - offsetS);
}

// The Gregorian year of an instant to within a year, enough to find the changes around it;
// instants beyond a million years are taken at that distance.
long long yearNear(double seconds)
{
    const double yearsSince1970 = std::floor(seconds / kSecondsPerYear);
    if (std::isnan(yearsSince1970))
        return 1970;
    return 1970 + static_cast<long long>(std::clamp(yearsSince1970, -kFarthestYears, kFarthestYears));
}

}  // namespace

std::optional<ZoneRule> ZoneRule::read(const std::string& text)
{
    RuleText in(text);
    ZoneRule rule;
    int westS = 0;
    if (!in.name() || !in.signedTime(kLongestOffsetHours, westS))
        return std::nullopt;
    rule.standardOffsetS_ = -westS;
    if (in.atEnd())
        return rule;
    if (!in.name())
        return std::nullopt;
    rule.hasDaylight_ = true;
    rule.daylightOffsetS_ = rule.standardOffsetS_ + kSecondsPerHour;
    if (!in.next(',')) {
        if (!in.signedTime(kLongestOffsetHours, westS))
            return std::nullopt;
        rule.daylightOffsetS_ = -westS;
    }
    // Daylight time without its changes is left unread: the file would not say when it applies.
    if (!in.skip(',') || !in.change(rule.start_) || !in.skip(',') || !in.change(rule.end_) || !in.atEnd())
        return std::nullopt;
    return rule;
}

ZoneRuleSpan ZoneRule::spanAt(double seconds) const
{
    if (!hasDaylight_)
        return ZoneRuleSpan{-kNoChange, kNoChange, standardOffsetS_};
    // The changes of the years around the instant in the order they take effect; where two fall
    // on the same instant the later in that order holds (all-year daylight time, say).
    const long long year = yearNear(seconds);
    const bool startsFirst = changeSeconds(start_, year, standardOffsetS_) <= changeSeconds(end_, year, daylightOffsetS_);
    struct OffsetChange {
        double atS;
        int offsetAfterS;
    };
    OffsetChange changes[2 * (2 * kYearsAround + 1)];
    int count = 0;
    for (long long y = year - kYearsAround; y <= year + kYearsAround; ++y) {
        const OffsetChange start{changeSeconds(start_, y, standardOffsetS_), daylightOffsetS_};
        const OffsetChange end{changeSeconds(end_, y, daylightOffsetS_), standardOffsetS_};
        changes[count++] = startsFirst ? start : end;
        changes[count++] = startsFirst ? end : start;
    }
    int last = 0;
    for (int i = 0; i < count; ++i) {
        if (changes[i].atS <= seconds)
            last = i;
    }
    double endS = kNoChange;
    for (int i = last + 1; i < count && endS == kNoChange; ++i) {
        if (changes[i].atS > seconds)
            endS = changes[i].atS;
    }
    return ZoneRuleSpan{changes[last].atS, endS, changes[last].offsetAfterS};
}

}  // namespace qv
