// "graphics\titlespr.vsp": the title lettering, the band beneath it and a
// small ornament for the foot of the continue screen.
#pragma once

#include "forge/art/art_kit.h"

namespace torvel::forge {

constexpr int kTitleSpriteCount = 3;

SpriteSetArt BuildTitleArt();

}  // namespace torvel::forge
