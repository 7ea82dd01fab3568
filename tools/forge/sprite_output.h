// From painted sprites to the game's sprite set files, through the game's own
// run encoder and set writer, with a contact sheet beside each set.
#pragma once

#include <string>
#include <vector>

#include "forge/forge.h"
#include "forge/preview.h"
#include "forge/sprite_image.h"
#include "gfx/sprites.h"

namespace torvel::forge {

// The sprite in the game's run-length form; an empty image gives the empty
// placeholder (0 x 0, no data).
Sprite EncodeSpriteImage(const SpriteImage& image);

// Writes "graphics\\<name>.vsp" (systemName in the game's form) and, when
// previews are on, <previewName>.png with each sprite shown in its mode.
bool WriteSpriteSetFiles(const ForgeOptions& options, const std::string& systemName,
                         const std::string& previewName, const std::vector<SpriteImage>& sprites,
                         const std::vector<PreviewMode>& modes = {});

}  // namespace torvel::forge
