#include "forge/paint/paint_math.h"

namespace torvel::forge {

double Sin(double x) {
  double k = std::floor(x / kTwoPi + 0.5);
  x -= k * kTwoPi;  // now -pi..pi
  if (x > kPi / 2) x = kPi - x;
  if (x < -kPi / 2) x = -kPi - x;
  // The series to x^23 stays within a few units of the last place on
  // -pi/2..pi/2, so rotations built from it keep their vectors unit length.
  double x2 = x * x;
  double sum = 0;
  for (int n = 23; n >= 3; n -= 2) sum = (1 - sum) * x2 / (n * (n - 1));
  return x * (1 - sum);
}

namespace {
// atan on 0..1 by a short series after halving the angle twice.
double AtanUnit(double t) {
  // atan(t) = 2 atan(t / (1 + sqrt(1 + t^2))), applied twice brings t below 0.2.
  for (int i = 0; i < 2; ++i) t = t / (1 + std::sqrt(1 + t * t));
  double t2 = t * t;
  double sum = 0;
  for (int n = 23; n >= 1; n -= 2) sum = 1.0 / n - t2 * sum;
  return 4 * t * sum;
}
}  // namespace

double Atan2(double y, double x) {
  if (x == 0 && y == 0) return 0;
  double ax = std::fabs(x), ay = std::fabs(y);
  double a = ay <= ax ? AtanUnit(ay / ax) : kPi / 2 - AtanUnit(ax / ay);
  if (x < 0) a = kPi - a;
  return y < 0 ? -a : a;
}

double PowInt(double b, int e) {
  double r = 1;
  for (int i = 0; i < e; ++i) r *= b;
  return r;
}

}  // namespace torvel::forge
