#include "eclipse/lunation.h"

#include <cmath>
#include <span>

#include "astro/moon.h"
#include "base/constants.h"
#include "eclipse/eclipse_geometry.h"
#include "eclipse/greatest_eclipse.h"

namespace qv {

namespace {

// Lunations per tropical year, and lunations per Julian century of the time argument T.
constexpr double kLunationsPerYear = 12.3685;
constexpr double kLunationsPerCentury = 1236.85;

// Largest |sin F| (F the Moon's argument of latitude) at which a syzygy can bring an eclipse.
constexpr double kEclipseSinFLimit = 0.36;
// Limits on |gamma| (Earth radii): any solar eclipse, a central one, any lunar eclipse, an umbral one.
constexpr double kSolarGammaLimit = 1.5432;
constexpr double kCentralGammaLimit = 0.9972;
constexpr double kPenumbralGammaLimit = 1.5572;
constexpr double kUmbralGammaLimit = 1.0129;
// Annular-total eclipses: u at most kHybridULimit and below kHybridWidthFactor cos(asin gamma).
constexpr double kHybridULimit = 0.0047;
constexpr double kHybridWidthFactor = 0.00464;
// Magnitude denominators: 2u + kSolarMagnitudeBase for partial solar, kLunarMagnitudeScale for lunar.
constexpr double kSolarMagnitudeBase = 0.546;
constexpr double kLunarMagnitudeScale = 0.545;
constexpr double kCentralMagnitude = 1.0;
// Near the limits of an eclipse the series cannot tell whether there is one: over 0-4000 its
// magnitudes stray from the engine's by up to 0.026 for the Sun and 0.037 for the Moon. A solar
// magnitude from -kDoubtfulSolarMagnitude to kSmallSolarMagnitude, a non-central eclipse and a
// penumbral magnitude within kDoubtfulLunarMagnitude of 0 are left to the engine; over 0-4000
// the engine then agrees with the series on every syzygy outside these bands.
constexpr double kDoubtfulSolarMagnitude = 0.03;
constexpr double kSmallSolarMagnitude = 0.025;
constexpr double kDoubtfulLunarMagnitude = 0.05;

// The series above follow the Sun and the Moon of the shadow engine to within about two minutes
// from year 0 to 4000. Beyond, they drift apart by hours (near year -9999 the series' syzygy
// comes up to ten hours after the engine's) and their gamma by far more than an eclipse's width,
// so there the engine decides every syzygy at its greatest eclipse, searched this far either
// side of the series' time. Only syzygies whose Moon stands within kFarEclipseLatitudeRad of the
// ecliptic at the series' time are searched: an eclipse needs the Moon within 1.6 degrees of it
// at greatest eclipse, its latitude changes by at most 0.05 degrees an hour, and the Moons of
// the eclipses of -9999..-1 and 4001..9999 stand at most 2.08 degrees off at the series' time.
constexpr double kSeriesFirstYear = 0.0;
constexpr double kSeriesLastYear = 4000.0;
constexpr double kGreatestEclipseSearchDays = 0.75;
// The engine's greatest eclipse is found to a minute: within a minute of it a shadow axis or a
// Moon near the limits of an eclipse (1 to 1.6 Earth radii off) comes less than 1e-4 Earth radii
// nearer, and the instant every page names is greatestEclipse's, to the second.
constexpr double kGreatestEclipseToleranceDays = 1.0 / 1440.0;
constexpr double kFarEclipseLatitudeRad = 2.25 * kRadPerDeg;

// Collector: a phase within this of the last stored one is the same phase; likewise eclipses.
constexpr double kSamePhaseDays = 0.1;
constexpr double kSameEclipseDays = 0.01;

// The Sun's and the Moon's mean anomalies and twice the Moon's argument of latitude, radians.
struct MeanArguments {
    double sunAnomaly = 0.0;   // M
    double moonAnomaly = 0.0;  // M'
    double twiceLatitudeArg = 0.0;  // 2F
};

// coefficient * sin (or cos) of (m M + mPrime M' + twoF 2F); coefficients in days unless named.
struct PeriodicTerm {
    double coefficient;
    int m;
    int mPrime;
    int twoF;
};

// New and Full Moon: the part shared with the time of greatest eclipse (the T-dependent sin M term
// aside), then the rest of the phase correction. Sines.
constexpr PeriodicTerm kSyzygyCommonTerms[] = {
    {0.0021, 2, 0, 0}, {-0.4068, 0, 1, 0}, {0.0161, 0, 2, 0},
};
constexpr PeriodicTerm kSyzygyPhaseTerms[] = {
    {-0.0004, 0, 3, 0}, {0.0104, 0, 0, 1},   {-0.0051, 1, 1, 0},  {-0.0074, 1, -1, 0}, {0.0004, 1, 0, 1},
    {-0.0004, -1, 0, 1}, {-0.0006, 0, 1, 1}, {0.001, 0, -1, 1},   {0.0005, 1, 2, 0},
};
// Time of greatest eclipse beyond the shared part; the 2F term has the opposite sign. Sines.
constexpr PeriodicTerm kGreatestEclipseTerms[] = {
    {-0.0051, 1, 1, 0}, {-0.0074, 1, -1, 0}, {-0.0104, 0, 0, 1},
};
// Shadow geometry of the syzygy, Earth radii: S (cosines), Q (sines), u (cosines).
constexpr PeriodicTerm kGammaCosineFactorTerms[] = {
    {5.19595, 0, 0, 0}, {-0.0048, 1, 0, 0}, {0.002, 2, 0, 0},
    {-0.3283, 0, 1, 0}, {-0.006, 1, 1, 0},  {0.0041, 1, -1, 0},
};
constexpr PeriodicTerm kGammaSineFactorTerms[] = {
    {0.207, 1, 0, 0},   {0.0024, 2, 0, 0},   {-0.039, 0, 1, 0},  {0.0115, 0, 2, 0},
    {-0.0073, 1, 1, 0}, {-0.0067, 1, -1, 0}, {0.0117, 0, 0, 1},
};
constexpr PeriodicTerm kUmbralSizeTerms[] = {
    {0.0059, 0, 0, 0}, {0.0046, 1, 0, 0}, {-0.0182, 0, 1, 0}, {0.0004, 0, 2, 0}, {-0.0005, 1, 1, 0},
};
// First and Last Quarter: the correction beyond the T-dependent sin M term (sines), and the
// term added for the First Quarter and subtracted for the Last (cosines).
constexpr PeriodicTerm kQuarterTerms[] = {
    {0.0021, 2, 0, 0},   {-0.628, 0, 1, 0},   {0.0089, 0, 2, 0},  {-0.0004, 0, 3, 0}, {0.0079, 0, 0, 1},
    {-0.0119, 1, 1, 0},  {-0.0047, 1, -1, 0}, {0.0003, 1, 0, 1},  {-0.0004, -1, 0, 1}, {-0.0006, 0, 1, 1},
    {0.0021, 0, -1, 1},  {0.0003, 1, 2, 0},   {0.0004, 1, -2, 0}, {-0.0003, 2, 1, 0},
};
constexpr PeriodicTerm kQuarterSideTerms[] = {
    {0.0028, 0, 0, 0}, {-0.0004, 1, 0, 0}, {0.0003, 0, 1, 0},
};

double argumentOf(const PeriodicTerm& term, const MeanArguments& a) {
    return term.m * a.sunAnomaly + term.mPrime * a.moonAnomaly + term.twoF * a.twiceLatitudeArg;
}

double sumOfSines(std::span<const PeriodicTerm> terms, const MeanArguments& a) {
    double sum = 0.0;
    for (const PeriodicTerm& term : terms) sum += term.coefficient * std::sin(argumentOf(term, a));
    return sum;
}

double sumOfCosines(std::span<const PeriodicTerm> terms, const MeanArguments& a) {
    double sum = 0.0;
    for (const PeriodicTerm& term : terms) sum += term.coefficient * std::cos(argumentOf(term, a));
    return sum;
}

// Mean time of the phase of lunation k (MJD, TT); T in centuries of lunations.
double meanPhaseTime(double k, double t) {
    const double t2 = t * t;
    return kSynodicMonthDays * k + kLunationZeroMjd + 0.0001178 * t2 - 1.55e-07 * t2 * t +
           0.00033 * std::sin((166.56 + 132.87 * t - 0.009173 * t2) * kRadPerDeg);
}

MeanArguments meanArguments(double k, double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    MeanArguments a;
    a.sunAnomaly = (359.2242 + 29.10535608 * k - 3.33e-05 * t2 - 3.47e-06 * t3) * kRadPerDeg;
    a.moonAnomaly = (306.0253 + 385.81691808 * k + 0.0107306 * t2 + 1.236e-05 * t3) * kRadPerDeg;
    a.twiceLatitudeArg = (21.2964 + 390.67050646 * k - 0.0016528 * t2 - 2.39e-06 * t3) * 2.0 * kRadPerDeg;
    return a;
}

// The syzygy's greatest eclipse as the engine finds it near an estimate.
Instant engineGreatest(const Instant& estimate, bool solar)
{
    return solar ? solarGreatestEclipse(estimate, kGreatestEclipseSearchDays, kGreatestEclipseToleranceDays)
                 : lunarGreatestEclipse(estimate, kGreatestEclipseSearchDays, kGreatestEclipseToleranceDays);
}

// The solar eclipse the engine sees at its greatest eclipse: the engine's class there, hybrid
// when total there but annular where the axis grazes the Earth (the umbra on the plane through
// the Earth's centre annular), and its magnitude there (kCentralMagnitude for a central one).
void solarEclipseAt(const Instant& greatest, SyzygyEclipse& eclipse)
{
    const MoonShadow shadow = moonShadowAt(greatest);
    eclipse.kind = eclipseKindOf(shadow.shadow.eclipseClass);
    if (eclipse.kind == EclipseKind::TotalSolar && shadow.shadow.centralPlaneUmbraDiameter > 0.0)
        eclipse.kind = EclipseKind::HybridSolar;
    eclipse.magnitude = isCentral(eclipse.kind) ? kCentralMagnitude : solarMagnitude(shadow);
}

// Kind and magnitude of a lunar eclipse from its penumbral and umbral magnitudes.
void lunarEclipseOf(double penumbralMagnitude, double umbralMagnitude, SyzygyEclipse& eclipse)
{
    if (penumbralMagnitude <= 0.0) return;
    eclipse.umbralMagnitude = umbralMagnitude;
    if (umbralMagnitude < 0.0) {
        eclipse.magnitude = penumbralMagnitude;
        eclipse.kind = penumbralMagnitude > 1.0 ? EclipseKind::TotalPenumbralLunar : EclipseKind::PenumbralLunar;
    } else {
        eclipse.magnitude = umbralMagnitude;
        eclipse.kind = umbralMagnitude > 1.0 ? EclipseKind::TotalLunar : EclipseKind::PartialLunar;
    }
}

// The lunar eclipse the engine sees at its greatest eclipse.
void lunarEclipseAt(const Instant& greatest, SyzygyEclipse& eclipse)
{
    const SunMoon bodies = sunMoonAt(greatest);
    const LunarMagnitudes magnitudes = lunarMagnitudes(bodies.sun, bodies.moon);
    lunarEclipseOf(magnitudes.penumbral, magnitudes.umbral, eclipse);
}

// Kind of the solar eclipse at a New Moon of shadow-axis distance gamma and umbral size u; the
// doubtful cases are the engine's, at its greatest eclipse near the series' one.
void solarEclipse(double gamma, double u, const DeltaTRule& rule, SyzygyEclipse& eclipse)
{
    const double axisDistance = std::fabs(gamma);
    const double magnitude = (kSolarGammaLimit + u - axisDistance) / (2.0 * u + kSolarMagnitudeBase);
    if (magnitude <= -kDoubtfulSolarMagnitude) return;
    if (axisDistance < kCentralGammaLimit) {
        eclipse.magnitude = kCentralMagnitude;
        if (u < 0.0)
            eclipse.kind = EclipseKind::TotalSolar;
        else
            eclipse.kind = u <= kHybridULimit && kHybridWidthFactor * std::cos(std::asin(gamma)) > u
                               ? EclipseKind::HybridSolar
                               : EclipseKind::AnnularSolar;
        return;
    }
    if (axisDistance < std::fabs(u) + kCentralGammaLimit || magnitude < kSmallSolarMagnitude) {
        solarEclipseAt(engineGreatest(instantAtTT(eclipse.greatestTT, rule), true), eclipse);
        return;
    }
    eclipse.kind = EclipseKind::PartialSolar;
    eclipse.magnitude = magnitude;
}

// Kind and magnitude of the lunar eclipse at a Full Moon of shadow-axis distance gamma; the
// doubtful cases are the engine's.
void lunarEclipse(double gamma, double u, const DeltaTRule& rule, SyzygyEclipse& eclipse)
{
    const double penumbralMagnitude = (kPenumbralGammaLimit + u - std::fabs(gamma)) / kLunarMagnitudeScale;
    if (penumbralMagnitude <= -kDoubtfulLunarMagnitude) return;
    if (penumbralMagnitude < kDoubtfulLunarMagnitude) {
        lunarEclipseAt(engineGreatest(instantAtTT(eclipse.greatestTT, rule), false), eclipse);
        return;
    }
    lunarEclipseOf(penumbralMagnitude, (kUmbralGammaLimit - u - std::fabs(gamma)) / kLunarMagnitudeScale, eclipse);
}

bool seriesInRange(long lunation)
{
    const double year = 1900.0 + lunation / kLunationsPerYear;
    return year >= kSeriesFirstYear && year <= kSeriesLastYear;
}

// Whether the engine's Moon stands near enough the ecliptic at an instant for an eclipse nearby.
bool moonNearEcliptic(const Instant& instant)
{
    const Vec3 moon = moonPosition(instant.centuriesTT());
    return std::fabs(moon.z) < std::sin(kFarEclipseLatitudeRad) * norm(moon);
}

// Beyond the series' years: the eclipse the engine sees at the syzygy near the series' time (TT).
void engineEclipse(double syzygyTT, bool solar, const DeltaTRule& rule, SyzygyEclipse& eclipse)
{
    const Instant estimate = instantAtTT(syzygyTT, rule);
    if (!moonNearEcliptic(estimate)) return;
    const Instant greatest = engineGreatest(estimate, solar);
    eclipse.greatestTT = greatest.mjdTT();
    if (solar)
        solarEclipseAt(greatest, eclipse);
    else
        lunarEclipseAt(greatest, eclipse);
}

// The eclipse of the year's table: the finder's greatest eclipse as an instant of UT.
EclipseEvent eventOf(const SyzygyEclipse& eclipse, const DeltaTRule& rule)
{
    if (eclipse.kind == EclipseKind::None) return {};
    return {eclipse.kind, instantAtTT(eclipse.greatestTT, rule), eclipse.magnitude, eclipse.umbralMagnitude};
}

// Whether the greatest eclipse falls in a window. It lies within kGreatestEclipseSearchHalfDays
// of the finder's time, so only an eclipse that near an end of the window is searched.
bool greatestEclipseWithin(const EclipseEvent& eclipse, double windowStartUT, double windowEndUT)
{
    const double finderUT = eclipse.greatest.mjdUT;
    if (finderUT < windowStartUT - kGreatestEclipseSearchHalfDays ||
        finderUT > windowEndUT + kGreatestEclipseSearchHalfDays)
        return false;
    if (finderUT > windowStartUT + kGreatestEclipseSearchHalfDays &&
        finderUT < windowEndUT - kGreatestEclipseSearchHalfDays)
        return true;
    const double greatestUT = greatestEclipse(eclipse).instant.mjdUT;
    return greatestUT >= windowStartUT && greatestUT <= windowEndUT;
}

}  // namespace

long lunationAt(double decimalYear)
{
    return static_cast<long>(std::floor((decimalYear - 1900.0) * kLunationsPerYear));
}

LunationSpan lunationsBetween(double startUT, double endUT)
{
    constexpr long kMarginLunations = 2;
    return {static_cast<long>(std::floor((startUT - kLunationZeroMjd) / kSynodicMonthDays)) - kMarginLunations,
            static_cast<long>(std::ceil((endUT - kLunationZeroMjd) / kSynodicMonthDays)) + kMarginLunations};
}

double lunationPhase(long lunation, double phase, const DeltaTRule& rule, SyzygyEclipse& eclipse) {
    eclipse.kind = EclipseKind::None;
    const double k = lunation + phase;
    const double t = k / kLunationsPerCentury;
    const double meanTime = meanPhaseTime(k, t);
    const MeanArguments a = meanArguments(k, t);
    const bool isNewMoon = phase == 0.0;
    if (!isNewMoon && phase != 0.5) {
        const double side = phase < 0.5 ? 1.0 : -1.0;
        return meanTime + (0.1721 - 0.0004 * t) * std::sin(a.sunAnomaly) + sumOfSines(kQuarterTerms, a) +
               side * sumOfCosines(kQuarterSideTerms, a);
    }
    const double common = (0.1734 - 0.000393 * t) * std::sin(a.sunAnomaly) + sumOfSines(kSyzygyCommonTerms, a);
    const double phaseTime = meanTime + common + sumOfSines(kSyzygyPhaseTerms, a);
    if (!seriesInRange(lunation)) {
        engineEclipse(phaseTime, isNewMoon, rule, eclipse);
        return phaseTime;
    }
    const double latitudeArg = 0.5 * a.twiceLatitudeArg;
    if (std::fabs(std::sin(latitudeArg)) > kEclipseSinFLimit) return phaseTime;

    eclipse.greatestTT = meanTime + common + sumOfSines(kGreatestEclipseTerms, a);
    const double gamma = sumOfCosines(kGammaCosineFactorTerms, a) * std::sin(latitudeArg) +
                         sumOfSines(kGammaSineFactorTerms, a) * std::cos(latitudeArg);
    const double u = sumOfCosines(kUmbralSizeTerms, a);
    if (isNewMoon)
        solarEclipse(gamma, u, rule, eclipse);
    else
        lunarEclipse(gamma, u, rule, eclipse);
    return phaseTime;
}

double lunarPhase(double decimalYear, double phase, const DeltaTRule& rule, SyzygyEclipse& eclipse) {
    return lunationPhase(lunationAt(decimalYear), phase, rule, eclipse);
}

EclipseEvent lunationEclipse(long lunation, double phase, const DeltaTRule& rule) {
    SyzygyEclipse eclipse;
    lunationPhase(lunation, phase, rule, eclipse);
    return eventOf(eclipse, rule);
}

void collectLunation(double windowStartUT, double windowEndUT, long lunation, double phase, const DeltaTRule& rule,
                     std::vector<double>& phasesUT, std::vector<EclipseEvent>& eclipses) {
    SyzygyEclipse eclipse;
    const double phaseUT = instantAtTT(lunationPhase(lunation, phase, rule, eclipse), rule).mjdUT;
    const bool inWindow = phaseUT >= windowStartUT && phaseUT <= windowEndUT;
    if (inWindow && phasesUT.size() < static_cast<std::size_t>(kMaxPhasesPerList) &&
        (phasesUT.empty() || phaseUT - kSamePhaseDays > phasesUT.back()))
        phasesUT.push_back(phaseUT);

    const EclipseEvent event = eventOf(eclipse, rule);
    if (event.kind == EclipseKind::None || eclipses.size() >= static_cast<std::size_t>(kMaxEclipses)) return;
    for (const EclipseEvent& stored : eclipses)
        if (std::fabs(stored.greatest.mjdUT - event.greatest.mjdUT) < kSameEclipseDays) return;
    if (greatestEclipseWithin(event, windowStartUT, windowEndUT)) eclipses.push_back(event);
}

}  // namespace qv
