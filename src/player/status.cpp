// Stand-in until the status display lands.
#include "player/status.h"

namespace torvel {

bool LoadStatusSprites() { return true; }
void FreeStatusSprites() {}

}  // namespace torvel
