#include "eclipse/circumstances.h"

#include <algorithm>
#include <cmath>

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

// Searches second by second, within 16 minutes of the local maximum, for the start and end of
// totality or annularity at the place, refining the local maximum on the way. Without a
// central phase there, centralEndUT ends up before centralStartUT.
void timeLocalCentralPhase(EclipseGeometry& engine, const Observer& observer, double deltaTSeconds,
                           LocalCircumstances& local)
{
    const double windowStart = local.maxUT - kCentralHalfWindowDays;
    const double windowEnd = windowStart + kCentralWindowDays;
    int step = 0;
    double h = windowStart;
    bool found = false;
    do {
        h = windowStart + ++step * kSearchStepDays;
        engine.setTime(h, deltaTSeconds);
        const double elevationRad = topocentricElevation(engine, h, observer, engine.sunVector());
        if (elevationRad >= kSunHorizonRad) {
            int centralFlag = 0;
            updateLocalMaximum(local, magnitudeAt(engine, h, observer, centralFlag), elevationRad, h);
            if (centralFlag >= 1) {
                local.centralStartUT = h;
                found = true;
            }
        }
    } while (h <= windowEnd && !found);

    if (!found || h >= windowEnd) {
        local.centralEndUT = local.centralStartUT - 1.0;
        return;
    }
    int centralFlag = 0;
    bool sunDown = false;
    do {
        h = windowStart + ++step * kSearchStepDays;
        engine.setTime(h, deltaTSeconds);
        const double elevationRad = topocentricElevation(engine, h, observer, engine.sunVector());
        sunDown = elevationRad < kSunHorizonRad;
        const double magnitude = magnitudeAt(engine, h, observer, centralFlag);
        if (!sunDown)
            updateLocalMaximum(local, magnitude, elevationRad, h);
    } while (h <= windowEnd && centralFlag != 0 && !sunDown);
    local.centralEndUT = h;
}

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
        timeLocalCentralPhase(engine, observer, deltaTSeconds, local);
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
