// The forge's sounds: every effect synthesised from its recipe and every
// song and cue played from its score, written as sound\sndNNN.wav.
#include <cstdio>

#include "common/byte_io.h"
#include "forge/forge.h"
#include "forge/parallel.h"
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
  std::vector<std::vector<int16_t>> pcm(jobs.size());
  std::vector<std::string> errors(jobs.size());
  ParallelFor(jobs.size(), [&](size_t i) { RenderSound(jobs[i], pcm[i], errors[i]); });

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
