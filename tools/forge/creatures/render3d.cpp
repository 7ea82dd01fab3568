#include "forge/creatures/render3d.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

double Length(Vec3 a) {
  return std::sqrt(Dot(a, a));
}

Vec3 Normalize(Vec3 a) {
  double l = Length(a);
  return l > 0 ? a * (1.0 / l) : Vec3{0, 0, 1};
}

Vec3 Lerp(Vec3 a, Vec3 b, double t) {
  return a + (b - a) * t;
}

Mat3 Mat3::Transposed() const {
  return {{cx.x, cy.x, cz.x}, {cx.y, cy.y, cz.y}, {cx.z, cy.z, cz.z}};
}

Mat3 RotX(double a) {
  double c = Cos(a), s = Sin(a);
  return {{1, 0, 0}, {0, c, s}, {0, -s, c}};
}

Mat3 RotY(double a) {
  double c = Cos(a), s = Sin(a);
  return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
}

Mat3 RotZ(double a) {
  double c = Cos(a), s = Sin(a);
  return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
}

Mat3 AlongX(Vec3 dir) {
  Vec3 x = Normalize(dir);
  Vec3 up{0, 0, 1};
  if (std::fabs(Dot(x, up)) > 0.95) up = {0, 1, 0};
  Vec3 y = Normalize(Cross(up, x));
  Vec3 z = Cross(x, y);
  return {x, y, z};
}

Material Mat(int ramp, int dark, int light, double gloss) {
  Material m;
  m.ramp = ramp;
  m.dark = dark;
  m.light = light;
  m.gloss = gloss;
  return m;
}

Material Glow(int dark, int light) {
  Material m = Mat(0, dark, light);
  m.glow = true;
  m.noOutline = true;
  return m;
}

Material Flat(int ramp, int shade) {
  Material m = Mat(ramp, shade, shade);
  m.flat = true;
  return m;
}

Material Banded(Material m, Vec3 axis, double period, double width, int shift, int ramp,
                double offset) {
  m.bandAxis = axis;
  m.bandPeriod = period;
  m.bandWidth = width;
  m.bandShift = shift;
  m.bandRamp = ramp;
  m.bandOffset = offset;
  return m;
}

Material Ribbed(Material m, int ribs, double width, int shift) {
  m.bandAround = true;
  m.bandPeriod = ribs;
  m.bandWidth = width;
  m.bandShift = shift;
  return m;
}

void Scene::SetTransform(const Mat3& rotation, Vec3 offset) {
  rotation_ = rotation;
  offset_ = offset;
}

void Scene::Push(Part p) {
  parts_.push_back(p);
}

void Scene::Ellipsoid(Vec3 centre, Vec3 radii, const Material& m, const Mat3& axes) {
  Part p;
  p.shape = Shape::kEllipsoid;
  p.a = ToWorld(centre);
  p.radii = radii * scale_;
  p.axes = rotation_ * axes;
  p.mat = m;
  p.boundCentre = p.a;
  p.boundRadius = std::max({p.radii.x, p.radii.y, p.radii.z});
  Push(p);
}

void Scene::Sphere(Vec3 centre, double r, const Material& m) {
  Ellipsoid(centre, {r, r, r}, m);
}

void Scene::Cone(Vec3 a, Vec3 b, double ra, double rb, const Material& m) {
  ra *= scale_;
  rb *= scale_;
  Part p;
  p.shape = Shape::kRoundCone;
  p.a = ToWorld(a);
  p.b = ToWorld(b);
  // A cone whose end spheres swallow one another is just the bigger sphere.
  double len = Length(p.b - p.a);
  if (len <= std::fabs(ra - rb) + 1e-6) {
    Sphere(ra >= rb ? a : b, std::max(ra, rb) / scale_, m);
    return;
  }
  p.ra = ra;
  p.rb = rb;
  p.axes = AlongX(p.b - p.a);
  p.mat = m;
  p.boundCentre = Lerp(p.a, p.b, 0.5);
  p.boundRadius = len * 0.5 + std::max(ra, rb);
  Push(p);
}

void Scene::Cylinder(Vec3 a, Vec3 b, double r, const Material& m) {
  Part p;
  p.shape = Shape::kCylinder;
  p.a = ToWorld(a);
  p.b = ToWorld(b);
  if (Length(p.b - p.a) < 1e-6) return;
  r *= scale_;
  p.ra = r;
  p.axes = AlongX(p.b - p.a);
  p.mat = m;
  p.boundCentre = Lerp(p.a, p.b, 0.5);
  p.boundRadius = std::sqrt(Dot(p.b - p.a, p.b - p.a) * 0.25 + r * r);
  Push(p);
}

void Scene::Frustum(Vec3 a, Vec3 b, double ra, double rb, const Material& m) {
  Part p;
  p.shape = Shape::kFrustum;
  p.a = ToWorld(a);
  p.b = ToWorld(b);
  if (Length(p.b - p.a) < 1e-6) return;
  ra *= scale_;
  rb *= scale_;
  p.ra = ra;
  p.rb = rb;
  p.axes = AlongX(p.b - p.a);
  p.mat = m;
  p.boundCentre = Lerp(p.a, p.b, 0.5);
  double r = std::max(ra, rb);
  p.boundRadius = std::sqrt(Dot(p.b - p.a, p.b - p.a) * 0.25 + r * r);
  Push(p);
}

void Scene::Box(Vec3 centre, Vec3 half, const Material& m, const Mat3& axes) {
  Part p;
  p.shape = Shape::kBox;
  p.a = ToWorld(centre);
  p.radii = half * scale_;
  p.axes = rotation_ * axes;
  p.mat = m;
  p.boundCentre = p.a;
  p.boundRadius = Length(p.radii);
  Push(p);
}

void Scene::Ring(Vec3 centre, double inner, double outer, const Material& m, const Mat3& axes) {
  Part p;
  p.shape = Shape::kRing;
  p.a = ToWorld(centre);
  p.radii = {inner * scale_, outer * scale_, 0};
  p.axes = rotation_ * axes;
  p.mat = m;
  p.boundCentre = p.a;
  p.boundRadius = p.radii.y;
  Push(p);
}

namespace {

bool HitEllipsoid(const Part& p, Vec3 o, Vec3 d, double& t, Vec3& n) {
  Mat3 inv = p.axes.Transposed();
  Vec3 lo = inv * (o - p.a);
  Vec3 ld = inv * d;
  Vec3 so{lo.x / p.radii.x, lo.y / p.radii.y, lo.z / p.radii.z};
  Vec3 sd{ld.x / p.radii.x, ld.y / p.radii.y, ld.z / p.radii.z};
  double a = Dot(sd, sd);
  double b = Dot(so, sd);
  double c = Dot(so, so) - 1.0;
  double h = b * b - a * c;
  if (h < 0) return false;
  t = (-b - std::sqrt(h)) / a;
  Vec3 q = so + sd * t;
  Vec3 ln{q.x / p.radii.x, q.y / p.radii.y, q.z / p.radii.z};
  n = Normalize(p.axes * ln);
  return true;
}

// A sphere-swept cone: spheres of radius ra at a and rb at b and the cone
// that touches both.
bool HitRoundCone(const Part& p, Vec3 o, Vec3 d, double& t, Vec3& n) {
  Vec3 ba = p.b - p.a;
  Vec3 oa = o - p.a;
  Vec3 ob = o - p.b;
  double rr = p.ra - p.rb;
  double m0 = Dot(ba, ba);
  double m1 = Dot(ba, oa);
  double m2 = Dot(ba, d);
  double m3 = Dot(d, oa);
  double m5 = Dot(oa, oa);
  double m6 = Dot(ob, d);
  double m7 = Dot(ob, ob);
  double d2 = m0 - rr * rr;
  double k2 = d2 - m2 * m2;
  double k1 = d2 * m3 - m1 * m2 + m2 * rr * p.ra;
  double k0 = d2 * m5 - m1 * m1 + m1 * rr * p.ra * 2.0 - m0 * p.ra * p.ra;
  double h = k1 * k1 - k0 * k2;
  if (h < 0) return false;
  if (std::fabs(k2) > 1e-12) {
    double tc = (-std::sqrt(h) - k1) / k2;
    double y = m1 - p.ra * rr + tc * m2;
    if (y > 0 && y < d2) {
      t = tc;
      n = Normalize((oa + d * tc) * d2 - ba * y);
      return true;
    }
  }
  double h1 = m3 * m3 - m5 + p.ra * p.ra;
  double h2 = m6 * m6 - m7 + p.rb * p.rb;
  if (std::max(h1, h2) < 0) return false;
  bool hit = false;
  if (h1 > 0) {
    t = -m3 - std::sqrt(h1);
    n = (oa + d * t) * (1.0 / p.ra);
    hit = true;
  }
  if (h2 > 0) {
    double t2 = -m6 - std::sqrt(h2);
    if (!hit || t2 < t) {
      t = t2;
      n = (ob + d * t2) * (1.0 / p.rb);
      hit = true;
    }
  }
  n = Normalize(n);
  return hit;
}

bool HitCylinder(const Part& p, Vec3 o, Vec3 d, double& t, Vec3& n) {
  Vec3 ba = p.b - p.a;
  Vec3 oc = o - p.a;
  double baba = Dot(ba, ba);
  double bard = Dot(ba, d);
  double baoc = Dot(ba, oc);
  double k2 = baba - bard * bard;
  double k1 = baba * Dot(oc, d) - baoc * bard;
  double k0 = baba * Dot(oc, oc) - baoc * baoc - p.ra * p.ra * baba;
  double h = k1 * k1 - k2 * k0;
  if (h < 0) return false;
  h = std::sqrt(h);
  double y = 0;
  if (std::fabs(k2) > 1e-12) {
    t = (-k1 - h) / k2;
    y = baoc + t * bard;
    if (y > 0 && y < baba) {
      n = Normalize((oc + d * t - ba * (y / baba)) * (1.0 / p.ra));
      return true;
    }
  } else {
    y = baoc < 0 ? -1 : baba + 1;
  }
  if (std::fabs(bard) < 1e-12) return false;
  t = ((y < 0 ? 0.0 : baba) - baoc) / bard;
  if (std::fabs(k1 + k2 * t) < h) {
    n = Normalize(ba * (y < 0 ? -1.0 : 1.0));
    return true;
  }
  return false;
}

// A cone cut flat at both ends.
bool HitFrustum(const Part& p, Vec3 o, Vec3 d, double& t, Vec3& n) {
  Vec3 ba = p.b - p.a;
  Vec3 oa = o - p.a;
  Vec3 ob = o - p.b;
  double m0 = Dot(ba, ba);
  double m1 = Dot(oa, ba);
  double m2 = Dot(d, ba);
  double m3 = Dot(d, oa);
  double m5 = Dot(oa, oa);
  double m9 = Dot(ob, ba);
  if (m1 < 0) {
    // In front of the a end: the ray may enter through its cap.
    if (std::fabs(m2) > 1e-12) {
      Vec3 q = oa * m2 - d * m1;
      if (Dot(q, q) < p.ra * p.ra * m2 * m2) {
        t = -m1 / m2;
        n = ba * (-1.0 / std::sqrt(m0));
        return true;
      }
    }
  } else if (m9 > 0) {
    if (std::fabs(m2) > 1e-12) {
      double tc = -m9 / m2;
      Vec3 q = ob + d * tc;
      if (Dot(q, q) < p.rb * p.rb) {
        t = tc;
        n = ba * (1.0 / std::sqrt(m0));
        return true;
      }
    }
  }
  double rr = p.ra - p.rb;
  double hy = m0 + rr * rr;
  double k2 = m0 * m0 - m2 * m2 * hy;
  double k1 = m0 * m0 * m3 - m1 * m2 * hy + m0 * p.ra * (rr * m2);
  double k0 = m0 * m0 * m5 - m1 * m1 * hy + m0 * p.ra * (rr * m1 * 2.0 - m0 * p.ra);
  double h = k1 * k1 - k2 * k0;
  if (h < 0 || std::fabs(k2) < 1e-12) return false;
  double tc = (-k1 - std::sqrt(h)) / k2;
  double y = m1 + tc * m2;
  if (y < 0 || y > m0) return false;
  t = tc;
  n = Normalize((oa + d * tc) * (m0 * m0) + ba * (rr * p.ra * m0) - ba * (hy * y));
  return true;
}

bool HitBox(const Part& p, Vec3 o, Vec3 d, double& t, Vec3& n) {
  Mat3 inv = p.axes.Transposed();
  Vec3 lo = inv * (o - p.a);
  Vec3 ld = inv * d;
  double lov[3] = {lo.x, lo.y, lo.z};
  double ldv[3] = {ld.x, ld.y, ld.z};
  double hv[3] = {p.radii.x, p.radii.y, p.radii.z};
  double tNear = -std::numeric_limits<double>::infinity();
  double tFar = std::numeric_limits<double>::infinity();
  int axis = 0;
  double sign = 1;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(ldv[i]) < 1e-12) {
      if (std::fabs(lov[i]) > hv[i]) return false;
      continue;
    }
    double t1 = (-hv[i] - lov[i]) / ldv[i];
    double t2 = (hv[i] - lov[i]) / ldv[i];
    double s = -1;
    if (t1 > t2) {
      std::swap(t1, t2);
      s = 1;
    }
    if (t1 > tNear) {
      tNear = t1;
      axis = i;
      sign = s;
    }
    tFar = std::min(tFar, t2);
  }
  if (tNear > tFar) return false;
  t = tNear;
  Vec3 ln{0, 0, 0};
  if (axis == 0) ln.x = sign;
  if (axis == 1) ln.y = sign;
  if (axis == 2) ln.z = sign;
  n = p.axes * ln;
  return true;
}

bool HitRing(const Part& p, Vec3 o, Vec3 d, double& t, Vec3& n) {
  Vec3 up = p.axes.cz;
  double dn = Dot(d, up);
  if (std::fabs(dn) < 1e-9) return false;
  t = Dot(p.a - o, up) / dn;
  Vec3 q = o + d * t - p.a;
  double r = Length(q);
  if (r < p.radii.x || r > p.radii.y) return false;
  n = dn < 0 ? up : -up;
  return true;
}

}  // namespace

bool IntersectPart(const Part& part, Vec3 origin, Vec3 dir, double& t, Vec3& normal) {
  switch (part.shape) {
    case Shape::kEllipsoid:
      return HitEllipsoid(part, origin, dir, t, normal);
    case Shape::kRoundCone:
      return HitRoundCone(part, origin, dir, t, normal);
    case Shape::kCylinder:
      return HitCylinder(part, origin, dir, t, normal);
    case Shape::kFrustum:
      return HitFrustum(part, origin, dir, t, normal);
    case Shape::kBox:
      return HitBox(part, origin, dir, t, normal);
    case Shape::kRing:
      return HitRing(part, origin, dir, t, normal);
  }
  return false;
}

namespace {

struct Camera {
  Vec3 right{1, 0, 0};
  Vec3 down;  // screen y grows along this
  Vec3 dir;   // the line of sight, into the scene
};

Camera MakeCamera(const View& view) {
  double s = Sin(view.elevation), c = Cos(view.elevation);
  Camera cam;
  cam.down = {0, s, -c};
  cam.dir = {0, -c, -s};
  return cam;
}

// Light from the upper left of the screen, a little toward the viewer.
const Vec3 kLight = Normalize({-0.62, -0.30, 0.72});
const Vec3 kHalfway = Normalize(kLight + Vec3{0, 0.64, 0.77});

// The shade a material takes for a surface normal (fractional; rounded later).
double ShadeFor(const Material& m, Vec3 n) {
  if (m.flat) return m.light;
  double l = Dot(n, kLight);
  // Wrapped light so the shadow side keeps some shape.
  double diffuse = std::clamp((l + 0.35) / 1.35, 0.0, 1.0);
  double s = m.dark + (m.light - m.dark) * diffuse;
  if (m.gloss > 0) {
    // h to the 24th by squaring: cheaper than pow, and the same everywhere.
    double h = std::max(0.0, Dot(n, kHalfway));
    double h2 = h * h, h4 = h2 * h2, h8 = h4 * h4, h16 = h8 * h8;
    s += m.gloss * h16 * h8;
  }
  return s;
}

struct Sample {
  double depth = std::numeric_limits<double>::infinity();
  int part = -1;
  float shade = 0;
  int8_t ramp = 0;
};

}  // namespace

void ProjectToScreen(const View& view, Vec3 p, double& sx, double& sy) {
  Camera cam = MakeCamera(view);
  sx = Dot(p, cam.right);
  sy = Dot(p, cam.down);
}

SpriteImage RenderScene(const Scene& scene, const View& view) {
  const std::vector<Part>& parts = scene.Parts();
  if (parts.empty()) return SpriteImage{};
  Camera cam = MakeCamera(view);

  // The screen rectangle every part can reach, with room for the outline.
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (const Part& p : parts) {
    double cx = Dot(p.boundCentre, cam.right), cy = Dot(p.boundCentre, cam.down);
    minX = std::min(minX, cx - p.boundRadius);
    maxX = std::max(maxX, cx + p.boundRadius);
    minY = std::min(minY, cy - p.boundRadius);
    maxY = std::max(maxY, cy + p.boundRadius);
  }
  int left = static_cast<int>(std::floor(minX)) - 2;
  int top = static_cast<int>(std::floor(minY)) - 2;
  int width = static_cast<int>(std::ceil(maxX)) + 2 - left + 1;
  int height = static_cast<int>(std::ceil(maxY)) + 2 - top + 1;
  const int ss = std::max(1, view.supersample);
  const int sw = width * ss, sh = height * ss;
  std::vector<Sample> samples(static_cast<size_t>(sw) * sh);

  for (size_t pi = 0; pi < parts.size(); ++pi) {
    const Part& p = parts[pi];
    double cx = Dot(p.boundCentre, cam.right), cy = Dot(p.boundCentre, cam.down);
    int x0 = std::max(0, static_cast<int>(std::floor((cx - p.boundRadius - left) * ss)));
    int x1 = std::min(sw - 1, static_cast<int>(std::ceil((cx + p.boundRadius - left) * ss)));
    int y0 = std::max(0, static_cast<int>(std::floor((cy - p.boundRadius - top) * ss)));
    int y1 = std::min(sh - 1, static_cast<int>(std::ceil((cy + p.boundRadius - top) * ss)));
    Vec3 bandAxis = p.axes * p.mat.bandAxis;
    // Where the part can reach on screen: round its axis for the long shapes,
    // round its centre for the others.
    bool longShape =
        p.shape == Shape::kRoundCone || p.shape == Shape::kCylinder || p.shape == Shape::kFrustum;
    double ax = longShape ? Dot(p.a, cam.right) : cx, ay = longShape ? Dot(p.a, cam.down) : cy;
    double bx = longShape ? Dot(p.b, cam.right) : cx, by = longShape ? Dot(p.b, cam.down) : cy;
    double reach = longShape ? std::max(p.ra, p.rb) + 0.75 : p.boundRadius + 0.75;
    double ex = bx - ax, ey = by - ay, ee = ex * ex + ey * ey;
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        double sx = left + (x + 0.5) / ss;
        double sy = top + (y + 0.5) / ss;
        double u = ee > 0 ? std::clamp(((sx - ax) * ex + (sy - ay) * ey) / ee, 0.0, 1.0) : 0.0;
        double qx = sx - ax - ex * u, qy = sy - ay - ey * u;
        if (qx * qx + qy * qy > reach * reach) continue;
        Vec3 origin = cam.right * sx + cam.down * sy - cam.dir * 2000.0;
        double t;
        Vec3 n;
        if (!IntersectPart(p, origin, cam.dir, t, n)) continue;
        Sample& s = samples[static_cast<size_t>(y) * sw + x];
        if (t >= s.depth) continue;
        Vec3 hit = origin + cam.dir * t;
        if (hit.z < view.clipBelow) continue;
        double shade = ShadeFor(p.mat, n);
        int ramp = p.mat.ramp;
        if (p.mat.bandPeriod > 0) {
          bool inBand;
          if (p.mat.bandAround) {
            Vec3 q = hit - p.a;
            double a = Atan2(Dot(q, p.axes.cy), Dot(q, p.axes.cx)) / (2 * 3.14159265358979);
            double u = a * p.mat.bandPeriod;
            inBand = u - std::floor(u) < p.mat.bandWidth;
          } else {
            double u = Dot(hit - p.a, bandAxis) - p.mat.bandOffset;
            inBand = u - std::floor(u / p.mat.bandPeriod) * p.mat.bandPeriod < p.mat.bandWidth;
          }
          if (inBand) {
            shade += p.mat.bandShift;
            if (p.mat.bandRamp >= 0) ramp = p.mat.bandRamp;
          }
        }
        s.depth = t;
        s.part = static_cast<int>(pi);
        s.shade = static_cast<float>(shade);
        s.ramp = static_cast<int8_t>(ramp);
      }
    }
  }

  // Resolve the samples of each pixel: drawn when at least half of them hit;
  // the part that covers most of it gives the colour.
  const size_t count = static_cast<size_t>(width) * height;
  std::vector<int> pixelPart(count, -1);
  std::vector<double> pixelDepth(count, 0);
  std::vector<double> pixelShade(count, 0);
  std::vector<int> pixelRamp(count, 0);
  std::vector<int> hits;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      hits.clear();
      for (int j = 0; j < ss; ++j) {
        for (int i = 0; i < ss; ++i) {
          const Sample& s = samples[static_cast<size_t>(y * ss + j) * sw + x * ss + i];
          if (s.part >= 0) hits.push_back(static_cast<int>((y * ss + j) * sw + x * ss + i));
        }
      }
      if (static_cast<int>(hits.size()) * 2 < ss * ss) continue;
      // The part with the most samples, nearer on ties.
      int best = -1, bestCount = 0;
      double bestDepth = 0;
      for (int h : hits) {
        int part = samples[h].part;
        int c = 0;
        for (int k : hits) c += samples[k].part == part;
        if (c > bestCount || (c == bestCount && samples[h].depth < bestDepth)) {
          best = part;
          bestCount = c;
          bestDepth = samples[h].depth;
        }
      }
      double shade = 0, depth = 1e18;
      int n = 0, ramp = 0;
      for (int h : hits) {
        if (samples[h].part != best) continue;
        shade += samples[h].shade;
        depth = std::min(depth, samples[h].depth);
        ramp = samples[h].ramp;
        ++n;
      }
      size_t idx = static_cast<size_t>(y) * width + x;
      pixelPart[idx] = best;
      pixelShade[idx] = shade / n;
      pixelDepth[idx] = depth;
      pixelRamp[idx] = ramp;
    }
  }

  SpriteImage img = BlankSprite(width, height, -left, -top);
  // A part passing in front of another gets a dark line along its edge on
  // the one behind.
  const int dx4[4] = {1, -1, 0, 0}, dy4[4] = {0, 0, 1, -1};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      size_t idx = static_cast<size_t>(y) * width + x;
      int part = pixelPart[idx];
      if (part < 0) continue;
      const Material& m = parts[part].mat;
      double shade = pixelShade[idx];
      if (!m.flat) {
        for (int k = 0; k < 4; ++k) {
          int nx = x + dx4[k], ny = y + dy4[k];
          if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
          size_t nidx = static_cast<size_t>(ny) * width + nx;
          int other = pixelPart[nidx];
          if (other < 0 || other == part) continue;
          if (parts[other].mat.glow != m.glow) continue;
          if (pixelDepth[idx] - pixelDepth[nidx] > view.edgeDepth) {
            shade -= view.edgeDarken;
            break;
          }
        }
      }
      int s = static_cast<int>(std::lround(shade));
      if (m.glow) {
        img.pixels[idx] = static_cast<uint8_t>(std::clamp(s, 1, 31));
      } else {
        img.pixels[idx] = Shade(pixelRamp[idx], std::clamp(s, 1, 31));
      }
      img.opaque[idx] = 1;
    }
  }
  // The outline: every empty pixel beside a drawn, outlined one.
  std::vector<uint8_t> outline(count, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      size_t idx = static_cast<size_t>(y) * width + x;
      if (img.opaque[idx]) continue;
      int ramp = -1;
      for (int k = 0; k < 4 && ramp < 0; ++k) {
        int nx = x + dx4[k], ny = y + dy4[k];
        if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
        size_t nidx = static_cast<size_t>(ny) * width + nx;
        if (!img.opaque[nidx] || outline[nidx]) continue;
        const Material& m = parts[pixelPart[nidx]].mat;
        if (m.noOutline || m.glow) continue;
        ramp = pixelRamp[nidx];
      }
      if (ramp >= 0) {
        img.pixels[idx] = Shade(ramp, view.outlineShade);
        outline[idx] = 1;
      }
    }
  }
  for (size_t i = 0; i < count; ++i) {
    if (outline[i]) img.opaque[i] = 1;
  }

  // Crop to what was drawn; keep the height even so the shadow lines up.
  int cx0 = width, cy0 = height, cx1 = -1, cy1 = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!img.opaque[static_cast<size_t>(y) * width + x]) continue;
      cx0 = std::min(cx0, x);
      cx1 = std::max(cx1, x);
      cy0 = std::min(cy0, y);
      cy1 = std::max(cy1, y);
    }
  }
  if (cx1 < 0) return SpriteImage{};
  int cw = cx1 - cx0 + 1, ch = cy1 - cy0 + 1;
  int padTop = ch % 2;
  SpriteImage out = BlankSprite(cw, ch + padTop, img.ofsX - cx0, img.ofsY - cy0 + padTop);
  for (int y = 0; y < ch; ++y) {
    for (int x = 0; x < cw; ++x) {
      size_t src = static_cast<size_t>(y + cy0) * width + x + cx0;
      size_t dst = static_cast<size_t>(y + padTop) * cw + x;
      out.pixels[dst] = img.pixels[src];
      out.opaque[dst] = img.opaque[src];
    }
  }
  return out;
}

}  // namespace torvel::forge::creatures
