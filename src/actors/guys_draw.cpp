// Guys on screen: their light, and their sprites queued into the draw list
// with the hero's shimmer, poison and protection looks and the tints of
// hurt and frozen guys.
#include "actors/guys_pool.h"
#include "actors/kinds.h"
#include "gfx/draw_list.h"
#include "player/player_record.h"
#include "world/light.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr uint8_t kHero = 1;
constexpr uint8_t kRampHurt = 4;
constexpr uint8_t kRampPoison = 1;
constexpr uint8_t kRampFrozen = 7;
constexpr uint8_t kRampProtectedUpgraded = 0;
constexpr uint8_t kRampProtected = 2;
constexpr int kProtectionSlot = 6;

int8_t Bright(int value) {
  if (value < -128) return -128;
  if (value > 127) return 127;
  return static_cast<int8_t>(value);
}

void LightFromTile(const Map& map, Guy& guy) {
  int32_t tx = guy.tileX, ty = guy.tileY;
  if (OnMap(map, tx, ty)) guy.light = MapTile(map, tx, ty).curLight;
}

void Shadow(const Guy& guy, const Sprite* sprite) {
  if (KindFlags(guy.kind) & KindFlag::NoShadow) return;
  AddToDrawList(PixelX(guy), PixelY(guy), 0, kOwnColours, 0, sprite, kDrawVisible | kDrawShadow);
}

void Body(const Guy& guy, const Sprite* sprite, uint8_t colour, int bright, uint8_t extra = 0) {
  AddToDrawList(PixelX(guy), PixelY(guy), FixedToInt(guy.z), colour, Bright(bright), sprite,
                static_cast<uint8_t>(kDrawVisible | extra));
}

// The hero's own looks; false when the hero is drawn like anyone else.
bool DrawHeroSpecials(const Guy& hero, const Sprite* sprite, int light) {
  const PlayerRecord& p = Player();
  // Hasted, the hero is all after-images.
  if (p.hasteTimer != 0) return true;
  uint8_t v = p.invulnerable;
  if (v != 0 && !(v < 16 && (v & 2))) {
    AddToDrawList(PixelX(hero), PixelY(hero) + 1, 1, kOwnColours, 0,
                  KindSprite(kHero, kHeroShimmerFrame + (v & 7)), kDrawVisible | kDrawGhost);
  }
  if (p.poison != 0) {
    Shadow(hero, sprite);
    if (hero.hurtTimer) {
      Body(hero, sprite, kRampHurt, light);
    } else {
      Body(hero, sprite, kRampPoison, light - 4);
    }
    return true;
  }
  if (p.protectionTimer != 0) {
    Shadow(hero, sprite);
    uint8_t ramp = p.spells[kProtectionSlot] >= 2 ? kRampProtectedUpgraded : kRampProtected;
    Body(hero, sprite, ramp, light + 4 * hero.hurtTimer - 4);
    return true;
  }
  return false;
}

}  // namespace

void LightGuys(const Map& map) {
  for (Guy& g : GuyPool().guys) {
    if (Occupied(g)) LightFromTile(map, g);
  }
}

void LightGuysAndHero(Map& map) {
  LightGuys(map);
  if (Guy* hero = HeroGuy()) HeroLight(map, hero->tileX, hero->tileY);
}

void RenderGuys(bool lit) {
  for (const Guy& g : GuyPool().guys) {
    if (Occupied(g)) DrawGuy(g, lit ? g.light : 0);
  }
}

void DrawGuy(const Guy& guy, int light) {
  if (guy.animFrame >= kSequenceLength) return;
  if (KindSequence(guy.kind, guy.anim)[guy.animFrame] == kBlankFrame) return;
  const Sprite* sprite = GuySprite(guy.kind, guy.anim, guy.animFrame, guy.facing);
  if (!sprite) return;

  if (guy.kind == kHero && DrawHeroSpecials(guy, sprite, light)) return;

  Shadow(guy, sprite);
  uint16_t flags = KindFlags(guy.kind);
  bool frozen = guy.frozenTimer != 0;
  if (guy.hurtTimer) {
    Body(guy, sprite, kRampHurt, light);
  } else if (flags & KindFlag::Glowing) {
    if (frozen) {
      Body(guy, sprite, kRampFrozen, light - 4);
    } else {
      Body(guy, sprite, kOwnColours, light, kDrawGlow);
    }
  } else if (guy.frozenTimer > 30 || (frozen && guy.frozenTimer % 2 == 0)) {
    // The ice blinks off in its last second.
    Body(guy, sprite, kRampFrozen, light + 4);
  } else {
    Body(guy, sprite, kOwnColours, light);
  }
}

}  // namespace torvel
