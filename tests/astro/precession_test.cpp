// The IAU 1976 precession: Meeus's worked example, the identity and the way back, and the
// matrices of erfa's long-term precession and IAU 2006 from -9999 to 9999
// (tests/astro/data/precession.txt, see its README).
#include <gtest/gtest.h>

#include "test_environment.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/precession.h"
#include "base/constants.h"

namespace {

constexpr double kArcsec = 1.0 / 3600.0;  // degrees

// Angle in arcseconds of the rotation a b^T: how far apart the two frames are.
double rotationAngleArcsec(const qv::Mat3& a, const qv::Mat3& b) {
    const qv::Mat3 m = a * qv::transpose(b);
    const double cosine = std::clamp((m[0][0] + m[1][1] + m[2][2] - 1.0) / 2.0, -1.0, 1.0);
    // acos loses digits near 0: take the sine from the antisymmetric part.
    const double sine = 0.5 * std::hypot(m[1][2] - m[2][1], m[2][0] - m[0][2], m[0][1] - m[1][0]);
    return std::atan2(sine, cosine) * qv::kDegPerRad / kArcsec;
}

struct ReferenceMatrix {
    char model;  // 'L' long-term precession, 'I' IAU 2006
    double fromCenturiesTT;
    double toCenturiesTT;
    qv::Mat3 matrix;
};

std::vector<ReferenceMatrix> readReference() {
    std::vector<ReferenceMatrix> matrices;
    for (const std::string& text : qv::test::referenceLines("tests/astro/data/precession.txt")) {
        const char* line = text.c_str();
        ReferenceMatrix r{};
        qv::Mat3& m = r.matrix;
        if (std::sscanf(line, " %c %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf", &r.model, &r.fromCenturiesTT,
                        &r.toCenturiesTT, &m[0][0], &m[0][1], &m[0][2], &m[1][0], &m[1][1], &m[1][2], &m[2][0],
                        &m[2][1], &m[2][2]) == 12)
            matrices.push_back(r);
    }
    return matrices;
}

TEST(Precession, MeeusExample21b) {
    // Theta Persei, J2000 place with its proper motion to the date applied, to 2028 Nov 13.19 TD.
    const double toCenturies = (2462088.69 - 2451545.0) / qv::kDaysPerJulianCentury;
    const qv::Vec3 j2000 = qv::fromPolar(qv::PolarCoord(1.0, 41.054063 * qv::kRadPerDeg, 49.227750 * qv::kRadPerDeg));
    const qv::PolarCoord ofDate = qv::toPolar(qv::precessionMatrix(0.0, toCenturies) * j2000);
    EXPECT_NEAR(ofDate.longitude() * qv::kDegPerRad, 41.547214, 0.01 * kArcsec);
    EXPECT_NEAR(ofDate.latitude() * qv::kDegPerRad, 49.348483, 0.01 * kArcsec);
}

TEST(Precession, SameEpochIsTheIdentityAndTheWayBackReturns) {
    const qv::Mat3 identity(qv::Vec3(1, 0, 0), qv::Vec3(0, 1, 0), qv::Vec3(0, 0, 1));
    // Lieske's expressions for any start epoch are built so that the way back undoes the way
    // there: measured within 1e-11" even over 6000 years.
    for (double from = -100.0; from <= 100.0; from += 12.5) {
        EXPECT_EQ(rotationAngleArcsec(qv::precessionMatrix(from, from), identity), 0.0) << from;
        const double to = -0.3 * from + 0.245;
        EXPECT_LT(rotationAngleArcsec(qv::precessionMatrix(to, from) * qv::precessionMatrix(from, to), identity), 1e-9)
            << from << " " << to;
    }
}

TEST(Precession, AgreesWithLongTermPrecessionAndIau2006) {
    const std::vector<ReferenceMatrix> matrices = readReference();
    ASSERT_EQ(matrices.size(), 128u) << "tests/astro/data/precession.txt";
    // Bound by start year (to J2000 and to B1875 alike), a little above the largest angle
    // measured in that band; the header of precession.h quotes the long-term column.
    struct Band {
        int firstYear, lastYear;
        double longTermArcsec;  // against Vondrak et al. (2011)
        double iau2006Arcsec;   // against IAU 2006
    };
    static constexpr Band kBands[] = {
        {-9999, 9999, 8900.0, 9500.0}, {-6000, 6000, 620.0, 750.0}, {-4000, 5000, 90.0, 95.0},
        {-2000, 4000, 43.0, 40.0},     {-1000, 4000, 17.0, 17.0},   {-500, 3000, 7.5, 7.0},
        {0, 2500, 2.2, 2.2},           {1800, 2100, 0.7, 0.7},
    };
    for (const Band& band : kBands) {
        double worst[2] = {0.0, 0.0};
        for (const ReferenceMatrix& r : matrices) {
            const double year = 2000.0 + 100.0 * r.fromCenturiesTT;
            if (year < band.firstYear || year > band.lastYear) continue;
            const double arcsec =
                rotationAngleArcsec(qv::precessionMatrix(r.fromCenturiesTT, r.toCenturiesTT), r.matrix);
            const int k = r.model == 'L' ? 0 : 1;
            worst[k] = std::max(worst[k], arcsec);
            EXPECT_LT(arcsec, k == 0 ? band.longTermArcsec : band.iau2006Arcsec)
                << r.model << " from " << year << " to " << r.toCenturiesTT;
        }
        std::printf("start %5d..%4d: largest %.2f\" from the long-term precession, %.2f\" from IAU 2006\n",
                    band.firstYear, band.lastYear, worst[0], worst[1]);
    }
}

}  // namespace
