// The editor's choosers and panels: tile pickers, terrain panel, item
// palette, monster list, the special panel, the bottom panel's buttons and
// what each mode draws.
#include <cstdlib>
#include <filesystem>

#include "editor_fixture.h"

namespace torvel::testing {
namespace {

using EditorPickerTest = EditorTest;

// The middle of grid cell `index` of the tile pickers.
void CellPoint(int index, int& x, int& y) {
  x = (index % 20) * 32 + 16;
  y = (index / 20) * 24 + 12;
}

TEST_F(EditorPickerTest, TilePickersSetTheirChoiceAndReturnToTheMap) {
  struct Case {
    uint8_t tool;
    int openX, openY;
    uint8_t mode;
    int cell;
    uint8_t EditorStatus::*field;
    int expected;
  };
  const Case kCases[] = {
      {kToolFloor, 610, 460, kModePickFloor, 43, &EditorStatus::floorChoice, 43},
      // The first cell is wall 1, drawn with tile image 200.
      {kToolWall, 610, 460, kModePickWall, 0, &EditorStatus::wallChoice, 1},
      {kToolWall, 610, 460, kModePickWall, 199, &EditorStatus::wallChoice, 200},
      {kToolWall, 610, 430, kModePickRoof, 7, &EditorStatus::roofChoice, 7},
  };
  for (const Case& c : kCases) {
    SelectTool(c.tool);
    Click(c.openX, c.openY);
    ASSERT_EQ(St().mode, c.mode);
    int x = 0, y = 0;
    CellPoint(c.cell, x, y);
    Click(x, y);
    EXPECT_EQ(St().mode, kModeMap);
    EXPECT_EQ(St().*(c.field), c.expected);
  }
}

TEST_F(EditorPickerTest, ClickingBelowThePickerGridChangesNothing) {
  Click(610, 460);
  ASSERT_EQ(St().mode, kModePickFloor);
  Click(100, 300);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_EQ(St().floorChoice, 0);
}

TEST_F(EditorPickerTest, AButtonHeldFromAClosedPickerWaits100TicksBeforePainting) {
  BlankMap();
  Click(610, 460);
  int x = 0, y = 0;
  CellPoint(9, x, y);
  MoveTo(x, y);
  Press();
  ASSERT_EQ(St().mode, kModeMap);
  EXPECT_EQ(St().repeatCount, 100);
  PointAtTile(2, 2);
  Ticks(97);
  EXPECT_EQ(At(2, 2).floor, 0);
  Ticks(2);
  EXPECT_EQ(At(2, 2).floor, 9);
  Release();
}

TEST_F(EditorPickerTest, PickersIgnoreTypingAndEscapeGoesBackToTheMap) {
  Click(610, 460);
  ASSERT_EQ(St().mode, kModePickFloor);
  EXPECT_TRUE(Type('+'));
  EXPECT_TRUE(Type('f'));
  EXPECT_EQ(St().mode, kModePickFloor);
  EXPECT_EQ(St().floorChoice, 0);
  EXPECT_TRUE(Type(27));
  EXPECT_EQ(St().mode, kModeMap);
}

TEST_F(EditorPickerTest, APanelClickActsInEveryMode) {
  Type('m');
  ASSERT_EQ(St().mode, kModeWorldMenu);
  Click(5, 441);  // the Wall tool button, under the open world menu
  EXPECT_EQ(St().tool, kToolWall);
  EXPECT_EQ(St().mode, kModeWorldMenu);
}

TEST_F(EditorPickerTest, TerrainPanelPicksTheEntryAndTogglesEveryFlag) {
  Click(340, 428);
  ASSERT_EQ(St().mode, kModeTerrain);
  int x = 0, y = 0;
  CellPoint(12, x, y);
  Click(x, y);
  EXPECT_EQ(St().mode, kModeTerrain) << "the panel stays until Escape";
  ASSERT_EQ(St().floorChoice, 12);
  TerrainEntry& entry = EditorWorld().terrain[12];
  for (int k = 0; k < 11; ++k) {
    // The top and bottom rows of each box.
    Click(10, 250 + 12 * k);
    EXPECT_EQ(entry.flags, 1u << k) << "flag " << k;
    Click(k == 10 ? 15 : 5, k == 10 ? 381 : 260 + 12 * k);
    EXPECT_EQ(entry.flags, 0u) << "flag " << k;
  }
  EXPECT_EQ(EditorWorld().terrain[11].flags, 0u);
  EXPECT_TRUE(Type(27));
  EXPECT_EQ(St().mode, kModeMap);
}

TEST_F(EditorPickerTest, NextTilePickerSetsTheNextTileOrReturnsUnchanged) {
  Click(340, 428);
  int x = 0, y = 0;
  CellPoint(5, x, y);
  Click(x, y);
  Click(20, 410);
  ASSERT_EQ(St().mode, kModePickNext);
  CellPoint(33, x, y);
  Click(x, y);
  EXPECT_EQ(St().mode, kModeTerrain);
  EXPECT_EQ(EditorWorld().terrain[5].next, 33);
  Click(20, 410);
  Click(20, 300);
  EXPECT_EQ(St().mode, kModeTerrain);
  EXPECT_EQ(EditorWorld().terrain[5].next, 33);
}

TEST_F(EditorPickerTest, ItemPaletteTakesItemsOneTo82) {
  struct Case {
    int x, y;
    int expected;
  };
  const Case kCases[] = {
      {138, 100, 19},  // column 3, row 1
      {30, 50, 19},    // item 0 is no choice
      {130, 300, 19},  // column 3, row 5: 83 is past the items
      {560, 400, 19},  // column 15, row 7: 127
      {95, 300, 82},   // column 2, row 5
      {25, 45, 82},
  };
  SelectTool(kToolItem);
  for (const Case& c : kCases) {
    Click(620, 440);
    ASSERT_EQ(St().mode, kModeItems);
    Click(c.x, c.y);
    EXPECT_EQ(St().mode, kModeMap);
    EXPECT_EQ(St().itemChoice, c.expected) << c.x << "," << c.y;
  }
}

TEST_F(EditorPickerTest, MonsterListPicksKindsAndLeavesGapsForTheHiddenOnes) {
  SelectTool(kToolMonster);
  Click(620, 440);
  ASSERT_EQ(St().mode, kModeMonsters);
  MoveTo(620, 470);
  const std::vector<uint8_t>& frame = platform().lastFrame();
  // Kind 26 (column 1, row 8) is listed; kind 27 beside it is not.
  EXPECT_EQ(frame[137 * 640 + 204], 16);
  EXPECT_EQ(frame[137 * 640 + 406], 0);
  Click(450, 137);  // kind 27's place
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_EQ(St().monsterChoice, 1);
  Click(620, 440);
  Click(250, 25);  // kind 5: column 1, row 1
  EXPECT_EQ(St().monsterChoice, 5);
  Click(620, 440);
  Click(10, 16 * 19 + 8);  // kind 58: column 0, row 19
  EXPECT_EQ(St().monsterChoice, 58);
}

TEST_F(EditorPickerTest, BottomPanelButtons) {
  Map& map = EditorMap();
  map.song = 1;
  Click(220, 428);  // song - from 1
  EXPECT_EQ(map.song, 99);
  Click(295, 428);  // song + from 99
  EXPECT_EQ(map.song, 1);
  Click(400, 470);  // brush - from 1
  EXPECT_EQ(St().brush, 10);
  Click(400, 428);  // brush + from 10
  EXPECT_EQ(St().brush, 1);
  struct Flag {
    int x, y;
    uint8_t bit;
  };
  for (const Flag& f : {Flag{450, 428, kMapSnow}, Flag{450, 444, kMapBoss},
                        Flag{450, 460, kMapSecret}, Flag{500, 428, kMapLit}}) {
    Click(f.x, f.y);
    EXPECT_EQ(map.flags, f.bit);
    Click(f.x, f.y);
    EXPECT_EQ(map.flags, 0);
  }
  for (int t = 0; t < kToolCount; ++t) {
    MoveTo(5 + 42 * (t / 3), 425 + 16 * (t % 3));
    Press();
    EXPECT_EQ(St().tool, t);
    EXPECT_EQ(St().repeatCount, 100) << "a held button does not paint at once";
    Release();
  }
}

struct ViewCase {
  const char* name;
  int button;  // 0..4
  uint8_t bit;
};
const ViewCase kViewCases[] = {
    {"Lights", 0, kViewLights},     {"Walls", 1, kViewWalls},       {"Items", 2, kViewItems},
    {"Monsters", 3, kViewMonsters}, {"Specials", 4, kViewSpecials},
};

class ViewTest : public EditorTest, public ::testing::WithParamInterface<ViewCase> {};

// A map holding one of everything, each on its own tile, looked at with the
// toggle on and off: the toggle's own tile changes, and only while it is off.
TEST_P(ViewTest, ToggleHidesItsLayer) {
  const ViewCase& c = GetParam();
  BlankMap();
  for (Tile& t : EditorMap().tiles) t.floor = 5;
  // Tile (2, 2) for each layer, seen at screen (384, 288).
  switch (c.bit) {
    case kViewLights:
      At(2, 2).light = -32;
      At(2, 2).curLight = -32;
      break;
    case kViewWalls:
      At(2, 2).wall = 5;
      At(2, 2).floor = 190;
      break;
    case kViewItems:
      At(2, 2).item = 4;
      break;
    case kViewMonsters:
      EditorMap().monsters[0] = {2, 2, 4};
      ReselectMap(0);
      SetCamera(0, 0);
      break;
    case kViewSpecials:
      EditorMap().specials[0].trigger = 1;
      EditorMap().specials[0].x = 2;
      EditorMap().specials[0].y = 2;
      break;
  }
  MoveTo(560, 470);
  auto tilePixels = [&]() {
    std::vector<uint8_t> px;
    const std::vector<uint8_t>& f = platform().lastFrame();
    for (int y = 240 + 2 * 24 - 24; y < 240 + 3 * 24; ++y) {
      for (int x = 320 + 64; x < 320 + 96; ++x) px.push_back(f[static_cast<size_t>(y) * 640 + x]);
    }
    return px;
  };
  int bx = c.button < 3 ? 140 : 180, by = 425 + 16 * (c.button % 3);
  std::vector<uint8_t> on = tilePixels();
  Click(bx, by);
  EXPECT_EQ(St().view, 0x1F ^ c.bit);
  MoveTo(560, 470);
  std::vector<uint8_t> off = tilePixels();
  EXPECT_NE(on, off);
  Click(bx, by);
  EXPECT_EQ(St().view, 0x1F);
  MoveTo(560, 470);
  EXPECT_EQ(tilePixels(), on);
}

INSTANTIATE_TEST_SUITE_P(Views, ViewTest, ::testing::ValuesIn(kViewCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Every mode draws its own screen; the frames go to a folder for looking at.
TEST_F(EditorPickerTest, EachModeDrawsItsScreen) {
  struct Case {
    const char* name;
    int openX, openY;  // a panel click, or 0 for a key
    uint8_t key;
    uint8_t mode;
    int px, py;  // a pixel the mode's screen gives
    uint8_t colour;
  };
  const Case kCases[] = {
      {"map", 0, 0, 0, kModeMap, 0, 420, 16},
      {"floor_picker", 610, 460, 0, kModePickFloor, 639, 479, 0},
      {"terrain", 340, 428, 0, kModeTerrain, 5, 260, 16},
      {"file_menu", 0, 0, 'f', kModeFileMenu, 101, 81, 8},
      {"world_menu", 0, 0, 'm', kModeWorldMenu, 380, 12, 16},
      {"tileset", 340, 444, 0, kModeTileset, 370, 180, 16},
  };
  std::filesystem::path out = std::filesystem::path(TORVEL_TEST_TMP) / "editor_frames";
  std::filesystem::create_directories(out);
  for (const Case& c : kCases) {
    if (c.openX) Click(c.openX, c.openY);
    if (c.key) Type(c.key);
    ASSERT_EQ(St().mode, c.mode) << c.name;
    MoveTo(600, 300);
    EXPECT_EQ(platform().lastFrame()[static_cast<size_t>(c.py) * 640 + c.px], c.colour) << c.name;
    platform().WriteLastFrame((out / (std::string(c.name) + ".png")).string());
    if (c.mode != kModeMap) Type(27);
    ASSERT_EQ(St().mode, kModeMap);
  }
}

class SpecialPanelTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    SelectTool(kToolSpecial);
    PointAtTile(4, 4);
    Press();
    Release();
  }
  Special& Edited() { return EditorMap().specials[static_cast<size_t>(St().specialSlot)]; }
};

TEST_F(SpecialPanelTest, OpensOnANewSlotAtTheTile) {
  EXPECT_EQ(St().mode, kModeSpecial);
  EXPECT_EQ(St().specialSlot, 0);
  EXPECT_EQ(Edited().x, 4);
  EXPECT_EQ(Edited().y, 4);
}

TEST_F(SpecialPanelTest, EveryTriggerBitToggles) {
  struct Case {
    int x, y;
    uint16_t bit;
  };
  const Case kCases[] = {{62, 26, 0x0001},  {71, 53, 0x0002},  {66, 54, 0x0004},  {66, 81, 0x0008},
                         {66, 82, 0x0010},  {66, 100, 0x0020}, {66, 123, 0x0040}, {66, 124, 0x0080},
                         {66, 150, 0x0100}, {66, 175, 0x0200}, {225, 60, 0x0400}};
  for (const Case& c : kCases) {
    Click(c.x, c.y);
    EXPECT_EQ(Edited().trigger, c.bit) << c.x << "," << c.y;
    Click(c.x, c.y);
    EXPECT_EQ(Edited().trigger, 0) << c.x << "," << c.y;
  }
  Click(66, 140);  // between the rows
  EXPECT_EQ(Edited().trigger, 0);
  EXPECT_EQ(St().mode, kModeSpecial) << "the panel never closes on a click";
}

TEST_F(SpecialPanelTest, EffectButtonsAndTheirSeams) {
  struct Case {
    int x, y;
    uint8_t effect;
  };
  const Case kCases[] = {{70, 200, 0},  {70, 215, 1},  {70, 230, 2},  {70, 242, 2},
                         {70, 250, 3},  {70, 265, 4},  {140, 200, 5}, {140, 215, 6},
                         {140, 230, 7}, {140, 242, 8}, {140, 250, 8}, {140, 272, 9}};
  for (const Case& c : kCases) {
    Click(c.x, c.y);
    EXPECT_EQ(Edited().effect, c.effect) << c.x << "," << c.y;
  }
  Click(70, 227);  // the gap between rows 1 and 2 of the left column
  EXPECT_EQ(Edited().effect, 9);
}

TEST_F(SpecialPanelTest, SpinnersStepAndWrapWithinTheirRanges) {
  enum Field { kTrig, kValue, kTx, kTy };
  struct Case {
    const char* name;
    Field field;
    int x, y;  // the spinner
    int dx;    // the button's offset
    int32_t start, expected;
  };
  const Case kCases[] = {
      {"TrigPlusPlusWraps", kTrig, 210, 12, 90, 250, 0},
      {"TrigMinusWraps", kTrig, 210, 12, 27, 0, 255},
      {"TrigPlus", kTrig, 210, 12, 70, 5, 6},
      {"TrigMinusMinus", kTrig, 210, 12, 5, 100, 90},
      {"ValueMinusMinusWraps", kValue, 210, 180, 0, -255, 255},
      {"ValuePlusPlusWraps", kValue, 210, 180, 100, 250, -255},
      {"ValueMinusGoesNegative", kValue, 210, 180, 32, 0, -1},
      {"TargetXPlusWraps", kTx, 370, 300, 68, 127, 0},
      {"TargetXMinusMinusWraps", kTx, 370, 300, 20, 0, 127},
      {"TargetYPlusPlus", kTy, 370, 330, 80, 3, 13},
      {"TargetYBetweenButtons", kTy, 370, 330, 50, 3, 3},
  };
  for (const Case& c : kCases) {
    Special& sp = Edited();
    auto get = [&]() -> int32_t {
      switch (c.field) {
        case kTrig:
          return sp.trigValue;
        case kValue:
          return sp.value;
        case kTx:
          return sp.targetX;
        default:
          return sp.targetY;
      }
    };
    switch (c.field) {
      case kTrig:
        sp.trigValue = static_cast<uint8_t>(c.start);
        break;
      case kValue:
        sp.value = c.start;
        break;
      case kTx:
        sp.targetX = static_cast<uint8_t>(c.start);
        break;
      case kTy:
        sp.targetY = static_cast<uint8_t>(c.start);
        break;
    }
    Click(c.x + c.dx, c.y + 20);
    EXPECT_EQ(get(), c.expected) << c.name;
  }
}

TEST_F(SpecialPanelTest, MessageTakes31CharactersAndBackspace) {
  TypeText("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
  EXPECT_STREQ(Edited().msg, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
  Type(13);
  Type(8);
  EXPECT_STREQ(Edited().msg, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
  Type('!');
  EXPECT_STREQ(Edited().msg, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123!");
  EXPECT_TRUE(Type(27));
  EXPECT_EQ(St().mode, kModeMap);
}

TEST_F(SpecialPanelTest, ATileWithASpecialOpensItAgain) {
  Click(66, 30);  // hero step: the slot is in use now
  Type(27);
  PointAtTile(6, 6);
  Press();
  Release();
  EXPECT_EQ(St().specialSlot, 1);
  Type(27);
  PointAtTile(4, 4);
  Press();
  Release();
  EXPECT_EQ(St().mode, kModeSpecial);
  EXPECT_EQ(St().specialSlot, 0);
}

TEST_F(SpecialPanelTest, NothingOpensWhenEverySlotIsUsed) {
  Type(27);
  for (Special& sp : EditorMap().specials) sp.trigger = 1;
  PointAtTile(9, 9);
  Press();
  Release();
  EXPECT_EQ(St().mode, kModeMap);
}

}  // namespace
}  // namespace torvel::testing
