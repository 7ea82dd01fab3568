// The world editor: paints floors, walls, items, monster starts, light and
// specials onto the maps of a world, edits the terrain table, manages the
// world's maps, saves and loads world files and imports a tileset.
//
// RunEditor is the whole of it for the program. Tests and tools drive it
// pass by pass: EditorStart, EditorPass until it returns false, EditorStop.
#pragma once

#include <cstddef>
#include <cstdint>

namespace torvel {

class Display;
struct Map;
struct World;

// What the editor is showing.
enum EditorMode : uint8_t {
  kModeMap = 0,
  kModePickFloor = 1,
  kModePickWall = 2,
  kModePickRoof = 3,
  kModePickNext = 4,
  kModeItems = 5,
  kModeMonsters = 6,
  kModeTerrain = 7,
  kModeFileMenu = 8,
  kModeWorldMenu = 9,
  kModeSpecial = 10,
  kModeTileset = 11,
  kModeAsk = 12,       // unsaved changes: save, leave without saving, cancel
  kModeOverview = 13,  // the whole map scaled down
};

// What waits for the answer to the unsaved-changes question.
enum AskAction : uint8_t { kAskQuit = 0, kAskClose = 1, kAskNew = 2, kAskLoad = 3 };

enum EditorTool : uint8_t {
  kToolFloor = 0,
  kToolWall = 1,
  kToolItem = 2,
  kToolMonster = 3,
  kToolLight = 4,
  kToolDark = 5,
  kToolSmooth = 6,
  kToolTorch = 7,
  kToolSpecial = 8,
};
constexpr int kToolCount = 9;

// View toggles; the low three are the map renderer's flags.
enum EditorView : uint8_t {
  kViewLights = 0x01,
  kViewWalls = 0x02,
  kViewItems = 0x04,
  kViewMonsters = 0x08,
  kViewSpecials = 0x10,
};

// Runs the editor until Escape is typed in map view or the window is closed.
void RunEditor(Display* display);

// Step by step.
void EditorStart(Display* display);
// One pass of the main loop: keys, the ticks the clock allows, one frame.
// False once the editor is to end.
bool EditorPass();
void EditorStop();
// Forgets the choices kept between visits (tool, view, brush and the
// picked floor, roof, wall, item and monster), as on the program's first run.
void ResetEditorChoices();

// A look at the editor's state.
struct EditorStatus {
  uint8_t mode = 0;
  uint8_t tool = 0;
  uint8_t view = 0;
  uint8_t brush = 0;
  uint8_t roofChoice = 0;
  uint8_t floorChoice = 0;
  uint8_t wallChoice = 0;
  uint8_t itemChoice = 0;
  uint8_t monsterChoice = 0;
  uint8_t mapIndex = 0;
  uint8_t repeatCount = 0;
  int32_t pointerX = 0;
  int32_t pointerY = 0;
  int32_t pointerTileX = 0;
  int32_t pointerTileY = 0;
  int specialSlot = 0;      // the slot the special panel edits
  uint8_t selectedMap = 0;  // the world menu's highlighted map
  uint32_t ticks = 0;       // editor ticks run since EditorStart
  const char* fileNameBox = nullptr;
  const char* tilesetNameBox = nullptr;
  const char* mapNameBox = nullptr;
  // Undo and safety.
  size_t undoSteps = 0;  // steps Ctrl+Z can take back
  size_t redoSteps = 0;
  bool dirty = false;               // changes not saved
  const char* worldName = nullptr;  // "" before the first save or load
  const char* notice = nullptr;     // the notice shown now, "" when none
  const char* askNameBox = nullptr;
  uint8_t askAction = 0;  // what the unsaved-changes question stands before
  bool overlay = false;
  uint8_t testLevel = 1;  // the hero's level for play-testing
};
EditorStatus GetEditorStatus();
// Row k of the listing panels: a file name ("" for an empty slot, k 0..17)
// and a world menu entry (k 0..23).
const char* EditorFileListEntry(int k);
const char* EditorMapListEntry(int k);
World& EditorWorld();
Map& EditorMap();

}  // namespace torvel
