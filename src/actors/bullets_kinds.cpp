// Each bullet kind's own step before it moves, and whom it hits.
#include <algorithm>
#include <cstdint>

#include "actors/bullets_internal.h"
#include "actors/guys.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "platform/random.h"
#include "player/player.h"
#include "player/player_record.h"
#include "world/world.h"

namespace torvel {

using namespace bullet_kind;

namespace {

constexpr int kSparks = kParticleFire;
constexpr uint16_t kMoneyCap = 50000;

// The 16-step direction closest to the way (dx, dy) points.
uint8_t Direction16(Fixed dx, Fixed dy) {
  uint8_t best = 0;
  int64_t bestDot = INT64_MIN;
  for (int d = 0; d < 16; ++d) {
    int64_t dot =
        static_cast<int64_t>(dx) * Cosine(d * 16) + static_cast<int64_t>(dy) * Sine(d * 16);
    if (dot > bestDot) {
      bestDot = dot;
      best = static_cast<uint8_t>(d);
    }
  }
  return best;
}

// One step of a 16-step facing toward d, the short way round.
uint8_t TurnToward16(uint8_t f, uint8_t d) {
  if (d > f) return static_cast<uint8_t>((d - f < 9 ? f + 1 : f - 1) & 15);
  if (d < f) return static_cast<uint8_t>((f - d < 9 ? f - 1 : f + 1) & 15);
  return f;
}

// A shove in a random direction, for the blasts.
void RandomPush(Fixed& px, Fixed& py) {
  px = ToFixed(8 - Random(17));
  py = ToFixed(8 - Random(16));
}

void GainMoney(int amount) {
  PlayerRecord& p = Player();
  p.money = static_cast<uint16_t>(std::min<int>(kMoneyCap, p.money + amount));
}

// Homing: the seeker and the sword shot accelerate toward their target on
// each axis while its slot holds a guy, and turn their facing after their
// flight. A target whose slot emptied is dropped and the bullet flies on.
void Steer(Bullet& b) {
  Guy* target = b.target >= 0 ? GetGuy(b.target) : nullptr;
  if (!target || target->kind == 0) {
    b.target = kNoTarget;
    return;
  }
  const int level = PlayerLevel();
  const bool seeker = b.kind == kSeeker;
  const Fixed accel = seeker ? ToFixed(level / 2 + 2) / 8 : kFixedOne;
  const Fixed limit = seeker ? ToFixed(level / 3 + 4) : ToFixed(8);
  if (target->x > b.x) b.dx += accel;
  if (target->x < b.x) b.dx -= accel;
  if (target->y > b.y) b.dy += accel;
  if (target->y < b.y) b.dy -= accel;
  b.dx = Clamp(b.dx, limit);
  b.dy = Clamp(b.dy, limit);
  if (b.dx != 0 || b.dy != 0) b.facing = TurnToward16(b.facing, Direction16(b.dx, b.dy));
}

}  // namespace

void BulletHitTest(Bullet& b, Map& map, World& world) {
  const int32_t px = FixedToInt(b.x), py = FixedToInt(b.y);
  const int level = PlayerLevel();
  Fixed pushX = 0, pushY = 0;
  switch (b.kind) {
    case kShot:
    case kBouncingShot:
    case kSwordShot:
      if (HitEnemyAt(px, py, 12, b.dx, b.dy, Player().damageValue, map, world)) {
        BulletParticles(b, kSparks, 8);
        BulletSound(b, 5, 900);
        RemoveBullet(b);
      }
      break;
    case kSeeker:
      if (HitEnemyAt(px, py, 8, 0, 0, level / 5, map, world)) EndBullet(b);
      break;
    case kFlame:
    case kStrike:
      HitEnemyAt(px, py, 12, b.dx, b.dy, 1, map, world);
      break;
    case kEnergyBall:
      if (HitEnemyAt(px, py, 8, b.dx / 2, b.dy / 2, 1, map, world)) {
        BulletParticles(b, kParticleBlood, 4);
        BulletSound(b, 13, 900);
        RemoveBullet(b);
      }
      break;
    case kSpit:
      if (HitHeroSideAt(px, py, 8, b.dx, b.dy, 5, map, world)) {
        BulletSound(b, 10, 1000);
        BulletParticles(b, kParticleGreen, 6);
        RemoveBullet(b);
      }
      break;
    case kExplosion:
      RandomPush(pushX, pushY);
      HitEnemiesAt(px, py, 64, pushX, pushY, 2, map, world);
      break;
    case kStar:
      if (HitHeroSideAt(px, py, 8, b.dx, b.dy, PlayerWorldNumber() < 2 ? 4 : 12, map, world)) {
        BulletSound(b, 11, 950);
        BulletParticles(b, kParticleBlood, 6);
        RemoveBullet(b);
      }
      break;
    case kBeamDrop:
      if (HitHeroSideAt(px, py, 40, 0, ToFixed(12), 5, map, world)) {
        b.kind = kBeamSplash;
        b.dy = 0;
        b.timer = 2;
        BulletSound(b, 14, 1000);
      }
      break;
    case kEnemyFlame:
      HitHeroSideAt(px, py, 12, b.dx, b.dy, 1, map, world);
      break;
    case kSpore: {
      int who = HitHeroSideAt(px, py, 4, b.dx / 2, b.dy / 2, 1, map, world);
      if (who != 0) {
        RemoveBullet(b);
        if (who == 2) AddPoison(30);
      }
      break;
    }
    case kSporePod:
      if (HitHeroSideAt(px, py, 12, b.dx, b.dy, 10, map, world)) EndBullet(b);
      break;
    case kRockBlast:
      RandomPush(pushX, pushY);
      HitHeroSideAt(px, py, 100 - 20 * (b.timer / 2), pushX, pushY, 5, map, world);
      break;
    case kShockwave:
      HitHeroSideAt(px, py, 120 - 30 * (b.timer / 2), 0, 0, 6, map, world);
      break;
    case kSeekerBlast:
      RandomPush(pushX, pushY);
      HitEnemiesAt(px, py, 16, pushX, pushY, level / 10 + 1, map, world);
      break;
    case kIcicle:
    case kSnowball:
      if (HitHeroSideAt(px, py, 12, b.dx, b.dy, 6, map, world)) EndBullet(b);
      break;
    case kRollingBlast:
      HitHeroSideAt(px, py, 16, AlongX(ToFixed(8), b.facing * 32),
                    AlongY(ToFixed(8), b.facing * 32), 6, map, world);
      break;
    case kRock:
      if (HitHeroSideAt(px, py, 8, b.dx, b.dy, 20, map, world)) {
        BulletSound(b, 131, 600);
        BulletParticles(b, kParticleEarth, 12);
        RemoveBullet(b);
      }
      break;
    case kNeedle:
      if (HitHeroSideAt(px, py, 4, b.dx / 4, b.dy / 4, 4, map, world)) RemoveBullet(b);
      break;
    case kMechShot:
      if (HitHeroSideAt(px, py, 12, b.dx, b.dy, 10, map, world)) {
        BulletSound(b, 5, 950);
        BulletParticles(b, kParticleGrey, 8);
        RemoveBullet(b);
      }
      break;
    case kCoin:
    case kBigCoin:
      // Coins hurt nobody: whoever of the hero's side touches one picks it up.
      if (HitHeroSideAt(px, py, 8, 0, 0, 0, map, world)) {
        GainMoney(b.kind == kCoin ? 1 : 10);
        BulletSound(b, 156, 500);
        RemoveBullet(b);
      }
      break;
    case kFrostCloud:
      if (HitEnemiesAt(px, py, 20, 0, 0, kFreezeDamage, map, world)) {
        BulletParticles(b, kParticleGrey, 4);
        BulletSound(b, 163, 900);
      }
      break;
    case kPteroShot:
      if (HitEnemyAt(px, py, 6, b.dx, b.dy, 3, map, world)) {
        BulletParticles(b, kSparks, 4);
        BulletSound(b, 5, 900);
        RemoveBullet(b);
      }
      break;
    case kEyeBolt:
      if (HitHeroSideAt(px, py, 12, b.dx, b.dy, 8, map, world)) EndBullet(b);
      break;
    case kOrb:
      if (HitHeroSideAt(px, py, 16, b.dx, b.dy, PlayerWorldNumber() == 3 ? 30 : 20, map, world)) {
        EndBullet(b);
      }
      break;
    case kFreezeRay:
      if (HitEnemiesAt(px, py, 12, 0, 0, kFreezeDamage, map, world)) {
        BulletParticles(b, kParticleGrey, 4);
        BulletSound(b, 163, 900);
      }
      break;
    case kHeroShockwave:
      HitEnemiesAt(px, py, 120 - 30 * (b.timer / 2), 0, 0, 4, map, world);
      break;
    default:
      break;
  }
}

void StepBulletKind(Bullet& b, Map& map, World& world) {
  const uint8_t kind = b.kind;
  switch (kind) {
    case kShot:
    case kBouncingShot:
    case kMechShot:
      if (++b.anim > 4) {
        b.anim = 0;
        AddParticleRaw(b.x, b.y, b.z, RandomNudge(kFixedOne / 2 - 1),
                       RandomNudge(kFixedOne / 2 - 1), 0, 12, kParticleFire, 0);
      }
      BulletHitTest(b, map, world);
      break;
    case kSeeker:
    case kSwordShot:
      b.anim++;
      if (b.timer == (kind == kSeeker ? 40 : 50)) {
        uint16_t nearest = NearestEnemyIndex(b.x, b.y);
        b.target = nearest == kNoGuy ? kNoTarget : static_cast<int16_t>(nearest);
      }
      if (kind == kSeeker) {
        if (b.target != kNoTarget || b.anim % 3 == 0) AddSmokePuff(b.x - b.dx, b.y - b.dy, b.z, 0);
      } else {
        LightBulletTile(b, map, 8, 4);
      }
      BulletHitTest(b, map, world);
      if (b.kind == kind) Steer(b);
      break;
    case kFlame:
    case kEnemyFlame: {
      if (b.timer & 1) {
        BulletHitTest(b, map, world);
      }
      LightBulletTile(b, map, 8, 4);
      b.dz += Random(kFixedOne / 8 + 1);
      b.dx = Clamp(Dampen(b.dx + RandomNudge(kFixedOne / 2 - 1), kFixedOne / 4), ToFixed(10));
      b.dy = Clamp(Dampen(b.dy + RandomNudge(kFixedOne / 2 - 1), kFixedOne / 4), ToFixed(10));
      int frame = (32 - b.timer) / 8 + 1;
      b.anim = static_cast<uint8_t>(std::clamp(frame, 0, 4));
      break;
    }
    case kSpit:
      b.dz -= kFixedOne / 2;
      b.anim = static_cast<uint8_t>((b.anim + 1) % 7);
      BulletHitTest(b, map, world);
      break;
    case kExplosion:
      LightBulletTile(b, map, 12, 8);
      BulletHitTest(b, map, world);
      break;
    case kStar:
    case kLobbedRock:
    case kOrb:
      b.anim ^= 1;
      if (kind != kLobbedRock) BulletHitTest(b, map, world);
      break;
    case kBeam:
      if (b.anim < 20) b.anim++;
      if (b.anim == 20) FireBulletAfter(b.x, b.y, 0, kBeamDrop, b);
      // In the castle the beam hangs under its caster wherever it goes.
      if (PlayerWorldNumber() == 3 && b.target >= 0) {
        Guy* owner = GetGuy(b.target);
        if (owner && owner->kind != 0) {
          b.x = owner->x;
          b.y = owner->y + ToFixed(8);
        }
      }
      break;
    case kSpore:
      if (b.anim < 15) b.anim++;
      b.dx = Dampen(b.dx, kFixedOne / 4);
      b.dy = Dampen(b.dy, kFixedOne / 4);
      BulletHitTest(b, map, world);
      break;
    case kRockBlast:
      b.anim++;
      LightBulletTile(b, map, 18, 8);
      BulletHitTest(b, map, world);
      break;
    case kShockwave:
    case kHeroShockwave:
      b.anim++;
      BulletHitTest(b, map, world);
      break;
    case kIcicle:
      b.dz -= kFixedOne / 2;
      BulletHitTest(b, map, world);
      break;
    case kSnowball:
      b.anim = static_cast<uint8_t>((b.anim + 1) % 6);
      b.dz -= kFixedOne / 2;
      if (b.z < ToFixed(64)) BulletHitTest(b, map, world);
      break;
    case kRollingBlast:
      // Grows, then shrinks, and rolls on once in a random spread ahead.
      b.anim = static_cast<uint8_t>(b.timer < 5 ? b.timer - 1 : 8 - b.timer);
      if (b.timer == 5) BulletHitTest(b, map, world);
      if (b.timer == 4) {
        int angle = b.facing * 32 - 32 + Random(65);
        FireBullet(b.x + AlongX(ToFixed(32), angle), b.y + AlongY(ToFixed(32), angle), b.facing,
                   kRollingBlast);
      }
      break;
    case kRock: {
      int32_t px = FixedToInt(b.x), py = FixedToInt(b.y);
      if (px < 0 || py < 0 || px >= (map.width + 1) * kTileWidth ||
          py >= (map.height + 1) * kTileHeight) {
        RemoveBullet(b);
        break;
      }
      b.anim = (b.anim + 1) & 3;
      BulletHitTest(b, map, world);
      break;
    }
    case kCoin:
    case kBigCoin:
      b.dx = Dampen(b.dx, kFixedOne / 64);
      b.dy = Dampen(b.dy, kFixedOne / 64);
      b.anim = (b.anim + 1) & 15;
      BulletHitTest(b, map, world);
      break;
    case kFrostCloud:
      b.anim ^= 1;
      if (b.anim == 0) AddFloatingSpark(b.x, b.y, std::max<Fixed>(b.z - ToFixed(4), 0), kFixedOne);
      BulletHitTest(b, map, world);
      break;
    case kStrike:
      if ((b.anim & 1) == 0) {
        BulletHitTest(b, map, world);
      }
      b.anim++;
      if (b.anim >= 14) {
        EndBullet(b);
        break;
      }
      // A young strike forks once into a neighbour a little off its course.
      if (b.anim == 4 && b.timer > 13) {
        uint8_t angle = static_cast<uint8_t>(b.facing + Random(17) - 8);
        AddBullet(b.x + AlongX(ToFixed(16), angle), b.y + AlongY(ToFixed(16), angle), 0, 0, 0, 0, 0,
                  b.timer, angle, kStrike);
      }
      LightBulletTile(b, map, 2, 4);
      if (BulletOverFloor(b, map, world, kTerrainWater)) EndBullet(b);
      break;
    case kFreezeRay:
      if (BulletFits(b.x, b.y, map)) {
        BulletHitTest(b, map, world);
        // The ray reaches out a segment at a time, all within its first tick.
        if (b.timer == 4) {
          FireBulletAfter(b.x + AlongX(ToFixed(16), b.facing * 32),
                          b.y + AlongY(ToFixed(16), b.facing * 32), b.facing, kFreezeRay, b);
        }
        if ((b.timer & 1) == 0) BulletParticles(b, kSparks, 1);
      } else {
        b.kind = kRayFizzle;
        b.timer = 8;
      }
      break;
    case kEnergyBall:
    case kBeamDrop:
    case kSporePod:
    case kSeekerBlast:
    case kNeedle:
    case kPteroShot:
    case kEyeBolt:
      BulletHitTest(b, map, world);
      break;
    default:
      break;
  }
}

}  // namespace torvel
