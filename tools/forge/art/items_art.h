// "graphics\items.vsp": everything that lies on a map tile, in the order the
// item table draws it. Standing things have their hot spot at the foot (the
// tile centre they are queued at), flat things at their middle, doors at the
// tile's lower left corner (they are queued 14 px left of and 11 px below the
// tile centre).
#pragma once

#include "forge/art/art_kit.h"

namespace torvel::forge {

constexpr int kItemSpriteCount = 167;

SpriteSetArt BuildItemArt();

// Parts of the set, painted in items_art.cpp and items_scenery.cpp.
void PaintItemPickups(SpriteSetArt& set);
void PaintItemScenery(SpriteSetArt& set);

}  // namespace torvel::forge
