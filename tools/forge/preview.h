// Contact sheets for people: every sprite of a set on a neutral background
// with its index, and pictures as they are, written as PNG files so that the
// art can be judged without running the game.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "forge/forge.h"
#include "forge/sprite_image.h"

namespace torvel::forge {

// How a sprite is shown on its sheet: as it is, or as the game's ghost and
// glow modes draw it over the grey cell background (ghost art is dark by
// itself, it only reads over something).
enum class PreviewMode : uint8_t { kPlain, kGhost, kGlow };

struct SheetOptions {
  int scale = 0;                   // pixels per sprite pixel; 0 picks 2 for small sprites, else 1
  int maxWidth = 1280;             // sheet width the cells wrap at, before scaling
  std::vector<PreviewMode> modes;  // per sprite; missing entries are plain
  bool markHotSpots = true;        // a small cross behind the sprite at its hot spot
};

// Lays the sprites out left to right in rows (index order), each in its own
// cell with its index above it. Empty sprites get a small crossed cell.
std::vector<uint8_t> RenderSpriteSheet(const std::vector<SpriteImage>& sprites,
                                       const SheetOptions& options, int& width, int& height);
bool WriteSpriteSheet(const std::string& hostPath, const std::vector<SpriteImage>& sprites,
                      const SheetOptions& options = {});

// A picture (width * height palette values) with its own 256-colour table.
bool WritePicturePreview(const std::string& hostPath, const std::vector<uint8_t>& pixels, int width,
                         int height, const std::array<uint8_t, 1024>& bgrx);

// The preview file for a name such as "items" ("" when previews are off).
std::string PreviewPath(const ForgeOptions& options, const std::string& name);

// Tiny 3 x 5 digits and capitals for labels on preview sheets (not game
// art). Draws into an 8-bit image of the given pitch; returns the width used.
int DrawPreviewLabel(std::vector<uint8_t>& image, int pitch, int height, int x, int y,
                     const std::string& text, uint8_t colour);

}  // namespace torvel::forge
