#pragma once
// What the eclipse map answers for the point under the pointer: the eclipse's local
// circumstances there that matter at a glance, and their few lines of text.
#include <string>
#include <vector>

#include "base/observer.h"
#include "base/time_zone.h"
#include "eclipse/central_line.h"
#include "eclipse/circumstances.h"
#include "eclipse/lunation.h"

namespace qv {

struct MapPointAnswer {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    LocalCircumstances local;
    double obscuration = 0.0;           // at the local maximum
    double centralLineDistanceKm = -1;  // inside the band only, else -1
};

// The local circumstances of a solar eclipse at a point at sea level, the obscuration at their
// maximum and, where the point sees totality or annularity, its distance from the central line.
MapPointAnswer mapPointAnswer(const EclipseEvent& eclipse, const std::vector<CentralLinePoint>& centralLine,
                              double latitudeDeg, double longitudeDeg);

// The distance (km) from a point to the nearest point of the central line drawn through its
// points; -1 without points.
double distanceToCentralLineKm(const std::vector<CentralLinePoint>& centralLine, double latitudeDeg,
                               double longitudeDeg);

// The answer as the map's pointer panel shows it, times local in zone, e.g.
//   32.78 N  96.80 W
//   Maximum APR  8 18:43, magnitude 1.015
//   Obscuration 100.0 %
//   Totality 3 min 54 s, 12 km from the central line
std::string mapPointAnswerText(const MapPointAnswer& answer, EclipseKind kind, const TimeZone& zone);

}  // namespace qv
