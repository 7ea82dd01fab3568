// The guy pool's state, shared by the files of the guys module only
// (guys*.cpp). Everything else goes through guys.h.
#pragma once

#include <cstdint>
#include <vector>

#include "actors/guys.h"

namespace torvel {

struct GuyPoolState {
  std::vector<Guy> guys;  // sized once by InitGuys, so guy pointers stay put
  Guy* hero = nullptr;
  bool enemiesPresent = false;
  uint8_t lavaToggle = 0;  // the lava floor burns on every second tick
};

GuyPoolState& GuyPool();

// A pool slot holds a guy.
inline bool Occupied(const Guy& guy) {
  return guy.kind != 0;
}
// The pixel position of a guy.
inline int32_t PixelX(const Guy& guy) {
  return FixedToInt(guy.x);
}
inline int32_t PixelY(const Guy& guy) {
  return FixedToInt(guy.y);
}
// The tile of a pixel position, truncating toward zero.
inline int32_t TileOfPixelX(int32_t px) {
  return px / kTileWidth;
}
inline int32_t TileOfPixelY(int32_t py) {
  return py / kTileHeight;
}
// The centre of a tile in 16.16.
inline Fixed TileCentreX(int32_t tx) {
  return ToFixed(tx * kTileWidth + kTileWidth / 2);
}
inline Fixed TileCentreY(int32_t ty) {
  return ToFixed(ty * kTileHeight + kTileHeight / 2);
}

// Refreshes tileX and tileY from the position.
void RefreshGuyTile(Guy& guy);
// Starts the death sequence of a guy whose life ran out.
void StartDying(Guy& guy);

}  // namespace torvel
