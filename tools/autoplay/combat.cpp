#include "autoplay/combat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/kinds.h"
#include "autoplay/motion.h"
#include "common/trig.h"
#include "input/input.h"
#include "player/player.h"
#include "player/player_record.h"
#include "world/world.h"

namespace torvel::autoplay {

namespace {

constexpr int kMossKind = 21;   // spreads over free floor
constexpr int kGiantKind = 32;  // the castle's boss
constexpr int kThingKind = 26;  // the underworld's last boss
constexpr int kShotSpeed = 12;  // pixels a tick
constexpr int kShotLife = 30;   // ticks
// How far (straight) a spitter is shot from at most: well within a bolt's flight.
constexpr int kFarShot = kShotSpeed * (kShotLife - 3);
constexpr int kShotReach = 12;  // half-size of the square a bolt hits in
constexpr uint8_t kFriendly = 11;
constexpr uint8_t kPteroKind = 12;  // the hero's allies
constexpr uint8_t kGolemKind = 20;

// The one of the eight facings nearest the way from one point to another.
int FacingTowards(double fromX, double fromY, double toX, double toY) {
  double angle = std::atan2(toY - fromY, toX - fromX);
  return static_cast<int>(std::lround(angle / (3.14159265358979 / 4))) & 7;
}

// Bullet kinds that hurt the hero's side, and the half-size of their hit.
int HeroHurtingRadius(uint8_t kind) {
  switch (kind) {
    case 6:
    case 9:
    case 23:
      return 8;
    case 11:
      return 40;
    case 13:
    case 15:
    case 20:
    case 21:
    case 25:
    case 29:
      return 12;
    case 14:
    case 24:
      return 4;
    case 17:
      return 100;
    case 18:
      return 120;
    case 22:
    case 30:
      return 16;
    default:
      return 0;
  }
}

// How near (Manhattan, between middles) each kind may come before it can
// strike: its attack's trigger distance and the reach of the blow.
int KeepOut(int kind) {
  switch (kind) {
    case 2:
      return 72;
    case 3:
      return 80;
    case 4:
      return 46;
    case 6:
      return 140;
    case 7:
      return 0;
    case 8:
      return 150;
    case 9:
      return 95;
    case 10:
    case 19:
    case 23:
    case 26:
    case 29:
    case 41:
    case 55:
      return 0;
    case 14:
      return 70;
    case 15:
      return 90;
    case 16:
      return 0;
    case 18:
      return 140;
    case 21:
      return 44;
    case 22:
      return 60;
    case 24:
      return 100;
    case 25:
      return 130;
    case 30:
      return 95;
    case 31:
      return 80;
    case 32:
      return 200;
    case 33:
      return 90;
    case 34:
      return 70;
    case 35:
      return 130;
    case 36:
    case 37:
      return 120;
    case 39:
      return 95;
    case 40:
      return 85;
    case 43:
      return 110;
    case 44:
      return 100;
    case 45:
      return 160;
    case 46:
      return 70;
    case 47:
    case 48:
      return 0;
    case 49:
      return 120;
    case 51:
    case 52:
      return 64;
    case 53:
      return 75;
    case 57:
      return 70;
    case 58:
      return 170;
    case 59:
      return 125;
    default:
      return 40;
  }
}

// How far from its own place (straight) each kind's spit can land: the
// mother spider's arcs from 20 pixels ahead of her and falls to the floor
// after 17 steps of 10 pixels; the bullet's width and the hero's box
// reach beyond that.
int SpitReach(int kind) {
  return kind == 8 ? 240 : 0;
}

// How fast each kind comes at the hero once it is after it.
double ChaseSpeed(int kind) {
  switch (kind) {
    case 2:
    case 5:
    case 9:
    case 18:
    case 53:
    case 58:
      return 4;
    case 3:
      return 8;
    case 4:
      return 8;
    case 6:
    case 24:
    case 39:
      return 1;
    case 13:
    case 36:
    case 37:
    case 52:
      return 3;
    case 14:
    case 40:
      return 2;
    case 30:
      return 8;
    case 33:
      return 2;
    case 34:
      return 4;
    case 35:
    case 46:
    case 59:
      return 6;
    case 57:
      return 8;
    case 32:
      return 4;
    default:
      return 0;
  }
}

// What a blow of each kind takes off.
int BlowDamage(int kind) {
  switch (kind) {
    case 2:
    case 6:
    case 35:
    case 44:
      return 10;
    case 3:
      return 6;
    case 4:
      return 1;
    case 8:
      return 20;
    case 21:
    case 34:
    case 51:
      return 4;
    case 32:
      return 48;
    case 39:
      return 12;
    case 40:
    case 52:
      return 6;
    case 43:
      return 128;
    case 45:
    case 58:
      return 25;
    case 59:
      return 16;
    default:
      return 8;
  }
}

bool BulletPointClear(const Map& map, int x, int y) {
  if (x < 0 || y < 0) return false;
  int tx = x / 32, ty = y / 24;
  if (!OnMap(map, tx, ty)) return false;
  const Tile& t = MapTile(map, tx, ty);
  return t.wall == 0 && t.item <= 68;
}

// The hero's box at that point stands on open tiles.
bool HeroBoxClear(const Map& map, double x, double y) {
  const int px = static_cast<int>(x), py = static_cast<int>(y);
  for (int cy : {py + kHeroBoxTop, py + kHeroBoxBottom}) {
    for (int cx : {px + kHeroBoxLeft, px + kHeroBoxRight}) {
      if (cx < 0 || cy < 0 || !OnMap(map, cx / 32, cy / 24)) return false;
      const Tile& t = MapTile(map, cx / 32, cy / 24);
      if (t.wall != 0 || t.item >= 50) return false;
    }
  }
  return true;
}

// The giant's attacks, by where the hero stands from its own place: below
// 180 (Manhattan) a sweep, or a slam too when the hero is below it; 180 to
// 300 a quake only when the hero is not lower, a guard (and a slam when
// straight below) when it is; from 300 on a quake or a sweep.
enum GiantClass {
  kGiantNear = 8,
  kGiantNearBelow = 9,
  kGiantAbove = 2,
  kGiantSide = 6,
  kGiantBelow = 7,
  kGiantFar = 10
};

int GiantClassAt(double gx, double gy, double hx, double hy) {
  const double d = std::abs(hx - gx) + std::abs(hy - gy);
  const double across = hx - gx;
  const bool lower = hy > gy;
  const bool below = lower && across > -64 && across < 64;
  if (d < 180) return below ? kGiantNearBelow : kGiantNear;
  if (d < 300) return !lower ? kGiantAbove : below ? kGiantBelow : kGiantSide;
  return kGiantFar;
}

// Where the sweeping arm reaches on each frame, from the giant's place.
struct ArmBox {
  int x1, y1, x2, y2;
};
constexpr ArmBox kArm[12] = {{},
                             {},
                             {},
                             {-120, 0, 45, 160},
                             {-180, -100, 0, 80},
                             {-200, -180, 0, 0},
                             {-150, -120, 40, 0},
                             {0, -150, 150, -20},
                             {20, -100, 230, 0},
                             {0, 0, 230, 70},
                             {-120, 0, 45, 160},
                             {-220, 0, -10, 120}};

bool HeroMeets(double hx, double hy, double x1, double y1, double x2, double y2) {
  return hx + kHeroBoxLeft <= x2 && hx + kHeroBoxRight >= x1 && hy + kHeroBoxTop <= y2 &&
         hy + kHeroBoxBottom >= y1;
}

constexpr int kSweepAnim = 5, kSlamAnim = 2, kGuardAnim = 4, kBlockAnim = 7;

// How badly the giant would hurt a hero going this way: the sweep or slam
// under way played out, and, whenever it may start a new attack, the risk
// of the one the hero's place calls for.
// Whether the giant's box would stand clear of walls and liquids there.
bool GiantFits(const NavGrid& grid, const Guy& g, double x, double y) {
  const int left = static_cast<int>(x) + g.boxLeft, right = static_cast<int>(x) + g.boxRight;
  const int top = static_cast<int>(y) + g.boxTop, bottom = static_cast<int>(y) + g.boxBottom;
  if (left < 0 || top < 0) return false;
  for (int ty = top / 24; ty <= bottom / 24; ++ty) {
    for (int tx = left / 32; tx <= right / 32; ++tx) {
      if (grid.Use(tx, ty) == CellUse::kBlocked) return false;
    }
  }
  return true;
}

// The way it turns to face the hero: one step of eight at a time, toward
// the hero's side beyond 32 pixels on each axis.
int GiantTurn(int facing, double ddx, double ddy) {
  const bool above = ddy<-32, below = ddy> 32;
  int d = ddx < -32  ? (above   ? 5
                        : below ? 3
                                : 4)
          : ddx > 32 ? (above   ? 7
                        : below ? 1
                                : 0)
                     : (above   ? 6
                        : below ? 2
                                : facing);
  if (d > facing) facing += d - facing < 5 ? 1 : -1;
  if (d < facing) facing += facing - d < 5 ? -1 : 1;
  return facing & 7;
}

// The giant walking at a hero standing at (cx, cy) for `ticks` steps, from
// (x, y), as walls let it: where it ends, and how far it still went in the
// last 20 steps (nothing, when something holds it).
double GiantWalkAt(const NavGrid& grid, const Guy& g, double cx, double cy, int ticks, double& x,
                   double& y) {
  double movedLate = 0;
  int facing = g.facing;
  for (int t = 0; t < ticks; ++t) {
    facing = GiantTurn(facing, cx - x, cy - y);
    const double vx = 4 * Cosine(facing * 32) / 65536.0, vy = 4 * Sine(facing * 32) / 65536.0;
    const double bx = x, by = y;
    if (GiantFits(grid, g, x + vx, y)) x += vx;
    if (GiantFits(grid, g, x, y + vy)) y += vy;
    if (t >= ticks - 20) movedLate += std::abs(x - bx) + std::abs(y - by);
  }
  return movedLate;
}

double GiantDanger(const NavGrid& grid, const double* px, const double* py, int n, const Foe& foe,
                   double* endX = nullptr, double* endY = nullptr) {
  const Guy* g = GetGuy(foe.slot);
  if (!g) return 0;
  int facing = g->facing;
  double x = g->x / 65536.0, y = g->y / 65536.0;
  double dx = g->dx / 65536.0, dy = g->dy / 65536.0;
  int anim = g->anim, frame = g->animFrame, accum = g->animAccum;
  const int rate = std::max<int>(g->animRate, 1);
  int cooldown = g->cooldown;
  // Only the sweep keeps count of its hit (a bump sets the same mark).
  bool busy = g->busy != 0, hit = g->anim == kSweepAnim && g->aiTimer != 0;
  double danger = 0;
  for (int t = 0; t < n; ++t) {
    const double hx = px[t], hy = py[t];
    const double soon = 1.0 + 0.05 * (n - t);
    if (busy && anim == kSweepAnim && frame <= 11) {
      if (frame >= 3 && frame <= 9) {
        dx = std::clamp(dx + Cosine(facing * 32) / 65536.0, -12.0, 12.0);
        dy = std::clamp(dy + Sine(facing * 32) / 65536.0, -12.0, 12.0);
      } else if (frame >= 10) {
        dx = dx > 0 ? std::max(0.0, dx - 1) : std::min(0.0, dx + 1);
        dy = dy > 0 ? std::max(0.0, dy - 1) : std::min(0.0, dy + 1);
      }
      if (frame >= 3 && !hit) {
        const ArmBox& b = kArm[frame];
        if (HeroMeets(hx, hy, x + b.x1, y + b.y1, x + b.x2, y + b.y2)) {
          danger += 900 * soon;
          hit = true;
        }
      }
      if (GiantFits(grid, *g, x + dx, y)) x += dx;
      if (GiantFits(grid, *g, x, y + dy)) y += dy;
    } else if (busy && anim == kSlamAnim && frame <= 5) {
      if (frame == 5 && !hit && HeroMeets(hx, hy, x - 64, y, x + 8, y + 225)) {
        danger += 1500 * soon;
        hit = true;
      }
    } else if (busy && (anim == kSlamAnim || anim == kSweepAnim)) {
      // The blow is past: it stands a while yet.
    } else if (busy && cooldown > 0) {
      // Quaking or guarding, it stands.
    } else {
      busy = false;
      {
        // The chance, each tick, that it starts an attack that would land;
        // while it cools down, still a place it will soon strike from.
        const double ready = cooldown <= 0 ? soon : 0.6 * soon;
        switch (GiantClassAt(x, y, hx, hy)) {
          case kGiantNear:
            danger += 60 * ready;
            break;
          case kGiantNearBelow:
            danger += 100 * ready;
            break;
          case kGiantBelow:
            danger += (hy - y < 240 ? 100 : 4) * ready;
            break;
          case kGiantSide:
            danger += 6 * ready;
            break;
          case kGiantFar: {
            const double e = std::hypot(hx - x, hy - y);
            danger += 30 * std::clamp((360 - e) / 100, 0.0, 1.3) * ready;
            break;
          }
          default:
            break;
        }
      }
      // It walks at the hero, as walls let it.
      facing = GiantTurn(facing, hx - x, hy - y);
      const double vx = 4 * Cosine(facing * 32) / 65536.0, vy = 4 * Sine(facing * 32) / 65536.0;
      if (GiantFits(grid, *g, x + vx, y)) x += vx;
      if (GiantFits(grid, *g, x, y + vy)) y += vy;
    }
    if (cooldown > 0) --cooldown;
    accum += rate;
    while (accum > 255) {
      accum -= 255;
      ++frame;
    }
  }
  if (endX) *endX = x;
  if (endY) *endY = y;
  return danger;
}

// How far the hero could run on from (x, y) away from (fromX, fromY), or
// half a turn to either side of it, before a wall stops it (up to 320).
double RoomToFlee(const NavGrid& grid, double x, double y, double fromX, double fromY) {
  double ux = x - fromX, uy = y - fromY;
  const double len = std::hypot(ux, uy);
  if (len < 1) return 320;
  ux /= len;
  uy /= len;
  double best = 0;
  for (double turn : {0.0, 0.7854, -0.7854}) {
    const double c = std::cos(turn), s = std::sin(turn);
    const double vx = ux * c - uy * s, vy = ux * s + uy * c;
    double run = 0;
    while (run < 320) {
      const double nx = x + vx * (run + 16), ny = y + vy * (run + 16);
      if (nx < 0 || ny < 0 ||
          grid.Use(static_cast<int>(nx) / 32, static_cast<int>(ny) / 24) == CellUse::kBlocked)
        break;
      run += 16;
    }
    best = std::max(best, run);
  }
  return best;
}

// The bolts of the volley the hero's power fires, by their angle off the
// facing (256 to the turn); returns how many.
int VolleyOffsets(int (&offsets)[5]) {
  const int power = std::clamp(static_cast<int>(Player().shotPower), 1, 5);
  int count = 0;
  if (power & 1) {
    offsets[count++] = 0;
  } else {
    offsets[count++] = -8;
    offsets[count++] = 8;
  }
  if (power == 3 || power == 5) {
    offsets[count++] = -32;
    offsets[count++] = 32;
  }
  if (power >= 4) {
    offsets[count++] = -56;
    offsets[count++] = 56;
  }
  return count;
}

// The giant behind its guard: a bolt only shakes boulders loose.
bool Guarding(const Foe& foe) {
  if (foe.kind != kGiantKind) return false;
  const Guy* g = GetGuy(foe.slot);
  return g && g->busy && (g->anim == kGuardAnim || g->anim == kBlockAnim);
}

}  // namespace

int GiantRockHurt() {
  bool giant = false;
  for (int slot = 0; slot < GuyPoolSize() && !giant; ++slot) {
    const Guy* g = GetGuy(slot);
    giant = g && g->kind == kGiantKind && g->life > 0;
  }
  if (!giant) return 0;
  // A quake's rocks fall where they will: no dodging the one that lands on
  // the hero.
  const PlayerRecord& p = Player();
  int hurt = std::max(1, 20 - p.armourValue);
  if (p.protectionTimer > 0) hurt = p.spells[6] >= 2 ? hurt / 8 : hurt / 2;
  return hurt;
}

void AvoidBosses(NavGrid& grid, const std::vector<Foe>& foes) {
  for (const Foe& f : foes) {
    if (f.spit > 0) {
      const int reach = f.spit + 24;
      const int tx0 = f.gx / 32, ty0 = f.gy / 24;
      for (int ty = ty0 - reach / 24; ty <= ty0 + reach / 24; ++ty) {
        for (int tx = tx0 - reach / 32; tx <= tx0 + reach / 32; ++tx) {
          const int d =
              static_cast<int>(std::hypot(TileCentrePx(tx) - f.gx, TileCentrePy(ty) - f.gy));
          if (d < reach) grid.SetPenalty(tx, ty, (reach - d) * 2);
        }
      }
    }
    if (f.kind != kGiantKind) continue;
    constexpr int kReach = 300;
    const int tx0 = f.gx / 32, ty0 = f.gy / 24;
    for (int ty = ty0 - kReach / 24; ty <= ty0 + kReach / 24; ++ty) {
      for (int tx = tx0 - kReach / 32; tx <= tx0 + kReach / 32; ++tx) {
        const int d = std::abs(TileCentrePx(tx) - f.gx) + std::abs(TileCentrePy(ty) - f.gy);
        if (d < kReach) grid.SetPenalty(tx, ty, (kReach - d) * 2);
      }
    }
  }
}

std::vector<Foe> ListFoes() {
  std::vector<Foe> foes;
  for (int slot = 0; slot < GuyPoolSize(); ++slot) {
    const Guy* g = GetGuy(slot);
    if (!g || g->kind == 0 || g->life <= 0 || g->kind == kFriendly) continue;
    uint16_t flags = KindFlags(g->kind);
    if (flags & KindFlag::HeroSide) continue;
    Foe f;
    f.slot = slot;
    f.kind = g->kind;
    f.x = f.gx = g->x >> 16;
    f.y = f.gy = g->y >> 16;
    f.dx = g->dx;
    f.dy = g->dy;
    f.half = std::max(1, (g->boxRight - g->boxLeft) / 2);
    f.halfY = std::max(1, (g->boxBottom - g->boxTop) / 2);
    // The box need not be centred on the guy (sprite boxes): use its middle.
    f.x += (g->boxLeft + g->boxRight) / 2;
    f.y += (g->boxTop + g->boxBottom) / 2;
    f.life = g->life;
    f.flies = flags & KindFlag::Flies;
    f.swims = flags & KindFlag::Swims;
    f.invulnerable = flags & KindFlag::Invulnerable;
    f.keepOut = KeepOut(g->kind);
    f.spit = SpitReach(g->kind);
    f.blow = BlowDamage(g->kind);
    f.chase = ChaseSpeed(g->kind);
    foes.push_back(f);
  }
  return foes;
}

std::string DescribeNear(const Guy& hero) {
  std::string who;
  const int hx = hero.x >> 16, hy = hero.y >> 16;
  for (const Foe& f : ListFoes()) {
    const int d = std::abs(f.gx - hx) + std::abs(f.gy - hy);
    if (d > 300) continue;
    who += " " + std::to_string(f.kind) + "@" + std::to_string(d) + "[" +
           std::to_string(f.gx - hx) + "," + std::to_string(f.gy - hy) + "]";
    const Guy* g = GetGuy(f.slot);
    if (g && g->busy)
      who += "(anim " + std::to_string(g->anim) + ":" + std::to_string(g->animFrame) + ")";
    if (g && g->cooldown) who += "c" + std::to_string(g->cooldown);
    if (KindLife(f.kind) >= 150) who += "L" + std::to_string(f.life);
  }
  return who;
}

bool Fighter::ShotClear(const Map& map, int ax, int ay, int bx, int by) {
  int steps = std::max(std::abs(bx - ax), std::abs(by - ay)) / 6 + 1;
  for (int i = 1; i <= steps; ++i) {
    int x = ax + (bx - ax) * i / steps;
    int y = ay + (by - ay) * i / steps;
    // The nine points a bolt keeps clear of walls.
    for (int oy = -8; oy <= 8; oy += 8) {
      for (int ox = -8; ox <= 8; ox += 8) {
        if (!BulletPointClear(map, x + ox, y + oy)) return false;
      }
    }
  }
  return true;
}

int Fighter::FiringFacing(const Guy& hero, const Foe& foe, const Map& map, int delay) const {
  if (foe.invulnerable) return -1;
  // Where the hero will be when the bolt leaves: it slows as it swings.
  double hx = hero.x / 65536.0, hy = hero.y / 65536.0;
  double vx = hero.dx / 65536.0, vy = hero.dy / 65536.0;
  for (int i = 0; i < delay; ++i) {
    vx = vx > 0 ? std::max(0.0, vx - 0.75) : std::min(0.0, vx + 0.75);
    vy = vy > 0 ? std::max(0.0, vy - 0.75) : std::min(0.0, vy + 0.75);
    // Pressed against a wall it goes nowhere, whatever its speed.
    if (HeroBoxClear(map, hx + vx, hy)) hx += vx;
    if (HeroBoxClear(map, hx, hy + vy)) hy += vy;
  }
  double fx = foe.x + foe.dx / 65536.0 * delay, fy = foe.y + foe.dy / 65536.0 * delay;
  // On top of the hero: a bolt toward it hits at once, whichever way.
  if (std::abs(fx - hx) <= foe.half + 4 && std::abs(fy - hy) <= foe.halfY + 4) {
    return FacingTowards(hx, hy, fx, fy);
  }
  int offsets[5];
  const int count = VolleyOffsets(offsets);
  int best = -1;
  double bestLateral = 1e9;
  for (int f = 0; f < 8; ++f) {
    for (int k = 0; k < count; ++k) {
      const int angle = (f * 32 + offsets[k]) & 255;
      double ux = Cosine(angle) / 65536.0, uy = Sine(angle) / 65536.0;
      // Lead the foe by the bolt's flight.
      double ex = fx, ey = fy;
      double along = 0;
      for (int i = 0; i < 3; ++i) {
        along = (ex - hx) * ux + (ey - hy) * uy;
        double t = along / kShotSpeed;
        ex = fx + foe.dx / 65536.0 * t;
        ey = fy + foe.dy / 65536.0 * t;
      }
      if (along <= 0 || along > kShotSpeed * (kShotLife - 2)) continue;
      // The bolt's point at its nearest to the foe's middle.
      double px = hx + ux * along, py = hy + uy * along;
      double offX = std::abs(px - ex), offY = std::abs(py - ey);
      if (offX > foe.half + kShotReach - 3 || offY > foe.halfY + kShotReach - 3) continue;
      if (!ShotClear(map, static_cast<int>(hx), static_cast<int>(hy), static_cast<int>(px),
                     static_cast<int>(py)))
        continue;
      double lateral = offX + offY;
      if (lateral < bestLateral) {
        bestLateral = lateral;
        best = f;
      }
    }
  }
  return best;
}

int Fighter::BestShot(const Guy& hero, const Map& map, const std::vector<Foe>& foes,
                      int& target) const {
  const PlayerRecord& p = Player();
  int delay = 6 - (4 - p.shotDelay / 4);
  int best = -1;
  int bestDistance = 1 << 30;
  for (const Foe& foe : foes) {
    int d = std::abs(foe.x - (hero.x >> 16)) + std::abs(foe.y - (hero.y >> 16));
    if (d > 420) continue;
    // Moss only when it is in the hero's way, close by.
    if (foe.kind == kMossKind && d > 64) continue;
    if (Guarding(foe)) continue;
    // What stands where it is, tough, waits its turn unless it is the
    // quarry: a swing at an egg sac on the way is a step not taken.
    if (foe.chase == 0 && foe.dx == 0 && foe.dy == 0 && KindLife(foe.kind) >= 100 &&
        foe.kind != fightKind_ && d > 80)
      continue;
    int f = FiringFacing(hero, foe, map, delay);
    if (f >= 0 && d < bestDistance) {
      bestDistance = d;
      best = f;
      target = foe.slot;
    }
  }
  return best;
}

bool Fighter::GiantTrapSpot(const Guy& hero, const NavGrid& grid, const Map& map, const Foe& foe,
                            const std::vector<int>& dist, TilePos& spot) const {
  const Guy* g = GetGuy(foe.slot);
  if (!g) return false;
  const int htx = (hero.x >> 16) / 32, hty = (hero.y >> 16) / 24;
  const double x0 = g->x / 65536.0, y0 = g->y / 65536.0;
  int best = -1, bestScore = 1 << 30;
  for (int ty = hty - 12; ty <= hty + 12; ++ty) {
    for (int tx = htx - 10; tx <= htx + 10; ++tx) {
      if (!grid.Walkable(tx, ty)) continue;
      const int i = grid.Index(tx, ty);
      if (dist[i] >= (1 << 29) || dist[i] >= bestScore) continue;
      const double cx = TileCentrePx(tx), cy = TileCentrePy(ty);
      // A quick look first: it must be able to end up below, in range.
      if (cy > y0 + 40 || std::abs(cx - x0) + std::abs(cy - y0) < 150) continue;
      // The giant walks at the hero standing there until something stops it.
      double x = x0, y = y0;
      const double movedLate = GiantWalkAt(grid, *g, cx, cy, 90, x, y);
      if (movedLate > 3 || GiantClassAt(x, y, cx, cy) != kGiantAbove) continue;
      const double d = std::abs(cx - x) + std::abs(cy - y);
      if (d < 190 || d > 290) continue;
      Guy probe = hero;
      probe.x = static_cast<int32_t>(cx * 65536.0);
      probe.y = static_cast<int32_t>(cy * 65536.0);
      probe.dx = probe.dy = 0;
      Foe there = foe;
      there.x = static_cast<int>(x) + (foe.x - foe.gx);
      there.y = static_cast<int>(y) + (foe.y - foe.gy);
      there.dx = there.dy = 0;
      if (FiringFacing(probe, there, map, 0) < 0) continue;
      best = i;
      bestScore = dist[i];
    }
  }
  if (best < 0) return false;
  spot = grid.PosOf(best);
  return true;
}

int Fighter::BoltsThatMeet(double hx, double hy, int facing, const Foe& foe, const Map& map) {
  int offsets[5];
  const int count = VolleyOffsets(offsets);
  int meet = 0;
  for (int k = 0; k < count; ++k) {
    const int angle = (facing * 32 + offsets[k]) & 255;
    const double ux = Cosine(angle) / 65536.0, uy = Sine(angle) / 65536.0;
    const double along = (foe.x - hx) * ux + (foe.y - hy) * uy;
    if (along <= 0 || along > kShotSpeed * (kShotLife - 2)) continue;
    const double px = hx + ux * along, py = hy + uy * along;
    if (std::abs(px - foe.x) > foe.half + kShotReach - 3 ||
        std::abs(py - foe.y) > foe.halfY + kShotReach - 3)
      continue;
    if (ShotClear(map, static_cast<int>(hx), static_cast<int>(hy), static_cast<int>(px),
                  static_cast<int>(py)))
      ++meet;
  }
  return meet;
}

bool Fighter::GiantHoldPoint(const Guy& hero, const NavGrid& grid, const Map& map, const Foe& foe,
                             int& px, int& py) const {
  const Guy* g = GetGuy(foe.slot);
  if (!g || foe.kind != kGiantKind) return false;
  const int hx = hero.x >> 16, hy = hero.y >> 16;
  const double x0 = g->x / 65536.0, y0 = g->y / 65536.0;
  // Only near its quake-only range, above it: elsewhere the way there is
  // the fight's own business.
  const double d0 = std::abs(hx - x0) + std::abs(hy - y0);
  if (hy > y0 + 24 || d0 < 140 || d0 > 340) return false;
  double bestCost = 1e18;
  for (int oy = -48; oy <= 48; oy += 4) {
    for (int ox = -64; ox <= 64; ox += 4) {
      const int cx = hx + ox, cy = hy + oy;
      double cost = std::abs(ox) + std::abs(oy);
      // (No volley meets it with more than five bolts.)
      if (cost - 80 * 5 >= bestCost || !grid.BoxFits(cx, cy, 1, false)) continue;
      // The giant walks at the hero standing there: it must be stopped
      // there by a pillar or a wall, the hero above it within range.
      double x = x0, y = y0;
      const double movedLate = GiantWalkAt(grid, *g, cx, cy, 40, x, y);
      if (movedLate > 2 || GiantClassAt(x, y, cx, cy) != kGiantAbove) continue;
      const double d = std::abs(cx - x) + std::abs(cy - y);
      if (d < 190 || d > 290) continue;
      // Nearer is better, and lined up with it: every bolt of the volley
      // that meets it counts for much.
      cost += 2 * std::max(0.0, d - 230);
      if (cost - 80 * 5 >= bestCost) continue;
      Guy probe = hero;
      probe.x = cx << 16;
      probe.y = cy << 16;
      probe.dx = probe.dy = 0;
      Foe there = foe;
      there.x = static_cast<int>(x) + (foe.x - foe.gx);
      there.y = static_cast<int>(y) + (foe.y - foe.gy);
      there.dx = there.dy = 0;
      const int aim = FiringFacing(probe, there, map, 0);
      if (aim < 0) continue;
      cost -= 80 * BoltsThatMeet(cx, cy, aim, there, map);
      if (cost >= bestCost) continue;
      bestCost = cost;
      px = cx;
      py = cy;
    }
  }
  return bestCost < 1e17;
}

bool Fighter::FiringSpot(const Guy& hero, const NavGrid& grid, const Map& map, const Foe& foe,
                         TilePos& spot) const {
  std::vector<int> dist, previous;
  TilePos from{(hero.x >> 16) / 32, (hero.y >> 16) / 24};
  grid.Distances(from, true, dist, previous);
  // The giant caught on a pillar or a wall, below the hero, only quakes.
  if (foe.kind == kGiantKind && GiantTrapSpot(hero, grid, map, foe, dist, spot)) return true;
  int best = -1;
  int bestScore = 1 << 30;
  int ftx = foe.x / 32, fty = foe.y / 24;
  // What strikes from far (the giant) is shot from beyond its reach, as far
  // as a bolt flies.
  int nearest = 70, farthest = 300;
  const bool giant = foe.kind == kGiantKind;
  // The giant only quakes at a hero above it, from 180 to 300 away.
  if (giant) {
    nearest = 200;
    farthest = 285;
  }
  // A spitter is shot from beyond where its spit lands, within a bolt's
  // flight.
  const bool spitter = foe.spit > 0 && !giant;
  if (spitter) farthest = kFarShot;
  const int reachX = farthest / 32 + 1, reachY = farthest / 24 + 1;
  // The giant is fought from above it, where it only quakes; from below
  // only when no place above can be reached.
  for (int pass = giant ? 0 : 1; pass < 2 && best < 0; ++pass) {
    for (int y = fty - reachY; y <= fty + reachY; ++y) {
      for (int x = ftx - reachX; x <= ftx + reachX; ++x) {
        if (!grid.Walkable(x, y)) continue;
        int i = grid.Index(x, y);
        if (dist[i] >= (1 << 29)) continue;
        int cx = TileCentrePx(x), cy = TileCentrePy(y);
        int adx = std::abs(foe.x - cx), ady = std::abs(foe.y - cy);
        int range = giant ? std::abs(foe.gx - cx) + std::abs(foe.gy - cy) : adx + ady;
        if (spitter) {
          const double straight = std::hypot(foe.gx - cx, foe.gy - cy);
          if (straight < foe.spit + 12 || straight > kFarShot) continue;
        } else if (range < nearest || range > farthest) {
          continue;
        }
        // The thing lobs its fire southwards only: it is shot from the north.
        if (foe.kind == kThingKind && cy > foe.y - 96) continue;
        // A bolt fired from the middle of the tile, standing, would hit it:
        // the same test the hero fires by.
        // From anywhere near the middle, too: the hero seldom stands just there.
        Foe still = foe;
        still.dx = still.dy = 0;
        static constexpr int kNearX[5] = {0, 0, 0, -10, 10}, kNearY[5] = {0, -9, 9, 0, 0};
        bool fires = true;
        for (int k = 0; k < 5 && fires; ++k) {
          Guy probe = hero;
          probe.x = (cx + kNearX[k]) << 16;
          probe.y = (cy + kNearY[k]) << 16;
          probe.dx = probe.dy = 0;
          fires = FiringFacing(probe, still, map, 0) >= 0;
        }
        if (!fires) continue;
        // Near the hero, not too near the foe: what shoots back is best
        // fought from afar, where its bullets can be seen coming.
        int score = dist[i];
        if (!spitter) score += (range < 120 ? 200 : 0) + (range < 180 ? (180 - range) * 2 : 0);
        if (giant && pass == 0 && cy > foe.gy - 24) continue;
        if (giant && cy > foe.gy) {
          // Lower, it guards; straight below, its slam falls.
          if (std::abs(cx - foe.gx) < 80) continue;
          score += 150;
        }
        if (score < bestScore) {
          bestScore = score;
          best = i;
        }
      }
    }
  }
  if (best < 0) return false;
  spot = grid.PosOf(best);
  return true;
}

std::vector<Fighter::Threat> Fighter::IncomingBullets(const Guy& hero) const {
  std::vector<Threat> threats;
  double hx = hero.x / 65536.0, hy = hero.y / 65536.0;
  for (int slot = 0; slot < kBulletPoolSize; ++slot) {
    const Bullet* b = GetBullet(slot);
    if (!b || b->kind == 0) continue;
    int r = HeroHurtingRadius(b->kind);
    if (r == 0) continue;
    double bx = b->x / 65536.0, by = b->y / 65536.0;
    double vx = b->dx / 65536.0, vy = b->dy / 65536.0;
    for (int t = 0; t <= 20 && t <= b->timer; ++t) {
      double px = bx + vx * t, py = by + vy * t;
      if (std::abs(px - hx) <= r + 14 && std::abs(py - hy) <= r + 11) {
        threats.push_back({static_cast<int>(px), static_cast<int>(py), t});
        break;
      }
    }
  }
  return threats;
}

namespace {

// The gap between the hero's box and the foe's, in pixels, at the given
// positions (negative when they overlap).
double Gap(double hx, double hy, double fx, double fy, const Foe& f) {
  double gx = std::abs(hx - fx) - (f.half + 11);
  double gy = std::abs(hy - fy) - (f.halfY + 8);
  return std::max(gx, gy);
}

}  // namespace

namespace {

struct Shot {
  double x, y, vx, vy;
  int r;
  int timer;
  int damage;
  uint8_t kind;
};

constexpr uint8_t kQuakeRock = 23;  // falls where it lies, for a heavy blow

// The bullets flying that hurt the hero, with where they go.
std::vector<Shot> HurtingShots() {
  std::vector<Shot> shots;
  for (int slot = 0; slot < kBulletPoolSize; ++slot) {
    const Bullet* b = GetBullet(slot);
    if (!b || b->kind == 0) continue;
    int r = HeroHurtingRadius(b->kind);
    if (r == 0) continue;
    Shot s{b->x / 65536.0, b->y / 65536.0, b->dx / 65536.0, b->dy / 65536.0, r, b->timer, 5,
           b->kind};
    // Still blasts and rising blasts grow in place: give them their room.
    shots.push_back(s);
  }
  return shots;
}

// A path of the hero: where it is after each of the next steps.
struct Trajectory {
  double x[24], y[24];
  int n = 0;
};

Trajectory Simulate(const Guy& hero, const NavGrid& grid, uint8_t bits, int holdTicks, int ticks,
                    bool icy, int32_t topSpeed, uint8_t thenBits = 0) {
  Trajectory tr;
  int32_t x = hero.x, y = hero.y, dx = hero.dx, dy = hero.dy;
  uint8_t facing = hero.facing;
  for (int t = 0; t < ticks && t < 24; ++t) {
    HeroVelocityStep(dx, dy, facing, t < holdTicks ? bits : thenBits, icy, topSpeed);
    if (grid.BoxFits((x + dx) >> 16, y >> 16, 0, false)) x += dx;
    if (grid.BoxFits(x >> 16, (y + dy) >> 16, 0, false)) y += dy;
    tr.x[t] = x / 65536.0;
    tr.y[t] = y / 65536.0;
    tr.n = t + 1;
  }
  return tr;
}

// How badly the flying bullets would hurt a hero going this way, the
// nearest in time counting most (only the rocks falling, when asked).
double ShotDanger(const Trajectory& tr, const std::vector<Shot>& shots, bool rocksOnly = false) {
  double danger = 0;
  for (const Shot& s : shots) {
    if (rocksOnly && s.kind != kQuakeRock) continue;
    for (int t = 0; t < tr.n && t < s.timer; ++t) {
      double bx = s.x + s.vx * (t + 1), by = s.y + s.vy * (t + 1);
      if (std::abs(tr.x[t] - bx) <= s.r + 13 && std::abs(tr.y[t] - by) <= s.r + 10) {
        danger += 400.0 * (tr.n + 6 - t) / (tr.n + 6);
        break;
      }
    }
  }
  return danger;
}

}  // namespace

bool Fighter::Tactics(const Guy& hero, const NavGrid& grid, const Map& map,
                      const std::vector<Foe>& foes, const std::vector<int>& toGoal,
                      uint8_t goalBits, bool fight, bool icy, uint8_t& held) {
  const PlayerRecord& p = Player();
  const int hx = hero.x >> 16, hy = hero.y >> 16;
  // The foes that can come at the hero: fliers, and walkers of its area.
  std::vector<const Foe*> near;
  int heroArea = grid.Area(hx / 32, hy / 24);
  for (const Foe& f : foes) {
    if (std::abs(f.x - hx) + std::abs(f.y - hy) > kEngageRange) continue;
    bool comes = f.flies || (grid.Area(f.x / 32, f.y / 24) == heroArea && heroArea >= 0) ||
                 (f.kind == fightKind_ && fightKind_ != 0);
    if (comes && !f.swims) near.push_back(&f);
  }
  std::vector<Shot> shots = HurtingShots();
  if (near.empty() && shots.empty()) return false;
  // The giant herds the hero into walls: against it, open floor counts for
  // more, farther out.
  bool giantNear = false;
  for (const Foe* f : near) giantNear |= f->kind == kGiantKind;
  held = 0;
  deadlyAhead_ = false;
  if (hero.busy) return true;

  // Where a foe will be: chasers come on at their speed toward the hero.
  auto foeAt = [&](const Foe* f, double px, double py, int t, double& fx, double& fy) {
    double speed = std::min(8.0, std::hypot(f->dx / 65536.0, f->dy / 65536.0));
    // One near enough to be after the hero comes at its own pace.
    if (std::abs(f->x - hx) + std::abs(f->y - hy) < 280) speed = std::max(speed, f->chase);
    fx = f->x;
    fy = f->y;
    double ddx = px - fx, ddy = py - fy;
    double len = std::hypot(ddx, ddy);
    if (len > 1) {
      double go = std::min(len, speed * (t + 1));
      fx += ddx / len * go;
      fy += ddy / len * go;
    }
  };
  auto foeDanger = [&](const Trajectory& tr) {
    double danger = 0;
    for (const Foe* f : near) {
      double fear =
          std::clamp(3.0 * f->blow / std::max(1, static_cast<int>(p.life)), 0.2, 4.0) / urgency_;
      // Moss grows back as fast as it is shot: the hero wades through it,
      // a sting or two on the way, rather than stand before it for good.
      if (f->kind == kMossKind) fear *= 0.15;
      double strike = std::max(0, f->keepOut - 25);
      // The giant's blows are its own: where the hero stands decides them.
      if (f->kind == kGiantKind) {
        double gx = f->gx, gy = f->gy;
        danger += GiantDanger(grid, tr.x, tr.y, tr.n, *f, &gx, &gy);
        // Fleeing into a corner is the giant's way to win: room to run on.
        const double ex = tr.x[tr.n - 1], ey = tr.y[tr.n - 1];
        if (std::abs(ex - gx) + std::abs(ey - gy) < 420)
          danger += 2.0 * (320 - RoomToFlee(grid, ex, ey, gx, gy));
      }
      for (int t = 0; t < tr.n; ++t) {
        double fx, fy;
        foeAt(f, tr.x[t], tr.y[t], t, fx, fy);
        double gap = Gap(tr.x[t], tr.y[t], fx, fy, *f);
        double d = std::abs(tr.x[t] - fx) + std::abs(tr.y[t] - fy);
        double soon = 1.0 + 0.05 * (tr.n - t);
        if (gap < 8) danger += 60 * fear * soon;
        if (f->kind == kGiantKind) continue;
        // Within a spitter's reach its spit comes in streams: out of it.
        if (f->spit > 0) {
          const double sx = fx + (f->gx - f->x), sy = fy + (f->gy - f->y);
          const double straight = std::hypot(tr.x[t] - sx, tr.y[t] - sy);
          if (straight < f->spit + 16)
            danger += 25 * fear * soon * (1 + (f->spit + 16 - straight) / 30);
        }
        if (d < strike + 10) {
          danger += 60 * fear * soon * (1 + (strike + 10 - d) / 20);
        } else if (d < f->keepOut + 30) {
          danger += 8 * fear * soon * (f->keepOut + 30 - d) / (f->keepOut + 20 - strike);
        }
      }
    }
    return danger;
  };
  // The first moment on the way at which a good shot could be fired.
  auto shotChance = [&](const Trajectory& tr) {
    if (p.shotPower == 0) return 0.0;
    double best = 0;
    for (int t = 0; t < tr.n; ++t) {
      if (p.fireCooldown > t + 1) continue;
      for (const Foe* f : near) {
        if (f->kind == kMossKind) continue;  // not worth staying for
        // One that stays where it is waits its turn, unless it is the quarry.
        if (f->chase == 0 && f->dx == 0 && f->dy == 0 && f->kind != fightKind_) continue;
        if (Guarding(*f)) continue;
        double fx, fy;
        foeAt(f, tr.x[t], tr.y[t], t, fx, fy);
        double adx = std::abs(fx - tr.x[t]), ady = std::abs(fy - tr.y[t]);
        double d = adx + ady;
        double strike = std::max(0, f->keepOut - 25);
        if (f->spit > 0) {
          // From beyond its spit, within a bolt's flight.
          const double straight =
              std::hypot(fx + (f->gx - f->x) - tr.x[t], fy + (f->gy - f->y) - tr.y[t]);
          if (straight < f->spit || straight > kFarShot) continue;
        } else if (d > 330 || d < strike + 15) {
          continue;
        }
        bool inLine = adx <= f->half + 6 || ady <= f->halfY + 6 ||
                      std::abs(adx - ady) <= std::min(f->half, f->halfY) + 4;
        if (!inLine) continue;
        // The test the hero fires by, from there at that moment.
        Guy probe = hero;
        probe.x = static_cast<int32_t>(tr.x[t] * 65536.0);
        probe.y = static_cast<int32_t>(tr.y[t] * 65536.0);
        probe.dx = probe.dy = 0;
        Foe there = *f;
        there.x = static_cast<int>(fx);
        there.y = static_cast<int>(fy);
        there.dx = there.dy = 0;
        if (FiringFacing(probe, there, map, 0) < 0) continue;
        best = std::max(best, 1.0 - static_cast<double>(t) / (2 * tr.n));
      }
      if (best > 0) break;
    }
    return best;
  };

  // Fire when a shot would tell and nothing strikes during the swing.
  const int swing = 6 - (4 - p.shotDelay / 4);
  why_ = "no shot ready";
  if (p.shotPower > 0 && p.fireCooldown == 0) {
    why_ = "no shot in line";
    int target = -1;
    int facing = BestShot(hero, map, foes, target);
    if (facing >= 0) {
      Trajectory still = Simulate(hero, grid, 0, 0, swing + 4, icy, p.topSpeed);
      // Nobody comes within striking distance while the hero swings.
      bool safe = true;
      for (const Foe* f : near) {
        double speed = std::min(8.0, std::hypot(f->dx / 65536.0, f->dy / 65536.0));
        if (std::abs(f->x - hx) + std::abs(f->y - hy) < 280) speed = std::max(speed, f->chase);
        // A blow takes a few steps to land once started: the hero is off
        // again before one started during the swing can reach it.
        double d = std::abs(f->x - hx) + std::abs(f->y - hy) - speed * (swing + 1);
        double strike = std::max(0, f->keepOut - 40);
        if (f->kind == kGiantKind) {
          if (GiantDanger(grid, still.x, still.y, still.n, *f) > 40) safe = false;
          continue;
        }
        if (d < strike || Gap(hx, hy, f->x, f->y, *f) - speed * (swing + 1) < 4) safe = false;
      }
      // A foe already on the hero is best shot at once.
      for (const Foe& f : foes) {
        if (f.slot == target && Gap(hx, hy, f.x, f.y, f) < 2) safe = true;
      }
      const bool bullets = ShotDanger(still, shots) >= 1;
      why_ = !safe ? "a blow could land during the swing" : bullets ? "bullets coming" : "firing";
      if (!bullets && safe) {
        held = static_cast<uint8_t>(BitsForFacing(facing) | kActionFire);
        return true;
      }
    }
  }

  // Otherwise move: try each way for a while and keep the best.
  // Each way held for a few steps, then any way for a while after: a way
  // into a corner scores as badly as the corner, whatever follows it.
  const int horizon = 22, first = 6;
  double best = 1e18;
  uint8_t bestBits = goalBits;
  double goalDanger = 1e18;
  bool bestStill = false;  // the best way keeps the hero where it is (a wall in front, or none)
  for (uint8_t bits : kKeyChoices) {
    for (uint8_t then : kKeyChoices) {
      int hold = first;
      Trajectory tr = Simulate(hero, grid, bits, hold, horizon, icy, p.topSpeed, then);
      double fearShots = std::clamp(15.0 / std::max(1, static_cast<int>(p.life)), 0.3, 4.0);
      double score = ShotDanger(tr, shots) * fearShots + foeDanger(tr);
      double px = tr.x[tr.n - 1], py = tr.y[tr.n - 1];
      int tx = static_cast<int>(px) / 32, ty = static_cast<int>(py) / 24, open = 0;
      for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) open += grid.Walkable(tx + i, ty + j);
      score += (9 - open) * 4;
      // Room to move when something is after the hero: corners are traps.
      if (!near.empty()) score -= 30 * std::min(grid.Clearance(tx, ty), giantNear ? 8 : 5);
      if (fight) score -= 700 * shotChance(tr);
      if (!toGoal.empty()) {
        // Reaching the goal on the way counts for much.
        for (int t = 0; t < tr.n; ++t) {
          int gx = static_cast<int>(tr.x[t]) / 32, gy = static_cast<int>(tr.y[t]) / 24;
          if (grid.OnGrid(gx, gy) && toGoal[grid.Index(gx, gy)] == 0) {
            score -= 300 * urgency_ * (1.0 - 0.5 * t / tr.n);
            break;
          }
        }
      }
      if (!toGoal.empty() && grid.OnGrid(tx, ty)) {
        int left = toGoal[grid.Index(tx, ty)];
        if (left < (1 << 29))
          score += (fight ? 0.3 : 1.0) * urgency_ * left;
        else
          score += 2000;
      }
      if (bits == goalBits && then == goalBits) {
        score -= 4;
        goalDanger = ShotDanger(tr, shots) * fearShots + foeDanger(tr);
        // The giant's blows and its quake's rocks are worth a step aside,
        // however boldly the hero goes.
        deadlyAhead_ = ShotDanger(tr, shots, true) >= 1;
        for (const Foe* f : near) {
          if (f->kind == kGiantKind && GiantDanger(grid, tr.x, tr.y, tr.n, *f) > 100)
            deadlyAhead_ = true;
        }
      }
      if (score < best - 1e-9) {
        best = score;
        bestBits = bits;
        bestStill = std::abs(px - hx) + std::abs(py - hy) < 3;
      }
    }
  }
  // Standing still to stay out of harm's way only when going on would
  // bring harm: otherwise on to the goal.
  if ((bestBits == 0 || bestStill) && goalBits != 0 && goalDanger < 1.0) bestBits = goalBits;
  held = bestBits;
  return true;
}

bool Fighter::SpellToCast(const Guy& hero, const NavGrid& grid, const Map& map,
                          const std::vector<Foe>& foes, int& slot, int& facing) const {
  const PlayerRecord& p = Player();
  if (hero.busy || p.spellCooldown != 0 || p.currentMap == 1) return false;
  auto owns = [&](int s) { return p.spells[s] != 0 && p.mana >= SpellCost(s, p.spells[s]); };
  const int hx = hero.x >> 16, hy = hero.y >> 16;
  facing = hero.facing;
  int nearCount = 0;
  const Foe* nearest = nullptr;
  int nearestD = 1 << 30;
  bool boss = false, giant = false;
  for (const Foe& f : foes) {
    int d = std::abs(f.x - hx) + std::abs(f.y - hy);
    if (d < 160) ++nearCount;
    if (d < nearestD) {
      nearestD = d;
      nearest = &f;
    }
    if (d < 320 && KindLife(f.kind) >= 150 && !f.invulnerable) boss = true;
    giant |= f.kind == kGiantKind;
  }
  // Healing when low, or when one more of the giant's rocks would kill.
  if (owns(8) && (p.life * 3 < p.lifeMax || p.life <= GiantRockHurt())) {
    slot = 8;
    return true;
  }
  if (!nearest) return false;
  // Casting holds the hero still: not where the giant may strike meanwhile.
  for (const Foe& f : foes) {
    if (f.kind != kGiantKind) continue;
    double x[12], y[12];
    for (int t = 0; t < 12; ++t) {
      x[t] = hero.x / 65536.0;
      y[t] = hero.y / 65536.0;
    }
    if (GiantDanger(grid, x, y, 12, f) > 40) return false;
  }
  // What heals is worth more than what hurts: the other spells leave the
  // mana for one healing, when the hero owns it.
  const int healReserve = p.spells[8] != 0 ? SpellCost(8, p.spells[8]) : 0;
  auto affords = [&](int s) {
    return owns(s) && p.mana >= SpellCost(s, p.spells[s]) + healReserve;
  };
  // Protection before a big fight (the giant's is a long one: there the
  // mana is kept for healing), and haste to get away from a chase.
  if ((giant ? affords(6) : owns(6)) && p.protectionTimer == 0 && boss) {
    slot = 6;
    return true;
  }
  if (owns(7) && p.hasteTimer == 0 && (boss || nearestD < nearest->keepOut + 30) &&
      p.mana * 2 >= p.manaMax) {
    slot = 7;
    return true;
  }
  // Flames at a foe close in front.
  if (owns(1) && p.spells[1] == 1 && nearestD < 110) {
    int f = FiringFacing(hero, *nearest, map, 4);
    if (f < 0) {
      // Near enough for the flames to spread over it anyway.
      f = FacingTowards(hx, hy, nearest->x, nearest->y);
      if (!ShotClear(map, hx, hy, nearest->x, nearest->y)) f = -1;
    }
    if (f >= 0) {
      slot = 1;
      facing = f;
      return true;
    }
  }
  // An ally (the ptero, or the golem once upgraded) against a big foe or a
  // crowd, one at a time.
  if (affords(5) && (boss || nearCount >= 3) && !AnyGuyOfKind(kPteroKind) &&
      !AnyGuyOfKind(kGolemKind)) {
    // The golem rises ahead of the hero: towards the nearest foe.
    if (p.spells[5] >= 2) facing = FacingTowards(hx, hy, nearest->x, nearest->y);
    slot = 5;
    return true;
  }
  // Homing missiles find their own way: at a foe in sight, not too far.
  if (affords(2) && nearestD < 260 && ShotClear(map, hx, hy, nearest->x, nearest->y)) {
    facing = FacingTowards(hx, hy, nearest->x, nearest->y);
    slot = 2;
    return true;
  }
  // Bombs into a crowd.
  if (owns(4) && nearCount >= 3) {
    slot = 4;
    return true;
  }
  return false;
}

}  // namespace torvel::autoplay
