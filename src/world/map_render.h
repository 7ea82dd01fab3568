// Map drawing: the floor layer straight into the screen, the walls, roofs and
// items through the sorted draw list so that they overlap guys correctly.
#pragma once

#include <cstdint>

namespace torvel {

struct Map;
struct World;

// Render flags: 1 use the tiles' current light (else light 0), 2 draw walls,
// 4 draw items. Play passes all three; the editor its view toggles.
enum MapRenderFlag : uint8_t {
  kRenderLight = 1,
  kRenderWalls = 2,
  kRenderItems = 4,
};

// Draws the floor layer around the view centre (cx, cy) in world pixels
// straight into the screen and queues walls, roofs and items on the draw list.
// Tiles outside the map are black.
void DrawMapLayer(Map* map, World* world, int32_t cx, int32_t cy, uint8_t flags);

// Which world and map number are being played (-1 for none, as in the
// editor). Map 1 of world 2 visits a wider block of tiles: six more columns
// on the left, and 30 rows instead of 26, so that walls and items standing
// further out still get queued.
constexpr int32_t kNoMapPlace = -1;
void SetMapDrawPlace(int32_t world, int32_t map);
bool WideMapView();

// The columns and rows a view visits: columns outer, rows inner.
struct MapView {
  int32_t left = 0;  // the screen's top-left corner in world pixels
  int32_t top = 0;
  int32_t firstColumn = 0;
  int32_t firstRow = 0;
  int32_t columns = 0;
  int32_t rows = 0;
};
MapView MapViewAt(int32_t cx, int32_t cy, bool wide);

}  // namespace torvel
