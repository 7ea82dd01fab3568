#include "forge/worlds/level_autotile.h"

#include "forge/tilesets/tile_layout.h"
#include "forge/worlds/level_source.h"

namespace torvel::forge {

namespace {

// Roof piece by the sides that meet other walls (W 1, N 2, E 4, S 8).
constexpr uint8_t kRoofByMask[16] = {188, 187, 185, 194, 186, 189, 193, 197,
                                     184, 192, 190, 198, 191, 195, 196, 199};
// Edge floor by the sides where the ground family lies (entry 0 unused).
constexpr uint8_t kEdgeByMask[16] = {0, 18, 19, 27, 20, 34, 28, 30, 17, 25, 33, 31, 26, 29, 32, 35};
constexpr int kFirstRoofPiece = 184;
constexpr int kFirstRoofPiece2 = tile::kRoof2First;

bool GroundFamily(uint8_t floor) {
  return floor >= 5 && floor <= 16;
}
bool Outside(uint8_t floor) {
  return floor <= 4 || (floor >= 17 && floor <= 35);
}

// A small generator of the forge's own: the game's Random must not move.
struct Roll {
  uint32_t state;
  uint32_t Next(uint32_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % n;
  }
};

// The shore piece of a tile by the sides (W 1, N 2, E 4, S 8) and, with no
// side, the corners where the liquid lies; -1 when no piece fits (liquid on
// opposite sides).
int BankPiece(int sides, bool ne, bool se, bool sw, bool nw) {
  switch (sides) {
    case 2:
      return 0;  // north
    case 4:
      return 1;  // east
    case 8:
      return 2;  // south
    case 1:
      return 3;  // west
    case 6:
      return 4;  // north and east
    case 12:
      return 5;  // south and east
    case 9:
      return 6;  // south and west
    case 3:
      return 7;  // north and west
    case 0:
      if (ne) return 8;
      if (se) return 9;
      if (sw) return 10;
      if (nw) return 11;
      return -1;
    default:
      return -1;
  }
}

void Banks(Map& map, const std::array<TerrainEntry, kTerrainEntries>& terrain) {
  const Map before = map;
  auto liquidAt = [&](int32_t x, int32_t y, uint16_t flag) {
    return OnMap(before, x, y) && MapTile(before, x, y).wall == 0 &&
           (terrain[MapTile(before, x, y).floor].flags & flag) != 0;
  };
  for (int32_t y = 0; y < map.height; ++y) {
    for (int32_t x = 0; x < map.width; ++x) {
      Tile& t = MapTile(map, x, y);
      if (t.wall || t.floor > 4) continue;
      for (auto [flag, first] : {std::pair<uint16_t, int>{kTerrainWater, tile::kWaterBankFirst},
                                 std::pair<uint16_t, int>{kTerrainLava, tile::kLavaBankFirst}}) {
        int sides = (liquidAt(x - 1, y, flag) ? 1 : 0) | (liquidAt(x, y - 1, flag) ? 2 : 0) |
                    (liquidAt(x + 1, y, flag) ? 4 : 0) | (liquidAt(x, y + 1, flag) ? 8 : 0);
        int piece = BankPiece(sides, liquidAt(x + 1, y - 1, flag), liquidAt(x + 1, y + 1, flag),
                              liquidAt(x - 1, y + 1, flag), liquidAt(x - 1, y - 1, flag));
        if (piece >= 0) {
          t.floor = static_cast<uint8_t>(first + piece);
          break;
        }
      }
    }
  }
}

}  // namespace

void AutotileMap(Map& map, uint8_t steps, uint32_t seed,
                 const std::array<TerrainEntry, kTerrainEntries>& terrain) {
  Roll roll{seed * 2654435761u + 12345u};
  const int32_t w = map.width, h = map.height;
  auto wallAt = [&](int32_t x, int32_t y) {
    return !OnMap(map, x, y) || MapTile(map, x, y).wall != 0;
  };
  auto familyAt = [&](int32_t x, int32_t y) {
    return OnMap(map, x, y) && GroundFamily(MapTile(map, x, y).floor);
  };
  for (int32_t x = 0; x < w; ++x) {
    for (int32_t y = 0; y < h; ++y) {
      Tile& t = MapTile(map, x, y);
      const bool roof1 = t.floor >= kFirstRoofPiece;
      const bool roof2 = t.floor >= kFirstRoofPiece2 && t.floor < kFirstRoofPiece2 + 16;
      if ((steps & kAutotileRoofs) && t.wall != 0 && (roof1 || roof2)) {
        int mask = (wallAt(x - 1, y) ? 1 : 0) | (wallAt(x, y - 1) ? 2 : 0) |
                   (wallAt(x + 1, y) ? 4 : 0) | (wallAt(x, y + 1) ? 8 : 0);
        t.floor = kRoofByMask[mask];
        if (roof2) t.floor = static_cast<uint8_t>(t.floor - kFirstRoofPiece + kFirstRoofPiece2);
        // A plain wall above the ground family gets the face whose foot meets it.
        // (The second material's plain face has its footed face too.)
        if (y < h - 1 && GroundFamily(MapTile(map, x, y + 1).floor)) {
          if (t.wall == 1) t.wall = 2;
          if (t.wall == tile::kFace2 - 199) t.wall = tile::kFace2OnFamily - 199;
        }
      }
      if ((steps & kAutotileGround) && GroundFamily(t.floor)) {
        t.floor = static_cast<uint8_t>(roll.Next(6) < 5 ? 5 + roll.Next(4) : 9 + roll.Next(8));
      }
      if ((steps & kAutotileEdges) && Outside(t.floor)) {
        int mask = (familyAt(x - 1, y) ? 1 : 0) | (familyAt(x, y - 1) ? 2 : 0) |
                   (familyAt(x + 1, y) ? 4 : 0) | (familyAt(x, y + 1) ? 8 : 0);
        if (mask != 0) {
          t.floor = kEdgeByMask[mask];
        } else {
          if (familyAt(x - 1, y - 1)) t.floor = 24;
          if (familyAt(x - 1, y + 1)) t.floor = 22;
          if (familyAt(x + 1, y - 1)) t.floor = 23;
          if (familyAt(x + 1, y + 1)) t.floor = 21;
        }
      }
    }
  }
  if (steps & kAutotileBanks) Banks(map, terrain);
}

}  // namespace torvel::forge
