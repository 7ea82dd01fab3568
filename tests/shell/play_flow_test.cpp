// Whole games driven through the headless backend with scripted input: the
// way from a new game to the hub, maps entered, completed, died on and left,
// challenges, worlds finished and the ending.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "actors/guys.h"
#include "gfx/display.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/pause_menu.h"
#include "shell/play_loop.h"
#include "support/play_fixture.h"
#include "support/sound_probe.h"
#include "world/specials.h"

namespace torvel {
namespace {

using testing::Script;

constexpr uint8_t kEscape = 27;

class PlayFlowTest : public testing::PlayTest {
 protected:
  // The map being played after each step.
  std::vector<uint8_t> maps_;
  void Note() { maps_.push_back(PlayingMap() ? PlayingMapNumber() : 255); }
  // The first step (1-based) after `from` at which map m is played.
  uint32_t FirstStepOn(uint8_t m, uint32_t from = 0) const {
    for (uint32_t i = from; i < maps_.size(); ++i)
      if (maps_[i] == m) return i + 1;
    return 0;
  }
  static void MoveHeroTo(int tx, int ty) {
    Guy* hero = HeroGuy();
    ASSERT_NE(hero, nullptr);
    hero->x = ToFixed(tx * 32 + 16);
    hero->y = ToFixed(ty * 24 + 12);
  }
  static void HeroTile(int& tx, int& ty) {
    Guy* hero = HeroGuy();
    ASSERT_NE(hero, nullptr);
    tx = FixedToInt(hero->x) / 32;
    ty = FixedToInt(hero->y) / 24;
  }
};

// Escape, the menu slides in, up from "resume" wraps to "quit", fire.
Script& QuitThroughThePauseMenu(Script& s) {
  return s.Type(kEscape).Wait(12).Tap(kActionUp).Tap(kActionFire);
}

TEST_F(PlayFlowTest, ANewGameReachesTheFirstWorldsHub) {
  WriteWorlds();
  Player().level = 9;  // whatever was there before: a new game starts afresh
  Script s;
  s.Wait(40);
  QuitThroughThePauseMenu(s);
  bool sawStart = false;
  ReplayOutcome out = Run(s, [&](uint32_t step) {
    Note();
    if (step == 1) {
      sawStart = true;
      EXPECT_EQ(Player().worldNumber, 0);
      EXPECT_EQ(Player().currentMap, 1);
      EXPECT_EQ(Player().level, 1);
      EXPECT_STREQ(BigMessageText(), "KAPTA 1");
      EXPECT_EQ(GetPlayLoopView().startupCountdown, 29);
      Guy* hero = HeroGuy();
      ASSERT_NE(hero, nullptr);
      EXPECT_EQ(hero->tileX, kHeroX);
      EXPECT_EQ(hero->tileY, kHeroY);
    }
    if (step == 40) {
      EXPECT_EQ(GetPlayLoopView().startupCountdown, 0);
      EXPECT_EQ(GetPauseMenuView().mapKind, 0);
    }
  });
  EXPECT_TRUE(sawStart);
  // The fire on "quit" was the last step played: the game went back to the title.
  EXPECT_EQ(out.steps, s.size() - 1);
  EXPECT_EQ(maps_.front(), 1);
}

TEST_F(PlayFlowTest, AMapCompletedCountsAndLeadsBackToTheHub) {
  WriteWorlds();
  Script s;
  s.Wait(80).TypeText("tovrimasek").Wait(60);
  Run(s, [&](uint32_t step) {
    Note();
    if (step == 35) PostMapEvent(kEventLeaveToMap, 2);  // an exit special
  });
  uint32_t onMap2 = FirstStepOn(2);
  ASSERT_GT(onMap2, 0u);
  // The event posted after step 35 is taken up in step 36; the fade-out
  // takes the 30 steps after it.
  EXPECT_EQ(onMap2, 35u + 1u + 30u + 1u);
  uint32_t back = FirstStepOn(1, onMap2);
  ASSERT_GT(back, 0u);
  // The last letter was typed on step 90; 40 steps later the map is done.
  EXPECT_EQ(back, 90u + 40u + 1u);
  EXPECT_EQ(Player().mapsDone[0][2], 1);
  EXPECT_EQ(Player().mapsDoneInWorld, 1);
  EXPECT_EQ(Player().worldProgress[0], 100u);
}

TEST_F(PlayFlowTest, ASecretMapIsDoneButNotCounted) {
  GameWorld(0).maps[3]->flags = kMapSecret;
  WriteWorlds();
  Script s;
  s.Wait(80).TypeText("tovrimasek").Wait(50);
  Run(s, [&](uint32_t step) {
    if (step == 35) PostMapEvent(kEventLeaveToMap, 3);
  });
  EXPECT_EQ(Player().mapsDone[0][3], 1);
  EXPECT_EQ(Player().mapsDoneInWorld, 0);
}

TEST_F(PlayFlowTest, TheCountRebuiltAtAWorldStartLeavesOutSecretMaps) {
  GameWorld(1).maps[3]->flags = kMapSecret;
  GameWorld(1).maps[7]->flags = kMapSecret | kMapSnow;
  WriteWorlds();
  ResetPlayer(kResetNewGame, 0, 0);
  for (int m : {2, 3, 4, 7}) Player().mapsDone[1][m] = 1;
  Player().worldNumber = 1;
  Script s;
  s.Wait(3);
  Run(
      s,
      [&](uint32_t step) {
        if (step == 1) {
          EXPECT_EQ(Player().mapsDoneInWorld, 2);
        }
      },
      true);
}

TEST_F(PlayFlowTest, DeathReplaysTheMapFromItsStart) {
  WriteWorlds();
  Script s;
  s.Wait(160);
  uint16_t moneyAtStart = 0;
  uint32_t restart = 0;
  Run(s, [&](uint32_t step) {
    Note();
    if (step == 35) PostMapEvent(kEventLeaveToMap, 2);
    if (step == 80) {
      moneyAtStart = Player().moneyAtMapStart;
      Player().money = static_cast<uint16_t>(Player().money + 77);
      PostMapEvent(kEventHeroKilled);
    }
    if (step == 81) {
      EXPECT_STREQ(BigMessageText(), "3AH0B0!");
    }
    if (step > 81 && !restart && GetPlayLoopView().startupCountdown == 29) {
      restart = step;
      EXPECT_EQ(PlayingMapNumber(), 2);
      EXPECT_EQ(Player().money, moneyAtStart);
      EXPECT_STREQ(BigMessageText(), "KAPTA 2");
    }
  });
  EXPECT_EQ(restart, 80u + 1u + 30u + 1u);
  for (uint32_t i = FirstStepOn(2); i <= s.size(); ++i) ASSERT_EQ(maps_[i - 1], 2) << i;
}

TEST_F(PlayFlowTest, LeavingAChallengeWithEnemiesStandingIsAFlight) {
  WriteWorlds();
  Script s;
  // On the arena: Escape, down twice to the third entry, fire.
  s.Wait(120).Type(kEscape).Wait(12).Tap(kActionDown).Tap(kActionDown).Tap(kActionFire).Wait(40);
  uint8_t arena = 0;
  bool sawFlight = false;
  bool backOnHub = false;
  int heroX = 0, heroY = 0;
  Run(s, [&](uint32_t step) {
    Note();
    if (step == 30) MoveHeroTo(10, 10);
    if (step == 35) PostMapEvent(kEventChallenge, 5);
    if (step == 100) {
      arena = PlayingMapNumber();
      EXPECT_EQ(GetPlayLoopView().challengeFlag, 1);
      EXPECT_EQ(GetPauseMenuView().mapKind, 2);
      EXPECT_EQ(ChallengeParameter(), 5);
      EXPECT_TRUE(AnyGuyOfKind(255));
      EXPECT_FALSE(NoChallengePending());
    }
    if (!sawFlight && std::string(BigMessageText()) == "BbI CSEGAVN!") {
      sawFlight = true;
      EXPECT_EQ(Player().roamingX, -2000);
    }
    if (!backOnHub && arena && PlayingMapNumber() == 1) {
      backOnHub = true;
      HeroTile(heroX, heroY);
    }
  });
  EXPECT_GE(arena, 6);
  EXPECT_LE(arena, 9);
  EXPECT_TRUE(sawFlight);
  EXPECT_EQ(maps_.back(), 1);
  // Fled: back at the hub's start, not where the challenge began.
  EXPECT_TRUE(backOnHub);
  EXPECT_EQ(heroX, kHeroX);
  EXPECT_EQ(heroY, kHeroY);
  EXPECT_EQ(Player().mapsDone[0][arena], 0);
  EXPECT_EQ(GetPlayLoopView().challengeFlag, 0);
}

TEST_F(PlayFlowTest, LeavingAClearedChallengeCompletesTheArena) {
  WriteWorlds();
  Script s;
  s.Wait(120).Type(kEscape).Wait(12).Tap(kActionDown).Tap(kActionDown).Tap(kActionFire).Wait(40);
  uint8_t arena = 0;
  bool cleared = false;
  bool backOnHub = false;
  int heroX = 0, heroY = 0;
  Run(s, [&](uint32_t step) {
    Note();
    if (step == 30) MoveHeroTo(10, 10);
    if (step == 35) PostMapEvent(kEventChallenge, 5);
    if (!backOnHub && arena && PlayingMapNumber() == 1) {
      backOnHub = true;
      HeroTile(heroX, heroY);
    }
    if (step == 100) {
      arena = PlayingMapNumber();
      for (int i = 0; i < GuyPoolSize(); ++i) {
        Guy* g = GetGuy(i);
        if (g && g->kind > 1) RemoveGuy(g);
      }
    }
    if (step == 110) cleared = GetPlayLoopView().challengeCleared != 0;
  });
  EXPECT_TRUE(cleared);
  EXPECT_EQ(maps_.back(), 1);
  EXPECT_EQ(Player().mapsDone[0][arena], 1);
  // Won: back where the challenge began.
  EXPECT_TRUE(backOnHub);
  EXPECT_EQ(heroX, 10);
  EXPECT_EQ(heroY, 10);
}

// The "map won" chime of a WinLevel special waits while a challenge has
// challengers standing; once they are down, or outside a challenge, it sounds.
TEST_F(PlayFlowTest, TheWinChimeWaitsForTheChallengersToFall) {
  WriteWorlds();
  Script s;
  s.Wait(130);
  Special win{};
  win.trigger = kTriggerHeroStep | kTriggerRepeat;
  win.effect = kEffectWinLevel;
  // The chime and the map's end it posts, from a special fired now.
  auto chimes = [&win]() {
    testing::ForgetSounds();
    FireSpecial(*PlayingMap(), win, nullptr);
    const bool chimed = testing::HeardNumbers() == std::vector<int>{28};
    EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventMapCompleted);
    PostMapEvent(kEventNone);
    return chimed;
  };
  int checked = 0;
  Run(s, [&](uint32_t step) {
    if (step == 20) {
      ASSERT_EQ(PlayingMapNumber(), 1);
      EXPECT_TRUE(chimes()) << "no challenge";
      ++checked;
    }
    if (step == 35) PostMapEvent(kEventChallenge, 5);
    if (step == 100) {
      ASSERT_GE(PlayingMapNumber(), 6);
      ASSERT_TRUE(AnyGuyOfKind(255));
      EXPECT_FALSE(chimes()) << "challengers standing";
      ++checked;
      for (int i = 0; i < GuyPoolSize(); ++i) {
        Guy* g = GetGuy(i);
        if (g && g->kind > 1) RemoveGuy(g);
      }
      EXPECT_TRUE(chimes()) << "challengers down";
      ++checked;
    }
  });
  EXPECT_EQ(checked, 3);
}

TEST_F(PlayFlowTest, TheFinalMapOfAWorldLeadsToTheNextWorld) {
  WriteWorlds();
  bool onNextWorld = false;
  int heroX = 0, heroY = 0;
  Script s;
  s.Wait(80).TypeText("tovrimasek").Wait(60);
  Run(s, [&](uint32_t step) {
    Note();
    if (step == 30) MoveHeroTo(10, 10);
    if (step == 35) PostMapEvent(kEventLeaveToMap, 14);
    if (!onNextWorld && Player().worldNumber == 1 && PlayingMap()) {
      onNextWorld = true;
      HeroTile(heroX, heroY);
    }
  });
  EXPECT_EQ(Player().worldNumber, 1);
  EXPECT_EQ(Player().mapsDone[0][14], 1);
  EXPECT_EQ(Player().mapsDoneInWorld, 0);
  // The new world starts at its hub's own start.
  EXPECT_TRUE(onNextWorld);
  EXPECT_EQ(heroX, kHeroX);
  EXPECT_EQ(heroY, kHeroY);
  EXPECT_EQ(maps_.back(), 1);
}

}  // namespace
}  // namespace torvel
