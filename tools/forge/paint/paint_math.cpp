#include "forge/paint/paint_math.h"

namespace torvel::forge {

double Sin(double x) {
  double k = std::floor(x / kTwoPi + 0.5);
  x -= k * kTwoPi;  // now -pi..pi
  if (x > kPi / 2) x = kPi - x;
  if (x < -kPi / 2) x = -kPi - x;
  double x2 = x * x;
  return x *
         (1 + x2 * (-1.0 / 6 +
                    x2 * (1.0 / 120 + x2 * (-1.0 / 5040 + x2 * (1.0 / 362880 - x2 / 39916800.0)))));
}

namespace {
// atan on 0..1 by a short series after halving the angle twice.
double AtanUnit(double t) {
  // atan(t) = 2 atan(t / (1 + sqrt(1 + t^2))), applied twice brings t below 0.2.
  for (int i = 0; i < 2; ++i) t = t / (1 + std::sqrt(1 + t * t));
  double t2 = t * t;
  double sum =
      t * (1 + t2 * (-1.0 / 3 + t2 * (1.0 / 5 + t2 * (-1.0 / 7 + t2 * (1.0 / 9 - t2 / 11)))));
  return 4 * sum;
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
