#include "gfx/sprites.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

// A width x height image whose opaque pixels carry their own position
// (1 + row * width + column, never 0), with the pixels listed in holes clear.
struct Picture {
  int width;
  int height;
  std::vector<uint8_t> pixels;
  static constexpr uint8_t kClear = 0xFF;

  Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {
    for (int i = 0; i < w * h; ++i) pixels[i] = static_cast<uint8_t>(1 + i % 200);
  }
  uint8_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  Sprite Encode(int16_t ofsX, int16_t ofsY) const {
    return EncodeSprite(pixels.data(), width, height, width, kClear, ofsX, ofsY);
  }
};

// Builds a set file by hand: records, then the data blocks.
std::vector<uint8_t> SetBytes(const std::vector<Sprite>& sprites, int countOverride = -1) {
  std::vector<uint8_t> bytes = EncodeSpriteSet(sprites);
  if (countOverride >= 0) {
    bytes[0] = static_cast<uint8_t>(countOverride);
    bytes[1] = static_cast<uint8_t>(countOverride >> 8);
  }
  return bytes;
}

Sprite RawSprite(uint16_t w, uint16_t h, std::vector<uint8_t> runs) {
  Sprite s;
  s.width = w;
  s.height = h;
  s.data = std::move(runs);
  return s;
}

class SpriteDrawTest : public HeadlessTest {
 protected:
  void Fill(uint8_t v) { std::memset(display().screen, v, 640 * 480); }
  // Every screen pixel against the plain geometry of a sprite drawn with its
  // top-left corner at (left, top): picture pixels where opaque and on the
  // screen, the background elsewhere.
  void ExpectPlacedAt(const Picture& pic, int64_t left, int64_t top, uint8_t background) {
    int wrong = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        uint8_t want = background;
        const int64_t px = x - left;
        const int64_t py = y - top;
        if (px >= 0 && px < pic.width && py >= 0 && py < pic.height) {
          const uint8_t p = pic.pixels[py * pic.width + px];
          if (p != Picture::kClear) want = p;
        }
        if (Pixel(x, y) != want && ++wrong < 5) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << int(Pixel(x, y)) << ", want "
                        << int(want) << " for left " << left << " top " << top;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
};

TEST(SpriteSetTest, EmptySetLoadsAndHasNoSprites) {
  SpriteSet set;
  std::vector<uint8_t> bytes = SetBytes({});
  ASSERT_TRUE(set.LoadBytes(bytes.data(), bytes.size()));
  EXPECT_EQ(set.Count(), 0);
  EXPECT_EQ(set.GetSprite(0), nullptr);
}

TEST(SpriteSetTest, GetSpriteOutsideTheSetGivesNone) {
  Picture pic(3, 2);
  std::vector<uint8_t> bytes = SetBytes({pic.Encode(0, 0), pic.Encode(1, 1)});
  SpriteSet set;
  ASSERT_TRUE(set.LoadBytes(bytes.data(), bytes.size()));
  EXPECT_NE(set.GetSprite(0), nullptr);
  EXPECT_NE(set.GetSprite(1), nullptr);
  EXPECT_EQ(set.GetSprite(2), nullptr);
  EXPECT_EQ(set.GetSprite(-1), nullptr);
  set.Free();
  EXPECT_EQ(set.Count(), 0);
  EXPECT_EQ(set.GetSprite(0), nullptr);
}

TEST(SpriteSetTest, RecordsKeepTheirFields) {
  Picture pic(5, 3);
  std::vector<uint8_t> bytes = SetBytes({pic.Encode(-7, 300)});
  SpriteSet set;
  ASSERT_TRUE(set.LoadBytes(bytes.data(), bytes.size()));
  const Sprite* s = set.GetSprite(0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->width, 5);
  EXPECT_EQ(s->height, 3);
  EXPECT_EQ(s->ofsX, -7);
  EXPECT_EQ(s->ofsY, 300);
}

TEST(SpriteSetTest, RoundTripThroughAFileGivesTheSamePixels) {
  testing::MakeTempDir("SpriteSetRoundTrip");
  std::string path = std::string(TORVEL_TEST_TMP) + "/SpriteSetRoundTrip/a.vsp";
  std::vector<Picture> pictures = {Picture(1, 1), Picture(300, 4), Picture(17, 9), Picture(0, 0)};
  pictures[1].At(0, 0) = Picture::kClear;
  for (int x = 100; x < 299; ++x) pictures[1].At(x, 2) = Picture::kClear;
  for (int y = 0; y < 9; ++y) pictures[2].At(16, y) = Picture::kClear;  // rows end clear
  pictures[2].At(3, 3) = 0;  // a black opaque pixel stays opaque
  SpriteSet built;
  for (const Picture& p : pictures) ASSERT_TRUE(built.Add(p.Encode(2, 3)));
  ASSERT_TRUE(built.Save(path));

  SpriteSet loaded;
  ASSERT_TRUE(loaded.LoadFile(path));
  ASSERT_EQ(loaded.Count(), pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(UnpackSprite(*loaded.GetSprite(static_cast<int>(i)), Picture::kClear, pixels));
    EXPECT_EQ(pixels, pictures[i].pixels) << "sprite " << i;
  }
  EXPECT_EQ(loaded.Encode(), built.Encode());
}

TEST(SpriteSetTest, EncoderKeepsRunsWithin127) {
  Picture pic(400, 2);
  for (int x = 0; x < 400; ++x) pic.At(x, 1) = Picture::kClear;
  Sprite s = pic.Encode(0, 0);
  ASSERT_TRUE(SpriteRunsValid(s.data.data(), s.data.size(), 400, 2));
  // Walk the runs: every count byte is at most 127 in either form.
  size_t pos = 0;
  int runs = 0;
  for (int row = 0; row < 2; ++row) {
    int done = 0;
    while (done < 400) {
      const uint8_t b = s.data[pos++];
      const int n = b & 127;
      EXPECT_GT(n, 0);
      if (!(b & 0x80)) pos += n;
      done += n;
      ++runs;
    }
  }
  EXPECT_EQ(pos, s.data.size());
  EXPECT_EQ(runs, 8);  // 127 + 127 + 127 + 19 on each row
}

TEST(SpriteSetTest, LoadFromTheGameFolderAndMissingFile) {
  std::string dir = testing::MakeTempDir("SpriteSetGameFolder");
  SetGameDir(dir);
  std::filesystem::create_directories(dir + "/graphics");
  Picture pic(4, 4);
  ASSERT_TRUE(WriteSpriteSet(dir + "/graphics/items.vsp", {pic.Encode(0, 0)}));
  SpriteSet set("graphics\\items.vsp");
  EXPECT_EQ(set.Count(), 1);
  EXPECT_FALSE(set.Load("graphics\\nothere.vsp"));
  EXPECT_EQ(set.Count(), 0);
}

// Files that must be refused, and leave the set empty.
TEST(SpriteSetTest, MalformedSetsAreRefused) {
  Picture pic(4, 2);
  Sprite good = pic.Encode(0, 0);
  std::vector<uint8_t> whole = SetBytes({good, good});
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> truncatedData(whole.begin(), whole.end() - 1);
  std::vector<uint8_t> truncatedRecords(whole.begin(), whole.begin() + 2 + 16 + 8);
  std::vector<Case> cases = {
      {"no bytes", {}},
      {"half a count", {1}},
      {"records cut short", truncatedRecords},
      {"data one byte short", truncatedData},
      {"count larger than the records present", SetBytes({good}, 60000)},
      {"a literal run past the width", SetBytes({RawSprite(4, 1, {5, 1, 2, 3, 4, 5})})},
      {"a skip run past the width", SetBytes({RawSprite(4, 1, {2, 9, 9, 0x83})})},
      {"rows missing", SetBytes({RawSprite(2, 3, {2, 1, 1, 0x82})})},
      {"a literal run's pixels missing", SetBytes({RawSprite(4, 1, {4, 1, 2})})},
      {"size 0 for a sprite with pixels", SetBytes({RawSprite(3, 3, {})})},
  };
  for (const Case& c : cases) {
    SpriteSet set;
    // A loaded set first, to see that a refused load leaves it empty.
    ASSERT_TRUE(set.LoadBytes(whole.data(), whole.size()));
    EXPECT_FALSE(set.LoadBytes(c.bytes.data(), c.bytes.size())) << c.what;
    EXPECT_EQ(set.Count(), 0) << c.what;
    EXPECT_EQ(set.GetSprite(0), nullptr) << c.what;
  }
}

TEST(SpriteSetTest, EmptyRowsAndTrailingBytesAreAccepted) {
  // Width 0 needs no runs at all; bytes after the last row are never read.
  std::vector<uint8_t> bytes = SetBytes({RawSprite(0, 5, {}), RawSprite(2, 1, {0x82, 7, 7})});
  SpriteSet set;
  EXPECT_TRUE(set.LoadBytes(bytes.data(), bytes.size()));
  EXPECT_EQ(set.Count(), 2);
}

TEST(SpriteSetTest, AddRefusesMalformedSprites) {
  SpriteSet set;
  EXPECT_FALSE(set.Add(RawSprite(4, 1, {5, 1, 2, 3, 4, 5})));
  EXPECT_EQ(set.Count(), 0);
}

// Per-pixel arithmetic of the colour modes: one opaque pixel src drawn over a
// screen pixel dst.
struct PixelCase {
  const char* mode;
  uint8_t src;
  uint8_t dst;
  int arg1;
  int arg2;
  uint8_t want;
};

class SpritePixelTest : public SpriteDrawTest, public ::testing::WithParamInterface<PixelCase> {};

TEST_P(SpritePixelTest, ModeGivesThePixel) {
  const PixelCase& c = GetParam();
  Sprite s = RawSprite(1, 1, {1, c.src});
  Fill(c.dst);
  const std::string mode = c.mode;
  Display* d = &display();
  if (mode == "Draw") Draw(&s, 10, 10, d);
  if (mode == "DrawBright") DrawBright(&s, 10, 10, d, static_cast<int8_t>(c.arg1));
  if (mode == "DrawColored")
    DrawColored(&s, 10, 10, d, static_cast<uint8_t>(c.arg1), static_cast<int8_t>(c.arg2));
  if (mode == "DrawGlow") DrawGlow(&s, 10, 10, d, static_cast<int8_t>(c.arg1));
  if (mode == "DrawGhost") DrawGhost(&s, 10, 10, d, static_cast<int8_t>(c.arg1));
  EXPECT_EQ(Pixel(10, 10), c.want) << c.mode << " src " << int(c.src) << " dst " << int(c.dst);
  EXPECT_EQ(Pixel(11, 10), c.dst);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SpritePixelTest,
    ::testing::Values(PixelCase{"Draw", 0x25, 0x55, 0, 0, 0x25},
                      PixelCase{"Draw", 0x00, 0x55, 0, 0, 0x00},  // black is drawn
                      PixelCase{"DrawBright", 0x25, 0x55, 40, 0, 0x3F},
                      PixelCase{"DrawBright", 0x25, 0x55, -40, 0, 0x20},
                      PixelCase{"DrawBright", 0x25, 0x55, 0, 0, 0x25},
                      PixelCase{"DrawBright", 0x25, 0x55, 3, 0, 0x28},
                      PixelCase{"DrawBright", 0xFF, 0x55, 127, 0, 0xFF},
                      PixelCase{"DrawBright", 0xE0, 0x55, -128, 0, 0xE0},
                      PixelCase{"DrawColored", 0x25, 0x55, 6, 0, 0xC5},
                      PixelCase{"DrawColored", 0x25, 0x55, 6, 4, 0xC9},
                      PixelCase{"DrawColored", 0x25, 0x55, 0, -10, 0x00},
                      PixelCase{"DrawColored", 0x3E, 0x55, 7, 5, 0xFF},
                      PixelCase{"DrawGlow", 10, 0x55, 0, 0, 0x5F},
                      PixelCase{"DrawGlow", 10, 0x45, 0, 0, 0x4F},
                      PixelCase{"DrawGlow", 10, 0x45, -20, 0, 0x4F},  // light ignores bright
                      PixelCase{"DrawGlow", 0, 0x45, 0, 0, 0x45},
                      PixelCase{"DrawGlow", 31, 0xE0, 0, 0, 0xFF},
                      PixelCase{"DrawGlow", 0x65, 0x45, 0, 0, 0x65},  // not ramp 0: plain
                      PixelCase{"DrawGlow", 0x65, 0x45, 4, 0, 0x69},
                      PixelCase{"DrawGhost", 0x63, 0x2A, 0, 0, 0x6D},
                      PixelCase{"DrawGhost", 0x63, 0x2A, -20, 0, 0x60},
                      PixelCase{"DrawGhost", 0x7F, 0x3F, 0, 0, 0x7F},
                      PixelCase{"DrawGhost", 0x63, 0x2A, 2, 0, 0x6F}));

TEST_F(SpriteDrawTest, ShadowDarkensByFourShadesWithinTheRamp) {
  struct Case {
    uint8_t dst;
    uint8_t want;
  };
  for (Case c :
       {Case{0x42, 0x40}, Case{0x47, 0x43}, Case{0x44, 0x40}, Case{0x00, 0x00}, Case{0xFF, 0xFB}}) {
    Sprite s = RawSprite(1, 2, {1, 9, 1, 9});
    Fill(c.dst);
    // One shadow row, starting one pixel left of the sprite's left edge.
    DrawShadow(&s, 100, 100, &display());
    EXPECT_EQ(Pixel(99, 100), c.want) << int(c.dst);
    EXPECT_EQ(Pixel(100, 100), c.dst);
  }
}

// A sprite drawn at positions all around the screen edges shows exactly the
// part that lies on the screen.
TEST_F(SpriteDrawTest, PlacementAndClippingAtEveryEdge) {
  Picture pic(40, 30);
  pic.At(0, 0) = Picture::kClear;
  for (int y = 0; y < 30; ++y) pic.At(20, y) = Picture::kClear;
  for (int x = 0; x < 40; ++x) pic.At(x, 7) = Picture::kClear;
  Sprite s = pic.Encode(5, 8);
  struct Where {
    int x, y;
  };
  for (Where w :
       {Where{100, 100}, Where{5, 8}, Where{0, 0}, Where{-10, 50}, Where{5, -5 + 8},
        Where{5 + 639, 50}, Where{5 + 640, 50}, Where{5 + 620, 50}, Where{5 + 610, 8 + 460},
        Where{50, 8 + 479}, Where{50, 8 + 480}, Where{-34 + 5, -29 + 8}, Where{-35 + 5, 100},
        Where{100, -30 + 8}, Where{5 + 639, 8 + 479}}) {
    Fill(0xEE);
    Draw(&s, w.x, w.y, &display());
    ExpectPlacedAt(pic, w.x - 5, w.y - 8, 0xEE);
  }
}

TEST_F(SpriteDrawTest, FarAwayCoordinatesDrawNothing) {
  Picture pic(8, 8);
  Sprite s = pic.Encode(-32768, 32767);
  for (int x : {INT32_MIN, -100000, 100000, INT32_MAX}) {
    for (int y : {INT32_MIN, -100000, 100000, INT32_MAX}) {
      Fill(0xEE);
      Draw(&s, x, y, &display());
      DrawShadow(&s, x, y, &display());
      DrawGhost(&s, x, y, &display(), 3);
      ExpectPlacedAt(pic, int64_t{x} + 32768, int64_t{y} - 32767, 0xEE);
    }
  }
}

TEST_F(SpriteDrawTest, NullSpriteOrDisplayDrawsNothing) {
  Picture pic(8, 8);
  Sprite s = pic.Encode(0, 0);
  Fill(0xEE);
  Draw(nullptr, 10, 10, &display());
  DrawShadow(nullptr, 10, 10, &display());
  Draw(&s, 10, 10, nullptr);
  EXPECT_EQ(Pixel(10, 10), 0xEE);
}

// The shadow: half the rows (source rows 0, 2, 4, ...), each starting one
// pixel further right than the row above, its last row starting one pixel
// left of the sprite, columns 0..638 only.
TEST_F(SpriteDrawTest, ShadowGeometry) {
  Picture pic(10, 8);
  for (int y = 0; y < 8; ++y) pic.At(y, y) = Picture::kClear;  // a distinct hole per row
  const int ofsX = 5;
  const int ofsY = 8;  // hot spot at the bottom edge
  Sprite s = pic.Encode(ofsX, ofsY);
  struct Where {
    int x, y;
  };
  for (Where w : {Where{100, 100}, Where{0, 50}, Where{640, 50}, Where{636, 50}, Where{50, 2},
                  Where{50, 480}, Where{50, 483}, Where{-5, 200}}) {
    Fill(0x47);
    DrawShadow(&s, w.x, w.y, &display());
    const int left = w.x - ofsX - 8 / 2;
    const int top = w.y - ofsY / 2;
    int wrong = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        bool covered = false;
        const int k = y - top;
        if (k >= 0 && k < 4 && x <= 638) {
          const int px = x - (left + k);
          covered = px >= 0 && px < 10 && pic.At(px, 2 * k) != Picture::kClear;
        }
        if (Pixel(x, y) != (covered ? 0x43 : 0x47)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << "at " << w.x << ", " << w.y;
    // With the hot spot at the bottom, the last shadow row lies on y - 1 and
    // starts at x - ofsX - 1.
    if (w.x == 100) {
      EXPECT_EQ(Pixel(100 - ofsX - 1 + 1, 99), 0x43);
      EXPECT_EQ(Pixel(100 - ofsX - 1 + 6, 99), 0x47);  // the hole of source row 6
      EXPECT_EQ(Pixel(100, 100), 0x47);
    }
  }
}

TEST_F(SpriteDrawTest, ShadowOfAnOddHeightAndNegativeOffsetRoundsTowardZero) {
  Picture pic(4, 5);
  Sprite s = pic.Encode(0, -3);
  Fill(0x47);
  DrawShadow(&s, 200, 200, &display());
  // Two rows (5 / 2); top at 200 - (-3 / 2) = 201; left at 200 - 0 - 2.
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(Pixel(198 + k - 1, 201 + k), 0x47);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Pixel(198 + k + c, 201 + k), 0x43);
    EXPECT_EQ(Pixel(198 + k + 4, 201 + k), 0x47);
  }
  EXPECT_EQ(Pixel(199, 200), 0x47);
  EXPECT_EQ(Pixel(200, 203), 0x47);
}

}  // namespace
}  // namespace torvel
