#include "forge/sound/det_math.h"

namespace torvel::forge::synth {

double Sin(double x) {
  // Down to [-pi, pi], then to [-pi/2, pi/2] by the mirror about +-pi/2.
  double turns = std::floor(x / kTwoPi + 0.5);
  double r = x - turns * kTwoPi;
  if (r > kPi / 2) r = kPi - r;
  if (r < -kPi / 2) r = -kPi - r;
  double r2 = r * r;
  // Taylor series to r^15: below 1e-9 on the quarter turn.
  double p = 1.0 / 1307674368000.0;
  p = p * -r2 + 1.0 / 6227020800.0;
  p = p * r2 - 1.0 / 39916800.0;
  p = p * r2 + 1.0 / 362880.0;
  p = p * r2 - 1.0 / 5040.0;
  p = p * r2 + 1.0 / 120.0;
  p = p * r2 - 1.0 / 6.0;
  p = p * r2 + 1.0;
  return r * p;
}

double Exp(double x) {
  if (x < -700.0) return 0.0;
  if (x > 700.0) x = 700.0;
  double k = std::floor(x / kLn2 + 0.5);
  double r = x - k * kLn2;  // |r| <= 0.35
  double p = 1.0 / 479001600.0;
  p = p * r + 1.0 / 39916800.0;
  p = p * r + 1.0 / 3628800.0;
  p = p * r + 1.0 / 362880.0;
  p = p * r + 1.0 / 40320.0;
  p = p * r + 1.0 / 5040.0;
  p = p * r + 1.0 / 720.0;
  p = p * r + 1.0 / 120.0;
  p = p * r + 1.0 / 24.0;
  p = p * r + 1.0 / 6.0;
  p = p * r + 0.5;
  p = p * r + 1.0;
  p = p * r + 1.0;
  return std::ldexp(p, static_cast<int>(k));
}

double Tanh(double x) {
  if (x > 20.0) return 1.0;
  if (x < -20.0) return -1.0;
  double e = Exp(2.0 * x);
  return (e - 1.0) / (e + 1.0);
}

double Log(double x) {
  if (!(x > 0.0)) return -1e300;
  int e = 0;
  double m = std::frexp(x, &e);  // x = m * 2^e, m in [0.5, 1)
  if (m < 0.70710678118654752440) {
    m *= 2.0;
    --e;
  }
  // log m = 2 atanh((m - 1) / (m + 1)), |s| < 0.172
  double s = (m - 1.0) / (m + 1.0);
  double s2 = s * s;
  double p = 1.0 / 19.0;
  for (int k = 17; k >= 1; k -= 2) p = p * s2 + 1.0 / k;
  return 2.0 * s * p + e * kLn2;
}

}  // namespace torvel::forge::synth
