#pragma once
// Curves of the world map of a solar eclipse: the point of greatest eclipse, the northern and
// southern limits of the penumbra, and the curves where the eclipse begins or ends at sunrise
// or sunset. Between two instants where the shadow engine is evaluated, the penumbral cone is
// interpolated linearly in time, so a few hundred points cost a few dozen engine calls.
// Instants are UT MJDs; points are geodetic latitude and east longitude in degrees.
// Against PyEphem for 2017-08-21 and 2024-04-08 (tools/ephem_eclipse_curves.py, distances
// across each curve): the sunrise/sunset curves 95 % within 12 km, all within 49 km. A limit
// point lies on the penumbra's edge at its instant, not where the eclipse only grazes: the
// penumbral limits lie 10 to 200 km inside PyEphem's (where the least separation of the discs
// equals the sum of their radii); on the 2024 southern one the local circumstances
// (circumstances.h) still give magnitude 0.049.
#include <vector>

#include "base/vector.h"
#include "eclipse/lunation.h"

namespace qv {

// Latitude of a point that does not exist at an instant; plotted points have latitudes up to 90.
constexpr double kNoMapPoint = 100.0;

struct GeoPoint {
    double latitudeDeg = kNoMapPoint;
    double longitudeDeg = 0.0;

    bool exists() const { return latitudeDeg <= 90.0; }
};

// The penumbral cone over [t0, t1]: its vertex and the generators on the two sides of the
// shadow path (plus and minus), at t0 and their rates per day. Squashed frame, Earth radii.
struct PenumbraLimitModel {
    double t0 = 0.0;
    Vec3 vertex0, vertexRate;
    Vec3 plusGenerator0, plusGeneratorRate;
    Vec3 minusGenerator0, minusGeneratorRate;
};

// The penumbral edge over [t0, t1]: Moon and unit shadow axis (squashed frame) and the
// penumbral diameter on the fundamental plane, at t0 and their rates per day.
struct PenumbraEdgeModel {
    double t0 = 0.0;
    Vec3 moon0, moonRate;
    Vec3 axis0, axisRate;
    double diameter0 = 0.0, diameterRate = 0.0;
};

// The two points where the penumbral edge meets the Earth's limb at one instant.
struct RiseSetPair {
    GeoPoint first;
    GeoPoint second;  // only when the first exists
};

// The limit model over [t0, t1Ut] (a zero-length interval gives zero rates); t1Ut keeps the
// TT - UT of t0.
PenumbraLimitModel penumbraLimitModel(const Instant& t0, double t1Ut);

// Where the generator (plus or minus side) of the model meets the Earth at tUt; no point when
// it misses the Earth.
GeoPoint limitPoint(const PenumbraLimitModel& model, double tUt, bool plusSide);

// The edge model over [t0, t1Ut].
PenumbraEdgeModel penumbraEdgeModel(const Instant& t0, double t1Ut);

// The penumbral edge on the Earth's limb at tUt; no points when the edge circle lies wholly
// inside or outside the limb.
RiseSetPair riseSetPoints(const PenumbraEdgeModel& model, double tUt);

// The penumbral limits and the rise/set points of the eclipse whose first and last contact on
// the Earth are begin and endUT, sampled in time: the interval is cut into kCurveParts parts,
// each with its own models; limits every limitStepDays in the middle parts and every minute in
// the first and last, rise/set points every minute. Each sample has its UT; a point the curve
// does not have at that instant is kept as one that does not exist.
constexpr int kCurveParts = 5;
// Where a curve begins or ends between two samples, a further sample is added at its end,
// found to within a second (refined): the rise/set points meet there, and the limits reach
// the rise/set curves. The fixed map plots only the samples in time.
struct LimitSample {
    double mjdUT = 0.0;
    GeoPoint plus, minus;  // on the two sides of the path
    bool refined = false;
};
struct RiseSetSample {
    double mjdUT = 0.0;
    RiseSetPair pair;
    bool refined = false;
};
struct PenumbralSamples {
    std::vector<LimitSample> limits;
    std::vector<RiseSetSample> riseSet;
};
PenumbralSamples penumbralSamples(const Instant& begin, double endUT, double limitStepDays);

// The samples of the map's curves: limits every 2.5 minutes in the middle parts.
PenumbralSamples mapCurveSamples(const Instant& begin, double endUT);

// The points of those samples that exist, as the fixed map plots them (dots), the refined
// samples left out.
struct MapCurves {
    std::vector<GeoPoint> limits;
    std::vector<GeoPoint> riseSet;
};
MapCurves mapCurvesOf(const PenumbralSamples& samples);

}  // namespace qv
