// "graphics\intface.vsp": the status display's pieces, painted in screen
// coordinates around the anchor each is drawn at, so that the sprites' own
// offsets put every piece where the display code expects it.
#pragma once

#include "forge/art/art_kit.h"
#include "forge/paint/mask.h"

namespace torvel::forge {

constexpr int kInterfaceSpriteCount = 69;

SpriteSetArt BuildInterfaceArt();

// Shared by the interface and the shop: a bevelled plate of dark slate with a
// gold rim (rimWidth pixels), drawn from a mask at (ox, oy).
void PaintTrimmedPlate(ShadeImage& img, const Mask& shape, int ox, int oy, int rimWidth,
                       int bodyRamp = 0, double bodyLit = 11);
// A sunken well (dark, lit on its lower-right lip), inclusive rectangle.
void PaintWell(ShadeImage& img, int x0, int y0, int x1, int y1);
// A small spell picture for the cards, the shop and the stats panel.
void PaintSpellIcon(ShadeImage& img, int slot, bool upgraded, Vec2 centre, double scale);

}  // namespace torvel::forge
