// Reading WAV files: RIFF "WAVE" with a PCM "fmt " chunk (8 or 16 bits, mono
// or stereo, any rate) and a "data" chunk, in whichever order they lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sound_device.h"

namespace torvel {

struct WavSound {
  WaveFormat format;
  std::vector<uint8_t> data;  // whole frames of little-endian PCM
};

// Parses a WAV file held in memory; false (and out untouched) for anything
// that is not a playable PCM sample.
bool ParseWav(const uint8_t* bytes, size_t size, WavSound& out);
// Reads and parses a WAV file from a host path.
bool LoadWav(const std::string& hostPath, WavSound& out);

}  // namespace torvel
