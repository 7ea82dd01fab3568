// The shop's frames, cursor and panels; the goods are in shop_goods.cpp.
#include "forge/art/shop_art.h"

#include <cmath>

#include "forge/art/interface_art.h"
#include "forge/paint/mask.h"

namespace torvel::forge {

namespace {

Mask Rounded(int w, int h, double r) {
  return MaskFrom(w, h, [&](double x, double y) {
    double qx = std::max(std::max(r - x, x - (w - r)), 0.0);
    double qy = std::max(std::max(r - y, y - (h - r)), 0.0);
    return qx * qx + qy * qy <= r * r;
  });
}

// Sprites 0 and 1: a cell's frame, plain stone for goods not yet owned,
// gold with a warm glow inside for owned ones. 54 x 54, hot spot (0, 0).
SpriteImage CellFrame(bool owned) {
  ShadeImage img(60, 60);
  Mask outer = Rounded(54, 54, 5);
  Mask ring = Subtract(outer, Grow(outer, -4));
  Material rim = owned ? Gold() : Stone(113);
  if (!owned) rim.lit = 15;
  PaintBevelled(img, ring, 0, 0, 1.8, rim);
  Mask inner = Grow(outer, -4);
  std::vector<float> depth = DistanceInside(inner);
  for (int y = 0; y < 54; ++y)
    for (int x = 0; x < 54; ++x) {
      if (!inner.At(x, y)) continue;
      double d = depth[static_cast<size_t>(y) * 54 + x];
      double dx = x - 26.5, dy = y - 26.5;
      double glow = owned ? 6 - std::sqrt(dx * dx + dy * dy) / 6 : 2.5;
      double shadow = d < 3 ? (3 - d) : 0;  // the inner lip casts a shade
      img.Set(x, y, owned ? kGold : kGrey, std::max(0.5, glow - shadow * 0.8));
    }
  if (owned) {
    for (double x : {4.0, 49.0})
      for (double y : {4.0, 49.0}) Ellipsoid(img, x, y, 2, 2, Jewel(kRed));
  }
  Finish f = Finish::Soft(0.3);
  return Finished(img, 0, 0, f);
}

// Sprite 2: the cursor, four bright corner brackets round a cell.
SpriteImage Cursor() {
  ShadeImage img(64, 64);
  Material bright = Gold();
  bright.lit = 29;
  bright.dark = 16;
  auto bracket = [&](double cx, double cy, double sx, double sy) {
    Capsule(img, {cx, cy}, {cx + 14 * sx, cy}, 1.7, 1.2, bright);
    Capsule(img, {cx, cy}, {cx, cy + 14 * sy}, 1.7, 1.2, bright);
    Ellipsoid(img, cx, cy, 2.6, 2.6, bright);
  };
  bracket(2.5, 2.5, 1, 1);
  bracket(55.5, 2.5, -1, 1);
  bracket(2.5, 55.5, 1, -1);
  bracket(55.5, 55.5, -1, -1);
  return Finished(img, 2, 2, Finish{});
}

// Sprite 21: the stats panel, drawn in glow mode: its grey pixels lighten
// whatever is behind it (a sheet of glass over the shop or the game), its
// gold frame is drawn as it is. 280 x 440 around the hot spot (90, 210).
SpriteImage StatsPanel() {
  ShadeImage img(280, 440);
  Mask outer = Rounded(280, 440, 12);
  Mask frame = Subtract(outer, Grow(outer, -3));
  Material gold = Gold();
  gold.lit = 20;
  PaintBevelled(img, frame, 0, 0, 1.5, gold);
  Mask inner = Grow(outer, -3);
  for (int y = 0; y < 440; ++y)
    for (int x = 0; x < 280; ++x) {
      if (!inner.At(x, y)) continue;
      // Light added to the background: a little, more toward the top, with
      // faint bands behind the rows of the panel.
      double light = 3 - y / 300.0;
      int row = (y - 36) % 56;
      if (y > 30 && y < 360 && row >= 0 && row < 2) light += 2;
      if (y == 352 || y == 353) light += 3;
      img.Set(x, y, kGrey, std::max(1.0, light));
    }
  Finish f = Finish::Soft(0);
  return Finished(img, 90, 210, f);
}

// Sprite 22: the pause menu's panel (also the slot panel). The menu's
// entries glow over it in the top shades of its own ramp, so the plate is
// a deep bronze and the words come out gold.
SpriteImage PausePanel() {
  ShadeImage img(250, 192);
  PaintTrimmedPlate(img, Rounded(250, 192, 10), 0, 0, 3, kGold, 6);
  Finish f = Finish::Unrimmed(0.3);
  return Finished(img, 0, 0, f);
}

}  // namespace

SpriteSetArt BuildShopArt() {
  SpriteSetArt set(kShopSpriteCount);
  set.Put(0, CellFrame(false));
  set.Put(1, CellFrame(true));
  set.Put(2, Cursor());
  PaintShopGoods(set);
  set.Put(21, StatsPanel(), PreviewMode::kGlow);
  set.Put(22, PausePanel());
  return set;
}

}  // namespace torvel::forge
