// Whom bullets hit, and the kinds whose flight makes more of themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "bullet_fixture.h"
#include "common/trig.h"

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
