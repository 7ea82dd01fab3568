#include "forge/worlds/world_tileset.h"

namespace torvel::forge {

bool ForgedWorldTileset(const std::string& name, WorldTileset&, std::string& error) {
  error = "the forge has no world tileset named \"" + name + "\"";
  return false;
}

}  // namespace torvel::forge
