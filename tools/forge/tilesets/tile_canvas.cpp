#include "forge/tilesets/tile_canvas.h"

#include <cmath>

#include "forge/paint/noise.h"
#include "forge/palette.h"

namespace torvel::forge {

void TilesetCanvas::Fill(int tile, const Surface& surface) {
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) Set(tile, x, y, surface(x + 0.5, y + 0.5));
}

void TilesetCanvas::Over(int tile, const TilePainter& painter) {
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) {
      Px px = Painted(tile, x, y) ? Get(tile, x, y) : Px{};
      if (painter(x + 0.5, y + 0.5, px)) Set(tile, x, y, px);
    }
}

void TilesetCanvas::Set(int tile, int x, int y, Px px) {
  if (x < 0 || y < 0 || x >= 32 || y >= 24) return;
  img_.Set(TileX(tile) + x, TileY(tile) + y, px.ramp, px.shade);
}

bool TilesetCanvas::Painted(int tile, int x, int y) const {
  return img_.Painted(TileX(tile) + x, TileY(tile) + y);
}

Px TilesetCanvas::Get(int tile, int x, int y) const {
  return {img_.RampAt(TileX(tile) + x, TileY(tile) + y),
          img_.ShadeAt(TileX(tile) + x, TileY(tile) + y)};
}

void TilesetCanvas::Copy(int from, int to) {
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) {
      if (Painted(from, x, y))
        Set(to, x, y, Get(from, x, y));
      else
        img_.Erase(TileX(to) + x, TileY(to) + y);
    }
}

void TilesetCanvas::Pebble(int tile, double cx, double cy, double r, int ramp, double lit) {
  Over(tile, [&](double x, double y, Px& px) {
    double dx = (x - cx) / r, dy = (y - cy) / (r * 0.8);
    double d2 = dx * dx + dy * dy;
    if (d2 > 1.35) return false;
    if (d2 > 1) {
      // The pebble's shadow falls to the lower right.
      if (dx + dy > 0.3) {
        px.shade -= 3;
        return true;
      }
      return false;
    }
    px = {ramp, lit - (dx + dy) * 3 - d2 * 2};
    return true;
  });
}

void TilesetCanvas::Tuft(int tile, double x0, double footY, double height, int ramp, double lit) {
  for (int k = -1; k <= 1; ++k) {
    double lean = k * 0.45;
    for (double t = 0; t < height; t += 0.5) {
      int x = static_cast<int>(std::floor(x0 + k * 1.2 + lean * t));
      int y = static_cast<int>(std::floor(footY - t));
      Set(tile, x, y, {ramp, lit - 4 + 6 * t / height});
    }
  }
}

void TilesetCanvas::Crack(int tile, Vec2 a, Vec2 b, uint32_t seed, double shade) {
  Rng rng(seed);
  Vec2 p = a;
  int steps = 6;
  for (int i = 1; i <= steps; ++i) {
    double t = static_cast<double>(i) / steps;
    Vec2 q{Lerp(a.x, b.x, t) + (i < steps ? rng.Range(-2, 2) : 0),
           Lerp(a.y, b.y, t) + (i < steps ? rng.Range(-1.5, 1.5) : 0)};
    double len = std::max(std::fabs(q.x - p.x), std::fabs(q.y - p.y));
    for (double s = 0; s <= len; s += 0.5) {
      double u = len > 0 ? s / len : 0;
      int x = static_cast<int>(std::floor(Lerp(p.x, q.x, u)));
      int y = static_cast<int>(std::floor(Lerp(p.y, q.y, u)));
      if (x >= 0 && y >= 0 && x < 32 && y < 24 && Painted(tile, x, y)) {
        Px px = Get(tile, x, y);
        Set(tile, x, y, {px.ramp, shade});
        if (x + 1 < 32 && Painted(tile, x + 1, y)) {
          Px r = Get(tile, x + 1, y);
          Set(tile, x + 1, y, {r.ramp, r.shade + 2});  // the crack's lit lip
        }
      }
    }
    p = q;
  }
}

std::vector<uint8_t> TilesetCanvas::Pixels(double dither) const {
  std::vector<uint8_t> out = Quantize(img_, dither);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      uint8_t& v = out[static_cast<size_t>(y) * 640 + x];
      if (img_.Painted(x, y) && v == 0) v = 1;
    }
  return out;
}

double SideBump(double t, double len, uint32_t seed) {
  double u = t / len;
  double a1 = HashUnit(1, 0, seed) - 0.5, a2 = HashUnit(2, 0, seed) - 0.5,
         a3 = HashUnit(3, 0, seed) - 0.5;
  double v = 1.2 * a1 * Sin(kPi * u) + 0.9 * a2 * Sin(2 * kPi * u) + 0.7 * a3 * Sin(3 * kPi * u) +
             0.35 * Sin(7 * kPi * u);
  return ClampTo(v, -1, 1);
}

}  // namespace torvel::forge
