// The magic shop: a dark wooden room with shelves holding the goods' cells,
// a counter along the bottom for the names and descriptions, and a curtained
// alcove on the right behind the stats panel. Kept dark and calm: the cells,
// the text and the panel are drawn over it.
#include <cmath>

#include "forge/art/materials.h"
#include "forge/paint/noise.h"
#include "forge/palette.h"
#include "forge/pictures/picture_kit.h"
#include "forge/pictures/pictures.h"

namespace torvel::forge {

namespace {

void Planks(ShadeImage& img, int x0, int y0, int x1, int y1, double base, uint32_t seed) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      double plank = std::fmod(x, 22.0);
      double grain = Fbm(x / 3.0, y / 18.0, 0, 0, 3, seed + static_cast<uint32_t>(x / 22));
      double shade = base + 2.5 * grain;
      if (plank < 1)
        shade -= 2.5;
      else if (plank < 2)
        shade += 1;
      img.Set(x, y, kBrown, shade);
    }
}

void Board(ShadeImage& img, int x0, int y0, int x1, int y1, double base) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      double shade = base + 1.5 * Fbm(x / 12.0, y / 2.0, 0, 0, 2, 7001);
      if (y == y0) shade += 3;
      if (y == y1) shade -= 3;
      img.Set(x, y, kBrown, shade);
    }
}

void Bottle(ShadeImage& img, double x, double footY, double h, int ramp) {
  Material glass = Jewel(ramp);
  glass.dark = 3;
  glass.lit = 12;
  Ellipsoid(img, x, footY - h * 0.35, h * 0.28, h * 0.35, glass);
  Capsule(img, {x, footY - h * 0.6}, {x, footY - h}, h * 0.08, h * 0.08, glass);
}

}  // namespace

ScreenPicture ShopPicture() {
  ShadeImage img(640, 480);
  Planks(img, 0, 0, 639, 479, 4, 7003);
  // The heading's board, top left, dark under the gold letters.
  Board(img, 0, 0, 250, 30, 3);
  // Shelves behind the four rows of cells.
  for (int row = 0; row < 4; ++row) {
    int top = 50 + 80 * row;
    for (int y = top - 6; y <= top + 58; ++y)
      for (int x = 22; x <= 334; ++x)
        img.Set(x, y, kBrown, 2 + 0.8 * Fbm(x / 10.0, y / 10.0, 0, 0, 2, 7005));
    Board(img, 18, top + 58, 338, top + 64, 9);
    // Small things on the shelf between the cells.
    for (int c = 0; c < 3; ++c) {
      double x = 97 + 80 * c;
      if (row == 3 && c == 2) continue;
      Bottle(img, x - 3, top + 57, 14 + (row + c) % 3 * 3, (row + c) % 2 ? kGreen : kViolet);
      Bottle(img, x + 5, top + 57, 10, kBlue);
    }
  }
  for (int x : {14, 338}) Board(img, x, 36, x + 6, 352, 8);
  // The alcove on the right: a violet curtain in folds.
  for (int y = 34; y <= 352; ++y)
    for (int x = 352; x <= 639; ++x) {
      double fold = Sin(kTwoPi * x / 26.0 + Sin(y / 40.0) * 0.6);
      img.Set(x, y, kViolet, 3 + 1.6 * fold + 0.6 * Fbm(x / 6.0, y / 30.0, 0, 0, 2, 7007));
    }
  Board(img, 346, 28, 639, 36, 8);  // the curtain's rod and pelmet
  // The counter along the bottom.
  for (int y = 352; y <= 479; ++y)
    for (int x = 0; x <= 639; ++x) {
      double grain = Fbm(x / 40.0, y / 3.0, 0, 0, 3, 7009);
      double shade = 5 + 2 * grain - (y - 352) / 60.0;
      if (y < 356) shade = 10 - (y - 352);
      img.Set(x, y, kBrown, shade);
    }
  // A lantern hangs over the counter and warms the room a little.
  Material brass = Gold();
  brass.lit = 16;
  Line(img, {344, 0}, {344, 14}, 1.2, kGrey, 6);
  Ellipsoid(img, 344, 22, 6, 8, brass);
  Disc(img, 344, 22, 3, kGold, 30);
  Halo(img, 344, 22, 150, 3);
  return {Quantize(img, 0.6), GamePaletteBgrx()};
}

}  // namespace torvel::forge
