// New games over the forged worlds, walked with held keys as a person would
// play them: the first world's valley, the mill entered through its door and
// won, and the shop behind the village's first door.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "actors/guys.h"
#include "forge/worlds/level_text.h"
#include "gfx/draw_list.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/pause_menu.h"
#include "shell/play_loop.h"
#include "support/play_fixture.h"
#include "world/world.h"

namespace torvel {
namespace {

using testing::Script;

constexpr uint8_t kEscape = 27;
// Where the valley's sources put things, in tiles.
constexpr int kValleyStartX = 16, kValleyStartY = 52;
constexpr int kMillDoorX = 20, kMillDoorY = 42;
constexpr uint8_t kValley = 1, kMill = 2;
// The valley fades in for this many steps before anything moves.
constexpr int kFadeIn = 30;

std::string GameText(const char* utf8) {
  std::string coded, error;
  EXPECT_TRUE(forge::ToGameText(utf8, coded, error)) << error;
  return coded;
}

// The tests play the forged worlds: nothing of the test's own is written.
class ForgedGameTest : public testing::PlayTest {
 protected:
  struct Seen {
    uint8_t map;
    uint8_t mode;
    int tileX, tileY;
  };
  std::vector<Seen> seen_;
  void Note() {
    Guy* hero = HeroGuy();
    seen_.push_back({PlayingMap() ? PlayingMapNumber() : uint8_t{255}, GetPlayLoopView().mode,
                     hero ? hero->tileX : -1, hero ? hero->tileY : -1});
  }
  // The first step (1-based) from `from` on which map m is played in mode.
  uint32_t FirstStep(uint8_t m, uint8_t mode, uint32_t from = 0) const {
    for (uint32_t i = from; i < seen_.size(); ++i)
      if (seen_[i].map == m && seen_[i].mode == mode) return i + 1;
    return 0;
  }
};

// From the hero's start: up past the villager who stands by it, right to the
// mill's path and up against its door.
Script& WalkToTheMill(Script& s) {
  return s.Wait(kFadeIn + 1)
      .Hold(kActionUp)
      .Wait(17)
      .Hold(kActionRight)
      .Wait(31)
      .Hold(kActionUp)
      .Wait(70)
      .Hold(0);
}

TEST_F(ForgedGameTest, ANewGameStartsInTheRiverValleyWithTheRoamersOutOfSight) {
  Script s;
  s.Wait(kFadeIn + 10);
  bool sawStart = false;
  Run(s, [&](uint32_t step) {
    if (step != 1) return;
    sawStart = true;
    EXPECT_EQ(Player().worldNumber, 0);
    EXPECT_EQ(PlayingMapNumber(), kValley);
    ASSERT_NE(PlayingMap(), nullptr);
    EXPECT_EQ(PlayingMap()->width, 64);
    EXPECT_EQ(BigMessageText(), GameText("Речная долина"));
    EXPECT_EQ(GetPauseMenuView().mapKind, 0);  // the roaming map
    Guy* hero = HeroGuy();
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(hero->tileX, kValleyStartX);
    EXPECT_EQ(hero->tileY, kValleyStartY);
    // The valley's monsters came in as it was entered, none where the
    // player sees them.
    int32_t camX = 0, camY = 0;
    GetCamera(camX, camY);
    int roamers = 0;
    for (int i = 0; i < GuyPoolSize(); ++i) {
      const Guy* g = GetGuy(i);
      if (!g || g == hero || g->kind == 0 || g->kind == 11) continue;
      ++roamers;
      int32_t dx = std::abs(FixedToInt(g->x) - camX), dy = std::abs(FixedToInt(g->y) - camY);
      EXPECT_TRUE(dx >= 400 || dy >= 400) << "kind " << int(g->kind) << " at " << dx << "," << dy;
    }
    EXPECT_GT(roamers, 0);
  });
  EXPECT_TRUE(sawStart);
}

TEST_F(ForgedGameTest, TheMillsDoorLeadsIntoTheMillAndWinningItLeadsBackToItsDoor) {
  Script s;
  WalkToTheMill(s).Wait(40).TypeText("tovrimasek").Wait(60);
  Run(s, [&](uint32_t) { Note(); });
  uint32_t inMill = FirstStep(kMill, kModePlaying);
  ASSERT_GT(inMill, 0u) << "the hero never got through the mill's door";
  // It walked there: the step before the fade it stood below the door.
  const Seen& atDoor = seen_[inMill - 2];
  EXPECT_EQ(atDoor.map, kValley);
  EXPECT_EQ(atDoor.tileX, kMillDoorX);
  EXPECT_EQ(atDoor.tileY, kMillDoorY + 1);

  uint32_t back = FirstStep(kValley, kModePlaying, inMill);
  ASSERT_GT(back, 0u) << "winning the mill did not lead back to the valley";
  EXPECT_EQ(Player().mapsDone[0][kMill], 1);
  EXPECT_EQ(Player().mapsDoneInWorld, 1);
  // Back where it left the valley, not at the valley's start.
  EXPECT_EQ(seen_[back - 1].tileX, kMillDoorX);
  EXPECT_EQ(seen_[back - 1].tileY, kMillDoorY + 1);
}

TEST_F(ForgedGameTest, TheShopsDoorOpensTheShopAndEscapeGivesBackTheValley) {
  Script s;
  // Up and left together, left to the shop's door and up against it.
  s.Wait(kFadeIn + 1)
      .Hold(kActionUp | kActionLeft)
      .Wait(47)
      .Hold(kActionLeft)
      .Wait(31)
      .Hold(kActionUp)
      .Wait(20)
      .Hold(0)
      .Wait(60)
      .Type(kEscape)
      .Wait(20);
  Run(s, [&](uint32_t) { Note(); });
  uint32_t inShop = FirstStep(kValley, kModeShop);
  ASSERT_GT(inShop, 0u) << "the shop never opened";
  uint32_t after = FirstStep(kValley, kModePlaying, inShop);
  ASSERT_GT(after, 0u) << "Escape did not leave the shop";
  EXPECT_EQ(seen_.back().map, kValley);
}

// Every map the forged worlds hold starts and plays: the hero walks about
// firing and casting while whatever lives there acts, and the game goes on.
class ForgedWorldPlayTest : public ForgedGameTest, public ::testing::WithParamInterface<int> {};

TEST_P(ForgedWorldPlayTest, EveryMapStartsAndPlays) {
  const uint8_t w = static_cast<uint8_t>(GetParam());
  World world;
  ASSERT_TRUE(LoadWorld(world, WorldFileName(w))) << WorldFileName(w);
  for (uint8_t m = 2; m < world.mapCount; ++m) {
    if (!world.maps[m]) continue;
    SCOPED_TRACE(std::string(WorldFileName(w)) + " map " + std::to_string(m));
    ResetPlayer(kResetNewGame, 0, 0);
    Player().worldNumber = w;
    Script s;
    s.Wait(kFadeIn + 2)
        .Hold(kActionFire | kActionRight)
        .Wait(20)
        .Hold(kActionFire | kActionUp)
        .Wait(20)
        .Hold(kActionSpell | kActionLeft)
        .Wait(20)
        .Hold(kActionFire | kActionDown)
        .Wait(20);
    uint32_t onMap = 0;
    Run(
        s,
        [&](uint32_t step) {
          if (step == kFadeIn + 1) PostMapEvent(kEventLeaveToMap, m);
          if (PlayingMap() && PlayingMapNumber() == m && Player().worldNumber == w) ++onMap;
        },
        true);
    // Entered after the valley's fade-out, then played to the script's end.
    EXPECT_GT(onMap, 40u);
  }
  FreeWorld(world);
}

std::string WorldName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[kWorldCount] = {"River", "Forest", "Castle", "Under"};
  return kNames[info.param];
}
INSTANTIATE_TEST_SUITE_P(Worlds, ForgedWorldPlayTest, ::testing::Range(0, kWorldCount), WorldName);

}  // namespace
}  // namespace torvel
