// Items: the item sprite set, the item table and the item clock.
#pragma once

namespace torvel {

// Loads "graphics\items.vsp" and sets the item clock to 0.
bool LoadItems();
void FreeItems();

}  // namespace torvel
