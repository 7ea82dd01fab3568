// Play-testing from the editor: F5 plays the map in hand as the game would,
// and every ending brings the editor back with the world, the view, the
// player record and the saved games as they were.
#include <filesystem>
#include <fstream>
#include <functional>

#include "common/byte_io.h"
#include "editor_fixture.h"
#include "platform/platform.h"
#include "player/player_record.h"
#include "shell/play_loop.h"

namespace torvel::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kF5 = 63, kF6 = 64;

// What the play loop saw, from its hooks.
struct Seen {
  uint64_t steps = 0;
  int heroX = -1, heroY = -1;
  uint8_t level = 0;
  uint8_t mapNumber = 255;
  uint64_t escapeAt = 0;  // types Escape after this many steps (0: never)
};
Seen gSeen;

bool BeforeStep(void*) {
  // A play-test that does not end is a failure, not a hang.
  return gSeen.steps < 3000;
}
void AfterStep(void*) {
  ++gSeen.steps;
  if (gSeen.steps == 1) {
    if (Guy* hero = HeroGuy()) {
      gSeen.heroX = hero->tileX;
      gSeen.heroY = hero->tileY;
    }
    gSeen.level = Player().level;
    gSeen.mapNumber = PlayingMapNumber();
  }
  if (gSeen.escapeAt != 0 && gSeen.steps == gSeen.escapeAt) TheDisplay()->SetLastKey(27);
  // The game does not hold the pointer at the centre as the editor does.
  if (gSeen.steps == 2) GetPlatform().SetMousePosition(5, 7);
}

class PlayTestTest : public EditorTest {
 public:
  using EditorTest::At;
  using EditorTest::Settle;

 protected:
  void SetUp() override {
    EditorTest::SetUp();
    gSeen = Seen{};
    PlayHooks hooks;
    hooks.beforeStep = BeforeStep;
    hooks.afterStep = AfterStep;
    SetPlayHooks(hooks);
  }
  void TearDown() override {
    SetPlayHooks(PlayHooks{});
    EditorTest::TearDown();
  }
  void Key(int code) {
    platform().Push({Ev::KeyDown, code});
    Ticks(1);
    platform().Push({Ev::KeyUp, code});
    Ticks(1);
  }
  void PlaceHero(int tx, int ty) {
    SelectTool(kToolMonster);
    ASSERT_EQ(St().monsterChoice, 1);
    PointAtTile(tx, ty);
    Press();
    Release();
  }
};

struct Ending {
  const char* name;
  std::function<void(PlayTestTest&)> setup;
  uint64_t escapeAt;
  const char* notice;
};
const Ending kEndings[] = {
    {"Escape", nullptr, 20, "play-test ended with Escape"},
    {"Completed",
     [](PlayTestTest& t) {
       // A condition that always holds (at least no maps done) wins the map.
       Special& sp = EditorMap().specials[0];
       sp.trigger = 0x0008;
       sp.trigValue = 0;
       sp.effect = 8;
       sp.x = 6;
       sp.y = 5;
       t.Settle();
     },
     0, "play-test: map completed"},
    {"HeroKilled",
     [](PlayTestTest& t) {
       EditorWorld().terrain[0].flags = 0x0010;  // the whole floor is lava
       t.Settle();
     },
     0, "play-test: the hero died"},
};

class PlayTestEndingTest : public PlayTestTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(PlayTestEndingTest, ReturnsToTheEditorWithEverythingAsItWas) {
  const Ending& c = GetParam();
  BlankMap();
  Settle();
  PlaceHero(5, 5);
  if (c.setup) c.setup(*this);
  Key(kF6);  // level 5
  ASSERT_EQ(St().testLevel, 5);
  CameraTo(64, 48);
  const std::vector<uint8_t> world = WorldImage();
  const auto record = PlayerRecordBytes(Player());
  const std::string save = (fs::path(dir()) / "torvel.sav").string();
  std::ofstream(save, std::ios::binary) << std::string(3 * 336, 'S');
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  const size_t steps = St().undoSteps;
  gSeen.escapeAt = c.escapeAt;
  MoveTo(200, 150);

  Key(kF5);

  EXPECT_GT(gSeen.steps, 0u) << "the map was played";
  EXPECT_LT(gSeen.steps, 3000u) << "and it ended by itself";
  EXPECT_EQ(gSeen.heroX, 5);
  EXPECT_EQ(gSeen.heroY, 5);
  EXPECT_EQ(gSeen.level, 5);
  EXPECT_EQ(gSeen.mapNumber, 0);
  EXPECT_STREQ(St().notice, c.notice);
  EXPECT_EQ(St().mode, kModeMap);
  EXPECT_EQ(WorldImage(), world);
  EXPECT_EQ(St().undoSteps, steps);
  int32_t x = 0, y = 0;
  GetCamera(x, y);
  EXPECT_EQ(x, cx);
  EXPECT_EQ(y, cy);
  EXPECT_EQ(PlayerRecordBytes(Player()), record);
  std::vector<uint8_t> saved;
  ASSERT_TRUE(ReadFileBytes(save, saved, 1 << 20));
  EXPECT_EQ(saved, std::vector<uint8_t>(3 * 336, 'S'));
  // The hero's start shows again, and the editor goes on with its pointer
  // where it was.
  EXPECT_EQ(GuysOfKind(1), 1);
  EXPECT_TRUE(Ticks(5));
  EXPECT_EQ(St().pointerX, 200);
  EXPECT_EQ(St().pointerY, 150);
}

INSTANTIATE_TEST_SUITE_P(Endings, PlayTestEndingTest, ::testing::ValuesIn(kEndings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayTestTest, TheLevelCyclesThroughOneFiveTenTwenty) {
  EXPECT_EQ(St().testLevel, 1);
  for (uint8_t level : {5, 10, 20, 1, 5}) {
    Key(kF6);
    EXPECT_EQ(St().testLevel, level);
  }
  EXPECT_STREQ(St().notice, "play-test hero at level 5");
}

TEST_F(PlayTestTest, MapOnePlaysAsTheRoamingMap) {
  Type('m');
  Click(420, 18);           // a second map
  Click(100, 14 + 14 + 6);  // map 1
  Type(27);
  BlankMap();
  PlaceHero(3, 4);
  Key(kF6);
  Key(kF6);
  Key(kF6);  // level 20
  gSeen.escapeAt = 10;
  Key(kF5);
  EXPECT_EQ(gSeen.mapNumber, 1);
  EXPECT_EQ(gSeen.level, 20);
  EXPECT_EQ(gSeen.heroX, 3);
  EXPECT_EQ(gSeen.heroY, 4);
  EXPECT_EQ(St().mapIndex, 1);
  EXPECT_STREQ(St().notice, "play-test ended with Escape");
}

TEST_F(PlayTestTest, AMapWithoutAHeroStartIsNotPlayed) {
  BlankMap();
  Key(kF5);
  EXPECT_EQ(gSeen.steps, 0u);
  EXPECT_STREQ(St().notice, "place a hero start (monster 01) to play-test this map");
}

}  // namespace
}  // namespace torvel::testing
