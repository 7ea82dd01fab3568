#include "forge/paint/mask.h"

#include <algorithm>
#include <cmath>

namespace torvel::forge {

Mask MaskFrom(int width, int height, const std::function<bool(double x, double y)>& inside) {
  Mask m(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (inside(x + 0.5, y + 0.5)) m.Set(x, y);
  return m;
}

Mask Union(const Mask& a, const Mask& b) {
  Mask m = a;
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (b.At(x, y)) m.Set(x, y);
  return m;
}

Mask Subtract(const Mask& a, const Mask& b) {
  Mask m = a;
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (b.At(x, y)) m.Set(x, y, false);
  return m;
}

Mask Grow(const Mask& m, int radius) {
  Mask out(m.width, m.height);
  int r = std::abs(radius);
  for (int y = 0; y < m.height; ++y) {
    for (int x = 0; x < m.width; ++x) {
      bool any = false, all = true;
      for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
          if (dx * dx + dy * dy > r * r) continue;
          bool v = m.At(x + dx, y + dy);
          any = any || v;
          all = all && v;
        }
      }
      out.Set(x, y, radius >= 0 ? any : all);
    }
  }
  return out;
}

std::vector<float> DistanceInside(const Mask& m) {
  const float kBig = 1e6f;
  const float kStraight = 1.0f, kDiagonal = 1.4142f;
  std::vector<float> d(static_cast<size_t>(m.width) * m.height, 0);
  auto at = [&](int x, int y) -> float {
    if (x < 0 || y < 0 || x >= m.width || y >= m.height) return 0;
    return d[static_cast<size_t>(y) * m.width + x];
  };
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      d[static_cast<size_t>(y) * m.width + x] = m.At(x, y) ? kBig : 0;
  for (int y = 0; y < m.height; ++y) {
    for (int x = 0; x < m.width; ++x) {
      float& v = d[static_cast<size_t>(y) * m.width + x];
      if (v == 0) continue;
      v = std::min({v, at(x - 1, y) + kStraight, at(x, y - 1) + kStraight,
                    at(x - 1, y - 1) + kDiagonal, at(x + 1, y - 1) + kDiagonal});
    }
  }
  for (int y = m.height - 1; y >= 0; --y) {
    for (int x = m.width - 1; x >= 0; --x) {
      float& v = d[static_cast<size_t>(y) * m.width + x];
      if (v == 0) continue;
      v = std::min({v, at(x + 1, y) + kStraight, at(x, y + 1) + kStraight,
                    at(x + 1, y + 1) + kDiagonal, at(x - 1, y + 1) + kDiagonal});
    }
  }
  return d;
}

void PaintBevelled(ShadeImage& img, const Mask& m, int ox, int oy, double bevel,
                   const Material& mat,
                   const std::function<Decal(int x, int y, double depth)>& decal) {
  std::vector<float> dist = DistanceInside(m);
  auto height = [&](int x, int y) -> double {
    if (x < 0 || y < 0 || x >= m.width || y >= m.height) return 0;
    double d = dist[static_cast<size_t>(y) * m.width + x];
    if (d <= 0) return 0;
    double t = Clamp01((d - 0.5) / bevel);
    return bevel * std::sqrt(1 - (1 - t) * (1 - t));  // a quarter round
  };
  for (int y = 0; y < m.height; ++y) {
    for (int x = 0; x < m.width; ++x) {
      if (!m.At(x, y)) continue;
      double gx = (height(x + 1, y) - height(x - 1, y)) / 2;
      double gy = (height(x, y + 1) - height(x, y - 1)) / 2;
      Vec3 n = Normalize({-gx, -gy, 1});
      Decal dc = decal ? decal(x, y, dist[static_cast<size_t>(y) * m.width + x]) : Decal{};
      if (dc.hole) continue;
      if (dc.lift != 0) n = Normalize(n + Vec3{-0.6, -0.7, 0} * dc.lift);
      Material mm = mat;
      if (dc.ramp >= 0) mm.ramp = dc.ramp;
      img.Set(ox + x, oy + y, mm.ramp, SurfaceShade(mm, n, ox + x, oy + y) + dc.bias);
    }
  }
}

}  // namespace torvel::forge
