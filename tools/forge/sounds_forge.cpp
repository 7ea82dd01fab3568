// The forge's sounds: every effect synthesised from its recipe and every
// song and cue played from its score, written as sound\sndNNN.wav.
#include <atomic>
#include <cstdio>
#include <thread>

#include "common/byte_io.h"
#include "forge/forge.h"
#include "forge/sound/sound_bank.h"
#include "forge/sound/sound_preview.h"
#include "forge/sound/wav_writer.h"

namespace torvel::forge {

bool ForgeSounds(const ForgeOptions& options) {
  std::vector<SoundJob> jobs;
  std::string error;
  if (!ListSounds(std::string(TORVEL_CONTENT_DIR) + "/music", jobs, error)) {
    std::fprintf(stderr, "forge: %s\n", error.c_str());
    return false;
  }
  // Each sound is made on its own, so two workers give the same bytes as one.
  std::vector<std::vector<int16_t>> pcm(jobs.size());
  std::vector<std::string> errors(jobs.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < jobs.size(); i = next++) RenderSound(jobs[i], pcm[i], errors[i]);
  };
  unsigned workers = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();

  for (size_t i = 0; i < jobs.size(); ++i) {
    if (!errors[i].empty()) {
      std::fprintf(stderr, "forge: %s\n", errors[i].c_str());
      return false;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/sound/snd%03d.wav", jobs[i].number);
    if (!WriteFileBytes(options.outDir + name, EncodeWav16Mono(pcm[i], kSoundRate))) {
      std::fprintf(stderr, "forge: cannot write %s%s\n", options.outDir.c_str(), name);
      return false;
    }
  }
  if (!options.previewDir.empty()) {
    std::vector<int> numbers;
    for (const SoundJob& j : jobs) numbers.push_back(j.number);
    if (!WriteSoundPreview(options.previewDir + "/sounds.png", numbers, pcm)) {
      std::fprintf(stderr, "forge: cannot write the sound preview\n");
      return false;
    }
  }
  return true;
}

}  // namespace torvel::forge
