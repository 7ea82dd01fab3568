// The hero's control: facing, acceleration, ice, attacks, casting, spell
// stepping, poison and the timers.
#include "player/hero_control.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/particles.h"
#include "gfx/draw_list.h"
#include "player/player.h"
#include "player/player_record.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

class HeroControlTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildMap({
        "####################",
        "#..................#",
        "#..................#",
        "#..................#",
        "#..................#",
        "#..................#",
        "####################",
    });
  }
};

TEST_F(HeroControlTest, FacingFollowsTheHeldDirections) {
  struct Case {
    uint8_t bits;
    uint8_t facing;
  } cases[] = {
      {kActionRight, 0},
      {kActionDown | kActionRight, 1},
      {kActionDown, 2},
      {kActionDown | kActionLeft, 3},
      {kActionLeft, 4},
      {kActionUp | kActionLeft, 5},
      {kActionUp, 6},
      {kActionUp | kActionRight, 7},
      {kActionLeft | kActionRight, 4},  // left is tested first
      {kActionUp | kActionDown, 6},     // and up before down
      {kActionUp | kActionDown | kActionRight, 7},
      {kActionFire, 3},  // no direction: unchanged
      {0, 3},
  };
  Guy guy;
  for (const Case& c : cases) {
    guy.facing = 3;
    SetFacingFromBits(c.bits, guy);
    EXPECT_EQ(guy.facing, c.facing) << "bits " << int(c.bits);
  }
}

TEST_F(HeroControlTest, HoldingADirectionAcceleratesUpToTopSpeed) {
  Guy* hero = Hero(2, 2);
  Hold(kActionRight);
  const Fixed expected[] = {0x18000, 0x24000, 0x30000, 0x3C000, 0x40000, 0x40000};
  for (Fixed dx : expected) {
    Tick();
    EXPECT_EQ(hero->dx, dx);
    EXPECT_EQ(hero->dy, 0);
  }
  EXPECT_EQ(hero->anim, 1);
  EXPECT_EQ(hero->facing, 0);

  // Let go: dry ground stops the hero within a few ticks.
  Hold(0);
  Tick();
  EXPECT_EQ(hero->dx, 0x40000 - 0xC000 - 0x6000);
  Tick(3);
  EXPECT_EQ(hero->dx, 0);
  EXPECT_EQ(hero->anim, 0);
}

TEST_F(HeroControlTest, TurningRoundStopsDeadFirst) {
  Guy* hero = Hero(8, 2);
  Hold(kActionRight);
  Tick(6);
  ASSERT_EQ(hero->dx, 0x40000);
  Hold(kActionLeft);
  Tick();
  EXPECT_EQ(hero->dx, 0) << "4 - 0.75 - 1.5 is still moving right: stopped";
  Tick();
  EXPECT_EQ(hero->dx, Cosine(128) * 3 / 2);
}

TEST_F(HeroControlTest, ABetterSpeedLevelRunsFaster) {
  Player().topSpeed = TopSpeedOfLevel(4);
  Guy* hero = Hero(2, 2);
  Hold(kActionDown | kActionRight);
  Tick(30);
  // Diagonal: each axis is clamped on its own.
  EXPECT_GT(hero->dx, 0x40000);
  EXPECT_LE(hero->dx, 0x80000);
}

TEST_F(HeroControlTest, IceSlidesAndBouncesWeakly) {
  BuildMap({"##########", "#========#", "##########"});
  Guy* hero = Hero(2, 1);
  Hold(kActionRight);
  Tick(4);
  EXPECT_EQ(hero->dx, 4 * (0x10000 / 4)) << "a quarter pixel a tick, no friction";
  Hold(0);
  Tick(3);
  EXPECT_EQ(hero->dx, 0x10000) << "it slides on";
  // Into the wall on the right: the bump throws it back at an eighth.
  Hold(kActionRight);
  Fixed before = 0;
  for (int i = 0; i < 200 && hero->dx >= 0; ++i) {
    before = hero->dx;
    Tick();
  }
  ASSERT_EQ(before, 0x40000);
  EXPECT_EQ(hero->dx, -before / 8 + 0x10000 / 4);
}

TEST_F(HeroControlTest, FireStartsTheSwingAndShootsOnlyWithShotPower) {
  Guy* hero = Hero(4, 2);
  Player().shotDelay = 12;
  Player().shotPower = 0;
  Hold(kActionFire);
  Tick();
  EXPECT_EQ(hero->anim, 2);
  EXPECT_EQ(hero->busy, 1);
  EXPECT_EQ(hero->animFrame, 1) << "4 - 12 / 4";
  Hold(0);
  Tick(10);
  EXPECT_EQ(hero->busy, 0);
  EXPECT_EQ(Player().fireCooldown, 0) << "no shot, no reload";

  Player().shotPower = 1;
  Player().shotDelay = 6;
  Hold(kActionFire);
  Tick();
  EXPECT_EQ(hero->animFrame, 3);
  Hold(0);
  int ticks = 0;
  while (Player().fireCooldown == 0 && ticks < 20) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(Player().fireCooldown, 6 + 2);
}

TEST_F(HeroControlTest, OnTheRoamingMapFireAndSpellDoNothing) {
  Player().currentMap = 1;
  Player().shotPower = 3;
  Player().spells[6] = 1;
  Player().selectedSpell = 6;
  Player().mana = 15;
  Guy* hero = Hero(4, 2);
  Hold(kActionFire | kActionSpell);
  Tick(10);
  EXPECT_EQ(hero->busy, 0);
  EXPECT_NE(hero->anim, 2);
  EXPECT_EQ(Player().mana, 15);
}

TEST_F(HeroControlTest, HoldingSpellCastsTheSelectedSlotAtItsFrame) {
  struct Case {
    uint8_t slot;
    uint8_t anim;
  } cases[] = {{6, 4}, {8, 4}, {0, 5}, {3, 5}};
  for (const Case& c : cases) {
    BuildMap({"########", "#......#", "#......#", "########"});
    PlayerRecord& p = Player();
    for (uint8_t& s : p.spells) s = 0;
    p.spells[c.slot] = 1;
    p.selectedSpell = c.slot;
    p.spellCooldown = 0;
    p.level = 1;
    p.manaMax = 200;
    p.mana = 100;
    Guy* hero = Hero(2, 1);
    Hold(kActionSpell);
    Tick();
    EXPECT_EQ(hero->anim, c.anim) << "slot " << int(c.slot);
    EXPECT_EQ(p.castingSpell, c.slot);
    Hold(0);
    Tick(8);
    EXPECT_EQ(p.mana, 100 - SpellCost(c.slot, 1)) << "slot " << int(c.slot);
  }
}

TEST_F(HeroControlTest, ASpellNotOwnedCannotBeStarted) {
  Player().selectedSpell = 2;
  Guy* hero = Hero(2, 2);
  Hold(kActionSpell);
  Tick(3);
  EXPECT_EQ(hero->busy, 0);
}

TEST_F(HeroControlTest, SpellCostsByLevel) {
  const int learned[10] = {1, 2, 5, 10, 25, 20, 30, 35, 20, 128};
  const int upgraded[10] = {2, 15, 8, 12, 35, 30, 40, 45, 30, 128};
  for (int s = 0; s < 10; ++s) {
    EXPECT_EQ(SpellCost(s, 1), learned[s]);
    EXPECT_EQ(SpellCost(s, 2), upgraded[s]);
  }
}

// A cast with too little mana fizzles: sparks, and nothing spent or started.
TEST_F(HeroControlTest, TooLittleManaFizzles) {
  PlayerRecord& p = Player();
  Guy* hero = Hero(3, 3);
  p.spells[7] = 1;
  p.castingSpell = 7;
  p.mana = 34;
  p.spellCooldown = 0;
  CastSpell(*hero);
  EXPECT_EQ(p.mana, 34);
  EXPECT_EQ(p.hasteTimer, 0);
  EXPECT_EQ(p.spellCooldown, 0);
  int sparks = 0;
  for (int i = 0; i < ParticlePoolSize(); ++i) sparks += GetParticle(i)->life > 0;
  EXPECT_EQ(sparks, 20);
  p.mana = 35;
  CastSpell(*hero);
  EXPECT_EQ(p.mana, 0);
  EXPECT_EQ(p.hasteTimer, p.level * 20);
}

TEST_F(HeroControlTest, TheSpellsThatChangeTheHero) {
  struct Case {
    uint8_t slot, level;
    uint8_t playerLevel;
    uint8_t glow;
    bool (*check)(const PlayerRecord&, const Guy&);
  } cases[] = {
      {6, 1, 10, 40, [](const PlayerRecord& p, const Guy&) { return p.protectionTimer == 200; }},
      {6, 2, 3, 40, [](const PlayerRecord& p, const Guy&) { return p.protectionTimer == 60; }},
      {7, 1, 5, 40, [](const PlayerRecord& p, const Guy&) { return p.hasteTimer == 100; }},
      {8, 1, 12, 80,
       [](const PlayerRecord& p, const Guy& h) { return p.life == 32 && h.life == 32; }},
      {8, 2, 12, 80,
       [](const PlayerRecord& p, const Guy& h) { return p.life == 60 && h.life == 60; }},
      {9, 1, 50, 0, [](const PlayerRecord&, const Guy&) { return BurstCounter() == 900; }},
  };
  for (const Case& c : cases) {
    BuildMap({"######", "#....#", "######"});
    PlayerRecord& p = Player();
    p.level = c.playerLevel;
    p.spells[c.slot] = c.level;
    p.castingSpell = c.slot;
    p.manaMax = 255;
    p.mana = 200;
    p.lifeMax = 60;
    p.protectionTimer = p.hasteTimer = 0;
    SetBurstCounter(0);
    SetHeroGlow(0);
    Guy* hero = Hero(2, 1);
    hero->life = 20;
    p.life = 20;
    CastSpell(*hero);
    EXPECT_EQ(p.mana, 200 - SpellCost(c.slot, c.level)) << "slot " << int(c.slot);
    EXPECT_EQ(HeroGlow(), c.glow) << "slot " << int(c.slot);
    EXPECT_TRUE(c.check(p, *hero)) << "slot " << int(c.slot) << " level " << int(c.level);
  }
}

// The spells' own sounds are plain: full volume and centred, however far the
// hero stands from the middle of the view. Bullets a spell fires may place
// their own sounds; those are not plain.
TEST_F(HeroControlTest, TheSpellsOwnSoundsArePlainAtEveryLevel) {
  struct Case {
    uint8_t slot, level;
    int sound;  // -1: the spell itself makes none
  } cases[] = {
      {0, 1, -1},  {0, 2, 18},  {1, 1, -1},  {1, 2, 17},  {2, 1, -1},  {2, 2, -1},  {3, 1, -1},
      {3, 2, 164}, {4, 1, -1},  {4, 2, 167}, {5, 1, 161}, {5, 2, 185}, {6, 1, 166}, {6, 2, 166},
      {7, 1, 165}, {7, 2, 165}, {8, 1, 88},  {8, 2, 88},  {9, 1, -1},  {9, 2, -1},
  };
  auto& device = *static_cast<RecordingSoundDevice*>(platform().Sound());
  for (const Case& c : cases) {
    BuildMap({"####################", "#..................#", "#..................#",
              "####################"});
    StopAllSounds();
    PlayerRecord& p = Player();
    p.level = 30;
    p.spells[c.slot] = c.level;
    p.castingSpell = c.slot;
    p.manaMax = 255;
    p.mana = 255;
    Guy* hero = Hero(3, 1);
    // The view's centre 200 pixels to the right of the hero and 100 below:
    // a sound placed at the hero is quieter and to the left.
    SetCamera(hero->x + ToFixed(200), hero->y + ToFixed(100));
    device.ClearCalls();
    CastSpell(*hero);
    std::vector<int> plain;
    int placed = 0;
    for (const RecordingSoundDevice::Call& call : device.calls()) {
      if (call.op != "play") continue;
      const RecordingSoundDevice::Voice* v = device.GetVoice(call.handle);
      ASSERT_NE(v, nullptr);
      int number = -1;
      for (int n = 0; n < 255 && number < 0; ++n) {
        int32_t slot = CachedSlot(n);
        if (slot >= 0 && SlotVoice(slot) == v->buffer) number = n;
      }
      if (v->volume == 0 && v->pan == 0) {
        plain.push_back(number);
      } else {
        ++placed;
        EXPECT_LT(v->pan, 0) << "slot " << int(c.slot) << " level " << int(c.level);
      }
    }
    std::vector<int> expected;
    if (c.sound >= 0) expected.push_back(c.sound);
    EXPECT_EQ(plain, expected) << "slot " << int(c.slot) << " level " << int(c.level) << " ("
                               << placed << " placed)";
  }
}

TEST_F(HeroControlTest, TheSummoningSpellCallsAnAlly) {
  PlayerRecord& p = Player();
  p.mana = 200;
  p.manaMax = 255;
  p.castingSpell = 5;
  p.spells[5] = 1;
  Guy* hero = Hero(3, 3);
  CastSpell(*hero);
  Guy* ptero = GetGuy(1);
  EXPECT_EQ(ptero->kind, 12);
  EXPECT_EQ(ptero->x, hero->x);
  EXPECT_EQ(ptero->z, ToFixed(20));

  p.spells[5] = 2;
  hero->facing = 0;
  CastSpell(*hero);
  Guy* golem = GetGuy(2);
  EXPECT_EQ(golem->kind, 20);
  EXPECT_EQ(FixedToInt(golem->x), Px(hero) + 64);
  EXPECT_EQ(golem->anim, 4);
  EXPECT_EQ(golem->busy, 1);
  EXPECT_EQ(p.mana, 200 - 20 - 30);
}

// The attack spells: what each fires at each level, and how long the hero
// waits before the next cast. Bolts and flames cast with the spell key let go
// wait 5 ticks; held, with the mana for another, only 1.
TEST_F(HeroControlTest, TheAttackSpellsFireTheirShotsByLevel) {
  struct Shots {
    uint8_t kind;
    int count;
  };
  struct Case {
    uint8_t slot, level;
    uint8_t playerLevel;
    bool spellHeld;
    std::vector<Shots> shots;
    uint8_t cooldown;
  } cases[] = {
      {0, 1, 10, false, {{5, 1}}, 5},
      {0, 1, 10, true, {{5, 1}}, 1},
      {0, 1, 36, false, {{5, 2}}, 5},  // a second bolt past level 35
      {0, 2, 10, false, {{5, 8}}, 5},  // a ring of eight
      {1, 1, 10, false, {{4, 1}}, 5},
      {1, 1, 10, true, {{4, 1}}, 1},
      {1, 2, 30, false, {{32, 3}}, 5},  // a strike for every 15 levels, and one
      {2, 1, 10, false, {{3, 1}}, 10},  // the wait shortens with the level...
      {2, 2, 30, false, {{3, 3}}, 2},   // ...to 2 past level 24
      {3, 1, 10, false, {{27, 1}}, 15},
      {3, 2, 10, false, {{33, 1}}, 15},
      {4, 1, 2, false, {{7, 1}}, 0},   // below level 4 a single bomb
      {4, 1, 16, false, {{7, 4}}, 0},  // a fan of level / 4 round the circle
      {4, 2, 16, false, {{7, 16}, {32, 32}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "slot " << int(c.slot) << " level " << int(c.level) << " hero level "
                 << int(c.playerLevel) << (c.spellHeld ? " held" : ""));
    BuildMap({"####################", "#..................#", "#..................#",
              "#..................#", "#..................#", "#..................#",
              "####################"});
    ResetBullets();
    Hold(c.spellHeld ? kActionSpell : 0);
    PlayerRecord& p = Player();
    p.level = c.playerLevel;
    p.spells[c.slot] = c.level;
    p.castingSpell = c.slot;
    p.manaMax = 255;
    p.mana = 200;
    p.spellCooldown = 0;
    Guy* hero = Hero(9, 3);
    hero->facing = 0;
    CastSpell(*hero);
    EXPECT_EQ(p.mana, 200 - SpellCost(c.slot, c.level));
    int expected = 0;
    for (const Shots& s : c.shots) {
      int n = 0;
      for (int i = 0; i < kBulletPoolSize; ++i) n += GetBullet(i)->kind == s.kind;
      EXPECT_EQ(n, s.count) << "bullet kind " << int(s.kind);
      expected += s.count;
    }
    EXPECT_EQ(LiveBulletCount(), expected) << "nothing else is fired";
    EXPECT_EQ(p.spellCooldown, c.cooldown);
  }
}

// Held down, the bolt and the flame cast again from the middle of the cast:
// past level 24 the cast frame starts over (animAccum 0), else the sequence
// goes back to frame 2 at a rate of 512 / (12 - level / 2), 512 when that
// has no value. Let go, or short of mana for another, the spell cools down
// for 5 instead. The facing follows the held directions either way.
TEST_F(HeroControlTest, AHeldBoltOrFlameRepeatsAtItsLevelsPace) {
  constexpr uint8_t kCastAnim = 5, kCastFrame = 4;
  struct Case {
    const char* what;
    uint8_t slot, spellLevel, level;
    bool held;
    int manaLeft;  // after paying for this cast, in casts' worth (-1: one point short)
    bool repeats;
    uint8_t frame;
    int16_t rate;  // 0: the rate stays as it was
  } cases[] = {
      {"level 1", 0, 1, 1, true, 1, true, 2, 512 / 12},
      {"level 10", 0, 1, 10, true, 1, true, 2, 512 / 7},
      {"level 20", 0, 1, 20, true, 1, true, 2, 512 / 2},
      {"level 23", 0, 1, 23, true, 1, true, 2, 512 / 1},
      {"level 24", 0, 1, 24, true, 1, true, 2, 512},
      {"level 25", 0, 1, 25, true, 1, true, kCastFrame, 0},
      {"level 50", 0, 1, 50, true, 1, true, kCastFrame, 0},
      {"the upgraded ring", 0, 2, 10, true, 1, true, 2, 512 / 7},
      {"the flame", 1, 1, 10, true, 1, true, 2, 512 / 7},
      {"the flame past 24", 1, 1, 30, true, 1, true, kCastFrame, 0},
      {"let go", 0, 1, 10, false, 1, false, kCastFrame, 0},
      {"mana for one more", 1, 1, 10, true, 1, true, 2, 512 / 7},
      {"mana one short", 1, 1, 10, true, -1, false, kCastFrame, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildMap({"##########", "#........#", "#........#", "#........#", "##########"});
    ResetBullets();
    PlayerRecord& p = Player();
    for (uint8_t& spell : p.spells) spell = 0;
    p.level = c.level;
    p.spells[c.slot] = c.spellLevel;
    p.castingSpell = c.slot;
    p.selectedSpell = c.slot;
    const int cost = SpellCost(c.slot, c.spellLevel);
    p.manaMax = 255;
    p.mana = static_cast<uint8_t>(cost + (c.manaLeft < 0 ? cost - 1 : c.manaLeft * cost));
    p.spellCooldown = 0;
    Guy* hero = Hero(4, 2);
    hero->facing = 6;
    hero->anim = kCastAnim;
    hero->animFrame = kCastFrame;
    hero->animRate = 200;
    hero->animAccum = 100;
    hero->busy = 1;
    const Fixed z = hero->z;
    Hold(c.held ? kActionSpell | kActionRight : kActionRight);
    CastSpell(*hero);
    EXPECT_EQ(p.spellCooldown, c.repeats ? 1 : 5);
    EXPECT_EQ(hero->animFrame, c.frame);
    EXPECT_EQ(hero->animRate, c.rate ? c.rate : 200);
    EXPECT_EQ(hero->animAccum, c.repeats && c.frame == kCastFrame ? 0 : 100);
    EXPECT_EQ(hero->facing, 0) << "turned to the held direction";
    // The hero shakes as the spell leaves it.
    EXPECT_GE(hero->z, z);
    EXPECT_LE(hero->z, z + ToFixed(3));
    EXPECT_LE(std::abs(hero->dx), kFixedOne / 2);
    EXPECT_LE(std::abs(hero->dy), kFixedOne / 2);
    Hold(0);
  }
}

// Held through whole ticks, the bolt leaves every tick from level 22 on,
// every sixth or seventh at level 10 and every twelfth or thirteenth at
// level 1. (The first repeat of a cast comes a little early: the cast's own
// frames ran at their own rate. And now and then a pace of more than a frame
// a tick runs past the cast frame; the cast then plays out and a new one
// begins.)
TEST_F(HeroControlTest, AHeldBoltKeepsComingAtItsLevelsPace) {
  struct Case {
    uint8_t level;
    int shortest, longest;  // ticks between two repeats
  } cases[] = {{30, 1, 1}, {24, 1, 1}, {10, 6, 7}, {1, 12, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "level " << int{c.level});
    BuildMap({"####################", "#..................#", "#..................#",
              "#..................#", "####################"});
    ResetBullets();
    PlayerRecord& p = Player();
    for (uint8_t& spell : p.spells) spell = 0;
    p.level = c.level;
    p.spells[0] = 1;
    p.selectedSpell = 0;
    p.manaMax = 255;
    p.mana = 255;
    p.spellCooldown = 0;
    Guy* hero = Hero(2, 2);
    Hold(kActionSpell);
    struct Cast {
      int tick;
      int sequence;  // the cast sequences begun so far
    };
    std::vector<Cast> casts;
    int sequences = 0;
    for (int t = 0; t < 90; ++t) {
      const uint8_t mana = p.mana;
      const bool wasBusy = hero->busy != 0;
      Tick();
      if (!wasBusy && hero->busy) ++sequences;
      if (p.mana != mana) casts.push_back({t, sequences});
    }
    Hold(0);
    int checked = 0;
    for (size_t i = 2; i < casts.size(); ++i) {
      if (casts[i].sequence != casts[i - 2].sequence) continue;
      const int gap = casts[i].tick - casts[i - 1].tick;
      EXPECT_GE(gap, c.shortest) << "tick " << casts[i].tick;
      EXPECT_LE(gap, c.longest) << "tick " << casts[i].tick;
      ++checked;
    }
    EXPECT_GE(checked, 3);
  }
}

// The storm of the last spell: five strikes a tick round the hero for as
// long as the counter runs, none once it has run out or without a hero.
TEST_F(HeroControlTest, TheBurstStrikesFiveTimesATickUntilItsCounterRunsOut) {
  BuildMap({}, 64);
  for (int y = 1; y < 63; ++y) {
    for (int x = 1; x < 63; ++x) At(x, y).wall = 0;
  }
  Guy* hero = Hero(32, 32);
  SetShake(0);
  SetBurstCounter(2);
  StepBurst(map());
  EXPECT_EQ(BurstCounter(), 1u);
  EXPECT_EQ(LiveBulletCount(), 5) << "the hero stands far from any wall";
  EXPECT_EQ(GetShake(), 10);
  for (int i = 0; i < kBulletPoolSize; ++i) {
    const Bullet* b = GetBullet(i);
    if (b->kind == 0) continue;
    EXPECT_EQ(b->kind, 32);
    EXPECT_LE(std::abs(b->x - hero->x), ToFixed(400));
    EXPECT_LE(std::abs(b->y - hero->y), ToFixed(300));
  }
  StepBurst(map());
  EXPECT_EQ(BurstCounter(), 0u);
  EXPECT_EQ(LiveBulletCount(), 10);
  StepBurst(map());
  EXPECT_EQ(BurstCounter(), 0u);
  EXPECT_EQ(LiveBulletCount(), 10) << "a spent burst strikes no more";

  ResetBullets();
  RemoveGuy(hero);
  SetBurstCounter(1);
  StepBurst(map());
  EXPECT_EQ(BurstCounter(), 0u);
  EXPECT_EQ(LiveBulletCount(), 0);
}

// The upgraded haste leaves strikes in the hero's wake: one whenever the
// running timer, counted down first, falls on a multiple of 4 while the
// hero walks.
TEST_F(HeroControlTest, UpgradedHasteDropsAStrikeOnEveryFourthTickOfWalking) {
  struct Case {
    uint8_t hasteLevel;
    uint16_t timer;  // before the tick counts it down
    uint8_t held;
    int strikes;
  } cases[] = {
      {2, 9, kActionRight, 1},
      {2, 8, kActionRight, 0},
      {2, 5, kActionUp, 1},
      {1, 9, kActionRight, 0},  // learned haste leaves no trail
      {2, 9, 0, 0},             // standing still
      {2, 1, kActionRight, 0},  // the timer has just run out
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "haste level " << int(c.hasteLevel) << " timer " << c.timer
                                      << " held " << int(c.held));
    BuildMap({"######", "#....#", "######"});
    ResetBullets();
    PlayerRecord& p = Player();
    p.spells[7] = c.hasteLevel;
    p.hasteTimer = c.timer;
    Guy* hero = Hero(2, 1);
    Hold(c.held);
    ControlHero(*hero, map(), world());
    ASSERT_EQ(LiveBulletCount(), c.strikes);
    if (c.strikes == 0) continue;
    const Bullet* strike = GetBullet(0);
    EXPECT_EQ(strike->kind, 32);
    EXPECT_EQ(strike->timer, 20);
    EXPECT_EQ(strike->x, hero->x) << "dropped where the hero stands";
    EXPECT_EQ(strike->y, hero->y);
    EXPECT_EQ(strike->dx, 0);
    EXPECT_EQ(strike->dy, 0);
  }
}

TEST_F(HeroControlTest, NoSpellWhenTheHeroIsDead) {
  PlayerRecord& p = Player();
  p.spells[9] = 1;
  p.castingSpell = 9;
  p.mana = 200;
  Guy* hero = Hero(3, 3);
  hero->life = 0;
  CastSpell(*hero);
  EXPECT_EQ(p.mana, 200);
  EXPECT_EQ(BurstCounter(), 0u);
}

TEST_F(HeroControlTest, SpellSteppingSkipsToOwnedSlotsAndWraps) {
  struct Case {
    uint16_t owned;  // a bit per slot
    uint8_t start;
    uint8_t press;
    uint8_t selected;
  } cases[] = {
      {0, 4, kActionPrev, 4},  // nothing owned: nothing changes
      {1 << 3, 3, kActionPrev, 3},
      {1 << 3, 3, kActionNext, 3},
      {1 << 1 | 1 << 5, 1, kActionPrev, 5},  // previous goes up, wrapping
      {1 << 1 | 1 << 5, 5, kActionPrev, 1},
      {1 << 1 | 1 << 5, 1, kActionNext, 5},  // next goes down, wrapping
      {1 << 0 | 1 << 9, 0, kActionNext, 9},
      {1 << 0 | 1 << 9, 9, kActionPrev, 0},
      {1 << 2 | 1 << 4 | 1 << 6, 4, kActionPrev | kActionNext, 4},  // previous first, then next
  };
  for (const Case& c : cases) {
    PlayerRecord& p = Player();
    for (int s = 0; s < kSpellSlots; ++s) p.spells[s] = (c.owned >> s) & 1;
    p.selectedSpell = c.start;
    BuildMap({"#####", "#...#", "#####"});
    Hero(2, 1);
    TakePressedActions();
    Press(c.press);
    Tick();
    EXPECT_EQ(p.selectedSpell, c.selected) << "from " << int(c.start) << " press " << int(c.press);
  }
}

TEST_F(HeroControlTest, PoisonTakesAPointEveryEighthTick) {
  PlayerRecord& p = Player();
  p.lifeMax = 50;
  p.life = 50;
  Guy* hero = Hero(3, 3);
  p.poison = 16;
  Tick(16);
  EXPECT_EQ(hero->life, 48);
  EXPECT_EQ(p.life, 48);
  EXPECT_EQ(p.poison, 0);

  p.poison = 9;
  hero->life = 1;
  p.life = 1;
  Tick(2);
  EXPECT_EQ(hero->life, 0);
  EXPECT_EQ(hero->anim, 3) << "poisoned to death";
  EXPECT_EQ(hero->busy, 1);
}

TEST_F(HeroControlTest, TheTimersRunDownOncePerTick) {
  PlayerRecord& p = Player();
  Hero(3, 3);
  p.protectionTimer = 5;
  p.fireCooldown = 5;
  p.spellCooldown = 5;
  p.invulnerable = 5;
  p.pushCounter = 5;
  SetSpecialCooldown(5);
  Tick(3);
  EXPECT_EQ(p.protectionTimer, 2);
  EXPECT_EQ(p.fireCooldown, 2);
  EXPECT_EQ(p.spellCooldown, 2);
  EXPECT_EQ(p.invulnerable, 2);
  EXPECT_EQ(p.pushCounter, 2);
  EXPECT_EQ(SpecialCooldown(), 2);
}

TEST_F(HeroControlTest, HasteRunsTheHerosClockTwiceAndLeavesAfterImages) {
  PlayerRecord& p = Player();
  Hero(3, 3);
  p.hasteTimer = 5;
  p.protectionTimer = 20;
  Tick(3);
  EXPECT_EQ(p.hasteTimer, 0);
  EXPECT_EQ(p.protectionTimer, 15) << "five hero ticks in three: the last one unhasted";
  int images = 0;
  for (int i = 0; i < ParticlePoolSize(); ++i) {
    images += GetParticle(i)->life > 0 && GetParticle(i)->type == kParticleAfterImage;
  }
  EXPECT_EQ(images, 5);
}

}  // namespace
}  // namespace torvel::testing
