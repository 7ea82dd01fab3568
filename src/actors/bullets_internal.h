// What the bullet files share among themselves: the kind numbers, the little
// helpers every family uses, and the steps the update hands to each family.
#pragma once

#include <cstdint>

#include "actors/bullets.h"
#include "common/fixed.h"
#include "common/trig.h"

namespace torvel {

struct Map;
struct World;

namespace bullet_kind {
inline constexpr uint8_t kShot = 1;
inline constexpr uint8_t kBouncingShot = 2;
inline constexpr uint8_t kSeeker = 3;
inline constexpr uint8_t kFlame = 4;
inline constexpr uint8_t kEnergyBall = 5;
inline constexpr uint8_t kSpit = 6;
inline constexpr uint8_t kFireball = 7;
inline constexpr uint8_t kExplosion = 8;
inline constexpr uint8_t kStar = 9;
inline constexpr uint8_t kBeam = 10;
inline constexpr uint8_t kBeamDrop = 11;
inline constexpr uint8_t kBeamSplash = 12;
inline constexpr uint8_t kEnemyFlame = 13;
inline constexpr uint8_t kSpore = 14;
inline constexpr uint8_t kSporePod = 15;
inline constexpr uint8_t kLobbedRock = 16;
inline constexpr uint8_t kRockBlast = 17;
inline constexpr uint8_t kShockwave = 18;
inline constexpr uint8_t kSeekerBlast = 19;
inline constexpr uint8_t kIcicle = 20;
inline constexpr uint8_t kSnowball = 21;
inline constexpr uint8_t kRollingBlast = 22;
inline constexpr uint8_t kRock = 23;
inline constexpr uint8_t kNeedle = 24;
inline constexpr uint8_t kMechShot = 25;
inline constexpr uint8_t kCoin = 26;
inline constexpr uint8_t kFrostCloud = 27;
inline constexpr uint8_t kPteroShot = 28;
inline constexpr uint8_t kEyeBolt = 29;
inline constexpr uint8_t kOrb = 30;
inline constexpr uint8_t kBigCoin = 31;
inline constexpr uint8_t kStrike = 32;
inline constexpr uint8_t kFreezeRay = 33;
inline constexpr uint8_t kRayFizzle = 34;
inline constexpr uint8_t kHeroShockwave = 35;
inline constexpr uint8_t kSwordShot = 36;
}  // namespace bullet_kind

// Speed s (16.16) along angle a of the 256-step circle.
inline Fixed AlongX(Fixed speed, int angle) {
  return static_cast<Fixed>((static_cast<int64_t>(speed) * Cosine(angle)) >> 16);
}
inline Fixed AlongY(Fixed speed, int angle) {
  return static_cast<Fixed>((static_cast<int64_t>(speed) * Sine(angle)) >> 16);
}

// A random amount in -half .. half (16.16), half at most 0x7FFF.
Fixed RandomNudge(Fixed half);

// Sound n at the bullet's position.
void BulletSound(const Bullet& b, int number, int32_t priority = 1200);
// n particles of the type at the bullet.
void BulletParticles(const Bullet& b, uint8_t type, int n);
// The bullet's tile lights up (a passing glow).
void LightBulletTile(const Bullet& b, Map& map, int32_t radius, int32_t strength);
// The floor under the bullet has the terrain flag.
bool BulletOverFloor(const Bullet& b, const Map& map, const World& world, uint16_t flag);
// The slot's index in the pool.
int BulletSlotOf(const Bullet& b);
void RemoveBullet(Bullet& b);

// The kind's own step before it moves (its hit test included).
void StepBulletKind(Bullet& b, Map& map, World& world);
// The kind's hit test against the guys.
void BulletHitTest(Bullet& b, Map& map, World& world);
// The end of a bullet's life: timed out, or stopped by a wall or the floor.
void EndBullet(Bullet& b);

}  // namespace torvel
