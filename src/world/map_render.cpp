// Stand-in until the map renderer lands: draws nothing.
#include "world/map_render.h"

namespace torvel {

void DrawMapLayer(Map*, World*, int32_t, int32_t, uint8_t) {}

}  // namespace torvel
