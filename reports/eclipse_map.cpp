#include "reports/eclipse_map.h"

#include <algorithm>
#include <cstdio>

#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/circumstances.h"
#include "eclipse/greatest_eclipse.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_kind_texts.h"

namespace qv {

namespace {

constexpr int kMapStepMinutes = 1;
// The date of formatDateTime's "MMM DD HH:MM ".
constexpr int kDateLength = 6;

}  // namespace

// From one step before the first of the phases began.
UmbralLimits umbralLimitsOf(const EclipseEvent& eclipse, const EclipseCircumstances& circumstances)
{
    const double stepDays = kMapStepMinutes / kMinutesPerDay;
    bool touches = false;
    double begin = 0.0, end = 0.0;
    for (int i = 0; i < circumstances.phaseCount; ++i) {
        const EclipsePhase& phase = circumstances.phases[i];
        if (!isSolar(phase.kind) || phase.kind == EclipseKind::PartialSolar)
            continue;
        begin = touches ? std::min(begin, phase.beginUT) : phase.beginUT;
        end = touches ? std::max(end, phase.endUT) : phase.endUT;
        touches = true;
    }
    return touches ? umbralLimits(eclipse.greatest.at(begin - stepDays), end, stepDays) : UmbralLimits{};
}

EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings, const EclipseEvent& eclipse)
{
    if (!isSolar(eclipse.kind))
        return {};
    return eclipseMapPoints(settings, eclipse, circumstancesAtObserver(settings, eclipse));
}

EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings, const EclipseEvent& eclipse,
                                  const EclipseCircumstances& circumstances)
{
    EclipseMapPoints points;
    if (!isSolar(eclipse.kind))
        return points;
    if (isCentral(eclipse.kind) && circumstances.phaseCount > 0)
        points.centralLine =
            centralLineWithEnds(eclipse.greatest.at(centralTableStartUT(circumstances, kMapStepMinutes, settings.time.zone)),
                        centralTableEndUT(circumstances), kMapStepMinutes / kMinutesPerDay);
    const GreatestEclipse greatest = greatestEclipse(eclipse);
    points.greatest = {greatest.latitudeDeg, greatest.longitudeDeg};
    const EclipsePhase& whole = circumstances.phases[0];
    const PenumbralSamples samples = mapCurveSamples(eclipse.greatest.at(whole.beginUT), whole.endUT);
    points.curves = mapCurvesOf(samples);
    points.curveLines = penumbralCurves(samples);
    points.umbralLimits = umbralLimitsOf(eclipse, circumstances);
    return points;
}

std::string eclipseMapTitle(int year, const TimeZone& zone, const EclipseEvent& eclipse)
{
    if (!isSolar(eclipse.kind))
        return {};
    char dateTime[kDateTimeLength];
    formatDateTime(localMjd(greatestEclipse(eclipse).instant.mjdUT, zone), dateTime);
    const EclipseKindTexts* names = eclipseKindTexts(eclipse.kind);
    char text[96];
    std::snprintf(text, sizeof text, "  %4i  %.*s  %s Eclipse of the Sun", year, kDateLength, dateTime,
                  names ? names->mapTitle : "");
    return text;
}

}  // namespace qv
