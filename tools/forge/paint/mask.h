// Shapes as masks: which pixels belong to a shape, how deep inside it each
// one lies, and a plate raised from a mask with bevelled rims (lettering,
// frames, panels).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "forge/paint/shade_image.h"
#include "forge/paint/splat.h"

namespace torvel::forge {

struct Mask {
  int width = 0, height = 0;
  std::vector<uint8_t> on;
  Mask() = default;
  Mask(int w, int h) : width(w), height(h), on(static_cast<size_t>(w) * h, 0) {}
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && on[static_cast<size_t>(y) * width + x];
  }
  void Set(int x, int y, bool v = true) {
    if (x >= 0 && y >= 0 && x < width && y < height) on[static_cast<size_t>(y) * width + x] = v;
  }
};

// Fills a mask from a test at pixel centres.
Mask MaskFrom(int width, int height, const std::function<bool(double x, double y)>& inside);
// Pixels set in a or b; in a but not b.
Mask Union(const Mask& a, const Mask& b);
Mask Subtract(const Mask& a, const Mask& b);
// Grows (radius > 0) or shrinks (radius < 0) a mask by whole pixels (round pen).
Mask Grow(const Mask& m, int radius);

// For every pixel inside, its distance to the nearest pixel outside (0
// outside), by a two-pass chamfer sweep close to true distance.
std::vector<float> DistanceInside(const Mask& m);

// A plate raised from the mask, drawn at (ox, oy): flat on top, its rims
// rounded over `bevel` pixels so the upper-left rims catch the light and
// the lower-right ones fall into shade. The decal sees mask coordinates.
void PaintBevelled(ShadeImage& img, const Mask& m, int ox, int oy, double bevel,
                   const Material& mat,
                   const std::function<Decal(int x, int y, double depth)>& decal = nullptr);

}  // namespace torvel::forge
