// How long the forge takes to make every sound (all effects, cues and songs,
// one after another on one core), beside the ceiling it must stay well under
// so that the whole forge runs in well under a minute, and the real-time
// speed of the music renderer (seconds of song made per second of work).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "forge/sound/sound_bank.h"

namespace {

std::vector<torvel::forge::SoundJob> Jobs() {
  std::vector<torvel::forge::SoundJob> jobs;
  std::string error;
  torvel::forge::ListSounds(std::string(TORVEL_SOURCE_DIR) + "/content/music", jobs, error);
  return jobs;
}

void BM_ForgeEverySound(benchmark::State& state) {
  std::vector<torvel::forge::SoundJob> jobs = Jobs();
  double audioSeconds = 0;
  for (auto _ : state) {
    audioSeconds = 0;
    for (const auto& job : jobs) {
      std::vector<int16_t> pcm;
      std::string error;
      torvel::forge::RenderSound(job, pcm, error);
      audioSeconds += pcm.size() / 22050.0;
      benchmark::DoNotOptimize(pcm.data());
    }
  }
  state.counters["sounds"] = static_cast<double>(jobs.size());
  state.counters["ceiling_s"] = 20.0;
  state.counters["audio_s_per_s"] =
      benchmark::Counter(audioSeconds * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ForgeEverySound)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
