#include "world/map_render.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "gfx/draw_list.h"
#include "gfx/ramp.h"
#include "gfx/tiles.h"
#include "support/headless_fixture.h"
#include "world/items.h"
#include "world/world.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

// Every tile image is one flat colour: its own number (floors 0..199 are
// told apart on the screen; wall faces only ever go on the draw list).
class MapRenderTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetTileDisplay(&display());
    for (int t = 0; t < kTileCount; ++t) std::memset(TileBlock() + t * 768, t & 0xFF, 768);
    ClearDrawList();
    SetMapDrawPlace(kNoMapPlace, kNoMapPlace);
  }
  void TearDown() override {
    ClearDrawList();
    SetTileDisplay(nullptr);
    ClearTiles();
    HeadlessTest::TearDown();
  }

  // A size x size map whose floor at (c, r) is 20 + (c * 3 + r * 5) % 150.
  static Map MakeMap(int32_t size) {
    Map map;
    map.width = size;
    map.height = size;
    map.tiles.assign(static_cast<size_t>(size * size), Tile{});
    for (int32_t r = 0; r < size; ++r) {
      for (int32_t c = 0; c < size; ++c) MapTile(map, c, r).floor = Floor(c, r);
    }
    return map;
  }
  static uint8_t Floor(int32_t c, int32_t r) {
    return static_cast<uint8_t>(20 + (c * 3 + r * 5) % 150);
  }

  void Draw(Map& map, int32_t cx, int32_t cy, uint8_t flags) {
    SetCamera(ToFixed(cx), ToFixed(cy));
    DrawMapLayer(&map, &world, cx, cy, flags);
  }

  World world;
};

TEST_F(MapRenderTest, TheViewVisitsItsColumnsAndRowsFromOneLeftAndAbove) {
  const MapView view = MapViewAt(320, 240, false);
  EXPECT_EQ(view.firstColumn, -1);
  EXPECT_EQ(view.firstRow, -1);
  EXPECT_EQ(view.columns, 24);  // -1 .. 22
  EXPECT_EQ(view.rows, 26);     // -1 .. 24
  // Left of and above the map the division still truncates toward zero.
  const MapView off = MapViewAt(100, 50, false);
  EXPECT_EQ(off.firstColumn, -220 / 32 - 1);
  EXPECT_EQ(off.firstColumn, -7);
  EXPECT_EQ(off.firstRow, -8);
  const MapView wide = MapViewAt(1000, 700, true);
  EXPECT_EQ(wide.firstColumn, 680 / 32 - 7);
  EXPECT_EQ(wide.firstRow, 460 / 24 - 1);
  EXPECT_EQ(wide.columns, 30);
  EXPECT_EQ(wide.rows, 30);
}

TEST_F(MapRenderTest, FloorsFillTheScreenAndOffTheMapIsBlack) {
  Map map = MakeMap(20);
  for (auto [cx, cy] : {std::pair{320, 240}, std::pair{100, 50}, std::pair{500, 400}}) {
    std::memset(display().screen, 0xFF, 640 * 480);
    Draw(map, cx, cy, kRenderLight | kRenderWalls | kRenderItems);
    const int32_t left = cx - 320;
    const int32_t top = cy - 240;
    int wrong = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const int32_t wx = x + left;
        const int32_t wy = y + top;
        uint8_t want = 0;
        if (wx >= 0 && wy >= 0 && wx < 20 * 32 && wy < 20 * 24) want = Floor(wx / 32, wy / 24);
        if (Pixel(x, y) != want && ++wrong < 4) {
          ADD_FAILURE() << "view " << cx << "," << cy << " pixel " << x << "," << y << " is "
                        << int(Pixel(x, y)) << " want " << int(want);
        }
      }
    }
    ClearDrawList();
  }
}

// Items on one row and one column of a large map show which tiles a view visits.
std::set<std::pair<int32_t, int32_t>> VisitedByItems(const std::vector<DrawEntry>& entries) {
  std::set<std::pair<int32_t, int32_t>> tiles;
  for (const DrawEntry& e : entries) tiles.insert({(e.x - 16) / 32, (e.y - 12) / 24});
  return tiles;
}

TEST_F(MapRenderTest, ColumnsAndRowsVisitedMatchTheViewNormalAndWide) {
  Map map = MakeMap(128);
  const int32_t row = 40;
  const int32_t column = 50;
  for (int32_t i = 0; i < 128; ++i) {
    MapTile(map, i, row).item = 30;
    MapTile(map, column, i).item = 30;
  }
  const int32_t cx = 50 * 32 + 7;
  const int32_t cy = 40 * 24 + 5;
  for (bool wide : {false, true}) {
    SetMapDrawPlace(wide ? 2 : 1, 1);
    ASSERT_EQ(WideMapView(), wide);
    ClearDrawList();
    Draw(map, cx, cy, kRenderItems);
    const MapView view = MapViewAt(cx, cy, wide);
    std::set<std::pair<int32_t, int32_t>> expected;
    for (int32_t c = view.firstColumn; c < view.firstColumn + view.columns; ++c)
      expected.insert({c, row});
    for (int32_t r = view.firstRow; r < view.firstRow + view.rows; ++r)
      expected.insert({column, r});
    EXPECT_EQ(VisitedByItems(DrawListInOrder()), expected) << "wide " << wide;
  }
  // Only map 1 of world 2 is wide.
  SetMapDrawPlace(2, 0);
  EXPECT_FALSE(WideMapView());
  SetMapDrawPlace(kNoMapPlace, kNoMapPlace);
  EXPECT_FALSE(WideMapView());
}

TEST_F(MapRenderTest, ItemsGoToTheTileCentreWithTheTileLight) {
  Map map = MakeMap(20);
  MapTile(map, 3, 4).item = 30;
  MapTile(map, 3, 4).curLight = -7;
  Draw(map, 320, 240, kRenderLight | kRenderItems);
  std::vector<DrawEntry> entries = DrawListInOrder();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].x, 3 * 32 + 16);
  EXPECT_EQ(entries[0].y, 4 * 24 + 12);
  EXPECT_EQ(entries[0].bright, -7);
  ClearDrawList();
  // Without the light flag every tile is drawn at light 0; without the item
  // flag no item is queued.
  Draw(map, 320, 240, kRenderItems);
  entries = DrawListInOrder();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].bright, 0);
  ClearDrawList();
  Draw(map, 320, 240, kRenderLight);
  EXPECT_TRUE(DrawListInOrder().empty());
}

TEST_F(MapRenderTest, TheTileLightShadesTheFloor) {
  Map map = MakeMap(20);
  MapTile(map, 2, 2).curLight = -4;
  MapTile(map, 3, 2).curLight = -29;
  Draw(map, 320, 240, kRenderLight);
  EXPECT_EQ(Pixel(2 * 32 + 5, 2 * 24 + 5), Brighten(Floor(2, 2), -4));
  EXPECT_EQ(Pixel(3 * 32 + 5, 2 * 24 + 5), 0);
  Draw(map, 320, 240, 0);
  EXPECT_EQ(Pixel(2 * 32 + 5, 2 * 24 + 5), Floor(2, 2));
}

struct WallEntry {
  uint8_t flags;
  int32_t x, y, z;
  uint8_t colour;
  uintptr_t object;
  bool operator==(const WallEntry&) const = default;
};

std::vector<WallEntry> Walls(const std::vector<DrawEntry>& entries) {
  std::vector<WallEntry> out;
  for (const DrawEntry& e : entries) out.push_back({e.flags, e.x, e.y, e.z, e.colour, e.object});
  return out;
}

TEST_F(MapRenderTest, AWallAboveAnotherShowsOnlyItsRoofUnlessThatRoofIsTransparent) {
  Map map = MakeMap(20);
  // A two-tile wall: face 7 over roof 60 at (5, 5), face 8 over roof 61 at (5, 6).
  MapTile(map, 5, 5) = {60, 7, 0, 0, 0, 0};
  MapTile(map, 5, 6) = {61, 8, 0, 0, 0, 0};
  Draw(map, 320, 240, kRenderLight | kRenderWalls);
  EXPECT_EQ(Walls(DrawListInOrder()),
            (std::vector<WallEntry>{{kDrawVisible | kDrawTile, 160, 120, 24, 60, 1},
                                    {kDrawVisible | kDrawWall, 160, 144, 0, 61, 8}}));
  ClearDrawList();

  // See-through roof on the lower wall: the upper wall shows its face too,
  // and the lower one is drawn masked.
  world.terrain[61].flags = kTerrainTransparentRoof;
  Draw(map, 320, 240, kRenderLight | kRenderWalls);
  EXPECT_EQ(Walls(DrawListInOrder()),
            (std::vector<WallEntry>{{kDrawVisible | kDrawWall, 160, 120, 0, 60, 7},
                                    {kDrawVisible | kDrawWall | kDrawMasked, 160, 144, 0, 61, 8}}));
  ClearDrawList();

  // A see-through roof over a covered face is a masked roof tile.
  world.terrain[61].flags = 0;
  world.terrain[60].flags = kTerrainTransparentRoof;
  Draw(map, 320, 240, kRenderLight | kRenderWalls);
  EXPECT_EQ(Walls(DrawListInOrder()),
            (std::vector<WallEntry>{{kDrawVisible | kDrawTile | kDrawMasked, 160, 120, 24, 60, 1},
                                    {kDrawVisible | kDrawWall, 160, 144, 0, 61, 8}}));
}

TEST_F(MapRenderTest, TheFloorAboveASolidRoofIsLeftForTheRoofToCover) {
  Map map = MakeMap(20);
  MapTile(map, 5, 5) = {60, 7, 0, 0, 0, 0};
  std::memset(display().screen, 0xEE, 640 * 480);
  Draw(map, 320, 240, kRenderWalls);
  EXPECT_EQ(Pixel(5 * 32 + 3, 4 * 24 + 3), 0xEE);
  EXPECT_EQ(Pixel(5 * 32 + 3, 5 * 24 + 3), 0xEE);  // the wall tile's floor is not drawn
  ClearDrawList();
  world.terrain[60].flags = kTerrainTransparentRoof;
  Draw(map, 320, 240, kRenderWalls);
  EXPECT_EQ(Pixel(5 * 32 + 3, 4 * 24 + 3), Floor(5, 4));
}

TEST_F(MapRenderTest, WithWallsOffWallTilesShowTheirRoofAsFloorAndStillShadeTheirLeft) {
  Map map = MakeMap(20);
  MapTile(map, 5, 5) = {60, 7, 0, 0, 0, 0};
  std::memset(display().screen, 0xEE, 640 * 480);
  Draw(map, 320, 240, kRenderLight);
  EXPECT_TRUE(DrawListInOrder().empty());
  EXPECT_EQ(Pixel(5 * 32 + 3, 5 * 24 + 3), 60);
  EXPECT_EQ(Pixel(5 * 32 + 3, 4 * 24 + 3), Floor(5, 4));
  // The tile left of the wall has a darker right edge: columns 25..31.
  const int32_t x = 4 * 32;
  const int32_t y = 5 * 24 + 10;
  EXPECT_EQ(Pixel(x + 24, y), Floor(4, 5));
  EXPECT_EQ(Pixel(x + 25, y), Brighten(Floor(4, 5), -4));
  EXPECT_EQ(Pixel(x + 31, y), Brighten(Floor(4, 5), -4));
  // ... and so it has with walls on.
  Draw(map, 320, 240, kRenderLight | kRenderWalls);
  EXPECT_EQ(Pixel(x + 31, y), Brighten(Floor(4, 5), -4));
  // The last column has no right neighbour and no shaded edge.
  MapTile(map, 19, 3).floor = 30;
  Draw(map, 320, 240, kRenderLight);
  EXPECT_EQ(Pixel(19 * 32 + 31, 3 * 24 + 3), 30);
}

}  // namespace
}  // namespace torvel
