// Builds WAV files in memory for tests: a plain PCM file in one call, or any
// arrangement of chunks for the cases that need an odd one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/byte_io.h"

namespace torvel::testing {

struct WavChunk {
  std::string id;  // four characters
  std::vector<uint8_t> body;
  int64_t declaredSize = -1;  // -1: the body's size
};

// The body of a "fmt " chunk: 16 bytes, or 18 with the extra-size field.
inline std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                                    bool withExtraSize = true) {
  ByteWriter w;
  uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  w.U16(tag);
  w.U16(channels);
  w.U32(rate);
  w.U32(rate * align);
  w.U16(align);
  w.U16(bits);
  if (withExtraSize) w.U16(0);
  return w.bytes();
}

// RIFF "WAVE" around the chunks; odd-sized chunks get their pad byte.
inline std::vector<uint8_t> BuildWav(const std::vector<WavChunk>& chunks) {
  ByteWriter w;
  w.Bytes("RIFF", 4);
  w.U32(0);
  w.Bytes("WAVE", 4);
  for (const WavChunk& c : chunks) {
    w.Bytes(c.id.data(), 4);
    w.U32(static_cast<uint32_t>(c.declaredSize >= 0 ? c.declaredSize : c.body.size()));
    w.Bytes(c.body.data(), c.body.size());
    if (c.body.size() & 1) w.U8(0);
  }
  w.PatchU32(4, static_cast<uint32_t>(w.size() - 8));
  return w.bytes();
}

// 16-bit PCM samples as bytes.
inline std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
  ByteWriter w;
  for (int16_t s : samples) w.I16(s);
  return w.bytes();
}

// A plain 16-bit PCM file.
inline std::vector<uint8_t> MakeWav16(const std::vector<int16_t>& samples, uint16_t channels = 1,
                                      uint32_t rate = 22050) {
  return BuildWav({{"fmt ", FmtBody(1, channels, rate, 16)}, {"data", Pcm16(samples)}});
}

// A mono 16-bit file of ms milliseconds at 22050 Hz, a quiet saw wave.
inline std::vector<uint8_t> MakeWavOfLength(uint32_t ms) {
  std::vector<int16_t> samples(22050u * ms / 1000u);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i % 100) * 50);
  return MakeWav16(samples);
}

}  // namespace torvel::testing
