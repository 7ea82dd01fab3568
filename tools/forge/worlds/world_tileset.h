// What a world takes from its tileset: the 640 x 480 picture its 400 tile
// images are cut from, the terrain table (flags and `next` of every floor
// image), and the names the tileset gives its floors and walls so that
// legends can say "floor water" rather than a number.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "world/world.h"

namespace torvel::forge {

struct WorldTileset {
  std::vector<uint8_t> picture;  // 640 * 480 palette values, top row first
  std::array<TerrainEntry, kTerrainEntries> terrain{};
  std::vector<std::pair<std::string, int>> floorNames;  // name -> floor image 0..199
  std::vector<std::pair<std::string, int>> wallNames;   // name -> wall number 1..200
};

// Finds a tileset by the name a world source gives it; false with a message
// when there is none.
using TilesetLookup =
    std::function<bool(const std::string& name, WorldTileset& tileset, std::string& error)>;

// The forge's own world tilesets.
bool ForgedWorldTileset(const std::string& name, WorldTileset& tileset, std::string& error);

}  // namespace torvel::forge
