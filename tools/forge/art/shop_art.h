// "graphics\shop.vsp": the shop's cell frames and cursor, the pictures of
// its goods (staffs, boots, hats, the three upgrades, the finished sword),
// the stats panel and the pause menu's panel.
#pragma once

#include "forge/art/art_kit.h"

namespace torvel::forge {

constexpr int kShopSpriteCount = 24;

SpriteSetArt BuildShopArt();

// The goods' pictures (46 x 46, hot spot (-4, -4) so they sit inside a
// cell frame drawn at the same place).
void PaintShopGoods(SpriteSetArt& set);

}  // namespace torvel::forge
