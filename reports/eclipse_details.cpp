#include "reports/eclipse_details.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "astro/frames.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"
#include "eclipse/eclipse_geometry.h"
#include "eclipse/lunation.h"
#include "reports/eclipse_kind_texts.h"

namespace qv {

namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kNumberSize = 96;
// In formatDateTime's "MMM DD HH:MM " the date is the first 6 characters and the time the 5
// from index 7.
constexpr int kDateLength = 6;
constexpr int kTimeOffset = 7;
constexpr int kTimeLength = 5;
// Stage texts starting with the same characters as the piece before are not repeated.
constexpr std::size_t kGuardLength = 10;
constexpr const char* kEmptyGuard = "**********";
// The central-line table repeats its column header before every tenth row.
constexpr int kRowsPerHeader = 10;
constexpr const char* kTableHeader = "\n\nhh:mm\t Lat.\t Long.\t\tsec\tkm \telev\n";
// The table rows start at the first step the Sun elevation exceeds this (degrees).
constexpr double kLowestElevationDeg = -10.0;

bool isCentralSolar(int kind) { return kind == kAnnularSolar || kind == kTotalSolar || kind == kHybridSolar; }

int selectedIndex(const SettingsRecord& settings)
{
    const int index = settings.selectedEclipse - 1;
    return index >= 0 && index < std::min(settings.eclipseCount, kMaxEclipses) ? index : -1;
}

// Minutes between central-line rows; at least one, so that the table always advances.
int mapStepMinutes(const SettingsRecord& settings) { return std::max(settings.mapStep, 1); }

// Appends the first count characters of formatDateTime(mjd).
void appendDateTime(std::string& out, double mjd, int count = kDateTimeShown)
{
    char dateTime[kDateTimeLength];
    formatDateTime(mjd, dateTime);
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

void writeTitle(const SettingsRecord& settings, int index, std::string& out)
{
    const int kind = settings.eclipseTypes[index];
    const EclipseKindTexts* names = eclipseKindTexts(kind);
    out += names ? names->title : "";
    out += "\n\nMaximum Eclipse at ";
    appendDateTime(out, settings.eclipseTimes[index]);
    if (!isCentralSolar(kind))
        appendNumbers(out, "   with magnitude:%5.2f", settings.eclipseMagnitudes[index]);
}

// Local time of the table's first row: the earliest begin of a central phase, its minutes
// brought down to a multiple of the step; returned in UT.
double tableStartUT(const EclipsePhaseTable& phases, int stepMinutes, double zoneDays)
{
    double begin = phases.phaseBegin[phases.phaseCount - 1];
    for (int i = 0; i < phases.phaseCount; ++i)
        if (phases.phaseKinds[i] >= kSolarCentralAnnular)
            begin = std::min(begin, phases.phaseBegin[i]);
    const double day = std::floor(begin);
    // Whole minutes of the day; the small addition keeps an exact minute from reading as the one before.
    const int minuteOfDay = static_cast<int>((begin - day) * kMinutesPerDay + 1e-6);
    const int hours = minuteOfDay / kMinutesPerHour;
    int minutes = minuteOfDay % kMinutesPerHour;
    minutes -= minutes % stepMinutes;
    return day + (hours * kMinutesPerHour + minutes) / kMinutesPerDay - zoneDays;
}

// Latest end of a central phase, in UT.
double tableEndUT(const EclipsePhaseTable& phases, double zoneDays)
{
    double end = phases.phaseEnd[phases.phaseCount - 1];
    for (int i = 0; i < phases.phaseCount; ++i)
        if (phases.phaseKinds[i] >= kSolarCentralAnnular)
            end = std::max(end, phases.phaseEnd[i]);
    return end - zoneDays;
}

void startCentralLine(SettingsRecord& settings, int kind, EclipseDetailsRun& run, std::string& out)
{
    if (run.phases.phaseCount < 1) {
        settings.detailsStage = kStageTableDone;
        return;
    }
    const double zoneDays = settings.timeZone / kHoursPerDay;
    const int stepMinutes = mapStepMinutes(settings);
    run.tableTimeUT = tableStartUT(run.phases, stepMinutes, zoneDays);
    run.tableEndUT = tableEndUT(run.phases, zoneDays);
    std::snprintf(run.lastDate, sizeof run.lastDate, "******");
    centralLineRow(true, kind, settings, run, out);
    run.tableTimeUT += stepMinutes / kMinutesPerDay;
}

void continueCentralLine(SettingsRecord& settings, int kind, EclipseDetailsRun& run, std::string& out)
{
    centralLineRow(false, kind, settings, run, out);
    run.tableTimeUT += mapStepMinutes(settings) / kMinutesPerDay;
    if (run.tableTimeUT > run.tableEndUT)
        settings.detailsStage = kStageTableDone;
    else
        --settings.detailsStage;
}

void appendInterval(std::string& out, double from, double until)
{
    out += " ";
    appendDateTime(out, from);
    out += " to ";
    appendDateTime(out, until);
}

void writeLocalCircumstances(const SettingsRecord& settings, int kind, std::string& out)
{
    out += "\n\n\nLocal Circumstances for ";
    out.append(settings.locationName, strnlen(settings.locationName, kLocationNameMax));
    const bool packed = settings.dmsFlag != 0;
    appendNumbers(out, "\nLat: %s   Long: %s   height: %g m\n\n", angleText(settings.latitude, packed).c_str(),
                  angleText(settings.longitude, packed).c_str(), settings.height);
    if (kind == kNoEclipse)
        return;
    const LocalCircumstances& local = settings.localCircumstances;
    if (local.localVisibility < 1) {
        out += "Eclipse not visible";
        return;
    }
    out += "Eclipse visible from ";
    appendInterval(out, local.visibleFrom[0], local.visibleUntil[0]);
    if (local.localVisibility > 2) {
        out += "\n\tand from ";
        appendInterval(out, local.visibleFrom[1], local.visibleUntil[1]);
    }
}

// Hours of the local day of a local-time MJD, packed H.MMSS.
double packedTimeOfDay(double mjdLocal)
{
    return decimalToDdmmss((mjdLocal - std::floor(mjdLocal)) * kHoursPerDay);
}

void writeLocalMaximum(const SettingsRecord& settings, int kind, std::string& out)
{
    const LocalCircumstances& local = settings.localCircumstances;
    if (kind <= kNoEclipse || local.localVisibility < 1)
        return;
    out += "\nMaximum Eclipse at ";
    appendDateTime(out, local.localMaxTime);
    appendNumbers(out, "   with magnitude %6.3f", local.localMaxMagnitude);
    appendNumbers(out, "   elev:%4.1f", local.localMaxElevation * kDegPerRad);
    if (local.localCentralEnd < local.localCentralStart)
        return;
    if (kind == kPartialSolar || kind == kHybridSolar)
        out += "\ntotality/annularity from";
    else
        out += kind % 2 == 1 ? "\ntotality from" : "\nannularity from";
    appendNumbers(out, "%8.4f  to%8.4f   del.t:%3.0f sec", packedTimeOfDay(local.localCentralStart),
                  packedTimeOfDay(local.localCentralEnd),
                  (local.localCentralEnd - local.localCentralStart) * kSecondsPerDay);
}

}  // namespace

void formatEclipseListLine(const SettingsRecord& settings, int index, char* line, std::size_t lineSize)
{
    char dateTime[kDateTimeLength];
    formatDateTime(settings.eclipseTimes[index], dateTime);
    const EclipseKindTexts* names = eclipseKindTexts(settings.eclipseTypes[index]);
    std::snprintf(line, lineSize, "%2i : %.*s%s", index + 1, kDateLength, dateTime, names ? names->listLabel : "");
}

void buildEclipseListPage(const SettingsRecord& settings, PageBuffer& page)
{
    char line[kPageColumns];
    appendBlankLines(page, 2);
    std::snprintf(line, sizeof line, "         Eclipses for %i ", settings.year);
    appendLine(page, line);
    appendBlankLines(page, 2);
    const int count = std::clamp(settings.eclipseCount, 0, kMaxEclipses);
    for (int i = 0; i < count; ++i) {
        formatEclipseListLine(settings, i, line, sizeof line);
        appendMarkedLine(page, line);
        appendBlankLines(page, 1);
    }
    appendBlankLines(page, 2);
    appendLine(page, "     Click at respective line or key number to get eclipse details.");
    appendBlankLines(page, 2);
}

void centralLineRow(bool first, int eclipseKind, SettingsRecord& settings, EclipseDetailsRun& run,
                    std::string& out)
{
    EclipseGeometry engine;
    const double stepDays = mapStepMinutes(settings) / kMinutesPerDay;
    double latitudeRad = 0.0, longitudeRad = 0.0;
    int eclipseClass = engine.solarEclipseAt(run.tableTimeUT, settings.deltaT, latitudeRad, longitudeRad);
    settings.centralClass = 0;
    if (first) {
        run.highestElevationDeg = kLowestElevationDeg;
        while (eclipseClass < kSolarCentralAnnular && run.tableTimeUT < run.tableEndUT) {
            run.tableTimeUT += stepDays;
            eclipseClass = engine.solarEclipseAt(run.tableTimeUT, settings.deltaT, latitudeRad, longitudeRad);
        }
        run.rowCounter = 0;
    }
    if (eclipseClass < kSolarCentralAnnular)
        return;

    out += run.rowCounter % kRowsPerHeader == 0 ? kTableHeader : "\n";
    ++run.rowCounter;
    char dateTime[kDateTimeLength];
    formatDateTime(run.tableTimeUT + settings.timeZone / kHoursPerDay, dateTime);
    if (std::strncmp(dateTime, run.lastDate, kDateLength) != 0) {
        std::snprintf(run.lastDate, sizeof run.lastDate, "%.*s", kDateLength, dateTime);
        out.append(dateTime, kDateLength);
        out += "\n";
    }
    settings.centralClass = eclipseClass;
    if (eclipseKind == kHybridSolar)
        out += eclipseClass == kSolarCentralAnnular ? "a " : "t ";
    else
        out += "  ";

    // Duration and width first: both are printed from the same call.
    double widthKm = 0.0;
    const double durationSeconds = engine.centralDurationAndWidth(run.tableTimeUT, settings.deltaT, widthKm);
    double azimuthRad = 0.0, elevationRad = 0.0, distance = 0.0;
    horizonCoordinates(run.tableTimeUT, 0.0, latitudeRad, longitudeRad, 0.0, true, engine.sunVector(),
                       azimuthRad, elevationRad, distance);
    double latitude = latitudeRad * kDegPerRad;
    double longitude = longitudeRad * kDegPerRad;
    if (longitude > 180.0)
        longitude -= 360.0;
    const double elevationDeg = elevationRad * kDegPerRad;
    if (settings.dmsFlag) {
        latitude = decimalToHhmm(latitude);
        longitude = decimalToHhmm(longitude);
    }
    settings.mapWorkPoint[0] = latitude;
    settings.mapWorkPoint[1] = longitude;
    if (elevationDeg > run.highestElevationDeg) {
        run.highestElevationDeg = elevationDeg;
        settings.maxEclipsePoint[0] = latitude;
        settings.maxEclipsePoint[1] = longitude;
    }
    out.append(dateTime + kTimeOffset, kTimeLength);
    appendNumbers(out, "\t%7.2f\t%8.2f\t\t%3.0f\t%4.0f\t%3.0f", latitude, longitude, durationSeconds, widthKm,
                  elevationDeg);
}

void eclipseDetailsStage(SettingsRecord& settings, EclipseDetailsRun& run, std::string& out)
{
    out.clear();
    const int index = selectedIndex(settings);
    if (index < 0) {
        settings.detailsStage = kStageFinished;
        return;
    }
    const int kind = settings.eclipseTypes[index];
    switch (settings.detailsStage) {
    case kStageTitle:
        writeTitle(settings, index, out);
        break;
    case kStagePhases:
        out.push_back('\n');
        if (eclipseCircumstances(settings, index, run.phases, kind, out) == 0 || kind < kAnnularSolar)
            settings.detailsStage = kStageTableDone;
        break;
    case kStageTableStart:
        startCentralLine(settings, kind, run, out);
        break;
    case kStageTableRows:
        continueCentralLine(settings, kind, run, out);
        break;
    case kStageTableDone:
        break;
    case kStageLocal:
        writeLocalCircumstances(settings, kind, out);
        break;
    case kStageLocalMaximum:
        writeLocalMaximum(settings, kind, out);
        settings.detailsStage = kStageFinished;
        break;
    default:
        settings.detailsStage = kStageFinished;
        break;
    }
}

std::string eclipseDetailsText(SettingsRecord& viewSettings)
{
    const int index = selectedIndex(viewSettings);
    if (index < 0)
        return {};
    std::string text;
    appendNumbers(text, "+++> Timezone %g <+++\tYear: %4i ", viewSettings.timeZone, viewSettings.year);
    if (viewSettings.eclipseTypes[index] > kNonCentralTotalSolar)
        text += viewSettings.dmsFlag ? "\tLat./Long. in Degrees.Minutes" : "\tLat./Long. in Decimal Degrees";
    text += "\n\n";

    EclipseDetailsRun run;
    std::string piece;
    std::string guard = kEmptyGuard;
    viewSettings.detailsStage = kStageTitle;
    for (;;) {
        eclipseDetailsStage(viewSettings, run, piece);
        if (!piece.empty() && piece.compare(0, kGuardLength, guard) != 0) {
            text += piece;
            guard = piece.substr(0, kGuardLength);
        }
        if (viewSettings.detailsStage <= kStageFinished)
            break;
        ++viewSettings.detailsStage;
    }
    appendNumbers(text, "\n\n\n+++> tdt - ut (in sec): %g <+++", viewSettings.deltaT);
    return text;
}

std::string localCircumstancesText(const SettingsRecord& settings, int eclipseKind)
{
    std::string text;
    writeLocalCircumstances(settings, eclipseKind, text);
    writeLocalMaximum(settings, eclipseKind, text);
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
