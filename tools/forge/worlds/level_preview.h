// An overview of a compiled map for people reading the levels: every tile
// shrunk from its image (walls outlined where they meet open ground), base
// light applied, items as small marks by class, monster starts as dots, and
// specials as frames with a line to the tile they act on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forge/worlds/world_tileset.h"
#include "world/world.h"

namespace torvel::forge {

struct MapPreview {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // game palette values
};

// Tiles shrink by 2 on small maps and by 4 on the others; a strip on top
// carries the label.
MapPreview RenderMapPreview(const Map& map, const WorldTileset& tileset, const std::string& label);

}  // namespace torvel::forge
