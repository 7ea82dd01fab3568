#include "autoplay/combat.h"

#include <cmath>
#include <cstdlib>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/kinds.h"
#include "common/trig.h"
#include "player/player_record.h"
#include "world/world.h"

namespace torvel::autoplay {

namespace {

constexpr int kShotSpeed = 12;  // pixels a tick
constexpr int kShotLife = 30;   // ticks
constexpr int kShotReach = 12;  // half-size of the square a bolt hits in
constexpr uint8_t kFriendly = 11;

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

bool BulletPointClear(const Map& map, int x, int y) {
  if (x < 0 || y < 0) return false;
  int tx = x / 32, ty = y / 24;
  if (!OnMap(map, tx, ty)) return false;
  const Tile& t = MapTile(map, tx, ty);
  return t.wall == 0 && t.item <= 68;
}

}  // namespace

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
    f.x = g->x >> 16;
    f.y = g->y >> 16;
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
    foes.push_back(f);
  }
  return foes;
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
    hx += vx;
    hy += vy;
  }
  double fx = foe.x + foe.dx / 65536.0 * delay, fy = foe.y + foe.dy / 65536.0 * delay;
  int best = -1;
  double bestLateral = 1e9;
  for (int f = 0; f < 8; ++f) {
    double ux = Cosine(f * 32) / 65536.0, uy = Sine(f * 32) / 65536.0;
    // Lead the foe by the bolt's flight.
    double ex = fx, ey = fy;
    double along = 0;
    for (int k = 0; k < 3; ++k) {
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
    int f = FiringFacing(hero, foe, map, delay);
    if (f >= 0 && d < bestDistance) {
      bestDistance = d;
      best = f;
      target = foe.slot;
    }
  }
  return best;
}

bool Fighter::FiringSpot(const Guy& hero, const NavGrid& grid, const Map& map, const Foe& foe,
                         TilePos& spot) const {
  std::vector<int> dist, previous;
  TilePos from{(hero.x >> 16) / 32, (hero.y >> 16) / 24};
  grid.Distances(from, false, dist, previous);
  int best = -1;
  int bestScore = 1 << 30;
  int ftx = foe.x / 32, fty = foe.y / 24;
  const int reach = 9;
  for (int y = fty - reach; y <= fty + reach; ++y) {
    for (int x = ftx - reach; x <= ftx + reach; ++x) {
      if (!grid.Walkable(x, y)) continue;
      int i = grid.Index(x, y);
      if (dist[i] >= (1 << 29)) continue;
      int cx = TileCentrePx(x), cy = TileCentrePy(y);
      int ddx = foe.x - cx, ddy = foe.y - cy;
      int adx = std::abs(ddx), ady = std::abs(ddy);
      // In line along a facing: a row, a column or a diagonal.
      bool inLine = adx <= foe.half + 6 || ady <= foe.halfY + 6 || std::abs(adx - ady) <= foe.half;
      if (!inLine) continue;
      int range = adx + ady;
      if (range < 70 || range > 300) continue;
      if (!ShotClear(map, cx, cy, foe.x, foe.y)) continue;
      // Near the hero, not too near the foe.
      int score = dist[i] + (range < 120 ? 200 : 0);
      if (score < bestScore) {
        bestScore = score;
        best = i;
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

}  // namespace torvel::autoplay
