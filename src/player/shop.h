// The shop.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

bool LoadShopSprites();
void FreeShopSprites();
void OpenShop();
// One update step; true when the shop is to close.
bool StepShop(Display* display);
void CloseShop();
void DrawShop();
// The stats panel with its left edge at x (shared with the pause menu).
void DrawStatsPanel(int32_t x);

}  // namespace torvel
