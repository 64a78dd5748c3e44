#include "eclipse/penumbral_curves.h"

#include <utility>

#include "base/constants.h"
#include "base/vector.h"

namespace qv {

namespace {

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

void addPenumbralLimits(const PenumbralSamples& samples, PenumbralCurves& curves)
{
    PieceCollector plus, minus;
    for (const LimitSample& sample : samples.limits) {
        plus.add(sample.mjdUT, sample.plus);
        minus.add(sample.mjdUT, sample.minus);
    }
    curves.northernLimit = plus.finish();
    curves.southernLimit = minus.finish();
    if (meanLatitude(curves.northernLimit) < meanLatitude(curves.southernLimit))
        std::swap(curves.northernLimit, curves.southernLimit);
}

void addRiseSetCurves(const PenumbralSamples& samples, PenumbralCurves& curves)
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
    curves.riseSet = first.finish();
    for (TimedLine& line : second.finish())
        curves.riseSet.push_back(std::move(line));
}

}  // namespace

PenumbralCurves penumbralCurves(const PenumbralSamples& samples)
{
    PenumbralCurves curves;
    addPenumbralLimits(samples, curves);
    addRiseSetCurves(samples, curves);
    return curves;
}

}  // namespace qv
