#include "forge/paint/shade_image.h"

#include <algorithm>

#include "forge/paint/noise.h"
#include "forge/palette.h"

namespace torvel::forge {

ShadeImage::ShadeImage(int width, int height)
    : width_(width),
      height_(height),
      ramp_(static_cast<size_t>(width) * height, -1),
      shade_(static_cast<size_t>(width) * height, 0.0f) {}

Vec3 LightDirection() {
  return Normalize({-0.55, -0.65, 0.55});
}

double LightShade(const Material& m, Vec3 normal) {
  Vec3 l = LightDirection();
  double diffuse = std::max(0.0, Dot(normal, l));
  double intensity = m.ambient + (1 - m.ambient) * diffuse;
  double shade = m.dark + (m.lit - m.dark) * intensity;
  if (m.specular > 0) {
    Vec3 h = Normalize(l + Vec3{0, 0, 1});
    double s = PowInt(std::max(0.0, Dot(normal, h)), m.shininess) * m.specular;
    shade += (m.glint - shade) * s;
  }
  return shade;
}

double SurfaceShade(const Material& m, Vec3 normal, double x, double y) {
  double shade = LightShade(m, normal);
  if (m.grain > 0)
    shade += (Fbm(x / m.grainScale, y / m.grainScale, 0, 0, 2, m.grainSeed) - 0.5) * 2 * m.grain;
  return shade;
}

void Paint(ShadeImage& img, int x0, int y0, int x1, int y1, const PixelPainter& painter) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, img.width() - 1);
  y1 = std::min(y1, img.height() - 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      int ramp = 0;
      double shade = 0;
      if (painter(x + 0.5, y + 0.5, ramp, shade)) img.Set(x, y, ramp, shade);
    }
  }
}

void Ellipsoid(ShadeImage& img, double cx, double cy, double rx, double ry, const Material& m) {
  Paint(img, static_cast<int>(std::floor(cx - rx)), static_cast<int>(std::floor(cy - ry)),
        static_cast<int>(std::ceil(cx + rx)), static_cast<int>(std::ceil(cy + ry)),
        [&](double x, double y, int& ramp, double& shade) {
          double nx = (x - cx) / rx, ny = (y - cy) / ry;
          double d2 = nx * nx + ny * ny;
          if (d2 > 1) return false;
          ramp = m.ramp;
          shade = SurfaceShade(m, Normalize({nx, ny, std::sqrt(1 - d2)}), x, y);
          return true;
        });
}

void Capsule(ShadeImage& img, Vec2 a, Vec2 b, double ra, double rb, const Material& m) {
  double r = std::max(ra, rb);
  double bx = b.x - a.x, by = b.y - a.y;
  double len2 = bx * bx + by * by;
  Paint(img, static_cast<int>(std::floor(std::min(a.x, b.x) - r)),
        static_cast<int>(std::floor(std::min(a.y, b.y) - r)),
        static_cast<int>(std::ceil(std::max(a.x, b.x) + r)),
        static_cast<int>(std::ceil(std::max(a.y, b.y) + r)),
        [&](double x, double y, int& ramp, double& shade) {
          double t = len2 > 0 ? ClampTo(((x - a.x) * bx + (y - a.y) * by) / len2, 0, 1) : 0;
          double cx = a.x + bx * t, cy = a.y + by * t;
          double rr = Lerp(ra, rb, t);
          double dx = x - cx, dy = y - cy;
          double d2 = (dx * dx + dy * dy) / (rr * rr);
          if (rr <= 0 || d2 > 1) return false;
          ramp = m.ramp;
          shade = SurfaceShade(m, Normalize({dx / rr, dy / rr, std::sqrt(1 - d2)}), x, y);
          return true;
        });
}

bool InsidePolygon(const std::vector<Vec2>& p, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    if ((p[i].y > y) != (p[j].y > y)) {
      double xc = p[j].x + (y - p[j].y) * (p[i].x - p[j].x) / (p[i].y - p[j].y);
      if (x < xc) inside = !inside;
    }
  }
  return inside;
}

namespace {
void Bounds(const std::vector<Vec2>& p, int& x0, int& y0, int& x1, int& y1) {
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (const Vec2& v : p) {
    minX = std::min(minX, v.x);
    minY = std::min(minY, v.y);
    maxX = std::max(maxX, v.x);
    maxY = std::max(maxY, v.y);
  }
  x0 = static_cast<int>(std::floor(minX));
  y0 = static_cast<int>(std::floor(minY));
  x1 = static_cast<int>(std::ceil(maxX));
  y1 = static_cast<int>(std::ceil(maxY));
}
}  // namespace

void Polygon(ShadeImage& img, const std::vector<Vec2>& points, const Material& m, Vec3 normal) {
  if (points.size() < 3) return;
  int x0, y0, x1, y1;
  Bounds(points, x0, y0, x1, y1);
  Vec3 n = Normalize(normal);
  Paint(img, x0, y0, x1, y1, [&](double x, double y, int& ramp, double& shade) {
    if (!InsidePolygon(points, x, y)) return false;
    ramp = m.ramp;
    shade = SurfaceShade(m, n, x, y);
    return true;
  });
}

void PolygonShaded(ShadeImage& img, const std::vector<Vec2>& points, int ramp,
                   const std::function<double(double x, double y)>& shadeAt) {
  if (points.size() < 3) return;
  int x0, y0, x1, y1;
  Bounds(points, x0, y0, x1, y1);
  Paint(img, x0, y0, x1, y1, [&](double x, double y, int& r, double& shade) {
    if (!InsidePolygon(points, x, y)) return false;
    r = ramp;
    shade = shadeAt(x, y);
    return true;
  });
}

void Block(ShadeImage& img, double x, double y, double w, double h, double depth,
           const Material& m) {
  // Front face first, then the top, each with a bevelled rim.
  Paint(img, static_cast<int>(x), static_cast<int>(y + h), static_cast<int>(x + w) - 1,
        static_cast<int>(y + h + depth) - 1, [&](double px, double py, int& ramp, double& shade) {
          ramp = m.ramp;
          double u = (px - x) / w;
          Vec3 n = Normalize({(u < 0.08 ? -0.6 : (u > 0.92 ? 0.6 : 0)), 1.0, 0.35});
          shade = SurfaceShade(m, n, px, py);
          return true;
        });
  Paint(img, static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + w) - 1,
        static_cast<int>(y + h) - 1, [&](double px, double py, int& ramp, double& shade) {
          ramp = m.ramp;
          double u = (px - x) / w, v = (py - y) / h;
          Vec3 n{0, 0, 1};
          if (u < 0.1) n.x = -0.5;
          if (u > 0.9) n.x = 0.5;
          if (v < 0.1) n.y = -0.5;
          if (v > 0.9) n.y = 0.5;
          shade = SurfaceShade(m, Normalize(n), px, py);
          return true;
        });
}

void Torus(ShadeImage& img, double cx, double cy, double r, double t, double squash,
           const Material& m) {
  double ry = (r + t) * squash;
  Paint(img, static_cast<int>(std::floor(cx - r - t)), static_cast<int>(std::floor(cy - ry)),
        static_cast<int>(std::ceil(cx + r + t)), static_cast<int>(std::ceil(cy + ry)),
        [&](double x, double y, int& ramp, double& shade) {
          double dx = x - cx, dy = (y - cy) / squash;
          double d = std::sqrt(dx * dx + dy * dy);
          double nr = (d - r) / t;
          if (nr < -1 || nr > 1 || d == 0) return false;
          ramp = m.ramp;
          Vec3 n{dx / d * nr, dy / d * nr, std::sqrt(1 - nr * nr)};
          shade = SurfaceShade(m, Normalize(n), x, y);
          return true;
        });
}

void Disc(ShadeImage& img, double cx, double cy, double r, int ramp, double shade) {
  Paint(img, static_cast<int>(std::floor(cx - r)), static_cast<int>(std::floor(cy - r)),
        static_cast<int>(std::ceil(cx + r)), static_cast<int>(std::ceil(cy + r)),
        [&](double x, double y, int& rp, double& s) {
          if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > r * r) return false;
          rp = ramp;
          s = shade;
          return true;
        });
}

void Line(ShadeImage& img, Vec2 a, Vec2 b, double width, int ramp, double shade) {
  double half = width / 2;
  double bx = b.x - a.x, by = b.y - a.y;
  double len2 = bx * bx + by * by;
  Paint(img, static_cast<int>(std::floor(std::min(a.x, b.x) - half)),
        static_cast<int>(std::floor(std::min(a.y, b.y) - half)),
        static_cast<int>(std::ceil(std::max(a.x, b.x) + half)),
        static_cast<int>(std::ceil(std::max(a.y, b.y) + half)),
        [&](double x, double y, int& rp, double& s) {
          double t = len2 > 0 ? ClampTo(((x - a.x) * bx + (y - a.y) * by) / len2, 0, 1) : 0;
          double dx = x - (a.x + bx * t), dy = y - (a.y + by * t);
          if (dx * dx + dy * dy > half * half) return false;
          rp = ramp;
          s = shade;
          return true;
        });
}

void Outline(ShadeImage& img, double shade) {
  ShadeImage src = img;
  const int dx[4] = {0, 1, -1, 0};
  const int dy[4] = {1, 0, 0, -1};
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (src.Painted(x, y)) continue;
      for (int k = 0; k < 4; ++k) {
        if (src.Painted(x + dx[k], y + dy[k])) {
          img.Set(x, y, src.RampAt(x + dx[k], y + dy[k]), shade);
          break;
        }
      }
    }
  }
}

void RimLight(ShadeImage& img, double lighter, double darker) {
  ShadeImage src = img;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (!src.Painted(x, y)) continue;
      bool openUpLeft = !src.Painted(x - 1, y) || !src.Painted(x, y - 1);
      bool openDownRight = !src.Painted(x + 1, y) || !src.Painted(x, y + 1);
      if (openUpLeft && !openDownRight) img.AddShade(x, y, lighter);
      if (openDownRight && !openUpLeft) img.AddShade(x, y, -darker);
    }
  }
}

void Stamp(ShadeImage& dst, const ShadeImage& src, int ox, int oy) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x)
      if (src.Painted(x, y)) dst.Set(x + ox, y + oy, src.RampAt(x, y), src.ShadeAt(x, y));
}

ShadeImage MirrorX(const ShadeImage& img) {
  ShadeImage out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.Painted(x, y)) out.Set(img.width() - 1 - x, y, img.RampAt(x, y), img.ShadeAt(x, y));
  return out;
}

ShadeImage Downsample(const ShadeImage& img, int factor) {
  ShadeImage out(img.width() / factor, img.height() / factor);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      int count[8] = {};
      double sum[8] = {};
      int painted = 0;
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) {
          int sx = x * factor + dx, sy = y * factor + dy;
          if (!img.Painted(sx, sy)) continue;
          int r = img.RampAt(sx, sy) & 7;
          ++count[r];
          sum[r] += img.ShadeAt(sx, sy);
          ++painted;
        }
      }
      if (painted * 2 < factor * factor) continue;
      int best = 0;
      for (int r = 1; r < 8; ++r)
        if (count[r] > count[best]) best = r;
      out.Set(x, y, best, sum[best] / count[best]);
    }
  }
  return out;
}

uint8_t QuantizeShade(int ramp, double shade, int x, int y, double dither) {
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;  // 0..1
  double s = std::floor(shade + 0.5 + (threshold - 0.5) * dither);
  return Shade(ramp, static_cast<int>(ClampTo(s, 0, 31)));
}

std::vector<uint8_t> Quantize(const ShadeImage& img, double dither) {
  std::vector<uint8_t> out(static_cast<size_t>(img.width()) * img.height(), 0);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.Painted(x, y))
        out[static_cast<size_t>(y) * img.width() + x] =
            QuantizeShade(img.RampAt(x, y), img.ShadeAt(x, y), x, y, dither);
  return out;
}

SpriteImage ToSprite(const ShadeImage& img, int hotX, int hotY, double dither) {
  int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (!img.Painted(x, y)) continue;
      x0 = std::min(x0, x);
      y0 = std::min(y0, y);
      x1 = std::max(x1, x);
      y1 = std::max(y1, y);
    }
  }
  if (x1 < 0) return SpriteImage{};
  SpriteImage s = BlankSprite(x1 - x0 + 1, y1 - y0 + 1, hotX - x0, hotY - y0);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (!img.Painted(x, y)) continue;
      size_t i = static_cast<size_t>(y - y0) * s.width + (x - x0);
      s.pixels[i] = QuantizeShade(img.RampAt(x, y), img.ShadeAt(x, y), x, y, dither);
      s.opaque[i] = 1;
    }
  }
  return s;
}

}  // namespace torvel::forge

namespace torvel::forge {

SpriteImage Finished(ShadeImage img, int hotX, int hotY, const Finish& finish) {
  if (finish.rimLighter != 0 || finish.rimDarker != 0)
    RimLight(img, finish.rimLighter, finish.rimDarker);
  if (finish.outline) Outline(img, finish.outlineShade);
  return ToSprite(img, hotX, hotY, finish.dither);
}

}  // namespace torvel::forge
