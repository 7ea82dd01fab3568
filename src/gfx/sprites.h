// Sprite sets, sprite drawing and map tiles.
#pragma once

namespace torvel {

class Display;

// The display the tile routines draw to, set once at start-up.
void SetTileDisplay(Display* display);

}  // namespace torvel
