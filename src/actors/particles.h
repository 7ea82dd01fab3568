// Particles: sparks, splashes, blood, smoke, explosion puffs, the hero's
// after-images and falling snow. Purely visual: they never collide or hurt.
//
// The pool holds 256 records during play. Every adder takes the first free
// slots in index order and silently adds nothing when none is free.
// Positions, heights and speeds are 16.16 map pixels.
#pragma once

#include <cstdint>

#include "common/fixed.h"

namespace torvel {

struct Map;

enum ParticleType : uint8_t {
  kParticleGrey = 1,
  kParticleSnow = 2,
  kParticleEarth = 3,
  kParticleBlood = 5,
  kParticleGreen = 6,
  kParticleSpark = 7,      // floating spark or smoke puff (bullet sprite 37 + size, glow)
  kParticleExplosion = 8,  // explosion puff (bullet sprite 110 + size, ghost)
  kParticleSplash = 9,
  kParticleFire = 10,
  kParticleMicro = 11,
  kParticleRising = 12,
  kParticleAfterImage = 13,  // the hero's sprite `size`, ghost
  kParticleLevelUp = 14,     // bullet sprite 222, ghost
};

struct Particle {
  // Dot size 0-2; the sprite step for types 7 and 8; the hero's sprite number
  // for type 13 (wide enough for every frame of the hero's set).
  uint16_t size = 0;
  uint8_t type = 0;
  uint8_t colour = 0;  // a dot's palette index; light + 64 for types 7 and 8
  Fixed x = 0, y = 0, z = 0;
  Fixed dx = 0, dy = 0, dz = 0;
  int32_t life = 0;  // ticks left; 0 or less is a free slot
};

constexpr int kParticlePoolSize = 256;

// Creates the pool of count records (all free); ExitParticles frees it.
void InitParticles(int count);
void ExitParticles();
// The pool as it stands, for the renderer and tests; null past the pool.
Particle* GetParticle(int slot);
int ParticlePoolSize();
// Snowflakes found lying on the ground by the last update.
int FlakesOnGround();

// n particles of the type with spread n.
void AddParticles(uint8_t type, Fixed x, Fixed y, Fixed z, int n);
void AddParticlesSpread(uint8_t type, Fixed x, Fixed y, Fixed z, int n, int spread);
// Starts one particle in the slot: scattered up to 16 pixels around (x, y),
// flying off at whole-pixel speeds that grow with spread.
void AddParticle(Particle& slot, uint8_t type, Fixed x, Fixed y, Fixed z, int spread);
void AddSmokePuff(Fixed x, Fixed y, Fixed z, Fixed lift);
void AddFloatingSpark(Fixed x, Fixed y, Fixed z, Fixed lift);
// n puffs at random points of the rectangle, each with its bang.
void AddExplosions(Fixed x1, Fixed y1, Fixed x2, Fixed y2, Fixed z, int n);
void AddRisingDots(Fixed x, Fixed y);
void AddAfterImage(Fixed x, Fixed y, int frame);
void AddParticleRaw(Fixed x, Fixed y, Fixed z, Fixed dx, Fixed dy, Fixed dz, int32_t life,
                    uint8_t type, uint8_t colour);
// On snowy maps, once per tick: now and then a flake somewhere over the
// screen, unless the ground already holds more than a quarter of the pool.
void SnowFall(const Map& map);

// One tick of every live particle: motion, the type's rule, the tile light.
void UpdateParticles(const Map& map);
// Queues every live particle into the draw list.
void RenderParticles();

// The draw list's plotter for dot entries on the 640x480 screen: a dot of
// size 0 (a pixel), 1 (a plus) or 2 (a diamond) centred at (x, y), darker
// towards its rim; dots that do not fit on the screen are not drawn.
void PlotDot(int32_t x, int32_t y, uint8_t* screen, uint8_t colour, uint8_t size);

}  // namespace torvel
