#include "platform/frame_convert.h"

#include <cstring>

namespace torvel {

void BuildPaletteLookup(const uint8_t bgrx[1024], uint32_t lut[256]) {
  for (int i = 0; i < 256; ++i) {
    lut[i] = 0xFF000000u | (static_cast<uint32_t>(bgrx[i * 4 + 2]) << 16) |
             (static_cast<uint32_t>(bgrx[i * 4 + 1]) << 8) | bgrx[i * 4 + 0];
  }
}

void ConvertFrame(const uint8_t* src, int srcPitch, int width, int height, const uint32_t* lut,
                  uint8_t* dst, int dstPitch) {
  for (int y = 0; y < height; ++y) {
    const uint8_t* s = src + static_cast<size_t>(y) * srcPitch;
    uint8_t* d = dst + static_cast<size_t>(y) * dstPitch;
    for (int x = 0; x < width; ++x) {
      uint32_t v = lut[s[x]];
      std::memcpy(d + 4 * x, &v, 4);
    }
  }
}

}  // namespace torvel
