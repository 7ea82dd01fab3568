// Worlds and maps: the records a world file holds, and the operations that
// create, copy, load, save and free them.
//
// A world is one ".vwd" file: the 400 tile images, the terrain table that gives
// every floor image its behaviour, and 1 to 24 maps. The tile images live in
// the program's one tile block (gfx); everything else lives in the World.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace torvel {

class ByteReader;
class ByteWriter;
class Display;

// One map square: 6 bytes in the file, in this order.
struct Tile {
  uint8_t floor = 0;    // floor image 0-199; under a wall, the wall's roof image
  uint8_t wall = 0;     // 0 none; 1-200 drawn with tile image 199 + wall
  uint8_t item = 0;     // 0 none, else an item number
  int8_t light = 0;     // base light, -32 (black) .. 16
  int8_t curLight = 0;  // current light, drifting toward light
  uint8_t mark = 0;     // light spreading scratch: 1 blocks light
};

// Terrain flags, one word per floor image.
enum TerrainFlag : uint16_t {
  kTerrainImpassable = 0x0001,
  kTerrainIcy = 0x0002,
  kTerrainMuddy = 0x0004,
  kTerrainWater = 0x0008,
  kTerrainLava = 0x0010,
  kTerrainPushable = 0x0020,
  kTerrainCanBePushedOn = 0x0040,
  kTerrainAnimates = 0x0080,
  kTerrainStepChanges = 0x0100,
  kTerrainDamageChanges = 0x0200,
  kTerrainTransparentRoof = 0x0400,
};

struct TerrainEntry {
  uint16_t flags = 0;
  uint8_t next = 0;      // the floor image this one turns into
  uint8_t reserved = 0;  // kept as read, never used
};

struct MonsterStart {
  uint8_t x = 0;
  uint8_t y = 0;
  uint8_t kind = 0;  // 0 an empty slot; 1 the hero's start
};

// A trigger-and-effect rule on a tile: 44 bytes in the file. What the fields
// do belongs to the specials module; here they are only kept.
struct Special {
  uint16_t trigger = 0;  // 0 an empty slot
  uint8_t trigValue = 0;
  uint8_t effect = 0;
  uint8_t x = 0;
  uint8_t y = 0;
  uint8_t targetX = 0;
  uint8_t targetY = 0;
  int32_t value = 0;
  char msg[32] = {};
};

enum MapFlag : uint8_t {
  kMapSnow = 0x01,
  kMapBoss = 0x02,
  kMapSecret = 0x04,
  kMapLit = 0x08,
};

enum SizeClass : uint8_t { kSizeSmall = 0, kSizeMedium = 1, kSizeLarge = 2 };

constexpr int kMaxMaps = 24;
constexpr int kMonsterStarts = 128;
constexpr int kSpecialSlots = 32;
constexpr int kTerrainEntries = 200;
constexpr int kFloorImages = 200;
constexpr size_t kMapHeaderBytes = 1834;
constexpr size_t kSpecialBytes = 44;
// Map count, the 400 tile images of 768 bytes, the terrain table.
constexpr size_t kWorldHeaderBytes = 1 + 400 * 768 + kTerrainEntries * 4;

struct Map {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<Tile> tiles;  // width * height, row-major
  // Written as 32 raw bytes: whatever follows the NUL is kept and saved.
  char name[32] = {};
  uint8_t song = 0;
  uint8_t flags = 0;
  std::array<MonsterStart, kMonsterStarts> monsters{};
  std::array<Special, kSpecialSlots> specials{};
};

struct World {
  uint8_t mapCount = 0;
  std::array<std::unique_ptr<Map>, kMaxMaps> maps;  // 0 .. mapCount-1 used
  std::array<TerrainEntry, kTerrainEntries> terrain{};
};

// Tiles across (and down) for a size class; 0 for an unknown class.
int32_t MapSizeForClass(uint8_t sizeClass);
// A map side the file may hold: 20, 64 or 128.
bool IsMapSize(int32_t size);
// Bytes of one map block in the file.
size_t MapBlockBytes(int32_t width, int32_t height);

// Creates map 0 as a fresh small map ("H0BbIN MNP") after cutting the tile
// images out of "graphics\basicTiles.bmp" (shown on the display on the way).
void NewWorld(World& world, Display* display);
// Cuts the 400 tile images out of a 640x480 screen of stride 640.
void CutTiles(const uint8_t* screen);
// Reads a world file of the current folder. On any failure (missing file,
// a map count of 0 or above 24, a map side that is not 20, 64 or 128 or is
// not square, a short file) it returns false and the world and the tile
// images are left as they were.
bool LoadWorld(World& world, const char* fileName);
// Writes the world to the user folder (atomically); false when it cannot.
bool SaveWorld(const World& world, const char* fileName);
// The whole file image of a world, and its parse; LoadWorld and SaveWorld
// are these plus the file. ParseWorld commits nothing unless it succeeds.
std::vector<uint8_t> WorldBytes(const World& world);
bool ParseWorld(World& world, const uint8_t* data, size_t size);

// One map block. ReadMap leaves the map untouched when it returns false.
bool ReadMap(Map& map, ByteReader& in);
void WriteMap(const Map& map, ByteWriter& out);

// A fresh map of the size class: zeroed tiles whose floors are a random
// speckle of images 0 and 1, song 2, no flags, no monsters, no specials.
void NewMap(Map& map, uint8_t sizeClass, const char* name);
void CopyMap(Map& dst, const Map& src);
// Frees every map of the world.
void FreeWorld(World& world);
// Frees the map's tiles.
void FreeMap(Map& map);

inline bool OnMap(const Map& map, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < map.width && y < map.height;
}
// The tile at (x, y); the caller checks OnMap.
inline Tile& MapTile(Map& map, int32_t x, int32_t y) {
  return map
      .tiles[static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(map.width)];
}
inline const Tile& MapTile(const Map& map, int32_t x, int32_t y) {
  return map
      .tiles[static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(map.width)];
}
// The terrain flags of a floor image; floors past the table have none.
inline uint16_t TerrainFlags(const World& world, uint8_t floor) {
  return floor < kTerrainEntries ? world.terrain[floor].flags : 0;
}

}  // namespace torvel
