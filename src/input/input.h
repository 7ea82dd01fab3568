// Keyboard, joystick and key bindings: eight actions as one byte of bits,
// held now or pressed since last read.
#pragma once

#include <cstdint>

namespace torvel {

enum ActionBits : uint8_t {
  kActionUp = 1,
  kActionDown = 2,
  kActionLeft = 4,
  kActionRight = 8,
  kActionFire = 16,
  kActionSpell = 32,
  kActionNext = 64,
  kActionPrev = 128,
};

// Start-up: clears all bits, reads "keys.ini" (writing the default file when
// needed) and sets up the joystick.
void InitInput();
// The window procedure's key messages, with the PC set-1 scan code.
void OnKeyDown(int scanCode);
void OnKeyUp(int scanCode);
// Bits held now (keyboard, plus a fresh joystick poll).
uint8_t GetHeldActions();
// Bits pressed since the last call (keyboard and joystick buttons); clears them.
uint8_t TakePressedActions();

}  // namespace torvel
