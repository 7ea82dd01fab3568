// The shared operations of the behaviours, the dispatch, and the two
// routines of the roaming map.
#include "actors/behaviour.h"

#include <gtest/gtest.h>

#include "actors/guys.h"
#include "common/trig.h"
#include "player/player_record.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

class BehaviourTest : public Scenario {
 protected:
  // Two loose guys, the second offset from the first by (ox, oy) pixels.
  static void Place(Guy& a, Guy& b, int ox, int oy) {
    a.x = ToFixed(500);
    a.y = ToFixed(500);
    b.x = a.x + ToFixed(ox);
    b.y = a.y + ToFixed(oy);
  }
};

TEST_F(BehaviourTest, FaceTargetUsesASixteenPixelDeadZone) {
  struct Case {
    int ox, oy;
    uint8_t facing;
  } cases[] = {
      {100, 0, 0},     {100, 100, 1}, {0, 100, 2},    {-100, 100, 3}, {-100, 0, 4},
      {-100, -100, 5}, {0, -100, 6},  {100, -100, 7}, {17, 16, 0},    {16, 17, 2},
      {-17, -17, 5},   {16, 16, 3},   {-16, 0, 3},  // inside the zone: the facing stays
  };
  for (const Case& c : cases) {
    Guy guy, target;
    guy.facing = 3;
    Place(guy, target, c.ox, c.oy);
    FaceTarget(guy, target);
    EXPECT_EQ(guy.facing, c.facing) << c.ox << "," << c.oy;
  }
}

TEST_F(BehaviourTest, TheTurningDirectionUsesAThirtyTwoPixelZoneAndNeverStays) {
  struct Case {
    int ox, oy;
    uint8_t direction;
  } cases[] = {
      {33, 0, 0}, {33, 33, 1}, {32, 40, 2}, {0, 0, 2}, {0, -33, 6}, {-33, -33, 5}, {-33, 32, 4},
  };
  for (const Case& c : cases) {
    Guy guy, target;
    Place(guy, target, c.ox, c.oy);
    EXPECT_EQ(DirectionToward(guy, target), c.direction) << c.ox << "," << c.oy;
  }
}

TEST_F(BehaviourTest, TurningOneStepGoesTheShortWayRound) {
  struct Case {
    uint8_t from, to, next;
  } cases[] = {
      {0, 2, 1}, {0, 4, 1}, {0, 5, 7}, {0, 7, 7}, {7, 0, 0}, {7, 3, 6},
      {6, 2, 5}, {3, 3, 3}, {2, 6, 3}, {1, 6, 0}, {5, 1, 4}, {4, 0, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TurnOneStep(c.from, c.to), c.next) << int(c.from) << " toward " << int(c.to);
  }
  Guy guy, target;
  guy.facing = 0;
  Place(guy, target, -200, 0);
  TurnTowardTarget(guy, target);
  EXPECT_EQ(guy.facing, 1) << "0 toward 4: four steps either way goes clockwise";
}

TEST_F(BehaviourTest, WalkingStartingAndWandering) {
  Guy guy;
  guy.facing = 2;
  guy.anim = 3;
  guy.animFrame = 5;
  Walk(guy, 3);
  EXPECT_EQ(guy.dx, 3 * Cosine(64));
  EXPECT_EQ(guy.dy, 3 * Sine(64));
  EXPECT_EQ(guy.anim, 1);
  EXPECT_EQ(guy.animFrame, 0);
  guy.animFrame = 4;
  Walk(guy, 3);
  EXPECT_EQ(guy.animFrame, 4) << "already walking: the sequence goes on";

  MoveInFacing(guy, kFixedOne / 8);
  EXPECT_EQ(guy.dy, Sine(64) / 8);

  StartAction(guy, 2);
  EXPECT_EQ(guy.anim, 2);
  EXPECT_EQ(guy.animRate, 64);
  EXPECT_EQ(guy.busy, 1);
  EXPECT_EQ(guy.dx, 0);
  EXPECT_EQ(guy.dy, 0);
  StartAction(guy, 4, 255);
  EXPECT_EQ(guy.animRate, 255);

  // The timer is tested before it counts: a new course when it is found at 0.
  guy.aiTimer = 2;
  guy.facing = 6;
  Wander(guy, 40);
  EXPECT_EQ(guy.aiTimer, 1);
  EXPECT_EQ(guy.facing, 6);
  Wander(guy, 40);
  EXPECT_EQ(guy.aiTimer, 0);
  Wander(guy, 40);
  EXPECT_GE(guy.aiTimer, 1);
  EXPECT_LE(guy.aiTimer, 40);
  uint8_t spare = 0;
  Wander(guy, 5, spare);
  EXPECT_GE(spare, 1);
  EXPECT_LE(spare, 5);
}

TEST_F(BehaviourTest, PointsAndPushesAhead) {
  Guy guy;
  guy.x = ToFixed(100);
  guy.y = ToFixed(100);
  guy.facing = 4;
  int32_t px, py;
  PointAhead(guy, 16, px, py);
  EXPECT_EQ(px, 84);
  EXPECT_EQ(py, 100);
  guy.facing = 2;
  PointAhead(guy, 16, px, py);
  EXPECT_EQ(px, 100);
  EXPECT_EQ(py, 115) << "sine of a quarter turn is a hair under 1";
  EXPECT_EQ(FacingPushY(guy, 4), 4 * Sine(64));
  EXPECT_EQ(FacingPushX(guy, 4), 4 * Cosine(64));
  Guy other;
  other.x = ToFixed(90);
  other.y = ToFixed(130);
  EXPECT_EQ(GuyDistance(guy, other), 40);
}

TEST_F(BehaviourTest, KindsWithoutARoutineDoNothingAndOverridesTakeTheirPlace) {
  Guy* rock = Add(55, 3, 3);
  rock->dx = 0;
  Tick(5);
  EXPECT_EQ(rock->dx, 0);
  EXPECT_EQ(BehaviourOf(55), nullptr);
  EXPECT_EQ(BehaviourOf(200), nullptr);
  EXPECT_EQ(BehaviourOf(11), &FriendlyBehaviour);

  static int calls;
  calls = 0;
  OverrideBehaviour(55, [](Guy& g, Map&, World&, Guy*) {
    ++calls;
    g.dx = ToFixed(1);
  });
  Tick(3);
  EXPECT_EQ(calls, 3);
  OverrideBehaviour(11, nullptr);
  EXPECT_EQ(BehaviourOf(11), nullptr);
  ClearBehaviourOverrides();
  EXPECT_EQ(BehaviourOf(11), &FriendlyBehaviour);
  EXPECT_EQ(BehaviourOf(55), nullptr);
}

TEST_F(BehaviourTest, TheFriendlyHoldsItsPoseAndTalksOncePerVisit) {
  BuildMap({"....................", "....................", "...................."});
  Player().worldNumber = 0;
  Player().currentMap = 10;
  Guy* friendly = Add(11, 10, 1);
  EXPECT_EQ(friendly->aiState, 4);
  Guy* hero = Hero(2, 1);
  Tick(2);
  EXPECT_EQ(friendly->anim, 4);
  EXPECT_EQ(friendly->animFrame, 0);
  EXPECT_EQ(friendly->aiTimer, 0);
  hero->x = friendly->x - ToFixed(30);
  Tick();
  EXPECT_EQ(friendly->aiTimer, 1) << "talked";
  hero->x = friendly->x - ToFixed(50);
  Tick();
  EXPECT_EQ(friendly->aiTimer, 1) << "not re-armed until the hero is over 64 away";
  hero->x = friendly->x - ToFixed(70);
  Tick();
  EXPECT_EQ(friendly->aiTimer, 0);
}

TEST_F(BehaviourTest, TheFriendlysDialogueByMap) {
  struct Case {
    int world, map, dialogue;
  } cases[] = {{0, 1, 0}, {0, 10, 1},  {0, 11, 2},  {0, 13, 3}, {1, 1, 5},
               {1, 5, 7}, {2, 11, 10}, {2, 16, 12}, {0, 2, -1}, {3, 1, -1}};
  for (const Case& c : cases) EXPECT_EQ(FriendlyDialogue(c.world, c.map), c.dialogue);
}

class RoamingTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildMap({}, 64);
    for (Tile& t : map().tiles) t.wall = 0;
    Player().currentMap = 1;
    Player().worldNumber = 0;
    SetHeroEntersLiquid(false);
  }
};

TEST_F(RoamingTest, MapPlacedMonstersAreScenery) {
  Hero(5, 5);
  Guy* decor = Add(5, 12, 5);
  decor->aux = 1;
  Fixed x = decor->x, y = decor->y;
  Tick(50);
  EXPECT_EQ(decor->x, x);
  EXPECT_EQ(decor->y, y);
}

TEST_F(RoamingTest, ARoamerComesForTheHeroAndStopsOnTouching) {
  Guy* hero = Hero(5, 5);
  Guy* roamer = Add(24, 15, 5);
  int32_t start = GuyDistance(*hero, *roamer);
  // Chasing at speed 3 it closes in, wandering now and then.
  for (int i = 0; i < 400 && GuyDistance(*hero, *roamer) >= 48; ++i) Tick();
  EXPECT_LT(GuyDistance(*hero, *roamer), start);
  ASSERT_LT(GuyDistance(*hero, *roamer), 48);
  // Within reach it starts the challenge and stops thinking about moving.
  Fixed dx = roamer->dx, dy = roamer->dy;
  RoamBehaviour(*roamer, map(), world(), hero);
  EXPECT_EQ(roamer->dx, dx);
  EXPECT_EQ(roamer->dy, dy);
}

TEST_F(RoamingTest, WithoutAHeroARoamerOnlyWanders) {
  Guy* roamer = Add(5, 20, 20);
  RoamBehaviour(*roamer, map(), world(), nullptr);
  EXPECT_EQ(roamer->aiState, 1) << "no target: straight to wandering";
  EXPECT_EQ(roamer->anim, 1);
  for (int i = 0; i < 100; ++i) {
    RoamBehaviour(*roamer, map(), world(), nullptr);
    ASSERT_EQ(roamer->aiState, 1);
    ASSERT_GE(roamer->aiTimer, 1);
    ASSERT_LE(roamer->aiTimer, 40);
    ASSERT_EQ(Manhattan(roamer->dx, roamer->dy) > ToFixed(2), true) << "speed 3 along its facing";
  }
}

}  // namespace
}  // namespace torvel::testing
