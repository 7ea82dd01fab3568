// Keyboard, joystick and key bindings: eight actions as one byte of bits,
// held now or pressed since last read.
//
// Each action is bound to up to four keyboard scan codes (PC set 1, 0..88),
// named in "keys.ini" in the user folder. The first joystick adds its stick
// directions to the held bits and its buttons 1 to 4 to fire, spell, next and
// previous.
#pragma once

#include <cstdint>
#include <string>

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

constexpr int kActionCount = 8;
constexpr int kKeysPerAction = 4;
constexpr int kKeyCodeCount = 89;  // scan codes 0..88 have names

// Start-up: clears all bits, reads "keys.ini" (writing the default file when
// needed) and sets up the joystick. Calling it again starts everything afresh.
void InitInput();
// The window procedure's key messages, with the PC set-1 scan code.
void OnKeyDown(int scanCode);
void OnKeyUp(int scanCode);
// One key by its scan code: held now, and pressed (gone down, repeats not
// counted) since the last TakeScanKeyPress of that code.
bool ScanKeyHeld(int scanCode);
bool TakeScanKeyPress(int scanCode);
// Forgets every key held or pressed (a screen that starts afresh).
void ClearScanKeys();
// Bits held now (keyboard, plus a fresh joystick poll).
uint8_t GetHeldActions();
// Bits pressed since the last call (keyboard and joystick buttons); clears them.
uint8_t TakePressedActions();

// One update step sees one state of the devices: while frozen, GetHeldActions
// answers the bits held when the freeze began (keyboard and one joystick
// poll), and TakePressedActions stops polling. A key that went down since the
// last freeze counts as held too, even when it is up again, so that a tap
// between two steps is never lost. Replays record exactly what a step saw
// and put it back with SetActionState.
void FreezeActions();
void ThawActions();
// Freezes the input for the life of one step of a menu.
class ActionStep {
 public:
  ActionStep() { FreezeActions(); }
  ~ActionStep() { ThawActions(); }
  ActionStep(const ActionStep&) = delete;
  ActionStep& operator=(const ActionStep&) = delete;
};
// Freezes again what the last step saw held, with no presses: for the one
// guy update that starts a map between two steps, so that a replay, which
// records only what steps saw, plays it back alike. ThawActions ends it;
// presses made meanwhile wait for the next step.
void RefreezeLastStepActions();
// A game starts: no step has seen anything yet.
void ForgetLastStepActions();
// The presses waiting for TakePressedActions, left in place.
uint8_t PeekPressedActions();
// Replaces the keyboard's held bits and the waiting presses, and forgets the
// taps since the last step (replays).
void SetActionState(uint8_t held, uint8_t pressed);
// The name keys.ini uses for a scan code ("" for codes without one).
const char* KeyName(int code);
// Fills four slots from a list of key names separated by blanks or tabs:
// unknown names are skipped, names match exactly (case counts), and after the
// fourth recognised name the rest is ignored. Unused slots are 0.
void ParseKeyList(const std::string& value, uint8_t slots[kKeysPerAction]);
// The codes bound to action 0..7 (bit order: up, down, left, right, fire,
// spell, next, previous).
void GetActionKeys(int action, uint8_t slots[kKeysPerAction]);
// Whether the joystick still counts (it goes off for the run after a failed read).
bool JoystickEnabled();

// The file written when keys.ini has no UpKey.
extern const char kDefaultKeysIni[];

}  // namespace torvel
