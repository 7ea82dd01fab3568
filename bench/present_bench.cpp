// The cost of turning the 8-bit screen into a 32-bit frame, beside a plain
// copy of a 640x480 32-bit frame (the floor: the conversion cannot beat it).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/frame_convert.h"

namespace {

void BM_PresentConvert(benchmark::State& state) {
  std::vector<uint8_t> screen(640 * 480);
  for (size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<uint8_t>(i * 31);
  uint8_t palette[1024];
  for (int i = 0; i < 1024; ++i) palette[i] = static_cast<uint8_t>(i);
  uint32_t lut[256];
  torvel::BuildPaletteLookup(palette, lut);
  std::vector<uint8_t> frame(640 * 480 * 4);
  for (auto _ : state) {
    torvel::ConvertFrame(screen.data(), 640, 640, 480, lut, frame.data(), 640 * 4);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_PresentConvert);

void BM_FloorCopy32BitFrame(benchmark::State& state) {
  std::vector<uint8_t> src(640 * 480 * 4, 7);
  std::vector<uint8_t> dst(640 * 480 * 4);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), dst.size());
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_FloorCopy32BitFrame);

}  // namespace

