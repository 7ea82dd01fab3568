#include "forge/worlds/level_autotile.h"

#include "forge/worlds/level_source.h"

namespace torvel::forge {

namespace {

// Roof piece by the sides that meet other walls (W 1, N 2, E 4, S 8).
constexpr uint8_t kRoofByMask[16] = {188, 187, 185, 194, 186, 189, 193, 197,
                                     184, 192, 190, 198, 191, 195, 196, 199};
// Edge floor by the sides where the ground family lies (entry 0 unused).
constexpr uint8_t kEdgeByMask[16] = {0, 18, 19, 27, 20, 34, 28, 30, 17, 25, 33, 31, 26, 29, 32, 35};
constexpr int kFirstRoofPiece = 184;

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

}  // namespace

void AutotileMap(Map& map, uint8_t steps, uint32_t seed) {
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
      if ((steps & kAutotileRoofs) && t.wall != 0 && t.floor >= kFirstRoofPiece) {
        int mask = (wallAt(x - 1, y) ? 1 : 0) | (wallAt(x, y - 1) ? 2 : 0) |
                   (wallAt(x + 1, y) ? 4 : 0) | (wallAt(x, y + 1) ? 8 : 0);
        t.floor = kRoofByMask[mask];
        // A plain wall above the ground family gets the face whose foot meets it.
        if (y < h - 1 && GroundFamily(MapTile(map, x, y + 1).floor) && t.wall == 1) t.wall = 2;
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
}

}  // namespace torvel::forge
