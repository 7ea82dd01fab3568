#include "world/world.h"

#include <algorithm>
#include <cstring>

#include "actors/kinds.h"
#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/tiles.h"
#include "platform/paths.h"
#include "platform/random.h"

namespace torvel {

namespace {

constexpr char kFirstMapName[] = "H0BbIN MNP";
constexpr size_t kTileBytes = static_cast<size_t>(kTileBlockBytes);

// The largest file a world can be: 24 large maps. Anything after the last
// map block is ignored, as the format has no length of its own; the cap only
// keeps a hostile file from making us read without limit.
constexpr size_t kMaxWorldFileBytes = 64u * 1024u * 1024u;

void ReadSpecial(ByteReader& in, Special& s) {
  s.trigger = in.U16();
  s.trigValue = in.U8();
  s.effect = in.U8();
  s.x = in.U8();
  s.y = in.U8();
  s.targetX = in.U8();
  s.targetY = in.U8();
  s.value = in.I32();
  in.Bytes(s.msg, sizeof(s.msg));
}

void WriteSpecial(ByteWriter& out, const Special& s) {
  out.U16(s.trigger);
  out.U8(s.trigValue);
  out.U8(s.effect);
  out.U8(s.x);
  out.U8(s.y);
  out.U8(s.targetX);
  out.U8(s.targetY);
  out.I32(s.value);
  out.Bytes(s.msg, sizeof(s.msg));
}

}  // namespace

int32_t MapSizeForClass(uint8_t sizeClass) {
  switch (sizeClass) {
    case kSizeSmall:
      return 20;
    case kSizeMedium:
      return 64;
    case kSizeLarge:
      return 128;
    default:
      return 0;
  }
}

bool IsMapSize(int32_t size) {
  return size == 20 || size == 64 || size == 128;
}

size_t MapBlockBytes(int32_t width, int32_t height) {
  return kMapHeaderBytes + 6u * static_cast<size_t>(width) * static_cast<size_t>(height);
}

void CutTiles(const uint8_t* screen) {
  TilesFromPicture(screen);
}

void NewWorld(World& world, Display* display) {
  if (display) {
    display->LoadBmp("graphics\\basicTiles.bmp");
    CutTiles(display->GetScreen());
  }
  FreeWorld(world);
  world.mapCount = 1;
  world.terrain.fill(TerrainEntry{});
  world.maps[0] = std::make_unique<Map>();
  NewMap(*world.maps[0], kSizeSmall, kFirstMapName);
}

bool ReadMap(Map& map, ByteReader& in) {
  Map read;
  read.width = in.I32();
  read.height = in.I32();
  in.Bytes(read.name, sizeof(read.name));
  for (MonsterStart& m : read.monsters) {
    m.x = in.U8();
    m.y = in.U8();
    m.kind = in.U8();
    // A kind the game has no creature for (60 and up) would have nothing to
    // draw it with: the start is dropped, and the slot reads as empty.
    if (m.kind >= kKindCount) m = MonsterStart{};
  }
  for (Special& s : read.specials) ReadSpecial(in, s);
  read.song = in.U8();
  read.flags = in.U8();
  if (!in.ok()) return false;
  if (!IsMapSize(read.width) || read.height != read.width) return false;
  size_t count = static_cast<size_t>(read.width) * static_cast<size_t>(read.height);
  if (in.Remaining() < count * 6) return false;
  read.tiles.resize(count);
  for (Tile& t : read.tiles) {
    t.floor = in.U8();
    t.wall = in.U8();
    t.item = in.U8();
    t.light = in.I8();
    t.curLight = in.I8();
    t.mark = in.U8();
  }
  if (!in.ok()) return false;
  map = std::move(read);
  return true;
}

void WriteMap(const Map& map, ByteWriter& out) {
  out.I32(map.width);
  out.I32(map.height);
  out.Bytes(map.name, sizeof(map.name));
  for (const MonsterStart& m : map.monsters) {
    out.U8(m.x);
    out.U8(m.y);
    out.U8(m.kind);
  }
  for (const Special& s : map.specials) WriteSpecial(out, s);
  out.U8(map.song);
  out.U8(map.flags);
  for (const Tile& t : map.tiles) {
    out.U8(t.floor);
    out.U8(t.wall);
    out.U8(t.item);
    out.I8(t.light);
    out.I8(t.curLight);
    out.U8(t.mark);
  }
}

bool ParseWorld(World& world, const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  uint8_t mapCount = in.U8();
  if (!in.ok() || mapCount == 0 || mapCount > kMaxMaps) return false;
  if (in.Remaining() < kTileBytes) return false;
  const uint8_t* tileImages = in.Here();
  in.Skip(kTileBytes);
  std::array<TerrainEntry, kTerrainEntries> terrain{};
  for (TerrainEntry& e : terrain) {
    e.flags = in.U16();
    e.next = in.U8();
    e.reserved = in.U8();
  }
  if (!in.ok()) return false;
  std::array<std::unique_ptr<Map>, kMaxMaps> maps;
  for (int i = 0; i < mapCount; ++i) {
    maps[i] = std::make_unique<Map>();
    if (!ReadMap(*maps[i], in)) return false;
  }
  // Everything read: only now does the world (and the tile block) change.
  std::memcpy(TileBlock(), tileImages, kTileBytes);
  world.mapCount = mapCount;
  world.terrain = terrain;
  world.maps = std::move(maps);
  return true;
}

std::vector<uint8_t> WorldBytes(const World& world) {
  ByteWriter out;
  out.U8(world.mapCount);
  out.Bytes(TileBlock(), kTileBytes);
  for (const TerrainEntry& e : world.terrain) {
    out.U16(e.flags);
    out.U8(e.next);
    out.U8(e.reserved);
  }
  for (int i = 0; i < world.mapCount && i < kMaxMaps; ++i) {
    // A missing map would shift every later block; write an empty small one.
    if (world.maps[i]) {
      WriteMap(*world.maps[i], out);
    } else {
      Map blank;
      blank.width = blank.height = 20;
      blank.tiles.resize(20 * 20);
      blank.song = 2;
      WriteMap(blank, out);
    }
  }
  return std::move(out.bytes());
}

bool LoadWorld(World& world, const char* fileName) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(ReadPath(fileName), bytes, kMaxWorldFileBytes)) return false;
  return ParseWorld(world, bytes.data(), bytes.size());
}

bool SaveWorld(const World& world, const char* fileName) {
  return WriteFileAtomic(UserPath(fileName), WorldBytes(world));
}

void NewMap(Map& map, uint8_t sizeClass, const char* name) {
  int32_t size = MapSizeForClass(sizeClass);
  map.width = size;
  map.height = size;
  std::memset(map.name, 0, sizeof(map.name));
  if (name) std::strncpy(map.name, name, sizeof(map.name) - 1);
  map.tiles.assign(static_cast<size_t>(size) * static_cast<size_t>(size), Tile{});
  map.song = 2;
  map.flags = 0;
  map.monsters.fill(MonsterStart{});
  map.specials.fill(Special{});
  for (Tile& t : map.tiles) t.floor = static_cast<uint8_t>(Random(2));
}

void CopyMap(Map& dst, const Map& src) {
  if (&dst != &src) dst = src;
}

void FreeWorld(World& world) {
  for (auto& map : world.maps) map.reset();
}

void FreeMap(Map& map) {
  // No tiles, no size: tile access on a freed map finds nothing on it.
  map.tiles.clear();
  map.tiles.shrink_to_fit();
  map.width = 0;
  map.height = 0;
}

}  // namespace torvel
