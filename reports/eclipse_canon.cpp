#include "reports/eclipse_canon.h"

#include <cmath>
#include <cstdio>

#include "base/julian.h"
#include "reports/year_tables.h"

namespace qv {

namespace {

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

}  // namespace

void forEachCanonEntry(const SettingsRecord& settings, int fromYear, int toYear, std::optional<double> deltaTSeconds,
                       const std::function<void(const CanonEntry&)>& take, const std::function<void(int)>& progress)
{
    SettingsRecord yearSettings = settings;
    for (int year = fromYear; year <= toYear; ++year) {
        yearSettings.time.year = year;
        yearSettings.time.deltaTFollowsYear = !deltaTSeconds;
        yearSettings.time.deltaTManualSeconds = deltaTSeconds.value_or(0.0);
        for (const EclipseEvent& eclipse : eclipsesOfYear(yearSettings)) {
            take(CanonEntry{eclipse, greatestEclipse(eclipse)});
        }
        progress(year);
    }
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
    switch (format) {
    case CanonFormat::Text:
        return formatted("%-11s %s  %-26s %6.3f", date, minute, kindName(kind), entry.eclipse.magnitude) +
               (point ? formatted("   %8.2f %9.2f  %6.0f s", g.latitudeDeg, g.longitudeDeg, g.durationSeconds)
                          : "") +
               (lunar ? formatted("%33s%7.3f", "", entry.eclipse.umbralMagnitude) : "") + "\n";
    case CanonFormat::Csv:
        return formatted("%s,%s,%d,%s,%.3f,", date, minute, static_cast<int>(kind), kindName(kind),
                         entry.eclipse.magnitude) +
               (point ? formatted("%.2f,%.2f,%.0f,", g.latitudeDeg, g.longitudeDeg, g.durationSeconds) : ",,,") +
               (lunar ? formatted("%.3f", entry.eclipse.umbralMagnitude) : "") + "\n";
    case CanonFormat::Json:
        return std::string(first ? "" : ",\n") +
               formatted("{\"date\":\"%s\",\"time_ut\":\"%s\",\"kind_code\":%d,\"kind\":\"%s\",\"magnitude\":%.3f", date,
                         minute, static_cast<int>(kind), kindName(kind), entry.eclipse.magnitude) +
               (point ? formatted(",\"latitude\":%.2f,\"longitude\":%.2f,\"central_duration_s\":%.0f",
                                      g.latitudeDeg, g.longitudeDeg, g.durationSeconds)
                          : "") +
               (lunar ? formatted(",\"umbral_magnitude\":%.3f", entry.eclipse.umbralMagnitude) : "") + "}";
    }
    return "";
}

std::string canonFooter(CanonFormat format) { return format == CanonFormat::Json ? "\n]\n" : ""; }

}  // namespace qv
