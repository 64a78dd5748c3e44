#include "eclipse/map_curves.h"

#include <cmath>

#include "base/constants.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

// Without a cone half-angle the vertex is put this many Moon distances back along the axis.
constexpr double kFlatConeVertexFactor = 1.2;
// Curve steps: one minute, and 2.5 minutes for the limits in the middle of the eclipse.
constexpr double kOneMinuteDays = 0.0006944444444444445;
constexpr double kMiddleLimitStepDays = 2.5 * kOneMinuteDays;
// The eclipse is cut into this many parts, each with its own interpolation models.
constexpr int kCurveParts = 5;

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

Cone penumbralCone(double mjdUT, double deltaTSeconds)
{
    EclipseGeometry engine;
    Vec3 moon;
    Cone cone;
    double diameter = 0.0, halfAngleRad = 0.0;
    engine.penumbraGeometry(mjdUT, deltaTSeconds, moon, cone.axis, diameter, halfAngleRad);
    cone.tanHalfAngle = std::tan(halfAngleRad);
    const double vertexDistance =
        cone.tanHalfAngle != 0.0 ? 0.5 * diameter / cone.tanHalfAngle : norm(moon) * kFlatConeVertexFactor;
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

void keepIfPlotted(std::vector<GeoPoint>& points, const GeoPoint& point)
{
    if (point.exists())
        points.push_back(point);
}

}  // namespace

GeoPoint greatestEclipsePoint(const EclipseEvent& eclipse, double deltaTSeconds)
{
    if (!isSolar(eclipse.kind))
        return {0.0, 0.0};
    EclipseGeometry engine;
    double latitudeRad = 0.0, longitudeRad = 0.0;
    engine.subShadowPoint(eclipse.greatestUT, deltaTSeconds, latitudeRad, longitudeRad);
    return {latitudeRad * kDegPerRad, longitudeRad * kDegPerRad};
}

PenumbraLimitModel penumbraLimitModel(double t0Ut, double t1Ut, double deltaTSeconds)
{
    const Cone start = penumbralCone(t0Ut, deltaTSeconds);
    const Cone end = penumbralCone(t1Ut, deltaTSeconds);
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

PenumbraEdgeModel penumbraEdgeModel(double t0Ut, double t1Ut, double deltaTSeconds)
{
    EclipseGeometry engine;
    PenumbraEdgeModel model;
    Vec3 moon1, axis1;
    double diameter1 = 0.0, halfAngleRad = 0.0;
    engine.penumbraGeometry(t0Ut, deltaTSeconds, model.moon0, model.axis0, model.diameter0, halfAngleRad);
    engine.penumbraGeometry(t1Ut, deltaTSeconds, moon1, axis1, diameter1, halfAngleRad);
    const double perDay = 1.0 / rateDivisor(t0Ut, t1Ut);
    model.t0 = t0Ut;
    model.moonRate = perDay * (moon1 - model.moon0);
    model.axisRate = perDay * (axis1 - model.axis0);
    model.diameterRate = perDay * (diameter1 - model.diameter0);
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

MapCurves sampleMapCurves(double beginUT, double endUT, double deltaTSeconds)
{
    MapCurves curves;
    const double begin = beginUT;
    const double partDays = (endUT - begin) / kCurveParts;
    for (int part = 0; part < kCurveParts; ++part) {
        const double start = begin + part * partDays;
        const double end = start + partDays;
        const PenumbraLimitModel limits = penumbraLimitModel(start, end, deltaTSeconds);
        const bool outerPart = part == 0 || part == kCurveParts - 1;
        sampleFrom(start, end, outerPart ? kOneMinuteDays : kMiddleLimitStepDays, [&](double t) {
            keepIfPlotted(curves.limits, limitPoint(limits, t, true));
            keepIfPlotted(curves.limits, limitPoint(limits, t, false));
        });
        const PenumbraEdgeModel edge = penumbraEdgeModel(start, end, deltaTSeconds);
        sampleFrom(start, end, kOneMinuteDays, [&](double t) {
            const RiseSetPair pair = riseSetPoints(edge, t);
            keepIfPlotted(curves.riseSet, pair.first);
            keepIfPlotted(curves.riseSet, pair.second);
        });
    }
    return curves;
}

}  // namespace qv
