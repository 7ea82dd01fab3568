// Getting around and seeing the map: held scroll keys, the screen's edge,
// the right-button drag, Home, the overview, the logic overlay, the labels
// in the letter coding, the rectangle fill and the eyedropper.
#include "editor_fixture.h"
#include "gfx/font.h"

namespace torvel::testing {
namespace {

class ViewTest : public EditorTest {
 protected:
  // Map 1: a large map (128 x 128) shown from its top-left corner.
  void UseLargeMap() {
    Type('m');
    Click(420, 50);           // New Large
    Click(100, 14 + 14 + 6);  // map 1
    Type(27);
    ASSERT_EQ(EditorMap().width, 128);
  }
  int32_t CameraX() {
    int32_t x = 0, y = 0;
    GetCamera(x, y);
    return x;
  }
  int32_t CameraY() {
    int32_t x = 0, y = 0;
    GetCamera(x, y);
    return y;
  }
  uint8_t FramePixel(int x, int y) { return platform().lastFrame()[y * 640 + x]; }
};

struct HeldCase {
  const char* name;
  int code;   // scan code held
  int ticks;  // ticks it is held
  int tiles;  // tiles the view moves
};
// One at once, a pause, then one a tick, then two a tick.
const HeldCase kHeld[] = {
    {"RightTap", 77, 1, 1},        {"RightPause", 77, 9, 1},   {"RightTen", 77, 10, 2},
    {"RightThirty", 77, 30, 22},   {"RightFifty", 77, 50, 52}, {"DownDigitRow", 3, 30, 22},
    {"DownArrowLong", 80, 45, 42},
};

class HeldScrollTest : public ViewTest, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(HeldScrollTest, MovesAtItsSpeed) {
  const HeldCase& c = GetParam();
  UseLargeMap();
  int32_t x0 = CameraX(), y0 = CameraY();
  platform().Push({Ev::KeyDown, c.code});
  Ticks(c.ticks);
  platform().Push({Ev::KeyUp, c.code});
  Ticks(3);
  bool across = c.code == 77;
  EXPECT_EQ(across ? CameraX() - x0 : CameraY() - y0, (across ? 32 : 24) * c.tiles);
  EXPECT_EQ(across ? CameraY() : CameraX(), across ? y0 : x0);
}

INSTANTIATE_TEST_SUITE_P(Keys, HeldScrollTest, ::testing::ValuesIn(kHeld),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewTest, TheTypedDigitOfAHeldKeyDoesNotMoveTwice) {
  UseLargeMap();
  int32_t x0 = CameraX();
  platform().Push({Ev::KeyDown, 7});  // the digit row's 6, which also types '6'
  platform().Push({Ev::Character, '6'});
  Ticks(3);
  platform().Push({Ev::KeyUp, 7});
  Ticks(2);
  EXPECT_EQ(CameraX() - x0, 32);
  // Typed alone (no key codes), the digit moves as it always did.
  Type('6');
  EXPECT_EQ(CameraX() - x0, 64);
}

TEST_F(ViewTest, ScrollingStopsAtTheMapsEdge) {
  UseLargeMap();
  platform().Push({Ev::KeyDown, 75});
  Ticks(20);
  platform().Push({Ev::KeyUp, 75});
  Ticks(1);
  EXPECT_EQ(CameraX(), 0);
  platform().Push({Ev::KeyDown, 77});
  Ticks(120);
  platform().Push({Ev::KeyUp, 77});
  Ticks(1);
  EXPECT_EQ(CameraX(), 128 * 32);
}

TEST_F(ViewTest, ThePointerRestingOnAnEdgeScrollsThere) {
  UseLargeMap();
  int32_t x0 = CameraX();
  MoveTo(639, 200);
  Ticks(8);
  EXPECT_EQ(CameraX(), x0) << "passing by does not scroll";
  Ticks(11);
  EXPECT_GT(CameraX(), x0);
  int32_t x1 = CameraX();
  Ticks(20);
  EXPECT_EQ(CameraX() - x1, 10 * 32) << "a tile every other tick";
  MoveTo(320, 200);
  int32_t x2 = CameraX();
  Ticks(10);
  EXPECT_EQ(CameraX(), x2);
}

TEST_F(ViewTest, RightDragPullsTheMapAlong) {
  UseLargeMap();
  CameraTo(640, 480);
  MoveTo(300, 200);
  platform().Push({Ev::RightMouseDown});
  Ticks(1);
  platform().SetMousePosition(320 - 64, 240 - 48);
  Ticks(1);
  EXPECT_EQ(CameraX(), 640 + 64);
  EXPECT_EQ(CameraY(), 480 + 48);
  EXPECT_EQ(St().pointerX, 300) << "the pointer stays on the map it holds";
  EXPECT_EQ(St().pointerY, 200);
  platform().Push({Ev::RightMouseUp});
  Ticks(1);
  MoveTo(310, 210);
  EXPECT_EQ(CameraX(), 640 + 64);
}

TEST_F(ViewTest, HomeGoesToTheHerosStart) {
  UseLargeMap();
  platform().Push({Ev::KeyDown, 71});
  Ticks(1);
  EXPECT_STREQ(St().notice, "this map has no hero start");
  platform().Push({Ev::KeyUp, 71});
  CameraTo(32 * 40, 24 * 30);
  SelectTool(kToolMonster);
  PointAtTile(41, 31);
  Press();
  Release();
  CameraTo(32 * 90, 24 * 100);
  platform().Push({Ev::KeyDown, 71});
  Ticks(1);
  EXPECT_EQ(CameraX(), 41 * 32 + 16);
  EXPECT_EQ(CameraY(), 31 * 24 + 12);
}

TEST_F(ViewTest, AClickInTheOverviewMovesTheView) {
  UseLargeMap();
  Type(9);  // Tab
  ASSERT_EQ(St().mode, kModeOverview);
  // 128 tiles of 3 pixels each, centred: x from 128, y from 18.
  Click(128 + 50 * 3 + 1, 18 + 70 * 3 + 1);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_EQ(CameraX(), 50 * 32 + 16);
  EXPECT_EQ(CameraY(), 70 * 24 + 12);
  // Escape goes back as Tab does.
  Type(9);
  Type(27);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_EQ(CameraX(), 50 * 32 + 16);
}

TEST_F(ViewTest, TheOverviewShowsTheMapsTiles) {
  UseLargeMap();
  BlankMap();
  for (int x = 10; x < 20; ++x) At(x, 5).wall = 3;
  At(60, 60).floor = 0;
  Type(9);
  Ticks(1);
  // A wall tile and a floor tile of the same roof and floor image differ.
  EXPECT_NE(FramePixel(128 + 12 * 3 + 1, 18 + 5 * 3 + 1),
            FramePixel(128 + 12 * 3 + 1, 18 + 7 * 3 + 1));
  // The view's outline in white, from the map's top-left corner (where the
  // camera shows it) 640 pixels, 60 tiles, across.
  EXPECT_EQ(FramePixel(128 + 5, 18), 31);
  EXPECT_EQ(FramePixel(128 + 60, 18), 31);
  EXPECT_NE(FramePixel(128 + 66, 18), 31);
}

// The overlay's marks, in map-view pixels, with the camera at the map's
// top-left corner: tile (x, y) starts at (320 + 32x, 240 + 24y).
TEST_F(ViewTest, TheOverlayMarksSpecialsTheirTargetsAndMonsterStarts) {
  BlankMap();
  Special& sp = EditorMap().specials[3];
  sp.trigger = 0x0001;
  sp.effect = 5;  // Teleport
  sp.x = 2;
  sp.y = 1;
  sp.targetX = 6;
  sp.targetY = 5;
  EditorMap().monsters[0] = MonsterStart{1, 3, 2};  // kind 2 at (1, 3)
  Type('l');
  ASSERT_TRUE(St().overlay);
  MoveTo(20, 400);
  Ticks(1);
  constexpr uint8_t kGold = 5 * 32 + 30, kRed = 4 * 32 + 28;
  // The trigger tile's outline, at its corners.
  EXPECT_EQ(FramePixel(320 + 64, 240 + 24), kGold);
  EXPECT_EQ(FramePixel(320 + 64 + 31, 240 + 24 + 23), kGold);
  // The target tile's box and cross.
  EXPECT_EQ(FramePixel(320 + 192 + 4, 240 + 120 + 4), kGold);
  EXPECT_EQ(FramePixel(320 + 192 + 27, 240 + 120 + 19), kGold);
  // The line between the two tiles' centres passes through its middle.
  int mx = (320 + 64 + 16 + 320 + 192 + 16) / 2, my = (240 + 24 + 12 + 240 + 120 + 12) / 2;
  bool onLine = false;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) onLine = onLine || FramePixel(mx + dx, my + dy) == kGold;
  EXPECT_TRUE(onLine);
  // The monster start's box.
  EXPECT_EQ(FramePixel(320 + 32 + 2, 240 + 72 + 2), kRed);
  EXPECT_EQ(FramePixel(320 + 32 + 29, 240 + 72 + 21), kRed);
  // Its label stands above the tile; the counts at the top-left corner.
  int inked = 0;
  for (int x = 320 + 32; x < 320 + 32 + 60; ++x)
    for (int y = 240 + 72 - 12; y < 240 + 72 - 1; ++y)
      inked += FramePixel(x, y) >= 28 && FramePixel(x, y) <= 31;
  EXPECT_GT(inked, 10);
  EXPECT_EQ(FramePixel(0, 0), 16);
  // Off again, the marks go.
  Type('l');
  Ticks(1);
  EXPECT_NE(FramePixel(320 + 64, 240 + 24), kGold);
}

TEST_F(ViewTest, LetterCodedLabelsUseTheCyrillicEditorFont) {
  Font coded;
  ASSERT_EQ(LoadFont("graphics\\verdanaru.vft", coded), kFontOk);
  const Font* plain = GetFont(kFontEditor);
  ASSERT_NE(plain, nullptr);
  // The file menu's load button: "C4NTATb" as the Cyrillic font draws it.
  Type('f');
  Ticks(1);
  std::vector<uint8_t> expected(640 * 480, 0), other(640 * 480, 0);
  auto region = [&](const std::vector<uint8_t>& screen) {
    std::vector<uint8_t> out;
    for (int y = 182; y <= 192; ++y)
      for (int x = 371; x <= 419; ++x)
        out.push_back(screen[y * 640 + x] != 8 ? screen[y * 640 + x] : 0);
    return out;
  };
  std::vector<uint8_t> shown = region(platform().lastFrame());
  uint8_t* keep = display().screen;
  display().screen = expected.data();
  DrawString(&display(), 372, 182, "C4NTATb", coded);
  display().screen = other.data();
  DrawString(&display(), 372, 182, "C4NTATb", *plain);
  display().screen = keep;
  EXPECT_EQ(shown, region(expected));
  EXPECT_NE(shown, region(other));
}

TEST_F(ViewTest, RectangleFillsBetweenTwoCorners) {
  BlankMap();
  SelectTool(kToolWall);
  TypeTimes('p', 4);  // roof 4
  TypeTimes(']', 2);  // wall 3
  PointAtTile(5, 4);
  Type('r');
  PointAtTile(2, 1);
  Type('r');
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 7; ++y) {
      bool inside = x >= 2 && x <= 5 && y >= 1 && y <= 4;
      EXPECT_EQ(At(x, y).wall, inside ? 3 : 0) << x << "," << y;
      EXPECT_EQ(At(x, y).floor, inside ? 4 : 0) << x << "," << y;
    }
  }
  // Other tools say what the rectangle is for and change nothing.
  SelectTool(kToolItem);
  Type('r');
  EXPECT_STREQ(St().notice, "the rectangle fills with the Floor or the Wall tool");
}

TEST_F(ViewTest, TheEyedropperPicksUpFloorsAndWalls) {
  BlankMap();
  At(3, 3) = Tile{17, 0, 0, 0, 0, 0};
  At(4, 3) = Tile{190, 12, 0, 0, 0, 0};
  SelectTool(kToolLight);
  PointAtTile(3, 3);
  Type('e');
  EXPECT_EQ(St().floorChoice, 17);
  EXPECT_EQ(St().tool, kToolFloor);
  PointAtTile(4, 3);
  Type('e');
  EXPECT_EQ(St().wallChoice, 12);
  EXPECT_EQ(St().roofChoice, 190);
  EXPECT_EQ(St().tool, kToolWall);
  EXPECT_EQ(St().floorChoice, 17);
}

}  // namespace
}  // namespace torvel::testing

namespace torvel::testing {
namespace {

TEST_F(ViewTest, LettersTypedFasterThanATickAreAllKept) {
  for (char c : std::string("fmine.vwd")) platform().PushChar(c);
  Ticks(3);
  EXPECT_EQ(St().mode, kModeFileMenu);
  EXPECT_STREQ(St().fileNameBox, "mine.vwd");
}

TEST_F(ViewTest, ATapShorterThanATickStillClicks) {
  BlankMap();
  SelectTool(kToolItem);
  PointAtTile(4, 4);
  const size_t steps = St().undoSteps;
  platform().Push({Ev::MouseDown});
  platform().Push({Ev::MouseUp});
  Ticks(3);
  EXPECT_EQ(At(4, 4).item, 1);
  EXPECT_EQ(St().undoSteps, steps + 1);
  // And a held button is one click, not two.
  PointAtTile(5, 4);
  Press();
  Ticks(3);
  Release();
  EXPECT_EQ(St().undoSteps, steps + 2);
}

}  // namespace
}  // namespace torvel::testing
