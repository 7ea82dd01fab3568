// The screens around play: the title menu, the continue screen that picks a
// saved game, the scrolling credits and the epilogue after the ending.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// Title menu results.
constexpr uint8_t kTitleNewGame = 0;
constexpr uint8_t kTitleContinue = 1;  // the chosen slot is loaded
constexpr uint8_t kTitleEditor = 3;
constexpr uint8_t kTitleQuit = 255;

// The title menu: new game, continue, exit; "E" typed opens the editor. Left
// alone for ten seconds it shows the credits, ten seconds later the intro
// movie, and so on by turns. Returns one of the results above; Escape and
// closing the window quit.
uint8_t TitleMenu(Display* display);
// Picks one of the three saved games; true when one was chosen and loaded,
// false for Escape or a closed window.
bool ContinueScreen(Display* display);
// The scrolling credits; with ending set they stop on their last picture
// until a key is typed, and show the titles kept for the ending.
void ShowCredits(Display* display, bool ending);
// The epilogue that scrolls over a darkening picture after the ending movie.
void ShowEpilogue(Display* display);

}  // namespace torvel
