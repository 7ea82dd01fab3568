// Stand-in until the font module lands.
#include "gfx/font.h"

namespace torvel {

bool InitGraphics(Display*) { return true; }
void ExitGraphics() {}

}  // namespace torvel
