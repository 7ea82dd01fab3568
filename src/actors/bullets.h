// Bullets: every short-lived thing that moves and hurts or is picked up: the
// hero's shots and spells, monster missiles, explosions, shockwaves, beams,
// falling rocks and the coins dying monsters scatter.
//
// They live in a fixed pool of 128 records; a kind 1-36 decides how a bullet
// starts, moves, meets walls and the floor, whom it hurts and how it ends.
// Positions, heights and speeds are 16.16 map pixels. A full pool silently
// drops a new bullet.
#pragma once

#include <cstdint>

#include "common/fixed.h"

namespace torvel {

struct Map;
struct Sprite;
struct World;

struct Bullet {
  Fixed x = 0, y = 0, z = 0;     // z is the height above the floor
  Fixed dx = 0, dy = 0, dz = 0;  // per tick
  int32_t timer = 0;             // ticks left; the bullet ends when it counts down to 0
  int16_t target = -1;           // guy slot homed on, or the beam's owner; -1 none
  uint8_t anim = 0;              // animation counter, per kind
  uint8_t facing = 0;            // 0-7, 0-15 or an angle, as the kind uses it
  uint8_t kind = 0;              // 1-36; 0 a free slot
  uint8_t light = 0;             // the light of the bullet's tile (a signed shade), for drawing
};

constexpr int kBulletPoolSize = 128;
constexpr int16_t kNoTarget = -1;

// Play start: loads "graphics\bullets.vsp" and clears the pool (the pool is
// cleared even when the set cannot be read). ExitBullets frees the set.
bool InitBullets();
void ExitBullets();
// Every slot free; the sprite set stays as it is.
void ResetBullets();
// A sprite of the bullet set (particles fly with these too), or null.
const Sprite* GetBulletSprite(int index);
// A slot of the pool (for the renderer, tests and tools); null past the pool.
Bullet* GetBullet(int slot);
// Slots holding a bullet.
int LiveBulletCount();

// Takes the first free slot and starts a bullet of the kind there. dir is an
// angle (0-255) for some kinds and a facing (0-7) for others. Returns the
// bullet, or null when the pool is full.
Bullet* FireBullet(Fixed x, Fixed y, uint8_t dir, uint8_t kind);
// The same, searching only the slots after `after`, so that the new bullet
// still moves later in this tick.
Bullet* FireBulletAfter(Fixed x, Fixed y, uint8_t dir, uint8_t kind, const Bullet& after);
// A beam (kind 10) that follows its owner's slot.
Bullet* FireBeam(Fixed x, Fixed y, int16_t ownerSlot);
// Takes the first free slot and sets every field from the arguments (no
// target, light 0), without the kind's start.
Bullet* AddBullet(Fixed x, Fixed y, Fixed z, Fixed dx, Fixed dy, Fixed dz, uint8_t anim,
                  int32_t timer, uint8_t facing, uint8_t kind);
// Sets a bullet of the kind going from (x, y): its timer, height, speed and
// sound. Every bullet starts with anim 0 unless its kind sets it.
void StartBullet(Bullet& bullet, Fixed x, Fixed y, uint8_t dir, uint8_t kind);

// The hero's shot: power 1-5 widens the volley; flag bit 1 makes the shots
// bounce (kind 2), bit 0 fires the whole volley backwards too.
void HeroShot(Fixed x, Fixed y, uint8_t facing, uint8_t power, uint8_t flags);
// The armoured hero's homing shot (kind 36), in the same pattern.
void HeroShot2(Fixed x, Fixed y, uint8_t facing, uint8_t power, uint8_t flags);
// One strike of the storm somewhere within 400 x 300 pixels of (x, y).
void StormStrike(const Map& map, Fixed x, Fixed y);

// One tick of every bullet, in slot order, and of one bullet.
void UpdateBullets(Map& map, World& world);
void UpdateBullet(Bullet& bullet, Map& map, World& world);
// The nine points of an r-pixel square around (x, y) (16.16) lie on the map
// on tiles without a wall or a solid item. When not, the shot specials
// around the centre's tile fire.
bool BulletFits(Fixed x, Fixed y, Map& map, int32_t r = 8);

// Queues every bullet into the draw list.
void RenderBullets();

}  // namespace torvel
