#include "eclipse/lunation.h"

#include <cmath>
#include <span>

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
// Partial solar eclipses this small are kept only if a scan of the shadow finds contact.
constexpr double kSmallSolarMagnitude = 0.025;
constexpr int kContactScanSamples = 288;
constexpr double kContactScanStartDays = 0.2;
constexpr double kContactScanStepDays = 0.001388888888888889;  // two minutes

// The series above follow the Sun and the Moon of the shadow engine to within about two minutes
// from year 0 to 4000. Beyond, they drift apart by hours (near year 10000 the series' greatest
// eclipse comes three hours before the engine's), so there the greatest eclipse is taken from
// the engine, searched this far either side of the series' time, and an eclipse the engine does
// not see at that instant is dropped.
constexpr double kSeriesFirstYear = 0.0;
constexpr double kSeriesLastYear = 4000.0;
constexpr double kGreatestEclipseSearchDays = 0.75;

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

// Kind of the solar eclipse at a New Moon of shadow-axis distance gamma and umbral size u; the
// doubtful cases ask the shadow engine at the greatest eclipse, taken as an instant of UT.
void solarEclipse(double gamma, double u, const DeltaTRule& rule, SyzygyEclipse& eclipse)
{
    const double axisDistance = std::fabs(gamma);
    if (axisDistance > kSolarGammaLimit + u) return;
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
    const Instant greatest = instantAtTT(eclipse.greatestTT, rule);
    eclipse.kind = EclipseKind::PartialSolar;
    if (axisDistance < std::fabs(u) + kCentralGammaLimit) {
        eclipse.kind = eclipseKindOf(moonShadowAt(greatest).shadow.eclipseClass);
        eclipse.magnitude = kCentralMagnitude;
        if (eclipse.kind != EclipseKind::PartialSolar) return;
    }
    eclipse.magnitude = (kSolarGammaLimit + u - axisDistance) / (2.0 * u + kSolarMagnitudeBase);
    if (eclipse.magnitude >= kSmallSolarMagnitude) return;
    eclipse.kind = EclipseKind::None;
    for (int i = 0; i < kContactScanSamples; ++i) {
        const double sampleUT = greatest.mjdUT - kContactScanStartDays + i * kContactScanStepDays;
        const SolarEclipseClass sampleClass = moonShadowAt(greatest.at(sampleUT)).shadow.eclipseClass;
        if (sampleClass != kSolarNone) eclipse.kind = eclipseKindOf(sampleClass);
    }
}

// Kind and magnitude of the lunar eclipse at a Full Moon of shadow-axis distance gamma.
void lunarEclipse(double gamma, double u, SyzygyEclipse& eclipse)
{
    const double penumbralMagnitude = (kPenumbralGammaLimit + u - std::fabs(gamma)) / kLunarMagnitudeScale;
    if (penumbralMagnitude <= 0.0) return;
    const double umbralMagnitude = (kUmbralGammaLimit - u - std::fabs(gamma)) / kLunarMagnitudeScale;
    eclipse.umbralMagnitude = umbralMagnitude;
    if (umbralMagnitude < 0.0) {
        eclipse.magnitude = penumbralMagnitude;
        eclipse.kind = penumbralMagnitude > 1.0 ? EclipseKind::TotalPenumbralLunar : EclipseKind::PenumbralLunar;
    } else {
        eclipse.magnitude = umbralMagnitude;
        eclipse.kind = umbralMagnitude > 1.0 ? EclipseKind::TotalLunar : EclipseKind::PartialLunar;
    }
}

bool seriesInRange(double decimalYear)
{
    return decimalYear >= kSeriesFirstYear && decimalYear <= kSeriesLastYear;
}

// The series' time of greatest eclipse (TT) replaced by the engine's.
double engineGreatestTT(double seriesTT, bool solar, const DeltaTRule& rule)
{
    const Instant estimate = instantAtTT(seriesTT, rule);
    const Instant greatest = solar ? solarGreatestEclipse(estimate, kGreatestEclipseSearchDays)
                                   : lunarGreatestEclipse(estimate, kGreatestEclipseSearchDays);
    return greatest.mjdTT();
}

// Whether the engine sees the eclipse at its time of greatest eclipse.
bool engineSeesEclipse(const SyzygyEclipse& eclipse, bool solar, const DeltaTRule& rule)
{
    const Instant greatest = instantAtTT(eclipse.greatestTT, rule);
    if (!solar) return lunarEclipseClassAt(greatest) != kLunarNone;
    return moonShadowAt(greatest).shadow.eclipseClass != kSolarNone;
}

}  // namespace

double lunarPhase(double decimalYear, double phase, const DeltaTRule& rule, SyzygyEclipse& eclipse) {
    eclipse.kind = EclipseKind::None;
    const double k = std::floor((decimalYear - 1900.0) * kLunationsPerYear) + phase;
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
    const double latitudeArg = 0.5 * a.twiceLatitudeArg;
    if (std::fabs(std::sin(latitudeArg)) > kEclipseSinFLimit) return phaseTime;

    eclipse.greatestTT = meanTime + common + sumOfSines(kGreatestEclipseTerms, a);
    const bool inRange = seriesInRange(decimalYear);
    if (!inRange) eclipse.greatestTT = engineGreatestTT(eclipse.greatestTT, isNewMoon, rule);
    const double gamma = sumOfCosines(kGammaCosineFactorTerms, a) * std::sin(latitudeArg) +
                         sumOfSines(kGammaSineFactorTerms, a) * std::cos(latitudeArg);
    const double u = sumOfCosines(kUmbralSizeTerms, a);
    if (isNewMoon)
        solarEclipse(gamma, u, rule, eclipse);
    else
        lunarEclipse(gamma, u, eclipse);
    if (!inRange && eclipse.kind != EclipseKind::None && !engineSeesEclipse(eclipse, isNewMoon, rule))
        eclipse.kind = EclipseKind::None;
    return phaseTime;
}

void collectLunation(double windowStartUT, double windowEndUT, double decimalYear, const DeltaTRule& rule,
                     double phase, std::vector<double>& phasesUT, std::vector<EclipseEvent>& eclipses) {
    SyzygyEclipse eclipse;
    const double phaseUT = instantAtTT(lunarPhase(decimalYear, phase, rule, eclipse), rule).mjdUT;
    const bool inWindow = phaseUT >= windowStartUT && phaseUT <= windowEndUT;
    if (inWindow && phasesUT.size() < static_cast<std::size_t>(kMaxPhasesPerList) &&
        (phasesUT.empty() || phaseUT - kSamePhaseDays > phasesUT.back()))
        phasesUT.push_back(phaseUT);

    if (eclipse.kind == EclipseKind::None) return;
    const Instant greatest = instantAtTT(eclipse.greatestTT, rule);
    if (greatest.mjdUT < windowStartUT || greatest.mjdUT > windowEndUT) return;
    if (eclipses.size() >= static_cast<std::size_t>(kMaxEclipses)) return;
    for (const EclipseEvent& stored : eclipses)
        if (std::fabs(stored.greatest.mjdUT - greatest.mjdUT) < kSameEclipseDays) return;
    eclipses.push_back({eclipse.kind, greatest, eclipse.magnitude, eclipse.umbralMagnitude});
}

}  // namespace qv
