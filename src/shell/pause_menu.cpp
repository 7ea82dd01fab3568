// Stand-in until the pause menu lands.
#include "shell/pause_menu.h"

namespace torvel {

void ResetPauseMenu() {}
void OpenPauseMenu() {}
uint8_t StepPauseMenu(Display*) { return 0; }
void SlidePauseMenu() {}
void DrawPauseMenu() {}
void SetPauseMapKind(uint8_t) {}
void SetSlotCursor(uint8_t) {}
void LoadSlot(uint8_t) {}
void SaveSlot(uint8_t) {}
void ReadSlotSummaries(SlotSummary summaries[3]) {
  for (int i = 0; i < 3; ++i) summaries[i] = SlotSummary{};
}

}  // namespace torvel
