// Creatures that bring out more creatures: what comes out, where, in which
// state, and that a newcomer with no room to stand is taken away at once;
// and the moss, which spreads tile by tile but never onto moss.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "actors/kinds.h"
#include "monster_fixture.h"

namespace torvel::testing {
namespace {

class SpawnerTest : public MonsterTest {};

TEST_F(SpawnerTest, TheEggSacHatchesASpiderBelowItself) {
  Guy* sac = AddGuy(CentreX(5), CentreY(5), 0, 7);
  Pose(sac, 2, 18, 64);
  Think(sac);
  Guy* spider = FirstGuy(4);
  ASSERT_NE(spider, nullptr);
  EXPECT_EQ(spider->x, sac->x);
  EXPECT_EQ(spider->y, sac->y + ToFixed(2));
  EXPECT_EQ(spider->busy, 0);
  EXPECT_EQ(sac->cooldown, 200);
  Think(sac);
  EXPECT_EQ(CountGuys(4), 1) << "one per hatching: the cooldown holds it";
}

TEST_F(SpawnerTest, ASpiderWithNoRoomUnderTheSacIsTakenAwayAtOnce) {
  struct Case {
    const char* what;
    bool water;
    bool sitter;  // a spider already sits under the sac
  } cases[] = {{"open floor", false, false}, {"water", true, false}, {"occupied", false, true}};
  for (const Case& c : cases) {
    BuildRoom();
    if (c.water) At(5, 5).floor = kFloorWater;
    if (c.sitter) {
      Guy* s = AddGuy(CentreX(5), CentreY(5), 0, 4);
      s->busy = 0;
    }
    int before = CountGuys(4);
    Guy* sac = AddGuy(CentreX(5), CentreY(5), 0, 7);
    // The slot may have held a busy guy before; the sac's own flag is set here.
    Pose(sac, 2, 18, 64);
    Think(sac);
    bool room = !c.water && !c.sitter;
    EXPECT_EQ(CountGuys(4) - before, room ? 1 : 0) << c.what;
    EXPECT_EQ(sac->cooldown, 200) << c.what << ": the sac spawned all the same";
  }
}

TEST_F(SpawnerTest, BatsLeaveTheRoostsDivingAlongTheirFacings) {
  AddAtPixel(1, 320, 420);
  Guy* roost = AddAtPixel(29, 320, 160);
  Pose(roost, 2, 2);
  Think(roost);
  ASSERT_EQ(CountGuys(3), 3);
  struct Expect {
    int ox;
    uint8_t facing;
  } expected[3] = {{-32, 3}, {0, 2}, {32, 1}};
  int i = 0;
  for (int s = 0; s < GuyPoolSize(); ++s) {
    Guy* bat = GetGuy(s);
    if (bat->kind != 3) continue;
    EXPECT_EQ(FixedToInt(bat->x), 320 + expected[i].ox);
    EXPECT_EQ(FixedToInt(bat->y), 180);
    EXPECT_EQ(bat->z, ToFixed(40));
    EXPECT_EQ(bat->facing, expected[i].facing);
    EXPECT_EQ(bat->anim, 4);
    EXPECT_EQ(bat->busy, 1);
    EXPECT_EQ(bat->dx, 12 * Cosine(expected[i].facing * 32)) << "diving at 12 along the facing";
    EXPECT_EQ(bat->dy, 12 * Sine(expected[i].facing * 32));
    ++i;
  }
  EXPECT_EQ(roost->cooldown, 60);
}

TEST_F(SpawnerTest, ARoostBatWithNoRoomNeverLeaves) {
  // Roosting against the west wall: the left bat would come out inside it.
  AddAtPixel(1, 320, 420);
  Guy* roost = AddAtPixel(29, 40, 100);
  Pose(roost, 2, 2);
  Think(roost);
  ASSERT_EQ(CountGuys(3), 2);
  for (int s = 0; s < GuyPoolSize(); ++s) {
    const Guy* bat = GetGuy(s);
    if (bat->kind != 3) continue;
    EXPECT_GE(FixedToInt(bat->x), 40) << "the one in the wall was taken away";
  }
  EXPECT_EQ(roost->cooldown, 60);
}

TEST_F(SpawnerTest, TheBigBatDropsOneBatAndReloadsEvenWithAFullPool) {
  AddAtPixel(1, 320, 420);
  Guy* bigbat = AddAtPixel(31, 320, 160);
  bigbat->facing = 0;
  Pose(bigbat, 2, 2);
  bigbat->animAccum = 2;
  Think(bigbat);
  Guy* bat = FirstGuy(3);
  ASSERT_NE(bat, nullptr);
  EXPECT_EQ(bat->x, bigbat->x);
  EXPECT_EQ(bat->facing, 0);
  EXPECT_EQ(bat->dx, 12 * Cosine(0));
  EXPECT_EQ(bigbat->cooldown, 30);
  // With every slot taken, nothing comes out but it reloads the same.
  while (AddAtPixel(19, 40, 40)) {
  }
  int bats = CountGuys(3);
  Pose(bigbat, 2, 2);
  bigbat->animAccum = 2;
  Think(bigbat);
  EXPECT_EQ(CountGuys(3), bats);
  EXPECT_EQ(bigbat->cooldown, 30);
}

TEST_F(SpawnerTest, TheLampLetsOutADjinniFromItsSmoke) {
  AddAtPixel(1, 500, 400);
  Guy* lamp = AddAtPixel(41, 300, 200);
  Pose(lamp, 2, 18, 64);
  Think(lamp);
  Guy* djinni = FirstGuy(40);
  ASSERT_NE(djinni, nullptr);
  EXPECT_EQ(FixedToInt(djinni->x), 320);
  EXPECT_EQ(FixedToInt(djinni->y), 212);
  EXPECT_EQ(djinni->z, ToFixed(10));
  EXPECT_EQ(djinni->anim, 5);
  EXPECT_EQ(djinni->busy, 1);
  EXPECT_EQ(lamp->cooldown, 200);
}

TEST_F(SpawnerTest, TheSphinxCallsAnAwakeMummyAndTheShroomLordSplitsInTwo) {
  AddAtPixel(1, 500, 420);
  Guy* sphinx = AddAtPixel(49, 300, 160);
  Pose(sphinx, 2, 2, 64);
  Think(sphinx);
  Guy* mummy = FirstGuy(39);
  ASSERT_NE(mummy, nullptr);
  EXPECT_EQ(FixedToInt(mummy->y), 250);
  EXPECT_EQ(mummy->aiState, 1) << "the sphinx's summons start awake";

  Guy* lord = AddAtPixel(18, 200, 300);
  HurtGuy(lord, 0, 0, 1000, map(), world());
  Pose(lord, kAnimDie, 1, 64);
  Think(lord);
  ASSERT_EQ(CountGuys(24), 2);
  Guy* a = FirstGuy(24);
  Guy* b = FirstGuy(24, a);
  EXPECT_EQ(FixedToInt(a->x) + FixedToInt(b->x), 400);
  EXPECT_EQ(std::abs(FixedToInt(a->x) - FixedToInt(b->x)), 64);
}

TEST_F(SpawnerTest, TheMotherSpiderSpillsHerBroodAsSheDies) {
  AddAtPixel(1, 500, 420);
  Guy* mother = AddAtPixel(8, 300, 200);
  HurtGuy(mother, 0, 0, 1000, map(), world());
  ASSERT_EQ(mother->anim, kAnimDie);
  Run(60);
  EXPECT_GE(CountGuys(4), 2);
}

TEST_F(SpawnerTest, MossNeverGrowsOntoMossAndAnArrivalOnMossWithers) {
  // A patch with moss on all four sides: however often it tries, nothing grows.
  Guy* centre = AddGuy(CentreX(5), CentreY(5), 0, 21);
  for (auto [x, y] : {std::pair{4, 5}, {6, 5}, {5, 4}, {5, 6}})
    AddGuy(CentreX(x), CentreY(y), 0, 21);
  for (int i = 0; i < 50; ++i) {
    centre->cooldown = 0;
    Think(centre);
  }
  EXPECT_EQ(CountGuys(21), 5);

  // With the east side free, what grows goes east.
  BuildRoom();
  centre = AddGuy(CentreX(5), CentreY(5), 0, 21);
  for (auto [x, y] : {std::pair{4, 5}, {5, 4}, {5, 6}}) AddGuy(CentreX(x), CentreY(y), 0, 21);
  for (int i = 0; i < 50 && CountGuys(21) == 4; ++i) {
    centre->cooldown = 0;
    Think(centre);
  }
  ASSERT_EQ(CountGuys(21), 5);
  Guy* shoot = nullptr;
  for (int s = 0; s < GuyPoolSize(); ++s) {
    if (GetGuy(s)->kind == 21 && GetGuy(s)->busy) shoot = GetGuy(s);
  }
  ASSERT_NE(shoot, nullptr);
  EXPECT_EQ(shoot->anim, 2);
  EXPECT_EQ(shoot->dx, 0x19999);

  // A shoot that arrives where moss already grows withers; one that arrives
  // on bare floor settles in the middle of its tile.
  BuildRoom();
  AddGuy(CentreX(7), CentreY(7), 0, 21);
  Guy* late = AddGuy(CentreX(7) + ToFixed(5), CentreY(7), 0, 21);
  Pose(late, 2, 4, 64);
  Think(late);
  EXPECT_EQ(late->kind, 0);
  Guy* settler = AddGuy(CentreX(9) + ToFixed(5), CentreY(9) - ToFixed(3), 0, 21);
  Pose(settler, 1, 4, 64);
  settler->dy = 0x13333;
  Think(settler);
  EXPECT_EQ(settler->kind, 21);
  EXPECT_EQ(settler->x, CentreX(9));
  EXPECT_EQ(settler->y, CentreY(9));
  EXPECT_EQ(settler->dy, 0);
}

TEST_F(SpawnerTest, TheMossGroundSpreadsOntoEveryOpenDryNeighbour) {
  // West is a wall, east water, north a big item, south open floor.
  At(4, 5).wall = kFixtureWall;
  At(6, 5).floor = kFloorWater;
  At(5, 4).item = 60;
  Guy* ground = AddGuy(CentreX(5), CentreY(5), 0, 22);
  for (int i = 0; i < 2000 && CountGuys(21) == 0; ++i) {
    ground->cooldown = 0;
    ground->aiTimer = 50;  // keeps it from spitting meanwhile
    Think(ground);
  }
  ASSERT_EQ(CountGuys(21), 1);
  Guy* shoot = FirstGuy(21);
  EXPECT_EQ(shoot->anim, 1);
  EXPECT_EQ(shoot->dy, 0x13333) << "south, the only way open";
  EXPECT_EQ(ground->cooldown, 255);
}

TEST_F(SpawnerTest, TheMossGroundSpreadsEvenWhileItSpits) {
  Guy* ground = AddGuy(CentreX(5), CentreY(5), 0, 22);
  for (int i = 0; i < 2000 && CountGuys(21) == 0; ++i) {
    Pose(ground, 2, 3);  // mid-spit, its cooldown spent
    ground->aiTimer = 50;
    Think(ground);
  }
  EXPECT_EQ(CountGuys(21), 4) << "all four open sides at once";
  EXPECT_EQ(ground->cooldown, 255);
  EXPECT_EQ(ground->anim, 2) << "and the spit goes on";
}

TEST_F(SpawnerTest, MossStingsWhoeverStandsInItEveryFewTicks) {
  Guy* hero = AddGuy(CentreX(5), CentreY(5), 0, 1);
  Guy* moss = AddGuy(CentreX(5) + ToFixed(8), CentreY(5), 0, 21);
  moss->cooldown = 200;
  Think(moss);
  EXPECT_EQ(hero->life, 124);
  hero->hurtTimer = 0;
  for (int i = 0; i < 4; ++i) Think(moss);
  EXPECT_EQ(hero->life, 124) << "it rests five ticks between stings";
  Think(moss);
  EXPECT_EQ(hero->life, 120);
}

TEST_F(SpawnerTest, TentaclesWitherAtOnce) {
  Guy* a = AddAtPixel(27, 200, 200);
  Guy* b = AddAtPixel(28, 300, 200);
  Run(1);
  EXPECT_EQ(a->kind, 0);
  EXPECT_EQ(b->kind, 0);
}

}  // namespace
}  // namespace torvel::testing
