// What each special's effect sounds like: the sound, where it is placed
// (the target tile's corner or centre, the guy, or plain) and its priority;
// effects that decline are silent, and the castle hub's opening rumbles once.
#include <gtest/gtest.h>

#include <vector>

#include "shell/messages.h"
#include "shell/play_loop.h"
#include "support/scenario.h"
#include "support/sound_probe.h"
#include "world/specials.h"

namespace torvel {
namespace {

using testing::HeardSound;
using testing::HeardSounds;

constexpr uint8_t kStill = 55;  // a kind that stands still and thinks nothing

class SpecialSounds : public testing::Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    PostMapEvent(kEventNone);
    ShowBigMessage("", 75);
  }
  void TearDown() override {
    PostMapEvent(kEventNone);
    SetPlayMode(kModePlaying);
    Scenario::TearDown();
  }
};

// Where an expected sound is placed.
enum Where { kPlain, kTargetCorner, kTargetCentre, kAtTheHero };

struct Heard {
  int number;
  Where where;
  int32_t priority;
};

TEST_F(SpecialSounds, EachEffectSoundsFromItsPlaceAtItsPriority) {
  constexpr int kTx = 6, kTy = 7;  // the target tile, a floor unless a case walls it
  struct Case {
    const char* what;
    uint8_t effect;
    int32_t value;
    uint16_t trigger;
    void (*prepare)(Map& map);
    std::vector<Heard> heard;
  } cases[] = {
      {"summon", kEffectSummon, kStill, kTriggerHeroStep, nullptr, {{32, kTargetCentre, 1500}}},
      {"zap wall",
       kEffectZapWall,
       0,
       kTriggerHeroStep,
       [](Map& map) { MapTile(map, kTx, kTy).wall = 1; },
       {{29, kTargetCorner, 1500}}},
      {"zap wall with no wall there", kEffectZapWall, 0, kTriggerHeroStep, nullptr, {}},
      {"make wall", kEffectMakeWall, 1, kTriggerHeroStep, nullptr, {{30, kTargetCorner, 1500}}},
      {"make wall over a wall",
       kEffectMakeWall,
       1,
       kTriggerHeroStep,
       [](Map& map) { MapTile(map, kTx, kTy).wall = 1; },
       {}},
      {"toggle a wall away",
       kEffectToggleWall,
       0,
       kTriggerHeroStep,
       [](Map& map) { MapTile(map, kTx, kTy).wall = 1; },
       {{29, kTargetCorner, 1500}}},
      {"toggle a wall up",
       kEffectToggleWall,
       1,
       kTriggerHeroStep,
       nullptr,
       {{30, kTargetCorner, 1500}}},
      {"teleport", kEffectTeleport, 0, kTriggerHeroStep, nullptr, {{32, kAtTheHero, 1500}}},
      {"teleport cooling down",
       kEffectTeleport,
       0,
       kTriggerHeroStep | kTriggerShowMessage,
       [](Map&) { SetSpecialCooldown(5); },
       {}},
      {"light", kEffectLight, 20, kTriggerHeroStep, nullptr, {{31, kTargetCorner, 1300}}},
      {"goto map", kEffectGotoMap, 5, kTriggerHeroStep, nullptr, {{27, kPlain, 0}}},
      {"goto a done map",
       kEffectGotoMap,
       5,
       kTriggerHeroStep,
       [](Map&) { Player().mapsDone[0][5] = 1; },
       {}},
      {"win level", kEffectWinLevel, 0, kTriggerHeroStep, nullptr, {{28, kPlain, 0}}},
      {"win level with collectibles left",
       kEffectWinLevel,
       0,
       kTriggerHeroStep,
       [](Map&) { SetCollectibleTotal(1); },
       {}},
      {"show picture", kEffectShowPic, 0, kTriggerHeroStep, nullptr, {{33, kPlain, 0}}},
      {"nothing", kEffectNone, 0, kTriggerHeroStep, nullptr, {}},
      {"an effect past the last", 12, 0, kTriggerHeroStep, nullptr, {}},
      {"a message",
       kEffectNone,
       0,
       kTriggerHeroStep | kTriggerShowMessage,
       nullptr,
       {{33, kPlain, 0}}},
      {"a message already shown",
       kEffectNone,
       0,
       kTriggerHeroStep | kTriggerShowMessage,
       [](Map&) { ShowBigMessage("PA3", 75); },
       {}},
      {"summon and a message",
       kEffectSummon,
       kStill,
       kTriggerHeroStep | kTriggerShowMessage,
       nullptr,
       {{32, kTargetCentre, 1500}, {33, kPlain, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildMap({"#...................", "#...................", "#...................",
              "#...................", "#...................", "#...................",
              "#...................", "#...................", "#...................",
              "#...................", "#...................", "#..................."});
    ShowBigMessage("", 75);
    SetCollectibleTotal(0);
    SetSpecialCooldown(0);
    Player().mapsDone[0][5] = 0;
    Guy* hero = Hero(3, 3);
    // Heard from the middle of the room, off every place a sound comes from.
    SetCamera(ToFixed(300), ToFixed(200));
    if (c.prepare) c.prepare(map());
    Special& s = map().specials[0];
    s = Special{};
    s.trigger = c.trigger;
    s.effect = c.effect;
    s.value = c.value;
    s.x = 3;
    s.y = 3;
    s.targetX = kTx;
    s.targetY = kTy;
    s.msg[0] = 'P';
    s.msg[1] = 'A';
    s.msg[2] = '3';
    testing::ForgetSounds();
    FireSpecial(map(), s, hero);
    const std::vector<HeardSound> heard = HeardSounds();
    ASSERT_EQ(heard.size(), c.heard.size());
    for (size_t i = 0; i < heard.size(); ++i) {
      const Heard& want = c.heard[i];
      EXPECT_EQ(heard[i].number, want.number) << heard[i];
      switch (want.where) {
        case kPlain:
          EXPECT_TRUE(heard[i].Plain()) << heard[i];
          break;
        case kTargetCorner:
          EXPECT_TRUE(heard[i].At(kTx * 32, kTy * 24, want.priority)) << heard[i];
          break;
        case kTargetCentre:
          EXPECT_TRUE(heard[i].At(kTx * 32 + 16, kTy * 24 + 12, want.priority)) << heard[i];
          break;
        case kAtTheHero:
          // Where the hero stood before it was sent away.
          EXPECT_TRUE(heard[i].At(3 * 32 + 16, 3 * 24 + 12, want.priority)) << heard[i];
          break;
      }
    }
    PostMapEvent(kEventNone);
    SetPlayMode(kModePlaying);
  }
}

TEST_F(SpecialSounds, TheCastleHubRumblesOpenOnlyOnce) {
  BuildMap({"."}, 128);
  Player().worldNumber = 3;
  Player().currentMap = 1;
  Player().mapsDoneInWorld = 4;
  testing::ForgetSounds();
  TickSpecials(map());
  const std::vector<HeardSound> heard = HeardSounds();
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].number, 174);
  EXPECT_TRUE(heard[0].Plain()) << heard[0];

  // The hub stays open on every later tick, without a sound.
  testing::ForgetSounds();
  TickSpecials(map());
  TickSpecials(map());
  EXPECT_TRUE(HeardSounds().empty());

  // A later visit, the flag saved with the game: open and silent.
  BuildMap({"."}, 128);
  testing::ForgetSounds();
  TickSpecials(map());
  EXPECT_EQ(At(63, 12).floor, 35);
  EXPECT_TRUE(HeardSounds().empty());
}

}  // namespace
}  // namespace torvel
