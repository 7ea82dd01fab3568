// The pause menu and the saved-game slots of "torvel.sav".
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// World start: cursor 0, both panels hidden.
void ResetPauseMenu();
// Escape during play opens it.
void OpenPauseMenu();
// One update step: 1 stay open, 0 resume, 2 leave the map, 3 quit to the title.
uint8_t StepPauseMenu(Display* display);
// Each play step while the menu is closed: the panels slide away.
void SlidePauseMenu();
void DrawPauseMenu();
// 0 roaming map, 1 ordinary map, 2 challenge map (set at map start).
void SetPauseMapKind(uint8_t kind);
void SetSlotCursor(uint8_t slot);

void LoadSlot(uint8_t slot);
void SaveSlot(uint8_t slot);

struct SlotSummary {
  uint8_t chapter = 1;
  uint8_t level = 1;
  uint8_t hours = 0;
  uint8_t minutes = 0;
};
// The three slots' summaries (chapter 1, level 1, 00:00 without a file).
void ReadSlotSummaries(SlotSummary summaries[3]);

}  // namespace torvel
