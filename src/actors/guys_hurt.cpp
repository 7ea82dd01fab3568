// Hurting guys: damage, armour and protection, freezing, knock-back, death
// and its coins, and the area hits and box tests bullets and blows use.
#include "actors/bullets.h"
#include "actors/guys_pool.h"
#include "actors/kinds.h"
#include "audio/sound.h"
#include "platform/random.h"
#include "player/player.h"
#include "player/player_record.h"
#include "player/status.h"

namespace torvel {

namespace {

constexpr uint8_t kHero = 1;
constexpr uint8_t kPtero = 12;
constexpr uint8_t kLookyloo = 16;
constexpr uint8_t kBobby = 32;
constexpr uint8_t kGoldCoin = 26;
constexpr uint8_t kBigCoin = 31;
constexpr int kProtectionSlot = 6;

// Kinds whose death scatters coins.
bool DropsCoins(uint8_t kind) {
  switch (kind) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 9:
    case 13:
    case 14:
    case 15:
    case 18:
    case 22:
    case 24:
    case 29:
    case 31:
    case 33:
    case 34:
    case 35:
    case 38:
    case 39:
    case 40:
    case 41:
    case 42:
    case 43:
    case 47:
    case 48:
    case 49:
    case 53:
      return true;
    default:
      return false;
  }
}

// Life as a share of 128 of the kind's full life, for the creature bar.
int32_t LifeShare(int32_t life, uint8_t kind) {
  int32_t full = KindLife(kind);
  if (full <= 0) return 0;
  return life * 128 / full;
}

bool IsEnemy(const Guy& guy) {
  return !(KindFlags(guy.kind) & KindFlag::HeroSide);
}

// The hero's armour takes its share first, at least 1 gets through; the
// protection spell then halves it, or divides it by 8 when upgraded.
int32_t HeroDamage(int32_t damage) {
  const PlayerRecord& p = Player();
  damage -= p.armourValue;
  if (damage < 1) damage = 1;
  if (p.protectionTimer != 0) {
    damage = p.spells[kProtectionSlot] >= 2 ? damage / 8 : damage / 2;
  }
  return damage & 0xFF;
}

void ScatterCoins(const Guy& guy) {
  int32_t full = KindLife(guy.kind);
  int32_t n = Random(full / 5 + 2);
  if (n < full / 10) n = full / 10;
  for (int32_t i = 0; i < n; ++i) {
    FireBullet(guy.x, guy.y, 0, Random(100) == 0 ? kBigCoin : kGoldCoin);
  }
}

}  // namespace

void HurtGuy(Guy* guy, Fixed pushX, Fixed pushY, int32_t damage, Map& map, World& world) {
  if (!guy || guy->life <= 0 || !Occupied(*guy) || damage == 0) return;
  Guy& g = *guy;
  bool hero = g.kind == kHero;
  uint16_t flags = KindFlags(g.kind);
  if (hero && Player().invulnerable != 0) return;
  if (flags & KindFlag::Invulnerable) return;
  if (g.kind == kLookyloo && g.anim != kAnimAttack) return;

  if (hero) damage = HeroDamage(damage);

  if (g.kind == kBobby && ((g.anim == 4 && g.animFrame >= 2 && g.animFrame <= 10) || g.anim == 7)) {
    // Guarding: the blow is blocked and the block remembers where the guard was.
    if (g.anim == 7) return;
    g.aux = g.animFrame;
    g.anim = 7;
    g.animFrame = 0;
    g.animAccum = 0;
    g.animRate = 128;
    MakeSoundAt(193, g.x, g.y, kSoundMayCutItself, 1200);
    return;
  }

  if (damage == kFreezeDamage) {
    if (!hero)
      ShowCreatureBar(KindName(g.kind), LifeShare(g.life, g.kind), LifeShare(g.life, g.kind), true);
    // Only a hero strong enough for the creature can hold it.
    int32_t t = 20 * Player().level - KindLife(g.kind);
    if (t >= 0) g.frozenTimer = static_cast<uint16_t>(g.frozenTimer + t);
    return;
  }

  int32_t oldLife = g.life;
  g.hurtTimer = 4;
  g.life -= damage;
  if (g.frozenTimer != 0) {
    // Every point of damage shakes 50 ticks of ice off.
    int32_t left = static_cast<int32_t>(g.frozenTimer) - 50 * damage;
    if (left < 0) left = g.frozenTimer > 5 ? 5 : 0;
    g.frozenTimer = static_cast<uint16_t>(left);
  }

  if (!(flags & KindFlag::NoKnockback)) {
    if (pushX != 0) {
      g.x += pushX;
      if (!CanGuyStand(g, g.x, g.y, map, world)) g.x -= pushX;
    }
    if (pushY != 0) {
      g.y += pushY;
      if (!CanGuyStand(g, g.x, g.y, map, world)) g.y -= pushY;
    }
  }

  if (g.life <= 0) {
    StartDying(g);
    if (g.kind == 25 || g.kind == 36 || g.kind == 37) g.facing = 2;
    if (DropsCoins(g.kind)) ScatterCoins(g);
    if (g.kind != kPtero) AddExperience(KindPoints(g.kind));
  }

  if (hero) {
    SetPlayerLife(static_cast<uint8_t>(g.life));
  } else if (g.kind != kPtero) {
    ShowCreatureBar(KindName(g.kind), LifeShare(oldLife, g.kind), LifeShare(g.life, g.kind),
                    g.life > 0);
  }
}

bool GuyHitsSquare(int32_t r, int32_t px, int32_t py, const Guy* guy) {
  return GuyHitsBox(px - r, py - r, px + r, py + r, guy);
}

bool GuyHitsBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Guy* guy) {
  if (!guy) return false;
  int32_t gx = PixelX(*guy);
  int32_t gy = PixelY(*guy);
  return gx + guy->boxLeft <= x2 && gx + guy->boxRight >= x1 && gy + guy->boxTop <= y2 &&
         gy + guy->boxBottom >= y1;
}

bool GuyTouchesCell(int32_t cellPixelX, int32_t cellPixelY, const Guy* guy) {
  return GuyHitsBox(cellPixelX, cellPixelY, cellPixelX + kTileWidth - 1,
                    cellPixelY + kTileHeight - 1, guy);
}

bool HitEnemyAt(int32_t x, int32_t y, int32_t r, Fixed pushX, Fixed pushY, int32_t damage, Map& map,
                World& world) {
  for (Guy& g : GuyPool().guys) {
    if (!Occupied(g) || g.life <= 0 || !IsEnemy(g) || !GuyHitsSquare(r, x, y, &g)) continue;
    HurtGuy(&g, pushX, pushY, damage, map, world);
    return true;
  }
  return false;
}

int HitHeroSideAt(int32_t x, int32_t y, int32_t r, Fixed pushX, Fixed pushY, int32_t damage,
                  Map& map, World& world) {
  for (Guy& g : GuyPool().guys) {
    if (!Occupied(g) || g.life <= 0 || IsEnemy(g) || !GuyHitsSquare(r, x, y, &g)) continue;
    int result = g.kind == kHero ? 2 : 1;
    HurtGuy(&g, pushX, pushY, damage, map, world);
    return result;
  }
  return 0;
}

bool HitEnemiesAt(int32_t x, int32_t y, int32_t r, Fixed pushX, Fixed pushY, int32_t damage,
                  Map& map, World& world) {
  bool hit = false;
  for (Guy& g : GuyPool().guys) {
    if (!Occupied(g) || g.life <= 0 || !IsEnemy(g) || !GuyHitsSquare(r, x, y, &g)) continue;
    if (damage == kFreezeDamage && g.frozenTimer != 0) continue;
    HurtGuy(&g, pushX, pushY, damage, map, world);
    hit = true;
  }
  return hit;
}

}  // namespace torvel
