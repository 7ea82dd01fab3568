#include "forge/icons/icon_art.h"

#include <algorithm>
#include <cmath>

namespace torvel::forge {

namespace {

struct Colour {
  double r, g, b;
};

Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Inside a rectangle with rounded corners (all in icon units, 0..1).
bool InRoundedBox(double x, double y, double x0, double y0, double x1, double y1, double radius) {
  if (x < x0 || x > x1 || y < y0 || y > y1) return false;
  double cx = std::clamp(x, x0 + radius, x1 - radius);
  double cy = std::clamp(y, y0 + radius, y1 - radius);
  double dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= radius * radius;
}

bool InCircle(double x, double y, double cx, double cy, double r) {
  double dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= r * r;
}

// The sword, upright with its point at the top; grown by `grow` for its outline.
enum class SwordPart { kNone, kBlade, kBladeShade, kGuard, kGrip, kPommel };

SwordPart SwordAt(double x, double y, double grow) {
  const double centre = 0.5;
  const double tip = 0.12 - grow, taper = 0.24, guardTop = 0.64;
  double half = 0.055 + grow;
  if (y >= tip && y <= guardTop) {
    // The point narrows the blade linearly over its top.
    double w = y < taper ? half * (y - tip) / (taper - tip) : half;
    if (std::fabs(x - centre) <= w) return x > centre ? SwordPart::kBladeShade : SwordPart::kBlade;
  }
  if (y >= guardTop - grow && y <= 0.70 + grow && std::fabs(x - centre) <= 0.21 + grow)
    return SwordPart::kGuard;
  if (y >= 0.70 && y <= 0.82 + grow && std::fabs(x - centre) <= 0.035 + grow)
    return SwordPart::kGrip;
  if (InCircle(x, y, centre, 0.855, 0.05 + grow)) return SwordPart::kPommel;
  return SwordPart::kNone;
}

// The colour of the tile at a point inside it.
Colour TileColour(double x, double y) {
  const Colour skyTop{34, 52, 110}, skyLow{150, 70, 80};
  const Colour sunInner{255, 222, 120}, sunOuter{240, 130, 50};
  const Colour hill{36, 98, 58}, hillDark{22, 62, 40};
  const Colour ink{14, 12, 24};
  const Colour steel{226, 232, 242}, steelShade{150, 162, 184};
  const Colour gold{232, 186, 64}, grip{104, 62, 36};

  Colour c = Mix(skyTop, skyLow, std::clamp((y - 0.1) / 0.7, 0.0, 1.0));
  double sunR = 0.27;
  double dx = x - 0.5, dy = y - 0.5;
  double d = std::sqrt(dx * dx + dy * dy);
  if (d <= sunR) c = Mix(sunInner, sunOuter, d / sunR);
  // Two rows of hills, the near one darker.
  double far = 0.70 + 0.05 * (x - 0.2) * (x - 0.2) * 4.0;
  double near = 0.80 + 0.04 * (x - 0.8) * (x - 0.8) * 4.0;
  if (y >= far) c = hill;
  if (y >= near) c = hillDark;

  if (SwordAt(x, y, 0.025) != SwordPart::kNone) c = ink;
  switch (SwordAt(x, y, 0.0)) {
    case SwordPart::kBlade:
      c = steel;
      break;
    case SwordPart::kBladeShade:
      c = steelShade;
      break;
    case SwordPart::kGuard:
    case SwordPart::kPommel:
      c = gold;
      break;
    case SwordPart::kGrip:
      c = grip;
      break;
    case SwordPart::kNone:
      break;
  }
  return c;
}

}  // namespace

std::vector<uint8_t> RenderIcon(int size) {
  std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4, 0);
  if (size <= 0) return rgba;
  constexpr int kSub = 4;  // samples per pixel along each axis
  const double inset = 1.0 / 32, radius = 0.16, border = 0.035;
  const Colour rim{214, 176, 86};
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0;
      int covered = 0;
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          double x = (px + (sx + 0.5) / kSub) / size;
          double y = (py + (sy + 0.5) / kSub) / size;
          if (!InRoundedBox(x, y, inset, inset, 1 - inset, 1 - inset, radius)) continue;
          bool inner = InRoundedBox(x, y, inset + border, inset + border, 1 - inset - border,
                                    1 - inset - border, radius - border);
          Colour c = inner ? TileColour(x, y) : rim;
          r += c.r;
          g += c.g;
          b += c.b;
          ++covered;
        }
      }
      uint8_t* p = &rgba[(static_cast<size_t>(py) * size + px) * 4];
      if (covered == 0) continue;
      p[0] = static_cast<uint8_t>(std::lround(r / covered));
      p[1] = static_cast<uint8_t>(std::lround(g / covered));
      p[2] = static_cast<uint8_t>(std::lround(b / covered));
      p[3] = static_cast<uint8_t>(std::lround(255.0 * covered / (kSub * kSub)));
    }
  }
  return rgba;
}

}  // namespace torvel::forge
