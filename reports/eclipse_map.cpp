#include "reports/eclipse_map.h"

#include <cstdio>

#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/circumstances.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_kind_texts.h"

namespace qv {

namespace {

constexpr int kMapStepMinutes = 1;
// The date of formatDateTime's "MMM DD HH:MM ".
constexpr int kDateLength = 6;

}  // namespace

EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings, const EclipseEvent& eclipse)
{
    if (!isSolar(eclipse.kind))
        return {};
    return eclipseMapPoints(settings, eclipse, eclipseCircumstances(eclipse, eclipsePlace(settings.observer), deltaTSeconds(settings.time)));
}

EclipseMapPoints eclipseMapPoints(const SettingsRecord& settings, const EclipseEvent& eclipse,
                                  const EclipseCircumstances& circumstances)
{
    EclipseMapPoints points;
    if (!isSolar(eclipse.kind))
        return points;
    if (isCentral(eclipse.kind) && circumstances.phaseCount > 0)
        points.centralLine = centralLine(centralTableStartUT(circumstances, kMapStepMinutes, settings.time.zone),
                                         centralTableEndUT(circumstances), kMapStepMinutes / kMinutesPerDay,
                                         qv::deltaTSeconds(settings.time));
    const CentralLinePoint* highest = highestSunPoint(points.centralLine);
    points.greatest = highest ? GeoPoint{highest->latitudeDeg, highest->longitudeDeg}
                              : greatestEclipsePoint(eclipse, qv::deltaTSeconds(settings.time));
    const EclipsePhase& whole = circumstances.phases[0];
    points.curves = sampleMapCurves(whole.beginUT, whole.endUT, qv::deltaTSeconds(settings.time));
    return points;
}

std::string eclipseMapTitle(int year, const TimeZone& zone, const EclipseEvent& eclipse)
{
    if (!isSolar(eclipse.kind))
        return {};
    char dateTime[kDateTimeLength];
    formatDateTime(localMjd(eclipse.greatestUT, zone), dateTime);
    const EclipseKindTexts* names = eclipseKindTexts(eclipse.kind);
    char text[96];
    std::snprintf(text, sizeof text, "  %4i  %.*s  %s Eclipse of the Sun", year, kDateLength, dateTime,
                  names ? names->mapTitle : "");
    return text;
}

}  // namespace qv
