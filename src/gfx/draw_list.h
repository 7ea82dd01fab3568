// The camera and the sorted draw list.
//
// Every frame the game queues what it shows (guys, bullets, particles, the
// map's walls and roofs) into one list kept sorted by ground position, so that
// what stands further down the screen is drawn later and covers what is
// behind it. RenderWorld draws the map's floor, then the list, then empties
// it. The camera is the view centre in world pixels; it follows the hero with
// a look-ahead in the facing direction and can be shaken for a few frames.
#pragma once

#include <cstdint>
#include <vector>

#include "common/fixed.h"

namespace torvel {

struct Map;
struct World;
struct Sprite;

constexpr int kDrawListSize = 800;

// Entry flags (0 marks a free entry).
constexpr uint8_t kDrawVisible = 1;  // without it an entry keeps its place but is not drawn
constexpr uint8_t kDrawShadow = 2;
constexpr uint8_t kDrawWall = 4;
constexpr uint8_t kDrawTile = 8;
constexpr uint8_t kDrawParticle = 16;
constexpr uint8_t kDrawGlow = 32;
constexpr uint8_t kDrawGhost = 64;
constexpr uint8_t kDrawMasked = 128;  // with kDrawWall or kDrawTile

// The colour that keeps a sprite's own colours.
constexpr uint8_t kOwnColours = 255;

struct DrawEntry {
  int32_t x = 0;         // world pixels
  int32_t y = 0;         // ground position: the sort key
  int32_t z = 0;         // height above the ground: the second key; drawn z pixels higher
  uintptr_t object = 0;  // the sprite; the wall number for walls; non-zero for tiles, particles
  uint8_t colour = 0;    // ramp 0..7 or 255; roof for walls; tile for tiles; particle colour
  int8_t bright = 0;
  uint8_t flags = 0;
  int32_t prev = -1;
  int32_t next = -1;
};

// Camera.
// Places the view centre (16.16) and stops the camera.
void SetCamera(Fixed x, Fixed y);
// The view centre in whole pixels.
void GetCamera(int32_t& x, int32_t& y);
// Once per update for the hero: follows (heroX, heroY) (pixels) with an 80 x
// 60 pixel look-ahead in the facing angle, a 20-pixel dead zone, damping, and
// clamps that keep a map of mapWidth x mapHeight tiles filling the screen.
void UpdateCamera(int32_t heroX, int32_t heroY, uint8_t angle, int32_t mapWidth, int32_t mapHeight);
// The same for the map being played (its width and height in tiles); a null
// map leaves the camera alone.
void UpdateCamera(int32_t heroX, int32_t heroY, uint8_t angle, const Map* map);
// Shakes the view for the given number of drawn frames.
void SetShake(uint8_t frames);
uint8_t GetShake();

// Draw list. Objects more than 300 pixels off the screen are not queued (the
// result is still true); false only when all 800 entries are taken.
bool AddToDrawList(int32_t x, int32_t y, int32_t z, uint8_t colour, int8_t bright,
                   const Sprite* sprite, uint8_t flags);
// A wall face and its roof (z 0, the wall number as object).
bool AddWall(int32_t x, int32_t y, uint8_t wall, uint8_t roof, int8_t bright, uint8_t flags);
// A roof tile drawn one tile row above (z 24).
bool AddTile(int32_t x, int32_t y, uint8_t tile, int8_t bright, uint8_t flags);
// A particle dot; bright carries the dot's size to the plotter.
bool AddParticle(int32_t x, int32_t y, int32_t z, uint8_t colour, int8_t bright, uint8_t flags);
// Every entry free.
void ClearDrawList();
// The queued entries in drawing order (for tests and tools).
std::vector<DrawEntry> DrawListInOrder();

// One frame of the playfield: the shake, the map's floor layer (which queues
// its walls, roofs and items), then the list drawn and cleared. Draws into the
// graphics display (InitGraphics).
void RenderWorld(Map* map, World* world, uint8_t renderFlags);

// Start-up state: camera at 0, no shake, list empty.
void ResetCamera();

}  // namespace torvel
