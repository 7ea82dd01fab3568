// The cost of drawing creature frames in the forge, beside the budget that
// keeps every creature set (about 7000 frames) within 20 seconds of one core
// (the forge shares them between two).
#include <benchmark/benchmark.h>

#include <vector>

#include "forge/creatures/creature_sets.h"

namespace {

constexpr double kBudgetSeconds = 20;
constexpr double kFramesInAllSets = 7000;

void RenderSet(benchmark::State& state, int kind) {
  size_t frames = 0;
  for (auto _ : state) {
    std::vector<torvel::forge::SpriteImage> set = torvel::forge::creatures::RenderKindSet(kind);
    frames += set.size();
    benchmark::DoNotOptimize(set.data());
  }
  state.counters["frames"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["budget_frames_per_s"] = kFramesInAllSets / kBudgetSeconds;
}

// A small creature with many frames: the hero, 200 drawn frames.
void BM_RenderHeroSet(benchmark::State& state) {
  RenderSet(state, 1);
}
BENCHMARK(BM_RenderHeroSet)->Unit(benchmark::kMillisecond);

// Every set once, as the forge draws them (on one core here).
void BM_RenderAllCreatureSets(benchmark::State& state) {
  for (auto _ : state) {
    for (int kind = 1; kind < 60; ++kind) {
      if (kind == 37) continue;  // the yetis share one set
      std::vector<torvel::forge::SpriteImage> set =
          torvel::forge::creatures::RenderKindSet(kind, false);
      benchmark::DoNotOptimize(set.data());
    }
    benchmark::DoNotOptimize(torvel::forge::creatures::RenderKindSet(1, true).data());
  }
  state.counters["budget_s"] = kBudgetSeconds;
}
BENCHMARK(BM_RenderAllCreatureSets)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
