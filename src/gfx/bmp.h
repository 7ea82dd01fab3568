// 8-bit Windows bitmaps: the reader behind LoadBmp and the splash pictures,
// and the writer the forge uses.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace torvel {

class Display;

struct BmpImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;          // top row first, width bytes per row
  std::array<uint8_t, 1024> palette{};  // blue, green, red, reserved
};

// Decodes an 8-bit bitmap, plain or run-length encoded. Bottom-up and
// top-down files, padded rows, short colour tables and longer information
// headers are read; anything else (other depths and compressions, sizes that
// do not fit the data, absurd dimensions, runs leaving the picture) is
// refused. Never reads outside bytes.
bool DecodeBmp8(const std::vector<uint8_t>& bytes, BmpImage& image);
// Reads a host file and decodes it.
bool ReadBmp8(const std::string& hostPath, BmpImage& image);

// Puts a decoded picture on the display as LoadBmp does: its palette set
// and realized, its top-left part when it is bigger than the screen.
void ShowBmp(Display& display, const BmpImage& image);

// Writes a bottom-up 8-bit bitmap with a full 256-entry colour table and rows
// padded to 4 bytes.
std::vector<uint8_t> EncodeBmp8(const BmpImage& image);

}  // namespace torvel
