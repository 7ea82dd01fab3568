// Getting around a map and seeing it whole: held scroll keys, the pointer on
// the screen's edge, dragging with the right button, Home, the overview, the
// logic overlay; the rectangle fill and the eyedropper; the keys read by
// their scan codes (undo, redo, save, play-test).
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "actors/kinds.h"
#include "common/fixed.h"
#include "editor/editor_internal.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/font.h"
#include "gfx/tiles.h"
#include "input/input.h"
#include "platform/platform.h"
#include "shell/play_loop.h"
#include "world/map_render.h"
#include "world/specials.h"

namespace torvel {

namespace {

// Scan codes: the arrow block (shared with the keypad) and the digit row.
struct ScrollKeys {
  int arrow, digit;
  int32_t dx, dy;
  uint8_t typed;
};
constexpr ScrollKeys kScroll[4] = {
    {75, 5, -32, 0, '4'}, {77, 7, 32, 0, '6'}, {72, 9, 0, -24, '8'}, {80, 3, 0, 24, '2'}};
constexpr int kKeyF5 = 63, kKeyF6 = 64, kKeyHome = 71;
constexpr int kKeyCtrl = 29, kKeyLeftShift = 42, kKeyRightShift = 54;
constexpr int kKeyZ = 44, kKeyY = 21, kKeyS = 31;

// A held scroll key moves once at once, again after this many ticks, then
// every tick, and two tiles a tick once held this long.
constexpr int kScrollDelay = 9;
constexpr int kScrollFast = 40;
// The pointer must rest on an edge this long before the view follows it.
constexpr int kEdgeDelay = 10;

constexpr uint8_t kTestLevels[] = {1, 5, 10, 20};

constexpr uint8_t kWhite = 31;
constexpr uint8_t kGold = 5 * 32 + 30;
constexpr uint8_t kRed = 4 * 32 + 28;
constexpr uint8_t kGreen = 1 * 32 + 28;
constexpr uint8_t kBlue = 3 * 32 + 30;
constexpr int32_t kViewBottom = kPanelTop - 1;

int32_t ScreenX(int32_t tx) {
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  return tx * 32 - cx + 320;
}
int32_t ScreenY(int32_t ty) {
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  return ty * 24 - cy + 240;
}

void Plot(Display& d, int32_t x, int32_t y, uint8_t colour) {
  if (x < 0 || y < 0 || x >= d.width || y > kViewBottom) return;
  d.screen[static_cast<size_t>(y) * static_cast<size_t>(d.pitch) + static_cast<size_t>(x)] = colour;
}

void Line(Display& d, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t colour) {
  int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int32_t err = dx + dy;
  for (;;) {
    Plot(d, x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    int32_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

// An outline clipped to the map view (the panel stays clear).
void Outline(Display& d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
  for (int32_t x = x1; x <= x2; ++x) {
    Plot(d, x, y1, colour);
    Plot(d, x, y2, colour);
  }
  for (int32_t y = y1; y <= y2; ++y) {
    Plot(d, x1, y, colour);
    Plot(d, x2, y, colour);
  }
}

// A label on a dark strip, so it reads over any floor; kept off the panel.
void Label(int32_t x, int32_t y, const char* plain, const char* coded = "") {
  int32_t w = TextWidthOf(plain, kFontEditor) + (coded[0] ? TextWidthOf(coded, kFontEditor) : 0);
  if (y < 1 || y + 12 >= kPanelTop || x + w < 0 || x >= 640) return;
  EdDisplay().FillBox(std::max<int32_t>(x - 1, 0), y - 1, std::min<int32_t>(x + w, 639), y + 11, 0);
  EditorPrint(x, y, plain);
  if (coded[0]) EditorPrintCoded(x + TextWidthOf(plain, kFontEditor), y, coded);
}

bool TileOnScreen(int32_t sx, int32_t sy) {
  return sx > -64 && sx < 640 && sy > -24 && sy < kPanelTop;
}

void ScrollStep(int d, int tiles) {
  MoveCamera(kScroll[d].dx * tiles, kScroll[d].dy * tiles);
}

// The most common colour of a tile image, standing for it in the overview.
uint8_t CommonColour(int image) {
  const uint8_t* pixels = TileBlock() + static_cast<size_t>(image) * kTilePixels;
  int counts[256] = {};
  for (int i = 0; i < kTilePixels; ++i) ++counts[pixels[i]];
  // Black only when the image holds nothing else.
  int best = 0;
  for (int c = 1; c < 256; ++c) {
    if (counts[c] > 0 && (best == 0 || counts[c] > counts[best])) best = c;
  }
  return static_cast<uint8_t>(best);
}

struct OverviewPlace {
  int32_t scale, left, top;
};
OverviewPlace PlaceOverview(const Map& map) {
  OverviewPlace p;
  p.scale = std::max<int32_t>(1, std::min(640 / map.width, kPanelTop / map.height));
  p.left = (640 - map.width * p.scale) / 2;
  p.top = (kPanelTop - map.height * p.scale) / 2;
  return p;
}

}  // namespace

void MoveCamera(int32_t dx, int32_t dy) {
  EditorState& s = Ed();
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  cx = std::clamp(cx + dx, 0, s.map->width * 32);
  cy = std::clamp(cy + dy, 0, s.map->height * 24);
  SetCamera(ToFixed(cx), ToFixed(cy));
  UpdatePointerTile();
}

bool ScrollKeyTaken(uint8_t key) {
  for (int d = 0; d < 4; ++d) {
    if (kScroll[d].typed != key) continue;
    // The key's own scan code came too: the held-key scrolling moves for it.
    return Ed().scrollHeld[d] > 0 || ScanKeyHeld(kScroll[d].arrow) || ScanKeyHeld(kScroll[d].digit);
  }
  return false;
}

void NavigateTick() {
  EditorState& s = Ed();
  bool mapView = s.mode == kModeMap;
  for (int d = 0; d < 4; ++d) {
    bool pressed = TakeScanKeyPress(kScroll[d].arrow) | TakeScanKeyPress(kScroll[d].digit);
    bool held = ScanKeyHeld(kScroll[d].arrow) || ScanKeyHeld(kScroll[d].digit);
    if (!mapView || (!held && !pressed)) {
      s.scrollHeld[d] = 0;
      continue;
    }
    int n = ++s.scrollHeld[d];
    if (n == 1 || n > kScrollDelay) ScrollStep(d, n > kScrollFast ? 2 : 1);
    if (!held) s.scrollHeld[d] = 0;
  }
  if (!mapView) {
    s.edgeTicks = 0;
    return;
  }
  bool left = s.pointerX == 0, right = s.pointerX == 639;
  bool up = s.pointerY == 0, down = s.pointerY == 479;
  if (!(left || right || up || down)) {
    s.edgeTicks = 0;
    return;
  }
  // Every other tick once the pointer has rested there.
  if (++s.edgeTicks < kEdgeDelay || (s.edgeTicks - kEdgeDelay) % 2 != 0) return;
  MoveCamera(left ? -32 : (right ? 32 : 0), up ? -24 : (down ? 24 : 0));
}

void ScanKeysTick() {
  EditorState& s = Ed();
  bool f5 = TakeScanKeyPress(kKeyF5), f6 = TakeScanKeyPress(kKeyF6);
  bool home = TakeScanKeyPress(kKeyHome);
  bool z = TakeScanKeyPress(kKeyZ), y = TakeScanKeyPress(kKeyY), save = TakeScanKeyPress(kKeyS);
  if (s.mode != kModeMap) return;
  bool ctrl = ScanKeyHeld(kKeyCtrl);
  bool shift = ScanKeyHeld(kKeyLeftShift) || ScanKeyHeld(kKeyRightShift);
  // Nothing of a stroke still being painted is undone under the brush.
  if (ctrl && (z || y) && s.buttonHeld) return;
  if (ctrl && z && !shift) {
    if (!UndoStep()) ShowNotice("nothing to undo");
  } else if (ctrl && (y || (z && shift))) {
    if (!RedoStep()) ShowNotice("nothing to redo");
  } else if (ctrl && save) {
    if (s.worldName.empty()) {
      ShowNotice("no file name yet: save it from the file menu");
    } else {
      SaveWorldAs(s.worldName.c_str());
    }
  }
  if (f6) {
    size_t i = 0;
    while (i < std::size(kTestLevels) && kTestLevels[i] != s.testLevel) ++i;
    s.testLevel = kTestLevels[(i + 1) % std::size(kTestLevels)];
    char text[40];
    std::snprintf(text, sizeof(text), "play-test hero at level %d", s.testLevel);
    ShowNotice(text);
  }
  if (home) CameraToHeroStart();
  if (f5) s.playTestRequested = true;
}

void CameraToHeroStart() {
  EditorState& s = Ed();
  for (const MonsterStart& m : s.map->monsters) {
    if (m.kind != 1) continue;
    int32_t cx = 0, cy = 0;
    GetCamera(cx, cy);
    MoveCamera(m.x * 32 + 16 - cx, m.y * 24 + 12 - cy);
    return;
  }
  ShowNotice("this map has no hero start");
}

void PlayTestCurrentMap() {
  EditorState& s = Ed();
  s.playTestRequested = false;
  CommitWorldChanges();
  bool hasHero = false;
  for (const MonsterStart& m : s.map->monsters) hasHero = hasHero || m.kind == 1;
  if (!hasHero) {
    ShowNotice("place a hero start (monster 01) to play-test this map");
    return;
  }
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  uint8_t result = PlayTestMap(s.display, s.world, s.mapIndex, s.testLevel);
  // The play loop had the guys, the camera and the draw place to itself.
  SelectMap(s.mapIndex);
  SetCamera(ToFixed(cx), ToFixed(cy));
  SetMapDrawPlace(kNoMapPlace, kNoMapPlace);
  ClearScanKeys();
  // The game let the system pointer go where it liked; it goes back to the
  // centre, where the editor measures its moves from, and the editor's
  // pointer stays where it was.
  GetPlatform().SetMousePosition(320, 240);
  s.edgeTicks = 0;
  // What was typed and clicked in the game stays there.
  s.display->ClearTypedKeys();
  s.display->TakeMouseDown();
  s.buttonHeld = s.display->MouseDown();
  s.repeatCount = kRepeatAfterClose;
  UpdatePointerTile();
  switch (result) {
    case kMapCompleted:
      ShowNotice("play-test: map completed");
      break;
    case kMapHeroKilled:
      ShowNotice("play-test: the hero died");
      break;
    case kMapQuit:
      ShowNotice("play-test ended with Escape");
      break;
    default:
      ShowNotice("play-test: the hero left the map");
      break;
  }
}

void OpenOverview() {
  EditorState& s = Ed();
  s.overviewColours.assign(kTileCount, 0);
  for (int i = 0; i < kTileCount; ++i) s.overviewColours[static_cast<size_t>(i)] = CommonColour(i);
  s.mode = kModeOverview;
}

void OverviewClick() {
  EditorState& s = Ed();
  if (s.pointerY >= kPanelTop) return;
  OverviewPlace p = PlaceOverview(*s.map);
  int32_t tx = (s.pointerX - p.left) / p.scale, ty = (s.pointerY - p.top) / p.scale;
  if (s.pointerX < p.left || s.pointerY < p.top || !OnMap(*s.map, tx, ty)) return;
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  MoveCamera(tx * 32 + 16 - cx, ty * 24 + 12 - cy);
  s.mode = kModeMap;
}

void DrawOverview() {
  EditorState& s = Ed();
  Display& d = EdDisplay();
  const Map& map = *s.map;
  d.FillBox(0, 0, 639, kPanelTop - 1, 0);
  OverviewPlace p = PlaceOverview(map);
  for (int32_t y = 0; y < map.height; ++y) {
    for (int32_t x = 0; x < map.width; ++x) {
      const Tile& t = MapTile(map, x, y);
      // Walls show as their roofs do from above, a shade darker.
      uint8_t c = s.overviewColours[t.floor];
      if (t.wall != 0) c = static_cast<uint8_t>((c & 0xE0) | std::max(0, (c & 31) - 8));
      int32_t x1 = p.left + x * p.scale, y1 = p.top + y * p.scale;
      d.FillBox(x1, y1, x1 + p.scale - 1, y1 + p.scale - 1, c);
      if (t.item != 0 && p.scale >= 3)
        d.FillBox(x1 + p.scale / 3, y1 + p.scale / 3, x1 + p.scale / 3, y1 + p.scale / 3, kGold);
    }
  }
  int32_t dot = std::max<int32_t>(1, p.scale / 2);
  for (const MonsterStart& m : map.monsters) {
    if (m.kind == 0 || !OnMap(map, m.x, m.y)) continue;
    int32_t x1 = p.left + m.x * p.scale, y1 = p.top + m.y * p.scale;
    d.FillBox(x1, y1, x1 + dot, y1 + dot, m.kind == 1 ? kWhite : kRed);
  }
  for (const Special& sp : map.specials) {
    if (sp.trigger == 0 || !OnMap(map, sp.x, sp.y)) continue;
    int32_t x1 = p.left + sp.x * p.scale, y1 = p.top + sp.y * p.scale;
    d.Box(x1, y1, x1 + std::max<int32_t>(p.scale, 3) - 1, y1 + std::max<int32_t>(p.scale, 3) - 1,
          kBlue);
  }
  // What the map view shows, from the camera: 640 x 420 pixels of map.
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  int32_t vx1 = p.left + (cx - 320) * p.scale / 32, vy1 = p.top + (cy - 240) * p.scale / 24;
  int32_t vx2 = p.left + (cx + 320) * p.scale / 32, vy2 = p.top + (cy + 180) * p.scale / 24;
  Outline(d, vx1, vy1, vx2, vy2, kWhite);
  EditorPrint(4, 4, "Overview: click to look there; Tab or Escape goes back");
}

void DrawOverlay() {
  EditorState& s = Ed();
  Display& d = EdDisplay();
  const Map& map = *s.map;
  static const char* const kEffects[10] = {"None",      "Summon",   "Zap Wall", "MakeWall",
                                           "TogglWall", "Teleport", "Light",    "Goto Map",
                                           "WinLevel",  "Show Pic"};
  int specials = 0, monsters = 0, items = 0;
  for (const Tile& t : map.tiles) items += t.item != 0;
  for (const Special& sp : map.specials) {
    if (sp.trigger == 0) continue;
    ++specials;
    int32_t sx = ScreenX(sp.x), sy = ScreenY(sp.y);
    // Effects that act on a target tile point to it.
    if (sp.effect >= kEffectSummon && sp.effect <= kEffectLight) {
      int32_t tx = ScreenX(sp.targetX), ty = ScreenY(sp.targetY);
      Line(d, sx + 16, sy + 12, tx + 16, ty + 12, kGold);
      Outline(d, tx + 4, ty + 4, tx + 27, ty + 19, kGold);
      Line(d, tx + 4, ty + 4, tx + 27, ty + 19, kGold);
      Line(d, tx + 27, ty + 4, tx + 4, ty + 19, kGold);
    }
    if (!TileOnScreen(sx, sy)) continue;
    Outline(d, sx, sy, sx + 31, sy + 23, kGold);
    Outline(d, sx + 1, sy + 1, sx + 30, sy + 22, kGold);
    // Below the tile, clear of the "Spcl" mark: the effect, and the map a
    // Goto Map leads to.
    char text[32];
    if (sp.effect == kEffectGotoMap) {
      std::snprintf(text, sizeof(text), "Goto Map %02d", static_cast<int>(sp.value));
    } else {
      std::snprintf(text, sizeof(text), "%s", sp.effect < 10 ? kEffects[sp.effect] : "?");
    }
    Label(sx, sy + 25, text);
  }
  for (const MonsterStart& m : map.monsters) {
    if (m.kind == 0) continue;
    ++monsters;
    int32_t sx = ScreenX(m.x), sy = ScreenY(m.y);
    if (!TileOnScreen(sx, sy)) continue;
    Outline(d, sx + 2, sy + 2, sx + 29, sy + 21, m.kind == 1 ? kGreen : kRed);
    char number[8], name[32];
    std::snprintf(number, sizeof(number), "%02d ", m.kind);
    std::snprintf(name, sizeof(name), "%.24s", m.kind == 1 ? "" : KindName(m.kind));
    Label(sx, sy - 13, m.kind == 1 ? "01 hero start" : number, name);
  }
  char counts[80];
  std::snprintf(counts, sizeof(counts), "monster starts %03d/128   specials %02d/32   items %d",
                monsters, specials, items);
  int32_t right = 8 + TextWidthOf(counts, kFontEditor);
  d.FillBox(0, 0, right, 15, 8);
  d.Box(0, 0, right, 15, 16);
  EditorPrint(4, 2, counts);
}

void RectangleKey() {
  EditorState& s = Ed();
  Map& map = *s.map;
  int32_t tx = s.pointerTileX, ty = s.pointerTileY;
  if (s.tool != kToolFloor && s.tool != kToolWall) {
    ShowNotice("the rectangle fills with the Floor or the Wall tool");
    s.rectStarted = false;
    return;
  }
  if (!s.rectStarted) {
    if (!OnMap(map, tx, ty)) return;
    s.rectStarted = true;
    s.rectX = tx;
    s.rectY = ty;
    ShowNotice("rectangle: point at the other corner and press r again");
    return;
  }
  s.rectStarted = false;
  int32_t x1 = std::clamp(std::min(tx, s.rectX), 0, map.width - 1);
  int32_t x2 = std::clamp(std::max(tx, s.rectX), 0, map.width - 1);
  int32_t y1 = std::clamp(std::min(ty, s.rectY), 0, map.height - 1);
  int32_t y2 = std::clamp(std::max(ty, s.rectY), 0, map.height - 1);
  for (int32_t x = x1; x <= x2; ++x) {
    for (int32_t y = y1; y <= y2; ++y) {
      Tile& t = MapTile(map, x, y);
      // The same as the tool's brush leaves on a tile.
      if (s.tool == kToolFloor) {
        t.floor = s.floorChoice;
        t.wall = 0;
      } else {
        t.floor = s.roofChoice;
        t.wall = s.wallChoice;
      }
    }
  }
}

void DrawRectanglePreview() {
  EditorState& s = Ed();
  if (!s.rectStarted) return;
  int32_t x1 = std::min(s.rectX, s.pointerTileX), x2 = std::max(s.rectX, s.pointerTileX);
  int32_t y1 = std::min(s.rectY, s.pointerTileY), y2 = std::max(s.rectY, s.pointerTileY);
  Display& d = EdDisplay();
  Outline(d, ScreenX(x1), ScreenY(y1), ScreenX(x2 + 1) - 1, ScreenY(y2 + 1) - 1, kWhite);
  Outline(d, ScreenX(x1) + 1, ScreenY(y1) + 1, ScreenX(x2 + 1) - 2, ScreenY(y2 + 1) - 2, 0);
}

void PickUpTile() {
  EditorState& s = Ed();
  if (!OnMap(*s.map, s.pointerTileX, s.pointerTileY)) return;
  const Tile& t = MapTile(*s.map, s.pointerTileX, s.pointerTileY);
  char text[64];
  if (t.wall != 0) {
    s.wallChoice = t.wall;
    s.roofChoice = t.floor;
    s.tool = kToolWall;
    std::snprintf(text, sizeof(text), "picked wall %03d with roof %03d", t.wall, t.floor);
  } else {
    s.floorChoice = t.floor;
    s.tool = kToolFloor;
    std::snprintf(text, sizeof(text), "picked floor %03d", t.floor);
  }
  ShowNotice(text);
}

}  // namespace torvel
