#include "base/time_zone.h"

#include <date/tz.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "base/julian.h"
#include "base/zone_rule.h"

namespace qv {

namespace {

constexpr std::string_view kZoneInfoFolder = "/usr/share/zoneinfo/";
constexpr const char* kLocalTimeLink = "/etc/localtime";
constexpr const char* kTimeZoneFile = "/etc/timezone";
// Instants are clamped to this range of seconds since 1970 (years about -10700 .. 11400).
constexpr double kEarliestSeconds = -4.0e11;
constexpr double kLatestSeconds = 3.0e11;
constexpr double kOpenEnd = 1.0e300;
constexpr int kSecondsPerHour = 3600;

// One stretch of constant offset: from beginS up to the next period (seconds since 1970, UT).
struct Period {
    double beginS;
    int offsetS;
    std::string abbreviation;
};

// A stretch of constant offset around an instant, its ends included.
struct Span {
    double beginS;
    double endS;
    int offsetS;
};

double secondsFromMjd(double mjd) { return (mjd - kMjdOfUnixEpoch) * kSecondsPerDay; }

// Seconds within the supported range, to the millisecond, so that an instant given as an MJD
// that lies on a change of offset counts as after it despite the rounding of the MJD.
double clampedSeconds(double seconds)
{
    if (!(seconds > kEarliestSeconds))  // NaN included
        return kEarliestSeconds;
    return seconds < kLatestSeconds ? std::round(seconds * 1000.0) / 1000.0 : kLatestSeconds;
}

double secondsOf(date::sys_seconds t) { return static_cast<double>(t.time_since_epoch().count()); }

// The last line of a zone file: the rule that continues after its last recorded change.
std::string trailingRule(const std::string& name)
{
    std::ifstream file(std::string(kZoneInfoFolder) + name, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (content.size() < 2 || content.back() != '\n')
        return std::string();
    const size_t start = content.rfind('\n', content.size() - 2);
    return start == std::string::npos ? std::string() : content.substr(start + 1, content.size() - start - 2);
}

// The zone name of a file of the database with every link followed; empty when the path leads
// to no file there.
std::string databaseZoneName(const std::string& path)
{
    std::error_code error;
    const std::string real = std::filesystem::canonical(path, error).string();
    if (error || !real.starts_with(kZoneInfoFolder))
        return std::string();
    return real.substr(kZoneInfoFolder.size());
}

}  // namespace

struct ZoneRules {
    std::string name;
    std::vector<Period> periods;  // in time order; the first reaches back without limit
    // The rule after the last period began; absent when the zone file has none or it cannot
    // be read (then the last period continues).
    std::optional<ZoneRule> lastRule;

    Span spanAt(double seconds) const;
};

Span ZoneRules::spanAt(double seconds) const
{
    seconds = clampedSeconds(seconds);
    const auto after = std::upper_bound(periods.begin(), periods.end(), seconds,
                                        [](double s, const Period& p) { return s < p.beginS; });
    const auto period = after == periods.begin() ? after : after - 1;
    if (after == periods.end() && lastRule) {
        const ZoneRuleSpan span = lastRule->spanAt(seconds);
        return Span{std::max(span.beginS, period->beginS), span.endS > kLatestSeconds ? kOpenEnd : span.endS,
                    span.offsetS};
    }
    const double beginS = period == periods.begin() ? -kOpenEnd : period->beginS;
    const double endS = after == periods.end() ? kOpenEnd : after->beginS;
    return Span{beginS, endS, period->offsetS};
}

namespace {

// Reads a zone's changes from the database, leaving out the changes that change nothing
// (the database closes the table of a zone without daylight saving with one of those).
std::unique_ptr<ZoneRules> loadRules(const char* name)
{
    try {
        const date::time_zone* zone = date::locate_zone(name);
        auto rules = std::make_unique<ZoneRules>();
        rules->name = name;
        const date::sys_seconds lastInstant = date::sys_days{date::year::max() / 1 / 1};
        date::sys_seconds t = date::sys_days{date::year::min() / 1 / 1};
        while (true) {
            const date::sys_info info = zone->get_info(t);
            const int offsetS = static_cast<int>(info.offset.count());
            if (rules->periods.empty() || rules->periods.back().offsetS != offsetS ||
                rules->periods.back().abbreviation != info.abbrev)
                rules->periods.push_back(Period{secondsOf(info.begin), offsetS, info.abbrev});
            if (info.end >= lastInstant || info.end <= t)
                break;
            t = info.end;
        }
        rules->lastRule = ZoneRule::read(trailingRule(zone->name()));
        return rules;
    } catch (const std::exception&) {
        return nullptr;  // not in the database, or no database at all
    }
}

// Every zone loaded in this run, by name; a zone is loaded once and never freed.
const ZoneRules* rulesNamed(const char* name)
{
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<ZoneRules>, std::less<>> loaded;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto found = loaded.find(std::string_view(name));
    if (found != loaded.end())
        return found->second.get();
    std::unique_ptr<ZoneRules> rules = loadRules(name);
    if (rules == nullptr)
        return nullptr;
    return loaded.emplace(name, std::move(rules)).first->second.get();
}

// The rules of a named zone, or nullptr for a fixed offset (or a name not in the database).
const ZoneRules* rulesOf(const TimeZone& zone)
{
    if (zone.rules != nullptr || zone.name.empty())
        return zone.rules;
    return rulesNamed(zone.name.c_str());
}

// "+2", "+5:45", "-3:30", "+1:05:21" for an offset in seconds.
std::string offsetText(int offsetS)
{
    const char sign = offsetS < 0 ? '-' : '+';
    const int magnitude = std::abs(offsetS);
    const int hours = magnitude / kSecondsPerHour;
    const int minutes = magnitude % kSecondsPerHour / 60;
    const int seconds = magnitude % 60;
    char text[24];
    if (seconds != 0)
        std::snprintf(text, sizeof text, "%c%d:%02d:%02d", sign, hours, minutes, seconds);
    else if (minutes != 0)
        std::snprintf(text, sizeof text, "%c%d:%02d", sign, hours, minutes);
    else
        std::snprintf(text, sizeof text, "%c%d", sign, hours);
    return text;
}

}  // namespace

namespace {

// The database's own spelling of a zone name given in any case ("utc": "UTC"); empty when
// there is none. The system's database lists its links as zones too.
std::string databaseSpelling(std::string_view name)
{
    const auto sameIgnoringCase = [name](std::string_view other) {
        return other.size() == name.size() && std::equal(other.begin(), other.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    try {
        const date::tzdb& database = date::get_tzdb();
        for (const date::time_zone& zone : database.zones)
            if (sameIgnoringCase(zone.name()))
                return std::string(zone.name());
    } catch (const std::exception&) {
    }
    return {};
}

}  // namespace

bool findTimeZone(const char* name, TimeZone& zone)
{
    if (name == nullptr || name[0] == '\0')
        return false;
    std::string spelling = name;
    const ZoneRules* rules = rulesNamed(name);
    if (rules == nullptr) {
        spelling = databaseSpelling(name);
        rules = spelling.empty() ? nullptr : rulesNamed(spelling.c_str());
    }
    if (rules == nullptr)
        return false;
    zone.name = spelling;
    zone.rules = rules;
    return true;
}

std::string systemTimeZoneName()
{
    const char* tz = std::getenv("TZ");
    if (tz != nullptr && tz[0] != '\0') {
        const std::string name = tz[0] == ':' ? tz + 1 : tz;
        const std::string zone = databaseZoneName(name.starts_with('/') ? name : std::string(kZoneInfoFolder) + name);
        return zone.empty() ? name : zone;
    }
    const std::string linked = databaseZoneName(kLocalTimeLink);
    if (!linked.empty())
        return linked;
    std::ifstream file(kTimeZoneFile);
    std::string named;
    std::getline(file, named);
    return named.empty() ? std::string() : databaseZoneName(std::string(kZoneInfoFolder) + named);
}

std::vector<std::string> timeZoneNames()
{
    std::vector<std::string> names;
    try {
        const date::tzdb& database = date::get_tzdb();
        for (const date::time_zone& zone : database.zones)
            names.emplace_back(zone.name());
    } catch (const std::exception&) {
        return {};
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool isNamedZone(const TimeZone& zone) { return rulesOf(zone) != nullptr; }

double zoneOffsetHoursAt(double mjdUT, const TimeZone& zone)
{
    const ZoneRules* rules = rulesOf(zone);
    if (rules == nullptr)
        return zone.offsetHours;
    return rules->spanAt(secondsFromMjd(mjdUT)).offsetS / double(kSecondsPerHour);
}

double localMjd(double mjdUT, const TimeZone& zone)
{
    const ZoneRules* rules = rulesOf(zone);
    if (rules == nullptr)
        return mjdUT + zone.offsetHours / kHoursPerDay;
    return mjdUT + rules->spanAt(secondsFromMjd(mjdUT)).offsetS / kSecondsPerDay;
}

double utFromLocal(double mjdLocal, const TimeZone& zone)
{
    const ZoneRules* rules = rulesOf(zone);
    if (rules == nullptr)
        return mjdLocal - zone.offsetHours / kHoursPerDay;
    // The answer lies within a day of the local time read as UT, so in the span found from
    // that or in one of its neighbours; spans are in time order, so the first that holds the
    // local time gives its first occurrence.
    const double localS = clampedSeconds(secondsFromMjd(mjdLocal));
    const Span guess = rules->spanAt(localS - rules->spanAt(localS).offsetS);
    std::vector<Span> spans;
    if (guess.beginS > -kOpenEnd)
        spans.push_back(rules->spanAt(guess.beginS - 1.0));
    spans.push_back(guess);
    if (guess.endS < kOpenEnd)
        spans.push_back(rules->spanAt(guess.endS));
    for (const Span& span : spans) {
        const double utS = localS - span.offsetS;
        if (span.beginS <= utS && utS < span.endS)
            return kMjdOfUnixEpoch + utS / kSecondsPerDay;
    }
    // Skipped by a change: read with the offset before it, which lands after the change.
    for (size_t i = 0; i + 1 < spans.size(); ++i) {
        if (localS - spans[i].offsetS >= spans[i].endS && localS - spans[i + 1].offsetS < spans[i + 1].beginS)
            return kMjdOfUnixEpoch + (localS - spans[i].offsetS) / kSecondsPerDay;
    }
    return kMjdOfUnixEpoch + (localS - guess.offsetS) / kSecondsPerDay;
}

double utFromLocalDate(int day, int month, int year, double hours, const TimeZone& zone)
{
    if (rulesOf(zone) == nullptr)
        return modifiedJulianDate(day, month, year, hours - zone.offsetHours);
    return utFromLocal(modifiedJulianDate(day, month, year, hours), zone);
}

long long skippedSeconds(int day, int month, int year, double hours, const TimeZone& zone)
{
    if (rulesOf(zone) == nullptr)
        return 0;
    const double typedMjd = modifiedJulianDate(day, month, year, hours);
    return std::llround((localMjd(utFromLocal(typedMjd, zone), zone) - typedMjd) * kSecondsPerDay);
}

double utFromLocalNear(double mjdLocal, double mjdUTNear, const TimeZone& zone)
{
    const ZoneRules* rules = rulesOf(zone);
    if (rules == nullptr)
        return mjdLocal - zone.offsetHours / kHoursPerDay;
    return mjdLocal - rules->spanAt(secondsFromMjd(mjdUTNear)).offsetS / kSecondsPerDay;
}

std::string zoneLabelAt(double mjdUT, const TimeZone& zone)
{
    const ZoneRules* rules = rulesOf(zone);
    if (rules == nullptr) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", zone.offsetHours);
        return text;
    }
    return rules->name + " " + offsetText(rules->spanAt(secondsFromMjd(mjdUT)).offsetS);
}

}  // namespace qv
