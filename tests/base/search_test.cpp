// The search toolkit: the fixed-step scan's ends, the steps a bound settles, and the two
// refinements on functions whose answer is known.
#include "base/search.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Search, StepScanEndsAndSettledSteps)
{
    // A tenth of a day is not exact in binary: the step at 0.3 lies a hair above 0.3.
    const qv::StepScan scan{0.0, 0.1};
    EXPECT_GT(scan.at(3), 0.3);
    EXPECT_EQ(scan.lastStepNotAfter(0.3), 2);
    EXPECT_EQ(scan.lastStepNotAfter(scan.at(3)), 3);
    EXPECT_EQ(scan.stepsBefore(scan.at(3)), 3);
    EXPECT_EQ(scan.stepsBefore(0.3), 3);
    EXPECT_EQ(scan.stepsBefore(0.0), 0);
    EXPECT_EQ(scan.stepsBefore(-1.0), 0);

    EXPECT_EQ(qv::stepsShortOf(1.0, 0.25), 3);  // the rounding allowance keeps the fourth step out
    EXPECT_EQ(qv::stepsShortOf(1.0 + 1e-6, 0.25), 4);
    EXPECT_EQ(qv::stepsShortOf(0.0, 0.25), 0);
    EXPECT_EQ(qv::stepsShortOf(-3.0, 0.25), 0);

    // A condition that holds for spans up to 0.75 day, at half-day steps and at a tenth.
    const auto upTo = [](double spanDays) { return spanDays <= 0.75; };
    EXPECT_EQ(qv::stepsWhile(10, 0.5, upTo), 1);
    EXPECT_EQ(qv::stepsWhile(10, 0.1, upTo), 7);
    EXPECT_EQ(qv::stepsWhile(4, 0.1, upTo), 4);
    EXPECT_EQ(qv::stepsWhile(-2, 0.1, upTo), 0);
}

TEST(Search, RefinementsFindKnownAnswers)
{
    int evaluations = 0;
    const double least = qv::leastOf(-1.0, 2.0, 1e-9, [&](double x) {
        ++evaluations;
        return (x - 0.3) * (x - 0.3);
    });
    EXPECT_NEAR(least, 0.3, 1e-8);
    EXPECT_LT(evaluations, 50);

    // A crossing found to the tolerance, whichever way the function falls, in few evaluations;
    // an end where the function is 0 is the answer.
    for (double sign : {1.0, -1.0}) {
        evaluations = 0;
        const double root = qv::crossingOf(0.0, 2.0, 1e-9, [&](double x) {
            ++evaluations;
            return sign * (x * x * x - 2.0);
        });
        EXPECT_NEAR(root, std::cbrt(2.0), 1e-9);
        EXPECT_LT(evaluations, 20);
    }
    EXPECT_EQ(qv::crossingOf(1.0, 3.0, 1e-9, [](double x) { return x - 1.0; }), 1.0);

    // x + y = 3, x - 2y = 0: Newton's method on linear conditions lands in one step.
    double x = 10.0, y = -4.0;
    const auto conditions = [&](double du, double dv) {
        return std::array<double, 2>{(x + du) + (y + dv) - 3.0, (x + du) - 2.0 * (y + dv)};
    };
    const auto move = [&](double du, double dv) { x += du, y += dv; };
    EXPECT_TRUE(qv::solveTwoConditions(conditions, move, 1e-6, 1e-9, 5));
    EXPECT_NEAR(x, 2.0, 1e-9);
    EXPECT_NEAR(y, 1.0, 1e-9);
    // Conditions that do not depend on the unknowns cannot be solved.
    const auto flat = [](double, double) { return std::array<double, 2>{1.0, 1.0}; };
    EXPECT_FALSE(qv::solveTwoConditions(flat, move, 1e-6, 1e-9, 5));
}

}  // namespace
