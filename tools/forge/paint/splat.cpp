#include "forge/paint/splat.h"

#include <algorithm>
#include <cmath>

namespace torvel::forge {

Mat3 Mat3::operator*(const Mat3& o) const {
  Mat3 r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
  return r;
}

Mat3 TurnY(double a) {
  Mat3 r;
  double c = Cos(a), s = Sin(a);
  r.m[0][0] = c;
  r.m[0][2] = s;
  r.m[2][0] = -s;
  r.m[2][2] = c;
  return r;
}

Mat3 TurnX(double a) {
  Mat3 r;
  double c = Cos(a), s = Sin(a);
  r.m[1][1] = c;
  r.m[1][2] = -s;
  r.m[2][1] = s;
  r.m[2][2] = c;
  return r;
}

Mat3 TurnZ(double a) {
  Mat3 r;
  double c = Cos(a), s = Sin(a);
  r.m[0][0] = c;
  r.m[0][1] = -s;
  r.m[1][0] = s;
  r.m[1][1] = c;
  return r;
}

Splatter::Splatter(ShadeImage& img, Vec2 origin, const Mat3& turn, double step)
    : img_(img),
      origin_(origin),
      turn_(turn),
      step_(step),
      depth_(static_cast<size_t>(img.width()) * img.height(), -1e30f) {}

void Splatter::Point(Vec3 p, Vec3 n, const Material& m, const Decal& d) {
  if (d.hole) return;
  Vec3 q = turn_ * p;
  int x = static_cast<int>(std::floor(origin_.x + q.x));
  int y = static_cast<int>(std::floor(origin_.y + q.y));
  if (!img_.Inside(x, y)) return;
  float& depth = depth_[static_cast<size_t>(y) * img_.width() + x];
  if (q.z <= depth) return;
  Vec3 nn = turn_ * n;
  if (nn.z < -0.05) return;  // facing away: something in front will cover it
  depth = static_cast<float>(q.z);
  if (d.lift != 0) nn = Normalize(nn + Vec3{-0.6, -0.7, 0} * d.lift);
  Material mat = m;
  if (d.ramp >= 0) mat.ramp = d.ramp;
  img_.Set(x, y, mat.ramp, SurfaceShade(mat, Normalize(nn), p.x, p.y) + d.bias);
}

namespace {
Decal DecalAt(const DecalFn& fn, Vec3 p) {
  return fn ? fn(p) : Decal{};
}
}  // namespace

void Splatter::Lathe(const std::function<double(double y)>& radius, double y0, double y1,
                     const Material& m, const DecalFn& decal) {
  for (double y = y0; y <= y1 + 1e-9; y += step_) {
    double r = radius(y);
    double dr = (radius(std::min(y + 0.25, y1)) - radius(std::max(y - 0.25, y0))) /
                std::max(1e-6, std::min(y + 0.25, y1) - std::max(y - 0.25, y0));
    int count = std::max(8, static_cast<int>(std::ceil(kTwoPi * r / step_)));
    for (int i = 0; i < count; ++i) {
      double a = kTwoPi * i / count;
      double c = Cos(a), s = Sin(a);
      Vec3 p{r * c, y, r * s};
      Point(p, Normalize({c, -dr, s}), m, DecalAt(decal, p));
    }
  }
  // Caps.
  for (double y : {y0, y1}) {
    double r = radius(y);
    Vec3 n{0, y == y0 ? -1.0 : 1.0, 0};
    for (double rr = 0; rr < r; rr += step_) {
      int count = std::max(1, static_cast<int>(std::ceil(kTwoPi * rr / step_)));
      for (int i = 0; i < count; ++i) {
        double a = kTwoPi * i / count;
        Vec3 p{rr * Cos(a), y, rr * Sin(a)};
        Point(p, n, m, DecalAt(decal, p));
      }
    }
  }
}

void Splatter::Ellipsoid(Vec3 c, Vec3 r, const Material& m, const DecalFn& decal) {
  double rmax = std::max({r.x, r.y, r.z});
  int rings = std::max(6, static_cast<int>(std::ceil(kPi * rmax / step_)));
  for (int i = 0; i <= rings; ++i) {
    double v = kPi * i / rings;  // 0 top .. pi bottom
    double sv = Sin(v), cv = Cos(v);
    int count = std::max(6, static_cast<int>(std::ceil(kTwoPi * rmax * sv / step_)));
    for (int j = 0; j < count; ++j) {
      double a = kTwoPi * j / count;
      Vec3 unit{sv * Cos(a), -cv, sv * Sin(a)};
      Vec3 p{c.x + unit.x * r.x, c.y + unit.y * r.y, c.z + unit.z * r.z};
      Vec3 n = Normalize({unit.x / r.x, unit.y / r.y, unit.z / r.z});
      Point(p, n, m, DecalAt(decal, p));
    }
  }
}

void Splatter::Gem(Vec3 c, Vec3 r, int sides, const Material& m, const DecalFn& decal) {
  double rmax = std::max({r.x, r.y, r.z});
  int rings = std::max(6, static_cast<int>(std::ceil(kPi * rmax / step_)));
  for (int i = 0; i <= rings; ++i) {
    double v = kPi * i / rings;
    double sv = Sin(v), cv = Cos(v);
    int count = std::max(6, static_cast<int>(std::ceil(kTwoPi * rmax * sv / step_)));
    for (int j = 0; j < count; ++j) {
      double a = kTwoPi * j / count;
      Vec3 unit{sv * Cos(a), -cv, sv * Sin(a)};
      Vec3 p{c.x + unit.x * r.x, c.y + unit.y * r.y, c.z + unit.z * r.z};
      // Snap the facing to the nearest facet.
      double fa = kTwoPi * std::floor(a / kTwoPi * sides + 0.5) / sides;
      double band = v < kPi * 0.3 ? 0.2 : (v < kPi * 0.55 ? 0.5 : 0.8);
      double fv = kPi * band;
      Vec3 n{Sin(fv) * Cos(fa), -Cos(fv), Sin(fv) * Sin(fa)};
      Point(p, Normalize(n), m, DecalAt(decal, p));
    }
  }
}

void Splatter::Tube(Vec3 a, Vec3 b, double ra, double rb, const Material& m, const DecalFn& decal) {
  Vec3 axis = b - a;
  double len = std::sqrt(Dot(axis, axis));
  Vec3 u = len > 0 ? axis * (1 / len) : Vec3{0, 1, 0};
  // Two directions across the axis.
  Vec3 helper = std::fabs(u.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
  Vec3 v1 = Normalize({u.y * helper.z - u.z * helper.y, u.z * helper.x - u.x * helper.z,
                       u.x * helper.y - u.y * helper.x});
  Vec3 v2{u.y * v1.z - u.z * v1.y, u.z * v1.x - u.x * v1.z, u.x * v1.y - u.y * v1.x};
  for (double t = 0; t <= len + 1e-9; t += step_) {
    double r = len > 0 ? Lerp(ra, rb, t / len) : ra;
    int count = std::max(8, static_cast<int>(std::ceil(kTwoPi * r / step_)));
    for (int i = 0; i < count; ++i) {
      double ang = kTwoPi * i / count;
      Vec3 n = v1 * Cos(ang) + v2 * Sin(ang);
      Vec3 p = a + u * t + n * r;
      Point(p, n, m, DecalAt(decal, p));
    }
  }
  Ellipsoid(a, {ra, ra, ra}, m, decal);
  Ellipsoid(b, {rb, rb, rb}, m, decal);
}

void Splatter::Slab(const std::function<bool(double x, double y)>& inside, double x0, double y0,
                    double x1, double y1, double thickness, double bevel, const Material& m,
                    const DecalFn& decal) {
  double half = thickness / 2;
  // Directions to look along, worked out once.
  Vec2 ring8[8], ring16[16];
  for (int k = 0; k < 8; ++k) ring8[k] = {Cos(kTwoPi * k / 8), Sin(kTwoPi * k / 8)};
  for (int k = 0; k < 16; ++k) ring16[k] = {Cos(kTwoPi * k / 16), Sin(kTwoPi * k / 16)};
  auto distIn = [&](double x, double y) {
    // Distance to the outline, searched on a small ring (enough for bevels).
    double reach = std::max(bevel, step_);
    for (double d = step_; d <= reach + 1e-9; d += step_) {
      for (const Vec2& dir : ring8)
        if (!inside(x + d * dir.x, y + d * dir.y)) return d;
    }
    return reach + 1;
  };
  auto gradient = [&](double x, double y) {
    // Outward direction: away from the inside.
    double gx = 0, gy = 0;
    for (const Vec2& dir : ring16) {
      if (!inside(x + dir.x * 1.5, y + dir.y * 1.5)) {
        gx += dir.x;
        gy += dir.y;
      }
    }
    double l = std::sqrt(gx * gx + gy * gy);
    return l > 0 ? Vec3{gx / l, gy / l, 0} : Vec3{0, 0, 0};
  };
  for (double y = y0; y <= y1; y += step_) {
    for (double x = x0; x <= x1; x += step_) {
      if (!inside(x, y)) continue;
      double d = distIn(x, y);
      Vec3 out = d <= bevel ? gradient(x, y) : Vec3{0, 0, 0};
      double tilt = bevel > 0 ? Clamp01(1 - d / bevel) : 0;
      Vec3 nFront = Normalize(Vec3{0, 0, 1} + out * (tilt * 1.5));
      Vec3 nBack = Normalize(Vec3{0, 0, -1} + out * (tilt * 1.5));
      Vec3 pf{x, y, half}, pb{x, y, -half};
      Point(pf, nFront, m, DecalAt(decal, pf));
      Point(pb, nBack, m, DecalAt(decal, pb));
      if (d <= step_ * 1.5 && (out.x != 0 || out.y != 0)) {
        for (double z = -half; z <= half; z += step_) {
          Vec3 ps{x, y, z};
          Point(ps, out, m, DecalAt(decal, ps));
        }
      }
    }
  }
}

void Splatter::Box(Vec3 c, Vec3 h, const Material& m, const DecalFn& decal) {
  auto face = [&](Vec3 n, Vec3 du, Vec3 dv, double hu, double hv, double hn) {
    for (double a = -hu; a <= hu + 1e-9; a += step_)
      for (double b = -hv; b <= hv + 1e-9; b += step_) {
        Vec3 p = c + n * hn + du * a + dv * b;
        Point(p, n, m, DecalAt(decal, p));
      }
  };
  face({0, 0, 1}, {1, 0, 0}, {0, 1, 0}, h.x, h.y, h.z);
  face({0, 0, -1}, {1, 0, 0}, {0, 1, 0}, h.x, h.y, h.z);
  face({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, h.y, h.z, h.x);
  face({-1, 0, 0}, {0, 1, 0}, {0, 0, 1}, h.y, h.z, h.x);
  face({0, 1, 0}, {1, 0, 0}, {0, 0, 1}, h.x, h.z, h.y);
  face({0, -1, 0}, {1, 0, 0}, {0, 0, 1}, h.x, h.z, h.y);
}

}  // namespace torvel::forge
