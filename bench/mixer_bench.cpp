// The cost of one audio callback's mix with every channel busy (15 effects
// and a song, some panned, some gliding to a new volume), beside the time the
// callback has before the sound card runs dry (the ceiling it must stay far
// below), and beside a plain clear of the same buffer (the floor).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "audio/mixer.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr size_t kFrames = 1024;  // one callback of the SDL device

void BM_MixAllChannels(benchmark::State& state) {
  torvel::Mixer mixer(kRate);
  torvel::WaveFormat format;
  format.channels = 1;
  format.bitsPerSample = 16;
  format.samplesPerSec = 22050;
  format.blockAlign = 2;
  format.avgBytesPerSec = 44100;
  std::vector<uint8_t> effect(22050 * 2);
  for (size_t i = 0; i < effect.size(); ++i) effect[i] = static_cast<uint8_t>(i * 7);
  torvel::SoundHandle master = mixer.CreateBuffer(format, effect.data(), effect.size());
  std::vector<torvel::SoundHandle> voices;
  for (int i = 0; i < 16; ++i) {
    torvel::SoundHandle v = mixer.Duplicate(master);
    mixer.SetPan(v, (i - 8) * 1000);
    mixer.Play(v, true);
    voices.push_back(v);
  }
  std::vector<float> out(2 * kFrames);
  int turn = 0;
  for (auto _ : state) {
    // A few volume changes per callback keep the gliding path in the figure.
    mixer.SetVolume(voices[turn % 16], -(turn % 40) * 50);
    ++turn;
    mixer.Mix(out.data(), kFrames);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.counters["budget_ms"] = 1e3 * kFrames / kRate;
  state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_MixAllChannels)->Unit(benchmark::kMicrosecond);

void BM_FloorClearMixBuffer(benchmark::State& state) {
  std::vector<float> out(2 * kFrames);
  for (auto _ : state) {
    std::fill(out.begin(), out.end(), 0.0f);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.counters["budget_ms"] = 1e3 * kFrames / kRate;
  state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_FloorClearMixBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace
