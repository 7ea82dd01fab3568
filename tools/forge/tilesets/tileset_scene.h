// A sample map drawn with a tileset, for the preview folder: ground with a
// path the auto-tile has edged, a pond with banks, a walled block and a
// house roofed by the auto-tile's pieces, trees, a bridge and the world's
// special floors, laid out the way the map drawing puts walls and roofs.
#pragma once

#include <cstdint>
#include <vector>

#include "forge/tilesets/tile_layout.h"

namespace torvel::forge {

// 640 x 480 palette values: a 20 x 20 map drawn with the tileset picture.
std::vector<uint8_t> RenderTilesetScene(const std::vector<uint8_t>& tileset,
                                        const TerrainTable& terrain);

}  // namespace torvel::forge
