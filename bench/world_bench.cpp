// The map's per-frame and per-tick costs, each beside a floor measured in the
// same run: the least work the same job could be done with.
//   DrawMapLayer (full and wide view)  vs  copying as many tiles to the screen
//   UpdateMapLight on a 128x128 map    vs  one plain pass over its tiles
//   SpreadLight of radius 16           vs  touching its (2r - 1)^2 tiles
#include <benchmark/benchmark.h>

#include <memory>

#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/tiles.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "world/light.h"
#include "world/map_render.h"
#include "world/world.h"

namespace {

using namespace torvel;

// A headless display with tiles, and a lived-in 64x64 map: walls in blocks,
// items on a fifth of the floors, lights varied.
struct Scene {
  Scene() {
    InstallPlatform(&platform);
    display = std::make_unique<Display>("bench", 640, 480, 8, true);
    SetTileDisplay(display.get());
    for (int i = 0; i < kTileBlockBytes; ++i) TileBlock()[i] = static_cast<uint8_t>(i * 13);
    map = MakeMap(64);
    world.terrain[40].flags = kTerrainTransparentRoof;
  }
  ~Scene() {
    ClearDrawList();
    SetTileDisplay(nullptr);
    display.reset();
    InstallPlatform(nullptr);
  }
  static Map MakeMap(int32_t size) {
    Map m;
    m.width = size;
    m.height = size;
    m.tiles.assign(static_cast<size_t>(size * size), Tile{});
    for (int32_t r = 0; r < size; ++r) {
      for (int32_t c = 0; c < size; ++c) {
        Tile& t = MapTile(m, c, r);
        t.floor = static_cast<uint8_t>((c * 7 + r * 3) % 200);
        t.light = static_cast<int8_t>((c + r) % 20 - 10);
        t.curLight = static_cast<int8_t>((c * r) % 30 - 20);
        if ((c / 4 + r / 3) % 5 == 0) t.wall = static_cast<uint8_t>(1 + (c + r) % 50);
        if (t.wall == 0 && (c * 5 + r) % 5 == 0) t.item = static_cast<uint8_t>(50 + (c % 7));
      }
    }
    return m;
  }

  HeadlessPlatform platform;
  std::unique_ptr<Display> display;
  World world;
  Map map;
};

void DrawView(benchmark::State& state, bool wide) {
  Scene scene;
  SetMapDrawPlace(wide ? 2 : 0, 1);
  const int32_t cx = 32 * 32 + 11;
  const int32_t cy = 32 * 24 + 5;
  SetCamera(ToFixed(cx), ToFixed(cy));
  for (auto _ : state) {
    DrawMapLayer(&scene.map, &scene.world, cx, cy, kRenderLight | kRenderWalls | kRenderItems);
    ClearDrawList();
    benchmark::ClobberMemory();
  }
  SetMapDrawPlace(kNoMapPlace, kNoMapPlace);
  state.counters["tiles"] = wide ? 900 : 624;
}

void BM_DrawMapLayer(benchmark::State& state) {
  DrawView(state, false);
}
BENCHMARK(BM_DrawMapLayer);

void BM_DrawMapLayerWide(benchmark::State& state) {
  DrawView(state, true);
}
BENCHMARK(BM_DrawMapLayerWide);

// Floor: the same number of plain tile copies laid over the screen.
void BM_FloorCopyTiles(benchmark::State& state) {
  Scene scene;
  const int tiles = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < tiles; ++i) DrawTile((i % 24) * 32 - 11, (i / 24) % 26 * 24 - 5, i % 200);
    benchmark::ClobberMemory();
  }
  state.counters["tiles"] = tiles;
}
BENCHMARK(BM_FloorCopyTiles)->Arg(624)->Arg(900);

// Two calls make one acting pass; every other pass also animates.
void BM_UpdateMapLight128(benchmark::State& state) {
  World world;
  world.terrain[10] = {kTerrainAnimates, 11, 0};
  Map map = Scene::MakeMap(128);
  InitMapLight();
  for (auto _ : state) {
    UpdateMapLight(map, kLightPlay, world);
    UpdateMapLight(map, kLightPlay, world);
    benchmark::ClobberMemory();
  }
  state.counters["tiles"] = 128 * 128;
}
BENCHMARK(BM_UpdateMapLight128);

// Floor: one pass stepping every current light toward its base light.
void BM_FloorLightPass128(benchmark::State& state) {
  Map map = Scene::MakeMap(128);
  for (auto _ : state) {
    for (Tile& t : map.tiles)
      t.curLight =
          static_cast<int8_t>(t.curLight + (t.curLight < t.light) - (t.curLight > t.light));
    benchmark::ClobberMemory();
  }
  state.counters["tiles"] = 128 * 128;
}
BENCHMARK(BM_FloorLightPass128);

void BM_SpreadLight16(benchmark::State& state) {
  Map map = Scene::MakeMap(64);
  for (auto _ : state) {
    SpreadLight(map, 32, 32, 16, 40, kLightRuleFlash);
    benchmark::ClobberMemory();
  }
  state.counters["tiles"] = 31 * 31;
}
BENCHMARK(BM_SpreadLight16);

// Floor: touching the same 31 x 31 block of tiles once each.
void BM_FloorTouch31x31(benchmark::State& state) {
  Map map = Scene::MakeMap(64);
  for (auto _ : state) {
    for (int32_t y = 17; y < 48; ++y) {
      for (int32_t x = 17; x < 48; ++x) MapTile(map, x, y).mark ^= 1;
    }
    benchmark::ClobberMemory();
  }
  state.counters["tiles"] = 31 * 31;
}
BENCHMARK(BM_FloorTouch31x31);

}  // namespace
