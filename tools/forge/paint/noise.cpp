#include "forge/paint/noise.h"

#include <cmath>

#include "forge/paint/paint_math.h"

namespace torvel::forge {

namespace {

int Wrap(int i, int period) {
  if (period <= 0) return i;
  int m = i % period;
  return m < 0 ? m + period : m;
}

}  // namespace

uint32_t Hash32(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x27D4EB2Du;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

double HashUnit(int32_t x, int32_t y, uint32_t seed) {
  return (Hash32(x, y, seed) >> 8) / 16777216.0;
}

double ValueNoise(double u, double v, int periodX, int periodY, uint32_t seed) {
  double fu = std::floor(u), fv = std::floor(v);
  int iu = static_cast<int>(fu), iv = static_cast<int>(fv);
  double tu = Smooth(u - fu), tv = Smooth(v - fv);
  int u0 = Wrap(iu, periodX), u1 = Wrap(iu + 1, periodX);
  int v0 = Wrap(iv, periodY), v1 = Wrap(iv + 1, periodY);
  double a = HashUnit(u0, v0, seed), b = HashUnit(u1, v0, seed);
  double c = HashUnit(u0, v1, seed), d = HashUnit(u1, v1, seed);
  return Lerp(Lerp(a, b, tu), Lerp(c, d, tu), tv);
}

double Fbm(double u, double v, int periodX, int periodY, int octaves, uint32_t seed, double gain) {
  double sum = 0, weight = 1, total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * ValueNoise(u, v, periodX, periodY, seed + 1013u * static_cast<uint32_t>(o));
    total += weight;
    weight *= gain;
    u *= 2;
    v *= 2;
    periodX *= 2;
    periodY *= 2;
  }
  return sum / total;
}

CellSample Cells(double u, double v, int periodX, int periodY, uint32_t seed, double jitter) {
  CellSample out;
  out.f1 = out.f2 = 1e9;
  int iu = static_cast<int>(std::floor(u)), iv = static_cast<int>(std::floor(v));
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      int cx = iu + dx, cy = iv + dy;
      int wx = Wrap(cx, periodX), wy = Wrap(cy, periodY);
      double px = cx + 0.5 + (HashUnit(wx, wy, seed) - 0.5) * jitter;
      double py = cy + 0.5 + (HashUnit(wx, wy, seed ^ 0x5bd1e995u) - 0.5) * jitter;
      double d = std::sqrt((px - u) * (px - u) + (py - v) * (py - v));
      if (d < out.f1) {
        out.f2 = out.f1;
        out.f1 = d;
        out.id = Hash32(wx, wy, seed + 77u);
        out.px = px;
        out.py = py;
      } else if (d < out.f2) {
        out.f2 = d;
      }
    }
  }
  return out;
}

uint32_t Rng::Next() {
  // xorshift32 over a scrambled state, never zero.
  uint32_t x = state_ ? state_ : 0x6D2B79F5u;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  state_ = x;
  return x * 0x9E3779BBu;
}

}  // namespace torvel::forge
