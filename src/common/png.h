// PNG writing for people to look at: previews of the forge and frames of the
// headless backend.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvel {

// 8-bit palette image (pitch bytes per row) with a 256-entry palette in the
// display's layout (blue, green, red, reserved), written as an RGB PNG.
bool WritePalettedPng(const std::string& hostPath, const uint8_t* pixels, int width, int height,
                      int pitch, const uint8_t bgrx[1024]);
// 8-bit RGB image, 3 bytes per pixel, rows packed.
bool WriteRgbPng(const std::string& hostPath, const uint8_t* rgb, int width, int height);
// 8-bit RGB image with alpha, 4 bytes per pixel, rows packed.
bool WriteRgbaPng(const std::string& hostPath, const uint8_t* rgba, int width, int height);
// Encodes an RGB image to PNG bytes in memory.
std::vector<uint8_t> EncodeRgbPng(const uint8_t* rgb, int width, int height);

}  // namespace torvel
