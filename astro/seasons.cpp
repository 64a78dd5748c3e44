#include "astro/seasons.h"

#include <cmath>

#include "astro/frames.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/vector.h"

namespace qv {

namespace {

// First estimate of an equinox or solstice, MJD of TT:
// daysPerYear x year + offsetDays + y2 Y^2 + y3 Y^3 with Y = year / 1000.
struct SeasonEstimate {
    double daysPerYear;
    double offsetDays;
    double y2;
    double y3;
};
constexpr SeasonEstimate kSeasonEstimates[kSeasons] = {
    {365.2421376, -678861.2145, 0.067919, -0.0027879},
    {365.2417284, -678767.2514, -0.053018, 0.009332},
    {365.2425055, -678674.8022, -0.126689, 0.0019401},
    {365.2428898, -678586.108, -0.010965, -0.0084885},
};
// Light time of the Sun, Julian centuries.
constexpr double kSunLightTimeCenturies = 1.58186934368e-7;
// Days per radian of solar longitude (a tropical year over 2 pi).
constexpr double kDaysPerSolarRadian = 58.1313429644;
constexpr double kSeasonToleranceDays = 1.157e-5;
constexpr int kSeasonMaxIterations = 12;

}  // namespace

double seasonInstantTT(int year, Season season)
{
    const SeasonEstimate& e = kSeasonEstimates[season];
    const double y = year / 1000.0;
    double estimate = e.daysPerYear * year + e.offsetDays + e.y2 * y * y + e.y3 * y * y * y;

    double eqeqSeconds = 0.0;
    const Mat3 nutation = eclipticNutationMatrix(julianCenturies(estimate), eqeqSeconds);
    const double targetRad = static_cast<int>(season) * kPi / 2.0;
    for (int i = 0; i < kSeasonMaxIterations; ++i) {
        const double t = julianCenturies(estimate);
        const Vec3 sun = nutation * sunPosition(t - kSunLightTimeCenturies);
        const double correction = kDaysPerSolarRadian * std::sin(targetRad - longitudeOf(sun));
        estimate += correction;
        if (std::fabs(correction) <= kSeasonToleranceDays)
            break;
    }
    return estimate;
}

Instant seasonInstant(int year, Season season, const DeltaTRule& rule)
{
    return instantAtTT(seasonInstantTT(year, season), rule);
}

}  // namespace qv
