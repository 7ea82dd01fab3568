#include "forge/tilesets/tileset_scene.h"

#include <cmath>

#include "forge/paint/noise.h"
#include "forge/paint/paint_math.h"

namespace torvel::forge {

namespace {

constexpr int kSize = 20;

struct Cell {
  int floor = 0;
  int wall = 0;
};

struct Scene {
  Cell cells[kSize][kSize];
  Cell& At(int x, int y) { return cells[y][x]; }
  bool In(int x, int y) const { return x >= 0 && y >= 0 && x < kSize && y < kSize; }
  bool Wall(int x, int y) const { return In(x, y) && cells[y][x].wall; }
  bool Family(int x, int y) const {
    return In(x, y) && cells[y][x].floor >= tile::kFamilyFirst &&
           cells[y][x].floor <= tile::kFamilyLast;
  }
  bool Water(int x, int y) const {
    return In(x, y) && cells[y][x].floor >= tile::kWaterFirst &&
           cells[y][x].floor < tile::kWaterFirst + 4;
  }
};

// The editor's auto-tile, on the sample map: roofs by wall neighbours,
// faces meeting the path, path pieces re-rolled, edges by path neighbours.
void AutoTile(Scene& s, Rng& rng) {
  for (int x = 0; x < kSize; ++x) {
    for (int y = 0; y < kSize; ++y) {
      Cell& c = s.At(x, y);
      if (c.wall && c.floor >= tile::kAutoRoofFirst) {
        int mask = (x == 0 || s.Wall(x - 1, y)) * 1 + (y == 0 || s.Wall(x, y - 1)) * 2 +
                   (x == kSize - 1 || s.Wall(x + 1, y)) * 4 +
                   (y == kSize - 1 || s.Wall(x, y + 1)) * 8;
        c.floor = kAutoRoofs[mask];
        if (y < kSize - 1 && s.Family(x, y + 1) && c.wall == 1) c.wall = 2;
      }
      if (c.floor >= tile::kRoof2First && c.floor < tile::kRoof2First + 16 && c.wall) {
        int mask = (x == 0 || s.Wall(x - 1, y)) * 1 + (y == 0 || s.Wall(x, y - 1)) * 2 +
                   (x == kSize - 1 || s.Wall(x + 1, y)) * 4 +
                   (y == kSize - 1 || s.Wall(x, y + 1)) * 8;
        c.floor = tile::kRoof2First + (kAutoRoofs[mask] - tile::kAutoRoofFirst);
      }
      if (s.Family(x, y)) {
        c.floor = rng.Below(6) ? tile::kFamilyFirst + rng.Below(4)
                               : tile::kFamilyCommonLast + 1 + rng.Below(8);
      }
      if (!c.wall &&
          (c.floor <= 4 || (c.floor >= tile::kEdgeFirst && c.floor <= tile::kEdgeLast))) {
        int mask = s.Family(x - 1, y) * 1 + s.Family(x, y - 1) * 2 + s.Family(x + 1, y) * 4 +
                   s.Family(x, y + 1) * 8;
        if (mask) {
          c.floor = kAutoEdges[mask];
        } else {
          if (s.Family(x - 1, y - 1)) c.floor = kCornerNorthWest;
          if (s.Family(x - 1, y + 1)) c.floor = kCornerSouthWest;
          if (s.Family(x + 1, y - 1)) c.floor = kCornerNorthEast;
          if (s.Family(x + 1, y + 1)) c.floor = kCornerSouthEast;
        }
      }
    }
  }
}

// Land next to water gets the bank piece for where the water lies.
void Banks(Scene& s) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      Cell& c = s.At(x, y);
      if (c.wall || s.Water(x, y) || c.floor > 4) continue;
      bool n = s.Water(x, y - 1), e = s.Water(x + 1, y), so = s.Water(x, y + 1),
           w = s.Water(x - 1, y);
      int piece = -1;
      if (n && e)
        piece = 4;
      else if (so && e)
        piece = 5;
      else if (so && w)
        piece = 6;
      else if (n && w)
        piece = 7;
      else if (n)
        piece = 0;
      else if (e)
        piece = 1;
      else if (so)
        piece = 2;
      else if (w)
        piece = 3;
      else if (s.Water(x + 1, y - 1))
        piece = 8;
      else if (s.Water(x + 1, y + 1))
        piece = 9;
      else if (s.Water(x - 1, y + 1))
        piece = 10;
      else if (s.Water(x - 1, y - 1))
        piece = 11;
      if (piece >= 0) c.floor = tile::kWaterBankFirst + piece;
    }
  }
}

Scene BuildScene() {
  Scene s;
  Rng rng(4242);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) s.At(x, y).floor = rng.Below(2);
  // A winding path and a small square.
  for (int x = 0; x < kSize; ++x) {
    int py = 11 + static_cast<int>(std::floor(2.2 * Sin(x * 0.45)));
    for (int y = py; y <= py + 1; ++y) s.At(x, y).floor = tile::kFamilyFirst;
  }
  for (int y = 3; y <= 6; ++y)
    for (int x = 9; x <= 12; ++x) s.At(x, y).floor = tile::kFamilyFirst;
  for (int y = 7; y <= 9; ++y) s.At(10, y).floor = tile::kFamilyFirst;
  // A walled block with the auto-tile's roof, and a house.
  for (int y = 1; y <= 4; ++y)
    for (int x = 2; x <= 6; ++x) s.At(x, y) = {tile::kAutoRoofFirst, 1};
  s.At(4, 4).wall = 1 + tile::kFaceWindow - tile::kFace;
  for (int y = 2; y <= 4; ++y)
    for (int x = 14; x <= 17; ++x) s.At(x, y) = {tile::kRoof2First, 1 + tile::kFace2 - tile::kFace};
  s.At(15, 4).wall = 1 + tile::kFace2Door - tile::kFace;
  s.At(16, 4).wall = 1 + tile::kFace2Window - tile::kFace;
  s.At(15, 5).floor = tile::kFamilyFirst;
  // A pond with a bridge across.
  for (int y = 14; y <= 18; ++y)
    for (int x = 3; x <= 9; ++x) {
      double dx = (x - 6) / 3.6, dy = (y - 16) / 2.4;
      if (dx * dx + dy * dy <= 1.05) s.At(x, y).floor = tile::kWaterFirst + (x + y) % 4;
    }
  // Trees, a pillar and a fence.
  const int trees[][2] = {{1, 7}, {17, 8}, {13, 16}, {18, 17}, {8, 8}};
  for (const auto& t : trees)
    s.At(t[0], t[1]) = {t[0] % 2 ? tile::kCanopy : tile::kCanopy2,
                        1 + tile::kFaceTrunk - tile::kFace};
  s.At(12, 8) = {tile::kPillarTop, 1 + tile::kFacePillar - tile::kFace};
  for (int x = 14; x <= 16; ++x)
    s.At(x, 17) = {tile::kFenceTop, 1 + tile::kFaceFence - tile::kFace};
  // The special floors in a row.
  const int specials[] = {tile::kPatternLit, tile::kPatternDark, tile::kPatternLit,
                          tile::kLever,      tile::kPlate,       tile::kCycleFirst,
                          tile::kIceFirst,   tile::kMudFirst};
  for (int k = 0; k < 8; ++k) s.At(11 + k, 19).floor = specials[k];
  s.At(17, 12) = {tile::kBlockTop, 1 + tile::kFaceBlock - tile::kFace};
  s.At(18, 12).floor = tile::kBlockSocket;
  AutoTile(s, rng);
  Banks(s);
  return s;
}

void Blit(std::vector<uint8_t>& out, const std::vector<uint8_t>& tiles, int tile, int sx, int sy,
          int darkenFrom, bool masked) {
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 32; ++x) {
      int px = sx + x, py = sy + y;
      if (px < 0 || py < 0 || px >= 640 || py >= 480) continue;
      uint8_t v = tiles[static_cast<size_t>(24 * (tile / 20) + y) * 640 + 32 * (tile % 20) + x];
      if (masked && v == 0) continue;
      if (x >= darkenFrom)
        v = static_cast<uint8_t>((v & 0xE0) | ((v & 31) >= 4 ? (v & 31) - 4 : 0));
      out[static_cast<size_t>(py) * 640 + px] = v;
    }
  }
}

}  // namespace

std::vector<uint8_t> RenderTilesetScene(const std::vector<uint8_t>& tiles,
                                        const TerrainTable& terrain) {
  Scene s = BuildScene();
  std::vector<uint8_t> out(640 * 480, 0);
  auto seeThrough = [&](int floor) {
    return (terrain[floor].flags & kTerrainTransparentRoof) != 0;
  };
  auto coveredFromBelow = [&](int x, int y) {
    return y < kSize - 1 && s.Wall(x, y + 1) && !seeThrough(s.At(x, y + 1).floor);
  };
  // Floors straight onto the screen.
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Cell& c = s.At(x, y);
      if (c.wall || coveredFromBelow(x, y)) continue;
      Blit(out, tiles, c.floor, x * 32, y * 24, s.Wall(x + 1, y) ? 25 : 32, false);
    }
  // Walls and roofs in the order of their rows, as the sorted list draws them.
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Cell& c = s.At(x, y);
      if (!c.wall) continue;
      bool masked = seeThrough(c.floor);
      if (!coveredFromBelow(x, y)) Blit(out, tiles, 199 + c.wall, x * 32, y * 24, 32, false);
      Blit(out, tiles, c.floor, x * 32, y * 24 - 24, 32, masked);
    }
  return out;
}

}  // namespace torvel::forge
