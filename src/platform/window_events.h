// What the window reports, turned into what the game hears: keys into set-1
// scan codes and the control characters some keys type, typed text into
// character codes, the left mouse button and the focus.
//
// Plain functions over the window library's numbers, which are standard
// ones: a key's place is its USB HID usage, and a key that types a character
// is known by that character (other keys by their usage with bit 30 set). So
// the SDL backend stays the only place that includes SDL, and the
// translation is tested without a window.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace torvel {

// The keys whose meaning (not place) the translation looks at.
inline constexpr int32_t kKeycodeBackspace = 8;
inline constexpr int32_t kKeycodeTab = 9;
inline constexpr int32_t kKeycodeEnter = 13;
inline constexpr int32_t kKeycodeEscape = 27;
inline constexpr int32_t kKeycodeKeypadEnter = (1 << 30) | 88;
// Mouse buttons are numbered from 1, the left one first.
inline constexpr int kMouseButtonLeft = 1;
inline constexpr int kMouseButtonRight = 3;

struct KeyEvent {
  int usage = 0;        // where the key is: its USB HID usage
  int32_t keycode = 0;  // what the keyboard layout makes of it
  bool down = true;     // pressed (or repeating), else let go
  bool repeat = false;  // a repeat of a key held down
  bool alt = false;     // an Alt key is held
};

// What the window does with a key itself.
enum class WindowKey { kNone, kToggleFullscreen };

// Hands a key to the hooks: its set-1 code to keyDown or keyUp (keys the game
// has no code for are not passed on), and with each press or repeat the
// character that Escape (27), Enter (13), Backspace (8) and Tab (9) type.
// Alt+Enter belongs to the window: it switches full screen once per press,
// and the game hears nothing of it.
WindowKey TranslateKey(const KeyEvent& key, const PlatformEvents& events);

// Typed text in UTF-8 to character codes, one by one: printable characters up
// to 255 (only the low byte of a code reaches the game, so anything beyond
// Latin-1 is dropped rather than garbled), never control characters, and
// nothing from a broken sequence.
void TranslateText(const char* utf8, const PlatformEvents& events);

// A mouse button pressed or let go; only the left one counts.
void TranslateMouseButton(int button, bool down, const PlatformEvents& events);

// The window lost or gained the focus; on gaining it the palette is sent again.
void TranslateFocus(bool gained, const PlatformEvents& events);

}  // namespace torvel
