// The full-screen choosers: the floor, wall, roof and next-tile pickers, the
// terrain panel, the item palette and the monster list.
#include <cstdio>

#include "actors/kinds.h"
#include "editor/editor_internal.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/tiles.h"
#include "world/items.h"

namespace torvel {

namespace {

constexpr int kGridColumns = 20;
constexpr int kGridCells = 200;
constexpr int kTerrainFlagCount = 11;

const char* const kTerrainLabels[kTerrainFlagCount] = {"Impassable",
                                                       "Icy",
                                                       "Muddy",
                                                       "Water",
                                                       "Lava",
                                                       "Pushable",
                                                       "Can be pushed on",
                                                       "Animates to next",
                                                       "Changes when stepped on",
                                                       "Changes when damaged",
                                                       "Transparent Roof"};

// The grid cell under the pointer: 0..199, or 200 and more below the grid.
int PointerCell() {
  const EditorState& s = Ed();
  return s.pointerX / 32 + (s.pointerY / 24) * kGridColumns;
}

void OutlineCell(int index, uint8_t colour) {
  if (index < 0 || index >= kGridCells) return;
  int32_t x = (index % kGridColumns) * 32, y = (index / kGridColumns) * 24;
  EdDisplay().Box(x, y, x + 31, y + 23, colour);
}

// The 200 cells of tiles from firstImage, the one under the pointer brightened.
void DrawGrid(int firstImage) {
  Display& d = EdDisplay();
  d.FillBox(0, 240, 639, 479, 0);
  int hover = PointerCell();
  for (int index = 0; index < kGridCells; ++index) {
    int32_t x = (index % kGridColumns) * 32, y = (index / kGridColumns) * 24;
    if (index == hover) {
      DrawTileBright(x, y, index + firstImage, 16);
    } else {
      DrawTile(x, y, index + firstImage);
    }
  }
}

void DrawTerrainBlock(int t) {
  const TerrainEntry& entry = Ed().world.terrain[static_cast<size_t>(t)];
  for (int k = 0; k < kTerrainFlagCount; ++k) {
    DrawCheckbox(5, 250 + 12 * k, (entry.flags & (1u << k)) != 0, kTerrainLabels[k]);
  }
  EditorPrint(5, 386, "Next Terrain:");
  DrawTile(5, 398, entry.next);
  char text[32];
  std::snprintf(text, sizeof(text), "Terrain #%03d", t);
  EditorPrint(5, 468, text);
}

// The top-left corner of the item palette's cell k, m.
int32_t ItemCellX(int k) {
  return 20 + 36 * k;
}
int32_t ItemCellY(int m) {
  return 40 + 50 * m;
}

}  // namespace

void PickerClick() {
  EditorState& s = Ed();
  int index = PointerCell();
  uint8_t mode = s.mode;
  s.mode = mode == kModePickNext ? kModeTerrain : kModeMap;
  if (index >= kGridCells) return;
  switch (mode) {
    case kModePickFloor:
      s.floorChoice = static_cast<uint8_t>(index);
      break;
    case kModePickWall:
      s.wallChoice = static_cast<uint8_t>(index + 1);
      break;
    case kModePickRoof:
      s.roofChoice = static_cast<uint8_t>(index);
      break;
    case kModePickNext:
      s.world.terrain[s.floorChoice].next = static_cast<uint8_t>(index);
      break;
    default:
      break;
  }
}

void DrawPicker() {
  const EditorState& s = Ed();
  DrawGrid(s.mode == kModePickWall ? 200 : 0);
  switch (s.mode) {
    case kModePickWall:
      OutlineCell(s.wallChoice - 1, 31);
      EditorPrint(400, 242, "Click on wall tile to use");
      break;
    case kModePickRoof:
      OutlineCell(s.roofChoice, 31);
      EditorPrint(400, 242, "Click on roof tile to use");
      break;
    case kModePickNext:
      OutlineCell(s.floorChoice, 31);
      EditorPrint(400, 242, "Click on 'next' tile");
      break;
    default:
      OutlineCell(s.floorChoice, 31);
      EditorPrint(400, 242, "Click on floor tile to use");
      break;
  }
  int hover = PointerCell();
  if (hover >= kGridCells) return;
  if (s.mode == kModePickWall) {
    char text[32];
    std::snprintf(text, sizeof(text), "Wall #%03d", hover + 1);
    EditorPrint(5, 468, text);
  } else {
    DrawTerrainBlock(hover);
  }
}

void TerrainClick() {
  EditorState& s = Ed();
  int index = PointerCell();
  if (index < kGridCells) {
    s.floorChoice = static_cast<uint8_t>(index);
    return;
  }
  int32_t x = s.pointerX, y = s.pointerY;
  if (x >= 5 && x <= 36 && y >= 398 && y <= 421) {
    s.mode = kModePickNext;
    return;
  }
  if (x < 5 || x > 15) return;
  for (int k = 0; k < kTerrainFlagCount; ++k) {
    int32_t top = 250 + 12 * k;
    // The last box reaches one row further down.
    int32_t bottom = k == kTerrainFlagCount - 1 ? top + 11 : top + 10;
    if (y >= top && y <= bottom)
      s.world.terrain[s.floorChoice].flags ^= static_cast<uint16_t>(1u << k);
  }
}

void DrawTerrainPanel() {
  const EditorState& s = Ed();
  DrawGrid(0);
  OutlineCell(s.floorChoice, 31);
  DrawTerrainBlock(s.floorChoice);
}

void ItemPaletteClick() {
  EditorState& s = Ed();
  s.mode = kModeMap;
  int index = ((s.pointerY - 40) / 50) * 16 + (s.pointerX - 20) / 36;
  if (index > 0 && index < kItemCount) s.itemChoice = static_cast<uint8_t>(index);
}

void DrawItemPalette() {
  const EditorState& s = Ed();
  Display& d = EdDisplay();
  d.ClearScreen();
  for (int m = 0; m < 8; ++m) {
    for (int k = 0; k < 16; ++k) {
      int item = k + 16 * m;
      if (item >= kItemCount) continue;
      int32_t x1 = ItemCellX(k), y1 = ItemCellY(m), x2 = x1 + 36, y2 = y1 + 50;
      d.Box(x1, y1, x2, y2, 16);
      bool inside = s.pointerX >= x1 && s.pointerX <= x2 && s.pointerY >= y1 && s.pointerY <= y2;
      DrawItemIcon(x1 + 18, y1 + 25, static_cast<uint8_t>(item), inside ? 16 : 0, &d);
      if (inside && item != 0) {
        char text[32];
        std::snprintf(text, sizeof(text), "Item #%03d", item);
        EditorPrint(5, 468, text);
      }
    }
  }
}

bool MonsterEntryBox(int kind, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
  if (kind < 1 || kind > kMonsterKinds) return false;
  if (kind == 27 || kind == 28 || kind == 47 || kind == 48 || kind == 51) return false;
  // Three columns; the left-out kinds keep their places as gaps.
  int n = kind - 1;
  int32_t a = 2 + 202 * (n % 3);
  int32_t b = 16 + 16 * (n / 3);
  x1 = a;
  y1 = b - 14;
  x2 = a + 200;
  y2 = b;
  return true;
}

void MonsterListClick() {
  EditorState& s = Ed();
  s.mode = kModeMap;
  for (int kind = 1; kind <= kMonsterKinds; ++kind) {
    int32_t x1, y1, x2, y2;
    if (!MonsterEntryBox(kind, x1, y1, x2, y2)) continue;
    if (s.pointerX >= x1 && s.pointerX <= x2 && s.pointerY >= y1 && s.pointerY <= y2) {
      s.monsterChoice = static_cast<uint8_t>(kind);
      return;
    }
  }
}

void DrawMonsterList() {
  const EditorState& s = Ed();
  Display& d = EdDisplay();
  d.ClearScreen();
  for (int kind = 1; kind <= kMonsterKinds; ++kind) {
    int32_t x1, y1, x2, y2;
    if (!MonsterEntryBox(kind, x1, y1, x2, y2)) continue;
    bool inside = s.pointerX >= x1 && s.pointerX <= x2 && s.pointerY >= y1 && s.pointerY <= y2;
    d.Box(x1, y1, x2, y2, inside ? 31 : 16);
    char text[40];
    // The kinds' names are in the game's letter coding; their numbers are numbers.
    std::snprintf(text, sizeof(text), "%02d:", kind);
    EditorPrint(x1 + 2, y1 + 2, text);
    int32_t at = x1 + 2 + TextWidthOf(text, kFontEditor);
    std::snprintf(text, sizeof(text), "%.28s", KindName(kind));
    EditorPrintCoded(at, y1 + 2, text);
  }
}

}  // namespace torvel
