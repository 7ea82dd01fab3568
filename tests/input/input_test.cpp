#include "input/input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::HeadlessTest;
using Keys = std::array<int, kKeysPerAction>;

Keys ActionKeys(int action) {
  uint8_t slots[kKeysPerAction];
  GetActionKeys(action, slots);
  return {slots[0], slots[1], slots[2], slots[3]};
}

Keys Parse(const std::string& value) {
  uint8_t slots[kKeysPerAction] = {9, 9, 9, 9};
  ParseKeyList(value, slots);
  return {slots[0], slots[1], slots[2], slots[3]};
}

// The default file, spelled out as the player will find it.
const char kExpectedDefaultFile[] =
    "[Keyboard]\n\nUpKey=Up\nDownKey=Down\nLeftKey=Left\nRightKey=Right\n"
    "FireKey=Control Enter Z\nSpellKey=LeftShift RightShift X Space\n"
    "NextKey=A F1\nPrevKey=S F2\n";

const Keys kDefaultKeys[kActionCount] = {
    {72, 0, 0, 0},   {80, 0, 0, 0},    {75, 0, 0, 0},  {77, 0, 0, 0},
    {29, 28, 44, 0}, {42, 45, 54, 57}, {30, 59, 0, 0}, {31, 60, 0, 0},
};

TEST(KeyNames, CodesHaveTheirNames) {
  struct Case {
    int code;
    const char* name;
  } cases[] = {
      {0, "Null"},        {1, "Escape"},       {2, "1"},          {11, "0"},
      {12, "-"},          {13, "="},           {14, "Backspace"}, {15, "Tab"},
      {16, "Q"},          {27, "]"},           {28, "Enter"},     {29, "Control"},
      {30, "A"},          {39, ";"},           {40, "'"},         {41, "`"},
      {42, "LeftShift"},  {43, "\\"},          {44, "Z"},         {53, "/"},
      {54, "RightShift"}, {55, "PrintScreen"}, {56, "Alt"},       {57, "Space"},
      {58, "CapsLock"},   {59, "F1"},          {68, "F10"},       {69, "NumLock"},
      {70, "ScrollLock"}, {71, "Home"},        {72, "Up"},        {73, "PageUp"},
      {74, "Keypad-"},    {75, "Left"},        {76, "Keypad5"},   {77, "Right"},
      {78, "Keypad+"},    {79, "End"},         {80, "Down"},      {81, "PageDown"},
      {82, "Insert"},     {83, "Delete"},      {84, ""},          {85, ""},
      {86, ""},           {87, "F11"},         {88, "F12"},       {89, ""},
      {-1, ""},           {255, ""},
  };
  for (const Case& c : cases) EXPECT_STREQ(KeyName(c.code), c.name) << c.code;
}

TEST(KeyNames, EveryNamedCodeParsesBackToItself) {
  std::set<std::string> seen;
  for (int code = 0; code < kKeyCodeCount; ++code) {
    std::string name = KeyName(code);
    if (name.empty()) continue;
    EXPECT_LE(name.size(), 15u) << name;
    EXPECT_TRUE(seen.insert(name).second) << "two codes named " << name;
    EXPECT_EQ(Parse(name), (Keys{code, 0, 0, 0})) << name;
  }
}

TEST(KeyNames, ParsingAListOfNames) {
  struct Case {
    const char* value;
    Keys keys;
  } cases[] = {
      // Four codes at most, repeats included; the fifth name is ignored.
      {"Control Control Z Enter X", {29, 29, 44, 28}},
      {"A B C D E", {30, 48, 46, 32}},
      // Case counts: lower-case names bind nothing.
      {"control", {0, 0, 0, 0}},
      {"up DOWN Left", {75, 0, 0, 0}},
      // Unknown names are skipped without taking a slot.
      {"Foo Up Bar Down", {72, 80, 0, 0}},
      {"Up,Down", {0, 0, 0, 0}},
      // Blanks and tabs separate, in any number.
      {"\tUp\t\tDown   Z ", {72, 80, 44, 0}},
      {"", {0, 0, 0, 0}},
      {"   ", {0, 0, 0, 0}},
      // The backslash key and the names that contain punctuation.
      {"\\ ; ' `", {43, 39, 40, 41}},
      {"Keypad- Keypad+ Keypad5", {74, 78, 76, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.value), c.keys) << '"' << c.value << '"';
}

class InputTest : public HeadlessTest {
 protected:
  std::string KeysPath() const { return dir() + "/keys.ini"; }
  void WriteKeys(const std::string& text) {
    ASSERT_TRUE(WriteFileBytes(KeysPath(), text.data(), text.size()));
  }
  std::string ReadKeys() const {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(KeysPath(), bytes)) return "<missing>";
    return std::string(bytes.begin(), bytes.end());
  }
  void ExpectDefaultBindings() {
    for (int a = 0; a < kActionCount; ++a) EXPECT_EQ(ActionKeys(a), kDefaultKeys[a]) << a;
  }
};

TEST_F(InputTest, MissingFileIsWrittenWithTheDefaults) {
  InitInput();
  EXPECT_EQ(ReadKeys(), kExpectedDefaultFile);
  ExpectDefaultBindings();
  // The written file reads back as the same keys (the file lists the spell
  // keys in another order than the built-in defaults).
  InitInput();
  EXPECT_EQ(ReadKeys(), kExpectedDefaultFile);
  for (int a = 0; a < kActionCount; ++a) {
    Keys keys = ActionKeys(a), expected = kDefaultKeys[a];
    std::sort(keys.begin(), keys.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected) << a;
  }
}

// The player's own file, even one the game cannot use, is never replaced.
TEST_F(InputTest, FileWithoutAnUpKeyPlaysWithTheDefaultsAndIsLeftAlone) {
  const char* files[] = {
      "[Keyboard]\nFireKey=Space\n",
      "[Keyboard]\nUpKey=\nFireKey=Space\n",
      "[Keyboard]\nUpKey=   \t \n",
      "[Other]\nUpKey=W\n",
      "",
  };
  for (const char* text : files) {
    WriteKeys(text);
    InitInput();
    EXPECT_EQ(ReadKeys(), text);
    ExpectDefaultBindings();
  }
}

TEST_F(InputTest, ExistingFileIsReadAndLeftAlone) {
  const std::string text =
      "[Keyboard]\nUpKey=W\nDownKey=S Down\nLeftKey=A\nRightKey=D\nFireKey=J Control\n"
      "SpellKey=K\nNextKey=Q\n";  // no PrevKey
  WriteKeys(text);
  InitInput();
  EXPECT_EQ(ReadKeys(), text);
  EXPECT_EQ(ActionKeys(0), (Keys{17, 0, 0, 0}));
  EXPECT_EQ(ActionKeys(1), (Keys{31, 80, 0, 0}));
  EXPECT_EQ(ActionKeys(4), (Keys{36, 29, 0, 0}));
  EXPECT_EQ(ActionKeys(6), (Keys{16, 0, 0, 0}));
  // A key missing from an existing file leaves its action unbound.
  EXPECT_EQ(ActionKeys(7), (Keys{0, 0, 0, 0}));
}

TEST_F(InputTest, HandEditedFilesReadLikeTheSystemReader) {
  // Names of section and keys in any case, spaces around values, CRLF, a
  // byte-order mark, and no newline at the end.
  WriteKeys(
      "\xEF\xBB\xBF; my keys\r\n[keyboard]\r\nupkey =  W \r\nFIREKEY=\tSpace Z\t\r\nPrevKey=F12");
  InitInput();
  EXPECT_EQ(ActionKeys(0), (Keys{17, 0, 0, 0}));
  EXPECT_EQ(ActionKeys(4), (Keys{57, 44, 0, 0}));
  EXPECT_EQ(ActionKeys(7), (Keys{88, 0, 0, 0}));
  EXPECT_EQ(ActionKeys(1), (Keys{0, 0, 0, 0}));
}

TEST_F(InputTest, ValuesAreReadUpTo127Characters) {
  // "Q", 124 blanks, "Left": the cut leaves "Le", which names nothing.
  WriteKeys("[Keyboard]\nUpKey=Up\nDownKey=Q" + std::string(124, ' ') + "Left\n");
  InitInput();
  EXPECT_EQ(ActionKeys(1), (Keys{16, 0, 0, 0}));
  WriteKeys("[Keyboard]\nUpKey=Up\nDownKey=Q" + std::string(122, ' ') + "Left\n");
  InitInput();
  EXPECT_EQ(ActionKeys(1), (Keys{16, 75, 0, 0}));
}

TEST_F(InputTest, KeysSetHeldAndPressedBits) {
  InitInput();
  OnKeyDown(72);  // Up
  OnKeyDown(44);  // Z: fire
  EXPECT_EQ(GetHeldActions(), kActionUp | kActionFire);
  EXPECT_EQ(TakePressedActions(), kActionUp | kActionFire);
  EXPECT_EQ(TakePressedActions(), 0);                    // taken
  EXPECT_EQ(GetHeldActions(), kActionUp | kActionFire);  // still held
  OnKeyUp(72);
  EXPECT_EQ(GetHeldActions(), kActionFire);
  OnKeyUp(44);
  EXPECT_EQ(GetHeldActions(), 0);
  EXPECT_EQ(TakePressedActions(), 0);
}

TEST_F(InputTest, TapBetweenTwoReadsIsPressedButNotHeld) {
  InitInput();
  OnKeyDown(29);
  OnKeyUp(29);
  EXPECT_EQ(GetHeldActions(), 0);
  EXPECT_EQ(TakePressedActions(), kActionFire);
}

TEST_F(InputTest, ATapBetweenTwoStepsIsHeldForTheNextStepOnly) {
  InitInput();
  // What each of three steps sees, after the key events before it.
  struct Event {
    int beforeStep;  // 0, 1 or 2
    bool down;
    int code;
  };
  struct Case {
    const char* name;
    std::vector<Event> events;
    std::vector<uint8_t> seen;
  } cases[] = {
      {"a tap", {{0, true, 29}, {0, false, 29}}, {kActionFire, 0, 0}},
      {"held over two steps", {{0, true, 29}, {2, false, 29}}, {kActionFire, kActionFire, 0}},
      {"let go between steps", {{0, true, 29}, {1, false, 29}}, {kActionFire, 0, 0}},
      {"tapped twice",
       {{0, true, 29}, {0, false, 29}, {1, true, 29}, {1, false, 29}},
       {kActionFire, kActionFire, 0}},
      {"two keys tapped",
       {{1, true, 72}, {1, false, 72}, {1, true, 80}, {1, false, 80}},
       {0, kActionUp | kActionDown, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InitInput();
    for (int step = 0; step < 3; ++step) {
      for (const Event& e : c.events) {
        if (e.beforeStep != step) continue;
        if (e.down) {
          OnKeyDown(e.code);
        } else {
          OnKeyUp(e.code);
        }
      }
      {
        ActionStep frozen;
        EXPECT_EQ(GetHeldActions(), c.seen[step]) << "step " << step;
      }
    }
  }
  // A replay puts back what its step saw and nothing else.
  OnKeyDown(29);
  OnKeyUp(29);
  SetActionState(kActionLeft, 0);
  FreezeActions();
  EXPECT_EQ(GetHeldActions(), kActionLeft);
  ThawActions();
}

TEST_F(InputTest, KeyRoutingFollowsTheBindings) {
  WriteKeys("[Keyboard]\nUpKey=Up W\nDownKey=Down\nFireKey=Space\nSpellKey=Space\n");
  InitInput();
  struct Case {
    int code;
    uint8_t bits;
  } cases[] = {
      {17, kActionUp},                   // second key of an action
      {57, kActionFire | kActionSpell},  // one key, two actions
      {29, 0},                           // Control is not bound here
      {0x100 + 80, kActionDown},         // only the low byte of the code counts
      {200, 0},
  };
  for (const Case& c : cases) {
    TakePressedActions();
    OnKeyDown(c.code);
    EXPECT_EQ(GetHeldActions(), c.bits) << c.code;
    EXPECT_EQ(TakePressedActions(), c.bits) << c.code;
    OnKeyUp(c.code);
    EXPECT_EQ(GetHeldActions(), 0) << c.code;
  }
  // Releasing either of two keys of one action releases the action.
  OnKeyDown(72);
  OnKeyDown(17);
  OnKeyUp(17);
  EXPECT_EQ(GetHeldActions(), 0);
}

TEST_F(InputTest, InitInputClearsEverything) {
  InitInput();
  OnKeyDown(72);
  InitInput();
  EXPECT_EQ(GetHeldActions(), 0);
  EXPECT_EQ(TakePressedActions(), 0);
}

class JoystickTest : public InputTest {
 protected:
  void Start(int32_t xMin, int32_t xMax, int32_t yMin, int32_t yMax) {
    platform().joystickPresent = true;
    platform().joystickCaps = {xMin, xMax, yMin, yMax};
    platform().joystickPosition = {xMin + (xMax - xMin) / 2, yMin + (yMax - yMin) / 2, 0};
    InitInput();
    ASSERT_TRUE(JoystickEnabled());
  }
  uint8_t HeldAt(int32_t x, int32_t y, uint32_t buttons = 0) {
    platform().joystickPosition = {x, y, buttons};
    return GetHeldActions();
  }
};

TEST_F(JoystickTest, DirectionsNeedMoreThanAnEighthOfTheRange) {
  Start(0, 65535, 0, 65535);  // centre 32767, threshold 8191
  struct Case {
    int32_t x, y;
    uint8_t bits;
  } cases[] = {
      {32767, 32767, 0},
      {0, 32767, kActionLeft},  // fully left, with no calibration step
      {65535, 65535, kActionRight | kActionDown},
      {32767 - 8191, 32767, 0},  // exactly the threshold is not enough
      {32767 - 8192, 32767, kActionLeft},
      {32767 + 8191, 32767 + 8192, kActionDown},
      {32767, 32767 - 8192, kActionUp},
  };
  for (const Case& c : cases) EXPECT_EQ(HeldAt(c.x, c.y), c.bits) << c.x << "," << c.y;
  // Directions never count as pressed.
  EXPECT_EQ(TakePressedActions(), 0);
}

TEST_F(JoystickTest, WiderPositionsWidenTheRangeAndRaiseTheThreshold) {
  Start(0, 800, 0, 800);                      // centre 400, threshold 100
  EXPECT_EQ(HeldAt(550, 400), kActionRight);  // 150 beyond the centre
  // The stick reports beyond its stated limit: the range becomes 0..1600 and
  // the threshold 200; the centre stays at 400.
  EXPECT_EQ(HeldAt(1600, 400), kActionRight);
  EXPECT_EQ(HeldAt(550, 400), 0);
  EXPECT_EQ(HeldAt(350, 400), 0);
  EXPECT_EQ(HeldAt(199, 400), kActionLeft);
  EXPECT_EQ(HeldAt(200, 400), 0);
  // Below the minimum widens too: y 0..800 becomes -800..800, threshold 200.
  EXPECT_EQ(HeldAt(400, -800), kActionUp);
  EXPECT_EQ(HeldAt(400, 250), 0);
  EXPECT_EQ(HeldAt(400, 199), kActionUp);
}

TEST_F(JoystickTest, ButtonsArePressedOnTheirFirstPollOnly) {
  Start(-100, 100, -100, 100);
  EXPECT_EQ(HeldAt(0, 0, 1), kActionFire);
  EXPECT_EQ(HeldAt(0, 0, 1 | 8), kActionFire | kActionPrev);
  EXPECT_EQ(TakePressedActions(), kActionFire | kActionPrev);
  EXPECT_EQ(TakePressedActions(), 0);  // still held, not pressed again
  platform().joystickPosition.buttons = 0;
  EXPECT_EQ(TakePressedActions(), 0);
  platform().joystickPosition.buttons = 2 | 4;  // pressed again, seen by the take itself
  EXPECT_EQ(TakePressedActions(), kActionSpell | kActionNext);
  EXPECT_EQ(GetHeldActions(), kActionSpell | kActionNext);
  // Buttons beyond the fourth mean nothing.
  EXPECT_EQ(HeldAt(0, 0, 16 | 32), 0);
  EXPECT_EQ(TakePressedActions(), 0);
}

TEST_F(JoystickTest, KeyboardAndJoystickBitsCombine) {
  Start(-100, 100, -100, 100);
  OnKeyDown(29);
  EXPECT_EQ(HeldAt(-100, 0, 2), kActionFire | kActionLeft | kActionSpell);
  OnKeyUp(29);
  EXPECT_EQ(HeldAt(0, 0), 0);
}

TEST_F(JoystickTest, AFailedReadTurnsTheJoystickOffForTheRun) {
  Start(-100, 100, -100, 100);
  OnKeyDown(72);
  platform().joystickFails = true;
  EXPECT_EQ(HeldAt(-100, 0, 1), kActionUp);  // the keyboard still counts
  EXPECT_FALSE(JoystickEnabled());
  platform().joystickFails = false;
  EXPECT_EQ(HeldAt(-100, 0, 1), kActionUp);
  EXPECT_EQ(TakePressedActions(), kActionUp);
}

TEST_F(JoystickTest, AnAbsentJoystickStaysOff) {
  InitInput();
  EXPECT_FALSE(JoystickEnabled());
  platform().joystickPresent = true;  // plugged in after start-up
  platform().joystickCaps = {-100, 100, -100, 100};
  EXPECT_EQ(HeldAt(-100, 0, 1), 0);
  EXPECT_EQ(TakePressedActions(), 0);
}

}  // namespace
}  // namespace torvel
