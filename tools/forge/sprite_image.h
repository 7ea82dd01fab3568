// One sprite as the forge paints it, before it is run-length encoded into a
// set: palette values plus a mask of which pixels are drawn (a drawn value
// of 0 is black; transparency is only where the mask is 0).
#pragma once

#include <cstdint>
#include <vector>

namespace torvel::forge {

struct SpriteImage {
  int width = 0;
  int height = 0;
  int ofsX = 0;                 // hot spot: the sprite's left edge is drawn at x - ofsX
  int ofsY = 0;                 // and its top edge at y - ofsY
  std::vector<uint8_t> pixels;  // width * height palette values, top row first
  std::vector<uint8_t> opaque;  // width * height, 1 where a pixel is drawn

  bool Empty() const { return width == 0 || height == 0; }
  bool Opaque(int x, int y) const { return opaque[static_cast<size_t>(y) * width + x] != 0; }
  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A transparent sprite of the given size.
inline SpriteImage BlankSprite(int width, int height, int ofsX = 0, int ofsY = 0) {
  SpriteImage s;
  s.width = width;
  s.height = height;
  s.ofsX = ofsX;
  s.ofsY = ofsY;
  s.pixels.assign(static_cast<size_t>(width) * height, 0);
  s.opaque.assign(static_cast<size_t>(width) * height, 0);
  return s;
}

}  // namespace torvel::forge
