#include "gfx/draw_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/trig.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/ramp.h"
#include "gfx/sprites.h"
#include "gfx/tiles.h"
#include "platform/random.h"
#include "support/headless_fixture.h"
#include "world/world.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

Sprite Block(int w, int h, uint8_t value, int16_t ofsX, int16_t ofsY) {
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h, value);
  return EncodeSprite(pixels.data(), w, h, w, 0xFF, ofsX, ofsY);
}

class DrawListTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    InitTrigTables();
    InitGraphics(&display());  // no font files here: only the display and the list matter
    SetTileDisplay(&display());
    ResetCamera();
    SetCamera(ToFixed(320), ToFixed(240));  // the screen shows world (0, 0) .. (639, 479)
  }
  void TearDown() override {
    ExitGraphics();
    SetTileDisplay(nullptr);
    ClearTiles();
    ResetCamera();
    HeadlessTest::TearDown();
  }
  void Fill(uint8_t v) { std::memset(display().screen, v, 640 * 480); }
  std::vector<int32_t> OrderOfX() {
    std::vector<int32_t> xs;
    for (const DrawEntry& e : DrawListInOrder()) xs.push_back(e.x);
    return xs;
  }
};

TEST_F(DrawListTest, EqualKeysKeepTheOrderAddedAndGreaterKeysGoLater) {
  Sprite s = Block(2, 2, 0x25, 0, 0);
  AddToDrawList(1, 100, 0, 255, 0, &s, kDrawVisible);
  AddToDrawList(2, 50, 0, 255, 0, &s, kDrawVisible);
  AddToDrawList(3, 100, 0, 255, 0, &s, kDrawVisible);
  AddToDrawList(4, 100, 5, 255, 0, &s, kDrawVisible);
  AddToDrawList(5, 100, 0, 255, 0, &s, kDrawVisible);
  AddToDrawList(6, 50, 0, 255, 0, &s, kDrawVisible);
  EXPECT_EQ(OrderOfX(), (std::vector<int32_t>{2, 6, 1, 3, 5, 4}));
}

TEST_F(DrawListTest, ShadowsGoFirstNewestShadowFirst) {
  Sprite s = Block(2, 2, 0x25, 0, 0);
  AddToDrawList(1, 10, 0, 255, 0, &s, kDrawVisible);
  AddToDrawList(2, 300, 0, 255, 0, &s, kDrawVisible | kDrawShadow);
  AddToDrawList(3, 5, 0, 255, 0, &s, kDrawVisible);
  AddToDrawList(4, 400, 0, 255, 0, &s, kDrawVisible | kDrawShadow);
  AddToDrawList(5, 1, 0, 255, 0, &s, kDrawVisible);
  EXPECT_EQ(OrderOfX(), (std::vector<int32_t>{4, 2, 5, 3, 1}));
}

TEST_F(DrawListTest, LaterEntriesCoverEarlierOnes) {
  // A sprite further down the screen, added first, still covers the other.
  Sprite low = Block(4, 4, 0x25, 0, 4);
  Sprite high = Block(4, 4, 0x46, 0, 4);
  AddToDrawList(100, 102, 0, 255, 0, &low, kDrawVisible);
  AddToDrawList(100, 101, 0, 255, 0, &high, kDrawVisible);
  RenderWorld(nullptr, nullptr, 7);
  EXPECT_EQ(Pixel(100, 100), 0x25);
  EXPECT_EQ(Pixel(100, 97), 0x46);
  EXPECT_TRUE(DrawListInOrder().empty());
}

TEST_F(DrawListTest, TheEightHundredAndFirstEntryIsRefused) {
  Sprite s = Block(1, 1, 0x25, 0, 0);
  for (int i = 0; i < kDrawListSize; ++i) {
    ASSERT_TRUE(AddToDrawList(i % 600, i % 400, 0, 255, 0, &s, kDrawVisible)) << i;
  }
  EXPECT_FALSE(AddToDrawList(5, 5, 0, 255, 0, &s, kDrawVisible));
  EXPECT_FALSE(AddWall(5, 5, 1, 1, 0, kDrawVisible | kDrawWall));
  EXPECT_EQ(DrawListInOrder().size(), static_cast<size_t>(kDrawListSize));
  // Off-screen objects never take an entry: still true.
  EXPECT_TRUE(AddToDrawList(-5000, 5, 0, 255, 0, &s, kDrawVisible));
  ClearDrawList();
  EXPECT_TRUE(AddToDrawList(5, 5, 0, 255, 0, &s, kDrawVisible));
  EXPECT_EQ(DrawListInOrder().size(), 1u);
}

TEST_F(DrawListTest, ScreenTestKeepsA300PixelMargin) {
  SetCamera(ToFixed(1000), ToFixed(2000));
  Sprite s = Block(1, 1, 0x25, 0, 0);
  struct Case {
    int sx, sy;  // x - camera x + 320, y - camera y + 240
    bool queued;
  };
  for (Case c : {Case{-350, 240, false}, Case{-301, 240, false}, Case{-300, 240, true},
                 Case{940, 240, true}, Case{941, 240, false}, Case{320, -301, false},
                 Case{320, -300, true}, Case{320, 780, true}, Case{320, 781, false}}) {
    ClearDrawList();
    EXPECT_TRUE(AddToDrawList(c.sx + 1000 - 320, c.sy + 2000 - 240, 0, 255, 0, &s, kDrawVisible));
    EXPECT_EQ(DrawListInOrder().size(), c.queued ? 1u : 0u) << c.sx << ", " << c.sy;
  }
}

TEST_F(DrawListTest, FlagsZeroIsNeverQueued) {
  Sprite s = Block(1, 1, 0x25, 0, 0);
  EXPECT_TRUE(AddToDrawList(5, 5, 0, 255, 0, &s, 0));
  EXPECT_TRUE(DrawListInOrder().empty());
}

// One entry of each kind over a uniform background, and the pixel it leaves.
TEST_F(DrawListTest, ModeTable) {
  std::vector<uint8_t> picture(640 * 480, 0x33);
  TilesFromPicture(picture.data());
  TileBlock()[202 * 768] = 0x51;  // wall 3's face, top-left pixel
  TileBlock()[9 * 768] = 0;       // a hole in tile 9
  Sprite light = Block(1, 1, 10, 0, 0);
  Sprite red = Block(1, 1, 0x63, 0, 0);
  Sprite shape = Block(1, 2, 0x63, 0, 0);
  struct Case {
    const char* what;
    const Sprite* sprite;
    uint8_t colour;
    int8_t bright;
    uint8_t flags;
    int z;
    int px, py;  // where to look, relative to the entry's position
    uint8_t want;
  };
  const uint8_t v = kDrawVisible;
  for (Case c : {
           Case{"own colours", &red, 255, 2, v, 0, 0, 0, 0x65},
           Case{"own colours lifted by z", &red, 255, 0, v, 7, 0, -7, 0x63},
           Case{"recoloured", &red, 6, 0, v, 0, 0, 0, 0xC3},
           Case{"glow", &light, 255, 0, static_cast<uint8_t>(v | kDrawGlow), 0, 0, 0, 0x34},
           Case{"ghost", &red, 255, 0, static_cast<uint8_t>(v | kDrawGhost), 0, 0, 0, 0x6D},
           Case{"glow wins over ghost", &red, 255, 0,
                static_cast<uint8_t>(v | kDrawGhost | kDrawGlow), 0, 0, 0, 0x63},
           Case{"shadow", &shape, 255, 0, static_cast<uint8_t>(v | kDrawShadow), 0, -1, 0, 0x26},
           Case{"invisible", &red, 255, 0, kDrawGhost, 0, 0, 0, 0x2A},
           Case{"no object", nullptr, 255, 0, v, 0, 0, 0, 0x2A},
       }) {
    Fill(0x2A);
    ASSERT_TRUE(AddToDrawList(200, 200, c.z, c.colour, c.bright, c.sprite, c.flags));
    RenderWorld(nullptr, nullptr, 7);
    EXPECT_EQ(Pixel(200 + c.px, 200 + c.py), c.want) << c.what;
  }

  // Particles go to the dot plotter at their height; bright carries the dot's size.
  Fill(0x2A);
  AddParticle(300, 200, 10, 0x47, 0, v | kDrawParticle);
  AddParticle(400, 200, 0, 0x47, 1, v | kDrawParticle);
  RenderWorld(nullptr, nullptr, 7);
  EXPECT_EQ(Pixel(300, 190), 0x47);
  EXPECT_EQ(Pixel(301, 190), 0x2A);
  EXPECT_EQ(Pixel(300, 200), 0x2A);
  EXPECT_EQ(Pixel(400, 200), 0x47);
  EXPECT_EQ(Pixel(401, 200), 0x46);  // a plus: the arms one shade darker

  Fill(0x3F);
  AddWall(64, 48, 3, 9, 0, v | kDrawWall);
  AddTile(128, 48, 9, -1, v | kDrawTile);
  AddTile(192, 48, 9, 0, v | kDrawTile | kDrawMasked);
  AddWall(256, 48, 3, 9, 0, v | kDrawWall | kDrawMasked);
  AddWall(320, 48, 0, 9, 0, v | kDrawWall);  // wall 0: queued, never drawn
  RenderWorld(nullptr, nullptr, 7);
  EXPECT_EQ(Pixel(64, 48), 0x51);  // face at y
  EXPECT_EQ(Pixel(64, 24), 0x00);  // roof tile 9 a row above, drawn solid: its hole is black
  EXPECT_EQ(Pixel(65, 24), 0x33);
  EXPECT_EQ(Pixel(128, 24), 0x00);  // tiles are drawn a row above their position
  EXPECT_EQ(Pixel(129, 24), 0x32);
  EXPECT_EQ(Pixel(128, 48), 0x3F);
  EXPECT_EQ(Pixel(192, 24), 0x3F);  // masked tile keeps the hole
  EXPECT_EQ(Pixel(193, 24), 0x33);
  EXPECT_EQ(Pixel(256, 24), 0x3F);  // masked roof
  EXPECT_EQ(Pixel(256, 48), 0x51);
  EXPECT_EQ(Pixel(320, 24), 0x3F);
  EXPECT_EQ(Pixel(321, 48), 0x3F);
}

TEST_F(DrawListTest, EntriesAreDrawnRelativeToTheCamera) {
  SetCamera(ToFixed(1000), ToFixed(700));
  Sprite s = Block(1, 1, 0x63, 0, 0);
  AddToDrawList(1000, 700, 0, 255, 0, &s, kDrawVisible);
  Fill(0x3F);
  RenderWorld(nullptr, nullptr, 7);
  EXPECT_EQ(Pixel(320, 240), 0x63);
}

TEST_F(DrawListTest, ShakeJoltsTheViewWithTheDrawingGenerator) {
  SetCamera(ToFixed(1000), ToFixed(700));
  SetShake(2);
  const RandomState before = GetRandomState();
  Sprite s = Block(1, 1, 0x63, 0, 0);
  for (int frame = 0; frame < 3; ++frame) {
    AddToDrawList(1000, 700, 0, 255, 0, &s, kDrawVisible);
    Fill(0x3F);
    RenderWorld(nullptr, nullptr, 7);
    int32_t x1, y1;
    GetCamera(x1, y1);
    if (frame < 2) {
      EXPECT_GE(1000 - x1, 2);
      EXPECT_LE(1000 - x1, 6);
      EXPECT_GE(700 - y1, 2);
      EXPECT_LE(700 - y1, 6);
      // The entry moves on screen with the jolt.
      EXPECT_EQ(Pixel(320 + (1000 - x1), 240 + (700 - y1)), 0x63);
    } else {
      EXPECT_EQ(x1, 1000);
      EXPECT_EQ(y1, 700);
      EXPECT_EQ(Pixel(320, 240), 0x63);
    }
  }
  EXPECT_EQ(GetShake(), 0);
  EXPECT_EQ(GetRandomState().state, before.state);
}

// Frames drawn with no update between them (the game paused, a dialogue
// open, or more frames than steps) each jolt the view from where the camera
// rests: the view never wanders off, and is back when the shake ends.
TEST_F(DrawListTest, AShakeWithoutUpdatesNeverDriftsAndEndsWhereItBegan) {
  SetCamera(ToFixed(1000), ToFixed(700));
  SetShake(60);
  for (int frame = 0; frame < 60; ++frame) {
    RenderWorld(nullptr, nullptr, 7);
    int32_t x, y;
    GetCamera(x, y);
    EXPECT_LE(std::abs(1000 - x), 6) << "frame " << frame;
    EXPECT_LE(std::abs(700 - y), 6) << "frame " << frame;
  }
  EXPECT_EQ(GetShake(), 0);
  RenderWorld(nullptr, nullptr, 7);
  int32_t x, y;
  GetCamera(x, y);
  EXPECT_EQ(x, 1000);
  EXPECT_EQ(y, 700);
}

TEST_F(DrawListTest, SetCameraTakesTheWholePixels) {
  SetCamera(ToFixed(100) + 65535, -1);
  int32_t x, y;
  GetCamera(x, y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, -1);
}

// The first updates from rest, step by step: the velocity set in one update
// moves the camera only in the next one.
TEST_F(DrawListTest, CameraStepsExactly) {
  SetCamera(ToFixed(500), ToFixed(500));
  UpdateCamera(700, 500, 0, 64, 64);  // facing east: target x 780, y 500
  int32_t x, y;
  GetCamera(x, y);
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 500);
  // velocity x = (780 - 500 - 20) * 65536 / 16 - 65536 = 999424: 15.25 pixels.
  UpdateCamera(700, 500, 0, 64, 64);
  GetCamera(x, y);
  EXPECT_EQ(x, 515);
  EXPECT_EQ(y, 500);
  // That update still measured from the camera's previous 500, so the same
  // 15.25 again: 530.5.
  UpdateCamera(700, 500, 0, 64, 64);
  GetCamera(x, y);
  EXPECT_EQ(x, 530);
  // Now from 515: (780 - 515 - 20) * 4096 - 65536 = 937984, 14.3125 pixels.
  UpdateCamera(700, 500, 0, 64, 64);
  GetCamera(x, y);
  EXPECT_EQ(x, 544);  // 530.5 + 14.3125
}

// Standing still, the hero is overtaken by the camera's look-ahead target
// (80 pixels ahead across, 60 up and down). The chase speed is a sixteenth of
// the distance beyond the 20-pixel dead zone, less the damping of one pixel per
// update, so the camera settles once no more than 16 pixels beyond the dead
// zone remain: 36 pixels short of the target, on the side it came from.
TEST_F(DrawListTest, CameraComesToRestAheadOfTheHero) {
  struct Case {
    uint8_t angle;
    int restX, restY;
  };
  // Targets: east 2080, south 1559 (the sine table's 65535), west 1920, north 1440.
  for (Case c : {Case{0, 2080 - 36, 1500}, Case{64, 2000, 1559 - 36}, Case{128, 1920 + 36, 1500},
                 Case{192, 2000, 1440 + 36}}) {
    SetCamera(ToFixed(2000), ToFixed(1500));
    for (int i = 0; i < 400; ++i) UpdateCamera(2000, 1500, c.angle, 128, 128);
    int32_t x, y;
    GetCamera(x, y);
    EXPECT_EQ(x, c.restX) << int(c.angle);
    EXPECT_EQ(y, c.restY) << int(c.angle);
    UpdateCamera(2000, 1500, c.angle, 128, 128);
    int32_t x2, y2;
    GetCamera(x2, y2);
    EXPECT_EQ(x2, x);
    EXPECT_EQ(y2, y);
  }
}

TEST_F(DrawListTest, CameraIsClampedToTheMap) {
  struct Case {
    int heroX, heroY;
    int mapW, mapH;
    int wantX, wantY;
  };
  for (Case c :
       {Case{0, 0, 64, 64, 320, 216}, Case{64 * 32, 64 * 24, 64, 64, 64 * 32 - 320, 64 * 24 - 240},
        Case{100, 100, 20, 20, 320, 216}, Case{600, 470, 20, 20, 320, 240}}) {
    SetCamera(ToFixed(c.heroX), ToFixed(c.heroY));
    Map map;
    map.width = c.mapW;
    map.height = c.mapH;
    for (int i = 0; i < 400; ++i) UpdateCamera(c.heroX, c.heroY, 0, &map);
    int32_t x, y;
    GetCamera(x, y);
    EXPECT_EQ(x, c.wantX) << c.heroX << ", " << c.heroY;
    EXPECT_EQ(y, c.wantY) << c.heroX << ", " << c.heroY;
  }
}

}  // namespace
}  // namespace torvel
