// Reading a world's source files from content/worlds and forging the world
// files and their previews from them.
#pragma once

#include <string>
#include <vector>

#include "forge/forge.h"
#include "forge/worlds/level_source.h"
#include "forge/worlds/world_tileset.h"

namespace torvel::forge {

struct WorldSourceFiles {
  SourceFile world;              // world.txt
  std::vector<SourceFile> maps;  // *.map, in name order
};

// Every folder of worldsDir that holds a world.txt, in name order. Files are
// named "folder/file" in messages.
bool ReadWorldSources(const std::string& worldsDir, std::vector<WorldSourceFiles>& worlds,
                      std::string& error);

// Compiles each world and writes its file into the game folder, and a
// preview of each map into the preview folder ("world-river-02.png").
bool ForgeWorldFiles(const ForgeOptions& options, const std::vector<WorldSourceFiles>& sources,
                     const TilesetLookup& tilesets, std::string& error);

}  // namespace torvel::forge
