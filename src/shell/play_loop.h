// The play loop: worlds, maps, fixed 33 ms update steps, play modes, map
// events, and the time accounting that keeps movies and an inactive window
// out of the game clock.
#pragma once

#include <cstdint>

namespace torvel {

class Display;

// Runs worlds until the player quits to the title menu.
void PlayGame(Display* display, bool continuing);

// The window-activation callback: 1 when the window becomes inactive, 0 when active.
void SetSuspended(uint8_t suspended);
bool IsSuspended();
// Time spent in movies or an inactive window, kept out of the game clock.
void AddExcludedTime(int32_t ms);
// Hands the pending excluded time over (and clears it).
int32_t TakePendingExcludedTime();

// Records a pending map event; taken up by the next update step.
void PostMapEvent(uint8_t event, uint8_t parameter = 0);
// The event waiting to be taken up (event 0: none).
struct MapEvent {
  uint8_t event = 0;
  uint8_t parameter = 0;
};
MapEvent PendingMapEvent();
// Modes 2 (picture) and 4 (dialogue), set by specials and dialogues.
void SetPlayMode(uint8_t mode);
uint8_t PlayMode();

uint8_t ChallengeParameter();
bool NoChallengePending();
// Global start-up: no challenge is being played.
void ClearChallengeFlag();

}  // namespace torvel
