// Stand-in until the items module lands.
#include "world/items.h"

namespace torvel {

bool LoadItems() { return true; }
void FreeItems() {}

}  // namespace torvel
