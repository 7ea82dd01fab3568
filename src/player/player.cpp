// The player's rules over the player record: resets, snapshot, completion,
// experience, power-ups, keys and the hero's looks.
#include "player/player.h"

#include "actors/guys.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "gfx/movie.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "world/prepare.h"

namespace torvel {

namespace {

constexpr uint8_t kMaxLevel = 50;
constexpr uint16_t kMaxMoney = 50000;
constexpr uint8_t kMaxKeys = 3;
constexpr uint8_t kMaxShotPower = 5;
constexpr uint8_t kStartShotDelay = 12;
constexpr int32_t kNoRoamingPosition = -2000;
constexpr int32_t kMessageSteps = 75;
constexpr uint8_t kGlowFull = 127;
constexpr int kStormSlot = 9;
constexpr int kSwordMovie = 10;
constexpr uint8_t kLevelUpParticle = 14;

constexpr Fixed kTopSpeed[5] = {0x40000, 0x50000, 0x60000, 0x70000, 0x80000};
constexpr uint8_t kArmourValue[5] = {0, 1, 3, 5, 8};
constexpr uint8_t kDamageValue[5] = {2, 3, 5, 7, 10};

constexpr int kSpellCost[2][kSpellSlots] = {
    {1, 2, 5, 10, 25, 20, 30, 35, 20, 128},
    {2, 15, 8, 12, 35, 30, 40, 45, 30, 128},
};

constexpr const char* kSpellNames[kSpellSlots][2] = {
    {"SAPbEP ZHEPFNN", "UT0PM ZHEPFNN"},
    {"LVAMR DPAK0HA", "PA3GNGEHNE"},
    {"N&Y&NN PA3PRD", "N&Y&NN P0N"},
    {"B3PbIB VbDA", "VY4 VbDA"},
    {"AD", "FNLEP AD"},
    {"BbI30B LTEP0", "BbI30B F0VEMA"},
    {"KAMEHHAR K0GA", "CTAVbHAR K0GA"},
    {"SEPCEPKEP", "SE3YMHbIN FHEB"},
    {"VE4EHNE", "GN3Hb"},
    {"APMAFEDD0H", "APMAFEDD0H!!"},
};

// The slot a scroll teaches, by world * 50 + map.
struct ScrollPlace {
  uint8_t world, map, slot;
};
constexpr ScrollPlace kScrollPlaces[] = {
    {0, 2, 1}, {0, 3, 2}, {0, 4, 3},  {0, 10, 9}, {0, 11, 0},  //
    {1, 2, 4}, {1, 3, 8}, {1, 5, 7},  {1, 6, 5},  {1, 11, 6},  //
    {2, 6, 3}, {2, 9, 8}, {2, 11, 0}, {2, 13, 2}, {2, 16, 7},  //
    {3, 6, 1}, {3, 7, 4}, {3, 9, 5},  {3, 10, 6},
};

uint8_t LevelMaximum(uint8_t level, uint8_t doubleBit) {
  int value = level + 14;
  if (PlayerHasUpgrade(doubleBit)) value *= 2;
  return static_cast<uint8_t>(value);
}

void RecomputeDerived(PlayerRecord& p) {
  if (p.speedLevel <= 4) p.topSpeed = kTopSpeed[p.speedLevel];
  if (p.armourLevel <= 4) p.armourValue = kArmourValue[p.armourLevel];
  if (p.damageLevel <= 4) p.damageValue = kDamageValue[p.damageLevel];
}

void Say(const char* text) {
  ShowSmallMessage(text, kMessageSteps);
}

void AddMoney(uint32_t amount) {
  PlayerRecord& p = Player();
  uint32_t money = p.money + amount;
  p.money = static_cast<uint16_t>(money > kMaxMoney ? kMaxMoney : money);
}

void ArmourComplete() {
  PlayerRecord& p = Player();
  p.damageLevel = 4;
  if (p.spells[kStormSlot] == 0) p.spells[kStormSlot] = 1;
  ShowBigMessage("ME4 3ABEPUEH!", 30);
  PlayNumberedMovie(kSwordMovie);
  SetHeroAppearance(kHeroArmoured);
}

bool ReadScroll() {
  PlayerRecord& p = Player();
  int slot = SpellSlotOfMap(p.worldNumber, p.currentMap);
  // A scroll off the slot table teaches nothing and stays where it lies.
  if (slot < 0) return true;
  MakeNormalSound(82);
  if (p.spells[slot] == 0) {
    p.spells[slot] = 1;
    ShowBigMessage(kSpellNames[slot][0], kMessageSteps);
  } else if (p.spells[slot] == 1) {
    p.spells[slot] = 2;
    ShowBigMessage(kSpellNames[slot][1], kMessageSteps);
  }
  return false;
}

}  // namespace

Fixed TopSpeedOfLevel(int level) {
  return level >= 0 && level <= 4 ? kTopSpeed[level] : kTopSpeed[0];
}
uint8_t ArmourValueOfLevel(int level) {
  return level >= 0 && level <= 4 ? kArmourValue[level] : 0;
}
uint8_t DamageValueOfLevel(int level) {
  return level >= 0 && level <= 4 ? kDamageValue[level] : kDamageValue[0];
}

int SpellCost(int slot, int level) {
  if (slot < 0 || slot >= kSpellSlots) return 0;
  return kSpellCost[level >= 2 ? 1 : 0][slot];
}

const char* SpellLearnedName(int slot) {
  return slot >= 0 && slot < kSpellSlots ? kSpellNames[slot][0] : "";
}
const char* SpellUpgradedName(int slot) {
  return slot >= 0 && slot < kSpellSlots ? kSpellNames[slot][1] : "";
}

int SpellSlotOfMap(int world, int map) {
  for (const ScrollPlace& s : kScrollPlaces) {
    if (s.world == world && s.map == map) return s.slot;
  }
  return -1;
}

void ResetPlayer(uint8_t kind, uint8_t world, uint8_t map) {
  PlayerRecord& p = Player();
  if (kind == kResetNewGame) {
    p.score = 0;
    p.musicVolume = 2;
    p.level = 1;
    p.experience = 0;
    for (uint8_t& piece : p.armourPieces) piece = 0;
    for (int w = 0; w < kRecordWorlds; ++w) {
      for (uint8_t& done : p.mapsDone[w]) done = 0;
      p.worldMapTotal[w] = 100;
      p.worldProgress[w] = 0;
    }
    for (uint8_t& relic : p.worldRelic) relic = 0;
    p.levelAtMapStart = 0;  // the two bytes after the relics are cleared with them
    p.reserved3 = 0;
    for (uint8_t& spell : p.spells) spell = 0;
    p.speedLevel = p.armourLevel = p.damageLevel = 0;
    p.money = 0;
    p.topSpeed = kTopSpeed[0];
    p.armourValue = kArmourValue[0];
    p.damageValue = kDamageValue[0];
    p.lifeMax = p.manaMax = 15;
    p.upgrades = 0;
    p.playTime = 0;
    p.roamingX = kNoRoamingPosition;
  }
  if (kind >= kResetWorldStart) {
    p.worldNumber = world;
    uint8_t done = 0;
    if (world < kRecordWorlds) {
      for (uint8_t flag : p.mapsDone[world]) done = static_cast<uint8_t>(done + (flag != 0));
    }
    p.mapsDoneInWorld = done;
    p.selectedSpell = 0;
  }

  p.scoreAtMapStart = p.score;
  p.levelAtMapStart = p.level;
  p.experienceAtMapStart = p.experience;
  p.moneyAtMapStart = p.money;
  p.currentMap = map;
  p.keys = 0;
  for (uint8_t& key : p.specialKeys) key = 0;
  p.collected = 0;
  for (uint8_t& b : p.actionStamp) b = 0;
  for (uint8_t& b : p.reserved9) b = 0;
  p.shotPower = 0;
  p.shotDelay = kStartShotDelay;
  p.fireCooldown = p.spellCooldown = 0;
  p.shotFlags = 0;
  p.life = p.lifeMax;
  p.mana = p.manaMax;
  p.invulnerable = 0;
  SetHeroGlow(0);
  p.pushCounter = 0;
  p.poison = 0;
  p.experienceNeeded = static_cast<uint16_t>(100 * p.level);
  p.hasteTimer = p.protectionTimer = 0;

  RecomputeDerived(p);
  SetHeroAppearance(PlayerHasAllPieces() ? kHeroArmoured : kHeroPlain);
  SetBurstCounter(0);
}

void SetHeroAppearance(uint8_t armoured) {
  uint8_t look = armoured ? kHeroArmoured : kHeroPlain;
  if (look == CurrentHeroAppearance()) return;
  LoadKindSprites(1, look == kHeroArmoured ? "graphics\\sylab2.vsp" : "graphics\\sylabulus.vsp");
  NoteHeroAppearance(look);
}

void RestoreMapStart() {
  PlayerRecord& p = Player();
  p.score = p.scoreAtMapStart;
  p.level = p.levelAtMapStart;
  p.experience = p.experienceAtMapStart;
  p.money = p.moneyAtMapStart;
}

void CompleteMap(uint8_t world, uint8_t map, bool notCounted) {
  if (world >= kRecordWorlds || map >= kRecordMapsPerWorld) return;
  PlayerRecord& p = Player();
  if (p.mapsDone[world][map] == 0) {
    p.worldProgress[world] += 100;
    if (!notCounted) p.mapsDoneInWorld = static_cast<uint8_t>(p.mapsDoneInWorld + 1);
  }
  p.mapsDone[world][map] = 1;
}

void SetWorldMapTotal(uint8_t world, uint32_t total) {
  if (world < kRecordWorlds) Player().worldMapTotal[world] = total;
}

void AddExperience(uint32_t amount) {
  PlayerRecord& p = Player();
  p.score += amount;
  if (p.level >= kMaxLevel) return;
  p.experience = static_cast<uint16_t>(p.experience + amount);
  int gained = 0;
  while (p.experience >= p.experienceNeeded) {
    if (const Guy* hero = HeroGuy()) {
      // Each further level in one go rises from higher up.
      AddParticleRaw(hero->x, hero->y, ToFixed(20 + 10 * gained), 0, 0, 0, 60, kLevelUpParticle, 0);
    }
    MakeNormalSound(162);
    ++gained;
    p.experience = static_cast<uint16_t>(p.experience - p.experienceNeeded);
    p.level += 1;
    p.lifeMax = LevelMaximum(p.level, kUpgradeDoubleLife);
    p.manaMax = LevelMaximum(p.level, kUpgradeDoubleMana);
    p.experienceNeeded = static_cast<uint16_t>(100 * p.level);
    if (p.level >= kMaxLevel) {
      p.experienceNeeded = 0;
      p.experience = 0;
      return;
    }
  }
}

void SetStartingLevel(uint8_t level) {
  PlayerRecord& p = Player();
  p.level = level < 1 ? 1 : (level > kMaxLevel ? kMaxLevel : level);
  p.experience = 0;
  p.experienceNeeded = p.level >= kMaxLevel ? 0 : static_cast<uint16_t>(100 * p.level);
  p.lifeMax = LevelMaximum(p.level, kUpgradeDoubleLife);
  p.manaMax = LevelMaximum(p.level, kUpgradeDoubleMana);
  p.life = p.lifeMax;
  p.mana = p.manaMax;
}

void Heal(int32_t amount) {
  HealHero(amount);
  PlayerRecord& p = Player();
  int32_t life = p.life + amount;
  p.life = static_cast<uint8_t>(life > p.lifeMax ? p.lifeMax : life);
}

void AddPoison(int32_t amount) {
  PlayerRecord& p = Player();
  int32_t poison = p.poison + amount;
  p.poison = static_cast<uint8_t>(poison > 255 ? 255 : (poison < 0 ? 0 : poison));
}

bool PickUpPowerUp(uint8_t kind, Fixed x, Fixed y) {
  PlayerRecord& p = Player();
  switch (kind) {
    case 1:
      if (p.shotPower < kMaxShotPower) p.shotPower += 1;
      MakeNormalSound(78);
      Say("COEPA ZHEPFNN!");
      return false;
    case 2:
      if (p.shotDelay > 0)
        p.shotDelay = static_cast<uint8_t>(p.shotDelay > 3 ? p.shotDelay - 3 : 0);
      MakeNormalSound(79);
      Say("CK0P0CTb!");
      return false;
    case 3:
      p.shotFlags |= kShotFlag1;
      MakeNormalSound(79);
      Say("0SPA&EHNE!");
      return false;
    case 4:
      p.shotFlags |= kShotFlag2;
      MakeNormalSound(79);
      Say("0TPAGEHNE!");
      return false;
    case 5:
      return ReadScroll();
    case 6:
      Heal(40);
      AddParticlesSpread(kParticleGreen, x, y, static_cast<Fixed>(RandomLong(ToFixed(20))), 10, 6);
      MakeNormalSound(88);
      Say("3EVbE GN3HN!");
      return false;
    case 7: {
      int mana = p.mana + 25;
      p.mana = static_cast<uint8_t>(mana > p.manaMax ? p.manaMax : mana);
      AddRisingDots(x, y);
      MakeNormalSound(83);
      Say("3EVbE L0L0VHEHNR MAHbI!");
      return false;
    }
    case 8:
      AddMoney(10);
      MakeSoundAt(156, x, y, kSoundMayCutItself, 500);
      MakeSoundAt(156, x, y, kSoundMayCutItself, 500);
      return false;
    case 9:
      AddMoney(1);
      MakeSoundAt(156, x, y, kSoundMayCutItself, 500);
      return false;
    case 11:
      p.collected += 1;
      p.score += 25;
      MakeNormalSound(85);
      if (p.collected == CollectibleTotal()) {
        MakeNormalSound(19);
        SetHeroGlow(kGlowFull);
      }
      return false;
    case 12:
    case 13:
    case 14:
    case 15:
      p.armourPieces[kind - 12] = 1;
      MakeNormalSound(87);
      SetHeroGlow(kGlowFull);
      if (PlayerHasAllPieces()) {
        ArmourComplete();
      } else {
        Say("4ACTb ME4A APMAFEDD0HA!");
      }
      return false;
    case 16:
      if (p.keys >= kMaxKeys) return true;
      p.keys += 1;
      MakeNormalSound(86);
      return false;
    case 17:
    case 18:
    case 19:
      p.specialKeys[kind - 17] = 1;
      MakeNormalSound(86);
      return false;
    case 20:
      if (p.worldNumber < 4) p.worldRelic[p.worldNumber] = 1;
      MakeNormalSound(88);
      PlayNumberedMovie(p.worldNumber);
      PostMapEvent(2, 1);
      return false;
    default:
      return true;
  }
}

void UseKey(int k) {
  PlayerRecord& p = Player();
  if (k == 0) {
    if (p.keys != 0) p.keys -= 1;
  } else if (k >= 1 && k <= 3) {
    p.specialKeys[k - 1] = 0;
  }
}

bool SpellSeenHere() {
  const PlayerRecord& p = Player();
  int slot = SpellSlotOfMap(p.worldNumber, p.currentMap);
  if (slot < 0) return false;
  return (p.worldNumber < 2 && p.spells[slot] != 0) || p.spells[slot] >= 2;
}

bool PushCounterStep() {
  PlayerRecord& p = Player();
  p.pushCounter = static_cast<uint8_t>(p.pushCounter + 2);
  if (p.pushCounter < 5) return false;
  p.pushCounter = 0;
  return true;
}

}  // namespace torvel
