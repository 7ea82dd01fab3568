#include "forge/sound/wav_writer.h"

#include "common/byte_io.h"

namespace torvel::forge {

std::vector<uint8_t> EncodeWav16Mono(const std::vector<int16_t>& samples, uint32_t rate) {
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
  ByteWriter w;
  w.Bytes("RIFF", 4);
  w.U32(4 + (8 + 18) + (8 + dataSize));
  w.Bytes("WAVE", 4);
  w.Bytes("fmt ", 4);
  w.U32(18);
  w.U16(1);         // PCM
  w.U16(1);         // mono
  w.U32(rate);      // samples per second
  w.U32(rate * 2);  // bytes per second
  w.U16(2);         // bytes per sample frame
  w.U16(16);        // bits per sample
  w.U16(0);         // no extra format bytes
  w.Bytes("data", 4);
  w.U32(dataSize);
  for (int16_t s : samples) w.I16(s);
  return std::move(w.bytes());
}

}  // namespace torvel::forge
