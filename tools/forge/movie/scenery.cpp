#include "forge/movie/scenery.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "forge/art/motifs.h"
#include "forge/paint/noise.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge {

namespace {

void Dot(Picture& p, int x, int y, int ramp, double shade) {
  if (p.Inside(x, y)) p.Set(x, y, QuantizeShade(ramp, shade, x, y, 0.6));
}

// The pixel's shade moved by delta in whatever ramp it has.
void Lift(Picture& p, int x, int y, double delta) {
  if (!p.Inside(x, y)) return;
  uint8_t v = p.At(x, y);
  if (v == 0) return;
  p.Set(x, y, QuantizeShade(RampOf(v), ShadeOf(v) + delta, x, y, 0.6));
}

}  // namespace

void Gradient(Picture& p, int top, int bottom, int ramp, double shadeTop, double shadeBottom) {
  for (int y = std::max(top, 0); y < std::min(bottom, p.height()); ++y) {
    double f = bottom > top + 1 ? static_cast<double>(y - top) / (bottom - 1 - top) : 0.0;
    double shade = Lerp(shadeTop, shadeBottom, f);
    for (int x = 0; x < p.width(); ++x) p.Set(x, y, QuantizeShade(ramp, shade, x, y, 0.8));
  }
}

void SkyBlend(Picture& p, int top, int bottom, int rampTop, double shadeTop, int rampBottom,
              double shadeBottom) {
  // 4 x 4 ordered thresholds.
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (int y = std::max(top, 0); y < std::min(bottom, p.height()); ++y) {
    double f = bottom > top + 1 ? static_cast<double>(y - top) / (bottom - 1 - top) : 0.0;
    double shade = Lerp(shadeTop, shadeBottom, f);
    // The hue turns over the middle half only.
    double mix = SmoothStep(0.25, 0.75, f);
    for (int x = 0; x < p.width(); ++x) {
      bool lower = (kBayer[y & 3][x & 3] + 0.5) / 16.0 < mix;
      p.Set(x, y, QuantizeShade(lower ? rampBottom : rampTop, shade, x, y, 0.8));
    }
  }
}

void Stars(Picture& p, int count, int maxY, uint32_t seed, int frame) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(p.width());
    int y = rng.Below(std::max(maxY, 1));
    double bright = rng.Range(14, 30);
    double twinkle = rng.Range(0, 6.28);
    double b = bright - 5.0 * (0.5 + 0.5 * Sin(twinkle + frame * 0.31));
    Dot(p, x, y, kGrey, b);
    if (bright > 27) {  // the brightest get a small cross
      Dot(p, x - 1, y, kGrey, b - 8);
      Dot(p, x + 1, y, kGrey, b - 8);
      Dot(p, x, y - 1, kGrey, b - 8);
      Dot(p, x, y + 1, kGrey, b - 8);
    }
  }
}

void Moon(Picture& p, double cx, double cy, double r) {
  p.Light(cx, cy, r * 3.2, 5.0);
  for (int y = static_cast<int>(cy - r) - 1; y <= cy + r + 1; ++y) {
    for (int x = static_cast<int>(cx - r) - 1; x <= cx + r + 1; ++x) {
      double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
      double d2 = dx * dx + dy * dy;
      if (d2 > 1.0) continue;
      double seas = Fbm(x * 0.12, y * 0.12, 0, 0, 3, 77);
      double shade = 29 - 6 * d2 - (seas > 0.55 ? 5 : 0);
      Dot(p, x, y, kIce, shade);
    }
  }
}

void Sun(Picture& p, double cx, double cy, double r, double glow) {
  p.Light(cx, cy, r * 8, glow, kGold);
  p.Light(cx, cy, r * 3, glow * 0.8, kGold);
  for (int y = static_cast<int>(cy - r) - 1; y <= cy + r + 1; ++y)
    for (int x = static_cast<int>(cx - r) - 1; x <= cx + r + 1; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= r * r) Dot(p, x, y, kGold, 31);
    }
}

Clouds::Clouds(int top, int bottom, double cover, uint32_t seed) : top_(top), bottom_(bottom) {
  const int width = kMovieWidth * 2;
  density_.assign(static_cast<size_t>(width) * std::max(0, bottom - top), 0.0f);
  for (int y = top; y < bottom; ++y) {
    double edge = std::min(1.0, std::min(y - top, bottom - y) / 12.0);
    for (int x = 0; x < width; ++x) {
      // 8 lattice cells across the strip, so the noise wraps with it.
      double n = Fbm(x * 8.0 / width, y * 0.035, 8, 0, 4, seed);
      double c = SmoothStep(1.0 - cover, 1.0 - cover + 0.25, n) * edge;
      density_[static_cast<size_t>(y - top) * width + x] = static_cast<float>(c);
    }
  }
}

void Clouds::Draw(Picture& p, double amount, double speed, int frame) const {
  const int width = kMovieWidth * 2;
  int shift = static_cast<int>(std::floor(frame * speed));
  for (int y = std::max(top_, 0); y < std::min(bottom_, p.height()); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      int sx = ((x - shift) % width + width) % width;
      double c = density_[static_cast<size_t>(y - top_) * width + sx];
      if (c > 0.02) Lift(p, x, y, amount * c);
    }
  }
}

ShadeImage Ridge(double baseY, double amplitude, double wavelength, int ramp, double shadeTop,
                 double shadeBottom, uint32_t seed) {
  ShadeImage img(kMovieWidth, kMovieHeight);
  for (int x = 0; x < img.width(); ++x) {
    double u = x / wavelength;
    double sky = baseY - amplitude * (Fbm(u, 0.5, 0, 0, 4, seed) - 0.5) * 2.0;
    int top = static_cast<int>(std::floor(sky));
    for (int y = std::max(top, 0); y < img.height(); ++y) {
      double depth = (y - sky) / std::max(1.0, img.height() - sky);
      double grain = (Fbm(x * 0.08, y * 0.16, 0, 0, 2, seed + 9) - 0.5) * 2.0;
      // The crest catches the light.
      double rim = y - sky < 1.5 ? 2.0 : 0.0;
      img.Set(x, y, ramp, Lerp(shadeTop, shadeBottom, depth) + grain + rim);
    }
  }
  return img;
}

void Water(Picture& p, int top, int bottom, int ramp, double shade, int frame, double flow) {
  for (int y = std::max(top, 0); y < std::min(bottom, p.height()); ++y) {
    double depth = static_cast<double>(y - top) / std::max(1, bottom - top);
    // Nearer ripples are bigger and move faster.
    double scale = 0.6 + 1.4 * depth;
    for (int x = 0; x < p.width(); ++x) {
      double u = (x / scale + frame * flow * scale) * 0.05;
      double v = y * 0.5 / scale;
      double n =
          ValueNoise(u, v, 0, 0, 311) * 0.65 + ValueNoise(u * 2.3, v * 1.7, 0, 0, 312) * 0.35;
      double s = shade + 3 * depth + (n - 0.5) * 7;
      if (n > 0.78) s += 8;  // a glint
      Dot(p, x, y, ramp, s);
    }
  }
}

void Lava(Picture& p, int top, int bottom, int frame) {
  for (int y = std::max(top, 0); y < std::min(bottom, p.height()); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      double u = x * 0.07 + frame * 0.03, v = y * 0.14 - frame * 0.012;
      double warp = Fbm(u * 0.5, v * 0.5 + frame * 0.01, 0, 0, 3, 98);
      CellSample c = Cells(u + warp, v + warp * 0.5, 0, 0, 99);
      // Thin bright seams between dark crusts, the whole churning.
      double seam = 1.0 - SmoothStep(0.0, 0.18, c.f2 - c.f1);
      double glow = Fbm(u * 0.8 - frame * 0.01, v * 0.8, 0, 0, 3, 97);
      double s = 8 + 10 * glow + 14 * seam;
      Dot(p, x, y, s > 25 ? kGold : kRed, s > 25 ? s - 3 : s);
    }
  }
}

void Conifer(Picture& p, double x, double groundY, double height, int ramp, double shade,
             uint32_t seed) {
  double width = height * 0.42;
  for (int y = static_cast<int>(groundY - height); y < groundY; ++y) {
    double t = (y - (groundY - height)) / height;  // 0 tip .. 1 foot
    // Tiers of boughs: the outline swells and pulls in four times.
    double tier = t * 4.0 - std::floor(t * 4.0);
    double half = width * 0.5 * (0.15 + 0.85 * t) * (0.75 + 0.25 * tier);
    double jag = (HashUnit(static_cast<int>(y), 0, seed) - 0.5) * 2.0;
    for (int xx = static_cast<int>(x - half - 1); xx <= x + half + 1; ++xx) {
      if (std::fabs(xx + 0.5 - x) > half + jag) continue;
      double lit = (x - xx) / (half + 1) * 2.0;  // lit from the left
      Dot(p, xx, y, ramp, shade + lit + (tier < 0.15 ? -1.5 : 0));
    }
  }
  for (int y = static_cast<int>(groundY); y < groundY + height * 0.08; ++y)
    for (int xx = static_cast<int>(x - 1); xx <= x + 1; ++xx) Dot(p, xx, y, kBrown, shade - 1);
}

void LeafyTree(Picture& p, double x, double groundY, double height, int ramp, double shade,
               uint32_t seed) {
  double trunkTop = groundY - height * 0.45;
  for (int y = static_cast<int>(trunkTop); y < groundY; ++y) {
    double half = 2.0 + (y - trunkTop) / height * 5.0;
    for (int xx = static_cast<int>(x - half); xx <= x + half; ++xx)
      Dot(p, xx, y, kBrown, shade + (xx < x ? 1 : -1));
  }
  double cy = groundY - height * 0.62, r = height * 0.38;
  for (int y = static_cast<int>(cy - r * 1.1); y <= cy + r; ++y) {
    for (int xx = static_cast<int>(x - r * 1.3); xx <= x + r * 1.3; ++xx) {
      double dx = (xx + 0.5 - x) / (r * 1.25), dy = (y + 0.5 - cy) / r;
      double lumps = Fbm(xx * 0.09, y * 0.09, 0, 0, 3, seed);
      if (dx * dx + dy * dy > 0.55 + 0.6 * lumps) continue;
      double lit = -dx * 2.5 - dy * 2.5 + (lumps - 0.5) * 6;
      Dot(p, xx, y, ramp, shade + lit);
    }
  }
}

void Castle(Picture& p, double cx, double groundY, double scale, int ramp, double shade,
            bool litWindows, int frame) {
  struct Part {
    double x, w, h;  // centre offset, width, height (in scale units)
    bool roof;       // a pointed roof rather than battlements
  };
  const Part parts[] = {{-36, 12, 34, true}, {-20, 26, 22, false}, {0, 20, 48, true},
                        {20, 26, 22, false}, {36, 12, 30, true},   {-8, 6, 58, true}};
  auto fill = [&](double x0, double x1, double y0, double y1, double s) {
    for (int y = static_cast<int>(y0); y < y1; ++y)
      for (int x = static_cast<int>(x0); x < x1; ++x) Dot(p, x, y, ramp, s);
  };
  for (const Part& part : parts) {
    double left = cx + (part.x - part.w / 2) * scale, right = cx + (part.x + part.w / 2) * scale;
    double top = groundY - part.h * scale;
    fill(left, right, top, groundY, shade);
    if (part.roof) {
      double peak = part.w * 0.9 * scale;
      for (int y = static_cast<int>(top - peak); y < top; ++y) {
        double half = (y - (top - peak)) / peak * (right - left) / 2 + 1;
        fill(cx + part.x * scale - half, cx + part.x * scale + half, y, y + 1, shade - 1);
      }
    } else {
      for (double x = left; x < right - 1; x += 4 * scale)
        fill(x, x + 2 * scale, top - 3 * scale, top, shade);
    }
    if (!litWindows) continue;
    for (double y = top + 6 * scale; y < groundY - 8 * scale; y += 10 * scale) {
      for (double x = left + 3 * scale; x < right - 4 * scale; x += 7 * scale) {
        uint32_t h = Hash32(static_cast<int>(x), static_cast<int>(y), 5);
        if (h % 3 != 0) continue;
        double flicker = 24 + 4 * Sin(frame * 0.4 + (h % 97));
        fill(x, x + 2 * scale, y, y + 3 * scale, 0);
        for (int yy = static_cast<int>(y); yy < y + 3 * scale; ++yy)
          for (int xx = static_cast<int>(x); xx < x + 2 * scale; ++xx)
            Dot(p, xx, yy, kGold, flicker);
      }
    }
  }
}

void CaveRoof(Picture& p, double roofY, uint32_t seed) {
  for (int x = 0; x < p.width(); ++x) {
    double base = roofY * 0.55 + roofY * 0.25 * Fbm(x * 0.03, 0.3, 0, 0, 3, seed);
    // Stalactites: narrow points where a hash picks a column.
    double drip = 0;
    for (int k = -6; k <= 6; ++k) {
      int col = x / 13 * 13 + k * 13;
      double h = HashUnit(col, 1, seed);
      if (h < 0.45) continue;
      double cxp = col + 6.5, len = roofY * 0.55 * h;
      double w = 2.5 + 3.5 * h;
      double d = std::fabs(x + 0.5 - cxp);
      if (d < w) drip = std::max(drip, len * (1.0 - d / w));
    }
    double bottom = base + drip;
    for (int y = 0; y < bottom && y < p.height(); ++y) {
      double grain = (Fbm(x * 0.15, y * 0.15, 0, 0, 2, seed + 1) - 0.5) * 5;
      double s = 4 + 6 * (y / std::max(bottom, 1.0)) + grain;
      Dot(p, x, y, kBrown, s);
    }
  }
}

ShadeImage CaveFloor(double floorY, uint32_t seed) {
  ShadeImage img(kMovieWidth, kMovieHeight);
  for (int x = 0; x < img.width(); ++x) {
    double top = floorY - 10 * Fbm(x * 0.04, 2.5, 0, 0, 3, seed);
    for (int y = std::max(0, static_cast<int>(top)); y < img.height(); ++y) {
      double grain = (Fbm(x * 0.12, y * 0.12, 0, 0, 3, seed + 2) - 0.5) * 6;
      double s =
          9 - 4 * (y - top) / std::max(1.0, img.height() - top) + grain + (y - top < 1.5 ? 3 : 0);
      img.Set(x, y, kBrown, s);
    }
  }
  return img;
}

void Reeds(Picture& p, double y, int count, double height, int ramp, uint32_t seed, int frame) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    double x = rng.Range(0, p.width());
    double h = height * rng.Range(0.6, 1.2);
    double phase = rng.Range(0, 6.28);
    double base = y + rng.Range(-3, 3);
    double shade = rng.Range(8, 16);
    for (int k = 0; k < h; ++k) {
      double t = k / h;
      double sway = 2.5 * t * t * Sin(frame * 0.12 + phase);
      Dot(p, static_cast<int>(x + sway), static_cast<int>(base - k), ramp, shade + 6 * t);
    }
    if (rng.Below(3) == 0) {  // a bulrush head
      double sway = 2.5 * Sin(frame * 0.12 + phase);
      for (int k = 0; k < 4; ++k)
        Dot(p, static_cast<int>(x + sway), static_cast<int>(base - h - k), kBrown, 7);
    }
  }
}

void Torch(Picture& p, double x, double y, int frame) {
  p.Light(x, y - 4, 40, 6, kBrown);
  for (int yy = 0; yy < 10; ++yy)
    for (int xx = -1; xx <= 1; ++xx)
      Dot(p, static_cast<int>(x) + xx, static_cast<int>(y) + yy, kBrown, 6);
  double flick = HashUnit(frame, static_cast<int>(x), 17);
  double h = 7 + 3 * flick;
  for (int yy = 0; yy < h; ++yy) {
    double t = yy / h;
    double half = 3.0 * (1.0 - t) * (0.8 + 0.4 * flick);
    for (int xx = static_cast<int>(-half); xx <= half; ++xx) {
      double s = 31 - 10 * t - std::fabs(xx) * 2;
      Dot(p, static_cast<int>(x) + xx, static_cast<int>(y) - yy, s > 24 ? kGold : kRed, s);
    }
  }
}

SwordPieces UprightSwordPieces(double scale) {
  SwordPieces pieces;
  for (int piece = 0; piece < 4; ++piece) {
    double length = (SwordPieceEnd(piece) - SwordPieceStart(piece)) * scale;
    int margin = static_cast<int>(std::ceil(16 * scale));
    pieces.image[piece] = ShadeImage(4 * margin, static_cast<int>(length) + margin);
    Vec2 foot = {2.0 * margin, pieces.image[piece].height() - margin / 2.0};
    PaintSwordPiece(pieces.image[piece], foot, piece, scale, 0.0);
    pieces.middle[piece] = {foot.x, foot.y - length / 2};
  }
  return pieces;
}

void Bird(Picture& p, double x, double y, int frame) {
  int up = (frame / 2) % 2;
  int bx = static_cast<int>(x), by = static_cast<int>(y);
  uint8_t ink = forge::Shade(kGrey, 3);
  for (int k = 1; k <= 3; ++k) {
    int dy = up ? -(k / 2) : (k == 3 ? 1 : 0);
    p.Set(bx - k, by + dy, ink);
    p.Set(bx + k, by + dy, ink);
  }
  p.Set(bx, by, ink);
}

void Motes(Picture& p, int count, int ramp, uint32_t seed, int frame, int top, int bottom) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    double x0 = rng.Range(0, p.width()), y0 = rng.Range(top, bottom);
    double speed = rng.Range(0.2, 0.8), phase = rng.Range(0, 6.28);
    double span = bottom - top;
    double y = y0 - frame * speed;
    y = top + (y - top) - span * std::floor((y - top) / span);
    double x = x0 + 6 * Sin(frame * 0.05 + phase);
    double glow = 22 + 8 * Sin(frame * 0.2 + phase * 3);
    Dot(p, static_cast<int>(x), static_cast<int>(y), ramp, glow);
    Lift(p, static_cast<int>(x) + 1, static_cast<int>(y), 4);
    Lift(p, static_cast<int>(x) - 1, static_cast<int>(y), 4);
    Lift(p, static_cast<int>(x), static_cast<int>(y) + 1, 4);
    Lift(p, static_cast<int>(x), static_cast<int>(y) - 1, 4);
  }
}

}  // namespace torvel::forge
