#pragma once
// Vectors, 3x3 frame rotations and polar triples: plain double-precision values on the stack,
// no allocation and no error reports. All angles are radians.

#include <cmath>

#include "base/constants.h"

namespace qv {

// Cartesian vector (x, y, z); default (0, 0, 0).
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Vec3() = default;
    constexpr Vec3(double xValue, double yValue, double zValue) : x(xValue), y(yValue), z(zValue) {}

    // Component 0, 1 or 2; any other index reads or writes x, so access never leaves the object.
    constexpr double& operator[](int index) { return index == 1 ? y : index == 2 ? z : x; }
    constexpr double operator[](int index) const { return index == 1 ? y : index == 2 ? z : x; }

    constexpr Vec3& operator-=(const Vec3& w) {
        x -= w.x;
        y -= w.y;
        z -= w.z;
        return *this;
    }
    constexpr Vec3& operator*=(double scale) {
        x *= scale;
        y *= scale;
        z *= scale;
        return *this;
    }
};

// A vector read as (radius, longitude, latitude): longitude from +x toward +y in the x-y plane,
// latitude above that plane, both in radians.
struct PolarCoord : Vec3 {
    constexpr PolarCoord() = default;
    constexpr PolarCoord(double radius, double longitudeRad, double latitudeRad)
        : Vec3(radius, longitudeRad, latitudeRad) {}

    constexpr double radius() const { return x; }
    constexpr double longitude() const { return y; }
    constexpr double latitude() const { return z; }
};

// 3x3 matrix stored by rows; element (i, j) is row i, column j. Default: all zero.
struct Mat3 {
    Vec3 rows[3];

    constexpr Mat3() = default;
    // Every one of the nine elements set to fill.
    constexpr explicit Mat3(double fill)
        : rows{Vec3(fill, fill, fill), Vec3(fill, fill, fill), Vec3(fill, fill, fill)} {}
    constexpr Mat3(const Vec3& row0, const Vec3& row1, const Vec3& row2) : rows{row0, row1, row2} {}

    // Row 0, 1 or 2; any other index gives row 0.
    constexpr Vec3& operator[](int row) { return rows[row == 1 || row == 2 ? row : 0]; }
    constexpr const Vec3& operator[](int row) const { return rows[row == 1 || row == 2 ? row : 0]; }
};

constexpr Vec3 operator+(const Vec3& v, const Vec3& w) { return Vec3(v.x + w.x, v.y + w.y, v.z + w.z); }
constexpr Vec3 operator-(const Vec3& v, const Vec3& w) { return Vec3(v.x - w.x, v.y - w.y, v.z - w.z); }
constexpr Vec3 operator*(double scale, const Vec3& v) { return Vec3(scale * v.x, scale * v.y, scale * v.z); }

constexpr double dot(const Vec3& v, const Vec3& w) { return v.x * w.x + v.y * w.y + v.z * w.z; }
constexpr Vec3 cross(const Vec3& v, const Vec3& w) {
    return Vec3(v.y * w.z - v.z * w.y, v.z * w.x - v.x * w.z, v.x * w.y - v.y * w.x);
}

// Euclidean length.
inline double norm(const Vec3& v) { return std::sqrt(dot(v, v)); }
// v / norm(v); the zero vector when norm(v) < 1e-100.
inline Vec3 unitVector(const Vec3& v) {
    const double length = norm(v);
    if (length < 1e-100) return Vec3();
    return (1.0 / length) * v;
}
// Radius, longitude in [0, 2 pi) and latitude in [-pi/2, pi/2]; the zero vector gives (0, 0, 0).
PolarCoord toPolar(const Vec3& v);
// The longitude and the latitude of toPolar(v) alone, computed the same way.
double longitudeOf(const Vec3& v);
double latitudeOf(const Vec3& v);
// (r cos lat cos lon, r cos lat sin lon, r sin lat).
Vec3 fromPolar(const PolarCoord& p);

// Matrix times vector: element i is dot(row i, v).
constexpr Vec3 operator*(const Mat3& m, const Vec3& v) {
    return Vec3(dot(m.rows[0], v), dot(m.rows[1], v), dot(m.rows[2], v));
}
// Matrix product a b.
Mat3 operator*(const Mat3& a, const Mat3& b);
Mat3 transpose(const Mat3& m);

// Frame rotations by angleRad about the x, y and z axis: a positive angle turns the axes
// counter-clockwise, so rotationZ(a) moves a vector at longitude L to longitude L - a.
Mat3 rotationX(double angleRad);
Mat3 rotationY(double angleRad);
Mat3 rotationZ(double angleRad);

// Angle (radians) between two places on the sphere given by latitude and longitude (radians).
double greatCircleRad(double latitudeARad, double longitudeARad, double latitudeBRad, double longitudeBRad);

// An angle (radians) brought into (-pi, pi].
inline double wrappedAngle(double angleRad) { return angleRad - kTwoPi * std::ceil((angleRad - kPi) / kTwoPi); }

// Remainder of x divided by 1 with the sign of x: frac(-1.25) = -0.25.
inline double frac(double x) { return x - std::trunc(x); }
// sin(2 pi frac(revolutions)).
inline double sinRevolutions(double revolutions) { return std::sin(kTwoPi * frac(revolutions)); }
// atan2(y, x), and 0 when both are exactly 0.
double safeAtan2(double y, double x);

// Points where the unit circle meets the circle of centre (a, b) and radius r0.
// found is false when there are none (or a is about 0), true when both points are set; a
// tangent circle gives the touching point twice.
struct CircleCrossing {
    bool found = false;
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};
CircleCrossing circleIntersection(double a, double b, double r0);

}  // namespace qv
