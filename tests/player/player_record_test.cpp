#include "player/player_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/byte_io.h"

namespace torvel {
namespace {

// Each field set to a value whose bytes are all non-zero and distinct from
// its neighbours', then looked for at its offset, little-endian.
struct FieldCase {
  const char* name;
  size_t offset;
  int width;
  uint32_t value;
  std::function<void(PlayerRecord&, uint32_t)> set;
};

TEST(PlayerRecordTest, FieldsSitAtTheirSavedGameOffsets) {
  const FieldCase cases[] = {
      {"musicVolume", 0, 1, 3,
       [](PlayerRecord& r, uint32_t v) { r.musicVolume = static_cast<uint8_t>(v); }},
      {"scoreAtMapStart", 4, 4, 0x01020304,
       [](PlayerRecord& r, uint32_t v) { r.scoreAtMapStart = v; }},
      {"score", 8, 4, 0x0A0B0C0D, [](PlayerRecord& r, uint32_t v) { r.score = v; }},
      {"mapsDone[0][0]", 12, 1, 1,
       [](PlayerRecord& r, uint32_t v) { r.mapsDone[0][0] = static_cast<uint8_t>(v); }},
      {"mapsDone[2][5]", 12 + 2 * 24 + 5, 1, 1,
       [](PlayerRecord& r, uint32_t v) { r.mapsDone[2][5] = static_cast<uint8_t>(v); }},
      {"mapsDone[5][23]", 155, 1, 1,
       [](PlayerRecord& r, uint32_t v) { r.mapsDone[5][23] = static_cast<uint8_t>(v); }},
      {"armourPieces[3]", 159, 1, 1,
       [](PlayerRecord& r, uint32_t v) { r.armourPieces[3] = static_cast<uint8_t>(v); }},
      {"worldMapTotal[1]", 164, 4, 0x00001234,
       [](PlayerRecord& r, uint32_t v) { r.worldMapTotal[1] = v; }},
      {"worldProgress[5]", 204, 4, 0x00005678,
       [](PlayerRecord& r, uint32_t v) { r.worldProgress[5] = v; }},
      {"worldRelic[3]", 243, 1, 1,
       [](PlayerRecord& r, uint32_t v) { r.worldRelic[3] = static_cast<uint8_t>(v); }},
      {"levelAtMapStart", 244, 1, 7,
       [](PlayerRecord& r, uint32_t v) { r.levelAtMapStart = static_cast<uint8_t>(v); }},
      {"experienceAtMapStart", 246, 2, 0x1122,
       [](PlayerRecord& r, uint32_t v) { r.experienceAtMapStart = static_cast<uint16_t>(v); }},
      {"moneyAtMapStart", 248, 2, 0x3344,
       [](PlayerRecord& r, uint32_t v) { r.moneyAtMapStart = static_cast<uint16_t>(v); }},
      {"level", 250, 1, 50, [](PlayerRecord& r, uint32_t v) { r.level = static_cast<uint8_t>(v); }},
      {"experience", 252, 2, 0x5566,
       [](PlayerRecord& r, uint32_t v) { r.experience = static_cast<uint16_t>(v); }},
      {"experienceNeeded", 254, 2, 0x7788,
       [](PlayerRecord& r, uint32_t v) { r.experienceNeeded = static_cast<uint16_t>(v); }},
      {"spells[9]", 265, 1, 2,
       [](PlayerRecord& r, uint32_t v) { r.spells[9] = static_cast<uint8_t>(v); }},
      {"speedLevel", 266, 1, 4,
       [](PlayerRecord& r, uint32_t v) { r.speedLevel = static_cast<uint8_t>(v); }},
      {"armourLevel", 267, 1, 3,
       [](PlayerRecord& r, uint32_t v) { r.armourLevel = static_cast<uint8_t>(v); }},
      {"damageLevel", 268, 1, 2,
       [](PlayerRecord& r, uint32_t v) { r.damageLevel = static_cast<uint8_t>(v); }},
      {"money", 270, 2, 50000,
       [](PlayerRecord& r, uint32_t v) { r.money = static_cast<uint16_t>(v); }},
      {"topSpeed", 272, 4, 0x00080000,
       [](PlayerRecord& r, uint32_t v) { r.topSpeed = static_cast<int32_t>(v); }},
      {"armourValue", 276, 1, 8,
       [](PlayerRecord& r, uint32_t v) { r.armourValue = static_cast<uint8_t>(v); }},
      {"damageValue", 277, 1, 10,
       [](PlayerRecord& r, uint32_t v) { r.damageValue = static_cast<uint8_t>(v); }},
      {"lifeMax", 278, 1, 128,
       [](PlayerRecord& r, uint32_t v) { r.lifeMax = static_cast<uint8_t>(v); }},
      {"manaMax", 279, 1, 64,
       [](PlayerRecord& r, uint32_t v) { r.manaMax = static_cast<uint8_t>(v); }},
      {"upgrades", 280, 1, 0x16,
       [](PlayerRecord& r, uint32_t v) { r.upgrades = static_cast<uint8_t>(v); }},
      {"playTime", 284, 4, 0x0F0E0D0C, [](PlayerRecord& r, uint32_t v) { r.playTime = v; }},
      {"mapsDoneInWorld", 288, 1, 9,
       [](PlayerRecord& r, uint32_t v) { r.mapsDoneInWorld = static_cast<uint8_t>(v); }},
      {"worldNumber", 289, 1, 3,
       [](PlayerRecord& r, uint32_t v) { r.worldNumber = static_cast<uint8_t>(v); }},
      {"roamingX", 292, 4, static_cast<uint32_t>(-2000),
       [](PlayerRecord& r, uint32_t v) { r.roamingX = static_cast<int32_t>(v); }},
      {"roamingY", 296, 4, 0x01234567,
       [](PlayerRecord& r, uint32_t v) { r.roamingY = static_cast<int32_t>(v); }},
      {"invulnerable", 300, 1, 40,
       [](PlayerRecord& r, uint32_t v) { r.invulnerable = static_cast<uint8_t>(v); }},
      {"currentMap", 301, 1, 23,
       [](PlayerRecord& r, uint32_t v) { r.currentMap = static_cast<uint8_t>(v); }},
      {"keys", 302, 1, 3, [](PlayerRecord& r, uint32_t v) { r.keys = static_cast<uint8_t>(v); }},
      {"specialKeys[2]", 305, 1, 1,
       [](PlayerRecord& r, uint32_t v) { r.specialKeys[2] = static_cast<uint8_t>(v); }},
      {"actionStamp[0]", 308, 1, 0x99,
       [](PlayerRecord& r, uint32_t v) { r.actionStamp[0] = static_cast<uint8_t>(v); }},
      {"shotPower", 312, 1, 5,
       [](PlayerRecord& r, uint32_t v) { r.shotPower = static_cast<uint8_t>(v); }},
      {"shotDelay", 313, 1, 12,
       [](PlayerRecord& r, uint32_t v) { r.shotDelay = static_cast<uint8_t>(v); }},
      {"fireCooldown", 316, 1, 6,
       [](PlayerRecord& r, uint32_t v) { r.fireCooldown = static_cast<uint8_t>(v); }},
      {"spellCooldown", 317, 1, 7,
       [](PlayerRecord& r, uint32_t v) { r.spellCooldown = static_cast<uint8_t>(v); }},
      {"life", 318, 1, 15, [](PlayerRecord& r, uint32_t v) { r.life = static_cast<uint8_t>(v); }},
      {"mana", 319, 1, 16, [](PlayerRecord& r, uint32_t v) { r.mana = static_cast<uint8_t>(v); }},
      {"collected", 320, 4, 0x00ABCDEF, [](PlayerRecord& r, uint32_t v) { r.collected = v; }},
      {"pushCounter", 324, 1, 4,
       [](PlayerRecord& r, uint32_t v) { r.pushCounter = static_cast<uint8_t>(v); }},
      {"shotFlags", 325, 1, 0x16,
       [](PlayerRecord& r, uint32_t v) { r.shotFlags = static_cast<uint8_t>(v); }},
      {"poison", 326, 1, 255,
       [](PlayerRecord& r, uint32_t v) { r.poison = static_cast<uint8_t>(v); }},
      {"selectedSpell", 327, 1, 9,
       [](PlayerRecord& r, uint32_t v) { r.selectedSpell = static_cast<uint8_t>(v); }},
      {"castingSpell", 328, 1, 8,
       [](PlayerRecord& r, uint32_t v) { r.castingSpell = static_cast<uint8_t>(v); }},
      {"hasteTimer", 330, 2, 0x2345,
       [](PlayerRecord& r, uint32_t v) { r.hasteTimer = static_cast<uint16_t>(v); }},
      {"protectionTimer", 332, 2, 0x6789,
       [](PlayerRecord& r, uint32_t v) { r.protectionTimer = static_cast<uint16_t>(v); }},
  };
  for (const FieldCase& c : cases) {
    PlayerRecord record;
    c.set(record, c.value);
    const auto bytes = PlayerRecordBytes(record);
    for (size_t i = 0; i < bytes.size(); ++i) {
      uint8_t expected = 0;
      if (i >= c.offset && i < c.offset + static_cast<size_t>(c.width)) {
        expected = static_cast<uint8_t>(c.value >> (8 * (i - c.offset)));
      }
      ASSERT_EQ(bytes[i], expected) << c.name << " byte " << i;
    }
  }
}

TEST(PlayerRecordTest, AnyThreeHundredThirtySixBytesRoundTripExactly) {
  // Reserved bytes included: a saved game is given back as it was read.
  std::vector<uint8_t> bytes(kPlayerRecordBytes);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 11);
  ByteReader in(bytes);
  PlayerRecord record;
  ASSERT_TRUE(ReadPlayerRecord(in, record));
  EXPECT_EQ(in.pos(), bytes.size());
  ByteWriter out;
  WritePlayerRecord(out, record);
  EXPECT_EQ(out.bytes(), bytes);
  EXPECT_EQ(record.level, bytes[250]);
  EXPECT_EQ(record.money, bytes[270] | (bytes[271] << 8));
}

TEST(PlayerRecordTest, AShortRecordIsRefusedAndLeavesTheRecordAlone) {
  std::vector<uint8_t> bytes(kPlayerRecordBytes - 1, 0xFF);
  ByteReader in(bytes);
  PlayerRecord record;
  record.level = 7;
  EXPECT_FALSE(ReadPlayerRecord(in, record));
  EXPECT_EQ(record.level, 7);
  EXPECT_EQ(record.score, 0u);
}

TEST(PlayerRecordTest, MapDoneQueriesStayInsideTheRecord) {
  InitPlayerRecord();
  Player().mapsDone[2][6] = 1;
  EXPECT_TRUE(PlayerMapDone(2, 6));
  EXPECT_FALSE(PlayerMapDone(2, 7));
  // The shop's destination 50 and other numbers past the rows have no flag.
  EXPECT_FALSE(PlayerMapDone(2, 50));
  EXPECT_FALSE(PlayerMapDone(6, 0));
  EXPECT_FALSE(PlayerMapDone(-1, 0));
}

}  // namespace
}  // namespace torvel
