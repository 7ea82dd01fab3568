// The program's icon for desktops: a sword raised against a setting sun
// over the hills, on a rounded tile, drawn at any size.
#pragma once

#include <cstdint>
#include <vector>

namespace torvel::forge {

// The sizes the desktop's icon theme gets.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// size x size pixels, 4 bytes each (red, green, blue, alpha), top row first;
// outside the tile the pixels are fully transparent.
std::vector<uint8_t> RenderIcon(int size);

}  // namespace torvel::forge
