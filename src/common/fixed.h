// 16.16 fixed point and the small arithmetic helpers every module shares.
#pragma once

#include <cstdint>

namespace torvel {

// Positions and velocities of guys, bullets, particles and the camera are
// 16.16 values in map pixels: 1.0 is 65536.
using Fixed = int32_t;

constexpr Fixed kFixedOne = 65536;

constexpr Fixed ToFixed(int32_t pixels) { return static_cast<Fixed>(static_cast<uint32_t>(pixels) << 16); }
// Whole pixels: an arithmetic shift, so -0.5 is pixel -1.
constexpr int32_t FixedToInt(Fixed value) { return value >> 16; }

// Moves value toward 0 by amount without crossing 0.
constexpr int32_t Dampen(int32_t value, int32_t amount) {
  if (value > 0) return value > amount ? value - amount : 0;
  if (value < 0) return value < -amount ? value + amount : 0;
  return 0;
}

// Clamps value to -limit .. limit.
constexpr int32_t Clamp(int32_t value, int32_t limit) {
  if (value > limit) return limit;
  if (value < -limit) return -limit;
  return value;
}

// Manhattan distance, the distance between actors.
constexpr int32_t Manhattan(int32_t dx, int32_t dy) {
  return (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
}

// Map geometry: tiles are 32 pixels wide and 24 high.
constexpr int kTileWidth = 32;
constexpr int kTileHeight = 24;

}  // namespace torvel
