#include "forge/palette.h"

namespace torvel::forge {

namespace {

constexpr Rgb kBases[kRampCount] = {
    {255, 255, 255},  // grey: a straight line from black to white
    {70, 190, 60},    // green
    {170, 120, 70},   // earth brown
    {60, 110, 230},   // blue
    {220, 40, 30},    // red
    {245, 180, 40},   // gold
    {160, 70, 210},   // violet
    {110, 210, 235},  // ice cyan
};

// Shades 0..20 run from black to the base, 21..31 from the base 70 % of
// the way to white. Integer maths with rounding, so that every build makes
// the same bytes.
uint8_t Channel(int base, int shade) {
  if (shade <= 20) return static_cast<uint8_t>((base * shade + 10) / 20);
  int room = 255 - base;
  return static_cast<uint8_t>(base + (room * 7 * (shade - 20) + 55) / 110);
}

std::array<Rgb, 256> BuildPalette() {
  std::array<Rgb, 256> colours{};
  for (int s = 0; s < kShadeCount; ++s) {
    uint8_t v = static_cast<uint8_t>((255 * s + 15) / 31);
    colours[s] = {v, v, v};
  }
  for (int r = 1; r < kRampCount; ++r) {
    for (int s = 0; s < kShadeCount; ++s) {
      colours[r * 32 + s] = {Channel(kBases[r].r, s), Channel(kBases[r].g, s),
                             Channel(kBases[r].b, s)};
    }
  }
  return colours;
}

int Distance(Rgb a, Rgb b) {
  int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  // Green weighs most, blue least, roughly as the eye does.
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

Rgb RampBase(int ramp) {
  return kBases[ramp & 7];
}

const std::array<Rgb, 256>& GamePalette() {
  static const std::array<Rgb, 256> palette = BuildPalette();
  return palette;
}

std::array<uint8_t, 1024> GamePaletteBgrx() {
  std::array<uint8_t, 1024> out{};
  const auto& p = GamePalette();
  for (int i = 0; i < 256; ++i) {
    out[i * 4 + 0] = p[i].b;
    out[i * 4 + 1] = p[i].g;
    out[i * 4 + 2] = p[i].r;
    out[i * 4 + 3] = 0;
  }
  return out;
}

uint8_t NearestShade(int ramp, Rgb colour) {
  return NearestColour(colour, 1u << (ramp & 7));
}

uint8_t NearestColour(Rgb colour, unsigned rampMask) {
  const auto& p = GamePalette();
  int best = 0;
  int bestDistance = -1;
  for (int v = 0; v < 256; ++v) {
    if (!(rampMask & (1u << (v >> 5)))) continue;
    int d = Distance(colour, p[v]);
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = v;
    }
  }
  return static_cast<uint8_t>(best);
}

}  // namespace torvel::forge
