// The editor's auto-tile command, for maps written as text: roof pieces
// chosen by the walls around them, a fresh roll of the ground family's
// variants, and edge floors where the outside ground meets it. The steps
// walk the map column by column, top to bottom, as the editor does, with a
// generator of their own so the same source always gives the same map.
//
// Two things the editor leaves to the hand are done too: the forge's
// tilesets carry a second family of roof pieces (160..175, in the same
// order as 184..199), chosen the same way, and banks: outside ground next
// to water or lava gets the piece that shows the shore on the right sides.
#pragma once

#include <array>
#include <cstdint>

#include "world/world.h"

namespace torvel::forge {

// steps: kAutotileRoofs | kAutotileGround | kAutotileEdges | kAutotileBanks
// (level_source.h); seed picks the ground variants; the terrain tells water
// and lava.
void AutotileMap(Map& map, uint8_t steps, uint32_t seed,
                 const std::array<TerrainEntry, kTerrainEntries>& terrain);

}  // namespace torvel::forge
