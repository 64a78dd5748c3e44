#include "astro/precession.h"

#include "base/constants.h"

namespace qv {

namespace {

// One precession angle as a polynomial in the interval t (centuries) whose coefficients are
// themselves polynomials in the start epoch T (centuries since J2000):
// (a0 + a1 T + a2 T^2) t + (b0 + b1 T) t^2 + c t^3, in arcseconds.
struct PrecessionPolynomial {
    double a0, a1, a2;  // arcseconds per century, and its change per century and per century^2
    double b0, b1;      // arcseconds per century^2, and its change per century
    double c;           // arcseconds per century^3
};
// zeta, z, theta.
static constexpr PrecessionPolynomial kPrecessionPolynomials[] = {
    {2306.2181, 1.39656, -0.000139, 0.30188, -0.000344, 0.017998},
    {2306.2181, 1.39656, -0.000139, 1.09468, 0.000066, 0.018203},
    {2004.3109, -0.85330, -0.000217, -0.42665, -0.000217, -0.041833},
};

double angleRad(const PrecessionPolynomial& p, double startT, double intervalT) {
    const double rate = p.a0 + (p.a1 + p.a2 * startT) * startT;
    const double arcsec = ((p.c * intervalT + p.b0 + p.b1 * startT) * intervalT + rate) * intervalT;
    return arcsec * kArcsecRad;
}

}  // namespace

PrecessionAngles precessionAngles(double fromCenturiesTT, double toCenturiesTT) {
    const double interval = toCenturiesTT - fromCenturiesTT;
    return PrecessionAngles{angleRad(kPrecessionPolynomials[0], fromCenturiesTT, interval),
                            angleRad(kPrecessionPolynomials[1], fromCenturiesTT, interval),
                            angleRad(kPrecessionPolynomials[2], fromCenturiesTT, interval)};
}

Mat3 precessionMatrix(double fromCenturiesTT, double toCenturiesTT) {
    const PrecessionAngles angles = precessionAngles(fromCenturiesTT, toCenturiesTT);
    return rotationZ(-angles.zRad) * rotationY(angles.thetaRad) * rotationZ(-angles.zetaRad);
}

}  // namespace qv
