// The guy pool: spawning, removal, boxes, hurting and the queries.
#include "actors/guys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "actors/bullets.h"
#include "actors/kinds.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/play_loop.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

class GuysTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildMap({
        "....................",
        "....................",
        "....................",
        "....................",
        "....................",
        "....................",
        "....................",
        "....................",
    });
  }
};

TEST_F(GuysTest, AddGuyTakesTheFirstFreeSlotWithItsKindsStart) {
  Guy* a = Add(2, 3, 3);
  Guy* b = Add(16, 5, 3);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->slot, 0);
  EXPECT_EQ(b->slot, 1);
  EXPECT_EQ(a->life, KindLife(2));
  EXPECT_EQ(a->facing, 2);
  EXPECT_EQ(a->animRate, 128);
  EXPECT_EQ(a->cooldown, 1);
  EXPECT_EQ(b->cooldown, 255);
  EXPECT_EQ(a->tileX, 3);
  EXPECT_EQ(a->tileY, 3);
  // Size 8: 8 across each way, three quarters of it down.
  EXPECT_EQ(a->boxLeft, -8);
  EXPECT_EQ(a->boxRight, 8);
  EXPECT_EQ(a->boxTop, -6);
  EXPECT_EQ(a->boxBottom, 6);

  RemoveGuy(a);
  Guy* c = Add(3, 1, 1);
  EXPECT_EQ(c, a) << "a freed slot is taken again first";
}

TEST_F(GuysTest, AddGuyRefusesKindsTheTableLacksAndTheFrameStillDraws) {
  for (uint8_t kind : {0, 60, 200, 255}) {
    EXPECT_EQ(Add(kind, 3, 3), nullptr) << "kind " << int{kind};
  }
  for (int slot = 0; slot < GuyPoolSize(); ++slot) EXPECT_EQ(GetGuy(slot)->kind, 0);
  ASSERT_NE(Add(59, 3, 3), nullptr);
  Frame();
}

TEST_F(GuysTest, AddGuyStartsANewcomerNotBusyEvenInAReusedSlot) {
  Guy* a = Add(2, 3, 3);
  a->busy = 1;
  a->parent = a;
  RemoveGuy(a);
  Guy* b = Add(2, 4, 4);
  ASSERT_EQ(b, a);
  EXPECT_EQ(b->busy, 0);
  EXPECT_EQ(b->parent, nullptr);
}

TEST_F(GuysTest, TheHeroStartsWithThePlayersLifeMaximum) {
  Player().lifeMax = 40;
  Guy* hero = Hero(2, 2);
  EXPECT_EQ(hero->life, 40);
  EXPECT_EQ(HeroGuy(), hero);
}

TEST_F(GuysTest, AFullPoolRefusesAndACentipedeStaysShorter) {
  for (int i = 0; i < kGuyPoolSize - 5; ++i) ASSERT_NE(Add(2, 1, 1), nullptr);
  Guy* head = Add(52, 2, 2);
  ASSERT_NE(head, nullptr);
  // Four slots were left for the body.
  EXPECT_EQ(Add(2, 1, 1), nullptr);
  int segments = 0;
  for (int s = 0; s < GuyPoolSize(); ++s) segments += GetGuy(s)->kind == 51;
  EXPECT_EQ(segments, 4);
}

TEST_F(GuysTest, ACentipedeIsAChainAndRemovingItsHeadRemovesItAll) {
  Guy* head = Add(52, 2, 2);
  Guy* previous = head;
  for (int s = head->slot + 1; s <= head->slot + 15; ++s) {
    Guy* seg = GetGuy(s);
    EXPECT_EQ(seg->kind, 51);
    EXPECT_EQ(seg->parent, previous);
    previous = seg;
  }
  Guy* bystander = Add(2, 5, 5);
  RemoveGuy(head);
  for (int s = 0; s < GuyPoolSize(); ++s) {
    if (GetGuy(s) != bystander) {
      EXPECT_EQ(GetGuy(s)->kind, 0) << "slot " << s;
    }
  }
  EXPECT_EQ(bystander->kind, 2);
}

TEST_F(GuysTest, ASegmentWhoseLeaderDiedNeverFollowsTheNextGuyInItsSlot) {
  Guy* hero = Hero(8, 4);
  ASSERT_NE(hero, nullptr);
  hero->life = 100;
  Player().life = 100;
  Player().armourValue = 0;
  Guy* head = Add(52, 2, 2);
  Guy* first = GetGuy(head->slot + 1);
  Guy* second = GetGuy(head->slot + 2);
  ASSERT_EQ(second->parent, first);
  // The first segment dies and its death plays out: the slot is free.
  HurtGuy(first, 0, 0, 10000, map(), world());
  ASSERT_EQ(first->anim, kAnimDie);
  EndSequence(*first);
  ASSERT_EQ(first->kind, 0);
  EXPECT_EQ(second->parent, nullptr);
  // A skeleton takes the slot right beside the hero: the segment, far off,
  // neither runs to it nor hurts the hero through it.
  Guy* stranger = AddAtPixel(2, Px(hero) + 4, Py(hero));
  ASSERT_EQ(stranger, first);
  second->x = hero->x - ToFixed(30);  // within reach of the hero
  second->y = hero->y;
  second->dx = second->dy = 0;
  second->cooldown = 0;
  RunBehaviour(*second, map(), world());
  EXPECT_EQ(second->dx, 0);
  EXPECT_EQ(second->dy, 0);
  EXPECT_EQ(hero->life, 100);
}

TEST_F(GuysTest, KillChildrenStartsEveryDescendantsDeath) {
  Guy* head = Add(52, 2, 2);
  Guy* second = GetGuy(head->slot + 2);
  second->life = 0;  // already dying: left as it is
  second->anim = 0;
  KillChildren(head);
  EXPECT_GT(head->life, 0);
  for (int s = head->slot + 1; s <= head->slot + 15; ++s) {
    Guy* seg = GetGuy(s);
    EXPECT_EQ(seg->life, 0);
    if (seg == second) {
      EXPECT_EQ(seg->anim, 0);
    } else {
      EXPECT_EQ(seg->anim, kAnimDie);
      EXPECT_EQ(seg->busy, 1);
      EXPECT_EQ(seg->animRate, 64);
    }
  }
}

TEST_F(GuysTest, TheFriendlyTakesItsPoseFromTheCurrentMap) {
  struct Case {
    uint8_t world, map, pose;
  } cases[] = {{0, 1, 1}, {0, 10, 4}, {0, 11, 4}, {1, 5, 4}, {2, 16, 4}, {0, 13, 2},
               {1, 1, 2}, {2, 11, 2}, {0, 2, 0},  {3, 1, 0}, {2, 1, 0}};
  for (const Case& c : cases) {
    Player().worldNumber = c.world;
    Player().currentMap = c.map;
    Guy* f = Add(11, 3, 3);
    EXPECT_EQ(f->aiState, c.pose) << "world " << int(c.world) << " map " << int(c.map);
    RemoveGuy(f);
  }
}

TEST_F(GuysTest, RemoveGuysAtTakesOnlyThatKindExactlyThere) {
  Guy* a = Add(2, 3, 3);
  Guy* b = Add(2, 3, 3);
  Guy* other = Add(3, 3, 3);
  Guy* elsewhere = Add(2, 4, 3);
  RemoveGuysAt(a->x, a->y, 2);
  EXPECT_EQ(a->kind, 0);
  EXPECT_EQ(b->kind, 0);
  EXPECT_EQ(other->kind, 3);
  EXPECT_EQ(elsewhere->kind, 2);
}

TEST_F(GuysTest, BoxTestsAreInclusiveOnTheEdges) {
  Guy* g = AddAtPixel(2, 100, 100);  // box x 92..108, y 94..106
  EXPECT_TRUE(GuyHitsSquare(2, 110, 100, g));
  EXPECT_FALSE(GuyHitsSquare(2, 111, 100, g));
  EXPECT_TRUE(GuyHitsSquare(0, 100, 94, g));
  EXPECT_FALSE(GuyHitsSquare(0, 100, 93, g));
  EXPECT_TRUE(GuyHitsBox(108, 106, 200, 200, g));
  EXPECT_FALSE(GuyHitsBox(109, 50, 200, 200, g));
  EXPECT_FALSE(GuyHitsSquare(1000, 100, 100, nullptr));
  // The tile right of the box starts at 109 only when the box ends at 108.
  EXPECT_TRUE(GuyTouchesCell(96, 96, g));
  EXPECT_FALSE(GuyTouchesCell(109, 96, g));
  EXPECT_TRUE(GuyTouchesCell(77, 96, g)) << "77 + 31 = 108 reaches the box edge";
  EXPECT_FALSE(GuyTouchesCell(60, 96, g));
}

// Damage to the hero: armour first, at least 1, then the protection spell.
TEST_F(GuysTest, HeroDamageTakesArmourThenProtection) {
  struct Case {
    uint8_t armour;
    uint16_t protection;
    uint8_t spellLevel;
    int damage;
    int lost;
  } cases[] = {
      {0, 0, 0, 10, 10}, {3, 0, 0, 10, 7}, {8, 0, 0, 5, 1},   {8, 0, 0, 8, 1},   {1, 50, 1, 9, 4},
      {1, 50, 1, 2, 0},  {0, 50, 2, 7, 0}, {0, 50, 2, 17, 2}, {0, 50, 2, 16, 2},
  };
  for (const Case& c : cases) {
    BuildMap({"....", "....", "...."});
    Player().armourValue = c.armour;
    Player().protectionTimer = c.protection;
    Player().spells[6] = c.spellLevel;
    Player().lifeMax = 100;
    Guy* hero = Hero(1, 1);
    HurtGuy(hero, 0, 0, c.damage, map(), world());
    EXPECT_EQ(hero->life, 100 - c.lost) << "armour " << int(c.armour) << " damage " << c.damage;
    EXPECT_EQ(Player().life, hero->life);
    EXPECT_EQ(hero->hurtTimer, 4) << "the flash starts even when nothing gets through";
  }
}

TEST_F(GuysTest, HurtIsIgnoredInTheseCases) {
  Guy* dead = Add(2, 1, 1);
  dead->life = 0;
  HurtGuy(dead, 0, 0, 5, map(), world());
  EXPECT_EQ(dead->hurtTimer, 0);

  Guy* friendly = Add(11, 3, 1);
  HurtGuy(friendly, 0, 0, 5, map(), world());
  EXPECT_EQ(friendly->life, KindLife(11));

  Guy* eye = Add(16, 8, 4);
  HurtGuy(eye, 0, 0, 5, map(), world());
  EXPECT_EQ(eye->life, KindLife(16)) << "the eye is hurt only while open";
  eye->anim = 2;
  HurtGuy(eye, 0, 0, 5, map(), world());
  EXPECT_EQ(eye->life, KindLife(16) - 5);

  Guy* skel = Add(2, 5, 1);
  HurtGuy(skel, 0, 0, 0, map(), world());
  EXPECT_EQ(skel->hurtTimer, 0);

  Player().invulnerable = 10;
  Guy* hero = Hero(1, 5);
  int life = hero->life;
  HurtGuy(hero, 0, 0, 5, map(), world());
  EXPECT_EQ(hero->life, life);
}

TEST_F(GuysTest, FreezingDependsOnTheHerosLevel) {
  struct Case {
    uint8_t level;
    uint8_t kind;
    int frozen;
  } cases[] = {
      {1, 2, 10},   // 20 - 10
      {1, 6, 0},    // 20 - 20: held for no time
      {1, 13, 0},   // 20 - 20
      {2, 18, 0},   // 40 - 40
      {5, 18, 60},  // 100 - 40
      {1, 14, 0},   // 20 - 40 < 0: no effect
  };
  for (const Case& c : cases) {
    Player().level = c.level;
    Guy* g = Add(c.kind, 5, 5);
    HurtGuy(g, 0, 0, kFreezeDamage, map(), world());
    EXPECT_EQ(g->frozenTimer, c.frozen) << "level " << int(c.level) << " kind " << int(c.kind);
    EXPECT_EQ(g->life, KindLife(c.kind)) << "a freeze does no damage";
    EXPECT_EQ(g->hurtTimer, 0);
    RemoveGuy(g);
  }
}

TEST_F(GuysTest, AHitShakesIceOff) {
  struct Case {
    uint16_t frozen;
    int damage;
    uint16_t left;
  } cases[] = {{200, 1, 150}, {30, 1, 5}, {5, 1, 0}, {3, 1, 0}, {120, 2, 20}, {100, 2, 0}};
  for (const Case& c : cases) {
    Guy* g = Add(6, 5, 5);
    g->frozenTimer = c.frozen;
    HurtGuy(g, 0, 0, c.damage, map(), world());
    EXPECT_EQ(g->frozenTimer, c.left) << "frozen " << c.frozen << " damage " << c.damage;
    RemoveGuy(g);
  }
}

TEST_F(GuysTest, KnockBackIsRefusedByWallsAxisByAxis) {
  BuildMap({
      "#####",
      "#...#",
      "#...#",
      "#...#",
      "#####",
  });
  Guy* g = Add(2, 3, 2);  // box reaches x 104 of a wall starting at 128
  Fixed x = g->x, y = g->y;
  HurtGuy(g, ToFixed(30), ToFixed(-5), 1, map(), world());
  EXPECT_EQ(g->x, x) << "pushed into the wall: undone";
  EXPECT_EQ(g->y, y - ToFixed(5)) << "the other axis still moves";

  Guy* heavy = Add(17, 2, 3);  // room to the left, but it does not budge
  Fixed hx = heavy->x;
  HurtGuy(heavy, ToFixed(-4), 0, 1, map(), world());
  EXPECT_EQ(heavy->x, hx) << "NoKnockback";
}

TEST_F(GuysTest, DeathStartsTheSequenceGivesPointsAndTheSlotFreesAtItsEnd) {
  Guy* g = Add(2, 5, 5);
  uint32_t score = Player().score;
  g->dx = ToFixed(3);
  HurtGuy(g, 0, 0, 50, map(), world());
  EXPECT_EQ(g->life, 0);
  EXPECT_EQ(g->anim, kAnimDie);
  EXPECT_EQ(g->busy, 1);
  EXPECT_EQ(g->dx, 0);
  EXPECT_EQ(Player().score, score + KindPoints(2));
  // Dying guys still hold their slot but take no more hurt.
  HurtGuy(g, 0, 0, 50, map(), world());
  EXPECT_EQ(Player().score, score + KindPoints(2));

  // Ten death frames at rate 64: about 40 ticks.
  int ticks = 0;
  while (g->kind != 0 && ticks < 100) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(g->kind, 0);
  EXPECT_NEAR(ticks, 10 * 255 / 64, 2);
  EXPECT_EQ(Add(3, 1, 1), g) << "the slot is free again";
}

// However the hero dies, the map hears of it once the dying is over: the
// play loop must not cut the sequence short, nor miss the end.
TEST_F(GuysTest, TheHerosDeathPostsTheEventWhenItsSequenceEnds) {
  struct Case {
    const char* what;
    uint8_t dyingAnim;
    void (*kill)(Guy& hero, Map& map, World& world);
  } cases[] = {
      {"hurt", kAnimDie,
       [](Guy& hero, Map& map, World& world) { HurtGuy(&hero, 0, 0, 500, map, world); }},
      {"poisoned", kAnimDie,
       [](Guy& hero, Map&, World&) {
         hero.life = 1;
         Player().life = 1;
         Player().poison = 8;
       }},
      {"drowned", 6,
       [](Guy& hero, Map& map, World&) {
         MapTile(map, hero.tileX, hero.tileY).floor = kFloorWater;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildMap({"........", "........", "........", "........"});
    PostMapEvent(kEventNone);
    Guy* hero = Hero(3, 2);
    c.kill(*hero, map(), world());
    Tick();
    ASSERT_EQ(hero->anim, c.dyingAnim);
    EXPECT_EQ(Player().life, 0);
    int ticks = 1;
    while (hero->kind != 0 && ticks < 100) {
      EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventNone) << "tick " << ticks;
      Tick();
      ++ticks;
    }
    EXPECT_EQ(hero->kind, 0);
    EXPECT_EQ(HeroGuy(), nullptr);
    EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventHeroKilled);
  }

  // A monster's death ends the map for nobody.
  BuildMap({"........", "........", "........", "........"});
  PostMapEvent(kEventNone);
  Guy* skeleton = Add(2, 3, 2);
  HurtGuy(skeleton, 0, 0, 500, map(), world());
  Tick(100);
  EXPECT_EQ(skeleton->kind, 0);
  EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventNone);
}

// The kinds whose death scatters coins, and how many: random(full life / 5
// + 2), but at least a tenth of the full life, as many as the bullet pool
// takes; one coin in a hundred is the big one.
TEST_F(GuysTest, DyingMonstersScatterCoinsByTheirKind) {
  constexpr uint8_t kCoinKinds[] = {2,  3,  4,  5,  6,  7,  9,  13, 14, 15, 18, 22, 24, 29,
                                    31, 33, 34, 35, 38, 39, 40, 41, 42, 43, 47, 48, 49, 53};
  constexpr int kKills = 20;
  int coins = 0, bigCoins = 0;
  for (int kind = 2; kind < kKindCount; ++kind) {
    SCOPED_TRACE(kind);
    const bool drops =
        std::find(std::begin(kCoinKinds), std::end(kCoinKinds), kind) != std::end(kCoinKinds);
    const int full = KindLife(kind);
    const int least = std::min(full / 10, kBulletPoolSize);
    const int most = std::min(std::max(full / 10, full / 5 + 1), kBulletPoolSize);
    int dropped = 0;
    bool killed = false;
    for (int i = 0; i < kKills; ++i) {
      BuildMap({"........", "........", "........", "........"});
      ResetBullets();
      Guy* g = Add(static_cast<uint8_t>(kind), 3, 2);
      ASSERT_NE(g, nullptr);
      if (kind == 16) g->anim = kAnimAttack;  // only hurt with its eye open
      HurtGuy(g, 0, 0, full + 1, map(), world());
      killed = killed || g->life == 0;
      int n = 0;
      for (int b = 0; b < kBulletPoolSize; ++b) {
        const Bullet* bullet = GetBullet(b);
        if (bullet->kind == 0) continue;
        ASSERT_TRUE(bullet->kind == 26 || bullet->kind == 31) << int{bullet->kind};
        EXPECT_EQ(bullet->x, g->x);
        EXPECT_EQ(bullet->y, g->y);
        ++n;
        bigCoins += bullet->kind == 31;
      }
      coins += n;
      dropped += n;
      if (drops) {
        EXPECT_GE(n, least);
        EXPECT_LE(n, most);
      } else {
        EXPECT_EQ(n, 0);
      }
    }
    // Every kind but the friendly (whom nothing hurts) dies of the blow.
    EXPECT_EQ(killed, kind != 11);
    if (drops) {
      EXPECT_GT(dropped, 0);
    }
  }
  EXPECT_GT(bigCoins, 0);
  EXPECT_LT(bigCoins * 25, coins) << bigCoins << " big coins of " << coins;
}

TEST_F(GuysTest, NearestFoeLooksAcrossSides) {
  Guy* hero = Hero(2, 2);
  Guy* far = Add(2, 10, 2);
  Guy* near = Add(2, 4, 2);
  Guy* ally = Add(12, 3, 2);
  EXPECT_EQ(NearestFoe(*hero), near);
  EXPECT_EQ(NearestFoe(*ally), near);
  EXPECT_EQ(NearestFoe(*far), ally) << "the ally is nearer to it than the hero";
  near->life = 0;
  EXPECT_EQ(NearestFoe(*hero), near) << "life is not tested";
  RemoveGuy(hero);
  RemoveGuy(ally);
  EXPECT_EQ(NearestFoe(*far), nullptr);
}

TEST_F(GuysTest, NearestEnemyIndexStaysInRangeAndSkipsTheDead) {
  Hero(2, 2);
  Guy* dead = Add(2, 3, 2);
  dead->life = 0;
  EXPECT_EQ(NearestEnemyIndex(ToFixed(80), ToFixed(60)), kNoGuy);
  Guy* a = AddAtPixel(2, 100, 60);
  Guy* b = AddAtPixel(2, 300, 60);
  Guy* out = AddAtPixel(2, 80 + 560, 60);
  int nearest = 0, other = 0;
  for (int i = 0; i < 400; ++i) {
    uint16_t slot = NearestEnemyIndex(ToFixed(80), ToFixed(60));
    ASSERT_NE(slot, out->slot) << "560 pixels away is out of range";
    ASSERT_NE(slot, kNoGuy);
    if (slot == a->slot) ++nearest;
    if (slot == b->slot) ++other;
  }
  EXPECT_GT(nearest, 300);
  EXPECT_GT(other, 0) << "a farther one wins now and then";
}

TEST_F(GuysTest, AnyGuyOfKindAndTheLiveEnemyQuestion) {
  Hero(1, 1);
  Guy* friendly = Add(11, 3, 3);
  EXPECT_TRUE(AnyGuyOfKind(11));
  EXPECT_FALSE(AnyGuyOfKind(255)) << "the friendly does not count";
  Add(12, 4, 4);
  EXPECT_FALSE(AnyGuyOfKind(255)) << "allies do not count";
  Guy* skel = Add(2, 5, 5);
  EXPECT_TRUE(AnyGuyOfKind(255));
  skel->life = 0;
  EXPECT_FALSE(AnyGuyOfKind(255)) << "a dying enemy does not count";
  EXPECT_TRUE(AnyGuyOfKind(2)) << "but it still holds its slot";
  RemoveGuy(friendly);
  EXPECT_FALSE(AnyGuyOfKind(11));
}

TEST_F(GuysTest, MossHealAndPositionQueries) {
  Guy* moss = Add(21, 4, 5);
  EXPECT_TRUE(MossAt(4, 5));
  EXPECT_FALSE(MossAt(5, 5));
  moss->life = 0;
  EXPECT_FALSE(MossAt(4, 5));

  Player().lifeMax = 30;
  Guy* hero = Hero(2, 2);
  hero->life = 10;
  HealHero(5);
  EXPECT_EQ(hero->life, 15);
  HealHero(100);
  EXPECT_EQ(hero->life, 30);

  Fixed x = 1, y = 1;
  EXPECT_TRUE(GuyPosition(hero->slot, x, y));
  EXPECT_EQ(x, hero->x);
  EXPECT_EQ(y, hero->y);
  EXPECT_FALSE(GuyPosition(100, x, y));
  EXPECT_FALSE(GuyPosition(-1, x, y));
  EXPECT_FALSE(GuyPosition(1000, x, y));
}

TEST_F(GuysTest, AreaHitsPickTheirSide) {
  Guy* hero = Hero(2, 2);
  Guy* ally = Add(20, 6, 2);
  Guy* first = Add(2, 4, 4);
  Guy* second = Add(2, 4, 4);
  int px = Px(first), py = Py(first);

  EXPECT_TRUE(HitEnemyAt(px, py, 4, 0, 0, 3, map(), world()));
  EXPECT_EQ(first->life, KindLife(2) - 3);
  EXPECT_EQ(second->life, KindLife(2)) << "only the first in slot order";

  EXPECT_TRUE(HitEnemiesAt(px, py, 4, 0, 0, 2, map(), world()));
  EXPECT_EQ(first->life, KindLife(2) - 5);
  EXPECT_EQ(second->life, KindLife(2) - 2);

  first->frozenTimer = 20;
  Player().level = 50;
  EXPECT_TRUE(HitEnemiesAt(px, py, 4, 0, 0, kFreezeDamage, map(), world()));
  EXPECT_EQ(first->frozenTimer, 20) << "the frozen are skipped by a freeze";
  EXPECT_GT(second->frozenTimer, 0);

  EXPECT_EQ(HitHeroSideAt(px, py, 4, 0, 0, 1, map(), world()), 0);
  EXPECT_EQ(HitHeroSideAt(Px(hero), Py(hero), 4, 0, 0, 1, map(), world()), 2);
  EXPECT_EQ(HitHeroSideAt(Px(ally), Py(ally), 4, 0, 0, 1, map(), world()), 1);
  EXPECT_FALSE(HitEnemyAt(Px(hero), Py(hero), 4, 0, 0, 1, map(), world()));
}

}  // namespace
}  // namespace torvel::testing
