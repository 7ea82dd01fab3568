// A movie frame being drawn: 8-bit palette values in the game palette's
// ramps (ramp * 32 + shade), and the ways the movies draw into it: painted
// layers, the game's own sprites and fonts, light and shadow that stay
// inside a ramp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forge/paint/shade_image.h"
#include "gfx/font.h"
#include "gfx/sprites.h"

namespace torvel::forge {

constexpr int kMovieWidth = 320;
constexpr int kMovieHeight = 240;

class Picture {
 public:
  explicit Picture(int width = kMovieWidth, int height = kMovieHeight, uint8_t fill = 0)
      : width_(width), height_(height), px_(static_cast<size_t>(width) * height, fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return px_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  uint8_t At(int x, int y) const { return px_[Index(x, y)]; }
  void Set(int x, int y, uint8_t v) {
    if (Inside(x, y)) px_[Index(x, y)] = v;
  }

  // A painted image at (x, y) (its own top-left corner); unpainted pixels
  // leave what is underneath.
  void Stamp(const ShadeImage& img, int x, int y, double dither = 0.5, double lift = 0);
  // A painted image turned by angle (radians, clockwise on screen) about its
  // point pivot, which lands at (x, y); every shade raised by lift.
  void StampTurned(const ShadeImage& img, Vec2 pivot, double x, double y, double angle,
                   double lift = 0, double dither = 0.5);
  // A sprite of one of the game's sets, hot spot at (x, y), scaled by a
  // whole factor (each pixel a block).
  void DrawSprite(const Sprite* s, int x, int y, int scale = 1);
  // The same squashed into a dark shadow on the ground below the hot spot.
  void DrawSpriteShadow(const Sprite* s, int x, int y, int scale = 1);
  // Text in one of the game's fonts, each glyph pixel's shade carried into
  // ramp, with a black shadow one pixel down and right. Coverage below 1
  // shows only that share of its pixels, in an even ordered pattern: how
  // text fades in and out over any picture in a palette of fixed colours.
  void DrawText(const Font& font, int x, int y, const std::string& text, int ramp,
                double coverage = 1.0);
  // The same centred on column cx.
  void DrawTextCentred(const Font& font, int cx, int y, const std::string& text, int ramp,
                       double coverage = 1.0);

  // Light: every pixel within radius of (cx, cy) gains up to amount shades
  // (fading to nothing at the rim), staying in its ramp; black stays black
  // unless lift is set, when it first takes that ramp's darkest shade.
  void Light(double cx, double cy, double radius, double amount, int liftRamp = -1);

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
  int width_, height_;
  std::vector<uint8_t> px_;
};

// A value moved by delta shades within its ramp (0 stays 0).
uint8_t Brighten(uint8_t value, int delta);

}  // namespace torvel::forge
