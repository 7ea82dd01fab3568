// The cards shown when the game starts and ends, and the title picture.
#include <cmath>

#include "forge/art/materials.h"
#include "forge/art/motifs.h"
#include "forge/paint/noise.h"
#include "forge/paint/splat.h"
#include "forge/palette.h"
#include "forge/pictures/picture_kit.h"
#include "forge/pictures/pictures.h"

namespace torvel::forge {

namespace {

ScreenPicture InGamePalette(const ShadeImage& img, double dither = 0.6) {
  ScreenPicture p;
  p.pixels = Quantize(img, dither);
  p.palette = GamePaletteBgrx();
  return p;
}

void Sparks(ShadeImage& img, double cx, double cy, double spread, int count, uint32_t seed) {
  Rng rng(seed);
  for (int k = 0; k < count; ++k) {
    double a = rng.Range(-kPi, 0), d = rng.Range(4, spread);
    double x = cx + d * Cos(a) * 1.4, y = cy + d * Sin(a);
    double len = rng.Range(2, 6);
    Line(img, {x, y}, {x + Cos(a) * len, y + Sin(a) * len}, 1.1, kGold, rng.Range(22, 30));
  }
}

// The hero seen from behind against the light: cloak, hood, sword raised.
void HeroSilhouette(ShadeImage& img, double x, double footY, double s, int ramp, double shade) {
  Material m;
  m.ramp = ramp;
  m.dark = shade;
  m.lit = shade + 1;
  std::vector<Vec2> cloak = {{x - 9 * s, footY},          {x - 6 * s, footY - 30 * s},
                             {x - 4 * s, footY - 38 * s}, {x + 4 * s, footY - 38 * s},
                             {x + 6 * s, footY - 30 * s}, {x + 10 * s, footY}};
  Polygon(img, cloak, m, {0, 0, 1});
  Ellipsoid(img, x, footY - 42 * s, 4.2 * s, 5 * s, m);
  Capsule(img, {x + 4 * s, footY - 34 * s}, {x + 10 * s, footY - 50 * s}, 1.8 * s, 1.6 * s, m);
  Capsule(img, {x + 10 * s, footY - 50 * s}, {x + 13 * s, footY - 88 * s}, 1.3 * s, 0.5 * s, m);
  Capsule(img, {x + 6 * s, footY - 49 * s}, {x + 14 * s, footY - 51 * s}, 1.1 * s, 1.1 * s, m);
}

}  // namespace

ScreenPicture PresenterCard() {
  ShadeImage img(640, 480);
  Sky(img, 0, 479, kGrey, 1, 1);
  Halo(img, 320, 190, 150, 5);
  // An anvil with a hammer resting on it, sparks flying off.
  Splatter sp(img, {330, 268}, TurnX(-0.18) * TurnY(0.45), 0.4);
  Material iron = Iron();
  iron.lit = 17;
  iron.specular = 0.6;
  const double k = 1.5;
  sp.Slab(
      [k](double x, double y) {
        x /= k;
        y /= k;
        if (y > 0 || y < -34) return false;
        if (y > -12) return std::fabs(x) < 28 - (y + 12) * 0.6;   // the foot
        if (y > -20) return std::fabs(x) < 16 + (y + 20) * -0.4;  // the waist
        if (x < -72 || x > 56) return false;
        if (x < -36) return y > -34 + (-36 - x) * 0.28 && y < -25;  // the horn
        return true;                                                // the face
      },
      -72 * k, -35 * k, 58 * k, 0, 34 * k, 5, iron);
  Material handle = Wood(7);
  sp.Tube({-10 * k, -40 * k, 8}, {46 * k, -58 * k, 14}, 3 * k, 3 * k, handle);
  Material head = Steel();
  sp.Box({-16 * k, -41 * k, 8}, {9 * k, 6 * k, 7 * k}, head);
  Sparks(img, 300, 200, 100, 80, 17);
  Material gold = Gold();
  gold.lit = 25;
  Lettering(img, U"КУЗНИЦА ТОРВЕЛА", "DejaVuSerif-Bold.ttf", 44, 320, 318, gold, kRed);
  Material silver = Steel();
  silver.lit = 22;
  Lettering(img, U"представляет", "DejaVuSerif.ttf", 26, 320, 380, silver, kGrey);
  return InGamePalette(img);
}

namespace {

ShadeImage TitleScene(bool withSubtitle) {
  ShadeImage img(640, 480);
  SkyBlend(img, 0, 300, kBlue, 2, kViolet, 9, 0.55);
  Stars(img, 0, 250, 180, 23);
  Moon(img, 520, 80, 26);
  // The sword of the story hangs in the sky over the castle, faintly.
  ShadeImage sword(640, 480);
  PaintSword(sword, {320, 330}, 1.35, TurnX(0), 0xF, 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (sword.Painted(x, y) && img.Painted(x, y))
        img.Set(x, y, kViolet, 4 + sword.ShadeAt(x, y) * 0.35);
  Halo(img, 320, 200, 140, 4);
  Ridge(img, 330, 90, 1.6, kBlue, 6, 31, true);
  Ridge(img, 380, 60, 1.0, kGrey, 5, 37);
  CastleSilhouette(img, 250, 360, 1.4, kGrey, 2, true);
  Ridge(img, 430, 40, 2.0, kGreen, 3, 41);
  Material gold = Gold();
  gold.lit = 25;
  Lettering(img, U"TORVEL", "DejaVuSerif-Bold.ttf", 110, 320, 34, gold, kRed);
  if (withSubtitle) {
    Material silver = Steel();
    silver.lit = 24;
    Lettering(img, U"МЕЧ АРМАГЕДДОНА", "DejaVuSerif-Bold.ttf", 34, 320, 150, silver, kGrey);
  }
  return img;
}

}  // namespace

ScreenPicture TitleCard() {
  return InGamePalette(TitleScene(true));
}

ScreenPicture FarewellCard() {
  ShadeImage img(640, 480);
  SkyBlend(img, 0, 330, kBlue, 6, kGold, 24, 0.45);
  Halo(img, 320, 330, 180, 6, kGold);
  // The sun going down behind the hills.
  Disc(img, 320, 330, 40, kGold, 30);
  Ridge(img, 340, 50, 1.2, kRed, 5, 51);
  Ridge(img, 390, 40, 1.8, kBrown, 4, 53);
  Ridge(img, 440, 30, 2.4, kGreen, 3, 57);
  HeroSilhouette(img, 430, 424, 1.4, kGrey, 1);
  Material gold = Gold();
  gold.lit = 25;
  Lettering(img, U"СПАСИБО ЗА ИГРУ!", "DejaVuSerif-Bold.ttf", 46, 320, 60, gold, kRed);
  return InGamePalette(img);
}

ScreenPicture ClosingCard() {
  ShadeImage img(640, 480);
  SkyBlend(img, 0, 479, kGrey, 1, kViolet, 4, 0.3);
  Stars(img, 0, 479, 90, 61);
  // The finished sword upright over a shield.
  Splatter shield(img, {320, 250}, TurnX(0), 0.4);
  Material red = Cloth(kRed);
  red.lit = 14;
  shield.Slab(
      [](double x, double y) {
        if (y < -60 || y > 70) return false;
        double half = y < 10 ? 55 : 55 * std::sqrt(std::max(0.0, 1 - (y - 10) * (y - 10) / 3600.0));
        return std::fabs(x) < half;
      },
      -56, -62, 56, 72, 10, 6, red,
      [](Vec3 q) {
        Decal d;
        if (std::fabs(q.x) < 4 || std::fabs(q.y - 5) < 4) {
          d.ramp = kGold;
          d.bias = 8;
        }
        return d;
      });
  ShadeImage sword(640, 480);
  PaintSword(sword, {320, 372}, 1.25, TurnX(0), 0xF, 0);
  Stamp(img, sword, 0, 0);
  Halo(img, 320, 220, 160, 3);
  Material gold = Gold();
  gold.lit = 25;
  Lettering(img, U"ДО НОВЫХ ВСТРЕЧ!", "DejaVuSerif-Bold.ttf", 42, 320, 395, gold, kRed);
  return InGamePalette(img);
}

}  // namespace torvel::forge
