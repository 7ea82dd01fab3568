#include "actors/particles.h"

#include <vector>

#include "audio/sound.h"
#include "gfx/draw_list.h"
#include "platform/random.h"
#include "world/world.h"

namespace torvel {

namespace {

struct ParticleState {
  std::vector<Particle> pool;
  int flakesOnGround = 0;
};

ParticleState gParticles;

// Gravity pulls every particle down by a pixel per tick; sparks and puffs
// cancel it and keep rising at their lift, snow cancels all but 1/256 of it.
constexpr Fixed kGravity = kFixedOne;
constexpr Fixed kSnowLift = kFixedOne * 255 / 256;
constexpr Fixed kLevelUpLift = kFixedOne + kFixedOne / 8;

Particle* FreeSlot() {
  for (Particle& p : gParticles.pool) {
    if (p.life <= 0) return &p;
  }
  return nullptr;
}

// Whole pixels from -half .. half.
Fixed RandomPixels(int half) {
  return ToFixed(Random(2 * half + 1) - half);
}

// A random nudge of up to half a pixel either way.
Fixed Nudge() {
  return static_cast<Fixed>(RandomLong(kFixedOne + 1)) - kFixedOne / 2;
}

// Nudged, then slowed by an eighth of a pixel a tick.
void Drift(Particle& p) {
  p.dx = Dampen(p.dx + Nudge(), kFixedOne / 8);
  p.dy = Dampen(p.dy + Nudge(), kFixedOne / 8);
}

bool IsDotType(uint8_t type) {
  return type != kParticleSpark && type != kParticleExplosion && type != kParticleAfterImage &&
         type != kParticleLevelUp;
}

uint16_t SizeStep(int32_t value) {
  return static_cast<uint16_t>(value < 0 ? 0 : value);
}

// The type's own rule, after the motion; life is already the new life.
void ApplyRule(Particle& p, int32_t previousLife) {
  const int32_t life = p.life;
  switch (p.type) {
    case kParticleGrey:
      p.colour = static_cast<uint8_t>(life * 2 < 15 ? 15 : (life * 2 > 31 ? 31 : life * 2));
      break;
    case kParticleSnow:
      if (p.z > 0) {
        // Still falling: the flake keeps its life until it lands.
        p.life += 1;
        Drift(p);
        p.dz += kSnowLift;
        p.colour = 31;
      } else {
        p.dx = p.dy = p.dz = 0;
        int32_t c = life / 4;
        p.colour = static_cast<uint8_t>(c < 20 ? 20 : (c > 31 ? 31 : c));
        if (life < 25) {
          p.size = 0;
        } else if (life < 50) {
          p.size = 1;
        }
      }
      break;
    case kParticleEarth:
      p.colour = static_cast<uint8_t>(life < 24 ? life + 63 : 87);
      break;
    case kParticleBlood:
      p.colour = static_cast<uint8_t>(life < 24 ? life + 127 : 151);
      break;
    case kParticleGreen:
      p.colour = static_cast<uint8_t>(life < 24 ? life + 35 : 59);
      p.size = life > 10 ? 2 : (life >= 6 ? 1 : 0);
      break;
    case kParticleSpark:
      p.z += kGravity;
      p.dz += kGravity;
      p.size = SizeStep(6 - life / 8);
      Drift(p);
      break;
    case kParticleExplosion:
      p.z += kGravity;
      p.dz += kGravity;
      p.size = SizeStep(8 - life);
      break;
    case kParticleSplash:
      p.colour = static_cast<uint8_t>(life < 8 ? 104 : (life > 31 ? 31 : life) + 96);
      break;
    case kParticleFire:
      p.colour = static_cast<uint8_t>(life < 28 ? life + 159 : 187);
      break;
    case kParticleMicro:
      p.colour = static_cast<uint8_t>(life >= 8 ? 191 : life * 4 + 156);
      p.size = life > 5 ? 2 : (life >= 3 ? 1 : 0);
      break;
    case kParticleRising:
      p.dz += 2 * kGravity;
      // Fades down its ramp over the last dozen ticks.
      p.colour = static_cast<uint8_t>(life < 13 ? life * 2 + 102 : 127);
      break;
    case kParticleAfterImage:
      p.dz += kGravity;
      break;
    case kParticleLevelUp:
      p.dz += kLevelUpLift;
      break;
    default:
      break;
  }
  if (IsDotType(p.type) && p.type != kParticleSnow && p.type != kParticleGreen &&
      p.type != kParticleMicro) {
    p.size = life > 20 ? 2 : (previousLife >= 11 ? 1 : 0);
  }
}

// Adds the tile's light to a dot's colour without leaving the colour's ramp.
uint8_t LightDot(uint8_t colour, int light) {
  int ramp = colour & 0xE0;
  int c = colour + light;
  if (c > ramp + 31) c = ramp + 31;
  if (c < ramp) c = ramp;
  return static_cast<uint8_t>(c);
}

void UpdateParticle(Particle& p, const Map& map) {
  p.x += p.dx;
  p.y += p.dy;
  p.dz -= kGravity;
  p.z += p.dz;
  if (p.z < 0) {
    p.z = 0;
    p.dz = -p.dz / 2;
  }
  int32_t previousLife = p.life;
  p.life -= 1;
  ApplyRule(p, previousLife);

  int32_t tx = FixedToInt(p.x) / kTileWidth;
  int32_t ty = FixedToInt(p.y) / kTileHeight;
  if (!OnMap(map, tx, ty)) {
    p.life = 0;
    return;
  }
  int light = MapTile(map, tx, ty).curLight;
  if (p.type == kParticleSpark || p.type == kParticleExplosion) {
    p.colour = static_cast<uint8_t>(light + 64);
  } else if (IsDotType(p.type)) {
    p.colour = LightDot(p.colour, light);
  }
}

}  // namespace

void InitParticles(int count) {
  gParticles.pool.assign(count > 0 ? static_cast<size_t>(count) : 0, Particle{});
  gParticles.flakesOnGround = 0;
}

void ExitParticles() {
  gParticles.pool.clear();
  gParticles.pool.shrink_to_fit();
  gParticles.flakesOnGround = 0;
}

Particle* GetParticle(int slot) {
  if (slot < 0 || static_cast<size_t>(slot) >= gParticles.pool.size()) return nullptr;
  return &gParticles.pool[static_cast<size_t>(slot)];
}

int ParticlePoolSize() {
  return static_cast<int>(gParticles.pool.size());
}

int FlakesOnGround() {
  return gParticles.flakesOnGround;
}

void AddParticle(Particle& slot, uint8_t type, Fixed x, Fixed y, Fixed z, int spread) {
  slot.size = 2;
  slot.type = type;
  slot.colour = 0;
  slot.x = x + RandomPixels(16);
  slot.y = y + RandomPixels(16);
  slot.z = z;
  slot.dx = ToFixed(Random(spread) - spread / 2);
  slot.dy = ToFixed(Random(spread) - spread / 2);
  slot.dz = ToFixed(Random(2 * spread));
  slot.life = Random(spread) + 20;
}

void AddParticlesSpread(uint8_t type, Fixed x, Fixed y, Fixed z, int n, int spread) {
  for (int i = 0; i < n; ++i) {
    Particle* p = FreeSlot();
    if (!p) return;
    AddParticle(*p, type, x, y, z, spread);
  }
}

void AddParticles(uint8_t type, Fixed x, Fixed y, Fixed z, int n) {
  AddParticlesSpread(type, x, y, z, n, n);
}

void AddSmokePuff(Fixed x, Fixed y, Fixed z, Fixed lift) {
  Particle* p = FreeSlot();
  if (!p) return;
  *p = Particle{};
  p->type = kParticleSpark;
  p->x = x;
  p->y = y;
  p->z = z;
  p->dz = lift;
  p->life = 24 - Random(8);
  p->size = 16;
  p->colour = 64;
}

void AddFloatingSpark(Fixed x, Fixed y, Fixed z, Fixed lift) {
  Particle* p = FreeSlot();
  if (!p) return;
  *p = Particle{};
  p->type = kParticleSpark;
  p->x = x + RandomPixels(2);
  p->y = y + RandomPixels(2);
  p->z = z;
  // Any drift up to a pixel a tick either way, fractions included.
  p->dx = static_cast<Fixed>(RandomLong(2 * kFixedOne + 1)) - kFixedOne;
  p->dy = static_cast<Fixed>(RandomLong(2 * kFixedOne + 1)) - kFixedOne;
  p->dz = lift;
  p->life = 24 - Random(8);
  p->size = 16;
  p->colour = 64;
}

void AddExplosions(Fixed x1, Fixed y1, Fixed x2, Fixed y2, Fixed z, int n) {
  for (int i = 0; i < n; ++i) {
    Particle* p = FreeSlot();
    if (!p) return;
    *p = Particle{};
    p->type = kParticleExplosion;
    p->x = x2 > x1 ? x1 + static_cast<Fixed>(RandomLong(static_cast<uint32_t>(x2 - x1))) : x1;
    p->y = y2 > y1 ? y1 + static_cast<Fixed>(RandomLong(static_cast<uint32_t>(y2 - y1))) : y1;
    p->z = z;
    p->life = 7;
    p->colour = 64;
    MakeSoundAt(12, p->x, p->y, 1, 1800);
  }
}

void AddRisingDots(Fixed x, Fixed y) {
  for (int i = 0; i < 30; ++i) {
    Particle* p = FreeSlot();
    if (!p) return;
    AddParticle(*p, kParticleRising, x, y, ToFixed(10), 2);
    p->dz = -static_cast<Fixed>(RandomLong(kFixedOne));
  }
}

void AddAfterImage(Fixed x, Fixed y, int frame) {
  Particle* p = FreeSlot();
  if (!p) return;
  *p = Particle{};
  p->type = kParticleAfterImage;
  p->x = x;
  p->y = y;
  p->life = 5;
  p->size = static_cast<uint16_t>(frame < 0 ? 0 : frame);
}

void AddParticleRaw(Fixed x, Fixed y, Fixed z, Fixed dx, Fixed dy, Fixed dz, int32_t life,
                    uint8_t type, uint8_t colour) {
  Particle* p = FreeSlot();
  if (!p) return;
  p->size = 2;
  p->type = type;
  p->colour = colour;
  p->x = x;
  p->y = y;
  p->z = z;
  p->dx = dx;
  p->dy = dy;
  p->dz = dz;
  p->life = life;
}

void SnowFall(const Map& map) {
  if ((map.flags & kMapSnow) == 0) return;
  if (Random(100) >= 31) return;
  if (gParticles.flakesOnGround > ParticlePoolSize() / 4) return;
  Particle* p = FreeSlot();
  if (!p) return;
  int32_t cameraX = 0;
  int32_t cameraY = 0;
  GetCamera(cameraX, cameraY);
  *p = Particle{};
  p->type = kParticleSnow;
  p->x = ToFixed(cameraX - 320 + Random(640));
  p->y = ToFixed(cameraY - 240 + Random(480));
  p->z = ToFixed(300 + Random(300));
  p->life = 50 + Random(50);
  p->size = 2;
  p->colour = 31;
}

void UpdateParticles(const Map& map) {
  int flakes = 0;
  for (Particle& p : gParticles.pool) {
    if (p.life <= 0) continue;
    UpdateParticle(p, map);
    if (p.life > 0 && p.type == kParticleSnow && p.z == 0) ++flakes;
  }
  gParticles.flakesOnGround = flakes;
}

}  // namespace torvel
