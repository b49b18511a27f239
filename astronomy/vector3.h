#pragma once
// A vector of three rectangular coordinates and the few operations the
// geometry of the Moon's globe needs.

#include <cmath>

/// Rectangular coordinates in whatever frame and unit the user says
/// (kilometres in the true equator of date, or in the Moon's body frame).
struct Vector3 {
    double X = 0;
    double Y = 0;
    double Z = 0;
};

inline Vector3 operator+(Vector3 a, Vector3 b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
inline Vector3 operator-(Vector3 a, Vector3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
inline Vector3 operator-(Vector3 a) { return {-a.X, -a.Y, -a.Z}; }
inline Vector3 operator*(double f, Vector3 a) { return {f * a.X, f * a.Y, f * a.Z}; }
inline double Dot(Vector3 a, Vector3 b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
inline Vector3 Cross(Vector3 a, Vector3 b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
inline double Length(Vector3 a) { return std::sqrt(Dot(a, a)); }
/// `a` scaled to length 1; `a` must not be the null vector.
inline Vector3 Unit(Vector3 a) { return (1.0 / Length(a)) * a; }
