// The editor's map view: the tools and their brush, held painting, the keys,
// the camera, auto-tile, and the ways out.
#include <cstdlib>

#include "editor_fixture.h"

namespace torvel::testing {
namespace {

using EditorPaintTest = EditorTest;

struct BrushCase {
  const char* name;
  int brush;
  int tx, ty;
  int32_t cameraX, cameraY;
};

// Corners, edges and a centre off the map: brush tiles off the map are skipped.
const BrushCase kBrushCases[] = {
    {"TopLeftCornerBrush1", 1, 0, 0, 0, 0},    {"TopLeftCornerBrush2", 2, 0, 0, 0, 0},
    {"CentreOffTheMapBrush3", 3, -1, 4, 0, 0}, {"BottomRightBrush3", 3, 19, 19, 320, 312},
    {"RightEdgeBrush4", 4, 19, 2, 320, 0},     {"InsideBrush10", 10, 9, 9, 160, 96},
};

class BrushTest : public EditorTest, public ::testing::WithParamInterface<BrushCase> {};

TEST_P(BrushTest, FloorAndWallCoverTheBrushSquareOnTheMap) {
  const BrushCase& c = GetParam();
  for (uint8_t tool : {kToolFloor, kToolWall}) {
    BlankMap();
    for (Tile& t : EditorMap().tiles) t.wall = 3;
    SelectTool(tool);
    while (St().brush != c.brush) Type('b');
    TypeTimes('+', 7);  // floor choice 7
    TypeTimes('p', 9);  // roof choice 9
    TypeTimes(']', 4);  // wall choice 5
    CameraTo(c.cameraX, c.cameraY);
    PointAtTile(c.tx, c.ty);
    Press();
    Release();
    int reach = c.brush - 1;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        bool inside = std::abs(x - c.tx) <= reach && std::abs(y - c.ty) <= reach;
        const Tile& t = At(x, y);
        if (!inside) {
          EXPECT_EQ(t.floor, 0) << x << "," << y;
          EXPECT_EQ(t.wall, 3) << x << "," << y;
        } else if (tool == kToolFloor) {
          EXPECT_EQ(t.floor, 7) << x << "," << y;
          EXPECT_EQ(t.wall, 0) << x << "," << y;
        } else {
          EXPECT_EQ(t.floor, 9) << x << "," << y;
          EXPECT_EQ(t.wall, 5) << x << "," << y;
        }
      }
    }
    ResetEditorChoices();
  }
}

INSTANTIATE_TEST_SUITE_P(Brushes, BrushTest, ::testing::ValuesIn(kBrushCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorPaintTest, HeldFloorPaintsTheBrushEveryTickAlongAScriptedPath) {
  BlankMap();
  Type('b');  // brush 2
  TypeTimes('+', 6);
  PointAtTile(3, 3);
  // The path the mouse takes, one step a frame, with the button held: each
  // step is an offset from the screen centre, where the editor keeps the mouse.
  uint64_t f = platform().frameCount();
  platform().AtFrame(f + 1, {Ev::MouseDown});
  const int path[][2] = {{4, 3}, {5, 4}, {7, 6}, {9, 6}};
  int fromX = 3, fromY = 3;
  for (int i = 0; i < 4; ++i) {
    int mx = 320 + (path[i][0] - fromX) * 32, my = 240 + (path[i][1] - fromY) * 24;
    platform().AtFrame(f + 2 + i, HeadlessPlatform::MouseMoveTo(mx, my));
    fromX = path[i][0];
    fromY = path[i][1];
  }
  while (platform().PendingEvents() > 0) Ticks(1);
  for (const auto& p : path) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy)
        EXPECT_EQ(At(p[0] + dx, p[1] + dy).floor, 6) << p[0] + dx << "," << p[1] + dy;
    }
  }
  // Between the steps nothing else was painted.
  EXPECT_EQ(At(6, 2).floor, 0);
  EXPECT_EQ(At(4, 7).floor, 0);
  EXPECT_EQ(At(11, 6).floor, 0);
}

TEST_F(EditorPaintTest, AClickOverBeforeTheNextTickStillPaints) {
  BlankMap();
  SelectTool(kToolFloor);
  TypeTimes('+', 6);
  PointAtTile(3, 3);
  // Down and up in the same pump, between two ticks.
  platform().Push({Ev::MouseDown});
  platform().Push({Ev::MouseUp});
  Ticks(2);
  EXPECT_EQ(At(3, 3).floor, 6);
  EXPECT_FALSE(display().MouseDown());
  // The click counted once: the tile next to it, pointed at afterwards, stays.
  PointAtTile(4, 3);
  Ticks(2);
  EXPECT_EQ(At(4, 3).floor, 0);
}

TEST_F(EditorPaintTest, WallZeroPaintsTheRoofAsAPlainFloor) {
  BlankMap();
  At(4, 4).wall = 7;
  SelectTool(kToolWall);
  TypeTimes('p', 3);
  Type('[');  // wall 1 down to 0
  ASSERT_EQ(St().wallChoice, 0);
  PointAtTile(4, 4);
  Press();
  Release();
  EXPECT_EQ(At(4, 4).floor, 3);
  EXPECT_EQ(At(4, 4).wall, 0);
}

TEST_F(EditorPaintTest, MnstrTorchAndSpclActOncePerPress) {
  BlankMap();
  SelectTool(kToolMonster);
  PointAtTile(4, 4);
  Press();
  Ticks(10);
  Release();
  int starts = 0;
  for (const MonsterStart& m : EditorMap().monsters) starts += m.kind != 0;
  EXPECT_EQ(starts, 1);
  // A held Floor button, by contrast, paints wherever the pointer goes.
  SelectTool(kToolFloor);
  TypeTimes('+', 2);
  PointAtTile(6, 6);
  Press();
  PointAtTile(7, 6);
  PointAtTile(8, 6);
  Release();
  EXPECT_EQ(At(6, 6).floor, 2);
  EXPECT_EQ(At(7, 6).floor, 2);
  EXPECT_EQ(At(8, 6).floor, 2);
}

TEST_F(EditorPaintTest, HeldLightRisesEveryFifthTickAndStopsAt16) {
  BlankMap();
  SelectTool(kToolLight);
  At(5, 5).light = 14;
  PointAtTile(5, 5);
  Press();
  EXPECT_EQ(At(5, 5).light, 15);
  Ticks(4);
  EXPECT_EQ(At(5, 5).light, 15);
  Ticks(1);
  EXPECT_EQ(At(5, 5).light, 16);
  Ticks(10);
  EXPECT_EQ(At(5, 5).light, 16);
  EXPECT_EQ(At(5, 5).curLight, 16) << "the editor shows the base light";
  Release();
}

TEST_F(EditorPaintTest, HeldDarkSinksEveryFifthTickAndStopsAtMinus32) {
  BlankMap();
  SelectTool(kToolDark);
  At(5, 5).light = -30;
  PointAtTile(5, 5);
  Press();
  Ticks(5);
  EXPECT_EQ(At(5, 5).light, -32);
  Ticks(10);
  EXPECT_EQ(At(5, 5).light, -32);
  EXPECT_EQ(At(6, 5).light, 0);
  Release();
}

TEST_F(EditorPaintTest, SmoothAveragesWithTheEdgeNeighbours) {
  BlankMap();
  SelectTool(kToolSmooth);
  At(5, 5).light = 10;
  PointAtTile(5, 5);
  Press();
  Release();
  EXPECT_EQ(At(5, 5).light, 2);
}

TEST_F(EditorPaintTest, TorchRaisesTheBaseLightOncePerPress) {
  BlankMap();
  SelectTool(kToolTorch);
  // Strength 4 x brush, radius 2 x brush: a torch is felt from brush 5 on.
  TypeTimes('b', 4);
  PointAtTile(5, 5);
  Press();
  EXPECT_EQ(At(5, 5).light, 5);
  EXPECT_EQ(At(16, 5).light, 0);
  At(5, 5).light = 0;
  Ticks(10);
  EXPECT_EQ(At(5, 5).light, 0) << "a held torch acts once";
  Release();
}

TEST_F(EditorPaintTest, ItemsGoOnlyOnFreeTiles) {
  BlankMap();
  SelectTool(kToolItem);
  TypeTimes('.', 4);  // item 5
  At(6, 5).wall = 2;
  EditorMap().monsters[0] = {7, 5, 4};
  for (int x : {5, 6, 7}) {
    PointAtTile(x, 5);
    Press();
    Release();
  }
  EXPECT_EQ(At(5, 5).item, 5);
  EXPECT_EQ(At(6, 5).item, 0) << "not on a wall";
  EXPECT_EQ(At(7, 5).item, 0) << "not on a monster start";
}

TEST_F(EditorPaintTest, ASecondHeroStartReplacesTheFirst) {
  BlankMap();
  SelectTool(kToolMonster);
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  for (int x : {3, 8}) {
    PointAtTile(x, 4);
    Press();
    Release();
  }
  int heroes = 0;
  for (const MonsterStart& m : EditorMap().monsters) {
    if (m.kind == 1) {
      ++heroes;
      EXPECT_EQ(m.x, 8);
      EXPECT_EQ(m.y, 4);
    }
  }
  EXPECT_EQ(heroes, 1);
  EXPECT_EQ(GuysOfKind(1), 1);
  int32_t cx2 = 0, cy2 = 0;
  GetCamera(cx2, cy2);
  EXPECT_EQ(cx2, cx) << "the view does not jump to the hero";
  EXPECT_EQ(cy2, cy);
}

TEST_F(EditorPaintTest, MonstersGoOnlyOnFreeTilesAndOncePerTile) {
  BlankMap();
  SelectTool(kToolMonster);
  TypeTimes('\'', 3);  // kind 4
  At(6, 5).item = 3;
  At(7, 5).wall = 1;
  for (int x : {5, 5, 6, 7}) {
    PointAtTile(x, 5);
    Press();
    Release();
  }
  int starts = 0;
  for (const MonsterStart& m : EditorMap().monsters) {
    if (m.kind != 0) {
      ++starts;
      EXPECT_EQ(m.x, 5);
      EXPECT_EQ(m.kind, 4);
    }
  }
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(GuysOfKind(4), 1);
}

TEST_F(EditorPaintTest, BackspaceErasesStartsItemsAndSpecialsOfTheTile) {
  BlankMap();
  Map& map = EditorMap();
  map.monsters[3] = {5, 5, 4};
  map.monsters[4] = {6, 5, 4};
  At(5, 5).item = 7;
  At(5, 5).wall = 2;
  map.specials[2].trigger = 1;
  map.specials[2].x = 5;
  map.specials[2].y = 5;
  map.specials[3].trigger = 1;
  map.specials[3].x = 6;
  map.specials[3].y = 5;
  ReselectMap(0);
  ASSERT_EQ(GuysOfKind(4), 2);
  PointAtTile(5, 5);
  Type(8);
  EXPECT_EQ(map.monsters[3].kind, 0);
  EXPECT_EQ(map.monsters[4].kind, 4);
  EXPECT_EQ(GuysOfKind(4), 1);
  EXPECT_EQ(At(5, 5).item, 0);
  EXPECT_EQ(At(5, 5).wall, 2) << "walls stay";
  EXPECT_EQ(map.specials[2].trigger, 0);
  EXPECT_EQ(map.specials[3].trigger, 1);
}

struct KeyCase {
  const char* name;
  uint8_t key;
  int presses;
  uint8_t EditorStatus::*field;
  int expected;
};

// From the start values (tool 0, brush 1, roof 0, floor 0, wall 1, item 1, monster 1).
const KeyCase kKeyCases[] = {
    {"SpaceWrapsToolsAfter8", ' ', 9, &EditorStatus::tool, 0},
    {"SpaceSteps", ' ', 4, &EditorStatus::tool, 4},
    {"QuoteWraps59To1", '\'', 59, &EditorStatus::monsterChoice, 1},
    {"SemicolonWraps1To59", ';', 1, &EditorStatus::monsterChoice, 59},
    {"PlusSteps", '+', 3, &EditorStatus::floorChoice, 3},
    {"EqualsIsPlus", '=', 2, &EditorStatus::floorChoice, 2},
    {"MinusWraps0To199", '-', 1, &EditorStatus::floorChoice, 199},
    {"DotWraps82To1", '.', 82, &EditorStatus::itemChoice, 1},
    {"CommaGoesTo0", ',', 1, &EditorStatus::itemChoice, 0},
    {"CommaWraps0To82", ',', 2, &EditorStatus::itemChoice, 82},
    {"PWraps199To0", 'p', 200, &EditorStatus::roofChoice, 0},
    {"OWraps0To199", 'o', 1, &EditorStatus::roofChoice, 199},
    {"CloseBracketSteps", ']', 3, &EditorStatus::wallChoice, 4},
    {"OpenBracketReachesWall0", '[', 1, &EditorStatus::wallChoice, 0},
    {"OpenBracketWraps0To199", '[', 2, &EditorStatus::wallChoice, 199},
    {"BWraps10To1", 'b', 10, &EditorStatus::brush, 1},
};

class KeyTest : public EditorTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTest, ChangesItsChoiceWithWrapAround) {
  const KeyCase& c = GetParam();
  TypeTimes(c.key, c.presses);
  EXPECT_EQ(St().*(c.field), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorPaintTest, CameraKeysStayWithinTheMap) {
  int32_t cx = 0, cy = 0;
  Type('4');
  Type('8');
  GetCamera(cx, cy);
  EXPECT_EQ(cx, 0);
  EXPECT_EQ(cy, 0);
  TypeTimes('6', 25);
  TypeTimes('2', 25);
  GetCamera(cx, cy);
  EXPECT_EQ(cx, 20 * 32);
  EXPECT_EQ(cy, 20 * 24);
  Type('4');
  Type('8');
  GetCamera(cx, cy);
  EXPECT_EQ(cx, 19 * 32);
  EXPECT_EQ(cy, 19 * 24);
  // The tile under the pointer follows the view.
  EXPECT_EQ(St().pointerTileX, 19);
  EXPECT_EQ(St().pointerTileY, 19);
}

TEST_F(EditorPaintTest, PointerStaysOnTheScreenAndTilesRoundDown) {
  platform().SetMousePosition(-2000, -2000);
  Ticks(1);
  EXPECT_EQ(St().pointerX, 0);
  EXPECT_EQ(St().pointerY, 0);
  // Left of and above the map: floor division, not truncation.
  EXPECT_EQ(St().pointerTileX, -10);
  EXPECT_EQ(St().pointerTileY, -10);
  platform().SetMousePosition(5000, 5000);
  Ticks(1);
  EXPECT_EQ(St().pointerX, 639);
  EXPECT_EQ(St().pointerY, 479);
  MoveTo(319, 239);
  EXPECT_EQ(St().pointerTileX, -1);
  EXPECT_EQ(St().pointerTileY, -1);
}

TEST_F(EditorPaintTest, PaintingOffTheMapOrOverThePanelDoesNothing) {
  BlankMap();
  TypeTimes('+', 3);
  MoveTo(100, 100);  // tile (-7, -6)
  Press();
  Release();
  Click(560, 430);  // tile (7, 7) lies under the panel
  for (const Tile& t : EditorMap().tiles) EXPECT_EQ(t.floor, 0);
}

TEST_F(EditorPaintTest, AutoTileFollowsItsTables) {
  BlankMap();
  for (int x = 5; x <= 9; ++x) {
    for (int y = 5; y <= 9; ++y) At(x, y).floor = 5;
  }
  auto wall = [&](int x, int y, uint8_t roof, uint8_t w) {
    At(x, y).floor = roof;
    At(x, y).wall = w;
  };
  wall(2, 2, 184, 1);
  wall(3, 2, 199, 1);
  wall(4, 2, 190, 1);
  wall(15, 15, 190, 1);
  wall(0, 12, 184, 1);
  wall(12, 19, 184, 1);
  wall(19, 0, 184, 1);
  wall(6, 4, 184, 1);    // stands on the ground block: its face turns to wall 2
  wall(7, 14, 184, 3);   // not wall 1: keeps its face
  wall(17, 17, 100, 3);  // not a roof piece: left alone
  Type('c');

  struct Expect {
    int x, y;
    uint8_t floor, wall;
  };
  const Expect kExpect[] = {
      {2, 2, 186, 1},
      {3, 2, 189, 1},
      {4, 2, 187, 1},
      {15, 15, 188, 1},
      {0, 12, 187, 1},
      {12, 19, 184, 1},
      {19, 0, 193, 1},
      {6, 4, 188, 2},
      {7, 14, 188, 3},
      {17, 17, 100, 3},
      // Edges of the ground block: left, right, above, below.
      {4, 7, 20, 0},
      {10, 7, 18, 0},
      {7, 4, 17, 0},
      {7, 10, 19, 0},
      // Corners, touched only diagonally.
      {4, 4, 21, 0},
      {10, 10, 24, 0},
      {4, 10, 23, 0},
      {10, 4, 22, 0},
      // Too far away.
      {12, 12, 0, 0},
  };
  for (const Expect& e : kExpect) {
    EXPECT_EQ(At(e.x, e.y).floor, e.floor) << e.x << "," << e.y;
    EXPECT_EQ(At(e.x, e.y).wall, e.wall) << e.x << "," << e.y;
  }
  int low = 0;
  for (int x = 5; x <= 9; ++x) {
    for (int y = 5; y <= 9; ++y) {
      uint8_t f = At(x, y).floor;
      EXPECT_TRUE(f >= 5 && f <= 16) << x << "," << y;
      if (f <= 8) ++low;
    }
  }
  // Five in six of the ground is plain: far more than half of 25.
  EXPECT_GT(low, 12);
}

TEST_F(EditorPaintTest, AutoTileEdgeBetweenTwoGroundTiles) {
  BlankMap();
  // An edge tile between two ground tiles: left and right give mask 5.
  At(4, 4).floor = 9;
  At(6, 4).floor = 9;
  At(5, 4).floor = 2;
  Type('c');
  EXPECT_EQ(At(5, 4).floor, 34);
}

TEST_F(EditorPaintTest, EscapeEndsTheEditorAndIsNotSeenTwice) {
  EXPECT_FALSE(Type(27));
  Stop();
  EditorStart(&display());
  running_ = true;
  EXPECT_TRUE(Ticks(3)) << "a new visit starts afresh";
}

TEST_F(EditorPaintTest, TheWindowsCloseButtonEndsTheEditor) {
  platform().Push({Ev::Close});
  EXPECT_FALSE(Ticks(1));
}

TEST_F(EditorPaintTest, EscapeInAPanelGoesBackToTheMapAndASecondEndsTheEditor) {
  Type('f');
  EXPECT_EQ(St().mode, kModeFileMenu);
  EXPECT_TRUE(Type(27));
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_FALSE(Type(27));
}

TEST_F(EditorPaintTest, KeptChoicesSurviveTheNextVisit) {
  TypeTimes(' ', 2);
  Type('b');
  TypeTimes('+', 5);
  Type('f');
  EXPECT_TRUE(Type(27));
  EXPECT_FALSE(Type(27));
  Stop();
  EditorStart(&display());
  running_ = true;
  EXPECT_EQ(St().tool, kToolItem);
  EXPECT_EQ(St().brush, 2);
  EXPECT_EQ(St().floorChoice, 5);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_EQ(St().pointerX, 320);
}

TEST_F(EditorPaintTest, RunEditorTicksWithTheClockAndSleepsBetween) {
  Stop();
  uint32_t start = platform().Milliseconds();
  uint64_t frames = platform().frameCount();
  platform().At(start + 3300, {Ev::Close});
  RunEditor(&display());
  uint32_t ticks = St().ticks;
  // 33 ms a tick: 100 ticks in 3.3 seconds, give or take the one run ahead.
  EXPECT_GE(ticks, 99u);
  EXPECT_LE(ticks, 102u);
  // Each frame shows at least one tick: never more frames than ticks.
  EXPECT_LE(platform().frameCount() - frames, ticks);
}

TEST_F(EditorPaintTest, RunEditorEndsOnEscape) {
  Stop();
  platform().AtFrame(platform().frameCount() + 5, {Ev::Character, 27});
  RunEditor(&display());
  EXPECT_GE(St().ticks, 5u);
  EXPECT_LE(St().ticks, 8u);
}

}  // namespace
}  // namespace torvel::testing
