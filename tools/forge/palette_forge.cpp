// graphics\pal.bmp: the master copy of the game palette. The game loads it
// only for its colour table and draws over its pixels before the next flip,
// so the picture is a swatch of the eight ramps for people who open it.
#include <cstdio>

#include "common/byte_io.h"
#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/palette.h"
#include "forge/preview.h"
#include "gfx/bmp.h"

namespace torvel::forge {

BmpImage PaletteSwatch() {
  BmpImage image;
  image.width = 640;
  image.height = 480;
  image.palette = GamePaletteBgrx();
  image.pixels.assign(640 * 480, 0);
  // Eight bands of 32 shades, 20 px by 40 px each, framed by black.
  for (int ramp = 0; ramp < kRampCount; ++ramp) {
    for (int shade = 0; shade < kShadeCount; ++shade) {
      for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 18; ++x) {
          int px = 1 + shade * 20 + x, py = 60 + ramp * 45 + y;
          image.pixels[static_cast<size_t>(py) * 640 + px] = Shade(ramp, shade);
        }
      }
    }
  }
  return image;
}

bool ForgePalette(const ForgeOptions& options) {
  BmpImage image = PaletteSwatch();
  if (!WriteGameFile(options, "graphics\\pal.bmp", EncodeBmp8(image))) return false;
  return WritePicturePreview(PreviewPath(options, "pal"), image.pixels, image.width, image.height,
                             image.palette);
}

}  // namespace torvel::forge
