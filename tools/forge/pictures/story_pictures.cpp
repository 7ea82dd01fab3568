// The epilogue's background and a picture the worlds can show with a
// special.
#include <algorithm>
#include <cmath>

#include "forge/art/materials.h"
#include "forge/art/motifs.h"
#include "forge/paint/glyph_raster.h"
#include "forge/paint/noise.h"
#include "forge/palette.h"
#include "forge/pictures/picture_kit.h"
#include "forge/pictures/pictures.h"

namespace torvel::forge {

// The hero on a hill at sunrise, the sword raised over the freed land. The
// epilogue darkens this picture one value at a time while its text scrolls,
// so it keeps to values 1..31 of a palette whose first 32 entries climb
// from black to bright (a warm sepia), and entry 255 is the bars' gold.
ScreenPicture EpiloguePicture() {
  ShadeImage img(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      double dx = (x - 400) / 640.0, dy = (y - 300) / 480.0;
      double glow = std::max(0.0, 1 - std::sqrt(dx * dx + dy * dy) * 1.6);
      img.Set(x, y, kGrey, 6 + 20 * glow * glow + 3 * (1 - y / 480.0));
    }
  // Rays of the rising sun.
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 640; ++x) {
      double a = Atan2(y - 300.0, x - 400.0);
      if (std::fabs(Sin(a * 9)) > 0.92) img.AddShade(x, y, 2);
    }
  Disc(img, 400, 300, 34, kGrey, 31);
  Ridge(img, 305, 45, 1.2, kGrey, 13, 81, true);
  CastleSilhouette(img, 120, 300, 0.9, kGrey, 10, false);
  Ridge(img, 350, 40, 1.6, kGrey, 9, 83);
  Ridge(img, 420, 70, 0.8, kGrey, 5, 85);
  // Birds over the valley.
  Rng rng(87);
  for (int k = 0; k < 7; ++k) {
    double x = rng.Range(330, 560), y = rng.Range(150, 240), s = rng.Range(3, 6);
    Line(img, {x - s, y - s * 0.4}, {x, y}, 1.2, kGrey, 4);
    Line(img, {x, y}, {x + s, y - s * 0.4}, 1.2, kGrey, 4);
  }
  // The hero, the sword's blade catching the light.
  Material dark;
  dark.ramp = kGrey;
  dark.dark = 2;
  dark.lit = 3;
  double hx = 210, foot = 398, s = 1.6;
  std::vector<Vec2> cloak = {{hx - 9 * s, foot},          {hx - 6 * s, foot - 30 * s},
                             {hx - 4 * s, foot - 38 * s}, {hx + 4 * s, foot - 38 * s},
                             {hx + 6 * s, foot - 30 * s}, {hx + 12 * s, foot - 2 * s}};
  Polygon(img, cloak, dark, {0, 0, 1});
  Ellipsoid(img, hx, foot - 42 * s, 4.2 * s, 5 * s, dark);
  Capsule(img, {hx + 4 * s, foot - 34 * s}, {hx + 8 * s, foot - 52 * s}, 1.8 * s, 1.6 * s, dark);
  ShadeImage sword(640, 480);
  PaintSword(sword, {hx + 8 * s, foot - 50 * s}, 0.55, TurnZ(0.15), 0xF, 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (sword.Painted(x, y)) img.Set(x, y, kGrey, 10 + sword.ShadeAt(x, y) * 0.6);
  Halo(img, hx + 16, foot - 160, 60, 5);

  ScreenPicture p;
  p.pixels = Quantize(img, 0.6);
  for (uint8_t& v : p.pixels) v = static_cast<uint8_t>(std::clamp<int>(v & 31, 1, 31));
  // Sepia: black through brown and amber to cream.
  const auto& game = GamePaletteBgrx();
  p.palette = game;
  for (int i = 0; i < 32; ++i) {
    double t = i / 31.0;
    // Green and blue come up later than red: t^1.25 and about t^2.
    double r = 255 * std::min(1.0, t * 1.25), g = 230 * t * std::sqrt(std::sqrt(t)),
           b = 190 * t * t;
    p.palette[i * 4 + 0] = static_cast<uint8_t>(b);
    p.palette[i * 4 + 1] = static_cast<uint8_t>(g);
    p.palette[i * 4 + 2] = static_cast<uint8_t>(r);
  }
  p.palette[255 * 4 + 0] = 60;  // the bars: bright gold
  p.palette[255 * 4 + 1] = 200;
  p.palette[255 * 4 + 2] = 255;
  return p;
}

// An old map of the four lands, for a special to show.
ScreenPicture OldMapPicture() {
  ShadeImage img(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      double edge = std::min({x, y, 639 - x, 479 - y}) / 40.0;
      double stain = Fbm(x / 60.0, y / 60.0, 0, 0, 4, 91);
      img.Set(x, y, kBrown, 14 + 8 * std::min(1.0, edge) + 4 * (stain - 0.5));
    }
  // Coasts, a river, forests, a castle and a volcano, drawn in ink.
  auto ink = [&](double x, double y, double shade) {
    img.Set(static_cast<int>(x), static_cast<int>(y), kBrown, shade);
  };
  for (int x = 60; x < 580; ++x) {
    double coast = 80 + 30 * Fbm(x / 50.0, 0.5, 0, 0, 3, 93);
    ink(x, coast, 4);
    double river = 260 + 60 * Sin(x / 70.0) + 10 * Fbm(x / 20.0, 1.5, 0, 0, 2, 95);
    if (x < 420) ink(x, river, 5), ink(x, river + 1, 7);
  }
  Rng rng(97);
  for (int k = 0; k < 40; ++k) {
    double x = rng.Range(380, 560), y = rng.Range(150, 250);
    Material tree = Foliage(99);
    tree.lit = 10;
    tree.dark = 4;
    tree.grain = 0;
    Ellipsoid(img, x, y, 6, 5, tree);
  }
  CastleSilhouette(img, 120, 400, 0.8, kBrown, 4, false);
  std::vector<Vec2> volcano = {{470, 420}, {520, 330}, {540, 330}, {590, 420}};
  Material rock;
  rock.ramp = kBrown;
  rock.dark = 4;
  rock.lit = 8;
  Polygon(img, volcano, rock, {0, 0, 1});
  Disc(img, 530, 322, 8, kRed, 18);
  // A dotted trail and an X where the sword waits.
  for (double t = 0; t < 1; t += 0.02) {
    double x = Lerp(180, 520, t), y = 390 - 160 * Sin(kPi * t);
    Disc(img, x, y, 1.6, kRed, 12);
  }
  Line(img, {510, 318}, {530, 338}, 3, kRed, 14);
  Line(img, {530, 318}, {510, 338}, 3, kRed, 14);
  Material ink2;
  ink2.ramp = kBrown;
  ink2.dark = 3;
  ink2.lit = 6;
  Lettering(img, U"ЗЕМЛИ ТОРВЕЛА", "DejaVuSerif-Bold.ttf", 34, 320, 20, ink2, kBrown);
  return {Quantize(img, 0.5), GamePaletteBgrx()};
}

}  // namespace torvel::forge
