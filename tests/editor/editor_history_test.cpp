// Undo and redo: every kind of edit taken back and made again to the exact
// bytes of the world file, the depth of the history, and what saving, New
// and Load do to it.
#include <filesystem>
#include <functional>

#include "editor_fixture.h"

namespace torvel::testing {
namespace {

namespace fs = std::filesystem;

class HistoryTest : public EditorTest {
 public:
  // The table's edits drive the editor through these.
  using EditorTest::At;
  using EditorTest::Click;
  using EditorTest::PointAtTile;
  using EditorTest::Press;
  using EditorTest::Release;
  using EditorTest::SelectTool;
  using EditorTest::Settle;
  using EditorTest::St;
  using EditorTest::Ticks;
  using EditorTest::Type;
  using EditorTest::TypeText;
  using EditorTest::TypeTimes;

  void Chord(std::initializer_list<int> codes) {
    for (int c : codes) platform().Push({Ev::KeyDown, c});
    Ticks(1);
    for (int c : codes) platform().Push({Ev::KeyUp, c});
    Ticks(1);
  }
  void Undo() { Chord({29, 44}); }             // Ctrl+Z
  void Redo() { Chord({29, 21}); }             // Ctrl+Y
  void RedoShifted() { Chord({29, 42, 44}); }  // Ctrl+Shift+Z
  void SaveAs(const std::string& name) {
    Type('f');
    for (int i = 0; i < 40; ++i) Type(8);
    TypeText(name);
    Click(395, 277);
  }
};

struct EditCase {
  const char* name;
  std::function<void(HistoryTest&)> setup;  // may be empty
  std::function<void(HistoryTest&)> edit;
  size_t steps;  // the steps the edit makes
};

const EditCase kEdits[] = {
    {"FloorStroke", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolFloor);
       t.TypeTimes('+', 3);
       t.Type('b');
       t.PointAtTile(5, 5);
       t.Press();
       t.PointAtTile(6, 6);
       t.PointAtTile(8, 6);
       t.Release();
     },
     1},
    {"WallStroke", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolWall);
       t.TypeTimes(']', 2);
       t.PointAtTile(3, 3);
       t.Press();
       t.Ticks(3);
       t.PointAtTile(3, 6);
       t.Release();
     },
     1},
    {"Item", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolItem);
       t.PointAtTile(4, 4);
       t.Press();
       t.Release();
     },
     1},
    {"MonsterStart", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolMonster);
       t.Type('\'');
       t.PointAtTile(6, 6);
       t.Press();
       t.Release();
     },
     1},
    {"HeldLight", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolLight);
       t.PointAtTile(2, 2);
       t.Press();
       t.Ticks(12);
       t.Release();
     },
     1},
    {"HeldDark", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolDark);
       t.PointAtTile(5, 5);
       t.Press();
       t.Ticks(7);
       t.Release();
     },
     1},
    {"Smooth",
     [](HistoryTest& t) {
       t.At(5, 5).light = 12;
       t.Settle();
     },
     [](HistoryTest& t) {
       t.SelectTool(kToolSmooth);
       t.PointAtTile(5, 6);
       t.Press();
       t.Release();
     },
     1},
    {"Torch", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolTorch);
       t.TypeTimes('b', 4);  // brush 5: strength 20 lights even a dark map
       t.PointAtTile(4, 6);
       t.Press();
       t.Release();
     },
     1},
    {"SpecialPanel", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolSpecial);
       t.PointAtTile(3, 4);
       t.Press();
       t.Release();
       ASSERT_EQ(t.St().mode, kModeSpecial);
       t.Click(66, 30);    // the hero steps on it
       t.Click(150, 200);  // Teleport
       t.TypeText("HELLO");
       t.Type(27);
     },
     4},  // the new slot's place, the trigger, the effect, the message
    {"EraseTile",
     [](HistoryTest& t) {
       t.SelectTool(kToolItem);
       t.PointAtTile(4, 4);
       t.Press();
       t.Release();
     },
     [](HistoryTest& t) {
       t.PointAtTile(4, 4);
       t.Type(8);
     },
     1},
    {"AutoTile",
     [](HistoryTest& t) {
       for (int x = 4; x < 9; ++x)
         for (int y = 4; y < 9; ++y) t.At(x, y).floor = 6;
       t.Settle();
     },
     [](HistoryTest& t) { t.Type('c'); }, 1},
    {"TerrainFlagAndNextTile", nullptr,
     [](HistoryTest& t) {
       t.Click(340, 428);  // Edit Terrain
       ASSERT_EQ(t.St().mode, kModeTerrain);
       t.Click(10, 255);  // Impassable
       t.Click(20, 410);  // the next tile picker
       t.Click(5 * 32 + 5, 24 + 5);
       t.Type(27);
     },
     2},
    {"Tileset", nullptr,
     [](HistoryTest& t) {
       t.Click(340, 444);  // Load Tileset
       ASSERT_EQ(t.St().mode, kModeTileset);
       t.TypeText("title.bmp");
       t.Click(395, 187);
     },
     1},
    {"WorldMenuAddCopyRename", nullptr,
     [](HistoryTest& t) {
       t.Type('m');
       t.Click(420, 18);  // New Small
       t.Click(420, 67);  // Copy
       t.TypeText("NMR");
       t.Click(420, 207);  // Rename
       t.Type(27);
     },
     3},
    {"WorldMenuDelete",
     [](HistoryTest& t) {
       t.Type('m');
       t.Click(420, 35);  // New Medium
       t.Type(27);
     },
     [](HistoryTest& t) {
       t.Type('m');
       t.Click(100, 14 + 14 + 6);  // map 1
       t.Click(420, 287);          // Delete
       t.Type(27);
     },
     1},
    {"SongAndMapFlag", nullptr,
     [](HistoryTest& t) {
       t.Click(295, 428);  // song + 1
       t.Click(466, 428);  // Snow
     },
     2},
    {"RectangleFill", nullptr,
     [](HistoryTest& t) {
       t.SelectTool(kToolFloor);
       t.TypeTimes('+', 5);
       t.PointAtTile(2, 2);
       t.Type('r');
       t.PointAtTile(6, 4);
       t.Type('r');
     },
     1},
};

class EditUndoTest : public HistoryTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditUndoTest, UndoneAndRedoneToTheExactWorldBytes) {
  const EditCase& c = GetParam();
  if (c.setup) c.setup(*this);
  const size_t before = St().undoSteps;
  const std::vector<uint8_t> original = WorldImage();
  c.edit(*this);
  ASSERT_EQ(St().mode, kModeMap);
  const std::vector<uint8_t> edited = WorldImage();
  ASSERT_NE(edited, original);
  ASSERT_EQ(St().undoSteps - before, c.steps);
  EXPECT_TRUE(St().dirty);

  for (size_t i = 0; i < c.steps; ++i) Undo();
  EXPECT_EQ(WorldImage(), original);
  EXPECT_EQ(St().redoSteps, c.steps);
  for (size_t i = 0; i < c.steps; ++i) {
    if (i % 2 == 0) {
      Redo();
    } else {
      RedoShifted();
    }
  }
  EXPECT_EQ(WorldImage(), edited);
  // The guys that show the monster starts follow the world.
  int starts = 0;
  for (const MonsterStart& m : EditorMap().monsters) starts += m.kind != 0;
  int guys = 0;
  for (int i = 0; i < GuyPoolSize(); ++i) guys += GetGuy(i) && GetGuy(i)->kind != 0;
  EXPECT_EQ(guys, starts);
  Redo();
  EXPECT_STREQ(St().notice, "nothing to redo");
  EXPECT_EQ(WorldImage(), edited);
}

INSTANTIATE_TEST_SUITE_P(Edits, EditUndoTest, ::testing::ValuesIn(kEdits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HistoryTest, UndoingAMonsterStartTakesItsGuyAway) {
  SelectTool(kToolMonster);
  Type('\'');  // kind 2
  PointAtTile(6, 6);
  Press();
  Release();
  ASSERT_EQ(GuysOfKind(2), 1);
  Undo();
  EXPECT_EQ(GuysOfKind(2), 0);
  Redo();
  EXPECT_EQ(GuysOfKind(2), 1);
}

TEST_F(HistoryTest, KeepsTheLast256Steps) {
  SelectTool(kToolFloor);
  PointAtTile(3, 3);
  std::vector<std::vector<uint8_t>> images{WorldImage()};
  for (int i = 0; i < 260; ++i) {
    Type('+');
    Press();
    Release();
    images.push_back(WorldImage());
  }
  ASSERT_EQ(St().undoSteps, 256u);
  for (int i = 0; i < 256; ++i) Undo();
  EXPECT_EQ(WorldImage(), images[4]);
  Undo();
  EXPECT_STREQ(St().notice, "nothing to undo");
  EXPECT_EQ(WorldImage(), images[4]);
  for (int i = 0; i < 256; ++i) Redo();
  EXPECT_EQ(WorldImage(), images[260]);
}

TEST_F(HistoryTest, ANewEditDropsTheStepsThatCouldBeRedone) {
  SelectTool(kToolFloor);
  PointAtTile(3, 3);
  const uint8_t untouched = At(3, 3).floor;
  TypeTimes('+', 3);
  Press();
  Release();
  Undo();
  ASSERT_EQ(St().redoSteps, 1u);
  PointAtTile(5, 5);
  TypeTimes('+', 2);
  Press();
  Release();
  EXPECT_EQ(St().redoSteps, 0u);
  EXPECT_EQ(St().undoSteps, 1u);
  EXPECT_EQ(At(3, 3).floor, untouched);
  EXPECT_EQ(At(5, 5).floor, 5);
}

TEST_F(HistoryTest, SurvivesSavingAndIsClearedByNewAndLoad) {
  SelectTool(kToolFloor);
  PointAtTile(3, 3);
  TypeTimes('+', 4);
  Press();
  Release();
  const std::vector<uint8_t> painted = WorldImage();
  SaveAs("hist");
  ASSERT_STREQ(St().notice, "saved hist.vwd");
  EXPECT_FALSE(St().dirty);
  EXPECT_EQ(St().undoSteps, 1u);
  Undo();
  EXPECT_TRUE(St().dirty) << "the world no longer matches the file";
  Redo();
  EXPECT_FALSE(St().dirty) << "back to what was saved";
  EXPECT_EQ(WorldImage(), painted);

  // New: a clean world, no ask, no history.
  Type('f');
  Click(395, 99);
  ASSERT_EQ(St().mode, kModeMap);
  EXPECT_EQ(St().undoSteps, 0u);
  EXPECT_EQ(St().redoSteps, 0u);
  PointAtTile(2, 2);
  Press();
  Release();
  ASSERT_EQ(St().undoSteps, 1u);
  Type('f');
  for (int i = 0; i < 40; ++i) Type(8);
  TypeText("hist.vwd");
  Click(395, 187);
  AnswerAsk(Answer::Leave);
  EXPECT_EQ(WorldImage(), painted);
  EXPECT_EQ(St().undoSteps, 0u);
  EXPECT_FALSE(St().dirty);
}

TEST_F(HistoryTest, LettersTypedInARowAreOneStep) {
  SelectTool(kToolSpecial);
  PointAtTile(3, 4);
  Press();
  Release();
  Click(66, 30);
  const std::vector<uint8_t> before = WorldImage();
  size_t steps = St().undoSteps;
  TypeText("DOMOI");
  Type(8);
  Type(27);
  EXPECT_EQ(St().undoSteps, steps + 1);
  EXPECT_STREQ(EditorMap().specials[0].msg, "DOMO");
  Undo();
  EXPECT_EQ(WorldImage(), before);
}

TEST_F(HistoryTest, NothingIsUndoneInTheMiddleOfAStroke) {
  SelectTool(kToolFloor);
  TypeTimes('+', 3);
  PointAtTile(3, 3);
  Press();
  Undo();
  EXPECT_EQ(At(3, 3).floor, 3);
  Release();
  Undo();
  EXPECT_NE(At(3, 3).floor, 3);
}

}  // namespace
}  // namespace torvel::testing
