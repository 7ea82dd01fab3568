#include "input/input.h"

#include <cstdio>
#include <cstring>

#include "common/byte_io.h"
#include "common/profile.h"
#include "platform/paths.h"
#include "platform/platform.h"

namespace torvel {

const char kDefaultKeysIni[] =
    "[Keyboard]\n"
    "\n"
    "UpKey=Up\n"
    "DownKey=Down\n"
    "LeftKey=Left\n"
    "RightKey=Right\n"
    "FireKey=Control Enter Z\n"
    "SpellKey=LeftShift RightShift X Space\n"
    "NextKey=A F1\n"
    "PrevKey=S F2\n";

namespace {

// The name of every scan code; the index is the code. 84 to 86 have no name
// and so can never be bound.
constexpr const char* kKeyNames[kKeyCodeCount] = {
    "Null", "Escape",   "1",         "2",      "3",       "4",       "5",          "6",
    "7",    "8",        "9",         "0",      "-",       "=",       "Backspace",  "Tab",
    "Q",    "W",        "E",         "R",      "T",       "Y",       "U",          "I",
    "O",    "P",        "[",         "]",      "Enter",   "Control", "A",          "S",
    "D",    "F",        "G",         "H",      "J",       "K",       "L",          ";",
    "'",    "`",        "LeftShift", "\\",     "Z",       "X",       "C",          "V",
    "B",    "N",        "M",         ",",      ".",       "/",       "RightShift", "PrintScreen",
    "Alt",  "Space",    "CapsLock",  "F1",     "F2",      "F3",      "F4",         "F5",
    "F6",   "F7",       "F8",        "F9",     "F10",     "NumLock", "ScrollLock", "Home",
    "Up",   "PageUp",   "Keypad-",   "Left",   "Keypad5", "Right",   "Keypad+",    "End",
    "Down", "PageDown", "Insert",    "Delete", "",        "",        "",           "F11",
    "F12",
};

constexpr const char* kActionKeys[kActionCount] = {
    "UpKey", "DownKey", "LeftKey", "RightKey", "FireKey", "SpellKey", "NextKey", "PrevKey",
};

// The bindings used when keys.ini has nothing to say.
constexpr uint8_t kDefaultBindings[kActionCount][kKeysPerAction] = {
    {72, 0, 0, 0},   {80, 0, 0, 0},    {75, 0, 0, 0},  {77, 0, 0, 0},
    {29, 28, 44, 0}, {42, 45, 54, 57}, {30, 59, 0, 0}, {31, 60, 0, 0},
};

// The profile reader hands back at most this many characters of a value.
constexpr size_t kMaxValueLength = 127;

struct InputState {
  uint8_t bindings[kActionCount][kKeysPerAction] = {};
  uint8_t held = 0;
  uint8_t pressed = 0;
  // Every scan code by itself, for screens that read keys rather than actions.
  bool keyHeld[256] = {};
  bool keyPressed[256] = {};
  bool joystickEnabled = false;
  int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  int32_t centreX = 0, centreY = 0;
  int32_t thresholdX = 0, thresholdY = 0;
  uint8_t joystickLast = 0;
  bool frozen = false;
  uint8_t frozenHeld = 0;
  // Keys that went down since the last step froze the input: a key pressed
  // and let go between two steps still counts as held for the next one.
  uint8_t downSinceStep = 0;
  uint8_t lastStepHeld = 0;  // what the last frozen step saw held
  bool pressesHidden = false;
};

InputState gInput;

// A keys.ini value as the system's profile reader returns it: trimmed, and
// cut at 127 characters. Empty when the file or key is missing.
std::string ReadKeysValue(const std::string& path, const char* key) {
  std::string value;
  if (!ReadProfileString(path, "Keyboard", key, value)) return {};
  if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
  return value;
}

void ReadBindings() {
  std::string path = UserPath("keys.ini");
  std::string up = ReadKeysValue(path, kActionKeys[0]);
  if (up.empty()) {
    // Nothing to go on: the default keys. Without a file they are written
    // for the player to edit (a write failure, as in a read-only folder,
    // only means the file is missing next time). A file that is there but
    // cannot be used is the player's own and stays as it is.
    if (FileExists(path)) {
      std::fprintf(stderr,
                   "TORVEL: %s has no usable UpKey in [Keyboard]; playing with the default keys\n",
                   path.c_str());
    } else {
      WriteFileAtomic(path, kDefaultKeysIni, std::strlen(kDefaultKeysIni));
    }
    std::memcpy(gInput.bindings, kDefaultBindings, sizeof(gInput.bindings));
    return;
  }
  ParseKeyList(up, gInput.bindings[0]);
  for (int action = 1; action < kActionCount; ++action)
    ParseKeyList(ReadKeysValue(path, kActionKeys[action]), gInput.bindings[action]);
}

void SetUpJoystick() {
  gInput.joystickEnabled = false;
  gInput.joystickLast = 0;
  if (!HasPlatform()) return;
  JoystickCaps caps;
  if (!GetPlatform().GetJoystickCaps(caps)) return;
  gInput.joystickEnabled = true;
  gInput.xMin = caps.xMin;
  gInput.xMax = caps.xMax;
  gInput.yMin = caps.yMin;
  gInput.yMax = caps.yMax;
  // Widths in 64 bits: a device may report the whole 32-bit range.
  gInput.centreX = static_cast<int32_t>(caps.xMin + (int64_t{caps.xMax} - caps.xMin) / 2);
  gInput.centreY = static_cast<int32_t>(caps.yMin + (int64_t{caps.yMax} - caps.yMin) / 2);
}

// Reads joystick 1 and turns it into action bits; buttons that were up at the
// last poll also count as pressed.
uint8_t PollJoystick() {
  JoystickPosition pos;
  if (!HasPlatform() || !GetPlatform().ReadJoystick(pos)) {
    gInput.joystickEnabled = false;
    return 0;
  }
  // The device's stated limits are only a first guess: any position beyond
  // them widens the range, and with it the dead zone. The centres stay put.
  if (pos.x < gInput.xMin) gInput.xMin = pos.x;
  if (pos.x > gInput.xMax) gInput.xMax = pos.x;
  if (pos.y < gInput.yMin) gInput.yMin = pos.y;
  if (pos.y > gInput.yMax) gInput.yMax = pos.y;
  gInput.thresholdX = static_cast<int32_t>((int64_t{gInput.xMax} - gInput.xMin) / 8);
  gInput.thresholdY = static_cast<int32_t>((int64_t{gInput.yMax} - gInput.yMin) / 8);

  int64_t dx = int64_t{pos.x} - gInput.centreX;
  int64_t dy = int64_t{pos.y} - gInput.centreY;
  uint8_t bits = 0;
  if (dy < -gInput.thresholdY) bits |= kActionUp;
  if (dy > gInput.thresholdY) bits |= kActionDown;
  if (dx < -gInput.thresholdX) bits |= kActionLeft;
  if (dx > gInput.thresholdX) bits |= kActionRight;

  constexpr uint8_t kButtonBits[4] = {kActionFire, kActionSpell, kActionNext, kActionPrev};
  for (int b = 0; b < 4; ++b) {
    if (!(pos.buttons & (1u << b))) continue;
    bits |= kButtonBits[b];
    if (!(gInput.joystickLast & kButtonBits[b])) gInput.pressed |= kButtonBits[b];
  }
  gInput.joystickLast = bits;
  return bits;
}

}  // namespace

void InitInput() {
  gInput = InputState{};
  ReadBindings();
  SetUpJoystick();
}

const char* KeyName(int code) {
  if (code < 0 || code >= kKeyCodeCount) return "";
  return kKeyNames[code];
}

void ParseKeyList(const std::string& value, uint8_t slots[kKeysPerAction]) {
  for (int i = 0; i < kKeysPerAction; ++i) slots[i] = 0;
  int stored = 0;
  size_t pos = 0;
  while (pos < value.size() && stored < kKeysPerAction) {
    size_t start = value.find_first_not_of(" \t", pos);
    if (start == std::string::npos) break;
    size_t end = value.find_first_of(" \t", start);
    if (end == std::string::npos) end = value.size();
    std::string word = value.substr(start, end - start);
    for (int code = 0; code < kKeyCodeCount && stored < kKeysPerAction; ++code) {
      if (word == kKeyNames[code]) slots[stored++] = static_cast<uint8_t>(code);
    }
    pos = end;
  }
}

void GetActionKeys(int action, uint8_t slots[kKeysPerAction]) {
  for (int i = 0; i < kKeysPerAction; ++i)
    slots[i] = (action >= 0 && action < kActionCount) ? gInput.bindings[action][i] : 0;
}

bool JoystickEnabled() {
  return gInput.joystickEnabled;
}

void OnKeyDown(int scanCode) {
  uint8_t code = static_cast<uint8_t>(scanCode & 0xFF);
  // The keyboard's own repeats are not new presses.
  if (!gInput.keyHeld[code]) gInput.keyPressed[code] = true;
  gInput.keyHeld[code] = true;
  for (int action = 0; action < kActionCount; ++action) {
    for (int i = 0; i < kKeysPerAction; ++i) {
      if (gInput.bindings[action][i] == code) {
        gInput.held |= static_cast<uint8_t>(1u << action);
        gInput.pressed |= static_cast<uint8_t>(1u << action);
        gInput.downSinceStep |= static_cast<uint8_t>(1u << action);
      }
    }
  }
}

void OnKeyUp(int scanCode) {
  uint8_t code = static_cast<uint8_t>(scanCode & 0xFF);
  gInput.keyHeld[code] = false;
  for (int action = 0; action < kActionCount; ++action) {
    for (int i = 0; i < kKeysPerAction; ++i) {
      if (gInput.bindings[action][i] == code) gInput.held &= static_cast<uint8_t>(~(1u << action));
    }
  }
}

bool ScanKeyHeld(int scanCode) {
  return gInput.keyHeld[scanCode & 0xFF];
}

bool TakeScanKeyPress(int scanCode) {
  bool pressed = gInput.keyPressed[scanCode & 0xFF];
  gInput.keyPressed[scanCode & 0xFF] = false;
  return pressed;
}

void ClearScanKeys() {
  for (bool& b : gInput.keyPressed) b = false;
  for (bool& b : gInput.keyHeld) b = false;
}

uint8_t GetHeldActions() {
  if (gInput.frozen) return gInput.frozenHeld;
  uint8_t bits = gInput.held;
  if (gInput.joystickEnabled) bits |= PollJoystick();
  return bits;
}

uint8_t TakePressedActions() {
  if (gInput.pressesHidden) return 0;
  if (gInput.joystickEnabled && !gInput.frozen) PollJoystick();
  uint8_t bits = gInput.pressed;
  gInput.pressed = 0;
  return bits;
}

void FreezeActions() {
  gInput.frozen = false;
  gInput.frozenHeld = GetHeldActions() | gInput.downSinceStep;
  gInput.downSinceStep = 0;
  gInput.lastStepHeld = gInput.frozenHeld;
  gInput.frozen = true;
}

void RefreezeLastStepActions() {
  gInput.frozenHeld = gInput.lastStepHeld;
  gInput.frozen = true;
  gInput.pressesHidden = true;
}

void ThawActions() {
  gInput.frozen = false;
  gInput.pressesHidden = false;
}

void ForgetLastStepActions() {
  gInput.lastStepHeld = 0;
}

uint8_t PeekPressedActions() {
  return gInput.pressed;
}

void SetActionState(uint8_t held, uint8_t pressed) {
  gInput.held = held;
  gInput.pressed = pressed;
  gInput.downSinceStep = 0;
}

}  // namespace torvel
