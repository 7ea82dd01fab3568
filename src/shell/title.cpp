// Stand-in until the title menu lands: quit at once; no credits, no epilogue.
#include "shell/title.h"

namespace torvel {

uint8_t TitleMenu(Display*) {
  return 255;
}
void ShowCredits(Display*, bool) {}
void ShowEpilogue(Display*) {}

}  // namespace torvel
