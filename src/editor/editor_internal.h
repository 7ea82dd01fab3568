// The editor's shared state and the operations its files call on each other.
// Only src/editor includes this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
constexpr uint8_t kKeyTab = 9;

constexpr size_t kHistorySteps = 256;
constexpr uint32_t kNoticeTicks = 120;  // about four seconds

struct HistoryStep {
  size_t offset = 0;
  std::vector<uint8_t> before, after;
  uint8_t mapIndex = 0;  // the map shown when the step was made
};

struct EditorHistory {
  std::vector<HistoryStep> steps;  // oldest first
  size_t position = 0;             // steps[0 .. position) are in the world
  long savedAt = 0;                // the position last saved; -1 none reachable
  std::vector<uint8_t> image;      // the world's file image at position
  bool pending = false;            // something may have changed since the image
  bool pendingTyping = false;
  bool typingRun = false;  // the last step was letters typed into a message
  int typingSlot = 0;
  std::vector<uint8_t> typingBase;  // the image before the run of letters
};

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

  // History, the world's file name and what the editor last had to say.
  EditorHistory history;
  std::string worldName;  // "" for a world never saved or loaded
  std::string notice;
  uint32_t noticeUntil = 0;  // tick
  uint8_t askAction = kAskQuit;
  char askNameBox[kFileNameMax + 1] = {};
  bool endRequested = false;

  // Navigation, the overlay and the two extra tools.
  int scrollHeld[4] = {};  // ticks each of left, right, up, down has been held
  int edgeTicks = 0;       // ticks the pointer has rested on a screen edge
  bool rightHeld = false;
  bool overlay = false;
  bool rectStarted = false;
  int32_t rectX = 0, rectY = 0;
  uint8_t testLevel = 1;
  bool playTestRequested = false;        // the hero's level for play-testing
  std::vector<uint8_t> overviewColours;  // one per tile image

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

// Undo, redo and the unsaved mark (editor_history.cpp). Anything that may
// have changed the world calls NoteWorldChange; CommitWorldChanges makes a
// step of whatever did change (nothing when nothing did).
void ResetHistory();
void NoteWorldChange(bool typing = false);
void CommitWorldChanges();
bool UndoStep();
bool RedoStep();
size_t UndoSteps();
size_t RedoSteps();
bool WorldDirty();
void MarkWorldSaved();

// Saving, loading and asking first (editor_safety.cpp).
// The name with ".vwd" added when it has no extension of its own.
std::string WithWorldExtension(const char* typed);
// Saves under the name, says how it went; true when it was saved.
bool SaveWorldAs(const char* typed);
// Loads the world, or keeps the one in hand and says why it could not.
void LoadWorldNamed(const char* typed);
void StartNewWorld();
// Runs the action at once on a clean world; otherwise asks first.
void AskOrDo(uint8_t action);
void AskClick();
void AskKey(uint8_t key);
void DrawAsk();
void ShowNotice(const std::string& text);
// The unsaved mark, the world's name and the notice, over the panel.
void DrawStatus();

// Navigation, overlay, overview, rectangle and eyedropper (editor_view.cpp).
void MoveCamera(int32_t dx, int32_t dy);
// Held scroll keys, the pointer on the screen's edge and the right-button
// drag, once a tick in map view.
void NavigateTick();
// Keys that are read by their scan codes (F5, F6, Home, Ctrl+Z ...).
void ScanKeysTick();
// True when a typed view key is to be left to the held-key scrolling.
bool ScrollKeyTaken(uint8_t key);
void CameraToHeroStart();
void OpenOverview();
void OverviewClick();
void DrawOverview();
void DrawOverlay();
void RectangleKey();
void DrawRectanglePreview();
void PickUpTile();
void PlayTestCurrentMap();

// Shared drawing.
void EditorPrint(int32_t x, int32_t y, const char* text);
// Text stored in the game's letter coding, drawn with the editor's font that
// has the Cyrillic shapes (the plain editor font when that one is missing).
void EditorPrintCoded(int32_t x, int32_t y, const char* text);
void DrawCheckbox(int32_t x, int32_t y, bool set, const char* label);
// The screen line of the display.
Display& EdDisplay();

}  // namespace torvel
