#include "gfx/tiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/ramp.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

// Tile pixel (c, r) of tile t in the test block: ramp t % 8, shade from the
// column, so that every column of a tile is told apart.
uint8_t TilePixel(int t, int c, int r) {
  return static_cast<uint8_t>(((t % 7) + 1) * 32 + (c % 32 == 31 ? 30 : c % 30) + (r % 2));
}

class TileTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetTileDisplay(&display());
    std::vector<uint8_t> picture(640 * 480);
    for (int t = 0; t < kTileCount; ++t) {
      for (int r = 0; r < 24; ++r) {
        for (int c = 0; c < 32; ++c) {
          picture[((t / 20) * 24 + r) * 640 + (t % 20) * 32 + c] = TilePixel(t, c, r);
        }
      }
    }
    TilesFromPicture(picture.data());
  }
  void TearDown() override {
    SetTileDisplay(nullptr);
    ClearTiles();
    HeadlessTest::TearDown();
  }
  void Fill(uint8_t v) { std::memset(display().screen, v, 640 * 480); }

  // Every screen pixel: rule(tile pixel) inside the tile's on-screen part,
  // the background elsewhere.
  template <typename Rule>
  void ExpectTile(int t, int x, int y, uint8_t background, Rule rule) {
    int wrong = 0;
    for (int sy = 0; sy < 480; ++sy) {
      for (int sx = 0; sx < 640; ++sx) {
        const int64_t c = int64_t{sx} - x;
        const int64_t r = int64_t{sy} - y;
        uint8_t want = background;
        if (c >= 0 && c < 32 && r >= 0 && r < 24) {
          want = rule(TilePixel(t, static_cast<int>(c), static_cast<int>(r)), static_cast<int>(c),
                      background);
        }
        if (Pixel(sx, sy) != want && ++wrong < 5) {
          ADD_FAILURE() << "(" << sx << ", " << sy << ") is " << int(Pixel(sx, sy)) << " want "
                        << int(want) << ", tile at " << x << ", " << y;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
};

TEST_F(TileTest, PictureIsCutTwentyTilesToARow) {
  for (int t : {0, 19, 20, 217, 399}) {
    const uint8_t* tile = GetTile(t);
    ASSERT_NE(tile, nullptr);
    for (int r = 0; r < 24; ++r)
      for (int c = 0; c < 32; ++c) ASSERT_EQ(tile[r * 32 + c], TilePixel(t, c, r)) << t;
  }
  EXPECT_EQ(GetTile(400), nullptr);
  EXPECT_EQ(GetTile(-1), nullptr);
}

TEST_F(TileTest, BlockRoundTripsAndAShortBlockIsRefused) {
  ByteWriter w;
  WriteTiles(w);
  ASSERT_EQ(w.size(), 307200u);
  std::vector<uint8_t> saved = w.bytes();
  ClearTiles();
  ByteReader r(saved);
  ASSERT_TRUE(ReadTiles(r));
  EXPECT_EQ(std::memcmp(TileBlock(), saved.data(), saved.size()), 0);

  std::vector<uint8_t> shortBlock(307199, 0x11);
  ByteReader s(shortBlock);
  EXPECT_FALSE(ReadTiles(s));
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(std::memcmp(TileBlock(), saved.data(), saved.size()), 0);
}

TEST_F(TileTest, ClippingAtTheScreenEdges) {
  struct Where {
    int x, y;
  };
  auto copy = [](uint8_t p, int, uint8_t) { return p; };
  for (Where w : {Where{100, 100},     Where{620, 50},     Where{608, 50},      Where{609, 50},
                  Where{639, 50},      Where{640, 50},     Where{-5, 50},       Where{-31, 50},
                  Where{-32, 50},      Where{50, -5},      Where{50, -23},      Where{50, -24},
                  Where{50, 456},      Where{50, 470},     Where{50, 479},      Where{50, 480},
                  Where{-10, -10},     Where{620, 470},    Where{INT32_MIN, 5}, Where{INT32_MAX, 5},
                  Where{5, INT32_MIN}, Where{5, INT32_MAX}}) {
    Fill(0xEE);
    DrawTile(w.x, w.y, 217);
    ExpectTile(217, w.x, w.y, 0xEE, copy);
  }
}

TEST_F(TileTest, TileAt620ShowsItsFirstTwentyColumns) {
  Fill(0xEE);
  DrawTile(620, 0, 5);
  for (int c = 0; c < 20; ++c) EXPECT_EQ(Pixel(620 + c, 3), TilePixel(5, c, 3));
}

TEST_F(TileTest, BrightForms) {
  struct Case {
    int bright;
    const char* what;
  };
  for (Case c : {Case{0, "copy"}, Case{5, "brighter"}, Case{-28, "darkest drawn"},
                 Case{-29, "black"}, Case{-128, "black"}, Case{34, "flash"}}) {
    for (int x : {100, -7, 615}) {
      Fill(0xEE);
      DrawTileBright(x, 40, 3, static_cast<int8_t>(c.bright));
      ExpectTile(3, x, 40, 0xEE, [&](uint8_t p, int, uint8_t) -> uint8_t {
        return c.bright < -28 ? 0 : Brighten(p, c.bright);
      });
    }
  }
}

TEST_F(TileTest, ShadedFormDarkensTheRightEdgeByTileColumn) {
  for (int bright : {0, 3, -30}) {
    for (int x : {100, -27, 630}) {
      Fill(0xEE);
      DrawTileShaded(x, 40, 9, static_cast<int8_t>(bright));
      ExpectTile(9, x, 40, 0xEE, [&](uint8_t p, int c, uint8_t) {
        return Brighten(p, c >= 25 ? bright - 4 : bright);
      });
    }
  }
}

TEST_F(TileTest, MaskedFormLeavesZeroPixelsAlone) {
  // Punch holes into tile 4.
  uint8_t* tile = TileBlock() + 4 * 768;
  for (int i = 0; i < 768; i += 3) tile[i] = 0;
  for (int bright : {0, -5}) {
    Fill(0xEE);
    DrawTileMasked(10, 10, 4, static_cast<int8_t>(bright));
    for (int r = 0; r < 24; ++r) {
      for (int c = 0; c < 32; ++c) {
        const uint8_t p = tile[r * 32 + c];
        EXPECT_EQ(Pixel(10 + c, 10 + r), p == 0 ? 0xEE : Brighten(p, bright));
      }
    }
  }
}

TEST_F(TileTest, WallsDrawTheirFaceAndTheRoofAbove) {
  Fill(0xEE);
  DrawWall(64, 48, 3, 17, 0);
  for (int r = 0; r < 24; ++r) {
    for (int c = 0; c < 32; ++c) {
      ASSERT_EQ(Pixel(64 + c, 48 + r), TilePixel(202, c, r));  // wall 3 is tile 202
      ASSERT_EQ(Pixel(64 + c, 24 + r), TilePixel(17, c, r));
    }
  }
  EXPECT_EQ(Pixel(64, 23), 0xEE);
  EXPECT_EQ(Pixel(64, 72), 0xEE);

  // The masked form keeps the roof's holes; the face stays solid.
  uint8_t* roof = TileBlock() + 17 * 768;
  roof[5 * 32 + 2] = 0;
  uint8_t* face = TileBlock() + 202 * 768;
  face[0] = 0;
  Fill(0xEE);
  DrawWallMasked(64, 48, 3, 17, -2);
  EXPECT_EQ(Pixel(64 + 2, 24 + 5), 0xEE);
  EXPECT_EQ(Pixel(64 + 3, 24 + 5), Brighten(TilePixel(17, 3, 5), -2));
  EXPECT_EQ(Pixel(64, 48), 0);
  EXPECT_EQ(Pixel(65, 48), Brighten(TilePixel(202, 1, 0), -2));
}

TEST_F(TileTest, TileNumbersOutsideTheBlockDrawNothing) {
  Fill(0xEE);
  DrawTile(10, 10, 400);
  DrawTileBright(10, 10, -1, 5);
  DrawWall(10, 100, 255, 7, 0);  // face tile 454 does not exist; the roof does
  EXPECT_EQ(Pixel(10, 10), 0xEE);
  EXPECT_EQ(Pixel(10, 100), 0xEE);
  EXPECT_EQ(Pixel(10, 76), TilePixel(7, 0, 0));
}

TEST_F(TileTest, NoDisplayDrawsNothing) {
  SetTileDisplay(nullptr);
  Fill(0xEE);
  DrawTile(10, 10, 1);
  EXPECT_EQ(Pixel(10, 10), 0xEE);
}

}  // namespace
}  // namespace torvel
