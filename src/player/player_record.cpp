#include "player/player_record.h"

#include "common/byte_io.h"

namespace torvel {

namespace {

struct PlayerState {
  PlayerRecord record;
  uint8_t heroGlow = 0;
  uint32_t burstCounter = 0;
  uint8_t specialCooldown = 0;
  uint8_t heroAppearance = kHeroPlain;
};

PlayerState gPlayer;

// A burst lasts 900 steps: thirty seconds.
constexpr uint32_t kBurstSteps = 900;

}  // namespace

void WritePlayerRecord(ByteWriter& out, const PlayerRecord& r) {
  out.U8(r.musicVolume);
  out.Bytes(r.reserved1, sizeof(r.reserved1));
  out.U32(r.scoreAtMapStart);
  out.U32(r.score);
  for (const auto& row : r.mapsDone) out.Bytes(row, sizeof(row));
  out.Bytes(r.armourPieces, sizeof(r.armourPieces));
  for (uint32_t v : r.worldMapTotal) out.U32(v);
  for (uint32_t v : r.worldProgress) out.U32(v);
  out.Bytes(r.reserved2, sizeof(r.reserved2));
  out.Bytes(r.worldRelic, sizeof(r.worldRelic));
  out.U8(r.levelAtMapStart);
  out.U8(r.reserved3);
  out.U16(r.experienceAtMapStart);
  out.U16(r.moneyAtMapStart);
  out.U8(r.level);
  out.U8(r.reserved4);
  out.U16(r.experience);
  out.U16(r.experienceNeeded);
  out.Bytes(r.spells, sizeof(r.spells));
  out.U8(r.speedLevel);
  out.U8(r.armourLevel);
  out.U8(r.damageLevel);
  out.U8(r.reserved5);
  out.U16(r.money);
  out.I32(r.topSpeed);
  out.U8(r.armourValue);
  out.U8(r.damageValue);
  out.U8(r.lifeMax);
  out.U8(r.manaMax);
  out.U8(r.upgrades);
  out.Bytes(r.reserved6, sizeof(r.reserved6));
  out.U32(r.playTime);
  out.U8(r.mapsDoneInWorld);
  out.U8(r.worldNumber);
  out.Bytes(r.reserved7, sizeof(r.reserved7));
  out.I32(r.roamingX);
  out.I32(r.roamingY);
  out.U8(r.invulnerable);
  out.U8(r.currentMap);
  out.U8(r.keys);
  out.Bytes(r.specialKeys, sizeof(r.specialKeys));
  out.Bytes(r.reserved8, sizeof(r.reserved8));
  out.Bytes(r.actionStamp, sizeof(r.actionStamp));
  out.U8(r.shotPower);
  out.U8(r.shotDelay);
  out.Bytes(r.reserved9, sizeof(r.reserved9));
  out.U8(r.fireCooldown);
  out.U8(r.spellCooldown);
  out.U8(r.life);
  out.U8(r.mana);
  out.U32(r.collected);
  out.U8(r.pushCounter);
  out.U8(r.shotFlags);
  out.U8(r.poison);
  out.U8(r.selectedSpell);
  out.U8(r.castingSpell);
  out.U8(r.reserved10);
  out.U16(r.hasteTimer);
  out.U16(r.protectionTimer);
  out.Bytes(r.reserved11, sizeof(r.reserved11));
}

bool ReadPlayerRecord(ByteReader& in, PlayerRecord& record) {
  if (in.Remaining() < static_cast<size_t>(kPlayerRecordBytes)) return false;
  PlayerRecord r;
  r.musicVolume = in.U8();
  in.Bytes(r.reserved1, sizeof(r.reserved1));
  r.scoreAtMapStart = in.U32();
  r.score = in.U32();
  for (auto& row : r.mapsDone) in.Bytes(row, sizeof(row));
  in.Bytes(r.armourPieces, sizeof(r.armourPieces));
  for (uint32_t& v : r.worldMapTotal) v = in.U32();
  for (uint32_t& v : r.worldProgress) v = in.U32();
  in.Bytes(r.reserved2, sizeof(r.reserved2));
  in.Bytes(r.worldRelic, sizeof(r.worldRelic));
  r.levelAtMapStart = in.U8();
  r.reserved3 = in.U8();
  r.experienceAtMapStart = in.U16();
  r.moneyAtMapStart = in.U16();
  r.level = in.U8();
  r.reserved4 = in.U8();
  r.experience = in.U16();
  r.experienceNeeded = in.U16();
  in.Bytes(r.spells, sizeof(r.spells));
  r.speedLevel = in.U8();
  r.armourLevel = in.U8();
  r.damageLevel = in.U8();
  r.reserved5 = in.U8();
  r.money = in.U16();
  r.topSpeed = in.I32();
  r.armourValue = in.U8();
  r.damageValue = in.U8();
  r.lifeMax = in.U8();
  r.manaMax = in.U8();
  r.upgrades = in.U8();
  in.Bytes(r.reserved6, sizeof(r.reserved6));
  r.playTime = in.U32();
  r.mapsDoneInWorld = in.U8();
  r.worldNumber = in.U8();
  in.Bytes(r.reserved7, sizeof(r.reserved7));
  r.roamingX = in.I32();
  r.roamingY = in.I32();
  r.invulnerable = in.U8();
  r.currentMap = in.U8();
  r.keys = in.U8();
  in.Bytes(r.specialKeys, sizeof(r.specialKeys));
  in.Bytes(r.reserved8, sizeof(r.reserved8));
  in.Bytes(r.actionStamp, sizeof(r.actionStamp));
  r.shotPower = in.U8();
  r.shotDelay = in.U8();
  in.Bytes(r.reserved9, sizeof(r.reserved9));
  r.fireCooldown = in.U8();
  r.spellCooldown = in.U8();
  r.life = in.U8();
  r.mana = in.U8();
  r.collected = in.U32();
  r.pushCounter = in.U8();
  r.shotFlags = in.U8();
  r.poison = in.U8();
  r.selectedSpell = in.U8();
  r.castingSpell = in.U8();
  r.reserved10 = in.U8();
  r.hasteTimer = in.U16();
  r.protectionTimer = in.U16();
  in.Bytes(r.reserved11, sizeof(r.reserved11));
  if (!in.ok()) return false;
  record = r;
  return true;
}

std::array<uint8_t, kPlayerRecordBytes> PlayerRecordBytes(const PlayerRecord& record) {
  ByteWriter out;
  WritePlayerRecord(out, record);
  std::array<uint8_t, kPlayerRecordBytes> bytes{};
  for (size_t i = 0; i < bytes.size() && i < out.size(); ++i) bytes[i] = out.bytes()[i];
  return bytes;
}

PlayerRecord& Player() {
  return gPlayer.record;
}

void InitPlayerRecord() {
  gPlayer = PlayerState{};
}

uint8_t HeroGlow() {
  return gPlayer.heroGlow;
}
void SetHeroGlow(uint8_t glow) {
  gPlayer.heroGlow = glow;
}
uint32_t BurstCounter() {
  return gPlayer.burstCounter;
}
void SetBurstCounter(uint32_t steps) {
  gPlayer.burstCounter = steps;
}
void StartBurst() {
  gPlayer.burstCounter = kBurstSteps;
}
uint8_t SpecialCooldown() {
  return gPlayer.specialCooldown;
}
void SetSpecialCooldown(uint8_t ticks) {
  gPlayer.specialCooldown = ticks;
}
uint8_t CurrentHeroAppearance() {
  return gPlayer.heroAppearance;
}
void NoteHeroAppearance(uint8_t appearance) {
  gPlayer.heroAppearance = appearance;
}

uint8_t PlayerLevel() {
  return gPlayer.record.level;
}
uint8_t PlayerWorldNumber() {
  return gPlayer.record.worldNumber;
}
uint8_t PlayerCurrentMap() {
  return gPlayer.record.currentMap;
}
uint8_t PlayerMapsDoneInWorld() {
  return gPlayer.record.mapsDoneInWorld;
}
uint32_t PlayerCollected() {
  return gPlayer.record.collected;
}
uint8_t PlayerMusicVolume() {
  return gPlayer.record.musicVolume;
}
uint8_t PlayerInvulnerable() {
  return gPlayer.record.invulnerable;
}
uint8_t PlayerPoison() {
  return gPlayer.record.poison;
}
bool PlayerHasUpgrade(uint8_t bit) {
  return (gPlayer.record.upgrades & bit) != 0;
}

bool PlayerHasPiece(int piece) {
  return piece >= 0 && piece < 4 && gPlayer.record.armourPieces[piece] != 0;
}

bool PlayerHasAllPieces() {
  for (int k = 0; k < 4; ++k) {
    if (!PlayerHasPiece(k)) return false;
  }
  return true;
}

bool PlayerMapDone(int world, int map) {
  if (world < 0 || world >= kRecordWorlds || map < 0 || map >= kRecordMapsPerWorld) return false;
  return gPlayer.record.mapsDone[world][map] != 0;
}

void SetPlayerLife(uint8_t life) {
  gPlayer.record.life = life;
}
void TogglePlayerFloorImmunity() {
  gPlayer.record.shotFlags ^= kShotFloorImmune;
}
bool PlayerFloorImmune() {
  return (gPlayer.record.shotFlags & kShotFloorImmune) != 0;
}

}  // namespace torvel
