// Guys: every creature on a map, the hero included. One record per creature
// in a pool of 128 slots; this module spawns them, moves them with collision
// against the map and each other, hurts and kills them, and draws them.
//
// What a guy decides each tick is its behaviour (actors/behaviour.h); the
// hero's thinking is the player control (player/hero_control.h).
//
// Units: positions and velocities are 16.16 map pixels (Fixed). Boxes are
// whole-pixel offsets from (x >> 16, y >> 16). Area hits take whole-pixel
// points and radii, and pushes in 16.16.
#pragma once

#include <cstdint>

#include "common/fixed.h"

namespace torvel {

struct Map;
struct World;

struct Guy {
  Fixed x = 0, y = 0;
  Fixed z = 0;  // height above the floor, never below 0
  Fixed dx = 0, dy = 0, dz = 0;
  uint8_t tileX = 0, tileY = 0;  // tile under (x, y), refreshed after each move
  uint8_t facing = 0;            // 0 east, clockwise in 45-degree steps
  uint8_t aiState = 0;
  // The behaviour's countdown; the mover also reports wall bumps here for
  // kinds 1, 15, 43, 52 and 57 (1 for x, +2 for y).
  uint8_t aiTimer = 0;
  uint8_t cooldown = 0;
  uint8_t hurtTimer = 0;  // 4 when hurt, counting down; drawn tinted meanwhile
  uint8_t busy = 0;       // an action sequence plays to its end
  uint16_t animAccum = 0;
  int16_t animRate = 0;  // 128 normal pace; 255 a frame per tick
  uint8_t animFrame = 0;
  uint8_t anim = 0;  // sequence 0-8 of the kind
  int8_t light = 0;  // light of the guy's tile, for drawing
  uint16_t frozenTimer = 0;
  uint8_t aux = 0;        // 1 for monsters placed from the map; a spare byte for behaviours
  Guy* parent = nullptr;  // the segment ahead, for a centipede's body
  int32_t life = 0;       // 0 dying or dead
  uint8_t kind = 0;       // 0 a free slot
  int32_t boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;
  int16_t slot = 0;
};

constexpr int kGuyPoolSize = 128;
// NearestEnemyIndex when nobody qualifies.
constexpr uint16_t kNoGuy = 0xFFFF;
// The damage that freezes instead of hurting.
constexpr int32_t kFreezeDamage = -1000;

// Creates the pool with every slot free (128 in play; the editor makes one
// too). ExitGuys frees it; with no pool every operation does nothing.
void InitGuys(int count);
void ExitGuys();
int GuyPoolSize();
// The guy in a slot (free slots included), or null past the pool.
Guy* GetGuy(int slot);

// Takes the first free slot; null when all are taken. See guys.cpp for the
// per-kind start rules (the hero places the camera, a centipede head brings
// its body, the friendly takes its pose from the current map).
Guy* AddGuy(Fixed x, Fixed y, Fixed z, uint8_t kind);
// The guy vanishes without dying, and with it, recursively, every guy whose
// parent it is.
void RemoveGuy(Guy* guy);
// The editor's eraser: RemoveGuy for every guy of the kind exactly at (x, y).
void RemoveGuysAt(Fixed x, Fixed y, uint8_t kind);
// Starts the death of every living guy descended from this one.
void KillChildren(Guy* guy);

// The collision box from the kind's size, or the current sprite's rectangle
// for BoxFromSprite kinds.
void SetGuyBox(Guy& guy);

// One tick of one guy, and of every guy in slot order.
void UpdateGuy(Guy& guy, Map& map, World& world);
void UpdateGuys(Map& map, World& world);
// The same on the roaming map (map 1 of a world).
void UpdateGuyRoaming(Guy& guy, Map& map, World& world);
void UpdateGuysRoaming(Map& map, World& world);

// The next frame of the current sequence, and the end of a sequence.
void NextFrame(Guy& guy);
void EndSequence(Guy& guy);

// Whether the guy's box fits at (x, y) (16.16): on the map, every cell
// enterable, and no other living guy nearby in the way.
bool CanGuyStand(Guy& guy, Fixed x, Fixed y, Map& map, World& world);
// Whether a mover at pixel (px, py) overlaps another guy.
bool GuysOverlap(const Guy& mover, int32_t px, int32_t py, const Guy& other);
// Whether the guy may enter map cell (cx, cy). For the hero this also picks
// up items, opens locked doors and pushes blocks; a refusal fires the cell's
// step specials (a bump).
bool CanGuyEnterCell(Guy& guy, int32_t cx, int32_t cy, Map& map, World& world);
// The hero leaning on the block at (cx, cy): a wall on a Pushable floor.
void PushBlock(Guy& hero, int32_t cx, int32_t cy, Map& map, World& world);

// Damage and knock-back; kFreezeDamage freezes instead.
void HurtGuy(Guy* guy, Fixed pushX, Fixed pushY, int32_t damage, Map& map, World& world);

// Area hits around pixel point (x, y) with half-size r. HitEnemyAt hurts the
// first living enemy in slot order whose box meets the square and tells
// whether one was hit. HitHeroSideAt does the same for the hero's side and
// returns 0 none, 2 the hero, 1 another guy. HitEnemiesAt hurts every enemy
// there (a freeze skips the frozen ones) and tells whether any was hit.
bool HitEnemyAt(int32_t x, int32_t y, int32_t r, Fixed pushX, Fixed pushY, int32_t damage, Map& map,
                World& world);
int HitHeroSideAt(int32_t x, int32_t y, int32_t r, Fixed pushX, Fixed pushY, int32_t damage,
                  Map& map, World& world);
bool HitEnemiesAt(int32_t x, int32_t y, int32_t r, Fixed pushX, Fixed pushY, int32_t damage,
                  Map& map, World& world);

// Box tests, inclusive on the box edges, in whole pixels; a null guy never hits.
bool GuyHitsSquare(int32_t r, int32_t px, int32_t py, const Guy* guy);
bool GuyHitsBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Guy* guy);
// The guy's box meets the tile whose top-left pixel is given.
bool GuyTouchesCell(int32_t cellPixelX, int32_t cellPixelY, const Guy* guy);

// Queries.
Guy* HeroGuy();
// The nearest guy of the other side (life not tested), first found on ties.
Guy* NearestFoe(const Guy& guy);
// The slot of the nearest living enemy within 560 pixels of (x, y) (16.16),
// though any in range may win with chance 1 in 32; kNoGuy when none.
uint16_t NearestEnemyIndex(Fixed x, Fixed y);
// The position of the slot's guy; false (and nothing written) for a free slot.
bool GuyPosition(int slot, Fixed& x, Fixed& y);
// A slot holds the kind (life not tested); 255 asks for a living enemy that
// is not the friendly (kind 11).
bool AnyGuyOfKind(uint8_t kind);
// A living moss (kind 21 or 22) stands on the tile.
bool MossAt(int32_t tileX, int32_t tileY);
// The hero's guy gains life up to the player's maximum.
void HealHero(int32_t n);
// Every pinkeye (kind 17) bursts into an explosion.
void BurstKind17Guys();
// Whether the last UpdateGuys met a guy not on the hero's side.
bool EnemiesPresent();

// Every guy's light from its tile; with the hero's light spread around it.
void LightGuys(const Map& map);
void LightGuysAndHero(Map& map);

// Queues every guy into the draw list; unlit guys are drawn at light 0.
void RenderGuys(bool lit);
void DrawGuy(const Guy& guy, int light);

// Map start: the map's monster starts, or a challenge's mix in their place.
void PlaceMapMonsters(Map& map);
void PlaceChallengeMonsters(Map& map, uint8_t kind);
// The roaming map's spawner; worldNumber is the world index + 1.
void SpawnRoamer(Map& map, World& world, int worldNumber, bool throttled);

}  // namespace torvel
