// The bottom panel: tool and view buttons, the song, the menus, the brush,
// the map flags and the current choice at the right.
#include <cstdio>

#include "actors/kinds.h"
#include "editor/editor_internal.h"
#include "gfx/display.h"
#include "gfx/tiles.h"
#include "world/items.h"

namespace torvel {

namespace {

struct Rect {
  int32_t x1, y1, x2, y2;
  bool Holds(int32_t x, int32_t y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
};

// The three button rows and the button columns of the left half.
constexpr int32_t kRowTop[3] = {422, 438, 454};
constexpr int32_t kRowHeight = 13;
constexpr int32_t kToolColumn[3] = {1, 42, 84};
constexpr int32_t kToolColumnEnd[3] = {40, 82, 124};

Rect Row(int32_t x1, int32_t x2, int row) {
  return {x1, kRowTop[row], x2, kRowTop[row] + kRowHeight};
}

Rect ToolButton(int tool) {
  return Row(kToolColumn[tool / 3], kToolColumnEnd[tool / 3], tool % 3);
}

constexpr uint8_t kViewBits[5] = {kViewLights, kViewWalls, kViewItems, kViewMonsters,
                                  kViewSpecials};
Rect ViewButton(int k) {
  return k < 3 ? Row(130, 170, k) : Row(172, 212, k - 3);
}

constexpr uint8_t kFlagBits[4] = {kMapSnow, kMapBoss, kMapSecret, kMapLit};
Rect FlagButton(int k) {
  return k < 3 ? Row(446, 486, k) : Row(488, 528, 0);
}

constexpr Rect kSongDown = {216, 422, 226, 435};
constexpr Rect kSongUp = {290, 422, 300, 435};
constexpr Rect kFileMenu = {216, 438, 300, 451};
constexpr Rect kWorldMenu = {216, 454, 300, 467};
constexpr Rect kTerrain = {304, 422, 388, 435};
constexpr Rect kTileset = {304, 438, 388, 451};
constexpr Rect kBrushUp = {392, 422, 442, 435};
constexpr Rect kBrushDown = {392, 463, 442, 476};
constexpr Rect kLowerChoice = {602, 450, 633, 473};
constexpr Rect kUpperChoice = {602, 426, 633, 449};
constexpr Rect kIconChoice = {602, 421, 639, 479};

const char* const kToolNames[kToolCount] = {"Floor", "Wall", "Item",  "Mnstr", "Light",
                                            "Dark",  "Smth", "Torch", "Spcl"};
const char* const kViewNames[5] = {"Lghts", "Walls", "Items", "Mstrs", "Spcls"};
const char* const kFlagNames[4] = {"Snow", "Boss", "Secrt", "Lit"};

void Button(const Rect& r, uint8_t colour, const char* label) {
  EdDisplay().Box(r.x1, r.y1, r.x2, r.y2, colour);
  EditorPrint(r.x1 + 2, r.y1 + 2, label);
}

}  // namespace

void PanelClick() {
  EditorState& s = Ed();
  Map& map = *s.map;
  int32_t x = s.pointerX, y = s.pointerY;
  uint8_t before = s.mode;
  for (int t = 0; t < kToolCount; ++t) {
    if (ToolButton(t).Holds(x, y)) s.tool = static_cast<uint8_t>(t);
  }
  for (int k = 0; k < 5; ++k) {
    if (ViewButton(k).Holds(x, y)) s.view ^= kViewBits[k];
  }
  if (kSongDown.Holds(x, y)) map.song = map.song <= 1 ? 99 : static_cast<uint8_t>(map.song - 1);
  if (kSongUp.Holds(x, y)) map.song = map.song >= 99 ? 1 : static_cast<uint8_t>(map.song + 1);
  if (kFileMenu.Holds(x, y)) OpenFileMenu();
  if (kWorldMenu.Holds(x, y)) OpenWorldMenu();
  if (kTerrain.Holds(x, y)) s.mode = kModeTerrain;
  if (kTileset.Holds(x, y)) OpenTilesetPicker();
  if (kBrushUp.Holds(x, y)) s.brush = s.brush >= kMaxBrush ? 1 : static_cast<uint8_t>(s.brush + 1);
  if (kBrushDown.Holds(x, y))
    s.brush = s.brush <= 1 ? kMaxBrush : static_cast<uint8_t>(s.brush - 1);
  for (int k = 0; k < 4; ++k) {
    if (FlagButton(k).Holds(x, y)) map.flags ^= kFlagBits[k];
  }
  // The choice box at the right opens the picker of the tool's choice.
  if (s.tool == kToolFloor && kLowerChoice.Holds(x, y)) s.mode = kModePickFloor;
  if (s.tool == kToolWall && kLowerChoice.Holds(x, y)) s.mode = kModePickWall;
  if (s.tool == kToolWall && kUpperChoice.Holds(x, y)) s.mode = kModePickRoof;
  if (s.tool == kToolItem && kIconChoice.Holds(x, y)) s.mode = kModeItems;
  if (s.tool == kToolMonster && kIconChoice.Holds(x, y)) s.mode = kModeMonsters;
  // A listing left by way of the panel lets its search go.
  if (s.mode != before && (before == kModeFileMenu || before == kModeTileset) &&
      s.mode != kModeFileMenu && s.mode != kModeTileset)
    CloseSearch();
}

void DrawPanel() {
  EditorState& s = Ed();
  Display& d = EdDisplay();
  const Map& map = *s.map;
  d.FillBox(0, kPanelTop, 639, kPanelTop, 16);
  d.FillBox(0, kPanelTop + 1, 639, 479, 7);
  for (int t = 0; t < kToolCount; ++t) Button(ToolButton(t), s.tool == t ? 31 : 16, kToolNames[t]);
  for (int k = 0; k < 5; ++k)
    Button(ViewButton(k), (s.view & kViewBits[k]) ? 31 : 0, kViewNames[k]);
  Button(kSongDown, 16, "-");
  char song[32];
  std::snprintf(song, sizeof(song), "Song %02d", map.song);
  EditorPrint(230, kSongDown.y1 + 2, song);
  Button(kSongUp, 16, "+");
  Button(kFileMenu, 16, "File Menu");
  Button(kWorldMenu, 16, "World Menu");
  Button(kTerrain, 16, "Edit Terrain");
  Button(kTileset, 16, "Load Tileset");
  Button(kBrushUp, 16, "Brush+");
  Button(kBrushDown, 16, "Brush-");
  d.FillBox(418 - s.brush, 450 - s.brush, 416 + s.brush, 448 + s.brush, 16);
  for (int k = 0; k < 4; ++k)
    Button(FlagButton(k), (map.flags & kFlagBits[k]) ? 31 : 16, kFlagNames[k]);

  switch (s.tool) {
    case kToolFloor:
      DrawTile(602, 450, s.floorChoice);
      break;
    case kToolWall:
      DrawTile(602, 426, s.roofChoice);
      DrawTile(602, 450, s.wallChoice + kWallTileBase);
      break;
    case kToolItem:
      DrawItemIcon(626, 464, s.itemChoice, 0, &d);
      break;
    case kToolMonster:
      DrawKindPicture(626, 464, s.monsterChoice, d);
      break;
    default:
      break;
  }
  DrawStatus();
}

}  // namespace torvel
