// Creatures of the air and of the water: fliers keep aloft and cross what
// walkers cannot, the bat dives and bounces off, the lich hangs over its
// prey throwing stars, the mechagorvash takes off on its rockets, the dust
// devil drags; swimmers never leave their water or lava, and rise to spit
// at a hero on the shore.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "actors/behaviours_shared.h"
#include "actors/kinds.h"
#include "common/trig.h"
#include "monster_fixture.h"
#include "player/player_record.h"

namespace torvel::testing {
namespace {

class FlierTest : public MonsterTest {
 protected:
  // The room with a moat of `floor` down columns 7-12.
  void BuildMoat(uint8_t floor) {
    BuildRoom();
    for (int y = 1; y < 19; ++y) {
      for (int x = 7; x <= 12; ++x) At(x, y).floor = floor;
    }
  }
  // The room with a pond of `floor` over tiles 6-13 x 6-13 and dry land round it.
  void BuildPond(uint8_t floor) {
    BuildRoom();
    for (int y = 6; y <= 13; ++y) {
      for (int x = 6; x <= 13; ++x) At(x, y).floor = floor;
    }
  }
};

TEST_F(FlierTest, FliersStayAloftAndCrossTheMoatWalkersCannot) {
  // Each chases a hero on the far side of a moat of water or lava; the
  // walker beside it for comparison stays on its own bank.
  for (uint8_t floor : {kFloorWater, kFloorLava}) {
    for (uint8_t kind : {3, 40}) {
      SCOPED_TRACE(int(kind));
      BuildMoat(floor);
      AddAtPixel(1, 17 * 32, 10 * 24);
      Passive({1});
      Guy* flier = AddAtPixel(kind, 3 * 32, 10 * 24);
      Guy* walker = AddAtPixel(2, 3 * 32, 4 * 24);
      ASSERT_TRUE(flier && walker);
      int farthest = 0;
      for (int t = 0; t < 400; ++t) {
        Run(1);
        if (t >= 20) {
          // Bobbing about 20 pixels up, never down on the floor.
          EXPECT_GE(FixedToInt(flier->z), 8) << "tick " << t;
          EXPECT_LE(FixedToInt(flier->z), 32) << "tick " << t;
        }
        farthest = std::max(farthest, Px(flier));
        ASSERT_LT(Px(walker), 7 * 32 + 8) << "the skeleton went into the moat at tick " << t;
      }
      EXPECT_GT(farthest, 13 * 32) << "it never got across";
    }
  }
}

TEST_F(FlierTest, TheBatDivesAtSpeedTwelveAndBouncesOffWhatItHits) {
  Guy* hero = AddAtPixel(1, 500, 200);
  Passive({1});
  Guy* bat = AddAtPixel(3, 200, 200);
  // Chasing a hero far off, sooner or later it dives along its facing.
  for (int i = 0; i < 3000 && bat->anim != 4; ++i) {
    bat->busy = 0;
    bat->aiState = 0;
    bat->x = ToFixed(200);
    Think(bat);
    if (bat->anim == 2) PlayAnim(*bat, 0, 128);
  }
  ASSERT_EQ(bat->anim, 4);
  EXPECT_EQ(bat->busy, 1);
  EXPECT_EQ(bat->dx, 12 * Cosine(bat->facing * 32));
  EXPECT_EQ(bat->dy, 12 * Sine(bat->facing * 32));

  // Before frame 2 of the dive a touch does nothing; from it, the hero is
  // hurt and the bat recoils at a quarter of its speed, backwards.
  hero->x = ToFixed(210);
  for (int frame : {0, 1, 2}) {
    hero->life = 128;
    hero->hurtTimer = 0;
    Pose(bat, 4, static_cast<uint8_t>(frame));
    bat->facing = 0;
    bat->dx = ToFixed(12);
    bat->dy = 0;
    Think(bat);
    bool hit = frame >= 2;
    EXPECT_EQ(128 - hero->life, hit ? 6 : 0) << "frame " << frame;
    EXPECT_EQ(bat->anim, hit ? 5 : 4) << "frame " << frame;
    EXPECT_EQ(bat->dx, hit ? ToFixed(-3) : ToFixed(12)) << "frame " << frame;
  }
  EXPECT_EQ(bat->animRate, 64);
}

TEST_F(FlierTest, TheLichHangsOverItsPreyWithinItsSpeeds) {
  // It steers by leaning toward its mark, so it sways about it; started off
  // to one side it sways over the hero's head, never down onto the hero.
  Guy* hero = AddAtPixel(1, 400, 400);
  Passive({1});
  Player().invulnerable = 255;  // its aura would push the hero about
  Guy* lich = AddAtPixel(44, 440, 300);
  lich->aiState = 1;
  for (int t = 0; t < 300; ++t) {
    Run(1);
    ASSERT_LE(std::abs(lich->dx), ToFixed(3)) << "tick " << t;
    ASSERT_LE(std::abs(lich->dy), ToFixed(4)) << "tick " << t;
    ASSERT_LE(std::abs(Px(lich) - Px(hero)), 48) << "tick " << t;
    ASSERT_LE(std::abs(Py(lich) - (Py(hero) - 96)), 48) << "tick " << t;
  }
}

TEST_F(FlierTest, TheLichThrowsStarsFromEitherHandInTurnAndItsAuraPoisons) {
  AddAtPixel(1, 480, 400);
  Passive({1});
  Guy* lich = AddAtPixel(44, 300, 200);
  lich->aiState = 1;
  lich->z = ToFixed(20);
  struct Case {
    uint8_t cooldown;  // as it reads before this tick's count
    int side;          // -1 left hand, +1 right hand, 0 none
    uint8_t after;
  } cases[] = {{10, 0, 9}, {9, -1, 8}, {5, 0, 4}, {1, 1, 16}};
  for (const Case& c : cases) {
    ResetBullets();
    lich->cooldown = c.cooldown;
    lich->busy = 1;  // no spell meanwhile
    lich->anim = 0;
    Think(lich);
    EXPECT_EQ(lich->cooldown, c.after);
    if (c.side == 0) {
      EXPECT_EQ(CountBullets(9), 0) << int(c.cooldown);
      continue;
    }
    ASSERT_EQ(CountBullets(9), 1) << int(c.cooldown);
    const Bullet* star = FirstBullet(9);
    EXPECT_EQ(FixedToInt(star->x), Px(lich) + 32 * c.side);
    EXPECT_EQ(FixedToInt(star->y), Py(lich) + 32);
    EXPECT_EQ(star->z, lich->z + ToFixed(80));
    EXPECT_EQ(star->dz, ToFixed(-3));
    EXPECT_EQ(star->timer, 30);
  }

  // Close up, with its cooldown spent, its aura burns and poisons.
  Guy* hero = HeroGuy();
  hero->x = lich->x + ToFixed(30);
  hero->y = lich->y;
  Player().poison = 0;
  lich->cooldown = 1;
  Think(lich);
  EXPECT_EQ(hero->life, 118);
  EXPECT_EQ(Player().poison, 60);
}

TEST_F(FlierTest, TheMechagorvashTakesOffAfterThreeQuickHitsAndComesDown) {
  BuildMap({"."}, 64);
  for (int y = 1; y < 63; ++y) {
    for (int x = 1; x < 63; ++x) At(x, y).wall = 0;
  }
  AddAtPixel(1, 1000, 700);
  Passive({1});
  Guy* mecha = AddAtPixel(46, 1000, 400);
  mecha->aiState = 1;
  mecha->cooldown = 200;  // no shooting meanwhile
  for (int hit = 1; hit <= 3; ++hit) {
    EXPECT_EQ(mecha->aiState, 1) << "before hit " << hit;
    HurtGuy(mecha, 0, 0, 1, map(), world());
    Run(1);
  }
  EXPECT_EQ(mecha->aiState, 2) << "the third hit sets it flying";
  EXPECT_EQ(mecha->anim, 4);
  // It flies on its rockets, fast but within its speed, off the ground.
  for (int t = 0; t < 200 && mecha->busy; ++t) Run(1);
  int highest = 0;
  int ticks = 0;
  for (; ticks < 100 && mecha->aiState == 2; ++ticks) {
    Run(1);
    ASSERT_LE(std::abs(mecha->dx), ToFixed(12));
    ASSERT_LE(std::abs(mecha->dy), ToFixed(12));
    highest = std::max(highest, FixedToInt(mecha->z));
  }
  EXPECT_GE(highest, 16) << "it lifts off";
  EXPECT_EQ(mecha->aiState, 1) << "and comes back down to running once cooled";
}

TEST_F(FlierTest, TheDustDevilPullsEverHarderThenFlingsItsPreyAway) {
  Guy* hero = AddAtPixel(1, 420, 200);
  Passive({1});
  Guy* devil = AddAtPixel(45, 300, 200);
  devil->busy = 1;  // already spinning: no new attack
  devil->anim = 0;
  Fixed last = hero->dx;
  for (int t = 0; t < 30; ++t) {
    Think(devil);
    EXPECT_LT(hero->dx, last == ToFixed(-6) ? ToFixed(-6) + 1 : last) << "tick " << t;
    EXPECT_GE(hero->dx, ToFixed(-6));
    last = hero->dx;
  }
  // The blow at frame 5, then ten ticks of being blown away.
  hero->x = ToFixed(340);
  hero->dx = 0;
  hero->life = 128;
  hero->hurtTimer = 0;
  Pose(devil, 2, 5);
  Think(devil);
  EXPECT_EQ(hero->life, 103);
  // The blow's own tick blew once; nine more follow.
  Fixed before = hero->dx;
  EXPECT_EQ(before, ToFixed(2));
  for (int t = 0; t < 9; ++t) {
    devil->animFrame = 6;
    Think(devil);
    EXPECT_EQ(hero->dx, std::min(before + ToFixed(2), ToFixed(6))) << "tick " << t;
    before = hero->dx;
  }
  hero->dx = 0;
  Think(devil);
  EXPECT_LT(hero->dx, 0) << "then the pull starts over";
}

TEST_F(FlierTest, ThePterodactylLeavesWithTheHeroAndFliesWithinItsSpeed) {
  Guy* ptero = AddAtPixel(12, 200, 200);
  Run(1);
  EXPECT_EQ(ptero->kind, 0) << "with no hero it goes";

  Guy* hero = AddAtPixel(1, 520, 400);
  Passive({1});
  ptero = AddAtPixel(12, 100, 100);
  int nearest = GuyDistance(*ptero, *hero);
  for (int t = 0; t < 200; ++t) {
    Run(1);
    ASSERT_LE(std::abs(ptero->dx), ToFixed(10));
    ASSERT_LE(std::abs(ptero->dy), ToFixed(10));
    nearest = std::min(nearest, GuyDistance(*ptero, *hero));
  }
  EXPECT_LT(nearest, 200) << "it keeps with the hero";
}

TEST_F(FlierTest, SwimmersNeverLeaveTheirPool) {
  struct Case {
    uint8_t kind;
    uint8_t floor;
  } cases[] = {{10, kFloorWater}, {23, kFloorLava}, {50, kFloorWater}, {19, kFloorWater}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.kind));
    BuildPond(c.floor);
    AddAtPixel(1, 18 * 32, 2 * 24);
    Passive({1});
    Player().invulnerable = 255;
    Guy* swimmer = AddAtPixel(c.kind, 10 * 32, 10 * 24);
    ASSERT_NE(swimmer, nullptr);
    Fixed x0 = swimmer->x, y0 = swimmer->y;
    bool moved = false;
    for (int t = 0; t < 600 && swimmer->kind == c.kind; ++t) {
      Run(1);
      ASSERT_EQ(At(swimmer->tileX, swimmer->tileY).floor, c.floor) << "tick " << t;
      moved = moved || swimmer->x != x0 || swimmer->y != y0;
    }
    EXPECT_TRUE(moved) << "it swims about";
  }
}

TEST_F(FlierTest, SwimmersTurnToSpitAtAHeroOnTheShore) {
  struct Case {
    uint8_t kind;
    uint8_t floor;
    uint8_t bullet;
  } cases[] = {{10, kFloorWater, 9}, {23, kFloorLava, 13}, {50, kFloorWater, 24}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.kind));
    BuildPond(c.floor);
    ResetBullets();
    // The hero on the bank south-west of the pond, well within range.
    Guy* hero = AddAtPixel(1, 3 * 32, 17 * 24);
    Passive({1});
    Player().invulnerable = 255;
    Guy* swimmer = AddAtPixel(c.kind, 10 * 32, 10 * 24);
    int t = 0;
    for (; t < 600 && swimmer->anim != 2; ++t) Run(1);
    ASSERT_EQ(swimmer->anim, 2) << "it never rose to attack";
    Guy probe = *swimmer;
    FaceTarget(probe, *hero);
    EXPECT_EQ(swimmer->facing, probe.facing) << "it faces the hero";
    for (int i = 0; i < 40 && CountBullets(c.bullet) == 0; ++i) Run(1);
    EXPECT_GT(CountBullets(c.bullet), 0);
  }
}

}  // namespace
}  // namespace torvel::testing
