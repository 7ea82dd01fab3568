#include "world/map_render.h"

#include <algorithm>
#include <cstring>

#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/tiles.h"
#include "world/items.h"
#include "world/world.h"

namespace torvel {

namespace {

struct MapRenderState {
  int32_t world = kNoMapPlace;
  int32_t map = kNoMapPlace;
};

MapRenderState gMapRender;

constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;

// A tile-sized block of black, clipped to the screen.
void FillBlack(Display* display, int32_t x, int32_t y) {
  if (!display || !display->screen) return;
  int32_t x1 = std::max<int32_t>(x, 0);
  int32_t y1 = std::max<int32_t>(y, 0);
  int32_t x2 = std::min<int32_t>(x + kTileWidth, kScreenWidth);
  int32_t y2 = std::min<int32_t>(y + kTileHeight, kScreenHeight);
  if (x1 >= x2 || y1 >= y2) return;
  for (int32_t row = y1; row < y2; ++row) {
    std::memset(display->screen + static_cast<size_t>(row) * display->pitch + x1, 0,
                static_cast<size_t>(x2 - x1));
  }
}

bool TransparentRoof(const World& world, uint8_t roof) {
  return (TerrainFlags(world, roof) & kTerrainTransparentRoof) != 0;
}

void DrawMapTile(const Map& map, const World& world, int32_t c, int32_t r, const MapView& view,
                 uint8_t flags) {
  const Tile& t = MapTile(map, c, r);
  const int8_t l = (flags & kRenderLight) ? t.curLight : 0;
  const int32_t wx = c * kTileWidth;
  const int32_t wy = r * kTileHeight;
  const bool walls = (flags & kRenderWalls) != 0;
  // A wall just below with a solid roof covers this tile's face (or floor).
  bool coveredBelow = false;
  if (r + 1 < map.height) {
    const Tile& below = MapTile(map, c, r + 1);
    coveredBelow = below.wall != 0 && !TransparentRoof(world, below.floor);
  }

  if (flags & kRenderItems) DrawItem(wx + 16, wy + 12, t.item, l);

  if (t.wall != 0 && walls) {
    uint8_t masked = TransparentRoof(world, t.floor) ? kDrawMasked : 0;
    if (coveredBelow) {
      AddTile(wx, wy, t.floor, l, kDrawVisible | kDrawTile | masked);
    } else {
      AddWall(wx, wy, t.wall, t.floor, l, kDrawVisible | kDrawWall | masked);
    }
    return;
  }
  if (walls && coveredBelow) return;
  const int32_t sx = wx - view.left;
  const int32_t sy = wy - view.top;
  // A wall to the right throws its shadow on this floor, walls drawn or not.
  if (c + 1 < map.width && MapTile(map, c + 1, r).wall != 0) {
    DrawTileShaded(sx, sy, t.floor, l);
  } else {
    DrawTileBright(sx, sy, t.floor, l);
  }
}

}  // namespace

void SetMapDrawPlace(int32_t world, int32_t map) {
  gMapRender.world = world;
  gMapRender.map = map;
}

bool WideMapView() {
  return gMapRender.world == 2 && gMapRender.map == 1;
}

MapView MapViewAt(int32_t cx, int32_t cy, bool wide) {
  MapView view;
  view.left = cx - kScreenWidth / 2;
  view.top = cy - kScreenHeight / 2;
  // Division truncates toward zero, also left of and above the map.
  view.firstColumn = view.left / kTileWidth - (wide ? 7 : 1);
  view.firstRow = view.top / kTileHeight - 1;
  view.columns = wide ? 30 : 24;
  view.rows = wide ? 30 : 26;
  return view;
}

void DrawMapLayer(Map* map, World* world, int32_t cx, int32_t cy, uint8_t flags) {
  if (!map || !world) return;
  Display* display = TheDisplay();
  const MapView view = MapViewAt(cx, cy, WideMapView());
  for (int32_t c = view.firstColumn; c < view.firstColumn + view.columns; ++c) {
    for (int32_t r = view.firstRow; r < view.firstRow + view.rows; ++r) {
      if (!OnMap(*map, c, r)) {
        FillBlack(display, c * kTileWidth - view.left, r * kTileHeight - view.top);
        continue;
      }
      DrawMapTile(*map, *world, c, r, view, flags);
    }
  }
}

}  // namespace torvel
