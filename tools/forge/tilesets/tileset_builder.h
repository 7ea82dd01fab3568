// Paints a whole tileset of the common layout (tile_layout.h) in a world's
// materials.
#pragma once

#include <vector>

#include "forge/tilesets/tile_canvas.h"
#include "forge/tilesets/tile_layout.h"

namespace torvel::forge {

// The picture (640 x 480 palette values) of a theme's tileset.
std::vector<uint8_t> BuildTileset(Theme theme);

// The terrain table that goes with a theme's tileset.
TerrainTable TilesetTerrain(Theme theme);

// The parts, in tileset_floors.cpp and tileset_walls.cpp.
void PaintFloors(TilesetCanvas& canvas, Theme theme);
void PaintSpecialFloors(TilesetCanvas& canvas, Theme theme);
void PaintRoofs(TilesetCanvas& canvas, Theme theme);
void PaintWallFaces(TilesetCanvas& canvas, Theme theme);

}  // namespace torvel::forge
