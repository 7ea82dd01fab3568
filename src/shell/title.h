// The title menu, the continue screen, the credits and the epilogue.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// 0 new game, 1 continue (the slot is loaded), 3 editor, 255 quit.
uint8_t TitleMenu(Display* display);

}  // namespace torvel
