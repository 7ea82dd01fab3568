// The window's events as the game hears them: keys as set-1 codes with the
// control characters Escape, Enter, Backspace and Tab type, Alt+Enter kept
// for the window, typed text as character codes, the left button, the focus.
#include "platform/window_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvel {
namespace {

// What the hooks were called with, in order.
std::vector<std::string>& Heard() {
  static std::vector<std::string> heard;
  return heard;
}

PlatformEvents Listening() {
  PlatformEvents e;
  e.keyDown = [](int code) { Heard().push_back("down " + std::to_string(code)); };
  e.keyUp = [](int code) { Heard().push_back("up " + std::to_string(code)); };
  e.character = [](int code) { Heard().push_back("char " + std::to_string(code)); };
  e.mouseButton = [](bool down) { Heard().push_back(down ? "mouse down" : "mouse up"); };
  e.rightButton = [](bool down) { Heard().push_back(down ? "right down" : "right up"); };
  e.activate = [](bool active) { Heard().push_back(active ? "active" : "inactive"); };
  e.paletteLost = [] { Heard().push_back("palette"); };
  return e;
}

using Log = std::vector<std::string>;

TEST(WindowEvents, KeysGiveTheirCodesAndTheControlKeysTheirCharacters) {
  constexpr int32_t kLetterA = 'a';
  constexpr int32_t kWindowsKey = (1 << 30) | 227;
  struct Case {
    const char* what;
    KeyEvent key;
    Log heard;
    WindowKey window = WindowKey::kNone;
  } cases[] = {
      {"Escape", {41, kKeycodeEscape}, {"down 1", "char 27"}},
      {"Escape repeating", {41, kKeycodeEscape, true, true}, {"down 1", "char 27"}},
      {"Escape let go", {41, kKeycodeEscape, false}, {"up 1"}},
      {"Enter", {40, kKeycodeEnter}, {"down 28", "char 13"}},
      {"keypad Enter", {88, kKeycodeKeypadEnter}, {"down 28", "char 13"}},
      {"Backspace", {42, kKeycodeBackspace}, {"down 14", "char 8"}},
      {"Tab", {43, kKeycodeTab}, {"down 15", "char 9"}},
      // Letters type through the text events, not the key events.
      {"a letter", {4, kLetterA}, {"down 30"}},
      // The character follows the layout, the code the key's place.
      {"Caps Lock made into Escape", {57, kKeycodeEscape}, {"down 58", "char 27"}},
      {"the key left of 1 typing a letter", {53, kLetterA}, {"down 41"}},
      {"Alt+Enter", {40, kKeycodeEnter, true, false, true}, {}, WindowKey::kToggleFullscreen},
      {"Alt+keypad Enter",
       {88, kKeycodeKeypadEnter, true, false, true},
       {},
       WindowKey::kToggleFullscreen},
      {"Alt+Enter held", {40, kKeycodeEnter, true, true, true}, {}},
      {"Alt+Enter let go", {40, kKeycodeEnter, false, false, true}, {"up 28"}},
      {"Alt+Escape", {41, kKeycodeEscape, true, false, true}, {"down 1", "char 27"}},
      {"a key with no code", {227, kWindowsKey}, {}},
      {"a key with no code let go", {227, kWindowsKey, false}, {}},
  };
  const PlatformEvents events = Listening();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Heard().clear();
    EXPECT_EQ(TranslateKey(c.key, events), c.window);
    EXPECT_EQ(Heard(), c.heard);
  }
}

TEST(WindowEvents, TypedTextGivesPrintableLatinOneCodes) {
  struct Case {
    const char* what;
    const char* text;
    Log heard;
  } cases[] = {
      {"a letter", "a", {"char 97"}},
      {"a word", "Hi!", {"char 72", "char 105", "char 33"}},
      {"an accented letter", "\xC3\xA9", {"char 233"}},
      {"the last of Latin-1", "\xC3\xBF", {"char 255"}},
      {"beyond Latin-1",
       "a\xE2\x82\xAC"
       "b",
       {"char 97", "char 98"}},
      {"far beyond",
       "\xF0\x9F\x98\x80"
       "c",
       {"char 99"}},
      {"control characters", "\t\r\x1B", {}},
      {"delete", "\x7F", {}},
      {"a control character of the upper half", "\xC2\x85", {}},
      {"a non-breaking space", "\xC2\xA0", {"char 160"}},
      {"a lead byte cut short", "\xC3", {}},
      {"a lead byte before a letter",
       "\xC3"
       "A",
       {"char 65"}},
      {"a stray continuation",
       "\x80"
       "A",
       {"char 65"}},
      {"nothing", "", {}},
  };
  const PlatformEvents events = Listening();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Heard().clear();
    TranslateText(c.text, events);
    EXPECT_EQ(Heard(), c.heard);
  }
  Heard().clear();
  TranslateText(nullptr, events);
  EXPECT_TRUE(Heard().empty());
}

TEST(WindowEvents, TheLeftAndRightButtonsCountAndTheMiddleOneDoesNot) {
  const PlatformEvents events = Listening();
  Heard().clear();
  TranslateMouseButton(kMouseButtonLeft, true, events);
  TranslateMouseButton(2, false, events);  // the middle one
  TranslateMouseButton(2, true, events);
  EXPECT_EQ(Heard(), (Log{"mouse down"}));
  TranslateMouseButton(kMouseButtonRight, true, events);  // the editor drags with it
  TranslateMouseButton(kMouseButtonLeft, false, events);
  TranslateMouseButton(kMouseButtonRight, false, events);
  EXPECT_EQ(Heard(), (Log{"mouse down", "right down", "mouse up", "right up"}));
}

TEST(WindowEvents, RegainingTheFocusSendsThePaletteAgain) {
  const PlatformEvents events = Listening();
  Heard().clear();
  TranslateFocus(false, events);
  TranslateFocus(true, events);
  EXPECT_EQ(Heard(), (Log{"inactive", "active", "palette"}));
}

TEST(WindowEvents, MissingHooksAreSkipped) {
  PlatformEvents none;
  EXPECT_EQ(TranslateKey({41, kKeycodeEscape}, none), WindowKey::kNone);
  EXPECT_EQ(TranslateKey({40, kKeycodeEnter, true, false, true}, none),
            WindowKey::kToggleFullscreen);
  TranslateText("abc", none);
  TranslateMouseButton(kMouseButtonLeft, true, none);
  TranslateFocus(true, none);
}

}  // namespace
}  // namespace torvel
