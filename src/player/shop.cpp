// Stand-in until the shop lands.
#include "player/shop.h"

namespace torvel {

bool LoadShopSprites() { return true; }
void FreeShopSprites() {}
void OpenShop() {}
bool StepShop(Display*) { return true; }
void CloseShop() {}
void DrawShop() {}
void DrawStatsPanel(int32_t) {}

}  // namespace torvel
