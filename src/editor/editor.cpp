// The editor's shell: its state, start and stop, the main loop with its
// 33 ms ticks, the pointer, typed keys and the frame by mode.
#include "editor/editor.h"

#include <algorithm>

#include "actors/guys.h"
#include "actors/kinds.h"
#include "common/fixed.h"
#include "editor/editor_internal.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/font.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "world/light.h"
#include "world/map_render.h"

namespace torvel {

namespace {

constexpr int32_t kTickMs = 33;
constexpr int32_t kCentreX = 320;
constexpr int32_t kCentreY = 240;

EditorState gEditor;
// The editor font drawing the game's letter coding (loaded while the editor runs).
Font gCodedFont;
constexpr char kCodedFontName[] = "graphics\\verdanaru.vft";

int32_t FloorDiv(int32_t a, int32_t b) {
  int32_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The click of the mode the editor is in.
void ModeClick() {
  EditorState& s = gEditor;
  switch (s.mode) {
    case kModeMap:
      MapClick();
      break;
    case kModePickFloor:
    case kModePickWall:
    case kModePickRoof:
    case kModePickNext:
      PickerClick();
      break;
    case kModeItems:
      ItemPaletteClick();
      break;
    case kModeMonsters:
      MonsterListClick();
      break;
    case kModeTerrain:
      TerrainClick();
      break;
    case kModeFileMenu:
      FileMenuClick();
      break;
    case kModeWorldMenu:
      WorldMenuClick();
      break;
    case kModeSpecial:
      SpecialClick();
      break;
    case kModeTileset:
      TilesetClick();
      break;
    case kModeAsk:
      AskClick();
      break;
    case kModeOverview:
      OverviewClick();
      break;
    default:
      break;
  }
}

// The pointer moves by the system pointer's offset from the screen centre,
// which is then put back there: the pointer keeps moving however far the
// mouse travels, and stays on the screen.
void PointerStep() {
  EditorState& s = gEditor;
  Platform& platform = GetPlatform();
  int mx = kCentreX, my = kCentreY;
  platform.GetMousePosition(mx, my);
  platform.SetMousePosition(kCentreX, kCentreY);
  if (s.mode == kModeMap && s.display->RightMouseDown()) {
    // Dragging with the right button pulls the map along under the pointer.
    MoveCamera(kCentreX - mx, kCentreY - my);
  } else {
    s.pointerX = std::clamp(s.pointerX + mx - kCentreX, 0, 639);
    s.pointerY = std::clamp(s.pointerY + my - kCentreY, 0, 479);
  }
  UpdatePointerTile();

  if (!s.display->TakeMouseDown()) {
    s.buttonHeld = false;
    s.repeatCount = 0;
    return;
  }
  if (!s.buttonHeld) {
    s.buttonHeld = true;
    uint8_t before = s.mode;
    NoteWorldChange();
    ModeClick();
    // A still-held button must not start painting on the map the panel gave back.
    if (before != kModeMap && s.mode == kModeMap) s.repeatCount = kRepeatAfterClose;
    if (s.pointerY >= kPanelTop) {
      PanelClick();
      s.repeatCount = kRepeatAfterClose;
    }
    if (!s.display->MouseDown()) s.buttonHeld = false;
    return;
  }
  if (s.mode != kModeMap || !HeldToolRepeats(s.tool)) return;
  NoteWorldChange();
  if (s.repeatCount == 0) {
    MapClick();
  } else if (--s.repeatCount == 0) {
    MapClick();
  }
}

void Tick() {
  EditorState& s = gEditor;
  if (!s.display->ProcessMessages()) {
    // The close button asks first when there is work to lose; the question
    // stays while it is open.
    s.display->quit = false;
    if (s.mode != kModeAsk || s.askAction != kAskClose) AskOrDo(kAskClose);
    if (s.closed) {
      s.display->quit = true;
      return;
    }
  }
  LightGuys(*s.map);
  UpdateMapLight(*s.map, kLightEditor, s.world);
  PointerStep();
  NavigateTick();
  ScanKeysTick();
  // A stroke is one step: the history takes it when the button comes up.
  if (!s.buttonHeld) CommitWorldChanges();
  ++s.ticks;
}

// The keys of map view that the map editor's own list leaves free.
bool ExtraMapKey(uint8_t key) {
  EditorState& s = gEditor;
  switch (key) {
    case kKeyEscape:
      AskOrDo(kAskQuit);
      return true;
    case kKeyTab:
      OpenOverview();
      return true;
    case 'l':
      s.overlay = !s.overlay;
      return true;
    case 'r':
      RectangleKey();
      return true;
    case 'e':
      PickUpTile();
      return true;
    default:
      // A view key whose scan code is down moves with the held-key scrolling.
      return ScrollKeyTaken(key);
  }
}

// Escape leaves any panel for the map; only in map view does it end the editor.
void HandleKey(uint8_t key) {
  EditorState& s = gEditor;
  if (key == 0) return;
  NoteWorldChange(s.mode == kModeSpecial && key != kKeyEscape);
  if (s.mode == kModeMap) {
    if (!ExtraMapKey(key)) MapKey(key);
    s.lastKey = 0;
    return;
  }
  switch (s.mode) {
    case kModeAsk:
      AskKey(key);
      break;
    case kModeOverview:
      if (key == kKeyEscape || key == kKeyTab) s.mode = kModeMap;
      break;
    case kModeFileMenu:
      FileMenuKey(key);
      break;
    case kModeWorldMenu:
      WorldMenuKey(key);
      break;
    case kModeTileset:
      TilesetKey(key);
      break;
    case kModeSpecial:
      SpecialKey(key);
      break;
    default:
      if (key == kKeyEscape) s.mode = kModeMap;
      break;
  }
  s.lastKey = 0;
}

void DrawFrame() {
  EditorState& s = gEditor;
  switch (s.mode) {
    case kModeMap:
      DrawMapView();
      DrawPanel();
      break;
    case kModePickFloor:
    case kModePickWall:
    case kModePickRoof:
    case kModePickNext:
      DrawPicker();
      break;
    case kModeItems:
      DrawItemPalette();
      break;
    case kModeMonsters:
      DrawMonsterList();
      break;
    case kModeTerrain:
      DrawTerrainPanel();
      break;
    case kModeOverview:
      DrawOverview();
      DrawPanel();
      break;
    default:
      // The dialog panels stand over the live map, so the pointer leaves no trail.
      DrawMapView();
      DrawPanel();
      if (s.mode == kModeAsk) DrawAsk();
      if (s.mode == kModeFileMenu) DrawFileMenu();
      if (s.mode == kModeWorldMenu) DrawWorldMenu();
      if (s.mode == kModeSpecial) DrawSpecialPanel();
      if (s.mode == kModeTileset) DrawTilesetPicker();
      break;
  }
  DrawPointer(s.pointerX, s.pointerY);
  s.display->Flip();
}

}  // namespace

EditorState& Ed() {
  return gEditor;
}
Display& EdDisplay() {
  return *gEditor.display;
}

void UpdatePointerTile() {
  EditorState& s = gEditor;
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  s.pointerTileX = FloorDiv(cx + s.pointerX - kCentreX, 32);
  s.pointerTileY = FloorDiv(cy + s.pointerY - kCentreY, 24);
}

void SelectMap(uint8_t k) {
  EditorState& s = gEditor;
  s.mapIndex = k;
  s.map = s.world.maps[k].get();
  ExitGuys();
  InitGuys(kGuyPoolSize);
  // Placing the hero's start moves the camera; the view stays where it was.
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  PlaceMapMonsters(*s.map);
  SetCamera(ToFixed(cx), ToFixed(cy));
}

void EditorPrint(int32_t x, int32_t y, const char* text) {
  Print(x, y, text, 0, kFontEditor);
}

void EditorPrintCoded(int32_t x, int32_t y, const char* text) {
  if (gCodedFont.glyphStart.empty()) {
    EditorPrint(x, y, text);
    return;
  }
  DrawString(gEditor.display, x, y, text, gCodedFont);
}

void DrawCheckbox(int32_t x, int32_t y, bool set, const char* label) {
  if (set) {
    EdDisplay().FillBox(x, y, x + 10, y + 10, 16);
  } else {
    EdDisplay().Box(x, y, x + 10, y + 10, 16);
  }
  EditorPrint(x + 13, y, label);
}

void EditorStart(Display* display) {
  EditorState& s = gEditor;
  s.display = display;
  NewWorld(s.world, display);
  s.map = s.world.maps[0].get();
  s.mapIndex = 0;
  s.pointerX = kCentreX;
  s.pointerY = kCentreY;
  GetPlatform().SetMousePosition(kCentreX, kCentreY);
  SetCamera(0, 0);
  SetMapDrawPlace(kNoMapPlace, kNoMapPlace);
  InitGuys(kGuyPoolSize);
  s.lastKey = 0;
  display->TakeLastKey();
  display->ClearTypedKeys();
  display->TakeMouseDown();
  ResetPlayer(kResetMapStart, 0, 0);
  FreeFont(gCodedFont);
  LoadFont(kCodedFontName, gCodedFont);
  s.mode = kModeMap;
  s.buttonHeld = false;
  s.repeatCount = 0;
  s.closed = false;
  s.specialSlot = 0;
  s.searchOpen = false;
  for (auto& row : s.fileList) row[0] = '\0';
  for (auto& row : s.mapList) row[0] = '\0';
  s.fileNameBox[0] = s.tilesetNameBox[0] = s.mapNameBox[0] = '\0';
  s.selectedMap = 0;
  s.accumulator = 1;
  s.lastMs = PlatformMilliseconds();
  s.ticks = 0;
  s.worldName.clear();
  s.notice.clear();
  s.noticeUntil = 0;
  s.askNameBox[0] = '\0';
  s.endRequested = false;
  s.playTestRequested = false;
  s.rectStarted = false;
  s.rightHeld = false;
  s.edgeTicks = 0;
  for (int& n : s.scrollHeld) n = 0;
  ClearScanKeys();
  UpdatePointerTile();
  ResetHistory();
}

bool EditorPass() {
  EditorState& s = gEditor;
  // Sleep until a tick is due rather than spin: the loop runs ticks while
  // the accumulator is above 0.
  uint32_t now = PlatformMilliseconds();
  s.accumulator += static_cast<int32_t>(now - s.lastMs);
  s.lastMs = now;
  if (s.accumulator <= 0) {
    PlatformWaitUntil(now + static_cast<uint32_t>(1 - s.accumulator));
    now = PlatformMilliseconds();
    s.accumulator += static_cast<int32_t>(now - s.lastMs);
    s.lastMs = now;
  }

  // Every letter typed since the last pass, in order.
  s.display->TakeLastKey();
  for (uint8_t key = s.display->TakeTypedKey(); key != 0 && !s.endRequested;
       key = s.display->TakeTypedKey()) {
    s.lastKey = key;
    HandleKey(key);
  }

  if (!s.buttonHeld) CommitWorldChanges();

  bool ran = false;
  while (s.accumulator > 0 && !s.closed && !s.endRequested && !s.playTestRequested) {
    Tick();
    s.accumulator -= kTickMs;
    ran = true;
  }
  if (s.closed || s.endRequested) return false;
  if (s.playTestRequested) {
    PlayTestCurrentMap();
    // The time spent playing is not the editor's to catch up on.
    s.lastMs = PlatformMilliseconds();
    s.accumulator = 1;
  }
  if (ran) DrawFrame();
  return true;
}

void EditorStop() {
  EditorState& s = gEditor;
  CloseSearch();
  ExitGuys();
  FreeWorld(s.world);
  s.map = nullptr;
  FreeMonsterSprites();
  FreeFont(gCodedFont);
}

void RunEditor(Display* display) {
  EditorStart(display);
  while (EditorPass()) {
  }
  EditorStop();
}

void ResetEditorChoices() {
  EditorState& s = gEditor;
  s.tool = kToolFloor;
  s.view = 0x1F;
  s.brush = 1;
  s.roofChoice = 0;
  s.floorChoice = 0;
  s.wallChoice = 1;
  s.itemChoice = 1;
  s.monsterChoice = 1;
  s.testLevel = 1;
  s.overlay = false;
}

EditorStatus GetEditorStatus() {
  const EditorState& s = gEditor;
  EditorStatus st;
  st.mode = s.mode;
  st.tool = s.tool;
  st.view = s.view;
  st.brush = s.brush;
  st.roofChoice = s.roofChoice;
  st.floorChoice = s.floorChoice;
  st.wallChoice = s.wallChoice;
  st.itemChoice = s.itemChoice;
  st.monsterChoice = s.monsterChoice;
  st.mapIndex = s.mapIndex;
  st.repeatCount = s.repeatCount;
  st.pointerX = s.pointerX;
  st.pointerY = s.pointerY;
  st.pointerTileX = s.pointerTileX;
  st.pointerTileY = s.pointerTileY;
  st.specialSlot = s.specialSlot;
  st.selectedMap = s.selectedMap;
  st.ticks = s.ticks;
  st.fileNameBox = s.fileNameBox;
  st.tilesetNameBox = s.tilesetNameBox;
  st.mapNameBox = s.mapNameBox;
  st.undoSteps = UndoSteps();
  st.redoSteps = RedoSteps();
  st.dirty = WorldDirty();
  st.worldName = s.worldName.c_str();
  st.notice = s.ticks < s.noticeUntil ? s.notice.c_str() : "";
  st.askNameBox = s.askNameBox;
  st.askAction = s.askAction;
  st.overlay = s.overlay;
  st.testLevel = s.testLevel;
  return st;
}

const char* EditorFileListEntry(int k) {
  return k >= 0 && k < kFileListRows ? gEditor.fileList[k] : "";
}
const char* EditorMapListEntry(int k) {
  return k >= 0 && k < kMaxMaps ? gEditor.mapList[k] : "";
}

World& EditorWorld() {
  return gEditor.world;
}
Map& EditorMap() {
  return *gEditor.map;
}

}  // namespace torvel
