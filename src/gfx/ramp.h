// Palette ramp arithmetic shared by every renderer.
//
// The 256 colours are 8 ramps of 32 shades: value = ramp * 32 + shade, shade 0
// the darkest. Brightening keeps the ramp and clamps the shade to 0..31, so no
// amount of light ever turns a colour into another; recolouring swaps the ramp
// and keeps the shade.
#pragma once

#include <cstdint>

namespace torvel {

constexpr int kRampShades = 32;

constexpr uint8_t RampBase(uint8_t value) {
  return static_cast<uint8_t>(value & 0xE0);
}
constexpr int ShadeOf(uint8_t value) {
  return value & 31;
}

constexpr int ClampShade(int shade) {
  return shade < 0 ? 0 : (shade > 31 ? 31 : shade);
}

// value's ramp, its shade moved by bright and clamped to the ramp.
constexpr uint8_t Brighten(uint8_t value, int bright) {
  return static_cast<uint8_t>(RampBase(value) | ClampShade(ShadeOf(value) + bright));
}

// value's shade in ramp (0..7).
constexpr uint8_t Recolour(uint8_t value, int ramp) {
  return static_cast<uint8_t>(((ramp & 7) << 5) | ShadeOf(value));
}

// The 256 values brightened by bright (-128..127): BrightenTable(b)[v] is
// Brighten(v, b). Built once; the renderers look pixels up instead of
// clamping each one. The tables lie one after another, 256 bytes apart, in
// order of brightness.
const uint8_t* BrightenTable(int bright);

}  // namespace torvel
