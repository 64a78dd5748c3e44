#include "base/vector.h"

#include <cmath>

#include "base/constants.h"

namespace qv {

PolarCoord toPolar(const Vec3& v) {
    const double planeSquared = v.x * v.x + v.y * v.y;
    return PolarCoord(std::sqrt(planeSquared + v.z * v.z), longitudeOf(v), latitudeOf(v));
}

double longitudeOf(const Vec3& v) {
    double longitude = safeAtan2(v.y, v.x);
    if (longitude < 0.0) longitude += kTwoPi;
    // Rounding can lift a longitude just below 0 to exactly 2 pi; keep it in [0, 2 pi).
    if (longitude >= kTwoPi) longitude = 0.0;
    return longitude;
}

double latitudeOf(const Vec3& v) { return safeAtan2(v.z, std::sqrt(v.x * v.x + v.y * v.y)); }

Vec3 fromPolar(const PolarCoord& p) {
    const double cosLat = std::cos(p.latitude());
    return Vec3(p.radius() * cosLat * std::cos(p.longitude()),
                p.radius() * cosLat * std::sin(p.longitude()), p.radius() * std::sin(p.latitude()));
}

Mat3 operator*(const Mat3& a, const Mat3& b) {
    Mat3 product;
    for (int i = 0; i < 3; ++i) {
        const Vec3& row = a.rows[i];
        product.rows[i] = Vec3(row.x * b.rows[0].x + row.y * b.rows[1].x + row.z * b.rows[2].x,
                               row.x * b.rows[0].y + row.y * b.rows[1].y + row.z * b.rows[2].y,
                               row.x * b.rows[0].z + row.y * b.rows[1].z + row.z * b.rows[2].z);
    }
    return product;
}

Mat3 transpose(const Mat3& m) {
    return Mat3(Vec3(m.rows[0].x, m.rows[1].x, m.rows[2].x), Vec3(m.rows[0].y, m.rows[1].y, m.rows[2].y),
                Vec3(m.rows[0].z, m.rows[1].z, m.rows[2].z));
}

Mat3 rotationX(double angleRad) {
    const double co = std::cos(angleRad);
    const double si = std::sin(angleRad);
    return Mat3(Vec3(1.0, 0.0, 0.0), Vec3(0.0, co, si), Vec3(0.0, -si, co));
}

Mat3 rotationY(double angleRad) {
    const double co = std::cos(angleRad);
    const double si = std::sin(angleRad);
    return Mat3(Vec3(co, 0.0, -si), Vec3(0.0, 1.0, 0.0), Vec3(si, 0.0, co));
}

Mat3 rotationZ(double angleRad) {
    const double co = std::cos(angleRad);
    const double si = std::sin(angleRad);
    return Mat3(Vec3(co, si, 0.0), Vec3(-si, co, 0.0), Vec3(0.0, 0.0, 1.0));
}

double safeAtan2(double y, double x) {
    if (x == 0.0 && y == 0.0) return 0.0;
    return std::atan2(y, x);
}

CircleCrossing circleIntersection(double a, double b, double r0) {
    CircleCrossing crossing;
    const double aSquared = a * a;
    if (aSquared < 1e-60) return crossing;
    const double l = b * b / aSquared + 1.0;
    if (std::fabs(l) < 1e-60) return crossing;
    const double m = aSquared + 1.0 - r0 * r0 + b * b;
    const double r = -0.5 * b * m / (aSquared * l);
    const double q = r * r - (m * m / (4.0 * aSquared) - 1.0) / l;
    if (q < 0.0) return crossing;
    const double t = std::sqrt(q);
    crossing.found = true;
    crossing.y1 = -(t + r);
    crossing.y2 = -(r - t);
    crossing.x1 = m / (2.0 * a) - (b / a) * crossing.y1;
    crossing.x2 = m / (2.0 * a) - (b / a) * crossing.y2;
    return crossing;
}

double greatCircleRad(double latitudeARad, double longitudeARad, double latitudeBRad, double longitudeBRad)
{
    const double cosine = std::sin(latitudeARad) * std::sin(latitudeBRad) +
                          std::cos(latitudeARad) * std::cos(latitudeBRad) * std::cos(longitudeBRad - longitudeARad);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, cosine)));
}

}  // namespace qv
