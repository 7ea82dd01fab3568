// The editor's auto-tile command, for maps written as text: roof pieces
// chosen by the walls around them, a fresh roll of the ground family's
// variants, and edge floors where the outside ground meets it. The steps
// walk the map column by column, top to bottom, as the editor does, with a
// generator of their own so the same source always gives the same map.
#pragma once

#include <cstdint>

#include "world/world.h"

namespace torvel::forge {

// steps: kAutotileRoofs | kAutotileGround | kAutotileEdges (level_source.h);
// seed picks the ground variants.
void AutotileMap(Map& map, uint8_t steps, uint32_t seed);

}  // namespace torvel::forge
