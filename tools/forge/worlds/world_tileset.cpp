#include "forge/worlds/world_tileset.h"

#include <map>
#include <mutex>

#include "forge/tilesets/tile_layout.h"
#include "forge/tilesets/tile_materials.h"
#include "forge/tilesets/tileset_builder.h"

namespace torvel::forge {

bool ForgedWorldTileset(const std::string& name, WorldTileset& tileset, std::string& error) {
  Theme theme;
  if (!ThemeFromName(name, theme)) {
    error = "the forge has no tileset named \"" + name +
            "\" (river, forest, castle, under, basicTiles)";
    return false;
  }
  // Painting a tileset takes a while; every world of a run asks once, tests
  // may ask again.
  static std::mutex mutex;
  static std::map<Theme, std::vector<uint8_t>> pictures;
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto found = pictures.find(theme);
    if (found == pictures.end()) found = pictures.emplace(theme, BuildTileset(theme)).first;
    tileset.picture = found->second;
  }
  tileset.terrain = TilesetTerrain(theme);
  // Every tileset keeps the same places; what they look like is the world's own.
  tileset.floorNames = LayoutFloorNames();
  tileset.wallNames = LayoutWallNames();
  return true;
}

}  // namespace torvel::forge
