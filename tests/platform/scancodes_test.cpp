#include "platform/scancodes.h"

#include <gtest/gtest.h>

#include <set>

namespace torvel {
namespace {

// USB HID usage numbers (the values of SDL's scancodes) of keys whose set-1
// codes players bind in keys.ini.
TEST(ScanCodes, NamedKeysGetTheirSetOneCodes) {
  struct Case {
    int usage;
    int code;
    const char* name;
  } cases[] = {
      {41, 1, "Escape"},     {30, 2, "1"},          {39, 11, "0"},        {45, 12, "-"},
      {42, 14, "Backspace"}, {43, 15, "Tab"},       {20, 16, "Q"},        {19, 25, "P"},
      {48, 27, "]"},         {40, 28, "Enter"},     {224, 29, "Control"}, {4, 30, "A"},
      {15, 38, "L"},         {53, 41, "`"},         {225, 42, "LeftShift"}, {49, 43, "\\"},
      {29, 44, "Z"},         {56, 53, "/"},         {229, 54, "RightShift"}, {226, 56, "Alt"},
      {44, 57, "Space"},     {57, 58, "CapsLock"},  {58, 59, "F1"},       {67, 68, "F10"},
      {83, 69, "NumLock"},   {71, 70, "ScrollLock"}, {74, 71, "Home"},    {82, 72, "Up"},
      {75, 73, "PageUp"},    {86, 74, "Keypad-"},   {80, 75, "Left"},     {93, 76, "Keypad5"},
      {79, 77, "Right"},     {87, 78, "Keypad+"},   {77, 79, "End"},      {81, 80, "Down"},
      {78, 81, "PageDown"},  {73, 82, "Insert"},    {76, 83, "Delete"},   {68, 87, "F11"},
      {69, 88, "F12"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScanCodeFromUsb(c.usage), c.code) << c.name;
}

TEST(ScanCodes, ExtendedKeysShareTheirPlainCodes) {
  EXPECT_EQ(ScanCodeFromUsb(228), ScanCodeFromUsb(224));  // right and left Control
  EXPECT_EQ(ScanCodeFromUsb(230), ScanCodeFromUsb(226));  // right and left Alt
  EXPECT_EQ(ScanCodeFromUsb(88), ScanCodeFromUsb(40));    // keypad Enter and Enter
  // The keypad's arrows and the arrow block.
  EXPECT_EQ(ScanCodeFromUsb(96), 72);
  EXPECT_EQ(ScanCodeFromUsb(90), 80);
  EXPECT_EQ(ScanCodeFromUsb(92), 75);
  EXPECT_EQ(ScanCodeFromUsb(94), 77);
}

TEST(ScanCodes, LettersAreDistinctAndInRange) {
  std::set<int> codes;
  for (int usage = 4; usage <= 29; ++usage) {  // A..Z
    int code = ScanCodeFromUsb(usage);
    EXPECT_GE(code, 16);
    EXPECT_LE(code, 50);
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), 26u);
}

TEST(ScanCodes, KeysWithoutACodeAndOutOfRangeUsages) {
  EXPECT_EQ(ScanCodeFromUsb(0), -1);
  EXPECT_EQ(ScanCodeFromUsb(-3), -1);
  EXPECT_EQ(ScanCodeFromUsb(256), -1);
  EXPECT_EQ(ScanCodeFromUsb(227), -1);  // the Windows key
  EXPECT_EQ(ScanCodeFromUsb(127), -1);  // mute
  for (int usage = 0; usage < 256; ++usage) EXPECT_LE(ScanCodeFromUsb(usage), 88) << usage;
}

}  // namespace
}  // namespace torvel
