// Bitmap fonts and text, and the small graphics module state they share.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// Start-up: keeps the display, loads the three fonts, creates the draw list.
bool InitGraphics(Display* display);
void ExitGraphics();

}  // namespace torvel
