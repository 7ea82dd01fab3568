// Particles.
#pragma once

#include <cstdint>

namespace torvel {

// The particle plotter the draw list calls for particle entries: a dot of
// size 0, 1 or 2 at screen (x, y) on the 640x480 screen.
void PlotDot(int32_t x, int32_t y, uint8_t* screen, uint8_t colour, uint8_t size);

}  // namespace torvel
