// Feeds arbitrary bytes to the WAV reader: it must refuse or accept without
// reading outside the input, and whatever it accepts must hold whole frames.
#include <cstdint>
#include <cstdlib>

#include "audio/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  torvel::WavSound sound;
  if (torvel::ParseWav(data, size, sound)) {
    const torvel::WaveFormat& f = sound.format;
    if (sound.data.empty() || sound.data.size() % f.blockAlign != 0 || sound.data.size() > size)
      std::abort();
  }
  return 0;
}
