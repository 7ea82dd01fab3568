// Reading the forged game folder back with the game's own loaders.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/sprites.h"

namespace torvel::forge::testing {

inline std::string GameFile(const std::string& relative) {
  return std::string(TORVEL_GAME_DIR) + "/" + relative;
}

// A sprite unpacked and placed on the screen as the game draws it with its
// hot spot at (x, y).
struct Placed {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> pixels;  // width * height
  std::vector<bool> drawn;
  bool Covers(int sx, int sy) const {
    int x = sx - left, y = sy - top;
    return x >= 0 && y >= 0 && x < width && y < height && drawn[static_cast<size_t>(y) * width + x];
  }
  uint8_t At(int sx, int sy) const {
    return pixels[static_cast<size_t>(sy - top) * width + (sx - left)];
  }
  int right() const { return left + width - 1; }
  int bottom() const { return top + height - 1; }
};

inline Placed Place(const Sprite& s, int x, int y) {
  Placed p;
  p.left = x - s.ofsX;
  p.top = y - s.ofsY;
  p.width = s.width;
  p.height = s.height;
  // Two unpackings with different backgrounds tell drawn pixels apart.
  std::vector<uint8_t> a, b;
  EXPECT_TRUE(UnpackSprite(s, 0, a));
  EXPECT_TRUE(UnpackSprite(s, 255, b));
  p.pixels = a;
  p.drawn.resize(a.size());
  for (size_t i = 0; i < a.size(); ++i) p.drawn[i] = a[i] == b[i];
  return p;
}

// Share of a rectangle's pixels (inclusive) that the placed sprite draws.
inline double Coverage(const Placed& p, int x0, int y0, int x1, int y1) {
  int n = 0, covered = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x, ++n) covered += p.Covers(x, y);
  return n ? static_cast<double>(covered) / n : 0;
}

}  // namespace torvel::forge::testing
