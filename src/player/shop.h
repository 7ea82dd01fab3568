// The shop.
#pragma once

namespace torvel {

bool LoadShopSprites();
void FreeShopSprites();

}  // namespace torvel
