// The player record: everything about the player that outlives a map, kept
// in one 336-byte record whose layout is the saved-game format, and the few
// program-wide values beside it that are never saved.
//
// The rules that change the record (resets, experience, power-ups) live in
// player.cpp; this module owns the record, its byte layout and the plain
// accessors drawing, light and the other modules read.
#pragma once

#include <array>
#include <cstdint>

namespace torvel {

class ByteReader;
class ByteWriter;

constexpr int kPlayerRecordBytes = 336;
constexpr int kRecordWorlds = 6;  // rows kept per world; four are played
constexpr int kRecordMapsPerWorld = 24;
constexpr int kSpellSlots = 10;

// Upgrades bought in the shop, as the values the upgrades byte holds.
enum PlayerUpgrade : uint8_t {
  kUpgradeDoubleLife = 0x01,
  kUpgradeDoubleMana = 0x02,
  kUpgradeHeroLight = 0x04,
};

// Shot flags, as values: the two shot power-ups and the floor-immunity cheat.
// The shot reads value 1 as "fire the volley backwards too" and value 2 as
// "bouncing shots".
enum ShotFlag : uint8_t {
  kShotFlag1 = 0x01,
  kShotFlag2 = 0x02,
  kShotFloorImmune = 0x04,
};

// Field order is the byte order; the reserved bytes are kept so that a
// record read and written again is the same 336 bytes.
struct PlayerRecord {
  uint8_t musicVolume = 0;                                    //   0: 0 off .. 3 full
  uint8_t reserved1[3] = {};                                  //   1
  uint32_t scoreAtMapStart = 0;                               //   4
  uint32_t score = 0;                                         //   8
  uint8_t mapsDone[kRecordWorlds][kRecordMapsPerWorld] = {};  // 12
  uint8_t armourPieces[4] = {};                               // 156
  uint32_t worldMapTotal[kRecordWorlds] = {};                 // 160: 100 per map 1..23 present
  uint32_t worldProgress[kRecordWorlds] = {};                 // 184: 100 per map first done
  uint8_t reserved2[32] = {};                                 // 208
  uint8_t worldRelic[4] = {};                                 // 240
  uint8_t levelAtMapStart = 0;                                // 244
  uint8_t reserved3 = 0;                                      // 245
  uint16_t experienceAtMapStart = 0;                          // 246
  uint16_t moneyAtMapStart = 0;                               // 248
  uint8_t level = 0;                                          // 250: 1..50
  uint8_t reserved4 = 0;                                      // 251
  uint16_t experience = 0;                                    // 252: within the current level
  uint16_t experienceNeeded = 0;                              // 254
  uint8_t spells[kSpellSlots] = {};  // 256: 0 not owned, 1 learned, 2 upgraded
  uint8_t speedLevel = 0;            // 266
  uint8_t armourLevel = 0;           // 267
  uint8_t damageLevel = 0;           // 268
  uint8_t reserved5 = 0;             // 269
  uint16_t money = 0;                // 270
  int32_t topSpeed = 0;              // 272: 16.16
  uint8_t armourValue = 0;           // 276
  uint8_t damageValue = 0;           // 277
  uint8_t lifeMax = 0;               // 278
  uint8_t manaMax = 0;               // 279
  uint8_t upgrades = 0;              // 280
  uint8_t reserved6[3] = {};         // 281
  uint32_t playTime = 0;             // 284: update steps
  uint8_t mapsDoneInWorld = 0;       // 288
  uint8_t worldNumber = 0;           // 289
  uint8_t reserved7[2] = {};         // 290
  int32_t roamingX = 0;              // 292: 16.16, -2000 none
  int32_t roamingY = 0;              // 296
  uint8_t invulnerable = 0;          // 300
  uint8_t currentMap = 0;            // 301
  uint8_t keys = 0;                  // 302
  uint8_t specialKeys[3] = {};       // 303
  uint8_t reserved8[2] = {};         // 306
  uint8_t actionStamp[4] = {};       // 308: cleared at map start and when the hero acts
  uint8_t shotPower = 0;             // 312
  uint8_t shotDelay = 0;             // 313
  uint8_t reserved9[2] = {};         // 314: cleared at map start
  uint8_t fireCooldown = 0;          // 316
  uint8_t spellCooldown = 0;         // 317
  uint8_t life = 0;                  // 318
  uint8_t mana = 0;                  // 319
  uint32_t collected = 0;            // 320
  uint8_t pushCounter = 0;           // 324
  uint8_t shotFlags = 0;             // 325
  uint8_t poison = 0;                // 326
  uint8_t selectedSpell = 0;         // 327
  uint8_t castingSpell = 0;          // 328
  uint8_t reserved10 = 0;            // 329
  uint16_t hasteTimer = 0;           // 330
  uint16_t protectionTimer = 0;      // 332
  uint8_t reserved11[2] = {};        // 334
};

// The record's 336 bytes, field by field; ReadPlayerRecord leaves the record
// untouched and returns false when fewer than 336 bytes remain.
void WritePlayerRecord(ByteWriter& out, const PlayerRecord& record);
bool ReadPlayerRecord(ByteReader& in, PlayerRecord& record);
std::array<uint8_t, kPlayerRecordBytes> PlayerRecordBytes(const PlayerRecord& record);

// Which hero sprite set is loaded.
enum HeroAppearance : uint8_t { kHeroPlain = 0, kHeroArmoured = 1 };

// The one record, and the program-wide values beside it.
PlayerRecord& Player();
// Start-up: a zeroed record and zeroed side values.
void InitPlayerRecord();

// A light boost around the hero that pickups and spells raise and the hero's
// light lets decay.
uint8_t HeroGlow();
void SetHeroGlow(uint8_t glow);
// Steps left of the burst effect.
uint32_t BurstCounter();
void SetBurstCounter(uint32_t steps);
void StartBurst();
// Ticks before the hero can use a teleport again.
uint8_t SpecialCooldown();
void SetSpecialCooldown(uint8_t ticks);
uint8_t CurrentHeroAppearance();
// Notes which set is loaded (the player rules load it).
void NoteHeroAppearance(uint8_t appearance);

// Plain reads of the record for other modules.
uint8_t PlayerLevel();
uint8_t PlayerWorldNumber();
uint8_t PlayerCurrentMap();
uint8_t PlayerMapsDoneInWorld();
uint32_t PlayerCollected();
uint8_t PlayerMusicVolume();
uint8_t PlayerInvulnerable();
uint8_t PlayerPoison();
bool PlayerHasUpgrade(uint8_t bit);
bool PlayerHasPiece(int piece);
bool PlayerHasAllPieces();
// Map m of world w is done; false outside the record's rows.
bool PlayerMapDone(int world, int map);
void SetPlayerLife(uint8_t life);
void TogglePlayerFloorImmunity();
bool PlayerFloorImmune();

}  // namespace torvel
