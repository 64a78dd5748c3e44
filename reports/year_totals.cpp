#include "reports/year_totals.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <vector>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/refraction.h"
#include "astro/rise_set.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/number_text.h"

namespace qv {

namespace {

constexpr int kWholeMinutesPerDay = static_cast<int>(kMinutesPerDay);
constexpr int kDaysPerYear = 365;
constexpr int kDaysPerLeapYear = 366;
constexpr int kDaysIn1582 = 355;
constexpr int kFirstGregorianYear = 1583;
// The Sun and Moon series give the positions of blocks of this many sampled minutes; within a
// block only the Earth's rotation is followed.
constexpr int kSeriesRefreshMinutes = 30;
// Solar constant, kW per square metre.
constexpr double kSolarConstantKw = 1.368;
constexpr double kMinutesPerHour = 60.0;

enum class Mode { Standard, Cutoff, Panel };

Mode modeOf(YearTotalsMode report, double cutoffDeg)
{
    if (report == YearTotalsMode::SolarPanel)
        return Mode::Panel;
    return cutoffDeg <= kCutoffModeUpTo ? Mode::Cutoff : Mode::Standard;
}

struct MinuteCounts {
    long sun = 0;
    long civil = 0;
    long nautical = 0;
    long astronomical = 0;
    long moon = 0;
    long dark = 0;
    long panel = 0;          // Sun above the true horizon
    double cosineSum = 0.0;  // positive incidence cosines on the panel
    // With estimated cosines: how far cosineSum may lie from the sum of the exact ones, each
    // rounded and added in the same order.
    double cosineSumError = 0.0;
};

// Index of the first minute of a month (1..13, 13 being the next year's January).
long monthStartMinute(int year, int month, double yearStartMjd)
{
    const double mjd = month > 12 ? modifiedJulianDate(1, 1, year + 1, 0.0) : modifiedJulianDate(1, month, year, 0.0);
    return std::lround((mjd - yearStartMjd) * kMinutesPerDay);
}

// Each minute is first judged from an estimate: the Earth's rotation carried on from the last
// series evaluation by the turn of one minute (no sine or cosine), and an altitude test on the
// slope z / sqrt(x^2 + y^2) of the horizon vector, which rises with the altitude (no arc
// tangent). A slope beyond tan(threshold -/+ margin) decides; only a slope between them
// computes the minute's exact rotation and altitude, as horizonCoordinates does. The margin
// exceeds the estimate's error, which comes from the rounding of the instants (2e-14 radians
// per day of MJD over a block's turns), the steps of the sidereal time's formula at day
// boundaries (1e-14 per day of MJD) and the rounding of the turns, so every decision is the
// exact one.
constexpr double kSlopeMarginRad = 1e-8;
constexpr double kSlopeMarginPerDayRad = 1e-13;

double slopeMarginRad(double mjd) { return kSlopeMarginRad + kSlopeMarginPerDayRad * std::fabs(mjd); }

struct AltitudeTest {
    double thresholdDeg = 0.0;
    double slopeBelow = 0.0;  // slopes under it lie below the threshold
    double slopeAbove = 0.0;  // slopes over it lie above
};

AltitudeTest altitudeTest(double thresholdDeg, double marginRad)
{
    const double lowRad = thresholdDeg * kRadPerDeg - marginRad;
    const double highRad = thresholdDeg * kRadPerDeg + marginRad;
    AltitudeTest test;
    test.thresholdDeg = thresholdDeg;
    test.slopeBelow = lowRad > -kPi / 2.0 ? std::tan(lowRad) : -HUGE_VAL;
    test.slopeAbove = highRad < kPi / 2.0 ? std::tan(highRad) : HUGE_VAL;
    return test;
}

// The Earth's rotation at one sampled minute: the estimate, and the exact one when asked for.
class MinuteRotation {
public:
    MinuteRotation(double mjdUT, double eqeqSeconds, double longitudeRad, const SiderealRotation& estimate)
        : mjdUT_(mjdUT), eqeqSeconds_(eqeqSeconds), longitudeRad_(longitudeRad), estimate_(estimate)
    {
    }
    const SiderealRotation& estimate() const { return estimate_; }
    const SiderealRotation& exact()
    {
        if (!exactKnown_) {
            exact_ = siderealRotation(mjdUT_, eqeqSeconds_, longitudeRad_);
            exactKnown_ = true;
        }
        return exact_;
    }

private:
    double mjdUT_;
    double eqeqSeconds_;
    double longitudeRad_;
    SiderealRotation estimate_;
    bool exactKnown_ = false;
    SiderealRotation exact_;
};

// One body at one minute; its exact horizon vector and altitude are computed only when a test
// is close or the caller needs them.
class AltitudeSample {
public:
    AltitudeSample(const ObserverSite& site, MinuteRotation& rotation, const Vec3& equatorial)
        : site_(site), rotation_(rotation), equatorial_(equatorial)
    {
        estimate_ = horizonVector(site, rotation.estimate(), true, equatorial);
        slope_ = estimate_.z / std::sqrt(estimate_.x * estimate_.x + estimate_.y * estimate_.y);
    }

    bool atLeast(const AltitudeTest& test)
    {
        const int s = side(test);
        return s != 0 ? s > 0 : degrees() >= test.thresholdDeg;
    }
    bool atMost(const AltitudeTest& test)
    {
        const int s = side(test);
        return s != 0 ? s < 0 : degrees() <= test.thresholdDeg;
    }
    bool above(const AltitudeTest& test)
    {
        const int s = side(test);
        return s != 0 ? s > 0 : degrees() > test.thresholdDeg;
    }

    // Whether the estimate alone decides the test, and whether it puts the body clearly below.
    bool settles(const AltitudeTest& test) const { return side(test) != 0; }
    bool clearlyBelow(const AltitudeTest& test) const { return side(test) < 0; }

    // The horizon vector of the estimated rotation.
    const Vec3& estimatedHorizon() const { return estimate_; }

    // The exact horizon vector and altitude (radians), as horizonCoordinates gives them.
    const Vec3& horizon()
    {
        if (!exactKnown_) {
            horizon_ = horizonVector(site_, rotation_.exact(), true, equatorial_);
            radians_ = latitudeOf(horizon_);
            exactKnown_ = true;
        }
        return horizon_;
    }
    double radians()
    {
        horizon();
        return radians_;
    }

private:
    // 1 clearly above the threshold, -1 clearly below, 0 close to it (or no slope: z and the
    // horizontal part both 0).
    int side(const AltitudeTest& test) const
    {
        return slope_ > test.slopeAbove ? 1 : slope_ < test.slopeBelow ? -1 : 0;
    }
    double degrees() { return radians() * kDegPerRad; }

    const ObserverSite& site_;
    MinuteRotation& rotation_;
    Vec3 equatorial_;
    Vec3 estimate_;
    double slope_ = 0.0;
    bool exactKnown_ = false;
    Vec3 horizon_;
    double radians_ = 0.0;
};

// The altitude tests of the three modes.
struct ModeTests {
    ModeTests(double cutoffDeg, double marginRad)
        : horizon(altitudeTest(kSunHorizonAltitudeDeg, marginRad)),
          trueHorizon(altitudeTest(0.0, marginRad)),
          twilights{altitudeTest(kTwilightAltitudesDeg[0], marginRad),
                    altitudeTest(kTwilightAltitudesDeg[1], marginRad),
                    altitudeTest(kTwilightAltitudesDeg[2], marginRad)},
          cutoff(altitudeTest(cutoffDeg, marginRad))
    {
    }
    AltitudeTest horizon;
    AltitudeTest trueHorizon;
    AltitudeTest twilights[kTwilightCount];
    AltitudeTest cutoff;
};

// The Sun on a fixed panel: counts a minute of the Sun above the true horizon and adds the
// positive cosine of its incidence on the panel face. The exact cosine comes from the Sun's
// altitude and azimuth; the estimate is the same cosine written with the horizon vector of the
// estimated rotation, sin(altitude) = z / |h| and cos(azimuth - panel azimuth) cos(altitude) =
// (y sin(panel azimuth) - x cos(panel azimuth)) / |h|, with no trigonometry. Its error is at most
// twice the rotation's error (the Sun is far off, and the cosine is that of the angle between
// two unit vectors) plus rounding; the bound used is twice that.
struct Panel {
    double azimuthRad;
    double sinElevation;
    double cosElevation;
    double sinAzimuth;
    double cosAzimuth;
    double estimateErrorBound;

    Panel(double azimuthDeg, double elevationDeg, double rotationErrorRad)
        : azimuthRad(azimuthDeg * kRadPerDeg), sinElevation(std::sin(elevationDeg * kRadPerDeg)),
          cosElevation(std::cos(elevationDeg * kRadPerDeg)), sinAzimuth(std::sin(azimuthRad)),
          cosAzimuth(std::cos(azimuthRad)), estimateErrorBound(4.0 * rotationErrorRad + kCosineRoundingBound)
    {
    }

    void add(AltitudeSample& sun, MinuteCounts& counts) const
    {
        ++counts.panel;
        addExact(sun, counts);
    }

    // Adds the estimated cosine, or the exact one when the estimate is too close to 0 to tell
    // whether it counts.
    void addEstimate(AltitudeSample& sun, MinuteCounts& counts) const
    {
        ++counts.panel;
        const Vec3& h = sun.estimatedHorizon();
        const double incidence = (h.z * sinElevation + (h.y * sinAzimuth - h.x * cosAzimuth) * cosElevation) / norm(h);
        if (std::fabs(incidence) <= estimateErrorBound) {
            addExact(sun, counts);
        } else if (incidence > 0.0) {
            counts.cosineSum += incidence;
            counts.cosineSumError += estimateErrorBound;
        }
    }

private:
    // Rounding of either cosine against the true one of its horizon vector.
    static constexpr double kCosineRoundingBound = 1e-14;

    void addExact(AltitudeSample& sun, MinuteCounts& counts) const
    {
        const double altitudeRad = sun.radians();
        const double azimuthSun = kPi - longitudeOf(sun.horizon());
        const double incidence = std::sin(altitudeRad) * sinElevation +
                                 std::cos(azimuthSun - azimuthRad) * std::cos(altitudeRad) * cosElevation;
        if (incidence > 0.0)
            counts.cosineSum += incidence;
    }
};

// The estimated rotation one minute on: turned by the sidereal angle of one minute.
SiderealRotation turnedByMinute(const SiderealRotation& r, const SiderealRotation& minute)
{
    return SiderealRotation{r.sinAngle * minute.cosAngle + r.cosAngle * minute.sinAngle,
                            r.cosAngle * minute.cosAngle - r.sinAngle * minute.sinAngle};
}

// A body's series position at the start of one sampling block. Later blocks use it while the
// body's motion since cannot change a decision: the tests of a position k blocks old widen
// their margins by k blocks of the fastest motion of the body's direction seen from the site
// (the Sun: 1.02 degrees a day and 0.03 % of its distance; the Moon: 15.5 degrees a day and 1.1
// Earth radii at 55 Earth radii or more) and of the equation of the equinoxes (0.17 arcseconds a
// day), the bounds below with room to spare. A minute they cannot settle gets the exact
// position of its block. Positions older than kMaxAgeBlocks are renewed.
constexpr double kSunDriftRadPerDay = 0.02;
constexpr double kMoonDriftRadPerDay = 0.4;
constexpr double kEquinoxDriftRadPerDay = 1e-6;
constexpr long kMaxAgeBlocks = 48;
constexpr long kNeverEvaluated = -kMaxAgeBlocks - 1;

// Minutes far from every threshold decide the next kSkipMinutes of their block alike: no
// direction seen from the site turns faster than 0.005 radians a minute (the Earth's turn, 2 %
// more for the Moon's parallax, and the Moon's own motion), so the tests for them widen their
// margins by that much for each minute skipped.
constexpr long kSkipMinutes = 10;
constexpr double kTurnRadPerMinute = 0.005;

struct SeriesPosition {
    Vec3 vector;
    long block = kNeverEvaluated;
};

// The tests for positions 0 to kMaxAgeBlocks blocks old.
// With skipMinutes, for deciding that many minutes more alike.
std::vector<ModeTests> testsByAge(double cutoffDeg, double marginRad, double driftRadPerDay, long skipMinutes = 0)
{
    constexpr double kBlockDays = kSeriesRefreshMinutes / kMinutesPerDay;
    std::vector<ModeTests> tests;
    for (long age = 0; age <= kMaxAgeBlocks; ++age)
        tests.emplace_back(cutoffDeg, marginRad + static_cast<double>(age) * kBlockDays * (driftRadPerDay + kEquinoxDriftRadPerDay) +
                                          static_cast<double>(skipMinutes) * kTurnRadPerMinute);
    return tests;
}

// Whether an old position decides every test the mode puts to the Sun; the panel's cosines
// need the exact position, so the Sun must also be clearly down.
bool sunSettled(const AltitudeSample& sun, Mode mode, const ModeTests& tests)
{
    switch (mode) {
    case Mode::Panel:
        return sun.clearlyBelow(tests.trueHorizon) && sun.settles(tests.horizon);
    case Mode::Cutoff:
        return sun.settles(tests.cutoff);
    case Mode::Standard:
        break;
    }
    return sun.settles(tests.horizon) && sun.settles(tests.twilights[0]) && sun.settles(tests.twilights[1]) &&
           sun.settles(tests.twilights[2]);
}

bool moonSettled(const AltitudeSample& moon, Mode mode, const ModeTests& tests)
{
    switch (mode) {
    case Mode::Panel:
        return true;
    case Mode::Cutoff:
        return moon.settles(tests.cutoff);
    case Mode::Standard:
        break;
    }
    return moon.settles(tests.horizon) && moon.settles(tests.trueHorizon);
}

// Counts `minutes` minutes alike from settled samples (see sunSettled) or exact positions; more
// than one only when the panel's Sun is down.
void countMinute(Mode mode, const ModeTests& sunTests, const ModeTests& moonTests, const Panel& panel,
                 bool estimatedCosines, AltitudeSample& sun, AltitudeSample& moon, long minutes, MinuteCounts& counts)
{
    if (mode == Mode::Panel) {
        if (sun.above(sunTests.trueHorizon)) {
            if (estimatedCosines)
                panel.addEstimate(sun, counts);
            else
                panel.add(sun, counts);
        }
        counts.sun += minutes * sun.atLeast(sunTests.horizon);
        return;
    }
    if (mode == Mode::Cutoff) {
        counts.sun += minutes * sun.atLeast(sunTests.cutoff);
        counts.moon += minutes * moon.atLeast(moonTests.cutoff);
        return;
    }
    counts.sun += minutes * sun.atLeast(sunTests.horizon);
    counts.civil += minutes * sun.atLeast(sunTests.twilights[0]);
    counts.nautical += minutes * sun.atLeast(sunTests.twilights[1]);
    counts.astronomical += minutes * sun.atLeast(sunTests.twilights[2]);
    counts.moon += minutes * moon.atLeast(moonTests.horizon);
    counts.dark += minutes * (sun.atMost(sunTests.twilights[2]) && !moon.atLeast(moonTests.trueHorizon));
}

// Counts the minutes of [first, last) after yearStartMjd. The series give the Sun and the
// Moon at the start of every block of kSeriesRefreshMinutes (evaluated only for the blocks
// that need them, see SeriesPosition); within a block the stored vectors are turned to the
// horizon minute by minute with the site prepared once. With estimatedCosines the panel's
// cosines are estimated (Panel::addEstimate) and cosineSumError bounds the sum's distance from
// the exact one.
MinuteCounts countMinutes(const SettingsRecord& settings, Mode mode, double cutoffDeg, double yearStartMjd,
                          long first, long last, bool estimatedCosines)
{
    const double longitudeRad = settings.observer.longitudeDeg * kRadPerDeg;
    // The whole scan lies in the year of the tables and takes that year's TT - UT.
    const Instant yearScale{yearStartMjd, deltaTSecondsOfYear(settings.time)};
    const ObserverSite site = observerSite(settings.observer.latitudeDeg * kRadPerDeg, longitudeRad, settings.observer.heightM);
    const double marginRad = slopeMarginRad(std::fabs(yearStartMjd) + kDaysPerLeapYear);
    const Panel panel(settings.panel.azimuthDeg, settings.panel.elevationDeg, marginRad);
    const std::vector<ModeTests> sunTests = testsByAge(cutoffDeg, marginRad, kSunDriftRadPerDay);
    const std::vector<ModeTests> moonTests = testsByAge(cutoffDeg, marginRad, kMoonDriftRadPerDay);
    const std::vector<ModeTests> sunSkipTests = testsByAge(cutoffDeg, marginRad, kSunDriftRadPerDay, kSkipMinutes);
    const std::vector<ModeTests> moonSkipTests = testsByAge(cutoffDeg, marginRad, kMoonDriftRadPerDay, kSkipMinutes);
    // The sidereal angle of one minute, from the sidereal times of two instants a minute apart
    // within one day of the sidereal time's formula (whose days start at the MJD rounded toward
    // 0, so that before 1858 midnight and the minute after it lie in different days: across
    // that boundary the formula steps by up to 1.7e-7 hours, thirty times too much for the
    // margin once accumulated over a block's turns).
    const double noonMjd = yearStartMjd + 0.5;
    const double minuteAngle =
        std::remainder(localSiderealTime(noonMjd + 1.0 / kMinutesPerDay, 0.0, 0.0) - localSiderealTime(noonMjd, 0.0, 0.0),
                       kHoursPerDay) * kPi / 12.0;
    const SiderealRotation minuteTurn{std::sin(minuteAngle), std::cos(minuteAngle)};

    MinuteCounts counts;
    SeriesPosition sun;
    SeriesPosition moon;
    double eqeqSeconds = 0.0;
    double eclLongitudeRad = 0.0;
    SiderealRotation estimate;
    for (long i = first; i < last; ++i) {
        const long block = (i - first) / kSeriesRefreshMinutes;
        const long blockStart = first + block * kSeriesRefreshMinutes;
        const double t = yearStartMjd + static_cast<double>(i) / kMinutesPerDay;
        estimate = i == blockStart ? siderealRotation(t, eqeqSeconds, longitudeRad) : turnedByMinute(estimate, minuteTurn);
        // The series at the block's start; the rotation estimate starts afresh with its equation
        // of the equinoxes.
        auto evaluate = [&](SeriesPosition& body, bool isSun) {
            const double tBlock = yearStartMjd + static_cast<double>(blockStart) / kMinutesPerDay;
            body.vector = isSun ? EARTH_RADII_PER_AU * sunApparentEquatorial(yearScale.at(tBlock), eqeqSeconds, eclLongitudeRad)
                                : moonApparentEquatorial(yearScale.at(tBlock), eqeqSeconds, eclLongitudeRad);
            body.block = block;
            estimate = siderealRotation(t, eqeqSeconds, longitudeRad);
        };
        if (block - sun.block > kMaxAgeBlocks)
            evaluate(sun, true);
        if (mode != Mode::Panel && block - moon.block > kMaxAgeBlocks)
            evaluate(moon, false);
        for (;;) {
            MinuteRotation rotation(t, eqeqSeconds, longitudeRad, estimate);
            AltitudeSample sunAltitude(site, rotation, sun.vector);
            // The panel has no Moon: the Sun stands in, unused.
            AltitudeSample moonAltitude = mode == Mode::Panel ? sunAltitude : AltitudeSample(site, rotation, moon.vector);
            // The panel never evaluates the Moon: its age stops at the last tests, unused.
            const long sunAge = block - sun.block;
            const long moonAge = std::min(block - moon.block, kMaxAgeBlocks);
            const ModeTests& sunTestsNow = sunTests[sunAge];
            const ModeTests& moonTestsNow = moonTests[moonAge];
            if (sun.block != block && !sunSettled(sunAltitude, mode, sunTestsNow)) {
                evaluate(sun, true);
                continue;
            }
            if (mode != Mode::Panel && moon.block != block && !moonSettled(moonAltitude, mode, moonTestsNow)) {
                evaluate(moon, false);
                continue;
            }
            const bool skip = i + kSkipMinutes < blockStart + kSeriesRefreshMinutes && i + kSkipMinutes < last &&
                              sunSettled(sunAltitude, mode, sunSkipTests[sunAge]) &&
                              moonSettled(moonAltitude, mode, moonSkipTests[moonAge]);
            countMinute(mode, sunTestsNow, moonTestsNow, panel, estimatedCosines, sunAltitude, moonAltitude,
                        skip ? kSkipMinutes + 1 : 1, counts);
            if (skip) {
                for (long k = 0; k < kSkipMinutes; ++k)
                    estimate = turnedByMinute(estimate, minuteTurn);
                i += kSkipMinutes;
            }
            break;
        }
    }
    // Each addition rounds by at most an epsilon of the partial sum, in either sum.
    if (counts.cosineSumError > 0.0)
        counts.cosineSumError +=
            2.0 * DBL_EPSILON * static_cast<double>(counts.panel) * (counts.cosineSum + counts.cosineSumError);
    return counts;
}

double hours(long minutes) { return static_cast<double>(minutes) / kMinutesPerHour; }

// The minutes [first, last) of the year a mode counts: all twelve months, or the panel's run of
// whole months.
struct ScannedMinutes {
    double yearStartMjd = 0.0;
    long first = 0;
    long last = 0;
};

ScannedMinutes scannedMinutes(const SettingsRecord& settings, Mode mode)
{
    const int year = settings.time.year;
    ScannedMinutes scan;
    scan.yearStartMjd = modifiedJulianDate(1, 1, year, 0.0);
    const int firstMonth = mode == Mode::Panel ? std::max(settings.panel.startMonth, 1) : 1;
    const int lastMonth = mode == Mode::Panel ? std::min(settings.panel.endMonth, 12) : 12;
    if (firstMonth <= lastMonth) {
        scan.first = monthStartMinute(year, firstMonth, scan.yearStartMjd);
        scan.last = std::min(monthStartMinute(year, lastMonth + 1, scan.yearStartMjd), static_cast<long>(minutesInYear(year)));
    }
    return scan;
}

MinuteCounts countScanned(const SettingsRecord& settings, Mode mode, double cutoffDeg, bool estimatedCosines)
{
    const ScannedMinutes scan = scannedMinutes(settings, mode);
    return countMinutes(settings, mode, cutoffDeg, scan.yearStartMjd, scan.first, scan.last, estimatedCosines);
}

PanelStatistics panelStatistics(const SettingsRecord& settings, const MinuteCounts& counts)
{
    PanelStatistics statistics;
    statistics.sunshineHours = hours(counts.sun);
    const double share = counts.panel > 0 ? counts.cosineSum / static_cast<double>(counts.panel) : 0.0;
    statistics.receivedPercent = 100.0 * share;
    statistics.maxElectricityKwhPerM2 =
        share * kSolarConstantKw * statistics.sunshineHours * settings.panel.efficiencyPercent / 100.0;
    statistics.startMonth = settings.panel.startMonth;
    statistics.endMonth = settings.panel.endMonth;
    return statistics;
}

std::string heading(const SettingsRecord& settings, const char* title)
{
    std::string text = title;
    text.append(settings.observer.name);
    const bool packed = settings.display.dmsAngles;
    appendNumberText(text, "\nLat: %s   Long: %s   height: %g m\n", angleText(settings.observer.latitudeDeg, packed).c_str(),
                     angleText(settings.observer.longitudeDeg, packed).c_str(), settings.observer.heightM);
    appendNumberText(text, " Year: %4i \n\n", settings.time.year);
    return text;
}

// The lines of the panel's statistics below its heading.
std::string panelStatisticsLines(const PanelStatistics& statistics)
{
    std::string text;
    appendNumberText(text, "\n  Sunshine Hours:       %10.2lf h \n", statistics.sunshineHours);
    appendNumberText(text, "\n Sunshine Percentage received by solar panel: %8.2lf %% \n", statistics.receivedPercent);
    appendNumberText(text, "\n Maximum Electricity produced per m^2: %g kWh \n",
                     withoutNegativeZero(statistics.maxElectricityKwhPerM2));
    if (!(statistics.startMonth <= 1 && statistics.endMonth > 11))
        appendNumberText(text, "\n Months Interval from %2i to %2i \n", statistics.startMonth, statistics.endMonth);
    return text;
}

}  // namespace

int minutesInYear(int year)
{
    if (year == 1582)
        return kDaysIn1582 * kWholeMinutesPerDay;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0 || year < kFirstGregorianYear);
    return (leap ? kDaysPerLeapYear : kDaysPerYear) * kWholeMinutesPerDay;
}

YearTotals yearTotals(const SettingsRecord& settings)
{
    const MinuteCounts counts = countScanned(settings, Mode::Standard, 0.0, false);
    YearTotals totals;
    totals.sunshineHours = hours(counts.sun);
    totals.civilTwilightHours = hours(counts.civil);
    totals.nauticalTwilightHours = hours(counts.nautical);
    totals.astronomicalTwilightHours = hours(counts.astronomical);
    totals.moonshineHours = hours(counts.moon);
    totals.darkSkyHours = hours(counts.dark);
    return totals;
}

CutoffTotals cutoffTotals(const SettingsRecord& settings, double cutoffDeg)
{
    const MinuteCounts counts = countScanned(settings, Mode::Cutoff, cutoffDeg, false);
    return CutoffTotals{cutoffDeg, hours(counts.sun), hours(counts.moon)};
}

// From the estimated cosines when the lowest and the highest sum they allow print the same
// statistics (the printed numbers grow or shrink with the sum, so the exact sum, which lies
// between, prints them too); otherwise from the exact cosines.
PanelStatistics solarPanelStatistics(const SettingsRecord& settings)
{
    MinuteCounts counts = countScanned(settings, Mode::Panel, 0.0, true);
    const double estimate = counts.cosineSum;
    counts.cosineSum = std::fmax(estimate - counts.cosineSumError, 0.0);  // a sum of positive cosines
    const std::string low = panelStatisticsLines(panelStatistics(settings, counts));
    counts.cosineSum = estimate + counts.cosineSumError;
    const std::string high = panelStatisticsLines(panelStatistics(settings, counts));
    if (low == high) {
        counts.cosineSum = estimate;
        return panelStatistics(settings, counts);
    }
    return panelStatistics(settings, countScanned(settings, Mode::Panel, 0.0, false));
}

std::string yearTotalsText(const SettingsRecord& settings, const YearTotals& totals)
{
    std::string text = heading(settings, "Yearly Total for ");
    appendNumberText(text, "\n  Sunshine Hours:       %10.2lf h \n", totals.sunshineHours);
    appendNumberText(text, "\n  Civil Twilight:       %10.2lf h ", totals.civilTwilightHours);
    appendNumberText(text, "\n  Nautical Twilight:    %10.2lf h ", totals.nauticalTwilightHours);
    appendNumberText(text, "\n  Astronomical Twilight:%10.2lf h \n", totals.astronomicalTwilightHours);
    appendNumberText(text, "\n\n  Moonshine Hours:  %10.2lf h \n", totals.moonshineHours);
    appendNumberText(text, "\n\n  Dark sky without Moon: %10.2lf h \n", totals.darkSkyHours);
    return text;
}

std::string cutoffTotalsText(const SettingsRecord& settings, const CutoffTotals& totals)
{
    std::string text = heading(settings, "Yearly Total for ");
    appendNumberText(text, "\n  Sun higher than %5.1lf deg : %10.2lf hours \n", totals.cutoffDeg, totals.sunHours);
    appendNumberText(text, "\n  Moon higher than %5.1lf deg: %10.2lf hours \n", totals.cutoffDeg, totals.moonHours);
    return text;
}

std::string panelStatisticsText(const SettingsRecord& settings, const PanelStatistics& statistics)
{
    std::string text = heading(settings, "Solar Panel Statistics for ");
    appendNumberText(text, "\nAzimuth:%6.1lf  Elevation: %5.1lf  Efficiency: %6.2lf %% \n", settings.panel.azimuthDeg,
                     settings.panel.elevationDeg, settings.panel.efficiencyPercent);
    return text + panelStatisticsLines(statistics);
}

void yearlyTotalsReport(const SettingsRecord& settings, YearTotalsMode report, double cutoffDeg, std::string& text)
{
    switch (modeOf(report, cutoffDeg)) {
    case Mode::Standard:
        text = yearTotalsText(settings, yearTotals(settings));
        return;
    case Mode::Cutoff:
        text = cutoffTotalsText(settings, cutoffTotals(settings, cutoffDeg));
        return;
    case Mode::Panel:
        text = panelStatisticsText(settings, solarPanelStatistics(settings));
        return;
    }
}

}  // namespace qv
