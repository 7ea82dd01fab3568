// A bullet's tick: its kind's step, the move with its wall and floor
// reactions, the timer, and how each kind ends.
#include "actors/bullets_internal.h"
#include "actors/guys.h"
#include "actors/particles.h"
#include "platform/random.h"
#include "world/items.h"
#include "world/specials.h"
#include "world/world.h"

namespace torvel {

using namespace bullet_kind;

namespace {

constexpr int kSparks = kParticleFire;

// Kinds that take their wall reaction at once, without moving, when they
// find themselves inside a wall.
bool StopsInsideWalls(uint8_t kind) {
  switch (kind) {
    case kShot:
    case kBouncingShot:
    case kEnergyBall:
    case kCoin:
    case kPteroShot:
    case kOrb:
    case kBigCoin:
    case kStrike:
    case kFreezeRay:
    case kSwordShot:
      return true;
    default:
      return false;
  }
}

bool Falls(uint8_t kind) {
  switch (kind) {
    case kFireball:
    case kLobbedRock:
    case kRock:
    case kMechShot:
    case kCoin:
    case kBigCoin:
      return true;
    default:
      return false;
  }
}

// The pixel lies on a tile of the map.
bool PixelOnMap(const Map& map, int32_t px, int32_t py) {
  return px >= 0 && py >= 0 && px / kTileWidth < map.width && py / kTileHeight < map.height;
}

bool PointClear(const Map& map, int32_t px, int32_t py) {
  if (!PixelOnMap(map, px, py)) return false;
  const Tile& t = MapTile(map, px / kTileWidth, py / kTileHeight);
  return t.wall == 0 && !ItemBlocksAll(t.item);
}

enum class Axis { kX, kY };

// Undo the move on the blocked axis and send the bullet back the other way.
void Bounce(Bullet& b, Axis axis) {
  if (axis == Axis::kX) {
    b.x -= b.dx;
    b.dx = -b.dx;
  } else {
    b.y -= b.dy;
    b.dy = -b.dy;
  }
}

// A facing of eight directions seen in a mirror along the blocked axis.
uint8_t Mirror8(uint8_t f, Axis axis) {
  return static_cast<uint8_t>((axis == Axis::kX ? -f - 4 : -f) & 7);
}
uint8_t Mirror16(uint8_t f, Axis axis) {
  return static_cast<uint8_t>((axis == Axis::kX ? -f - 8 : -f) & 15);
}
uint8_t Mirror256(uint8_t f, Axis axis) {
  return static_cast<uint8_t>(axis == Axis::kX ? 128 - f : -f);
}

// A shot bursting on a wall.
void Burst(Bullet& b) {
  BulletParticles(b, kSparks, 8);
  BulletSound(b, 5, 1000);
  RemoveBullet(b);
}

void WallReaction(Bullet& b, Axis axis) {
  switch (b.kind) {
    case kShot:
    case kSwordShot:
      Burst(b);
      break;
    case kBouncingShot:
    case kMechShot:
      if (b.kind == kBouncingShot) BulletParticles(b, kSparks, 3);
      Bounce(b, axis);
      BulletSound(b, 6, 900);
      b.facing = Mirror8(b.facing, axis);
      break;
    case kFlame:
    case kEnemyFlame:
      if (axis == Axis::kX) {
        b.x -= b.dx;
        b.dx = 0;
        b.dy = ToFixed(3 - Random(7));
      } else {
        b.y -= b.dy;
        b.dy = 0;
        b.dx = ToFixed(3 - Random(7));
      }
      break;
    case kEnergyBall:
      BulletSound(b, 7, 100);
      Bounce(b, axis);
      if (axis == Axis::kX) {
        b.dy += RandomNudge(kFixedOne / 4);
      } else {
        b.dx += RandomNudge(kFixedOne / 4);
      }
      b.facing = Mirror16(b.facing, axis);
      break;
    case kSpit:
      BulletSound(b, 10, 950);
      BulletParticles(b, kParticleGreen, 6);
      RemoveBullet(b);
      break;
    case kFireball:
    case kLobbedRock:
    case kFrostCloud:
      if (axis == Axis::kX) {
        b.x -= b.dx;
      } else {
        b.y -= b.dy;
      }
      break;
    case kStar:
      BulletSound(b, 11, 950);
      BulletParticles(b, kParticleBlood, 4);
      RemoveBullet(b);
      break;
    case kBeam:
    case kBeamDrop:
      b.kind = kBeamSplash;
      b.dy = 0;
      b.timer = 2;
      break;
    case kSpore:
    case kRollingBlast:
      RemoveBullet(b);
      break;
    case kRock:
      Bounce(b, axis);
      b.facing = Mirror8(b.facing, axis);
      BulletSound(b, 131, 600);
      break;
    case kOrb:
      Bounce(b, axis);
      b.facing = Mirror8(b.facing, axis);
      break;
    case kCoin:
    case kBigCoin:
      Bounce(b, axis);
      b.facing = Mirror256(b.facing, axis);
      break;
    case kPteroShot:
    case kEyeBolt:
      BulletParticles(b, kSparks, 2);
      RemoveBullet(b);
      break;
    case kFreezeRay:
      b.kind = kRayFizzle;
      b.timer = 8;
      break;
    default:
      EndBullet(b);
      break;
  }
}

void FloorReaction(Bullet& b, Map& map, World& world) {
  switch (b.kind) {
    case kShot:
    case kBouncingShot:
    case kMechShot:
      BulletSound(b, 6, 850);
      b.z = 0;
      b.dz = -b.dz * 3 / 4;
      if (BulletOverFloor(b, map, world, kTerrainWater)) {
        BulletParticles(b, kParticleSplash, 8);
      } else if (BulletOverFloor(b, map, world, kTerrainLava)) {
        BulletParticles(b, kParticleBlood, 8);
      }
      break;
    case kSpit:
      BulletSound(b, 10, 850);
      BulletParticles(b, kParticleGreen, 6);
      RemoveBullet(b);
      break;
    case kStar:
      BulletSound(b, 11, 950);
      BulletParticles(b, kParticleBlood, 4);
      RemoveBullet(b);
      break;
    case kSporePod:
    case kIcicle:
    case kSnowball:
      EndBullet(b);
      break;
    case kLobbedRock:
      b.kind = kRockBlast;
      b.dx = b.dy = b.dz = 0;
      b.anim = 0;
      b.timer = 9;
      BulletSound(b, 12, 950);
      break;
    case kRock:
      if (b.dz < -kFixedOne) BulletSound(b, 131, 600);
      b.z = 0;
      b.dz = -b.dz * 3 / 4;
      break;
    case kCoin:
    case kBigCoin:
      b.z = 0;
      b.dz = -b.dz * 7 / 8;
      // A coin that lands in water or lava is lost.
      if (BulletOverFloor(b, map, world, kTerrainWater)) {
        BulletParticles(b, kParticleSplash, 8);
        RemoveBullet(b);
      } else if (BulletOverFloor(b, map, world, kTerrainLava)) {
        AddFloatingSpark(b.x, b.y, b.z, ToFixed(4));
        AddFloatingSpark(b.x, b.y, b.z, ToFixed(2));
        AddFloatingSpark(b.x, b.y, b.z, ToFixed(6));
        RemoveBullet(b);
      }
      break;
    default:
      b.z = 0;
      break;
  }
}

// Moves x, then y unless x was refused; each refusal takes the wall reaction.
void Move(Bullet& b, Map& map) {
  if (StopsInsideWalls(b.kind) && !BulletFits(b.x, b.y, map)) {
    switch (b.kind) {
      case kShot:
      case kBouncingShot:
        // Point-blank into a wall: even a bouncing shot bursts where it stands.
        Burst(b);
        break;
      case kFreezeRay:
        WallReaction(b, Axis::kX);
        break;
      default:
        EndBullet(b);
        break;
    }
    return;
  }
  b.x += b.dx;
  if (BulletFits(b.x, b.y, map)) {
    b.y += b.dy;
    if (!BulletFits(b.x, b.y, map)) WallReaction(b, Axis::kY);
  } else {
    WallReaction(b, Axis::kX);
  }
}

}  // namespace

bool BulletFits(Fixed x, Fixed y, Map& map, int32_t r) {
  int32_t px = FixedToInt(x), py = FixedToInt(y);
  static constexpr int kPoints[9][2] = {{0, 0},   {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                        {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  for (const auto& p : kPoints) {
    if (!PointClear(map, px + p[0] * r, py + p[1] * r)) {
      ShotSpecials(map, px / kTileWidth, py / kTileHeight);
      return false;
    }
  }
  return true;
}

void EndBullet(Bullet& b) {
  switch (b.kind) {
    case kShot:
    case kBouncingShot:
    case kOrb:
    case kSwordShot:
      BulletParticles(b, kSparks, 6);
      RemoveBullet(b);
      break;
    case kSeeker:
      BulletSound(b, 9, 1500);
      b.kind = kSeekerBlast;
      b.dx = b.dy = b.dz = 0;
      b.timer = 9;
      break;
    case kFlame:
    case kEnemyFlame:
    case kStrike:
      AddSmokePuff(b.x, b.y, b.z, kFixedOne);
      RemoveBullet(b);
      break;
    case kSpit:
      BulletSound(b, 10, 850);
      BulletParticles(b, kParticleGreen, 6);
      RemoveBullet(b);
      break;
    case kFireball:
      BulletSound(b, 12, 2000);
      b.kind = kExplosion;
      b.dx = b.dy = b.dz = 0;
      b.timer = 7;
      b.anim = 0;
      break;
    case kSporePod: {
      // The pod bursts a step back from what stopped it: a ring of spores
      // and a new creature.
      b.x -= 2 * b.dx;
      b.y -= 2 * b.dy;
      for (int angle = 0; angle < 256; angle += 8) {
        AddBullet(b.x, b.y, ToFixed(16), AlongX(ToFixed(12), angle), AlongY(ToFixed(12), angle), 0,
                  0, 16, static_cast<uint8_t>(angle), kSpore);
        AddBullet(b.x, b.y, ToFixed(16), AlongX(ToFixed(6), angle), AlongY(ToFixed(6), angle), 0, 0,
                  16, static_cast<uint8_t>(angle), kSpore);
      }
      AddGuy(b.x, b.y, b.z, 24);
      BulletSound(b, 9, 1000);
      RemoveBullet(b);
      break;
    }
    case kIcicle:
      BulletSound(b, 10, 850);
      BulletParticles(b, kParticleGrey, 6);
      RemoveBullet(b);
      break;
    case kSnowball:
      BulletSound(b, 10, 850);
      for (int angle = 0; angle < 256; angle += 32) {
        FireBullet(b.x, b.y, static_cast<uint8_t>(angle), kIcicle);
      }
      RemoveBullet(b);
      break;
    case kPteroShot:
    case kEyeBolt:
      BulletParticles(b, kSparks, 2);
      RemoveBullet(b);
      break;
    default:
      RemoveBullet(b);
      break;
  }
}

void UpdateBullet(Bullet& b, Map& map, World& world) {
  int32_t px = FixedToInt(b.x), py = FixedToInt(b.y);
  if (!PixelOnMap(map, px, py)) {
    RemoveBullet(b);
    return;
  }
  b.light = static_cast<uint8_t>(MapTile(map, px / kTileWidth, py / kTileHeight).curLight);

  StepBulletKind(b, map, world);
  if (b.kind == 0) return;

  Move(b, map);
  if (b.kind == 0) return;

  b.z += b.dz;
  if (b.z < 0) {
    FloorReaction(b, map, world);
    if (b.kind == 0) return;
  }
  if (Falls(b.kind)) b.dz -= kFixedOne;
  b.timer -= 1;
  if (b.timer <= 0) EndBullet(b);
}

void UpdateBullets(Map& map, World& world) {
  for (int i = 0; i < kBulletPoolSize; ++i) {
    Bullet* b = GetBullet(i);
    if (b->kind != 0) UpdateBullet(*b, map, world);
  }
}

}  // namespace torvel
