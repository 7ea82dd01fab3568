// The game palette: 8 ramps of 32 shades. A colour value is ramp * 32 +
// shade; shade 0 is (near) black and 31 the brightest of the ramp, and every
// ramp climbs steadily so that the game's light arithmetic (which only ever
// moves a value up or down inside its ramp) reads as light and shadow.
#pragma once

#include <array>
#include <cstdint>

namespace torvel::forge {

constexpr int kRampCount = 8;
constexpr int kShadeCount = 32;

// The hue of each ramp, named after what the game and the art use it for.
enum Ramp : int {
  kGrey = 0,    // neutral: stone, steel, snow, interface, glow light
  kGreen = 1,   // grass, leaves, venom, healthy life bar
  kBrown = 2,   // earth, wood, skin, leather, sand
  kBlue = 3,    // water, mana, night sky
  kRed = 4,     // blood, lava, hurt flash
  kGold = 5,    // gold, fire, sparks, the big font
  kViolet = 6,  // magic
  kIce = 7,     // ice, frost, crystal
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The base colour each ramp reaches at shade 20; above it the ramp climbs
// toward white, below it falls linearly to black.
Rgb RampBase(int ramp);

// The 256 colours, value order.
const std::array<Rgb, 256>& GamePalette();
// The same in the display's and the bitmaps' layout (blue, green, red, 0).
std::array<uint8_t, 1024> GamePaletteBgrx();

// ramp * 32 + shade, with the shade clamped to 0..31 and the ramp to 0..7.
constexpr uint8_t Shade(int ramp, int shade) {
  ramp = ramp < 0 ? 0 : (ramp > 7 ? 7 : ramp);
  shade = shade < 0 ? 0 : (shade > 31 ? 31 : shade);
  return static_cast<uint8_t>(ramp * 32 + shade);
}
inline int RampOf(uint8_t value) {
  return value >> 5;
}
inline int ShadeOf(uint8_t value) {
  return value & 31;
}

// The shade of a ramp closest to a colour (squared distance in RGB).
uint8_t NearestShade(int ramp, Rgb colour);
// The closest colour among the ramps whose bits are set in rampMask
// (bit r = ramp r); all ramps by default.
uint8_t NearestColour(Rgb colour, unsigned rampMask = 0xFF);

}  // namespace torvel::forge
