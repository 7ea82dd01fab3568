// Steering the hero along a way of tiles with the keys a player would press:
// each step the direction keys are chosen whose effect, by the hero's own
// rules of acceleration, friction and top speed, brings it to a stop
// nearest the point it heads for, while its box stays clear of walls.
#pragma once

#include <cstdint>
#include <vector>

#include "autoplay/nav.h"
#include "input/input.h"

namespace torvel {

struct Guy;

namespace autoplay {

// The velocity the hero would have after a step with these direction bits
// held (on dry ground or on ice), from the rules of its control; facing is
// updated as the game does.
void HeroVelocityStep(int32_t& dx, int32_t& dy, uint8_t& facing, uint8_t held, bool icy,
                      int32_t topSpeed);
// The facing the game picks for held direction bits (unchanged without one).
uint8_t FacingFromBits(uint8_t bits, uint8_t facing);
// The direction bits that face the hero toward facing f (0 east, clockwise).
uint8_t BitsForFacing(int f);

// The nine choices of direction keys: none, then the eight ways clockwise
// from east.
inline constexpr uint8_t kKeyChoices[9] = {0,
                                           kActionRight,
                                           kActionRight | kActionDown,
                                           kActionDown,
                                           kActionDown | kActionLeft,
                                           kActionLeft,
                                           kActionLeft | kActionUp,
                                           kActionUp,
                                           kActionUp | kActionRight};

class Mover {
 public:
  // The direction keys to hold for the next step toward the end of the path
  // (tile centres), or to the pixel point (tx, ty) when the path is empty.
  // `arrive` asks to stop at the end rather than pass through.
  uint8_t Steer(const Guy& hero, const NavGrid& grid, const std::vector<TilePos>& path, bool icy,
                int32_t topSpeed);
  uint8_t SteerTo(const Guy& hero, const NavGrid& grid, int tx, int ty, bool icy, int32_t topSpeed,
                  bool goals);
  // Whether the hero stands at the tile's centre, settled (within a few
  // pixels and nearly still).
  static bool AtCentre(const Guy& hero, TilePos t, int slack = 3);
};

}  // namespace autoplay
}  // namespace torvel
