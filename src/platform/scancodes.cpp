#include "platform/scancodes.h"

#include <array>

namespace torvel {

namespace {

struct Pair {
  int usage;
  int code;
};

// USB HID keyboard usages (as SDL_Scancode numbers them) to set-1 codes.
constexpr Pair kPairs[] = {
    {41, 1},                                                              // Escape
    {30, 2}, {31, 3}, {32, 4}, {33, 5}, {34, 6}, {35, 7}, {36, 8}, {37, 9},  // 1..8
    {38, 10}, {39, 11},                                                   // 9, 0
    {45, 12}, {46, 13}, {42, 14}, {43, 15},                               // - = Backspace Tab
    {20, 16}, {26, 17}, {8, 18}, {21, 19}, {23, 20}, {28, 21},            // Q W E R T Y
    {24, 22}, {12, 23}, {18, 24}, {19, 25}, {47, 26}, {48, 27},           // U I O P [ ]
    {40, 28}, {88, 28},                                                   // Enter, keypad Enter
    {224, 29}, {228, 29},                                                 // Control (left, right)
    {4, 30}, {22, 31}, {7, 32}, {9, 33}, {10, 34}, {11, 35},              // A S D F G H
    {13, 36}, {14, 37}, {15, 38}, {51, 39}, {52, 40}, {53, 41},           // J K L ; ' `
    {225, 42}, {49, 43}, {50, 43},                                        // LeftShift, backslash
    {29, 44}, {27, 45}, {6, 46}, {25, 47}, {5, 48}, {17, 49},             // Z X C V B N
    {16, 50}, {54, 51}, {55, 52}, {56, 53}, {84, 53},                     // M , . / keypad/
    {229, 54}, {70, 55}, {85, 55},                                        // RightShift, PrintScreen, keypad*
    {226, 56}, {230, 56}, {44, 57}, {57, 58},                             // Alt, Space, CapsLock
    {58, 59}, {59, 60}, {60, 61}, {61, 62}, {62, 63},                     // F1..F5
    {63, 64}, {64, 65}, {65, 66}, {66, 67}, {67, 68},                     // F6..F10
    {83, 69}, {71, 70},                                                   // NumLock, ScrollLock
    {74, 71}, {95, 71},                                                   // Home, keypad 7
    {82, 72}, {96, 72},                                                   // Up, keypad 8
    {75, 73}, {97, 73},                                                   // PageUp, keypad 9
    {86, 74},                                                             // keypad -
    {80, 75}, {92, 75},                                                   // Left, keypad 4
    {93, 76},                                                             // keypad 5
    {79, 77}, {94, 77},                                                   // Right, keypad 6
    {87, 78},                                                             // keypad +
    {77, 79}, {89, 79},                                                   // End, keypad 1
    {81, 80}, {90, 80},                                                   // Down, keypad 2
    {78, 81}, {91, 81},                                                   // PageDown, keypad 3
    {73, 82}, {98, 82},                                                   // Insert, keypad 0
    {76, 83}, {99, 83},                                                   // Delete, keypad .
    {100, 86},                                                            // the 102nd key
    {68, 87}, {69, 88},                                                   // F11, F12
};

std::array<int, 256> BuildTable() {
  std::array<int, 256> table{};
  table.fill(-1);
  for (const Pair& p : kPairs) table[p.usage] = p.code;
  return table;
}

const std::array<int, 256> kTable = BuildTable();

}  // namespace

int ScanCodeFromUsb(int usage) {
  if (usage < 0 || usage >= 256) return -1;
  return kTable[usage];
}

}  // namespace torvel
