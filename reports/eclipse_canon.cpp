#include "reports/eclipse_canon.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <future>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "base/julian.h"

namespace qv {

namespace {

// New and Full Moon, the phases that bring eclipses.
constexpr double kSyzygyPhases[] = {0.0, 0.5};

struct CanonKindName {
    EclipseKind kind;
    const char* name;
};

constexpr CanonKindName kKindNames[] = {
    {EclipseKind::TotalLunar, "total lunar"},
    {EclipseKind::PartialLunar, "partial lunar"},
    {EclipseKind::TotalPenumbralLunar, "total penumbral lunar"},
    {EclipseKind::PenumbralLunar, "penumbral lunar"},
    {EclipseKind::PartialSolar, "partial solar"},
    {EclipseKind::NonCentralAnnularSolar, "non-central annular solar"},
    {EclipseKind::NonCentralTotalSolar, "non-central total solar"},
    {EclipseKind::AnnularSolar, "annular solar"},
    {EclipseKind::TotalSolar, "total solar"},
    {EclipseKind::HybridSolar, "hybrid solar"},
};

const char* kindName(EclipseKind kind)
{
    for (const CanonKindName& entry : kKindNames)
        if (entry.kind == kind)
            return entry.name;
    return "";
}

// "YYYY-MM-DD" and "HH:MM" (UT) of the minute the eclipse lists print, in the program's calendar.
void dateAndMinute(double mjdUT, char (&date)[32], char (&minute)[32])
{
    int day = 0, month = 0, year = 0;
    double hour = 0.0;
    const double printed = printedMinute(mjdUT);
    calendarDate(printed, day, month, year, hour);
    const long minuteOfDay = std::lround(hour * 60.0);
    std::snprintf(date, sizeof date, "%s%04d-%02d-%02d", year < 0 ? "-" : "", std::abs(year), month, day);
    std::snprintf(minute, sizeof minute, "%02ld:%02ld", minuteOfDay / 60, minuteOfDay % 60);
}

std::string formatted(const char* format, auto... values)
{
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// A magnitude as printed to three decimals: one that rounds to zero is 0, never -0.000.
constexpr double kHalfLastDecimal = 0.0005;
double printedMagnitude(double magnitude)
{
    return std::fabs(magnitude) < kHalfLastDecimal ? 0.0 : magnitude;
}

// The magnitude of the canon: for a central solar eclipse the diameter ratio at greatest eclipse.
double canonMagnitude(const CanonEntry& entry)
{
    return printedMagnitude(isCentral(entry.eclipse.kind) ? entry.greatest.magnitude : entry.eclipse.magnitude);
}

// Years per part of the canon handed to a thread: small enough that the threads share the
// work evenly, large enough that the lunations around each part's ends cost little.
constexpr int kYearsPerPart = 25;
constexpr long kMostCanonThreads = 16;

int canonThreads()
{
    return static_cast<int>(std::clamp(static_cast<long>(std::thread::hardware_concurrency()), 1L, kMostCanonThreads));
}

// Every eclipse whose greatest eclipse falls in the years firstYear to lastYear of UT, in order.
std::vector<CanonEntry> canonOfYears(int firstYear, int lastYear, const DeltaTRule& rule)
{
    const double startUT = modifiedJulianDate(1, 1, firstYear, 0.0);
    const double endUT = modifiedJulianDate(1, 1, lastYear + 1, 0.0);
    const LunationSpan lunations = lunationsBetween(startUT, endUT);
    std::vector<CanonEntry> entries;
    for (long lunation = lunations.first; lunation <= lunations.last; ++lunation) {
        for (double phase : kSyzygyPhases) {
            const EclipseEvent eclipse = lunationEclipse(lunation, phase, rule);
            if (eclipse.kind == EclipseKind::None)
                continue;
            const GreatestEclipse greatest = greatestEclipse(eclipse);
            if (greatest.instant.mjdUT >= startUT && greatest.instant.mjdUT < endUT)
                entries.push_back({eclipse, greatest});
        }
    }
    return entries;
}

}  // namespace

void forEachCanonEntry(int fromYear, int toYear, const DeltaTRule& rule,
                       const std::function<void(const CanonEntry&)>& take, const std::function<void(int)>& progress)
{
    const int parts = (toYear - fromYear) / kYearsPerPart + 1;
    const auto firstYearOf = [&](int part) { return fromYear + part * kYearsPerPart; };
    const auto lastYearOf = [&](int part) { return std::min(firstYearOf(part) + kYearsPerPart - 1, toYear); };
    std::vector<std::vector<CanonEntry>> found(static_cast<std::size_t>(parts));
    std::vector<char> ready(static_cast<std::size_t>(parts), 0);
    std::mutex readyMutex;
    std::atomic<int> nextPart{0};
    int passedOn = 0;
    const auto compute = [&](int part) {
        std::vector<CanonEntry> entries = canonOfYears(firstYearOf(part), lastYearOf(part), rule);
        const std::lock_guard lock(readyMutex);
        found[static_cast<std::size_t>(part)] = std::move(entries);
        ready[static_cast<std::size_t>(part)] = 1;
    };
    // Hands on, in order, the parts finished since the last call (calling thread only).
    const auto passOnReady = [&] {
        while (passedOn < parts) {
            {
                const std::lock_guard lock(readyMutex);
                if (!ready[static_cast<std::size_t>(passedOn)])
                    return;
            }
            for (const CanonEntry& entry : found[static_cast<std::size_t>(passedOn)])
                take(entry);
            found[static_cast<std::size_t>(passedOn)] = {};
            for (int year = firstYearOf(passedOn); year <= lastYearOf(passedOn); ++year)
                progress(year);
            ++passedOn;
        }
    };
    const auto work = [&] {
        for (int part = nextPart++; part < parts; part = nextPart++)
            compute(part);
    };
    std::vector<std::future<void>> helpers;
    for (int helper = 1; helper < canonThreads() && helper < parts; ++helper) {
        try {
            helpers.push_back(std::async(std::launch::async, work));
        } catch (const std::system_error&) {
            break;
        }
    }
    for (int part = nextPart++; part < parts; part = nextPart++) {
        compute(part);
        passOnReady();
    }
    for (std::future<void>& helper : helpers)
        helper.get();
    passOnReady();
}

std::string canonHeader(CanonFormat format)
{
    switch (format) {
    case CanonFormat::Text:
        return formatted("%-11s %-5s  %-26s %6s   %8s %9s  %8s  %7s\n", "# date", "UT", "kind", "magn.", "latitude",
                         "longitude", "duration", "umbral");
    case CanonFormat::Csv:
        return "date,time_ut,kind_code,kind,magnitude,latitude,longitude,central_duration_s,umbral_magnitude\n";
    case CanonFormat::Json:
        return "[\n";
    }
    return "";
}

std::string canonLine(const CanonEntry& entry, CanonFormat format, bool first)
{
    char date[32], minute[32];
    dateAndMinute(entry.greatest.instant.mjdUT, date, minute);
    const EclipseKind kind = entry.eclipse.kind;
    const GreatestEclipse& g = entry.greatest;
    const bool point = isCentral(kind) && g.central;
    const bool lunar = isLunar(kind);
    const double magnitude = canonMagnitude(entry);
    const double umbral = printedMagnitude(entry.eclipse.umbralMagnitude);
    switch (format) {
    case CanonFormat::Text:
        return formatted("%-11s %s  %-26s %6.3f", date, minute, kindName(kind), magnitude) +
               (point ? formatted("   %8.2f %9.2f  %6.0f s", g.latitudeDeg, g.longitudeDeg, g.durationSeconds)
                          : "") +
               (lunar ? formatted("%33s%7.3f", "", umbral) : "") + "\n";
    case CanonFormat::Csv:
        return formatted("%s,%s,%d,%s,%.3f,", date, minute, static_cast<int>(kind), kindName(kind), magnitude) +
               (point ? formatted("%.2f,%.2f,%.0f,", g.latitudeDeg, g.longitudeDeg, g.durationSeconds) : ",,,") +
               (lunar ? formatted("%.3f", umbral) : "") + "\n";
    case CanonFormat::Json:
        return std::string(first ? "" : ",\n") +
               formatted("{\"date\":\"%s\",\"time_ut\":\"%s\",\"kind_code\":%d,\"kind\":\"%s\",\"magnitude\":%.3f", date,
                         minute, static_cast<int>(kind), kindName(kind), magnitude) +
               (point ? formatted(",\"latitude\":%.2f,\"longitude\":%.2f,\"central_duration_s\":%.0f",
                                      g.latitudeDeg, g.longitudeDeg, g.durationSeconds)
                          : "") +
               (lunar ? formatted(",\"umbral_magnitude\":%.3f", umbral) : "") + "}";
    }
    return "";
}

std::string canonFooter(CanonFormat format) { return format == CanonFormat::Json ? "\n]\n" : ""; }

}  // namespace qv
