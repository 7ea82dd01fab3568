// Whole screens put together from the forged art with the game's own sprite
// and text drawing, for the preview folder: a moment of play with the
// status display, the shop, and the title menu. They show how the pieces
// sit together without running the game.
#pragma once

#include "forge/art/art_kit.h"
#include "forge/forge.h"

namespace torvel::forge {

struct ForgedSets {
  const SpriteSetArt* items = nullptr;
  const SpriteSetArt* bullets = nullptr;
  const SpriteSetArt* intface = nullptr;
  const SpriteSetArt* shop = nullptr;
  const SpriteSetArt* title = nullptr;
};

// Writes mockup_play.png, mockup_shop.png and mockup_title.png (nothing
// when previews are off).
bool WriteMockups(const ForgeOptions& options, const ForgedSets& sets);

}  // namespace torvel::forge
