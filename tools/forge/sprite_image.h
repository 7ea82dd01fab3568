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

// Crops transparent rows and columns off the edges, keeping the hot spot
// where it was in the picture.
inline void TrimSprite(SpriteImage& s) {
  int x0 = s.width, y0 = s.height, x1 = -1, y1 = -1;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      if (s.Opaque(x, y)) {
        x0 = x < x0 ? x : x0;
        y0 = y < y0 ? y : y0;
        x1 = x > x1 ? x : x1;
        y1 = y > y1 ? y : y1;
      }
  if (x1 < 0) {
    s = SpriteImage{};
    return;
  }
  SpriteImage out = BlankSprite(x1 - x0 + 1, y1 - y0 + 1, s.ofsX - x0, s.ofsY - y0);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      size_t from = static_cast<size_t>(y) * s.width + x;
      size_t to = static_cast<size_t>(y - y0) * out.width + (x - x0);
      out.pixels[to] = s.pixels[from];
      out.opaque[to] = s.opaque[from];
    }
  s = out;
}

}  // namespace torvel::forge
