#include "astro/phenomena.h"

#include <algorithm>
#include <cmath>

#include "astro/frames.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/julian.h"
#include "base/search.h"

namespace qv {

namespace {

// The Earth radius of the lunar series' parallax, in km.
constexpr double kMoonSeriesEarthRadiusKm = 6378.14;
// Scan steps: a day for the planets and the Earth, a quarter day for the Moon (13 degrees a
// day against the planets, a perigee every 27.6 days); the planets' longitudes between their
// daily samples are interpolated to bracket the Moon's conjunctions, which are then refined
// exactly.
constexpr double kPlanetStepDays = 1.0;
constexpr double kMoonStepDays = 0.25;
// A station's rate of motion: the longitude's change over this much either side.
constexpr double kRateHalfSpanDays = 0.1;
// Planets closer than this in a conjunction are listed.
constexpr double kPlanetConjunctionDeg = 5.0;
constexpr int kPairedPlanets = 5;  // Mercury to Saturn

constexpr const char* kPhenomenonNames[] = {
    "conjunction", "opposition", "inferior conjunction", "superior conjunction", "greatest elongation east",
    "greatest elongation west", "station", "perigee", "apogee", "perihelion", "aphelion", "moon conjunction",
    "planet conjunction",
};

// Longitude and latitude on the true ecliptic of date of a vector on the true equator of date.
struct Ecliptic {
    double longitudeRad = 0.0;
    double latitudeRad = 0.0;
};
Ecliptic trueEcliptic(const Vec3& trueEquatorial, double centuriesTT)
{
    const Vec3 ecliptic = rotationX(nutationAngles(centuriesTT).trueObliquityRad) * trueEquatorial;
    return {longitudeOf(ecliptic), latitudeOf(ecliptic)};
}

struct MoonSample {
    Ecliptic ecliptic;
    double distanceKm = 0.0;
};
MoonSample moonAt(const Instant& instant)
{
    double eqeqSeconds = 0.0, meanLongitudeRad = 0.0;
    const Vec3 moon = moonApparentEquatorial(instant, eqeqSeconds, meanLongitudeRad);
    return {trueEcliptic(moon, instant.centuriesTT()), norm(moon) * kMoonSeriesEarthRadiusKm};
}

double earthSunDistanceAu(const Instant& instant) { return norm(sunPosition(instant.centuriesTT())); }

// The events of one span, collected unordered and sorted at the end.
class Collector {
public:
    Collector(const Instant& start, double endUT) : start_(start), endUT_(endUT) {}

    const Instant& scale() const { return start_; }
    Instant at(double mjdUT) const { return start_.at(mjdUT); }
    bool inSpan(double mjdUT) const { return mjdUT >= start_.mjdUT && mjdUT <= endUT_; }

    void add(double mjdUT, PhenomenonKind kind, std::string body, std::string other = {})
    {
        if (inSpan(mjdUT))
            events_.push_back({at(mjdUT), kind, std::move(body), std::move(other), false, 0.0});
    }
    void addValue(double mjdUT, PhenomenonKind kind, std::string body, std::string other, double value)
    {
        if (inSpan(mjdUT))
            events_.push_back({at(mjdUT), kind, std::move(body), std::move(other), true, value});
    }
    std::vector<Phenomenon> sorted()
    {
        std::stable_sort(events_.begin(), events_.end(), [](const Phenomenon& a, const Phenomenon& b) {
            return a.instant.mjdUT < b.instant.mjdUT;
        });
        return std::move(events_);
    }

private:
    Instant start_;
    double endUT_;
    std::vector<Phenomenon> events_;
};

// Where an angle function of time, wrapped into (-pi, pi], crosses zero between two samples
// (not where it jumps from pi to -pi): the refined instant, or none.
template <typename Angle>
bool crossingBetween(double t0, double a0, double t1, double a1, Angle angle, double& crossing)
{
    if ((a0 < 0.0) == (a1 < 0.0) && a1 != 0.0)
        return false;
    if (std::fabs(a0) > kPi / 2.0 || std::fabs(a1) > kPi / 2.0)
        return false;
    crossing = crossingOf(t0, t1, kSecondDays, angle);
    return true;
}

// Where a sampled quantity has a local extreme at the middle of three samples: the refined
// instant of the least (sign 1) or greatest (sign -1) value within a step either side.
template <typename Value>
double extremeNear(double middleUT, double stepDays, double sign, Value value)
{
    return leastOf(middleUT - stepDays, middleUT + stepDays, kSecondDays,
                   [&](double t) { return sign * value(t); });
}

// The least and greatest values of a distance sampled at times stepDays apart: each local
// extreme refined and added as the nearest (least) or farthest (greatest) event of body.
template <typename Distance>
void addDistanceExtremes(const std::vector<double>& times, const std::vector<double>& values, double stepDays,
                         Distance distance, PhenomenonKind least, PhenomenonKind greatest, const char* body,
                         Collector& out)
{
    for (std::size_t k = 1; k + 1 < times.size(); ++k) {
        const double previous = values[k - 1], now = values[k], next = values[k + 1];
        if (now < previous && now <= next) {
            const double t = extremeNear(times[k], stepDays, 1.0, distance);
            out.addValue(t, least, body, "", distance(t));
        } else if (now > previous && now >= next) {
            const double t = extremeNear(times[k], stepDays, -1.0, distance);
            out.addValue(t, greatest, body, "", distance(t));
        }
    }
}

struct PlanetSamples {
    Planet planet;
    std::vector<PlanetPlace> places;  // at the scan's days
};

void addSunPhenomena(const std::vector<double>& days, const PlanetSamples& samples, Collector& out)
{
    const Planet planet = samples.planet;
    const std::string name = planetName(planet);
    const bool inner = planet == Planet::Mercury || planet == Planet::Venus;
    const auto place = [&](double t) { return planetPlace(planet, out.at(t)); };
    const auto fromSun = [&](double t, double offsetRad) {
        const PlanetPlace at = place(t);
        return wrappedAngle(at.longitudeRad - at.sunLongitudeRad - offsetRad);
    };
    const auto rate = [&](double t) {
        return wrappedAngle(place(t + kRateHalfSpanDays).longitudeRad - place(t - kRateHalfSpanDays).longitudeRad);
    };
    const std::vector<PlanetPlace>& p = samples.places;
    for (std::size_t i = 1; i < days.size(); ++i) {
        const double t0 = days[i - 1], t1 = days[i];
        const double d0 = wrappedAngle(p[i - 1].longitudeRad - p[i - 1].sunLongitudeRad);
        const double d1 = wrappedAngle(p[i].longitudeRad - p[i].sunLongitudeRad);
        double t = 0.0;
        if (crossingBetween(t0, d0, t1, d1, [&](double x) { return fromSun(x, 0.0); }, t)) {
            const PlanetPlace at = place(t);
            const PhenomenonKind kind = !inner ? PhenomenonKind::Conjunction
                                        : at.distanceAu < earthSunDistanceAu(out.at(t))
                                            ? PhenomenonKind::InferiorConjunction
                                            : PhenomenonKind::SuperiorConjunction;
            out.add(t, kind, name, "Sun");
        }
        if (!inner && crossingBetween(t0, wrappedAngle(d0 - kPi), t1, wrappedAngle(d1 - kPi),
                                      [&](double x) { return fromSun(x, kPi); }, t))
            out.add(t, PhenomenonKind::Opposition, name, "Sun");
        if (i + 1 >= days.size())
            continue;
        // Stations: the motion in longitude changes sign between the day before and after.
        const double before = wrappedAngle(p[i].longitudeRad - p[i - 1].longitudeRad);
        const double after = wrappedAngle(p[i + 1].longitudeRad - p[i].longitudeRad);
        if ((before < 0.0) != (after < 0.0)) {
            const double station = crossingOf(t0, days[i + 1], kSecondDays, rate);
            out.add(station, PhenomenonKind::Station, name, before > 0.0 ? "retrograde" : "direct");
        }
        // Greatest elongations of Mercury and Venus: a local greatest elongation.
        if (inner && p[i].elongationRad > p[i - 1].elongationRad && p[i].elongationRad >= p[i + 1].elongationRad) {
            const double greatest = extremeNear(t1, kPlanetStepDays, -1.0, [&](double x) { return place(x).elongationRad; });
            const PlanetPlace at = place(greatest);
            out.addValue(greatest,
                         at.eastOfSun ? PhenomenonKind::GreatestElongationEast : PhenomenonKind::GreatestElongationWest,
                         name, "", at.elongationRad * kDegPerRad);
        }
    }
}

// The planet's longitude at an instant between two daily samples, interpolated.
double interpolatedLongitude(const std::vector<double>& days, const std::vector<PlanetPlace>& places, double t)
{
    const std::size_t i = std::min(static_cast<std::size_t>(std::max((t - days.front()) / kPlanetStepDays, 0.0)),
                                   days.size() - 2);
    const double fraction = (t - days[i]) / (days[i + 1] - days[i]);
    return places[i].longitudeRad + fraction * wrappedAngle(places[i + 1].longitudeRad - places[i].longitudeRad);
}

void addMoonPhenomena(double endUT, const std::vector<double>& days,
                      const std::vector<PlanetSamples>& planets, Collector& out)
{
    const StepScan quarters{out.scale().mjdUT - kMoonStepDays, kMoonStepDays};
    const long last = quarters.lastStepNotAfter(endUT + kMoonStepDays);
    std::vector<double> times;
    std::vector<MoonSample> moon;
    for (long k = 0; k <= last; ++k) {
        times.push_back(quarters.at(k));
        moon.push_back(moonAt(out.at(times.back())));
    }
    std::vector<double> distances;
    for (const MoonSample& sample : moon)
        distances.push_back(sample.distanceKm);
    addDistanceExtremes(times, distances, kMoonStepDays, [&](double t) { return moonAt(out.at(t)).distanceKm; },
                        PhenomenonKind::Perigee, PhenomenonKind::Apogee, "Moon", out);
    for (const PlanetSamples& samples : planets) {
        const Planet planet = samples.planet;
        const auto difference = [&](double t) {
            return wrappedAngle(moonAt(out.at(t)).ecliptic.longitudeRad - planetPlace(planet, out.at(t)).longitudeRad);
        };
        for (std::size_t k = 1; k < times.size(); ++k) {
            const double t0 = times[k - 1], t1 = times[k];
            const double d0 = wrappedAngle(moon[k - 1].ecliptic.longitudeRad - interpolatedLongitude(days, samples.places, t0));
            const double d1 = wrappedAngle(moon[k].ecliptic.longitudeRad - interpolatedLongitude(days, samples.places, t1));
            double t = 0.0;
            if (crossingBetween(t0, d0, t1, d1, difference, t)) {
                const double latitudeDifference =
                    moonAt(out.at(t)).ecliptic.latitudeRad - planetPlace(planet, out.at(t)).latitudeRad;
                out.addValue(t, PhenomenonKind::MoonConjunction, "Moon", planetName(planet),
                             latitudeDifference * kDegPerRad);
            }
        }
    }
}

void addPlanetConjunctions(const std::vector<double>& days,
                           const std::vector<PlanetSamples>& planets, Collector& out)
{
    for (int a = 0; a < kPairedPlanets; ++a) {
        for (int b = a + 1; b < kPairedPlanets; ++b) {
            const PlanetSamples& first = planets[a];
            const PlanetSamples& second = planets[b];
            const auto difference = [&](double t) {
                return wrappedAngle(planetPlace(first.planet, out.at(t)).longitudeRad -
                               planetPlace(second.planet, out.at(t)).longitudeRad);
            };
            for (std::size_t i = 1; i < days.size(); ++i) {
                const double d0 = wrappedAngle(first.places[i - 1].longitudeRad - second.places[i - 1].longitudeRad);
                const double d1 = wrappedAngle(first.places[i].longitudeRad - second.places[i].longitudeRad);
                double t = 0.0;
                if (!crossingBetween(days[i - 1], d0, days[i], d1, difference, t))
                    continue;
                const Vec3 u = planetPlace(first.planet, out.at(t)).equatorial;
                const Vec3 v = planetPlace(second.planet, out.at(t)).equatorial;
                const double separationDeg =
                    std::acos(std::clamp(dot(u, v) / (norm(u) * norm(v)), -1.0, 1.0)) * kDegPerRad;
                if (separationDeg < kPlanetConjunctionDeg)
                    out.addValue(t, PhenomenonKind::PlanetConjunction, planetName(first.planet),
                                 planetName(second.planet), separationDeg);
            }
        }
    }
}

void addEarthPhenomena(const std::vector<double>& days, Collector& out)
{
    const auto distance = [&](double t) { return earthSunDistanceAu(out.at(t)); };
    std::vector<double> distances;
    for (double t : days)
        distances.push_back(distance(t));
    addDistanceExtremes(days, distances, kPlanetStepDays, distance, PhenomenonKind::Perihelion, PhenomenonKind::Aphelion,
                        "Earth", out);
}

}  // namespace

const char* phenomenonName(PhenomenonKind kind) { return kPhenomenonNames[static_cast<int>(kind)]; }

std::vector<Phenomenon> phenomenaBetween(const Instant& start, double endUT)
{
    Collector out(start, endUT);
    // Daily samples from a day before the span to a day after it, so that events at its ends
    // are bracketed.
    const StepScan scan{start.mjdUT - kPlanetStepDays, kPlanetStepDays};
    const long last = scan.lastStepNotAfter(endUT + 2.0 * kPlanetStepDays);
    std::vector<double> days;
    for (long i = 0; i <= last; ++i)
        days.push_back(scan.at(i));
    std::vector<PlanetSamples> planets;
    for (int p = 0; p < kPlanets; ++p) {
        PlanetSamples samples{static_cast<Planet>(p), {}};
        for (double t : days)
            samples.places.push_back(planetPlace(samples.planet, out.at(t)));
        planets.push_back(std::move(samples));
    }
    for (const PlanetSamples& samples : planets)
        addSunPhenomena(days, samples, out);
    addMoonPhenomena(endUT, days, planets, out);
    addPlanetConjunctions(days, planets, out);
    addEarthPhenomena(days, out);
    return out.sorted();
}

}  // namespace qv
