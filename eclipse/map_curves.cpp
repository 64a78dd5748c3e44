#include "eclipse/map_curves.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/constants.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

// Without a cone half-angle the vertex is put this many Moon distances back along the axis.
constexpr double kFlatConeVertexFactor = 1.2;
// The map's limits every 2.5 minutes in the middle of the eclipse.
constexpr double kMiddleLimitStepDays = 2.5 * kMinuteDays;

// A curve's end between two samples is found by halving the interval this often: to within
// 0.1 ms of a minute, where the two rise/set points are about a kilometre apart.
constexpr int kEndBisections = 20;
// A curve that has a point at the first or last sample is followed this far beyond it.
constexpr int kOverrunMinutes = 30;

// Divisor of the rates over an interval: its length, or 1 for an empty one.
double rateDivisor(double t0, double t1) { return t1 != t0 ? t1 - t0 : 1.0; }

// The ground point of a point on the squashed unit sphere, with the mean sidereal time.
GeoPoint groundPoint(double mjdUT, const Vec3& onSquashedSphere)
{
    const Vec3 point(onSquashedSphere.x, onSquashedSphere.y, onSquashedSphere.z * kPolarAxisRatio);
    double latitudeRad = 0.0, longitudeRad = 0.0;
    groundCoordinates(mjdUT, 0.0, point, latitudeRad, longitudeRad);
    return {latitudeRad * kDegPerRad, longitudeRad * kDegPerRad};
}

// The penumbral cone at one instant: vertex, axis, axis point on the fundamental plane and the
// tangent of the half-angle.
struct Cone {
    Vec3 vertex;
    Vec3 axis;
    Vec3 planePoint;
    double tanHalfAngle = 0.0;
};

Cone penumbralCone(const Instant& instant)
{
    const PenumbraCone penumbra = penumbraConeAt(instant);
    const Vec3& moon = penumbra.moonSquashed;
    Cone cone;
    cone.axis = penumbra.axis;
    cone.tanHalfAngle = std::tan(penumbra.halfAngleRad);
    const double vertexDistance = cone.tanHalfAngle != 0.0 ? 0.5 * penumbra.diameter / cone.tanHalfAngle
                                                           : norm(moon) * kFlatConeVertexFactor;
    cone.planePoint = moon - dot(moon, cone.axis) * cone.axis;
    cone.vertex = cone.planePoint - vertexDistance * cone.axis;
    return cone;
}

// One of the two cone generators in the plane of the axis and the cross-track direction.
Vec3 generator(const Cone& cone, const Vec3& crossTrack, double side)
{
    return unitVector(cone.axis + side * cone.tanHalfAngle * crossTrack);
}

// Calls evaluate at start, start + step, ... while before end.
template <typename Evaluate>
void sampleFrom(double start, double end, double step, Evaluate evaluate)
{
    for (int i = 0;; ++i) {
        const double t = start + i * step;
        if (t >= end)
            break;
        evaluate(t);
    }
}

// The last instant, between withUT (where has) and withoutUT (where not), at which has holds.
template <typename Has>
double lastInstantWith(double withUT, double withoutUT, Has has)
{
    for (int i = 0; i < kEndBisections; ++i) {
        const double middle = 0.5 * (withUT + withoutUT);
        (has(middle) ? withUT : withoutUT) = middle;
    }
    return withUT;
}

// The end of a curve between the last sample (whether it had a point: before) and t, when the
// curve begins or ends between them.
template <typename Has>
std::optional<double> endBetween(double lastUT, bool before, double t, Has has)
{
    if (before == has(t))
        return std::nullopt;
    return before ? lastInstantWith(lastUT, t, has) : lastInstantWith(t, lastUT, has);
}

// The end of a curve that has a point at the first or last sample t, beyond it (direction -1:
// before, +1: after), looking a minute at a time as far as kOverrunMinutes.
template <typename Has>
std::optional<double> endBeyond(double t, int direction, Has has)
{
    if (!has(t))
        return std::nullopt;
    for (int minute = 1; minute <= kOverrunMinutes; ++minute) {
        const double without = t + direction * minute * kMinuteDays;
        if (!has(without))
            return lastInstantWith(without - direction * kMinuteDays, without, has);
    }
    return std::nullopt;
}

// The end of a curve next to the sample at t: before it when it is the first (no last sample),
// after it when it is the last (afterLast), else between the last sample and t.
template <typename Has>
std::optional<double> endNear(const double* lastUT, bool lastHad, double t, bool afterLast, Has has)
{
    if (lastUT == nullptr)
        return endBeyond(t, -1, has);
    return afterLast ? endBeyond(*lastUT, 1, has) : endBetween(*lastUT, lastHad, t, has);
}

// Adds refined limit samples where a side of the limit begins or ends next to the sample at t
// (see endNear), in the order of time.
void addLimitEnds(const PenumbraLimitModel& model, double t, bool afterLast, std::vector<LimitSample>& samples)
{
    const LimitSample last = samples.empty() ? LimitSample{} : samples.back();
    std::vector<double> ends;
    for (const bool plusSide : {true, false}) {
        const bool lastHad = (plusSide ? last.plus : last.minus).exists();
        const auto has = [&](double u) { return limitPoint(model, u, plusSide).exists(); };
        if (const std::optional<double> end = endNear(samples.empty() ? nullptr : &last.mjdUT, lastHad, t, afterLast, has))
            ends.push_back(*end);
    }
    std::sort(ends.begin(), ends.end());
    for (const double end : ends)
        samples.push_back({end, limitPoint(model, end, true), limitPoint(model, end, false), true});
}

// Adds a refined rise/set sample where the pair begins or ends next to the sample at t.
void addRiseSetEnd(const PenumbraEdgeModel& model, double t, bool afterLast, std::vector<RiseSetSample>& samples)
{
    const RiseSetSample last = samples.empty() ? RiseSetSample{} : samples.back();
    const auto has = [&](double u) { return riseSetPoints(model, u).second.exists(); };
    if (const std::optional<double> end =
            endNear(samples.empty() ? nullptr : &last.mjdUT, last.pair.second.exists(), t, afterLast, has))
        samples.push_back({*end, riseSetPoints(model, *end), true});
}

void keepIfPlotted(std::vector<GeoPoint>& points, const GeoPoint& point)
{
    if (point.exists())
        points.push_back(point);
}

}  // namespace

PenumbraLimitModel penumbraLimitModel(const Instant& t0, double t1Ut)
{
    const double t0Ut = t0.mjdUT;
    const Cone start = penumbralCone(t0);
    const Cone end = penumbralCone(t0.at(t1Ut));
    // Perpendicular to the path of the axis point, in the fundamental plane.
    const Vec3 crossTrack =
        unitVector(cross(start.planePoint - end.planePoint, cross(start.planePoint, end.planePoint)));
    const double perDay = 1.0 / rateDivisor(t0Ut, t1Ut);
    PenumbraLimitModel model;
    model.t0 = t0Ut;
    model.vertex0 = start.vertex;
    model.vertexRate = perDay * (end.vertex - start.vertex);
    model.plusGenerator0 = generator(start, crossTrack, 1.0);
    model.plusGeneratorRate = perDay * (generator(end, crossTrack, 1.0) - model.plusGenerator0);
    model.minusGenerator0 = generator(start, crossTrack, -1.0);
    model.minusGeneratorRate = perDay * (generator(end, crossTrack, -1.0) - model.minusGenerator0);
    return model;
}

GeoPoint limitPoint(const PenumbraLimitModel& model, double tUt, bool plusSide)
{
    const double dt = tUt - model.t0;
    const Vec3 vertex = model.vertex0 + dt * model.vertexRate;
    const Vec3 direction = plusSide ? unitVector(model.plusGenerator0 + dt * model.plusGeneratorRate)
                                    : unitVector(model.minusGenerator0 + dt * model.minusGeneratorRate);
    // The generator line vertex + s direction against the unit sphere.
    const double e = -dot(vertex, direction);
    const double h = e * e + 1.0 - dot(vertex, vertex);
    if (1.0 - h > 0.0 && std::sqrt(1.0 - h) >= 1.0)
        return {};
    const double s = h > 0.0 ? std::sqrt(h) : 0.0;
    return groundPoint(tUt, unitVector(vertex + (e - s) * direction));
}

PenumbraEdgeModel penumbraEdgeModel(const Instant& t0, double t1Ut)
{
    const double t0Ut = t0.mjdUT;
    const PenumbraCone start = penumbraConeAt(t0);
    const PenumbraCone end = penumbraConeAt(t0.at(t1Ut));
    PenumbraEdgeModel model;
    model.moon0 = start.moonSquashed;
    model.axis0 = start.axis;
    model.diameter0 = start.diameter;
    const double perDay = 1.0 / rateDivisor(t0Ut, t1Ut);
    model.t0 = t0Ut;
    model.moonRate = perDay * (end.moonSquashed - model.moon0);
    model.axisRate = perDay * (end.axis - model.axis0);
    model.diameterRate = perDay * (end.diameter - model.diameter0);
    return model;
}

RiseSetPair riseSetPoints(const PenumbraEdgeModel& model, double tUt)
{
    const double dt = tUt - model.t0;
    const Vec3 moon = model.moon0 + dt * model.moonRate;
    const Vec3 axis = unitVector(model.axis0 + dt * model.axisRate);
    const double radius = 0.5 * (dt * model.diameterRate + model.diameter0);
    // Fundamental-plane frame: z along the axis.
    const PolarCoord axisPolar = toPolar(axis);
    const Mat3 toPlane = rotationX(kPi / 2.0 - axisPolar.latitude()) * rotationZ(axisPolar.longitude() + kPi / 2.0);
    const Vec3 planePoint = moon - dot(moon, axis) * axis;
    const double distance = norm(planePoint);
    const Vec3 inPlane = toPlane * planePoint;
    RiseSetPair pair;
    if (!(distance > std::fabs(1.0 - radius) && distance < std::fabs(radius + 1.0)))
        return pair;
    CircleCrossing crossing = circleIntersection(inPlane.x, inPlane.y, radius);
    if (!crossing.found) {
        // The intersection divides by the first coordinate: try again with the two exchanged.
        const CircleCrossing swapped = circleIntersection(inPlane.y, inPlane.x, radius);
        crossing = {swapped.found, swapped.y1, swapped.x1, swapped.y2, swapped.x2};
    }
    if (!crossing.found)
        return pair;
    const Mat3 fromPlane = transpose(toPlane);
    pair.first = groundPoint(tUt, unitVector(fromPlane * Vec3(crossing.x1, crossing.y1, 0.0)));
    pair.second = groundPoint(tUt, unitVector(fromPlane * Vec3(crossing.x2, crossing.y2, 0.0)));
    return pair;
}

PenumbralSamples penumbralSamples(const Instant& begin, double endUT, double limitStepDays)
{
    PenumbralSamples samples;
    const double beginUT = begin.mjdUT;
    const double partDays = (endUT - beginUT) / kCurveParts;
    for (int part = 0; part < kCurveParts; ++part) {
        const double start = beginUT + part * partDays;
        const double end = start + partDays;
        const PenumbraLimitModel limits = penumbraLimitModel(begin.at(start), end);
        const bool outerPart = part == 0 || part == kCurveParts - 1;
        sampleFrom(start, end, outerPart ? kMinuteDays : limitStepDays, [&](double t) {
            addLimitEnds(limits, t, false, samples.limits);
            samples.limits.push_back({t, limitPoint(limits, t, true), limitPoint(limits, t, false)});
        });
        const PenumbraEdgeModel edge = penumbraEdgeModel(begin.at(start), end);
        sampleFrom(start, end, kMinuteDays, [&](double t) {
            addRiseSetEnd(edge, t, false, samples.riseSet);
            samples.riseSet.push_back({t, riseSetPoints(edge, t)});
        });
        if (part == kCurveParts - 1) {
            addLimitEnds(limits, endUT, true, samples.limits);
            addRiseSetEnd(edge, endUT, true, samples.riseSet);
        }
    }
    return samples;
}

PenumbralSamples mapCurveSamples(const Instant& begin, double endUT)
{
    return penumbralSamples(begin, endUT, kMiddleLimitStepDays);
}

MapCurves mapCurvesOf(const PenumbralSamples& samples)
{
    MapCurves curves;
    for (const LimitSample& sample : samples.limits) {
        if (sample.refined)
            continue;
        keepIfPlotted(curves.limits, sample.plus);
        keepIfPlotted(curves.limits, sample.minus);
    }
    for (const RiseSetSample& sample : samples.riseSet) {
        if (sample.refined)
            continue;
        keepIfPlotted(curves.riseSet, sample.pair.first);
        keepIfPlotted(curves.riseSet, sample.pair.second);
    }
    return curves;
}

}  // namespace qv
