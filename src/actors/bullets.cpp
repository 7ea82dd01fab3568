// The bullet pool, the firing calls and how every kind starts.
#include "actors/bullets.h"

#include "actors/bullets_internal.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "gfx/sprites.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "world/light.h"
#include "world/world.h"

namespace torvel {

using namespace bullet_kind;

namespace {

struct BulletState {
  SpriteSet sprites;
  Bullet pool[kBulletPoolSize];
};
BulletState gBullets;

Bullet* FirstFreeFrom(int slot) {
  for (int i = slot; i < kBulletPoolSize; ++i) {
    if (gBullets.pool[i].kind == 0) return &gBullets.pool[i];
  }
  return nullptr;
}

void SetSpeed(Bullet& b, Fixed speed, int angle) {
  b.dx = AlongX(speed, angle);
  b.dy = AlongY(speed, angle);
}

void Still(Bullet& b) {
  b.dx = b.dy = b.dz = 0;
}

// Every shot of the hero's volley at angle a: one straight shot on odd
// powers, a close pair on even ones; 3 and 5 add the pair a facing out, 4
// and 5 the pair two facings out, so power 4 is four shots, not six.
template <typename Fire>
void Volley(uint8_t facing, uint8_t power, Fire fire) {
  if (power > 5) power = 5;
  int a = facing * 32;
  if (power & 1) {
    fire(a, facing);
  } else {
    fire(a - 8, facing);
    fire(a + 8, facing);
  }
  if (power == 3 || power == 5) {
    fire(a - 32, facing - 1);
    fire(a + 32, facing + 1);
  }
  if (power >= 4) {
    fire(a - 56, facing - 2);
    fire(a + 56, facing + 2);
  }
}

}  // namespace

Fixed RandomNudge(Fixed half) {
  return Random(2 * half + 1) - half;
}

void BulletSound(const Bullet& b, int number, int32_t priority) {
  MakeSoundAt(number, b.x, b.y, kSoundMayCutItself, priority);
}

void BulletParticles(const Bullet& b, uint8_t type, int n) {
  AddParticles(type, b.x, b.y, b.z, n);
}

void LightBulletTile(const Bullet& b, Map& map, int32_t radius, int32_t strength) {
  SpreadLight(map, FixedToInt(b.x) / kTileWidth, FixedToInt(b.y) / kTileHeight, radius, strength,
              kLightRuleFlash);
}

bool BulletOverFloor(const Bullet& b, const Map& map, const World& world, uint16_t flag) {
  int32_t px = FixedToInt(b.x), py = FixedToInt(b.y);
  if (px < 0 || py < 0) return false;
  int32_t tx = px / kTileWidth, ty = py / kTileHeight;
  if (!OnMap(map, tx, ty)) return false;
  return (TerrainFlags(world, MapTile(map, tx, ty).floor) & flag) != 0;
}

int BulletSlotOf(const Bullet& b) {
  return static_cast<int>(&b - gBullets.pool);
}

void RemoveBullet(Bullet& b) {
  b.kind = 0;
}

bool InitBullets() {
  ResetBullets();
  return gBullets.sprites.Load("graphics\\bullets.vsp");
}

void ExitBullets() {
  gBullets.sprites.Free();
}

void ResetBullets() {
  for (Bullet& b : gBullets.pool) b = Bullet{};
}

const Sprite* GetBulletSprite(int index) {
  return gBullets.sprites.GetSprite(index);
}

Bullet* GetBullet(int slot) {
  return slot >= 0 && slot < kBulletPoolSize ? &gBullets.pool[slot] : nullptr;
}

int LiveBulletCount() {
  int n = 0;
  for (const Bullet& b : gBullets.pool) n += b.kind != 0;
  return n;
}

Bullet* FireBullet(Fixed x, Fixed y, uint8_t dir, uint8_t kind) {
  Bullet* b = FirstFreeFrom(0);
  if (b) StartBullet(*b, x, y, dir, kind);
  return b;
}

Bullet* FireBulletAfter(Fixed x, Fixed y, uint8_t dir, uint8_t kind, const Bullet& after) {
  Bullet* b = FirstFreeFrom(BulletSlotOf(after) + 1);
  if (b) StartBullet(*b, x, y, dir, kind);
  return b;
}

Bullet* FireBeam(Fixed x, Fixed y, int16_t ownerSlot) {
  Bullet* b = FireBullet(x, y, 0, kBeam);
  if (b) b->target = ownerSlot;
  return b;
}

Bullet* AddBullet(Fixed x, Fixed y, Fixed z, Fixed dx, Fixed dy, Fixed dz, uint8_t anim,
                  int32_t timer, uint8_t facing, uint8_t kind) {
  Bullet* b = FirstFreeFrom(0);
  if (!b) return nullptr;
  b->x = x;
  b->y = y;
  b->z = z;
  b->dx = dx;
  b->dy = dy;
  b->dz = dz;
  b->anim = anim;
  b->timer = timer;
  b->facing = facing;
  b->kind = kind;
  b->target = 0;
  b->light = 0;
  return b;
}

void StartBullet(Bullet& b, Fixed x, Fixed y, uint8_t dir, uint8_t kind) {
  b.kind = kind;
  b.x = x;
  b.y = y;
  b.facing = dir;
  b.light = 0;
  // A reused slot would otherwise keep its last bullet's animation and start
  // on a frame outside its kind's range.
  b.anim = 0;
  const int facingAngle = dir * 32;
  const int level = PlayerLevel();
  switch (kind) {
    case kShot:
    case kBouncingShot:
    case kMechShot:
      b.timer = 30;
      b.z = ToFixed(20);
      SetSpeed(b, ToFixed(12), facingAngle);
      b.dz = ToFixed(10);
      break;
    case kSeeker:
      b.timer = 60;
      b.z = ToFixed(20);
      b.dz = 0;
      b.target = kNoTarget;
      b.facing = static_cast<uint8_t>((2 * dir + Random(5) - 2) & 15);
      b.x += ToFixed(Random(17) - 8);
      b.y += ToFixed(Random(17) - 8);
      SetSpeed(b, ToFixed(4), b.facing * 16);
      BulletSound(b, 16, 1100);
      break;
    case kFlame:
    case kEnemyFlame:
      b.timer = kind == kFlame ? level / 2 - Random(4) + 10 : 24 - Random(4);
      b.z = ToFixed(20);
      b.x += AlongX(ToFixed(5), facingAngle) + ToFixed(Random(3) - 1);
      b.y += AlongY(ToFixed(5), facingAngle) + ToFixed(Random(3) - 1);
      SetSpeed(b, ToFixed(10), facingAngle);
      b.dz = -kFixedOne / 2;
      BulletSound(b, 17, 1100);
      break;
    case kEnergyBall: {
      b.timer = 30;
      b.z = ToFixed(20) - Random(kFixedOne - 1);
      b.x += ToFixed(Random(3) - 1) + RandomNudge(kFixedOne / 2 - 1);
      b.y += ToFixed(Random(3) - 1) + RandomNudge(kFixedOne / 2 - 1);
      uint8_t angle = static_cast<uint8_t>(facingAngle - Random(9) + 4);
      SetSpeed(b, ToFixed(level / 10 + 12), angle);
      b.facing = angle / 16;
      b.dz = 0;
      BulletSound(b, 18, 1050);
      break;
    }
    case kSpit:
      b.timer = 30;
      b.z = ToFixed(10);
      b.dz = ToFixed(4);
      SetSpeed(b, ToFixed(10), dir);
      b.facing = static_cast<uint8_t>(((dir + 16) / 32) & 7);
      break;
    case kFireball:
      b.timer = 60;
      b.z = ToFixed(20);
      SetSpeed(b, ToFixed(8), facingAngle);
      b.dz = ToFixed(5);
      BulletSound(b, 15);
      break;
    case kExplosion:
      Still(b);
      b.z = 0;
      b.timer = 7;
      BulletSound(b, 12, 1800);
      break;
    case kStar:
      b.timer = 30;
      b.z = ToFixed(20);
      SetSpeed(b, ToFixed(8), dir);
      b.dz = 0;
      break;
    case kBeam:
      b.timer = 60;
      b.z = ToFixed(32);
      Still(b);
      BulletSound(b, 20, 5000);
      break;
    case kBeamDrop:
      b.timer = 40;
      b.z = ToFixed(32);
      b.dx = 0;
      b.dy = ToFixed(32);
      b.dz = 0;
      break;
    case kSpore:
      b.timer = 16;
      b.z = ToFixed(16);
      SetSpeed(b, ToFixed(4), dir);
      b.dz = 0;
      break;
    case kSporePod:
      b.timer = 60;
      b.z = ToFixed(32);
      SetSpeed(b, ToFixed(8), facingAngle);
      b.dz = 0;
      break;
    case kLobbedRock:
      b.timer = 255;
      b.z = ToFixed(80);
      SetSpeed(b, ToFixed(Random(12) + 1), dir);
      b.dz = ToFixed(20);
      break;
    case kShockwave:
    case kHeroShockwave:
      b.timer = 7;
      b.z = 0;
      Still(b);
      break;
    case kIcicle:
    case kSnowball:
      b.timer = 30;
      b.z = ToFixed(20);
      SetSpeed(b, ToFixed(8), dir);
      b.dz = ToFixed(4);
      break;
    case kRollingBlast:
      b.timer = 9;
      b.z = 0;
      Still(b);
      break;
    case kRock:
      b.timer = 60;
      b.z = ToFixed(20);
      SetSpeed(b, ToFixed(6), facingAngle);
      b.dz = ToFixed(8);
      break;
    case kNeedle:
    case kPteroShot:
      b.timer = kind == kNeedle ? 60 : 30;
      b.z = ToFixed(20);
      SetSpeed(b, ToFixed(kind == kNeedle ? 8 : 12), dir);
      b.dz = 0;
      b.facing = dir / 16;
      break;
    case kCoin:
    case kBigCoin:
      b.facing = static_cast<uint8_t>(Random(256));
      b.dx = static_cast<Fixed>(RandomLong(ToFixed(8) + 1)) - ToFixed(4);
      b.dy = static_cast<Fixed>(RandomLong(ToFixed(8) + 1)) - ToFixed(4);
      b.dz = ToFixed(4) + static_cast<Fixed>(RandomLong(ToFixed(6) + 1));
      b.z = kFixedOne / 2;
      b.timer = 270 + Random(120);
      break;
    case kFrostCloud:
      b.timer = 2 * level + 10;
      b.z = ToFixed(10);
      SetSpeed(b, kFixedOne, facingAngle);
      b.dz = -kFixedOne / 2;
      BulletSound(b, 17, 1100);
      break;
    case kEyeBolt:
      b.timer = 15;
      b.z = ToFixed(2);
      SetSpeed(b, ToFixed(10), facingAngle);
      b.dz = 0;
      break;
    case kOrb:
      b.timer = 300;
      b.z = ToFixed(30);
      SetSpeed(b, ToFixed(4), facingAngle);
      b.dz = 0;
      break;
    case kStrike:
      b.timer = 2 * level;
      b.z = 0;
      Still(b);
      break;
    case kFreezeRay:
      b.timer = 4;
      b.z = ToFixed(20);
      Still(b);
      break;
    case kSwordShot:
      b.timer = 60;
      b.z = ToFixed(20);
      b.dz = 0;
      b.target = kNoTarget;
      SetSpeed(b, ToFixed(6), dir);
      b.facing = static_cast<uint8_t>((dir / 16) & 15);
      break;
    default:
      // The kinds that only arise from others (the blasts, the beam's splash,
      // the fizzling ray) have no start of their own: they stand still and
      // last a moment.
      Still(b);
      b.z = 0;
      b.timer = 1;
      break;
  }
}

void HeroShot(Fixed x, Fixed y, uint8_t facing, uint8_t power, uint8_t flags) {
  MakeSoundAt(21, x, y, kSoundMayCutItself, 1200);
  const uint8_t kind = (flags & 2) ? kBouncingShot : kShot;
  auto fire = [&](int angle, int f) {
    AddBullet(x, y, ToFixed(20), AlongX(ToFixed(12), angle), AlongY(ToFixed(12), angle), 0, 0, 30,
              static_cast<uint8_t>(f & 7), kind);
  };
  Volley(facing, power, fire);
  if (flags & 1) Volley(static_cast<uint8_t>((facing - 4) & 7), power, fire);
}

void HeroShot2(Fixed x, Fixed y, uint8_t facing, uint8_t power, uint8_t flags) {
  MakeSoundAt(35, x, y, kSoundMayCutItself, 1200);
  auto fire = [&](int angle, int) { FireBullet(x, y, static_cast<uint8_t>(angle), kSwordShot); };
  Volley(facing, power, fire);
  if (flags & 1) Volley(static_cast<uint8_t>((facing - 4) & 7), power, fire);
}

void StormStrike(const Map& map, Fixed x, Fixed y) {
  Fixed px = x + ToFixed(Random(801) - 400);
  Fixed py = y + ToFixed(Random(601) - 300);
  int32_t ix = FixedToInt(px), iy = FixedToInt(py);
  if (ix < 0 || iy < 0) return;
  int32_t tx = ix / kTileWidth, ty = iy / kTileHeight;
  if (!OnMap(map, tx, ty) || MapTile(map, tx, ty).wall != 0) return;
  Bullet* b = AddBullet(px, py, 0, 0, 0, 0, 0, 14, 0, kStrike);
  if (b) BulletSound(*b, 17, 100);
}

}  // namespace torvel
