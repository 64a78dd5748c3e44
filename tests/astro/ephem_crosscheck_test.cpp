// Apparent geocentric right ascension and declination of the Sun and the Moon against PyEphem
// at 400 instants spread over 1800-2200 (tests/astro/data/ephem_sun_moon.txt, see its README).
#include <gtest/gtest.h>

#include "test_environment.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "astro/moon.h"
#include "astro/sun.h"
#include "base/constants.h"

namespace {

constexpr double kArcsec = 1.0 / 3600.0;  // degrees

struct ReferencePlace {
    double mjdUT;
    double deltaTSeconds;
    double sunRaHours;
    double sunDecDeg;
    double moonRaHours;
    double moonDecDeg;
};

std::vector<ReferencePlace> readReference() {
    std::vector<ReferencePlace> places;
    for (const std::string& text : qv::test::referenceLines("tests/astro/data/ephem_sun_moon.txt")) {
        const char* line = text.c_str();
        ReferencePlace p{};
        if (std::sscanf(line, "%lf %lf %lf %lf %lf %lf", &p.mjdUT, &p.deltaTSeconds, &p.sunRaHours, &p.sunDecDeg,
                        &p.moonRaHours, &p.moonDecDeg) == 6) {
            places.push_back(p);
        }
    }
    return places;
}

// Angle in degrees between the direction of v and the direction at (raHours, decDeg).
double separationDeg(const qv::Vec3& v, double raHours, double decDeg) {
    const qv::Vec3 reference = qv::fromPolar(qv::PolarCoord(1.0, raHours * 15.0 * qv::kRadPerDeg, decDeg * qv::kRadPerDeg));
    const qv::Vec3 direction = qv::unitVector(v);
    return std::atan2(qv::norm(qv::cross(direction, reference)), qv::dot(direction, reference)) * qv::kDegPerRad;
}

// Largest and rms angular separation, and the largest differences in right ascension
// (along the parallel, degrees) and in declination.
struct Deviation {
    double maxDeg = 0.0;
    double sumSquares = 0.0;
    double worstMjd = 0.0;
    double maxRaDeg = 0.0;
    double maxDecDeg = 0.0;
    void add(const qv::Vec3& v, double raHours, double decDeg, double mjd) {
        const double deg = separationDeg(v, raHours, decDeg);
        sumSquares += deg * deg;
        if (deg > maxDeg) {
            maxDeg = deg;
            worstMjd = mjd;
        }
        const qv::PolarCoord p = qv::toPolar(v);
        const double raDiffDeg = std::remainder(p.longitude() * qv::kDegPerRad - raHours * 15.0, 360.0);
        maxRaDeg = std::fmax(maxRaDeg, std::fabs(raDiffDeg * std::cos(decDeg * qv::kRadPerDeg)));
        maxDecDeg = std::fmax(maxDecDeg, std::fabs(p.latitude() * qv::kDegPerRad - decDeg));
    }
    void print(const char* body, double count) const {
        std::printf("%s: largest %.2f arcsec (MJD %.3f), rms %.2f arcsec; along RA %.2f, in Dec %.2f arcsec\n", body,
                    maxDeg / kArcsec, worstMjd, std::sqrt(sumSquares / count) / kArcsec, maxRaDeg / kArcsec,
                    maxDecDeg / kArcsec);
    }
};

TEST(EphemCrossCheck, SunAndMoonAgreeWithIndependentEphemeris) {
    const std::vector<ReferencePlace> places = readReference();
    ASSERT_EQ(places.size(), 400u) << "reference table missing or damaged";
    Deviation sun;
    Deviation moon;
    for (const ReferencePlace& p : places) {
        double eqeqSeconds = 0.0;
        double eclLongitudeRad = 0.0;
        sun.add(qv::sunApparentEquatorial(qv::Instant{p.mjdUT, p.deltaTSeconds}, eqeqSeconds, eclLongitudeRad), p.sunRaHours,
                p.sunDecDeg, p.mjdUT);
        moon.add(qv::moonApparentEquatorial(qv::Instant{p.mjdUT, p.deltaTSeconds}, eqeqSeconds, eclLongitudeRad), p.moonRaHours,
                 p.moonDecDeg, p.mjdUT);
    }
    sun.print("Sun", static_cast<double>(places.size()));
    moon.print("Moon", static_cast<double>(places.size()));
    // Measured with PyEphem 4.1.4: Sun largest 4.08", rms 1.57"; Moon largest 9.26", rms 3.14".
    EXPECT_LT(sun.maxDeg, 5.0 * kArcsec);
    EXPECT_LT(moon.maxDeg, 12.0 * kArcsec);
}

}  // namespace
