// Small maths for painting. Everything the forge paints must come out the
// same on every build, so the trigonometry here is plain arithmetic
// (polynomials after range reduction) instead of the C library's, whose last
// bits may differ between versions. Only +, -, *, /, sqrt and floor are used,
// which IEEE arithmetic rounds the same way everywhere.
#pragma once

#include <cmath>
#include <cstdint>

namespace torvel::forge {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

inline double Clamp01(double v) {
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}
inline double ClampTo(double v, double lo, double hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}
inline double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}
inline double Smooth(double t) {
  t = Clamp01(t);
  return t * t * (3 - 2 * t);
}
// 0 below e0, 1 above e1, smooth between.
inline double SmoothStep(double e0, double e1, double v) {
  return Smooth((v - e0) / (e1 - e0));
}

double Sin(double x);
inline double Cos(double x) {
  return Sin(x + kPi / 2);
}
// Angle of (x, y) in radians, -pi..pi (y grows downward on screen, so a
// positive angle turns clockwise there).
double Atan2(double y, double x);
// b raised to a small whole power.
double PowInt(double b, int e);

struct Vec2 {
  double x = 0, y = 0;
};
struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}
inline double Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Normalize(Vec3 v) {
  double l = std::sqrt(Dot(v, v));
  return l > 0 ? v * (1.0 / l) : Vec3{0, 0, 1};
}
inline Vec2 Rotate(Vec2 v, double angle) {
  double c = Cos(angle), s = Sin(angle);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

}  // namespace torvel::forge
