#include "gfx/ramp.h"

namespace torvel {

namespace {

struct BrightTables {
  uint8_t values[256][256];
  BrightTables() {
    for (int b = 0; b < 256; ++b)
      for (int v = 0; v < 256; ++v) values[b][v] = Brighten(static_cast<uint8_t>(v), b - 128);
  }
};

}  // namespace

const uint8_t* BrightenTable(int bright) {
  static const BrightTables tables;
  if (bright < -128) bright = -128;
  if (bright > 127) bright = 127;
  return tables.values[bright + 128];
}

}  // namespace torvel
