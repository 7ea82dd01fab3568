// Contact sheets of a creature's set for people: one row per facing with its
// frames in the order its sequences first show them, and one strip per
// sequence with every entry in play order, one row per facing.
#pragma once

#include <string>
#include <vector>

#include "forge/sprite_image.h"

namespace torvel::forge::creatures {

// Writes the sheets of one kind into dir (named after the kind and its set
// file); false when a file cannot be written.
bool WriteCreaturePreviews(const std::string& dir, int kind, const std::string& setName,
                           const std::vector<SpriteImage>& sprites);

}  // namespace torvel::forge::creatures
