// The 8-bit picture reader (LoadBmp, the splash pictures, tilesets) on
// arbitrary bytes: it refuses them or gives a whole picture, which shows on
// the screen and writes back as a plain bitmap that reads as the same picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_display.h"
#include "gfx/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvel;
  Display* display = fuzz::FuzzDisplay();
  BmpImage image;
  if (!DecodeBmp8(std::vector<uint8_t>(data, data + size), image)) return 0;
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height)
    __builtin_trap();
  ShowBmp(*display, image);
  BmpImage again;
  if (!DecodeBmp8(EncodeBmp8(image), again)) __builtin_trap();
  if (again.width != image.width || again.height != image.height || again.pixels != image.pixels)
    __builtin_trap();
  for (int i = 0; i < 1024; ++i) {
    if (i % 4 != 3 && again.palette[i] != image.palette[i]) __builtin_trap();
  }
  return 0;
}
