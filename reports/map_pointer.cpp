#include "reports/map_pointer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/constants.h"
#include "base/earth_figure.h"
#include "base/julian.h"
#include "base/number_text.h"
#include "base/vector.h"
#include "eclipse/eclipse_kind.h"

namespace qv {

namespace {

constexpr int kLineSize = 96;

// The distance (km) from p to the segment a-b, all in km on a plane.
double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    const double t = lengthSquared > 0.0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / lengthSquared, 0.0, 1.0) : 0.0;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// A number as printf formats it, with a decimal point whatever the C locale.
std::string number(const char* format, double value)
{
    char text[kLineSize];
    std::snprintf(text, sizeof text, format, value);
    commaToPoint(text);
    return text;
}

}  // namespace

double distanceToCentralLineKm(const std::vector<CentralLinePoint>& centralLine, double latitudeDeg,
                               double longitudeDeg)
{
    if (centralLine.empty())
        return -1.0;
    // Each point's great-circle distance first; then, next to the nearest point, the segments on
    // either side of it in a plane tangent at the point asked about (their points lie a minute
    // of shadow travel apart, tens of kilometres).
    std::size_t nearest = 0;
    double nearestKm = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < centralLine.size(); ++i) {
        const double km = greatCircleRad(latitudeDeg * kRadPerDeg, longitudeDeg * kRadPerDeg,
                                         centralLine[i].latitudeDeg * kRadPerDeg,
                                         centralLine[i].longitudeDeg * kRadPerDeg) *
                          kShadowEarthRadiusKm;
        if (km < nearestKm) {
            nearestKm = km;
            nearest = i;
        }
    }
    const double kmPerDegree = kShadowEarthRadiusKm * kRadPerDeg;
    const auto plane = [&](const CentralLinePoint& point, double& x, double& y) {
        x = wrappedAngle((point.longitudeDeg - longitudeDeg) * kRadPerDeg) * kDegPerRad *
            std::cos(latitudeDeg * kRadPerDeg) * kmPerDegree;
        y = (point.latitudeDeg - latitudeDeg) * kmPerDegree;
    };
    double best = nearestKm;
    for (std::size_t i : {nearest, nearest + 1}) {
        if (i == 0 || i >= centralLine.size())
            continue;
        double ax = 0, ay = 0, bx = 0, by = 0;
        plane(centralLine[i - 1], ax, ay);
        plane(centralLine[i], bx, by);
        best = std::min(best, segmentDistance(0.0, 0.0, ax, ay, bx, by));
    }
    return best;
}

MapPointAnswer mapPointAnswer(const EclipseEvent& eclipse, const std::vector<CentralLinePoint>& centralLine,
                              double latitudeDeg, double longitudeDeg)
{
    MapPointAnswer answer;
    answer.latitudeDeg = latitudeDeg;
    answer.longitudeDeg = longitudeDeg;
    const Observer place{latitudeDeg, longitudeDeg, 0.0, "pointer"};
    answer.local = eclipseCircumstances(eclipse, place).local;
    if (!answer.local.visible() || answer.local.maxMagnitude <= 0.0)
        return answer;
    answer.obscuration = localObscuration(eclipse, place, answer.local.maxUT);
    if (answer.local.hasCentralPhase())
        answer.centralLineDistanceKm = distanceToCentralLineKm(centralLine, latitudeDeg, longitudeDeg);
    return answer;
}

std::string mapPointAnswerText(const MapPointAnswer& answer, EclipseKind kind, const TimeZone& zone)
{
    std::string text = number("%.2f", std::fabs(answer.latitudeDeg)) + (answer.latitudeDeg < 0.0 ? " S  " : " N  ") +
                       number("%.2f", std::fabs(answer.longitudeDeg)) + (answer.longitudeDeg < 0.0 ? " W" : " E");
    const LocalCircumstances& local = answer.local;
    if (!local.visible() || local.maxMagnitude <= 0.0)
        return text + "\nNo eclipse seen here";
    char dateTime[kDateTimeLength];
    formatDateTime(localMjd(local.maxUT, zone), dateTime);
    text += "\nMaximum " + std::string(dateTime, kDateTimeShown) + ", magnitude " + number("%.3f", local.maxMagnitude) +
            "\nObscuration " + number("%.1f", answer.obscuration * 100.0) + " %";
    if (!local.hasCentralPhase())
        return text;
    // A hybrid eclipse is total in one part of its band and annular in another: a magnitude of
    // 1 or more at the place is totality there.
    const bool total = kind == EclipseKind::HybridSolar ? local.maxMagnitude >= 1.0 : isTotal(kind);
    const long seconds = std::lround((local.centralEndUT - local.centralStartUT) * kSecondsPerDay);
    char line[kLineSize];
    std::snprintf(line, sizeof line, "\n%s %ld min %02ld s", total ? "Totality" : "Annularity", seconds / 60,
                  seconds % 60);
    text += line;
    if (answer.centralLineDistanceKm >= 0.0) {
        text += ", " + number("%.0f", answer.centralLineDistanceKm) + " km from the central line";
    }
    return text;
}

}  // namespace qv
