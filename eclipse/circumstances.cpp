#include "eclipse/circumstances.h"

#include <algorithm>
#include <cmath>

#include "astro/frames.h"
#include "astro/refraction.h"
#include "base/constants.h"
#include "base/julian.h"
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
// Phase lines are appended while the text is no longer than this.
constexpr std::size_t kPhaseTextLimit = 200;

// Phase labels by instantaneous class (index 1 to 5), each 12 characters.
constexpr const char* kLunarPhaseLabels[] = {"", "penumbral   ", "tot.penumb  ", "partial     ",
                                             "totality    ", ""};
constexpr const char* kSolarPhaseLabels[] = {"", "partial     ", "n-centr.Ann ", "n-centr.Tot ",
                                             "annularity  ", "totality    "};

struct Observer {
    double latitudeRad;
    double longitudeRad;
    double heightM;
};

// Progress of the phase scan: the class last seen, the phases still open and whether the
// eclipse is over.
struct PhaseScan {
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

void updateLocalMaximum(LocalCircumstances& local, double magnitude, double elevationRad, double timeLocal)
{
    if (magnitude <= local.localMaxMagnitude)
        return;
    local.localMaxMagnitude = magnitude;
    local.localMaxElevation = elevationRad;
    local.localMaxTime = timeLocal;
}

// Visibility intervals: one opens when the eclipse is in progress with the body up (and, for
// the Sun, eclipsed at the location) and closes when that stops; at most two intervals.
void updateVisibility(LocalCircumstances& local, bool visible, double timeLocal)
{
    int& state = local.localVisibility;
    if (state == 0 && visible) {
        local.visibleFrom[0] = timeLocal;
        state = 1;
    }
    if (state == 1 && !visible) {
        local.visibleUntil[0] = timeLocal;
        state = 2;
    }
    if (state == 2 && visible) {
        local.visibleFrom[1] = timeLocal;
        state = 3;
    }
    if (state == 3 && !visible) {
        local.visibleUntil[1] = timeLocal;
        state = 4;
    }
}

// A class above the last one opens a phase (at most four); a class below it closes the
// phases it leaves. A phase entered from a class below the present one stays open until the
// class falls below that of the phase beneath it. The eclipse is over when the first phase closes.
void trackPhase(EclipsePhaseTable& phases, PhaseScan& scan, int eclipseClass, double timeLocal)
{
    int& open = scan.openPhases;
    if (eclipseClass > scan.level) {
        if (open < kMaxEclipsePhases) {
            phases.phaseBegin[open] = timeLocal;
            phases.phaseKinds[open] = eclipseClass;
            ++phases.phaseCount;
            scan.level = eclipseClass;
            ++open;
        }
        return;
    }
    if (eclipseClass == scan.level)
        return;
    scan.level = eclipseClass;
    if (open > 1 && phases.phaseKinds[open - 2] < eclipseClass)
        return;
    if (open < 1) {
        scan.stopped = true;
        return;
    }
    phases.phaseEnd[open - 1] = timeLocal;
    if (open == 1) {
        scan.stopped = true;
        open = 0;
    } else if (open == 2) {
        open = 1;
    } else if (eclipseClass < phases.phaseKinds[open - 2]) {
        phases.phaseEnd[open - 2] = timeLocal;
        open -= 2;
    } else {
        --open;
    }
}

// One line per phase: label, begin and end in local time.
void appendPhaseLines(const EclipsePhaseTable& phases, bool lunar, std::string& text)
{
    const char* const* labels = lunar ? kLunarPhaseLabels : kSolarPhaseLabels;
    char begin[kDateTimeLength], end[kDateTimeLength];
    for (int i = 0; i < phases.phaseCount && text.size() <= kPhaseTextLimit; ++i) {
        const int kind = std::clamp(phases.phaseKinds[i], 0, static_cast<int>(std::size(kSolarPhaseLabels)) - 1);
        formatDateTime(phases.phaseBegin[i], begin);
        formatDateTime(phases.phaseEnd[i], end);
        text += "\n ";
        text += labels[kind];
        text += "\tbegins ";
        text.append(begin, kDateTimeShown);
        text += "\tends ";
        text.append(end, kDateTimeShown);
    }
}

// Searches second by second, within 16 minutes of the local maximum, for the start and end of
// totality or annularity at the location, refining the local maximum on the way. Without a
// central phase there, localCentralEnd ends up before localCentralStart.
void timeLocalCentralPhase(EclipseGeometry& engine, const Observer& observer, double deltaTSeconds,
                           double zoneDays, LocalCircumstances& local)
{
    const double windowStart = local.localMaxTime - zoneDays - kCentralHalfWindowDays;
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
            updateLocalMaximum(local, magnitudeAt(engine, h, observer, centralFlag), elevationRad, h + zoneDays);
            if (centralFlag >= 1) {
                local.localCentralStart = h;
                found = true;
            }
        }
    } while (h <= windowEnd && !found);

    if (!found || h >= windowEnd) {
        local.localCentralEnd = local.localCentralStart - 1.0;
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
            updateLocalMaximum(local, magnitude, elevationRad, h + zoneDays);
    } while (h <= windowEnd && centralFlag != 0 && !sunDown);
    local.localCentralEnd = h + zoneDays;
    local.localCentralStart += zoneDays;
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

int eclipseCircumstances(SettingsRecord& settings, int eclipseIndex, EclipsePhaseTable& phases,
                         int eclipseKind, std::string& text)
{
    phases = EclipsePhaseTable{};
    if (eclipseIndex < 0 || eclipseIndex >= kMaxEclipses)
        return 0;
    EclipseGeometry engine;
    LocalCircumstances& local = settings.localCircumstances;
    local.localVisibility = 0;
    local.localMaxMagnitude = -1.0;
    local.localMaxElevation = -1.0;
    const Observer observer{settings.latitude * kRadPerDeg, settings.longitude * kRadPerDeg, settings.height};
    const double zoneDays = settings.timeZone / kHoursPerDay;
    const double deltaTSeconds = settings.deltaT;
    const bool lunar = eclipseKind < 0;
    const double horizonRad = lunar ? kMoonHorizonRad : kSunHorizonRad;

    const double scanStart = settings.eclipseTimes[eclipseIndex] - kScanLeadDays - zoneDays;
    const double scanEnd = scanStart + kScanLengthDays;
    local.localCentralStart = scanStart;
    local.localCentralEnd = scanStart - 1.0;

    PhaseScan scan;
    for (int step = 0; !scan.stopped; ++step) {
        const double h = scanStart + step * kScanStepDays;
        if (h > scanEnd)
            break;
        const double timeLocal = h + zoneDays;
        int eclipseClass = 0;
        Vec3 body;
        double localMagnitude = lunar ? 1.0 : 0.0;
        if (lunar) {
            eclipseClass = engine.lunarEclipseType(h, deltaTSeconds);
            body = engine.moonVector();
        } else {
            double latitudeRad = 0.0, longitudeRad = 0.0;
            eclipseClass = engine.solarEclipseAt(h, deltaTSeconds, latitudeRad, longitudeRad);
            body = engine.sunVector();
        }
        bool bodyUp = false;
        if (eclipseClass > 0) {
            const double elevationRad = topocentricElevation(engine, h, observer, body);
            bodyUp = elevationRad >= horizonRad;
            if (eclipseKind > 0 && bodyUp) {
                int centralFlag = 0;
                localMagnitude = magnitudeAt(engine, h, observer, centralFlag);
                updateLocalMaximum(local, localMagnitude, elevationRad, timeLocal);
            }
        }
        updateVisibility(local, eclipseClass > 0 && bodyUp && localMagnitude > 0.0, timeLocal);
        trackPhase(phases, scan, eclipseClass, timeLocal);
    }

    appendPhaseLines(phases, lunar, text);
    // An interval still open when the scan ended closes with the eclipse.
    if (local.localVisibility == 1)
        local.visibleUntil[0] = phases.phaseEnd[0];
    if (local.localVisibility == 3)
        local.visibleUntil[1] = phases.phaseEnd[0];
    if (local.localMaxMagnitude > kCentralSearchMagnitude)
        timeLocalCentralPhase(engine, observer, deltaTSeconds, zoneDays, local);
    settings.eclipseBegin = phases.phaseBegin[0];
    settings.eclipseEnd = phases.phaseEnd[0];
    return phases.phaseCount;
}

}  // namespace qv
