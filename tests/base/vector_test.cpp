#include "base/vector.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/constants.h"

namespace {

using qv::Mat3;
using qv::Vec3;

constexpr double kTight = 1e-15;

void expectVecNear(const Vec3& actual, const Vec3& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectMatNear(const Mat3& actual, const Mat3& expected, double tolerance) {
    for (int i = 0; i < 3; ++i) expectVecNear(actual[i], expected[i], tolerance);
}

TEST(Vec3, IndexOutsideRangeStaysOnX) {
    Vec3 v(1.0, 2.0, 3.0);
    EXPECT_EQ(v[0], 1.0);
    EXPECT_EQ(v[1], 2.0);
    EXPECT_EQ(v[2], 3.0);
    EXPECT_EQ(v[3], 1.0);
    EXPECT_EQ(v[-1], 1.0);
    v[7] = 9.0;
    EXPECT_EQ(v.x, 9.0);
    EXPECT_EQ(v.y, 2.0);
    EXPECT_EQ(v.z, 3.0);
    const Mat3 m(Vec3(1, 1, 1), Vec3(2, 2, 2), Vec3(3, 3, 3));
    EXPECT_EQ(m[5].x, 1.0);
}

TEST(Vec3, ArithmeticAndProducts) {
    const Vec3 v(1.0, -2.0, 3.0);
    const Vec3 w(4.0, 0.5, -1.0);
    expectVecNear(v + w, Vec3(5.0, -1.5, 2.0), 0.0);
    expectVecNear(v - w, Vec3(-3.0, -2.5, 4.0), 0.0);
    expectVecNear(2.0 * v, Vec3(2.0, -4.0, 6.0), 0.0);
    Vec3 u = v;
    u -= w;
    u *= -1.0;
    expectVecNear(u, w - v, 0.0);
    EXPECT_EQ(qv::dot(v, w), 4.0 - 1.0 - 3.0);
    // Right-handed: x cross y is z; the cross product is orthogonal to both factors.
    expectVecNear(qv::cross(Vec3(1, 0, 0), Vec3(0, 1, 0)), Vec3(0, 0, 1), 0.0);
    const Vec3 c = qv::cross(v, w);
    EXPECT_NEAR(qv::dot(c, v), 0.0, 1e-14);
    EXPECT_NEAR(qv::dot(c, w), 0.0, 1e-14);
    EXPECT_DOUBLE_EQ(qv::norm(Vec3(3.0, 4.0, 12.0)), 13.0);
}

TEST(Vec3, UnitVectorOfTinyVectorIsZero) {
    expectVecNear(qv::unitVector(Vec3(1e-101, 0.0, 0.0)), Vec3(), 0.0);
    expectVecNear(qv::unitVector(Vec3(1e-99, 0.0, 0.0)), Vec3(1.0, 0.0, 0.0), kTight);
    expectVecNear(qv::unitVector(Vec3(0.0, -3.0, 4.0)), Vec3(0.0, -0.6, 0.8), kTight);
}

TEST(PolarCoord, EdgeCases) {
    const qv::PolarCoord origin = qv::toPolar(Vec3());
    EXPECT_EQ(origin.radius(), 0.0);
    EXPECT_EQ(origin.longitude(), 0.0);
    EXPECT_EQ(origin.latitude(), 0.0);

    const qv::PolarCoord southPole = qv::toPolar(Vec3(0.0, 0.0, -1.0));
    EXPECT_EQ(southPole.radius(), 1.0);
    EXPECT_EQ(southPole.longitude(), 0.0);
    EXPECT_DOUBLE_EQ(southPole.latitude(), -qv::kPi / 2.0);

    // Just below the +x axis: longitude just below 2 pi, never negative.
    const double belowAxis = qv::toPolar(Vec3(1.0, -1e-9, 0.0)).longitude();
    EXPECT_GT(belowAxis, qv::kTwoPi - 2e-9);
    EXPECT_LT(belowAxis, qv::kTwoPi);
    // So close below the axis that adding 2 pi rounds to 2 pi: still inside [0, 2 pi).
    const double roundedUp = qv::toPolar(Vec3(1.0, -1e-20, 0.0)).longitude();
    EXPECT_GE(roundedUp, 0.0);
    EXPECT_LT(roundedUp, qv::kTwoPi);
    // Just below the -x axis: just past pi.
    const double belowNegativeAxis = qv::toPolar(Vec3(-1.0, -1e-12, 0.0)).longitude();
    EXPECT_GT(belowNegativeAxis, qv::kPi);
    EXPECT_LT(belowNegativeAxis, qv::kPi + 1e-9);
}

TEST(PolarCoord, RoundTripInEveryOctant) {
    for (int octant = 0; octant < 8; ++octant) {
        const Vec3 v((octant & 1) ? -0.3 : 0.7, (octant & 2) ? -1.9 : 0.4, (octant & 4) ? -2.2 : 1.1);
        const qv::PolarCoord p = qv::toPolar(v);
        EXPECT_GE(p.longitude(), 0.0);
        EXPECT_LT(p.longitude(), qv::kTwoPi);
        EXPECT_LE(std::fabs(p.latitude()), qv::kPi / 2.0);
        expectVecNear(qv::fromPolar(p), v, 1e-14);
    }
    expectVecNear(qv::fromPolar(qv::PolarCoord(2.0, qv::kPi / 2.0, 0.0)), Vec3(0.0, 2.0, 0.0), 1e-15);
}

TEST(Mat3, FillConstructorAndDefault) {
    const Mat3 zero;
    const Mat3 filled(2.5);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(zero[i][j], 0.0);
            EXPECT_EQ(filled[i][j], 2.5);
        }
    }
}

TEST(Mat3, ProductsAgreeWithVectorProducts) {
    const Mat3 a(Vec3(1, 2, 3), Vec3(-4, 5, 6), Vec3(7, 8, -9));
    const Mat3 b(Vec3(0.5, 0, 1), Vec3(2, -1, 0), Vec3(0, 3, 1));
    const Vec3 v(1.5, -2.0, 0.25);
    expectVecNear((a * b) * v, a * (b * v), 1e-12);
    expectVecNear(a * v, Vec3(1.5 - 4 + 0.75, -6 - 10 + 1.5, 10.5 - 16 - 2.25), 1e-12);
    // Element (0, 1) of a b: row 0 of a with column 1 of b.
    EXPECT_EQ((a * b)[0][1], 1 * 0 + 2 * -1 + 3 * 3);
    const Mat3 t = qv::transpose(a);
    EXPECT_EQ(t[0][1], -4.0);
    EXPECT_EQ(t[2][0], 3.0);
}

TEST(Rotation, SenseOfEachAxis) {
    const double quarter = qv::kPi / 2.0;
    expectVecNear(qv::rotationZ(quarter) * Vec3(1, 0, 0), Vec3(0, -1, 0), kTight);
    expectVecNear(qv::rotationX(quarter) * Vec3(0, 1, 0), Vec3(0, 0, -1), kTight);
    expectVecNear(qv::rotationY(quarter) * Vec3(0, 0, 1), Vec3(-1, 0, 0), kTight);
    // rotationZ(a) moves a vector at longitude L to longitude L - a.
    const Vec3 turned = qv::rotationZ(0.3) * qv::fromPolar(qv::PolarCoord(1.0, 1.0, 0.2));
    EXPECT_NEAR(qv::toPolar(turned).longitude(), 0.7, 1e-14);
    EXPECT_NEAR(qv::toPolar(turned).latitude(), 0.2, 1e-14);
}

TEST(Rotation, TransposeIsInverse) {
    const Mat3 r = qv::rotationX(0.4) * qv::rotationY(-1.1) * qv::rotationZ(2.3);
    const Mat3 identity(Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1));
    expectMatNear(qv::transpose(r) * r, identity, 1e-15);
}

TEST(Scalar, FracSinRevolutionsSafeAtan2) {
    EXPECT_EQ(qv::frac(-1.25), -0.25);
    EXPECT_EQ(qv::frac(2.75), 0.75);
    EXPECT_EQ(qv::frac(-0.25), -0.25);
    EXPECT_DOUBLE_EQ(qv::sinRevolutions(-0.25), -1.0);
    EXPECT_DOUBLE_EQ(qv::sinRevolutions(1000.25), 1.0);
    EXPECT_EQ(qv::safeAtan2(0.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(qv::safeAtan2(1.0, 0.0), qv::kPi / 2.0);
    EXPECT_DOUBLE_EQ(qv::safeAtan2(0.0, -1.0), qv::kPi);
}

TEST(CircleIntersection, TangentCrossingAndApart) {
    const qv::CircleCrossing tangent = qv::circleIntersection(2.0, 0.0, 1.0);
    ASSERT_TRUE(tangent.found);
    EXPECT_NEAR(tangent.x1, 1.0, kTight);
    EXPECT_NEAR(tangent.y1, 0.0, kTight);
    EXPECT_NEAR(tangent.x2, 1.0, kTight);
    EXPECT_NEAR(tangent.y2, 0.0, kTight);

    // Two distinct points, each on both circles.
    const double a = 0.8;
    const double b = -0.6;
    const double r0 = 0.9;
    const qv::CircleCrossing two = qv::circleIntersection(a, b, r0);
    ASSERT_TRUE(two.found);
    EXPECT_GT(std::hypot(two.x1 - two.x2, two.y1 - two.y2), 0.1);
    for (const auto& [x, y] : {std::pair{two.x1, two.y1}, std::pair{two.x2, two.y2}}) {
        EXPECT_NEAR(x * x + y * y, 1.0, 1e-12);
        EXPECT_NEAR((x - a) * (x - a) + (y - b) * (y - b), r0 * r0, 1e-12);
    }

    EXPECT_FALSE(qv::circleIntersection(3.0, 0.0, 1.0).found);  // too far apart
    EXPECT_FALSE(qv::circleIntersection(0.0, 0.5, 1.0).found);  // centre on the y axis
}

}  // namespace
