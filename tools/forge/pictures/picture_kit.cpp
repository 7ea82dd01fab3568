#include "forge/pictures/picture_kit.h"

#include <algorithm>
#include <cmath>

#include "forge/paint/glyph_raster.h"
#include "forge/paint/noise.h"
#include "forge/palette.h"

namespace torvel::forge {

void Sky(ShadeImage& img, int y0, int y1, int ramp, double top, double bottom) {
  for (int y = y0; y <= y1; ++y) {
    double t = y1 > y0 ? static_cast<double>(y - y0) / (y1 - y0) : 0;
    for (int x = 0; x < img.width(); ++x) img.Set(x, y, ramp, Lerp(top, bottom, t));
  }
}

void SkyBlend(ShadeImage& img, int y0, int y1, int topRamp, double top, int bottomRamp,
              double bottom, double mixFrom) {
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (int y = y0; y <= y1; ++y) {
    double t = y1 > y0 ? static_cast<double>(y - y0) / (y1 - y0) : 0;
    double mix = Clamp01((t - mixFrom) / std::max(0.05, 1 - mixFrom));
    for (int x = 0; x < img.width(); ++x) {
      bool lower = (kBayer[y & 3][x & 3] + 0.5) / 16.0 < mix;
      img.Set(x, y, lower ? bottomRamp : topRamp, Lerp(top, bottom, t));
    }
  }
}

void Stars(ShadeImage& img, int y0, int y1, int count, uint32_t seed) {
  Rng rng(seed);
  for (int k = 0; k < count; ++k) {
    int x = rng.Below(img.width()), y = y0 + rng.Below(std::max(1, y1 - y0));
    double b = rng.Range(14, 30);
    img.Set(x, y, kGrey, b);
    if (b > 26) {  // the brightest twinkle in a small cross
      img.Set(x - 1, y, kGrey, b - 10);
      img.Set(x + 1, y, kGrey, b - 10);
      img.Set(x, y - 1, kGrey, b - 10);
      img.Set(x, y + 1, kGrey, b - 10);
    }
  }
}

void Moon(ShadeImage& img, double cx, double cy, double r) {
  Material m;
  m.ramp = kIce;
  m.dark = 10;
  m.lit = 29;
  m.ambient = 0.35;
  m.grain = 1.5;
  m.grainScale = r / 4;
  Ellipsoid(img, cx, cy, r, r, m);
  Halo(img, cx, cy, r * 2.6, 4);
}

void Ridge(ShadeImage& img, double baseY, double height, double roughness, int ramp, double shade,
           uint32_t seed, bool sharp) {
  for (int x = 0; x < img.width(); ++x) {
    double n = Fbm(x / (80.0 / roughness), 0.5, 0, 0, 4, seed);
    if (sharp) n = 1 - std::fabs(n - 0.5) * 2;
    double top = baseY - height * n;
    for (int y = static_cast<int>(std::max(0.0, std::floor(top))); y < img.height(); ++y) {
      double depth = (y - top) / std::max(1.0, img.height() - top);
      double s =
          shade - depth * shade * 0.6 + 1.5 * (Fbm(x / 9.0, y / 9.0, 0, 0, 2, seed + 1) - 0.5);
      if (y - top < 1.5) s += 2;  // the ridge line catches the sky's light
      img.Set(x, y, ramp, s);
    }
  }
}

void CastleSilhouette(ShadeImage& img, double x0, double baseY, double s, int ramp, double shade,
                      bool litWindows) {
  auto box = [&](double x, double w, double h) {
    for (int y = static_cast<int>(baseY - h * s); y < static_cast<int>(baseY); ++y)
      for (int x1 = static_cast<int>(x0 + x * s); x1 < static_cast<int>(x0 + (x + w) * s); ++x1)
        img.Set(x1, y, ramp, shade);
  };
  auto crenels = [&](double x, double w, double h) {
    for (double c = x; c < x + w - 1; c += 4) box(c, 2, h + 3);
  };
  auto roof = [&](double x, double w, double h) {
    double apexX = x0 + (x + w / 2) * s, apexY = baseY - (h + w * 1.3) * s;
    std::vector<Vec2> tri = {
        {x0 + (x - 1) * s, baseY - h * s}, {apexX, apexY}, {x0 + (x + w + 1) * s, baseY - h * s}};
    Material m;
    m.ramp = ramp;
    m.dark = shade;
    m.lit = shade;
    Polygon(img, tri, m, {0, 0, 1});
  };
  box(0, 100, 30);  // the curtain wall
  crenels(0, 100, 30);
  box(10, 14, 55);  // towers
  roof(10, 14, 55);
  box(76, 14, 55);
  roof(76, 14, 55);
  box(38, 24, 75);  // the keep
  crenels(38, 24, 75);
  box(44, 12, 95);
  roof(44, 12, 95);
  if (litWindows) {
    const double windows[][2] = {{16, 40}, {82, 40}, {48, 60}, {54, 60},
                                 {49, 85}, {30, 18}, {66, 18}};
    for (const auto& w : windows)
      for (int y = 0; y < static_cast<int>(4 * s); ++y)
        for (int x = 0; x < static_cast<int>(2 * s); ++x)
          img.Set(static_cast<int>(x0 + w[0] * s) + x, static_cast<int>(baseY - w[1] * s) + y,
                  kGold, 26);
  }
}

void Halo(ShadeImage& img, double cx, double cy, double radius, double strength, int rampOverride) {
  for (int y = static_cast<int>(cy - radius); y <= static_cast<int>(cy + radius); ++y)
    for (int x = static_cast<int>(cx - radius); x <= static_cast<int>(cx + radius); ++x) {
      if (!img.Painted(x, y)) continue;
      double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / radius;
      if (d >= 1) continue;
      double add = strength * (1 - d) * (1 - d);
      if (rampOverride >= 0 && add > 2)
        img.Set(x, y, rampOverride, img.ShadeAt(x, y) + add);
      else
        img.AddShade(x, y, add);
    }
}

Mask LetteringMask(const std::u32string& text, const char* face, int size) {
  GlyphFace f(DejaVuPath(face), size);
  return RenderText(f, text, size / 12).ToMask(120);
}

void Lettering(ShadeImage& img, const std::u32string& text, const char* face, int size, double cx,
               double y, const Material& body, int rimRamp) {
  Mask letters = LetteringMask(text, face, size);
  int x0 = letters.width, x1 = -1, y0 = letters.height;
  for (int yy = 0; yy < letters.height; ++yy)
    for (int xx = 0; xx < letters.width; ++xx)
      if (letters.At(xx, yy)) {
        x0 = std::min(x0, xx);
        x1 = std::max(x1, xx);
        y0 = std::min(y0, yy);
      }
  if (x1 < 0) return;
  int ox = static_cast<int>(cx - (x0 + x1 + 1) / 2.0), oy = static_cast<int>(y) - y0;
  int rimWidth = std::max(1, size / 24);
  Mask rim = Grow(letters, rimWidth);
  for (int yy = 0; yy < rim.height; ++yy)
    for (int xx = 0; xx < rim.width; ++xx)
      if (rim.At(xx, yy))
        img.Set(ox + xx + rimWidth + 1, oy + yy + rimWidth + 1, kGrey, 1);  // shadow
  Material rimMat;
  rimMat.ramp = rimRamp;
  rimMat.dark = 2;
  rimMat.lit = 9;
  PaintBevelled(img, rim, ox, oy, 1.5, rimMat);
  PaintBevelled(img, letters, ox, oy, std::max(1.5, size / 20.0), body);
}

}  // namespace torvel::forge
