// The pause menu and the saved-game slots of "torvel.sav".
//
// Escape during play opens the menu: resume, load or save a slot, leave the
// map, the music volume, quit to the title. Its two panels slide in from the
// left while it is open and slide away after. Saved games are three player
// records of 336 bytes, 1008 bytes in all, in the user folder.
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

// The menu as it stands, for tests and tools.
struct PauseMenuView {
  uint8_t cursor = 0;  // 0-5; there is no entry 3
  uint8_t slotCursor = 0;
  bool slotPanelOpen = false;
  uint8_t mapKind = 0;
  int32_t mainX = 0;  // -250 hidden
  int32_t slotX = 0;
  bool notSaved = false;  // the line saying the last save failed shows
};
PauseMenuView GetPauseMenuView();

constexpr int kSaveSlots = 3;
constexpr int kSaveFileBytes = 1008;
constexpr const char* kSaveFileName = "torvel.sav";

// Reads slot n into the player record and applies its music volume. Without
// a save file, from a slot the file ends before, or from a slot never saved
// to, the player starts a new game instead.
void LoadSlot(uint8_t slot);
// Writes the player record into slot n, keeping every other whole slot the
// file holds (a file of another size keeps the slots it has in full; only
// the missing ones start empty, as in a new file). The file is replaced
// atomically, so a failed save never loses the old one. False when it could
// not be written.
bool SaveSlot(uint8_t slot);

struct SlotSummary {
  uint8_t chapter = 1;
  uint8_t level = 1;
  uint8_t hours = 0;
  uint8_t minutes = 0;
};
// The three slots' summaries (chapter 1, level 1, 00:00 without a file).
void ReadSlotSummaries(SlotSummary summaries[3]);

}  // namespace torvel
