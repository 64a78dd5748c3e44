#include "eclipse/circumstances.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "astro/frames.h"
#include "astro/refraction.h"
#include "base/constants.h"
#include "eclipse/eclipse_geometry.h"

namespace qv {

namespace {

// Steps of the phase scan (one minute) and of the search of the local central phase (one second).
constexpr double kScanStepDays = 0.0006944444444444445;
constexpr double kSearchStepDays = 1.1574074074074073e-05;
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
struct Observer {
    double latitudeRad;
    double longitudeRad;
    double heightM;
};

// Progress of the phase scan: the engine's class of each phase, the class last seen, the
// phases still open and whether the eclipse is over.
struct PhaseScan {
    int phaseClasses[kMaxEclipsePhases] = {};
    int level = 0;
    int openPhases = 0;
    bool stopped = false;
};

// Topocentric elevation (radians, no refraction) of a body vector of the engine's instant.
double topocentricElevation(const EclipseGeometry& engine, double mjdUT, const Observer& observer,
                            const Vec3& body)
{
    double azimuthRad = 0.0, elevationRad = 0.0, distance = 0.0;
    horizonCoordinates(mjdUT, engine.equationOfEquinoxes(), observer.latitudeRad, observer.longitudeRad,
                       observer.heightM, true, body, azimuthRad, elevationRad, distance);
    return elevationRad;
}

// Local magnitude for the engine's Sun and Moon at its instant.
double magnitudeAt(const EclipseGeometry& engine, double mjdUT, const Observer& observer, int& centralFlag)
{
    return localEclipseMagnitude(mjdUT, engine.equationOfEquinoxes(), observer.latitudeRad,
                                 observer.longitudeRad, observer.heightM, engine.sunVector(),
                                 engine.moonVector(), centralFlag);
}

void updateLocalMaximum(LocalCircumstances& local, double magnitude, double elevationRad, double mjdUT)
{
    if (magnitude <= local.maxMagnitude)
        return;
    local.maxMagnitude = magnitude;
    local.maxElevationRad = elevationRad;
    local.maxUT = mjdUT;
}

// Visibility intervals: one opens when the eclipse is in progress with the body up (and, for
// the Sun, eclipsed at the location) and closes when that stops; at most two intervals.
void updateVisibility(LocalCircumstances& local, bool visible, double mjdUT)
{
    int& state = local.visibility;
    if (state == 0 && visible) {
        local.visibleFromUT[0] = mjdUT;
        state = 1;
    }
    if (state == 1 && !visible) {
        local.visibleUntilUT[0] = mjdUT;
        state = 2;
    }
    if (state == 2 && visible) {
        local.visibleFromUT[1] = mjdUT;
        state = 3;
    }
    if (state == 3 && !visible) {
        local.visibleUntilUT[1] = mjdUT;
        state = 4;
    }
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
long stepsWithoutEclipse(const EclipseGeometry& engine, bool lunar)
{
    constexpr double kEdgeDriftFactor = 1.01;
    constexpr double kRoundingAllowance = 1e-9;
    double steps = 0.0;
    if (lunar) {
        const double margin = lunarShadowMargin(engine.sunVector(), engine.moonVector());
        steps = std::fmin((margin - kRoundingAllowance) / (kEdgeDriftFactor * kMaxLunarMarginDriftPerDay * kScanStepDays),
                          kLunarMarginSpanDays / kScanStepDays);
    } else {
        const double reach = 1.0 + 0.5 * std::fmax(engine.penumbraDiameter(), std::fabs(engine.umbraDiameter()));
        steps = (engine.axisDistance() - reach - kRoundingAllowance) /
                (kEdgeDriftFactor * kMaxAxisDriftPerDay * kScanStepDays);
    }
    return steps > 0.0 ? static_cast<long>(steps) : 0;
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
// Covers the rounding of the compared quantities.
constexpr double kRoundingAllowance = 1e-9;

// One instant of the search of the local central phase, evaluated exactly: the Sun's
// topocentric elevation, the local magnitude with its central flag, and for the bounds the
// unrefracted topocentric separation and the radii of the Sun and the Moon.
struct SearchSample {
    long step = 0;
    double mjdUT = 0.0;
    double elevationRad = 0.0;
    double magnitude = 0.0;
    int centralFlag = 0;
    double separationRad = 0.0;
    double sunRadiusRad = 0.0;
    double moonRadiusRad = 0.0;

    bool sunUp() const { return elevationRad >= kSunHorizonRad; }
    double radiusDifference() const { return std::fabs(sunRadiusRad - moonRadiusRad); }
};

// How much refraction can change the separation of two bodies the lower of which stands at
// lowestRad or higher (the Sun above the horizon): by this fraction of the separation. Where
// the lower is below the refraction floor only the upper is lifted, away from it.
double refractionFraction(double lowestRad)
{
    return standardRefractionSlopeAbove(lowestRad) + kZenithTiltFraction;
}

// Searches second by second, within 16 minutes of the local maximum, for the start and end of
// totality or annularity at the place, refining the local maximum on the way. Without a
// central phase there, centralEndUT ends up before centralStartUT. With passOver set it
// evaluates only the seconds whose outcome could differ from that of the last evaluated one
// (before the central phase: central with the Sun up; during it: not central or the Sun
// down), and then, for the local maximum, those of the seconds passed over whose magnitude
// could reach the greatest one evaluated.
class CentralPhaseSearch {
public:
    CentralPhaseSearch(EclipseGeometry& engine, const Observer& observer, double deltaTSeconds, double windowStart,
                       bool passOver)
        : engine_(engine), observer_(observer), deltaTSeconds_(deltaTSeconds), windowStart_(windowStart),
          passOver_(passOver)
    {
    }

    void run(LocalCircumstances& local)
    {
        const double windowEnd = windowStart_ + kCentralWindowDays;
        long lastInWindow = static_cast<long>(kCentralWindowDays / kSearchStepDays) + 2;
        while (instant(lastInWindow) > windowEnd)
            --lastInWindow;

        SearchSample sample = evaluate(1);
        while (!(sample.sunUp() && sample.centralFlag >= 1) && sample.mjdUT <= windowEnd)
            sample = evaluate(sample.step + 1 + stepsAlike(sample, lastInWindow, &CentralPhaseSearch::notCentral));
        const bool found = sample.sunUp() && sample.centralFlag >= 1;
        if (found)
            local.centralStartUT = sample.mjdUT;
        if (!found || sample.mjdUT >= windowEnd) {
            local.centralEndUT = local.centralStartUT - 1.0;
        } else {
            do
                sample = evaluate(sample.step + 1 + stepsAlike(sample, lastInWindow, &CentralPhaseSearch::stillCentral));
            while (sample.mjdUT <= windowEnd && sample.centralFlag != 0 && sample.sunUp());
            local.centralEndUT = sample.mjdUT;
        }
        takeLocalMaximum(local);
    }

private:
    using SpanTest = bool (CentralPhaseSearch::*)(const SearchSample&, double) const;

    double instant(long step) const { return windowStart_ + static_cast<double>(step) * kSearchStepDays; }

    SearchSample evaluate(long step)
    {
        SearchSample sample;
        sample.step = step;
        sample.mjdUT = instant(step);
        engine_.setTime(sample.mjdUT, deltaTSeconds_);
        sample.elevationRad = topocentricElevation(engine_, sample.mjdUT, observer_, engine_.sunVector());
        sample.magnitude = magnitudeAt(engine_, sample.mjdUT, observer_, sample.centralFlag);
        const Vec3 place = observerPosition(sample.mjdUT, engine_.equationOfEquinoxes(), observer_.latitudeRad,
                                            observer_.longitudeRad, observer_.heightM);
        const Vec3 sun = engine_.sunVector() - place;
        const Vec3 moon = engine_.moonVector() - place;
        sample.separationRad = std::acos(std::clamp(dot(unitVector(sun), unitVector(moon)), -1.0, 1.0));
        sample.sunRadiusRad = std::atan(kSunRadius / norm(sun));
        sample.moonRadiusRad = std::atan(kMoonRadius / norm(moon));
        evaluated_.push_back(sample);
        return sample;
    }

    // The number of seconds after the sample, up to lastStep, at which the test holds for every
    // instant as far from the sample (it weakens with the distance).
    long stepsAlike(const SearchSample& sample, long lastStep, SpanTest test) const
    {
        if (!passOver_)
            return 0;
        long alike = 0;
        long most = std::max(lastStep - sample.step, 0L);
        while (alike < most) {
            const long middle = alike + (most - alike + 1) / 2;
            if ((this->*test)(sample, static_cast<double>(middle) * kSearchStepDays))
                alike = middle;
            else
                most = middle - 1;
        }
        return alike;
    }

    // Within spanDays of the sample the place sees no central phase with the Sun up: the Sun
    // stays down, or the apparent separation stays above the difference of the radii.
    bool notCentral(const SearchSample& sample, double spanDays) const
    {
        if (sample.elevationRad + kMaxElevationDriftPerDay * spanDays + kRoundingAllowance < kSunHorizonRad)
            return true;
        const double mostSeparation = sample.separationRad + kMaxSeparationDriftPerDay * spanDays;
        const double lowest = sample.elevationRad - kMaxElevationDriftPerDay * spanDays - mostSeparation;
        const double leastSeparation = sample.separationRad - kMaxSeparationDriftPerDay * spanDays;
        const double mostDifference = sample.radiusDifference() + 2.0 * kMaxRadiusDriftPerDay * spanDays;
        return (1.0 - refractionFraction(lowest)) * leastSeparation - kRoundingAllowance >= mostDifference;
    }

    // Within spanDays of the sample the Sun stays up and the apparent separation below the
    // difference of the radii (both bodies above the refraction floor).
    bool stillCentral(const SearchSample& sample, double spanDays) const
    {
        const double lowestSun = sample.elevationRad - kMaxElevationDriftPerDay * spanDays;
        const double mostSeparation = sample.separationRad + kMaxSeparationDriftPerDay * spanDays;
        const double lowest = lowestSun - mostSeparation;
        const double leastDifference = sample.radiusDifference() - 2.0 * kMaxRadiusDriftPerDay * spanDays;
        return lowestSun - kRoundingAllowance >= kSunHorizonRad && lowest > kRefractionFloorRad &&
               (1.0 + refractionFraction(lowest)) * mostSeparation + kRoundingAllowance < leastDifference;
    }

    // The greatest magnitude any second strictly between two evaluated ones can have with the
    // Sun up; below -1 when the Sun stays down there.
    double magnitudeBound(const SearchSample& a, const SearchSample& b) const
    {
        const double span = static_cast<double>(b.step - a.step) * kSearchStepDays;
        if (std::max(a.elevationRad, b.elevationRad) + kMaxElevationDriftPerDay * span / 2.0 + kRoundingAllowance <
            kSunHorizonRad)
            return -2.0;
        // The separation is above both lines running down from the two samples; their crossing
        // (within the seconds between) is the least it can be.
        const double slope = kMaxSeparationDriftPerDay * kSearchStepDays;
        const double crossing = std::clamp(
            (a.separationRad - b.separationRad + slope * static_cast<double>(a.step + b.step)) / (2.0 * slope),
            static_cast<double>(a.step + 1), static_cast<double>(b.step - 1));
        const double leastSeparation =
            std::max({a.separationRad - slope * (crossing - static_cast<double>(a.step)),
                      b.separationRad - slope * (static_cast<double>(b.step) - crossing), 0.0});
        const double mostSeparation =
            std::max(a.separationRad, b.separationRad) + kMaxSeparationDriftPerDay * span / 2.0;
        const double lowest =
            std::min(a.elevationRad, b.elevationRad) - kMaxElevationDriftPerDay * span / 2.0 - mostSeparation;
        const double radiusDrift = kMaxRadiusDriftPerDay * span;
        const double overlap = a.sunRadiusRad + a.moonRadiusRad + 2.0 * radiusDrift -
                               (1.0 - refractionFraction(lowest)) * leastSeparation;
        return std::max(overlap, 0.0) / (2.0 * (a.sunRadiusRad - radiusDrift)) + kRoundingAllowance;
    }

    // The first greatest magnitude with the Sun up, in the order of the seconds, replaces the
    // local maximum if greater. The seconds passed over are evaluated where the bound between
    // their neighbours reaches the greatest magnitude found.
    void takeLocalMaximum(LocalCircumstances& local)
    {
        const std::vector<SearchSample> scanned = evaluated_;
        for (const SearchSample& sample : scanned)
            consider(sample, local.maxMagnitude);
        for (std::size_t i = 1; i < scanned.size(); ++i)
            refineBetween(scanned[i - 1], scanned[i], local.maxMagnitude);
        if (best_) {
            local.maxMagnitude = best_->magnitude;
            local.maxElevationRad = best_->elevationRad;
            local.maxUT = best_->mjdUT;
        }
    }

    void consider(const SearchSample& sample, double minuteMaximum)
    {
        if (!sample.sunUp() || sample.magnitude <= minuteMaximum)
            return;
        if (!best_ || sample.magnitude > best_->magnitude ||
            (sample.magnitude == best_->magnitude && sample.step < best_->step))
            best_ = sample;
    }

    void refineBetween(const SearchSample& a, const SearchSample& b, double minuteMaximum)
    {
        if (b.step - a.step <= 1)
            return;
        const double greatest = best_ ? best_->magnitude : minuteMaximum;
        if (magnitudeBound(a, b) < greatest)
            return;
        const SearchSample middle = evaluate((a.step + b.step) / 2);
        consider(middle, minuteMaximum);
        refineBetween(a, middle, minuteMaximum);
        refineBetween(middle, b, minuteMaximum);
    }

    EclipseGeometry& engine_;
    const Observer& observer_;
    double deltaTSeconds_;
    double windowStart_;
    bool passOver_;
    std::vector<SearchSample> evaluated_;
    std::optional<SearchSample> best_;
};

}  // namespace

double localEclipseMagnitude(double mjdUT, double eqeqSeconds, double latitudeRad, double longitudeRad,
                             double heightM, const Vec3& sun, const Vec3& moon, int& centralFlag)
{
    const Vec3 observer = observerPosition(mjdUT, eqeqSeconds, latitudeRad, longitudeRad, heightM);
    // Seen from the observer, each body lifted by refraction when it is not far below the horizon.
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
    const double sunRadiusRad = std::atan(kSunRadius / norm(sunSeen));
    const double moonRadiusRad = std::atan(kMoonRadius / norm(moonSeen));
    // Clamped both ways: a Moon opposite the Sun is as far from it as it can be.
    const double cosSeparation = std::clamp(dot(unitVector(sunSeen), unitVector(moonSeen)), -1.0, 1.0);
    const double separationRad = std::acos(cosSeparation);
    centralFlag = 0;
    if (separationRad >= sunRadiusRad + moonRadiusRad)
        return 0.0;
    if (separationRad < std::fabs(sunRadiusRad - moonRadiusRad))
        centralFlag = 1;
    return std::fabs(sunRadiusRad + moonRadiusRad - separationRad) / (2.0 * sunRadiusRad);
}

namespace {

// The scans, passing over the instants whose outcome cannot change when passOver is set.
EclipseCircumstances scanCircumstances(const EclipseEvent& eclipse, const EclipsePlace& place,
                                       double deltaTSeconds, bool passOver)
{
    EclipseCircumstances result;
    LocalCircumstances& local = result.local;
    EclipseGeometry engine;
    const Observer observer{place.latitudeDeg * kRadPerDeg, place.longitudeDeg * kRadPerDeg, place.heightM};
    const bool lunar = isLunar(eclipse.kind);
    const bool solar = isSolar(eclipse.kind);
    const double horizonRad = lunar ? kMoonHorizonRad : kSunHorizonRad;

    const double scanStart = eclipse.greatestUT - kScanLeadDays;
    const double scanEnd = scanStart + kScanLengthDays;
    local.centralStartUT = scanStart;
    local.centralEndUT = scanStart - 1.0;

    PhaseScan scan;
    for (long step = 0; !scan.stopped; ++step) {
        const double h = scanStart + static_cast<double>(step) * kScanStepDays;
        if (h > scanEnd)
            break;
        int eclipseClass = 0;
        EclipseKind instantKind = EclipseKind::None;
        Vec3 body;
        double localMagnitude = lunar ? 1.0 : 0.0;
        if (lunar) {
            const LunarEclipseClass lunarClass = engine.lunarEclipseType(h, deltaTSeconds);
            eclipseClass = lunarClass;
            instantKind = eclipseKindOf(lunarClass);
            body = engine.moonVector();
        } else {
            double latitudeRad = 0.0, longitudeRad = 0.0;
            const SolarEclipseClass solarClass = engine.solarEclipseAt(h, deltaTSeconds, latitudeRad, longitudeRad);
            eclipseClass = solarClass;
            instantKind = eclipseKindOf(solarClass);
            body = engine.sunVector();
        }
        bool bodyUp = false;
        if (eclipseClass > 0) {
            const double elevationRad = topocentricElevation(engine, h, observer, body);
            bodyUp = elevationRad >= horizonRad;
            if (solar && bodyUp) {
                int centralFlag = 0;
                localMagnitude = magnitudeAt(engine, h, observer, centralFlag);
                updateLocalMaximum(local, localMagnitude, elevationRad, h);
            }
        }
        updateVisibility(local, eclipseClass > 0 && bodyUp && localMagnitude > 0.0, h);
        trackPhase(result, scan, eclipseClass, instantKind, h);
        // Further instants without eclipse change nothing.
        if (passOver && eclipseClass == 0)
            step += stepsWithoutEclipse(engine, lunar);
    }

    // An interval still open when the scan ended closes with the eclipse.
    if (local.visibility == 1)
        local.visibleUntilUT[0] = result.phases[0].endUT;
    if (local.visibility == 3)
        local.visibleUntilUT[1] = result.phases[0].endUT;
    if (local.maxMagnitude > kCentralSearchMagnitude)
        CentralPhaseSearch(engine, observer, deltaTSeconds, local.maxUT - kCentralHalfWindowDays, passOver).run(local);
    return result;
}

}  // namespace

EclipseCircumstances eclipseCircumstances(const EclipseEvent& eclipse, const EclipsePlace& place,
                                          double deltaTSeconds)
{
    return scanCircumstances(eclipse, place, deltaTSeconds, true);
}

EclipseCircumstances eclipseCircumstancesEveryStep(const EclipseEvent& eclipse, const EclipsePlace& place,
                                                   double deltaTSeconds)
{
    return scanCircumstances(eclipse, place, deltaTSeconds, false);
}

}  // namespace qv
