// Whom bullets hit, and the kinds whose flight makes more of themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "bullet_fixture.h"
#include "common/trig.h"
#include "support/sound_probe.h"

namespace torvel {
namespace {

using testing::BulletRoom;

constexpr uint8_t kSkeleton = 2;  // life 10, an enemy
constexpr uint8_t kPtero = 12;    // on the hero's side

class BulletHits : public BulletRoom {
 protected:
  // Flies until the bullet is gone, at most `ticks`; the ticks flown.
  int FlyOut(const Bullet* b, int ticks = 40) {
    int flown = 0;
    for (; flown < ticks && b->kind != 0; ++flown) Fly();
    return flown;
  }
};

TEST_F(BulletHits, TheHeroShotPassesItsOwnSideAndHurtsTheFirstEnemy) {
  for (uint8_t damage : {2, 7}) {
    OpenRoom();
    ResetBullets();
    InitParticles(kParticlePoolSize);
    Player().damageValue = damage;
    Guy* hero = Hero(3, 5);
    Guy* ally = Add(kPtero, 6, 5);
    Guy* skeleton = Add(kSkeleton, 10, 5);
    HeroShot(hero->x, hero->y, 0, 1, 0);
    ASSERT_EQ(LiveBulletCount(), 1);
    const int flown = FlyOut(GetBullet(0));
    EXPECT_EQ(GetBullet(0)->kind, 0);
    EXPECT_EQ(hero->life, Player().lifeMax);
    EXPECT_EQ(ally->life, KindLife(kPtero));
    EXPECT_EQ(skeleton->life, 10 - damage);
    // Eight sparks where it hit, besides the sparkle it leaves every fifth tick.
    EXPECT_EQ(Particles(kParticleFire), 8 + flown / 5);
  }
}

// Every monster missile against the hero: how far it reaches (the hero's
// box just inside and just outside its square), the damage, the push, the
// sound of the hit and what is left of the missile. Monsters in reach are
// never hurt by their own side's missiles.
TEST_F(BulletHits, EachMonsterMissileHitsTheHerosSideByItsTable) {
  enum Push {
    kVelocity,
    kHalf,
    kHalfOfSlowed,
    kQuarter,
    kNoPush,
    kDownTwelve,
    kAlongFacing,
    kRandom
  };
  struct Case {
    const char* what;
    uint8_t kind;
    int reach;
    int damage;
    Push push;
    uint8_t after;  // the kind left in the slot, 0 when removed
    int sound;      // heard on the hit, 0 none
    int32_t priority;
    int32_t timer = 30;
    uint8_t world = 0;
    uint8_t facing = 0;
  } cases[] = {
      {"spit", 6, 8, 5, kVelocity, 0, 10, 1000},
      {"star", 9, 8, 4, kVelocity, 0, 11, 950},
      {"star in the forest", 9, 8, 4, kVelocity, 0, 11, 950, 30, 1},
      {"star in the castle", 9, 8, 12, kVelocity, 0, 11, 950, 30, 2},
      {"beam drop", 11, 40, 5, kDownTwelve, 12, 14, 1000},
      {"lava glob", 13, 12, 1, kVelocity, 13, 0, 0, 21},
      {"spore", 14, 4, 1, kHalfOfSlowed, 0, 0, 0},
      {"spore pod", 15, 12, 10, kVelocity, 0, 9, 1000},
      {"rock blast", 17, 60, 5, kRandom, 17, 0, 0, 4},
      // At its widest on its last tick, after which it is gone.
      {"rock blast at its widest", 17, 100, 5, kRandom, 0, 0, 0, 1},
      {"shockwave", 18, 90, 6, kNoPush, 18, 0, 0, 2},
      {"icicle", 20, 12, 6, kVelocity, 0, 10, 850},
      {"snowball", 21, 12, 6, kVelocity, 0, 10, 850},
      {"rolling blast", 22, 16, 6, kAlongFacing, 22, 0, 0, 5, 0, 1},
      {"rock", 23, 8, 20, kVelocity, 0, 131, 600},
      {"needle", 24, 4, 4, kQuarter, 0, 0, 0},
      {"mech shot", 25, 12, 10, kVelocity, 0, 5, 950},
      {"eye bolt", 29, 12, 8, kVelocity, 0, 0, 0},
      {"orb", 30, 16, 20, kVelocity, 0, 0, 0},
      {"orb under the castle", 30, 16, 30, kVelocity, 0, 0, 0, 30, 3},
  };
  constexpr int kBx = 200, kBy = 200;
  const Fixed vx = ToFixed(8), vy = ToFixed(4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (bool inReach : {true, false}) {
      SCOPED_TRACE(inReach ? "in reach" : "out of reach");
      OpenRoom();
      ResetBullets();
      InitParticles(kParticlePoolSize);
      Player().worldNumber = c.world;
      Player().poison = 0;
      Player().lifeMax = 100;
      Guy* hero = AddAtPixel(1, 0, kBy);
      // The hero's box just meets the square, or misses it by a pixel.
      hero->x = ToFixed(kBx + c.reach - hero->boxLeft + (inReach ? 0 : 1));
      const Fixed heroX = hero->x, heroY = hero->y;
      Guy* skeleton = AddAtPixel(kSkeleton, kBx - 16, kBy);
      // Placed after ten slots that are then freed, so that what the missile
      // leaves behind takes a slot this tick has passed and waits.
      for (int i = 0; i < 10; ++i) Place(12, 600, 440, 0, 0, 0, 100);
      Bullet* b = Place(c.kind, kBx, kBy, 20, vx, vy, c.timer, c.facing);
      for (int i = 0; i < 10; ++i) GetBullet(i)->kind = 0;
      testing::ForgetSounds();
      Fly();
      EXPECT_EQ(skeleton->life, KindLife(kSkeleton));
      if (!inReach) {
        EXPECT_EQ(hero->life, Player().lifeMax);
        EXPECT_EQ(hero->x, heroX);
        // A missile on its last tick is gone all the same.
        EXPECT_EQ(b->kind, c.timer == 1 ? 0 : c.kind);
        continue;
      }
      EXPECT_EQ(hero->life, Player().lifeMax - c.damage);
      const Fixed pushX = hero->x - heroX, pushY = hero->y - heroY;
      switch (c.push) {
        case kVelocity:
          EXPECT_EQ(pushX, vx);
          EXPECT_EQ(pushY, vy);
          break;
        case kHalf:
          EXPECT_EQ(pushX, vx / 2);
          EXPECT_EQ(pushY, vy / 2);
          break;
        case kHalfOfSlowed:
          // Half of a velocity that slowed a little before the hit.
          EXPECT_GT(pushX, 0);
          EXPECT_LE(pushX, vx / 2);
          EXPECT_GT(pushY, 0);
          EXPECT_LE(pushY, vy / 2);
          break;
        case kQuarter:
          EXPECT_EQ(pushX, vx / 4);
          EXPECT_EQ(pushY, vy / 4);
          break;
        case kNoPush:
          EXPECT_EQ(pushX, 0);
          EXPECT_EQ(pushY, 0);
          break;
        case kDownTwelve:
          EXPECT_EQ(pushX, 0);
          EXPECT_EQ(pushY, ToFixed(12));
          break;
        case kAlongFacing:
          EXPECT_EQ(pushX, 8 * Cosine(c.facing * 32));
          EXPECT_EQ(pushY, 8 * Sine(c.facing * 32));
          break;
        case kRandom:
          EXPECT_GE(pushX, ToFixed(-8));
          EXPECT_LE(pushX, ToFixed(8));
          EXPECT_GE(pushY, ToFixed(-7));
          EXPECT_LE(pushY, ToFixed(8));
          EXPECT_EQ(pushX % kFixedOne, 0);
          EXPECT_EQ(pushY % kFixedOne, 0);
          break;
      }
      EXPECT_EQ(b->kind, c.after);
      std::vector<testing::HeardSound> heard = testing::HeardSounds();
      if (c.sound == 0) {
        EXPECT_TRUE(heard.empty());
      } else {
        ASSERT_EQ(heard.size(), 1u);
        EXPECT_EQ(heard[0].number, c.sound);
        EXPECT_EQ(heard[0].priority, c.priority);
        EXPECT_EQ(heard[0].flags, kSoundMayCutItself);
      }
      // Only the spore poisons, and what bursts leaves its brood behind.
      EXPECT_EQ(Player().poison, c.kind == 14 ? 30 : 0);
      EXPECT_EQ(Bullets(14), c.kind == 15 ? 64 : 0);
      EXPECT_EQ(GuysOfKind(24), c.kind == 15 ? 1 : 0);
      EXPECT_EQ(Bullets(20), c.kind == 21 ? 8 : 0);
    }
  }
}

TEST_F(BulletHits, MonsterStarsHurtTheHeroHarderFromTheThirdWorldOn) {
  struct Case {
    uint8_t world;
    int damage;
  } cases[] = {{0, 4}, {1, 4}, {2, 12}, {3, 12}};
  for (const Case& c : cases) {
    OpenRoom();
    ResetBullets();
    Player().worldNumber = c.world;
    Guy* hero = Hero(3, 5);
    Add(kSkeleton, 10, 5);
    Bullet* star = Place(9, 10 * 32 + 16, 5 * 24 + 12, 20, ToFixed(-8), 0);
    FlyOut(star);
    EXPECT_EQ(hero->life, Player().lifeMax - c.damage) << "world " << int{c.world};
  }
}

TEST_F(BulletHits, SporesPoisonTheHeroButNotItsAllies) {
  Guy* hero = Hero(3, 5);
  Guy* ally = Add(kPtero, 12, 12);
  Bullet* atAlly = Place(14, FixedToInt(ally->x), FixedToInt(ally->y), 16, 0, 0);
  Fly();
  EXPECT_EQ(atAlly->kind, 0);
  EXPECT_EQ(ally->life, KindLife(kPtero) - 1);
  EXPECT_EQ(Player().poison, 0);

  Bullet* atHero = Place(14, FixedToInt(hero->x), FixedToInt(hero->y), 16, 0, 0);
  Fly();
  EXPECT_EQ(atHero->kind, 0);
  EXPECT_EQ(Player().poison, 30);
}

TEST_F(BulletHits, CoinsArePickedUpByTheHerosSideUpToTheCap) {
  struct Case {
    uint8_t kind;
    uint16_t before, after;
  } cases[] = {{26, 0, 1}, {31, 0, 10}, {31, 49995, 50000}, {26, 50000, 50000}};
  for (const Case& c : cases) {
    OpenRoom();
    ResetBullets();
    Player().money = c.before;
    Guy* hero = Hero(3, 5);
    Bullet* coin = Place(c.kind, FixedToInt(hero->x) + 6, FixedToInt(hero->y), 0, 0, 0, 300);
    Fly();
    EXPECT_EQ(coin->kind, 0);
    EXPECT_EQ(Player().money, c.after);
    EXPECT_EQ(hero->life, Player().lifeMax);
  }

  // An ally picks coins up for the hero; an enemy does not.
  OpenRoom();
  ResetBullets();
  Player().money = 0;
  Guy* ally = Add(kPtero, 12, 12);
  Guy* skeleton = Add(kSkeleton, 4, 4);
  Bullet* byAlly = Place(26, FixedToInt(ally->x), FixedToInt(ally->y), 0, 0, 0, 300);
  Bullet* byEnemy = Place(26, FixedToInt(skeleton->x), FixedToInt(skeleton->y), 0, 0, 0, 300);
  Fly();
  EXPECT_EQ(byAlly->kind, 0);
  EXPECT_EQ(byEnemy->kind, 26);
  EXPECT_EQ(Player().money, 1);
}

TEST_F(BulletHits, FreezingBulletsFreezeEnemiesLongerForAStrongerHero) {
  struct Case {
    uint8_t bullet;
    uint8_t level;
    uint8_t kind;
    uint16_t frozenBefore;
    uint16_t frozenAfter;
  } cases[] = {
      {33, 1, kSkeleton, 0, 10},  // 20 x level - full life 10
      {27, 5, kSkeleton, 0, 90},
      {33, 5, 8, 0, 0},          // the mother spider's 200 is too much for level 5
      {33, 5, kSkeleton, 7, 7},  // already frozen: passed over
  };
  for (const Case& c : cases) {
    OpenRoom();
    ResetBullets();
    Player().level = c.level;
    Guy* g = Add(c.kind, 9, 9);
    g->frozenTimer = c.frozenBefore;
    Place(c.bullet, FixedToInt(g->x), FixedToInt(g->y), 20, 0, 0, 10);
    Fly();
    EXPECT_EQ(g->frozenTimer, c.frozenAfter)
        << "bullet " << int{c.bullet} << " level " << int{c.level} << " kind " << int{c.kind};
    EXPECT_EQ(g->life, KindLife(c.kind));
  }
}

TEST_F(BulletHits, AnExplosionHurtsEveryEnemyWithinItsReach) {
  Guy* east = AddAtPixel(kSkeleton, 340, 200);
  Guy* west = AddAtPixel(kSkeleton, 250, 230);
  Guy* far = AddAtPixel(kSkeleton, 400, 200);
  Guy* hero = AddAtPixel(1, 300, 250);
  Place(8, 300, 200, 0, 0, 0, 7);
  Fly();
  EXPECT_EQ(east->life, 8);
  EXPECT_EQ(west->life, 8);
  EXPECT_EQ(far->life, 10);
  EXPECT_EQ(hero->life, Player().lifeMax);
}

TEST_F(BulletHits, AHomingMissileFliesStraightOnWhenItsTargetIsGone) {
  struct Case {
    uint8_t kind;
    int ticksToLockOn;
  } cases[] = {{3, 21}, {36, 11}};
  for (const Case& c : cases) {
    OpenRoom();
    ResetBullets();
    Player().level = 30;
    Guy* target = AddAtPixel(kSkeleton, 400, 300);
    Bullet* b = FireBullet(ToFixed(100), ToFixed(100), 0, c.kind);
    ASSERT_NE(b, nullptr);
    Fly(c.ticksToLockOn - 1);
    EXPECT_EQ(b->target, kNoTarget) << "kind " << int{c.kind};
    Fly();
    EXPECT_EQ(b->target, target->slot) << "kind " << int{c.kind};
    // It turns toward the target: down and to the right.
    Fly(4);
    EXPECT_GT(b->dy, 0);
    EXPECT_GT(b->dx, 0);

    RemoveGuy(target);
    Fly();
    EXPECT_EQ(b->target, kNoTarget);
    const Fixed dx = b->dx, dy = b->dy, x = b->x, y = b->y;
    Fly(3);
    EXPECT_EQ(b->kind, c.kind);
    EXPECT_EQ(b->dx, dx);
    EXPECT_EQ(b->dy, dy);
    EXPECT_EQ(b->x, x + 3 * dx);
    EXPECT_EQ(b->y, y + 3 * dy);
  }
}

TEST_F(BulletHits, ASeekerThatHitsBurstsIntoABlast) {
  Player().level = 20;
  Guy* skeleton = AddAtPixel(kSkeleton, 300, 200);
  Bullet* b = Place(3, 300, 200, 20, 0, 0, 30);
  b->target = kNoTarget;
  Fly();
  EXPECT_EQ(b->kind, 19);
  EXPECT_EQ(skeleton->life, 10 - 20 / 5);
  EXPECT_EQ(b->dx, 0);
}

TEST_F(BulletHits, TheBeamPoursDropsOnceChargedAndHangsUnderItsCasterInTheCastle) {
  Guy* caster = AddAtPixel(kSkeleton, 200, 100);
  Bullet* beam = FireBeam(ToFixed(300), ToFixed(100), caster->slot);
  ASSERT_EQ(beam, GetBullet(0));
  Fly(19);
  EXPECT_EQ(Bullets(11), 0);
  Fly();
  // The first drop falls in the same tick it is poured.
  ASSERT_EQ(Bullets(11), 1);
  EXPECT_EQ(GetBullet(1)->kind, 11);
  EXPECT_EQ(GetBullet(1)->y, ToFixed(100 + 32));
  EXPECT_EQ(beam->x, ToFixed(300));

  // Drops reaching the floor's wall splash.
  Fly(12);
  EXPECT_GT(Bullets(12), 0);

  ResetBullets();
  Player().worldNumber = 3;
  beam = FireBeam(ToFixed(300), ToFixed(100), caster->slot);
  Fly();
  EXPECT_EQ(beam->x, caster->x);
  EXPECT_EQ(beam->y, caster->y + ToFixed(8));
  const Fixed stayed = beam->x;
  RemoveGuy(caster);
  caster->x += ToFixed(50);
  Fly();
  EXPECT_EQ(beam->x, stayed);
}

TEST_F(BulletHits, ARollingBlastRollsOnceMoreAlongItsFacing) {
  Bullet* b = FireBullet(ToFixed(300), ToFixed(200), 0, 22);
  Fly(5);
  EXPECT_EQ(Bullets(22), 1);
  Fly();
  ASSERT_EQ(Bullets(22), 2);
  const Bullet* next = GetBullet(1);
  EXPECT_EQ(next->facing, 0);
  EXPECT_EQ(next->timer, 8);
  // 32 pixels ahead, at most 45 degrees off.
  EXPECT_GE(next->x - b->x, 32 * Cosine(32) - kFixedOne);
  EXPECT_LE(std::abs(next->y - b->y), 32 * Sine(32) + kFixedOne);
  Fly(4);
  EXPECT_EQ(b->kind, 0);
  EXPECT_EQ(Bullets(22), 1);
}

TEST_F(BulletHits, AYoungStrikeForksOnceAndWaterPutsItOut) {
  Bullet* young = Place(32, 300, 200, 0, 0, 0, 20);
  Fly(3);
  EXPECT_EQ(Bullets(32), 1);
  Fly();
  ASSERT_EQ(Bullets(32), 2);
  const Bullet* fork = GetBullet(1);
  EXPECT_LE(std::abs(fork->x - young->x) + std::abs(fork->y - young->y), ToFixed(24));
  EXPECT_EQ(fork->timer, young->timer);
  // Strikes burn out once their animation is through.
  Fly(10);
  EXPECT_EQ(young->kind, 0);

  ResetBullets();
  Bullet* old = Place(32, 300, 200, 0, 0, 0, 16);
  Fly(4);
  EXPECT_EQ(Bullets(32), 1);
  EXPECT_EQ(old->kind, 32);

  ResetBullets();
  At(4, 4).floor = testing::kFloorWater;
  Bullet* wet = Place(32, 4 * 32 + 16, 4 * 24 + 12, 0, 0, 0, 20);
  Fly();
  EXPECT_EQ(wet->kind, 0);
}

TEST_F(BulletHits, TheFreezeRayReachesTheWallInItsFirstTick) {
  FireBullet(ToFixed(300), ToFixed(132), 0, 33);
  Fly();
  // Segments 16 pixels apart, the last whose square stays off the east wall
  // (pixel 608) at 588; the one beyond fizzles against it.
  EXPECT_EQ(Bullets(33), (588 - 300) / 16 + 1);
  int32_t furthest = 0;
  for (int i = 0; i < kBulletPoolSize; ++i) {
    if (GetBullet(i)->kind == 33) furthest = std::max(furthest, FixedToInt(GetBullet(i)->x));
  }
  EXPECT_EQ(furthest, 588);
  Fly(4);
  EXPECT_EQ(LiveBulletCount(), 0);
}

TEST_F(BulletHits, ASporePodBurstsIntoSporesAndAMushroom) {
  Bullet* pod = Place(15, 300, 200, 32, ToFixed(8), 0, 1);
  Fly();
  EXPECT_EQ(pod->kind, 0);
  EXPECT_EQ(Bullets(14), 64);
  ASSERT_EQ(GuysOfKind(24), 1);
  const Guy* mushroom = GetGuy(0);
  // The pod moved 8 pixels, then stepped back twice that.
  EXPECT_EQ(mushroom->x, ToFixed(292));
  EXPECT_EQ(mushroom->y, ToFixed(200));
}

TEST_F(BulletHits, ASnowballBurstsIntoEightIcicles) {
  Bullet* ball = Place(21, 300, 200, 40, 0, 0, 1);
  Fly();
  EXPECT_EQ(ball->kind, 0);
  EXPECT_EQ(Bullets(20), 8);
}

}  // namespace
}  // namespace torvel
