// Hand-built FLC files for the movie tests: frames of sub-chunks written
// byte by byte, so that every chunk type (and every fault) can be staged.
#pragma once

#include <cstdint>
#include <vector>

#include "common/byte_io.h"

namespace torvel::testing {

struct SubChunk {
  uint16_t type = 0;
  std::vector<uint8_t> data;
  int64_t sizeField = -1;  // written instead of 6 + data size when set
};

struct MovieFrame {
  std::vector<SubChunk> subs;
  uint16_t type = 0xF1FA;
  int64_t sizeField = -1;  // frame chunk size written instead of the real one
};

// A movie file: the 128-byte header, a prefix chunk when prefix is set, then
// the frames. frameCount defaults to the number of frames.
inline std::vector<uint8_t> BuildMovie(int width, int height, const std::vector<MovieFrame>& frames,
                                       bool prefix = true, int frameCount = -1) {
  ByteWriter w;
  w.U32(0);
  w.U16(0xAF12);
  w.U16(static_cast<uint16_t>(frameCount >= 0 ? frameCount : static_cast<int>(frames.size())));
  w.U16(static_cast<uint16_t>(width));
  w.U16(static_cast<uint16_t>(height));
  w.U16(8);
  w.U16(3);
  w.U32(60);
  w.Zeros(128 - w.size());
  if (prefix) {
    w.U32(16);
    w.U16(0xF100);
    w.U16(0);
    w.Zeros(8);
  }
  for (const MovieFrame& f : frames) {
    ByteWriter body;
    for (const SubChunk& s : f.subs) {
      body.U32(static_cast<uint32_t>(s.sizeField >= 0 ? s.sizeField
                                                      : 6 + static_cast<int64_t>(s.data.size())));
      body.U16(s.type);
      body.Bytes(s.data.data(), s.data.size());
    }
    w.U32(static_cast<uint32_t>(f.sizeField >= 0 ? f.sizeField
                                                 : 16 + static_cast<int64_t>(body.size())));
    w.U16(f.type);
    w.U16(static_cast<uint16_t>(f.subs.size()));
    w.Zeros(8);
    w.Bytes(body.bytes().data(), body.size());
  }
  w.PatchU32(0, static_cast<uint32_t>(w.size()));
  return std::move(w.bytes());
}

// A byte-run image of the whole frame: one copy packet per line (width up to 127).
inline SubChunk ByteRunImage(int width, int height, const std::vector<uint8_t>& pixels) {
  SubChunk s{15, {}};
  for (int y = 0; y < height; ++y) {
    s.data.push_back(1);
    s.data.push_back(static_cast<uint8_t>(-width));
    s.data.insert(s.data.end(), pixels.begin() + y * width, pixels.begin() + (y + 1) * width);
  }
  return s;
}

// A 256-level colour chunk setting entries first.. to the given red, green, blue triplets.
inline SubChunk Colours(uint8_t first, const std::vector<uint8_t>& rgb, uint16_t type = 4) {
  SubChunk s{type, {1, 0, first, static_cast<uint8_t>(rgb.size() / 3)}};
  s.data.insert(s.data.end(), rgb.begin(), rgb.end());
  return s;
}

}  // namespace torvel::testing
