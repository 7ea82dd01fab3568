// The forged sprite sets, read back with the game's loader: every index the
// game draws holds art, placeholders are empty, and the pieces sit where
// the drawing code puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "forge/palette.h"
#include "forged_data.h"
#include "gfx/sprites.h"

namespace torvel::forge {
namespace {

using testing::Coverage;
using testing::GameFile;
using testing::Place;
using testing::Placed;

class ForgedSet : public ::testing::Test {
 protected:
  void Load(const char* file) {
    ASSERT_TRUE(set_.LoadFile(GameFile(std::string("graphics/") + file))) << file;
  }
  const Sprite& At(int i) {
    const Sprite* s = set_.GetSprite(i);
    EXPECT_NE(s, nullptr) << i;
    static const Sprite kNone;
    return s ? *s : kNone;
  }
  bool Drawn(int i) {
    const Sprite* s = set_.GetSprite(i);
    return s && s->width > 0 && s->height > 0 && !s->data.empty();
  }
  // Every index in used has art; every index in empty is the 0 x 0
  // placeholder, never a sized sprite without data.
  void ExpectLayout(int minimumCount, const std::set<int>& empty) {
    ASSERT_GE(set_.Count(), minimumCount);
    for (int i = 0; i < set_.Count(); ++i) {
      const Sprite& s = At(i);
      if (empty.count(i)) {
        EXPECT_EQ(s.width, 0) << i;
        EXPECT_EQ(s.height, 0) << i;
        EXPECT_TRUE(s.data.empty()) << i;
      } else {
        EXPECT_TRUE(Drawn(i)) << "index " << i << " has no art";
      }
    }
  }
  // Share of pixels that differ between two frames drawn at the same hot
  // spot: in shape only, or also in colour.
  double FrameChange(int a, int b, bool colourToo) {
    Placed pa = Place(At(a), 100, 100), pb = Place(At(b), 100, 100);
    int x0 = std::min(pa.left, pb.left), y0 = std::min(pa.top, pb.top);
    int x1 = std::max(pa.right(), pb.right()), y1 = std::max(pa.bottom(), pb.bottom());
    int changed = 0, covered = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        bool ca = pa.Covers(x, y), cb = pb.Covers(x, y);
        covered += ca || cb;
        changed += ca != cb || (colourToo && ca && pa.At(x, y) != pb.At(x, y));
      }
    return covered ? static_cast<double>(changed) / covered : 0;
  }
  SpriteSet set_;
};

TEST_F(ForgedSet, ItemsHoldEveryDrawnIndex) {
  Load("items.vsp");
  ExpectLayout(167, {6, 33, 35, 38, 41});
}

// Loops the item clock runs through: each step changes the outline a
// little, never wholesale, including the step from the last frame back to
// the first; and the loop does move.
TEST_F(ForgedSet, ItemAnimationsLoopSmoothly) {
  Load("items.vsp");
  struct Loop {
    const char* what;
    int first, frames;
  };
  const Loop loops[] = {{"scroll", 43, 16},       {"rate rune", 59, 8},     {"reverse rune", 67, 8},
                        {"bounce rune", 75, 8},   {"hilt", 83, 16},         {"guard", 99, 16},
                        {"lower blade", 115, 16}, {"upper blade", 131, 16}, {"small coin", 147, 8},
                        {"big coin", 159, 8}};
  for (const Loop& loop : loops) {
    double most = 0;
    for (int k = 0; k < loop.frames; ++k) {
      int a = loop.first + k, b = loop.first + (k + 1) % loop.frames;
      most = std::max(most, FrameChange(a, b, false));
    }
    EXPECT_LT(most, 0.6) << loop.what << " jumps between frames";
    EXPECT_GT(FrameChange(loop.first, loop.first + loop.frames / 4, true), 0.05)
        << loop.what << " does not move";
  }
}

// Things with a shadow: the shadow is the sprite squashed from its hot
// spot, so their feet are at the hot spot and their height is even.
TEST_F(ForgedSet, ShadowedItemsStandOnTheirHotSpot) {
  Load("items.vsp");
  std::vector<int> shadowed = {28, 29, 36, 37, 157, 158};
  for (int i = 43; i <= 146; ++i) shadowed.push_back(i);
  for (int i : shadowed) {
    const Sprite& s = At(i);
    EXPECT_EQ(s.height % 2, 0) << i;
    EXPECT_EQ(s.ofsY, s.height) << i;
    EXPECT_GT(s.ofsX, 0) << i;
    EXPECT_LT(s.ofsX, s.width) << i;
  }
}

// Doors are queued 14 px left of and 11 px below the tile centre and must
// fill their tile from edge to edge, standing on its lower edge.
TEST_F(ForgedSet, DoorsFillTheirTile) {
  Load("items.vsp");
  const int tileX = 320, tileY = 240;  // tile's top-left on screen
  for (int i = 9; i <= 16; ++i) {
    Placed p = Place(At(i), tileX + 16 - 14, tileY + 12 + 11);
    EXPECT_LE(std::abs(p.bottom() - (tileY + 23)), 1) << i;
    if (i <= 12) {
      EXPECT_LE(std::abs(p.left - tileX), 1) << i;
      EXPECT_LE(std::abs(p.right() - (tileX + 31)), 1) << i;
    } else {
      EXPECT_GE(p.left, tileX - 1) << i;
      EXPECT_LE(p.right(), tileX + 32) << i;
    }
    EXPECT_GT(Coverage(p, tileX + 4, tileY, tileX + 27, tileY + 23), 0.6) << i;
  }
}

// Torch sparks rise from 30 px left of and 90 px above the torch's foot:
// the flame must burn there.
TEST_F(ForgedSet, TorchFlamesBurnWhereTheSparksRise) {
  Load("items.vsp");
  for (int i : {157, 158}) {
    Placed p = Place(At(i), 200, 300);
    int flame = 0;
    for (int y = 300 - 90 - 12; y <= 300 - 90 + 12; ++y)
      for (int x = 200 - 30 - 8; x <= 200 - 30 + 8; ++x)
        if (p.Covers(x, y) && RampOf(p.At(x, y)) == kGold && ShadeOf(p.At(x, y)) >= 26) ++flame;
    EXPECT_GT(flame, 12) << i;
  }
}

// Floor decorations lie on the tile they are queued on, centred on it.
TEST_F(ForgedSet, FlatDecorationsAreCentredOnTheirTile) {
  Load("items.vsp");
  for (int i : {26, 32, 34, 42}) {
    const Sprite& s = At(i);
    EXPECT_LE(std::abs(s.ofsX * 2 - s.width), 3) << i;
    EXPECT_LE(std::abs(s.ofsY * 2 - s.height), 3) << i;
    EXPECT_LE(s.width, 40) << i;
    EXPECT_LE(s.height, 32) << i;
  }
}

// The relic is recoloured into every ramp and brightened by up to 16: its
// own shades must leave that room and spread wide.
TEST_F(ForgedSet, RelicLeavesRoomForItsFlash) {
  Load("items.vsp");
  Placed p = Place(At(25), 100, 100);
  int lo = 31, hi = 0;
  for (size_t k = 0; k < p.pixels.size(); ++k) {
    if (!p.drawn[k]) continue;
    lo = std::min(lo, ShadeOf(p.pixels[k]));
    hi = std::max(hi, ShadeOf(p.pixels[k]));
  }
  EXPECT_LE(hi, 24);
  EXPECT_GE(hi - lo, 12);
}

TEST_F(ForgedSet, InterfaceHoldsEveryDrawnIndex) {
  Load("intface.vsp");
  ExpectLayout(69, {10});
}

// The panel drawn at (0, -1) lies under the bars and the level box, and
// keeps them dark so the bars and the experience lines read.
TEST_F(ForgedSet, InterfacePanelKeepsTheBarsDark) {
  Load("intface.vsp");
  Placed panel = Place(At(0), 0, -1);
  struct Area {
    const char* what;
    int x0, y0, x1, y1;
  };
  const Area areas[] = {
      {"life bar", 2, 3, 130, 11}, {"mana bar", 2, 19, 130, 27}, {"level box", 2, 33, 36, 51}};
  for (const Area& a : areas) {
    EXPECT_EQ(Coverage(panel, a.x0, a.y0, a.x1, a.y1), 1.0) << a.what;
    for (int y = a.y0; y <= a.y1; ++y)
      for (int x = a.x0; x <= a.x1; ++x)
        ASSERT_LE(ShadeOf(panel.At(x, y)), 5) << a.what << " at " << x << "," << y;
  }
}

// Pieces drawn at the anchors the display uses land where they belong.
TEST_F(ForgedSet, InterfacePiecesLandInTheirPlaces) {
  Load("intface.vsp");
  struct Case {
    const char* what;
    int sprite, ax, ay;
    int x0, y0, x1, y1;  // the area the piece must stay inside
  };
  const Case cases[] = {
      {"pip", 1, 0, -1, 40, 31, 62, 53},
      {"special key 3", 2, 86, -17, 136, 28, 230, 56},
      {"special key 1", 3, 86, -17, 136, 28, 230, 56},
      {"special key 2", 4, 86, -17, 136, 28, 230, 56},
      {"three keys", 7, 86, -17, 136, 0, 204, 30},
      {"tens digit", 43 + 4, 0, 31, 0, 31, 19, 53},
      {"units digit", 53 + 7, 0, 31, 19, 31, 38, 53},
      {"rate gauge", 39, 244, 14, 200, 0, 253, 30},
      {"reverse icon", 40, 255, 14, 252, 0, 272, 30},
      {"bounce icon", 41, 266, 14, 271, 0, 292, 30},
      {"slot 0 card", 11, 512, 22, 512, 22, 527, 45},
      {"right panel", 42, 443, -1, 440, -8, 639, 70},
      {"gauge back", 8, 640, 479, 600, 310, 639, 479},
      {"holder", 67, 625, 476, 600, 300, 639, 479},
      {"dialogue box", 68, 180, 86, 55, 80, 595, 185},
  };
  for (const Case& c : cases) {
    Placed p = Place(At(c.sprite), c.ax, c.ay);
    EXPECT_GE(p.left, c.x0) << c.what;
    EXPECT_GE(p.top, c.y0) << c.what;
    EXPECT_LE(p.right(), c.x1) << c.what;
    EXPECT_LE(p.bottom(), c.y1) << c.what;
  }
}

// The gauge's fill is drawn between its back and front: the back keeps the
// tube's inside dark, the front leaves most of it open.
TEST_F(ForgedSet, CollectionGaugeShowsItsFill) {
  Load("intface.vsp");
  Placed back = Place(At(8), 640, 479), front = Place(At(9), 640, 479);
  EXPECT_EQ(Coverage(back, 621, 349, 636, 476), 1.0);
  EXPECT_LT(Coverage(front, 621, 349, 636, 476), 0.4);
}

// Each sword piece, drawn at the holder's anchor, lies inside the holder's
// outline, and together they cover most of it.
TEST_F(ForgedSet, SwordPiecesFillTheHolder) {
  Load("intface.vsp");
  Placed holder = Place(At(67), 625, 476);
  int inside = 0, total = 0;
  std::vector<Placed> pieces;
  for (int i : {63, 64, 65, 66}) pieces.push_back(Place(At(i), 625, 476));
  for (const Placed& p : pieces) {
    for (int y = p.top; y <= p.bottom(); ++y)
      for (int x = p.left; x <= p.right(); ++x)
        if (p.Covers(x, y)) {
          ++total;
          inside += holder.Covers(x, y);
        }
  }
  EXPECT_GT(static_cast<double>(inside) / total, 0.97);
  int holderPixels = 0, filled = 0;
  for (int y = holder.top; y <= holder.bottom(); ++y)
    for (int x = holder.left; x <= holder.right(); ++x) {
      if (!holder.Covers(x, y)) continue;
      ++holderPixels;
      bool any = false;
      for (const Placed& p : pieces) any = any || p.Covers(x, y);
      filled += any;
    }
  EXPECT_GT(static_cast<double>(filled) / holderPixels, 0.6);
}

}  // namespace
}  // namespace torvel::forge

namespace torvel::forge {
namespace {

using testing::Place;
using testing::Placed;

// Direction of a sprite's long axis (radians, 0..pi) and the offset of its
// middle from the hot spot, from the moments of its drawn pixels.
struct Shape {
  double axis = 0;
  double cx = 0, cy = 0;
  double elongation = 0;
};

Shape Measure(const Sprite& s) {
  Placed p = Place(s, 0, 0);
  double n = 0, sx = 0, sy = 0;
  for (int y = p.top; y <= p.bottom(); ++y)
    for (int x = p.left; x <= p.right(); ++x)
      if (p.Covers(x, y)) {
        n += 1;
        sx += x + 0.5;
        sy += y + 0.5;
      }
  Shape out;
  if (n == 0) return out;
  out.cx = sx / n;
  out.cy = sy / n;
  double xx = 0, yy = 0, xy = 0;
  for (int y = p.top; y <= p.bottom(); ++y)
    for (int x = p.left; x <= p.right(); ++x)
      if (p.Covers(x, y)) {
        double dx = x + 0.5 - out.cx, dy = y + 0.5 - out.cy;
        xx += dx * dx;
        yy += dy * dy;
        xy += dx * dy;
      }
  out.axis = 0.5 * std::atan2(2 * xy, xx - yy);
  if (out.axis < 0) out.axis += M_PI;
  double spread = std::sqrt((xx - yy) * (xx - yy) + 4 * xy * xy);
  out.elongation = (xx + yy + spread) / std::max(1e-9, xx + yy - spread);
  return out;
}

double AxisError(double axis, double facingAngle) {
  double want = std::fmod(facingAngle, M_PI);
  double d = std::fabs(axis - want);
  return std::min(d, M_PI - d);
}

class ForgedBullets : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(set_.LoadFile(testing::GameFile("graphics/bullets.vsp"))); }
  const Sprite& At(int i) { return *set_.GetSprite(i); }
  SpriteSet set_;
};

TEST_F(ForgedBullets, HoldEveryDrawnIndex) {
  ASSERT_GE(set_.Count(), 259);
  for (int i = 0; i < set_.Count(); ++i) {
    const Sprite* s = set_.GetSprite(i);
    ASSERT_NE(s, nullptr);
    bool placeholder = i == 100 || i == 106 || i == 107;
    EXPECT_EQ(s->width == 0, placeholder) << i;
  }
}

// Directional frames point along their facing, 0 east turning clockwise;
// those with a trail carry it behind them.
TEST_F(ForgedBullets, DirectionalFramesPointTheirWay) {
  struct Range {
    const char* what;
    int first, directions, framesPerDirection;
    bool trailBehind;
  };
  const Range ranges[] = {
      {"energy ball", 5, 16, 1, true}, {"seeker", 21, 16, 1, true},
      {"venom", 44, 8, 7, true},       {"pod", 130, 8, 1, false},
      {"dart", 166, 16, 1, false},     {"hero shot", 182, 8, 5, true},
      {"eye bolt", 223, 8, 1, false},  {"sword shot", 243, 16, 1, false},
  };
  for (const Range& r : ranges) {
    for (int f = 0; f < r.directions; ++f) {
      for (int k = 0; k < r.framesPerDirection; ++k) {
        int index = r.first + f * r.framesPerDirection + k;
        double angle = 2 * M_PI * f / r.directions;
        Shape shape = Measure(At(index));
        EXPECT_LT(AxisError(shape.axis, angle), 0.3) << r.what << " sprite " << index;
        EXPECT_GT(shape.elongation, 1.5) << r.what << " sprite " << index;
        if (r.trailBehind) {
          double along = shape.cx * std::cos(angle) + shape.cy * std::sin(angle);
          EXPECT_LT(along, 0) << r.what << " sprite " << index << " trails ahead";
        }
      }
    }
  }
}

// Ghost art is added to the ground's shade, so it keeps to low shades
// (a little higher where it is drawn darker); glow art lightens with grey
// values and draws only its heart solid.
TEST_F(ForgedBullets, GhostAndGlowArtStayInTheirShades) {
  struct Group {
    const char* what;
    int first, last, maxShade;
  };
  const Group ghosts[] = {
      {"flame", 0, 4, 17},         {"seeker", 21, 36, 23},      {"explosion", 110, 117, 17},
      {"beam", 118, 125, 26},      {"fire rock", 138, 139, 17}, {"blast", 140, 153, 17},
      {"hero shot", 182, 221, 17}, {"emblem", 222, 222, 17},    {"eye bolt", 223, 230, 17},
      {"strike", 231, 242, 17},    {"sword shot", 243, 258, 19}};
  for (const Group& g : ghosts) {
    for (int i = g.first; i <= g.last; ++i) {
      Placed p = Place(At(i), 0, 0);
      for (size_t k = 0; k < p.pixels.size(); ++k)
        if (p.drawn[k]) {
          ASSERT_LE(ShadeOf(p.pixels[k]), g.maxShade) << g.what << " sprite " << i;
        }
    }
  }
  for (int i = 37; i <= 43; ++i) {
    Placed p = Place(At(i), 0, 0);
    for (size_t k = 0; k < p.pixels.size(); ++k)
      if (p.drawn[k]) {
        ASSERT_NE(p.pixels[k], 0) << "glow sprite " << i << " wastes a pixel";
      }
  }
}

// Flying things are drawn at their bullet's position: the hot spot lies in
// the middle of the body.
TEST_F(ForgedBullets, ShotsAreHeldByTheirMiddle) {
  for (int i : {5, 13, 21, 44, 108, 126, 138, 154, 155, 162, 166, 182, 223, 239, 243}) {
    const Sprite& s = At(i);
    EXPECT_NEAR(s.ofsX, s.width / 2.0, s.width * 0.2 + 1) << i;
    EXPECT_NEAR(s.ofsY, s.height / 2.0, s.height * 0.2 + 1) << i;
  }
}

class ForgedShopAndTitle : public ::testing::Test {
 protected:
  SpriteSet shop_, title_;
  void SetUp() override {
    ASSERT_TRUE(shop_.LoadFile(testing::GameFile("graphics/shop.vsp")));
    ASSERT_TRUE(title_.LoadFile(testing::GameFile("graphics/titlespr.vsp")));
  }
};

TEST_F(ForgedShopAndTitle, ShopGoodsSitInTheirFrames) {
  ASSERT_GE(shop_.Count(), 24);
  for (int i = 0; i < 24; ++i) EXPECT_GT(shop_.GetSprite(i)->width, 0) << i;
  const int cellX = 110, cellY = 130;
  for (int frame : {0, 1}) {
    Placed p = Place(*shop_.GetSprite(frame), cellX, cellY);
    EXPECT_EQ(p.left, cellX);
    EXPECT_EQ(p.top, cellY);
    EXPECT_NEAR(p.width, 54, 2);
    EXPECT_NEAR(p.height, 54, 2);
  }
  Placed cursor = Place(*shop_.GetSprite(2), cellX, cellY);
  EXPECT_LE(cursor.left, cellX - 1);
  EXPECT_GE(cursor.right(), cellX + 54);
  for (int icon = 3; icon <= 23; ++icon) {
    if (icon == 21 || icon == 22) continue;
    Placed p = Place(*shop_.GetSprite(icon), cellX, cellY);
    EXPECT_GE(p.left, cellX + 3) << icon;
    EXPECT_GE(p.top, cellY + 3) << icon;
    EXPECT_LE(p.right(), cellX + 51) << icon;
    EXPECT_LE(p.bottom(), cellY + 51) << icon;
  }
}

// The stats panel is drawn in glow mode at (450, 250) and covers the right
// of the screen; the pause panel leaves room for its entries.
TEST_F(ForgedShopAndTitle, PanelsCoverTheirAreas) {
  Placed stats = Place(*shop_.GetSprite(21), 450, 250);
  EXPECT_LE(stats.left, 362);
  EXPECT_LE(stats.top, 42);
  EXPECT_GE(stats.right(), 636);
  EXPECT_GE(stats.bottom(), 476);
  for (size_t k = 0; k < stats.pixels.size(); ++k)
    if (stats.drawn[k]) {
      ASSERT_NE(stats.pixels[k], 0);
    }
  const Sprite& pause = *shop_.GetSprite(22);
  EXPECT_EQ(pause.ofsX, 0);
  EXPECT_EQ(pause.ofsY, 0);
  EXPECT_LE(pause.width, 250);
  EXPECT_GE(pause.height, 180);  // entries run down to 170 below its top
  EXPECT_GE(pause.width, 200);   // the volume is shown 170 to its right
}

TEST_F(ForgedShopAndTitle, TitleLetteringFitsTheScreen) {
  ASSERT_GE(title_.Count(), 3);
  struct Case {
    int sprite, x, y, width, height;
  };
  const Case cases[] = {
      {0, 80, 10, 480, 100}, {0, 60, 150, 480, 100}, {1, 17, 105, 600, 90}, {1, 12, 55, 600, 90}};
  for (const Case& c : cases) {
    Placed p = Place(*title_.GetSprite(c.sprite), c.x, c.y);
    EXPECT_GE(p.left, 0) << c.sprite;
    EXPECT_LE(p.right(), 639) << c.sprite;
    EXPECT_NEAR(p.width, c.width, 25) << c.sprite;
    EXPECT_NEAR(p.height, c.height, 20) << c.sprite;
  }
  Placed footer = Place(*title_.GetSprite(2), 300, 470);
  EXPECT_GE(footer.top, 440);
  EXPECT_LE(footer.bottom(), 479);
  EXPECT_NEAR((footer.left + footer.right()) / 2.0, 320, 4);
}

}  // namespace
}  // namespace torvel::forge
