#include "platform/window_events.h"

#include "platform/scancodes.h"

namespace torvel {

namespace {

void SendCharacter(const PlatformEvents& events, int code) {
  if (events.character) events.character(code & 0xFF);
}

bool IsEnter(int32_t keycode) {
  return keycode == kKeycodeEnter || keycode == kKeycodeKeypadEnter;
}

// The character a key types when it types a control character, else 0.
int ControlCharacter(int32_t keycode) {
  if (keycode == kKeycodeEscape) return 27;
  if (IsEnter(keycode)) return 13;
  if (keycode == kKeycodeBackspace) return 8;
  if (keycode == kKeycodeTab) return 9;
  return 0;
}

bool Continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

WindowKey TranslateKey(const KeyEvent& key, const PlatformEvents& events) {
  if (key.down && key.alt && IsEnter(key.keycode)) {
    return key.repeat ? WindowKey::kNone : WindowKey::kToggleFullscreen;
  }
  const int code = ScanCodeFromUsb(key.usage);
  if (!key.down) {
    if (code >= 0 && events.keyUp) events.keyUp(code);
    return WindowKey::kNone;
  }
  if (code >= 0 && events.keyDown) events.keyDown(code);
  if (int c = ControlCharacter(key.keycode)) SendCharacter(events, c);
  return WindowKey::kNone;
}

void TranslateText(const char* utf8, const PlatformEvents& events) {
  if (!utf8) return;
  const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
  while (*s) {
    int cp = 0x100;  // stands for anything the game cannot take
    int len = 1;
    if (*s < 0x80) {
      cp = *s;
    } else if ((*s & 0xE0) == 0xC0 && Continuation(s[1])) {
      cp = ((*s & 0x1F) << 6) | (s[1] & 0x3F);
      len = 2;
    } else if (!Continuation(*s)) {
      // A longer character (or a lead byte out of place): all of it goes.
      while (Continuation(s[len])) ++len;
    }
    // Control characters come from their keys, not from typing: the C0 set,
    // delete and the C1 set never reach the game as text.
    const bool control = cp < 32 || (cp >= 0x7F && cp < 0xA0);
    if (cp < 0x100 && !control) SendCharacter(events, cp);
    s += len;
  }
}

void TranslateMouseButton(int button, bool down, const PlatformEvents& events) {
  if (button == kMouseButtonLeft && events.mouseButton) events.mouseButton(down);
  if (button == kMouseButtonRight && events.rightButton) events.rightButton(down);
}

void TranslateFocus(bool gained, const PlatformEvents& events) {
  if (events.activate) events.activate(gained);
  if (gained && events.paletteLost) events.paletteLost();
}

}  // namespace torvel
