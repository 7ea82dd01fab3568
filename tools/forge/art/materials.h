// The forge's stock of materials, so that the same gold or the same stone
// looks alike on every sprite and picture.
#pragma once

#include "forge/paint/shade_image.h"
#include "forge/palette.h"

namespace torvel::forge {

inline Material Gold() {
  Material m;
  m.ramp = kGold;
  m.dark = 4;
  m.lit = 23;
  m.ambient = 0.15;
  m.specular = 0.7;
  m.shininess = 10;
  m.glint = 31;
  return m;
}

inline Material Steel() {
  Material m;
  m.ramp = kGrey;
  m.dark = 5;
  m.lit = 22;
  m.ambient = 0.2;
  m.specular = 0.8;
  m.shininess = 14;
  m.glint = 31;
  return m;
}

inline Material Iron() {
  Material m = Steel();
  m.dark = 2;
  m.lit = 13;
  m.specular = 0.4;
  m.glint = 22;
  return m;
}

inline Material Wood(uint32_t seed = 3) {
  Material m;
  m.ramp = kBrown;
  m.dark = 3;
  m.lit = 16;
  m.ambient = 0.25;
  m.grain = 1.2;
  m.grainScale = 2;
  m.grainSeed = seed;
  return m;
}

inline Material Stone(uint32_t seed = 5) {
  Material m;
  m.ramp = kGrey;
  m.dark = 3;
  m.lit = 17;
  m.ambient = 0.25;
  m.grain = 1.5;
  m.grainScale = 2.5;
  m.grainSeed = seed;
  return m;
}

inline Material Leather() {
  Material m;
  m.ramp = kBrown;
  m.dark = 2;
  m.lit = 11;
  m.ambient = 0.25;
  m.specular = 0.15;
  m.glint = 16;
  return m;
}

inline Material Cloth(int ramp) {
  Material m;
  m.ramp = ramp;
  m.dark = 3;
  m.lit = 17;
  m.ambient = 0.3;
  return m;
}

inline Material Jewel(int ramp) {
  Material m;
  m.ramp = ramp;
  m.dark = 6;
  m.lit = 22;
  m.ambient = 0.3;
  m.specular = 0.9;
  m.shininess = 8;
  m.glint = 31;
  return m;
}

inline Material Parchment() {
  Material m;
  m.ramp = kBrown;
  m.dark = 10;
  m.lit = 26;
  m.ambient = 0.35;
  m.grain = 0.8;
  m.grainScale = 1.5;
  return m;
}

inline Material Foliage(uint32_t seed = 7) {
  Material m;
  m.ramp = kGreen;
  m.dark = 2;
  m.lit = 17;
  m.ambient = 0.2;
  m.grain = 2.5;
  m.grainScale = 1.6;
  m.grainSeed = seed;
  return m;
}

// Ghost art adds its shade to the ground's: keep it dark, bright in the core.
inline Material GhostGlow(int ramp, double edge = 1, double core = 11) {
  Material m;
  m.ramp = ramp;
  m.dark = edge;
  m.lit = core;
  m.ambient = 0.5;
  m.specular = 0.3;
  m.glint = core + 3;
  return m;
}

}  // namespace torvel::forge
