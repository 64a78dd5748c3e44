#pragma once
// The searches under every scan and refinement of the program: a scan at fixed steps that
// passes over the samples whose outcome a stated bound on the rate of change settles, and the
// refinements that close in on an event to the precision asked (the least of a function by
// golden sections, a sign change by regula falsi, two conditions in two unknowns by Newton's
// method).
// A scan that passes over samples gives exactly what the scan of every sample gives: the
// tests hold each scan to its every-sample twin (Skipping::None).
#include <algorithm>
#include <array>
#include <cmath>

namespace qv {

// Covers the rounding of a quantity compared with its bound.
constexpr double kBoundRoundingAllowance = 1e-9;

// Whether a scan passes over the samples its bounds settle, or evaluates every one (the
// reference its skipping is tested against).
enum class Skipping { ByBounds, None };

// A scan at fixed steps: the instants startUT + step stepDays, each formed afresh from its
// step number (never accumulated).
struct StepScan {
    double startUT = 0.0;
    double stepDays = 0.0;

    double at(long step) const { return startUT + static_cast<double>(step) * stepDays; }

    // The last step that is not after endUT.
    long lastStepNotAfter(double endUT) const
    {
        long step = static_cast<long>((endUT - startUT) / stepDays) + 2;
        while (at(step) > endUT)
            --step;
        return step;
    }

    // How many steps lie before endUT (none for an end not after the start).
    long stepsBefore(double endUT) const
    {
        if (!(endUT > startUT))
            return 0;
        long count = static_cast<long>((endUT - startUT) / stepDays);
        while (count > 0 && at(count - 1) >= endUT)
            --count;
        while (at(count) < endUT)
            ++count;
        return count;
    }
};

// The steps after a sample over which a quantity that lies margin short of a threshold, and
// changes by at most maxChangePerStep a step, surely stays short of it (0 when the margin
// is gone).
inline long stepsShortOf(double margin, double maxChangePerStep)
{
    const double steps = (margin - kBoundRoundingAllowance) / maxChangePerStep;
    return steps > 0.0 ? static_cast<long>(steps) : 0;
}

// The most steps, up to mostSteps, such that holds(spanDays) holds for the span of that many
// steps; holds must weaken as the span grows. Found by bisection over the step count.
template <typename Holds>
long stepsWhile(long mostSteps, double stepDays, Holds holds)
{
    long alike = 0;
    long most = std::max(mostSteps, 0L);
    while (alike < most) {
        const long middle = alike + (most - alike + 1) / 2;
        if (holds(static_cast<double>(middle) * stepDays))
            alike = middle;
        else
            most = middle - 1;
    }
    return alike;
}

// The point in [low, high] where f, which has one minimum there, is least: golden sections
// until the interval is shorter than tolerance; its middle.
template <typename Function>
double leastOf(double low, double high, double tolerance, Function f)
{
    constexpr double kGoldenSection = 0.6180339887498949;
    double a = low, b = high;
    double c = b - kGoldenSection * (b - a), d = a + kGoldenSection * (b - a);
    double fc = f(c), fd = f(d);
    while (b - a > tolerance) {
        if (fc < fd) {
            b = d, d = c, fd = fc;
            c = b - kGoldenSection * (b - a);
            fc = f(c);
        } else {
            a = c, c = d, fc = fd;
            d = a + kGoldenSection * (b - a);
            fd = f(d);
        }
    }
    return 0.5 * (a + b);
}

// The point in [low, high] where f, of opposite signs (or zero) at the two ends, crosses zero:
// regula falsi with the Illinois step, until the bracket is shorter than tolerance or f is 0.
template <typename Function>
double crossingOf(double low, double high, double tolerance, Function f)
{
    double a = low, b = high, fa = f(a), fb = f(b);
    int side = 0;  // which end stayed put last, to halve its value (Illinois)
    while (b - a > tolerance && fa != 0.0 && fb != 0.0) {
        // The secant point, kept a hair inside the bracket so that it always shrinks.
        const double margin = 0.25 * tolerance;
        const double c = std::clamp((a * fb - b * fa) / (fb - fa), a + margin, b - margin);
        const double fc = f(c);
        if ((fc < 0.0) == (fa < 0.0)) {
            a = c, fa = fc;
            if (side == -1)
                fb *= 0.5;
            side = -1;
        } else {
            b = c, fb = fc;
            if (side == 1)
                fa *= 0.5;
            side = 1;
        }
    }
    if (fa == 0.0)
        return a;
    if (fb == 0.0)
        return b;
    return a - fa * (b - a) / (fb - fa);
}

// Newton's method on two conditions in two unknowns, with the derivatives from differences.
// conditions(u, v) gives the two conditions at the present point moved by (u, v) in its own
// two directions; move(u, v) moves the point. Stops after a step shorter than converged (true)
// or after maxIterations, or when the derivatives are singular (false).
template <typename Conditions, typename Move>
bool solveTwoConditions(Conditions conditions, Move move, double differenceStep, double converged,
                        int maxIterations)
{
    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        const std::array<double, 2> c = conditions(0.0, 0.0);
        const std::array<double, 2> cu = conditions(differenceStep, 0.0);
        const std::array<double, 2> cv = conditions(0.0, differenceStep);
        const double a11 = (cu[0] - c[0]) / differenceStep, a12 = (cv[0] - c[0]) / differenceStep;
        const double a21 = (cu[1] - c[1]) / differenceStep, a22 = (cv[1] - c[1]) / differenceStep;
        const double determinant = a11 * a22 - a12 * a21;
        if (determinant == 0.0 || !std::isfinite(determinant))
            return false;
        const double stepU = (-c[0] * a22 + c[1] * a12) / determinant;
        const double stepV = (-c[1] * a11 + c[0] * a21) / determinant;
        move(stepU, stepV);
        if (std::hypot(stepU, stepV) < converged)
            return true;
    }
    return false;
}

}  // namespace qv
