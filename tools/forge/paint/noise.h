// Noise for textures: hashed value noise, fractal sums of it and cell
// (Worley) noise, all optionally periodic so that a texture painted on one
// tile meets itself on every side. Fixed seeds only: the same call always
// gives the same value.
#pragma once

#include <cstdint>

namespace torvel::forge {

uint32_t Hash32(int32_t x, int32_t y, uint32_t seed);
// 0 <= value < 1.
double HashUnit(int32_t x, int32_t y, uint32_t seed);

// Smoothly interpolated noise in 0..1 over a lattice with one point per
// whole (u, v). With periodX / periodY above 0 the lattice wraps, so the
// noise repeats every period lattice units.
double ValueNoise(double u, double v, int periodX, int periodY, uint32_t seed);

// Octaves of value noise, each twice as fine and gain times as strong;
// the result is scaled back into 0..1. Periods double with the octaves, so
// a periodic sum stays periodic.
double Fbm(double u, double v, int periodX, int periodY, int octaves, uint32_t seed,
           double gain = 0.5);

// Cell noise: one jittered point per lattice cell; f1 and f2 are the
// distances to the nearest and second nearest point (in lattice units), id a
// hash of the nearest point's cell, (px, py) that point's position.
struct CellSample {
  double f1 = 0, f2 = 0;
  uint32_t id = 0;
  double px = 0, py = 0;
};
CellSample Cells(double u, double v, int periodX, int periodY, uint32_t seed, double jitter = 0.85);

// A small deterministic generator for placing things (stones, stars, sparks).
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
  uint32_t Next();
  // 0 <= value < n (n > 0).
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  // lo <= value < hi.
  double Range(double lo, double hi) { return lo + (hi - lo) * (Next() >> 8) / 16777216.0; }

 private:
  uint32_t state_;
};

}  // namespace torvel::forge
