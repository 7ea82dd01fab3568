// The editor's shared state and the operations its files call on each other.
// Only src/editor includes this.
#pragma once

#include <cstdint>
#include <string>

#include "editor/editor.h"
#include "platform/paths.h"
#include "world/world.h"

namespace torvel {

class Display;

constexpr int kFileListRows = 18;
constexpr int kFileNameMax = 30;  // characters a file name box holds
constexpr int kMapNameMax = 31;   // a map name keeps its NUL in 32 bytes
constexpr int kMessageMax = 31;
constexpr uint8_t kRepeatAfterClose = 100;
constexpr uint8_t kRepeatLightTools = 5;
constexpr int32_t kPanelTop = 420;
constexpr int kItemCount = 83;     // items 1..82
constexpr int kMonsterKinds = 59;  // kinds 1..59
constexpr int kMaxBrush = 10;
constexpr uint8_t kKeyEscape = 27;
constexpr uint8_t kKeyBackspace = 8;
constexpr uint8_t kKeyEnter = 13;

struct EditorState {
  Display* display = nullptr;
  World world;
  Map* map = nullptr;
  uint8_t mapIndex = 0;
  int32_t pointerX = 320;
  int32_t pointerY = 240;
  int32_t pointerTileX = 0;
  int32_t pointerTileY = 0;
  uint8_t mode = kModeMap;

  // Kept between visits.
  uint8_t tool = kToolFloor;
  uint8_t view = 0x1F;
  uint8_t brush = 1;
  uint8_t roofChoice = 0;
  uint8_t floorChoice = 0;
  uint8_t wallChoice = 1;
  uint8_t itemChoice = 1;
  uint8_t monsterChoice = 1;

  bool buttonHeld = false;
  uint8_t repeatCount = 0;
  uint8_t lastKey = 0;
  bool closed = false;
  uint8_t brushColour = 0;  // flips every drawn frame
  int specialSlot = 0;

  // The listing panels.
  char fileList[kFileListRows][32] = {};
  FindFiles search;
  bool searchOpen = false;
  std::string searchPattern;
  char fileNameBox[kFileNameMax + 1] = {};
  char tilesetNameBox[kFileNameMax + 1] = {};
  char mapList[kMaxMaps][40] = {};
  uint8_t selectedMap = 0;
  char mapNameBox[kMapNameMax + 1] = {};

  // The main loop.
  int32_t accumulator = 1;
  uint32_t lastMs = 0;
  uint32_t ticks = 0;
};

EditorState& Ed();

// Recomputes the tile under the pointer from the camera.
void UpdatePointerTile();
// Makes map k current and rebuilds the guys that show its monster starts.
void SelectMap(uint8_t k);

// Map view (editor_paint.cpp).
void MapClick();
bool HeldToolRepeats(uint8_t tool);
void MapKey(uint8_t key);
void AutoTile(Map& map);
void DrawMapView();

// Bottom panel (editor_panels.cpp).
void PanelClick();
void DrawPanel();

// Pickers, palettes, terrain (editor_pickers.cpp).
void PickerClick();
void DrawPicker();
void TerrainClick();
void DrawTerrainPanel();
void ItemPaletteClick();
void DrawItemPalette();
void MonsterListClick();
void DrawMonsterList();
// The screen box of kind k's entry in the monster list; false for a kind
// the list leaves out.
bool MonsterEntryBox(int kind, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);

// Special panel (editor_specials.cpp).
void OpenSpecialAt(int32_t tx, int32_t ty);
void SpecialClick();
void SpecialKey(uint8_t key);
void DrawSpecialPanel();

// File and world menus, tileset picker (editor_files.cpp).
void OpenFileMenu();
void OpenWorldMenu();
void OpenTilesetPicker();
void CloseSearch();
void FileMenuClick();
void WorldMenuClick();
void TilesetClick();
void FileMenuKey(uint8_t key);
void WorldMenuKey(uint8_t key);
void TilesetKey(uint8_t key);
void DrawFileMenu();
void DrawWorldMenu();
void DrawTilesetPicker();
// A name the file system may be handed: not empty, not "." or "..", and no
// folder separators or characters that file names cannot carry.
bool SafeFileName(const char* name);
bool FileNameChar(uint8_t c);

// Shared drawing.
void EditorPrint(int32_t x, int32_t y, const char* text);
void DrawCheckbox(int32_t x, int32_t y, bool set, const char* label);
// The screen line of the display.
Display& EdDisplay();

}  // namespace torvel
