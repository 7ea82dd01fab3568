// Turning the 8-bit screen into 32-bit pixels through the palette.
#pragma once

#include <cstdint>

namespace torvel {

// Builds the 256-entry lookup (0xAARRGGBB) from a palette of blue, green,
// red, reserved entries.
void BuildPaletteLookup(const uint8_t bgrx[1024], uint32_t lut[256]);
// Converts a width x height screen (srcPitch bytes per row) into 32-bit rows
// of dstPitch bytes.
void ConvertFrame(const uint8_t* src, int srcPitch, int width, int height, const uint32_t* lut,
                  uint8_t* dst, int dstPitch);

}  // namespace torvel
