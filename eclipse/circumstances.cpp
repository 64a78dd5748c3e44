#include "eclipse/circumstances.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "astro/frames.h"
#include "astro/refraction.h"
#include "astro/rise_set.h"
#include "base/constants.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

// Steps of the phase scan (one minute) and of the search of the local central phase (one second).
constexpr double kScanStepDays = kMinuteDays;
constexpr double kSearchStepDays = kSecondDays;
// The scan starts this long before the greatest eclipse and lasts at most this long.
constexpr double kScanLeadDays = 0.5;
constexpr double kScanLengthDays = 1.5;
// Elevation (radians) at which the upper limb of the Moon is on the horizon; the Sun's is
// kSunHorizonRad (astro/refraction.h).
constexpr double kMoonHorizonRad = -0.00989;
// The central phase is searched for only above this local magnitude, within the window
// starting kCentralHalfWindowDays before the local maximum and lasting kCentralWindowDays.
constexpr double kCentralSearchMagnitude = 0.8;
constexpr double kCentralHalfWindowDays = 0.011111111111111112;
constexpr double kCentralWindowDays = 0.022222222222222223;

// Progress of the phase scan: the engine's class of each phase, the class last seen, the
// phases still open and whether the eclipse is over.
struct PhaseScan {
    int phaseClasses[kMaxEclipsePhases] = {};
    int level = 0;
    int openPhases = 0;
    bool stopped = false;
};

// Topocentric elevation (radians, no refraction) of a body vector of the bodies' instant.
double topocentricElevation(const SunMoon& bodies, const EventSite& observer, const Vec3& body)
{
    double azimuthRad = 0.0, elevationRad = 0.0, distance = 0.0;
    horizonCoordinates(bodies.instant.mjdUT, bodies.eqeqSeconds, observer.latitudeRad, observer.longitudeRad,
                       observer.heightM, true, body, azimuthRad, elevationRad, distance);
    return elevationRad;
}

// Local magnitude for the Sun and the Moon at their instant.
double magnitudeAt(const SunMoon& bodies, const EventSite& observer, bool& central)
{
    return localEclipseMagnitude(bodies.instant.mjdUT, bodies.eqeqSeconds, observer.latitudeRad,
                                 observer.longitudeRad, observer.heightM, bodies.sun, bodies.moon, central);
}

// Visibility intervals: one opens when the eclipse is in progress with the body up (and, for
// the Sun, eclipsed at the location) and closes when that stops; at most two intervals.
void updateVisibility(LocalCircumstances& local, bool visible, double mjdUT)
{
    // The states run Never, FirstOpen, FirstClosed, SecondOpen, SecondClosed: an open interval
    // closes when the eclipse stops being seen, a closed one (or none yet) opens when it is seen.
    const int state = static_cast<int>(local.visibility);
    const bool open = state % 2 == 1;
    if (local.visibility == Visibility::SecondClosed || visible == open)
        return;
    (open ? local.visibleUntilUT : local.visibleFromUT)[state / 2] = mjdUT;
    local.visibility = static_cast<Visibility>(state + 1);
}

// A class above the last one opens a phase (at most four); a class below it closes the
// phases it leaves. A phase entered from a class below the present one stays open until the
// class falls below that of the phase beneath it. The eclipse is over when the first phase closes.
void trackPhase(EclipseCircumstances& result, PhaseScan& scan, int eclipseClass, EclipseKind instantKind,
                double mjdUT)
{
    int& open = scan.openPhases;
    if (eclipseClass > scan.level) {
        if (open < kMaxEclipsePhases) {
            result.phases[open] = {instantKind, mjdUT, 0.0};
            scan.phaseClasses[open] = eclipseClass;
            ++result.phaseCount;
            scan.level = eclipseClass;
            ++open;
        }
        return;
    }
    if (eclipseClass == scan.level)
        return;
    scan.level = eclipseClass;
    if (open > 1 && scan.phaseClasses[open - 2] < eclipseClass)
        return;
    if (open < 1) {
        scan.stopped = true;
        return;
    }
    result.phases[open - 1].endUT = mjdUT;
    if (open == 1) {
        scan.stopped = true;
        open = 0;
    } else if (open == 2) {
        open = 1;
    } else if (eclipseClass < scan.phaseClasses[open - 2]) {
        result.phases[open - 2].endUT = mjdUT;
        open -= 2;
    } else {
        --open;
    }
}

// Scan steps after an instant without eclipse during which none can begin: the shadow's
// margin beyond the penumbra's reach, run down at its fastest drift. The penumbra's edge moves
// with the Moon's distance by less than a hundredth of that drift, and a small allowance covers
// the rounding of the margin.
long stepsWithoutEclipse(const MoonShadow& now, bool lunar)
{
    constexpr double kEdgeDriftFactor = 1.01;
    if (lunar) {
        const double margin = lunarShadowMargin(now.bodies.sun, now.bodies.moon);
        return std::min(stepsShortOf(margin, kEdgeDriftFactor * kMaxLunarMarginDriftPerDay * kScanStepDays),
                        static_cast<long>(kLunarMarginSpanDays / kScanStepDays));
    }
    // The radii reach at most 1 / kPolarAxisRatio times as far in the squashed frame (squashedStretch).
    const double reach =
        1.0 + 0.5 * std::fmax(now.shadow.penumbraDiameter, std::fabs(now.shadow.umbraDiameter)) / kPolarAxisRatio;
    return stepsShortOf(now.shadow.axisDistance - reach, kEdgeDriftFactor * kMaxAxisDriftPerDay * kScanStepDays);
}

// Bounds on how fast the local quantities change, per day: the Sun's elevation (the Earth's
// rotation, 6.30, and the Sun's own motion); the Sun-Moon separation seen from the place
// without refraction (the Moon's motion against the Sun, at most 0.27, and the turn of its
// parallax with the Earth, at most 0.11; the fastest seen from -9999 to 9999 is 0.35); the
// apparent radii of the Sun and the Moon (the Moon's distance from the place).
constexpr double kMaxElevationDriftPerDay = 6.4;
constexpr double kMaxSeparationDriftPerDay = 0.45;
constexpr double kMaxRadiusDriftPerDay = 1e-3;
// Refraction lifts two bodies by amounts differing by at most its slope times their difference
// in altitude (no more than their separation); tilting them toward the zenith changes their
// separation by less than this fraction more.
constexpr double kZenithTiltFraction = 2e-3;
// The Sun and the Moon seen from the place at one instant of a scan, evaluated exactly: the
// Sun's topocentric elevation, the local magnitude and whether the phase there is central, and
// for the bounds the unrefracted topocentric separation and the radii of the Sun and the Moon.
struct LocalSample {
    long step = 0;
    double mjdUT = 0.0;
    double elevationRad = 0.0;
    double magnitude = 0.0;
    bool central = false;
    double separationRad = 0.0;
    double sunRadiusRad = 0.0;
    double moonRadiusRad = 0.0;

    bool sunUp() const { return elevationRad >= kSunHorizonRad; }
};

// The sample of the bodies' instant, the scan's step number step.
LocalSample localSample(const SunMoon& bodies, const EventSite& observer, long step)
{
    LocalSample sample;
    sample.step = step;
    sample.mjdUT = bodies.instant.mjdUT;
    sample.elevationRad = topocentricElevation(bodies, observer, bodies.sun);
    sample.magnitude = magnitudeAt(bodies, observer, sample.central);
    const Vec3 place = observerPosition(sample.mjdUT, bodies.eqeqSeconds, observer.latitudeRad,
                                        observer.longitudeRad, observer.heightM);
    const Vec3 sun = bodies.sun - place;
    const Vec3 moon = bodies.moon - place;
    sample.separationRad = std::acos(std::clamp(dot(unitVector(sun), unitVector(moon)), -1.0, 1.0));
    sample.sunRadiusRad = std::atan(kSunRadius / norm(sun));
    sample.moonRadiusRad = std::atan(kMoonRadius / norm(moon));
    return sample;
}

// How much refraction can change the separation of two bodies the lower of which stands at
// lowestRad or higher (the Sun above the horizon): by this fraction of the separation. Where
// the lower is below the refraction floor only the upper is lifted, away from it.
double refractionFraction(double lowestRad)
{
    return standardRefractionSlopeAbove(lowestRad) + kZenithTiltFraction;
}

// What a sample tells of every instant within spanDays of it.
class SampleReach {
public:
    SampleReach(const LocalSample& sample, double spanDays) : sample_(sample), span_(spanDays) {}

    bool sunStaysDown() const
    {
        return sample_.elevationRad + kMaxElevationDriftPerDay * span_ + kBoundRoundingAllowance < kSunHorizonRad;
    }
    bool sunStaysUp() const
    {
        return sample_.elevationRad - kMaxElevationDriftPerDay * span_ - kBoundRoundingAllowance >= kSunHorizonRad;
    }
    // With the Sun up: the apparent separation stays at or above the radii's sum (plus) or
    // difference (minus).
    bool separationStaysAtLeast(bool radiusSum) const
    {
        const double least = sample_.separationRad - kMaxSeparationDriftPerDay * span_;
        return (1.0 - refractionFraction(lowestBody())) * least - kBoundRoundingAllowance >= radii(radiusSum, 1.0);
    }
    // The apparent separation stays below the radii's sum or difference (both bodies above the
    // refraction floor).
    bool separationStaysBelow(bool radiusSum) const
    {
        const double lowest = lowestBody();
        return lowest > kRefractionFloorRad &&
               (1.0 + refractionFraction(lowest)) * mostSeparation() + kBoundRoundingAllowance < radii(radiusSum, -1.0);
    }

private:
    double mostSeparation() const { return sample_.separationRad + kMaxSeparationDriftPerDay * span_; }
    double lowestBody() const
    {
        return sample_.elevationRad - kMaxElevationDriftPerDay * span_ - mostSeparation();
    }
    // The sum or difference of the radii, widened by their drift towards side (+1 up, -1 down).
    double radii(bool sum, double side) const
    {
        const double value = sum ? sample_.sunRadiusRad + sample_.moonRadiusRad
                                 : std::fabs(sample_.sunRadiusRad - sample_.moonRadiusRad);
        return value + side * 2.0 * kMaxRadiusDriftPerDay * span_;
    }

    const LocalSample& sample_;
    double span_;
};

// The greatest magnitude any instant strictly between two samples stepDays apart per step can
// have with the Sun up; below 0 when the Sun stays down there.
double magnitudeBound(const LocalSample& a, const LocalSample& b, double stepDays)
{
    const double span = static_cast<double>(b.step - a.step) * stepDays;
    if (std::max(a.elevationRad, b.elevationRad) + kMaxElevationDriftPerDay * span / 2.0 + kBoundRoundingAllowance <
        kSunHorizonRad)
        return -1.0;
    // The separation is above both lines running down from the two samples; their crossing
    // (within the steps between) is the least it can be.
    const double slope = kMaxSeparationDriftPerDay * stepDays;
    const double crossing = std::clamp(
        (a.separationRad - b.separationRad + slope * static_cast<double>(a.step + b.step)) / (2.0 * slope),
        static_cast<double>(a.step + 1), static_cast<double>(b.step - 1));
    const double leastSeparation = std::max({a.separationRad - slope * (crossing - static_cast<double>(a.step)),
                                             b.separationRad - slope * (static_cast<double>(b.step) - crossing), 0.0});
    const double mostSeparation = std::max(a.separationRad, b.separationRad) + kMaxSeparationDriftPerDay * span / 2.0;
    const double lowest =
        std::min(a.elevationRad, b.elevationRad) - kMaxElevationDriftPerDay * span / 2.0 - mostSeparation;
    const double radiusDrift = kMaxRadiusDriftPerDay * span;
    const double overlap = a.sunRadiusRad + a.moonRadiusRad + 2.0 * radiusDrift -
                           (1.0 - refractionFraction(lowest)) * leastSeparation;
    return std::max(overlap, 0.0) / (2.0 * (a.sunRadiusRad - radiusDrift)) + kBoundRoundingAllowance;
}

// The local maximum of a scan: the first greatest magnitude with the Sun up, in the order of
// the instants, when greater than the maximum before the scan. Instants passed over are
// evaluated only where the bound between their neighbours reaches the greatest one found.
class LocalMaximum {
public:
    explicit LocalMaximum(double before) : before_(before) {}

    void consider(const LocalSample& sample)
    {
        if (!sample.sunUp() || sample.magnitude <= before_)
            return;
        if (!best_ || sample.magnitude > best_->magnitude ||
            (sample.magnitude == best_->magnitude && sample.step < best_->step))
            best_ = sample;
    }

    // evaluate(step) gives the sample of a step between a and b.
    template <typename Evaluate>
    void refineBetween(const LocalSample& a, const LocalSample& b, double stepDays, Evaluate& evaluate)
    {
        if (b.step - a.step <= 1 || magnitudeBound(a, b, stepDays) < (best_ ? best_->magnitude : before_))
            return;
        const LocalSample middle = evaluate((a.step + b.step) / 2);
        consider(middle);
        refineBetween(a, middle, stepDays, evaluate);
        refineBetween(middle, b, stepDays, evaluate);
    }

    void store(LocalCircumstances& local) const
    {
        if (!best_)
            return;
        local.maxMagnitude = best_->magnitude;
        local.maxElevationRad = best_->elevationRad;
        local.maxUT = best_->mjdUT;
    }

private:
    double before_;
    std::optional<LocalSample> best_;
};

// The maximum over the counted samples (in the order of their steps) and over the instants
// passed over after a counted sample and before the next sample.
template <typename Evaluate>
void takeLocalMaximum(const std::vector<LocalSample>& samples, const std::vector<bool>& counted, double stepDays,
                      Evaluate evaluate, LocalCircumstances& local)
{
    LocalMaximum maximum(local.maxMagnitude);
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (counted[i])
            maximum.consider(samples[i]);
    for (std::size_t i = 1; i < samples.size(); ++i)
        if (counted[i - 1])
            maximum.refineBetween(samples[i - 1], samples[i], stepDays, evaluate);
    maximum.store(local);
}

// Searches second by second, within 16 minutes of the local maximum, for the start and end of
// totality or annularity at the place, refining the local maximum on the way. Without a
// central phase there, centralEndUT ends up before centralStartUT. With passOver set it
// evaluates only the seconds whose outcome could differ from that of the last evaluated one
// (before the central phase: central with the Sun up; during it: not central or the Sun down).
void timeLocalCentralPhase(const EventSite& observer, const Instant& scale, Skipping skipping, LocalCircumstances& local)
{
    const StepScan seconds{local.maxUT - kCentralHalfWindowDays, kSearchStepDays};
    const double windowEnd = seconds.startUT + kCentralWindowDays;
    auto evaluate = [&](long step) { return localSample(sunMoonAt(scale.at(seconds.at(step))), observer, step); };
    const long lastInWindow = seconds.lastStepNotAfter(windowEnd);
    std::vector<LocalSample> samples;
    auto next = [&](auto holds) {
        const long from = samples.back().step;
        const long alike = skipping == Skipping::ByBounds ? stepsWhile(lastInWindow - from, kSearchStepDays, holds) : 0;
        samples.push_back(evaluate(from + 1 + alike));
        return samples.back();
    };

    samples.push_back(evaluate(1));
    LocalSample sample = samples.back();
    auto notCentral = [&](double span) {
        const SampleReach reach(samples.back(), span);
        return reach.sunStaysDown() || reach.separationStaysAtLeast(false);
    };
    while (!(sample.sunUp() && sample.central) && sample.mjdUT <= windowEnd)
        sample = next(notCentral);
    const bool found = sample.sunUp() && sample.central;
    if (found)
        local.centralStartUT = sample.mjdUT;
    if (!found || sample.mjdUT >= windowEnd) {
        local.centralEndUT = local.centralStartUT - 1.0;
    } else {
        auto stillCentral = [&](double span) {
            const SampleReach reach(samples.back(), span);
            return reach.sunStaysUp() && reach.separationStaysBelow(false);
        };
        do
            sample = next(stillCentral);
        while (sample.mjdUT <= windowEnd && sample.central && sample.sunUp());
        local.centralEndUT = sample.mjdUT;
    }
    takeLocalMaximum(samples, std::vector<bool>(samples.size(), true), kSearchStepDays, evaluate, local);
}

}  // namespace

namespace {

// The Sun's and the Moon's discs as seen from a place: their radii and the separation of their
// centres (radians), each body lifted by refraction when it is not far below the horizon.
struct LocalDiscs {
    double sunRadiusRad = 0.0;
    double moonRadiusRad = 0.0;
    double separationRad = 0.0;
};

LocalDiscs localDiscs(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad, double heightM,
                      const Vec3& sun, const Vec3& moon)
{
    const Vec3 observer = observerPosition(mjdUT, eqeqSeconds, latitudeRad, longitudeRad, heightM);
    auto apparent = [&](const Vec3& body) {
        const Vec3 topocentric = body - observer;
        PolarCoord horizon = toPolar(equatorialToHorizon(mjdUT, eqeqSeconds, latitudeRad, longitudeRad, topocentric));
        if (horizon.latitude() <= kRefractionFloorRad)
            return topocentric;
        horizon.z += refraction(horizon.latitude(), kStandardPressureMbar, kStandardTemperatureC);
        return horizonToEquatorial(mjdUT, eqeqSeconds, latitudeRad, longitudeRad, fromPolar(horizon));
    };
    const Vec3 sunSeen = apparent(sun);
    const Vec3 moonSeen = apparent(moon);
    LocalDiscs discs;
    discs.sunRadiusRad = std::atan(kSunRadius / norm(sunSeen));
    discs.moonRadiusRad = std::atan(kMoonRadius / norm(moonSeen));
    // Clamped both ways: a Moon opposite the Sun is as far from it as it can be.
    const double cosSeparation = std::clamp(dot(unitVector(sunSeen), unitVector(moonSeen)), -1.0, 1.0);
    discs.separationRad = std::acos(cosSeparation);
    return discs;
}

}  // namespace

double localEclipseMagnitude(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                             double heightM, const Vec3& sun, const Vec3& moon, bool& central)
{
    const LocalDiscs discs = localDiscs(mjdUT, eqeqSeconds, latitudeRad, longitudeRad, heightM, sun, moon);
    const double sunRadiusRad = discs.sunRadiusRad;
    const double moonRadiusRad = discs.moonRadiusRad;
    const double separationRad = discs.separationRad;
    central = false;
    if (separationRad >= sunRadiusRad + moonRadiusRad)
        return 0.0;
    central = separationRad < std::fabs(sunRadiusRad - moonRadiusRad);
    return std::fabs(sunRadiusRad + moonRadiusRad - separationRad) / (2.0 * sunRadiusRad);
}

double discObscuration(double sunRadius, double moonRadius, double separation)
{
    if (sunRadius <= 0.0 || moonRadius <= 0.0 || separation >= sunRadius + moonRadius)
        return 0.0;
    if (separation <= std::fabs(sunRadius - moonRadius))
        return moonRadius >= sunRadius ? 1.0 : (moonRadius * moonRadius) / (sunRadius * sunRadius);
    // The lens where the discs overlap: a circular segment of each.
    const double r1 = sunRadius, r2 = moonRadius, d = separation;
    const double angle1 = std::acos(std::clamp((d * d + r1 * r1 - r2 * r2) / (2.0 * d * r1), -1.0, 1.0));
    const double angle2 = std::acos(std::clamp((d * d + r2 * r2 - r1 * r1) / (2.0 * d * r2), -1.0, 1.0));
    const double kite = 0.5 * std::sqrt(std::max(0.0, (-d + r1 + r2) * (d + r1 - r2) * (d - r1 + r2) * (d + r1 + r2)));
    const double lens = r1 * r1 * angle1 + r2 * r2 * angle2 - kite;
    return std::clamp(lens / (kPi * r1 * r1), 0.0, 1.0);
}

double localObscuration(const EclipseEvent& eclipse, const Observer& place, double mjdUT)
{
    const SunMoon bodies = sunMoonAt(eclipse.greatest.at(mjdUT));
    const LocalDiscs discs = localDiscs(mjdUT, bodies.eqeqSeconds, place.latitudeDeg * kRadPerDeg,
                                        place.longitudeDeg * kRadPerDeg, place.heightM, bodies.sun, bodies.moon);
    return discObscuration(discs.sunRadiusRad, discs.moonRadiusRad, discs.separationRad);
}

namespace {

// Scan steps after a sample of a solar eclipse in progress over which the engine's class, the
// Sun being up and, with the Sun up, the discs overlapping at the place stay as they are: the
// shadow axis' distance from the centre, the Moon's distance from the fundamental plane and
// from the Sun each drift by at most kMaxAxisDriftPerDay (twice for the last) a day, and the
// class follows from them through monotonic tests.
bool solarClassSteady(const MoonShadow& now, double spanDays)
{
    const Vec3 sun = squashed(now.bodies.sun);
    const Vec3 moon = squashed(now.bodies.moon);
    const double drift = kMaxAxisDriftPerDay * spanDays;
    const double axis = now.shadow.axisDistance;
    const double toPlane = -dot(moon, unitVector(moon - sun));
    const double sunToMoon = norm(sun - moon);
    const double least = axis - drift - kBoundRoundingAllowance, most = axis + drift + kBoundRoundingAllowance;
    // A diameter cone * length / distance - kMoonDiameter over the span, length at least or at most.
    auto diameter = [&](double cone, double length, double side) {
        return cone * length / (sunToMoon - side * 2.0 * drift) - kMoonDiameter;
    };
    if (most < 1.0) {
        const double chordLeast = std::sqrt(1.0 - most * most), chordMost = std::sqrt(1.0 - std::pow(std::max(least, 0.0), 2));
        const double umbraLeast = diameter(kMoonUmbraCone, toPlane - drift - chordMost, -1.0);
        const double umbraMost = diameter(kMoonUmbraCone, toPlane + drift - chordLeast, 1.0);
        return umbraLeast > kBoundRoundingAllowance || umbraMost < -kBoundRoundingAllowance;
    }
    if (least < 1.0)
        return false;
    const double umbraLeast = diameter(kMoonUmbraCone, toPlane - drift, -1.0);
    const double umbraMost = diameter(kMoonUmbraCone, toPlane + drift, 1.0);
    if (!(umbraLeast > kBoundRoundingAllowance || umbraMost < -kBoundRoundingAllowance))
        return false;
    const double umbraSizeLeast = std::min(std::fabs(umbraLeast), std::fabs(umbraMost));
    const double umbraSizeMost = std::max(std::fabs(umbraLeast), std::fabs(umbraMost));
    // A radius reaches between 1 and 1 / kPolarAxisRatio times as far in the squashed frame.
    constexpr double kMostStretch = 1.0 / kPolarAxisRatio;
    if (most < 1.0 + 0.5 * umbraSizeLeast)
        return true;
    if (least < 1.0 + 0.5 * umbraSizeMost * kMostStretch)
        return false;
    const double penumbraLeast = diameter(kMoonPenumbraCone, toPlane - drift, -1.0) + 2.0 * kMoonDiameter;
    const double penumbraMost = diameter(kMoonPenumbraCone, toPlane + drift, 1.0) + 2.0 * kMoonDiameter;
    return most < 1.0 + 0.5 * penumbraLeast || least >= 1.0 + 0.5 * penumbraMost * kMostStretch;
}

bool visibilitySteady(const LocalSample& sample, double spanDays)
{
    const SampleReach reach(sample, spanDays);
    return reach.sunStaysDown() ||
           (reach.sunStaysUp() && (reach.separationStaysBelow(true) || reach.separationStaysAtLeast(true)));
}

}  // namespace

EclipseCircumstances eclipseCircumstances(const EclipseEvent& eclipse, const Observer& place, Skipping skipping)
{
    EclipseCircumstances result;
    LocalCircumstances& local = result.local;
    const EventSite observer{place.latitudeDeg * kRadPerDeg, place.longitudeDeg * kRadPerDeg, place.heightM,
                             eclipse.greatest.deltaTSeconds};
    const bool lunar = isLunar(eclipse.kind);
    const bool solar = isSolar(eclipse.kind);

    const Instant& greatest = eclipse.greatest;
    const StepScan minutes{greatest.mjdUT - kScanLeadDays, kScanStepDays};
    const double scanEnd = minutes.startUT + kScanLengthDays;
    local.centralStartUT = minutes.startUT;
    local.centralEndUT = minutes.startUT - 1.0;

    // Every instant evaluated of a solar eclipse, and whether the eclipse was then in progress.
    std::vector<LocalSample> samples;
    std::vector<bool> inProgress;
    const long lastStep = minutes.lastStepNotAfter(scanEnd);
    PhaseScan scan;
    for (long step = 0; !scan.stopped; ++step) {
        const double h = minutes.at(step);
        if (h > scanEnd)
            break;
        int eclipseClass = 0;
        EclipseKind instantKind = EclipseKind::None;
        bool bodyUp = false;
        double localMagnitude = lunar ? 1.0 : 0.0;
        MoonShadow now;
        if (lunar) {
            now.bodies = sunMoonAt(greatest.at(h));
            const LunarEclipseClass lunarClass = lunarShadowClass(now.bodies.sun, now.bodies.moon);
            eclipseClass = lunarClass;
            instantKind = eclipseKindOf(lunarClass);
            bodyUp = eclipseClass > 0 && topocentricElevation(now.bodies, observer, now.bodies.moon) >= kMoonHorizonRad;
        } else {
            now = moonShadowAt(greatest.at(h));
            const SolarEclipseClass solarClass = now.shadow.eclipseClass;
            eclipseClass = solarClass;
            instantKind = eclipseKindOf(solarClass);
            if (solar) {
                samples.push_back(localSample(now.bodies, observer, step));
                inProgress.push_back(eclipseClass > 0);
                bodyUp = eclipseClass > 0 && samples.back().sunUp();
                if (bodyUp)
                    localMagnitude = samples.back().magnitude;
            }
        }
        updateVisibility(local, eclipseClass > 0 && bodyUp && localMagnitude > 0.0, h);
        trackPhase(result, scan, eclipseClass, instantKind, h);
        if (skipping == Skipping::None)
            continue;
        // Further instants alike change nothing; those of an eclipse in progress may only raise
        // the local maximum, which is looked at afterwards.
        if (eclipseClass == 0)
            step += stepsWithoutEclipse(now, lunar);
        else if (solar)
            step += stepsWhile(lastStep - step, kScanStepDays, [&](double span) {
                return solarClassSteady(now, span) && visibilitySteady(samples.back(), span);
            });
    }
    if (solar)
        takeLocalMaximum(samples, inProgress, kScanStepDays,
                         [&](long step) { return localSample(sunMoonAt(greatest.at(minutes.at(step))), observer, step); },
                         local);

    // An interval still open when the scan ended closes with the eclipse.
    if (local.visibility == Visibility::FirstOpen)
        local.visibleUntilUT[0] = result.phases[0].endUT;
    if (local.visibility == Visibility::SecondOpen)
        local.visibleUntilUT[1] = result.phases[0].endUT;
    if (local.maxMagnitude > kCentralSearchMagnitude)
        timeLocalCentralPhase(observer, greatest, skipping, local);
    return result;
}

double centralDurationSeconds(const EclipseEvent& eclipse, const Observer& place, double nearUT)
{
    const EventSite observer{place.latitudeDeg * kRadPerDeg, place.longitudeDeg * kRadPerDeg, place.heightM,
                             eclipse.greatest.deltaTSeconds};
    LocalCircumstances local;
    local.maxUT = nearUT;
    timeLocalCentralPhase(observer, eclipse.greatest, Skipping::ByBounds, local);
    return local.hasCentralPhase() ? (local.centralEndUT - local.centralStartUT) * kSecondsPerDay : 0.0;
}

}  // namespace qv
