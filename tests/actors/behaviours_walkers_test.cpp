// The creatures that fight at close quarters: every blow lands on its frame
// for its damage, walkers close in on the hero, with nobody to fight they
// wander and never attack, and every hit draws exactly one cry.
#include <gtest/gtest.h>

#include <algorithm>

#include "actors/kinds.h"
#include "monster_fixture.h"
#include "player/player_record.h"

namespace torvel::testing {
namespace {

class WalkerTest : public MonsterTest {
 protected:
  void SetUp() override {
    MonsterTest::SetUp();
    Player().armourValue = 0;
    Player().invulnerable = 0;
  }
  static void FullLife(Guy* hero) {
    hero->life = 128;
    hero->hurtTimer = 0;
    Player().life = 128;
  }
};

TEST_F(WalkerTest, EachBlowLandsOnItsFramesForItsDamage) {
  struct Case {
    uint8_t kind, anim;
    uint8_t first, last;  // the frames the blow may land on
    int32_t damage;
    int32_t ahead;  // where the hero stands, east of the monster
  } cases[] = {
      {2, 2, 3, 3, 10, 16},   // skeleton
      {3, 2, 2, 2, 2, 16},    // bat
      {4, 2, 2, 2, 1, 8},     // spider
      {6, 2, 7, 12, 10, 16},  // zombie: its arms reach on 7-12
      {8, 4, 2, 2, 20, 40},   // mother spider's bite
      {9, 2, 6, 6, 8, 16},    // pygmy
      {30, 2, 1, 1, 10, 30},  // stickman
      {33, 2, 3, 3, 8, 20},   // snow guy
      {39, 2, 5, 5, 12, 20},  // mummy
      {40, 2, 5, 5, 6, 20},   // djinni
      {59, 2, 8, 8, 16, 16},  // santa
  };
  for (const Case& c : cases) {
    BuildRoom();
    Guy* hero = AddAtPixel(1, 200 + c.ahead, 200);
    Guy* g = AddAtPixel(c.kind, 200, 200);
    ASSERT_TRUE(hero && g);
    int length = KindSequenceLength(c.kind, c.anim);
    ASSERT_GT(length, c.last) << "kind " << int(c.kind) << " cannot reach its strike frame";
    for (int frame = 0; frame < length; ++frame) {
      FullLife(hero);
      Pose(g, c.anim, static_cast<uint8_t>(frame));
      g->facing = 0;
      g->aiTimer = 2;  // santa's blow needs its count
      Think(g);
      int32_t expected = frame >= c.first && frame <= c.last ? c.damage : 0;
      EXPECT_EQ(128 - hero->life, expected) << "kind " << int(c.kind) << " frame " << frame;
      EXPECT_EQ(Player().life, hero->life);
    }
  }
}

TEST_F(WalkerTest, ABlowMissesAHeroOutOfReachOrBehind) {
  Guy* hero = AddAtPixel(1, 260, 200);
  Guy* skeleton = AddAtPixel(2, 200, 200);
  Pose(skeleton, 2, 3);
  skeleton->facing = 0;
  Think(skeleton);
  EXPECT_EQ(hero->life, 128) << "60 pixels off is out of reach";
  hero->x = ToFixed(184);
  Pose(skeleton, 2, 3);
  Think(skeleton);
  EXPECT_EQ(hero->life, 128) << "behind its back";
  Pose(skeleton, 2, 3);
  skeleton->facing = 4;
  Think(skeleton);
  EXPECT_EQ(hero->life, 118);
  EXPECT_LT(FixedToInt(hero->x), 184) << "pushed along the blow";
}

TEST_F(WalkerTest, AStrikeLandsOnceThoughItsFrameLastsSeveralTicks) {
  Guy* hero = AddAtPixel(1, 216, 200);
  Guy* skeleton = AddAtPixel(2, 200, 200);
  Pose(skeleton, 2, 3, 64);
  skeleton->facing = 0;
  for (int i = 0; i < 4; ++i) Think(skeleton);
  EXPECT_EQ(hero->life, 118);
}

TEST_F(WalkerTest, WalkersCloseInOnTheHero) {
  // Each starts 240 pixels off, awake where it sleeps; the chase may break
  // off into wandering, but within the time it has gained a good deal of
  // ground (a wanderer left to itself would not).
  struct Case {
    uint8_t kind;
    uint8_t aiState;
    int ticks;
  } cases[] = {
      {2, 0, 300},  {3, 0, 300},  {6, 0, 300},  {9, 0, 300},  {13, 0, 300},
      {18, 0, 300}, {24, 0, 300}, {30, 1, 300}, {33, 0, 300}, {39, 1, 400},
      {40, 0, 300}, {53, 0, 300}, {59, 0, 300}, {31, 0, 300},
  };
  for (const Case& c : cases) {
    BuildRoom();
    Passive({1});
    Guy* hero = AddAtPixel(1, 400, 200);
    Guy* g = AddAtPixel(c.kind, 160, 200);
    ASSERT_TRUE(hero && g);
    g->aiState = c.aiState;
    g->facing = 2;  // looking aside to begin with
    int32_t start = GuyDistance(*g, *hero);
    int32_t nearest = start;
    for (int t = 0; t < c.ticks && g->kind == c.kind; ++t) {
      Run(1);
      nearest = std::min(nearest, GuyDistance(*g, *hero));
    }
    EXPECT_LT(nearest, start - 120) << "kind " << int(c.kind);
  }
}

TEST_F(WalkerTest, WithNoHeroTheyWanderAndNeverAttack) {
  struct Case {
    uint8_t kind;
    bool moves;  // wanders about (sleepers and sentinels stand still)
    bool swims;
  } cases[] = {
      {2, true, false},   {3, true, false},   {4, true, false},   {5, true, false},
      {6, true, false},   {8, true, false},   {9, false, false},  {10, true, true},
      {13, true, false},  {14, false, false}, {15, false, false}, {18, false, false},
      {19, true, true},   {23, true, true},   {24, true, false},  {25, false, false},
      {30, false, false}, {31, true, false},  {32, false, false}, {33, true, false},
      {34, true, false},  {35, false, false}, {36, false, false}, {37, false, false},
      {38, true, false},  {39, false, false}, {40, true, false},  {42, true, false},
      {43, true, false},  {44, false, false}, {45, false, false}, {46, false, false},
      {50, true, true},   {52, true, false},  {53, true, false},  {57, false, false},
      {58, true, false},  {59, true, false},  {29, false, false}, {47, false, false},
      {48, false, false},
  };
  for (const Case& c : cases) {
    BuildRoom();
    if (c.swims) {
      for (int y = 1; y < 19; ++y) {
        for (int x = 1; x < 19; ++x) At(x, y).floor = kFloorWater;
      }
    }
    Guy* g = AddAtPixel(c.kind, 320, 240);
    ASSERT_TRUE(g);
    int guys = 0;
    for (int s = 0; s < GuyPoolSize(); ++s) guys += GetGuy(s)->kind != 0;
    Fixed x0 = g->x, y0 = g->y;
    bool moved = false;
    for (int t = 0; t < 300; ++t) {
      Run(1);
      ASSERT_EQ(LiveBulletCount(), 0) << "kind " << int(c.kind) << " attacked at tick " << t;
      moved = moved || g->x != x0 || g->y != y0;
    }
    int after = 0;
    for (int s = 0; s < GuyPoolSize(); ++s) after += GetGuy(s)->kind != 0;
    EXPECT_EQ(after, guys) << "kind " << int(c.kind) << " brought out company";
    EXPECT_EQ(moved, c.moves) << "kind " << int(c.kind);
  }
}

TEST_F(WalkerTest, EachHitDrawsOneCryAndTheKillingHitTheDeathCry) {
  struct Case {
    uint8_t kind;
    int hurt, death;
  } cases[] = {
      // -1: the kind has no such cry. (Kind 32 blocks the next hits once
      // it raises its guard, so it is not among them.)
      {2, 36, 37},    {5, 45, 46},    {13, 172, 173}, {30, 104, 105}, {33, 113, 114},
      {53, 135, 136}, {59, 150, 151}, {29, 182, 183}, {58, 145, 146}, {3, -1, 40},
      {4, -1, 43},    {6, 48, 49},    {7, -1, 52},    {8, 54, 55},    {9, 58, 59},
      {10, 64, 65},   {14, 170, 169}, {15, 175, 176}, {17, 170, 169}, {18, 73, 74},
      {23, 64, 65},   {25, 99, 100},  {26, 99, 100},  {31, 179, 180}, {34, -1, 111},
      {36, 118, 119}, {37, 118, 119}, {38, 64, 65},   {40, 123, 124}, {41, -1, 128},
      {42, -1, 122},  {49, 48, 100},  {50, 64, 65},   {54, 137, -1},  {56, 64, 65},
      {57, 143, 144},
  };
  for (const Case& c : cases) {
    BuildRoom();
    Passive({1});
    AddAtPixel(1, 120, 120);
    Guy* g = AddAtPixel(c.kind, 320, 240);
    ASSERT_TRUE(g);
    g->life = 1000;  // the small ones would die of the first two hits
    int hurt0 = Plays(c.hurt), death0 = Plays(c.death);
    int cry = c.hurt >= 0 ? 1 : 0;
    HurtGuy(g, 0, 0, 1, map(), world());
    Run(6);
    EXPECT_EQ(Plays(c.hurt) - hurt0, cry) << "kind " << int(c.kind);
    HurtGuy(g, 0, 0, 1, map(), world());
    Run(1);
    EXPECT_EQ(Plays(c.hurt) - hurt0, 2 * cry) << "kind " << int(c.kind);
    EXPECT_EQ(Plays(c.death) - death0, 0) << "kind " << int(c.kind);
    Run(5);
    HurtGuy(g, 0, 0, 100000, map(), world());
    ASSERT_EQ(g->life, 0) << "kind " << int(c.kind);
    Run(3);
    EXPECT_EQ(Plays(c.death) - death0, c.death >= 0 ? 1 : 0) << "kind " << int(c.kind);
    EXPECT_EQ(Plays(c.hurt) - hurt0, 2 * cry) << "kind " << int(c.kind);
  }
}

TEST_F(WalkerTest, TheStickmanStaggersAtEveryHitButRoarsAtTheOneThatWakesIt) {
  struct Case {
    const char* what;
    uint8_t aiState;
    bool busy;
    uint8_t anim;
    int32_t damage;
    uint8_t anim2;  // what it plays after the hit
    int16_t rate2;
  } cases[] = {
      {"walking", 1, false, 1, 1, 5, 32},
      {"lunging", 1, true, 2, 1, 5, 32},
      {"roaring", 1, true, 4, 1, 5, 32},
      {"asleep", 0, false, 0, 1, 4, 64},
      {"killed while walking", 1, false, 1, 999, 3, 64},  // dies, no stagger
  };
  for (const Case& c : cases) {
    BuildRoom();
    Passive({1});
    Guy* hero = AddAtPixel(1, 560, 400);  // too far to wake it or be lunged at
    Guy* g = AddAtPixel(30, 200, 200);
    ASSERT_TRUE(hero && g);
    g->aiState = c.aiState;
    if (c.busy) {
      Pose(g, c.anim, 0);
    } else {
      g->anim = c.anim;
      g->animFrame = 0;
      g->animRate = 128;
      g->busy = 0;
    }
    HurtGuy(g, 0, 0, c.damage, map(), world());
    Think(g);
    EXPECT_EQ(g->anim, c.anim2) << c.what;
    EXPECT_EQ(g->animRate, c.rate2) << c.what;
    EXPECT_EQ(g->animFrame, 0) << c.what;
  }
}

TEST_F(WalkerTest, ThePygmyIsRiledByAHitAndAngrierWithEveryOne) {
  Passive({1});
  AddAtPixel(1, 600, 400);
  Guy* pygmy = AddAtPixel(9, 100, 100);
  Run(5);
  EXPECT_EQ(pygmy->aiState, 0) << "nobody near: it stays calm";
  HurtGuy(pygmy, 0, 0, 1, map(), world());
  Run(1);
  EXPECT_EQ(pygmy->aiState, 1);
  EXPECT_EQ(pygmy->anim, 6);
  EXPECT_EQ(pygmy->aiTimer, 120);
  uint8_t before = pygmy->aiTimer;
  pygmy->busy = 0;
  HurtGuy(pygmy, 0, 0, 1, map(), world());
  Run(1);
  EXPECT_EQ(pygmy->aiTimer, before + 10 - 1) << "ten more, less the tick it walked";
}

TEST_F(WalkerTest, TheMummyShufflesStandingOnItsPlantedFrames) {
  Passive({1});
  AddAtPixel(1, 400, 200);
  Guy* mummy = AddAtPixel(39, 200, 200);
  mummy->aiState = 1;
  mummy->aiTimer = 200;
  mummy->cooldown = 200;
  mummy->facing = 0;
  mummy->anim = 1;
  for (int frame = 0; frame < KindSequenceLength(39, 1); ++frame) {
    mummy->animFrame = static_cast<uint8_t>(frame);
    Think(mummy);
    bool planted = (frame >= 3 && frame <= 5) || (frame >= 9 && frame <= 11);
    EXPECT_EQ(mummy->dx, planted ? 0 : kFixedOne) << "frame " << frame;
  }
}

TEST_F(WalkerTest, ThePenguinsDashEndsOnTouchAndBacksOff) {
  Guy* hero = AddAtPixel(1, 210, 200);
  Guy* penguin = AddAtPixel(34, 200, 200);
  Pose(penguin, 2, 1);
  penguin->facing = 0;
  Think(penguin);
  EXPECT_EQ(hero->life, 124);
  EXPECT_EQ(penguin->animFrame, 4) << "the touch skips to the back-off";
  Think(penguin);
  EXPECT_EQ(penguin->dx, ToFixed(-3));
}

}  // namespace
}  // namespace torvel::testing
