#include "forge/tilesets/tileset_builder.h"

namespace torvel::forge {

std::vector<uint8_t> BuildTileset(Theme theme) {
  TilesetCanvas canvas;
  PaintFloors(canvas, theme);
  PaintSpecialFloors(canvas, theme);
  PaintRoofs(canvas, theme);
  PaintWallFaces(canvas, theme);
  return canvas.Pixels(0.35);
}

TerrainTable TilesetTerrain(Theme theme) {
  TerrainTable t = LayoutTerrain();
  uint16_t cycle = kTerrainAnimates;
  switch (theme) {
    case Theme::kBasic:
    case Theme::kRiver:
      cycle |= kTerrainWater;
      break;  // the current
    case Theme::kForest:
      cycle |= kTerrainMuddy;
      break;  // the swamp
    case Theme::kUnder:
      cycle |= kTerrainLava;
      break;  // the boiling pool
    case Theme::kCastle:
      break;  // glowing runes
  }
  for (int k = 0; k < 4; ++k) t[tile::kCycleFirst + k].flags = cycle;
  return t;
}

}  // namespace torvel::forge
