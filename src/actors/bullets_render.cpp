// How every bullet kind looks: which sprite of the bullet set (or, for
// coins, of the item set), drawn how, and whether it casts a shadow.
#include "actors/bullets_internal.h"
#include "gfx/draw_list.h"
#include "world/items.h"

namespace torvel {

using namespace bullet_kind;

namespace {

enum class Look { kPlain, kGhost, kRecoloured };

void Queue(const Bullet& b, const Sprite* sprite, Look look, int bright, bool onFloor = false,
           uint8_t colour = kOwnColours) {
  uint8_t flags = kDrawVisible;
  if (look == Look::kGhost) flags |= kDrawGhost;
  AddToDrawList(FixedToInt(b.x), FixedToInt(b.y), onFloor ? 0 : FixedToInt(b.z), colour,
                static_cast<int8_t>(bright), sprite, flags);
}

void Shadow(const Bullet& b, const Sprite* sprite) {
  AddToDrawList(FixedToInt(b.x), FixedToInt(b.y), 0, kOwnColours, 0, sprite,
                kDrawVisible | kDrawShadow);
}

void DrawBullet(const Bullet& b) {
  const int light = static_cast<int8_t>(b.light);
  auto sprite = [](int frame) { return GetBulletSprite(frame); };
  switch (b.kind) {
    case kShot:
    case kBouncingShot: {
      const Sprite* s = sprite(182 + 5 * b.facing + b.anim);
      Shadow(b, s);
      Queue(b, s, Look::kGhost, light);
      break;
    }
    case kSeeker:
      Queue(b, sprite(21 + b.facing), Look::kGhost, light - 6);
      break;
    case kFlame:
    case kEnemyFlame:
      Queue(b, sprite(b.anim), Look::kGhost, 0);
      break;
    case kEnergyBall: {
      const Sprite* s = sprite(5 + b.facing);
      Queue(b, s, Look::kPlain, light);
      Shadow(b, s);
      break;
    }
    case kSpit: {
      const Sprite* s = sprite(44 + 7 * b.facing + b.anim);
      Shadow(b, s);
      Queue(b, s, Look::kPlain, light);
      break;
    }
    case kExplosion:
      Queue(b, sprite(117 - b.timer), Look::kGhost, light);
      break;
    case kStar: {
      const Sprite* s = sprite(108 + b.anim);
      Queue(b, s, Look::kPlain, light);
      Shadow(b, s);
      break;
    }
    case kBeam:
      Queue(b, sprite(118 + b.anim / 4), Look::kGhost, light - 8);
      break;
    case kBeamDrop:
      Queue(b, sprite(124), Look::kGhost, light - 8);
      break;
    case kBeamSplash:
      Queue(b, sprite(125), Look::kGhost, light - 8);
      break;
    case kSpore:
      Queue(b, sprite(126 + b.anim / 4), Look::kPlain, light);
      break;
    case kSporePod: {
      const Sprite* s = sprite(130 + b.facing);
      Queue(b, s, Look::kPlain, light);
      Shadow(b, s);
      break;
    }
    case kLobbedRock:
    case kOrb: {
      const Sprite* s = sprite(138 + b.anim);
      Queue(b, s, Look::kGhost, light);
      Shadow(b, s);
      break;
    }
    case kRockBlast:
      Queue(b, sprite(140 + b.anim / 2), Look::kGhost, light);
      break;
    case kShockwave:
    case kHeroShockwave:
      Queue(b, sprite(145 + b.anim / 2), Look::kGhost, light, true);
      break;
    case kSeekerBlast:
      Queue(b, sprite(153 - b.timer / 2), Look::kGhost, light);
      break;
    case kIcicle: {
      const Sprite* s = sprite(154);
      Shadow(b, s);
      Queue(b, s, Look::kPlain, light);
      break;
    }
    case kSnowball: {
      const Sprite* s = sprite(155 + b.anim / 2);
      Shadow(b, s);
      Queue(b, s, Look::kPlain, light);
      break;
    }
    case kRollingBlast:
      Queue(b, sprite(158 + b.anim), Look::kPlain, light, true);
      break;
    case kRock: {
      // A rock about to vanish blinks.
      if (b.timer < 8 && (b.timer & 1)) break;
      const Sprite* s = sprite(162 + b.anim);
      Shadow(b, s);
      Queue(b, s, Look::kPlain, light);
      break;
    }
    case kNeedle:
    case kPteroShot: {
      const Sprite* s = sprite(166 + b.facing);
      Shadow(b, s);
      Queue(b, s, Look::kPlain, light);
      break;
    }
    case kMechShot: {
      const Sprite* s = sprite(21 + 16 * b.facing + b.anim);
      Shadow(b, s);
      Queue(b, s, Look::kRecoloured, light, false, 0);
      break;
    }
    case kCoin:
    case kBigCoin: {
      // A coin about to vanish blinks.
      if (b.timer < 30 && !(b.timer & 1)) break;
      const Sprite* s = GetItemSprite((b.kind == kCoin ? 147 : 159) + b.anim / 2);
      Queue(b, s, Look::kPlain, light);
      Shadow(b, s);
      break;
    }
    case kEyeBolt:
      Queue(b, sprite(223 + b.facing), Look::kGhost, light);
      break;
    case kStrike:
      Queue(b, sprite(231 + b.anim / 2), Look::kGhost, light);
      break;
    case kFreezeRay:
      Queue(b, sprite(239 + ((b.facing / 32) & 3)), Look::kGhost, light);
      break;
    case kRayFizzle:
      Queue(b, sprite(238), Look::kGhost, light);
      break;
    case kSwordShot:
      Queue(b, sprite(243 + b.facing), Look::kGhost, light - 2);
      break;
    default:
      // The fireball and anything unknown draw nothing.
      break;
  }
}

}  // namespace

void RenderBullets() {
  for (int i = 0; i < kBulletPoolSize; ++i) {
    const Bullet* b = GetBullet(i);
    if (b->kind != 0) DrawBullet(*b);
  }
}

}  // namespace torvel
