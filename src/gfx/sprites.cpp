// Stand-in until the sprite module lands.
#include "gfx/sprites.h"

namespace torvel {

void SetTileDisplay(Display*) {}

}  // namespace torvel
