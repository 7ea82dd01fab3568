// Map drawing and the light model.
#pragma once

#include <cstdint>

namespace torvel {

struct Map;
struct World;

// Render flags: 1 use the tiles' current light, 2 draw walls, 4 draw items.
// Draws the floor layer around the view centre (cx, cy) in world pixels
// straight into the screen and queues walls, roofs and items on the draw list.
void DrawMapLayer(Map* map, World* world, int32_t cx, int32_t cy, uint8_t flags);

}  // namespace torvel
