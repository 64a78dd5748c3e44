#include "reports/eclipse_details.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"
#include "eclipse/central_line.h"
#include "eclipse/greatest_eclipse.h"
#include "eclipse/path_outline.h"
#include "reports/eclipse_kind_texts.h"
#include "reports/eclipse_map.h"

namespace qv {

namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kNumberSize = 96;
// In formatDateTime's "MMM DD HH:MM " the date is the first 6 characters and the time the 5
// from index 7.
constexpr int kDateLength = 6;
constexpr int kTimeOffset = 7;
constexpr int kTimeLength = 5;
// Phase lines are appended while the phases' text is no longer than this.
constexpr std::size_t kPhaseTextLimit = 200;
// The central-line table repeats its column header before every tenth row.
constexpr int kRowsPerHeader = 10;
constexpr const char* kTableHeader = "\n\nhh:mm\t Lat.\t Long.\t\tsec\tkm \telev\n";

// Minutes between central-line rows; at least one, so that the table always advances.
int mapStepMinutes(const SettingsRecord& settings) { return std::max(settings.display.mapStepMinutes, 1); }

// Appends the first count characters of formatDateTime of the local time of an instant.
void appendDateTime(std::string& out, double mjdUT, const TimeZone& zone, int count = kDateTimeShown)
{
    char dateTime[kDateTimeLength];
    formatDateTime(localMjd(mjdUT, zone), dateTime);
    out.append(dateTime, static_cast<std::size_t>(count));
}

// Appends a printf-formatted number text with its decimal commas turned into points.
template <typename... Values>
void appendNumbers(std::string& out, const char* format, Values... values)
{
    char text[kNumberSize];
    std::snprintf(text, sizeof text, format, values...);
    commaToPoint(text);
    out += text;
}

void writeTitle(const EclipseEvent& eclipse, const TimeZone& zone, std::string& out)
{
    const EclipseKindTexts* names = eclipseKindTexts(eclipse.kind);
    out += names ? names->title : "";
    out += "\n\nMaximum Eclipse at ";
    appendDateTime(out, greatestEclipse(eclipse).instant.mjdUT, zone);
    if (!isCentral(eclipse.kind))
        appendNumbers(out, "   with magnitude:%5.2f", eclipse.magnitude);
}

// One line per phase: label, begin and end in local time.
void writePhases(const EclipseCircumstances& circumstances, const TimeZone& zone, std::string& out)
{
    std::string text = "\n";
    for (int i = 0; i < circumstances.phaseCount && text.size() <= kPhaseTextLimit; ++i) {
        const EclipsePhase& phase = circumstances.phases[i];
        const EclipseKindTexts* names = eclipseKindTexts(phase.kind);
        text += "\n ";
        text += names ? names->phaseLabel : "";
        text += "\tbegins ";
        appendDateTime(text, phase.beginUT, zone);
        text += "\tends ";
        appendDateTime(text, phase.endUT, zone);
    }
    out += text;
}

// The central-line table: a header before every tenth row, a date line when the local day
// changes, then per row the hybrid marker, the local time, the point, duration, width and
// the Sun's elevation.
void writeCentralTable(const SettingsRecord& settings, const EclipseEvent& eclipse,
                       const std::vector<CentralLinePoint>& line, const TimedLine& outline, std::string& out)
{
    const EclipseKind kind = eclipse.kind;
    const TimeZone zone = settings.time.zone;
    char lastDate[kDateLength + 1] = "******";
    int row = 0;
    for (const CentralLinePoint& point : line) {
        out += row++ % kRowsPerHeader == 0 ? kTableHeader : "\n";
        char dateTime[kDateTimeLength];
        formatDateTime(localMjd(point.mjdUT, zone), dateTime);
        if (std::strncmp(dateTime, lastDate, kDateLength) != 0) {
            std::snprintf(lastDate, sizeof lastDate, "%.*s", kDateLength, dateTime);
            out.append(dateTime, kDateLength);
            out += "\n";
        }
        if (kind == EclipseKind::HybridSolar)
            out += point.kind == EclipseKind::AnnularSolar ? "a " : "t ";
        else
            out += "  ";
        const double latitude = settings.display.dmsAngles ? decimalToHhmm(point.latitudeDeg) : point.latitudeDeg;
        const double longitude = settings.display.dmsAngles ? decimalToHhmm(point.longitudeDeg) : point.longitudeDeg;
        out.append(dateTime + kTimeOffset, kTimeLength);
        // Across the path between its limits; where they do not reach, the umbra's own width.
        const double acrossKm = widthAcrossKmAt(outline, eclipse.greatest.at(point.mjdUT),
                                                {point.latitudeDeg, point.longitudeDeg});
        const double widthKm = acrossKm > 0.0 ? acrossKm : point.widthKm;
        appendNumbers(out, "\t%7.2f\t%8.2f\t\t%3.0f\t%4.0f\t%3.0f", latitude, longitude, point.durationSeconds,
                      widthKm, point.sunElevationDeg);
    }
}

void appendInterval(std::string& out, double fromUT, double untilUT, const TimeZone& zone)
{
    out += " ";
    appendDateTime(out, fromUT, zone);
    out += " to ";
    appendDateTime(out, untilUT, zone);
}

void writeLocalCircumstances(const SettingsRecord& settings, EclipseKind kind, const LocalCircumstances& local,
                             std::string& out)
{
    out += "\n\n\nLocal Circumstances for ";
    out.append(settings.observer.name);
    const bool packed = settings.display.dmsAngles;
    const Observer& observer = settings.observer;
    appendNumbers(out, "\nLat: %s   Long: %s   height: %g m\n\n", angleText(observer.latitudeDeg, packed).c_str(),
                  angleText(observer.longitudeDeg, packed).c_str(), observer.heightM);
    if (kind == EclipseKind::None)
        return;
    if (!local.visible()) {
        out += "Eclipse not visible";
        return;
    }
    const TimeZone zone = settings.time.zone;
    out += "Eclipse visible from ";
    appendInterval(out, local.visibleFromUT[0], local.visibleUntilUT[0], zone);
    if (local.visibleTwice()) {
        out += "\n\tand from ";
        appendInterval(out, local.visibleFromUT[1], local.visibleUntilUT[1], zone);
    }
}

// Hours of the local day of a local-time MJD, packed H.MMSS.
double packedTimeOfDay(double mjdLocal)
{
    return decimalToDdmmss((mjdLocal - std::floor(mjdLocal)) * kHoursPerDay);
}

const char* centralPhaseWords(EclipseKind kind)
{
    if (kind == EclipseKind::PartialSolar || kind == EclipseKind::HybridSolar)
        return "\ntotality/annularity from";
    return isTotal(kind) ? "\ntotality from" : "\nannularity from";
}

void writeLocalMaximum(const SettingsRecord& settings, EclipseKind kind, const LocalCircumstances& local,
                       std::string& out)
{
    if (!isSolar(kind) || !local.visible())
        return;
    const TimeZone zone = settings.time.zone;
    out += "\nMaximum Eclipse at ";
    appendDateTime(out, local.maxUT, zone);
    appendNumbers(out, "   with magnitude %6.3f", local.maxMagnitude);
    appendNumbers(out, "   elev:%4.1f", local.maxElevationRad * kDegPerRad);
    if (!local.hasCentralPhase())
        return;
    out += centralPhaseWords(kind);
    const double startLocal = localMjd(local.centralStartUT, zone);
    const double endLocal = localMjd(local.centralEndUT, zone);
    appendNumbers(out, "%8.4f  to%8.4f   del.t:%3.0f sec", packedTimeOfDay(startLocal), packedTimeOfDay(endLocal),
                  (endLocal - startLocal) * kSecondsPerDay);
}

}  // namespace

EclipseCircumstances circumstancesAtObserver(const SettingsRecord& settings, const EclipseEvent& eclipse)
{
    return eclipseCircumstances(eclipse, settings.observer);
}

const EclipseEvent* selectedEclipse(int number, const std::vector<EclipseEvent>& eclipses)
{
    const int index = number - 1;
    return index >= 0 && index < static_cast<int>(eclipses.size()) ? &eclipses[index] : nullptr;
}

std::vector<int> buildEclipseListPage(int year, const TimeZone& zone, const std::vector<EclipseEvent>& eclipses,
                                      PageBuffer& page, ListMedium medium)
{
    std::vector<int> lines;
    char line[kPageColumns];
    appendBlankLines(page, 2);
    std::snprintf(line, sizeof line, "         Eclipses for %i ", year);
    appendLine(page, line);
    appendBlankLines(page, 2);
    for (std::size_t i = 0; i < eclipses.size(); ++i) {
        char dateTime[kDateTimeLength];
        formatDateTime(localMjd(greatestEclipse(eclipses[i]).instant.mjdUT, zone), dateTime);
        const EclipseKindTexts* names = eclipseKindTexts(eclipses[i].kind);
        std::snprintf(line, sizeof line, "%2i : %.*s%s", static_cast<int>(i) + 1, kDateLength, dateTime,
                      names ? names->listLabel : "");
        lines.push_back(static_cast<int>(page.lines.size()));
        appendFixedPitchLine(page, line);
        appendBlankLines(page, 1);
    }
    appendBlankLines(page, 2);
    if (medium == ListMedium::Screen) {
        appendLine(page, "     Click at respective line or key number to get eclipse details.");
        appendBlankLines(page, 2);
    }
    return lines;
}

double centralTableStartUT(const EclipseCircumstances& circumstances, int stepMinutes, const TimeZone& zone)
{
    const int count = circumstances.phaseCount;
    double begin = localMjd(circumstances.phases[count - 1].beginUT, zone);
    for (int i = 0; i < count; ++i)
        if (isCentral(circumstances.phases[i].kind))
            begin = std::min(begin, localMjd(circumstances.phases[i].beginUT, zone));
    const double day = std::floor(begin);
    // Whole minutes of the day; the small addition keeps an exact minute from reading as the one before.
    const int minuteOfDay = static_cast<int>((begin - day) * kMinutesPerDay + 1e-6);
    const int hours = minuteOfDay / kMinutesPerHour;
    int minutes = minuteOfDay % kMinutesPerHour;
    minutes -= minutes % stepMinutes;
    return utFromLocal(day + (hours * kMinutesPerHour + minutes) / kMinutesPerDay, zone);
}

double centralTableEndUT(const EclipseCircumstances& circumstances)
{
    const int count = circumstances.phaseCount;
    double end = circumstances.phases[count - 1].endUT;
    for (int i = 0; i < count; ++i)
        if (isCentral(circumstances.phases[i].kind))
            end = std::max(end, circumstances.phases[i].endUT);
    return end;
}

std::string eclipseDetailsText(const SettingsRecord& settings, const EclipseEvent& eclipse)
{
    return eclipseDetailsText(settings, eclipse, circumstancesAtObserver(settings, eclipse));
}

std::string eclipseDetailsText(const SettingsRecord& settings, const EclipseEvent& eclipse,
                               const EclipseCircumstances& circumstances)
{
    const TimeZone zone = settings.time.zone;
    std::string text;
    if (isNamedZone(zone))
        text += "+++> Timezone " + zoneLabelAt(eclipse.greatest.mjdUT, zone) + " <+++";
    else
        appendNumbers(text, "+++> Timezone %g <+++", zone.offsetHours);
    appendNumbers(text, "\tYear: %4i ", settings.time.year);
    if (isCentral(eclipse.kind))
        text += settings.display.dmsAngles ? "\tLat./Long. in Degrees.Minutes" : "\tLat./Long. in Decimal Degrees";
    text += "\n\n";

    writeTitle(eclipse, zone, text);
    writePhases(circumstances, zone, text);
    if (isCentral(eclipse.kind) && circumstances.phaseCount > 0) {
        const int stepMinutes = mapStepMinutes(settings);
        const std::vector<CentralLinePoint> line =
            centralLine(eclipse.greatest.at(centralTableStartUT(circumstances, stepMinutes, zone)),
                        centralTableEndUT(circumstances), stepMinutes / kMinutesPerDay);
        const UmbralLimits limits = umbralLimitsOf(eclipse, circumstances);
        writeCentralTable(settings, eclipse, line,
                          pathOutline(eclipse.greatest, limitCurve(limits.northern), limitCurve(limits.southern)), text);
    }
    writeLocalCircumstances(settings, eclipse.kind, circumstances.local, text);
    writeLocalMaximum(settings, eclipse.kind, circumstances.local, text);
    appendNumbers(text, "\n\n\n+++> tdt - ut (in sec): %g <+++", eclipse.greatest.deltaTSeconds);
    return text;
}

std::string localCircumstancesText(const SettingsRecord& settings, EclipseKind kind, const LocalCircumstances& local)
{
    std::string text;
    writeLocalCircumstances(settings, kind, local, text);
    writeLocalMaximum(settings, kind, local, text);
    return text;
}

int eclipseIndexAt(const int lineTops[13], int numberedLineCount, int y)
{
    const int count = std::clamp(numberedLineCount, 0, kMaxEclipses);
    int index = -1;
    for (int i = 0; i < count; ++i)
        if (lineTops[i + 1] < y)
            index = i;
    return index;
}

}  // namespace qv
