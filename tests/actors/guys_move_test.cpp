// The guy mover: collision, sliding, animation pace, freezing, the hero's
// floors, blocks, doors and the floors that change underfoot.
#include <gtest/gtest.h>

#include "actors/guys.h"
#include "actors/kinds.h"
#include "player/player_record.h"
#include "support/scenario.h"
#include "world/world.h"

namespace torvel::testing {
namespace {

class GuyMoveTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    // The monsters here are pushed about by hand.
    Passive({2, 3, 4, 7, 10, 12, 15, 17, 40, 43, 57});
  }
};

TEST_F(GuyMoveTest, AGuyBlockedOnXSlidesAlongTheWallOnY) {
  BuildMap({
      "#######",
      "#.....#",
      "#.....#",
      "#.....#",
      "#.....#",
      "#######",
  });
  Guy* g = Add(2, 5, 1);  // x 176, box right 184; the wall starts at 192
  g->dx = ToFixed(3);
  g->dy = ToFixed(2);
  Tick(10);
  EXPECT_EQ(Px(g), 182) << "stopped by the wall: 182 + 8 is the last pixel before it";
  EXPECT_GT(Py(g), 12 + 15) << "still sliding down";
  Tick(40);
  EXPECT_EQ(Py(g), 4 * 24 + 24 - 6 - 2) << "and stopped by the floor's wall below";
}

TEST_F(GuyMoveTest, GuysBlockEachOtherExceptWhereTheirKindsSayNot) {
  struct Case {
    uint8_t mover, other;
    bool blocked;
  } cases[] = {
      {2, 2, true},    // two walkers
      {1, 2, true},    // the hero meets a skeleton
      {1, 12, false},  // the hero walks through its pterodactyl
      {2, 7, false},   // monsters pass the egg sac
      {1, 7, true},    // but the hero does not
      {12, 2, false},  // and the pterodactyl ignores everyone
  };
  for (const Case& c : cases) {
    BuildMap({
        "##########",
        "#........#",
        "#........#",
        "##########",
    });
    Guy* mover = Add(c.mover, 2, 1);
    Guy* other = Add(c.other, 5, 1);
    other->x = mover->x + ToFixed(KindSize(c.mover) + KindSize(c.other) + 4);
    Fixed start = mover->x;
    mover->dx = ToFixed(2);
    mover->dy = 0;
    Hold(c.mover == 1 ? kActionRight : 0);
    Tick(6);
    Hold(0);
    if (c.blocked) {
      EXPECT_LE(mover->x, start + ToFixed(6)) << int(c.mover) << " into " << int(c.other);
    } else {
      EXPECT_GE(mover->x, start + ToFixed(10)) << int(c.mover) << " into " << int(c.other);
    }
  }
}

TEST_F(GuyMoveTest, DyingGuysBlockNothing) {
  BuildMap({"##########", "#........#", "##########"});
  Guy* mover = Add(2, 2, 1);
  Guy* corpse = Add(2, 3, 1);
  corpse->life = 0;
  corpse->anim = kAnimDie;
  corpse->animRate = 0;
  mover->dx = ToFixed(2);
  Tick(5);
  EXPECT_EQ(Px(mover), 2 * 32 + 16 + 10);
}

// 255, not 256: once under way, rate 255 is a frame every tick.
TEST_F(GuyMoveTest, TheAnimationAccumulatorKeepsAFramePer255) {
  struct Case {
    int16_t rate;
    int ticks;
    int frames;
  } cases[] = {{255, 1, 0}, {255, 5, 4}, {256, 5, 5}, {128, 10, 5}, {128, 9, 4},
               {64, 12, 3}, {64, 11, 2}, {200, 5, 3}, {512, 3, 6}};
  for (const Case& c : cases) {
    BuildMap({"#####", "#...#", "#####"});
    Guy* g = Add(2, 2, 1);
    g->anim = 1;  // twelve frames: room for every case
    g->animRate = c.rate;
    Tick(c.ticks);
    EXPECT_EQ(g->animFrame, c.frames) << "rate " << c.rate << " after " << c.ticks;
  }
}

TEST_F(GuyMoveTest, ASequenceEndsBackInIdle) {
  Guy* g = Add(2, 0, 0);
  g->anim = 2;  // five frames
  g->busy = 1;
  g->animRate = 255;
  Tick(5);
  EXPECT_EQ(g->anim, 2);
  EXPECT_EQ(g->busy, 1);
  Tick(1);
  EXPECT_EQ(g->anim, 0);
  EXPECT_EQ(g->animFrame, 0);
  EXPECT_EQ(g->busy, 0);
  EXPECT_EQ(g->animRate, 128);
}

TEST_F(GuyMoveTest, ASequenceTheKindLacksStillEnds) {
  Guy* g = Add(4, 0, 0);  // the spider has no sequence 6
  g->anim = 6;
  g->busy = 1;
  g->animRate = 255;
  Tick(30);
  EXPECT_EQ(g->anim, 0);
  EXPECT_EQ(g->busy, 0);
}

TEST_F(GuyMoveTest, AFrozenGuyNeitherMovesNorAnimatesUntilItThaws) {
  BuildMap({"#########", "#.......#", "#########"});
  Guy* g = Add(2, 1, 1);
  g->dx = ToFixed(1);
  g->animRate = 256;
  g->anim = 1;
  g->frozenTimer = 3;
  g->hurtTimer = 4;
  Fixed x = g->x;
  Tick(3);
  EXPECT_EQ(g->x, x);
  EXPECT_EQ(g->animFrame, 0);
  EXPECT_EQ(g->frozenTimer, 0);
  EXPECT_EQ(g->hurtTimer, 1) << "the hurt flash still fades";
  Tick(1);
  EXPECT_EQ(g->x, x + ToFixed(1));
  EXPECT_EQ(g->animFrame, 1);
}

TEST_F(GuyMoveTest, ADyingGuyIsNotHeldByIce) {
  Guy* g = Add(2, 0, 0);
  g->frozenTimer = 100;
  HurtGuy(g, 0, 0, 100, map(), world());
  EXPECT_EQ(g->life, 0);
  Tick(60);
  EXPECT_EQ(g->kind, 0) << "its death plays out although the ice had time left";
}

TEST_F(GuyMoveTest, HeightFallsForWalkersAndHoversForFliers) {
  BuildMap({"........", "........"});
  Guy* walker = Add(2, 1, 0);
  walker->z = ToFixed(20);
  Guy* bat = Add(3, 4, 0);
  Tick(1);
  EXPECT_EQ(walker->z, ToFixed(20));
  EXPECT_EQ(walker->dz, ToFixed(-2));
  Tick(3);
  EXPECT_EQ(walker->z, ToFixed(20 - 2 - 4 - 6));
  Tick(2);
  EXPECT_EQ(walker->z, 0) << "landed";
  EXPECT_EQ(walker->dz, 0);
  // The bat rises to 20 pixels and bobs about it.
  Tick(10);
  for (int i = 0; i < 60; ++i) {
    Tick();
    ASSERT_GE(FixedToInt(bat->z), 12);
    ASSERT_LE(FixedToInt(bat->z), 28);
    ASSERT_LE(bat->dz, ToFixed(4));
    ASSERT_GE(bat->dz, ToFixed(-4));
  }
}

TEST_F(GuyMoveTest, WallBumpsAreReportedToTheKindsThatListen) {
  // Open from pixel 32 to 223 across and 24 to 167 down.
  BuildMap({"########", "#......#", "#......#", "#......#", "#......#", "#......#", "#......#",
            "########"});
  struct Case {
    uint8_t kind;
    int dx, dy;
    bool roaming;
    uint8_t report;
  } cases[] = {
      {43, 70, 0, false, 1},  {43, 0, 50, false, 2}, {43, -70, 50, false, 3},
      {43, 10, 10, false, 0}, {57, 70, 0, false, 1}, {2, 100, 0, false, 0},
      {15, 70, 0, false, 1},  {15, 70, 0, true, 0},  {43, 70, 0, true, 1},
  };
  for (const Case& c : cases) {
    Guy* g = AddAtPixel(c.kind, 128, 96);
    g->dx = ToFixed(c.dx);
    g->dy = ToFixed(c.dy);
    g->aiTimer = 0;
    g->aux = 1;  // scenery on the hub: the roaming routine leaves it alone
    if (c.roaming) {
      UpdateGuyRoaming(*g, map(), world());
    } else {
      UpdateGuy(*g, map(), world());
    }
    EXPECT_EQ(g->aiTimer, c.report) << "kind " << int(c.kind) << (c.roaming ? " on the hub" : "");
    RemoveGuy(g);
  }
}

TEST_F(GuyMoveTest, LiquidsAndImpassableFloorsStopTheKindsTheyShould) {
  struct Case {
    char floor;
    uint8_t kind;
    bool enters;
  } cases[] = {
      {'~', 2, false}, {'~', 3, true}, {'~', 10, true}, {'^', 2, false},  {'^', 23, true},
      {'X', 2, false}, {'X', 3, true}, {'X', 40, true}, {'.', 10, false},  // a swimmer stays in
                                                                           // liquid
  };
  for (const Case& c : cases) {
    std::string row = "#....";
    row += std::string(6, c.floor);
    row += "#";
    std::string water = "#~~~~";
    water += std::string(6, c.floor);
    water += "#";
    // Swimmers start in water, everyone else on dry ground.
    bool swims = KindFlags(c.kind) & KindFlag::Swims;
    BuildMap({"############", swims ? water : row, "############"});
    // Steered by hand: its own routine would choose its own way.
    Passive({c.kind});
    Guy* g = Add(c.kind, 2, 1);
    g->dx = ToFixed(5);
    Tick(20);
    bool entered = Px(g) > 5 * 32;
    EXPECT_EQ(entered, c.enters) << "kind " << int(c.kind) << " onto '" << c.floor << "'";
  }
}

TEST_F(GuyMoveTest, OnTheUnderworldHubImpassableStopsEvenFliers) {
  BuildMap({"############", "#....XXXXXX#", "############"});
  Player().worldNumber = 3;
  Player().currentMap = 1;
  Guy* bat = Add(3, 2, 1);
  bat->aux = 1;
  bat->dx = ToFixed(5);
  Tick(20);
  EXPECT_LT(Px(bat), 5 * 32);
}

TEST_F(GuyMoveTest, TheHeroDrownsInWaterUnlessImmune) {
  for (bool immune : {false, true}) {
    BuildMap({"########", "#..~~..#", "########"});
    Player().shotFlags = immune ? kShotFloorImmune : 0;
    Player().life = Player().lifeMax;
    Guy* hero = Hero(1, 1);
    Hold(kActionRight);
    int ticks = 0;
    while (hero->anim != 6 && ticks < 40) {
      Tick();
      ++ticks;
    }
    Hold(0);
    if (immune) {
      EXPECT_NE(hero->anim, 6);
      EXPECT_GT(hero->life, 0);
      continue;
    }
    ASSERT_EQ(hero->anim, 6);
    EXPECT_EQ(hero->life, 0);
    EXPECT_EQ(Player().life, 0);
    EXPECT_EQ(hero->busy, 1);
    EXPECT_EQ(hero->dx, 0);
    EXPECT_EQ(hero->facing, 4) << "turned round as it goes under";
    // Seventeen frames at rate 255, the first tick filling the accumulator.
    Tick(17);
    EXPECT_EQ(hero->kind, 1);
    Tick(1);
    EXPECT_EQ(hero->kind, 0) << "the drowning sequence ends the hero";
  }
}

TEST_F(GuyMoveTest, OnTheRoamingMapWaterStopsTheHero) {
  BuildMap({"########", "#..~~..#", "########"});
  Player().currentMap = 1;
  SetHeroEntersLiquid(false);
  Guy* hero = Hero(1, 1);
  Hold(kActionRight);
  Tick(30);
  EXPECT_GT(hero->life, 0);
  EXPECT_LT(Px(hero), 3 * 32);
  EXPECT_EQ(Player().roamingX, hero->x) << "the hub remembers where the hero stands";
}

TEST_F(GuyMoveTest, LavaBurnsEverySecondTickThroughTheArmour) {
  BuildMap({"#####", "#^^^#", "#####"});
  Player().lifeMax = 100;
  Player().armourValue = 3;
  Guy* hero = Hero(2, 1);
  Tick(6);
  EXPECT_EQ(hero->life, 100 - 3 * 7);
  EXPECT_EQ(Player().life, hero->life);
}

TEST_F(GuyMoveTest, ABlockMovesOnTheFourthTickOfSustainedPushing) {
  BuildMap({"##########", "#..B,,...#", "##########"});
  Guy* hero = Hero(2, 1);
  hero->x = ToFixed(84);  // its box ends at 95, against the block at 96
  Hold(kActionRight);
  Tick(3);
  EXPECT_EQ(At(3, 1).wall, kFixtureBlockWall) << "three ticks of pushing are not enough";
  Tick(1);
  EXPECT_EQ(At(3, 1).wall, 0);
  EXPECT_EQ(At(3, 1).floor, kFloorAfterBlock);
  EXPECT_EQ(At(4, 1).wall, kFixtureBlockWall);
  EXPECT_EQ(At(4, 1).floor, kFloorPushable);
  // Pushed on to the last floor that takes it, and no further.
  Tick(60);
  EXPECT_EQ(At(5, 1).wall, kFixtureBlockWall);
  EXPECT_EQ(At(4, 1).wall, 0);
  EXPECT_EQ(At(6, 1).wall, 0);
}

// Pushed from each side, the block goes one tile the way it is pushed and
// no other, with floors it may be pushed onto all round it.
TEST_F(GuyMoveTest, ABlockGoesTheWayItIsPushedInAllFourDirections) {
  struct Case {
    const char* what;
    uint8_t held;
    int heroX, heroY;      // the hero's tile, beside the block
    int targetX, targetY;  // where the block must end up
  } cases[] = {
      {"east", kActionRight, 3, 4, 5, 4},
      {"west", kActionLeft, 5, 4, 3, 4},
      {"south", kActionDown, 4, 3, 4, 5},
      {"north", kActionUp, 4, 5, 4, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildMap({"#########", "#.......#", "#.......#", "#...,...#", "#..,B,..#", "#...,...#",
              "#.......#", "#.......#", "#########"});
    Player().pushCounter = 0;
    Hero(c.heroX, c.heroY);
    Hold(c.held);
    Tick(40);
    Hold(0);
    EXPECT_EQ(At(4, 4).wall, 0);
    EXPECT_EQ(At(4, 4).floor, kFloorAfterBlock);
    EXPECT_EQ(At(c.targetX, c.targetY).wall, kFixtureBlockWall);
    EXPECT_EQ(At(c.targetX, c.targetY).floor, kFloorPushable);
    // The other three sides are as they were, and the block went no further.
    const int sides[4][2] = {{5, 4}, {3, 4}, {4, 5}, {4, 3}};
    for (const auto& side : sides) {
      if (side[0] == c.targetX && side[1] == c.targetY) continue;
      EXPECT_EQ(At(side[0], side[1]).wall, 0) << side[0] << ", " << side[1];
      EXPECT_EQ(At(side[0], side[1]).floor, kFloorPushTarget) << side[0] << ", " << side[1];
    }
    const int beyondX = 2 * c.targetX - 4, beyondY = 2 * c.targetY - 4;
    EXPECT_EQ(At(beyondX, beyondY).wall, 0);
  }
}

TEST_F(GuyMoveTest, ABlockStaysWhenItsWayIsNotClear) {
  enum Obstacle { kItem, kGuy, kPlainFloor, kWrongRow };
  for (Obstacle obstacle : {kItem, kGuy, kPlainFloor, kWrongRow}) {
    BuildMap({"##########", "#..B,,...#", "#........#", "##########"});
    if (obstacle == kItem) At(4, 1).item = 30;
    if (obstacle == kGuy) Add(2, 4, 1);
    if (obstacle == kPlainFloor) At(4, 1).floor = kFloorPlain;
    Guy* hero = Hero(2, 1);
    hero->x = ToFixed(84);
    // From a tile that is not beside it, the block does not move.
    if (obstacle == kWrongRow) hero->y = ToFixed(24 + 23 + 7);
    Hold(kActionRight);
    Tick(20);
    EXPECT_EQ(At(3, 1).wall, kFixtureBlockWall) << "obstacle " << obstacle;
    Hold(0);
  }
}

TEST_F(GuyMoveTest, LockedDoorsOpenWithTheirKeys) {
  struct Case {
    uint8_t door;
    uint8_t keys;
    int specialKey;  // 1-3, 0 none
    bool opens;
    uint8_t keysAfter;
  } cases[] = {
      {71, 1, 0, true, 0},  {71, 0, 0, false, 0}, {75, 2, 0, true, 1},  {72, 0, 1, true, 0},
      {76, 0, 2, false, 0}, {74, 0, 3, true, 0},  {73, 3, 0, false, 3}, {77, 0, 2, true, 0},
  };
  for (const Case& c : cases) {
    BuildMap({"#######", "#.....#", "#######"});
    At(3, 1).item = c.door;
    Player().keys = c.keys;
    for (uint8_t& k : Player().specialKeys) k = 0;
    if (c.specialKey) Player().specialKeys[c.specialKey - 1] = 1;
    Guy* hero = Hero(1, 1);
    Hold(kActionRight);
    Tick(25);
    Hold(0);
    EXPECT_EQ(At(3, 1).item == 0, c.opens) << "door " << int(c.door);
    EXPECT_EQ(Player().keys, c.keysAfter) << "door " << int(c.door);
    if (c.specialKey) {
      EXPECT_EQ(Player().specialKeys[c.specialKey - 1], 1) << "coloured keys are kept";
    }
    EXPECT_EQ(Px(hero) > 3 * 32, c.opens);
  }
}

TEST_F(GuyMoveTest, TheHeroPicksUpWhatTheBoxTouches) {
  BuildMap({"#######", "#.....#", "#.....#", "#######"});
  At(3, 1).item = 16;  // a key
  At(4, 1).item = 16;
  At(5, 1).item = 16;
  At(3, 2).item = 16;  // below the path: the box reaches row 2 only past pixel 48
  Player().keys = 1;
  Guy* hero = Hero(1, 1);
  Hold(kActionRight);
  Tick(30);
  EXPECT_EQ(At(3, 1).item, 0);
  EXPECT_EQ(At(4, 1).item, 0);
  EXPECT_EQ(At(5, 1).item, 16) << "a fourth key is left lying";
  EXPECT_EQ(Player().keys, 3);
  EXPECT_EQ(At(3, 2).item, 16);
  (void)hero;
}

TEST_F(GuyMoveTest, FloorsThatChangeUnderfootTurnForAnyGuyButOnlyForTheHeroOnTheHub) {
  for (bool roaming : {false, true}) {
    BuildMap({"########", "#..s...#", "#......#", "#..s...#", "########"});
    Player().currentMap = roaming ? 1 : 2;
    Guy* skel = Add(2, 1, 3);
    skel->dx = ToFixed(4);
    skel->aux = 1;  // on the hub: scenery, left to its own speed
    Guy* hero = Hero(1, 1);
    Hold(kActionRight);
    Tick(20);
    Hold(0);
    EXPECT_EQ(At(3, 1).floor, kFloorStepB) << (roaming ? "hub" : "map");
    EXPECT_EQ(At(3, 3).floor, roaming ? kFloorStepA : kFloorStepB) << (roaming ? "hub" : "map");
    (void)hero;
  }
}

TEST_F(GuyMoveTest, TheHeroIsMovedTwiceATickWhileHasted) {
  BuildMap({"####################", "#..................#", "####################"});
  Guy* slow = Hero(1, 1);
  Hold(kActionRight);
  Tick(4);
  int32_t plain = Px(slow) - 48;
  BuildMap({"####################", "#..................#", "####################"});
  Player().hasteTimer = 100;
  Guy* fast = Hero(1, 1);
  Tick(4);
  EXPECT_GT(Px(fast) - 48, plain + plain / 2);
}

}  // namespace
}  // namespace torvel::testing

namespace torvel::testing {
namespace {

// The castle's floor-pattern lock on map 16 of world 2.
class FloorLockTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    Prepare();
  }
  void Prepare() {
    BuildMap({}, 64);
    for (Tile& t : map().tiles) t.wall = 0;
    for (int x = 29; x <= 35; ++x) At(x, 46).wall = kFixtureWall;
    // The plate changes when stepped on, so a refused step shows.
    world().terrain[59].flags = kTerrainStepChanges;
    world().terrain[59].next = 58;
    At(11, 31).floor = 59;
    map().specials[3].trigger = 0x0101;
    map().specials[3].x = 32;
    map().specials[3].y = 46;
    map().specials[4].trigger = 0x0101;
    map().specials[4].x = 33;
    map().specials[4].y = 46;
    Player().worldNumber = 2;
    Player().currentMap = 16;
    Player().shotFlags = 0;
  }
  void SetPattern() {
    struct T {
      int x, y, floor;
    } pattern[] = {
        {2, 33, 65},  {4, 33, 64},  {6, 33, 65},  {2, 35, 64},  {4, 35, 65},  {6, 35, 64},
        {2, 37, 65},  {4, 37, 64},  {6, 37, 65},  {9, 33, 65},  {11, 33, 64}, {13, 33, 65},
        {9, 35, 65},  {11, 35, 64}, {13, 35, 65}, {9, 37, 64},  {11, 37, 65}, {13, 37, 64},
        {18, 33, 65}, {18, 37, 65}, {16, 35, 64}, {18, 35, 65}, {20, 35, 64},
    };
    for (const T& t : pattern) At(t.x, t.y).floor = static_cast<uint8_t>(t.floor);
  }
  // The hero walks onto the plate from the left.
  void StepOnThePlate() {
    Guy* hero = Hero(9, 31);
    Hold(kActionRight);
    for (int i = 0; i < 40 && hero->tileX != 11; ++i) Tick();
    Hold(0);
    ASSERT_EQ(hero->tileX, 11);
  }
};

TEST_F(FloorLockTest, TheRightPatternOpensTheGate) {
  SetPattern();
  StepOnThePlate();
  EXPECT_EQ(At(11, 31).floor, 60);
  for (int x = 29; x <= 35; ++x) {
    EXPECT_EQ(At(x, 46).wall, 0);
    EXPECT_EQ(At(x, 46).floor, 63);
  }
  EXPECT_EQ(map().specials[3].trigger, 0) << "the special on the gate is switched off";
  EXPECT_EQ(map().specials[4].trigger, 0x0101) << "its neighbour is not";
}

TEST_F(FloorLockTest, AWrongPatternKeepsTheGateAndTheStepDoesNotCount) {
  SetPattern();
  At(18, 35).floor = 64;
  StepOnThePlate();
  EXPECT_EQ(At(11, 31).floor, 59) << "not even the plate's own change happens";
  EXPECT_EQ(At(32, 46).wall, kFixtureWall);
  EXPECT_EQ(map().specials[3].trigger, 0x0101);
}

TEST_F(FloorLockTest, TheLockIsOnlyOnItsMapAndOffUnderTheFloorCheat) {
  for (int variant = 0; variant < 3; ++variant) {
    Prepare();
    SetPattern();
    if (variant == 0) Player().currentMap = 15;
    if (variant == 1) Player().worldNumber = 1;
    if (variant == 2) Player().shotFlags = kShotFloorImmune;
    StepOnThePlate();
    EXPECT_EQ(At(11, 31).floor, 58) << "an ordinary plate: it changes underfoot";
    EXPECT_EQ(At(32, 46).wall, kFixtureWall);
  }
}

}  // namespace
}  // namespace torvel::testing
