// Specials: how they are triggered, their conditions, one-shot and Repeat,
// chaining, and every effect.
#include "world/specials.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/bmp.h"
#include "platform/paths.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "support/scenario.h"

namespace torvel {
namespace {

constexpr uint8_t kStill = 55;  // a kind that stands still and thinks nothing
constexpr uint8_t kSkeleton = 2;

class Specials : public testing::Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    Room();
    PostMapEvent(0, 0);
    ShowBigMessage("", 75);
  }

  void Room(int size = 20) {
    BuildMap(
        {
            "####################", "#..................#", "#..................#",
            "#..................#", "#..................#", "#..................#",
            "#..................#", "#..................#", "#..................#",
            "#..................#", "#..................#", "#..................#",
            "#..................#", "#..................#", "#..................#",
            "#..................#", "#..................#", "#..................#",
            "#..................#", "####################",
        },
        size);
  }

  // Slot n of the map's specials, set afresh.
  Special& Put(int slot, int x, int y, uint16_t trigger, uint8_t effect = kEffectNone,
               int32_t value = 0, int tx = 0, int ty = 0, uint8_t trigValue = 0,
               const char* msg = "") {
    Special& s = map().specials[slot];
    s = Special{};
    s.trigger = trigger;
    s.effect = effect;
    s.x = static_cast<uint8_t>(x);
    s.y = static_cast<uint8_t>(y);
    s.targetX = static_cast<uint8_t>(tx);
    s.targetY = static_cast<uint8_t>(ty);
    s.value = value;
    s.trigValue = trigValue;
    // Up to all 32 bytes, the end mark only when there is room for it.
    for (size_t i = 0; i < sizeof(s.msg) && msg[i]; ++i) s.msg[i] = msg[i];
    return s;
  }
  Special& Slot(int n) { return map().specials[n]; }

  static int GuysOfKind(uint8_t kind) {
    int n = 0;
    for (int i = 0; i < GuyPoolSize(); ++i) n += GetGuy(i)->kind == kind;
    return n;
  }
};

TEST_F(Specials, StepsFireForTheRightGuyOnTheRightTile) {
  struct Case {
    const char* what;
    uint16_t trigger;
    bool hero;
    int dx, dy;  // from the special's tile
    uint8_t trigValue;
    bool fires;
  } cases[] = {
      {"hero steps on", kTriggerHeroStep, true, 0, 0, 0, true},
      {"monster on a hero step", kTriggerHeroStep, false, 0, 0, 0, false},
      {"monster steps on", kTriggerMonsterStep, false, 0, 0, 0, true},
      {"hero on a monster step", kTriggerMonsterStep, true, 0, 0, 0, false},
      {"hero beside a hero step", kTriggerHeroStep, true, 1, 0, 0, false},
      {"hero within reach", kTriggerHeroNear, true, 1, -1, 2, true},
      {"hero out of reach", kTriggerHeroNear, true, 2, -1, 2, false},
      {"monster within reach", kTriggerHeroNear, false, 0, 0, 2, false},
      {"hero near a step special", kTriggerHeroStep | kTriggerHeroNear, true, 0, 1, 1, true},
      // On the tile the step decides, and a monster is not the hero.
      {"monster on a hero step that is near", kTriggerHeroStep | kTriggerHeroNear, false, 0, 0, 5,
       false},
      {"shot special stepped on", kTriggerShot, true, 0, 0, 0, false},
      {"chained special stepped on", kTriggerChained | kTriggerHeroStep, true, 0, 0, 0, true},
  };
  Guy* hero = Hero(2, 2);
  Guy* monster = Add(kStill, 3, 3);
  for (const Case& c : cases) {
    Special& s = Put(0, 8, 8, c.trigger, kEffectNone, 0, 0, 0, c.trigValue);
    StepSpecials(map(), 8 + c.dx, 8 + c.dy, c.hero ? hero : monster);
    EXPECT_EQ(s.trigger == 0, c.fires) << c.what;
  }
}

TEST_F(Specials, AStepOnTheTileFiresOnceEvenWhenTheHeroIsAlsoNear) {
  Guy* hero = Hero(2, 2);
  Put(0, 8, 8, kTriggerHeroStep | kTriggerHeroNear | kTriggerRepeat, kEffectSummon, kStill, 12, 12,
      3);
  StepSpecials(map(), 8, 8, hero);
  EXPECT_EQ(GuysOfKind(kStill), 1);
  StepSpecials(map(), 9, 9, hero);
  EXPECT_EQ(GuysOfKind(kStill), 2);
}

TEST_F(Specials, TheHeroWalkingOntoTheTileFiresIt) {
  Hero(3, 5);
  Special& s = Put(0, 6, 5, kTriggerHeroStep);
  Hold(kActionRight);
  Tick(4);
  EXPECT_NE(s.trigger, 0);
  Tick(30);
  EXPECT_EQ(s.trigger, 0);
}

TEST_F(Specials, AStepSpecialOnAWallFiresAtEveryBumpUnlessOneShot) {
  // The hero leans on the east wall; each refused move is a bump.
  Guy* hero = Hero(17, 5);
  Special& repeat = Put(0, 19, 5, kTriggerHeroStep | kTriggerRepeat, kEffectSummon, kStill, 5, 15);
  Special& once = Put(1, 19, 5, kTriggerHeroStep, kEffectSummon, kStill, 3, 15);
  Hold(kActionRight);
  for (int i = 0; i < 30 && GuysOfKind(kStill) == 0; ++i) Tick();
  ASSERT_EQ(GuysOfKind(kStill), 2) << "the hero never reached the wall";
  EXPECT_EQ(once.trigger, 0);
  Tick(5);
  EXPECT_EQ(GuysOfKind(kStill), 7);
  EXPECT_NE(repeat.trigger, 0);
  EXPECT_LT(Px(hero), 19 * 32);
}

TEST_F(Specials, AStoppedBulletFiresShotSpecialsAroundItsOwnTile) {
  // A shot flying east along row 5 is stopped with its centre on tile 18.
  Special& diagonal = Put(0, 19, 6, kTriggerShot);
  Special& above = Put(1, 17, 4, kTriggerShot);
  Special& twoAway = Put(2, 19, 7, kTriggerShot);
  Special& stepOnly = Put(3, 18, 5, kTriggerHeroStep);
  AddBullet(ToFixed(564), ToFixed(5 * 24 + 12), ToFixed(20), ToFixed(12), 0, 0, 0, 30, 0, 1);
  for (int i = 0; i < 10; ++i) UpdateBullets(map(), world());
  EXPECT_EQ(LiveBulletCount(), 0);
  EXPECT_EQ(diagonal.trigger, 0);
  EXPECT_EQ(above.trigger, 0);
  EXPECT_NE(twoAway.trigger, 0);
  EXPECT_NE(stepOnly.trigger, 0);
}

TEST_F(Specials, TheTickPassFiresOnlySpecialsWithoutAnEvent) {
  Special& bare = Put(0, 5, 5, kTriggerShowMessage, kEffectNone, 0, 0, 0, 0, "HI");
  Special& step = Put(1, 6, 5, kTriggerHeroStep);
  Special& chained = Put(2, 7, 5, kTriggerChained);
  Special& shot = Put(3, 8, 5, kTriggerShot);
  Special& near = Put(4, 9, 5, kTriggerHeroNear, kEffectNone, 0, 0, 0, 200);
  Special& monster = Put(5, 10, 5, kTriggerMonsterStep);
  Hero(9, 5);
  TickSpecials(map());
  EXPECT_EQ(bare.trigger, 0);
  EXPECT_STREQ(BigMessageText(), "HI");
  for (Special* s : {&step, &chained, &shot, &near, &monster}) EXPECT_NE(s->trigger, 0);
}

TEST_F(Specials, AConditionSpecialFiresWhenTheTallyIsReachedOnceOrEveryTick) {
  Special& once = Put(0, 5, 5, kTriggerMapsDone, kEffectSummon, kStill, 9, 9, 2);
  Special& again =
      Put(1, 6, 5, kTriggerMapsDone | kTriggerRepeat, kEffectSummon, kSkeleton, 12, 9, 2);
  Player().mapsDoneInWorld = 1;
  TickSpecials(map());
  EXPECT_EQ(GuysOfKind(kStill) + GuysOfKind(kSkeleton), 0);
  Player().mapsDoneInWorld = 2;
  for (int tick = 1; tick <= 3; ++tick) {
    TickSpecials(map());
    EXPECT_EQ(GuysOfKind(kStill), 1);
    EXPECT_EQ(GuysOfKind(kSkeleton), tick);
  }
  EXPECT_EQ(once.trigger, 0);
  EXPECT_EQ(again.trigger, kTriggerMapsDone | kTriggerRepeat);
}

TEST_F(Specials, AFailedConditionLeavesTheSpecialAsItWasAndDoesNothing) {
  struct Case {
    const char* what;
    uint16_t condition;
    uint8_t trigValue;
    std::function<void()> arrange;
    bool fires;
  } cases[] = {
      {"a kind present", kTriggerNoneOfKind, kSkeleton, [this] { Add(kSkeleton, 3, 3); }, false},
      {"the kind absent", kTriggerNoneOfKind, kSkeleton, [this] { Add(kStill, 3, 3); }, true},
      {"a living enemy", kTriggerNoneOfKind, 255, [this] { Add(kSkeleton, 3, 3); }, false},
      {"only the friendly", kTriggerNoneOfKind, 255, [this] { Add(11, 3, 3); }, true},
      {"a dying enemy", kTriggerNoneOfKind, 255, [this] { Add(kSkeleton, 3, 3)->life = 0; }, true},
      {"too few collected", kTriggerCollected, 3, [] { Player().collected = 2; }, false},
      {"enough collected", kTriggerCollected, 3, [] { Player().collected = 3; }, true},
      {"a piece missing", kTriggerAllPieces, 0,
       [] {
         for (int i = 0; i < 3; ++i) Player().armourPieces[i] = 1;
       },
       false},
      {"every piece", kTriggerAllPieces, 0,
       [] {
         for (int i = 0; i < 4; ++i) Player().armourPieces[i] = 1;
       },
       true},
      {"too few maps done", kTriggerMapsDone, 4, [] { Player().mapsDoneInWorld = 3; }, false},
  };
  for (const auto& c : cases) {
    Room();
    ResetPlayer(kResetNewGame, 0, 2);
    ResetPlayer(kResetMapStart, 0, 2);
    ShowBigMessage("", 75);
    c.arrange();
    Special& s = Put(0, 5, 5, c.condition | kTriggerShowMessage | kTriggerHeroStep, kEffectSummon,
                     55, 9, 9, c.trigValue, "DONE");
    Special before = s;
    const int guys = GuysOfKind(kStill);
    FireSpecial(map(), s, nullptr);
    if (c.fires) {
      EXPECT_EQ(s.trigger, 0) << c.what;
      EXPECT_EQ(GuysOfKind(kStill), guys + 1) << c.what;
      EXPECT_STREQ(BigMessageText(), "DONE") << c.what;
    } else {
      EXPECT_EQ(s.trigger, before.trigger) << c.what;
      EXPECT_EQ(GuysOfKind(kStill), guys) << c.what;
      EXPECT_STREQ(BigMessageText(), "") << c.what;
    }
  }
}

TEST_F(Specials, AFiredSpecialChainsOneRingOfNeighbours) {
  Guy* hero = Hero(2, 2);
  Put(0, 8, 8, kTriggerHeroStep);
  Special& ringCorner = Put(1, 7, 7, kTriggerChained);
  Special& ringSide = Put(2, 9, 8, kTriggerChained);
  Special& ringBelow = Put(3, 8, 9, kTriggerChained);
  Special& beyond = Put(4, 10, 8, kTriggerChained);  // beside the ring, not the origin
  Special& notChained = Put(5, 9, 9, kTriggerHeroStep);
  Special& ownTile = Put(6, 8, 8, kTriggerChained);
  StepSpecials(map(), 8, 8, hero);
  EXPECT_EQ(Slot(0).trigger, 0);
  EXPECT_EQ(ringCorner.trigger, 0);
  EXPECT_EQ(ringSide.trigger, 0);
  EXPECT_EQ(ringBelow.trigger, 0);
  EXPECT_NE(beyond.trigger, 0);
  EXPECT_NE(notChained.trigger, 0);
  EXPECT_NE(ownTile.trigger, 0);
}

TEST_F(Specials, NeighboursFireEvenWhenTheOriginsOwnEffectDeclines) {
  // A WinLevel whose collectibles are not all taken stays armed and shows
  // nothing, but its chained neighbour fires every time it is tried.
  SetCollectibleTotal(3);
  Player().collected = 1;
  Guy* hero = Hero(2, 2);
  Special& win = Put(0, 8, 8, kTriggerHeroStep | kTriggerShowMessage, kEffectWinLevel, 0, 0, 0, 0,
                     "WELL DONE");
  Put(1, 9, 9, kTriggerChained | kTriggerRepeat, kEffectSummon, kStill, 12, 12);
  for (int i = 1; i <= 3; ++i) {
    StepSpecials(map(), 8, 8, hero);
    EXPECT_EQ(GuysOfKind(kStill), i);
  }
  EXPECT_NE(win.trigger, 0);
  EXPECT_STREQ(BigMessageText(), "");
  EXPECT_EQ(GetPlayLoopView().pendingEvent, 0);
}

TEST_F(Specials, WinLevelCompletesTheMapOnceEveryCollectibleIsTaken) {
  SetCollectibleTotal(3);
  Special& win = Put(0, 5, 5, kTriggerMapsDone, kEffectWinLevel);
  Player().collected = 2;
  TickSpecials(map());
  EXPECT_EQ(GetPlayLoopView().pendingEvent, 0);
  EXPECT_NE(win.trigger, 0);
  Player().collected = 3;
  TickSpecials(map());
  EXPECT_EQ(GetPlayLoopView().pendingEvent, 2);
  EXPECT_EQ(GetPlayLoopView().eventParameter, 0);
  EXPECT_EQ(win.trigger, 0);
}

TEST_F(Specials, TeleportMovesTheGuyThatFiredIt) {
  Room(64);
  Guy* hero = Hero(3, 3);
  hero->dx = ToFixed(3);
  hero->dy = ToFixed(-2);
  Special& s = Put(0, 3, 3, kTriggerHeroStep, kEffectTeleport, 0, 15, 12);
  StepSpecials(map(), 3, 3, hero);
  EXPECT_EQ(hero->x, ToFixed(15 * 32 + 16));
  EXPECT_EQ(hero->y, ToFixed(12 * 24 + 12));
  EXPECT_EQ(hero->dx, 0);
  EXPECT_EQ(hero->dy, 0);
  EXPECT_EQ(SpecialCooldown(), 30);
  EXPECT_EQ(s.trigger, 0);
  // The camera jumped along; the tile flashes, its neighbours less.
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  EXPECT_LE(std::abs(cx - (15 * 32 + 16)), 10);
  EXPECT_LE(std::abs(cy - (12 * 24 + 12)), 10);
  EXPECT_EQ(At(15, 12).curLight, 34);
  for (auto [x, y] : {std::pair{14, 12}, std::pair{16, 12}, std::pair{15, 11}, std::pair{15, 13}}) {
    EXPECT_EQ(At(x, y).curLight, 20);
  }
  EXPECT_EQ(At(16, 13).curLight, 0);
}

TEST_F(Specials, TheHerosTeleportWaitsForItsCooldown) {
  Guy* hero = Hero(3, 3);
  Special& s =
      Put(0, 3, 3, kTriggerHeroStep | kTriggerShowMessage, kEffectTeleport, 0, 15, 12, 0, "AWAY");
  SetSpecialCooldown(5);
  const Fixed x = hero->x;
  StepSpecials(map(), 3, 3, hero);
  EXPECT_EQ(hero->x, x);
  EXPECT_NE(s.trigger, 0);
  EXPECT_STREQ(BigMessageText(), "");
}

TEST_F(Specials, AMonsterTeleportsWithoutACooldown) {
  Guy* monster = Add(kStill, 3, 3);
  Put(0, 3, 3, kTriggerMonsterStep | kTriggerRepeat, kEffectTeleport, 0, 15, 12);
  StepSpecials(map(), 3, 3, monster);
  EXPECT_EQ(monster->x, ToFixed(15 * 32 + 16));
  EXPECT_EQ(SpecialCooldown(), 0);
}

TEST_F(Specials, ATeleportWithoutAGuyMovesNobodyButStillShowsAndDisarms) {
  Guy* hero = Hero(3, 3);
  const Fixed x = hero->x;
  Special& byTick = Put(0, 3, 3, kTriggerShowMessage, kEffectTeleport, 0, 15, 12, 0, "WHOOSH");
  Special& byShot = Put(1, 4, 3, kTriggerShot, kEffectTeleport, 0, 15, 12);
  TickSpecials(map());
  ShotSpecials(map(), 4, 4);
  EXPECT_EQ(hero->x, x);
  EXPECT_EQ(byTick.trigger, 0);
  EXPECT_EQ(byShot.trigger, 0);
  EXPECT_STREQ(BigMessageText(), "WHOOSH");
}

TEST_F(Specials, SummonDropsAMonsterOntoTheTarget) {
  Put(0, 3, 3, kTriggerMapsDone, kEffectSummon, 0x100 | kSkeleton, 9, 7);
  TickSpecials(map());
  ASSERT_EQ(GuysOfKind(kSkeleton), 1);
  const Guy* g = GetGuy(0);
  EXPECT_EQ(g->x, ToFixed(9 * 32 + 16));
  EXPECT_EQ(g->y, ToFixed(7 * 24 + 12));
  EXPECT_EQ(g->z, ToFixed(64));
}

TEST_F(Specials, WallEffectsZapRaiseAndToggleTheRegionAtTheTarget) {
  // A little wall of wall 5 under roof 7 in the room, and a ring of floor 3
  // around a patch of floor 4.
  auto build = [this] {
    Room();
    for (int x = 5; x <= 7; ++x) {
      At(x, 4).wall = 5;
      At(x, 4).floor = 7;
    }
    for (int y = 8; y <= 12; ++y) {
      for (int x = 8; x <= 12; ++x) At(x, y).floor = 3;
    }
    for (int y = 9; y <= 11; ++y) {
      for (int x = 9; x <= 11; ++x) At(x, y).floor = 4;
    }
  };

  build();
  Put(0, 1, 1, kTriggerMapsDone, kEffectZapWall, 0x200 | 9, 6, 4);
  TickSpecials(map());
  for (int x = 5; x <= 7; ++x) {
    EXPECT_EQ(At(x, 4).wall, 0);
    EXPECT_EQ(At(x, 4).floor, 9);
  }
  EXPECT_EQ(At(4, 4).wall, 0);

  // Zapping floor or raising over a wall does nothing, yet the special is spent.
  build();
  Special& zapFloor = Put(0, 1, 1, kTriggerMapsDone, kEffectZapWall, 9, 10, 10);
  Special& raiseWall = Put(1, 1, 2, kTriggerMapsDone, kEffectMakeWall, 6, 6, 4);
  TickSpecials(map());
  EXPECT_EQ(zapFloor.trigger, 0);
  EXPECT_EQ(raiseWall.trigger, 0);
  EXPECT_EQ(At(10, 10).floor, 4);
  EXPECT_EQ(At(6, 4).wall, 5);

  build();
  Put(0, 1, 1, kTriggerMapsDone, kEffectMakeWall, 6, 10, 10);
  TickSpecials(map());
  EXPECT_EQ(At(10, 10).wall, 6);
  EXPECT_EQ(At(9, 9).wall, 6);
  EXPECT_EQ(At(8, 8).wall, 0);
  EXPECT_EQ(At(10, 10).floor, 4);

  // Toggling remembers the wall it took away and raises it again.
  build();
  Special& toggle = Put(0, 1, 1, kTriggerMapsDone | kTriggerRepeat, kEffectToggleWall, 0, 6, 4);
  At(5, 3).floor = 7;  // the same floor as the wall's roof, next to it
  TickSpecials(map());
  EXPECT_EQ(toggle.value, 5);
  for (int x = 5; x <= 7; ++x) {
    EXPECT_EQ(At(x, 4).wall, 0);
    EXPECT_EQ(At(x, 4).floor, 7);
  }
  TickSpecials(map());
  for (int x = 5; x <= 7; ++x) EXPECT_EQ(At(x, 4).wall, 5);
  // The raised region is the floor region now, so it takes the neighbour too.
  EXPECT_EQ(At(5, 3).wall, 5);
}

TEST_F(Specials, LightReadsTheLowByteAsASignedStrength) {
  struct Case {
    int32_t value;
    int8_t centre;  // strength / 4 where it is above 16
    int8_t fiveAway;
  } cases[] = {
      {300, 11, 8},     // strength 44, radius 150
      {-200, 14, 11},   // strength 56, radius 100
      {40, 10, 7},      // strength 40, radius 20: five away 40 - 25/2 = 28, a quarter of it
      {200, -10, -10},  // strength -56: nothing
      {-1, -10, -10},   // strength -1
      // The ends of the stored range: strength 0 with radius 0 lights the
      // centre only; strength -1 nothing.
      {INT32_MIN, 0, -10},
      {INT32_MAX, -10, -10},
  };
  for (const Case& c : cases) {
    Room();
    for (Tile& t : map().tiles) t.light = -10;
    Put(0, 1, 1, kTriggerMapsDone, kEffectLight, c.value, 9, 9);
    TickSpecials(map());
    EXPECT_EQ(At(9, 9).light, c.centre) << "value " << c.value;
    EXPECT_EQ(At(9, 14).light, c.fiveAway) << "value " << c.value;
  }
}

TEST_F(Specials, GotoMapLeavesForAMapNotYetDone) {
  Special& s = Put(0, 5, 5, kTriggerHeroStep | kTriggerRepeat, kEffectGotoMap, 7);
  Guy* hero = Hero(5, 5);
  Player().mapsDone[0][7] = 1;
  StepSpecials(map(), 5, 5, hero);
  EXPECT_EQ(GetPlayLoopView().pendingEvent, 0);
  Player().mapsDone[0][7] = 0;
  StepSpecials(map(), 5, 5, hero);
  EXPECT_EQ(GetPlayLoopView().pendingEvent, 1);
  EXPECT_EQ(GetPlayLoopView().eventParameter, 7);
  EXPECT_NE(s.trigger, 0);
}

TEST_F(Specials, TheShopExitIsNeverTakenForADoneMap) {
  // The shop's number lies past the world's row of done maps; the flag at
  // that distance belongs to another world and must not keep the exit shut.
  for (int w = 0; w < 4; ++w) {
    for (auto& row : Player().mapsDone) std::fill(std::begin(row), std::end(row), 1);
    Player().worldNumber = static_cast<uint8_t>(w);
    PostMapEvent(0, 0);
    Special& s = Put(0, 5, 5, kTriggerMapsDone, kEffectGotoMap, 50);
    TickSpecials(map());
    EXPECT_EQ(GetPlayLoopView().pendingEvent, 1) << "world " << w;
    EXPECT_EQ(GetPlayLoopView().eventParameter, 50) << "world " << w;
    EXPECT_EQ(s.trigger, 0);
  }
}

TEST_F(Specials, ExitMarkersStandOverExitsToDoneMapsOnly) {
  SetGameDir(TORVEL_GAME_DIR);
  ASSERT_TRUE(LoadItems());
  SetCamera(ToFixed(320), ToFixed(240));  // the screen shows the map from its corner
  Put(0, 4, 4, kTriggerHeroStep, kEffectGotoMap, 3);
  Put(1, 10, 4, kTriggerHeroStep, kEffectGotoMap, 4);
  Put(2, 4, 12, kTriggerHeroStep, kEffectGotoMap, 50);
  Put(3, 10, 12, kTriggerHeroStep, kEffectZapWall, 3);
  Player().mapsDone[0][3] = 1;
  // Where the shop's flag would lie past world 0's row.
  Player().mapsDone[2][2] = 1;
  display().ClearScreen();
  DrawSpecialMarkers(&display(), map(), 0);
  auto inked = [this](int tx, int ty) {
    int n = 0;
    for (int y = ty * 24 + 12 - 20; y <= ty * 24 + 12 + 20; ++y) {
      for (int x = tx * 32 + 16 - 20; x <= tx * 32 + 16 + 20; ++x) n += Pixel(x, y) != 0;
    }
    return n;
  };
  EXPECT_GT(inked(4, 4), 0);
  EXPECT_EQ(inked(10, 4), 0);
  EXPECT_EQ(inked(4, 12), 0);
  EXPECT_EQ(inked(10, 12), 0);
  // Drawn for another world's row, the done map is not.
  display().ClearScreen();
  DrawSpecialMarkers(&display(), map(), 1);
  EXPECT_EQ(inked(4, 4), 0);
  FreeItems();
}

TEST_F(Specials, ShowPicShowsThePictureAndWaitsForAButton) {
  BmpImage picture;
  picture.width = 640;
  picture.height = 480;
  picture.pixels.assign(640 * 480, 77);
  std::filesystem::create_directories(dir() + "/graphics");
  ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/note.bmp", EncodeBmp8(picture)));
  SetGameDir(dir());
  Put(0, 5, 5, kTriggerMapsDone, kEffectShowPic, 0, 0, 0, 0, "note.bmp");
  SetPlayMode(0);
  TickSpecials(map());
  EXPECT_EQ(PlayMode(), 2);
  EXPECT_EQ(Pixel(0, 0), 77);
  EXPECT_EQ(Pixel(639, 479), 77);
  SetPlayMode(0);
}

TEST_F(Specials, TheMessageIsShownAfterTheEffect) {
  Put(0, 5, 5, kTriggerMapsDone | kTriggerShowMessage, kEffectNone, 0, 0, 0, 0,
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");  // all 32 bytes, no end mark
  TickSpecials(map());
  // A message line holds 31 characters and its end mark.
  EXPECT_STREQ(BigMessageText(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
}

TEST_F(Specials, ARepeatedMessageOfThirtyTwoCharactersShowsOnce) {
  auto& device = *static_cast<RecordingSoundDevice*>(platform().Sound());
  Put(0, 5, 5, kTriggerMapsDone | kTriggerShowMessage | kTriggerRepeat, kEffectNone, 0, 0, 0, 0,
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
  device.ClearCalls();
  for (int i = 0; i < 5; ++i) TickSpecials(map());
  int plays = 0;
  for (const auto& call : device.calls()) plays += call.op == "play";
  EXPECT_EQ(plays, 1) << "the message and its sound once, not on every tick";
}

// A target off the map: no effect acts there and none makes a sound, yet the
// special has fired: its chained neighbour fires, its message shows and a
// one-shot special is spent.
TEST_F(Specials, EveryEffectOnATargetOffTheMapDoesNothingThereButStillFires) {
  auto& device = *static_cast<RecordingSoundDevice*>(platform().Sound());
  struct Case {
    uint8_t effect;
    int32_t value;
  } cases[] = {
      {kEffectSummon, kSkeleton}, {kEffectZapWall, 3},  {kEffectMakeWall, 5},
      {kEffectToggleWall, 5},     {kEffectTeleport, 0}, {kEffectLight, 40},
  };
  const int targets[][2] = {{20, 5}, {5, 20}, {200, 200}};
  for (const Case& c : cases) {
    for (const auto& t : targets) {
      Room();
      Guy* hero = Hero(3, 3);
      const Fixed x = hero->x, y = hero->y;
      Special& s = Put(0, 3, 3, kTriggerHeroStep | kTriggerShowMessage, c.effect, c.value, t[0],
                       t[1], 0, "THERE");
      Special& neighbour =
          Put(1, 4, 3, kTriggerChained | kTriggerShowMessage, kEffectNone, 0, 0, 0, 0, "NEIGHBOUR");
      const std::vector<Tile> before = map().tiles;
      ShowBigMessage("", 75);
      device.ClearCalls();
      StepSpecials(map(), 3, 3, hero);
      const std::string what = "effect " + std::to_string(c.effect) + " at " +
                               std::to_string(t[0]) + "," + std::to_string(t[1]);
      EXPECT_EQ(neighbour.trigger, 0) << what;
      EXPECT_EQ(s.trigger, 0) << what;
      EXPECT_STREQ(BigMessageText(), "THERE") << what;
      EXPECT_EQ(GuysOfKind(kSkeleton), 0) << what;
      EXPECT_EQ(hero->x, x) << what;
      EXPECT_EQ(hero->y, y) << what;
      bool same = true;
      for (size_t i = 0; i < before.size(); ++i) {
        const Tile &a = before[i], &b = map().tiles[i];
        same = same && a.floor == b.floor && a.wall == b.wall && a.light == b.light &&
               a.curLight == b.curLight && a.item == b.item;
      }
      EXPECT_TRUE(same) << what;
      // Only the messages' sound 33 played.
      const int32_t slot33 = CachedSlot(33);
      ASSERT_GE(slot33, 0);
      int others = 0;
      for (const auto& call : device.calls()) {
        if (call.op != "play") continue;
        const RecordingSoundDevice::Voice* v = device.GetVoice(call.handle);
        others += !v || v->buffer != SlotVoice(slot33);
      }
      EXPECT_EQ(others, 0) << what;
    }
  }
}

TEST_F(Specials, TheCastleHubOpensOnceFourMapsAreDone) {
  Room(128);
  Player().worldNumber = 3;
  Player().currentMap = 1;
  Player().mapsDoneInWorld = 3;
  TickSpecials(map());
  EXPECT_EQ(At(63, 12).floor, 0);
  EXPECT_EQ(Player().worldRelic[3], 0);

  Player().mapsDoneInWorld = 4;
  TickSpecials(map());
  EXPECT_EQ(Player().worldRelic[3], 1);
  EXPECT_EQ(GetShake(), 60);
  for (int y = 12; y <= 14; ++y) {
    EXPECT_EQ(At(63, y).floor, 35);
    EXPECT_EQ(At(64, y).floor, 35);
  }
  EXPECT_EQ(At(61, 8).item, 80);

  // Every tick keeps it open; the shake and its sound come only once.
  SetShake(0);
  At(63, 13).floor = 0;
  At(61, 8).item = 0;
  TickSpecials(map());
  EXPECT_EQ(GetShake(), 0);
  EXPECT_EQ(At(63, 13).floor, 35);
  EXPECT_EQ(At(61, 8).item, 80);

  // Elsewhere nothing opens.
  Room(128);
  Player().currentMap = 2;
  TickSpecials(map());
  EXPECT_EQ(At(63, 12).floor, 0);
}

}  // namespace
}  // namespace torvel
