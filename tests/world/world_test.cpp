#include "world/world.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/bmp.h"
#include "gfx/tiles.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

// Every byte of the tile block set from a seed, so that a load that changed
// (or failed to change) the block shows.
void FillTileBlock(uint8_t seed) {
  uint8_t* block = TileBlock();
  for (int i = 0; i < kTileBlockBytes; ++i) block[i] = static_cast<uint8_t>(i * 7 + seed);
}

std::vector<uint8_t> TileBlockCopy() {
  return std::vector<uint8_t>(TileBlock(), TileBlock() + kTileBlockBytes);
}

// A map with every field set from a seed, stale name bytes included.
void FillMap(Map& map, uint8_t sizeClass, uint8_t seed) {
  NewMap(map, sizeClass, "MAP");
  std::memset(map.name, 0, sizeof(map.name));
  std::strcpy(map.name, "SHORT");
  for (size_t i = 6; i < sizeof(map.name); ++i)
    map.name[i] = static_cast<char>('a' + (i + seed) % 26);
  map.song = static_cast<uint8_t>(seed + 1);
  map.flags = static_cast<uint8_t>(seed & 0x0F);
  for (size_t i = 0; i < map.monsters.size(); ++i) {
    map.monsters[i] = {static_cast<uint8_t>(i + seed), static_cast<uint8_t>(i * 3),
                       static_cast<uint8_t>(i % 60)};
  }
  for (size_t i = 0; i < map.specials.size(); ++i) {
    Special& s = map.specials[i];
    s.trigger = static_cast<uint16_t>(0x0101 * (i + 1) + seed);
    s.trigValue = static_cast<uint8_t>(i);
    s.effect = static_cast<uint8_t>(i % 10);
    s.x = static_cast<uint8_t>(i + 1);
    s.y = static_cast<uint8_t>(i + 2);
    s.targetX = static_cast<uint8_t>(i + 3);
    s.targetY = static_cast<uint8_t>(i + 4);
    s.value = -static_cast<int32_t>(i * 1000 + seed);
    for (size_t k = 0; k < sizeof(s.msg); ++k) s.msg[k] = static_cast<char>(k + i + seed);
  }
  for (size_t i = 0; i < map.tiles.size(); ++i) {
    Tile& t = map.tiles[i];
    t.floor = static_cast<uint8_t>(i % 200);
    t.wall = static_cast<uint8_t>((i * 3 + seed) % 201);
    t.item = static_cast<uint8_t>((i * 5) % 83);
    t.light = static_cast<int8_t>(static_cast<int>(i % 49) - 32);
    t.curLight = static_cast<int8_t>(static_cast<int>((i + seed) % 67) - 33);
    t.mark = static_cast<uint8_t>(i & 1);
  }
}

void FillWorld(World& world, int mapCount, uint8_t sizeClass, uint8_t seed) {
  FreeWorld(world);
  world.mapCount = static_cast<uint8_t>(mapCount);
  for (int i = 0; i < kTerrainEntries; ++i) {
    world.terrain[i] = {static_cast<uint16_t>(i * 11 + seed), static_cast<uint8_t>(199 - i),
                        static_cast<uint8_t>(i ^ seed)};
  }
  for (int i = 0; i < mapCount; ++i) {
    world.maps[i] = std::make_unique<Map>();
    FillMap(*world.maps[i], sizeClass, static_cast<uint8_t>(seed + i));
  }
}

class WorldFileTest : public HeadlessTest {};

TEST_F(WorldFileTest, TwentyFourLargeMapsMakeTheDocumentedSizeAndReadBackIdentically) {
  World world;
  FillWorld(world, 24, kSizeLarge, 3);
  FillTileBlock(9);
  const std::vector<uint8_t> tiles = TileBlockCopy();
  ASSERT_TRUE(SaveWorld(world, "big.vwd"));

  const std::string path = dir() + "/big.vwd";
  ASSERT_EQ(std::filesystem::file_size(path), 2711313u);

  FillTileBlock(0);
  World read;
  ASSERT_TRUE(LoadWorld(read, "big.vwd"));
  EXPECT_EQ(TileBlockCopy(), tiles);
  ASSERT_EQ(read.mapCount, 24);
  for (int i = 0; i < 24; ++i) {
    ASSERT_NE(read.maps[i], nullptr);
    EXPECT_EQ(read.maps[i]->width, 128);
    EXPECT_EQ(read.maps[i]->height, 128);
  }
  // Written again, the loaded world is the same file byte for byte.
  std::vector<uint8_t> original;
  ASSERT_TRUE(ReadFileBytes(path, original));
  EXPECT_EQ(WorldBytes(read), original);
}

TEST_F(WorldFileTest, FieldsLandAtTheirOffsets) {
  World world;
  FillWorld(world, 2, kSizeSmall, 0);
  Map& map = *world.maps[1];
  std::strcpy(map.name, "AB");
  map.name[5] = 'Z';  // stale, after the NUL
  map.monsters[1] = {7, 8, 9};
  Special& s = map.specials[1];
  s.trigger = 0x0A0B;
  s.trigValue = 0x11;
  s.effect = 0x12;
  s.x = 0x13;
  s.y = 0x14;
  s.targetX = 0x15;
  s.targetY = 0x16;
  s.value = -2;
  std::strcpy(s.msg, "HELLO");
  map.song = 0x42;
  map.flags = 0x09;
  MapTile(map, 1, 1) = {10, 20, 30, -5, -6, 1};
  world.terrain[2] = {0x0480, 0x55, 0x66};

  const std::vector<uint8_t> bytes = WorldBytes(world);
  ASSERT_EQ(bytes.size(), kWorldHeaderBytes + 2 * MapBlockBytes(20, 20));
  EXPECT_EQ(bytes[0], 2);
  const size_t terrain = 307201 + 2 * 4;
  EXPECT_EQ(bytes[terrain], 0x80);
  EXPECT_EQ(bytes[terrain + 1], 0x04);
  EXPECT_EQ(bytes[terrain + 2], 0x55);
  EXPECT_EQ(bytes[terrain + 3], 0x66);

  const size_t m = 308001 + 4234;  // the second map block
  EXPECT_EQ(bytes[m], 20);
  EXPECT_EQ(bytes[m + 4], 20);
  EXPECT_EQ(bytes[m + 8], 'A');
  EXPECT_EQ(bytes[m + 9], 'B');
  EXPECT_EQ(bytes[m + 10], 0);
  EXPECT_EQ(bytes[m + 13], 'Z');
  EXPECT_EQ(bytes[m + 40 + 3], 7);
  EXPECT_EQ(bytes[m + 40 + 4], 8);
  EXPECT_EQ(bytes[m + 40 + 5], 9);
  const size_t sp = m + 424 + 44;
  const uint8_t special[12] = {0x0B, 0x0A, 0x11, 0x12, 0x13, 0x14,
                               0x15, 0x16, 0xFE, 0xFF, 0xFF, 0xFF};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(bytes[sp + i], special[i]) << "special byte " << i;
  EXPECT_EQ(bytes[sp + 12], 'H');
  EXPECT_EQ(bytes[m + 1832], 0x42);
  EXPECT_EQ(bytes[m + 1833], 0x09);
  const size_t tile = m + 1834 + 6 * (1 + 1 * 20);
  const uint8_t expected[6] = {10, 20, 30, 0xFB, 0xFA, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(bytes[tile + i], expected[i]) << "tile byte " << i;
}

TEST_F(WorldFileTest, MonsterStartsOfKindsTheGameLacksAreDropped) {
  World world;
  FillWorld(world, 1, kSizeSmall, 0);
  Map& map = *world.maps[0];
  map.monsters.fill(MonsterStart{});
  const uint8_t kinds[] = {1, 2, 59, 60, 200, 255};
  for (size_t i = 0; i < std::size(kinds); ++i) {
    map.monsters[i] = {static_cast<uint8_t>(3 + i), 4, kinds[i]};
  }
  const std::vector<uint8_t> bytes = WorldBytes(world);
  World read;
  ASSERT_TRUE(ParseWorld(read, bytes.data(), bytes.size()));
  const Map& got = *read.maps[0];
  for (size_t i = 0; i < std::size(kinds); ++i) {
    const MonsterStart& m = got.monsters[i];
    if (kinds[i] < 60) {
      EXPECT_EQ(m.kind, kinds[i]);
      EXPECT_EQ(m.x, 3 + i);
    } else {
      EXPECT_EQ(m.kind, 0) << "kind " << int{kinds[i]};
      EXPECT_EQ(m.x, 0) << "kind " << int{kinds[i]};
      EXPECT_EQ(m.y, 0) << "kind " << int{kinds[i]};
    }
  }
}

TEST_F(WorldFileTest, StaleNameBytesSurviveARoundTrip) {
  World world;
  FillWorld(world, 1, kSizeMedium, 5);
  Map& map = *world.maps[0];
  std::memset(map.name, 'x', sizeof(map.name));
  std::strcpy(map.name, "RIVER");
  ASSERT_TRUE(SaveWorld(world, "names.vwd"));
  World read;
  ASSERT_TRUE(LoadWorld(read, "names.vwd"));
  EXPECT_EQ(0, std::memcmp(read.maps[0]->name, map.name, sizeof(map.name)));
  EXPECT_EQ(read.maps[0]->name[31], 'x');
}

TEST_F(WorldFileTest, BytesAfterTheLastMapAreIgnored) {
  World world;
  FillWorld(world, 1, kSizeSmall, 1);
  std::vector<uint8_t> bytes = WorldBytes(world);
  bytes.push_back(0xAB);
  World read;
  ASSERT_TRUE(ParseWorld(read, bytes.data(), bytes.size()));
  EXPECT_EQ(read.mapCount, 1);
}

TEST_F(WorldFileTest, AMissingFileIsRefused) {
  World world;
  EXPECT_FALSE(LoadWorld(world, "nothere.vwd"));
  EXPECT_EQ(world.mapCount, 0);
}

// Malformed files: each case spoils a valid three-map world.
struct MalformedCase {
  const char* name;
  std::function<void(std::vector<uint8_t>&)> spoil;
};

void PutI32(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

void PrintTo(const MalformedCase& c, std::ostream* os) {
  *os << c.name;
}

class MalformedWorldTest : public HeadlessTest,
                           public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedWorldTest, IsRefusedAndNothingIsKept) {
  // What the reader would see: small, medium, small.
  World source;
  FillWorld(source, 3, kSizeSmall, 2);
  source.maps[1] = std::make_unique<Map>();
  FillMap(*source.maps[1], kSizeMedium, 4);
  FillTileBlock(1);
  std::vector<uint8_t> bytes = WorldBytes(source);
  GetParam().spoil(bytes);
  ASSERT_TRUE(WriteFileBytes(dir() + "/bad.vwd", bytes));

  // The world already loaded, and its tiles, stay as they were.
  World world;
  FillWorld(world, 1, kSizeSmall, 7);
  FillTileBlock(42);
  const std::vector<uint8_t> before = WorldBytes(world);
  const std::vector<uint8_t> tiles = TileBlockCopy();

  EXPECT_FALSE(LoadWorld(world, "bad.vwd"));
  EXPECT_EQ(world.mapCount, 1);
  EXPECT_EQ(world.maps[1], nullptr);
  EXPECT_EQ(WorldBytes(world), before);
  EXPECT_EQ(TileBlockCopy(), tiles);
}

constexpr size_t kMap0 = 308001;
constexpr size_t kMap1 = kMap0 + 4234;
constexpr size_t kMap2 = kMap1 + 26410;

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedWorldTest,
    ::testing::Values(
        MalformedCase{"Empty", [](std::vector<uint8_t>& b) { b.clear(); }},
        MalformedCase{"NoMaps", [](std::vector<uint8_t>& b) { b[0] = 0; }},
        MalformedCase{"TwentyFiveMaps", [](std::vector<uint8_t>& b) { b[0] = 25; }},
        MalformedCase{"MoreMapsThanTheFileHolds", [](std::vector<uint8_t>& b) { b[0] = 4; }},
        MalformedCase{"ShortTileBlock", [](std::vector<uint8_t>& b) { b.resize(1000); }},
        MalformedCase{"ShortTerrain", [](std::vector<uint8_t>& b) { b.resize(307201 + 799); }},
        MalformedCase{"ShortMapHeader", [](std::vector<uint8_t>& b) { b.resize(kMap1 + 1833); }},
        MalformedCase{"ShortLastMapTiles", [](std::vector<uint8_t>& b) { b.pop_back(); }},
        MalformedCase{"WidthNineteen", [](std::vector<uint8_t>& b) { PutI32(b, kMap0, 19); }},
        MalformedCase{"WidthZero",
                      [](std::vector<uint8_t>& b) {
                        PutI32(b, kMap2, 0);
                        PutI32(b, kMap2 + 4, 0);
                      }},
        MalformedCase{"NegativeSize",
                      [](std::vector<uint8_t>& b) {
                        PutI32(b, kMap2, -20);
                        PutI32(b, kMap2 + 4, -20);
                      }},
        MalformedCase{"NotSquare", [](std::vector<uint8_t>& b) { PutI32(b, kMap1 + 4, 20); }},
        MalformedCase{"HugeSize",
                      [](std::vector<uint8_t>& b) {
                        PutI32(b, kMap1, 0x40000000);
                        PutI32(b, kMap1 + 4, 0x40000000);
                      }}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });

class NewWorldTest : public HeadlessTest {};

TEST_F(NewWorldTest, HoldsOneSpeckledSmallMapAndCutsTheBasicTiles) {
  // A tileset picture whose every tile block has its own colour.
  BmpImage picture;
  picture.width = 640;
  picture.height = 480;
  picture.pixels.resize(640 * 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x)
      picture.pixels[y * 640 + x] = static_cast<uint8_t>((y / 24) * 20 + x / 32);
  }
  std::filesystem::create_directories(dir() + "/graphics");
  ASSERT_TRUE(WriteFileBytes(dir() + "/graphics/basicTiles.bmp", EncodeBmp8(picture)));

  World world;
  FillWorld(world, 3, kSizeSmall, 1);
  NewWorld(world, &display());

  EXPECT_EQ(GetTile(0)[0], 0);
  EXPECT_EQ(GetTile(21)[767], 21);
  EXPECT_EQ(GetTile(255)[0], 255);
  EXPECT_EQ(GetTile(399)[0], static_cast<uint8_t>(399));

  ASSERT_EQ(world.mapCount, 1);
  for (int i = 1; i < kMaxMaps; ++i) EXPECT_EQ(world.maps[i], nullptr);
  for (const TerrainEntry& e : world.terrain) {
    EXPECT_EQ(e.flags, 0);
    EXPECT_EQ(e.next, 0);
  }
  const Map& map = *world.maps[0];
  EXPECT_EQ(map.width, 20);
  EXPECT_EQ(map.height, 20);
  EXPECT_STREQ(map.name, "H0BbIN MNP");
  EXPECT_EQ(map.song, 2);
  EXPECT_EQ(map.flags, 0);
  int floors[2] = {0, 0};
  for (const Tile& t : map.tiles) {
    ASSERT_LE(t.floor, 1);
    ++floors[t.floor];
    EXPECT_EQ(t.wall, 0);
    EXPECT_EQ(t.item, 0);
    EXPECT_EQ(t.light, 0);
    EXPECT_EQ(t.curLight, 0);
  }
  // A speckle: both images show, in roughly equal numbers.
  EXPECT_GT(floors[0], 100);
  EXPECT_GT(floors[1], 100);
  for (const MonsterStart& m : map.monsters) EXPECT_EQ(m.kind, 0);
  for (const Special& s : map.specials) EXPECT_EQ(s.trigger, 0);
}

TEST(MapTest, NewMapSizesFollowTheSizeClass) {
  const struct {
    uint8_t sizeClass;
    int32_t size;
  } cases[] = {{kSizeSmall, 20}, {kSizeMedium, 64}, {kSizeLarge, 128}};
  for (const auto& c : cases) {
    Map map;
    NewMap(map, c.sizeClass, "A VERY LONG NAME THAT DOES NOT FIT IN THIRTY-ONE");
    EXPECT_EQ(map.width, c.size);
    EXPECT_EQ(map.height, c.size);
    EXPECT_EQ(map.tiles.size(), static_cast<size_t>(c.size * c.size));
    EXPECT_EQ(map.name[31], '\0');
    EXPECT_EQ(std::strlen(map.name), 31u);
  }
}

TEST(MapTest, CopyMapIsIndependentOfItsSource) {
  Map source;
  FillMap(source, kSizeSmall, 3);
  Map copy;
  CopyMap(copy, source);
  MapTile(copy, 2, 2).wall = 99;
  copy.specials[0].msg[0] = '!';
  EXPECT_NE(MapTile(source, 2, 2).wall, 99);
  EXPECT_NE(source.specials[0].msg[0], '!');
  ByteWriter a;
  ByteWriter b;
  WriteMap(source, a);
  FillMap(copy, kSizeSmall, 3);
  WriteMap(copy, b);
  EXPECT_EQ(a.bytes(), b.bytes());
}

TEST(MapTest, ReadMapLeavesTheMapAloneOnAShortBlock) {
  Map source;
  FillMap(source, kSizeSmall, 1);
  ByteWriter out;
  WriteMap(source, out);
  Map target;
  FillMap(target, kSizeMedium, 2);
  ByteReader in(out.bytes().data(), out.size() - 1);
  EXPECT_FALSE(ReadMap(target, in));
  EXPECT_EQ(target.width, 64);
  EXPECT_EQ(target.tiles.size(), 64u * 64u);
}

}  // namespace
}  // namespace torvel
