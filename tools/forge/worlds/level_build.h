// The level compiler: world and map sources in, a World out, with every
// rule the game and its editor rely on checked on the way. A broken source
// stops the build with a message that names the file and the line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forge/worlds/level_source.h"
#include "forge/worlds/world_tileset.h"
#include "world/world.h"

namespace torvel::forge {

struct CompileOptions {
  TilesetLookup tilesets;
  // Whether the game folder holds "graphics\<name>" (for "picture" specials);
  // unset: not checked.
  std::function<bool(const std::string& name)> pictureExists;
};

struct CompiledWorld {
  std::string fileName;  // "river.vwd"
  World world;
  WorldTileset tileset;
  int finalMap = -1;
  std::vector<int> arenas;
  // The source each map came from, by map number, for previews and messages.
  std::vector<std::string> mapSources;
  // Each map's route, its tiles resolved (empty for a map without one).
  std::vector<std::vector<RouteStep>> routes;
};

// Compiles a world from its world file and its map files (any order).
bool CompileWorld(const SourceFile& worldFile, const std::vector<SourceFile>& mapFiles,
                  const CompileOptions& options, CompiledWorld& out, std::string& error);

// Builds one map from its source over the world's tileset, and, when asked,
// its route with the tiles resolved.
bool BuildMap(const MapSource& source, const WorldSource& world, const WorldTileset& tileset,
              const CompileOptions& options, Map& map, std::string& error,
              std::vector<RouteStep>* route = nullptr);

// The world file's bytes, tile images cut from the tileset's picture. The
// game's one tile block is used on the way and holds this world's images
// afterwards.
std::vector<uint8_t> CompiledWorldBytes(const CompiledWorld& world);

}  // namespace torvel::forge
