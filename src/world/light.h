// The map's light: every tile has a base light and a current light that
// drifts toward it; light sources raise the current light (or the base
// light) through a ring-by-ring spread in which walls cast shadows. The light
// pass also animates floors and makes the torches spark.
#pragma once

#include <cstdint>

namespace torvel {

struct Map;
struct World;

enum LightMode : uint8_t {
  kLightPlay = 0,     // current light steps toward the base light
  kLightEditor = 1,   // current light is the base light, nothing animates
  kLightFadeOut = 2,  // everything sinks to black
  kLightFadeIn = 3,   // rises from black to the base light
};

enum LightRule : uint8_t {
  kLightRuleBase = 0,     // raises base light: torch brush, light specials
  kLightRuleLitHero = 1,  // the hero's steady light on lit maps
  kLightRuleFlash = 2,    // a passing glow on top of the base light
};

// Start-up: both ticks at 0. They are shared by all maps and never reset after.
void InitMapLight();
uint8_t LightTick();
uint8_t AnimationTick();

// Once per game tick (play) or per editor step: acts on every second call
// and animates floors and torches on every second acting call.
void UpdateMapLight(Map& map, uint8_t mode, const World& world);
// Spreads light from tile (x, y) ring by ring out to radius - 1; a tile whose
// two inner neighbours both block light stays dark.
void SpreadLight(Map& map, int32_t x, int32_t y, int32_t radius, int32_t strength, uint8_t rule);
// The hero's light around tile (tx, ty), from the hero glow; lets the glow decay.
void HeroLight(Map& map, int32_t tx, int32_t ty);
// The tile's base light becomes the average of its own and its edge neighbours'.
void SmoothLight(Map& map, int32_t x, int32_t y);

}  // namespace torvel
