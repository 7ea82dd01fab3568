// The guy pool: spawning, removal, the collision box, sequences and queries.
// Moving is guys_move.cpp, hurting guys_hurt.cpp, drawing guys_draw.cpp and
// map-start placement guys_place.cpp.
#include <cstdlib>

#include "actors/bullets.h"
#include "actors/guys_pool.h"
#include "actors/kinds.h"
#include "audio/sound.h"
#include "gfx/draw_list.h"
#include "gfx/sprites.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "shell/play_loop.h"

namespace torvel {

namespace {

GuyPoolState gGuys;

constexpr uint8_t kHero = 1;
constexpr uint8_t kFriendly = 11;
constexpr uint8_t kLookyloo = 16;
constexpr uint8_t kPinkeye = 17;
constexpr uint8_t kMoss = 21;
constexpr uint8_t kMossGround = 22;
constexpr uint8_t kBobby = 32;
constexpr uint8_t kCentipedeBody = 51;
constexpr uint8_t kCentipedeHead = 52;
constexpr int kCentipedeSegments = 15;
constexpr int32_t kNearestEnemyRange = 560;
constexpr uint8_t kExplosionBullet = 8;

// The friendly's pose on the maps where it stands: world * 50 + map.
uint8_t FriendlyPose(int world, int map) {
  switch (world * 50 + map) {
    case 1:
      return 1;
    case 10:
    case 11:
    case 55:
    case 116:
      return 4;
    case 13:
    case 51:
    case 111:
      return 2;
    default:
      return 0;
  }
}

bool IsEnemy(const Guy& guy) {
  return !(KindFlags(guy.kind) & KindFlag::HeroSide);
}

}  // namespace

GuyPoolState& GuyPool() {
  return gGuys;
}

void InitGuys(int count) {
  if (count < 0) count = 0;
  gGuys = GuyPoolState{};
  gGuys.guys.assign(static_cast<size_t>(count), Guy{});
  for (int i = 0; i < count; ++i) gGuys.guys[static_cast<size_t>(i)].slot = static_cast<int16_t>(i);
}

void ExitGuys() {
  gGuys = GuyPoolState{};
}

int GuyPoolSize() {
  return static_cast<int>(gGuys.guys.size());
}

Guy* GetGuy(int slot) {
  if (slot < 0 || slot >= GuyPoolSize()) return nullptr;
  return &gGuys.guys[static_cast<size_t>(slot)];
}

void RefreshGuyTile(Guy& guy) {
  guy.tileX = static_cast<uint8_t>(TileOfPixelX(PixelX(guy)));
  guy.tileY = static_cast<uint8_t>(TileOfPixelY(PixelY(guy)));
}

Guy* AddGuy(Fixed x, Fixed y, Fixed z, uint8_t kind) {
  // No creature without a kind: a summons or a start naming kind 0 or one
  // past the table adds nothing.
  if (kind == 0 || kind >= kKindCount) return nullptr;
  Guy* guy = nullptr;
  for (Guy& g : gGuys.guys) {
    if (!Occupied(g)) {
      guy = &g;
      break;
    }
  }
  if (!guy) return nullptr;

  Guy& g = *guy;
  g.aux = 0;
  g.kind = kind;
  g.x = x;
  g.y = y;
  g.z = z;
  g.anim = 0;
  g.animFrame = 0;
  g.animAccum = 0;
  g.animRate = 128;
  g.life = kind == kHero ? Player().lifeMax : KindLife(kind);
  g.facing = 2;
  g.hurtTimer = 0;
  g.dx = g.dy = g.dz = 0;
  g.light = 0;
  g.aiState = 0;
  g.aiTimer = 0;
  g.cooldown = 1;
  // A slot's last occupant may have been removed in the middle of an action;
  // a newcomer starts free to act.
  g.busy = 0;
  g.parent = nullptr;
  SetGuyBox(g);
  RefreshGuyTile(g);
  g.frozenTimer = 0;

  switch (kind) {
    case kHero:
      gGuys.hero = &g;
      SetCamera(x, y);
      break;
    case kBobby:
      SetCamera(x, y);
      MakeNormalSound(199);
      break;
    case kCentipedeHead: {
      Guy* ahead = &g;
      for (int i = 0; i < kCentipedeSegments; ++i) {
        Guy* segment = AddGuy(x, y, z, kCentipedeBody);
        if (!segment) break;
        segment->parent = ahead;
        ahead = segment;
      }
      break;
    }
    case kFriendly:
      g.aiState = FriendlyPose(PlayerWorldNumber(), PlayerCurrentMap());
      break;
    case kLookyloo:
      g.cooldown = 255;
      break;
    default:
      break;
  }
  return &g;
}

namespace {

// The slot is free again. Whoever still follows it lets go, so that the next
// creature to take the slot is nobody's parent: a centipede's segments would
// otherwise chase it, and hurt through it.
void FreeGuySlot(Guy& guy) {
  guy.kind = 0;
  for (Guy& g : gGuys.guys) {
    if (g.parent == &guy) g.parent = nullptr;
  }
}

}  // namespace

void RemoveGuy(Guy* guy) {
  if (!guy) return;
  guy->kind = 0;
  for (Guy& g : gGuys.guys) {
    if (Occupied(g) && g.parent == guy) RemoveGuy(&g);
  }
  FreeGuySlot(*guy);
}

void RemoveGuysAt(Fixed x, Fixed y, uint8_t kind) {
  for (Guy& g : gGuys.guys) {
    if (Occupied(g) && g.kind == kind && g.x == x && g.y == y) RemoveGuy(&g);
  }
}

void KillChildren(Guy* guy) {
  if (!guy) return;
  for (Guy& g : gGuys.guys) {
    if (!Occupied(g) || g.parent != guy) continue;
    KillChildren(&g);
    if (g.life > 0) {
      g.life = 0;
      g.anim = kAnimDie;
      g.busy = 1;
      g.animFrame = 0;
      g.animAccum = 0;
      g.animRate = 64;
    }
  }
}

void StartDying(Guy& guy) {
  guy.life = 0;
  guy.anim = kAnimDie;
  guy.dx = guy.dy = 0;
  guy.animFrame = 0;
  guy.animRate = 64;
  guy.animAccum = 0;
  guy.busy = 1;
}

void SetGuyBox(Guy& guy) {
  if (KindFlags(guy.kind) & KindFlag::BoxFromSprite) {
    const uint8_t* seq = KindSequence(guy.kind, guy.anim);
    const Sprite* sprite = nullptr;
    if (guy.animFrame < kSequenceLength && seq[guy.animFrame] != kBlankFrame) {
      sprite = GuySprite(guy.kind, guy.anim, guy.animFrame, guy.facing);
    }
    if (!sprite) {
      guy.boxLeft = guy.boxTop = guy.boxRight = guy.boxBottom = 0;
      return;
    }
    guy.boxLeft = -sprite->ofsX;
    guy.boxRight = sprite->width - sprite->ofsX;
    guy.boxTop = -sprite->ofsY;
    guy.boxBottom = sprite->height - sprite->ofsY;
    return;
  }
  int32_t s = KindSize(guy.kind);
  guy.boxLeft = -s;
  guy.boxRight = s;
  guy.boxTop = (-3 * s) / 4;
  guy.boxBottom = (3 * s) >> 2;
}

void NextFrame(Guy& guy) {
  guy.animFrame = static_cast<uint8_t>(guy.animFrame + 1);
  // A sequence the kind lacks has no end mark; running off its 24 entries
  // ends it as if it had one.
  if (guy.animFrame >= kSequenceLength ||
      KindSequence(guy.kind, guy.anim)[guy.animFrame] == kSequenceEnd) {
    EndSequence(guy);
  }
}

void EndSequence(Guy& guy) {
  bool hero = guy.kind == kHero;
  if (guy.anim == kAnimDie || (guy.anim == 6 && hero)) {
    if (hero) PostMapEvent(3);
    FreeGuySlot(guy);
    return;
  }
  if (guy.anim == 7 && guy.kind == kBobby) {
    // The block ends where the interrupted guard left off.
    guy.anim = 4;
    guy.animFrame = guy.aux;
    return;
  }
  guy.anim = 0;
  guy.animFrame = 0;
  guy.animRate = 128;
  guy.busy = 0;
}

Guy* HeroGuy() {
  Guy* hero = gGuys.hero;
  return hero && hero->kind == kHero ? hero : nullptr;
}

Guy* NearestFoe(const Guy& guy) {
  bool heroSide = !IsEnemy(guy);
  Guy* best = nullptr;
  int64_t bestDistance = 0;
  for (Guy& g : gGuys.guys) {
    if (!Occupied(g) || !IsEnemy(g) == heroSide) continue;
    int64_t d = std::llabs(static_cast<int64_t>(g.x) - guy.x) +
                std::llabs(static_cast<int64_t>(g.y) - guy.y);
    if (!best || d < bestDistance) {
      best = &g;
      bestDistance = d;
    }
  }
  return best;
}

uint16_t NearestEnemyIndex(Fixed x, Fixed y) {
  constexpr int64_t kRange = static_cast<int64_t>(kNearestEnemyRange) << 16;
  uint16_t best = kNoGuy;
  int64_t bestDistance = kRange;
  for (const Guy& g : gGuys.guys) {
    if (!Occupied(g) || g.life <= 0 || !IsEnemy(g)) continue;
    int64_t d =
        std::llabs(static_cast<int64_t>(g.x) - x) + std::llabs(static_cast<int64_t>(g.y) - y);
    if (d >= kRange) continue;
    // Any enemy in range may steal the aim now and then, so that a volley
    // does not all home on the same one.
    if (d < bestDistance || Random(32) == 0) {
      best = static_cast<uint16_t>(g.slot);
      bestDistance = d;
    }
  }
  return best;
}

bool GuyPosition(int slot, Fixed& x, Fixed& y) {
  Guy* guy = GetGuy(slot);
  if (!guy || !Occupied(*guy)) return false;
  x = guy->x;
  y = guy->y;
  return true;
}

bool AnyGuyOfKind(uint8_t kind) {
  for (const Guy& g : gGuys.guys) {
    if (!Occupied(g)) continue;
    if (kind == 255) {
      if (g.life > 0 && IsEnemy(g) && g.kind != kFriendly) return true;
    } else if (g.kind == kind) {
      return true;
    }
  }
  return false;
}

bool MossAt(int32_t tileX, int32_t tileY) {
  for (const Guy& g : gGuys.guys) {
    if ((g.kind == kMoss || g.kind == kMossGround) && g.life > 0 && g.tileX == tileX &&
        g.tileY == tileY) {
      return true;
    }
  }
  return false;
}

void HealHero(int32_t n) {
  Guy* hero = HeroGuy();
  if (!hero) return;
  int32_t life = hero->life + n;
  int32_t max = Player().lifeMax;
  hero->life = life > max ? max : life;
}

void BurstKind17Guys() {
  for (Guy& g : gGuys.guys) {
    if (g.kind != kPinkeye) continue;
    FireBullet(g.x, g.y, 0, kExplosionBullet);
    RemoveGuy(&g);
  }
}

bool EnemiesPresent() {
  return gGuys.enemiesPresent;
}

}  // namespace torvel
