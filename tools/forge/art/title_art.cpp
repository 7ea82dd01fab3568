// The title lettering. The title flashes it in with DrawBright from -32 up
// to +31 and settles at 0, so the letters keep to middle shades that read
// at every step of the flash.
#include "forge/art/title_art.h"

#include <algorithm>
#include <cmath>

#include "forge/paint/glyph_raster.h"
#include "forge/paint/mask.h"

namespace torvel::forge {

namespace {

// Places a mask centred in a box of the canvas.
struct Placed {
  int ox = 0, oy = 0;
};

void Bounds(const Mask& m, int& x0, int& y0, int& x1, int& y1) {
  x0 = m.width;
  y0 = m.height;
  x1 = -1;
  y1 = -1;
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (m.At(x, y)) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
}

// The text at the largest size (tried downward from `size`) whose inked
// part fits a box.
Mask FittedText(const char* fontFile, const std::u32string& text, int size, int spacing, int boxW,
                int boxH) {
  for (; size > 8; size -= 2) {
    GlyphFace face(DejaVuPath(fontFile), size);
    Mask m = RenderText(face, text, spacing).ToMask(120);
    int x0, y0, x1, y1;
    Bounds(m, x0, y0, x1, y1);
    if (x1 - x0 + 1 <= boxW && y1 - y0 + 1 <= boxH) return m;
  }
  return Mask{};
}

Placed Centre(const Mask& m, int boxX, int boxY, int boxW, int boxH) {
  int x0 = m.width, y0 = m.height, x1 = -1, y1 = -1;
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (m.At(x, y)) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
  return {boxX + (boxW - (x1 - x0 + 1)) / 2 - x0, boxY + (boxH - (y1 - y0 + 1)) / 2 - y0};
}

// Sprite 0: "TORVEL" in heavy gold capitals with a dark rim and a drop
// shadow, about 480 x 100, hot spot at its top-left corner.
SpriteImage TitleLettering() {
  ShadeImage img(480, 104);
  Mask letters = FittedText("DejaVuSerif-Bold.ttf", U"TORVEL", 140, 6, 462, 90);
  Placed at = Centre(letters, 0, 0, 472, 96);
  Mask rim = Grow(letters, 3);
  // The shadow first, then the dark rim, then the gold.
  for (int y = 0; y < rim.height; ++y)
    for (int x = 0; x < rim.width; ++x)
      if (rim.At(x, y)) img.Set(at.ox + x + 6, at.oy + y + 6, kGrey, 2);
  Material rimMat = Gold();
  rimMat.ramp = kRed;
  rimMat.dark = 3;
  rimMat.lit = 12;
  PaintBevelled(img, rim, at.ox, at.oy, 2, rimMat);
  Material gold = Gold();
  gold.dark = 7;
  gold.lit = 24;
  gold.glint = 29;
  PaintBevelled(img, letters, at.ox, at.oy, 5, gold, [](int, int y, double depth) {
    Decal d;
    // A bright band across the upper half, as polished metal catches the sky.
    if (depth > 5 && y > 20 && y < 46) d.bias = 3;
    return d;
  });
  Finish f = Finish::Soft(0.3);
  return Finished(img, 0, 0, f);
}

void Rule(ShadeImage& img, double x0, double x1, double y, const Material& m) {
  Capsule(img, {x0, y}, {x1, y}, 1.6, 1.6, m);
}

void Diamond(ShadeImage& img, double cx, double cy, double r, int ramp) {
  std::vector<Vec2> pts = {{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}};
  Material m;
  m.ramp = ramp;
  m.dark = 8;
  m.lit = 24;
  PolygonShaded(img, pts, ramp, [&](double x, double y) {
    Vec3 n = Normalize({x < cx ? -0.5 : 0.5, y < cy ? -0.5 : 0.5, 1});
    return LightShade(m, n);
  });
}

// Sprite 1: the band under the title: "МЕЧ АРМАГЕДДОНА" (the sword the story
// is about) in silver between two gold rules, about 600 x 90.
SpriteImage SubtitleBand() {
  ShadeImage img(600, 90);
  Material gold = Gold();
  gold.lit = 21;
  Rule(img, 14, 586, 10, gold);
  Rule(img, 14, 586, 80, gold);
  for (double x : {8.0, 592.0}) {
    Diamond(img, x, 10, 7, kGold);
    Diamond(img, x, 80, 7, kGold);
  }
  Diamond(img, 300, 10, 6, kRed);
  Diamond(img, 300, 80, 6, kRed);
  Mask letters = FittedText("DejaVuSerif-Bold.ttf", U"МЕЧ АРМАГЕДДОНА", 50, 3, 500, 48);
  Placed at = Centre(letters, 0, 18, 600, 56);
  Mask rim = Grow(letters, 2);
  Material dark = Iron();
  dark.lit = 6;
  PaintBevelled(img, rim, at.ox, at.oy, 1.5, dark);
  Material silver = Steel();
  silver.dark = 8;
  silver.lit = 24;
  PaintBevelled(img, letters, at.ox, at.oy, 2.5, silver);
  Finish f = Finish::Unrimmed(0.3);
  return Finished(img, 0, 0, f);
}

// Sprite 2: a small gold ornament centred at the foot of the continue
// screen (drawn at (300, 470)).
SpriteImage FooterOrnament() {
  ShadeImage img(200, 16);
  Material gold = Gold();
  gold.lit = 20;
  Capsule(img, {14, 8}, {186, 8}, 1.2, 1.2, gold);
  for (double x : {60.0, 140.0}) Diamond(img, x, 8, 4, kGold);
  Diamond(img, 100, 8, 6.5, kRed);
  Diamond(img, 8, 8, 4, kGold);
  Diamond(img, 192, 8, 4, kGold);
  Finish f = Finish::Unrimmed(0.3);
  // Drawn at (300, 470): its middle at x 320, its foot above the screen's.
  return Finished(img, 80, 8, f);
}

}  // namespace

SpriteSetArt BuildTitleArt() {
  SpriteSetArt set(kTitleSpriteCount);
  set.Put(0, TitleLettering());
  set.Put(1, SubtitleBand());
  set.Put(2, FooterOrnament());
  return set;
}

}  // namespace torvel::forge
