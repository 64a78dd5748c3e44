#include "reports/eclipse_path.h"

#include <cmath>
#include <utility>

#include "base/constants.h"
#include "base/julian.h"
#include "eclipse/circumstances.h"
#include "eclipse/greatest_eclipse.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_map.h"

namespace qv {

namespace {

constexpr double kStepDays = kMinuteDays;

// Collects points into pieces: a missing point ends the piece.
class PieceCollector {
public:
    void add(double mjdUT, const GeoPoint& point)
    {
        if (!point.exists()) {
            cut();
            return;
        }
        piece_.push_back({mjdUT, point.latitudeDeg, point.longitudeDeg});
    }
    const TimedLine& piece() const { return piece_; }
    void cut()
    {
        if (piece_.size() > 1)
            curve_.push_back(piece_);
        piece_.clear();
    }
    TimedCurve finish()
    {
        cut();
        return std::move(curve_);
    }

private:
    TimedLine piece_;
    TimedCurve curve_;
};

double meanLatitude(const TimedCurve& curve)
{
    double sum = 0.0;
    int count = 0;
    for (const TimedLine& line : curve)
        for (const TimedPoint& point : line) {
            sum += point.latitudeDeg;
            ++count;
        }
    return count > 0 ? sum / count : 0.0;
}

// Angle between two points on the sphere (radians).
double arcBetween(const TimedPoint& a, const GeoPoint& b)
{
    return greatCircleRad(a.latitudeDeg * kRadPerDeg, a.longitudeDeg * kRadPerDeg, b.latitudeDeg * kRadPerDeg,
                          b.longitudeDeg * kRadPerDeg);
}

void addPenumbralLimits(const PenumbralSamples& samples, EclipsePath& path)
{
    PieceCollector plus, minus;
    for (const LimitSample& sample : samples.limits) {
        plus.add(sample.mjdUT, sample.plus);
        minus.add(sample.mjdUT, sample.minus);
    }
    path.northernPenumbralLimit = plus.finish();
    path.southernPenumbralLimit = minus.finish();
    if (meanLatitude(path.northernPenumbralLimit) < meanLatitude(path.southernPenumbralLimit))
        std::swap(path.northernPenumbralLimit, path.southernPenumbralLimit);
}

// The two edge points of each minute continue the two curves they lie nearest to.
void addRiseSetCurves(const PenumbralSamples& samples, EclipsePath& path)
{
    PieceCollector first, second;
    for (const RiseSetSample& sample : samples.riseSet) {
        RiseSetPair pair = sample.pair;
        if (!pair.second.exists()) {
            first.cut();
            second.cut();
        }
        if (!first.piece().empty() && !second.piece().empty() &&
            arcBetween(first.piece().back(), pair.second) + arcBetween(second.piece().back(), pair.first) <
                arcBetween(first.piece().back(), pair.first) + arcBetween(second.piece().back(), pair.second))
            std::swap(pair.first, pair.second);
        first.add(sample.mjdUT, pair.first);
        second.add(sample.mjdUT, pair.second);
    }
    path.riseSetCurves = first.finish();
    for (TimedLine& line : second.finish())
        path.riseSetCurves.push_back(std::move(line));
}

// Each point of the central line with the path's width across it and the central phase's
// length there by the local circumstances.
TimedLine withWidthAndDuration(const EclipseEvent& eclipse, const TimedLine& outline, TimedLine line)
{
    for (TimedPoint& point : line) {
        point.widthKm =
            widthAcrossKmAt(outline, eclipse.greatest.at(point.mjdUT), {point.latitudeDeg, point.longitudeDeg});
        point.durationSeconds =
            centralDurationSeconds(eclipse, {point.latitudeDeg, point.longitudeDeg, 0.0}, point.mjdUT);
    }
    return line;
}

}  // namespace

EclipsePath eclipsePath(const SettingsRecord& settings, const EclipseEvent& eclipse)
{
    EclipsePath path;
    path.eclipse = eclipse;
    if (!isSolar(eclipse.kind))
        return path;
    const EclipseCircumstances circumstances = circumstancesAtObserver(settings, eclipse);
    const EclipseMapPoints points = eclipseMapPoints(settings, eclipse, circumstances);
    path.greatest = points.greatest;
    path.greatestUT = greatestEclipse(eclipse).instant.mjdUT;
    path.northernLimit = limitCurve(points.umbralLimits.northern);
    path.southernLimit = limitCurve(points.umbralLimits.southern);
    path.outline = pathOutline(eclipse.greatest, path.northernLimit, path.southernLimit);
    TimedLine central;
    for (const CentralLinePoint& point : points.centralLine)
        central.push_back({point.mjdUT, point.latitudeDeg, point.longitudeDeg});
    if (central.size() > 1)
        path.centralLine.push_back(withWidthAndDuration(eclipse, path.outline, std::move(central)));
    const EclipsePhase& whole = circumstances.phases[0];
    // Every minute, the middle parts' limits included.
    const PenumbralSamples samples = penumbralSamples(eclipse.greatest.at(whole.beginUT), whole.endUT, kStepDays);
    addPenumbralLimits(samples, path);
    addRiseSetCurves(samples, path);
    return path;
}

}  // namespace qv
