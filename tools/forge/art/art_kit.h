// Helpers shared by the sprite painters: canvases with a hot spot, finishing
// a sprite the standard ways, and frame sequences.
#pragma once

#include <vector>

#include "forge/art/materials.h"
#include "forge/paint/noise.h"
#include "forge/paint/shade_image.h"
#include "forge/paint/splat.h"
#include "forge/preview.h"
#include "forge/sprite_image.h"

namespace torvel::forge {

// A canvas with room around its hot spot.
struct Canvas {
  ShadeImage img;
  int hotX = 0, hotY = 0;
  Canvas(int w, int h, int hx, int hy) : img(w, h), hotX(hx), hotY(hy) {}
  Vec2 Hot() const { return {static_cast<double>(hotX), static_cast<double>(hotY)}; }
};

// Plain art: rim light and a dark outline.
SpriteImage FinishPlain(const Canvas& c, double dither = 0.5);
// Ghost and glow art: no outline (it would only add nothing or darken).
SpriteImage FinishSoft(const Canvas& c, double dither = 0.7);
// Pads a sprite to an even height at the top, so that its shadow's last row
// falls on its own last row.
void MakeEvenHeight(SpriteImage& s);
// Puts the hot spot under the art's lowest row (its feet), keeping x, and
// evens the height: the shape things with a shadow need.
void StandOnHotSpot(SpriteImage& s);

// A sprite set under construction: sprites by index plus how each is best
// previewed.
struct SpriteSetArt {
  std::vector<SpriteImage> sprites;
  std::vector<PreviewMode> modes;
  explicit SpriteSetArt(size_t count) : sprites(count), modes(count, PreviewMode::kPlain) {}
  void Put(size_t index, SpriteImage s, PreviewMode mode = PreviewMode::kPlain) {
    sprites.at(index) = std::move(s);
    modes.at(index) = mode;
  }
};

}  // namespace torvel::forge
