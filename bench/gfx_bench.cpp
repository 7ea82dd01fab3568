// The graphics core's per-frame costs, each beside its floor: the plain copy
// of the same number of pixels, which no drawing routine can beat.
//   - a frame of 800 queued 32x32 sprites in mixed modes (sorted, drawn, cleared)
//   - a full screen of tiles, brightened
//   - decoding one 320x240 movie frame, byte run and word delta
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/flc_writer.h"
#include "gfx/font.h"
#include "gfx/movie.h"
#include "gfx/sprites.h"
#include "gfx/tiles.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace {

using namespace torvel;

// One headless display for the whole run.
Display* BenchDisplay() {
  static std::unique_ptr<HeadlessPlatform> platform = [] {
    auto p = std::make_unique<HeadlessPlatform>();
    InstallPlatform(p.get());
    return p;
  }();
  static Display display("TORVEL", 640, 480, 8, true);
  static bool ready = [] {
    InitGraphics(&display);
    SetTileDisplay(&display);
    return true;
  }();
  (void)ready;
  return &display;
}

uint32_t Next(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

// A 32x32 sprite shaped like a creature: a round body with a clear border.
Sprite Creature(uint8_t ramp) {
  std::vector<uint8_t> pixels(32 * 32, 0xFF);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 15 * 15)
        pixels[y * 32 + x] = static_cast<uint8_t>(ramp * 32 + (x + y) % 32);
  return EncodeSprite(pixels.data(), 32, 32, 32, 0xFF, 16, 32);
}

void BM_DrawList800Sprites(benchmark::State& state) {
  Display* display = BenchDisplay();
  std::vector<Sprite> sprites;
  for (int i = 0; i < 8; ++i) sprites.push_back(Creature(static_cast<uint8_t>(i)));
  SetCamera(ToFixed(320), ToFixed(240));
  const uint8_t modes[] = {kDrawVisible, kDrawVisible | kDrawShadow, kDrawVisible | kDrawGlow,
                           kDrawVisible | kDrawGhost, kDrawVisible};
  struct Item {
    int32_t x, y;
    uint8_t colour, flags;
  };
  std::vector<Item> items;
  uint32_t seed = 1;
  for (int i = 0; i < kDrawListSize; ++i) {
    items.push_back({static_cast<int32_t>(Next(seed) % 640), static_cast<int32_t>(Next(seed) % 480),
                     static_cast<uint8_t>(i % 3 == 0 ? 255 : i % 8), modes[i % 5]});
  }
  for (auto _ : state) {
    for (size_t i = 0; i < items.size(); ++i) {
      const Item& it = items[i];
      AddToDrawList(it.x, it.y, 0, it.colour, 2, &sprites[i % 8], it.flags);
    }
    RenderWorld(nullptr, nullptr, 7);
    benchmark::DoNotOptimize(display->screen);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kDrawListSize);
}
BENCHMARK(BM_DrawList800Sprites);

// Floor: copying 800 solid 32x32 blocks to the same places.
void BM_DrawList800SpritesFloor(benchmark::State& state) {
  Display* display = BenchDisplay();
  std::vector<uint8_t> block(32 * 32, 0x25);
  std::vector<std::pair<int, int>> at;
  uint32_t seed = 1;
  for (int i = 0; i < kDrawListSize; ++i)
    at.emplace_back(Next(seed) % (640 - 32), Next(seed) % (480 - 32));
  for (auto _ : state) {
    for (auto [x, y] : at)
      for (int r = 0; r < 32; ++r)
        std::memcpy(display->screen + (y + r) * 640 + x, block.data() + r * 32, 32);
    benchmark::DoNotOptimize(display->screen);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kDrawListSize);
}
BENCHMARK(BM_DrawList800SpritesFloor);

void BM_FullScreenOfTiles(benchmark::State& state) {
  Display* display = BenchDisplay();
  std::vector<uint8_t> picture(640 * 480);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7);
  TilesFromPicture(picture.data());
  for (auto _ : state) {
    // 21 x 21 tiles at an offset, as a scrolled map draws them (the edges clipped).
    for (int r = 0; r < 21; ++r)
      for (int c = 0; c < 21; ++c) DrawTileBright(c * 32 - 13, r * 24 - 7, (r * 20 + c) % 400, -3);
    benchmark::DoNotOptimize(display->screen);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_FullScreenOfTiles);

// Floor: copying a whole screen row by row.
void BM_FullScreenOfTilesFloor(benchmark::State& state) {
  Display* display = BenchDisplay();
  std::vector<uint8_t> picture(640 * 480, 3);
  for (auto _ : state) {
    for (int y = 0; y < 480; ++y)
      std::memcpy(display->screen + y * 640, picture.data() + y * 640, 640);
    benchmark::DoNotOptimize(display->screen);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_FullScreenOfTilesFloor);

// Two-frame movie: a first frame, then a second that changes as asked.
std::vector<uint8_t> TwoFrameMovie(bool noise) {
  std::vector<uint8_t> palette(1024, 9);
  std::vector<uint8_t> pixels(320 * 240);
  uint32_t seed = 3;
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = static_cast<uint8_t>((i % 320) / 5 + (i / 320) / 7);
  FlcEncoder encoder;
  encoder.Begin(320, 240, 60);
  encoder.AddFrame(pixels.data(), palette.data());
  if (noise) {
    for (uint8_t& p : pixels) p = static_cast<uint8_t>(Next(seed));
  } else {
    // A moving figure: a third of the lines change in part.
    for (int y = 40; y < 200; ++y)
      for (int x = 60; x < 200; ++x) pixels[y * 320 + x] = static_cast<uint8_t>(x * y);
  }
  encoder.AddFrame(pixels.data(), palette.data());
  return encoder.Finish();
}

void DecodeSecondFrame(benchmark::State& state, bool noise) {
  Display* display = BenchDisplay();
  const std::vector<uint8_t> file = TwoFrameMovie(noise);
  MovieDecoder movie;
  for (auto _ : state) {
    state.PauseTiming();
    movie.OpenBytes(file.data(), file.size(), true);
    movie.DecodeFrame(display);
    state.ResumeTiming();
    if (!movie.DecodeFrame(display)) state.SkipWithError("frame refused");
    benchmark::DoNotOptimize(display->screen);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480);
}

// A full frame of noise comes as a byte run.
void BM_DecodeMovieFrameByteRun(benchmark::State& state) {
  DecodeSecondFrame(state, true);
}
BENCHMARK(BM_DecodeMovieFrameByteRun);

// A partial change comes as a word delta.
void BM_DecodeMovieFrameWordDelta(benchmark::State& state) {
  DecodeSecondFrame(state, false);
}
BENCHMARK(BM_DecodeMovieFrameWordDelta);

// Floor: writing every movie pixel as its 2x2 block from a plain image.
void BM_DecodeMovieFrameFloor(benchmark::State& state) {
  Display* display = BenchDisplay();
  std::vector<uint8_t> pixels(320 * 240, 5);
  for (auto _ : state) {
    for (int y = 0; y < 240; ++y) {
      uint8_t* row = display->screen + 2 * y * 640;
      const uint8_t* src = pixels.data() + y * 320;
      for (int x = 0; x < 320; ++x) row[2 * x] = row[2 * x + 1] = src[x];
      std::memcpy(row + 640, row, 640);
    }
    benchmark::DoNotOptimize(display->screen);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_DecodeMovieFrameFloor);

}  // namespace
