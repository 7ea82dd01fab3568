// Stand-in until the shop lands.
#include "player/shop.h"

namespace torvel {

bool LoadShopSprites() { return true; }
void FreeShopSprites() {}

}  // namespace torvel
