// The player's rules: resets, snapshot, completion, levels, power-ups, keys.
#include "player/player.h"

#include <gtest/gtest.h>

#include "actors/guys.h"
#include "actors/particles.h"
#include "player/player_record.h"
#include "support/scenario.h"
#include "world/prepare.h"

namespace torvel::testing {
namespace {

class PlayerRulesTest : public Scenario {};

int CountParticles(uint8_t type) {
  int n = 0;
  for (int i = 0; i < ParticlePoolSize(); ++i)
    n += GetParticle(i)->life > 0 && GetParticle(i)->type == type;
  return n;
}

TEST_F(PlayerRulesTest, ANewGameStartsFromScratch) {
  PlayerRecord& p = Player();
  p.score = 999;
  p.mapsDone[2][5] = 1;
  p.worldProgress[1] = 300;
  p.worldRelic[3] = 1;
  p.spells[4] = 2;
  p.money = 77;
  p.upgrades = kUpgradeDoubleLife;
  p.roamingX = 12345;
  p.speedLevel = 3;
  ResetPlayer(kResetNewGame, 0, 1);
  EXPECT_EQ(p.score, 0u);
  EXPECT_EQ(p.musicVolume, 2);
  EXPECT_EQ(p.level, 1);
  EXPECT_EQ(p.lifeMax, 15);
  EXPECT_EQ(p.manaMax, 15);
  EXPECT_EQ(p.life, 15);
  EXPECT_EQ(p.mana, 15);
  EXPECT_EQ(p.experienceNeeded, 100);
  EXPECT_EQ(p.topSpeed, 0x40000);
  EXPECT_EQ(p.damageValue, 2);
  EXPECT_EQ(p.armourValue, 0);
  EXPECT_EQ(p.mapsDone[2][5], 0);
  EXPECT_EQ(p.worldProgress[1], 0u);
  EXPECT_EQ(p.worldMapTotal[4], 100u);
  EXPECT_EQ(p.worldRelic[3], 0);
  EXPECT_EQ(p.spells[4], 0);
  EXPECT_EQ(p.money, 0);
  EXPECT_EQ(p.upgrades, 0);
  EXPECT_EQ(p.roamingX, -2000);
  EXPECT_EQ(p.currentMap, 1);
  EXPECT_EQ(p.worldNumber, 0);
}

TEST_F(PlayerRulesTest, AWorldStartCountsEveryDoneFlagOfItsRow) {
  PlayerRecord& p = Player();
  p.mapsDone[1][1] = 1;
  p.mapsDone[1][7] = 1;
  p.mapsDone[1][23] = 1;
  p.mapsDone[0][3] = 1;
  p.selectedSpell = 4;
  ResetPlayer(kResetWorldStart, 1, 1);
  EXPECT_EQ(p.worldNumber, 1);
  EXPECT_EQ(p.mapsDoneInWorld, 3);
  EXPECT_EQ(p.selectedSpell, 0);
}

TEST_F(PlayerRulesTest, AMapStartRefillsAndTakesTheSnapshotThatARestoreReturnsTo) {
  PlayerRecord& p = Player();
  p.level = 7;
  p.lifeMax = 21;
  p.manaMax = 42;
  p.life = 3;
  p.keys = 2;
  p.specialKeys[1] = 1;
  p.shotPower = 4;
  p.shotDelay = 3;
  p.shotFlags = kShotFlag1 | kShotFloorImmune;
  p.poison = 30;
  p.hasteTimer = 9;
  p.protectionTimer = 9;
  p.collected = 5;
  p.score = 1000;
  p.experience = 50;
  p.money = 300;
  p.armourLevel = 2;
  p.speedLevel = 9;  // past the table: the speed is left as it was
  p.topSpeed = 0x12345;
  SetHeroGlow(100);
  SetBurstCounter(50);
  ResetPlayer(kResetMapStart, 0, 5);
  EXPECT_EQ(p.currentMap, 5);
  EXPECT_EQ(p.life, 21);
  EXPECT_EQ(p.mana, 42);
  EXPECT_EQ(p.keys, 0);
  EXPECT_EQ(p.specialKeys[1], 0);
  EXPECT_EQ(p.shotPower, 0);
  EXPECT_EQ(p.shotDelay, 12);
  EXPECT_EQ(p.shotFlags, 0);
  EXPECT_EQ(p.poison, 0);
  EXPECT_EQ(p.hasteTimer, 0);
  EXPECT_EQ(p.protectionTimer, 0);
  EXPECT_EQ(p.collected, 0u);
  EXPECT_EQ(p.experienceNeeded, 700);
  EXPECT_EQ(p.armourValue, 3);
  EXPECT_EQ(p.topSpeed, 0x12345);
  EXPECT_EQ(HeroGlow(), 0);
  EXPECT_EQ(BurstCounter(), 0u);

  p.score = 5000;
  p.level = 9;
  p.experience = 10;
  p.money = 900;
  p.spells[2] = 1;
  RestoreMapStart();
  EXPECT_EQ(p.score, 1000u);
  EXPECT_EQ(p.level, 7);
  EXPECT_EQ(p.experience, 50);
  EXPECT_EQ(p.money, 300);
  EXPECT_EQ(p.spells[2], 1) << "spells learned on the map are kept";
}

TEST_F(PlayerRulesTest, CompletingAMapCountsOnce) {
  PlayerRecord& p = Player();
  p.mapsDoneInWorld = 0;
  CompleteMap(0, 3, false);
  CompleteMap(0, 3, false);
  EXPECT_EQ(p.mapsDone[0][3], 1);
  EXPECT_EQ(p.worldProgress[0], 100u);
  EXPECT_EQ(p.mapsDoneInWorld, 1);
  CompleteMap(0, 4, true);
  EXPECT_EQ(p.mapsDone[0][4], 1);
  EXPECT_EQ(p.worldProgress[0], 200u);
  EXPECT_EQ(p.mapsDoneInWorld, 1) << "a secret map is not counted";

  // Numbers outside the rows change nothing (the shop is "map" 50).
  auto before = PlayerRecordBytes(p);
  CompleteMap(0, 50, false);
  CompleteMap(6, 1, false);
  EXPECT_EQ(PlayerRecordBytes(p), before);
  EXPECT_FALSE(PlayerMapDone(0, 50));
  EXPECT_FALSE(PlayerMapDone(2, 24));
}

TEST_F(PlayerRulesTest, ExperienceLevelsUp) {
  struct Case {
    uint8_t level;
    uint16_t experience;
    uint32_t gain;
    uint8_t newLevel;
    uint16_t newExperience;
    uint16_t needed;
  } cases[] = {
      {1, 0, 250, 2, 150, 200}, {1, 0, 99, 1, 99, 100},  {1, 50, 50, 2, 0, 200},
      {1, 0, 600, 4, 0, 400},   {49, 0, 4900, 50, 0, 0}, {49, 100, 60000, 50, 0, 0},
      {50, 0, 1000, 50, 0, 0},
  };
  for (const Case& c : cases) {
    PlayerRecord& p = Player();
    p.level = c.level;
    p.experience = c.experience;
    p.experienceNeeded = static_cast<uint16_t>(c.level >= 50 ? 0 : 100 * c.level);
    p.score = 10;
    AddExperience(c.gain);
    EXPECT_EQ(p.level, c.newLevel) << "level " << int(c.level) << " + " << c.gain;
    EXPECT_EQ(p.experience, c.newExperience) << "level " << int(c.level) << " + " << c.gain;
    EXPECT_EQ(p.experienceNeeded, c.needed) << "level " << int(c.level) << " + " << c.gain;
    EXPECT_EQ(p.score, 10 + c.gain) << "the score counts it all";
  }
}

TEST_F(PlayerRulesTest, ALevelUpRaisesTheMaximaButNotLifeAndMana) {
  PlayerRecord& p = Player();
  Hero(2, 2);
  p.life = 10;
  p.mana = 5;
  p.upgrades = kUpgradeDoubleMana;
  AddExperience(100 + 200);  // level 1 to 3
  EXPECT_EQ(p.level, 3);
  EXPECT_EQ(p.lifeMax, 17);
  EXPECT_EQ(p.manaMax, 34) << "doubled mana shows at the level-up";
  EXPECT_EQ(p.life, 10);
  EXPECT_EQ(p.mana, 5);
  EXPECT_EQ(CountParticles(kParticleLevelUp), 2) << "one rising badge per level";
}

TEST_F(PlayerRulesTest, HealAndPoisonSaturate) {
  PlayerRecord& p = Player();
  p.lifeMax = 30;
  Guy* hero = Hero(2, 2);
  hero->life = 20;
  p.life = 20;
  Heal(5);
  EXPECT_EQ(p.life, 25);
  EXPECT_EQ(hero->life, 25);
  Heal(200);
  EXPECT_EQ(p.life, 30);
  EXPECT_EQ(hero->life, 30);
  p.poison = 200;
  AddPoison(40);
  EXPECT_EQ(p.poison, 240);
  AddPoison(40);
  EXPECT_EQ(p.poison, 255);
}

TEST_F(PlayerRulesTest, KeysAreUsedUpOneByOne) {
  PlayerRecord& p = Player();
  p.keys = 2;
  p.specialKeys[2] = 1;
  UseKey(0);
  EXPECT_EQ(p.keys, 1);
  UseKey(3);
  EXPECT_EQ(p.specialKeys[2], 0);
  p.keys = 0;
  UseKey(0);
  EXPECT_EQ(p.keys, 0);
  UseKey(7);
  EXPECT_EQ(p.keys, 0);
}

TEST_F(PlayerRulesTest, ThePushCounterLetsEveryThirdStepThrough) {
  Player().pushCounter = 0;
  EXPECT_FALSE(PushCounterStep());
  EXPECT_FALSE(PushCounterStep());
  EXPECT_TRUE(PushCounterStep());
  EXPECT_EQ(Player().pushCounter, 0);
  EXPECT_FALSE(PushCounterStep());
}

// Each power-up: what it changes, and whether it stays on the map.
TEST_F(PlayerRulesTest, PowerUpsAndTheirLimits) {
  struct Case {
    const char* what;
    uint8_t kind;
    void (*before)(PlayerRecord&);
    bool stays;
    bool (*after)(const PlayerRecord&);
  } cases[] = {
      {"shot power", 1, [](PlayerRecord& p) { p.shotPower = 2; }, false,
       [](const PlayerRecord& p) { return p.shotPower == 3; }},
      {"shot power at most 5", 1, [](PlayerRecord& p) { p.shotPower = 5; }, false,
       [](const PlayerRecord& p) { return p.shotPower == 5; }},
      {"rate", 2, [](PlayerRecord& p) { p.shotDelay = 12; }, false,
       [](const PlayerRecord& p) { return p.shotDelay == 9; }},
      {"rate at its fastest", 2, [](PlayerRecord& p) { p.shotDelay = 0; }, false,
       [](const PlayerRecord& p) { return p.shotDelay == 0; }},
      {"backward volley", 3, [](PlayerRecord& p) { p.shotFlags = 0; }, false,
       [](const PlayerRecord& p) { return p.shotFlags == kShotFlag1; }},
      {"bouncing shots", 4, [](PlayerRecord& p) { p.shotFlags = kShotFlag1; }, false,
       [](const PlayerRecord& p) { return p.shotFlags == (kShotFlag1 | kShotFlag2); }},
      {"mana", 7,
       [](PlayerRecord& p) {
         p.mana = 3;
         p.manaMax = 40;
       },
       false, [](const PlayerRecord& p) { return p.mana == 28; }},
      {"mana at most its maximum", 7,
       [](PlayerRecord& p) {
         p.mana = 30;
         p.manaMax = 40;
       },
       false, [](const PlayerRecord& p) { return p.mana == 40; }},
      {"ten coins", 8, [](PlayerRecord& p) { p.money = 100; }, false,
       [](const PlayerRecord& p) { return p.money == 110; }},
      {"ten coins at most 50000", 8, [](PlayerRecord& p) { p.money = 49995; }, false,
       [](const PlayerRecord& p) { return p.money == 50000; }},
      {"a coin", 9, [](PlayerRecord& p) { p.money = 100; }, false,
       [](const PlayerRecord& p) { return p.money == 101; }},
      {"a coin at the cap", 9, [](PlayerRecord& p) { p.money = 50000; }, false,
       [](const PlayerRecord& p) { return p.money == 50000; }},
      {"nothing", 10, [](PlayerRecord&) {}, true, [](const PlayerRecord&) { return true; }},
      {"collectible", 11,
       [](PlayerRecord& p) {
         p.collected = 2;
         p.score = 0;
       },
       false, [](const PlayerRecord& p) { return p.collected == 3 && p.score == 25; }},
      {"armour piece", 13, [](PlayerRecord& p) { p.armourPieces[1] = 0; }, false,
       [](const PlayerRecord& p) { return p.armourPieces[1] == 1; }},
      {"key", 16, [](PlayerRecord& p) { p.keys = 2; }, false,
       [](const PlayerRecord& p) { return p.keys == 3; }},
      {"a fourth key", 16, [](PlayerRecord& p) { p.keys = 3; }, true,
       [](const PlayerRecord& p) { return p.keys == 3; }},
      {"coloured key", 18, [](PlayerRecord& p) { p.specialKeys[1] = 0; }, false,
       [](const PlayerRecord& p) { return p.specialKeys[1] == 1; }},
      {"relic", 20, [](PlayerRecord& p) { p.worldNumber = 2; }, false,
       [](const PlayerRecord& p) { return p.worldRelic[2] == 1; }},
      {"not an item", 21, [](PlayerRecord&) {}, true, [](const PlayerRecord&) { return true; }},
      {"a door", 71, [](PlayerRecord& p) { p.keys = 1; }, true,
       [](const PlayerRecord& p) { return p.keys == 1; }},
  };
  for (const Case& c : cases) {
    PlayerRecord& p = Player();
    c.before(p);
    bool stays = PickUpPowerUp(c.kind, ToFixed(100), ToFixed(100));
    EXPECT_EQ(stays, c.stays) << c.what;
    EXPECT_TRUE(c.after(p)) << c.what;
  }
}

TEST_F(PlayerRulesTest, HealthAndTheLastCollectibleLightTheHero) {
  PlayerRecord& p = Player();
  p.lifeMax = 100;
  Guy* hero = Hero(3, 3);
  hero->life = 10;
  p.life = 10;
  EXPECT_FALSE(PickUpPowerUp(6, hero->x, hero->y));
  EXPECT_EQ(p.life, 50);
  EXPECT_EQ(hero->life, 50);
  EXPECT_EQ(CountParticles(kParticleGreen), 10);

  SetCollectibleTotal(2);
  p.collected = 0;
  SetHeroGlow(0);
  PickUpPowerUp(11, hero->x, hero->y);
  EXPECT_EQ(HeroGlow(), 0);
  PickUpPowerUp(11, hero->x, hero->y);
  EXPECT_EQ(HeroGlow(), 127) << "all of them: the hero glows";
}

TEST_F(PlayerRulesTest, ScrollsTeachThenUpgradeTheirMapsSlot) {
  PlayerRecord& p = Player();
  p.worldNumber = 1;
  p.currentMap = 5;  // slot 7
  EXPECT_FALSE(PickUpPowerUp(5, 0, 0));
  EXPECT_EQ(p.spells[7], 1);
  EXPECT_FALSE(PickUpPowerUp(5, 0, 0));
  EXPECT_EQ(p.spells[7], 2);
  EXPECT_FALSE(PickUpPowerUp(5, 0, 0));
  EXPECT_EQ(p.spells[7], 2);
  p.currentMap = 4;  // no slot here
  EXPECT_TRUE(PickUpPowerUp(5, 0, 0)) << "a scroll that teaches nothing stays";
}

TEST_F(PlayerRulesTest, TheSlotTableAndWhatAScrollStillTeaches) {
  struct Case {
    int world, map, slot;
  } cases[] = {
      {0, 2, 1}, {0, 3, 2},  {0, 4, 3},  {0, 10, 9}, {0, 11, 0},  {1, 2, 4},  {1, 3, 8},  {1, 5, 7},
      {1, 6, 5}, {1, 11, 6}, {2, 6, 3},  {2, 9, 8},  {2, 11, 0},  {2, 13, 2}, {2, 16, 7}, {3, 6, 1},
      {3, 7, 4}, {3, 9, 5},  {3, 10, 6}, {0, 1, -1}, {3, 11, -1}, {2, 2, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpellSlotOfMap(c.world, c.map), c.slot) << c.world << "/" << c.map;
  }

  struct Seen {
    int world, map;
    uint8_t level;
    bool seen;
  } seen[] = {
      {0, 2, 0, false}, {0, 2, 1, true},  {1, 3, 1, true}, {2, 6, 1, false},
      {2, 6, 2, true},  {3, 6, 1, false}, {3, 6, 2, true}, {0, 1, 2, false},
  };
  for (const Seen& c : seen) {
    PlayerRecord& p = Player();
    p.worldNumber = static_cast<uint8_t>(c.world);
    p.currentMap = static_cast<uint8_t>(c.map);
    for (uint8_t& s : p.spells) s = 0;
    int slot = SpellSlotOfMap(c.world, c.map);
    if (slot >= 0) p.spells[slot] = c.level;
    EXPECT_EQ(SpellSeenHere(), c.seen) << c.world << "/" << c.map << " level " << int(c.level);
  }
}

TEST_F(PlayerRulesTest, TheFourthArmourPieceInAnyOrderCompletesTheArmour) {
  for (int last = 0; last < 4; ++last) {
    ResetPlayer(kResetNewGame, 0, 2);
    PlayerRecord& p = Player();
    for (int k = 0; k < 4; ++k) {
      if (k == last) continue;
      PickUpPowerUp(static_cast<uint8_t>(12 + k), 0, 0);
    }
    EXPECT_EQ(p.damageLevel, 0);
    EXPECT_EQ(p.spells[9], 0);
    EXPECT_EQ(CurrentHeroAppearance(), kHeroPlain);
    PickUpPowerUp(static_cast<uint8_t>(12 + last), 0, 0);
    EXPECT_EQ(p.damageLevel, 4) << "last piece " << last;
    EXPECT_EQ(p.spells[9], 1);
    EXPECT_EQ(CurrentHeroAppearance(), kHeroArmoured);
    EXPECT_EQ(HeroGlow(), 127);
  }
  // The armoured look stays for the following maps, and a new game takes it off.
  ResetPlayer(kResetMapStart, 0, 3);
  EXPECT_EQ(CurrentHeroAppearance(), kHeroArmoured);
  ResetPlayer(kResetNewGame, 0, 1);
  EXPECT_EQ(CurrentHeroAppearance(), kHeroPlain);
}

}  // namespace
}  // namespace torvel::testing
