// The title menu, the continue screen, the credits and the epilogue.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// 0 new game, 1 continue (the slot is loaded), 3 editor, 255 quit.
uint8_t TitleMenu(Display* display);
// The scrolling credits; with ending set they stop on the last picture.
void ShowCredits(Display* display, bool ending);
// The epilogue that scrolls over a darkening picture after the ending movie.
void ShowEpilogue(Display* display);

}  // namespace torvel
