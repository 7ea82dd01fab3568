#include "forge/tilesets/tile_materials.h"

#include <cmath>

#include "forge/paint/noise.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge {

namespace {

// Noise that repeats with the tile: cell must divide 32 and 24.
double PNoise(double x, double y, int cell, uint32_t seed, int octaves = 3) {
  return Fbm(x / cell, y / cell, 32 / cell, 24 / cell, octaves, seed);
}

CellSample PCells(double x, double y, int cell, uint32_t seed, double jitter = 0.8) {
  return Cells(x / cell, y / cell, 32 / cell, 24 / cell, seed, jitter);
}

// A hash of the pixel, repeating with the tile.
double PHash(double x, double y, uint32_t seed) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  ix = ((ix % 32) + 32) % 32;
  iy = ((iy % 24) + 24) % 24;
  return HashUnit(ix, iy, seed);
}

// Every surface repeats with the tile: whatever a surface computes, it
// computes it for the point's place inside its tile.
void WrapIntoTile(double& x, double& y) {
  x = std::fmod(x, 32.0);
  if (x < 0) x += 32;
  y = std::fmod(y, 24.0);
  if (y < 0) y += 24;
}

uint32_t ThemeSeed(Theme t) {
  return 1000u + 97u * static_cast<uint32_t>(t);
}

// Grass: a shared low swell of light and dark, and blades three pixels
// long whose tips catch the light, each with a shade under it; the variant
// only moves the blades, so all variants join.
Px Grass(double x, double y, int variant, uint32_t seed, double base, double swing) {
  double g = PNoise(x, y, 8, seed);
  double shade = base + swing * g;
  uint32_t bladeSeed = seed + 17u * static_cast<uint32_t>(variant);
  double cellY = std::floor(y / 3) * 3;
  double within = y - cellY;  // 0..3 inside the blade's cell
  if (PHash(x, cellY, bladeSeed) > 0.78) shade += within < 1 ? 3.5 : (within < 2 ? 2 : 0.5);
  if (PHash(x, cellY - 3, bladeSeed) > 0.78 && within < 1) shade -= 2.5;
  if (PHash(x, y, bladeSeed + 3) > 0.9) shade -= 1.5;
  return {kGreen, shade};
}

Px Stones(double x, double y, int cell, uint32_t seed, int ramp, double base, double swing,
          double grout) {
  CellSample c = PCells(x, y, cell, seed);
  double edge = c.f2 - c.f1;
  double stone = base + swing * ((c.id % 1000) / 1000.0) + 1.5 * (PNoise(x, y, 4, seed + 3) - 0.5);
  if (edge < grout) return {ramp, 3 + edge * 10};
  // A bevel: brighter toward the upper left of each stone.
  double dx = x / cell - c.px, dy = y / cell - c.py;
  stone -= (dx + dy) * 2.5;
  if (edge < grout * 1.8) stone -= 1.5;
  return {ramp, stone};
}

}  // namespace

std::string ThemeName(Theme theme) {
  switch (theme) {
    case Theme::kBasic:
      return "basicTiles";
    case Theme::kRiver:
      return "river";
    case Theme::kForest:
      return "forest";
    case Theme::kCastle:
      return "castle";
    case Theme::kUnder:
      return "under";
  }
  return "basicTiles";
}

bool ThemeFromName(const std::string& name, Theme& theme) {
  for (Theme t : {Theme::kBasic, Theme::kRiver, Theme::kForest, Theme::kCastle, Theme::kUnder}) {
    if (ThemeName(t) == name) {
      theme = t;
      return true;
    }
  }
  return false;
}

double FamilySpill(Theme theme) {
  return theme == Theme::kCastle ? 7 : 9;
}
double FamilyRagged(Theme theme) {
  return theme == Theme::kCastle ? 0 : 2.5;
}

Px BaseGround(Theme theme, double x, double y, int variant) {
  WrapIntoTile(x, y);
  uint32_t s = ThemeSeed(theme);
  switch (theme) {
    case Theme::kBasic:
      return Grass(x, y, variant, s, 9, 3);
    case Theme::kRiver:
      return Grass(x, y, variant, s, 11, 3);
    case Theme::kForest: {
      // Deep moss, darker in its hollows, with needles and leaves fallen
      // on it here and there.
      double m = PNoise(x, y, 8, s);
      Px p{kGreen, 4 + 7 * m};
      double h = PHash(x, y, s + 7 + 13u * static_cast<uint32_t>(variant));
      if (h > 0.93)
        p = {kGold, 7 + 4 * m};  // a fallen leaf
      else if (h > 0.86)
        p.shade += 3;
      else if (h < 0.06)
        p.shade -= 2;
      return p;
    }
    case Theme::kCastle: {
      Px p = Stones(x, y, 8, s, kGrey, 9, 5, 0.1);
      if (PHash(x, y, s + 3 + 7u * static_cast<uint32_t>(variant)) > 0.94) p.shade -= 2;
      return p;
    }
    case Theme::kUnder: {
      Px p = Stones(x, y, 8, s, kGrey, 5, 4, 0.08);
      double heat = PNoise(x, y, 8, s + 9);
      if (heat > 0.68) p = {kRed, 2 + (heat - 0.68) * 12};
      if (PHash(x, y, s + 11 + 5u * static_cast<uint32_t>(variant)) > 0.92) p.shade += 1.5;
      return p;
    }
  }
  return {};
}

Px FamilyGround(Theme theme, double x, double y, int variant) {
  WrapIntoTile(x, y);
  uint32_t s = ThemeSeed(theme) + 500;
  double n = PNoise(x, y, 8, s);
  uint32_t fine = s + 31u * static_cast<uint32_t>(variant);
  switch (theme) {
    case Theme::kBasic:
    case Theme::kForest: {
      Px p{kBrown, (theme == Theme::kBasic ? 11 : 8) + 4 * n};
      CellSample c = PCells(x, y, 4, fine, 0.9);
      if (c.f1 < 0.22 && (c.id & 3) == 0) p = {kGrey, 15 - c.f1 * 20};  // a pebble
      if (PHash(x, y, fine) > 0.9) p.shade -= 2;
      return p;
    }
    case Theme::kRiver: {
      double ripple = Sin(kTwoPi * (y / 6 + 0.15 * Sin(kTwoPi * x / 32)));
      Px p{kBrown, 18 + 3 * n + 0.8 * ripple};
      if (PHash(x, y, fine) > 0.88) p.shade += 2;
      if (PHash(x, y, fine + 1) > 0.95) p = {kGrey, 22};  // a bright grain
      return p;
    }
    case Theme::kCastle: {
      // A red carpet woven in fine ribs.
      int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
      double weave = ((ix + iy) & 1) ? 0.6 : -0.6;
      Px p{kRed, 9 + 2 * n + weave};
      if (PHash(x, y, fine) > 0.97) p.shade -= 2;  // wear
      return p;
    }
    case Theme::kUnder: {
      CellSample c = PCells(x, y, 2, fine, 1.0);
      Px p{kGrey, 9 + 3 * n + (c.id % 100) / 40.0 - c.f1 * 3};
      if (PHash(x, y, fine) > 0.96) p = {kRed, 14};  // an ember in the ash
      return p;
    }
  }
  return {};
}

Px Water(Theme theme, double x, double y, int frame) {
  WrapIntoTile(x, y);
  double shift = 8.0 * frame;
  double u = x - shift;
  double n = PNoise(u, y, 8, 71);
  double wave = Sin(kTwoPi * (2 * u / 32 + y / 24 + 0.25 * Sin(kTwoPi * y / 24)));
  double base = theme == Theme::kRiver ? 11 : (theme == Theme::kUnder ? 6 : 9);
  Px p{kBlue, base + 3 * n + 1.5 * wave};
  if (wave > 0.86 && PHash(u, y, 73) > 0.35) p = {kIce, 20 + 6 * (wave - 0.86) / 0.14};
  if (theme == Theme::kForest && n > 0.6) p = {kGreen, 6 + 3 * n};  // murky weed
  return p;
}

Px Lava(double x, double y, int frame) {
  WrapIntoTile(x, y);
  double u = x - 8.0 * frame;
  CellSample c = PCells(u, y, 8, 81, 0.9);
  double edge = c.f2 - c.f1;
  double n = PNoise(u, y, 4, 83);
  if (edge < 0.12) return {kGold, 24 + 6 * (1 - edge / 0.12)};  // glowing seams
  if (edge < 0.22) return {kRed, 20 + 4 * n};
  return {kRed, 8 + 6 * n + ((c.id % 7) == 0 ? 6 : 0)};
}

Px LavaCrust(double x, double y, int variant) {
  WrapIntoTile(x, y);
  CellSample c = PCells(x, y, 8, 91 + variant * 0, 0.9);
  double edge = c.f2 - c.f1;
  double n = PNoise(x, y, 4, 93);
  if (edge < 0.08) return {kRed, 6 + 4 * n};  // a faint glow in the cracks
  Px p{kGrey, 4 + 4 * n - (x / 8 - c.px + y / 8 - c.py) * 1.5};
  if (PHash(x, y, 95 + variant) > 0.95) p.shade += 3;
  return p;
}

Px Ice(double x, double y, int variant) {
  WrapIntoTile(x, y);
  double n = PNoise(x, y, 8, 101);
  Px p{kIce, 16 + 5 * n};
  double streak = std::fmod(x + y * 1.33 + 64, 16.0);
  if (streak < 1.2) p.shade += 5;
  if (variant == 3 && PNoise(x, y, 4, 103) > 0.55) p = {kGrey, 25 + 2 * n};
  return p;
}

Px Mud(double x, double y, int variant) {
  WrapIntoTile(x, y);
  double n = PNoise(x, y, 8, 111);
  double wet = PNoise(x, y, 4, 113 + variant * 0);
  Px p{kBrown, 4 + 4 * n};
  if (wet > 0.64) p = {kGrey, 5 + 5 * (wet - 0.64)};
  if (wet > 0.64 && PHash(x, y, 115 + variant) > 0.9) p.shade += 6;  // a gleam
  if (PHash(x, y, 117 + variant) > 0.93) p.shade -= 1.5;
  return p;
}

Px Snow(double x, double y, int variant) {
  WrapIntoTile(x, y);
  double n = PNoise(x, y, 8, 121);
  Px p{kGrey, 23 + 4 * n};
  if (n < 0.32) p = {kIce, 20 + 6 * n};  // blue in the hollows
  if (PHash(x, y, 123 + variant) > 0.94) p.shade = 30;
  return p;
}

Px Paving(Theme theme, double x, double y, int variant) {
  WrapIntoTile(x, y);
  double bx = std::fmod(x, 16.0), by = std::fmod(y, 12.0);
  int row = static_cast<int>(y / 12);
  if (row % 2) bx = std::fmod(x + 8, 16.0);
  double n = PNoise(x, y, 4, 131 + static_cast<uint32_t>(theme));
  int ramp = theme == Theme::kUnder ? kGrey : (theme == Theme::kRiver ? kBrown : kGrey);
  double base = theme == Theme::kUnder ? 7 : (theme == Theme::kRiver ? 14 : 13);
  if (bx < 1 || by < 1) return {ramp, base - 8};
  double shade = base + 2 * n;
  if (bx < 2 || by < 2) shade += 2;
  if (bx > 14.5 || by > 10.5) shade -= 2;
  if (variant >= 4 && PHash(x, y, 133 + variant) > 0.8) shade -= 2.5;  // wear
  return {ramp, shade};
}

Px IndoorFloor(Theme theme, double x, double y, int variant) {
  WrapIntoTile(x, y);
  if (theme == Theme::kUnder) return Paving(theme, x, y, variant);
  // Planks across, 6 px wide, joints staggered.
  int plank = static_cast<int>(y / 6);
  double along = std::fmod(x + plank * 11, 32.0);
  double grain = PNoise(x * 0.25, y, 8, 141 + plank);
  Px p{kBrown, (theme == Theme::kCastle ? 8 : 11) + 4 * grain};
  if (std::fmod(y, 6.0) < 1) p.shade = 3;
  if (along < 1) p.shade = 4;
  if (variant == 2 && PHash(x, y, 143) > 0.7) p.shade -= 2;  // worn
  return p;
}

Px RoofTop(Theme theme, double x, double y) {
  WrapIntoTile(x, y);
  uint32_t s = ThemeSeed(theme) + 700;
  switch (theme) {
    case Theme::kBasic:
    case Theme::kCastle: {
      double bx = std::fmod(x, 16.0), by = std::fmod(y, 12.0);
      int row = static_cast<int>(y / 12);
      if (row % 2) bx = std::fmod(x + 8, 16.0);
      double n = PNoise(x, y, 4, s);
      double shade = (theme == Theme::kCastle ? 13 : 15) + 3 * n;
      if (bx < 1 || by < 1)
        shade = 5;
      else if (bx < 2.5 || by < 2.5)
        shade += 2.5;
      else if (bx > 14 || by > 10)
        shade -= 2.5;
      if (theme == Theme::kCastle && PNoise(x, y, 8, s + 1) > 0.66) return {kGreen, shade - 5};
      return {kGrey, shade};
    }
    case Theme::kRiver: {
      Px p = Grass(x, y, 3, s, 13, 5);
      if (PNoise(x, y, 8, s + 2) > 0.7) p = {kGrey, 15 + 3 * PNoise(x, y, 2, s + 3)};
      return p;
    }
    case Theme::kForest: {
      // Leaf clumps: each cell a small dome of leaves.
      CellSample c = PCells(x, y, 8, s, 0.9);
      double d = c.f1;
      double dx = x / 8 - c.px, dy = y / 8 - c.py;
      double shade = 14 - d * 10 - (dx + dy) * 4 + 2 * PHash(x, y, s + 5);
      return {kGreen, shade};
    }
    case Theme::kUnder: {
      CellSample c = PCells(x, y, 8, s, 0.9);
      double shade = 8 + 4 * PNoise(x, y, 4, s + 1) - (c.f2 - c.f1 < 0.08 ? 5 : 0);
      return {kGrey, shade};
    }
  }
  return {};
}

Px RoofTop2(Theme theme, double x, double y) {
  WrapIntoTile(x, y);
  uint32_t s = ThemeSeed(theme) + 800;
  switch (theme) {
    case Theme::kCastle: {
      // Blue slate: rows of overlapping slates.
      int row = static_cast<int>(y / 6);
      double along = std::fmod(x + (row % 2) * 4, 8.0);
      double shade = 9 + 3 * PHash(std::floor(x / 8) + row * 5, row, s) - std::fmod(y, 6.0) * 0.6;
      if (along < 1) shade -= 4;
      return {kBlue, shade};
    }
    case Theme::kUnder: {
      CellSample c = PCells(x, y, 8, s, 0.5);
      if (c.f2 - c.f1 < 0.1) return {kGrey, 2};
      return {kGrey, 7 + (c.id % 100) / 30.0 - (x / 8 - c.px + y / 8 - c.py) * 2};
    }
    default: {
      // Wooden shingles, staggered rows, each shingle its own tone.
      int row = static_cast<int>(y / 6);
      double along = std::fmod(x + (row % 2) * 4, 8.0);
      double tone = PHash(std::floor((x + (row % 2) * 4) / 8) * 3 + 1, row * 7 + 2, s);
      double shade = 13 + 4 * tone - std::fmod(y, 6.0) * 0.9;
      if (along < 1) shade -= 4;
      if (theme == Theme::kForest && PNoise(x, y, 8, s + 1) > 0.64) return {kGreen, shade - 4};
      return {kRed, shade - 3};
    }
  }
}

Px WallFace(Theme theme, double x, double y) {
  WrapIntoTile(x, y);
  uint32_t s = ThemeSeed(theme) + 900;
  switch (theme) {
    case Theme::kBasic:
    case Theme::kCastle: {
      // Ashlar: blocks 16 x 8, rows staggered.
      int row = static_cast<int>(y / 8);
      double bx = std::fmod(x + (row % 2) * 8, 16.0), by = std::fmod(y, 8.0);
      double tone = PHash(std::floor((x + (row % 2) * 8) / 16) * 5 + 2, row * 3 + 1, s);
      double shade = (theme == Theme::kCastle ? 10 : 12) + 3 * tone + 2 * PNoise(x, y, 4, s);
      if (bx < 1 || by < 1) return {kGrey, 3};
      if (by < 2) shade += 2;
      if (by > 6.5) shade -= 2;
      if (bx > 14.5) shade -= 1.5;
      return {kGrey, shade};
    }
    case Theme::kRiver:
    case Theme::kForest: {
      // Layered earth and rock.
      double band = Sin(kTwoPi * (y / 8 + 0.1 * Sin(kTwoPi * x / 32))) * 0.5 + 0.5;
      double n = PNoise(x, y, 4, s);
      Px p{band > 0.55 ? kGrey : kBrown, 7 + 5 * n + 2 * band};
      if (theme == Theme::kForest && PNoise(x, y, 8, s + 1) > 0.62) p = {kGreen, 4 + 4 * n};
      if (std::fabs(band - 0.55) < 0.06) p.shade -= 3;
      return p;
    }
    case Theme::kUnder: {
      CellSample c = PCells(x, y, 8, s, 0.9);
      double n = PNoise(x, y, 4, s + 1);
      if (c.f2 - c.f1 < 0.07) return {kRed, 5 + 6 * n};  // hot veins
      return {kGrey, 4 + 5 * n - (x / 8 - c.px + y / 8 - c.py) * 2};
    }
  }
  return {};
}

Px WallFace2(Theme theme, double x, double y) {
  WrapIntoTile(x, y);
  uint32_t s = ThemeSeed(theme) + 950;
  switch (theme) {
    case Theme::kCastle: {
      // Red brick.
      int row = static_cast<int>(y / 4);
      double bx = std::fmod(x + (row % 2) * 4, 8.0);
      double tone = PHash(std::floor((x + (row % 2) * 4) / 8) + 3, row, s);
      if (bx < 1 || std::fmod(y, 4.0) < 1) return {kGrey, 8};
      return {kRed, 9 + 3 * tone};
    }
    case Theme::kUnder: {
      // Basalt columns.
      double col = std::fmod(x, 8.0);
      double shade = 6 + 3 * Sin(kPi * col / 8) + PNoise(x, y, 4, s);
      if (col < 1) shade = 1.5;
      if (std::fabs(std::fmod(y + x * 0.5, 24.0) - 12) < 0.6) shade -= 3;  // a joint
      return {kGrey, shade};
    }
    default: {
      // Plaster between dark timber beams.
      double beam = std::fmod(x, 16.0);
      if (beam < 2.5 || y < 2.5) return {kBrown, 4 + 2 * PNoise(x, y, 2, s)};
      return {kBrown, 21 + 2 * PNoise(x, y, 4, s + 1)};
    }
  }
}

Px CycleFloor(Theme theme, double x, double y, int frame) {
  WrapIntoTile(x, y);
  switch (theme) {
    case Theme::kBasic:
    case Theme::kRiver: {
      // A current: streaks that run along with the water.
      Px p = Water(Theme::kRiver, x, y, 0);
      double u = x - 8.0 * frame;
      double streak = Sin(kTwoPi * (u / 16 + 0.2 * Sin(kTwoPi * y / 24))) * Sin(kTwoPi * y / 12);
      if (streak > 0.7) p = {kIce, 18 + 8 * (streak - 0.7)};
      return p;
    }
    case Theme::kForest: {
      // Swamp: green-brown ooze with bubbles rising and bursting.
      Px p = Mud(x, y, 0);
      if (p.ramp == kGrey) p = {kGreen, 4 + p.shade * 0.5};
      const double bubbles[3][2] = {{8, 7}, {22, 15}, {14, 19}};
      for (int k = 0; k < 3; ++k) {
        int age = (frame + k) % 4;
        double r = 1 + age * 0.9;
        double dx = x - bubbles[k][0], dy = y - bubbles[k][1];
        double d = std::sqrt(dx * dx + dy * dy);
        if (age < 3 && d < r) p = {kGreen, 10 + (r - d) * 3 - (dx + dy) * 0.8};
        if (age == 3 && std::fabs(d - r) < 0.6) p = {kGreen, 12};
      }
      return p;
    }
    case Theme::kCastle: {
      // A rune slab whose carving glows up and fades.
      Px p = Paving(Theme::kCastle, x, y, 0);
      double dx = x - 16, dy = (y - 12) * 1.3;
      double r = std::sqrt(dx * dx + dy * dy);
      double glow = 0.5 + 0.5 * Cos(kTwoPi * frame / 4);
      bool rune = std::fabs(r - 9) < 0.8 ||
                  (r < 9 && (std::fabs(dx) < 0.7 || std::fabs(dy - dx * 0.6) < 0.8));
      if (rune)
        p = {kViolet, 10 + 14 * glow};
      else if (std::fabs(r - 9) < 2.2)
        p.shade += 3 * glow;
      return p;
    }
    case Theme::kUnder: {
      // A boiling pool: bright lava with bursting bubbles.
      Px p = Lava(x, y, frame);
      const double bubbles[2][2] = {{10, 8}, {23, 16}};
      for (int k = 0; k < 2; ++k) {
        int age = (frame + 2 * k) % 4;
        double r = 1.5 + age;
        double dx = x - bubbles[k][0], dy = y - bubbles[k][1];
        if (dx * dx + dy * dy < r * r) p = {kGold, 20.0 + age * 2};
      }
      return p;
    }
  }
  return {};
}

}  // namespace torvel::forge
