// The forged sprite sets, read back with the game's loader: every index the
// game draws holds art, placeholders are empty, and the pieces sit where
// the drawing code puts them.
#include <gtest/gtest.h>

#include <algorithm>
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
