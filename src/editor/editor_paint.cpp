// The map view: the painting tools and their brush, the keys of map view,
// the auto-tile command and the drawing of the map with its overlays.
#include <cstdio>

#include "actors/guys.h"
#include "common/fixed.h"
#include "editor/editor_internal.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/font.h"
#include "platform/random.h"
#include "world/light.h"

namespace torvel {

namespace {

constexpr int8_t kLightTop = 16;
constexpr int8_t kLightBottom = -32;

Fixed CentreX(int32_t tx) {
  return ToFixed(tx * 32 + 16);
}
Fixed CentreY(int32_t ty) {
  return ToFixed(ty * 24 + 12);
}

bool HasMonsterStart(const Map& map, int32_t tx, int32_t ty) {
  for (const MonsterStart& m : map.monsters) {
    if (m.kind != 0 && m.x == tx && m.y == ty) return true;
  }
  return false;
}

// Every tile the brush covers, column by column; tiles off the map are skipped.
template <typename Fn>
void ForBrush(Map& map, int32_t tx, int32_t ty, int brush, Fn fn) {
  for (int32_t x = tx - (brush - 1); x <= tx + (brush - 1); ++x) {
    for (int32_t y = ty - (brush - 1); y <= ty + (brush - 1); ++y) {
      if (OnMap(map, x, y)) fn(x, y);
    }
  }
}

void PlaceItem(Map& map, uint8_t item, int32_t tx, int32_t ty) {
  if (!OnMap(map, tx, ty)) return;
  Tile& t = MapTile(map, tx, ty);
  if (t.wall != 0 || HasMonsterStart(map, tx, ty)) return;
  t.item = item;
}

void PlaceMonster(Map& map, uint8_t kind, int32_t tx, int32_t ty) {
  if (!OnMap(map, tx, ty)) return;
  const Tile& t = MapTile(map, tx, ty);
  if (t.item != 0 || t.wall != 0 || HasMonsterStart(map, tx, ty)) return;
  // There is one hero's start: a new one replaces the old.
  if (kind == 1) {
    for (MonsterStart& m : map.monsters) {
      if (m.kind != 1) continue;
      RemoveGuysAt(CentreX(m.x), CentreY(m.y), 1);
      m = MonsterStart{};
    }
  }
  for (MonsterStart& m : map.monsters) {
    if (m.kind != 0) continue;
    m.x = static_cast<uint8_t>(tx);
    m.y = static_cast<uint8_t>(ty);
    m.kind = kind;
    int32_t cx = 0, cy = 0;
    GetCamera(cx, cy);
    AddGuy(CentreX(tx), CentreY(ty), 0, kind);
    SetCamera(ToFixed(cx), ToFixed(cy));
    return;
  }
}

// Backspace: nothing stays on the tile but its floor, wall and light.
void EraseTile(Map& map, int32_t tx, int32_t ty) {
  if (!OnMap(map, tx, ty)) return;
  for (MonsterStart& m : map.monsters) {
    if (m.kind == 0 || m.x != tx || m.y != ty) continue;
    RemoveGuysAt(CentreX(tx), CentreY(ty), m.kind);
    m = MonsterStart{};
  }
  MapTile(map, tx, ty).item = 0;
  for (Special& sp : map.specials) {
    if (sp.x == tx && sp.y == ty) sp = Special{};
  }
}

template <typename T>
T Wrap(int value, int lo, int hi) {
  if (value > hi) return static_cast<T>(lo);
  if (value < lo) return static_cast<T>(hi);
  return static_cast<T>(value);
}

bool IsGround(uint8_t floor) {
  return floor >= 5 && floor <= 16;
}

}  // namespace

bool HeldToolRepeats(uint8_t tool) {
  return tool == kToolFloor || tool == kToolWall || tool == kToolItem || tool == kToolLight ||
         tool == kToolDark || tool == kToolSmooth;
}

void MapClick() {
  EditorState& s = Ed();
  if (s.pointerY >= kPanelTop) return;
  Map& map = *s.map;
  int32_t tx = s.pointerTileX, ty = s.pointerTileY;
  switch (s.tool) {
    case kToolFloor:
      ForBrush(map, tx, ty, s.brush, [&](int32_t x, int32_t y) {
        Tile& t = MapTile(map, x, y);
        t.floor = s.floorChoice;
        t.wall = 0;
      });
      break;
    case kToolWall:
      ForBrush(map, tx, ty, s.brush, [&](int32_t x, int32_t y) {
        Tile& t = MapTile(map, x, y);
        t.floor = s.roofChoice;
        t.wall = s.wallChoice;
      });
      break;
    case kToolItem:
      PlaceItem(map, s.itemChoice, tx, ty);
      break;
    case kToolMonster:
      PlaceMonster(map, s.monsterChoice, tx, ty);
      break;
    case kToolLight:
      ForBrush(map, tx, ty, s.brush, [&](int32_t x, int32_t y) {
        Tile& t = MapTile(map, x, y);
        if (t.light < kLightTop) ++t.light;
      });
      s.repeatCount = kRepeatLightTools;
      break;
    case kToolDark:
      ForBrush(map, tx, ty, s.brush, [&](int32_t x, int32_t y) {
        Tile& t = MapTile(map, x, y);
        if (t.light > kLightBottom) --t.light;
      });
      s.repeatCount = kRepeatLightTools;
      break;
    case kToolSmooth:
      ForBrush(map, tx, ty, s.brush, [&](int32_t x, int32_t y) { SmoothLight(map, x, y); });
      s.repeatCount = kRepeatLightTools;
      break;
    case kToolTorch:
      if (OnMap(map, tx, ty)) SpreadLight(map, tx, ty, 2 * s.brush, 4 * s.brush, kLightRuleBase);
      break;
    case kToolSpecial:
      if (OnMap(map, tx, ty)) OpenSpecialAt(tx, ty);
      break;
    default:
      break;
  }
}

void MapKey(uint8_t key) {
  EditorState& s = Ed();
  switch (key) {
    case kKeyBackspace:
      EraseTile(*s.map, s.pointerTileX, s.pointerTileY);
      break;
    case ' ':
      s.tool = Wrap<uint8_t>(s.tool + 1, 0, kToolCount - 1);
      break;
    case '\'':
      s.monsterChoice = Wrap<uint8_t>(s.monsterChoice + 1, 1, kMonsterKinds);
      break;
    case ';':
      s.monsterChoice = Wrap<uint8_t>(s.monsterChoice - 1, 1, kMonsterKinds);
      break;
    case '+':
    case '=':
      s.floorChoice = Wrap<uint8_t>(s.floorChoice + 1, 0, kFloorImages - 1);
      break;
    case '-':
      s.floorChoice = Wrap<uint8_t>(s.floorChoice - 1, 0, kFloorImages - 1);
      break;
    case '.':
      s.itemChoice = Wrap<uint8_t>(s.itemChoice + 1, 1, kItemCount - 1);
      break;
    case ',':
      // Down from 1 gives 0 (no item), and from there the top of the list.
      s.itemChoice = Wrap<uint8_t>(s.itemChoice - 1, 0, kItemCount - 1);
      break;
    case 'p':
      s.roofChoice = Wrap<uint8_t>(s.roofChoice + 1, 0, kFloorImages - 1);
      break;
    case 'o':
      s.roofChoice = Wrap<uint8_t>(s.roofChoice - 1, 0, kFloorImages - 1);
      break;
    case ']':
      s.wallChoice = Wrap<uint8_t>(s.wallChoice + 1, 0, 199);
      break;
    case '[':
      s.wallChoice = Wrap<uint8_t>(s.wallChoice - 1, 0, 199);
      break;
    case 'b':
      s.brush = Wrap<uint8_t>(s.brush + 1, 1, kMaxBrush);
      break;
    case '4':
      MoveCamera(-32, 0);
      break;
    case '6':
      MoveCamera(32, 0);
      break;
    case '8':
      MoveCamera(0, -24);
      break;
    case '2':
      MoveCamera(0, 24);
      break;
    case 'c':
      AutoTile(*s.map);
      break;
    case 'f':
      OpenFileMenu();
      break;
    case 'm':
      OpenWorldMenu();
      break;
    default:
      break;
  }
}

// These numbers fit the layout of the basic tileset: floors 5-16 are one
// ground family, 17-35 its edges and corners, 184-199 the roof pieces.
void AutoTile(Map& map) {
  static constexpr uint8_t kRoofs[16] = {188, 187, 185, 194, 186, 189, 193, 197,
                                         184, 192, 190, 198, 191, 195, 196, 199};
  static constexpr uint8_t kEdges[16] = {0,  18, 19, 27, 20, 34, 28, 30,
                                         17, 25, 33, 31, 26, 29, 32, 35};
  const int32_t w = map.width, h = map.height;
  auto wallAt = [&](int32_t x, int32_t y) { return MapTile(map, x, y).wall != 0; };
  auto groundAt = [&](int32_t x, int32_t y) {
    return OnMap(map, x, y) && IsGround(MapTile(map, x, y).floor);
  };
  for (int32_t x = 0; x < w; ++x) {
    for (int32_t y = 0; y < h; ++y) {
      Tile& t = MapTile(map, x, y);
      if (t.wall != 0 && t.floor >= 184) {
        int mask = 0;
        if (x == 0 || wallAt(x - 1, y)) mask |= 1;
        if (y == 0 || wallAt(x, y - 1)) mask |= 2;
        if (x == w - 1 || wallAt(x + 1, y)) mask |= 4;
        if (y == h - 1 || wallAt(x, y + 1)) mask |= 8;
        t.floor = kRoofs[mask];
        // A wall standing on the ground shows its lower face.
        if (y < h - 1 && IsGround(MapTile(map, x, y + 1).floor) && t.wall == 1) t.wall = 2;
      }
      if (IsGround(t.floor)) {
        t.floor = Random(6) < 5 ? static_cast<uint8_t>(5 + Random(4))
                                : static_cast<uint8_t>(9 + Random(8));
      } else if (t.floor <= 4 || (t.floor >= 17 && t.floor <= 35)) {
        int mask = 0;
        if (groundAt(x - 1, y)) mask |= 1;
        if (groundAt(x, y - 1)) mask |= 2;
        if (groundAt(x + 1, y)) mask |= 4;
        if (groundAt(x, y + 1)) mask |= 8;
        if (mask != 0) {
          t.floor = kEdges[mask];
        } else {
          // Only a corner touches the ground: the later corner wins.
          if (groundAt(x - 1, y - 1)) t.floor = 24;
          if (groundAt(x - 1, y + 1)) t.floor = 22;
          if (groundAt(x + 1, y - 1)) t.floor = 23;
          if (groundAt(x + 1, y + 1)) t.floor = 21;
        }
      }
    }
  }
}

void DrawMapView() {
  EditorState& s = Ed();
  Display& d = EdDisplay();
  Map& map = *s.map;
  if (s.view & kViewMonsters) RenderGuys((s.view & kViewLights) != 0);
  RenderWorld(&map, &s.world, static_cast<uint8_t>(s.view & 0x07));
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  if (s.view & kViewSpecials) {
    for (const Special& sp : map.specials) {
      if (sp.trigger == 0) continue;
      EditorPrint(sp.x * 32 - cx + 322, sp.y * 24 - cy + 246, "Spcl");
    }
  }
  if (s.overlay) DrawOverlay();
  DrawRectanglePreview();
  // The brush box flickers between a colour and its inverse.
  int reach =
      (s.tool == kToolItem || s.tool == kToolMonster || s.tool == kToolSpecial) ? 0 : s.brush - 1;
  int32_t x1 = (s.pointerTileX - reach) * 32 - cx + 320;
  int32_t y1 = (s.pointerTileY - reach) * 24 - cy + 240;
  int32_t x2 = (s.pointerTileX + reach + 1) * 32 - cx + 320 - 1;
  int32_t y2 = (s.pointerTileY + reach + 1) * 24 - cy + 240 - 1;
  s.brushColour = static_cast<uint8_t>(~s.brushColour);
  if (x2 >= 0 && y2 >= 0 && x1 < d.width && y1 < d.height) d.Box(x1, y1, x2, y2, s.brushColour);
  if (OnMap(map, s.pointerTileX, s.pointerTileY)) {
    char text[32];
    std::snprintf(text, sizeof(text), "(%03d,%03d)", s.pointerTileX, s.pointerTileY);
    EditorPrint(580, 408, text);
  }
}

}  // namespace torvel
