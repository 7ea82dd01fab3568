#include "autoplay/motion.h"

#include <cmath>
#include <cstdlib>

#include "actors/guys.h"
#include "common/fixed.h"
#include "common/trig.h"
#include "input/input.h"

namespace torvel::autoplay {

namespace {

constexpr int32_t kFriction = 0xC000;
constexpr int32_t kCoast = 0x6000;
constexpr uint8_t kDirections = kActionUp | kActionDown | kActionLeft | kActionRight;

// How far a speed coasts before it stops, keys let go on dry ground.
int32_t CoastDistance(int32_t v) {
  int32_t d = 0;
  int32_t s = std::abs(v);
  while (s > 0) {
    s -= kFriction + kCoast;
    if (s > 0) d += s;
  }
  return v < 0 ? -d : d;
}

double Hypot(double a, double b) {
  return std::sqrt(a * a + b * b);
}

// Distance of point p from the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  double vx = bx - ax, vy = by - ay;
  double len2 = vx * vx + vy * vy;
  double t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return Hypot(px - (ax + t * vx), py - (ay + t * vy));
}

// Whether the hero's box can travel in a straight line from (ax, ay) to (bx,
// by) (whole pixels), looked at every few pixels.
bool ClearLine(const NavGrid& grid, int ax, int ay, int bx, int by, int margin, bool goalEnd) {
  int steps = std::max(std::abs(bx - ax), std::abs(by - ay)) / 4 + 1;
  for (int i = 0; i <= steps; ++i) {
    int x = ax + (bx - ax) * i / steps;
    int y = ay + (by - ay) * i / steps;
    if (!grid.BoxFits(x, y, margin, goalEnd && i == steps)) {
      if (!(goalEnd && i >= steps - 2 && grid.BoxFits(x, y, 0, true))) return false;
    }
  }
  return true;
}

}  // namespace

uint8_t FacingFromBits(uint8_t bits, uint8_t facing) {
  bool up = bits & kActionUp, down = bits & kActionDown;
  bool left = bits & kActionLeft, right = bits & kActionRight;
  if (up && left) return 5;
  if (up && right) return 7;
  if (up) return 6;
  if (down && left) return 3;
  if (down && right) return 1;
  if (down) return 2;
  if (left) return 4;
  if (right) return 0;
  return facing;
}

uint8_t BitsForFacing(int f) {
  switch (f & 7) {
    case 0:
      return kActionRight;
    case 1:
      return kActionRight | kActionDown;
    case 2:
      return kActionDown;
    case 3:
      return kActionDown | kActionLeft;
    case 4:
      return kActionLeft;
    case 5:
      return kActionLeft | kActionUp;
    case 6:
      return kActionUp;
    default:
      return kActionUp | kActionRight;
  }
}

void HeroVelocityStep(int32_t& dx, int32_t& dy, uint8_t& facing, uint8_t held, bool icy,
                      int32_t topSpeed) {
  if (!icy) {
    dx = Dampen(dx, kFriction);
    dy = Dampen(dy, kFriction);
  }
  facing = FacingFromBits(held, facing);
  if (held & kDirections) {
    int angle = facing * 32;
    int32_t c = Cosine(angle), s = Sine(angle);
    if (!icy) {
      dx += c * 3 / 2;
      dy += s * 3 / 2;
      if ((c < 0 && dx > 0) || (c > 0 && dx < 0)) dx = 0;
      if ((s < 0 && dy > 0) || (s > 0 && dy < 0)) dy = 0;
    } else {
      dx += c / 4;
      dy += s / 4;
    }
    dx = Clamp(dx, topSpeed);
    dy = Clamp(dy, topSpeed);
  } else if (!icy) {
    dx = Dampen(dx, kCoast);
    dy = Dampen(dy, kCoast);
  }
}

bool Mover::AtCentre(const Guy& hero, TilePos t, int slack) {
  int px = hero.x >> 16, py = hero.y >> 16;
  return std::abs(px - TileCentrePx(t.x)) <= slack && std::abs(py - TileCentrePy(t.y)) <= slack &&
         std::abs(hero.dx) < 0x18000 && std::abs(hero.dy) < 0x18000;
}

uint8_t Mover::Steer(const Guy& hero, const NavGrid& grid, const std::vector<TilePos>& path,
                     bool icy, int32_t topSpeed) {
  int px = hero.x >> 16, py = hero.y >> 16;
  if (path.empty()) return 0;
  grid.MarkWay(path);
  // The farthest tile of the way the hero can head for in a straight line.
  int target = -1;
  int last = static_cast<int>(path.size()) - 1;
  // A teleport carries the hero on from its tile: head for the tile first.
  for (int j = 1; j <= last; ++j) {
    if (std::abs(path[j].x - path[j - 1].x) > 1 || std::abs(path[j].y - path[j - 1].y) > 1) {
      last = j - 1;
      break;
    }
  }
  // A solid tile on the way is a portcullis to walk into: head for it, and
  // from the tile before it, press on into it.
  for (int j = 1; j <= last; ++j) {
    if (grid.Use(path[j].x, path[j].y) != CellUse::kBlocked) continue;
    TilePos own{px / 32, py / 24};
    if (own == path[j - 1]) {
      // Into it, straight (steering would not push against a wall).
      int dx = path[j].x - own.x, dy = path[j].y - own.y;
      return static_cast<uint8_t>((dx > 0   ? kActionRight
                                   : dx < 0 ? kActionLeft
                                            : 0) |
                                  (dy > 0   ? kActionDown
                                   : dy < 0 ? kActionUp
                                            : 0));
    }
    last = j - 1;
    break;
  }
  int limit = std::min(last, 10);
  for (int j = limit; j >= 0; --j) {
    bool end = j == last;
    if (ClearLine(grid, px, py, TileCentrePx(path[j].x), TileCentrePy(path[j].y), 2, end)) {
      target = j;
      break;
    }
  }
  if (target < 0) {
    // Off the way: back to the middle of the tile it stands on first.
    TilePos own{px / 32, py / 24};
    return SteerTo(hero, grid, TileCentrePx(own.x), TileCentrePy(own.y), icy, topSpeed, true);
  }
  return SteerTo(hero, grid, TileCentrePx(path[target].x), TileCentrePy(path[target].y), icy,
                 topSpeed, target == last);
}

uint8_t Mover::SteerTo(const Guy& hero, const NavGrid& grid, int tx, int ty, bool icy,
                       int32_t topSpeed, bool goals) {
  (void)goals;
  double best = 1e18;
  uint8_t bestBits = 0;
  const double x0 = hero.x / 65536.0, y0 = hero.y / 65536.0;
  for (uint8_t bits : kKeyChoices) {
    int32_t dx = hero.dx, dy = hero.dy;
    uint8_t facing = hero.facing;
    HeroVelocityStep(dx, dy, facing, bits, icy, topSpeed);
    // The game moves x first, then y, undoing a move that does not fit.
    int32_t nx = hero.x + dx, ny = hero.y;
    double penalty = 0;
    if (!grid.BoxFits(nx >> 16, ny >> 16, 0, true)) {
      nx = hero.x;
      penalty += 40;
    }
    ny = hero.y + dy;
    if (!grid.BoxFits(nx >> 16, ny >> 16, 0, true)) {
      ny = hero.y;
      penalty += 40;
    }
    double sx = (nx + (icy ? dx * 8 : CoastDistance(dx))) / 65536.0;
    double sy = (ny + (icy ? dy * 8 : CoastDistance(dy))) / 65536.0;
    double cost = Hypot(sx - tx, sy - ty) + penalty;
    cost += 0.5 * SegmentDistance(nx / 65536.0, ny / 65536.0, x0, y0, tx, ty);
    if (cost < best - 1e-9) {
      best = cost;
      bestBits = bits;
    }
  }
  return bestBits;
}

}  // namespace torvel::autoplay
