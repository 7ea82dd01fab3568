#include "forge/art/motifs.h"

#include <algorithm>
#include <cmath>

#include "forge/art/materials.h"

namespace torvel::forge {

namespace {

// Distance from p to the segment a-b.
double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  double bx = b.x - a.x, by = b.y - a.y;
  double len2 = bx * bx + by * by;
  double t = len2 > 0 ? ClampTo(((p.x - a.x) * bx + (p.y - a.y) * by) / len2, 0, 1) : 0;
  double dx = p.x - (a.x + bx * t), dy = p.y - (a.y + by * t);
  return std::sqrt(dx * dx + dy * dy);
}

double PolylineDistance(Vec2 p, const std::vector<Vec2>& line) {
  double best = 1e9;
  for (size_t i = 1; i < line.size(); ++i)
    best = std::min(best, SegmentDistance(p, line[i - 1], line[i]));
  return best;
}

Material KeyMetal(KeyKind kind) {
  Material m = Gold();
  switch (kind) {
    case KeyKind::kOrdinary:
      break;
    case KeyKind::kRed:
      m.ramp = kRed;
      break;
    case KeyKind::kBlue:
      m.ramp = kBlue;
      break;
    case KeyKind::kViolet:
      m.ramp = kViolet;
      break;
  }
  return m;
}

}  // namespace

int KeyGemRamp(KeyKind kind) {
  switch (kind) {
    case KeyKind::kOrdinary:
      return -1;
    case KeyKind::kRed:
      return kRed;
    case KeyKind::kBlue:
      return kBlue;
    case KeyKind::kViolet:
      return kViolet;
  }
  return -1;
}

void PaintKey(ShadeImage& img, Vec2 bow, double s, double angle, KeyKind kind) {
  Material metal = KeyMetal(kind);
  Vec2 d{Cos(angle), Sin(angle)}, p{-Sin(angle), Cos(angle)};
  auto at = [&](double along, double across) {
    return Vec2{bow.x + d.x * along * s + p.x * across * s,
                bow.y + d.y * along * s + p.y * across * s};
  };
  Capsule(img, at(4.2, 0), at(16.5, 0), 1.25 * s, 1.15 * s, metal);
  Capsule(img, at(12.5, 0), at(12.5, 3.8), 1.1 * s, 1.1 * s, metal);
  Capsule(img, at(15.3, 0), at(15.3, 3.0), 1.1 * s, 1.1 * s, metal);
  Capsule(img, at(5.6, -1.6), at(5.6, 1.6), 0.9 * s, 0.9 * s, metal);
  Torus(img, bow.x, bow.y, 3.3 * s, 1.45 * s, 1.0, metal);
  int gem = KeyGemRamp(kind);
  if (gem >= 0) {
    Material j = Jewel(gem);
    j.dark = 8;
    Ellipsoid(img, bow.x, bow.y, 1.9 * s, 1.9 * s, j);
  }
}

void PaintCoin(ShadeImage& img, Vec2 centre, double r, double spin, const Material& metal,
               bool crown) {
  Splatter sp(img, centre, TurnX(-0.25) * TurnY(spin), 0.25);
  // The emblem: a five-pointed star or a little crown, raised.
  auto emblem = [&](double x, double y) {
    double u = x / r, v = y / r;
    if (crown) {
      bool band = v > 0.05 && v < 0.35 && std::fabs(u) < 0.45;
      double tip = std::fabs(std::fmod(u + 2.25, 0.3) - 0.15);  // three points
      bool points = v <= 0.05 && v > -0.4 + tip * 2.2 && std::fabs(u) < 0.45;
      return band || points;
    }
    double a = Atan2(v, u) + kPi / 2;
    double rr = std::sqrt(u * u + v * v);
    double k = std::fabs(std::fmod(a * 5 / kTwoPi + 100.5, 1.0) - 0.5) * 2;  // 0 at points
    return rr < 0.22 + 0.3 * (1 - k);
  };
  double thick = std::max(1.6, r * 0.3);
  sp.Slab([&](double x, double y) { return x * x + y * y <= r * r; }, -r, -r, r, r, thick, 1.3,
          metal,
          [&](Vec3 q) {
            Decal d;
            double rr = std::sqrt(q.x * q.x + q.y * q.y) / r;
            if (std::fabs(q.z) < thick / 2 - 0.01) return d;  // the milled edge
            if (rr > 0.72 && rr < 0.8) d.bias = -3;           // a groove inside the rim
            bool in = emblem(q.x, q.y);
            if (in) {
              d.bias += 2;
              if (!emblem(q.x - 0.8, q.y - 0.8)) d.bias += 3;
              if (!emblem(q.x + 0.8, q.y + 0.8)) d.bias -= 4;
            }
            return d;
          });
}

void PaintPotion(ShadeImage& img, Vec2 base, double s, int liquidRamp) {
  Splatter sp(img, base, TurnX(-0.3), 0.3);
  double bodyY = -5.6 * s, bodyR = 5.8 * s;
  auto radius = [&](double y) {
    if (y > -10.4 * s) {
      double dy = y - bodyY;
      double r = std::sqrt(std::max(0.0, bodyR * bodyR - dy * dy));
      return std::max(r, 1.9 * s);
    }
    if (y > -13.2 * s) return 1.9 * s;
    return 2.5 * s;  // the lip
  };
  Material liquid = Jewel(liquidRamp);
  liquid.dark = 4;
  liquid.lit = 19;
  double level = -7.8 * s;
  sp.Lathe(radius, -14.2 * s, 0, liquid, [&](Vec3 q) {
    Decal d;
    if (q.y < level) {
      d.ramp = kIce;
      d.bias = 3;
    }
    return d;
  });
  Material cork = Wood(11);
  cork.lit = 18;
  sp.Lathe([&](double) { return 1.6 * s; }, -17.2 * s, -14.0 * s, cork);
}

double SwordPieceStart(int piece) {
  static const double kStarts[4] = {0, 40, 52, 110};
  return kStarts[piece & 3];
}

double SwordPieceEnd(int piece) {
  static const double kEnds[4] = {40, 52, 110, kSwordLength};
  return kEnds[piece & 3];
}

namespace {

// The blade breaks along a jagged line between the two blade pieces.
double BreakLine(double x) {
  return 110 + 2.5 * (1 - std::fabs(std::fmod(std::fabs(x) + 20, 4.0) - 2));
}

// Which piece a point of the sword (length units up from the pommel foot)
// belongs to.
int PieceAt(double x, double up) {
  if (up < 40) return 0;
  if (up < 52) return 1;
  if (up < BreakLine(x)) return 2;
  return 3;
}

void SwordParts(Splatter& sp, double s, double shift, unsigned mask, double bias) {
  auto has = [&](int piece) { return (mask >> piece) & 1u; };
  auto biased = [&](Decal d) {
    d.bias += bias;
    return d;
  };
  // Object y grows downward; the sword points up, so "up" = -(y + shift) / s.
  auto up = [&](double y) { return -(y + shift) / s; };
  if (has(0)) {
    Material gold = Gold();
    sp.Ellipsoid({0, -6 * s - shift, 0}, {5.5 * s, 6 * s, 5.5 * s}, gold,
                 [&](Vec3) { return biased({}); });
    sp.Gem({0, -6.5 * s - shift, 4.6 * s}, {2.2 * s, 2.2 * s, 1.4 * s}, 6, Jewel(kRed),
           [&](Vec3) { return biased({}); });
    Material grip = Leather();
    sp.Lathe([&](double) { return 3.1 * s; }, -40 * s - shift, -11.5 * s - shift, grip,
             [&](Vec3 q) {
               Decal d;
               double t = std::fmod(up(q.y) + 100 + Atan2(q.z, q.x) * 0.5, 3.2);
               if (t < 0.9) d.bias = -3;
               return biased(d);
             });
  }
  if (has(1)) {
    auto guard = [&](double x, double y) {
      double u = x / s, v = up(y);
      if (v < 40 || v > 53) return false;
      double au = std::fabs(u);
      if (au * au + (v - 46) * (v - 46) < 30) return true;  // the boss
      if (au > 17) return false;
      double centre = 44.5 + (au / 17) * (au / 17) * 6;
      double half = 2.8 * (1 - 0.35 * au / 17);
      return std::fabs(v - centre) < half;
    };
    sp.Slab(guard, -18 * s, -54 * s - shift, 18 * s, -39 * s - shift, 5 * s, 1.6 * s, Gold(),
            [&](Vec3) { return biased({}); });
    sp.Gem({0, -46 * s - shift, 2.6 * s}, {2.6 * s, 2.6 * s, 1.5 * s}, 6, Jewel(kViolet),
           [&](Vec3) { return biased({}); });
  }
  if (has(2) || has(3)) {
    auto blade = [&](double x, double y) {
      double u = x / s, v = up(y);
      if (v < 51 || v > kSwordLength) return false;
      int piece = PieceAt(u, v);
      if (piece < 2 || !has(piece)) return false;
      double half = v < 150 ? Lerp(7.6, 5.8, (v - 52) / 98) : 5.8 * (kSwordLength - v) / 20;
      return std::fabs(u) < half;
    };
    Material steel = Steel();
    sp.Slab(blade, -8 * s, -kSwordLength * s - shift, 8 * s, -50 * s - shift, 2.6 * s, 4 * s, steel,
            [&](Vec3 q) {
              Decal d;
              double u = q.x / s, v = up(q.y);
              if (std::fabs(u) < 1.3 && v > 56 && v < 146) {
                d.bias = -2.5;  // the fuller
                double k = std::fmod(v - 56, 11.0);
                if (k > 3 && k < 7 && std::fabs(u) < 0.9) {
                  d.ramp = kViolet;  // runes glowing in the groove
                  d.bias = 8;
                }
              }
              return biased(d);
            });
  }
}

}  // namespace

void PaintSword(ShadeImage& img, Vec2 origin, double scale, const Mat3& turn, unsigned pieceMask,
                double extraBias) {
  Splatter sp(img, origin, turn, 0.3);
  SwordParts(sp, scale, 0, pieceMask, extraBias);
}

void PaintSwordPiece(ShadeImage& img, Vec2 base, int piece, double scale, double spin) {
  double start = SwordPieceStart(piece), end = SwordPieceEnd(piece);
  double mid = (start + end) / 2;
  // Turn about the piece's own middle, then put its foot at base.
  Splatter sp(img, {base.x, base.y - (mid - start) * scale}, TurnX(-0.25) * TurnY(spin), 0.25);
  SwordParts(sp, scale, -mid * scale, 1u << piece, 0);
}

int RuneRamp(RuneSymbol symbol) {
  switch (symbol) {
    case RuneSymbol::kRate:
      return kGold;
    case RuneSymbol::kReverse:
      return kIce;
    case RuneSymbol::kBounce:
      return kGreen;
  }
  return kGold;
}

namespace {
std::vector<std::vector<Vec2>> RuneStrokes(RuneSymbol symbol) {
  switch (symbol) {
    case RuneSymbol::kRate:
      return {{{-0.65, -0.6}, {-0.1, 0}, {-0.65, 0.6}}, {{0.0, -0.6}, {0.55, 0}, {0.0, 0.6}}};
    case RuneSymbol::kReverse:
      return {{{-0.4, -0.5}, {0.3, -0.5}, {0.6, -0.2}, {0.6, 0.2}, {0.3, 0.5}, {-0.55, 0.5}},
              {{-0.2, 0.15}, {-0.55, 0.5}, {-0.2, 0.85}}};
    case RuneSymbol::kBounce:
      return {{{-0.7, -0.55}, {-0.25, 0.55}, {0.15, -0.55}, {0.6, 0.55}},
              {{0.25, 0.45}, {0.62, 0.6}, {0.72, 0.2}}};
  }
  return {};
}
}  // namespace

void PaintRune(ShadeImage& img, Vec2 centre, double s, double spin, RuneSymbol symbol, bool ghost) {
  int ramp = RuneRamp(symbol);
  Material body;
  body.ramp = ramp;
  if (ghost) {
    body = GhostGlow(ramp, 1, 7);
  } else {
    body.dark = 3;
    body.lit = 15;
    body.ambient = 0.25;
    body.specular = 0.3;
    body.glint = 20;
  }
  std::vector<std::vector<Vec2>> strokes = RuneStrokes(symbol);
  double hw = 6 * s, hh = 7 * s, corner = 2.6 * s;
  auto inside = [&](double x, double y) {
    double qx = std::max(std::fabs(x) - (hw - corner), 0.0);
    double qy = std::max(std::fabs(y) - (hh - corner), 0.0);
    return qx * qx + qy * qy <= corner * corner;
  };
  Splatter sp(img, centre, TurnX(-0.2) * TurnY(spin), 0.25);
  double thick = 3 * s;
  sp.Slab(inside, -hw, -hh, hw, hh, thick, 1.4 * s, body, [&](Vec3 q) {
    Decal d;
    if (std::fabs(q.z) < thick / 2 - 0.01) return d;
    // The symbol shows on both faces (mirrored on the back, as a real
    // carving would).
    Vec2 u{q.x / (hw * 0.8), q.y / (hh * 0.8)};
    if (q.z < 0) u.x = -u.x;
    double dist = 1e9;
    for (const auto& stroke : strokes) dist = std::min(dist, PolylineDistance(u, stroke));
    double width = 0.16;
    if (dist < width) {
      d.bias = ghost ? 6 : 12;
    } else if (dist < width + 0.14) {
      d.bias = ghost ? 2 : -3;  // a glow around the glyph, or the carving's rim
    }
    return d;
  });
}

void PaintScroll(ShadeImage& img, Vec2 centre, double s, double spin) {
  // A lathe turned on its side: its axis runs left to right.
  Splatter sp(img, centre, TurnX(-0.45) * TurnY(spin) * TurnZ(kPi / 2), 0.25);
  double half = 8 * s, r = 3.2 * s;
  sp.Lathe([&](double y) { return r * (1 + 0.06 * (1 - (y / half) * (y / half))); }, -half, half,
           Parchment(),
           [&](Vec3 q) {
             Decal d;
             double rr = std::sqrt(q.x * q.x + q.z * q.z);
             if (std::fabs(std::fabs(q.y) - half) < 0.05) {
               // The rolled end: a spiral of paper edges.
               double a = Atan2(q.z, q.x);
               double k = std::fmod(rr / s * 1.6 + a / kTwoPi * 1.6 + 10, 1.6);
               if (k < 0.5) d.bias = -6;
             } else if (std::fabs(q.y) < 1.2 * s) {
               d.ramp = kRed;  // the ribbon
               d.bias = -6;
             }
             return d;
           });
  Material knob = Wood(9);
  knob.lit = 14;
  for (double side : {-1.0, 1.0})
    sp.Ellipsoid({0, side * (half + 1.2 * s), 0}, {1.6 * s, 1.3 * s, 1.6 * s}, knob);
  Material wax = Jewel(kRed);
  wax.dark = 3;
  wax.lit = 17;
  wax.specular = 0.4;
  sp.Ellipsoid({0, 0, r + 0.3 * s}, {1.9 * s, 1.9 * s, 1.0 * s}, wax);
}

}  // namespace torvel::forge
