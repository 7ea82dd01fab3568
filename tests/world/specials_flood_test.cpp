// The wall floods of the specials: which region goes, which rises, and that
// a whole large map floods without running out of stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/specials.h"
#include "world/world.h"

namespace torvel {
namespace {

// Tiles drawn as characters: floors by their image, walls by wall and roof.
struct Glyph {
  char c;
  uint8_t floor;
  uint8_t wall;
};
constexpr Glyph kLegend[] = {
    {'.', 1, 0},  // plain floor
    {',', 2, 0},  // another floor
    {'o', 9, 0},  // the floor a zap leaves
    {'#', 7, 5},  // wall 5 under roof 7
    {'%', 8, 5},  // the same wall under another roof
    {'@', 7, 6},  // another wall under roof 7
    {'W', 1, 3},  // wall 3 raised over floor 1
};

Map GridMap(const std::vector<std::string>& rows) {
  Map map;
  map.height = static_cast<int32_t>(rows.size());
  map.width = static_cast<int32_t>(rows[0].size());
  map.tiles.assign(static_cast<size_t>(map.width * map.height), Tile{});
  for (int32_t y = 0; y < map.height; ++y) {
    for (int32_t x = 0; x < map.width; ++x) {
      for (const Glyph& g : kLegend) {
        if (g.c == rows[y][x]) {
          MapTile(map, x, y).floor = g.floor;
          MapTile(map, x, y).wall = g.wall;
        }
      }
    }
  }
  return map;
}

std::vector<std::string> Draw(const Map& map) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < map.height; ++y) {
    std::string row;
    for (int32_t x = 0; x < map.width; ++x) {
      const Tile& t = MapTile(map, x, y);
      char c = '?';
      for (const Glyph& g : kLegend) {
        if (g.floor == t.floor && g.wall == t.wall) c = g.c;
      }
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(ZapWall, RemovesOnlyTheConnectedTilesOfTheSameWallAndRoof) {
  // The region reaches around corners, up and down, left and right; a
  // diagonal neighbour, the same wall under another roof and another wall
  // under the same roof all stay.
  Map map = GridMap({
      "........",
      ".###.#..",
      ".#.#%#..",
      ".###@...",
      "...#...#",
      "..##....",
  });
  ZapWall(map, 1, 1, 9);
  EXPECT_EQ(Draw(map), (std::vector<std::string>{
                           "........",
                           ".ooo.#..",
                           ".o.o%#..",
                           ".ooo@...",
                           "...o...#",
                           "..oo....",
                       }));
}

TEST(ZapWall, StartingBelowTheRegionStillTakesTheTilesAbove) {
  Map map = GridMap({
      "#.#",
      "###",
      "..#",
  });
  ZapWall(map, 2, 2, 9);
  EXPECT_EQ(Draw(map), (std::vector<std::string>{"o.o", "ooo", "..o"}));
}

TEST(ZapWall, DoesNothingWithoutAWallOrOffTheMap) {
  const std::vector<std::string> rows = {"#.#", ".#."};
  for (auto [x, y] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{3, 1}, std::pair{0, 2}}) {
    Map map = GridMap(rows);
    ZapWall(map, x, y, 9);
    EXPECT_EQ(Draw(map), rows) << "at " << x << "," << y;
  }
}

TEST(RaiseWall, FillsTheConnectedTilesOfTheSameFloorAndKeepsItAsRoof) {
  Map map = GridMap({
      "..,..",
      ".#,..",
      "..,.#",
      ",,,..",
      "..#..",
  });
  RaiseWall(map, 0, 0, 3);
  EXPECT_EQ(Draw(map), (std::vector<std::string>{
                           "WW,..",
                           "W#,..",
                           "WW,.#",
                           ",,,..",
                           "..#..",
                       }));
  // The raised wall stands on the old floor image, which is now its roof.
  EXPECT_EQ(MapTile(map, 0, 0).floor, 1);
  EXPECT_EQ(MapTile(map, 0, 0).wall, 3);
}

TEST(RaiseWall, DoesNothingOnAWallWithWallZeroOrOffTheMap) {
  const std::vector<std::string> rows = {"#..", "..."};
  struct Case {
    int32_t x, y;
    uint8_t wall;
  } cases[] = {{0, 0, 3}, {1, 0, 0}, {-1, 0, 3}, {0, 5, 3}};
  for (const Case& c : cases) {
    Map map = GridMap(rows);
    RaiseWall(map, c.x, c.y, c.wall);
    EXPECT_EQ(Draw(map), rows) << "at " << c.x << "," << c.y << " wall " << int{c.wall};
  }
}

// A serpentine of floor through a wall-filled 128 x 128 map: one region of
// every floor tile, a path 8000 tiles long, which a flood that recursed
// along it would not survive.
Map Serpentine() {
  std::vector<std::string> rows(128, std::string(128, '.'));
  for (int32_t y = 1; y < 128; y += 2) {
    rows[y] = std::string(128, '#');
    rows[y][(y / 2) % 2 == 0 ? 127 : 0] = '.';
  }
  return GridMap(rows);
}

TEST(WallFloods, CoverAWholeLargeMap) {
  Map map = Serpentine();
  size_t floors = 0;
  for (const Tile& t : map.tiles) floors += t.wall == 0;
  RaiseWall(map, 0, 0, 3);
  for (const Tile& t : map.tiles) ASSERT_NE(t.wall, 0);

  // Every tile now carries a wall; the serpentine's new walls (wall 3, roof
  // 1) are one region again, apart from the old ones (wall 5, roof 7).
  ZapWall(map, 127, 126, 9);
  size_t zapped = 0;
  for (const Tile& t : map.tiles) zapped += t.wall == 0;
  EXPECT_EQ(zapped, floors);
  EXPECT_EQ(MapTile(map, 0, 0).floor, 9);
  EXPECT_EQ(MapTile(map, 5, 1).wall, 5);
}

}  // namespace
}  // namespace torvel
